#include "ui/shell/shelldialogs.h"

#include "core/messages/messages.h"

QStringList pageNameFilters()
{
    // The catalogue holds "description |patterns|description |patterns...";
    // Qt reads the patterns from the parentheses of each description.
    const QStringList parts = msg(3000).split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts.at(i).trimmed();
        description.replace(QStringLiteral("; "), QStringLiteral(" ")).replace(u';', u' ');
        description.replace(QStringLiteral("(*.*)"), QStringLiteral("(*)"));
        filters << description;
    }
    return filters;
}

QString extensionForFilter(int filterIndex)
{
    switch (filterIndex) {
    case 1:
    case 2:
        return QStringLiteral(".html");
    case 3:
        return QStringLiteral(".htm");
    case 4:
        return QStringLiteral(".shtml");
    default:
        return QString();
    }
}
