#include "core/preferences/marginmarkers.h"

#include <algorithm>

namespace MarginMarkers {

int clampEdge(int edge, int clientWidth)
{
    edge = std::min(edge, rightLimit(clientWidth));
    return std::max(edge, 0);
}

int dragLeftEdge(int pointerX, int rightEdge)
{
    return std::min(pointerX - Half, rightEdge - MinimumGap);
}

int dragRightEdge(int pointerX, int leftEdge)
{
    return std::max(pointerX - Half, leftEdge + MinimumGap);
}

std::pair<int, int> placeMarkers(int leftCentre, int rightCentre, int clientWidth)
{
    int left = leftCentre - Half;
    int right = rightCentre - Half;
    if (isUsableWidth(clientWidth)) {
        left = std::min(clampEdge(left, clientWidth), rightLimit(clientWidth) - MinimumGap);
        right = clampEdge(right, clientWidth);
    } else {
        left = std::max(left, 0);
    }
    right = std::max(right, left + MinimumGap);
    return {left, right};
}

} // namespace MarginMarkers
