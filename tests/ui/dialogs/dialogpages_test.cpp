#include "dialogtesting.h"
#include "ui/dialogs/eventsdialog.h"
#include "ui/dialogs/headdialogs.h"
#include "ui/dialogs/linkdialogs.h"
#include "ui/javascript/scripteditor.h"

#include "core/dialogs/eventcalls.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include <functional>
#include <memory>

#include <gtest/gtest.h>

namespace {

// Every page of every dialog, as the user first sees it: no caption or
// button is cut, every help page exists with its anchor, and with
// TESSALINE_SHOTS set to a folder each page is saved there as a picture
// (run on a real display to look at them).
struct DialogPage
{
    const char *shot;
    std::function<ElementDialog *(DialogServices &)> make;
    int tab; // -1: the dialog has no pages
};

// Every field the user types in or chooses from is reached by its caption.
void checkFieldsHaveCaptions(QWidget *dialog, const char *shot)
{
    QList<QWidget *> captioned;
    for (auto *label : dialog->findChildren<QLabel *>()) {
        if (label->buddy())
            captioned << label->buddy();
    }
    QList<QWidget *> fields;
    for (auto *w : dialog->findChildren<QLineEdit *>()) {
        if (!qobject_cast<QComboBox *>(w->parentWidget()) && !qobject_cast<QAbstractSpinBox *>(w->parentWidget()))
            fields << w;
    }
    for (auto *w : dialog->findChildren<QComboBox *>())
        fields << w;
    for (auto *w : dialog->findChildren<QAbstractSpinBox *>())
        fields << w;
    for (auto *w : dialog->findChildren<QAbstractItemView *>()) {
        if (!w->parentWidget()->inherits("QComboBoxPrivateContainer")) // a combo box's own list
            fields << w;
    }
    for (auto *w : dialog->findChildren<QPlainTextEdit *>())
        fields << w;
    EXPECT_FALSE(fields.isEmpty()) << shot;
    for (QWidget *field : fields) {
        if (field->isVisible())
            EXPECT_TRUE(captioned.contains(field)) << shot << ": " << field->metaObject()->className();
    }
}

void checkNothingClipped(QWidget *dialog, const char *shot)
{
    for (auto *label : dialog->findChildren<QLabel *>()) {
        if (label->isVisible() && !label->wordWrap() && !label->text().isEmpty())
            EXPECT_GE(label->width(), label->minimumSizeHint().width()) << shot << ": " << qPrintable(label->text());
    }
    for (auto *button : dialog->findChildren<QAbstractButton *>()) {
        if (button->isVisible() && !button->text().isEmpty())
            EXPECT_GE(button->width(), button->minimumSizeHint().width()) << shot << ": " << qPrintable(button->text());
    }
}

TEST(DialogPages, ReadableWithTheirHelpAndShots)
{
    const DialogPage pages[] = {
        {"evenements",
         [](DialogServices &s) {
             auto *d = new EventsDialog(s);
             d->enableEvents({JsEvent::onMouseOver, JsEvent::onMouseOut, JsEvent::onClick});
             d->setCall(JsEvent::onClick, QStringLiteral("calcul(formu1.total, formu1.taxes)"));
             d->eventButton(JsEvent::onClick)->click();
             return d;
         },
         -1},
        {"nom-fonction",
         [](DialogServices &s) {
             auto *d = new EventsDialog(s);
             d->setNameMode(true);
             return d;
         },
         -1},
        {"lienexterne-general", [](DialogServices &s) { return new ExternalLinkDialog(s); }, 0},
        {"lienexterne-apercu",
         [](DialogServices &s) {
             auto *d = new ExternalLinkDialog(s);
             d->addressField()->setEditText(QStringLiteral("cible.htm"));
             return d;
         },
         0},
        {"lienexterne-destinations",
         [](DialogServices &s) {
             auto *d = new ExternalLinkDialog(s);
             d->addressField()->setEditText(QStringLiteral("cible.htm"));
             return d;
         },
         1},
        {"lienexterne-cibles", [](DialogServices &s) { return new ExternalLinkDialog(s); }, 2},
        {"lienexterne-javascript", [](DialogServices &s) { return new ExternalLinkDialog(s); }, 3},
        {"lieninterne-nouvelle",
         [](DialogServices &s) {
             auto *d = new InternalLinkDialog(s);
             d->newNameField()->setText(QStringLiteral("suite"));
             d->toggleLine(1);
             return d;
         },
         0},
        {"lieninterne-existantes", [](DialogServices &s) { return new InternalLinkDialog(s); }, 1},
        {"lieninterne-javascript", [](DialogServices &s) { return new InternalLinkDialog(s); }, 2},
        {"titre", [](DialogServices &s) { return new TitleDialog(s); }, -1},
        {"entete-base", [](DialogServices &s) { return new HeaderDialog(s, HeaderDialog::BasePage); }, -1},
        {"entete-meta", [](DialogServices &s) { return new HeaderDialog(s, HeaderDialog::MetaPage); }, -1},
        {"entete-meta-refresh",
         [](DialogServices &s) {
             auto *d = new HeaderDialog(s, HeaderDialog::MetaPage);
             d->chooseMetaPreset(MetaRefresh);
             return d;
         },
         -1},
        {"entete-lien", [](DialogServices &s) { return new HeaderDialog(s, HeaderDialog::LinkPage); }, -1},
        {"entete-index", [](DialogServices &s) { return new HeaderDialog(s, HeaderDialog::IndexPage); }, -1},
        {"script",
         [](DialogServices &s) {
             auto *d = new ScriptEditor(s);
             d->setScript(ScriptSkeleton(QStringLiteral("calcul(a,b)")));
             d->listButton(WordList::Methods)->click();
             return d;
         },
         -1},
    };
    const QString shots = qEnvironmentVariable("TESSALINE_SHOTS");
    // The build copies the help pages beside the program.
    const QDir help(QCoreApplication::applicationDirPath() + QStringLiteral("/../src/help"));
    for (const DialogPage &page : pages) {
        DialogTesting t;
        t.writeFile(QStringLiteral("cible.htm"), "<HTML><BODY>\r\n<A NAME=\"haut\"></A>Titre\r\n<P>Texte"
                                                 "\r\n<A NAME=\"bas\">Fin</A>\r\n</BODY></HTML>\r\n");
        t.host.setDocument(QStringLiteral("<HTML><HEAD>\r\n<TITLE>Accueil</TITLE>\r\n</HEAD>\r\n<BODY>\r\n"
                                          "<A NAME=\"haut\"></A>Bienvenue\r\n</BODY></HTML>"),
                           0, 0);
        std::unique_ptr<ElementDialog> dialog(page.make(t.services));
        if (auto *tabs = dialog->findChild<QTabWidget *>(); tabs && page.tab >= 0)
            tabs->setCurrentIndex(page.tab);
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        checkNothingClipped(dialog.get(), page.shot);
        checkFieldsHaveCaptions(dialog.get(), page.shot);

        QFile helpPage(help.filePath(dialog->helpPage()));
        ASSERT_TRUE(helpPage.open(QIODevice::ReadOnly)) << page.shot;
        const QString anchor = dialog->helpAnchor();
        if (!anchor.isEmpty())
            EXPECT_TRUE(helpPage.readAll().contains(("id=\"" + anchor + "\"").toUtf8())) << page.shot;
        if (!shots.isEmpty())
            dialog->grab().save(QDir(shots).filePath(QLatin1String(page.shot) + QStringLiteral(".png")));
    }
}

} // namespace
