#pragma once

#include "core/imagemap/mapmodel.h"

#include <QImage>
#include <QList>
#include <QWidget>

#include <functional>

// The image map editor's sketch: the picture at its natural size, the zones
// already added (dotted magenta outline, magenta hatching), and the current
// zone (dotted lime outline, yellow while it moves) with its eight handles,
// which the mouse moves and resizes. Arrow keys move the current zone one
// pixel (ten with Shift); Tab asks for the next zone while there is one.
// Only what changes is repainted: the exposed part of the picture, and for
// a drag step the zone's old and new places.
class MapSketch : public QWidget
{
    Q_OBJECT
public:
    explicit MapSketch(QWidget *parent = nullptr);

    // Shows image (converted once to the screen's fast format); a null image
    // clears the picture.
    void setPicture(const QImage &image);
    QSize pictureSize() const { return m_picture.size(); }
    const QImage &picture() const { return m_picture; }

    void setAreas(const QList<MapArea> &areas);
    // The zone of this area line is drawn bolder; -1 for none.
    void setHighlighted(int index);
    // The current zone as the fields place it (ignored during a drag).
    void setCurrent(const MapZone &zone);
    MapZone current() const { return m_current; }
    bool dragging() const { return m_dragging; }

    // Asked by Tab: selects the next zone and returns true, or returns false
    // to let the focus move on.
    std::function<bool()> nextZone;

    QSize sizeHint() const override;

signals:
    // The current zone during a drag, before it is pulled back inside.
    void currentDragged(const MapZone &zone);
    // The current zone after a drag or a key moved it.
    void currentPlaced(const MapZone &zone);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool event(QEvent *event) override;

private:
    void place(const MapZone &zone);
    void updateZone(const MapZone &zone);
    void fitSize();
    bool grabs(const QPoint &point) const;

    QImage m_picture;
    QList<MapArea> m_areas;
    MapZone m_current;
    int m_highlighted = -1;
    bool m_dragging = false;
    DragMode m_mode = DragMode::Move;
    QPoint m_grab;
};
