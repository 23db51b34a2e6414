#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// A file name mask such as "*.htm;*.html": patterns separated by ";", ","
// or blanks, where "*" stands for any run of characters and "?" for one.
// Names are compared without regard to case, as pages are often named
// "INDEX.HTM". A mask with no pattern takes every name.
class FileMask
{
public:
    explicit FileMask(QStringView text = u"*.htm;*.html");

    bool matches(QStringView fileName) const;
    const QStringList &patterns() const { return m_patterns; }

private:
    QStringList m_patterns;
};

// The default mask of find in files.
inline const QString DefaultFileMask = QStringLiteral("*.htm;*.html");

// The name matches one wildcard pattern ("*" any run, "?" one character),
// case ignored. Runs in time proportional to their lengths' product at
// worst, never exponential.
bool wildcardMatches(QStringView pattern, QStringView name);
