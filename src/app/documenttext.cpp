#include "app/documenttext.h"

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
    QString result;
    result.reserve(text.size() + text.size() / 16);
    const QChar *p = text.constData();
    const QChar *end = p + text.size();
    for (; p < end; ++p) {
        if (*p == u'\r') {
            result += u"\r\n";
            if (p + 1 < end && p[1] == u'\n')
                ++p;
        } else if (*p == u'\n') {
            result += u"\r\n";
        } else {
            result += *p;
        }
    }
    return result;
}
