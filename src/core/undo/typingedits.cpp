#include "core/undo/typingedits.h"

#include "core/text/documenttext.h"
#include "core/undo/undohistory.h"

#include <QTextBoundaryFinder>

namespace {

const QString LineBreak = QStringLiteral("\r\n");

int len(const QString &text)
{
    return int(text.size());
}

// Length of the code point that ends at column (1, or 2 for a surrogate
// pair), so that a key never splits a character in two.
int unitBefore(const QString &line, int column)
{
    if (column >= 2 && line.at(column - 1).isLowSurrogate() && line.at(column - 2).isHighSurrogate())
        return 2;
    return 1;
}

// Length of the character that starts at column, as the reader sees it: a
// letter with its combining accents, a surrogate pair, an emoji sequence.
// Delete and overwrite typing take it whole, so that no accent is left
// behind on its own.
int unitAfter(const QString &line, int column)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, line);
    finder.setPosition(column);
    const qsizetype next = finder.toNextBoundary();
    return next > column ? int(next - column) : 1;
}

// Number of characters typed, a letter with its accents, a surrogate pair
// or a line break counting as one.
int characterCount(const QString &text)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    int count = 0;
    while (finder.toNextBoundary() > 0)
        ++count;
    return count;
}

} // namespace

QString pageText(const QString &text)
{
    QString result = text;
    result.replace(QChar::ParagraphSeparator, u'\n');
    return toCrLf(result);
}

bool TypingEdits::canMerge(int kind) const
{
    // A run only grows a record that has been applied and is of its own kind.
    return m_history.CanUndo() && m_history.current() && m_history.current()->kind == kind;
}

void TypingEdits::typeText(const QString &characters, bool insertMode)
{
    const QString typed = pageText(characters);
    if (typed.isEmpty())
        return;
    const int caret = m_text.selectionStart();
    const bool hadSelection = m_text.selectionLength() > 0;
    UndoRecord *current = m_history.current();
    const bool run = !hadSelection && canMerge(ukInsert) && qint64(current->pos1) + len(current->text1) == caret;

    if (insertMode) {
        if (run && m_history.runKind == runInsertTyping) {
            current->text1 += typed;
        } else {
            m_history.RecordUndoStep(ukInsert, typed);
            m_history.runKind = runInsertTyping;
        }
    } else {
        // Select what the typed characters replace: as many characters of
        // the line as are typed; at the end of a line, nothing.
        QString replaced;
        if (!hadSelection) {
            const int line = m_text.lineFromPosition(caret);
            const QString lineText = m_text.line(line);
            const int first = caret - m_text.lineStart(line);
            int column = first;
            for (int n = characterCount(typed); n > 0 && column < lineText.size(); --n)
                column += unitAfter(lineText, column);
            replaced = lineText.mid(first, column - first);
            if (!replaced.isEmpty())
                m_text.select(caret, len(replaced));
        }
        // The replaced characters follow the run's earlier ones only when the
        // run has been replacing from its start.
        if (run && m_history.runKind == runOverwriteTyping && (replaced.isEmpty() || !current->text2.isEmpty())) {
            current->text1 += typed;
            current->text2 += replaced;
        } else {
            m_history.RecordUndoStep(ukInsert, typed);
            m_history.runKind = runOverwriteTyping;
        }
    }
    m_text.replaceSelection(typed);
}

void TypingEdits::backspace()
{
    if (m_text.selectionLength() > 0) {
        m_history.RecordUndoStep(ukDeleteSelection);
        return;
    }
    const int caret = m_text.selectionStart();
    const int line = m_text.lineFromPosition(caret);
    const int column = caret - m_text.lineStart(line);
    if (column == 0) {
        // Nothing before the start of the page: nothing to record either.
        if (line == 0)
            return;
        m_history.RecordUndoStep(ukJoinLine);
        m_text.select(caret - 2, 2);
        m_text.deleteSelection();
        return;
    }
    const QString lineText = m_text.line(line);
    const int size = unitBefore(lineText, column);
    const QString removed = lineText.mid(column - size, size);
    UndoRecord *current = m_history.current();
    if (m_history.runKind == runBackspace && canMerge(ukBackspace) && current->pos1 - len(current->text1) == caret) {
        current->text1.prepend(removed);
    } else {
        m_history.RecordUndoStep(ukBackspace, removed);
        m_history.runKind = runBackspace;
    }
    m_text.select(caret - size, size);
    m_text.deleteSelection();
}

void TypingEdits::deleteForward()
{
    if (m_text.selectionLength() > 0) {
        m_history.RecordUndoStep(ukDeleteSelection);
        return;
    }
    const int caret = m_text.selectionStart();
    const int line = m_text.lineFromPosition(caret);
    const int lineLength = m_text.lineLength(line);
    const int column = caret - m_text.lineStart(line);
    QString removed;
    if (column >= lineLength) {
        // The end of the last line has no line break after it.
        if (line + 1 >= m_text.lineCount())
            return;
        removed = LineBreak;
    } else {
        const QString lineText = m_text.line(line);
        removed = lineText.mid(column, unitAfter(lineText, column));
    }
    UndoRecord *current = m_history.current();
    if (m_history.runKind == runDelete && canMerge(ukDeleteForward) && current->pos1 == caret) {
        current->text1 += removed;
    } else if (lineLength == 0) {
        // An empty line goes as a removed selection of its line break.
        m_text.select(caret, 2);
        m_history.RecordUndoStep(ukDeleteSelection);
        return;
    } else {
        m_history.RecordUndoStep(ukDeleteForward, removed);
        m_history.runKind = runDelete;
    }
    m_text.select(caret, len(removed));
    m_text.deleteSelection();
}

void TypingEdits::newLine()
{
    const int caret = m_text.selectionStart();
    const bool hadSelection = m_text.selectionLength() > 0;
    UndoRecord *current = m_history.current();
    if (!hadSelection && m_history.runKind == runEnter && canMerge(ukNewlines)
        && qint64(current->pos1) + 2 * qint64(newlineCount(current->text1)) == caret) {
        current->text1 = QString::number(newlineCount(current->text1) + 1);
    } else {
        m_history.RecordUndoStep(ukNewlines, QStringLiteral("1"));
        // A line break typed over a selection ends the run.
        m_history.runKind = hadSelection ? runNone : runEnter;
    }
    m_text.replaceSelection(LineBreak);
}

void TypingEdits::tab()
{
    m_text.setSelectionStart(m_text.selectionStart());
    m_history.RecordUndoStep(ukInsert, QStringLiteral("\t"));
    m_text.replaceSelection(QStringLiteral("\t"));
}

void TypingEdits::deleteRange(int start, int length)
{
    m_text.select(start, length);
    if (m_text.selectionLength() == 0)
        return;
    m_history.RecordUndoStep(ukDeleteSelection);
}

bool TypingEdits::moveSelection(int target)
{
    const int start = m_text.selectionStart();
    const int length = m_text.selectionLength();
    if (length == 0 || (target >= start && target <= start + length))
        return false;
    const QString moved = m_text.selectedText();
    m_text.deleteSelection();
    m_text.setSelectionStart(target > start ? target - length : target);
    // Where the text really goes: a target between the CR and the LF of a
    // line break has moved back to the end of its line.
    const int destination = m_text.selectionStart();
    m_text.replaceSelection(moved);
    m_text.select(destination, len(moved));
    // The history holds a move as it finds it afterwards: the moved text
    // selected at its new place, and where it came from.
    m_history.savedCaret = start;
    m_history.RecordUndoStep(ukDragMove);
    m_history.selectionSeen = false;
    return true;
}

void TypingEdits::insertText(int position, const QString &text)
{
    const QString inserted = pageText(text);
    if (inserted.isEmpty())
        return;
    m_text.setSelectionStart(position);
    m_history.RecordUndoStep(ukInsert, inserted);
    m_text.replaceSelection(inserted);
}

void TypingEdits::recordRemoved(int position, const QString &removed)
{
    if (removed.isEmpty())
        return;
    m_text.setSelectionStart(position);
    m_history.RecordUndoStep(ukDeleteSelection);
    m_history.current()->pos2 = position;
    m_history.current()->text2 = pageText(removed);
}
