#include "../dialogs/dialogtesting.h"
#include "core/messages/messages.h"
#include "ui/frameset/cadredialog.h"
#include "ui/frameset/framesetcommands.h"
#include "ui/frameset/framesetdesigner.h"
#include "ui/frameset/framesketch.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// Fills a frame properties dialog opened by the designer and presses OK.
void answerFrame(QDialog &dialog, const QString &name, const QString &source)
{
    auto &cadre = dynamic_cast<TCadreFrm &>(dialog);
    FrameFields f = cadre.frameFields();
    f.name = name;
    f.source = source;
    cadre.setFrameFields(f);
    QTimer::singleShot(0, &cadre, [&cadre] { cadre.okButton()->click(); });
}

void clickFrame(TFrameFrm &designer, int column, int row)
{
    FrameSketch *sketch = designer.sketch();
    QTest::mouseClick(sketch, Qt::LeftButton, {}, sketch->frameRect(column, row).center());
}

TEST(FramesetDesigner, KeyboardAndMouseBuildTwoColumns)
{
    DialogTesting t;
    t.writeFile(QStringLiteral("a.htm"));
    t.writeFile(QStringLiteral("b.htm"));
    t.host.setDocument(QString(), 0, 0);
    TFrameFrm designer(t.services);
    designer.show();
    designer.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&designer));

    // Nothing selected: merge and properties explain themselves.
    designer.mergeAction()->trigger();
    designer.propertiesAction()->trigger();
    EXPECT_EQ(t.host.fakePrompts.shown,
              (QStringList{QStringLiteral("information:") + msg(46), QStringLiteral("information:") + msg(47)}));

    designer.addColumnAction()->trigger();
    EXPECT_EQ(designer.layout().columnCount(), 2);
    const QString names[] = {QStringLiteral("gauche"), QStringLiteral("droite")};
    const QString sources[] = {QStringLiteral("a.htm"), QStringLiteral("b.htm")};
    for (int c = 0; c < 2; ++c) {
        if (c == 0) {
            clickFrame(designer, 0, 0);
        } else {
            // The keyboard: the arrow moves to the next frame, the space bar selects it.
            QTest::keyClick(designer.sketch(), Qt::Key_Right);
            QTest::keyClick(designer.sketch(), Qt::Key_Space);
        }
        ASSERT_EQ(designer.layout().selectedOwners(), (std::vector<SlotPos>{{c, 0}}));
        designer.beforeSubDialog = [&](QDialog &d) { answerFrame(d, names[c], sources[c]); };
        designer.propertiesAction()->trigger();
        clickFrame(designer, c, 0); // deselect
    }
    EXPECT_EQ(designer.layout().frame(1, 0).Name, names[1]);
    designer.noFramesBox()->setChecked(false);
    designer.okButton()->click();
    EXPECT_EQ(designer.result(), QDialog::Accepted) << t.host.fakePrompts.shown.join(u'/').toStdString();
    EXPECT_EQ(t.host.text.text(), QStringLiteral("<FRAMESET COLS=\"50%,*\">\r\n"
                                                 "  <FRAME NAME=\"gauche\" SRC=\"a.htm\">\r\n"
                                                 "  <FRAME NAME=\"droite\" SRC=\"b.htm\">\r\n"
                                                 "</FRAMESET>\r\n"));
    t.host.undo.Undo();
    EXPECT_EQ(t.host.text.text(), QString());
}

TEST(FramesetDesigner, OkRefusals)
{
    const struct
    {
        int columns;
        bool named;
        QString shown;
        bool closes;
    } cases[] = {
        {2, false, QStringLiteral("information:") + msg(49), false},
        {1, true, QStringLiteral("warning:") + msg(52), true},
    };
    for (const auto &c : cases) {
        DialogTesting t;
        t.host.setDocument(QStringLiteral("x"), 0, 0);
        TFrameFrm designer(t.services);
        designer.columnSpin()->setValue(c.columns);
        if (c.named) {
            designer.layout().frame(0, 0).Name = QStringLiteral("n");
            designer.layout().frame(0, 0).Src = QStringLiteral("s.htm");
        }
        designer.show();
        designer.okButton()->click();
        EXPECT_EQ(t.host.fakePrompts.shown, QStringList{c.shown});
        EXPECT_EQ(designer.isVisible(), !c.closes);
        EXPECT_EQ(t.host.text.text(), QStringLiteral("x"));
    }
}

TEST(InlineFrameCommand, WrapsTheSelection)
{
    DialogTesting t;
    t.writeFile(QStringLiteral("pub.htm"));
    t.host.setDocument(QStringLiteral("avant texte après"), 6, 5);
    QTimer::singleShot(0, [] {
        auto *dialog = qobject_cast<TCadreFrm *>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        FrameFields f = dialog->frameFields();
        f.name = QStringLiteral("la pub");
        f.source = QStringLiteral("pub.htm");
        f.width = QStringLiteral("50");
        f.widthPercent = true;
        dialog->setFrameFields(f);
        dialog->okButton()->click();
    });
    InlineFrameCommand(t.services);
    EXPECT_EQ(t.host.text.text(),
              QStringLiteral("avant <IFRAME NAME=\"lapub\" SRC=\"pub.htm\" WIDTH=\"50%\">texte</IFRAME> après"));
}

// Every page: nothing clipped, every field reached by its caption, the help
// anchor present; saved as pictures when TESSALINE_SHOTS names a folder.
TEST(FramesetPages, ReadableWithTheirHelp)
{
    const struct
    {
        const char *shot;
        std::function<ElementDialog *(DialogServices &)> make;
        int tab;
    } pages[] = {
        {"cadres-designer",
         [](DialogServices &s) {
             auto *d = new TFrameFrm(s);
             d->columnSpin()->setValue(3);
             d->rowSpin()->setValue(3);
             FramesetLayout &l = d->layout();
             l.clickFrame(0, 0);
             l.clickFrame(0, 2);
             l.mergeSelection();
             l.clickFrame(1, 0);
             l.clickFrame(2, 0);
             l.mergeSelection();
             l.frame(0, 0).Name = QStringLiteral("menu");
             l.frame(1, 0).Name = QStringLiteral("titre");
             l.clickFrame(1, 1);
             return d;
         },
         -1},
        {"cadres-cadre", [](DialogServices &s) { return new TCadreFrm(s, TCadreFrm::Mode::Frame); }, 0},
        {"cadres-cadre-autres", [](DialogServices &s) { return new TCadreFrm(s, TCadreFrm::Mode::Frame); }, 1},
        {"cadres-jeu", [](DialogServices &s) { return new TCadreFrm(s, TCadreFrm::Mode::Frameset); }, 0},
        {"cadres-unique", [](DialogServices &s) { return new TCadreFrm(s, TCadreFrm::Mode::IFrame); }, 0},
        {"cadres-unique-autres", [](DialogServices &s) { return new TCadreFrm(s, TCadreFrm::Mode::IFrame); }, 1},
    };
    const QString shots = qEnvironmentVariable("TESSALINE_SHOTS");
    const QDir help(QCoreApplication::applicationDirPath() + QStringLiteral("/../src/help"));
    for (const auto &page : pages) {
        DialogTesting t;
        std::unique_ptr<ElementDialog> dialog(page.make(t.services));
        if (auto *tabs = dialog->findChild<QTabWidget *>(); tabs && page.tab >= 0)
            tabs->setCurrentIndex(page.tab);
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        QList<QWidget *> captioned;
        for (auto *label : dialog->findChildren<QLabel *>()) {
            if (label->isVisible() && !label->wordWrap() && !label->text().isEmpty())
                EXPECT_GE(label->width(), label->minimumSizeHint().width()) << page.shot << qPrintable(label->text());
            if (label->buddy())
                captioned << label->buddy();
        }
        for (auto *button : dialog->findChildren<QAbstractButton *>()) {
            if (button->isVisible() && !button->text().isEmpty())
                EXPECT_GE(button->width(), button->minimumSizeHint().width())
                    << page.shot << qPrintable(button->text());
        }
        QList<QWidget *> fields;
        for (auto *w : dialog->findChildren<QLineEdit *>()) {
            if (!qobject_cast<QComboBox *>(w->parentWidget()) && !qobject_cast<QAbstractSpinBox *>(w->parentWidget()))
                fields << w;
        }
        for (auto *w : dialog->findChildren<QAbstractSpinBox *>())
            fields << w;
        for (auto *w : dialog->findChildren<QComboBox *>())
            fields << w;
        for (QWidget *field : fields) {
            if (field->isVisible())
                EXPECT_TRUE(captioned.contains(field)) << page.shot;
        }
        QFile helpPage(help.filePath(dialog->helpPage()));
        ASSERT_TRUE(helpPage.open(QIODevice::ReadOnly)) << page.shot;
        if (!dialog->helpAnchor().isEmpty())
            EXPECT_TRUE(helpPage.readAll().contains(("id=\"" + dialog->helpAnchor() + "\"").toUtf8())) << page.shot;
        if (!shots.isEmpty())
            dialog->grab().save(QDir(shots).filePath(QLatin1String(page.shot) + QStringLiteral(".png")));
    }
}

} // namespace
