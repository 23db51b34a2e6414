#include "core/messages/messages.h"
#include "support/findfixture.h"
#include "support/qstringprinter.h"

#include <QCheckBox>
#include <QLabel>

namespace {

class FindDialogTest : public FindFixture
{
protected:
    QStringList items(const char *combo)
    {
        QStringList list;
        for (int i = 0; i < child<QComboBox>(combo)->count(); ++i)
            list << child<QComboBox>(combo)->itemText(i);
        return list;
    }
};

} // namespace

TEST_F(FindDialogTest, ModesShowAndHideTheReplacementParts)
{
    TRechercheFrm *dialog = open(false);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->isModal());
    EXPECT_EQ(str(dialog->windowTitle()), "Rechercher");
    EXPECT_TRUE(child<QComboBox>("replaceText")->isHidden());
    EXPECT_TRUE(child<QPushButton>("findButton")->isDefault());

    // "&Remplacer" in find mode switches to replace mode.
    click("replaceButton");
    EXPECT_EQ(dialog->mode(), TRechercheFrm::Mode::Replace);
    EXPECT_EQ(str(dialog->windowTitle()), "Remplacer");
    EXPECT_FALSE(child<QPushButton>("replaceAllButton")->isHidden());
    EXPECT_TRUE(child<QPushButton>("replaceButton")->isDefault());

    EXPECT_EQ(open(false), dialog); // reused
    EXPECT_EQ(dialog->mode(), TRechercheFrm::Mode::Find);
}

TEST_F(FindDialogTest, GlobalSearchWrapsOnceThenReportsTheEnd)
{
    host.text.setText(QStringLiteral("mot a\r\nmot b mot"));
    host.text.setSelectionStart(9);
    open(false);
    type("findText", QStringLiteral("MOT"));
    std::vector<int> found;
    for (int i = 0; i < 3; ++i) {
        click("findButton");
        found.push_back(host.text.selectionStart());
        EXPECT_EQ(host.text.selectionLength(), 3);
    }
    EXPECT_EQ(found, (std::vector<int>{13, 0, 7}));
    EXPECT_TRUE(host.fakePrompts.shown.isEmpty());
    click("findButton");
    EXPECT_EQ(str(host.fakePrompts.shown), str(QStringLiteral("warning:") + msg(33)));
    EXPECT_EQ(commands.dialog()->searchState().SearchOrigin, -1);
}

TEST_F(FindDialogTest, ReplaceGoesThroughTheMatchesAndUndoesOneByOne)
{
    host.text.setText(QStringLiteral("un deux un"));
    open(true);
    type("findText", QStringLiteral("un"));
    type("replaceText", QStringLiteral("1"));
    click("replaceButton"); // finds the first
    EXPECT_EQ(host.text.selectionStart(), 0);
    click("replaceButton");
    click("replaceButton");
    EXPECT_EQ(str(host.text.text()), "1 deux 1");
    EXPECT_EQ(str(host.fakePrompts.shown), str(QStringLiteral("warning:") + msg(34)));
    EXPECT_EQ(items("replaceText"), QStringList{QStringLiteral("1")});
    host.undo.Undo();
    EXPECT_EQ(str(host.text.text()), "1 deux un");
}

TEST_F(FindDialogTest, ReplaceAllWholeWordIsOneStepAndTellsTheCount)
{
    host.text.setText(QStringLiteral("a ab a"));
    open(true);
    child<QCheckBox>("wholeWord")->setChecked(true);
    type("findText", QStringLiteral("a"));
    type("replaceText", QStringLiteral("b"));
    click("replaceAllButton");
    EXPECT_EQ(str(host.text.text()), "b ab b");
    EXPECT_EQ(str(host.fakePrompts.shown), "warning:Recherche terminée. 2 remplacement(s) ont été effectué(s).");
    EXPECT_GE(host.updates, 1);
    EXPECT_EQ(items("findText"), QStringList{QStringLiteral("a")});
    EXPECT_EQ(items("replaceText"), QStringList{QStringLiteral("b")});
    host.undo.Undo();
    EXPECT_EQ(str(host.text.text()), "a ab a");
}

TEST_F(FindDialogTest, RepeatFindsDownwardQuietlyWithTheCurrentOptions)
{
    host.text.setText(QStringLiteral("x mot x mot"));
    open(false);
    type("findText", QStringLiteral("mot"));
    const QPoint placed = commands.dialog()->pos();
    commands.repeatAction()->trigger();
    EXPECT_EQ(host.text.selectionStart(), 2);
    commands.repeatAction()->trigger();
    EXPECT_EQ(host.text.selectionStart(), 8);
    EXPECT_EQ(commands.dialog()->pos(), placed);
    commands.repeatAction()->trigger();
    EXPECT_EQ(str(host.fakePrompts.shown), str(QStringLiteral("warning:") + msg(33)));
}

TEST(FindDialogPlacement, MovesAwayFromTheCaretsHalf)
{
    const QRect frame(100, 50, 800, 600);
    struct Case
    {
        int caretLine, visibleLines;
        int top;
    };
    const Case cases[] = {
        {1, 30, 50 + 600 - 200 - 22},
        {15, 30, 50 + 600 - 200 - 22},
        {16, 30, 50 + 22},
        {40, 30, 50 + 22},
    };
    for (const Case &c : cases)
        EXPECT_EQ(dialogTopAwayFromCaret(c.caretLine, c.visibleLines, frame, 200), c.top) << c.caretLine;
}

TEST_F(FindDialogTest, ExpressionsReplaceWithTheirGroupsOrShowWhyTheyCannot)
{
    struct Case
    {
        const char *pattern, *replacement, *expected;
        bool error;
    };
    const Case cases[] = {
        {"<(\\w+)>(.*?)</\\1>", "[\\1:\\2]", "[b:un] [i:deux]\r\n<p>", false},
        {"<(\\w+", "x", "<b>un</b> <i>deux</i>\r\n<p>", true},
    };
    for (const Case &c : cases) {
        host.text.setText(QStringLiteral("<b>un</b> <i>deux</i>\r\n<p>"));
        host.fakePrompts.shown.clear();
        open(true);
        child<QCheckBox>("regex")->setChecked(true);
        type("findText", QString::fromUtf8(c.pattern));
        type("replaceText", QString::fromUtf8(c.replacement));
        click("replaceAllButton");
        EXPECT_EQ(str(host.text.text()), c.expected);
        EXPECT_EQ(child<QLabel>("patternError")->isVisible(), c.error);
        EXPECT_EQ(host.fakePrompts.shown.size(), c.error ? 0 : 1);
    }
}
