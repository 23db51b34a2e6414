#include "core/messages/messages.h"
#include "core/settings/settings.h"
#include "support/fakeprompts.h"
#include "support/fakeshelldialogs.h"
#include "support/qstringprinter.h"
#include "ui/find/findcommands.h"
#include "ui/find/finddialog.h"
#include "ui/shell/documentwindow.h"
#include "ui/shell/documentworkspace.h"
#include "ui/shell/filecommands.h"
#include "ui/shell/mainwindow.h"
#include "ui/text/editorwidget.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

namespace {

using Answer = Prompts::Answer;

class LifecycleTest : public ::testing::Test
{
protected:
    LifecycleTest()
        : store(dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat)
    {
        store.setValue(QStringLiteral("Tessaline/APropos"), 0);
        store.setValue(QStringLiteral("Tessaline/Maximiser"), 0);
        store.sync();
        start();
    }
    ~LifecycleTest() override { stop(); }

    void start()
    {
        window = std::make_unique<MainWindow>(MainWindow::Services{&store, &prompts, &dialogs});
        window->show();
        QCoreApplication::processEvents();
    }
    void stop()
    {
        if (!window)
            return;
        for (DocumentWindow *document : window->workspace()->documents())
            document->text().setModified(false);
        window->close();
        window.reset();
    }

    QString path(const QString &name) const { return dir.filePath(name); }
    void writeFile(const QString &name, const QByteArray &bytes)
    {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    DocumentWindow *active() const { return window->activeDocument(); }
    FileCommands &files() const { return *window->files(); }
    QAction *toolbarAction(const QString &tip) const
    {
        for (QToolBar *bar : window->findChildren<QToolBar *>()) {
            for (QAction *action : bar->actions()) {
                if (action->toolTip() == tip)
                    return action;
            }
        }
        return nullptr;
    }
    QMenu *menu(const QString &title) const
    {
        for (QAction *action : window->menuBar()->actions()) {
            if (action->menu() && action->menu()->title() == title)
                return action->menu();
        }
        return nullptr;
    }

    QTemporaryDir dir;
    QSettings store;
    FakePrompts prompts;
    FakeShellDialogs dialogs;
    std::unique_ptr<MainWindow> window;
};

} // namespace

// The page edited since its last save survives every way the save that the
// user asked for can fail: closing, quitting and reverting stop there.
TEST_F(LifecycleTest, YesToSavingThenAFailedSaveKeepsThePageOpenAndModified)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("dossier.html")));
    writeFile(QStringLiteral("a.htm"), "old\r\n");
    enum class Page { New, Saved };
    enum class Command { Close, Quit, Revert };
    struct Case
    {
        const char *name;
        Page page;
        std::deque<Answer> answers;
        std::optional<ShellDialogs::SaveChoice> choice;
    };
    const Case cases[] = {
        {"Save as cancelled", Page::New, {Answer::Yes}, std::nullopt},
        {"overwrite declined, Save as cancelled", Page::Saved, {Answer::Yes, Answer::No}, std::nullopt},
        {"write fails", Page::New, {Answer::Yes, Answer::Yes}, ShellDialogs::SaveChoice{path("dossier.html"), 1}},
    };
    for (const Case &c : cases) {
        for (Command command : {Command::Close, Command::Quit, Command::Revert}) {
            if (command == Command::Revert && c.page == Page::New)
                continue; // never saved: nothing to revert to
            if (c.page == Page::New) {
                dialogs.titles = {QStringLiteral("t")};
                files().NewDocument();
            } else {
                files().OpenDocument(path(QStringLiteral("a.htm")));
            }
            ASSERT_NE(active(), nullptr) << c.name;
            active()->text().replaceSelection(QStringLiteral("edit "));
            const QString edited = active()->text().text();
            prompts.answers = c.answers;
            dialogs.saveChoices.clear();
            if (c.choice)
                dialogs.saveChoices.push_back(c.choice);
            switch (command) {
            case Command::Close:
                EXPECT_FALSE(files().CloseActiveDocument()) << c.name;
                break;
            case Command::Quit:
                EXPECT_FALSE(window->close()) << c.name;
                break;
            case Command::Revert:
                files().ReouvrirFichier1Click();
                break;
            }
            ASSERT_EQ(window->workspace()->documentCount(), 1) << c.name << int(command);
            EXPECT_TRUE(active()->text().isModified()) << c.name << int(command);
            EXPECT_EQ(str(active()->text().text()), str(edited)) << c.name << int(command);
            active()->text().setModified(false);
            files().CloseActiveDocument();
        }
    }
}

// With no page open, from the very first show, the editing commands are off.
TEST_F(LifecycleTest, EditingCommandsAreOffFromTheFirstShowUntilAPageOpens)
{
    QMenu *edit = menu(QStringLiteral("&Editer"));
    ASSERT_NE(edit, nullptr);
    FindCommands *find = window->find();
    const auto states = [&] {
        return std::vector<bool>{edit->menuAction()->isVisible(), edit->isEnabled(), find->findAction()->isEnabled(),
                                 find->replaceAction()->isEnabled()};
    };
    const std::vector<bool> off(4, false), on(4, true);
    EXPECT_EQ(states(), off);
    writeFile(QStringLiteral("a.htm"), "x");
    files().OpenDocument(path(QStringLiteral("a.htm")));
    EXPECT_EQ(states(), on);
    files().CloseActiveDocument();
    window->UpdateCommandStates();
    EXPECT_EQ(states(), off);
}

// Ctrl+S and the menu item work on an unmodified page; only the toolbar
// button follows the modified state.
TEST_F(LifecycleTest, SaveStaysAvailableOnAnUnmodifiedPage)
{
    QAction *button = toolbarAction(QStringLiteral("Sauvegarder fichier"));
    ASSERT_NE(button, nullptr);
    writeFile(QStringLiteral("a.htm"), "x");
    files().OpenDocument(path(QStringLiteral("a.htm")));
    struct Step
    {
        bool modified;
        bool buttonEnabled;
    };
    for (const Step &s : {Step{false, false}, Step{true, true}, Step{false, false}}) {
        active()->text().setModified(s.modified);
        window->UpdateCommandStates();
        EXPECT_TRUE(files().saveAction()->isEnabled()) << s.modified;
        EXPECT_EQ(files().saveAction()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
        EXPECT_EQ(button->isEnabled(), s.buttonEnabled) << s.modified;
    }
    // Ctrl+S (the menu item's shortcut) on the unmodified page writes it again.
    QFile::remove(path(QStringLiteral("a.htm")));
    files().saveAction()->trigger();
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("a.htm"))));
}

// A save target in a folder that does not exist is refused and the dialog
// asked again; a page whose save fails keeps its name.
TEST_F(LifecycleTest, SaveTargetsThatCannotBeWrittenNeverBecomeThePagesName)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("dossier.html")));
    enum class Command { SaveAs, SaveAll };
    struct Case
    {
        const char *target;
        bool folderMissing;
    };
    for (Command command : {Command::SaveAs, Command::SaveAll}) {
        for (const Case &c : {Case{"absent/page.html", true}, Case{"dossier.html", false}}) {
            dialogs.titles = {QStringLiteral("t")};
            files().NewDocument();
            dialogs.saveChoices = {ShellDialogs::SaveChoice{path(QString::fromUtf8(c.target)), 1}};
            dialogs.savePresets.clear();
            prompts.shown.clear();
            prompts.answers = {Answer::Yes};
            command == Command::SaveAs ? void(files().FileSaveAsItemClick()) : files().SauverTout1Click();
            EXPECT_EQ(str(active()->caption()), "SansNom.html") << c.target;
            EXPECT_EQ(str(window->workspace()->tabBar()->tabText(0)), "Sansnom") << c.target;
            EXPECT_TRUE(active()->text().isModified()) << c.target;
            EXPECT_FALSE(QFile::exists(path(QStringLiteral("absent"))));
            if (c.folderMissing) {
                // Refused with a message, then the dialog again (cancelled here).
                EXPECT_EQ(dialogs.savePresets.size(), 2) << c.target;
                ASSERT_FALSE(prompts.shown.isEmpty());
                EXPECT_EQ(str(prompts.shown.first()), str(QStringLiteral("warning:[") + path(QStringLiteral("absent"))
                                                          + QStringLiteral("] ") + msg(19)));
            }
            active()->text().setModified(false);
            files().CloseActiveDocument();
        }
    }
}

// Size, position and the maximised state come back at the next start.
TEST_F(LifecycleTest, FrameGeometryIsRememberedBetweenSessions)
{
    struct Case
    {
        bool maximised;
    };
    for (const Case &c : {Case{false}, Case{true}}) {
        window->showNormal();
        window->setGeometry(QRect(60, 70, 700, 520));
        QCoreApplication::processEvents();
        if (c.maximised)
            window->showMaximized();
        QCoreApplication::processEvents();
        const QRect normal = window->normalGeometry();
        stop();
        start();
        EXPECT_EQ(window->isMaximized(), c.maximised);
        EXPECT_EQ(window->normalGeometry().size(), normal.size()) << c.maximised;
        if (!c.maximised) {
            EXPECT_EQ(window->geometry(), QRect(60, 70, 700, 520));
        }
    }
}

// Each tab names the page's full path in its tooltip and shows a mark while
// the page is modified; the tab text stays the short name.
TEST_F(LifecycleTest, TabsShowThePathAndAModifiedMark)
{
    writeFile(QStringLiteral("mapage.htm"), "x");
    files().OpenDocument(path(QStringLiteral("mapage.htm")));
    dialogs.titles = {QStringLiteral("t")};
    files().NewDocument();
    QTabBar *tabs = window->workspace()->tabBar();
    struct Expect
    {
        int tab;
        const char *text;
        QString tooltip;
        bool marked;
    };
    const auto check = [&](const std::vector<Expect> &expected, const char *when) {
        for (const Expect &e : expected) {
            EXPECT_EQ(str(tabs->tabText(e.tab)), e.text) << when;
            EXPECT_EQ(str(tabs->tabToolTip(e.tab)), str(e.tooltip)) << when;
            EXPECT_EQ(!tabs->tabIcon(e.tab).isNull(), e.marked) << when << e.tab;
        }
    };
    const QString first = path(QStringLiteral("mapage.htm"));
    check({{0, "Mapage", first, false}, {1, "Sansnom", QStringLiteral("SansNom.html"), true}}, "opened");

    dialogs.saveChoices = {ShellDialogs::SaveChoice{path(QStringLiteral("autre")), 1}};
    files().FileSaveAsItemClick();
    check({{0, "Mapage", first, false}, {1, "Autre", path(QStringLiteral("autre.html")), false}}, "saved as");

    window->workspace()->activate(window->workspace()->documents().first());
    active()->text().replaceSelection(QStringLiteral("y"));
    check({{0, "Mapage", first, true}, {1, "Autre", path(QStringLiteral("autre.html")), false}}, "edited");
    files().FileSaveItemClick();
    check({{0, "Mapage", first, false}}, "saved");
}
