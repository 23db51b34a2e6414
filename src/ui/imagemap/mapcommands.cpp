#include "ui/imagemap/mapcommands.h"

#include "core/imagemap/mapreader.h"
#include "core/imagemap/mapwriter.h"
#include "core/markup/editorstate.h"
#include "core/messages/messages.h"
#include "core/shell/documenthost.h"
#include "core/shell/prompts.h"
#include "ui/dialogs/dialogservices.h"
#include "ui/imagemap/mapdialog.h"
#include "ui/shell/mainwindow.h"
#include "ui/shell/uiguards.h"
#include "ui/table/celldialog.h"
#include "ui/tagcommands/tooltabs.h"

void RunImageMapCommand(DialogServices &services, const std::function<int(TMapFrm &)> &exec)
{
    DocumentHost &host = services.host;
    DocumentText *text = host.activeText();
    UndoHistory *undo = host.activeUndo();
    if (!text || !undo)
        return;
    if (NarrowSelectionToMap(*text, host.editorState()) == MapSelection::Unreadable)
        host.prompts().information(msg(9300));
    int result;
    QStringList pieces;
    {
        TMapFrm editor(services, host.editorState().SelectedElementText, host.window());
        result = exec ? exec(editor) : editor.exec();
        pieces = editor.pieces();
    }
    if (result == QDialog::Accepted && !pieces.isEmpty()) {
        PaintingFreeze freeze(host.window());
        WriteMap(*text, *undo, host.editorState(), pieces);
    }
    host.UpdateCommandStates();
}

void InsertMapInCell(CellDialog &cell)
{
    TMapFrm editor(cell.services(), QString(), &cell);
    const int result = cell.execElement ? cell.execElement(editor) : editor.exec();
    if (result == QDialog::Accepted && !editor.pieces().isEmpty())
        cell.insertPair(editor.mapText().replace(QStringLiteral("\r\n"), QStringLiteral("\n")), QString());
}

void installImageMapCommands(ToolTabs &tools, DialogServices &services)
{
    DialogServices *s = &services;
    tools.setDialogHandler(QStringLiteral("MapBtn"), [s] { RunImageMapCommand(*s); });
}

void installImageMapCommands(MainWindow &frame)
{
    installImageMapCommands(*frame.toolTabs(), frameDialogServices(frame));
}
