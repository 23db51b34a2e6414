#include "core/table/tablecellfields.h"

#include "core/table/tablemodel.h"

namespace {

HtmlColor loadColor(const QString &text)
{
    return text.isEmpty() ? HtmlColor(0xFFFFFF) : HtmlToColor(text);
}

QString storeColor(HtmlColor color)
{
    return ColorToHtml(color).left(8);
}

QString sizeText(int value)
{
    return value > 0 ? QString::number(value) : QString();
}

int sizeValue(const QString &text, bool percent)
{
    return ValidCellSize(text, percent).toInt();
}

} // namespace

CellFields LoadCellFields(const TableCell &cell)
{
    CellFields f;
    f.kindIndex = cell.Kind == 1 ? 0 : 1;
    f.noWrap = cell.NoWrap;
    f.content = cell.Content;
    f.bgColor = loadColor(cell.BgColor);
    f.borderColor = loadColor(cell.BorderColor);
    f.widthPercent = cell.WidthPercent;
    f.widthText = ValidCellSize(sizeText(cell.Width), cell.WidthPercent);
    f.heightPercent = cell.HeightPercent;
    f.heightText = ValidCellSize(sizeText(cell.Height), cell.HeightPercent);
    f.hAlign = std::clamp<int>(cell.HAlign, 0, 3);
    f.vAlign = std::clamp<int>(cell.VAlign, 0, 3);
    f.background = cell.Background;
    return f;
}

void StoreCellFields(const CellFields &f, TableCell &cell)
{
    cell.Kind = f.kindIndex == 0 ? 1 : 2;
    cell.NoWrap = f.noWrap;
    cell.Content = f.content;
    cell.BgColor = storeColor(f.bgColor);
    cell.BorderColor = storeColor(f.borderColor);
    cell.WidthPercent = f.widthPercent;
    cell.Width = sizeValue(f.widthText, f.widthPercent);
    cell.HeightPercent = f.heightPercent;
    cell.Height = sizeValue(f.heightText, f.heightPercent);
    cell.HAlign = qint8(std::clamp(f.hAlign, 0, 3));
    cell.VAlign = qint8(std::clamp(f.vAlign, 0, 3));
    cell.Background = f.background.left(512);
}

int AlignmentForKind(int kindIndex)
{
    return kindIndex == 0 ? 2 : 0;
}

RowFields LoadRowFields(const TableRowAttrs &row)
{
    return {std::clamp<int>(row.Align, 0, 2), std::clamp<int>(row.VAlign, 0, 3), loadColor(row.BgColor),
            loadColor(row.BorderColor)};
}

void StoreRowFields(const RowFields &f, TableRowAttrs &row)
{
    row.Align = qint8(std::clamp(f.align, 0, 2));
    row.VAlign = qint8(std::clamp(f.vAlign, 0, 3));
    row.BgColor = storeColor(f.bgColor);
    row.BorderColor = storeColor(f.borderColor);
}

QString ValidCellSize(const QString &text, bool percent)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || value < 1 || value > (percent ? 100 : 9999) || text.size() > (percent ? 3 : 4))
        return {};
    return text.trimmed();
}

QString CellSizeForPercent(const QString &text, bool percent)
{
    if (percent && text.toInt() > 100)
        return QStringLiteral("100");
    return text;
}
