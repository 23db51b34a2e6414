#pragma once

#include "core/grid/slotgrid.h"

#include <QColor>
#include <QRect>
#include <QWidget>

class TableModel;

// The designer's sketch: one filled rectangle per cell of the model, laid
// out on a grid of equal slots with the cell spacing as gap, inside a frame
// as thick as the border plus one. Each rectangle shows the cell's fill and
// outline colours; hovering one shows its position and the first lines of
// its content. A left click on a cell, the arrow keys (with Shift to grow
// the selection) and Enter are passed on as signals; the designer decides.
// The keyboard's cell cursor is drawn as a dotted frame while the sketch
// has the focus.
class TableSketch : public QWidget
{
    Q_OBJECT
public:
    explicit TableSketch(const TableModel &model, QWidget *parent = nullptr);

    // The cell spacing used as gap, and the border giving the frame width.
    void setGap(int gap);
    void setBorder(int border);
    // Repaints after any change of the model.
    void refresh() { update(); }

    // The rectangle of the owner at (column, row), in widget coordinates;
    // empty for a slot that is not an owner.
    QRect cellRect(int column, int row) const;
    // The tooltip text of a cell: "(c,r)", CR LF, then its first 8 lines
    // each followed by CR LF, or "Cellule vide".
    static QString cellTip(const TableModel &model, int column, int row);
    // The fill and outline colours of a cell.
    static QColor fillColor(const TableModel &model, int column, int row);
    static QColor outlineColor(const TableModel &model, int column, int row);

    // The slot holding the keyboard's cell cursor.
    SlotPos cursor() const { return m_cursor; }
    void setCursor(SlotPos cursor);
    // The owner under a point of the sketch; invalid outside every cell.
    SlotPos cellAt(const QPoint &pos) const;

    QSize sizeHint() const override { return {420, 220}; }
    QSize minimumSizeHint() const override { return {160, 90}; }

signals:
    void cellClicked(int column, int row);
    // An arrow key: the step, and whether Shift was held.
    void cursorStep(int columns, int rows, bool extend);
    void enterPressed();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool event(QEvent *event) override;

private:
    QRect area() const;

    const TableModel &m_model;
    int m_gap = 2;
    int m_border = 0;
    SlotPos m_cursor{0, 0};
};
