#include "../dialogs/dialogtesting.h"
#include "core/messages/messages.h"
#include "ui/frameset/cadredialog.h"
#include "ui/frameset/framesetcommands.h"
#include "ui/frameset/framesetdesigner.h"
#include "ui/frameset/framesketch.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QSpinBox>
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
    // The mouse selects the first frame, the arrow and space bar the second.
    clickFrame(designer, 0, 0);
    designer.beforeSubDialog = [](QDialog &d) { answerFrame(d, QStringLiteral("gauche"), QStringLiteral("a.htm")); };
    designer.propertiesAction()->trigger();
    clickFrame(designer, 0, 0); // deselect
    QTest::keyClick(designer.sketch(), Qt::Key_Right);
    QTest::keyClick(designer.sketch(), Qt::Key_Space);
    ASSERT_EQ(designer.layout().selectedOwners(), (std::vector<SlotPos>{{1, 0}}));
    designer.beforeSubDialog = [](QDialog &d) { answerFrame(d, QStringLiteral("droite"), QStringLiteral("b.htm")); };
    designer.propertiesAction()->trigger();
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

TEST(FramesetPages, ReadableWithTheirHelp)
{
    using Make = ElementDialog *(*)(DialogServices &);
    const struct
    {
        const char *shot;
        Make make;
        int tab;
    } pages[] = {
        {"cadres-designer",
         [](DialogServices &s) -> ElementDialog * {
             auto *d = new TFrameFrm(s);
             d->columnSpin()->setValue(3);
             d->rowSpin()->setValue(3);
             d->layout().clickFrame(0, 0);
             d->layout().clickFrame(0, 2);
             d->layout().mergeSelection();
             return d;
         },
         -1},
        {"cadres-cadre", [](DialogServices &s) -> ElementDialog * { return new TCadreFrm(s, TCadreFrm::Mode::Frame); },
         1},
        {"cadres-jeu", [](DialogServices &s) -> ElementDialog * { return new TCadreFrm(s, TCadreFrm::Mode::Frameset); },
         0},
        {"cadres-unique",
         [](DialogServices &s) -> ElementDialog * { return new TCadreFrm(s, TCadreFrm::Mode::IFrame); }, 0},
        {"cadres-unique-autres",
         [](DialogServices &s) -> ElementDialog * { return new TCadreFrm(s, TCadreFrm::Mode::IFrame); }, 1},
    };
    for (const auto &page : pages) {
        DialogTesting t;
        checkDialogPage(page.make(t.services), page.shot, page.tab);
    }
}

} // namespace
