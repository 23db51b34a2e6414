#include "ui/text/editortext.h"

#include "core/text/textplace.h"
#include "ui/text/documentbuild.h"
#include "ui/text/editorwidget.h"
#include "ui/text/pageloading.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

QString toLf(const QString &text)
{
    const auto widgetBreak = [](QChar c) { return c == u'\r' || (c != u'\n' && isLineBreakMark(c)); };
    if (std::none_of(text.begin(), text.end(), widgetBreak))
        return text;
    // Copy in runs between line breaks, each break written as LF.
    QString result;
    result.reserve(text.size());
    const QChar *p = text.constData();
    const QChar *end = p + text.size();
    const QChar *run = p;
    for (; p < end; ++p) {
        if (!widgetBreak(*p))
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
{}

QString EditorText::text() const
{
    finishLoading();
    // Line by line into one string: no second copy of the whole page. The
    // blocks' raw text keeps non-breaking spaces, which toPlainText() would
    // turn into blanks.
    const QTextDocument *doc = m_editor->document();
    QString result;
    result.reserve(doc->characterCount() + doc->blockCount());
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        result += block.text();
        if (block.next().isValid())
            result += u"\r\n";
    }
    return result;
}

void EditorText::setText(const QString &text)
{
    finishLoading();
    // The widget starts a block at every line break the contract knows (CR
    // LF, lone CR, LF and the marks), so the text goes in without a copy.
    m_editor->setPlainText(text);
    m_editor->document()->setModified(true);
}

void EditorText::loadPage(const QString &text, std::unique_ptr<DocumentBuild> build)
{
    finishLoading();
    QTextDocument *document = m_editor->document();
    if (text.size() <= PageLoading::PartedAbove) {
        m_editor->setPlainText(text);
        document->setModified(false);
        return;
    }
    const qsizetype first = PageLoading::partEnd(text, 0, PageLoading::FirstPartSize);
    m_editor->setPlainText(text.first(first));
    document->setModified(false);
    // A build started earlier is used when it is of this very text.
    const bool sameText = build && (build->text().constData() == text.constData() || build->text() == text);
    if (!sameText)
        build = std::make_unique<DocumentBuild>(text);
    m_loading = new PageLoading(m_editor, std::move(build));
}

bool EditorText::isLoading() const
{
    return m_loading && !m_loading->isDone();
}

void EditorText::finishLoading() const
{
    if (m_loading)
        m_loading->finish();
}

bool EditorText::holds(int position) const
{
    return !isLoading() || position < loadedLength();
}

bool EditorText::holdsLine(int index) const
{
    // The last block in may be the start of a line still to come.
    return !isLoading() || index < m_editor->document()->blockCount() - 1;
}

int EditorText::loadedLength() const
{
    const QTextDocument *doc = m_editor->document();
    return doc->characterCount() - 1 + doc->blockCount() - 1;
}

void EditorText::setTextKeepingPlace(const QString &text)
{
    finishLoading();
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
    finishLoading();
    return loadedLength();
}

int EditorText::lineCount() const
{
    finishLoading();
    return m_editor->document()->blockCount();
}

QString EditorText::line(int index) const
{
    if (!holdsLine(index))
        finishLoading();
    const QTextBlock block = m_editor->document()->findBlockByNumber(index);
    return block.isValid() ? block.text() : QString();
}

void EditorText::setLine(int index, const QString &text)
{
    finishLoading();
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
    if (!holds(position))
        finishLoading();
    position = std::clamp(position, 0, loadedLength());
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
    if (!holds(position))
        finishLoading();
    return blockOfPosition(std::clamp(position, 0, loadedLength())).blockNumber();
}

int EditorText::lineStart(int index) const
{
    if (!holdsLine(index))
        finishLoading();
    const QTextBlock block = m_editor->document()->findBlockByNumber(index);
    return block.isValid() ? block.position() + index : -1;
}

int EditorText::lineLength(int index) const
{
    if (!holdsLine(index))
        finishLoading();
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

// Both take the widget's cursor only after toWidget(), which may put the
// whole of a loading page in place of the document the cursor was on (the
// positions of the part already in stay the same).
void EditorText::setSelectionStart(int position)
{
    const int widgetPosition = toWidget(position);
    QTextCursor cursor = m_editor->textCursor();
    cursor.setPosition(widgetPosition);
    m_editor->setTextCursor(cursor);
}

void EditorText::setSelectionLength(int length)
{
    const qint64 end = std::min<qint64>(qint64(selectionStart()) + std::max(0, length), DocumentText::MaxLength);
    const int widgetEnd = toWidget(int(end));
    QTextCursor cursor = m_editor->textCursor();
    cursor.setPosition(cursor.selectionStart());
    cursor.setPosition(widgetEnd, QTextCursor::KeepAnchor);
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
