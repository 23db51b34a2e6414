#include "ui/imagemap/mapsketch.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace {

const QColor Magenta(0xFF, 0x00, 0xFF);
const QColor Lime(0x00, 0xFF, 0x00);
const QColor Yellow(0xFF, 0xFF, 0x00);
constexpr int Handle = 5;
// What a zone's drawing covers beyond its rectangle (handles, pen).
constexpr int Margin = Handle / 2 + 2;

QRect paintedRect(const MapZone &zone)
{
    return zone.rect().adjusted(-Margin, -Margin, Margin, Margin);
}

Qt::CursorShape cursorShape(DragCursor cursor)
{
    switch (cursor) {
    case DragCursor::Horizontal:
        return Qt::SizeHorCursor;
    case DragCursor::Vertical:
        return Qt::SizeVerCursor;
    case DragCursor::DiagonalBack:
        return Qt::SizeFDiagCursor;
    case DragCursor::DiagonalForward:
        return Qt::SizeBDiagCursor;
    case DragCursor::Normal:
        break;
    }
    return Qt::ArrowCursor;
}

void drawShape(QPainter &painter, const MapZone &zone)
{
    // The outline runs on the zone's last pixels, as the coordinates say.
    const QRect r(zone.left, zone.top, std::max(0, zone.width - 1), std::max(0, zone.height - 1));
    if (zone.kind == MapZone::Kind::Circle)
        painter.drawEllipse(r);
    else
        painter.drawRect(r);
}

} // namespace

MapSketch::MapSketch(QWidget *parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    fitSize();
}

void MapSketch::setPicture(const QImage &image)
{
    m_picture = image.isNull() ? QImage() : image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    fitSize();
    update();
}

void MapSketch::setAreas(const QList<MapArea> &areas)
{
    m_areas = areas;
    if (m_highlighted >= m_areas.size())
        m_highlighted = -1;
    update();
}

void MapSketch::setHighlighted(int index)
{
    if (index == m_highlighted)
        return;
    for (int i : {m_highlighted, index}) {
        if (i >= 0 && i < m_areas.size() && m_areas.at(i).zone)
            update(paintedRect(*m_areas.at(i).zone));
    }
    m_highlighted = index;
}

void MapSketch::setCurrent(const MapZone &zone)
{
    if (!m_dragging && !(zone == m_current))
        updateZone(zone);
}

QSize MapSketch::sizeHint() const
{
    return size();
}

void MapSketch::fitSize()
{
    // The picture, and room for the current zone wherever it stands.
    const QRect zone = paintedRect(m_current);
    const QSize wanted = m_picture.size().expandedTo(QSize(zone.right() + 1, zone.bottom() + 1)).expandedTo({1, 1});
    if (wanted != size())
        resize(wanted);
}

void MapSketch::updateZone(const MapZone &zone)
{
    update(paintedRect(m_current));
    m_current = zone;
    update(paintedRect(m_current));
    fitSize();
}

void MapSketch::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QRect exposed = event->rect();
    const QRect shown = exposed & m_picture.rect();
    if (shown != exposed)
        painter.fillRect(exposed, palette().color(QPalette::Dark));
    if (!shown.isEmpty())
        painter.drawImage(shown.topLeft(), m_picture, shown);

    for (qsizetype i = 0; i < m_areas.size(); ++i) {
        const std::optional<MapZone> &zone = m_areas.at(i).zone;
        if (!zone || !paintedRect(*zone).intersects(exposed))
            continue;
        const bool bold = i == m_highlighted;
        painter.setPen(QPen(Magenta, bold ? 2 : 1, bold ? Qt::SolidLine : Qt::DotLine));
        painter.setBrush(QBrush(Magenta, Qt::FDiagPattern));
        drawShape(painter, *zone);
    }

    if (!paintedRect(m_current).intersects(exposed))
        return;
    painter.setBrush(Qt::NoBrush);
    // A dark line under the dotted one keeps the outline visible on any
    // picture.
    painter.setPen(QPen(Qt::black, 1));
    drawShape(painter, m_current);
    const bool moving = m_dragging && m_mode == DragMode::Move;
    painter.setPen(QPen(moving ? Yellow : Lime, 1, Qt::DotLine));
    drawShape(painter, m_current);
    const QRect r = m_current.rect();
    const int xs[] = {r.left(), r.left() + r.width() / 2, r.right()};
    const int ys[] = {r.top(), r.top() + r.height() / 2, r.bottom()};
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(hasFocus() ? Lime : Lime.darker(150));
    for (int xi = 0; xi < 3; ++xi) {
        for (int yi = 0; yi < 3; ++yi) {
            if (xi != 1 || yi != 1)
                painter.drawRect(xs[xi] - Handle / 2, ys[yi] - Handle / 2, Handle - 1, Handle - 1);
        }
    }
}

bool MapSketch::grabs(const QPoint &point) const
{
    return m_current.rect().adjusted(-1, -1, 1, 1).contains(point);
}

void MapSketch::mousePressEvent(QMouseEvent *event)
{
    setFocus(Qt::MouseFocusReason);
    const QPoint point = event->position().toPoint();
    if (event->button() != Qt::LeftButton || !grabs(point))
        return;
    m_dragging = true;
    m_mode = DragModeAt(m_current, point);
    m_grab = point - QPoint(m_current.left, m_current.top);
    setCursor(m_mode == DragMode::Move ? Qt::SizeAllCursor : cursorShape(CursorFor(m_mode)));
    update(paintedRect(m_current));
}

void MapSketch::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint point = event->position().toPoint();
    if (!m_dragging) {
        setCursor(grabs(point) ? cursorShape(CursorFor(DragModeAt(m_current, point))) : Qt::ArrowCursor);
        return;
    }
    updateZone(DragStep(m_current, m_mode, m_grab, point));
    emit currentDragged(m_current);
}

void MapSketch::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_dragging || event->button() != Qt::LeftButton)
        return;
    m_dragging = false;
    unsetCursor();
    place(ClampZone(m_current, m_picture.size(), visibleRegion().boundingRect().topLeft()));
}

void MapSketch::place(const MapZone &zone)
{
    updateZone(zone);
    emit currentPlaced(m_current);
}

void MapSketch::keyPressEvent(QKeyEvent *event)
{
    const int step = event->modifiers() & Qt::ShiftModifier ? 10 : 1;
    QPoint d;
    switch (event->key()) {
    case Qt::Key_Left:
        d = {-step, 0};
        break;
    case Qt::Key_Right:
        d = {step, 0};
        break;
    case Qt::Key_Up:
        d = {0, -step};
        break;
    case Qt::Key_Down:
        d = {0, step};
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    if (m_dragging)
        return;
    MapZone zone = m_current;
    zone.left = std::clamp(zone.left + d.x(), 0, MapFields::MaxValue);
    zone.top = std::clamp(zone.top + d.y(), 0, MapFields::MaxValue);
    place(ClampZone(zone, m_picture.size(), QPoint()));
}

bool MapSketch::event(QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Tab && !(key->modifiers() & ~Qt::KeypadModifier) && nextZone && nextZone())
            return true;
    }
    return QWidget::event(event);
}
