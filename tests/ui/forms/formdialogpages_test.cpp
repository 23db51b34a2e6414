#include "../dialogs/dialogtesting.h"
#include "ui/forms/choiceeditor.h"
#include "ui/forms/controlsdialog.h"
#include "ui/forms/formdialog.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>

#include <functional>
#include <memory>

#include <gtest/gtest.h>

namespace {

// Every page of both form dialogs as the author first sees it (with a few
// values): no caption or button cut, every field reached by its caption,
// the help page holds the page's anchor. With TESSALINE_SHOTS set to a
// folder each page is saved there as a picture.
TEST(FormDialogPages, ReadableWithTheirHelpAndShots)
{
    auto controls = [](ControlKind kind, int subKind, const QStringList &values = {}) {
        return [=](DialogServices &s) {
            auto *d = new ControlsDialog(s, kind, subKind);
            if (d->nameField())
                d->nameField()->setText(QStringLiteral("choix"));
            for (const QString &value : values) {
                d->choices()->valueField()->setText(value);
                d->choices()->addValue();
            }
            if (d->valueField())
                d->valueField()->setText(QStringLiteral("Envoyer"));
            return d;
        };
    };
    const struct
    {
        const char *shot;
        std::function<ElementDialog *(DialogServices &)> make;
        int tab;
    } pages[] = {
        {"formulaire-general", [](DialogServices &s) { return new FormDialog(s, FormDialog::WrapMode); }, 0},
        {"formulaire-mailto",
         [](DialogServices &s) {
             auto *d = new FormDialog(s, FormDialog::WrapMode);
             d->chooseProtocol(8);
             return d;
         },
         0},
        {"formulaire-cible", [](DialogServices &s) { return new FormDialog(s, FormDialog::StartTagMode); }, 1},
        {"formulaire-javascript", [](DialogServices &s) { return new FormDialog(s, FormDialog::WrapMode); }, 2},
        {"elements-cases", controls(ControlKind::CheckBoxes, 0, {"Oui", "Non", "Peut-être"}), 0},
        {"elements-radio", controls(ControlKind::RadioButtons, 0, {"Petit", "Moyen", "Grand"}), 0},
        {"elements-liste", controls(ControlKind::ListBox, 0, {"France", "Suisse"}), 0},
        {"elements-deroulante", controls(ControlKind::DropDown, 0, {"Janvier", "Février"}), 0},
        {"elements-multiligne", controls(ControlKind::TextArea, 0), 0},
        {"elements-texte", controls(ControlKind::TextBox, PlainTextBox), 0},
        {"elements-motdepasse", controls(ControlKind::TextBox, PasswordBox), 0},
        {"elements-bouton", controls(ControlKind::Button, SubmitButton), 0},
        {"elements-cachee", controls(ControlKind::Hidden, 0), 0},
    };
    const QString shots = qEnvironmentVariable("TESSALINE_SHOTS");
    const QDir help(QCoreApplication::applicationDirPath() + QStringLiteral("/../src/help"));
    for (const auto &page : pages) {
        DialogTesting t;
        std::unique_ptr<ElementDialog> dialog(page.make(t.services));
        if (auto *tabs = dialog->findChild<QTabWidget *>())
            tabs->setCurrentIndex(page.tab);
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));

        QList<QWidget *> captioned;
        for (auto *label : dialog->findChildren<QLabel *>()) {
            if (label->buddy())
                captioned << label->buddy();
            if (label->isVisible() && !label->wordWrap() && !label->text().isEmpty()) {
                EXPECT_GE(label->width(), label->minimumSizeHint().width()) << page.shot << qPrintable(label->text());
            }
        }
        for (auto *button : dialog->findChildren<QAbstractButton *>()) {
            if (button->isVisible() && !button->text().isEmpty()) {
                EXPECT_GE(button->width(), button->minimumSizeHint().width())
                    << page.shot << qPrintable(button->text());
            }
        }
        QList<QWidget *> fields;
        for (auto *w : dialog->findChildren<QWidget *>()) {
            const bool field = (qobject_cast<QLineEdit *>(w) && !qobject_cast<QAbstractSpinBox *>(w->parentWidget())
                                && !qobject_cast<QComboBox *>(w->parentWidget()))
                               || qobject_cast<QComboBox *>(w) || qobject_cast<QAbstractSpinBox *>(w)
                               || qobject_cast<QListWidget *>(w)
                               || (qobject_cast<QPlainTextEdit *>(w) && w->focusPolicy() != Qt::NoFocus);
            if (field && w->isVisible()) {
                EXPECT_TRUE(captioned.contains(w)) << page.shot << ": " << w->metaObject()->className();
            }
        }
        QFile helpPage(help.filePath(dialog->helpPage()));
        ASSERT_TRUE(helpPage.open(QIODevice::ReadOnly)) << page.shot;
        EXPECT_TRUE(helpPage.readAll().contains(("id=\"" + dialog->helpAnchor() + "\"").toUtf8())) << page.shot;
        if (!shots.isEmpty())
            dialog->grab().save(QDir(shots).filePath(QLatin1String(page.shot) + QStringLiteral(".png")));
    }
}

} // namespace
