#include "ui/preferences/appearancepage.h"
#include "ui/preferences/colorswatchbutton.h"
#include "ui/text/editorwidget.h"
#include "ui/preferences/framelayout.h"
#include "ui/preferences/marginruler.h"
#include "ui/preferences/optionscommands.h"
#include "ui/preferences/preferencesdialog.h"
#include "core/settings/settings.h"
#include "support/fakeprompts.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QMenu>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>

namespace {

// A frame window with two documents open (or none) that records what it is
// asked to show.
class FakeFrame : public FrameLayout
{
public:
    explicit FakeFrame(int documents = 2)
    {
        for (int i = 0; i < documents; ++i) {
            auto editor = std::make_unique<EditorWidget>();
            editor->resize(800, 300);
            m_editors.push_back(std::move(editor));
        }
    }

    int documentCount() const override { return int(m_editors.size()); }
    QList<EditorWidget *> editors() const override
    {
        QList<EditorWidget *> list;
        for (const auto &editor : m_editors)
            list << editor.get();
        return list;
    }
    void setToolbarVisible(bool visible) override { toolbar = visible; }
    void setStatusBarVisible(bool visible) override { statusBar = visible; }
    void setRulerVisible(bool visible) override { ruler = visible; }
    int rulerClientWidth() const override { return clientWidth; }

    std::optional<bool> toolbar, statusBar, ruler;
    int clientWidth = 1024;

private:
    std::vector<std::unique_ptr<EditorWidget>> m_editors;
};

struct Fixture
{
    explicit Fixture(int documents = 2)
        : frame(documents)
        , commands(settings, frame, prompts, &window)
    {}
    QWidget window;
    Settings settings;
    FakeFrame frame;
    FakePrompts prompts;
    OptionsCommands commands;
};

// Runs the preferences dialog, lets `edit` change its controls, then closes it.
void runPreferences(OptionsCommands &commands, const std::function<void(PreferencesDialog &)> &edit, bool ok)
{
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<PreferencesDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        seen = true;
        edit(*dialog);
        if (ok)
            dialog->accept();
        else
            dialog->reject();
    });
    commands.openPreferences();
    EXPECT_TRUE(seen);
}

void editEverything(PreferencesDialog &dialog)
{
    dialog.appearancePage()->textSwatch()->setColor(Qt::blue);
    dialog.appearancePage()->backgroundSwatch()->setColor(QColor(0xFF, 0xFF, 0xE0));
    dialog.findChild<QSpinBox *>(QStringLiteral("fontSize"))->setValue(14);
    for (const char *name : {"toolbar", "statusBar", "margins", "backup"})
        dialog.findChild<QCheckBox *>(QLatin1String(name))->toggle();
}

QColor textColour(const EditorWidget *editor)
{
    return editor->palette().color(QPalette::Text);
}

} // namespace

TEST(OptionsCommands, OkAppliesFontColoursAndBarsToEveryDocument)
{
    Fixture f;
    runPreferences(f.commands, editEverything, true);
    EXPECT_EQ(f.settings.textColour, QStringLiteral("$0000FF"));
    EXPECT_EQ(f.settings.backgroundColour, QStringLiteral("$FFFFE0"));
    EXPECT_EQ(f.settings.fontSize, 14);
    EXPECT_FALSE(f.settings.toolbar || f.settings.statusBar || f.settings.margins);
    EXPECT_TRUE(f.settings.backup);
    for (const EditorWidget *editor : f.frame.editors()) {
        EXPECT_EQ(textColour(editor), QColor(Qt::blue));
        EXPECT_EQ(editor->palette().color(QPalette::Base), QColor(0xFF, 0xFF, 0xE0));
        EXPECT_EQ(editor->font().pointSize(), 14);
        EXPECT_FALSE(editor->hasTextMargins());
    }
    EXPECT_EQ(f.frame.toolbar, false);
    EXPECT_EQ(f.frame.statusBar, false);
    EXPECT_EQ(f.frame.ruler, false);
    // The menu's check marks follow.
    EXPECT_FALSE(f.commands.toolbarAction()->isChecked());
    EXPECT_FALSE(f.commands.statusBarAction()->isChecked());
    EXPECT_FALSE(f.commands.marginsAction()->isChecked());
}

TEST(OptionsCommands, OkWithoutDocumentsOnlyTouchesTheToolbar)
{
    Fixture f(0);
    runPreferences(f.commands, editEverything, true);
    EXPECT_EQ(f.settings.textColour, QStringLiteral("$0000FF"));
    EXPECT_EQ(f.frame.toolbar, false);
    EXPECT_FALSE(f.frame.statusBar.has_value());
    EXPECT_FALSE(f.frame.ruler.has_value());
}

TEST(OptionsCommands, AnnulerChangesNothing)
{
    Fixture f;
    const Settings before = f.settings;
    runPreferences(f.commands, editEverything, false);
    EXPECT_EQ(f.settings.textColour, before.textColour);
    EXPECT_EQ(f.settings.backgroundColour, before.backgroundColour);
    EXPECT_EQ(f.settings.fontSize, before.fontSize);
    EXPECT_EQ(f.settings.toolbar, before.toolbar);
    EXPECT_EQ(f.settings.statusBar, before.statusBar);
    EXPECT_EQ(f.settings.margins, before.margins);
    EXPECT_EQ(f.settings.backup, before.backup);
    EXPECT_FALSE(f.frame.toolbar.has_value() || f.frame.statusBar.has_value() || f.frame.ruler.has_value());
    for (const EditorWidget *editor : f.frame.editors())
        EXPECT_NE(editor->font().pointSize(), 14);
}

TEST(OptionsCommands, TogglesFlipTheirSettingAndTheFrame)
{
    using Flag = bool Settings::*;
    using Shown = std::optional<bool> FakeFrame::*;
    const struct
    {
        const char *name;
        QAction *(OptionsCommands::*action)() const;
        Flag flag;
        Shown shown;
    } cases[] = {
        {"status bar", &OptionsCommands::statusBarAction, &Settings::statusBar, &FakeFrame::statusBar},
        {"toolbar", &OptionsCommands::toolbarAction, &Settings::toolbar, &FakeFrame::toolbar},
        {"margins", &OptionsCommands::marginsAction, &Settings::margins, &FakeFrame::ruler},
    };
    for (const auto &c : cases) {
        Fixture f;
        QAction *action = (f.commands.*c.action)();
        ASSERT_TRUE(action->isCheckable());
        ASSERT_TRUE(action->isChecked()) << c.name;
        action->trigger();
        EXPECT_FALSE(f.settings.*c.flag) << c.name;
        EXPECT_EQ(f.frame.*c.shown, false) << c.name;
        action->trigger();
        EXPECT_TRUE(f.settings.*c.flag) << c.name;
        EXPECT_EQ(f.frame.*c.shown, true) << c.name;
    }

    // Without documents the status bar and ruler stay as they are.
    Fixture none(0);
    none.commands.statusBarAction()->trigger();
    none.commands.marginsAction()->trigger();
    EXPECT_FALSE(none.settings.statusBar || none.settings.margins);
    EXPECT_FALSE(none.frame.statusBar.has_value() || none.frame.ruler.has_value());
}

TEST(OptionsCommands, BrowserItemsFollowTheChoice)
{
    Fixture f;
    QAction *first = f.commands.firstBrowserAction();
    QAction *second = f.commands.secondBrowserAction();
    const struct
    {
        int choice;
        bool first, second;
    } shown[] = {{0, false, false}, {1, true, false}, {2, false, true}};
    for (const auto &c : shown) {
        f.settings.browserChoice = c.choice;
        emit f.commands.menu()->aboutToShow();
        EXPECT_EQ(first->isChecked(), c.first) << c.choice;
        EXPECT_EQ(second->isChecked(), c.second) << c.choice;
    }
    // Choosing one checks it and unchecks the other, even when chosen again.
    for (int round = 0; round < 2; ++round) {
        second->trigger();
        EXPECT_EQ(f.settings.browserChoice, 2);
        EXPECT_TRUE(second->isChecked());
        EXPECT_FALSE(first->isChecked());
    }
    first->trigger();
    EXPECT_EQ(f.settings.browserChoice, 1);
    EXPECT_TRUE(first->isChecked());
    EXPECT_FALSE(second->isChecked());
}

TEST(OptionsCommands, RightMarginIsClampedToTheWindowAndStoredBack)
{
    // First start on a 1024-pixel client: left centred at 22, right at the
    // far right limit, stored back as the clamped centre.
    Fixture f;
    f.commands.PositionMarginMarkers();
    EXPECT_EQ(f.commands.ruler()->leftEdge(), 18);
    EXPECT_EQ(f.commands.ruler()->rightEdge(), 995);
    EXPECT_EQ(f.settings.leftMargin, 22);
    EXPECT_EQ(f.settings.rightMargin, 999);
}

TEST(OptionsCommands, DraggingAMarkerStoresAndAppliesTheMargin)
{
    Fixture f;
    MarginRuler *ruler = f.commands.ruler();
    f.commands.PositionMarginMarkers();
    f.window.resize(1024, 100);
    ruler->setGeometry(0, 0, 1024, MarginRuler::Height);
    f.window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f.window));
    QTest::mousePress(ruler, Qt::LeftButton, {}, QPoint(22, 5));
    QTest::mouseMove(ruler, QPoint(64, 5));
    QTest::mouseRelease(ruler, Qt::LeftButton, {}, QPoint(64, 5));
    EXPECT_EQ(f.settings.leftMargin, 64);
    EXPECT_EQ(f.settings.rightMargin, 999);
    for (const EditorWidget *editor : f.frame.editors())
        EXPECT_TRUE(editor->hasTextMargins());
}
