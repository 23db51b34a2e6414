#include "ui/forms/formcommands.h"

#include "core/forms/formcontrols.h"
#include "core/shell/documenthost.h"
#include "core/text/documenttext.h"
#include "ui/dialogs/dialogservices.h"
#include "ui/forms/controlsdialog.h"
#include "ui/forms/formdialog.h"
#include "ui/shell/mainwindow.h"
#include "ui/tagcommands/tooltabs.h"

void FormControlCommand(DialogServices &services, ControlKind kind, int subKind)
{
    DocumentText *text = services.host.activeText();
    if (!text)
        return;
    text->setSelectionStart(text->selectionStart());
    ControlsDialog dialog(services, kind, subKind, services.host.window());
    dialog.exec();
}

void installFormCommands(ToolTabs &tools, DialogServices &services)
{
    DialogServices *s = &services;
    tools.setDialogHandler(QStringLiteral("FormBtn"), [s] {
        if (!s->host.activeText())
            return;
        FormDialog dialog(*s, FormDialog::WrapMode, s->host.window());
        dialog.exec();
    });
    const struct
    {
        const char *id;
        ControlKind kind;
        int subKind;
    } controls[] = {
        {"CheckBoxBtn", ControlKind::CheckBoxes, 0},     {"RadioBoxBtn", ControlKind::RadioButtons, 0},
        {"ListBoxBtn", ControlKind::ListBox, 0},         {"ComboBoxBtn", ControlKind::DropDown, 0},
        {"EditBtn", ControlKind::TextBox, PlainTextBox}, {"pwdBtn", ControlKind::TextBox, PasswordBox},
        {"TextAreaBtn", ControlKind::TextArea, 0},       {"ButtonBtn", ControlKind::Button, PlainButton},
        {"ResetBtn", ControlKind::Button, ResetButton},  {"SubmitBtn", ControlKind::Button, SubmitButton},
        {"HiddenBtn", ControlKind::Hidden, 0},
    };
    for (const auto &c : controls) {
        const ControlKind kind = c.kind;
        const int subKind = c.subKind;
        tools.setDialogHandler(QLatin1String(c.id), [s, kind, subKind] { FormControlCommand(*s, kind, subKind); });
    }
}

void installFormCommands(MainWindow &frame)
{
    installFormCommands(*frame.toolTabs(), frameDialogServices(frame));
}
