#include "core/image/imageplacement.h"

#include "core/forms/formplacement.h"
#include "core/markup/insertion.h"
#include "core/text/documenttext.h"

namespace {

const QString LineEnd = QStringLiteral("\r\n");

// Whether the selection ends where its line ends, with another line after.
bool selectionEndsLine(const DocumentText &text)
{
    const int end = text.selectionStart() + text.selectionLength();
    const int line = text.lineFromPosition(end);
    return line + 1 < text.lineCount() && end == text.lineStart(line) + text.lineLength(line);
}

} // namespace

void WriteImageTag(DocumentText &text, UndoHistory &undo, EditorState &state, const QString &tag, bool reEdit)
{
    // A replaced element comes back on Undo, as with every other dialog.
    InsertTagPair(text, undo, state, tag, QString(), true, true, reEdit ? ukReplace : ukInsert);
}

bool WriteFormImageTag(DocumentText &text, UndoHistory &undo, EditorState &state, const QString &tag, bool reEdit,
                       const std::function<bool()> &writeFormStartTag)
{
    if (!reEdit)
        text.setSelectionStart(FormControlPosition(text.text(), text.selectionStart()));
    if (IsInsideForm(text.text(), text.selectionStart())) {
        const bool keepLineEnd = reEdit && text.selectionLength() > 0 && selectionEndsLine(text);
        InsertTagPair(text, undo, state, QString(), QString(), true, true, reEdit ? ukReplace : ukInsert);
        InsertTagPair(text, undo, state, tag, QString(), false, true, ukInsert);
        if (!keepLineEnd)
            InsertTagPair(text, undo, state, LineEnd, QString(), false, true, ukInsert);
        return true;
    }
    if (!writeFormStartTag || !writeFormStartTag())
        return false;
    for (const QString &piece : {LineEnd, tag, LineEnd, QStringLiteral("</FORM>")})
        InsertTagPair(text, undo, state, piece, QString(), false, true, ukInsert);
    return true;
}
