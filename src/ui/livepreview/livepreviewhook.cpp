#include "ui/livepreview/livepreviewhook.h"

namespace {

LivePreviewInstaller installerInUse = nullptr;

} // namespace

void setLivePreviewInstaller(LivePreviewInstaller installer)
{
    installerInUse = installer;
}

void installLivePreview(MainWindow &frame)
{
    if (installerInUse)
        installerInUse(frame);
}
