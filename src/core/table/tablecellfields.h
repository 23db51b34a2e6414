#pragma once

#include "core/markup/colors.h"

#include <QString>
#include <QStringList>

struct TableCell;
struct TableRowAttrs;

// The cell properties dialog's fields in cell mode, as the controls show
// them.
struct CellFields
{
    // 0 "Cellule d'en-tête", 1 "Cellule de données".
    int kindIndex = 1;
    bool noWrap = false;
    QStringList content;
    HtmlColor bgColor = 0xFFFFFF;
    HtmlColor borderColor = 0xFFFFFF;
    // Empty for no size.
    QString widthText;
    bool widthPercent = false;
    QString heightText;
    bool heightPercent = false;
    int hAlign = 0;
    int vAlign = 0;
    QString background;
};

CellFields LoadCellFields(const TableCell &cell);
// An empty size field stores 0, so that a size once set can be removed.
void StoreCellFields(const CellFields &fields, TableCell &cell);
// The horizontal alignment the kind choice sets: centre for a header cell,
// left for a data cell.
int AlignmentForKind(int kindIndex);

// The dialog's fields in row mode.
struct RowFields
{
    int align = 0;
    int vAlign = 0;
    HtmlColor bgColor = 0xFFFFFF;
    HtmlColor borderColor = 0xFFFFFF;
};

RowFields LoadRowFields(const TableRowAttrs &row);
void StoreRowFields(const RowFields &fields, TableRowAttrs &row);

// A size field after an edit: a number outside 1 .. 9999 (1 .. 100 with
// "%") or anything else than digits empties it.
QString ValidCellSize(const QString &text, bool percent);
// The field when its "%" box changes: above 100 becomes "100".
QString CellSizeForPercent(const QString &text, bool percent);
