#include "ui/formatting/formattingcommands.h"

#include "core/formatting/listmarkup.h"
#include "core/markup/editorstate.h"
#include "core/markup/elementmarkers.h"
#include "core/markup/elementselection.h"
#include "core/markup/insertion.h"
#include "core/shell/documenthost.h"
#include "ui/dialogs/dialogservices.h"
#include "ui/formatting/charsetwindow.h"
#include "ui/formatting/fontdialog.h"
#include "ui/formatting/listdialog.h"
#include "ui/formatting/ruledialog.h"
#include "ui/formatting/tagreferencewindow.h"
#include "ui/shell/uiguards.h"
#include "ui/tagcommands/tooltabs.h"

#include <QPointer>

bool insertPieces(DocumentHost &host, const QStringList &pieces, UndoKind kind)
{
    DocumentText *text = host.activeText();
    UndoHistory *undo = host.activeUndo();
    if (!text || !undo || pieces.isEmpty())
        return false;
    for (qsizetype i = 0; i < pieces.size(); ++i)
        InsertTagPair(*text, *undo, host.editorState(), pieces.at(i), QString(), i == 0, true, kind);
    host.UpdateCommandStates();
    return true;
}

bool insertPair(DocumentHost &host, const TagPair &texts, UndoKind kind)
{
    DocumentText *text = host.activeText();
    UndoHistory *undo = host.activeUndo();
    if (!text || !undo || texts.isEmpty())
        return false;
    InsertTagPair(*text, *undo, host.editorState(), texts.start, texts.end, true, true, kind);
    host.UpdateCommandStates();
    return true;
}

UndoKind elementUndoKind(DocumentHost &host)
{
    return host.editorState().SelectedElementText.isEmpty() ? ukInsert : ukReplace;
}

namespace {

// Element edit mode before a dialog opens: false when no page is open.
bool prepareElement(DocumentHost &host, const QString &command)
{
    DocumentText *text = host.activeText();
    if (!text)
        return false;
    ApplyElementEditMode(*text, host.editorState(), MarkersForCommand(command));
    return true;
}

// Opens a tool window, or closes it when it is open.
template<typename Window> void toggleToolWindow(QPointer<Window> &window, const std::function<Window *()> &create)
{
    if (window && window->isVisible()) {
        window->close();
        return;
    }
    if (!window) {
        window = create();
        // First shown at the right of the frame window, below its toolbars,
        // where it leaves the page's text visible.
        if (QWidget *frame = window->parentWidget()) {
            const QRect area = frame->geometry();
            window->move(std::max(area.left(), area.right() - window->width() - 24), area.top() + 140);
        }
    }
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

void installFormattingCommands(ToolTabs &tabs, DialogServices &services)
{
    DocumentHost &host = services.host;
    const auto font = [&services](bool baseFont) {
        if (!services.host.activeText())
            return;
        TFontFrm dialog(services, baseFont, services.host.window());
        dialog.exec();
    };
    tabs.setDialogHandler(QStringLiteral("FontBtn"), [font] { font(false); });
    tabs.setDialogHandler(QStringLiteral("BaseFontBtn"), [font] { font(true); });

    tabs.setDialogHandler(QStringLiteral("HrBtn"), [&services] {
        if (!prepareElement(services.host, QStringLiteral("HrBtn")))
            return;
        THrFrm dialog(services, services.host.window());
        dialog.exec();
    });

    static const std::pair<const char *, ListKind> Lists[] = {
        {"OlBtn", ListKind::Ordered}, {"ULbtn", ListKind::Unordered},  {"DlBtn", ListKind::Definition},
        {"MenuBtn", ListKind::Menu},  {"DirBtn", ListKind::Directory},
    };
    for (const auto &[id, kind] : Lists) {
        const QString command = QString::fromLatin1(id);
        tabs.setDialogHandler(command, [&services, command, kind = kind] {
            if (!prepareElement(services.host, command))
                return;
            TListeFrm dialog(services, kind, services.host.window());
            dialog.exec();
        });
    }

    // The tool windows live as long as the frame window, which owns them.
    auto *charset = new QPointer<TcharsetFrm>;
    auto *reference = new QPointer<TTagFrm>;
    QObject::connect(&tabs, &QObject::destroyed, [charset, reference] {
        delete charset;
        delete reference;
    });
    tabs.setDialogHandler(QStringLiteral("carsetBtn"), [&host, charset] {
        toggleToolWindow<TcharsetFrm>(*charset, [&host] { return new TcharsetFrm(host, host.window()); });
    });
    tabs.setDialogHandler(QStringLiteral("TagBtn"), [&host, reference] {
        BusyCursor busy;
        toggleToolWindow<TTagFrm>(*reference, [&host] { return new TTagFrm(host, host.window()); });
    });
}
