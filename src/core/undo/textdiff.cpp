#include "core/undo/textdiff.h"

#include "core/text/documenttext.h"

#include <algorithm>

namespace {

// The lines of a text, each with its line break.
std::vector<QStringView> linesWithBreaks(QStringView text)
{
    std::vector<qsizetype> starts;
    forEachLine(text, [&](QStringView line) { starts.push_back(line.data() - text.data()); });
    std::vector<QStringView> lines;
    lines.reserve(starts.size());
    for (size_t i = 0; i < starts.size(); ++i) {
        const qsizetype end = i + 1 < starts.size() ? starts[i + 1] : text.size();
        lines.push_back(text.sliced(starts[i], end - starts[i]));
    }
    return lines;
}

qsizetype offsetIn(QStringView text, QStringView part)
{
    return part.data() - text.data();
}

} // namespace

void TextDiff::add(qsizetype at, QStringView removed, QStringView inserted)
{
    Q_ASSERT(m_places.empty() || at >= qsizetype(m_places.back().at) + m_places.back().removed);
    m_places.push_back({int(at), int(removed.size()), int(inserted.size())});
    m_removed += removed;
    m_inserted += inserted;
}

void TextDiff::addChanged(qsizetype at, QStringView before, QStringView after)
{
    const qsizetype shorter = std::min(before.size(), after.size());
    qsizetype head = 0;
    while (head < shorter && before[head] == after[head])
        ++head;
    qsizetype tail = 0;
    while (tail < shorter - head && before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    if (head == before.size() && head == after.size())
        return;
    add(at + head, before.sliced(head, before.size() - head - tail), after.sliced(head, after.size() - head - tail));
}

TextDiff TextDiff::between(QStringView before, QStringView after)
{
    TextDiff diff;
    const std::vector<QStringView> b = linesWithBreaks(before);
    const std::vector<QStringView> a = linesWithBreaks(after);
    const size_t shorter = std::min(b.size(), a.size());
    size_t first = 0;
    while (first < shorter && b[first] == a[first])
        ++first;
    size_t last = 0;
    while (last < shorter - first && b[b.size() - 1 - last] == a[a.size() - 1 - last])
        ++last;
    const size_t changedBefore = b.size() - first - last;
    if (changedBefore == a.size() - first - last) {
        for (size_t i = first; i < first + changedBefore; ++i) {
            if (b[i] != a[i])
                diff.addChanged(offsetIn(before, b[i]), b[i], a[i]);
        }
    } else {
        // Lines came or went: the block between the lines both texts share.
        const qsizetype fromBefore = first < b.size() ? offsetIn(before, b[first]) : before.size();
        const qsizetype toBefore = last > 0 ? offsetIn(before, b[b.size() - last]) : before.size();
        const qsizetype fromAfter = first < a.size() ? offsetIn(after, a[first]) : after.size();
        const qsizetype toAfter = last > 0 ? offsetIn(after, a[a.size() - last]) : after.size();
        diff.addChanged(fromBefore, before.sliced(fromBefore, toBefore - fromBefore),
                        after.sliced(fromAfter, toAfter - fromAfter));
    }
    diff.m_places.shrink_to_fit();
    diff.m_removed.squeeze();
    diff.m_inserted.squeeze();
    return diff;
}

QString TextDiff::apply(QStringView before) const
{
    return rebuild(before, true);
}

QString TextDiff::revert(QStringView after) const
{
    return rebuild(after, false);
}

QString TextDiff::rebuild(QStringView from, bool forward) const
{
    const QString &put = forward ? m_inserted : m_removed;
    const QString &taken = forward ? m_removed : m_inserted;
    QString result;
    result.reserve(from.size() + put.size() - taken.size());
    qsizetype copied = 0;
    qsizetype used = 0;
    qsizetype shift = 0; // from the places in the text before to those in from
    for (const Place &place : m_places) {
        const qsizetype at = place.at + shift;
        const qsizetype putLength = forward ? place.inserted : place.removed;
        result += from.sliced(copied, at - copied);
        result += QStringView(put).sliced(used, putLength);
        used += putLength;
        copied = at + (forward ? place.removed : place.inserted);
        if (!forward)
            shift += place.inserted - place.removed;
    }
    result += from.sliced(copied);
    return result;
}

qsizetype TextDiff::size() const
{
    return qsizetype(m_places.capacity() * sizeof(Place)) + (m_removed.capacity() + m_inserted.capacity()) * 2;
}
