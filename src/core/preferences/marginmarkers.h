#pragma once

#include <utility>

// The geometry of the two margin markers on the ruler. A margin is stored as
// the pixel position of its marker's centre; the ruler works with the
// markers' left edges. Positions are measured from the left edge of the
// frame window's client area, which is also the left edge of the text area.
namespace MarginMarkers {

inline constexpr int Width = 9;
inline constexpr int Half = Width / 2;
// The closest the two markers' left edges may come while dragging.
inline constexpr int MinimumGap = 38;
// Room kept free right of the right-most marker position.
inline constexpr int RightSlack = 20;

inline int centreOf(int edge)
{
    return edge + Half;
}

// The right-most left edge a marker may take in a client area this wide.
inline int rightLimit(int clientWidth)
{
    return clientWidth - Width - RightSlack;
}

// True when a client area is wide enough to place markers in; before the
// frame window is laid out its width is meaningless and must not clamp the
// stored margins.
inline bool isUsableWidth(int clientWidth)
{
    return rightLimit(clientWidth) > MinimumGap;
}

// A left edge after a marker is let go: below 0 becomes 0, beyond the right
// limit becomes the limit.
int clampEdge(int edge, int clientWidth);

// Where a dragged marker's left edge goes for a pointer position: its centre
// under the pointer, kept MinimumGap away from the other marker.
int dragLeftEdge(int pointerX, int rightEdge);
int dragRightEdge(int pointerX, int leftEdge);

// Left edges of both markers for stored centres: each clamped into the
// client area, and the right marker kept at least MinimumGap right of the
// left one.
std::pair<int, int> placeMarkers(int leftCentre, int rightCentre, int clientWidth);

} // namespace MarginMarkers
