#include "core/highlight/htmllexer.h"

namespace htmllex {

namespace {

// The low bits hold where the lexer is; the next two the element whose raw
// content follows (the start tag being read, or the block being inside).
enum Mode : int {
    Text,
    TagName, // just after "<" or "</"
    InTag,   // between attributes
    AttrName,
    AfterAttrName, // an attribute name read, "=" may follow
    BeforeValue,   // after "="
    ValueDouble,
    ValueSingle,
    ValueBare,
    Comment,     // "<!--" ... "-->"
    Declaration, // "<!DOCTYPE ...>", "<?...>"
    Raw,         // content of SCRIPT or STYLE
    ModeCount
};
enum RawElement : int { NoRaw, ScriptElement, StyleElement };

constexpr int ModeMask = 0xF;
constexpr int RawShift = 4;

int makeState(int mode, int raw)
{
    return mode | (raw << RawShift);
}

bool isSpace(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\f' || c == u'\r' || c == u'\n';
}

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isHexDigit(QChar c)
{
    return isAsciiDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// Length of the character reference at i ("&amp;", "&#233;", "&#xE9;"), 0
// when there is none. Numeric references may lack their ";", named ones not.
int entityLength(QStringView s, int i)
{
    const int n = int(s.size());
    int j = i + 1;
    if (j < n && s[j] == u'#') {
        ++j;
        const bool hex = j < n && (s[j] == u'x' || s[j] == u'X');
        if (hex)
            ++j;
        const int digits = j;
        while (j < n && (hex ? isHexDigit(s[j]) : isAsciiDigit(s[j])))
            ++j;
        if (j == digits)
            return 0;
        if (j < n && s[j] == u';')
            ++j;
        return j - i;
    }
    if (j >= n || !isAsciiLetter(s[j]))
        return 0;
    while (j < n && (isAsciiLetter(s[j]) || isAsciiDigit(s[j])))
        ++j;
    return j < n && s[j] == u';' ? j + 1 - i : 0;
}

// The end tag of the raw element starts at i: "</script" followed by a
// blank, "/", ">" or the end of the line.
bool rawEndsAt(QStringView s, int i, int raw)
{
    const QStringView name = raw == StyleElement ? u"style" : u"script";
    const int n = int(s.size());
    const int after = i + 2 + int(name.size());
    if (after > n || s[i + 1] != u'/' || s.mid(i + 2, name.size()).compare(name, Qt::CaseInsensitive) != 0)
        return false;
    return after == n || isSpace(s[after]) || s[after] == u'/' || s[after] == u'>';
}

int rawElementOf(QStringView name)
{
    if (name.compare(u"script", Qt::CaseInsensitive) == 0)
        return ScriptElement;
    if (name.compare(u"style", Qt::CaseInsensitive) == 0)
        return StyleElement;
    return NoRaw;
}

class Lexer
{
public:
    Lexer(QStringView line, std::vector<Token> *tokens)
        : m_s(line)
        , m_n(int(line.size()))
        , m_tokens(tokens)
    {}

    int run(int state)
    {
        int mode = state & ModeMask;
        int raw = (state >> RawShift) & 0x3;
        if (mode >= ModeCount || raw > StyleElement || state < 0 || (state >> (RawShift + 2)) != 0) {
            mode = Text;
            raw = NoRaw;
        }
        int i = 0;
        int nameStart = 0;
        bool endTag = false;
        while (i < m_n) {
            const QChar c = m_s[i];
            switch (mode) {
            case Text:
                if (c == u'<' && i + 1 < m_n) {
                    const QChar next = m_s[i + 1];
                    if (next == u'!' && m_s.mid(i, 4) == u"<!--") {
                        add(i, 4, Kind::Comment);
                        i += 4;
                        mode = Comment;
                        continue;
                    }
                    if (next == u'!' || next == u'?') {
                        add(i, 2, Kind::Tag);
                        i += 2;
                        mode = Declaration;
                        continue;
                    }
                    endTag = next == u'/';
                    const int nameAt = i + (endTag ? 2 : 1);
                    if (nameAt < m_n && isAsciiLetter(m_s[nameAt])) {
                        add(i, nameAt - i, Kind::Tag);
                        i = nameAt;
                        nameStart = i;
                        mode = TagName;
                        continue;
                    }
                } else if (c == u'&') {
                    if (const int length = entityLength(m_s, i)) {
                        add(i, length, Kind::Entity);
                        i += length;
                        continue;
                    }
                }
                ++i;
                break;
            case TagName:
                if (isSpace(c) || c == u'>' || c == u'/') {
                    add(nameStart, i - nameStart, Kind::Tag);
                    raw = endTag ? NoRaw : rawElementOf(m_s.mid(nameStart, i - nameStart));
                    mode = InTag;
                    continue;
                }
                ++i;
                break;
            case InTag:
            case AfterAttrName:
                if (c == u'>') {
                    add(i, 1, Kind::Tag);
                    ++i;
                    mode = raw != NoRaw ? Raw : Text;
                } else if (c == u'/' && i + 1 < m_n && m_s[i + 1] == u'>') {
                    add(i, 2, Kind::Tag);
                    i += 2;
                    mode = Text;
                    raw = NoRaw;
                } else if (c == u'=' && mode == AfterAttrName) {
                    add(i, 1, Kind::Tag);
                    ++i;
                    mode = BeforeValue;
                } else if (isSpace(c) || c == u'/') {
                    ++i;
                } else {
                    nameStart = i;
                    mode = AttrName;
                }
                break;
            case AttrName:
                if (isSpace(c) || c == u'>' || c == u'/' || c == u'=') {
                    add(nameStart, i - nameStart, Kind::AttributeName);
                    mode = AfterAttrName;
                    continue;
                }
                ++i;
                break;
            case BeforeValue:
                if (c == u'"' || c == u'\'') {
                    add(i, 1, Kind::AttributeValue);
                    ++i;
                    mode = c == u'"' ? ValueDouble : ValueSingle;
                } else if (c == u'>') {
                    mode = InTag;
                } else if (isSpace(c)) {
                    ++i;
                } else {
                    mode = ValueBare;
                }
                break;
            case ValueDouble:
            case ValueSingle: {
                // Everything up to the closing quote, "<" and ">" included.
                const QChar quote = mode == ValueDouble ? u'"' : u'\'';
                const qsizetype close = m_s.indexOf(quote, i);
                const int end = close < 0 ? m_n : int(close) + 1;
                add(i, end - i, Kind::AttributeValue);
                i = end;
                if (close >= 0)
                    mode = InTag;
                break;
            }
            case ValueBare: {
                int j = i;
                while (j < m_n && !isSpace(m_s[j]) && m_s[j] != u'>')
                    ++j;
                add(i, j - i, Kind::AttributeValue);
                i = j;
                mode = InTag;
                break;
            }
            case Comment: {
                const qsizetype close = m_s.indexOf(u"-->", i);
                const int end = close < 0 ? m_n : int(close) + 3;
                add(i, end - i, Kind::Comment);
                i = end;
                if (close >= 0)
                    mode = Text;
                break;
            }
            case Declaration: {
                const qsizetype close = m_s.indexOf(u'>', i);
                const int end = close < 0 ? m_n : int(close) + 1;
                add(i, end - i, Kind::Tag);
                i = end;
                if (close >= 0)
                    mode = Text;
                break;
            }
            case Raw: {
                // Only the element's own end tag ends it: "</" in a string does not.
                int j = i;
                while (j < m_n && !(m_s[j] == u'<' && j + 1 < m_n && rawEndsAt(m_s, j, raw)))
                    ++j;
                add(i, j - i, Kind::Script);
                i = j;
                if (j < m_n) {
                    add(j, 2, Kind::Tag);
                    i = j + 2;
                    nameStart = i;
                    endTag = true;
                    mode = TagName;
                    raw = NoRaw;
                }
                break;
            }
            }
        }
        // A line break ends names and bare values.
        switch (mode) {
        case TagName:
            add(nameStart, m_n - nameStart, Kind::Tag);
            raw = endTag ? NoRaw : rawElementOf(m_s.mid(nameStart, m_n - nameStart));
            mode = InTag;
            break;
        case AttrName:
            add(nameStart, m_n - nameStart, Kind::AttributeName);
            mode = AfterAttrName;
            break;
        case ValueBare:
            mode = InTag;
            break;
        default:
            break;
        }
        if (mode == Text)
            raw = NoRaw;
        return makeState(mode, raw);
    }

private:
    void add(int start, int length, Kind kind)
    {
        if (!m_tokens || length <= 0)
            return;
        if (!m_tokens->empty()) {
            Token &last = m_tokens->back();
            if (last.kind == kind && last.start + last.length == start) {
                last.length += length;
                return;
            }
        }
        m_tokens->push_back(Token{start, length, kind});
    }

    QStringView m_s;
    int m_n;
    std::vector<Token> *m_tokens;
};

} // namespace

int referenceLength(QStringView s, int i)
{
    return entityLength(s, i);
}

QChar openQuote(int state)
{
    if (state < 0 || (state >> (RawShift + 2)) != 0)
        return QChar();
    switch (state & ModeMask) {
    case ValueDouble:
        return u'"';
    case ValueSingle:
        return u'\'';
    default:
        return QChar();
    }
}

int lexLine(QStringView line, int state, std::vector<Token> *tokens)
{
    return Lexer(line, tokens).run(state);
}

Place placeOf(int state)
{
    if (state < 0 || (state >> (RawShift + 2)) != 0)
        return Place::Text;
    switch (state & ModeMask) {
    case TagName:
        return Place::TagName;
    case InTag:
    case AfterAttrName:
        return Place::BetweenAttributes;
    case AttrName:
        return Place::AttributeName;
    case BeforeValue:
    case ValueDouble:
    case ValueSingle:
    case ValueBare:
        return Place::AttributeValue;
    case Comment:
        return Place::Comment;
    case Declaration:
        return Place::Declaration;
    case Raw:
        return Place::Raw;
    default:
        return Place::Text;
    }
}

} // namespace htmllex
