#include "core/formatting/attributes.h"

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'-' || c == u'_';
}

// Position of the first standalone occurrence of word outside quotes (not
// part of a longer name), or -1.
qsizetype findWord(const QString &tag, QStringView word)
{
    bool quoted = false;
    for (qsizetype i = 0; i < tag.size(); ++i) {
        const QChar c = tag.at(i);
        if (c == u'"') {
            quoted = !quoted;
            continue;
        }
        if (quoted || (i > 0 && isNameChar(tag.at(i - 1))))
            continue;
        if (QStringView(tag).mid(i, word.size()).compare(word, Qt::CaseInsensitive) == 0) {
            const qsizetype after = i + word.size();
            if (after >= tag.size() || !isNameChar(tag.at(after)))
                return i;
        }
    }
    return -1;
}

} // namespace

std::optional<QString> tagAttribute(const QString &tag, QStringView name)
{
    qsizetype from = 0;
    while (from < tag.size()) {
        const qsizetype at = findWord(tag.mid(from), name);
        if (at < 0)
            return std::nullopt;
        qsizetype i = from + at + name.size();
        while (i < tag.size() && isBlank(tag.at(i)))
            ++i;
        if (i >= tag.size() || tag.at(i) != u'=') {
            // The name stands alone here; a later occurrence may carry a value.
            from = from + at + name.size();
            continue;
        }
        ++i;
        while (i < tag.size() && isBlank(tag.at(i)))
            ++i;
        if (i < tag.size() && tag.at(i) == u'"') {
            const qsizetype close = tag.indexOf(u'"', i + 1);
            return close < 0 ? tag.mid(i + 1) : tag.mid(i + 1, close - i - 1);
        }
        qsizetype end = i;
        while (end < tag.size() && !isBlank(tag.at(end)) && tag.at(end) != u'>')
            ++end;
        return tag.mid(i, end - i);
    }
    return std::nullopt;
}

bool tagHasWord(const QString &tag, QStringView word)
{
    return findWord(tag, word) >= 0;
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
