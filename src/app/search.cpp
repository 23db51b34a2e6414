#include "app/search.h"

#include "app/documenttext.h"
#include "app/undohistory.h"
#include "tags/insertion.h"
#include "tags/wholetext.h"

#include <algorithm>

namespace {

Qt::CaseSensitivity sensitivity(SearchOptions options)
{
    return options.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
}

bool isWordCharacter(QChar c)
{
    return c.isLetterOrNumber();
}

// Calls found(start) for each occurrence that replacing all would replace,
// left to right, and returns their number.
template<typename Found>
qsizetype forEachReplacement(QStringView text, qsizetype from, QStringView needle, SearchOptions options, Found &&found)
{
    if (needle.isEmpty())
        return 0;
    const Qt::CaseSensitivity cs = sensitivity(options);
    qsizetype count = 0;
    qsizetype position = std::clamp<qsizetype>(from, 0, text.size());
    while (position <= text.size() - needle.size()) {
        const qsizetype start = text.indexOf(needle, position, cs);
        if (start < 0)
            break;
        if (options.wholeWord && !isWholeWordAt(text, start, needle.size())) {
            position = start + 1;
            continue;
        }
        found(start);
        ++count;
        position = start + needle.size();
    }
    return count;
}

} // namespace

bool isWholeWordAt(QStringView text, qsizetype start, qsizetype length)
{
    if (start > 0 && isWordCharacter(text.at(start - 1)))
        return false;
    const qsizetype end = start + length;
    return end >= text.size() || !isWordCharacter(text.at(end));
}

qsizetype findInRange(QStringView text, QStringView needle, qsizetype from, qsizetype to, SearchOptions options)
{
    to = std::clamp<qsizetype>(to, 0, text.size());
    from = std::max<qsizetype>(from, 0);
    if (needle.isEmpty() || to - from < needle.size())
        return -1;
    const QStringView range = text.first(to);
    const Qt::CaseSensitivity cs = sensitivity(options);
    qsizetype position = from;
    while (position <= to - needle.size()) {
        const qsizetype start = range.indexOf(needle, position, cs);
        if (start < 0)
            return -1;
        if (!options.wholeWord || isWholeWordAt(text, start, needle.size()))
            return start;
        position = start + 1;
    }
    return -1;
}

bool FindNext(DocumentText &text, SearchState &state, const QString &needle, bool global, SearchOptions options)
{
    const QString all = text.text();
    const qsizetype caret = std::min<qsizetype>(text.selectionStart() + text.selectionLength(), all.size());
    text.setSelectionStart(int(caret));
    const qsizetype origin = std::clamp<qsizetype>(state.SearchOrigin, 0, all.size());

    // After the wrap, the search covers the occurrences that start before the
    // origin, including one that the caret stood inside when the cycle began.
    const qsizetype wrappedEnd = origin + needle.size() - 1;
    const qsizetype to = (!global || state.WrapPending) ? all.size() : wrappedEnd;
    qsizetype found = findInRange(all, needle, caret, to, options);
    if (found < 0 && global && state.WrapPending) {
        text.setSelectionStart(0);
        state.WrapPending = false;
        found = findInRange(all, needle, 0, wrappedEnd, options);
    }
    if (found < 0)
        return false;
    text.select(int(found), int(needle.size()));
    return true;
}

namespace {

// The new-cycle test and the search of "&Trouver".
bool searchOn(DocumentText &text, SearchState &state, const QString &needle, bool global, SearchOptions options)
{
    if (state.SearchOrigin == -1 || text.selectedText().compare(needle, Qt::CaseInsensitive) != 0) {
        state.SearchOrigin = text.selectionStart();
        state.WrapPending = true;
    }
    if (FindNext(text, state, needle, global, options)) {
        state.MatchSelected = true;
        return true;
    }
    state.SearchOrigin = -1;
    return false;
}

} // namespace

bool FindCommand(DocumentText &text, SearchState &state, const QString &needle, bool global, SearchOptions options)
{
    if (needle.isEmpty())
        return false;
    return searchOn(text, state, needle, global, options);
}

ReplaceStep ReplaceCommand(DocumentText &text, UndoHistory &undo, EditorState &editorState, SearchState &state,
                           const QString &needle, const QString &replacement, bool global, SearchOptions options)
{
    ReplaceStep step;
    if (needle.isEmpty())
        return step;
    if (state.MatchSelected && text.selectionLength() > 0
        && text.selectedText().compare(needle, sensitivity(options)) == 0) {
        ReplaceSelection(text, undo, editorState, replacement);
        step.replaced = true;
    }
    state.MatchSelected = false;
    step.found = searchOn(text, state, needle, global, options);
    return step;
}

ReplaceAllResult replaceAllInText(QStringView text, qsizetype from, QStringView needle, QStringView replacement,
                                  SearchOptions options)
{
    ReplaceAllResult result;
    result.text.reserve(text.size());
    qsizetype copied = 0;
    result.count = forEachReplacement(text, from, needle, options, [&](qsizetype start) {
        result.text.append(text.sliced(copied, start - copied));
        result.text.append(replacement);
        copied = start + needle.size();
    });
    result.text.append(text.sliced(copied));
    return result;
}

qsizetype countReplacements(QStringView text, qsizetype from, QStringView needle, SearchOptions options)
{
    return forEachReplacement(text, from, needle, options, [](qsizetype) {});
}

qsizetype ReplaceAll(DocumentText &text, UndoHistory &undo, const QString &needle, const QString &replacement,
                     SearchOptions options, bool downward)
{
    if (needle.isEmpty())
        return 0;
    const qsizetype from = downward ? text.selectionStart() : 0;
    qsizetype count = 0;
    const bool applied = applyWholeText(text, undo, [&](const QString &before) -> std::optional<QString> {
        // A replacement longer than the text it replaces could make the page
        // too long to hold: count first, and build nothing in that case.
        if (replacement.size() > needle.size()) {
            const qsizetype n = countReplacements(before, from, needle, options);
            if (before.size() + n * (replacement.size() - needle.size()) > DocumentText::MaxLength)
                return std::nullopt;
        }
        ReplaceAllResult result = replaceAllInText(before, from, needle, replacement, options);
        count = result.count;
        return result.text;
    });
    return applied ? count : -1;
}

void addToHistory(QStringList &history, const QString &text)
{
    if (text.isEmpty())
        return;
    history.removeAll(text);
    while (history.size() >= MaxHistory)
        history.removeLast();
    history.prepend(text);
}
