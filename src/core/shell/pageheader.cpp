#include "core/shell/pageheader.h"

#include "core/text/documenttext.h"
#include "core/undo/undohistory.h"

namespace {
const QString ModifiedLabel = QStringLiteral("DERNIERE MODIFICATION: ");
const QString Indent = QStringLiteral("     ");
} // namespace

QString headerDate(const QDate &date)
{
    return date.toString(QStringLiteral("dd/MM/yy"));
}

QString newPageText(const QString &title, const QString &author, const QDate &today)
{
    const QString date = headerDate(today);
    const QStringList lines = {
        QStringLiteral("<!-- EDITEUR TESSALINE"),
        Indent + QStringLiteral("DATE DE CREATION: ") + date,
        Indent + ModifiedLabel + date,
        Indent + QStringLiteral("PAR: ") + author + QStringLiteral(" -->"),
        QStringLiteral("<HTML>"),
        QStringLiteral("<HEAD>"),
        QStringLiteral("<TITLE>") + title + QStringLiteral("</TITLE>"),
        QStringLiteral("</HEAD>"),
        QStringLiteral("<BODY>"),
        QString(),
        QString(),
        QStringLiteral("</BODY>"),
        QStringLiteral("</HTML>"),
    };
    QString text;
    for (const QString &line : lines)
        text += line + QStringLiteral("\r\n");
    return text;
}

bool UpdateModificationLine(DocumentText &text, const QDate &today)
{
    if (text.lineCount() < 3)
        return false;
    const QString line = text.line(2).trimmed().toUpper();
    if (!line.startsWith(ModifiedLabel) || line.size() != ModifiedLabel.size() + 8)
        return false;
    const QString current = ModifiedLabel + headerDate(today);
    if (line == current)
        return false;
    text.setLine(2, Indent + current);
    return true;
}

bool UpdateModificationLine(DocumentText &text, UndoHistory &history, const QDate &today)
{
    const int lengthBefore = text.length();
    if (!UpdateModificationLine(text, today))
        return false;
    if (text.length() != lengthBefore)
        history.clear();
    return true;
}
