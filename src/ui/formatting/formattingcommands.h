#pragma once

#include "core/formatting/fontmarkup.h"
#include "core/undo/undohistory.h"

#include <QStringList>

class DocumentHost;
class ToolTabs;
struct DialogServices;

// Hands the tool tabs the font and base-font, rule and list commands and the
// two tool windows (special characters, HTML tag reference; each command
// opens its window or closes it when it is open).
void installFormattingCommands(ToolTabs &tabs, DialogServices &services);

// Puts pieces into the active page as one new undo step, remembered for
// repeat: the first with kind, the others added to the same step. Refreshes
// the command states. Returns false (changing nothing) without a page.
bool insertPieces(DocumentHost &host, const QStringList &pieces, UndoKind kind);

// Wraps the selection in a start and an end text (or inserts them at the
// caret) as one new step. Nothing happens when both texts are empty.
bool insertPair(DocumentHost &host, const TagPair &texts, UndoKind kind);

// The kind of a dialog's first piece: ukReplace when it edits the selected
// element, ukInsert when it creates one.
UndoKind elementUndoKind(DocumentHost &host);
