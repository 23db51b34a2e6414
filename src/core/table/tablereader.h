#pragma once

#include <QString>
#include <QStringList>

class TableModel;

enum class TableReadOutcome {
    Read,
    // The first row needs more than 10 columns (message 58).
    TooManyColumns,
    // More than 40 rows (message 59).
    TooManyRows,
    // Cell markup the scan cannot follow (message 90).
    Unreadable,
};

struct TableReading
{
    TableReadOutcome outcome = TableReadOutcome::Read;
    // What the model could not hold (French, one line per kind); writing
    // the table back would drop it.
    QStringList losses;
};

// The catalogue message of a failed reading (58, 59 or 90); 0 for Read.
int TableReadMessage(TableReadOutcome outcome);

// Fills the model from the text of a table, "<TABLE" through its
// "</TABLE>": the start tag's settings, the caption, every row and every
// cell with its settings, spans and content. A forgiving scanner: tags and
// attributes are found without regard to case. A row ends at its "</TR>",
// or else at the next "<TR", at "</TABLE>" or at the end of the text; a span
// below 1 counts as 1, and spans stop at the grid's and the table's edges.
// On failure the model is a fresh 2 x 2 table (its caption kept).
TableReading ReadTable(const QString &tableText, TableModel &model);
