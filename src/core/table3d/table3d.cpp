#include "core/table3d/table3d.h"

QString Table3dSize(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok && value >= 1 && value <= 7 ? QString::number(value) : QStringLiteral("3");
}

int Table3dPointSize(const QString &size)
{
    return 4 + 2 * Table3dSize(size).toInt();
}

QString Table3dText(const Table3dSettings &s)
{
    const QString f = ColorToHtml(s.faceColor);
    const QString sh = ColorToHtml(s.shadowColor);
    const QString t = ColorToHtml(s.textColor);
    const auto cell = [](const QString &attrs, const QString &color) {
        return QStringLiteral("  <TD %1 BGCOLOR=\"%2\"></TD>").arg(attrs, color);
    };
    QStringList out{
        QStringLiteral("<TABLE CELLPADDING=0 CELLSPACING=0>"),
        QStringLiteral("<TR>"),
        cell(QStringLiteral("COLSPAN=3 HEIGHT=12"), f),
        QStringLiteral("  <TD HEIGHT=12></TD>"),
        QStringLiteral("</TR>"),
        QStringLiteral("<TR>"),
        cell(QStringLiteral("ROWSPAN=5 WIDTH=12"), f),
        QStringLiteral("  <TD ROWSPAN=4 HEIGHT=80 BGCOLOR=\"%1\">").arg(f),
        QStringLiteral("<FONT SIZE=\"%1\" FACE=\"%2\" COLOR=\"%3\">").arg(Table3dSize(s.size), s.face, t),
    };
    for (const QString &line : s.lines)
        out << line + QStringLiteral("<BR>");
    out << QStringLiteral("</FONT>") << QStringLiteral("  </TD>") << cell(QStringLiteral("ROWSPAN=4 WIDTH=12"), f)
        << cell(QStringLiteral("ROWSPAN=5 WIDTH=16"), sh) << QStringLiteral("</TR>");
    for (int i = 0; i < 3; ++i)
        out << QStringLiteral("<TR>") << QStringLiteral("</TR>");
    out << QStringLiteral("<TR>") << cell(QStringLiteral("COLSPAN=2 HEIGHT=12"), f) << QStringLiteral("</TR>")
        << QStringLiteral("<TR>") << QStringLiteral("  <TD WIDTH=12></TD>")
        << cell(QStringLiteral("COLSPAN=3 HEIGHT=16"), sh) << QStringLiteral("</TR>") << QStringLiteral("</TABLE>");
    return out.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}
