#include "core/markup/insertion.h"

#include "core/markup/editorstate.h"
#include "core/text/documenttext.h"

#include <algorithm>

namespace {

// How a piece that continues the current undo step is written into it.
enum class Continue {
    // No record can describe the piece exactly: it gets a step of its own.
    OwnStep,
    // Insert/replace record whose inserted text is one stretch at pos1; the
    // piece goes in at the caret inside or at either end of that stretch.
    Stretch,
    // Wrap record: the piece wraps exactly the text the record wrapped.
    WrapAround,
    // Wrap record with empty content: the piece goes in at the caret between
    // the two texts, its start text joining the front, its end text the back.
    WrapBetween,
    // Wrap record: the piece goes in right after its front text.
    WrapFront,
    // Wrap record: the piece goes in right before its back text.
    WrapBack,
};

// Chooses how a continuation piece joins the current undo step. Only the
// newest, applied record may grow (growing a record with undone records
// after it would make a later Redo apply them to a different text), and
// only when the piece lands where the record's own texts stand.
Continue continuation(const UndoHistory &undo, int start, int length)
{
    const UndoRecord *record = undo.current();
    if (!record || undo.CanRedo())
        return Continue::OwnStep;
    switch (record->kind) {
    case ukInsert:
    case ukPlain:
    case ukReplace: {
        const int end = record->pos1 + int(record->text1.size());
        if (length == 0 && start >= record->pos1 && start <= end)
            return Continue::Stretch;
        return Continue::OwnStep;
    }
    case ukWrap: {
        const int contentStart = record->pos1 + int(record->text1.size());
        const int contentEnd = record->pos2;
        if (contentEnd < contentStart)
            return Continue::OwnStep;
        if (length > 0)
            return start == contentStart && start + length == contentEnd ? Continue::WrapAround : Continue::OwnStep;
        if (start == contentStart)
            return contentStart == contentEnd ? Continue::WrapBetween : Continue::WrapFront;
        if (start == contentEnd)
            return Continue::WrapBack;
        return Continue::OwnStep;
    }
    default:
        return Continue::OwnStep;
    }
}

// What one call put into the text: the selection it found, and the start
// and end texts as they actually went in (a text that would have made the
// page too long stays out, and then out of the record too).
struct Placed
{
    int selStart = 0;
    int selLength = 0;
    QString start;
    QString end;
};

// Puts the texts at or around the selection and sets the selection the user
// sees afterwards.
Placed place(DocumentText &text, const QString &startText, const QString &endText, UndoKind kind)
{
    Placed placed;
    placed.selStart = text.selectionStart();
    placed.selLength = text.selectionLength();
    const int s = placed.selStart;
    const int l = placed.selLength;

    if (l > 0) {
        // Wrap, leaving the wrapped text selected so that a second wrap
        // nests inside the first.
        text.setSelectionStart(s);
        if (text.replaceSelection(startText))
            placed.start = startText;
        text.setSelectionStart(s + int(placed.start.size()) + l);
        if (text.replaceSelection(endText))
            placed.end = endText;
        text.select(s + int(placed.start.size()), l);
        return placed;
    }

    if (kind == ukPlain) {
        if (text.replaceSelection(startText))
            placed.start = startText;
        return placed;
    }
    if (text.replaceSelection(startText + endText)) {
        placed.start = startText;
        placed.end = endText;
    }
    text.setSelectionStart(s + int(placed.start.size()));
    return placed;
}

// Makes a freshly opened record describe exactly what was placed, so that
// Undo removes every character that went in, whatever the end text.
void describeNewStep(UndoRecord &record, UndoKind kind, const Placed &placed)
{
    switch (kind) {
    case ukWrap:
        record.pos1 = placed.selStart;
        record.text1 = placed.start;
        record.pos2 = placed.selStart + int(placed.start.size()) + placed.selLength;
        record.text2 = placed.end;
        break;
    case ukInsert:
    case ukPlain:
    case ukReplace:
        // The selection was saved and removed when the step opened, so the
        // start and end texts stand side by side at pos1 (a plain step puts
        // in its start text only).
        if (placed.selLength == 0) {
            record.pos1 = placed.selStart;
            record.text1 = placed.start + placed.end;
        }
        break;
    default:
        break;
    }
}

void extendRecord(UndoRecord &record, Continue how, const Placed &placed)
{
    const QString both = placed.start + placed.end;
    switch (how) {
    case Continue::Stretch:
        record.text1.insert(placed.selStart - record.pos1, both);
        break;
    case Continue::WrapAround:
    case Continue::WrapBetween:
        record.text1 += placed.start;
        record.text2.prepend(placed.end);
        record.pos2 += int(placed.start.size());
        break;
    case Continue::WrapFront:
        record.text1 += both;
        record.pos2 += int(both.size());
        break;
    case Continue::WrapBack:
        record.text2.prepend(both);
        break;
    case Continue::OwnStep:
        Q_ASSERT(false);
        break;
    }
}

} // namespace

void InsertTagPair(DocumentText &text, UndoHistory &undo, EditorState &state, const QString &startText,
                   const QString &endText, bool newUndoStep, bool rememberForRepeat, UndoKind kind)
{
    // The page holds CR LF line breaks only; the record must hold the very
    // characters that went in, or Undo would remove the wrong stretch.
    const QString start = toCrLf(startText);
    const QString end = toCrLf(endText);

    undo.runKind = runNone;

    Continue how = Continue::OwnStep;
    UndoKind stepKind = kind;
    if (newUndoStep) {
        if (rememberForRepeat) {
            state.LastStartTexts.clear();
            state.LastEndTexts.clear();
        }
    } else {
        how = continuation(undo, text.selectionStart(), text.selectionLength());
        if (how == Continue::OwnStep) {
            // Nothing to join (an empty history, a step undone since, or the
            // caret moved away): keep the piece undoable on its own, with
            // the same effect on the text as a continuation would have.
            stepKind = text.selectionLength() > 0 ? ukWrap : (kind == ukPlain ? ukPlain : ukInsert);
        }
    }
    const bool opensStep = newUndoStep || how == Continue::OwnStep;
    if (opensStep)
        undo.RecordUndoStep(stepKind, start, end);

    if (rememberForRepeat && (!start.isEmpty() || !end.isEmpty())) {
        state.LastStartTexts.append(start);
        state.LastEndTexts.append(end);
    }

    const Placed placed = place(text, start, end, stepKind);

    UndoRecord *record = undo.current();
    Q_ASSERT(record);
    if (!record)
        return;
    if (opensStep)
        describeNewStep(*record, stepKind, placed);
    else
        extendRecord(*record, how, placed);
}

void ReplaceSelection(DocumentText &text, UndoHistory &undo, EditorState &state, const QString &replacement)
{
    if (text.selectionLength() <= 0)
        return;
    InsertTagPair(text, undo, state, replacement, QString(), true, true, ukReplace);
}

bool CanRepeatLastCommand(const EditorState &state)
{
    return !state.LastStartTexts.isEmpty();
}

void RepeatLastCommand(DocumentText &text, UndoHistory &undo, EditorState &state)
{
    // Copies: the replay must not depend on the lists staying untouched.
    const QStringList starts = state.LastStartTexts;
    const QStringList ends = state.LastEndTexts;
    const qsizetype count = std::min(starts.size(), ends.size());
    for (qsizetype i = 0; i < count; ++i) {
        const UndoKind kind = ends.at(i).isEmpty() ? ukInsert : ukWrap;
        InsertTagPair(text, undo, state, starts.at(i), ends.at(i), i == 0, false, kind);
    }
}

void PasteText(DocumentText &text, UndoHistory &undo, EditorState &state, const QString &clipboardText)
{
    if (clipboardText.isEmpty())
        return;
    const UndoKind kind = text.selectionLength() > 0 ? ukReplace : ukInsert;
    InsertTagPair(text, undo, state, clipboardText, QString(), true, true, kind);
}

QString CutSelection(DocumentText &text, UndoHistory &undo)
{
    if (text.selectionLength() <= 0)
        return QString();
    const QString cut = text.selectedText();
    undo.RecordUndoStep(ukCut);
    text.deleteSelection();
    undo.runKind = runNone;
    return cut;
}

void DeleteSelection(DocumentText &text, UndoHistory &undo)
{
    if (text.selectionLength() <= 0)
        return;
    undo.RecordUndoStep(ukDeleteSelection);
    if (text.selectionLength() > 0)
        text.deleteSelection();
    undo.runKind = runNone;
}
