#include "ui/preferences/marginruler.h"

#include "core/preferences/marginmarkers.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace {

// Rows of the two markers and of the scale between them.
constexpr int UpperRowTop = 0;
constexpr int LowerRowTop = 14;
constexpr int RowHeight = 11;
constexpr int ScaleY = 12;

// A marker: a pointer shape 9 pixels wide, the point towards the scale.
void drawMarker(QPainter &painter, const QRect &r, bool pointingDown)
{
    QPainterPath path;
    const qreal l = r.left() + 0.5, rt = r.right() + 0.5, t = r.top() + 0.5, b = r.bottom() + 0.5;
    const qreal mid = r.left() + r.width() / 2.0;
    if (pointingDown) {
        path.moveTo(l, t);
        path.lineTo(rt, t);
        path.lineTo(rt, b - 4);
        path.lineTo(mid, b);
        path.lineTo(l, b - 4);
    } else {
        path.moveTo(mid, t);
        path.lineTo(rt, t + 4);
        path.lineTo(rt, b);
        path.lineTo(l, b);
        path.lineTo(l, t + 4);
    }
    path.closeSubpath();
    painter.setPen(QColor(0x40, 0x40, 0x40));
    painter.setBrush(QColor(0xC0, 0xC0, 0xC0));
    painter.drawPath(path);
}

} // namespace

MarginRuler::MarginRuler(QWidget *parent)
    : QWidget(parent)
    , m_clientWidth([this] { return parentWidget() ? parentWidget()->width() : width(); })
{
    setFixedHeight(Height);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
}

QSize MarginRuler::sizeHint() const
{
    return QSize(200, Height);
}

void MarginRuler::setMarkerEdges(int left, int right)
{
    m_leftEdge = left;
    m_rightEdge = right;
    update();
}

QRect MarginRuler::leftMarkerRect() const
{
    return QRect(m_leftEdge, UpperRowTop, MarginMarkers::Width, RowHeight);
}

QRect MarginRuler::rightMarkerRect() const
{
    return QRect(m_rightEdge, LowerRowTop, MarginMarkers::Width, RowHeight);
}

void MarginRuler::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // The scale: a tick every 5 pixels, longer every 50, longest every 100.
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.drawLine(0, ScaleY, width(), ScaleY);
    for (int x = 0; x < width(); x += 5) {
        const int reach = x % 100 == 0 ? 5 : x % 50 == 0 ? 3 : x % 10 == 0 ? 2 : 1;
        painter.drawLine(x, ScaleY - reach, x, ScaleY + reach);
    }
    painter.setRenderHint(QPainter::Antialiasing);
    drawMarker(painter, leftMarkerRect(), true);
    drawMarker(painter, rightMarkerRect(), false);
}

void MarginRuler::mousePressEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (event->button() != Qt::LeftButton)
        return;
    // The rows decide between markers; the pointer must be over one.
    if (leftMarkerRect().contains(pos))
        m_drag = Drag::Left;
    else if (rightMarkerRect().contains(pos))
        m_drag = Drag::Right;
    else
        return;
    dragTo(pos.x());
}

void MarginRuler::mouseMoveEvent(QMouseEvent *event)
{
    if (m_drag != Drag::None)
        dragTo(int(event->position().x()));
}

void MarginRuler::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_drag == Drag::None || event->button() != Qt::LeftButton)
        return;
    dragTo(int(event->position().x()));
    const int clientWidth = m_clientWidth();
    if (m_drag == Drag::Left)
        m_leftEdge = MarginMarkers::clampEdge(m_leftEdge, clientWidth);
    else
        m_rightEdge = MarginMarkers::clampEdge(m_rightEdge, clientWidth);
    m_drag = Drag::None;
    update();
    emit marginsChanged(MarginMarkers::centreOf(m_leftEdge), MarginMarkers::centreOf(m_rightEdge));
}

void MarginRuler::dragTo(int pointerX)
{
    // The marker's centre follows the pointer.
    if (m_drag == Drag::Left)
        m_leftEdge = MarginMarkers::dragLeftEdge(pointerX, m_rightEdge);
    else if (m_drag == Drag::Right)
        m_rightEdge = MarginMarkers::dragRightEdge(pointerX, m_leftEdge);
    update();
}
