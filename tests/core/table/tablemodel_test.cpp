#include "core/table/tablemodel.h"

#include "tabletestmodels.h"

#include <gtest/gtest.h>

namespace {

using TableTestModels::spans;

struct ResizeCase
{
    const char *what;
    int columns, rows;
    SlotRect merge;
    int newColumnIndex, newRowIndex;
    const char *expected;
};

TEST(TableModel, ResizingCutsOrDropsMergedCells)
{
    const ResizeCase cases[] = {
        {"last column cut from a merged cell", 3, 2, {1, 2, 0, 1}, 1, 1, "1x1 1x2 | 1x1 0"},
        {"column a merged cell starts in goes", 3, 2, {2, 2, 0, 1}, 1, 1, "1x1 1x1 | 1x1 1x1"},
        {"last row cut from a merged cell", 2, 3, {0, 1, 1, 2}, 1, 1, "1x1 1x1 | 2x1 0"},
        {"row a merged cell starts in goes", 2, 3, {0, 1, 2, 2}, 1, 1, "1x1 1x1 | 1x1 1x1"},
        {"growing adds empty owners", 2, 2, {0, 1, 0, 0}, 2, 2, "2x1 0 1x1 | 1x1 1x1 1x1 | 1x1 1x1 1x1"},
        {"counts stay within the grid", 2, 2, {0, 0, 0, 0}, 14, -3, "1x1 1x1 1x1 1x1 1x1 1x1 1x1 1x1 1x1 1x1"},
    };
    for (const ResizeCase &c : cases) {
        TableModel m = TableTestModels::table(c.columns, c.rows);
        m.Merge(c.merge);
        m.AddColonne(c.newColumnIndex);
        m.AddRangee(c.newRowIndex);
        EXPECT_EQ(spans(m), QString::fromLatin1(c.expected)) << c.what;
        EXPECT_EQ(m.invariantBreach(), QString()) << c.what;
    }
}

TEST(TableModel, MergeKeepsTheTopLeftCellOnly)
{
    TableModel m;
    m.cell(0, 0).Content = {QStringLiteral("garde")};
    m.cell(1, 1).Content = {QStringLiteral("perdu")};
    EXPECT_FALSE(m.Merge({1, 1, 0, 0}));
    ASSERT_TRUE(m.Merge({0, 1, 0, 1}));
    EXPECT_EQ(spans(m), QStringLiteral("2x2 0 | 0 0"));
    EXPECT_EQ(m.cell(0, 0).Content, QStringList{QStringLiteral("garde")});
    EXPECT_TRUE(m.cell(1, 1).Content.isEmpty());
    // Growing again gives the dropped slots no cell back.
    m.AddColonne(2);
    EXPECT_EQ(spans(m), QStringLiteral("2x2 0 1x1 | 0 0 1x1"));
}

} // namespace
