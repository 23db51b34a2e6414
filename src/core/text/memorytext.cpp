#include "core/text/memorytext.h"

#include <algorithm>

MemoryText::MemoryText(const QString &text)
    : m_text(toCrLf(text))
{
}

void MemoryText::setText(const QString &text)
{
    m_text = toCrLf(text);
    m_startsValid = false;
    m_selStart = 0;
    m_selLength = 0;
    m_modified = true;
}

const std::vector<int> &MemoryText::starts() const
{
    if (!m_startsValid) {
        m_starts.clear();
        m_starts.push_back(0);
        const int n = int(m_text.size());
        const QChar *data = m_text.constData();
        for (int i = 0; i + 1 < n; ++i) {
            if (data[i] == u'\r' && data[i + 1] == u'\n') {
                m_starts.push_back(i + 2);
                ++i;
            }
        }
        m_startsValid = true;
    }
    return m_starts;
}

int MemoryText::lineCount() const
{
    return int(starts().size());
}

int MemoryText::lineStart(int index) const
{
    const auto &s = starts();
    if (index < 0 || index >= int(s.size()))
        return -1;
    return s[index];
}

int MemoryText::lineLength(int index) const
{
    const auto &s = starts();
    if (index < 0 || index >= int(s.size()))
        return 0;
    const int end = index + 1 < int(s.size()) ? s[index + 1] - 2 : int(m_text.size());
    return end - s[index];
}

QString MemoryText::line(int index) const
{
    const int start = lineStart(index);
    if (start < 0)
        return QString();
    return m_text.mid(start, lineLength(index));
}

int MemoryText::lineFromPosition(int position) const
{
    const auto &s = starts();
    position = std::clamp(position, 0, int(m_text.size()));
    const auto it = std::upper_bound(s.begin(), s.end(), position);
    return int(it - s.begin()) - 1;
}

void MemoryText::setLine(int index, const QString &text)
{
    const int start = lineStart(index);
    if (start < 0)
        return;
    const int oldLength = lineLength(index);
    const QString replacement = toCrLf(text);
    m_text.replace(start, oldLength, replacement);
    m_startsValid = false;
    const int delta = int(replacement.size()) - oldLength;
    const int lineEnd = start + oldLength;
    // Keep the selection on the same characters where it lies outside the line.
    int selEnd = m_selStart + m_selLength;
    if (m_selStart >= lineEnd)
        m_selStart += delta;
    else if (m_selStart > start)
        m_selStart = start;
    if (selEnd >= lineEnd)
        selEnd += delta;
    else if (selEnd > start)
        selEnd = start;
    m_selStart = clampPosition(m_selStart);
    m_selLength = std::max(0, clampPosition(selEnd) - m_selStart);
    m_modified = true;
}

int MemoryText::clampPosition(int position) const
{
    const int n = int(m_text.size());
    position = std::clamp(position, 0, n);
    if (position > 0 && position < n && m_text.at(position - 1) == u'\r' && m_text.at(position) == u'\n')
        --position;
    return position;
}

void MemoryText::setSelectionStart(int position)
{
    m_selStart = clampPosition(position);
    m_selLength = 0;
}

void MemoryText::setSelectionLength(int length)
{
    const int end = clampPosition(qint64(m_selStart) + std::max(0, length) > MaxLength
                                      ? MaxLength
                                      : m_selStart + std::max(0, length));
    m_selLength = std::max(0, end - m_selStart);
}

QString MemoryText::selectedText() const
{
    return m_text.mid(m_selStart, m_selLength);
}

bool MemoryText::replaceSelection(const QString &text)
{
    const QString replacement = toCrLf(text);
    if (qint64(m_text.size()) - m_selLength + replacement.size() > MaxLength)
        return false;
    if (m_selLength == 0 && replacement.isEmpty())
        return true;
    m_text.replace(m_selStart, m_selLength, replacement);
    m_startsValid = false;
    m_selStart += int(replacement.size());
    m_selLength = 0;
    m_modified = true;
    return true;
}
