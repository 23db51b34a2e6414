#pragma once

struct DialogServices;
class MainWindow;
class ToolTabs;

// Hands the JavaScript tab's wizard commands over to the tool tabs.
void installJavaScriptCommands(ToolTabs &tools, DialogServices &services);
void installJavaScriptCommands(MainWindow &frame);
