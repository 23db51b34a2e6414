#pragma once

#include <QStringList>

class DocumentText;
class TableModel;
class UndoHistory;
struct EditorState;

// The TABLE element of a model, as the pieces the designer inserts one
// after the other: the start tag, the caption, each row's start, each cell
// (a cell with content is two pieces: its start tag with the content, then
// its end tag), each row's end and the end tag. Every line ends with CR LF.
QStringList TablePieces(const TableModel &model);

// The whole element as one text (the pieces joined).
QString TableText(const TableModel &model);

// Writes the table at the caret as one undo step and one repeatable
// command: ukReplace when replacing (the selected old table goes), ukInsert
// otherwise.
void WriteTable(DocumentText &text, UndoHistory &undo, EditorState &state, const TableModel &model, bool replacing);
