#include "ui/frameset/framesetcommands.h"

#include "core/frameset/frameproperties.h"
#include "core/markup/insertion.h"
#include "core/shell/documenthost.h"
#include "ui/dialogs/dialogservices.h"
#include "ui/frameset/cadredialog.h"
#include "ui/frameset/framesetdesigner.h"
#include "ui/shell/mainwindow.h"
#include "ui/tagcommands/tooltabs.h"

void FramesetCommand(DialogServices &services)
{
    if (!services.host.activeText())
        return;
    TFrameFrm dialog(services, services.host.window());
    dialog.exec();
}

void InlineFrameCommand(DialogServices &services)
{
    DocumentHost &host = services.host;
    if (!host.activeText() || !host.activeUndo())
        return;
    TCadreFrm dialog(services, TCadreFrm::Mode::IFrame, host.window());
    if (dialog.exec() != QDialog::Accepted)
        return;
    // A selection in the page becomes the inline frame's content.
    InsertTagPair(*host.activeText(), *host.activeUndo(), host.editorState(), IFrameStartTag(dialog.frameFields()),
                  QStringLiteral("</IFRAME>"), true, true, ukWrap);
    host.UpdateCommandStates();
}

void installFramesetCommands(ToolTabs &tools, DialogServices &services)
{
    DialogServices *s = &services;
    tools.setDialogHandler(QStringLiteral("FrameBtn"), [s] { FramesetCommand(*s); });
    tools.setDialogHandler(QStringLiteral("IFrameBtn"), [s] { InlineFrameCommand(*s); });
}

void installFramesetCommands(MainWindow &frame)
{
    installFramesetCommands(*frame.toolTabs(), frameDialogServices(frame));
}
