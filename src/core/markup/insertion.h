#pragma once

#include "core/undo/undohistory.h"

#include <QString>

class DocumentText;
struct EditorState;

// The one road by which generated text reaches a page.
//
// Puts startText before and endText after the selection (wrap) or, with no
// selection, both at the caret with the caret left between them. With
// newUndoStep a new undo step of the given kind opens (which, for every kind
// but ukWrap, ukDragMove, ukCut and ukWholeText, saves and removes the
// selection first); without it, startText is added to the current step so
// that a generator's several pieces form one step. With rememberForRepeat
// the pieces are kept in state.LastStartTexts/LastEndTexts for
// RepeatLastCommand (a new step empties them first).
//
// A wrapped selection stays selected, so a second wrap nests inside the
// first. With kind ukPlain and no selection only startText goes in.
// The caller refreshes its command states afterwards.
void InsertTagPair(DocumentText &text, UndoHistory &undo, EditorState &state, const QString &startText,
                   const QString &endText, bool newUndoStep, bool rememberForRepeat, UndoKind kind);

// Replaces a non-empty selection by replacement as one ukReplace step
// (remembered for repeat); does nothing when the selection is empty.
void ReplaceSelection(DocumentText &text, UndoHistory &undo, EditorState &state, const QString &replacement);

// Replays the remembered pieces of the last command at the caret (or around
// the selection) of this text, as one undo step. The remembered pieces stay
// as they are, so the command can be repeated again, in any document.
// Does nothing when nothing is remembered.
void RepeatLastCommand(DocumentText &text, UndoHistory &undo, EditorState &state);

// True when RepeatLastCommand has something to replay (enables the command).
bool CanRepeatLastCommand(const EditorState &state);

// Edit commands. The clipboard and the focus test are the window's business;
// these do the page and history part.

// Inserts a plain text (the clipboard's) as the new last command: ukInsert at
// the caret, ukReplace over a selection. An empty text changes nothing.
void PasteText(DocumentText &text, UndoHistory &undo, EditorState &state, const QString &clipboardText);

// Records a ukCut step and removes the selection; returns the removed text
// for the clipboard (with CR LF line breaks). With nothing selected nothing
// is recorded and the result is empty.
QString CutSelection(DocumentText &text, UndoHistory &undo);

// Records a ukDeleteSelection step, which removes the selection. With
// nothing selected nothing is recorded.
void DeleteSelection(DocumentText &text, UndoHistory &undo);
