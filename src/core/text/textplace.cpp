#include "core/text/textplace.h"

#include "core/text/documenttext.h"

#include <algorithm>

namespace {

// Start of the line after the index-th line break of text (0 for index 0).
qsizetype startOfLine(QStringView text, qsizetype index)
{
    qsizetype at = 0;
    for (qsizetype i = 0; i < index; ++i)
        at = text.indexOf(u'\n', at) + 1;
    return at;
}

qsizetype endOfLine(QStringView text, qsizetype from)
{
    const qsizetype end = text.indexOf(u'\n', from);
    return end < 0 ? text.size() : end;
}

} // namespace

qsizetype mapPosition(QStringView before, QStringView after, qsizetype position)
{
    position = std::clamp<qsizetype>(position, 0, before.size());
    const qsizetype shorter = std::min(before.size(), after.size());
    qsizetype prefix = 0;
    while (prefix < shorter && before[prefix] == after[prefix])
        ++prefix;
    if (position <= prefix)
        return position;
    qsizetype suffix = 0;
    while (suffix < shorter - prefix && before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    if (position >= before.size() - suffix)
        return position - before.size() + after.size();

    // The position lies in the changed part.
    const QStringView oldPart = before.sliced(prefix, before.size() - suffix - prefix);
    const QStringView newPart = after.sliced(prefix, after.size() - suffix - prefix);
    const qsizetype offset = position - prefix;
    const qsizetype lineBreaks = oldPart.count(u'\n');
    if (lineBreaks > 0 && lineBreaks == newPart.count(u'\n')) {
        // Same lines: the same line of the new part, mapped within it.
        const qsizetype oldStart = offset == 0 ? 0 : oldPart.first(offset).lastIndexOf(u'\n') + 1;
        const qsizetype line = oldPart.first(oldStart).count(u'\n');
        const qsizetype oldEnd = endOfLine(oldPart, offset);
        const qsizetype newStart = startOfLine(newPart, line);
        const qsizetype newEnd = endOfLine(newPart, newStart);
        return prefix + newStart
               + mapPosition(oldPart.sliced(oldStart, oldEnd - oldStart), newPart.sliced(newStart, newEnd - newStart),
                             offset - oldStart);
    }
    return prefix + offset * newPart.size() / oldPart.size();
}

void DocumentText::setTextKeepingPlace(const QString &newText)
{
    const QString before = text();
    const int start = selectionStart();
    const int end = start + selectionLength();
    setText(newText);
    const QString after = text();
    const int newStart = int(mapPosition(before, after, start));
    const int newEnd = end == start ? newStart : int(mapPosition(before, after, end));
    select(newStart, std::max(0, newEnd - newStart));
}
