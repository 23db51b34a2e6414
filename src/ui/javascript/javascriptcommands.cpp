#include "ui/javascript/javascriptcommands.h"

#include "ui/dialogs/dialogservices.h"
#include "ui/javascript/scriptwizardsdialog.h"
#include "ui/shell/mainwindow.h"
#include "ui/tagcommands/tooltabs.h"

void installJavaScriptCommands(ToolTabs &tools, DialogServices &services)
{
    DialogServices *s = &services;
    const struct
    {
        const char *id;
        ScriptWizardsDialog::Wizard wizard;
    } commands[] = {
        {"BanScrBtn", ScriptWizardsDialog::Banner},         {"HeureScrBtn", ScriptWizardsDialog::Clock},
        {"URLScrBtn", ScriptWizardsDialog::UrlMenu},        {"CouleurScrBtn", ScriptWizardsDialog::Gradient},
        {"ImagesScrBtn", ScriptWizardsDialog::PictureList}, {"LienScrBtn", ScriptWizardsDialog::PictureLink},
    };
    for (const auto &command : commands) {
        const ScriptWizardsDialog::Wizard wizard = command.wizard;
        tools.setDialogHandler(QLatin1String(command.id), [s, wizard] { ScriptWizardsCommand(*s, wizard); });
    }
}

void installJavaScriptCommands(MainWindow &frame)
{
    installJavaScriptCommands(*frame.toolTabs(), frameDialogServices(frame));
}
