#pragma once

#include <QString>
#include <QStringList>

// The state that the generators share, owned by the frame window (one for
// the whole application) and passed by reference.
struct EditorState
{
    // Pieces of the last generated command, for "repeat last command".
    QStringList LastStartTexts;
    QStringList LastEndTexts;
    // The element an element dialog is re-editing; empty for a new element.
    QString SelectedElementText;
    // true: typing inserts; false: typing overwrites.
    bool InsertMode = true;
};
