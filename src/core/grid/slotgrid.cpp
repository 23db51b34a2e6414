#include "core/grid/slotgrid.h"

#include <algorithm>

SlotGrid::SlotGrid(int columns, int rows)
    : m_columns(columns)
    , m_rows(rows)
    , m_slots(std::size_t(columns * rows))
{}

void SlotGrid::setSpans(int column, int row, int colSpan, int rowSpan)
{
    Slot &s = at(column, row);
    s.colSpan = qint8(std::clamp(colSpan, -128, 127));
    s.rowSpan = qint8(std::clamp(rowSpan, -128, 127));
}

void SlotGrid::makeOwner(int column, int row)
{
    Slot &s = at(column, row);
    if (s.colSpan < 0)
        s.colSpan = 1;
    if (s.rowSpan < 0)
        s.rowSpan = 1;
}

void SlotGrid::clear()
{
    std::fill(m_slots.begin(), m_slots.end(), Slot{});
}

SlotPos SlotGrid::ownerOf(int column, int row) const
{
    if (!inside(column, row))
        return {};
    // Owners stand above and/or to the left of the slots they cover; the
    // nearest one whose cell reaches the slot is its owner.
    for (int r = row; r >= 0; --r) {
        for (int c = column; c >= 0; --c) {
            if (isOwner(c, r) && c + colSpan(c, r) > column && r + rowSpan(c, r) > row)
                return {c, r};
        }
    }
    return {};
}

QString SlotGrid::invariantBreach(int columns, int rows) const
{
    const auto where = [](int c, int r) { return QStringLiteral("(%1,%2)").arg(c).arg(r); };
    std::vector<int> cover(m_slots.size(), 0);
    for (int r = 0; r < m_rows; ++r) {
        for (int c = 0; c < m_columns; ++c) {
            const bool inArea = c < columns && r < rows;
            if (!inArea) {
                if (!isFree(c, r))
                    return QStringLiteral("slot %1 outside the layout is not free").arg(where(c, r));
                continue;
            }
            if (!isFree(c, r) && !isCovered(c, r) && !isOwner(c, r))
                return QStringLiteral("slot %1 has mixed spans %2/%3")
                    .arg(where(c, r))
                    .arg(colSpan(c, r))
                    .arg(rowSpan(c, r));
            if (isFree(c, r))
                return QStringLiteral("slot %1 inside the layout is free").arg(where(c, r));
            if (!isOwner(c, r))
                continue;
            if (c + colSpan(c, r) > columns || r + rowSpan(c, r) > rows)
                return QStringLiteral("owner %1 reaches past the layout").arg(where(c, r));
            for (int rr = r; rr < r + rowSpan(c, r); ++rr) {
                for (int cc = c; cc < c + colSpan(c, r); ++cc) {
                    if (cc == c && rr == r)
                        continue;
                    if (!isCovered(cc, rr))
                        return QStringLiteral("slot %1 inside owner %2 is not covered").arg(where(cc, rr), where(c, r));
                    ++cover[std::size_t(rr * m_columns + cc)];
                }
            }
        }
    }
    for (int r = 0; r < rows && r < m_rows; ++r) {
        for (int c = 0; c < columns && c < m_columns; ++c) {
            if (isCovered(c, r) && cover[std::size_t(r * m_columns + c)] != 1)
                return QStringLiteral("covered slot %1 lies in %2 cells")
                    .arg(where(c, r))
                    .arg(cover[std::size_t(r * m_columns + c)]);
        }
    }
    return {};
}

namespace {

// One change of the closure pass; false when the slot needs none.
bool widenFor(const SlotGrid &grid, int c, int r, SlotRect &rect)
{
    if (grid.isOwner(c, r)) {
        // A span past the grid (a breach of the rule) stops at its edge.
        const int right = std::min(c + grid.colSpan(c, r) - 1, grid.columns() - 1);
        const int bottom = std::min(r + grid.rowSpan(c, r) - 1, grid.rows() - 1);
        if (right > rect.maxColumn) {
            rect.maxColumn = right;
            return true;
        }
        if (bottom > rect.maxRow) {
            rect.maxRow = bottom;
            return true;
        }
        return false;
    }
    if (!grid.isCovered(c, r))
        return false;
    // The covered slot's own owner, wherever it stands: looking only
    // straight up, straight left or along the diagonal misses an owner that
    // stands two columns left and one row up, and would leave a cell cut.
    const SlotPos owner = grid.ownerOf(c, r);
    if (!owner.valid() || rect.contains(owner.column, owner.row))
        return false;
    rect.minColumn = std::min(rect.minColumn, owner.column);
    rect.minRow = std::min(rect.minRow, owner.row);
    rect.maxColumn =
        std::clamp(owner.column + grid.colSpan(owner.column, owner.row) - 1, rect.maxColumn, grid.columns() - 1);
    rect.maxRow = std::clamp(owner.row + grid.rowSpan(owner.column, owner.row) - 1, rect.maxRow, grid.rows() - 1);
    return true;
}

} // namespace

SlotRect ExpandSelection(const SlotGrid &grid, SlotRect rect)
{
    rect.minColumn = std::clamp(rect.minColumn, 0, grid.columns() - 1);
    rect.minRow = std::clamp(rect.minRow, 0, grid.rows() - 1);
    rect.maxColumn = std::clamp(rect.maxColumn, rect.minColumn, grid.columns() - 1);
    rect.maxRow = std::clamp(rect.maxRow, rect.minRow, grid.rows() - 1);
    bool changed = true;
    while (changed) {
        changed = false;
        for (int c = rect.minColumn; c <= rect.maxColumn && !changed; ++c) {
            for (int r = rect.minRow; r <= rect.maxRow && !changed; ++r)
                changed = widenFor(grid, c, r, rect);
        }
    }
    return rect;
}
