#include "core/table/tableselection.h"

#include "core/messages/messages.h"
#include "core/shell/prompts.h"
#include "core/table/tablemodel.h"

#include <algorithm>

std::optional<SlotRect> SelectionRect(const TableModel &model)
{
    const SlotGrid &g = model.grid();
    SlotRect rect{100, -1, 100, -1};
    for (int r = 0; r < model.RowCount(); ++r) {
        for (int c = 0; c < model.ColCount(); ++c) {
            if (!g.isOwner(c, r) || !model.cell(c, r).Selected)
                continue;
            rect.minColumn = std::min(rect.minColumn, c);
            rect.minRow = std::min(rect.minRow, r);
            rect.maxColumn = std::max(rect.maxColumn, std::min(c + g.colSpan(c, r), model.ColCount()) - 1);
            rect.maxRow = std::max(rect.maxRow, std::min(r + g.rowSpan(c, r), model.RowCount()) - 1);
        }
    }
    if (rect.minColumn == 100)
        return std::nullopt;
    return ExpandSelection(g, rect);
}

int SelectedOwnersIn(const TableModel &model, SlotRect rect)
{
    int count = 0;
    for (int r = rect.minRow; r <= rect.maxRow && r < model.RowCount(); ++r) {
        for (int c = rect.minColumn; c <= rect.maxColumn && c < model.ColCount(); ++c)
            count += model.grid().isOwner(c, r) && model.cell(c, r).Selected ? 1 : 0;
    }
    return count;
}

void ClearSelection(TableModel &model)
{
    for (int r = 0; r < TableModel::MaxRows; ++r) {
        for (int c = 0; c < TableModel::MaxColumns; ++c)
            model.cell(c, r).Selected = false;
    }
}

SlotRect SelectRect(TableModel &model, SlotRect rect)
{
    rect.minColumn = std::clamp(rect.minColumn, 0, model.ColCount() - 1);
    rect.maxColumn = std::clamp(rect.maxColumn, rect.minColumn, model.ColCount() - 1);
    rect.minRow = std::clamp(rect.minRow, 0, model.RowCount() - 1);
    rect.maxRow = std::clamp(rect.maxRow, rect.minRow, model.RowCount() - 1);
    rect = ExpandSelection(model.grid(), rect);
    ClearSelection(model);
    for (int r = rect.minRow; r <= rect.maxRow; ++r) {
        for (int c = rect.minColumn; c <= rect.maxColumn; ++c) {
            if (model.grid().isOwner(c, r))
                model.cell(c, r).Selected = true;
        }
    }
    return rect;
}

void SelectCellule(TableModel &model, int column, int row)
{
    if (column < 0 || row < 0 || column >= model.ColCount() || row >= model.RowCount())
        return;
    const SlotPos owner = model.grid().ownerOf(column, row);
    if (!owner.valid())
        return;
    if (model.cell(owner.column, owner.row).Selected) {
        ClearSelection(model);
        return;
    }
    model.cell(owner.column, owner.row).Selected = true;
    if (const auto rect = SelectionRect(model))
        SelectRect(model, *rect);
}

MergeOutcome MergeSelection(TableModel &model, Prompts &prompts)
{
    const auto rect = SelectionRect(model);
    if (!rect || SelectedOwnersIn(model, *rect) < 2) {
        prompts.information(msg(60));
        return MergeOutcome::TooFew;
    }
    int losing = 0;
    for (int r = rect->minRow; r <= rect->maxRow; ++r) {
        for (int c = rect->minColumn; c <= rect->maxColumn; ++c) {
            if ((c != rect->minColumn || r != rect->minRow) && model.grid().isOwner(c, r)) {
                const QStringList &content = model.cell(c, r).Content;
                losing += std::any_of(content.begin(), content.end(),
                                      [](const QString &line) { return !line.trimmed().isEmpty(); })
                              ? 1
                              : 0;
            }
        }
    }
    if (losing > 0 && !prompts.askYesNo(msg(62).arg(losing)))
        return MergeOutcome::Declined;
    model.Merge(*rect);
    model.cell(rect->minColumn, rect->minRow).Selected = true;
    return MergeOutcome::Merged;
}

bool SelectionHasMergedCell(const TableModel &model)
{
    const auto rect = SelectionRect(model);
    if (!rect)
        return false;
    for (int r = rect->minRow; r <= rect->maxRow; ++r) {
        for (int c = rect->minColumn; c <= rect->maxColumn; ++c) {
            if (model.grid().isOwner(c, r) && (model.grid().colSpan(c, r) > 1 || model.grid().rowSpan(c, r) > 1))
                return true;
        }
    }
    return false;
}

bool SplitSelection(TableModel &model)
{
    const auto rect = SelectionRect(model);
    if (!rect)
        return false;
    bool split = false;
    for (int r = rect->minRow; r <= rect->maxRow; ++r) {
        for (int c = rect->minColumn; c <= rect->maxColumn; ++c) {
            if (model.grid().isOwner(c, r))
                split = model.Split(c, r) || split;
        }
    }
    return split;
}

PropertiesTarget PropertiesFor(const TableModel &model, Prompts *prompts)
{
    PropertiesTarget target;
    const auto rect = SelectionRect(model);
    if (!rect) {
        if (prompts)
            prompts->information(msg(61));
        return target;
    }
    const int owners = SelectedOwnersIn(model, *rect);
    if (owners == 1) {
        target.mode = PropertiesTarget::Mode::Cell;
        target.cell = {rect->minColumn, rect->minRow};
        target.row = rect->minRow;
    } else if (owners >= 2 && rect->minColumn == 0 && rect->maxColumn == model.ColCount() - 1
               && rect->minRow == rect->maxRow) {
        target.mode = PropertiesTarget::Mode::Row;
        target.row = rect->minRow;
    } else if (prompts) {
        prompts->information(msg(63));
    }
    return target;
}
