// Find and replace-all against plain models built on QStringView::indexOf,
// then the find, replace and replace-all commands on a page with its undo
// history.
#include "fuzzinput.h"

#include "core/markup/editorstate.h"
#include "core/text/memorytext.h"
#include "core/text/search.h"
#include "core/undo/undohistory.h"

namespace {

Qt::CaseSensitivity cs(SearchOptions options)
{
    return options.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
}

bool wordCharacter(QStringView text, qsizetype i)
{
    return i >= 0 && i < text.size() && text.at(i).isLetterOrNumber();
}

bool standsAlone(QStringView text, qsizetype start, qsizetype length)
{
    return !wordCharacter(text, start - 1) && !wordCharacter(text, start + length);
}

ReplaceAllResult modelReplaceAll(QStringView text, qsizetype from, QStringView needle, QStringView replacement,
                                 SearchOptions options)
{
    ReplaceAllResult out;
    qsizetype position = std::clamp<qsizetype>(from, 0, text.size());
    out.text = text.first(position).toString();
    for (qsizetype start; !needle.isEmpty() && (start = text.indexOf(needle, position, cs(options))) >= 0;) {
        if (options.wholeWord && !standsAlone(text, start, needle.size())) {
            out.text += text.mid(position, start + 1 - position);
            position = start + 1;
            continue;
        }
        out.text += text.mid(position, start - position);
        out.text += replacement;
        position = start + needle.size();
        ++out.count;
    }
    out.text += text.mid(position);
    return out;
}

qsizetype modelFind(QStringView text, QStringView needle, qsizetype from, qsizetype to, SearchOptions options)
{
    to = std::clamp<qsizetype>(to, 0, text.size());
    for (qsizetype start = std::max<qsizetype>(from, 0); !needle.isEmpty(); ++start) {
        start = text.first(to).indexOf(needle, start, cs(options));
        if (start < 0)
            return -1;
        if (!options.wholeWord || standsAlone(text, start, needle.size()))
            return start;
    }
    return -1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput in(data, size);
    SearchOptions options;
    options.matchCase = in.flag();
    options.wholeWord = in.flag();
    const int from = in.number(64) - 8;
    const int to = in.number(64);
    const bool global = in.flag();
    QString needle = in.text();
    const QString replacement = in.text();
    const QString page = in.text();

    // The pure functions.
    const ReplaceAllResult all = replaceAllInText(page, from, needle, replacement, options);
    const ReplaceAllResult expected = modelReplaceAll(page, from, needle, replacement, options);
    FUZZ_CHECK(all.text == expected.text && all.count == expected.count);
    FUZZ_CHECK(countReplacements(page, from, needle, options) == expected.count);
    FUZZ_CHECK(findInRange(page, needle, from, to, options) == modelFind(page, needle, from, to, options));

    // The commands on a page, with a needle from the one-line search field.
    needle.remove(u'\r');
    needle.remove(u'\n');
    if (needle.isEmpty())
        return 0;
    MemoryText text(page);
    UndoHistory undo(text);
    EditorState state;
    SearchState search;
    // Replace-all may multiply the page's length at every step: stop
    // before it grows too slow to fuzz.
    for (int step = 0; step < 8 && !in.atEnd() && text.length() < 4096; ++step) {
        const QString before = text.text();
        switch (in.number(4)) {
        case 0:
            text.select(in.number(before.size() + 2), in.number(8));
            break;
        case 1:
            if (FindCommand(text, search, needle, global, options)) {
                FUZZ_CHECK(text.selectedText().compare(needle, cs(options)) == 0);
                FUZZ_CHECK(!options.wholeWord || standsAlone(before, text.selectionStart(), text.selectionLength()));
            }
            break;
        case 2: {
            const int selStart = text.selectionStart(), selLength = text.selectionLength();
            const ReplaceStep result = ReplaceCommand(text, undo, state, search, needle, replacement, global, options);
            if (result.replaced) {
                FUZZ_CHECK(text.text()
                           == before.left(selStart) + toCrLf(replacement) + before.mid(selStart + selLength));
                undo.Undo();
                FUZZ_CHECK(text.text() == before);
                undo.Redo();
            } else {
                FUZZ_CHECK(text.text() == before);
            }
            break;
        }
        case 3: {
            // An empty page has a null text, which replace-all does not
            // take yet.
            if (before.isNull())
                break;
            const bool downward = in.flag();
            const int caret = text.selectionStart();
            const qsizetype count = ReplaceAll(text, undo, needle, replacement, options, downward);
            const ReplaceAllResult model = modelReplaceAll(before, downward ? caret : 0, needle, replacement, options);
            FUZZ_CHECK(count == model.count);
            const QString after = text.text();
            FUZZ_CHECK(after == toCrLf(model.text));
            undo.Undo();
            FUZZ_CHECK(text.text() == before);
            undo.Redo();
            FUZZ_CHECK(text.text() == after);
            break;
        }
        }
    }
    return 0;
}
