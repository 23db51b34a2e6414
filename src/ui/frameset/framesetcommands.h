#pragma once

class MainWindow;
class ToolTabs;
struct DialogServices;

// The frameset designer ("Cadres") and the single inline frame ("Cadre
// unique (Explorer)"): their tool-tab buttons and menu items.
void installFramesetCommands(ToolTabs &tools, DialogServices &services);
void installFramesetCommands(MainWindow &frame);

// The commands themselves (nothing happens without an open page).
void FramesetCommand(DialogServices &services);
void InlineFrameCommand(DialogServices &services);
