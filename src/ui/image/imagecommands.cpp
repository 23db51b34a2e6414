#include "ui/image/imagecommands.h"

#include "core/image/imageelement.h"
#include "core/markup/elementmarkers.h"
#include "core/markup/elementselection.h"
#include "core/markup/insertion.h"
#include "core/messages/messages.h"
#include "core/shell/documenthost.h"
#include "ui/image/imagedialog.h"
#include "ui/images/picture.h"
#include "ui/shell/mainwindow.h"
#include "ui/tagcommands/tooltabs.h"

#include <QAction>
#include <QLineEdit>

void RunImageCommand(DialogServices &services, bool formImage)
{
    DocumentText *text = services.host.activeText();
    if (!text)
        return;
    EditorState &state = services.host.editorState();
    ApplyElementEditMode(*text, state,
                         MarkersForCommand(formImage ? QStringLiteral("ImageBtn") : QStringLiteral("ImgBtn")));
    TImgSrcFrm dialog(services, formImage ? TImgSrcFrm::Mode::FormImage : TImgSrcFrm::Mode::Image,
                      state.SelectedElementText, services.host.window());
    dialog.exec();
}

void RunQuickImage(DialogServices &services)
{
    DocumentHost &host = services.host;
    if (!host.activeText() || !host.activeUndo())
        return;
    const QString file = services.pickPicture(host.window(), msg(3003));
    if (file.isEmpty())
        return;
    const QString relative = services.relativePath(file);
    if (relative.isEmpty())
        return;
    // Only the size is wanted: a small decode gives it.
    const LoadedPicture picture = LoadPicture(file, QSize(64, 64));
    const int width = picture.ok() ? picture.width : 0;
    const int height = picture.ok() ? picture.height : 0;
    // Saving the page for the relative path may have changed the documents.
    DocumentText *text = host.activeText();
    UndoHistory *undo = host.activeUndo();
    if (!text || !undo)
        return;
    InsertTagPair(*text, *undo, host.editorState(), QuickImageTag(relative, width, height), QString(), true, true,
                  ukInsert);
    host.UpdateCommandStates();
}

DialogServices::ChosenImage ChooseImage(DialogServices &services, QWidget *parent)
{
    TImgSrcFrm dialog(services, TImgSrcFrm::Mode::Plain, QString(), parent);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return {dialog.builtTag(), dialog.pictureFile(), dialog.widthField()->text(), dialog.heightField()->text()};
}

void installImageCommands(MainWindow &frame)
{
    DialogServices &services = frameDialogServices(frame);
    ToolTabs *tabs = frame.toolTabs();
    tabs->setDialogHandler(QStringLiteral("ImgBtn"), [&services] { RunImageCommand(services, false); });
    tabs->setDialogHandler(QStringLiteral("ImageBtn"), [&services] { RunImageCommand(services, true); });
    services.chooseImage = [&services](QWidget *parent) { return ChooseImage(services, parent); };
}

QAction *quickImageAction(MainWindow &frame)
{
    auto *action = new QAction(QStringLiteral("&Image rapide"), &frame);
    action->setObjectName(QStringLiteral("ImageRapide1"));
    DialogServices &services = frameDialogServices(frame);
    QObject::connect(action, &QAction::triggered, &frame, [&services] { RunQuickImage(services); });
    return action;
}
