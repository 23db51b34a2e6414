#include "core/frameset/framesetlayout.h"

#include <algorithm>

FramesetLayout::FramesetLayout()
{
    clear();
}

void FramesetLayout::clear()
{
    m_grid.clear();
    m_frames.fill(FrameRec{});
    m_grid.setSpans(0, 0, 1, 1);
    m_columns = 1;
    m_rows = 1;
    checkInvariant();
}

void FramesetLayout::setColumnCount(int count)
{
    count = std::clamp(count, 1, MaxColumns);
    while (m_columns < count)
        addColumn();
    while (m_columns > count)
        removeLastColumn();
    checkInvariant();
}

void FramesetLayout::setRowCount(int count)
{
    count = std::clamp(count, 1, MaxRows);
    while (m_rows < count)
        addRow();
    while (m_rows > count)
        removeLastRow();
    checkInvariant();
}

void FramesetLayout::addColumn()
{
    const int c = m_columns;
    for (int r = 0; r < m_rows; ++r) {
        m_frames[index(c, r)] = FrameRec{};
        m_grid.setSpans(c, r, 1, 1);
    }
    ++m_columns;
}

void FramesetLayout::addRow()
{
    const int r = m_rows;
    for (int c = 0; c < m_columns; ++c) {
        m_frames[index(c, r)] = FrameRec{};
        m_grid.setSpans(c, r, 1, 1);
    }
    ++m_rows;
}

void FramesetLayout::removeLastColumn()
{
    const int last = m_columns - 1;
    for (int r = 0; r < m_rows; ++r) {
        if (!m_grid.isCovered(last, r))
            continue;
        // A frame from the left reaching into the column loses it (a frame
        // covering several rows is met once, on its first row).
        const SlotPos owner = m_grid.ownerOf(last, r);
        if (owner.valid() && owner.column < last && owner.row == r)
            m_grid.setSpans(owner.column, owner.row, m_grid.colSpan(owner.column, owner.row) - 1,
                            m_grid.rowSpan(owner.column, owner.row));
    }
    for (int r = 0; r < MaxRows; ++r) {
        m_grid.setFree(last, r, SlotGrid::Unused);
        m_frames[index(last, r)] = FrameRec{};
    }
    --m_columns;
}

void FramesetLayout::removeLastRow()
{
    const int last = m_rows - 1;
    for (int c = 0; c < m_columns; ++c) {
        if (!m_grid.isCovered(c, last))
            continue;
        const SlotPos owner = m_grid.ownerOf(c, last);
        if (owner.valid() && owner.row < last && owner.column == c)
            m_grid.setSpans(owner.column, owner.row, m_grid.colSpan(owner.column, owner.row),
                            m_grid.rowSpan(owner.column, owner.row) - 1);
    }
    for (int c = 0; c < MaxColumns; ++c) {
        m_grid.setFree(c, last, SlotGrid::Unused);
        m_frames[index(c, last)] = FrameRec{};
    }
    --m_rows;
}

std::vector<SlotPos> FramesetLayout::owners() const
{
    std::vector<SlotPos> result;
    for (int r = 0; r < m_rows; ++r) {
        for (int c = 0; c < m_columns; ++c) {
            if (m_grid.isOwner(c, r))
                result.push_back({c, r});
        }
    }
    return result;
}

std::vector<SlotPos> FramesetLayout::selectedOwners() const
{
    std::vector<SlotPos> result;
    for (const SlotPos &p : owners()) {
        if (frame(p.column, p.row).Selected)
            result.push_back(p);
    }
    return result;
}

void FramesetLayout::deselectAll()
{
    for (FrameRec &f : m_frames)
        f.Selected = false;
}

std::optional<SlotRect> FramesetLayout::selectionRect() const
{
    const std::vector<SlotPos> selected = selectedOwners();
    if (selected.empty())
        return std::nullopt;
    SlotRect rect{MaxColumns, -1, MaxRows, -1};
    for (const SlotPos &p : selected) {
        rect.minColumn = std::min(rect.minColumn, p.column);
        rect.minRow = std::min(rect.minRow, p.row);
        rect.maxColumn = std::max(rect.maxColumn, p.column + m_grid.colSpan(p.column, p.row) - 1);
        rect.maxRow = std::max(rect.maxRow, p.row + m_grid.rowSpan(p.column, p.row) - 1);
    }
    return ExpandSelection(m_grid, rect);
}

void FramesetLayout::clickFrame(int column, int row)
{
    if (!m_grid.inside(column, row) || column >= m_columns || row >= m_rows || !m_grid.isOwner(column, row))
        return;
    if (frame(column, row).Selected) {
        deselectAll();
        return;
    }
    frame(column, row).Selected = true;
    const SlotRect rect = *selectionRect();
    for (const SlotPos &p : owners()) {
        if (rect.contains(p.column, p.row))
            frame(p.column, p.row).Selected = true;
    }
}

bool FramesetLayout::mergeSelection()
{
    if (selectedOwners().size() < 2)
        return false;
    const SlotRect rect = *selectionRect();
    if (rect.maxColumn >= m_columns || rect.maxRow >= m_rows || !m_grid.isOwner(rect.minColumn, rect.minRow))
        return false;
    for (int r = rect.minRow; r <= rect.maxRow; ++r) {
        for (int c = rect.minColumn; c <= rect.maxColumn; ++c) {
            if ((c != rect.minColumn || r != rect.minRow) && m_grid.isOwner(c, r)) {
                m_frames[index(c, r)] = FrameRec{};
                m_grid.setCovered(c, r);
            }
        }
    }
    m_grid.setSpans(rect.minColumn, rect.minRow, rect.maxColumn - rect.minColumn + 1, rect.maxRow - rect.minRow + 1);
    deselectAll();
    checkInvariant();
    return true;
}

QString FramesetLayout::invariantBreach() const
{
    QString breach = m_grid.invariantBreach(m_columns, m_rows);
    if (!breach.isEmpty())
        return breach;
    for (int r = 0; r < MaxRows; ++r) {
        for (int c = 0; c < MaxColumns; ++c) {
            if (!m_grid.isOwner(c, r) && !(frame(c, r) == FrameRec{}))
                return QStringLiteral("slot (%1,%2) is no frame but keeps properties").arg(c).arg(r);
        }
    }
    return QString();
}

void FramesetLayout::checkInvariant() const
{
    Q_ASSERT_X(invariantBreach().isEmpty(), "FramesetLayout", qPrintable(invariantBreach()));
}
