#include "core/shell/tabtext.h"

namespace {
constexpr qsizetype MaxTabLength = 8;
}

QString fileNameWithoutFolder(const QString &path)
{
    const qsizetype slash = qMax(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return path.mid(slash + 1);
}

QString documentTabText(const QString &fileName)
{
    const QString name = fileNameWithoutFolder(fileName);
    if (name.isEmpty())
        return QString();
    // The first character is a whole code point, so a surrogate pair is
    // never cut in two.
    const qsizetype first = name.at(0).isHighSurrogate() && name.size() > 1 ? 2 : 1;
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    const qsizetype end = dot < 0 ? name.size() : dot;
    QString text = name.left(first).toUpper();
    if (end > first)
        text += name.mid(first, end - first).toLower();
    if (text.size() > MaxTabLength) {
        qsizetype cut = MaxTabLength;
        if (text.at(cut - 1).isHighSurrogate())
            --cut;
        text = text.left(cut) + QStringLiteral("...");
    }
    return text;
}
