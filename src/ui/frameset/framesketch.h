#pragma once

#include "core/grid/slotgrid.h"

#include <QWidget>

class FramesetLayout;

// The sketch of the browser window: every frame of the layout as a white
// panel (navy blue when selected), slots of equal size. A click or the space
// bar on a frame selects it as the designer's selection rule says; the arrow
// keys move the keyboard cursor from frame to frame.
class FrameSketch : public QWidget
{
    Q_OBJECT
public:
    explicit FrameSketch(FramesetLayout &layout, QWidget *parent = nullptr);

    // The frame under the keyboard cursor.
    SlotPos current() const;
    // The owner's rectangle on the widget.
    QRect frameRect(int column, int row) const;
    // The owner of the frame at a point, invalid outside every frame.
    SlotPos frameAt(const QPoint &point) const;

    QSize sizeHint() const override { return {360, 270}; }
    QSize minimumSizeHint() const override { return {160, 120}; }

signals:
    // The selection changed through the sketch.
    void selectionChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool event(QEvent *event) override;

private:
    void click(SlotPos owner);

    FramesetLayout &m_layout;
    SlotPos m_cursor{0, 0};
};
