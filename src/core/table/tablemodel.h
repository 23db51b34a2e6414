#pragma once

#include "core/grid/slotgrid.h"

#include <QString>
#include <QStringList>

#include <array>

// One cell of the table designer. Its spans live in the model's slot grid.
struct TableCell
{
    // 1 header cell (TH), 2 data cell (TD).
    quint8 Kind = 2;
    // 0 default, 1 left (forced), 2 centre, 3 right.
    qint8 HAlign = 0;
    // 0 default (middle), 1 top, 2 bottom, 3 baseline.
    qint8 VAlign = 0;
    bool NoWrap = false;
    // "#RRGGBB" or empty.
    QString BorderColor;
    QString BgColor;
    // Background picture path, may hold blanks; empty for none.
    QString Background;
    bool Selected = false;
    int Height = 0;
    bool HeightPercent = false;
    int Width = 0;
    bool WidthPercent = false;
    // The cell's HTML, one entry per line.
    QStringList Content;
    // Attributes the designer does not edit (class, style, id...), as the
    // author wrote them, each after a blank; written after its own.
    QString Extra;
};

struct TableRowAttrs
{
    // 0 default, 1 centre, 2 right.
    qint8 Align = 0;
    // 0 default, 1 top, 2 bottom, 3 baseline.
    qint8 VAlign = 0;
    QString BorderColor;
    QString BgColor;
    // As TableCell::Extra.
    QString Extra;
};

// The table-level settings: the main dialog's fields (kept as the texts the
// generator writes), the caption and the extensions.
struct TableAttrs
{
    QString WidthText;
    bool WidthPercent = true;
    QString HeightText;
    bool HeightPercent = true;
    QString BorderText = QStringLiteral("0");
    QString PaddingText = QStringLiteral("1");
    QString SpacingText = QStringLiteral("2");
    // 0 left (default), 1 right.
    int Align = 0;

    QString CaptionText;
    // 0 Netscape extensions, 1 Explorer extensions.
    quint8 CaptionMode = 0;
    // Mode 0: 0 top, 1 bottom. Mode 1: 0 centre, 1 left, 2 right.
    qint8 CaptionAlign = 0;
    // Mode 1 only: 0 top, 1 bottom.
    qint8 CaptionVAlign = 0;

    // 0 middle, 1 top, 2 bottom.
    qint8 TableVAlign = 0;
    // 0 default, 1 void, 2 above, 3 below, 4 hsides, 5 lhs, 6 rhs, 7 vsides, 8 box.
    qint8 TableFrame = 0;
    // 0 default, 1 none, 2 groups, 3 rows, 4 cols.
    qint8 TableRules = 0;
    QString TableBackground;
    QString TableBgColor;
    QString TableBorderColor;
    // As TableCell::Extra, for the TABLE and CAPTION tags.
    QString TableExtra;
    QString CaptionExtra;
};

// The table designer's model: a 10 x 40 grid of slots following the span
// rule of SlotGrid, a cell record per slot, a record per row and the table
// settings. ColCount x RowCount slots form the table; every slot outside is
// free. Every public operation keeps that rule (checked in debug builds).
class TableModel
{
public:
    static constexpr int MaxColumns = 10;
    static constexpr int MaxRows = 40;

    // A new 2 x 2 table of empty data cells with default settings.
    TableModel();

    int ColCount() const { return m_colCount; }
    int RowCount() const { return m_rowCount; }
    const SlotGrid &grid() const { return m_grid; }

    TableCell &cell(int column, int row) { return m_cells[index(column, row)]; }
    const TableCell &cell(int column, int row) const { return m_cells[index(column, row)]; }
    TableRowAttrs &row(int r) { return m_rows[std::size_t(r)]; }
    const TableRowAttrs &row(int r) const { return m_rows[std::size_t(r)]; }

    TableAttrs attrs;

    // "Effacer tout": a fresh 2 x 2 table with default settings; the caption
    // and its alignments stay.
    void NewTable();

    // Grows the table to index + 1 columns (new owners, empty data cells)
    // or shrinks it to index + 1 by removing last columns: cells that start
    // in a removed column go with their content, merged cells that reach
    // into it lose that part. The count stays within 1 .. MaxColumns.
    void AddColonne(int index);
    // The same for rows; a new row gets default row settings.
    void AddRangee(int index);

    // Merges the cells of the rectangle, closed first so that it cuts no
    // cell, into its top-left cell, which keeps its settings and content;
    // the other cells are dropped with theirs. False, changing nothing, when
    // the closed rectangle holds fewer than two cells.
    bool Merge(SlotRect rect);

    // Splits the merged cell owning (column, row) back into one cell per
    // slot: the first keeps its settings and content, the others are fresh
    // data cells sharing its selection state. False, changing nothing, when
    // the slot is not in the table or its cell spans a single slot.
    bool Split(int column, int row);

    // Empty while the span rule holds, else what breaks it.
    QString invariantBreach() const { return m_grid.invariantBreach(m_colCount, m_rowCount); }

private:
    friend class TableReader;

    std::size_t index(int column, int row) const { return std::size_t(row * MaxColumns + column); }
    void createFirstCell();
    void addColumn();
    void removeLastColumn();
    void addRow();
    void removeLastRow();
    void dropCell(int column, int row);
    void checkInvariant() const;

    SlotGrid m_grid{MaxColumns, MaxRows};
    std::array<TableCell, MaxColumns * MaxRows> m_cells;
    std::array<TableRowAttrs, MaxRows> m_rows;
    int m_colCount = 0;
    int m_rowCount = 0;
};
