#pragma once

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <atomic>
#include <optional>
#include <utility>

// What is searched for: a text as typed, or a regular expression (Unicode,
// Perl syntax). The case box applies to both; "whole word" keeps only
// matches that neither follow nor precede a letter or a digit.
struct MatchOptions
{
    bool matchCase = false;
    bool wholeWord = false;
    bool regex = false;
};

// Stops a search that runs too long or that its owner gave up. An
// expression can take a very long time on some texts: every search checks
// this between two match attempts.
class SearchBudget
{
public:
    SearchBudget() = default;
    // No more time after msecs milliseconds.
    explicit SearchBudget(qint64 msecs)
        : m_deadline(msecs)
    {}
    // Also stops as soon as *cancelled turns true (another thread sets it).
    SearchBudget(qint64 msecs, const std::atomic_bool *cancelled)
        : m_deadline(msecs < 0 ? QDeadlineTimer(QDeadlineTimer::Forever) : QDeadlineTimer(msecs))
        , m_cancelled(cancelled)
    {}

    bool spent() const
    {
        return (m_cancelled && m_cancelled->load(std::memory_order_relaxed)) || m_deadline.hasExpired();
    }

private:
    QDeadlineTimer m_deadline{QDeadlineTimer::Forever};
    const std::atomic_bool *m_cancelled = nullptr;
};

// One occurrence: where it starts in the searched text and its length;
// for an expression, also its captured groups (0 is the whole match).
struct Match
{
    qsizetype start = -1;
    qsizetype length = 0;
    QStringList groups;
    bool found() const { return start >= 0; }
};

enum class MatchStatus { Found, NotFound, Stopped };

// A parsed replacement for an expression: "\0" to "\9" stand for the match
// and its groups, "\n" for a line break, "\t" for a tab, "\\" for one
// backslash; any other backslash stays as it is. A group the expression
// does not have, or that took no part in the match, gives nothing.
class ReplacementTemplate
{
public:
    ReplacementTemplate() = default;
    ReplacementTemplate(QStringView text, QStringView lineBreak);

    QString expand(const QStringList &groups) const;
    // The template holds no group reference: the same text for every match.
    bool isLiteral() const;

private:
    struct Piece
    {
        QString text; // literal text, or empty for a group
        int group = -1;
    };
    QList<Piece> m_pieces;
};

// The one matcher of the find dialog and of find in files. A plain text is
// found with the editor's fast text search; an expression with
// QRegularExpression. Matches never cross a line break unless the expression
// itself names one ("\n", "\r", "\R", "\v" or the code of LF or CR): only
// then is the text searched as a whole, with "^" and "$" at every line's
// start and end. Matches of no characters are never occurrences.
class Matcher
{
public:
    // lineBreak is what "\n" in a replacement writes.
    Matcher(const QString &pattern, MatchOptions options, const QString &replacement = QString(),
            QStringView lineBreak = u"\r\n");

    bool isValid() const { return m_error.isEmpty(); }
    // Why the expression is invalid, in French, with the position of the fault.
    QString errorText() const { return m_error; }
    bool isRegex() const { return m_options.regex; }
    const QString &pattern() const { return m_pattern; }
    const MatchOptions &options() const { return m_options; }
    // Matches may hold line breaks: search the whole text, not line by line.
    bool spansLines() const { return m_spansLines; }

    // The first match of text that starts at or after from and before
    // startBefore. An expression sees the whole of text (look-behind and
    // "^" included) but a plain text must end within it.
    MatchStatus find(QStringView text, qsizetype from, qsizetype startBefore, Match &match,
                     const SearchBudget &budget = SearchBudget()) const;
    // Where the first match of the expression over the whole of text (lines
    // joined) starts at or after from, empty matches included: no match of
    // a line starts before it (see lineSkipping). -1 for none; nothing when
    // it cannot tell (the engine gave up).
    std::optional<qsizetype> firstStartInWhole(QStringView text, qsizetype from) const;
    // An expression whose every match within a line is also a match over
    // the whole text at the same place: no look-around, no anchors at the
    // ends of the subject, no atomic or possessive parts, no verbs. Then
    // lines before the whole text's first match cannot hold one, and a
    // search skips them in one call instead of one call per line.
    bool lineSkipping() const { return m_lineSkipping; }
    // What replaces a match.
    QString replacementFor(const Match &match) const;
    // The same matcher whose replacement writes "\n" as lineBreak.
    Matcher withLineBreak(QStringView lineBreak) const;

private:
    QString m_pattern;
    QString m_replacement;
    MatchOptions m_options;
    QRegularExpression m_regex;
    QRegularExpression m_wholeRegex; // "^" and "$" at every line, for lineSkipping
    ReplacementTemplate m_template;
    QString m_plainReplacement;
    QString m_error;
    bool m_spansLines = false;
    bool m_lineSkipping = false;
};

// The pattern names a line break: "\n", "\r", "\R", "\v", "\x0a"/"\x0d",
// "\x{a}"/"\x{d}", or holds one as such.
bool patternNamesLineBreak(QStringView pattern);

// Calls found(match) for each match of text from position from on, left to
// right, without overlaps, and returns Found when there was at least one.
// An expression that does not span lines is tried line by line ("^" and "$"
// at each line's ends); a plain text is searched in one pass, which gives
// the same matches since it holds no line break.
template<typename Found>
MatchStatus forEachMatch(QStringView text, qsizetype from, const Matcher &matcher, const SearchBudget &budget,
                         Found &&found);

// Every match replaced as one text; nothing when the budget ran out.
struct MatchReplaceResult
{
    QString text;
    qsizetype count = 0;
};
std::optional<MatchReplaceResult> replaceMatches(QStringView text, qsizetype from, const Matcher &matcher,
                                                 const SearchBudget &budget);

// Where the next line starts after the line break at i (CR LF counts as
// one), for the breaks the editor knows (see isLineBreakMark).
inline qsizetype afterLineBreak(QStringView text, qsizetype i)
{
    return text.at(i) == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n' ? i + 2 : i + 1;
}
inline bool isLineBreakAt(QStringView text, qsizetype i)
{
    const QChar c = text.at(i);
    return c == u'\r' || c == u'\n' || c == QChar::ParagraphSeparator || c.unicode() == 0xFDD0 || c.unicode() == 0xFDD1;
}

template<typename Found>
MatchStatus forEachMatch(QStringView text, qsizetype from, const Matcher &matcher, const SearchBudget &budget,
                         Found &&found)
{
    bool any = false;
    const auto run = [&](QStringView part, qsizetype offset, qsizetype start) {
        for (qsizetype position = start; position < part.size();) {
            Match match;
            const MatchStatus status = matcher.find(part, position, part.size(), match, budget);
            if (status != MatchStatus::Found)
                return status;
            any = true;
            match.start += offset;
            found(std::as_const(match));
            position = match.start - offset + match.length;
        }
        return MatchStatus::NotFound;
    };
    if (!matcher.isRegex() || matcher.spansLines()) {
        if (run(text, 0, from) == MatchStatus::Stopped)
            return MatchStatus::Stopped;
        return any ? MatchStatus::Found : MatchStatus::NotFound;
    }
    // Lines end at the editor's breaks; the whole-text search knows CR and
    // LF only, so the rare other breaks turn the skipping off.
    bool skipping = matcher.lineSkipping() && !text.contains(QChar::ParagraphSeparator) && !text.contains(QChar(0xFDD0))
                    && !text.contains(QChar(0xFDD1));
    qsizetype lineStart = 0;
    qsizetype skipTo = 0; // no line match starts before this
    // Whole-text searches cover a few lines at first, more while they stay
    // quick; a slow one (an expression that backtracks a lot) turns them
    // off, so that the budget is looked at after every line again.
    qsizetype chunk = 256;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (skipping && i == lineStart && i >= skipTo) {
            const qsizetype start = std::max(i, from);
            qsizetype end = std::min(text.size(), start + chunk);
            while (end < text.size() && !isLineBreakAt(text, end))
                ++end;
            QElapsedTimer clock;
            clock.start();
            // Lines that lie wholly in the part searched hold no match
            // before the part's first one.
            const std::optional<qsizetype> next = matcher.firstStartInWhole(text.first(end), start);
            const bool quick = clock.elapsed() < 5;
            skipping = next && quick;
            chunk = std::min<qsizetype>(chunk * 2, 1 << 16);
            if (budget.spent())
                return MatchStatus::Stopped;
            if (next) {
                skipTo = *next < 0 ? end : *next;
                // Straight to the line where that match starts.
                while (i < skipTo) {
                    if (isLineBreakAt(text, i)) {
                        i = afterLineBreak(text, i);
                        lineStart = i;
                    } else {
                        ++i;
                    }
                }
                i = lineStart;
            }
        }
        if (i < text.size() && !isLineBreakAt(text, i))
            continue;
        if (i >= from) {
            const QStringView line = text.sliced(lineStart, i - lineStart);
            const qsizetype start = std::max({from, skipTo, lineStart}) - lineStart;
            if (run(line, lineStart, start) == MatchStatus::Stopped)
                return MatchStatus::Stopped;
        }
        if (i == text.size())
            break;
        i = afterLineBreak(text, i) - 1;
        lineStart = i + 1;
    }
    return any ? MatchStatus::Found : MatchStatus::NotFound;
}
