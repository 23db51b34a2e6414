#include "core/grid/slotgrid.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace {

struct Cell
{
    int column, row, colSpan, rowSpan;
};

// A columns x rows layout of single cells, with the given merged cells.
SlotGrid layout(int columns, int rows, std::initializer_list<Cell> merged)
{
    SlotGrid grid(10, 10);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            grid.setSpans(c, r, 1, 1);
    for (const Cell &m : merged) {
        for (int r = m.row; r < m.row + m.rowSpan; ++r)
            for (int c = m.column; c < m.column + m.colSpan; ++c)
                grid.setCovered(c, r);
        grid.setSpans(m.column, m.row, m.colSpan, m.rowSpan);
    }
    return grid;
}

struct ExpandCase
{
    const char *what;
    std::initializer_list<Cell> merged;
    SlotRect from;
    SlotRect expected;
};

TEST(SlotGrid, ExpandSelectionClosesTheRectangle)
{
    const ExpandCase cases[] = {
        {"single cells stay", {}, {1, 2, 1, 1}, {1, 2, 1, 1}},
        {"owner reaching right widens", {{1, 1, 3, 1}}, {0, 1, 1, 1}, {0, 3, 1, 1}},
        {"covered slot pulls up to its owner", {{2, 0, 1, 3}}, {2, 3, 2, 2}, {2, 3, 0, 2}},
        {"covered slot pulls diagonally", {{0, 0, 2, 2}}, {1, 2, 1, 2}, {0, 2, 0, 2}},
        // The owner stands two columns left and one row up of the corner
        // slot: neither straight nor diagonal looks find it.
        {"owner off the diagonal", {{0, 0, 4, 2}}, {3, 4, 1, 2}, {0, 4, 0, 2}},
        {"two cells pull two ways", {{2, 0, 1, 2}, {0, 1, 2, 1}}, {1, 2, 1, 1}, {0, 2, 0, 1}},
    };
    for (const ExpandCase &c : cases) {
        const SlotGrid grid = layout(6, 5, c.merged);
        ASSERT_EQ(grid.invariantBreach(6, 5), QString()) << c.what;
        EXPECT_EQ(ExpandSelection(grid, c.from), c.expected) << c.what;
    }
}

TEST(SlotGrid, InvariantBreachesAreFound)
{
    struct Breach
    {
        const char *what;
        void (*spoil)(SlotGrid &);
    };
    const Breach cases[] = {
        {"mixed spans", [](SlotGrid &g) { g.setSpans(1, 1, 0, 1); }},
        {"free slot inside", [](SlotGrid &g) { g.setFree(2, 2); }},
        {"owner past the edge", [](SlotGrid &g) { g.setSpans(3, 0, 2, 1); }},
        {"covered slot without owner", [](SlotGrid &g) { g.setCovered(3, 3); }},
        {"slot outside not free", [](SlotGrid &g) { g.setSpans(4, 0, 1, 1); }},
    };
    for (const Breach &c : cases) {
        SlotGrid grid = layout(4, 4, {});
        ASSERT_EQ(grid.invariantBreach(4, 4), QString());
        c.spoil(grid);
        EXPECT_NE(grid.invariantBreach(4, 4), QString()) << c.what;
    }
}

} // namespace
