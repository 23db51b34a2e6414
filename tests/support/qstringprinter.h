#pragma once

#include <QString>
#include <QStringList>

#include <string>

// Texts compared through these show up readably in failure messages.
inline std::string str(const QString &text)
{
    return text.toStdString();
}

inline std::string str(const QStringList &texts)
{
    return texts.join(QStringLiteral("\" | \"")).toStdString();
}
