#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// A zone of an image map in picture pixels: a rectangle, or a circle drawn
// in its bounding square.
struct MapZone
{
    enum class Kind { Rectangle, Circle };
    Kind kind = Kind::Rectangle;
    int left = 0;
    int top = 0;
    int width = 60;
    int height = 60;

    QRect rect() const { return QRect(left, top, width, height); }
    bool operator==(const MapZone &) const = default;
};

// What a press on the current zone drags: 0 moves the zone, 1 to 4 the left,
// top, right and bottom edges, 5 to 8 the top-left, bottom-right, top-right
// and bottom-left corners.
enum class DragMode {
    Move = 0,
    Left = 1,
    Top = 2,
    Right = 3,
    Bottom = 4,
    TopLeft = 5,
    BottomRight = 6,
    TopRight = 7,
    BottomLeft = 8,
};

// The mode a press at point (picture pixels) starts: within 2 pixels of the
// left or right side and 3 of the top or bottom an edge, both a corner.
DragMode DragModeAt(const MapZone &zone, const QPoint &point);

// The cursor a press at point would show.
enum class DragCursor { Normal, Horizontal, Vertical, DiagonalBack, DiagonalForward };
DragCursor CursorFor(DragMode mode);

// One step of a drag: the zone after the pointer reached point (picture
// pixels). grab is where the press fell, relative to the zone's top-left
// corner, which Move keeps under the pointer. A left or top edge stops at the
// picture's side; a zone never gets narrower or lower than one pixel; moving
// is not limited. A circle stays round: its side follows the width (the
// height when only the height changed), always an even number.
MapZone DragStep(const MapZone &zone, DragMode mode, const QPoint &grab, const QPoint &point);

// The zone pulled back inside a picture of the given size when a drag ends:
// a zone past the left or top side goes to the visible part's left or top
// (visible, the scroll position), one past the right or bottom side against
// that side, never past the left or top.
MapZone ClampZone(const MapZone &zone, const QSize &picture, const QPoint &visible);
