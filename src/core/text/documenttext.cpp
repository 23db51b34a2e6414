#include "core/text/documenttext.h"

#include <algorithm>

namespace {

// The lines of text joined by lineBreak.
QString joinLines(const QString &text, QStringView lineBreak, qsizetype extra)
{
    QString result;
    result.reserve(text.size() + extra);
    bool first = true;
    forEachLine(text, [&](QStringView line) {
        if (!first)
            result += lineBreak;
        first = false;
        result += line;
    });
    return result;
}

} // namespace

void DocumentText::select(int start, int length)
{
    setSelectionStart(start);
    setSelectionLength(length);
}

void DocumentText::visitLines(int first, int last, const LineVisitor &visit) const
{
    for (int i = std::max(first, 0); i <= last && i < lineCount(); ++i) {
        const QString text = line(i);
        if (!visit(i, text))
            return;
    }
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
    return joinLines(text, u"\r\n", text.size() / 16 + 2);
}

QString toLf(const QString &text)
{
    const auto widgetBreak = [](QChar c) { return c == u'\r' || (c != u'\n' && isLineBreakMark(c)); };
    if (std::none_of(text.begin(), text.end(), widgetBreak))
        return text;
    return joinLines(text, u"\n", 0);
}
