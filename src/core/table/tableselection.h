#pragma once

#include "core/grid/slotgrid.h"

#include <optional>

class Prompts;
class TableModel;

// The designer's selection: the cells whose Selected flag is set. It is
// always every cell inside one closed rectangle of the table.

// The closed rectangle around the selected cells (their far edges included);
// nothing when no cell is selected.
std::optional<SlotRect> SelectionRect(const TableModel &model);
// Selected cells that start inside the rectangle.
int SelectedOwnersIn(const TableModel &model, SlotRect rect);
void ClearSelection(TableModel &model);
// Selects exactly the cells of the rectangle once closed, clipped to the
// table; returns the closed rectangle.
SlotRect SelectRect(TableModel &model, SlotRect rect);
// A click on the cell covering (column, row): a selected cell clears the
// whole selection, any other grows the selection to the closed rectangle
// holding it and the cells already selected.
void SelectCellule(TableModel &model, int column, int row);

enum class MergeOutcome { Merged, TooFew, Declined };
// Merges the selection. Fewer than two selected cells: message 60. When
// cells that would be dissolved hold content, asks first how many would be
// lost; No changes nothing.
MergeOutcome MergeSelection(TableModel &model, Prompts &prompts);
// Splits every merged cell of the selection; false when there was none.
bool SplitSelection(TableModel &model);
// True when the selection holds a merged cell (the split command's state).
bool SelectionHasMergedCell(const TableModel &model);

// What the properties command edits.
struct PropertiesTarget
{
    enum class Mode { None, Cell, Row };
    Mode mode = Mode::None;
    SlotPos cell;
    int row = -1;
};
// Without prompts, tells what the selection allows (the pop-up menu's
// states); with prompts, shows message 61 or 63 when it allows nothing.
PropertiesTarget PropertiesFor(const TableModel &model, Prompts *prompts = nullptr);
