#include "core/table/tablemodel.h"

#include <QtGlobal>

#include <algorithm>

TableModel::TableModel()
{
    NewTable();
}

void TableModel::NewTable()
{
    TableAttrs fresh;
    fresh.CaptionText = attrs.CaptionText;
    fresh.CaptionMode = attrs.CaptionMode;
    fresh.CaptionAlign = attrs.CaptionAlign;
    fresh.CaptionVAlign = attrs.CaptionVAlign;
    fresh.CaptionExtra = attrs.CaptionExtra;
    attrs = fresh;
    m_grid.clear();
    m_cells.fill(TableCell{});
    m_rows.fill(TableRowAttrs{});
    createFirstCell();
    AddColonne(1);
    AddRangee(1);
}

void TableModel::createFirstCell()
{
    m_cells[index(0, 0)] = TableCell{};
    m_grid.setSpans(0, 0, 1, 1);
    m_colCount = 1;
    m_rowCount = 1;
}

void TableModel::AddColonne(int index)
{
    const int wanted = std::clamp(index + 1, 1, MaxColumns);
    while (m_colCount < wanted)
        addColumn();
    while (m_colCount > wanted)
        removeLastColumn();
    checkInvariant();
}

void TableModel::AddRangee(int index)
{
    const int wanted = std::clamp(index + 1, 1, MaxRows);
    while (m_rowCount < wanted)
        addRow();
    while (m_rowCount > wanted)
        removeLastRow();
    checkInvariant();
}

void TableModel::addColumn()
{
    const int c = m_colCount;
    for (int r = 0; r < m_rowCount; ++r) {
        // A slot a spanning cell already covers (while a table is being
        // read) stays covered.
        if (!m_grid.isCovered(c, r))
            m_cells[index(c, r)] = TableCell{};
        m_grid.makeOwner(c, r);
    }
    ++m_colCount;
}

void TableModel::addRow()
{
    const int r = m_rowCount;
    m_rows[std::size_t(r)] = TableRowAttrs{};
    for (int c = 0; c < m_colCount; ++c) {
        if (!m_grid.isCovered(c, r))
            m_cells[index(c, r)] = TableCell{};
        m_grid.makeOwner(c, r);
    }
    ++m_rowCount;
}

void TableModel::dropCell(int column, int row)
{
    m_cells[index(column, row)] = TableCell{};
}

void TableModel::removeLastColumn()
{
    const int last = m_colCount - 1;
    for (int r = 0; r < m_rowCount; ++r) {
        if (m_grid.isOwner(last, r)) {
            // A cell starting in the column goes, content and all.
            const int bottom = std::min(r + m_grid.rowSpan(last, r), m_rowCount);
            for (int rr = r; rr < bottom; ++rr)
                m_grid.setFree(last, rr);
            dropCell(last, r);
        } else if (m_grid.isCovered(last, r)) {
            // A merged cell from the left reaches into the column: it loses
            // that column over all its rows.
            const SlotPos owner = m_grid.ownerOf(last, r);
            if (owner.valid()) {
                m_grid.setSpans(owner.column, owner.row, m_grid.colSpan(owner.column, owner.row) - 1,
                                m_grid.rowSpan(owner.column, owner.row));
                const int bottom = std::min(owner.row + m_grid.rowSpan(owner.column, owner.row), m_rowCount);
                for (int rr = owner.row; rr < bottom; ++rr)
                    m_grid.setFree(last, rr);
            }
        }
    }
    for (int r = 0; r < MaxRows; ++r) {
        m_grid.setFree(last, r);
        dropCell(last, r);
    }
    --m_colCount;
}

void TableModel::removeLastRow()
{
    const int last = m_rowCount - 1;
    for (int c = 0; c < m_colCount; ++c) {
        if (m_grid.isOwner(c, last)) {
            const int right = std::min(c + m_grid.colSpan(c, last), m_colCount);
            for (int cc = c; cc < right; ++cc)
                m_grid.setFree(cc, last);
            dropCell(c, last);
        } else if (m_grid.isCovered(c, last)) {
            const SlotPos owner = m_grid.ownerOf(c, last);
            if (owner.valid()) {
                m_grid.setSpans(owner.column, owner.row, m_grid.colSpan(owner.column, owner.row),
                                m_grid.rowSpan(owner.column, owner.row) - 1);
                const int right = std::min(owner.column + m_grid.colSpan(owner.column, owner.row), m_colCount);
                for (int cc = owner.column; cc < right; ++cc)
                    m_grid.setFree(cc, last);
            }
        }
    }
    for (int c = 0; c < MaxColumns; ++c) {
        m_grid.setFree(c, last);
        dropCell(c, last);
    }
    m_rows[std::size_t(last)] = TableRowAttrs{};
    --m_rowCount;
}

bool TableModel::Merge(SlotRect rect)
{
    rect = ExpandSelection(m_grid, rect);
    if (rect.maxColumn >= m_colCount || rect.maxRow >= m_rowCount)
        return false;
    int owners = 0;
    for (int r = rect.minRow; r <= rect.maxRow; ++r) {
        for (int c = rect.minColumn; c <= rect.maxColumn; ++c)
            owners += m_grid.isOwner(c, r) ? 1 : 0;
    }
    if (owners < 2 || !m_grid.isOwner(rect.minColumn, rect.minRow))
        return false;
    for (int r = rect.minRow; r <= rect.maxRow; ++r) {
        for (int c = rect.minColumn; c <= rect.maxColumn; ++c) {
            if ((c != rect.minColumn || r != rect.minRow) && m_grid.isOwner(c, r)) {
                dropCell(c, r);
                m_grid.setCovered(c, r);
            }
        }
    }
    m_grid.setSpans(rect.minColumn, rect.minRow, rect.maxColumn - rect.minColumn + 1, rect.maxRow - rect.minRow + 1);
    checkInvariant();
    return true;
}

bool TableModel::Split(int column, int row)
{
    if (column < 0 || row < 0 || column >= m_colCount || row >= m_rowCount)
        return false;
    const SlotPos owner = m_grid.ownerOf(column, row);
    if (!owner.valid())
        return false;
    const int width = m_grid.colSpan(owner.column, owner.row);
    const int height = m_grid.rowSpan(owner.column, owner.row);
    if (width <= 1 && height <= 1)
        return false;
    const bool selected = cell(owner.column, owner.row).Selected;
    for (int r = owner.row; r < owner.row + height; ++r) {
        for (int c = owner.column; c < owner.column + width; ++c) {
            m_grid.setSpans(c, r, 1, 1);
            if (c != owner.column || r != owner.row) {
                m_cells[index(c, r)] = TableCell{};
                m_cells[index(c, r)].Selected = selected;
            }
        }
    }
    checkInvariant();
    return true;
}

void TableModel::checkInvariant() const
{
    Q_ASSERT_X(invariantBreach().isEmpty(), "TableModel", qPrintable(invariantBreach()));
}
