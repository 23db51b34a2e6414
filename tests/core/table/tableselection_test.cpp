#include "core/messages/messages.h"
#include "core/table/tablemodel.h"
#include "core/table/tableselection.h"

#include "support/fakeprompts.h"
#include "tabletestmodels.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using TableTestModels::pick;
using TableTestModels::selected;
using TableTestModels::spans;
using TableTestModels::table;

// Clicks on a 3 x 3 table: what ends up selected, and what the properties
// command makes of it (a message when it can do nothing).
struct ClickCase
{
    const char *what;
    SlotRect premerge; // merged first when wider than one slot
    std::vector<SlotPos> clicks;
    const char *selected;
    PropertiesTarget::Mode mode;
    int message; // 0 none
};

TEST(TableSelection, ClicksGrowAClosedRectangle)
{
    using Mode = PropertiesTarget::Mode;
    const ClickCase cases[] = {
        {"nothing selected", {}, {}, "", Mode::None, 61},
        {"one cell", {}, {{1, 1}}, "1,1", Mode::Cell, 0},
        {"diagonal cells select the block between", {}, {{0, 0}, {1, 1}}, "0,0 1,0 0,1 1,1", Mode::None, 63},
        {"whole second row", {}, {{0, 1}, {2, 1}}, "0,1 1,1 2,1", Mode::Row, 0},
        {"two cells of that row", {}, {{0, 1}, {1, 1}}, "0,1 1,1", Mode::None, 63},
        {"a second click on a selected cell clears all", {}, {{0, 0}, {1, 1}, {1, 0}}, "", Mode::None, 61},
        {"a rectangle cutting a merged cell takes it whole",
         {1, 2, 1, 2},
         {{0, 2}, {1, 0}},
         "0,0 1,0 2,0 0,1 1,1 0,2",
         Mode::None,
         63},
        {"a click on a covered slot selects its owner", {0, 1, 0, 1}, {{1, 1}}, "0,0", Mode::Cell, 0},
        {"one merged cell spanning the row", {0, 2, 1, 1}, {{0, 1}}, "0,1", Mode::Cell, 0},
        {"clicks outside the table do nothing", {}, {{5, 0}, {0, 9}}, "", Mode::None, 61},
    };
    for (const ClickCase &k : cases) {
        TableModel m = table(3, 3);
        if (k.premerge.maxColumn > k.premerge.minColumn)
            m.Merge(k.premerge);
        for (const SlotPos &p : k.clicks)
            SelectCellule(m, p.column, p.row);
        EXPECT_EQ(selected(m), QString::fromLatin1(k.selected)) << k.what;
        FakePrompts prompts;
        const PropertiesTarget t = PropertiesFor(m, &prompts);
        EXPECT_EQ(t.mode, k.mode) << k.what;
        EXPECT_EQ(prompts.shown,
                  k.message ? QStringList{QStringLiteral("information:") + msg(k.message)} : QStringList{})
            << k.what;
        if (k.mode == Mode::Row) {
            EXPECT_EQ(t.row, 1) << k.what;
        }
    }
}

TEST(TableSelection, DiagonalMergeKeepsOnlyTheFirstContentAfterAsking)
{
    for (const bool agree : {true, false}) {
        TableModel m = table(3, 3);
        m.cell(0, 0).Content = QStringList{QStringLiteral("premier")};
        m.cell(1, 1).Content = QStringList{QStringLiteral("second")};
        m.cell(1, 0).Content = QStringList{QStringLiteral("  ")}; // blank: nothing lost
        SelectCellule(m, 0, 0);
        SelectCellule(m, 1, 1);
        FakePrompts prompts;
        prompts.answers.push_back(agree ? Prompts::Answer::Yes : Prompts::Answer::No);
        EXPECT_EQ(MergeSelection(m, prompts), agree ? MergeOutcome::Merged : MergeOutcome::Declined);
        EXPECT_EQ(prompts.asked, QStringList{msg(62).arg(1)});
        if (agree) {
            EXPECT_EQ(spans(m), QStringLiteral("2x2 0 1x1 | 0 0 1x1 | 1x1 1x1 1x1"));
            EXPECT_EQ(m.cell(0, 0).Content, QStringList{QStringLiteral("premier")});
            EXPECT_EQ(selected(m), QStringLiteral("0,0"));
        } else {
            EXPECT_EQ(spans(m), QStringLiteral("1x1 1x1 1x1 | 1x1 1x1 1x1 | 1x1 1x1 1x1"));
            EXPECT_EQ(m.cell(1, 1).Content, QStringList{QStringLiteral("second")});
        }
    }
}

TEST(TableSelection, EmptyCellsMergeWithoutQuestionAndOneCellIsRefused)
{
    TableModel m = table(3, 2);
    FakePrompts prompts;
    SelectCellule(m, 1, 0);
    EXPECT_EQ(MergeSelection(m, prompts), MergeOutcome::TooFew);
    EXPECT_EQ(prompts.shown, QStringList{QStringLiteral("information:") + msg(60)});
    SelectCellule(m, 2, 1);
    EXPECT_EQ(MergeSelection(m, prompts), MergeOutcome::Merged);
    EXPECT_TRUE(prompts.asked.isEmpty());
    EXPECT_EQ(spans(m), QStringLiteral("1x1 2x2 0 | 1x1 0 0"));
}

TEST(TableSelection, SplitGivesBackFreshCellsAndTheFirstKeepsItsOwn)
{
    TableModel m = table(3, 3);
    m.cell(1, 1).Content = QStringList{QStringLiteral("garde")};
    m.cell(1, 1).BgColor = QStringLiteral("#FF0000");
    m.Merge({1, 2, 1, 2});
    SelectCellule(m, 2, 2);
    ASSERT_TRUE(SelectionHasMergedCell(m));
    ASSERT_TRUE(SplitSelection(m));
    EXPECT_EQ(spans(m), QStringLiteral("1x1 1x1 1x1 | 1x1 1x1 1x1 | 1x1 1x1 1x1"));
    EXPECT_EQ(m.cell(1, 1).BgColor, QStringLiteral("#FF0000"));
    EXPECT_EQ(m.cell(1, 1).Content, QStringList{QStringLiteral("garde")});
    EXPECT_TRUE(m.cell(2, 2).Content.isEmpty());
    EXPECT_EQ(m.cell(2, 2).Kind, 2);
    EXPECT_EQ(selected(m), QStringLiteral("1,1 2,1 1,2 2,2"));
    EXPECT_FALSE(SplitSelection(m));
}

// Random merges (of selections or of any rectangle), splits, selections and
// resizes past the limits never break the span rule nor the limits, and
// every row keeps a cell starting in it or covered from above.
TEST(TableSelection, RandomEditsKeepTheSpanRule)
{
    std::mt19937 rng(18);
    FakePrompts prompts;
    for (int round = 0; round < 200; ++round) {
        TableModel m = table(pick(rng, 1, 10), pick(rng, 1, 12));
        for (int step = 0; step < 30; ++step) {
            const int c = pick(rng, 0, m.ColCount() - 1), r = pick(rng, 0, m.RowCount() - 1);
            switch (pick(rng, 0, 6)) {
            case 0:
            case 1:
                SelectCellule(m, c, r);
                break;
            case 2:
                prompts.answers.push_back(Prompts::Answer::Yes);
                MergeSelection(m, prompts);
                break;
            case 3:
                SplitSelection(m);
                break;
            case 4:
                m.Merge({c, pick(rng, c, m.ColCount() - 1), r, pick(rng, r, m.RowCount() - 1)});
                break;
            case 5:
                m.AddColonne(pick(rng, -2, TableModel::MaxColumns + 1));
                break;
            default:
                m.AddRangee(pick(rng, -2, TableModel::MaxRows + 1));
                break;
            }
            ASSERT_EQ(m.invariantBreach(), QString()) << round << ' ' << step << ' ' << qPrintable(spans(m));
            ASSERT_TRUE(m.ColCount() >= 1 && m.ColCount() <= TableModel::MaxColumns);
            ASSERT_TRUE(m.RowCount() >= 1 && m.RowCount() <= TableModel::MaxRows);
            if (const auto rect = SelectionRect(m)) {
                ASSERT_EQ(SelectedOwnersIn(m, *rect), SelectedOwnersIn(m, {0, 9, 0, 39}));
            }
        }
    }
}

} // namespace
