#include "core/preferences/marginmarkers.h"

#include <gtest/gtest.h>

using namespace MarginMarkers;

TEST(MarginMarkers, StoredCentresArePlacedAndStayPut)
{
    const struct
    {
        int left, right, clientWidth;
        int leftEdge, rightEdge;
    } cases[] = {
        // First start: left centred at 22, right at the far right limit.
        {22, 2000, 1024, 18, 995},
        {40, 600, 1024, 36, 596},
        // Below 0 becomes 0.
        {-50, 300, 1024, 0, 296},
        // Crossed or too close margins from a damaged store are pulled apart.
        {500, 100, 1024, 496, 534},
        // Both beyond a narrow window: the left one keeps the gap.
        {900, 2000, 300, 233, 271},
        // A window not laid out yet does not clamp the stored margins.
        {22, 2000, 0, 18, 1996},
    };
    for (const auto &c : cases) {
        const auto [left, right] = placeMarkers(c.left, c.right, c.clientWidth);
        EXPECT_EQ(left, c.leftEdge) << c.left << " " << c.right << " " << c.clientWidth;
        EXPECT_EQ(right, c.rightEdge) << c.left << " " << c.right << " " << c.clientWidth;
        // Placing the markers from the centres they give back changes nothing,
        // so the margins do not creep from one start to the next.
        const auto again = placeMarkers(centreOf(left), centreOf(right), c.clientWidth);
        EXPECT_EQ(again.first, left);
        EXPECT_EQ(again.second, right);
    }
}
