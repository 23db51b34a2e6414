#include "core/findfiles/matcher.h"

#include "core/messages/messages.h"
#include "core/text/documenttext.h"
#include "core/text/search.h"

#include <algorithm>

namespace {

// Leading verb that makes "^", "$" and "." know CR, LF and CR LF alike: the
// editor's page holds CR LF, files on disk any of the three.
const QString LineBreakVerb = QStringLiteral("(*ANYCRLF)");

// The position just after the character at i (a surrogate pair counts as one).
qsizetype nextCharacter(QStringView text, qsizetype i)
{
    if (i + 1 < text.size() && text.at(i).isHighSurrogate() && text.at(i + 1).isLowSurrogate())
        return i + 2;
    return i + 1;
}

// See Matcher::lineSkipping. Any doubt (a false alarm inside a character
// class, say) only means the slower line-by-line search.
bool allowsLineSkipping(QStringView pattern)
{
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        const QChar next = i + 1 < pattern.size() ? pattern.at(i + 1) : QChar();
        if (c == u'\\') {
            if (next == u'z' || next == u'Z' || next == u'A' || next == u'G' || next == u'K')
                return false;
            ++i;
        } else if (c == u'(' && (next == u'?' || next == u'*')) {
            const QStringView rest = pattern.mid(i + 2);
            const bool group = next == u'?'
                               && (rest.startsWith(u':') || rest.startsWith(u"P<")
                                   || (rest.startsWith(u'<') && rest.size() > 1 && rest.at(1).isLetter()));
            if (!group)
                return false;
        } else if (next == u'+' && (c == u'*' || c == u'+' || c == u'?' || c == u'}')) {
            return false;
        }
    }
    return true;
}

} // namespace

bool patternNamesLineBreak(QStringView pattern)
{
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (c == u'\n' || c == u'\r')
            return true;
        if (c != u'\\' || i + 1 >= pattern.size())
            continue;
        const QStringView rest = pattern.mid(i + 1);
        if (rest.startsWith(u'n') || rest.startsWith(u'r') || rest.startsWith(u'R') || rest.startsWith(u'v'))
            return true;
        for (const char16_t *code : {u"x0a", u"x0A", u"x0d", u"x0D", u"x{a}", u"x{A}", u"x{d}", u"x{D}", u"x{0a}",
                                     u"x{0A}", u"x{0d}", u"x{0D}"})
            if (rest.startsWith(QStringView(code)))
                return true;
        ++i; // the escaped character is not itself an escape
    }
    return false;
}

ReplacementTemplate::ReplacementTemplate(QStringView text, QStringView lineBreak)
{
    QString literal;
    const auto flush = [&] {
        if (!literal.isEmpty())
            m_pieces.append(Piece{literal, -1});
        literal.clear();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'\\' || i + 1 >= text.size()) {
            literal += c;
            continue;
        }
        const QChar next = text.at(i + 1);
        if (next >= u'0' && next <= u'9') {
            flush();
            m_pieces.append(Piece{QString(), next.unicode() - u'0'});
        } else if (next == u'n') {
            literal += lineBreak;
        } else if (next == u't') {
            literal += u'\t';
        } else if (next == u'\\') {
            literal += u'\\';
        } else {
            literal += c;
            literal += next;
        }
        ++i;
    }
    flush();
}

QString ReplacementTemplate::expand(const QStringList &groups) const
{
    QString out;
    for (const Piece &piece : m_pieces) {
        if (piece.group < 0)
            out += piece.text;
        else if (piece.group < groups.size())
            out += groups.at(piece.group);
    }
    return out;
}

bool ReplacementTemplate::isLiteral() const
{
    return std::none_of(m_pieces.begin(), m_pieces.end(), [](const Piece &piece) { return piece.group >= 0; });
}

Matcher::Matcher(const QString &pattern, MatchOptions options, const QString &replacement, QStringView lineBreak)
    : m_pattern(pattern)
    , m_replacement(replacement)
    , m_options(options)
{
    if (!options.regex) {
        m_plainReplacement = replacement;
        m_spansLines =
            std::any_of(pattern.begin(), pattern.end(), [](QChar c) { return c == u'\r' || isLineBreakMark(c); });
        return;
    }
    m_template = ReplacementTemplate(replacement, lineBreak);
    m_spansLines = patternNamesLineBreak(pattern);
    QRegularExpression::PatternOptions flags = QRegularExpression::UseUnicodePropertiesOption;
    if (!options.matchCase)
        flags |= QRegularExpression::CaseInsensitiveOption;
    if (m_spansLines)
        flags |= QRegularExpression::MultilineOption;
    m_regex = QRegularExpression(LineBreakVerb + pattern, flags);
    if (pattern.isEmpty()) {
        m_error = msg(9850);
    } else if (!m_regex.isValid()) {
        const qsizetype offset = std::max<qsizetype>(m_regex.patternErrorOffset() - LineBreakVerb.size(), 0);
        m_error = msg(9851) + m_regex.errorString() + msg(9852) + QString::number(offset + 1) + u'.';
    } else {
        m_regex.optimize();
        m_lineSkipping = !m_spansLines && allowsLineSkipping(pattern);
        if (m_lineSkipping) {
            m_wholeRegex = QRegularExpression(m_regex.pattern(), flags | QRegularExpression::MultilineOption);
            m_wholeRegex.optimize();
        }
    }
}

MatchStatus Matcher::find(QStringView text, qsizetype from, qsizetype startBefore, Match &match,
                          const SearchBudget &budget) const
{
    match = Match();
    startBefore = std::min(startBefore, text.size());
    from = std::max<qsizetype>(from, 0);
    if (!isValid() || m_pattern.isEmpty() || from >= startBefore)
        return MatchStatus::NotFound;
    if (!m_options.regex) {
        const qsizetype length = m_pattern.size();
        const qsizetype start = findInRange(text, m_pattern, from, startBefore - 1 + length,
                                            SearchOptions{m_options.matchCase, m_options.wholeWord});
        if (start < 0)
            return MatchStatus::NotFound;
        match.start = start;
        match.length = length;
        return MatchStatus::Found;
    }
    for (qsizetype position = from; position < startBefore;) {
        if (budget.spent())
            return MatchStatus::Stopped;
        const QRegularExpressionMatch found = m_regex.match(text, position);
        // An invalid match is the expression's own limit on backtracking:
        // the text was not searched through, which must not read as "none".
        if (!found.isValid())
            return MatchStatus::Stopped;
        if (!found.hasMatch() || found.capturedStart() >= startBefore)
            return budget.spent() ? MatchStatus::Stopped : MatchStatus::NotFound;
        const qsizetype start = found.capturedStart();
        const qsizetype length = found.capturedLength();
        if (length == 0 || (m_options.wholeWord && !isWholeWordAt(text, start, length))) {
            position = nextCharacter(text, start);
            continue;
        }
        match.start = start;
        match.length = length;
        match.groups = found.capturedTexts();
        return MatchStatus::Found;
    }
    return MatchStatus::NotFound;
}

std::optional<qsizetype> Matcher::firstStartInWhole(QStringView text, qsizetype from) const
{
    const QRegularExpressionMatch found = m_wholeRegex.match(text, from);
    if (!found.isValid())
        return std::nullopt;
    return found.hasMatch() ? found.capturedStart() : -1;
}

Matcher Matcher::withLineBreak(QStringView lineBreak) const
{
    Matcher copy(*this);
    if (m_options.regex)
        copy.m_template = ReplacementTemplate(m_replacement, lineBreak);
    return copy;
}

QString Matcher::replacementFor(const Match &match) const
{
    return m_options.regex ? m_template.expand(match.groups) : m_plainReplacement;
}

std::optional<MatchReplaceResult> replaceMatches(QStringView text, qsizetype from, const Matcher &matcher,
                                                 const SearchBudget &budget)
{
    MatchReplaceResult result;
    result.text.reserve(text.size());
    qsizetype copied = 0;
    const MatchStatus status = forEachMatch(text, from, matcher, budget, [&](const Match &match) {
        result.text += text.sliced(copied, match.start - copied);
        result.text += matcher.replacementFor(match);
        copied = match.start + match.length;
        ++result.count;
    });
    if (status == MatchStatus::Stopped)
        return std::nullopt;
    result.text += text.sliced(copied);
    return result;
}
