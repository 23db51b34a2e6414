#pragma once

#include "core/grid/slotgrid.h"

#include <QString>

#include <array>
#include <optional>
#include <vector>

// The properties of one frame of a frameset.
struct FrameRec
{
    QString Name;
    QString Src;
    quint8 Scrolling = 0; // 0 automatic, 1 yes, 2 no
    qint32 MarginWidth = 10;
    qint32 MarginHeight = 16;
    bool NoResize = false;
    bool FrameBorder = true;
    QString BorderColor; // "#RRGGBB" or empty
    bool Selected = false;

    friend bool operator==(const FrameRec &, const FrameRec &) = default;
};

// The attributes every FRAMESET of the layout carries, and the page-wide
// choices of the designer.
struct FramesetAttributes
{
    qint32 FrameSpacing = 2;
    qint32 FramesetBorder = 8;
    bool FramesetFrameBorder = true;
    QString FramesetBorderColor;
    bool NoFramesOption = true;
    // Written on the outermost FRAMESET only.
    QString onLoad;
    QString onUnload;
};

// The designer's layout: up to 10 x 10 slots of the shared grid, one frame
// per owner slot. It starts as one frame filling the window; columns and
// rows are added and removed at the end, frames are selected by clicking
// and merged into rectangles.
class FramesetLayout
{
public:
    static constexpr int MaxColumns = 10;
    static constexpr int MaxRows = 10;

    FramesetLayout();

    int columnCount() const { return m_columns; }
    int rowCount() const { return m_rows; }
    const SlotGrid &grid() const { return m_grid; }

    const FrameRec &frame(int column, int row) const { return m_frames[index(column, row)]; }
    FrameRec &frame(int column, int row) { return m_frames[index(column, row)]; }

    // Grows or shrinks to count columns (rows), clamped to 1..10, acting on
    // the last column (row) only. A removed column cuts frames reaching into
    // it; frames starting in it go.
    void setColumnCount(int count);
    void setRowCount(int count);

    // One frame filling the window, all defaults.
    void clear();

    // Owners row by row, and within a row column by column.
    std::vector<SlotPos> owners() const;
    std::vector<SlotPos> selectedOwners() const;

    // A click on the frame owned at the slot: a selected frame deselects
    // everything; otherwise it is selected together with every frame inside
    // the closed selection rectangle.
    void clickFrame(int column, int row);
    void deselectAll();
    // The closed rectangle around the selected frames; none when nothing is
    // selected.
    std::optional<SlotRect> selectionRect() const;

    // Merges every frame inside the selection rectangle into the top-left
    // one, which keeps its properties. False (nothing changes) when fewer
    // than two frames are selected.
    bool mergeSelection();

    // Empty while the grid keeps its span rule and frames outside owners
    // hold defaults; else the first breach.
    QString invariantBreach() const;

private:
    static std::size_t index(int column, int row) { return std::size_t(row * MaxColumns + column); }
    void addColumn();
    void addRow();
    void removeLastColumn();
    void removeLastRow();
    void checkInvariant() const;

    SlotGrid m_grid{MaxColumns, MaxRows};
    std::array<FrameRec, MaxColumns * MaxRows> m_frames{};
    int m_columns = 1;
    int m_rows = 1;
};
