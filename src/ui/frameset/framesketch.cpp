#include "ui/frameset/framesketch.h"

#include "core/frameset/framesetlayout.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QToolTip>

FrameSketch::FrameSketch(FramesetLayout &layout, QWidget *parent)
    : QWidget(parent)
    , m_layout(layout)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(QStringLiteral("Esquisse"));
}

SlotPos FrameSketch::current() const
{
    const SlotGrid &grid = m_layout.grid();
    if (m_cursor.column < m_layout.columnCount() && m_cursor.row < m_layout.rowCount()) {
        const SlotPos owner = grid.ownerOf(m_cursor.column, m_cursor.row);
        if (owner.valid())
            return owner;
    }
    return {0, 0};
}

QRect FrameSketch::frameRect(int column, int row) const
{
    const SlotGrid &grid = m_layout.grid();
    const int slotW = width() / m_layout.columnCount();
    const int slotH = height() / m_layout.rowCount();
    int w = slotW * grid.colSpan(column, row);
    int h = slotH * grid.rowSpan(column, row);
    // The last column and row take the pixels the division leaves over.
    if (column + grid.colSpan(column, row) == m_layout.columnCount())
        w = width() - slotW * column;
    if (row + grid.rowSpan(column, row) == m_layout.rowCount())
        h = height() - slotH * row;
    return QRect(slotW * column, slotH * row, w, h);
}

SlotPos FrameSketch::frameAt(const QPoint &point) const
{
    for (const SlotPos &p : m_layout.owners()) {
        if (frameRect(p.column, p.row).contains(point))
            return p;
    }
    return {};
}

void FrameSketch::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Mid));
    const SlotPos cursor = current();
    for (const SlotPos &p : m_layout.owners()) {
        const QRect r = frameRect(p.column, p.row).adjusted(0, 0, -1, -1);
        const FrameRec &f = m_layout.frame(p.column, p.row);
        const QColor fill = f.Selected ? QColor(0, 0, 128) : QColor(Qt::white);
        painter.fillRect(r, fill);
        painter.setPen(QColor(Qt::black));
        painter.drawRect(r);
        painter.setPen(f.Selected ? QColor(Qt::white) : QColor(Qt::black));
        const QString label = f.Name.isEmpty() ? QStringLiteral("(%1,%2)").arg(p.column + 1).arg(p.row + 1) : f.Name;
        painter.drawText(r.adjusted(3, 3, -3, -3), Qt::AlignCenter | Qt::TextWordWrap, label);
        if (hasFocus() && p == cursor) {
            QStyleOptionFocusRect option;
            option.initFrom(this);
            option.rect = r.adjusted(3, 3, -3, -3);
            option.backgroundColor = fill;
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
        }
    }
}

void FrameSketch::click(SlotPos owner)
{
    if (!owner.valid())
        return;
    m_cursor = owner;
    m_layout.clickFrame(owner.column, owner.row);
    update();
    emit selectionChanged();
}

void FrameSketch::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    click(frameAt(event->position().toPoint()));
}

void FrameSketch::keyPressEvent(QKeyEvent *event)
{
    const SlotGrid &grid = m_layout.grid();
    const SlotPos at = current();
    SlotPos next = at;
    switch (event->key()) {
    case Qt::Key_Left:
        next = {at.column - 1, at.row};
        break;
    case Qt::Key_Right:
        next = {at.column + grid.colSpan(at.column, at.row), at.row};
        break;
    case Qt::Key_Up:
        next = {at.column, at.row - 1};
        break;
    case Qt::Key_Down:
        next = {at.column, at.row + grid.rowSpan(at.column, at.row)};
        break;
    case Qt::Key_Space:
        click(at);
        return;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    if (next.column >= 0 && next.row >= 0 && next.column < m_layout.columnCount() && next.row < m_layout.rowCount()) {
        m_cursor = grid.ownerOf(next.column, next.row);
        update();
    }
}

bool FrameSketch::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const SlotPos p = frameAt(help->pos());
        if (p.valid()) {
            const FrameRec &f = m_layout.frame(p.column, p.row);
            QToolTip::showText(help->globalPos(),
                               QStringLiteral("(%1,%2)\n%3\n%4").arg(p.column + 1).arg(p.row + 1).arg(f.Name, f.Src),
                               this);
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)
        update();
    return QWidget::event(event);
}
