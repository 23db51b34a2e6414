#pragma once

#include <QString>

class DocumentText;
class UndoHistory;

// The edits that keys and the mouse make in a page. Each one is recorded in
// the page's history and then performed on the text, so that what the
// history holds always matches what happened. Runs of typing, of Backspace,
// of Delete and of Enter merge into one record.
class TypingEdits
{
public:
    TypingEdits(DocumentText &text, UndoHistory &history)
        : m_text(text)
        , m_history(history)
    {}

    // Typed characters. In overwrite mode, with nothing selected, they
    // replace as many characters after the caret (never the line break).
    void typeText(const QString &characters, bool insertMode);
    // Backspace: the selection, the line break before the caret at the start
    // of a line, or the character before the caret. Nothing at the start of
    // the page.
    void backspace();
    // Delete: the selection, the line break at the end of a line, or the
    // character after the caret. Nothing at the end of the page.
    void deleteForward();
    // Enter: one line break in place of the selection.
    void newLine();
    // Tab: the selection collapses to its start and a tab goes in there.
    void tab();
    // Removes length characters from start as one step (word and line
    // deletions). Nothing happens when the range is empty.
    void deleteRange(int start, int length);
    // Moves the selection so that it starts where target was: one ukDragMove
    // step, the moved text selected. False (nothing changes) with no
    // selection or a target inside it.
    bool moveSelection(int target);
    // Inserts text at a position (a drop or a paste of the mouse selection)
    // as one ukInsert step, the caret after it.
    void insertText(int position, const QString &text);
    // Records the removal of removed from position after the fact: the text
    // is already gone (dragged out of the page to another place).
    void recordRemoved(int position, const QString &removed);

private:
    bool canMerge(int kind) const;

    DocumentText &m_text;
    UndoHistory &m_history;
};

// Text as it goes into a page: any line break (CR LF, LF, CR, paragraph
// separator) becomes CR LF, so that its length is the number of positions
// it takes.
QString pageText(const QString &text);
