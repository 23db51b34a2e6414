#include "core/text/linestore.h"

#include "core/text/documenttext.h"

#include <algorithm>

LineStore::LineStore()
    : m_lines(1)
{}

LineStore::LineStore(QStringView text)
{
    forEachLine(text, [this](QStringView line) {
        m_lines.emplace_back(line.toString());
        m_length += line.size();
    });
    m_length += qint64(m_lines.size()) - 1;
}

void LineStore::validateStartsThrough(int index) const
{
    if (index < m_validStarts)
        return;
    m_starts.resize(m_lines.size());
    int start = m_validStarts == 0 ? 0 : m_starts[size_t(m_validStarts - 1)] + lineLength(m_validStarts - 1) + 1;
    for (int i = m_validStarts; i <= index; ++i) {
        m_starts[size_t(i)] = start;
        start += lineLength(i) + 1;
    }
    m_validStarts = index + 1;
}

int LineStore::lineStart(int index) const
{
    index = std::clamp(index, 0, lineCount() - 1);
    validateStartsThrough(index);
    return m_starts[size_t(index)];
}

int LineStore::lineOf(int position) const
{
    position = std::clamp(position, 0, length());
    // Starts are made valid as far as the line found, no further.
    const auto validEnd = [this] { return m_starts.begin() + m_validStarts; };
    if (m_validStarts > 0 && position < m_starts[size_t(m_validStarts - 1)] + lineLength(m_validStarts - 1) + 1)
        return int(std::upper_bound(m_starts.begin(), validEnd(), position) - m_starts.begin()) - 1;
    int index = std::max(0, m_validStarts - 1);
    validateStartsThrough(index);
    while (index + 1 < lineCount() && m_starts[size_t(index)] + lineLength(index) < position) {
        validateStartsThrough(index + 1);
        ++index;
    }
    return index;
}

QString LineStore::text(QStringView lineBreak) const
{
    return slice(0, length(), lineBreak);
}

QString LineStore::slice(int from, int to, QStringView lineBreak) const
{
    from = std::clamp(from, 0, length());
    to = std::clamp(to, from, length());
    const int first = lineOf(from);
    const int last = lineOf(to);
    QString result;
    result.reserve(qsizetype(to - from) + qsizetype(last - first) * (lineBreak.size() - 1));
    for (int i = first; i <= last; ++i) {
        const int start = lineStart(i);
        const int begin = i == first ? from - start : 0;
        const int end = i == last ? to - start : lineLength(i);
        result += QStringView(line(i)).sliced(begin, end - begin);
        if (i != last)
            result += lineBreak;
    }
    return result;
}

int LineStore::replace(int from, int removed, QStringView text)
{
    from = std::clamp(from, 0, length());
    const int to = std::clamp(qint64(from) + std::max(0, removed), qint64(from), qint64(length()));
    const int first = lineOf(from);
    const int last = lineOf(to);
    const QString head = line(first).first(from - lineStart(first));
    const QString tail = line(last).sliced(to - lineStart(last));

    std::vector<QString> added;
    qint64 addedLength = 0;
    forEachLine(text, [&](QStringView part) {
        added.emplace_back(part.toString());
        addedLength += part.size();
    });
    addedLength += qint64(added.size()) - 1;
    added.front().prepend(head);
    added.back().append(tail);

    // Lines first..last become the added ones: reuse the slots they share.
    const size_t kept = std::min(added.size(), size_t(last - first + 1));
    auto at = m_lines.begin() + first;
    std::move(added.begin(), added.begin() + qsizetype(kept), at);
    if (added.size() > kept)
        m_lines.insert(at + qsizetype(kept), std::make_move_iterator(added.begin() + qsizetype(kept)),
                       std::make_move_iterator(added.end()));
    else
        m_lines.erase(at + qsizetype(kept), m_lines.begin() + last + 1);

    m_length += addedLength - (to - from);
    m_validStarts = std::min(m_validStarts, first + 1);
    return int(addedLength);
}
