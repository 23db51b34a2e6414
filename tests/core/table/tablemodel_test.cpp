#include "core/table/tablemodel.h"

#include "tabletestmodels.h"

#include <gtest/gtest.h>

#include <random>

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
        {"shrinking by several at once", 4, 4, {1, 3, 1, 3}, 1, 1, "1x1 1x1 | 1x1 1x1"},
        {"counts stay within the grid", 2, 2, {0, 0, 0, 0}, 14, -3, "1x1 1x1 1x1 1x1 1x1 1x1 1x1 1x1 1x1 1x1"},
    };
    for (const ResizeCase &c : cases) {
        TableModel m;
        m.AddColonne(c.columns - 1);
        m.AddRangee(c.rows - 1);
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

TEST(TableModel, InvariantHoldsUnderRandomEdits)
{
    std::mt19937 rng(1234);
    for (int run = 0; run < 300; ++run) {
        TableModel m;
        for (int step = 0; step < 40; ++step) {
            const int op = std::uniform_int_distribution<int>(0, 4)(rng);
            const auto any = [&](int n) { return std::uniform_int_distribution<int>(0, n)(rng); };
            switch (op) {
            case 0:
                m.AddColonne(m.ColCount() + (any(1) ? 0 : -2));
                break;
            case 1:
                m.AddRangee(m.RowCount() + (any(1) ? 0 : -2));
                break;
            case 2:
                m.AddColonne(any(TableModel::MaxColumns));
                break;
            case 3:
                m.AddRangee(any(TableModel::MaxRows));
                break;
            default: {
                const int c = any(m.ColCount() - 1), r = any(m.RowCount() - 1);
                m.Merge({c, c + any(m.ColCount() - 1 - c), r, r + any(m.RowCount() - 1 - r)});
            }
            }
            ASSERT_EQ(m.invariantBreach(), QString())
                << "run " << run << " step " << step << ": " << spans(m).toStdString();
            ASSERT_GE(m.ColCount(), 1);
            ASSERT_LE(m.ColCount(), TableModel::MaxColumns);
            ASSERT_GE(m.RowCount(), 1);
            ASSERT_LE(m.RowCount(), TableModel::MaxRows);
        }
    }
}

} // namespace
