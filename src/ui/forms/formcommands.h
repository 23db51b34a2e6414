#pragma once

class MainWindow;
class ToolTabs;
struct DialogServices;

// The "Formulaires" commands: the FORM element and every control kind, on
// the tool tabs and in their "O&nglets" menu items. The form image stays
// with the image dialog.
void installFormCommands(ToolTabs &tools, DialogServices &services);

// The same for the frame window, with its services.
void installFormCommands(MainWindow &frame);

enum class ControlKind;

// The controls builder's command: the selection collapses to its start, then
// the builder opens on the page of kind.
void FormControlCommand(DialogServices &services, ControlKind kind, int subKind);
