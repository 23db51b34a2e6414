#include "ui/text/editortext.h"

#include "core/text/linestore.h"
#include "core/text/textplace.h"
#include "ui/text/editorwidget.h"

#include <QScrollBar>

#include <algorithm>

EditorText::EditorText(EditorWidget *editor)
    : m_editor(editor)
{}

const LineStore &EditorText::store() const
{
    return m_editor->store();
}

QString EditorText::text() const
{
    return store().text(u"\r\n");
}

void EditorText::setText(const QString &text)
{
    m_editor->setStore(LineStore(text));
    m_editor->setModified(true);
}

void EditorText::loadPage(LineStore lines)
{
    m_editor->setStore(std::move(lines));
    m_editor->setModified(false);
}

void EditorText::setTextKeepingPlace(const QString &text)
{
    // Where the view stood: the caret's row on screen when the caret was in
    // view, otherwise the first line shown.
    const int firstShown = m_editor->firstVisibleLine();
    const int caretLine = store().lineOf(m_editor->position());
    const QRect caretRect = m_editor->caretRect();
    const bool caretShown = caretRect.bottom() >= 0 && caretRect.top() < m_editor->viewport()->height();
    const QString before = caretShown ? QString() : this->text();
    const int firstShownStart = lineStart(firstShown);
    const int horizontal = m_editor->horizontalScrollBar()->value();

    DocumentText::setTextKeepingPlace(text);

    int top = caretShown ? store().lineOf(m_editor->position()) - (caretLine - firstShown)
                         : lineFromPosition(int(mapPosition(before, this->text(), firstShownStart)));
    m_editor->scrollToLine(std::clamp(top, 0, lineCount() - 1));
    m_editor->horizontalScrollBar()->setValue(horizontal);
    // A caret that was in view stays in view, also across a line that got
    // much longer or shorter.
    if (caretShown)
        m_editor->ensureCaretVisible();
}

int EditorText::length() const
{
    return store().length() + store().lineCount() - 1;
}

int EditorText::lineCount() const
{
    return store().lineCount();
}

QString EditorText::line(int index) const
{
    return index >= 0 && index < lineCount() ? store().line(index) : QString();
}

void EditorText::setLine(int index, const QString &text)
{
    if (index < 0 || index >= lineCount())
        return;
    // The widget's own selection follows the edit and the view does not
    // scroll.
    m_editor->replace(store().lineStart(index), store().lineLength(index), text);
}

int EditorText::lineOfPosition(int position) const
{
    const LineStore &lines = store();
    int low = 0;
    int high = lines.lineCount() - 1;
    while (low < high) {
        const int mid = low + (high - low + 1) / 2;
        if (lines.lineStart(mid) + mid <= position)
            low = mid;
        else
            high = mid - 1;
    }
    return low;
}

int EditorText::toWidget(int position) const
{
    position = std::clamp(position, 0, length());
    const int line = lineOfPosition(position);
    const int start = store().lineStart(line);
    return start + std::min(position - (start + line), store().lineLength(line));
}

int EditorText::fromWidget(int widgetPosition) const
{
    return widgetPosition + store().lineOf(widgetPosition);
}

int EditorText::lineFromPosition(int position) const
{
    return lineOfPosition(std::clamp(position, 0, length()));
}

int EditorText::lineStart(int index) const
{
    return index >= 0 && index < lineCount() ? store().lineStart(index) + index : -1;
}

int EditorText::lineLength(int index) const
{
    return index >= 0 && index < lineCount() ? store().lineLength(index) : 0;
}

int EditorText::firstVisibleLine() const
{
    return m_editor->firstVisibleLine();
}

void EditorText::visitLines(int first, int last, const LineVisitor &visit) const
{
    const LineStore &lines = store();
    for (int i = std::max(first, 0); i <= last && i < lines.lineCount(); ++i) {
        if (!visit(i, lines.line(i)))
            return;
    }
}

int EditorText::selectionStart() const
{
    return fromWidget(m_editor->selectionStart());
}

int EditorText::selectionLength() const
{
    return fromWidget(m_editor->selectionEnd()) - fromWidget(m_editor->selectionStart());
}

void EditorText::setSelectionStart(int position)
{
    m_editor->setPosition(toWidget(position));
    m_editor->ensureCaretVisible();
}

void EditorText::setSelectionLength(int length)
{
    const qint64 end = std::min<qint64>(qint64(selectionStart()) + std::max(0, length), DocumentText::MaxLength);
    m_editor->setSelection(m_editor->selectionStart(), toWidget(int(end)));
    m_editor->ensureCaretVisible();
}

QString EditorText::selectedText() const
{
    return store().slice(m_editor->selectionStart(), m_editor->selectionEnd(), u"\r\n");
}

bool EditorText::replaceSelection(const QString &text)
{
    qint64 added = text.size();
    for (qsizetype i = 0; i < text.size(); ++i) {
        // Each line break becomes CR LF: a lone one grows by a character.
        const QChar c = text.at(i);
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            ++i;
        else if (c == u'\r' || isLineBreakMark(c))
            ++added;
    }
    if (qint64(length()) - selectionLength() + added > MaxLength)
        return false;
    m_editor->insertText(text);
    m_editor->ensureCaretVisible();
    return true;
}

bool EditorText::isModified() const
{
    return m_editor->isModified();
}

void EditorText::setModified(bool modified)
{
    m_editor->setModified(modified);
}
