#include "ui/text/editortext.h"

#include "core/text/textplace.h"
#include "ui/text/editorwidget.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

QString toLf(const QString &text)
{
    if (!text.contains(u'\r') && !text.contains(QChar::ParagraphSeparator))
        return text;
    // Copy in runs between line breaks, each break written as LF.
    QString result;
    result.reserve(text.size());
    const QChar *p = text.constData();
    const QChar *end = p + text.size();
    const QChar *run = p;
    for (; p < end; ++p) {
        if (*p != u'\r' && *p != QChar::ParagraphSeparator)
            continue;
        result.append(run, p - run);
        result += u'\n';
        if (*p == u'\r' && p + 1 < end && p[1] == u'\n')
            ++p;
        run = p + 1;
    }
    result.append(run, end - run);
    return result;
}

EditorText::EditorText(EditorWidget *editor)
    : m_editor(editor)
{
}

QString EditorText::text() const
{
    // The raw text keeps non-breaking spaces, which toPlainText() would turn
    // into blanks; blocks are separated by U+2029.
    const QString raw = m_editor->document()->toRawText();
    QString result;
    result.reserve(raw.size() + m_editor->document()->blockCount());
    const QChar *p = raw.constData();
    const QChar *end = p + raw.size();
    const QChar *run = p;
    for (; p < end; ++p) {
        if (*p == QChar::ParagraphSeparator) {
            result.append(run, p - run);
            result += u"\r\n";
            run = p + 1;
        }
    }
    result.append(run, end - run);
    return result;
}

void EditorText::setText(const QString &text)
{
    m_editor->setPlainText(toLf(text));
    m_editor->document()->setModified(true);
}

void EditorText::setTextKeepingPlace(const QString &text)
{
    // Where the view stood: the caret's row on screen when the caret was in
    // view, otherwise the first line shown.
    const int firstShown = m_editor->firstVisibleBlockNumber();
    const int caretBlock = m_editor->textCursor().blockNumber();
    const QRect caretRect = m_editor->cursorRect();
    const bool caretShown = caretRect.bottom() >= 0 && caretRect.top() < m_editor->viewport()->height();
    const QString before = caretShown ? QString() : this->text();
    const int firstShownStart = lineStart(firstShown);
    const int horizontal = m_editor->horizontalScrollBar()->value();

    DocumentText::setTextKeepingPlace(text);

    int top = caretShown ? m_editor->textCursor().blockNumber() - (caretBlock - firstShown)
                         : lineFromPosition(int(mapPosition(before, this->text(), firstShownStart)));
    top = std::clamp(top, 0, lineCount() - 1);
    m_editor->verticalScrollBar()->setValue(m_editor->document()->findBlockByNumber(top).firstLineNumber());
    m_editor->horizontalScrollBar()->setValue(horizontal);
    // A caret that was in view stays in view, also across a line that got
    // much longer or shorter.
    if (caretShown)
        m_editor->ensureCursorVisible();
}

int EditorText::length() const
{
    const QTextDocument *doc = m_editor->document();
    return doc->characterCount() - 1 + doc->blockCount() - 1;
}

int EditorText::lineCount() const
{
    return m_editor->document()->blockCount();
}

QString EditorText::line(int index) const
{
    const QTextBlock block = m_editor->document()->findBlockByNumber(index);
    return block.isValid() ? block.text() : QString();
}

void EditorText::setLine(int index, const QString &text)
{
    const QTextBlock block = m_editor->document()->findBlockByNumber(index);
    if (!block.isValid())
        return;
    // A separate cursor: the widget's own selection follows the edit and the
    // view does not scroll.
    QTextCursor cursor(m_editor->document());
    cursor.setPosition(block.position());
    cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
    cursor.insertText(toLf(text));
}

QTextBlock EditorText::blockOfPosition(int position) const
{
    // The block whose caret-position start (widget start + its number) is the
    // last one not after position.
    const QTextDocument *doc = m_editor->document();
    int low = 0;
    int high = doc->blockCount() - 1;
    while (low < high) {
        const int mid = low + (high - low + 1) / 2;
        if (doc->findBlockByNumber(mid).position() + mid <= position)
            low = mid;
        else
            high = mid - 1;
    }
    return doc->findBlockByNumber(low);
}

int EditorText::toWidget(int position) const
{
    position = std::clamp(position, 0, length());
    const QTextBlock block = blockOfPosition(position);
    const int column = std::min(position - (block.position() + block.blockNumber()), block.length() - 1);
    return block.position() + column;
}

int EditorText::fromWidget(int widgetPosition) const
{
    const QTextBlock block = m_editor->document()->findBlock(widgetPosition);
    return widgetPosition + std::max(0, block.blockNumber());
}

int EditorText::lineFromPosition(int position) const
{
    return blockOfPosition(std::clamp(position, 0, length())).blockNumber();
}

int EditorText::lineStart(int index) const
{
    const QTextBlock block = m_editor->document()->findBlockByNumber(index);
    return block.isValid() ? block.position() + index : -1;
}

int EditorText::lineLength(int index) const
{
    const QTextBlock block = m_editor->document()->findBlockByNumber(index);
    return block.isValid() ? block.length() - 1 : 0;
}

int EditorText::firstVisibleLine() const
{
    return m_editor->firstVisibleBlockNumber();
}

int EditorText::selectionStart() const
{
    return fromWidget(m_editor->textCursor().selectionStart());
}

int EditorText::selectionLength() const
{
    const QTextCursor cursor = m_editor->textCursor();
    return fromWidget(cursor.selectionEnd()) - fromWidget(cursor.selectionStart());
}

void EditorText::setSelectionStart(int position)
{
    QTextCursor cursor = m_editor->textCursor();
    cursor.setPosition(toWidget(position));
    m_editor->setTextCursor(cursor);
}

void EditorText::setSelectionLength(int length)
{
    QTextCursor cursor = m_editor->textCursor();
    const int start = cursor.selectionStart();
    const int startPos = fromWidget(start);
    const qint64 end = std::min<qint64>(qint64(startPos) + std::max(0, length), DocumentText::MaxLength);
    cursor.setPosition(start);
    cursor.setPosition(toWidget(int(end)), QTextCursor::KeepAnchor);
    m_editor->setTextCursor(cursor);
}

QString EditorText::selectedText() const
{
    QString selected = m_editor->textCursor().selectedText();
    selected.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    return selected;
}

bool EditorText::replaceSelection(const QString &text)
{
    const QString replacement = toLf(text);
    const qint64 added = replacement.size() + replacement.count(u'\n');
    if (qint64(length()) - selectionLength() + added > MaxLength)
        return false;
    QTextCursor cursor = m_editor->textCursor();
    cursor.insertText(replacement);
    m_editor->setTextCursor(cursor);
    return true;
}

bool EditorText::isModified() const
{
    return m_editor->document()->isModified();
}

void EditorText::setModified(bool modified)
{
    m_editor->document()->setModified(modified);
}
