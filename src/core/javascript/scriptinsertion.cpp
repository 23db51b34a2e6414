#include "core/javascript/scriptinsertion.h"

#include "core/markup/elementselection.h"
#include "core/markup/insertion.h"
#include "core/text/documenttext.h"

bool InsertScript(DocumentText &text, UndoHistory &undo, EditorState &state, const QStringList &lines, bool intoHead)
{
    if (lines.size() <= 1)
        return false;
    const int start = text.selectionStart();
    const int length = text.selectionLength();
    text.setSelectionStart(start);
    if (intoHead)
        MoveCaretToTag(text, QStringLiteral("</HEAD>"), true);
    const int at = text.selectionStart();
    InsertTagPair(text, undo, state, QString(), QString(), true, true, ukInsert);
    int inserted = 0;
    for (const QString &line : lines) {
        const QString piece = line + QStringLiteral("\r\n");
        InsertTagPair(text, undo, state, piece, QString(), false, true, ukInsert);
        inserted += int(piece.size());
    }
    if (length == 0 && at == start)
        return true; // the caret follows the script
    const auto moved = [&](int position) { return position >= at ? position + inserted : position; };
    const int newStart = moved(start);
    text.select(newStart, moved(start + length) - newStart);
    return true;
}
