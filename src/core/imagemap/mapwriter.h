#pragma once

#include <QString>
#include <QStringList>

class DocumentText;
class UndoHistory;
struct EditorState;

// The pieces of a written map, in order: the MAP start tag, a line break,
// the area lines (each after two blanks and before a line break, one piece;
// none without lines), "</MAP>" with its line break, and the IMG tag with
// USEMAP="#name" added before its ">" (none without an IMG tag).
QStringList MapPieces(const QString &name, const QStringList &lines, const QString &imageTag);
inline QString MapText(const QString &name, const QStringList &lines, const QString &imageTag)
{
    return MapPieces(name, lines, imageTag).join(QString());
}

struct MapReading;

// The pieces that replace a re-edited map (read from the selection): the
// MAP start tag keeps the attributes the author did not change, unchanged
// area lines stay as written, the text between map and picture stays, and
// the picture's tag stays as written unless another picture was chosen. The
// map and its picture keep their order. A map read without its end or its
// picture is written anew by MapPieces.
QStringList MapPiecesToWrite(const MapReading &read, const QString &name, const QStringList &lines,
                             const QString &imageTag);

// Writes the pieces at the caret as one undo step: replacing the selection
// (the old map) when state.SelectedElementText is not empty, else inserted.
void WriteMap(DocumentText &text, UndoHistory &undo, EditorState &state, const QStringList &pieces);
