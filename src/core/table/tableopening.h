#pragma once

#include "core/table/tablereader.h"

class DocumentText;
class Prompts;
class TableModel;
struct EditorState;

// How the table designer starts.
struct TableDesignerStart
{
    // OK replaces the selected table (undo kind ukReplace).
    bool editing = false;
    // The selection held a table the designer could not take up (messages
    // 18, 58, 59, 90, or no "</TABLE>"): the designer makes a new table,
    // which OK puts before the old one, untouched.
    bool refused = false;
    TableReading reading;
};

// The table command's first half: with a selection that holds one whole
// table ("<TABLE" through its "</TABLE>", any case), narrows the selection
// to it and reads it into the model; otherwise the model is a new 2 x 2
// table and the selection collapses. A nested table is refused with
// message 18. When the table cannot be read (message 58, 59 or 90) the
// selection collapses to the table's start, so that OK puts the new table
// before the old one, which stays untouched.
TableDesignerStart OpenTableDesigner(DocumentText &text, EditorState &state, Prompts &prompts, TableModel &model);

// The question asked before a read table is replaced when the reader met
// markup the model cannot hold.
QString TableLossQuestion(const QStringList &losses);

// OK's check: true when there is nothing to lose or the author agrees to
// lose it; false keeps the dialog open.
bool ConfirmTableReplacement(const TableDesignerStart &start, Prompts &prompts);
