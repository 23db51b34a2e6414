#include "core/spelling/prosewords.h"

#include "core/highlight/htmllexer.h"
#include "core/text/linestore.h"
#include "core/wholetext/entities.h"

namespace prose {

namespace {

using htmllex::Kind;

// Bits above the lexer's state: the attribute whose value is being read is
// ALT or TITLE (its name may sit on an earlier line than its value).
constexpr int LexerMask = 0xFF;
constexpr int ProseValueBit = 0x100;

// Stands in the read text for a reference to an unknown character: the word
// holding it cannot be checked and is left out.
constexpr char16_t Unknown = 0xFFFC;

bool isProseAttribute(QStringView name)
{
    return name.compare(u"alt", Qt::CaseInsensitive) == 0 || name.compare(u"title", Qt::CaseInsensitive) == 0;
}

// The character a reference stands for, or 0 when unknown.
char32_t decodeEntity(QStringView entity)
{
    if (entity.size() > 2 && entity[1] == u'#') {
        QStringView digits = entity.mid(2);
        if (digits.endsWith(u';'))
            digits.chop(1);
        const bool hex = digits.startsWith(u'x') || digits.startsWith(u'X');
        if (hex)
            digits = digits.mid(1);
        if (digits.isEmpty() || digits.size() > 8)
            return 0;
        bool ok = false;
        const uint code = digits.toUInt(&ok, hex ? 16 : 10);
        if (!ok || code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return 0;
        return code;
    }
    if (const char16_t c = characterFor(entity))
        return c;
    static constexpr struct
    {
        std::u16string_view name;
        char16_t character;
    } basic[] = {{u"&amp;", u'&'},  {u"&lt;", u'<'},    {u"&gt;", u'>'},
                 {u"&quot;", u'"'}, {u"&apos;", u'\''}, {u"&nbsp;", 0x00A0}};
    for (const auto &b : basic) {
        if (entity.compare(QStringView(b.name), Qt::CaseSensitive) == 0)
            return b.character;
    }
    return 0;
}

// The line's prose as read: each character with the columns of the line it
// was read from. Whatever is not prose reads as a blank.
class ProseText
{
public:
    explicit ProseText(int reserve)
    {
        m_text.reserve(reserve);
        m_from.reserve(size_t(reserve));
    }

    void addPlain(QStringView line, int from, int to)
    {
        for (int i = from; i < to; ++i)
            add(line[i], i, i + 1);
    }
    // Plain text in which references are decoded (attribute values).
    void addWithEntities(QStringView line, int from, int to)
    {
        int i = from;
        while (i < to) {
            const int length = line[i] == u'&' ? htmllex::referenceLength(line.first(to), i) : 0;
            if (length > 0) {
                addEntity(line.mid(i, length), i);
                i += length;
            } else {
                add(line[i], i, i + 1);
                ++i;
            }
        }
    }
    void addEntity(QStringView entity, int at)
    {
        const int end = at + int(entity.size());
        const char32_t c = decodeEntity(entity);
        if (c == 0) {
            add(QChar(Unknown), at, end);
        } else if (QChar::requiresSurrogates(c)) {
            add(QChar(QChar::highSurrogate(c)), at, end);
            add(QChar(QChar::lowSurrogate(c)), at, end);
        } else {
            add(QChar(char16_t(c)), at, end);
        }
    }
    void addBreak(int at) { add(QChar(u' '), at, at); }

    void wordsInto(std::vector<Word> &words) const;

private:
    void add(QChar c, int from, int to)
    {
        m_text.append(c);
        m_from.push_back(from);
        m_to.push_back(to);
    }

    QString m_text;
    std::vector<int> m_from;
    std::vector<int> m_to;
};

bool isLetter(QChar c)
{
    return c.isLetter() || c.isMark() || c == QChar(Unknown);
}

bool isJoiner(QChar c)
{
    return c == u'\'' || c == u'\u2019' || c == u'-';
}

// Characters that make a run of text a name, an address or a number rather
// than words: "www.exemple.fr", "nom@exemple.fr", "page_2", "3e". A full
// stop or a colon counts only with more text right after it: at the end of
// a run it ends a sentence.
bool isTechnical(QStringView text, int i)
{
    const QChar c = text[i];
    if (c == u'.' || c == u':') {
        const QChar next = i + 1 < text.size() ? text[i + 1] : QChar();
        return next.isLetterOrNumber() || next == u'/';
    }
    return c.isDigit() || c.isSurrogate() || c == u'@' || c == u'_' || c == u'/' || c == u'\\' || c == u'=' || c == u'#'
           || c == u'%' || c == u'&' || c == u'+' || c == u'~';
}

void ProseText::wordsInto(std::vector<Word> &words) const
{
    const QStringView text(m_text);
    const int n = int(text.size());
    int i = 0;
    while (i < n) {
        if (!isLetter(text[i]) && !isTechnical(text, i)) {
            ++i;
            continue;
        }
        // A run of letters and what joins them; a run with a digit or a
        // sign of a name or address in it is not a word.
        int end = i;
        bool technical = false;
        while (end < n) {
            if (isLetter(text[end])) {
                ++end;
            } else if (isJoiner(text[end]) && end + 1 < n && isLetter(text[end + 1]) && isLetter(text[end - 1])) {
                ++end;
            } else if (isTechnical(text, end)) {
                technical = true;
                ++end;
            } else {
                break;
            }
        }
        if (!technical && !text.mid(i, end - i).contains(QChar(Unknown))) {
            const int from = m_from[size_t(i)];
            words.push_back(Word{from, m_to[size_t(end - 1)] - from, text.mid(i, end - i).toString()});
        }
        i = end;
    }
}

} // namespace

int readLine(QStringView line, int state, std::vector<Word> *words)
{
    if ((state & ~(LexerMask | ProseValueBit)) != 0 || state < 0)
        state = StartState;
    bool proseValue = state & ProseValueBit;
    const int lexerState = state & LexerMask;
    QChar carriedQuote = htmllex::openQuote(lexerState);
    std::vector<htmllex::Token> tokens;
    const int endState = htmllex::lexLine(line, lexerState, &tokens);

    ProseText text(words ? int(line.size()) : 0);
    int at = 0;
    for (const htmllex::Token &token : tokens) {
        const int end = token.start + token.length;
        if (words)
            text.addPlain(line, at, token.start);
        at = end;
        switch (token.kind) {
        case Kind::AttributeName:
            proseValue = isProseAttribute(line.mid(token.start, token.length));
            break;
        case Kind::Entity:
            if (words)
                text.addEntity(line.mid(token.start, token.length), token.start);
            continue;
        case Kind::AttributeValue:
            if (words && proseValue) {
                // The quotes around the value are not part of it.
                int from = token.start;
                QChar quote = token.start == 0 ? carriedQuote : QChar();
                if (quote.isNull() && (line[from] == u'"' || line[from] == u'\'')) {
                    quote = line[from];
                    ++from;
                }
                int to = end;
                if (!quote.isNull() && to > from && line[to - 1] == quote)
                    --to;
                text.addBreak(token.start);
                text.addWithEntities(line, from, to);
            }
            break;
        default:
            break;
        }
        carriedQuote = QChar();
        if (words)
            text.addBreak(token.start);
    }
    if (words) {
        text.addPlain(line, at, int(line.size()));
        text.wordsInto(*words);
    }
    return endState | (proseValue ? ProseValueBit : 0);
}

std::vector<PageWord> pageWords(const LineStore &page)
{
    std::vector<PageWord> result;
    std::vector<Word> words;
    int state = StartState;
    for (int line = 0; line < page.lineCount(); ++line) {
        words.clear();
        state = readLine(page.line(line), state, &words);
        for (Word &word : words)
            result.push_back(PageWord{line, std::move(word)});
    }
    return result;
}

QString pageLanguage(const LineStore &page)
{
    // The HTML element comes first, after a declaration and comments; a page
    // that holds none there (a fragment, one long minified line) is not
    // read any further.
    constexpr int MaxLines = 1000;
    qsizetype budget = 64 * 1024;
    int state = htmllex::StartState;
    bool inHtml = false;
    bool langNext = false;
    std::vector<htmllex::Token> tokens;
    for (int l = 0; l < std::min(page.lineCount(), MaxLines) && budget > 0; ++l) {
        const QStringView line = QStringView(page.line(l)).first(std::min(budget, page.line(l).size()));
        budget -= line.size() + 1;
        tokens.clear();
        state = htmllex::lexLine(line, state, &tokens);
        for (const htmllex::Token &token : tokens) {
            const QStringView text = line.mid(token.start, token.length);
            switch (token.kind) {
            case Kind::Tag:
                // Neighbouring tags come as one token: "<html><body".
                for (qsizetype k = 0; k < text.size(); ++k) {
                    if (text[k] == u'>' && inHtml)
                        return {};
                    if (text[k] != u'<' || k + 1 >= text.size() || !text[k + 1].isLetter())
                        continue;
                    qsizetype end = k + 1;
                    while (end < text.size() && text[end].isLetterOrNumber())
                        ++end;
                    if (inHtml || text.mid(k + 1, end - k - 1).compare(u"html", Qt::CaseInsensitive) != 0)
                        return {};
                    inHtml = true;
                    k = end - 1;
                }
                break;
            case Kind::AttributeName:
                langNext = inHtml
                           && (text.compare(u"lang", Qt::CaseInsensitive) == 0
                               || text.compare(u"xml:lang", Qt::CaseInsensitive) == 0);
                break;
            case Kind::AttributeValue:
                if (langNext) {
                    QStringView value = text;
                    if (value.startsWith(u'"') || value.startsWith(u'\''))
                        value = value.mid(1);
                    if (value.endsWith(u'"') || value.endsWith(u'\''))
                        value.chop(1);
                    return value.trimmed().toString().toLower();
                }
                break;
            default:
                break;
            }
        }
    }
    return {};
}

} // namespace prose
