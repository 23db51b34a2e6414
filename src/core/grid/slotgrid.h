#pragma once

#include <QString>

#include <vector>

// A slot of a designer's grid, addressed (column, row), both 0-based.
struct SlotPos
{
    int column = -1;
    int row = -1;
    bool valid() const { return column >= 0 && row >= 0; }
    friend bool operator==(const SlotPos &, const SlotPos &) = default;
};

// A rectangle of slots, every bound inclusive.
struct SlotRect
{
    int minColumn = 0;
    int maxColumn = 0;
    int minRow = 0;
    int maxRow = 0;
    bool contains(int column, int row) const
    {
        return column >= minColumn && column <= maxColumn && row >= minRow && row <= maxRow;
    }
    friend bool operator==(const SlotRect &, const SlotRect &) = default;
};

// The fixed grid behind the table and frameset designers. Each slot carries
// two spans that say what it is:
//   both negative   free: not part of the layout (Unused at start, Dropped
//                   once a removed column or row gave it up);
//   both 0          covered: inside a merged cell whose owner stands above
//                   and/or to the left;
//   both 1 or more  owner: holds a cell covering (column .. column +
//                   colSpan - 1, row .. row + rowSpan - 1).
// The grid knows geometry only; the designers keep their cells' data in
// arrays of the same shape.
class SlotGrid
{
public:
    static constexpr qint8 Unused = -10;
    static constexpr qint8 Dropped = -1;

    SlotGrid(int columns, int rows);

    int columns() const { return m_columns; }
    int rows() const { return m_rows; }
    bool inside(int column, int row) const { return column >= 0 && column < m_columns && row >= 0 && row < m_rows; }

    qint8 colSpan(int column, int row) const { return at(column, row).colSpan; }
    qint8 rowSpan(int column, int row) const { return at(column, row).rowSpan; }
    void setSpans(int column, int row, int colSpan, int rowSpan);

    bool isFree(int column, int row) const { return at(column, row).colSpan < 0 && at(column, row).rowSpan < 0; }
    bool isCovered(int column, int row) const { return at(column, row).colSpan == 0 && at(column, row).rowSpan == 0; }
    bool isOwner(int column, int row) const { return at(column, row).colSpan > 0 && at(column, row).rowSpan > 0; }

    // Makes the slot an owner: each negative span becomes 1.
    void makeOwner(int column, int row);
    void setCovered(int column, int row) { setSpans(column, row, 0, 0); }
    void setFree(int column, int row, qint8 mark = Dropped) { setSpans(column, row, mark, mark); }
    // Every slot free (Unused).
    void clear();

    // The owner whose cell covers the slot (the slot itself when it is an
    // owner); invalid when no owner reaches it.
    SlotPos ownerOf(int column, int row) const;

    // Empty when the first columns x rows slots keep the span rule: every
    // slot is free, covered or owner; every owner's cell stays inside that
    // area and covers only covered slots; every covered slot lies in exactly
    // one owner's cell. Otherwise a description of the first breach.
    QString invariantBreach(int columns, int rows) const;

private:
    struct Slot
    {
        qint8 colSpan = Unused;
        qint8 rowSpan = Unused;
    };
    const Slot &at(int column, int row) const { return m_slots[std::size_t(row * m_columns + column)]; }
    Slot &at(int column, int row) { return m_slots[std::size_t(row * m_columns + column)]; }

    int m_columns;
    int m_rows;
    std::vector<Slot> m_slots;
};

// Closes a selection rectangle so that no cell is cut by its edge: an owner
// inside that reaches past the rectangle widens it, and a covered slot
// inside whose owner lies outside pulls the rectangle to that owner (looked
// for upwards, then leftwards, then diagonally up-left). Repeats until a
// whole pass changes nothing.
SlotRect ExpandSelection(const SlotGrid &grid, SlotRect rect);
