#pragma once

#include <QString>

// Prepares Qt WebEngine for the pane; to be called before the application
// object exists: the engine's switches (see livePreviewEngineFlags), shared
// OpenGL contexts, the pane's URL scheme, and the pane's installer.
void prepareLivePreviewEngine();

// Why the engine cannot start (a French message), or empty when it can: its
// helper program or its resources are missing. Checked before the first
// page is created, since the engine ends the whole program without them.
QString livePreviewEngineProblem();
