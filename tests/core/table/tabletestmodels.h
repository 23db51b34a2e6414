#pragma once

#include "core/table/tablemodel.h"

#include <QStringList>

#include <random>

// Random tables a designer can reach (counts changed with the spinners,
// cells merged, every setting and multi-line contents with accents and
// entities), and a comparison that treats settings the markup writes
// alike as equal.
namespace TableTestModels {

inline int pick(std::mt19937 &rng, int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(rng);
}

template<typename T, std::size_t N> const T &pickOf(std::mt19937 &rng, const T (&items)[N])
{
    return items[std::size_t(pick(rng, 0, int(N) - 1))];
}

inline QString colour(std::mt19937 &rng)
{
    static const char *const colours[] = {"", "", "#FFFFFF", "#FF0000", "#00FF80", "#FFFFFE", "#123456"};
    return QString::fromLatin1(pickOf(rng, colours));
}

inline QStringList content(std::mt19937 &rng)
{
    static const char *const words[] = {
        "Café",          "&eacute;t&eacute;", "<B>gras</B>", "x", "&nbsp;", "<A HREF=\"p.htm\">lien</A>",
        "Noël à Zürich", "1 &lt; 2",          "  retrait",   "",  " "};
    QStringList lines;
    const int count = pick(rng, 0, 3) == 0 ? 0 : pick(rng, 1, 4);
    for (int i = 0; i < count; ++i) {
        QString line;
        for (int w = pick(rng, 1, 3); w > 0; --w)
            line += QString::fromUtf8(pickOf(rng, words)) + (pick(rng, 0, 1) ? QStringLiteral(" ") : QString());
        lines << (pick(rng, 0, 5) == 0 ? QString() : line);
    }
    return lines;
}

inline TableModel randomModel(std::mt19937 &rng, int maxColumns = 10, int maxRows = 40)
{
    TableModel m;
    m.AddColonne(pick(rng, 1, maxColumns) - 1);
    m.AddRangee(pick(rng, 1, maxRows) - 1);
    for (int merges = pick(rng, 0, 3); merges > 0; --merges) {
        const int c = pick(rng, 0, m.ColCount() - 1);
        const int r = pick(rng, 0, m.RowCount() - 1);
        m.Merge({c, pick(rng, c, m.ColCount() - 1), r, pick(rng, r, std::min(r + 3, m.RowCount() - 1))});
    }
    // Shrinking after merging cuts merged cells.
    if (pick(rng, 0, 3) == 0) {
        m.AddColonne(pick(rng, 0, m.ColCount() - 1));
        m.AddRangee(pick(rng, 0, m.RowCount() - 1));
    }
    static const char *const pictures[] = {"", "", "fond.gif", "images/fond bleu.gif", "../été/ciel 2.png"};
    for (int r = 0; r < m.RowCount(); ++r) {
        TableRowAttrs &row = m.row(r);
        row.Align = qint8(pick(rng, 0, 2));
        row.VAlign = qint8(pick(rng, 0, 3));
        row.BgColor = colour(rng);
        row.BorderColor = colour(rng);
        for (int c = 0; c < m.ColCount(); ++c) {
            if (!m.grid().isOwner(c, r))
                continue;
            TableCell &cell = m.cell(c, r);
            cell.Kind = quint8(pick(rng, 1, 2));
            cell.HAlign = qint8(pick(rng, 0, 3));
            cell.VAlign = qint8(pick(rng, 0, 3));
            cell.NoWrap = pick(rng, 0, 3) == 0;
            cell.BgColor = colour(rng);
            cell.BorderColor = colour(rng);
            cell.Background = QString::fromUtf8(pickOf(rng, pictures));
            cell.WidthPercent = pick(rng, 0, 1);
            cell.Width = pick(rng, 0, 1) ? 0 : pick(rng, 1, cell.WidthPercent ? 100 : 9999);
            cell.HeightPercent = pick(rng, 0, 1);
            cell.Height = pick(rng, 0, 1) ? 0 : pick(rng, 1, cell.HeightPercent ? 100 : 9999);
            cell.Content = content(rng);
        }
    }
    TableAttrs &a = m.attrs;
    a.WidthPercent = pick(rng, 0, 1);
    a.WidthText = pick(rng, 0, 1) ? QString() : QString::number(pick(rng, 1, a.WidthPercent ? 100 : 9999));
    a.HeightPercent = pick(rng, 0, 1);
    a.HeightText = pick(rng, 0, 2) ? QString() : QString::number(pick(rng, 1, a.HeightPercent ? 100 : 9999));
    a.BorderText = QString::number(pick(rng, 0, 100));
    a.PaddingText = QString::number(pick(rng, 0, 12));
    a.SpacingText = QString::number(pick(rng, 0, 12));
    a.Align = pick(rng, 0, 1);
    static const char *const captions[] = {"", "Résultats &amp; totaux", "Tableau 1 <I>(été)</I>"};
    a.CaptionText = QString::fromUtf8(pickOf(rng, captions));
    a.CaptionMode = quint8(pick(rng, 0, 1));
    a.CaptionAlign = qint8(pick(rng, 0, a.CaptionMode == 0 ? 1 : 2));
    a.CaptionVAlign = qint8(pick(rng, 0, 1));
    a.TableVAlign = qint8(pick(rng, 0, 2));
    a.TableFrame = qint8(pick(rng, 0, 8));
    a.TableRules = qint8(pick(rng, 0, 4));
    a.TableBackground = QString::fromUtf8(pickOf(rng, pictures));
    a.TableBgColor = colour(rng);
    a.TableBorderColor = colour(rng);
    return m;
}

// An empty table of columns x rows single cells.
inline TableModel table(int columns, int rows)
{
    TableModel m;
    m.AddColonne(columns - 1);
    m.AddRangee(rows - 1);
    return m;
}

// The selected cells as "column,row" pairs, row by row.
inline QString selected(const TableModel &m)
{
    QStringList out;
    for (int r = 0; r < m.RowCount(); ++r)
        for (int c = 0; c < m.ColCount(); ++c)
            if (m.grid().isOwner(c, r) && m.cell(c, r).Selected)
                out << QStringLiteral("%1,%2").arg(c).arg(r);
    return out.join(QLatin1Char(' '));
}

// Spans of the table's slots, row by row ("2x1 0 | 1x1 1x1").
inline QString spans(const TableModel &m)
{
    QStringList rows;
    for (int r = 0; r < m.RowCount(); ++r) {
        QStringList marks;
        for (int c = 0; c < m.ColCount(); ++c) {
            const SlotGrid &g = m.grid();
            marks << (g.isOwner(c, r) ? QStringLiteral("%1x%2").arg(g.colSpan(c, r)).arg(g.rowSpan(c, r))
                                      : QString::number(g.colSpan(c, r)));
        }
        rows << marks.join(u' ');
    }
    return rows.join(QStringLiteral(" | "));
}

inline QString noWhite(const QString &colour)
{
    return colour == QLatin1String("#FFFFFF") ? QString() : colour;
}

// What two models write alike: white is no colour, a header cell's default
// alignment is "left", a percent box means nothing without a size, caption
// settings mean nothing without a caption, the Explorer caption's defaults
// are no attributes at all.
inline QString describe(const TableModel &m)
{
    QStringList out;
    const TableAttrs &a = m.attrs;
    out << QStringLiteral("%1x%2").arg(m.ColCount()).arg(m.RowCount());
    out << QStringLiteral("W=%1%2 H=%3%4 B=%5 P=%6 S=%7 A=%8")
               .arg(a.WidthText, a.WidthText.isEmpty() || a.WidthPercent ? QStringLiteral("%") : QString())
               .arg(a.HeightText, a.HeightText.isEmpty() || a.HeightPercent ? QStringLiteral("%") : QString())
               .arg(a.BorderText, a.PaddingText, a.SpacingText)
               .arg(a.Align);
    int mode = a.CaptionMode, align = a.CaptionAlign, vAlign = a.CaptionMode == 1 ? a.CaptionVAlign : 0;
    if (mode == 1 && align == 0 && vAlign == 0)
        mode = 0;
    if (a.CaptionText.isEmpty())
        mode = align = vAlign = 0;
    out << QStringLiteral("caption=%1 %2/%3/%4").arg(a.CaptionText).arg(mode).arg(align).arg(vAlign);
    out << QStringLiteral("V=%1 F=%2 R=%3 bg=").arg(a.TableVAlign).arg(a.TableFrame).arg(a.TableRules)
               + QStringList{a.TableBackground, noWhite(a.TableBgColor), noWhite(a.TableBorderColor)}.join(u' ');
    for (int r = 0; r < m.RowCount(); ++r) {
        const TableRowAttrs &row = m.row(r);
        out << QStringLiteral("row %1: %2 %3 ").arg(r).arg(row.Align).arg(row.VAlign) + noWhite(row.BgColor) + u' '
                   + noWhite(row.BorderColor);
        for (int c = 0; c < m.ColCount(); ++c) {
            if (!m.grid().isOwner(c, r)) {
                out << QStringLiteral("  (%1,%2) %3").arg(c).arg(r).arg(m.grid().isCovered(c, r) ? "covered" : "free");
                continue;
            }
            const TableCell &cell = m.cell(c, r);
            const int hAlign = cell.Kind == 1 && cell.HAlign == 0 ? 1 : cell.HAlign;
            const QList<int> numbers{c,
                                     r,
                                     m.grid().colSpan(c, r),
                                     m.grid().rowSpan(c, r),
                                     cell.Kind,
                                     hAlign,
                                     cell.VAlign,
                                     cell.NoWrap,
                                     cell.Width,
                                     cell.Width == 0 || cell.WidthPercent,
                                     cell.Height,
                                     cell.Height == 0 || cell.HeightPercent};
            QStringList fields{noWhite(cell.BgColor), noWhite(cell.BorderColor), cell.Background};
            for (const int n : numbers)
                fields << QString::number(n);
            out << QStringLiteral("  cell ") + fields.join(u' ');
            for (const QString &line : cell.Content)
                out << QStringLiteral("    |") + line;
        }
    }
    return out.join(u'\n');
}

} // namespace TableTestModels
