#include "ui/table/tablecommands.h"

#include "core/shell/documenthost.h"
#include "core/table/tablegenerator.h"
#include "core/table/tablemodel.h"
#include "core/table/tableopening.h"
#include "ui/dialogs/dialogservices.h"
#include "ui/shell/mainwindow.h"
#include "ui/shell/uiguards.h"
#include "ui/table/tabledesigner.h"
#include "ui/table3d/table3ddialog.h"
#include "ui/tagcommands/tooltabs.h"

void RunTableCommand(DocumentHost &host, DialogServices &services, const std::function<int(TTableFrm &)> &exec)
{
    DocumentText *text = host.activeText();
    UndoHistory *undo = host.activeUndo();
    if (!text || !undo)
        return;
    TableModel model;
    const TableDesignerStart start = OpenTableDesigner(*text, host.editorState(), host.prompts(), model);
    TTableFrm designer(services, model, start, host.window());
    const int result = exec ? exec(designer) : designer.exec();
    if (result != QDialog::Accepted) {
        host.UpdateCommandStates();
        return;
    }
    {
        BusyCursor busy;
        PaintingFreeze freeze(host.window());
        WriteTable(*text, *undo, host.editorState(), model, start.editing);
    }
    host.UpdateCommandStates();
}

void installTableCommands(MainWindow &frame)
{
    DialogServices &services = frameDialogServices(frame);
    frame.toolTabs()->setDialogHandler(QStringLiteral("TableBtn"),
                                       [&frame, &services] { RunTableCommand(frame, services); });
    frame.toolTabs()->setDialogHandler(QStringLiteral("Table3dBtn"),
                                       [&frame, &services] { RunTable3dCommand(frame, services); });
}
