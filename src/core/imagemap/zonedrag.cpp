#include "core/imagemap/zonedrag.h"

#include <algorithm>

namespace {

bool changesLeft(DragMode m)
{
    return m == DragMode::Left || m == DragMode::TopLeft || m == DragMode::BottomLeft;
}
bool changesRight(DragMode m)
{
    return m == DragMode::Right || m == DragMode::BottomRight || m == DragMode::TopRight;
}
bool changesTop(DragMode m)
{
    return m == DragMode::Top || m == DragMode::TopLeft || m == DragMode::TopRight;
}
bool changesBottom(DragMode m)
{
    return m == DragMode::Bottom || m == DragMode::BottomRight || m == DragMode::BottomLeft;
}

// Moves the near edge (left or top) to the pointer, at most to the picture's
// side and at least one pixel before the far edge.
void dragNearEdge(int &start, int &size, int pointer)
{
    int d = pointer;
    if (start + d < 1)
        d = -start;
    d = std::min(d, size - 1);
    size -= d;
    start += d;
}

} // namespace

DragMode DragModeAt(const MapZone &zone, const QPoint &point)
{
    const int x = point.x() - zone.left;
    const int y = point.y() - zone.top;
    int mode = 0;
    if (x <= 2)
        mode = 1;
    else if (x >= zone.width - 2)
        mode = 3;
    if (y <= 3)
        mode = mode == 0 ? 2 : (mode == 1 ? 5 : 7);
    else if (y >= zone.height - 3)
        mode = mode == 0 ? 4 : (mode == 1 ? 8 : 6);
    return DragMode(mode);
}

DragCursor CursorFor(DragMode mode)
{
    switch (mode) {
    case DragMode::Left:
    case DragMode::Right:
        return DragCursor::Horizontal;
    case DragMode::Top:
    case DragMode::Bottom:
        return DragCursor::Vertical;
    case DragMode::TopLeft:
    case DragMode::BottomRight:
        return DragCursor::DiagonalBack;
    case DragMode::TopRight:
    case DragMode::BottomLeft:
        return DragCursor::DiagonalForward;
    case DragMode::Move:
        break;
    }
    return DragCursor::Normal;
}

MapZone DragStep(const MapZone &zone, DragMode mode, const QPoint &grab, const QPoint &point)
{
    MapZone z = zone;
    const int x = point.x() - zone.left;
    const int y = point.y() - zone.top;
    if (mode == DragMode::Move) {
        z.left += x - grab.x();
        z.top += y - grab.y();
        return z;
    }
    if (changesLeft(mode))
        dragNearEdge(z.left, z.width, x);
    if (changesRight(mode))
        z.width = std::max(1, x);
    if (changesTop(mode))
        dragNearEdge(z.top, z.height, y);
    if (changesBottom(mode))
        z.height = std::max(1, y);
    if (z.kind == MapZone::Kind::Circle) {
        const bool widthChanged = changesLeft(mode) || changesRight(mode);
        const int radius = std::max(1, (widthChanged ? z.width : z.height) / 2);
        z.width = z.height = 2 * radius;
    }
    return z;
}

MapZone ClampZone(const MapZone &zone, const QSize &picture, const QPoint &visible)
{
    MapZone z = zone;
    if (z.left < 0)
        z.left = std::max(0, visible.x());
    if (picture.width() > 0 && z.left + z.width > picture.width())
        z.left = std::max(0, picture.width() - z.width);
    if (z.top < 0)
        z.top = std::max(0, visible.y());
    if (picture.height() > 0 && z.top + z.height > picture.height())
        z.top = std::max(0, picture.height() - z.height);
    return z;
}
