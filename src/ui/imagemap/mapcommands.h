#pragma once

#include <functional>

class MainWindow;
class CellDialog;
class TMapFrm;
class ToolTabs;
struct DialogServices;

// The image map command: narrows the page's selection to the map it holds,
// opens the editor on it (or empty), and on OK writes the map in its place
// as one undo step. exec shows the editor (modal by default; tests drive it).
void RunImageMapCommand(DialogServices &services, const std::function<int(TMapFrm &)> &exec = {});

// The cell editor's "Image en coordonnées...": the editor, new and empty;
// on OK its map goes into the cell's content at the caret.
void InsertMapInCell(CellDialog &cell);

// Hands the image map command to the tool tabs and their menu twin.
void installImageMapCommands(ToolTabs &tools, DialogServices &services);
void installImageMapCommands(MainWindow &frame);
