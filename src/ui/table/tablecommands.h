#pragma once

#include <functional>

class DocumentHost;
class MainWindow;
class TTableFrm;
struct DialogServices;

// The table command ("Tableaux", TableBtn and its menu twin): opens the
// designer on the table selected in the page, or on a new 2 x 2 table, and
// on OK writes the table as one undo step. exec shows the dialog (modal by
// default; tests drive it instead).
void RunTableCommand(DocumentHost &host, DialogServices &services, const std::function<int(TTableFrm &)> &exec = {});

// Hands the table and 3D-table commands to the frame window's tool tabs and menus.
void installTableCommands(MainWindow &frame);
