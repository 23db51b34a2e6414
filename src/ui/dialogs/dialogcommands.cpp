#include "ui/dialogs/dialogcommands.h"

#include "core/shell/documenthost.h"
#include "ui/dialogs/dialogservices.h"
#include "ui/dialogs/headdialogs.h"
#include "ui/dialogs/linkdialogs.h"
#include "ui/javascript/scripteditor.h"
#include "ui/shell/mainwindow.h"
#include "ui/tagcommands/documentcontextmenu.h"
#include "ui/tagcommands/tooltabs.h"

#include <QAction>

void installDialogCommands(ToolTabs &tools, DialogServices &services, QAction *quickLink)
{
    DialogServices *s = &services;
    s->openScriptEditor = [s](QWidget *parent, const QString &script) { runScriptEditor(*s, parent, script); };

    tools.setDialogHandler(QStringLiteral("LienExtBtn"), [s] {
        if (!s->host.activeText())
            return;
        ExternalLinkDialog dialog(*s, LinkMode::Insert, s->host.window());
        dialog.exec();
    });
    tools.setDialogHandler(QStringLiteral("LienIntBtn"), [s] {
        if (!s->host.activeText())
            return;
        InternalLinkDialog dialog(*s, LinkMode::Insert, s->host.window());
        dialog.exec();
    });
    tools.setDialogHandler(QStringLiteral("TitreBtn"), [s] { TitleCommand(*s); });
    const struct
    {
        const char *id;
        HeaderDialog::Page page;
    } headPages[] = {
        {"BaseBtn", HeaderDialog::BasePage},
        {"MetaBtn", HeaderDialog::MetaPage},
        {"LinkBtn", HeaderDialog::LinkPage},
        {"IsIndexBtn", HeaderDialog::IndexPage},
    };
    for (const auto &entry : headPages) {
        const HeaderDialog::Page page = entry.page;
        tools.setDialogHandler(QLatin1String(entry.id), [s, page] { HeaderCommand(*s, page); });
    }
    tools.setDialogHandler(QStringLiteral("ScriptBtn"), [s] { NewFunctionCommand(*s); });

    if (quickLink) {
        quickLink->setEnabled(true);
        QObject::connect(quickLink, &QAction::triggered, quickLink, [s] { QuickExternalLink(*s); });
    }
}

void installDialogCommands(MainWindow &frame)
{
    QAction *quickLink = frame.contextMenu() ? frame.contextMenu()->editActions().quickExternalLink : nullptr;
    installDialogCommands(*frame.toolTabs(), frameDialogServices(frame), quickLink);
}
