#include "ui/text/editorwidget.h"

#include <QCoreApplication>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>

EditorWidget::EditorWidget(QWidget *parent)
    : TextView(parent)
{}

EditorWidget::~EditorWidget()
{
    emit closing();
}

bool EditorWidget::canInsertFromMimeData(const QMimeData *source) const
{
    return !source->hasUrls() && source->hasText();
}

void EditorWidget::insertFromMimeData(const QMimeData *source)
{
    // Plain text only, whatever else the data carries.
    if (canInsertFromMimeData(source))
        insertText(source->text());
}

void EditorWidget::setTextMargins(int left, int right)
{
    m_hasTextMargins = true;
    m_leftTextMargin = left;
    m_rightTextMargin = right;
    // The strips beside the text area belong to the page: same colour.
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    // A scroll bar that comes and goes would move the wrapping edge.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setWordWrap(true);
    layoutTextMargins();
}

void EditorWidget::clearTextMargins()
{
    m_hasTextMargins = false;
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setWordWrap(false);
    setViewportMargins(0, 0, 0, 0);
}

void EditorWidget::layoutTextMargins()
{
    if (!m_hasTextMargins)
        return;
    // The text area (viewport) is placed so that, with the document's own
    // margin inside it, lines start at the left margin and wrap at the right.
    const int inner = documentMargin();
    const int frame = frameWidth();
    const int available = contentsRect().width() - style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const int left = std::clamp(m_leftTextMargin - frame - inner, 0, std::max(0, available - 2 * inner - 1));
    const int width = std::max(m_rightTextMargin + inner - frame - left, 2 * inner + 1);
    const int right = std::max(0, available - left - width);
    setViewportMargins(left, 0, right, 0);
}

bool EditorWidget::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::Resize:
    case QEvent::StyleChange: {
        const bool handled = TextView::event(event);
        layoutTextMargins();
        return handled;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
        // Mouse events beside the text area would otherwise go to the parent
        // window; they act on the text as if made at its edge.
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (!m_hasTextMargins || m_forwardingMouse || viewport()->geometry().contains(mouse->position().toPoint()))
            break;
        const QPointF inViewport = mouse->position() - viewport()->geometry().topLeft();
        QMouseEvent forwarded(mouse->type(), inViewport, mouse->scenePosition(), mouse->globalPosition(),
                              mouse->button(), mouse->buttons(), mouse->modifiers(), mouse->pointingDevice());
        m_forwardingMouse = true;
        QCoreApplication::sendEvent(viewport(), &forwarded);
        m_forwardingMouse = false;
        return true;
    }
    default:
        break;
    }
    return TextView::event(event);
}
