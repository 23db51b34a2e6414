#pragma once

#include "core/undo/textdiff.h"

#include <QString>

#include <functional>
#include <memory>

class DocumentText;

// What an undo record did; the codes are fixed (0 and 10 are never recorded).
enum UndoKind : quint8 {
    ukNone = 0,
    ukInsert = 1,
    ukWrap = 2,
    ukPlain = 3,
    ukBackspace = 4,
    ukNewlines = 5,
    ukJoinLine = 6,
    ukDeleteForward = 7,
    ukDeleteSelection = 8,
    ukDragMove = 9,
    ukCut = 11,
    ukReplace = 12,
    ukWholeText = 13,
};

// The typing run being merged into the current record.
enum RunKind : quint8 {
    runNone = 0,
    runBackspace = 1,
    runEnter = 2,
    runDelete = 3,
    runInsertTyping = 5,
    runOverwriteTyping = 6,
};

// One step of a document's history: just enough to revert the action and
// to apply it again. Offsets count a line break as two characters.
struct UndoRecord
{
    UndoKind kind = ukNone;
    int pos1 = 0;
    QString text1;
    int pos2 = 0;
    QString text2;
    // A ukWholeText record made by RecordWholeText holds what changed
    // instead of the two whole texts.
    std::shared_ptr<const TextDiff> diff;
    // Tells apart the texts the page has had: every step recorded gets a
    // new number, even in a reused slot.
    quint64 serial = 0;
    UndoRecord *next = nullptr;
    UndoRecord *prev = nullptr;
};

// The line-break count a ukNewlines record holds in text1: 0 when text1 is
// not a positive number; capped so that twice the count fits a page.
int newlineCount(const QString &text1);

// A document's own undo history: a ring of at most 32 records.
class UndoHistory
{
public:
    static constexpr int MaxRecords = 32;

    explicit UndoHistory(DocumentText &text);
    ~UndoHistory();
    UndoHistory(const UndoHistory &) = delete;
    UndoHistory &operator=(const UndoHistory &) = delete;

    // Records an action that is about to happen on the text. For the kinds
    // that remove a selection it performs that removal itself. A new record
    // ends the typing run (runKind becomes runNone) and discards every
    // undone record.
    void RecordUndoStep(UndoKind kind, const QString &text1 = QString(), const QString &text2 = QString());
    // Records a whole-text command about to replace the text: a ukWholeText
    // record holding only what changed. Undo and Redo rebuild the other text
    // from the one the page holds.
    void RecordWholeText(TextDiff diff);
    void Undo();
    void Redo();
    bool CanUndo() const;
    bool CanRedo() const;

    // Forgets every record, for a text replaced without an undo step (a
    // reload, a header line that changed length): no record would fit it.
    // The caller refreshes the command states, as after any such change.
    void clear();
    // The text as it is now is the one in the file. Undo and Redo clear the
    // modified flag when they come back to it and set it when they leave it.
    // Ends the typing run, so that what is typed next is a step of its own.
    void markSaved();
    bool atSavedText() const;

    // The record Undo reverts next (null when the history is empty); run
    // merging and multi-piece insertions extend it in place.
    UndoRecord *current() const { return m_current; }
    int count() const { return m_count; }
    bool live() const { return m_live; }

    RunKind runKind = runNone;
    bool selectionSeen = false;
    int savedCaret = 0;

    // Called after every Undo and Redo so the frame window can re-enable
    // commands.
    std::function<void()> onChanged;

private:
    UndoRecord *newest() const { return m_head ? m_head->prev : nullptr; }
    // The record a new step goes into: a new one, the recycled oldest one,
    // or the first undone one (the undone records after it are freed).
    UndoRecord *takeSlot();
    void revert(const UndoRecord &record);
    void reapply(const UndoRecord &record);
    void caretAt(int position);
    void insert(const QString &text);
    void remove(int position, int length);
    // Puts text back at position and selects it.
    void restore(int position, const QString &text);
    // The serial of the last applied record: the text as it stands.
    quint64 appliedSerial() const;
    void freeAll();

    DocumentText &m_text;
    UndoRecord *m_head = nullptr;
    UndoRecord *m_current = nullptr;
    bool m_live = false;
    int m_count = 0;
    quint64 m_nextSerial = 1;
    // The text with no record applied: the start, or after the records
    // recycled so far.
    quint64 m_baseSerial = 0;
    // The text in the file; 0 with a base of 0 would be a text never saved,
    // so "never" is a serial no text gets.
    static constexpr quint64 Never = ~quint64(0);
    quint64 m_savedSerial = Never;
};
