#include "ui/text/textviewaccessible.h"

#include "ui/text/textview.h"

#include <algorithm>

namespace {

// The default boundary searches of QAccessibleTextInterface, run over one
// line (with its line break) instead of the whole text.
class LineText : public QAccessibleTextInterface
{
public:
    explicit LineText(QString text)
        : m_text(std::move(text))
    {}
    void selection(int, int *start, int *end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int start, int end) const override { return m_text.mid(start, end - start); }
    int characterCount() const override { return int(m_text.size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int *, int *) const override { return {}; }

private:
    QString m_text;
};

enum class Side { Before, At, After };

QString lineQuery(const TextView &view, Side side, int offset, QAccessible::TextBoundaryType boundary, int *start,
                  int *end)
{
    const LineStore &store = view.store();
    offset = std::clamp(offset, 0, store.length());
    if (boundary == QAccessible::NoBoundary) {
        *start = 0;
        *end = store.length();
        return store.text();
    }
    const int line = store.lineOf(offset);
    const int lineStart = store.lineStart(line);
    const bool last = line + 1 >= store.lineCount();
    LineText text(store.line(line) + (last ? QString() : QStringLiteral("\n")));
    const int column = offset - lineStart;
    QString result;
    switch (side) {
    case Side::Before:
        result = text.textBeforeOffset(column, boundary, start, end);
        // Nothing before in this line: the last piece of the previous one.
        if (result.isEmpty() && line > 0)
            return lineQuery(view, Side::At, lineStart - 1, boundary, start, end);
        break;
    case Side::At:
        result = text.textAtOffset(column, boundary, start, end);
        break;
    case Side::After:
        result = text.textAfterOffset(column, boundary, start, end);
        // Nothing after in this line: the first piece of the next one.
        if (result.isEmpty() && !last)
            return lineQuery(view, Side::At, lineStart + text.characterCount(), boundary, start, end);
        break;
    }
    if (*start >= 0)
        *start += lineStart;
    if (*end >= 0)
        *end += lineStart;
    return result;
}

QAccessibleInterface *textViewFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("TextView") && object && object->isWidgetType())
        if (auto *view = qobject_cast<TextView *>(object))
            return new TextViewAccessible(view);
    return nullptr;
}

} // namespace

void installTextViewAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(textViewFactory);
        return true;
    }();
    (void)installed;
}

TextViewAccessible::TextViewAccessible(TextView *view)
    : QAccessibleWidget(view, QAccessible::EditableText)
{}

TextView *TextViewAccessible::view() const
{
    return static_cast<TextView *>(widget());
}

QAccessible::State TextViewAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.multiLine = true;
    state.editable = !view()->isReadOnly();
    state.readOnly = view()->isReadOnly();
    state.selectableText = true;
    return state;
}

void *TextViewAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    if (type == QAccessible::EditableTextInterface)
        return static_cast<QAccessibleEditableTextInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

void TextViewAccessible::selection(int selectionIndex, int *startOffset, int *endOffset) const
{
    *startOffset = *endOffset = 0;
    if (selectionIndex == 0 && view()->hasSelection()) {
        *startOffset = view()->selectionStart();
        *endOffset = view()->selectionEnd();
    }
}

int TextViewAccessible::selectionCount() const
{
    return view()->hasSelection() ? 1 : 0;
}

void TextViewAccessible::addSelection(int startOffset, int endOffset)
{
    setSelection(0, startOffset, endOffset);
}

void TextViewAccessible::removeSelection(int selectionIndex)
{
    if (selectionIndex == 0)
        view()->setPosition(view()->position());
}

void TextViewAccessible::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex == 0)
        view()->setSelection(startOffset, endOffset);
}

int TextViewAccessible::cursorPosition() const
{
    return view()->position();
}

void TextViewAccessible::setCursorPosition(int position)
{
    view()->setPosition(position);
}

QString TextViewAccessible::text(int startOffset, int endOffset) const
{
    return view()->store().slice(startOffset, endOffset);
}

QString TextViewAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                                             int *endOffset) const
{
    return lineQuery(*view(), Side::Before, offset, boundaryType, startOffset, endOffset);
}

QString TextViewAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                                            int *endOffset) const
{
    return lineQuery(*view(), Side::After, offset, boundaryType, startOffset, endOffset);
}

QString TextViewAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                                         int *endOffset) const
{
    return lineQuery(*view(), Side::At, offset, boundaryType, startOffset, endOffset);
}

int TextViewAccessible::characterCount() const
{
    return view()->store().length();
}

QRect TextViewAccessible::characterRect(int offset) const
{
    const QRect at = view()->positionRect(offset);
    const QRect next = view()->positionRect(offset + 1);
    QRect rect = at;
    if (next.y() == at.y() && next.x() > at.x())
        rect.setRight(next.x() - 1);
    return rect.translated(view()->viewport()->mapToGlobal(QPoint(0, 0)));
}

int TextViewAccessible::offsetAtPoint(const QPoint &point) const
{
    const QPoint local = view()->viewport()->mapFromGlobal(point);
    if (!view()->viewport()->rect().contains(local))
        return -1;
    return view()->positionAt(local);
}

void TextViewAccessible::scrollToSubstring(int startIndex, int)
{
    const int line = view()->store().lineOf(startIndex);
    if (line < view()->firstVisibleLine() || line > view()->lastVisibleLine())
        view()->scrollToLine(line);
}

QString TextViewAccessible::attributes(int offset, int *startOffset, int *endOffset) const
{
    // Plain text: one run of no attributes.
    *startOffset = 0;
    *endOffset = view()->store().length();
    (void)offset;
    return {};
}

namespace {

QAccessible::UpdateHandler updateHandler()
{
    // Qt has no getter: the handler is put back at once.
    const QAccessible::UpdateHandler handler = QAccessible::installUpdateHandler(nullptr);
    QAccessible::installUpdateHandler(handler);
    return handler;
}

} // namespace

bool TextViewAccessible::listening()
{
    return QAccessible::isActive() || updateHandler();
}

void TextViewAccessible::tell(QAccessibleEvent *event)
{
    if (QAccessible::isActive())
        QAccessible::updateAccessibility(event);
    else if (const QAccessible::UpdateHandler handler = updateHandler())
        handler(event);
}

void TextViewAccessible::selectionMoved(TextView *view, int oldAnchor, int oldPosition)
{
    auto *self = dynamic_cast<TextViewAccessible *>(QAccessible::queryAccessibleInterface(view));
    if (!self || self->m_reportDue)
        return;
    // Everything up to the first move of this turn has been told.
    self->m_reportDue = true;
    self->m_toldPosition = oldPosition;
    self->m_toldStart = std::min(oldAnchor, oldPosition);
    self->m_toldEnd = std::max(oldAnchor, oldPosition);
    // The view owns its interface: a call queued on it is dropped with it.
    QMetaObject::invokeMethod(
        view,
        [view] {
            if (auto *self = dynamic_cast<TextViewAccessible *>(QAccessible::queryAccessibleInterface(view)))
                self->report();
        },
        Qt::QueuedConnection);
}

void TextViewAccessible::report()
{
    if (!m_reportDue)
        return;
    m_reportDue = false;
    TextView *v = view();
    if (v->position() != m_toldPosition) {
        QAccessibleTextCursorEvent event(v, v->position());
        tell(&event);
    }
    const bool had = m_toldStart != m_toldEnd;
    if ((had || v->hasSelection()) && (m_toldStart != v->selectionStart() || m_toldEnd != v->selectionEnd())) {
        QAccessibleTextSelectionEvent event(v, v->selectionStart(), v->selectionEnd());
        tell(&event);
    }
}

void TextViewAccessible::deleteText(int startOffset, int endOffset)
{
    replaceText(startOffset, endOffset, QString());
}

void TextViewAccessible::insertText(int offset, const QString &text)
{
    replaceText(offset, offset, text);
}

void TextViewAccessible::replaceText(int startOffset, int endOffset, const QString &text)
{
    if (!view()->isReadOnly() && endOffset >= startOffset)
        view()->replace(startOffset, endOffset - startOffset, text);
}
