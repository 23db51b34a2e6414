#include "../dialogs/dialogtesting.h"
#include "core/messages/messages.h"
#include "support/marked.h"
#include "ui/dialogs/eventsdialog.h"
#include "ui/forms/choiceeditor.h"
#include "ui/forms/controlsdialog.h"
#include "ui/forms/formcommands.h"
#include "ui/forms/formdialog.h"
#include "ui/tagcommands/tooltabs.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>

#include <functional>

#include <gtest/gtest.h>

namespace {

// Runs answer on the FORM dialog that the builder opens, once it shows.
void whenFormDialogShows(const std::function<void(FormDialog &)> &answer)
{
    QTimer::singleShot(0, [answer] {
        auto *form = qobject_cast<FormDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        answer(*form);
    });
}

void addValues(ChoiceEditor *editor, const QStringList &values)
{
    for (const QString &value : values) {
        QTest::keyClicks(editor->valueField(), value);
        QTest::keyClick(editor->valueField(), Qt::Key_Return);
    }
}

TEST(FormDialog, WrapsTheSelectionInTheFormAssembledFromItsFields)
{
    DialogTesting t;
    setMarked(t.host.text, QStringLiteral("a [Nom:] b"));
    FormDialog dialog(t.services, FormDialog::WrapMode);
    dialog.protocols()->button(10)->click(); // telnet
    const char *parts[] = {"hote", "moi", "", "23"};
    for (int i = 0; i < 4; ++i)
        QTest::keyClicks(dialog.partField(i), QLatin1String(parts[i]));
    EXPECT_EQ(dialog.actionField()->currentText(), QStringLiteral("telnet://hote:moi:23"));
    dialog.protocols()->button(8)->click(); // mailto hides the other parts
    EXPECT_TRUE(dialog.partField(1)->isHidden());
    EXPECT_EQ(dialog.actionField()->currentText(), QStringLiteral("mailto:hote"));
    dialog.methods()->button(0)->click();
    dialog.urlEncodedCheck()->click();
    dialog.targetPresets()->button(1)->click();
    dialog.nameField()->setText(QStringLiteral("mon formulaire"));
    dialog.events().setCall(JsEvent::onSubmit, QStringLiteral("verifier()"));
    dialog.okButton()->click();
    EXPECT_EQ(marked(t.host.text), QStringLiteral("a <FORM NAME=\"monformulaire\" ACTION=\"mailto:hote\" METHOD=GET "
                                                  "ENCTYPE=application/x-www-form-urlencoded TARGET=\"_blank\" "
                                                  "onSubmit=\"verifier()\">[Nom:]</FORM> b"));
    EXPECT_EQ(t.host.undo.count(), 1);
}

TEST(ControlsDialog, OutsideAFormTheFormDialogComesFirst)
{
    DialogTesting t;
    setMarked(t.host.text, QStringLiteral("<FORM></FORM>\r\n|"));
    ControlsDialog dialog(t.services, ControlKind::Hidden);
    dialog.show();
    dialog.valueField()->setText(QStringLiteral("42"));
    whenFormDialogShows([](FormDialog &form) { form.cancelButton()->click(); });
    dialog.okButton()->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(t.host.undo.count(), 0);

    whenFormDialogShows([](FormDialog &form) {
        form.actionField()->setEditText(QString());
        form.targetField()->setText(QStringLiteral("_top"));
        form.okButton()->click();
    });
    dialog.okButton()->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(marked(t.host.text),
              QStringLiteral("<FORM></FORM>\r\n<FORM>\r\n<INPUT TYPE=\"hidden\" VALUE=\"42\">\r\n</FORM>|"));
    t.host.undo.Undo();
    EXPECT_EQ(t.host.text.text(), QStringLiteral("<FORM></FORM>\r\n"));
}

TEST(ControlsDialog, DropDownDefaultOptionIsChosenOnTheSelectedValue)
{
    DialogTesting t;
    setMarked(t.host.text, QStringLiteral("<FORM>|</FORM>"));
    ControlsDialog dialog(t.services, ControlKind::DropDown);
    dialog.show();
    dialog.nameField()->setText(QStringLiteral("mois"));
    ChoiceEditor *editor = dialog.choices();
    addValues(editor, {"Mai", "Juin"});
    EXPECT_FALSE(editor->sketchList()->isVisible());
    editor->select(0);
    editor->defaultCheck()->click();
    editor->asListCheck()->click(); // the same values as a list
    EXPECT_EQ(editor->sketchList()->count(), 2);
    editor->select(1);
    EXPECT_FALSE(editor->defaultCheck()->isChecked());
    editor->defaultCheck()->click(); // one default only
    dialog.okButton()->click();
    EXPECT_EQ(t.host.text.text(), QStringLiteral("<FORM><SELECT NAME=\"mois\">\r\n  <OPTION VALUE=\"Mai\"> Mai\r\n"
                                                 "  <OPTION SELECTED> Juin\r\n</SELECT>\r\n</FORM>"));
}

TEST(FormCommands, EveryFormCommandOpensItsDialog)
{
    DialogTesting t;
    ToolTabs tools(t.host);
    tools.setDocumentOpen(true);
    installFormCommands(tools, t.services);
    const struct
    {
        const char *button;
        const char *menu;
        const char *anchor;
    } commands[] = {
        {"FormBtn", "Formulaire1", "general"},
        {"CheckBoxBtn", "Botecoche1", "cases"},
        {"RadioBoxBtn", "Botedeslection1", "radio"},
        {"ListBoxBtn", "Boteliste1", "liste"},
        {"ComboBoxBtn", "Botelistemenudroulant1", "deroulante"},
        {"EditBtn", "BoiteTexte", "texte"},
        {"pwdBtn", "BoitePasse", "motdepasse"},
        {"TextAreaBtn", "Botedetextemultiligne1", "multiligne"},
        {"ButtonBtn", "Bouton1", "bouton"},
        {"ResetBtn", "BoutonReco", "recommencer"},
        {"SubmitBtn", "BoutonSoum", "soumettre"},
        {"HiddenBtn", "Entrecache1", "cachee"},
    };
    for (const auto &c : commands) {
        EXPECT_TRUE(tools.action(QLatin1String(c.menu))->isEnabled()) << c.menu;
        setMarked(t.host.text, QStringLiteral("a[b]c"));
        QString anchor;
        QTimer::singleShot(0, [&anchor] {
            auto *dialog = qobject_cast<ElementDialog *>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            anchor = dialog->helpAnchor();
            dialog->reject();
        });
        tools.action(QLatin1String(c.button))->trigger();
        EXPECT_EQ(anchor, QLatin1String(c.anchor)) << c.button;
        // The FORM command keeps the selection for wrapping; the controls collapse it.
        EXPECT_EQ(marked(t.host.text), QLatin1String(QByteArray(c.button) == "FormBtn" ? "a[b]c" : "a|bc")) << c.button;
    }
    EXPECT_FALSE(tools.action(QStringLiteral("ImageBtn"))->isEnabled());
}

} // namespace
