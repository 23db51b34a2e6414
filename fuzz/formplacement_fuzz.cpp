// Random pages and carets: the enclosing-FORM test agrees with a
// character-by-character model, and a control written at the caret (inside
// a form or in a new one) is one undo step that gives the page back.
#include "fuzzinput.h"

#include "core/forms/formplacement.h"
#include "core/markup/editorstate.h"
#include "core/markup/insertion.h"
#include "core/text/memorytext.h"
#include "core/undo/undohistory.h"

#include <cstddef>
#include <cstdint>

namespace {

bool tagAt(const QString &page, qsizetype i, QLatin1String marker)
{
    if (QStringView(page).mid(i, marker.size()).compare(marker, Qt::CaseInsensitive) != 0
        || i + marker.size() > page.size())
        return false;
    const qsizetype end = i + marker.size();
    return end == page.size() || page.at(end).isSpace() || page.at(end) == u'>' || page.at(end) == u'/';
}

bool modelInside(const QString &page, qsizetype caret)
{
    qsizetype open = -1;
    qsizetype close = -1;
    bool closedAfter = false;
    for (qsizetype i = 0; i < page.size(); ++i) {
        const bool isOpen = tagAt(page, i, QLatin1String("<form"));
        const bool isClose = tagAt(page, i, QLatin1String("</form"));
        if (i < caret) {
            open = isOpen ? i : open;
            close = isClose ? i : close;
        } else if (isClose) {
            closedAfter = true;
        }
    }
    return open >= 0 && close < open && closedAfter;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput in(data, size);
    const int caretSeed = in.number(1 << 16);
    const bool confirm = in.flag();
    MemoryText text;
    text.setText(in.text());
    const QString original = text.text();
    const int caret = text.length() ? caretSeed % (text.length() + 1) : 0;
    text.select(caret, 0);
    // Never inside a line break, nor inside a tag: a control never splits one.
    const int position = FormControlPosition(original, text.selectionStart());
    FUZZ_CHECK(position >= 0 && position <= original.size());
    FUZZ_CHECK(IsInsideForm(original, position) == modelInside(original, position));

    UndoHistory undo(text);
    EditorState state;
    const bool inside = IsInsideForm(original, position);
    const bool written = WriteFormControl(text, undo, state, QStringLiteral("<INPUT>\r\n"), [&] {
        if (confirm)
            InsertTagPair(text, undo, state, QStringLiteral("<FORM>"), QString(), true, true, ukInsert);
        return confirm;
    });
    FUZZ_CHECK(written == (inside || confirm));
    if (!written) {
        FUZZ_CHECK(text.text() == original && undo.count() == 0);
        return 0;
    }
    FUZZ_CHECK(IsInsideForm(text.text(), position + (inside ? 0 : 8)));
    // Everything before the control is the page as it was.
    FUZZ_CHECK(text.text().left(position) == original.left(position));
    undo.Undo();
    FUZZ_CHECK(text.text() == original);
    return 0;
}
