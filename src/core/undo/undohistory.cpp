#include "core/undo/undohistory.h"

#include "core/text/documenttext.h"

#include <algorithm>

namespace {

const QString LineBreak = QStringLiteral("\r\n");

int len(const QString &text)
{
    return int(text.size());
}

} // namespace

int newlineCount(const QString &text1)
{
    bool ok = false;
    const qlonglong n = text1.toLongLong(&ok);
    if (!ok || n <= 0)
        return 0;
    return int(std::min<qlonglong>(n, DocumentText::MaxLength / 2));
}

UndoHistory::UndoHistory(DocumentText &text)
    : m_text(text)
{}

UndoHistory::~UndoHistory()
{
    freeAll();
}

void UndoHistory::freeAll()
{
    if (!m_head)
        return;
    // Open the ring, then free it from the oldest record on.
    m_head->prev->next = nullptr;
    for (UndoRecord *record = m_head; record;) {
        UndoRecord *next = record->next;
        delete record;
        record = next;
    }
    m_head = m_current = nullptr;
    m_count = 0;
    m_live = false;
}

void UndoHistory::clear()
{
    freeAll();
    runKind = runNone;
    selectionSeen = false;
    // A text of its own: whatever was saved before is not this one.
    m_baseSerial = m_nextSerial++;
}

quint64 UndoHistory::appliedSerial() const
{
    // Live is clear only when everything has been undone.
    return m_head && m_live ? m_current->serial : m_baseSerial;
}

void UndoHistory::markSaved()
{
    m_savedSerial = appliedSerial();
    runKind = runNone;
}

bool UndoHistory::atSavedText() const
{
    return appliedSerial() == m_savedSerial;
}

bool UndoHistory::CanUndo() const
{
    return m_head && (m_current != m_head || m_live);
}

bool UndoHistory::CanRedo() const
{
    return m_head && (m_current != newest() || !m_live);
}

UndoRecord *UndoHistory::takeSlot()
{
    if (!m_head) {
        auto *record = new UndoRecord;
        record->next = record->prev = record;
        m_head = m_current = record;
        m_count = 1;
        return record;
    }
    if (m_count >= MaxRecords && m_current == newest()) {
        // Full: the oldest record becomes the newest; the text it made is
        // now the one with nothing applied.
        m_baseSerial = m_head->serial;
        m_head = m_head->next;
        m_current = m_head->prev;
        return m_current;
    }
    if (m_current == newest() && m_live) {
        auto *record = new UndoRecord;
        record->prev = m_current;
        record->next = m_head;
        m_current->next = record;
        m_head->prev = record;
        m_current = record;
        ++m_count;
        return record;
    }
    // There are undone records: reuse the first of them and free the rest.
    if (m_current != m_head || m_live)
        m_current = m_current->next;
    for (UndoRecord *record = m_current->next; record != m_head;) {
        UndoRecord *next = record->next;
        delete record;
        --m_count;
        record = next;
    }
    m_current->next = m_head;
    m_head->prev = m_current;
    return m_current;
}

void UndoHistory::RecordUndoStep(UndoKind kind, const QString &text1, const QString &text2)
{
    // Any new record ends the typing run; the key handlers start their run
    // after recording. A run left running across another command's record
    // would merge keys into a record of a different kind.
    runKind = runNone;

    UndoRecord *record = takeSlot();
    m_live = true;
    record->serial = m_nextSerial++;
    record->kind = kind;
    record->pos1 = 0;
    record->text1.clear();
    record->text2.clear();
    record->diff.reset();

    // The selection the action replaces or removes. Its start is kept even
    // when it is empty, so that restoring "nothing" leaves the caret where
    // the action happened instead of at the top of the page.
    const int start = m_text.selectionStart();
    record->pos2 = start;
    if (m_text.selectionLength() > 0) {
        record->text2 = m_text.selectedText();
        if (kind != ukWrap && kind != ukDragMove && kind != ukCut && kind != ukWholeText)
            m_text.deleteSelection();
    }

    switch (kind) {
    case ukInsert:
    case ukPlain:
    case ukBackspace:
    case ukNewlines:
    case ukDeleteForward:
    case ukDeleteSelection:
    case ukReplace:
    case ukWholeText:
        record->pos1 = m_text.selectionStart();
        record->text1 = text1;
        break;
    case ukWrap: {
        const int selStart = m_text.selectionStart();
        const int selLength = m_text.selectionLength();
        record->pos1 = selStart;
        record->text1 = text1;
        // Some controls count a final line break beyond the text in a
        // whole-text selection; it is not part of what gets wrapped.
        record->pos2 = selStart + selLength + len(text1) - (selLength == m_text.length() + 2 ? 2 : 0);
        record->text2 = text2;
        break;
    }
    case ukJoinLine:
        record->pos1 = m_text.selectionStart() - 2;
        record->text1 = text1;
        break;
    case ukDragMove:
        record->pos1 = m_text.selectionStart();
        record->pos2 = savedCaret;
        break;
    default:
        break;
    }
}

void UndoHistory::RecordWholeText(TextDiff diff)
{
    // The selection stays where it is and is not saved: the diff restores
    // every character.
    runKind = runNone;
    UndoRecord *record = takeSlot();
    m_live = true;
    record->serial = m_nextSerial++;
    record->kind = ukWholeText;
    record->pos1 = record->pos2 = m_text.selectionStart();
    record->text1.clear();
    record->text2.clear();
    record->diff = std::make_shared<const TextDiff>(std::move(diff));
}

void UndoHistory::Undo()
{
    if (!CanUndo())
        return;
    revert(*m_current);
    if (m_current == m_head)
        m_live = false;
    else
        m_current = m_current->prev;
    runKind = runNone;
    m_text.setModified(!atSavedText());
    if (onChanged)
        onChanged();
}

void UndoHistory::Redo()
{
    if (!CanRedo())
        return;
    if (m_current == newest() || !m_live)
        m_live = true; // current itself was undone (the head, or the only record)
    else
        m_current = m_current->next;
    reapply(*m_current);
    runKind = runNone;
    m_text.setModified(!atSavedText());
    if (onChanged)
        onChanged();
}

void UndoHistory::caretAt(int position)
{
    m_text.setSelectionStart(position);
}

void UndoHistory::insert(const QString &text)
{
    m_text.replaceSelection(text);
}

void UndoHistory::remove(int position, int length)
{
    m_text.select(position, length);
    m_text.deleteSelection();
}

void UndoHistory::restore(int position, const QString &text)
{
    caretAt(position);
    insert(text);
    m_text.select(position, len(text));
}

void UndoHistory::revert(const UndoRecord &r)
{
    switch (r.kind) {
    case ukInsert:
    case ukPlain:
        remove(r.pos1, len(r.text1));
        if (!r.text2.isEmpty())
            restore(r.pos2, r.text2);
        break;
    case ukWrap:
        remove(r.pos2, len(r.text2));
        remove(r.pos1, len(r.text1));
        m_text.select(r.pos1, r.pos2 - r.pos1 - len(r.text1));
        break;
    case ukBackspace:
        caretAt(r.pos1 - len(r.text1));
        insert(r.text1);
        if (!r.text2.isEmpty()) {
            caretAt(r.pos2);
            insert(r.text2);
        }
        break;
    case ukNewlines:
        remove(r.pos1, 2 * newlineCount(r.text1));
        if (!r.text2.isEmpty())
            restore(r.pos2, r.text2);
        break;
    case ukJoinLine:
        // Made at the very start of the page: nothing was joined.
        if (r.pos1 < 0)
            break;
        caretAt(r.pos1);
        insert(LineBreak);
        caretAt(r.pos1 + 2);
        break;
    case ukDeleteForward:
        caretAt(r.pos1);
        insert(r.text1);
        if (!r.text2.isEmpty()) {
            caretAt(r.pos2);
            insert(r.text2);
        }
        caretAt(r.pos1);
        break;
    case ukDeleteSelection:
    case ukCut:
        restore(r.pos2, r.text2);
        break;
    case ukDragMove:
        remove(r.pos1, len(r.text2));
        restore(r.pos2, r.text2);
        break;
    case ukReplace:
        m_text.select(r.pos1, len(r.text1));
        insert(r.text2);
        m_text.select(r.pos2, len(r.text2));
        break;
    case ukWholeText:
        m_text.setTextKeepingPlace(r.diff ? r.diff->revert(m_text.text()) : r.text1);
        break;
    default:
        // ukNone and unknown codes change nothing.
        break;
    }
}

void UndoHistory::reapply(const UndoRecord &r)
{
    switch (r.kind) {
    case ukInsert:
    case ukPlain:
        if (!r.text2.isEmpty())
            remove(r.pos2, len(r.text2));
        caretAt(r.pos1);
        insert(r.text1);
        break;
    case ukWrap:
        caretAt(r.pos1);
        insert(r.text1);
        caretAt(r.pos2);
        insert(r.text2);
        caretAt(r.pos1 + len(r.text1));
        break;
    case ukBackspace:
        if (!r.text2.isEmpty())
            remove(r.pos2, len(r.text2));
        remove(r.pos1 - len(r.text1), len(r.text1));
        break;
    case ukNewlines: {
        if (!r.text2.isEmpty())
            remove(r.pos2, len(r.text2));
        caretAt(r.pos1);
        // Never more line breaks than a page can hold.
        const int room = std::max(0, DocumentText::MaxLength - m_text.length()) / 2;
        const int count = std::min(newlineCount(r.text1), room);
        if (count > 0)
            insert(LineBreak.repeated(count));
        break;
    }
    case ukJoinLine:
        if (r.pos1 < 0)
            break;
        remove(r.pos1, 2);
        caretAt(r.pos1);
        break;
    case ukDeleteForward:
        if (!r.text2.isEmpty())
            remove(r.pos2, len(r.text2));
        remove(r.pos1, len(r.text1));
        break;
    case ukDeleteSelection:
        if (!r.text2.isEmpty())
            remove(r.pos2, len(r.text2));
        break;
    case ukDragMove:
        remove(r.pos2, len(r.text2));
        restore(r.pos1, r.text2);
        break;
    case ukCut:
        remove(r.pos2, len(r.text2));
        caretAt(r.pos2);
        break;
    case ukReplace:
        m_text.select(r.pos2, len(r.text2));
        insert(r.text1);
        break;
    case ukWholeText:
        m_text.setTextKeepingPlace(r.diff ? r.diff->apply(m_text.text()) : r.text2);
        break;
    default:
        break;
    }
}
