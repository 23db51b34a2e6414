#include "core/completion/tagscan.h"

#include "core/highlight/htmllexer.h"
#include "core/text/linestore.h"

#include <QHash>

#include <algorithm>
#include <vector>

namespace tagscan {

namespace {

// Characters read before a stretch to find the lexer's state there.
constexpr int OverlapChars = 4096;
// Characters lexed at a time; the visitor may stop after any stretch.
constexpr int ChunkChars = 32768;
// A stretch's cut inside a long line moves back to a "<" this close, so that
// no tag name is cut in two.
constexpr int SnapChars = 1024;

struct Pos
{
    int line;
    int column;
};

bool isSpace(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\f' || c == u'\r' || c == u'\n';
}

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// The names of the tags in piece's tag tokens; the lexer merges adjacent
// tokens of one kind, so one token may hold several tags ("<B><I>").
void collectMarks(QStringView piece, int line, int offset, const std::vector<htmllex::Token> &tokens,
                  std::vector<TagMark> &out)
{
    for (const htmllex::Token &token : tokens) {
        if (token.kind != htmllex::Kind::Tag)
            continue;
        const int e = token.start + token.length;
        for (int i = token.start; i < e; ++i) {
            if (piece[i] != u'<')
                continue;
            int j = i + 1;
            const bool end = j < e && piece[j] == u'/';
            if (end)
                ++j;
            if (j >= e || !isAsciiLetter(piece[j]))
                continue;
            // A "<" inside a name belongs to it, as a browser reads
            // "<TABLE<TABLE>": one tag, whose name is no element's.
            int k = j;
            while (k < e && !isSpace(piece[k]) && piece[k] != u'>' && piece[k] != u'/')
                ++k;
            out.push_back({line, offset + j, k - j, end});
            i = k - 1;
        }
    }
}

int lexPiece(const LineStore &lines, int line, int from, int to, int state, std::vector<TagMark> *marks)
{
    const QStringView piece = QStringView(lines.line(line)).mid(from, to - from);
    thread_local std::vector<htmllex::Token> tokens;
    tokens.clear();
    state = htmllex::lexLine(piece, state, marks ? &tokens : nullptr);
    if (marks)
        collectMarks(piece, line, from, tokens, *marks);
    return state;
}

int lexSpan(const LineStore &lines, Pos from, Pos to, int state, std::vector<TagMark> *marks)
{
    for (int l = from.line; l <= to.line; ++l) {
        const int a = l == from.line ? from.column : 0;
        const int b = l == to.line ? to.column : lines.lineLength(l);
        state = lexPiece(lines, l, a, b, state, marks);
    }
    return state;
}

// Where a stretch of about budget characters ending at end starts; a line
// break counts as one character.
Pos stretchBefore(const LineStore &lines, Pos end, int budget, bool snap)
{
    int l = end.line;
    int c = end.column;
    for (;;) {
        int from = std::max(0, c - budget);
        if (from > 0 && snap) {
            const qsizetype lt = lines.line(l).lastIndexOf(u'<', from);
            if (lt >= 0 && from - lt <= SnapChars)
                from = int(lt);
        }
        budget -= c - from + 1;
        if (from > 0 || l == 0 || budget <= 0)
            return {l, from};
        --l;
        c = lines.lineLength(l);
    }
}

// Where a stretch of about budget characters starting at start ends.
Pos stretchAfter(const LineStore &lines, Pos start, int budget)
{
    int l = start.line;
    int c = start.column;
    for (;;) {
        const int length = lines.lineLength(l);
        int to = int(std::min<qint64>(length, qint64(c) + budget));
        if (to < length) {
            const qsizetype lt = lines.line(l).lastIndexOf(u'<', to);
            if (lt > c && to - lt <= SnapChars)
                to = int(lt);
        }
        budget -= to - c + 1;
        if (to < length || l + 1 >= lines.lineCount() || budget <= 0)
            return {l, to};
        ++l;
        c = 0;
    }
}

qint64 distance(const LineStore &lines, Pos from, Pos to)
{
    qint64 n = 0;
    for (int l = from.line; l < to.line; ++l)
        n += lines.lineLength(l) + 1;
    return n + to.column - from.column;
}

// Visits the tags before end, nearest first, until visit returns true
// (then true) or limit characters have been read (then false).
template<typename Visit> bool scanBackward(const LineStore &lines, Pos end, qint64 limit, Visit visit)
{
    std::vector<TagMark> marks;
    while (limit > 0 && (end.line > 0 || end.column > 0)) {
        const Pos start = stretchBefore(lines, end, ChunkChars, true);
        marks.clear();
        lexSpan(lines, start, end, stateBefore(lines, start.line, start.column), &marks);
        for (auto it = marks.rbegin(); it != marks.rend(); ++it) {
            if (visit(*it))
                return true;
        }
        limit -= distance(lines, start, end) + OverlapChars;
        end = start;
    }
    return false;
}

// Visits the tags from start on, in order, in the same way.
template<typename Visit> bool scanForward(const LineStore &lines, Pos start, qint64 limit, Visit visit)
{
    std::vector<TagMark> marks;
    int state = stateBefore(lines, start.line, start.column);
    while (limit > 0 && start.line < lines.lineCount()) {
        const Pos end = stretchAfter(lines, start, ChunkChars);
        marks.clear();
        state = lexSpan(lines, start, end, state, &marks);
        for (const TagMark &mark : marks) {
            if (visit(mark))
                return true;
        }
        limit -= distance(lines, start, end) + 1;
        start = end.column < lines.lineLength(end.line) ? end : Pos{end.line + 1, 0};
    }
    return false;
}

QStringView nameView(const LineStore &lines, const TagMark &mark)
{
    return QStringView(lines.line(mark.line)).mid(mark.column, mark.length);
}

} // namespace

int stateBefore(const LineStore &lines, int line, int column)
{
    const Pos start = stretchBefore(lines, {line, column}, OverlapChars, false);
    return lexSpan(lines, start, {line, column}, htmllex::StartState, nullptr);
}

bool isVoidElement(QStringView name)
{
    static constexpr QStringView Void[] = {u"AREA",  u"BASE",  u"BASEFONT", u"BGSOUND", u"BR",      u"COL",    u"EMBED",
                                           u"FRAME", u"HR",    u"IMG",      u"INPUT",   u"ISINDEX", u"KEYGEN", u"LINK",
                                           u"META",  u"PARAM", u"SOURCE",   u"SPACER",  u"TRACK",   u"WBR"};
    return std::any_of(std::begin(Void), std::end(Void),
                       [name](QStringView v) { return v.compare(name, Qt::CaseInsensitive) == 0; });
}

std::optional<TagMark> tagNameAt(const LineStore &lines, int line, int column)
{
    if (line < 0 || line >= lines.lineCount() || column < 0 || column > lines.lineLength(line))
        return std::nullopt;
    const Pos start = stretchBefore(lines, {line, column}, SnapChars, true);
    const Pos end{line, std::min(lines.lineLength(line), column + SnapChars)};
    std::vector<TagMark> marks;
    lexSpan(lines, start, end, stateBefore(lines, start.line, start.column), &marks);
    for (const TagMark &mark : marks) {
        if (mark.line == line && mark.column <= column && column <= mark.column + mark.length)
            return mark;
    }
    return std::nullopt;
}

std::optional<TagMark> innermostOpenElement(const LineStore &lines, int line, int column, qint64 limit)
{
    // Walking back, an end tag waits for its start tag; the first start tag
    // that no end tag waits for is the open element.
    QHash<QString, int> waiting;
    std::optional<TagMark> found;
    scanBackward(lines, {line, column}, limit, [&](const TagMark &mark) {
        const QString name = nameView(lines, mark).toString().toUpper();
        if (mark.end) {
            ++waiting[name];
            return false;
        }
        if (isVoidElement(name))
            return false;
        int &count = waiting[name];
        if (count > 0) {
            --count;
            return false;
        }
        found = mark;
        return true;
    });
    return found;
}

std::optional<TagMark> matchingTag(const LineStore &lines, const TagMark &at, qint64 limit)
{
    const QString name = nameOf(lines, at);
    if (isVoidElement(name))
        return std::nullopt;
    // Tags of the same name nest: the match is the one that brings the
    // depth back to zero.
    int depth = 0;
    std::optional<TagMark> found;
    const auto visit = [&](const TagMark &mark) {
        if (mark.length != at.length || nameView(lines, mark).compare(name, Qt::CaseInsensitive) != 0)
            return false;
        if (mark.end == at.end) {
            ++depth;
            return false;
        }
        if (depth > 0) {
            --depth;
            return false;
        }
        found = mark;
        return true;
    };
    if (at.end)
        scanBackward(lines, {at.line, std::max(0, at.column - 2)}, limit, visit);
    else
        scanForward(lines, {at.line, at.column + at.length}, limit, visit);
    return found;
}

QString nameOf(const LineStore &lines, const TagMark &mark)
{
    return nameView(lines, mark).toString();
}

} // namespace tagscan
