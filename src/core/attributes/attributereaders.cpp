#include "core/attributes/attributereaders.h"

#include "core/attributes/starttag.h"

#include <limits>

namespace {

bool isBlank(QChar ch)
{
    return ch == u' ' || ch == u'\t' || ch == u'\r' || ch == u'\n' || ch == u'\f';
}

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'-' || c == u'_' || c == u':';
}

// Where the value of an attribute starts: name is given as the readers'
// callers write it ("BORDER=", " ALIGN="), and found whole, in any letter
// case, outside quoted values, with blanks allowed around its "=". Returns
// the index of the value's first character (its opening quote, if any), or
// -1 when the attribute is absent.
qsizetype valueStart(const QString &name, const QString &text)
{
    QString bare = name.trimmed();
    const bool wantsEquals = bare.endsWith(u'=');
    if (wantsEquals)
        bare.chop(1);
    if (bare.isEmpty())
        return -1;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == u'=') {
            // A quoted value is skipped whole: names inside it do not count.
            qsizetype k = i + 1;
            while (k < n && isBlank(text.at(k)))
                ++k;
            if (k < n && (text.at(k) == u'"' || text.at(k) == u'\'')) {
                const qsizetype close = text.indexOf(text.at(k), k + 1);
                if (close < 0)
                    return -1;
                i = close;
            } else {
                // A bare value runs to a blank or ">": nothing in it is a name.
                while (k < n && !isBlank(text.at(k)) && text.at(k) != u'>')
                    ++k;
                i = k - 1;
            }
            continue;
        }
        if ((i > 0 && isNameChar(text.at(i - 1)))
            || QStringView(text).mid(i, bare.size()).compare(bare, Qt::CaseInsensitive) != 0)
            continue;
        qsizetype k = i + bare.size();
        if (k < n && isNameChar(text.at(k)))
            continue;
        if (!wantsEquals)
            return k;
        while (k < n && isBlank(text.at(k)))
            ++k;
        if (k >= n || text.at(k) != u'=')
            continue;
        ++k;
        while (k < n && isBlank(text.at(k)))
            ++k;
        return k;
    }
    return -1;
}

// The value at i: a quoted one whole, a bare one to a blank (unless
// keepBlanks), a double quote or ">".
std::optional<QString> valueAt(const QString &text, qsizetype i, bool keepBlanks)
{
    if (i < 0)
        return std::nullopt;
    if (i < text.size() && (text.at(i) == u'"' || text.at(i) == u'\'')) {
        const qsizetype close = text.indexOf(text.at(i), i + 1);
        const qsizetype end = close < 0 ? text.size() : close;
        return DecodeAttributeValue(QStringView(text).mid(i + 1, end - i - 1));
    }
    qsizetype e = i;
    while (e < text.size()) {
        const QChar ch = text.at(e);
        if (ch == u'"' || ch == u'>' || (!keepBlanks && isBlank(ch)))
            break;
        ++e;
    }
    return DecodeAttributeValue(QStringView(text).mid(i, e - i));
}

} // namespace

QString AttrText(const QString &name, const QString &text, bool keepBlanks)
{
    return valueAt(text, valueStart(name, text), keepBlanks).value_or(QString());
}

int AttrNumber(const QString &name, const QString &text)
{
    qsizetype i = valueStart(name, text);
    if (i < 0)
        return -1;
    if (i < text.size() && (text.at(i) == u'"' || text.at(i) == u'\''))
        ++i;
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (ch < u'0' || ch > u'9')
            break;
        const qint64 next = value * 10 + (ch.unicode() - u'0');
        if (next > std::numeric_limits<int>::max())
            break;
        value = next;
    }
    return int(value);
}

bool AttrIsPercent(const QString &name, const QString &text)
{
    const auto value = valueAt(text, valueStart(name, text), false);
    return !value || value->contains(u'%');
}

QString KeywordWindow(const QString &name, const QString &text, int width)
{
    qsizetype i = valueStart(name, text);
    if (i < 0)
        return {};
    return text.mid(i, width).toUpper();
}

int VAlignKeyword(const QString &name, const QString &text)
{
    const QString w = KeywordWindow(name, text);
    if (w.contains(u"BOTTOM"))
        return 2;
    if (w.contains(u"TOP"))
        return 1;
    if (w.contains(u"BASELINE"))
        return 3;
    return 0;
}

int CellAlignKeyword(const QString &name, const QString &text)
{
    const QString w = KeywordWindow(name, text);
    if (w.contains(u"RIGHT"))
        return 3;
    if (w.contains(u"LEFT"))
        return 1;
    if (w.contains(u"CENTER"))
        return 2;
    return -1;
}

int RowAlignKeyword(const QString &name, const QString &text)
{
    const QString w = KeywordWindow(name, text);
    if (w.contains(u"RIGHT"))
        return 2;
    if (w.contains(u"CENTER"))
        return 1;
    return 0;
}

std::optional<QString> tagAttribute(const QString &tag, QStringView name)
{
    return ReadStartTag(tag, qMax<qsizetype>(0, tag.indexOf(u'<'))).value(name);
}

bool tagHasWord(const QString &tag, QStringView word)
{
    return ReadStartTag(tag, qMax<qsizetype>(0, tag.indexOf(u'<'))).has(word);
}

std::optional<int> leadingNumber(QStringView text)
{
    qsizetype end = 0;
    if (end < text.size() && (text.at(end) == u'-' || text.at(end) == u'+'))
        ++end;
    const qsizetype digits = end;
    while (end < text.size() && text.at(end) >= u'0' && text.at(end) <= u'9')
        ++end;
    if (end == digits)
        return std::nullopt;
    bool ok = false;
    const int value = text.first(end).toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}
