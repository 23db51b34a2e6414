#include "core/text/documenttext.h"

#include <algorithm>

void DocumentText::select(int start, int length)
{
    setSelectionStart(start);
    setSelectionLength(length);
}

QStringList DocumentText::lines() const
{
    QStringList result;
    const int count = lineCount();
    result.reserve(count);
    for (int i = 0; i < count; ++i)
        result.append(line(i));
    return result;
}

int DocumentText::FindTextBefore(const QString &needle) const
{
    const int caret = selectionStart();
    for (int i = lineFromPosition(caret); i >= 0; --i) {
        const int column = line(i).indexOf(needle, 0, Qt::CaseInsensitive);
        if (column < 0)
            continue;
        const int found = lineStart(i) + column + 1;
        if (found < caret)
            return found;
    }
    return 0;
}

int DocumentText::FindTextAfter(const QString &needle) const
{
    const int caret = selectionStart();
    const int count = lineCount();
    for (int i = lineFromPosition(caret); i < count; ++i) {
        const int column = line(i).indexOf(needle, 0, Qt::CaseInsensitive);
        if (column < 0)
            continue;
        const int found = lineStart(i) + column + 1;
        if (found > caret)
            return found;
    }
    return 0;
}

QString toCrLf(const QString &text)
{
    const QChar *begin = text.constData();
    const QChar *end = begin + text.size();
    // Most pages already have CR LF everywhere: hand the text back untouched.
    const QChar *p = begin;
    for (; p < end; ++p) {
        if (*p == u'\r' && p + 1 < end && p[1] == u'\n')
            ++p;
        else if (*p == u'\r' || isLineBreakMark(*p))
            break;
    }
    if (p == end)
        return text;
    // Copy in runs between line breaks, each break written as CR LF.
    QString result;
    result.reserve(text.size() + text.size() / 16 + 2);
    const QChar *run = begin;
    for (p = begin; p < end; ++p) {
        if (*p != u'\r' && !isLineBreakMark(*p))
            continue;
        result.append(run, p - run);
        result += u"\r\n";
        if (*p == u'\r' && p + 1 < end && p[1] == u'\n')
            ++p;
        run = p + 1;
    }
    result.append(run, end - run);
    return result;
}

QString toLf(const QString &text)
{
    const auto widgetBreak = [](QChar c) { return c == u'\r' || (c != u'\n' && isLineBreakMark(c)); };
    if (std::none_of(text.begin(), text.end(), widgetBreak))
        return text;
    // Copy in runs between line breaks, each break written as LF.
    QString result;
    result.reserve(text.size());
    const QChar *p = text.constData();
    const QChar *end = p + text.size();
    const QChar *run = p;
    for (; p < end; ++p) {
        if (!widgetBreak(*p))
            continue;
        result.append(run, p - run);
        result += u'\n';
        if (*p == u'\r' && p + 1 < end && p[1] == u'\n')
            ++p;
        run = p + 1;
    }
    result.append(run, end - run);
    return result;
}
