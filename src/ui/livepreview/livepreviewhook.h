#pragma once

class MainWindow;

// The live preview pane needs Qt WebEngine, which only the program links.
// The program hands its installer over before the frame window is made; the
// frame calls installLivePreview(), which does nothing without one (the
// window library's own tests).
using LivePreviewInstaller = void (*)(MainWindow &frame);
void setLivePreviewInstaller(LivePreviewInstaller installer);
void installLivePreview(MainWindow &frame);
