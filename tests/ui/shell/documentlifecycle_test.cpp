#include "core/messages/messages.h"
#include "support/fakeprompts.h"
#include "support/fakeshelldialogs.h"
#include "support/qstringprinter.h"
#include "ui/find/findcommands.h"
#include "ui/find/finddialog.h"
#include "ui/shell/documentwindow.h"
#include "ui/shell/documentworkspace.h"
#include "ui/shell/filecommands.h"
#include "ui/shell/mainwindow.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QSettings>
#include <QTabBar>
#include <QTemporaryDir>
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
        QDir(dir.path()).mkdir(QStringLiteral("dossier.html")); // a save target that cannot be written
        QFile page(path("a.htm"));
        page.open(QIODevice::WriteOnly);
        page.write("old\r\n");
        start();
    }
    ~LifecycleTest() override { stop(); }

    void start()
    {
        window = std::make_unique<MainWindow>(MainWindow::Services{&store, &prompts, &dialogs});
        window->show();
    }
    void stop()
    {
        for (DocumentWindow *document : window->workspace()->documents())
            document->text().setModified(false);
        window->close();
        window.reset();
    }
    QString path(const char *name) const { return dir.filePath(QString::fromUtf8(name)); }
    void newPage()
    {
        dialogs.titles = {QStringLiteral("t")};
        files().NewDocument();
    }
    void closePage()
    {
        active()->text().setModified(false);
        files().CloseActiveDocument();
    }
    DocumentWindow *active() const { return window->activeDocument(); }
    FileCommands &files() const { return *window->files(); }

    QTemporaryDir dir;
    QSettings store;
    FakePrompts prompts;
    FakeShellDialogs dialogs;
    std::unique_ptr<MainWindow> window;
};

} // namespace

// Yes to saving, then a save that does not happen: closing, quitting and
// reverting stop there, and the page keeps its changes.
TEST_F(LifecycleTest, YesToSavingThenAFailedSaveKeepsThePageOpenAndModified)
{
    enum class Command { Close, Quit, Revert };
    struct Case
    {
        const char *name;
        bool saved;
        std::deque<Answer> answers;
        std::optional<ShellDialogs::SaveChoice> choice;
    };
    const Case cases[] = {
        {"Save as cancelled", false, {Answer::Yes}, std::nullopt},
        {"overwrite declined, Save as cancelled", true, {Answer::Yes, Answer::No}, std::nullopt},
        {"write fails", false, {Answer::Yes, Answer::Yes}, ShellDialogs::SaveChoice{path("dossier.html"), 1}},
    };
    for (const Case &c : cases) {
        for (Command command : {Command::Close, Command::Quit, Command::Revert}) {
            if (command == Command::Revert && !c.saved)
                continue; // nothing to revert to
            c.saved ? files().OpenDocument(path("a.htm")) : newPage();
            active()->text().replaceSelection(QStringLiteral("edit "));
            const QString edited = active()->text().text();
            prompts.answers = c.answers;
            dialogs.saveChoices = {c.choice};
            if (command == Command::Close)
                EXPECT_FALSE(files().CloseActiveDocument()) << c.name;
            else if (command == Command::Quit)
                EXPECT_FALSE(window->close()) << c.name;
            else
                files().ReouvrirFichier1Click();
            ASSERT_EQ(window->workspace()->documentCount(), 1) << c.name << int(command);
            EXPECT_TRUE(active()->text().isModified()) << c.name << int(command);
            EXPECT_EQ(str(active()->text().text()), str(edited)) << c.name << int(command);
            closePage();
        }
    }
}

// The commands are right from the first show. Save works on an unmodified
// page (Ctrl+S, menu); only the toolbar button follows the modified state.
TEST_F(LifecycleTest, CommandStatesFollowThePagesFromTheFirstShow)
{
    QMenu *edit = nullptr;
    for (QMenu *menu : window->findChildren<QMenu *>())
        edit = menu->title() == QStringLiteral("&Editer") ? menu : edit;
    ASSERT_NE(edit, nullptr);
    QAction *button = nullptr;
    for (QToolBar *bar : window->findChildren<QToolBar *>()) {
        for (QAction *action : bar->actions())
            button = action->toolTip() == QStringLiteral("Sauvegarder fichier") ? action : button;
    }
    ASSERT_NE(button, nullptr);
    const auto states = [&] {
        window->UpdateCommandStates();
        return std::vector<bool>{edit->menuAction()->isVisible(), window->find()->findAction()->isEnabled(),
                                 window->find()->replaceAction()->isEnabled(), files().saveAction()->isEnabled(),
                                 button->isEnabled()};
    };
    using V = std::vector<bool>;
    EXPECT_EQ(states(), V({false, false, false, false, false})) << "first show";
    files().OpenDocument(path("a.htm"));
    EXPECT_EQ(states(), V({true, true, true, true, false})) << "unmodified";
    active()->text().setModified(true);
    EXPECT_EQ(states(), V({true, true, true, true, true})) << "modified";
    closePage();
    EXPECT_EQ(states(), V({false, false, false, false, false})) << "closed";

    files().OpenDocument(path("a.htm"));
    QFile::remove(path("a.htm"));
    files().saveAction()->trigger();
    EXPECT_TRUE(QFile::exists(path("a.htm")));
}

// A target in a folder that does not exist is refused and the dialog asked
// again; a page whose save fails keeps its name.
TEST_F(LifecycleTest, SaveTargetsThatCannotBeWrittenNeverBecomeThePagesName)
{
    for (bool saveAll : {false, true}) {
        for (const char *target : {"absent/page.html", "dossier.html"}) {
            const bool folderMissing = QString::fromUtf8(target).contains(u'/');
            newPage();
            dialogs.saveChoices = {ShellDialogs::SaveChoice{path(target), 1}};
            dialogs.savePresets.clear();
            prompts.shown.clear();
            prompts.answers = {Answer::Yes};
            saveAll ? files().SauverTout1Click() : void(files().FileSaveAsItemClick());
            EXPECT_EQ(str(active()->caption()), "SansNom.html") << target;
            EXPECT_EQ(str(window->workspace()->tabBar()->tabText(0)), "Sansnom") << target;
            EXPECT_TRUE(active()->text().isModified()) << target;
            EXPECT_EQ(dialogs.savePresets.size(), folderMissing ? 2 : 1) << target;
            if (folderMissing) {
                EXPECT_EQ(str(prompts.shown.value(0)), str("warning:[" + path("absent") + "] " + msg(19)));
            }
            closePage();
        }
    }
}

// Size, position and the maximised state come back at the next start.
TEST_F(LifecycleTest, FrameGeometryIsRememberedBetweenSessions)
{
    const QRect placed(60, 70, 700, 520);
    for (bool maximised : {false, true}) {
        window->showNormal();
        window->setGeometry(placed);
        if (maximised)
            window->showMaximized();
        stop();
        start();
        EXPECT_EQ(window->isMaximized(), maximised);
        EXPECT_EQ(window->normalGeometry(), placed) << maximised;
    }
}

// Each tab names the page's full path in its tooltip and shows a mark while
// the page is modified; the tab text stays the short name.
TEST_F(LifecycleTest, TabsShowThePathAndAModifiedMark)
{
    files().OpenDocument(path("a.htm"));
    newPage();
    QTabBar *tabs = window->workspace()->tabBar();
    const auto tab = [&](int i) {
        return str(tabs->tabText(i) + u'|' + tabs->tabToolTip(i) + (tabs->tabIcon(i).isNull() ? "" : "|*"));
    };
    EXPECT_EQ(tab(0), str("A|" + path("a.htm")));
    EXPECT_EQ(tab(1), "Sansnom|SansNom.html|*");
    dialogs.saveChoices = {ShellDialogs::SaveChoice{path("autre"), 1}};
    files().FileSaveAsItemClick();
    EXPECT_EQ(tab(1), str("Autre|" + path("autre.html")));
    window->workspace()->activate(window->workspace()->documents().first());
    active()->text().replaceSelection(QStringLiteral("y"));
    EXPECT_EQ(tab(0), str("A|" + path("a.htm") + "|*"));
    files().FileSaveItemClick();
    EXPECT_EQ(tab(0), str("A|" + path("a.htm")));
}
