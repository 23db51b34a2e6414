#include "core/table/tablegenerator.h"

#include "core/attributes/starttag.h"
#include "core/markup/insertion.h"
#include "core/table/tablefields.h"
#include "core/table/tablemodel.h"

namespace {

const QString CrLf = QStringLiteral("\r\n");

// A colour attribute, left out when empty or white.
void addColour(QString &out, const char *name, const QString &colour)
{
    if (colour.isEmpty() || colour == u"#FFFFFF")
        return;
    out += QLatin1String(name) + QuotedValue(colour);
}

const char *const VAligns[] = {"", " VALIGN=top", " VALIGN=bottom", " VALIGN=baseline"};
const char *const Frames[] = {"",           " FRAME=void", " FRAME=above",  " FRAME=below", " FRAME=hsides",
                              " FRAME=lhs", " FRAME=rhs",  " FRAME=vsides", " FRAME=box"};
const char *const Rules[] = {"", " RULES=none", " RULES=groups", " RULES=rows", " RULES=cols"};

template<std::size_t N> QLatin1String pick(const char *const (&names)[N], int code)
{
    return QLatin1String(code > 0 && code < int(N) ? names[code] : "");
}

QString tableStart(const TableAttrs &a)
{
    QString out = QStringLiteral("<TABLE");
    if (!a.WidthText.isEmpty())
        out += QStringLiteral(" WIDTH=") + a.WidthText + (a.WidthPercent ? QStringLiteral("%") : QString());
    if (!a.HeightText.isEmpty())
        out += QStringLiteral(" HEIGHT=") + a.HeightText + (a.HeightPercent ? QStringLiteral("%") : QString());
    if (FieldNumber(a.PaddingText, 1) != 1)
        out += QStringLiteral(" CELLPADDING=") + a.PaddingText;
    if (FieldNumber(a.BorderText, 0) != 0)
        out += QStringLiteral(" BORDER=") + a.BorderText;
    if (FieldNumber(a.SpacingText, 2) != 2)
        out += QStringLiteral(" CELLSPACING=") + a.SpacingText;
    if (a.Align == 1)
        out += QStringLiteral(" ALIGN=right");
    if (a.TableVAlign == 1 || a.TableVAlign == 2)
        out += pick(VAligns, a.TableVAlign);
    if (!a.TableBackground.isEmpty())
        out += QStringLiteral(" BACKGROUND=") + QuotedValue(a.TableBackground);
    out += pick(Frames, a.TableFrame);
    out += pick(Rules, a.TableRules);
    addColour(out, " BGCOLOR=", a.TableBgColor);
    addColour(out, " BORDERCOLOR=", a.TableBorderColor);
    return out + a.TableExtra + u'>' + CrLf;
}

QString caption(const TableAttrs &a)
{
    QString out = QStringLiteral("  <CAPTION");
    if (a.CaptionMode == 0) {
        if (a.CaptionAlign == 1)
            out += QStringLiteral(" ALIGN=bottom");
    } else {
        if (a.CaptionVAlign == 1)
            out += QStringLiteral(" VALIGN=bottom");
        if (a.CaptionAlign == 1)
            out += QStringLiteral(" ALIGN=left");
        else if (a.CaptionAlign == 2)
            out += QStringLiteral(" ALIGN=right");
    }
    return out + a.CaptionExtra + u'>' + a.CaptionText + QStringLiteral("</CAPTION>") + CrLf;
}

QString rowStart(const TableRowAttrs &row)
{
    QString out = QStringLiteral("  <TR");
    if (row.Align == 1)
        out += QStringLiteral(" ALIGN=center");
    else if (row.Align == 2)
        out += QStringLiteral(" ALIGN=right");
    out += pick(VAligns, row.VAlign);
    addColour(out, " BGCOLOR=", row.BgColor);
    addColour(out, " BORDERCOLOR=", row.BorderColor);
    return out + row.Extra + u'>' + CrLf;
}

QString cellStart(const TableCell &cell, int colSpan, int rowSpan)
{
    const bool header = cell.Kind == 1;
    QString out = header ? QStringLiteral("    <TH") : QStringLiteral("    <TD");
    if (colSpan > 1)
        out += QStringLiteral(" COLSPAN=") + QString::number(colSpan);
    if (rowSpan > 1)
        out += QStringLiteral(" ROWSPAN=") + QString::number(rowSpan);
    switch (cell.HAlign) {
    case 0:
        if (header)
            out += QStringLiteral(" ALIGN=left");
        break;
    case 1:
        out += QStringLiteral(" ALIGN=left");
        break;
    case 2:
        // Centre is the header cells' own default.
        if (!header)
            out += QStringLiteral(" ALIGN=center");
        break;
    case 3:
        out += QStringLiteral(" ALIGN=right");
        break;
    default:
        break;
    }
    if (cell.Height != 0)
        out += QStringLiteral(" HEIGHT=") + QString::number(cell.Height)
               + (cell.HeightPercent ? QStringLiteral("%") : QString());
    if (cell.Width != 0)
        out += QStringLiteral(" WIDTH=") + QString::number(cell.Width)
               + (cell.WidthPercent ? QStringLiteral("%") : QString());
    out += pick(VAligns, cell.VAlign);
    addColour(out, " BGCOLOR=", cell.BgColor);
    addColour(out, " BORDERCOLOR=", cell.BorderColor);
    if (!cell.Background.isEmpty())
        out += QStringLiteral(" BACKGROUND=") + QuotedValue(cell.Background);
    if (cell.NoWrap)
        out += QStringLiteral(" NOWRAP");
    return out + cell.Extra + u'>';
}

} // namespace

QStringList TablePieces(const TableModel &model)
{
    const TableAttrs &a = model.attrs;
    QStringList pieces;
    pieces.reserve(2 + model.RowCount() * (2 + 2 * model.ColCount()) + 1);
    pieces << tableStart(a);
    if (!a.CaptionText.isEmpty())
        pieces << caption(a);
    const SlotGrid &grid = model.grid();
    for (int r = 0; r < model.RowCount(); ++r) {
        pieces << rowStart(model.row(r));
        for (int c = 0; c < model.ColCount(); ++c) {
            if (!grid.isOwner(c, r))
                continue;
            const TableCell &cell = model.cell(c, r);
            const QString start = cellStart(cell, grid.colSpan(c, r), grid.rowSpan(c, r));
            const QString end = cell.Kind == 1 ? QStringLiteral("</TH>") : QStringLiteral("</TD>");
            if (cell.Content.isEmpty()) {
                pieces << start + end + CrLf;
                continue;
            }
            QString content = start + CrLf;
            for (const QString &line : cell.Content)
                content += line + CrLf;
            pieces << content << QStringLiteral("    ") + end + CrLf;
        }
        pieces << QStringLiteral("  </TR>") + CrLf;
    }
    pieces << QStringLiteral("</TABLE>") + CrLf;
    return pieces;
}

QString TableText(const TableModel &model)
{
    return TablePieces(model).join(QString());
}

void WriteTable(DocumentText &text, UndoHistory &undo, EditorState &state, const TableModel &model, bool replacing)
{
    const QStringList pieces = TablePieces(model);
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        if (i == 0)
            InsertTagPair(text, undo, state, pieces[i], QString(), true, true, replacing ? ukReplace : ukInsert);
        else
            InsertTagPair(text, undo, state, pieces[i], QString(), false, true, ukInsert);
    }
}
