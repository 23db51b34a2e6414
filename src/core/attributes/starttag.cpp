#include "core/attributes/starttag.h"

#include "core/wholetext/entities.h"

namespace {

bool isSpace(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\f';
}

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isAsciiAlnum(QChar c)
{
    return isAsciiLetter(c) || (c >= u'0' && c <= u'9');
}

// Scans the attributes of the tag whose name ends at i; each one found is
// handed to found. Returns the index just past ">" or -1 at the end of text.
template<typename Found> qsizetype scanAttributes(QStringView text, qsizetype i, Found found)
{
    const qsizetype n = text.size();
    while (i < n) {
        const QChar c = text.at(i);
        if (c == u'>')
            return i + 1;
        if (isSpace(c) || c == u'/') {
            ++i;
            continue;
        }
        TagAttribute a;
        a.start = i;
        // A name runs to a blank, "/", ">" or "="; an "=" first belongs to it.
        qsizetype j = i + 1;
        while (j < n && !isSpace(text.at(j)) && text.at(j) != u'/' && text.at(j) != u'>' && text.at(j) != u'=')
            ++j;
        a.name = text.mid(i, j - i).toString();
        a.end = j;
        qsizetype k = j;
        while (k < n && isSpace(text.at(k)))
            ++k;
        if (k < n && text.at(k) == u'=') {
            ++k;
            while (k < n && isSpace(text.at(k)))
                ++k;
            a.hasValue = true;
            if (k < n && (text.at(k) == u'"' || text.at(k) == u'\'')) {
                a.quote = text.at(k);
                const qsizetype close = text.indexOf(a.quote, k + 1);
                const qsizetype valueEnd = close < 0 ? n : close;
                a.value = DecodeAttributeValue(text.mid(k + 1, valueEnd - k - 1));
                a.end = close < 0 ? n : close + 1;
            } else {
                qsizetype e = k;
                while (e < n && !isSpace(text.at(e)) && text.at(e) != u'>')
                    ++e;
                a.value = DecodeAttributeValue(text.mid(k, e - k));
                a.end = e;
            }
        }
        found(a);
        i = a.end;
    }
    return -1;
}

qsizetype nameEndAt(QStringView text, qsizetype from)
{
    qsizetype i = from + 1;
    while (i < text.size() && !isSpace(text.at(i)) && text.at(i) != u'>' && text.at(i) != u'/')
        ++i;
    return i;
}

} // namespace

const TagAttribute *StartTag::attribute(QStringView wanted) const
{
    for (const TagAttribute &a : attributes) {
        if (QStringView(a.name).compare(wanted, Qt::CaseInsensitive) == 0)
            return &a;
    }
    return nullptr;
}

std::optional<QString> StartTag::value(QStringView wanted) const
{
    const TagAttribute *a = attribute(wanted);
    return a ? std::optional<QString>(a->value) : std::nullopt;
}

StartTag ReadStartTag(QStringView text, qsizetype from)
{
    StartTag tag;
    if (from < 0 || from >= text.size() || text.at(from) != u'<')
        return tag;
    tag.start = from;
    tag.nameEnd = nameEndAt(text, from);
    tag.name = text.mid(from + 1, tag.nameEnd - from - 1).toString();
    const qsizetype end = scanAttributes(text, tag.nameEnd, [&](const TagAttribute &a) { tag.attributes.append(a); });
    tag.closed = end >= 0;
    tag.end = end >= 0 ? end : text.size();
    return tag;
}

StartTag FindStartTag(QStringView text, QStringView elementName, qsizetype from)
{
    for (qsizetype at = text.indexOf(u'<', qMax<qsizetype>(from, 0)); at >= 0; at = text.indexOf(u'<', at + 1)) {
        const qsizetype nameEnd = nameEndAt(text, at);
        if (text.mid(at + 1, nameEnd - at - 1).compare(elementName, Qt::CaseInsensitive) == 0)
            return ReadStartTag(text, at);
    }
    return StartTag();
}

qsizetype StartTagEnd(QStringView text, qsizetype from)
{
    if (from < 0 || from >= text.size())
        return -1;
    return scanAttributes(text, nameEndAt(text, from), [](const TagAttribute &) {});
}

QString EscapeAttributeValue(const QString &value)
{
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c == u'"') {
            out += QLatin1String("&quot;");
        } else if (c == u'&' && i + 1 < value.size() && (isAsciiLetter(value.at(i + 1)) || value.at(i + 1) == u'#')) {
            out += QLatin1String("&amp;");
        } else {
            out += c;
        }
    }
    return out;
}

QString QuotedValue(const QString &value)
{
    return u'"' + EscapeAttributeValue(value) + u'"';
}

QString BareValue(const QString &value)
{
    if (value.isEmpty())
        return value;
    for (const QChar c : value) {
        if (isSpace(c) || c == u'"' || c == u'\'' || c == u'>' || c == u'<' || c == u'=' || c == u'`' || c == u'&'
            || c.unicode() < 32)
            return QuotedValue(value);
    }
    return value;
}

QString DecodeAttributeValue(QStringView value)
{
    if (!value.contains(u'&'))
        return value.toString();
    QString out;
    out.reserve(value.size());
    qsizetype i = 0;
    while (i < value.size()) {
        const QChar c = value.at(i);
        if (c != u'&') {
            out += c;
            ++i;
            continue;
        }
        // "&#" digits or "&#x" hex digits, ";" optional, as browsers read them.
        if (i + 1 < value.size() && value.at(i + 1) == u'#') {
            const bool hex = i + 2 < value.size() && (value.at(i + 2) == u'x' || value.at(i + 2) == u'X');
            qsizetype j = i + (hex ? 3 : 2);
            uint code = 0;
            const qsizetype digits = j;
            while (j < value.size() && j - digits < 7) {
                const int d = QChar(value.at(j)).isDigit() && value.at(j).unicode() < 128 ? value.at(j).unicode() - '0'
                              : hex && value.at(j).toLower() >= u'a' && value.at(j).toLower() <= u'f'
                                  ? value.at(j).toLower().unicode() - 'a' + 10
                                  : -1;
                if (d < 0)
                    break;
                code = code * (hex ? 16 : 10) + uint(d);
                ++j;
            }
            if (j > digits && code > 0 && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF)) {
                const char32_t ch = code;
                out += QString::fromUcs4(&ch, 1);
                i = j < value.size() && value.at(j) == u';' ? j + 1 : j;
                continue;
            }
            out += c;
            ++i;
            continue;
        }
        // A named reference needs its ";" here: "&copy=" in an address is no
        // reference to a browser either.
        qsizetype j = i + 1;
        while (j < value.size() && j - i <= 10 && isAsciiAlnum(value.at(j)))
            ++j;
        if (j < value.size() && value.at(j) == u';' && j > i + 1) {
            const QStringView name = value.mid(i + 1, j - i - 1);
            QChar decoded;
            if (name == u"quot")
                decoded = u'"';
            else if (name == u"amp")
                decoded = u'&';
            else if (name == u"lt")
                decoded = u'<';
            else if (name == u"gt")
                decoded = u'>';
            else if (name == u"apos")
                decoded = u'\'';
            else if (name == u"nbsp")
                decoded = QChar(0xA0);
            else if (const char16_t ch = characterFor(value.mid(i, j - i + 1)))
                decoded = QChar(ch);
            if (!decoded.isNull()) {
                out += decoded;
                i = j + 1;
                continue;
            }
        }
        out += c;
        ++i;
    }
    return out;
}

QString WithoutAttribute(const QString &text, QStringView name)
{
    const StartTag tag = ReadStartTag(text, qMax<qsizetype>(0, text.indexOf(u'<')));
    QString out = text;
    for (qsizetype i = tag.attributes.size() - 1; i >= 0; --i) {
        const TagAttribute &a = tag.attributes.at(i);
        if (QStringView(a.name).compare(name, Qt::CaseInsensitive) != 0)
            continue;
        qsizetype start = a.start;
        while (start > 0 && isSpace(out.at(start - 1)))
            --start;
        out.remove(start, a.end - start);
        // An attribute written right after a quoted value ("a='x'b=1") keeps
        // a blank from the one before it, or it would join the name before.
        if (start < a.start && start < out.size() && !isSpace(out.at(start)) && out.at(start) != u'>'
            && out.at(start) != u'/')
            out.insert(start, u' ');
    }
    return out;
}

namespace {

bool sameValue(const TagAttribute *a, const TagAttribute *b)
{
    if (!a || !b)
        return a == b;
    return a->hasValue == b->hasValue && a->value == b->value;
}

} // namespace

QString MergeStartTag(const QString &original, const QString &unchanged, const QString &edited)
{
    const StartTag tag = ReadStartTag(original);
    if (!tag.isValid())
        return edited;
    const StartTag before = ReadStartTag(unchanged);
    const StartTag after = ReadStartTag(edited);

    QString out = original.left(tag.nameEnd);
    qsizetype copied = tag.nameEnd; // original text up to here is decided
    qsizetype lastEnd = tag.nameEnd;
    QStringList seen;
    // Whether out ends with an attribute written without a value: a "="
    // after it and its blanks would give it one.
    bool endsWithBareName = false;
    for (const TagAttribute &a : tag.attributes) {
        const bool first = !seen.contains(a.name, Qt::CaseInsensitive);
        seen << a.name;
        const TagAttribute *was = before.attribute(a.name);
        const TagAttribute *now = after.attribute(a.name);
        // A cleared attribute takes its repeats with it: a browser would
        // read the next one in its place.
        const bool cleared = !sameValue(was, now) && !now;
        if (!cleared && (!first || sameValue(was, now))) {
            out += QStringView(original).mid(copied, a.end - copied);
            endsWithBareName = !a.hasValue;
        } else if (now) {
            out += QStringView(original).mid(copied, a.start - copied);
            out += QStringView(edited).mid(now->start, now->end - now->start);
            // The old text may have ended in a quote or a bare name with
            // something right behind it ("/", another attribute).
            const QChar next = a.end < original.size() ? original.at(a.end) : QChar(u'>');
            if (!isSpace(next) && next != u'>' && out.back() != u'"' && out.back() != u'\'')
                out += u' ';
            endsWithBareName = !now->hasValue;
        } else {
            // Cleared: the attribute goes with the blanks before it.
            qsizetype gap = a.start;
            while (gap > copied && isSpace(original.at(gap - 1)))
                --gap;
            out += QStringView(original).mid(copied, gap - copied);
            // What follows may start with a stray "=" ("a width=5 =x"), which
            // a name left before it would take as its value: that attribute
            // gets its empty value written out, which a browser reads alike.
            qsizetype rest = a.end;
            while (rest < original.size() && isSpace(original.at(rest)))
                ++rest;
            if (endsWithBareName && rest < original.size() && original.at(rest) == u'=') {
                out += QStringLiteral("=\"\"");
                endsWithBareName = false;
            }
            // A "/" may follow a name or a quote directly, but after a bare
            // value it would become part of that value.
            const QChar next = a.end < original.size() ? original.at(a.end) : QChar(u'>');
            const bool afterBareValue =
                gap > tag.nameEnd && !isSpace(out.back()) && out.back() != u'"' && out.back() != u'\'';
            if (gap < a.start && !isSpace(next) && next != u'>' && (next != u'/' || afterBareValue))
                out += u' ';
        }
        copied = a.end;
        lastEnd = out.size();
    }
    QString added;
    for (const TagAttribute &b : after.attributes) {
        if (tag.attribute(b.name) || sameValue(before.attribute(b.name), &b))
            continue;
        added += u' ';
        added += QStringView(edited).mid(b.start, b.end - b.start);
    }
    // After "name=" with nothing behind it a blank would not end the value:
    // the new attributes then follow the element name.
    const bool danglingEquals = !tag.attributes.isEmpty() && tag.attributes.last().hasValue
                                && tag.attributes.last().quote.isNull() && tag.attributes.last().value.isEmpty();
    out += QStringView(original).mid(copied);
    // New attributes that end with a bare value are kept apart from whatever
    // follows them other than a blank or the ">" ("/>", a dangling "=...").
    const qsizetype at = danglingEquals ? tag.nameEnd : lastEnd;
    if (!added.isEmpty() && added.back() != u'"' && added.back() != u'\'' && at < out.size() && !isSpace(out.at(at))
        && out.at(at) != u'>')
        added += u' ';
    out.insert(at, added);
    return out;
}
