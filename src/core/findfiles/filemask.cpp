#include "core/findfiles/filemask.h"

namespace {

bool isSeparator(QChar c)
{
    return c == u';' || c == u',' || c.isSpace();
}

bool sameLetter(QChar a, QChar b)
{
    return a == b || a.toCaseFolded() == b.toCaseFolded();
}

} // namespace

FileMask::FileMask(QStringView text)
{
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !isSeparator(text.at(i)))
            continue;
        if (i > start)
            m_patterns.append(text.sliced(start, i - start).toString());
        start = i + 1;
    }
    m_patterns.removeDuplicates();
}

bool FileMask::matches(QStringView fileName) const
{
    if (m_patterns.isEmpty())
        return true;
    for (const QString &pattern : m_patterns)
        if (wildcardMatches(pattern, fileName))
            return true;
    return false;
}

bool wildcardMatches(QStringView pattern, QStringView name)
{
    // Greedy match with one remembered star: on a mismatch, the last star
    // takes one more character. Each star only moves forward, so the work
    // stays within pattern length times name length.
    qsizetype p = 0, n = 0;
    qsizetype star = -1, starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern.at(p) == u'*') {
            star = p++;
            starName = n;
        } else if (p < pattern.size() && (pattern.at(p) == u'?' || sameLetter(pattern.at(p), name.at(n)))) {
            ++p;
            ++n;
        } else if (star >= 0) {
            p = star + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern.at(p) == u'*')
        ++p;
    return p == pattern.size();
}
