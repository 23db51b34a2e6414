#include "core/text/search.h"

#include "core/findfiles/matcher.h"
#include "core/markup/insertion.h"
#include "core/text/documenttext.h"
#include "core/undo/undohistory.h"
#include "core/wholetext/textbuilder.h"
#include "core/wholetext/textscan.h"
#include "core/wholetext/wholetext.h"

#include <QHash>
#include <QVarLengthArray>

#include <algorithm>
#include <cstring>

namespace {

Qt::CaseSensitivity sensitivity(SearchOptions options)
{
    return options.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
}

bool isWordCharacter(QChar c)
{
    return c.isLetterOrNumber();
}

// The code units whose case folding equals that of c (c among them).
QVarLengthArray<char16_t, 4> caseVariants(char16_t c)
{
    static const QHash<char16_t, QVarLengthArray<char16_t, 4>> foldedFrom = [] {
        QHash<char16_t, QVarLengthArray<char16_t, 4>> table;
        for (unsigned u = 0; u <= 0xFFFF; ++u) {
            if (QChar::isSurrogate(char32_t(u)))
                continue;
            const char16_t folded = char16_t(QChar::toCaseFolded(char32_t(u)));
            if (folded != u)
                table[folded].append(char16_t(u));
        }
        return table;
    }();
    const char16_t folded = char16_t(QChar::toCaseFolded(char32_t(c)));
    QVarLengthArray<char16_t, 4> variants{folded};
    for (const char16_t u : foldedFrom.value(folded))
        variants.append(u);
    return variants;
}

// Finds a needle in texts as QStringView::indexOf would, faster: a vector
// scan for the needle's first character (in any of its cases) picks the
// places worth a full comparison.
class Finder
{
public:
    Finder(QStringView needle, Qt::CaseSensitivity cs)
        : m_needle(needle)
        , m_cs(cs)
    {
        if (needle.isEmpty())
            return;
        const char16_t first = needle.utf16()[0];
        if (cs == Qt::CaseSensitive) {
            m_variants = {first};
        } else if (!QChar::isSurrogate(first)) {
            m_variants = caseVariants(first);
        } else {
            m_useQt = true;
            return;
        }
        m_useQt = m_variants.size() > 4;
        while (m_variants.size() < 4)
            m_variants.append(m_variants.front());
        const char16_t last = needle.utf16()[needle.size() - 1];
        if (cs == Qt::CaseInsensitive && !QChar::isSurrogate(last))
            m_lastFolded = char16_t(QChar::toCaseFolded(char32_t(last)));
    }

    // First occurrence starting at or after from, or -1.
    qsizetype find(QStringView text, qsizetype from) const
    {
        const qsizetype length = m_needle.size();
        if (length == 0 || from < 0 || text.size() - from < length)
            return -1;
        if (m_useQt)
            return text.indexOf(m_needle, from, m_cs);
        const char16_t *const data = text.utf16();
        // The last place an occurrence can start.
        const char16_t *const lastStart = data + text.size() - length;
        const char16_t v0 = m_variants[0], v1 = m_variants[1], v2 = m_variants[2], v3 = m_variants[3];
        const auto stops = [=](textscan::Block block) {
            using namespace textscan;
            return any(any(equal(block, v0), equal(block, v1)), any(equal(block, v2), equal(block, v3)));
        };
        const auto isStop = [=](char16_t c) { return c == v0 || c == v1 || c == v2 || c == v3; };
        for (const char16_t *p = data + from; p <= lastStart; ++p) {
            p = textscan::find(p, lastStart + 1, stops, isStop);
            if (p > lastStart)
                break;
            if (matchesAt(p))
                return p - data;
        }
        return -1;
    }

private:
    bool matchesAt(const char16_t *p) const
    {
        const qsizetype length = m_needle.size();
        if (m_cs == Qt::CaseSensitive)
            return std::memcmp(p + 1, m_needle.utf16() + 1, size_t(length - 1) * sizeof(char16_t)) == 0;
        // Most places where the first character stands end otherwise: the
        // last character, folded, rules them out before a full comparison.
        if (m_lastFolded && char16_t(QChar::toCaseFolded(char32_t(p[length - 1]))) != m_lastFolded)
            return false;
        return QStringView(p, length).compare(m_needle, Qt::CaseInsensitive) == 0;
    }

    QStringView m_needle;
    Qt::CaseSensitivity m_cs;
    QVarLengthArray<char16_t, 4> m_variants;
    char16_t m_lastFolded = 0; // 0: no such test
    bool m_useQt = false;
};

// Calls found(start) for each occurrence that replacing all would replace,
// left to right, and returns their number.
template<typename Found>
qsizetype forEachReplacement(QStringView text, qsizetype from, QStringView needle, SearchOptions options, Found &&found)
{
    if (needle.isEmpty())
        return 0;
    const Finder finder(needle, sensitivity(options));
    qsizetype count = 0;
    qsizetype position = std::clamp<qsizetype>(from, 0, text.size());
    while (position <= text.size() - needle.size()) {
        const qsizetype start = finder.find(text, position);
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
    const Finder finder(needle, sensitivity(options));
    qsizetype position = from;
    while (position <= to - needle.size()) {
        const qsizetype start = finder.find(range, position);
        if (start < 0)
            return -1;
        if (!options.wholeWord || isWholeWordAt(text, start, needle.size()))
            return start;
        position = start + 1;
    }
    return -1;
}

namespace {

MatchOptions matchOptions(SearchOptions options)
{
    return MatchOptions{options.matchCase, options.wholeWord, options.regex};
}

// A plain text over the lines of a page, with one finder for all of them.
MatchStatus findTextInPage(const DocumentText &text, const Matcher &matcher, qsizetype from, qsizetype startBefore,
                           Match &found)
{
    const QString &needle = matcher.pattern();
    const SearchOptions options{matcher.options().matchCase, matcher.options().wholeWord};
    // An occurrence must end by this position.
    const qsizetype to = startBefore - 1 + needle.size();
    if (needle.isEmpty() || to - from < needle.size())
        return MatchStatus::NotFound;
    const Finder finder(needle, sensitivity(options));
    text.visitLines(
        text.lineFromPosition(int(from)), text.lineFromPosition(int(std::min<qsizetype>(to, text.length()))),
        [&](int index, QStringView line) {
            const qsizetype start = text.lineStart(index);
            const QStringView range = line.first(std::clamp<qsizetype>(to - start, 0, line.size()));
            for (qsizetype position = std::max<qsizetype>(from - start, 0); position <= range.size() - needle.size();) {
                const qsizetype at = finder.find(range, position);
                if (at < 0)
                    break;
                if (!options.wholeWord || isWholeWordAt(line, at, needle.size())) {
                    found = Match{start + at, needle.size(), {}};
                    return false;
                }
                position = at + 1;
            }
            return true;
        });
    return found.found() ? MatchStatus::Found : MatchStatus::NotFound;
}

// The first match in a page that starts in [from, startBefore), line by
// line (no copy of the text) unless the matches may hold line breaks.
MatchStatus findInPage(const DocumentText &text, const Matcher &matcher, qsizetype from, qsizetype startBefore,
                       Match &found, const SearchBudget &budget)
{
    found = Match();
    startBefore = std::min<qsizetype>(startBefore, text.length());
    from = std::max<qsizetype>(from, 0);
    if (from >= startBefore)
        return MatchStatus::NotFound;
    if (matcher.spansLines())
        return matcher.find(text.text(), from, startBefore, found, budget);
    if (!matcher.isRegex())
        return findTextInPage(text, matcher, from, startBefore, found);
    MatchStatus status = MatchStatus::NotFound;
    const int lastLine = text.lineFromPosition(int(std::max<qsizetype>(startBefore - 1, 0)));
    text.visitLines(text.lineFromPosition(int(from)), lastLine, [&](int index, QStringView line) {
        const qsizetype start = text.lineStart(index);
        status = matcher.find(line, from - start, startBefore - start, found, budget);
        if (status == MatchStatus::Found)
            found.start += start;
        return status == MatchStatus::NotFound;
    });
    return status;
}

// The selection is a match, compared without taking a copy of a selection
// that cannot be it. An expression is tried at the selection's start, where
// it sees the text around it as a search does.
bool selectionIs(const DocumentText &text, const Matcher &matcher, Qt::CaseSensitivity cs, Match &match)
{
    const qsizetype length = text.selectionLength();
    if (!matcher.isRegex()) {
        const QString &needle = matcher.pattern();
        match = Match{text.selectionStart(), length, {}};
        return length == needle.size() && text.selectedText().compare(needle, cs) == 0;
    }
    const qsizetype start = text.selectionStart();
    return length > 0
           && findInPage(text, matcher, start, start + 1, match, SearchBudget(SearchTimeLimitMs)) == MatchStatus::Found
           && match.length == length;
}

bool findNext(DocumentText &text, SearchState &state, const Matcher &matcher, bool global)
{
    const qsizetype length = text.length();
    const qsizetype caret = std::min<qsizetype>(qsizetype(text.selectionStart()) + text.selectionLength(), length);
    text.setSelectionStart(int(caret));
    const qsizetype origin = std::clamp<qsizetype>(state.SearchOrigin, 0, length);
    const SearchBudget budget(SearchTimeLimitMs);

    // After the wrap, the search covers the occurrences that start before the
    // origin, including one that the caret stood inside when the cycle began.
    const qsizetype startBefore = (!global || state.WrapPending) ? length : origin;
    Match found;
    MatchStatus status = findInPage(text, matcher, caret, startBefore, found, budget);
    if (status == MatchStatus::NotFound && global && state.WrapPending) {
        text.setSelectionStart(0);
        state.WrapPending = false;
        status = findInPage(text, matcher, 0, origin, found, budget);
    }
    state.Stopped = status == MatchStatus::Stopped;
    if (status != MatchStatus::Found)
        return false;
    text.select(int(found.start), int(found.length));
    return true;
}

// The new-cycle test and the search of "&Trouver".
bool searchOn(DocumentText &text, SearchState &state, const Matcher &matcher, bool global)
{
    Match selected;
    if (state.SearchOrigin == -1 || !selectionIs(text, matcher, Qt::CaseInsensitive, selected)) {
        state.SearchOrigin = text.selectionStart();
        state.WrapPending = true;
    }
    if (findNext(text, state, matcher, global)) {
        state.MatchSelected = true;
        return true;
    }
    state.SearchOrigin = -1;
    return false;
}

} // namespace

bool FindNext(DocumentText &text, SearchState &state, const QString &needle, bool global, SearchOptions options)
{
    const Matcher matcher(needle, matchOptions(options));
    state.Stopped = false;
    return matcher.isValid() && findNext(text, state, matcher, global);
}

bool FindCommand(DocumentText &text, SearchState &state, const QString &needle, bool global, SearchOptions options)
{
    state.Stopped = false;
    if (needle.isEmpty())
        return false;
    const Matcher matcher(needle, matchOptions(options));
    return matcher.isValid() && searchOn(text, state, matcher, global);
}

ReplaceStep ReplaceCommand(DocumentText &text, UndoHistory &undo, EditorState &editorState, SearchState &state,
                           const QString &needle, const QString &replacement, bool global, SearchOptions options)
{
    ReplaceStep step;
    state.Stopped = false;
    if (needle.isEmpty())
        return step;
    const Matcher matcher(needle, matchOptions(options), replacement);
    if (!matcher.isValid())
        return step;
    Match selected;
    if (state.MatchSelected && text.selectionLength() > 0
        && selectionIs(text, matcher, sensitivity(options), selected)) {
        const int start = text.selectionStart();
        const int lengthBefore = text.length();
        ReplaceSelection(text, undo, editorState, matcher.replacementFor(selected));
        step.replaced = true;
        // The cycle goes on from the end of the replacement, which is never
        // searched again, even when it contains the search text. A match
        // replaced before the cycle's origin moves the origin with the text
        // after it, and never back into the replacement.
        const int end = text.selectionStart() + text.selectionLength();
        if (state.SearchOrigin > start)
            state.SearchOrigin = std::max(state.SearchOrigin + text.length() - lengthBefore, end);
        state.MatchSelected = false;
        step.found =
            state.SearchOrigin != -1 ? findNext(text, state, matcher, global) : searchOn(text, state, matcher, global);
        if (step.found)
            state.MatchSelected = true;
        else
            state.SearchOrigin = -1;
        return step;
    }
    state.MatchSelected = false;
    step.found = searchOn(text, state, matcher, global);
    return step;
}

ReplaceAllResult replaceAllInText(QStringView text, qsizetype from, QStringView needle, QStringView replacement,
                                  SearchOptions options)
{
    ReplaceAllResult result;
    const qsizetype n = text.size();
    TextBuilder out(replacement.size() > needle.size() ? n + n / 8 : n);
    const char16_t *const data = text.utf16();
    qsizetype copied = 0;
    result.count = forEachReplacement(text, from, needle, options, [&](qsizetype start) {
        out.append(data + copied, start - copied);
        out.append(replacement.utf16(), replacement.size());
        copied = start + needle.size();
    });
    out.append(data + copied, n - copied);
    result.text = out.take();
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
    bool stopped = false;
    const bool applied = applyWholeText(text, undo, [&](const QString &before) -> std::optional<QString> {
        if (options.regex) {
            const Matcher matcher(needle, matchOptions(options), replacement);
            std::optional<MatchReplaceResult> result =
                matcher.isValid() ? replaceMatches(before, from, matcher, SearchBudget(SearchTimeLimitMs))
                                  : std::nullopt;
            stopped = !result;
            if (!result || result->text.size() > DocumentText::MaxLength)
                return std::nullopt;
            count = result->count;
            return std::move(result->text);
        }
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
    if (applied)
        return count;
    return stopped ? ReplaceAllStopped : ReplaceAllTooLong;
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
