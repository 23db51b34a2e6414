#include "core/attributes/attributereaders.h"

#include <limits>

namespace {

// Index just past name in text, or -1.
qsizetype valueStart(const QString &name, const QString &text)
{
    const qsizetype at = text.indexOf(name, 0, Qt::CaseInsensitive);
    return at < 0 ? -1 : at + name.size();
}

bool isBlank(QChar ch)
{
    return ch == u' ' || ch == u'\t' || ch == u'\r' || ch == u'\n';
}

} // namespace

QString AttrText(const QString &name, const QString &text, bool keepBlanks)
{
    qsizetype i = valueStart(name, text);
    if (i < 0)
        return {};
    if (i < text.size() && text.at(i) == u'"')
        ++i;
    const qsizetype from = i;
    while (i < text.size()) {
        const QChar ch = text.at(i);
        if (ch == u'"' || ch == u'>' || (!keepBlanks && isBlank(ch)))
            break;
        ++i;
    }
    return text.mid(from, i - from);
}

int AttrNumber(const QString &name, const QString &text)
{
    qsizetype i = valueStart(name, text);
    if (i < 0)
        return -1;
    if (i < text.size() && text.at(i) == u'"')
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
    const qsizetype at = valueStart(name, text);
    if (at < 0)
        return true;
    for (qsizetype i = at; i < text.size(); ++i) {
        if (text.at(i) == u'%')
            return true;
        if (isBlank(text.at(i)))
            return false;
    }
    return false;
}

QString KeywordWindow(const QString &name, const QString &text, int width)
{
    const qsizetype i = valueStart(name, text);
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
