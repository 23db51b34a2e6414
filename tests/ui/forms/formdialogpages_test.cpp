#include "../dialogs/dialogtesting.h"
#include "ui/forms/choiceeditor.h"
#include "ui/forms/controlsdialog.h"
#include "ui/forms/formdialog.h"

#include <functional>

#include <gtest/gtest.h>

namespace {

// Every page of both form dialogs as the author first sees it, with a few values.
TEST(FormDialogPages, ReadableWithTheirHelpAndShots)
{
    auto controls = [](ControlKind kind, int subKind, const QStringList &values = {}) {
        return [=](DialogServices &s) {
            auto *d = new ControlsDialog(s, kind, subKind);
            if (d->nameField())
                d->nameField()->setText(QStringLiteral("choix"));
            for (const QString &value : values) {
                d->choices()->valueField()->setText(value);
                d->choices()->addValue();
            }
            if (d->valueField())
                d->valueField()->setText(QStringLiteral("Envoyer"));
            return d;
        };
    };
    const auto form = [](FormDialog::Mode mode) {
        return [mode](DialogServices &s) { return new FormDialog(s, mode); };
    };
    const struct
    {
        const char *shot;
        std::function<ElementDialog *(DialogServices &)> make;
        int tab;
    } pages[] = {
        {"formulaire-general", form(FormDialog::WrapMode), 0},
        {"formulaire-mailto",
         [](DialogServices &s) {
             auto *d = new FormDialog(s, FormDialog::WrapMode);
             d->chooseProtocol(8);
             return d;
         },
         0},
        {"formulaire-cible", form(FormDialog::StartTagMode), 1},
        {"formulaire-javascript", form(FormDialog::WrapMode), 2},
        {"elements-cases", controls(ControlKind::CheckBoxes, 0, {"Oui", "Non", "Peut-être"}), 0},
        {"elements-radio", controls(ControlKind::RadioButtons, 0, {"Petit", "Moyen", "Grand"}), 0},
        {"elements-liste", controls(ControlKind::ListBox, 0, {"France", "Suisse"}), 0},
        {"elements-deroulante", controls(ControlKind::DropDown, 0, {"Janvier", "Février"}), 0},
        {"elements-multiligne", controls(ControlKind::TextArea, 0), 0},
        {"elements-texte", controls(ControlKind::TextBox, PlainTextBox), 0},
        {"elements-motdepasse", controls(ControlKind::TextBox, PasswordBox), 0},
        {"elements-bouton", controls(ControlKind::Button, SubmitButton), 0},
        {"elements-cachee", controls(ControlKind::Hidden, 0), 0},
    };
    for (const auto &page : pages) {
        DialogTesting t;
        checkDialogPage(page.make(t.services), page.shot, page.tab);
    }
}

} // namespace
