#pragma once

class MainWindow;
class QAction;
class ToolTabs;
struct DialogServices;

// The commands of the link, head element and script dialogs: the tool-tab
// buttons and their "O&nglets" menu items, and the document pop-up menu's
// "Lien &externe rapide" (quickLink, when given). The events dialog's
// picture button opens the script editor from then on.
void installDialogCommands(ToolTabs &tools, DialogServices &services, QAction *quickLink = nullptr);

// The same for the frame window, with its services.
void installDialogCommands(MainWindow &frame);
