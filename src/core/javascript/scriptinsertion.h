#pragma once

#include <QStringList>

class DocumentText;
class UndoHistory;
struct EditorState;

// Writes a script's lines into the page, each followed by CR LF, as one undo
// step: before "</HEAD>" when intoHead is set and the page has one, at the
// start of the selection otherwise. The user's text is never replaced: a
// selection stays on its text (moved by the script when the script lands
// before it); a bare caret at the insertion point ends after the script,
// elsewhere it stays on its text. A script of one line or none writes
// nothing and returns false.
bool InsertScript(DocumentText &text, UndoHistory &undo, EditorState &state, const QStringList &lines, bool intoHead);
