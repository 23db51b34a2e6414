#include "ui/preferences/marginruler.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr int ClientWidth = 1024;
// Marker rows: the left marker on the upper one, the right on the lower one.
constexpr int UpperRow = 5;
constexpr int LowerRow = 19;

struct Drag
{
    const char *name;
    int pressX, pressY; // where the button goes down
    int moveX;          // where the pointer is moved and let go
    int leftEdge, rightEdge;
    bool reported;
};

} // namespace

TEST(MarginRuler, DraggedMarkersKeepTheGapAndAreClampedAtRelease)
{
    // Start: left edge 18 (centre 22), right edge 595 (centre 599).
    const Drag cases[] = {
        {"left follows the pointer", 22, UpperRow, 104, 100, 595, true},
        {"left stops 38 pixels before the right", 22, UpperRow, 900, 557, 595, true},
        {"left below 0 is clamped at release", 22, UpperRow, -40, 0, 595, true},
        {"right follows the pointer", 599, LowerRow, 704, 18, 700, true},
        {"right stops 38 pixels after the left", 599, LowerRow, 0, 18, 56, true},
        {"right beyond the limit is clamped at release", 599, LowerRow, 5000, 18, ClientWidth - 9 - 20, true},
        {"a press beside the markers moves nothing", 300, UpperRow, 500, 18, 595, false},
        {"a press on the wrong row moves nothing", 22, LowerRow, 500, 18, 595, false},
    };
    for (const Drag &c : cases) {
        MarginRuler ruler;
        ruler.setClientWidthSource([] { return ClientWidth; });
        ruler.resize(ClientWidth, MarginRuler::Height);
        ruler.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&ruler));
        ruler.setMarkerEdges(18, 595);
        QSignalSpy changed(&ruler, &MarginRuler::marginsChanged);

        QTest::mousePress(&ruler, Qt::LeftButton, {}, QPoint(c.pressX, c.pressY));
        QTest::mouseMove(&ruler, QPoint((c.pressX + c.moveX) / 2, c.pressY));
        QTest::mouseMove(&ruler, QPoint(c.moveX, c.pressY));
        QTest::mouseRelease(&ruler, Qt::LeftButton, {}, QPoint(c.moveX, c.pressY));

        EXPECT_EQ(ruler.leftEdge(), c.leftEdge) << c.name;
        EXPECT_EQ(ruler.rightEdge(), c.rightEdge) << c.name;
        ASSERT_EQ(changed.size(), c.reported ? 1 : 0) << c.name;
        if (c.reported) {
            // The margins reported are the markers' centres.
            EXPECT_EQ(changed.at(0).at(0).toInt(), c.leftEdge + 4) << c.name;
            EXPECT_EQ(changed.at(0).at(1).toInt(), c.rightEdge + 4) << c.name;
        }
    }
}
