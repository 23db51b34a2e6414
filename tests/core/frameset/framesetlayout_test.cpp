#include "core/frameset/framesetlayout.h"
#include "framesetlayouts.h"

#include <gtest/gtest.h>

namespace {

using FramesetLayouts::drawn;

// The spans of the layout drawn back as letters of their owners.
QStringList picture(const FramesetLayout &layout)
{
    QStringList rows;
    for (int r = 0; r < layout.rowCount(); ++r) {
        QString row;
        for (int c = 0; c < layout.columnCount(); ++c) {
            const SlotPos o = layout.grid().ownerOf(c, r);
            const QString name = layout.frame(o.column, o.row).Name;
            row += name.isEmpty() ? QStringLiteral(".") : name;
        }
        rows << row;
    }
    return rows;
}

TEST(FramesetLayout, RemovingColumnsAndRowsCutsFrames)
{
    const struct
    {
        QStringList start;
        int columns;
        int rows;
        QStringList expected;
    } cases[] = {
        {{"AAB", "AAC"}, 2, 2, {"AA", "AA"}},
        {{"ABB", "CBB"}, 2, 2, {"AB", "CB"}},
        {{"ABB", "CBB"}, 2, 1, {"AB"}},
        {{"AB", "AB", "CC"}, 2, 1, {"AB"}},
        {{"AB", "CC"}, 3, 3, {"AB.", "CC.", "..."}},
        {{"AA"}, 1, 1, {"A"}},
    };
    for (const auto &c : cases) {
        FramesetLayout layout = drawn(c.start);
        layout.setColumnCount(c.columns);
        layout.setRowCount(c.rows);
        EXPECT_EQ(layout.invariantBreach(), QString());
        EXPECT_EQ(picture(layout), c.expected) << c.start.join(u'/').toStdString();
    }
}

TEST(FramesetLayout, SelectionClosesAroundFramesAndMerges)
{
    FramesetLayout layout = drawn({"ABC", "DDE", "FGH"});
    layout.clickFrame(1, 0); // B
    layout.clickFrame(0, 1); // D reaches under B: A and B's column join
    EXPECT_EQ(layout.selectionRect(), (SlotRect{0, 1, 0, 1}));
    EXPECT_EQ(layout.selectedOwners().size(), 3u); // A, B, D
    ASSERT_TRUE(layout.mergeSelection());
    EXPECT_EQ(picture(layout), (QStringList{"AAC", "AAE", "FGH"}));
    EXPECT_TRUE(layout.selectedOwners().empty());

    layout.clickFrame(2, 0);
    EXPECT_FALSE(layout.mergeSelection()); // one frame is not enough
    layout.clickFrame(2, 0);               // a second click deselects
    EXPECT_TRUE(layout.selectedOwners().empty());
    layout.clear();
    EXPECT_EQ(layout.owners().size(), 1u);
    EXPECT_EQ(layout.invariantBreach(), QString());
}

} // namespace
