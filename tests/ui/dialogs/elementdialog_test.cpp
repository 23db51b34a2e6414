#include "ui/dialogs/elementdialog.h"

#include "core/messages/messages.h"
#include "dialogtesting.h"
#include "ui/dialogs/eventsdialog.h"

#include <QFormLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

// A dialog with one history combo box and a browse button, that refuses OK
// for a missing file.
class FileDialog : public ElementDialog
{
public:
    explicit FileDialog(DialogServices &services)
        : ElementDialog(services, QStringLiteral("Essai"), QStringLiteral("essai.html"))
    {
        QFormLayout *form = addForm(body());
        combo = historyCombo(512);
        browse = browseButton(combo);
        addField(form, QStringLiteral("&Lien:"), combo, browse);
    }
    bool confirm() override { return confirmExistingFile(combo->currentText()); }

    QComboBox *combo;
    QToolButton *browse;
};

TEST(ElementDialog, BrowseGivesRelativePathAndHistory)
{
    DialogTesting t;
    FileDialog dialog(t.services);
    const QString inside = t.writeFile(QStringLiteral("a.htm"));
    QDir(t.folder.path()).mkdir(QStringLiteral("sub"));
    t.chosenFiles = {inside, t.folder.filePath(QStringLiteral("sub/b.htm"))};
    dialog.browse->click();
    dialog.browse->click();
    dialog.browse->click(); // cancelled: nothing changes
    EXPECT_EQ(dialog.combo->currentText(), QStringLiteral("sub/b.htm"));
    ASSERT_EQ(dialog.combo->count(), 2);
    EXPECT_EQ(dialog.combo->itemText(0), QStringLiteral("sub/b.htm"));
    EXPECT_EQ(dialog.combo->itemText(1), QStringLiteral("a.htm"));
    EXPECT_EQ(t.filters.value(0), msg(3000));
    EXPECT_EQ(dialog.lastBrowsedFile(), t.folder.filePath(QStringLiteral("sub/b.htm")));
}

TEST(ElementDialog, OkAsksAboutAMissingFileAndStaysOnNo)
{
    const struct
    {
        QString name;
        std::deque<Prompts::Answer> answers;
        bool closed;
        int questions;
    } cases[] = {
        {"a.htm", {}, true, 0},
        {"manque.htm", {Prompts::Answer::No}, false, 1},
        {"manque.htm", {Prompts::Answer::Yes}, true, 1},
    };
    for (const auto &c : cases) {
        DialogTesting t;
        t.writeFile(QStringLiteral("a.htm"));
        FileDialog dialog(t.services);
        dialog.combo->setEditText(c.name);
        t.host.fakePrompts.answers = c.answers;
        dialog.show();
        dialog.okButton()->click();
        EXPECT_EQ(dialog.result() == QDialog::Accepted, c.closed) << qPrintable(c.name);
        EXPECT_EQ(dialog.isVisible(), !c.closed);
        EXPECT_EQ(t.host.fakePrompts.asked.size(), c.questions);
    }
}

TEST(EventsDialog, CancelGivesBackTheCallsItWasShownWith)
{
    DialogTesting t;
    EventsDialog dialog(t.services);
    dialog.enableEvents({JsEvent::onMouseOver, JsEvent::onMouseOut});
    dialog.setCall(JsEvent::onMouseOver, QStringLiteral("on()"));
    dialog.show();
    dialog.eventButton(JsEvent::onMouseOver)->click();
    dialog.nameField()->setText(QStringLiteral("autre"));
    dialog.eventButton(JsEvent::onMouseOut)->click();
    EXPECT_EQ(dialog.call(JsEvent::onMouseOver), QStringLiteral("autre()"));
    dialog.cancelButton()->click();
    EXPECT_EQ(dialog.call(JsEvent::onMouseOver), QStringLiteral("on()"));
}

TEST(EventsDialog, PictureButtonOpensTheScriptEditorOnTheFunction)
{
    DialogTesting t;
    QStringList scripts;
    t.services.openScriptEditor = [&](QWidget *, const QString &script) { scripts << script; };
    EventsDialog dialog(t.services);
    dialog.enableEvents({JsEvent::onClick});
    dialog.eventButton(JsEvent::onClick)->click();
    dialog.scriptButton()->click();
    EXPECT_EQ(t.host.fakePrompts.shown, QStringList{QStringLiteral("warning:") + msg(79)});
    dialog.nameField()->setText(QStringLiteral("calcul( a )"));
    dialog.scriptButton()->click();
    EXPECT_EQ(dialog.nameField()->text(), QStringLiteral("calcul(a)"));
    ASSERT_EQ(scripts.size(), 1);
    EXPECT_TRUE(scripts[0].contains(QStringLiteral("\r\nfunction calcul(a) {\r\n")));
}

} // namespace
