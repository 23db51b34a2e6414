#include "ui/table/tablesketch.h"

#include "core/markup/colors.h"
#include "core/table/tablemodel.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace {

QColor fromHtml(const QString &text)
{
    const HtmlColor c = HtmlToColor(text);
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

} // namespace

TableSketch::TableSketch(const TableModel &model, QWidget *parent)
    : QWidget(parent)
    , m_model(model)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

void TableSketch::setCursor(SlotPos cursor)
{
    m_cursor = cursor;
    update();
}

SlotPos TableSketch::cellAt(const QPoint &pos) const
{
    for (int r = 0; r < m_model.RowCount(); ++r) {
        for (int c = 0; c < m_model.ColCount(); ++c) {
            if (cellRect(c, r).contains(pos))
                return {c, r};
        }
    }
    return {};
}

void TableSketch::mousePressEvent(QMouseEvent *event)
{
    setFocus(Qt::MouseFocusReason);
    if (event->button() != Qt::LeftButton)
        return;
    const SlotPos cell = cellAt(event->position().toPoint());
    if (cell.valid()) {
        m_cursor = cell;
        emit cellClicked(cell.column, cell.row);
    }
}

void TableSketch::keyPressEvent(QKeyEvent *event)
{
    const bool extend = event->modifiers() & Qt::ShiftModifier;
    switch (event->key()) {
    case Qt::Key_Left:
        emit cursorStep(-1, 0, extend);
        return;
    case Qt::Key_Right:
        emit cursorStep(1, 0, extend);
        return;
    case Qt::Key_Up:
        emit cursorStep(0, -1, extend);
        return;
    case Qt::Key_Down:
        emit cursorStep(0, 1, extend);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit enterPressed();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void TableSketch::setGap(int gap)
{
    m_gap = std::clamp(gap, 0, 40);
    update();
}

void TableSketch::setBorder(int border)
{
    m_border = std::clamp(border, 0, 100);
    update();
}

QRect TableSketch::area() const
{
    const int frame = std::min(m_border + 1, std::min(width(), height()) / 4);
    return rect().adjusted(frame, frame, -frame, -frame);
}

QRect TableSketch::cellRect(int column, int row) const
{
    if (!m_model.grid().isOwner(column, row) || column >= m_model.ColCount() || row >= m_model.RowCount())
        return {};
    const QRect a = area();
    const int slotWidth = a.width() / m_model.ColCount();
    const int slotHeight = a.height() / m_model.RowCount();
    // A spacing too wide for the slots would leave nothing to draw.
    const int gap = std::min(m_gap, std::max(0, std::min(slotWidth, slotHeight) / 2 - 2));
    const int left = a.left() + slotWidth * column + gap;
    const int top = a.top() + slotHeight * row + gap;
    int w = slotWidth * m_model.grid().colSpan(column, row) - 2 * gap;
    const int h = slotHeight * m_model.grid().rowSpan(column, row) - 2 * gap;
    w = std::min(w, a.right() + 1 - left - gap);
    return QRect(left, top, std::max(w, 1), std::max(h, 1));
}

QString TableSketch::cellTip(const TableModel &model, int column, int row)
{
    QString tip = QStringLiteral("(%1,%2)\r\n").arg(column + 1).arg(row + 1);
    const QStringList &content = model.cell(column, row).Content;
    if (content.isEmpty())
        return tip + QStringLiteral("Cellule vide");
    for (qsizetype i = 0; i < content.size() && i < 8; ++i)
        tip += content[i] + QStringLiteral("\r\n");
    return tip;
}

QColor TableSketch::fillColor(const TableModel &model, int column, int row)
{
    const TableCell &cell = model.cell(column, row);
    if (cell.Selected)
        return QColor(0, 0, 128);
    for (const QString *c : {&cell.BgColor, &model.row(row).BgColor, &model.attrs.TableBgColor}) {
        if (!c->isEmpty())
            return fromHtml(*c);
    }
    return Qt::white;
}

QColor TableSketch::outlineColor(const TableModel &model, int column, int row)
{
    const TableCell &cell = model.cell(column, row);
    for (const QString *c : {&cell.BorderColor, &model.row(row).BorderColor, &model.attrs.TableBorderColor}) {
        if (!c->isEmpty())
            return fromHtml(*c);
    }
    return Qt::white;
}

void TableSketch::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Dark));
    const int frame = area().left();
    // The table's frame, as thick as its border plus one: light above and
    // left, dark below and right.
    const QColor light = palette().color(QPalette::Light);
    const QColor shadow = palette().color(QPalette::Shadow);
    p.fillRect(QRect(0, 0, width(), frame), light);
    p.fillRect(QRect(0, 0, frame, height()), light);
    p.fillRect(QRect(0, height() - frame, width(), frame), shadow);
    p.fillRect(QRect(width() - frame, 0, frame, height()), shadow);
    p.fillRect(area(), palette().color(QPalette::Mid));

    for (int r = 0; r < m_model.RowCount(); ++r) {
        for (int c = 0; c < m_model.ColCount(); ++c) {
            const QRect cell = cellRect(c, r);
            if (cell.isEmpty())
                continue;
            p.fillRect(cell, fillColor(m_model, c, r));
            p.setPen(QPen(outlineColor(m_model, c, r), 1));
            p.drawRect(cell.adjusted(0, 0, -1, -1));
            // The first content line, so that the author recognises the cell.
            const QStringList &content = m_model.cell(c, r).Content;
            if (!content.isEmpty() && cell.height() > fontMetrics().height()) {
                const QColor fill = fillColor(m_model, c, r);
                p.setPen(fill.lightness() < 128 ? Qt::white : Qt::black);
                const QRect text = cell.adjusted(3, 1, -3, -1);
                p.drawText(text, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                           fontMetrics().elidedText(content.first().trimmed(), Qt::ElideRight, text.width()));
            }
        }
    }
    if (hasFocus() && m_cursor.valid() && m_cursor.column < m_model.ColCount() && m_cursor.row < m_model.RowCount()) {
        const SlotPos owner = m_model.grid().ownerOf(m_cursor.column, m_cursor.row);
        const QRect cell = owner.valid() ? cellRect(owner.column, owner.row) : QRect();
        if (!cell.isEmpty()) {
            p.setPen(QPen(fillColor(m_model, owner.column, owner.row).lightness() < 128 ? Qt::white : Qt::black, 1,
                          Qt::DotLine));
            p.setBrush(Qt::NoBrush);
            p.drawRect(cell.adjusted(2, 2, -3, -3));
        }
    }
}

bool TableSketch::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        for (int r = 0; r < m_model.RowCount(); ++r) {
            for (int c = 0; c < m_model.ColCount(); ++c) {
                if (cellRect(c, r).contains(help->pos())) {
                    // The content is shown as the author wrote it, tags and all.
                    const QString tip = cellTip(m_model, c, r).trimmed().toHtmlEscaped();
                    QToolTip::showText(help->globalPos(),
                                       QStringLiteral("<p style='white-space:pre'>")
                                           + QString(tip).replace(QStringLiteral("\r\n"), QStringLiteral("<br>"))
                                           + QStringLiteral("</p>"),
                                       this, cellRect(c, r));
                    return true;
                }
            }
        }
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    return QWidget::event(event);
}
