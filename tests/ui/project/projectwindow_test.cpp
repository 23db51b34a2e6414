#include "core/messages/messages.h"
#include "core/shell/pageheader.h"
#include "support/filebytes.h"
#include "support/framefixture.h"
#include "support/qstringprinter.h"
#include "ui/project/projectcommands.h"
#include "ui/project/projectdialogs.h"
#include "ui/project/projectlistmodel.h"
#include "ui/project/projectwindow.h"
#include "ui/shell/documentwindow.h"
#include "ui/shell/documentworkspace.h"
#include "ui/shell/filecommands.h"
#include "ui/shell/mainwindow.h"
#include "ui/shell/recentmenu.h"

#include <QAction>
#include <QDate>
#include <QFile>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

namespace {

class ScriptedProjectDialogs : public ProjectDialogs
{
public:
    std::optional<QString> chooseProjectToOpen(const QString &) override { return take(toOpen); }
    std::optional<QString> chooseProjectSaveName(const QString &, const QString &) override { return take(saveNames); }
    QStringList chooseFilesToAdd(const QString &) override { return std::exchange(toAdd, {}); }

    std::deque<QString> toOpen;
    std::deque<QString> saveNames;
    QStringList toAdd;

private:
    static std::optional<QString> take(std::deque<QString> &queue)
    {
        if (queue.empty())
            return std::nullopt;
        QString value = queue.front();
        queue.pop_front();
        return value;
    }
};

class ProjectWindowTest : public FrameFixture
{
protected:
    ProjectWindowTest()
    {
        start();
        commands().setDialogs(&projectDialogs);
    }
    ~ProjectWindowTest() override
    {
        project().ProjectModified = false;
        stop(); // while the scripted dialogs still exist
    }

    ProjectCommands &commands() const { return *window->project(); }
    Project &project() const { return commands().project(); }
    TGestionFrm *gestion() const { return commands().window(); }
    QString page(const QString &name, const QByteArray &bytes = "<HTML></HTML>\r\n")
    {
        writeFile(name, bytes);
        return path(name);
    }
    // A new project holding the named pages.
    void newProjectWith(const QStringList &names)
    {
        commands().newProject();
        ASSERT_NE(gestion(), nullptr);
        for (const QString &name : names)
            projectDialogs.toAdd << page(name);
        gestion()->addFiles();
    }
    QStringList listed() const
    {
        QStringList names;
        for (int row = 0; row < gestion()->model()->rowCount(); ++row)
            names << gestion()->model()->index(row, 0).data().toString();
        return names;
    }
    QByteArray readPath(const QString &file) const
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    ScriptedProjectDialogs projectDialogs;
};

} // namespace

TEST_F(ProjectWindowTest, NewProjectListsAddedPagesInEveryView)
{
    EXPECT_FALSE(commands().saveAsAction()->isEnabled());
    newProjectWith({"index.htm", "b.html", "c.shtml"});
    EXPECT_TRUE(gestion()->isVisible());
    EXPECT_EQ(gestion()->windowTitle(), QStringLiteral("Gestionnaire de projet"));
    EXPECT_TRUE(gestion()->windowFlags() & Qt::Tool);
    EXPECT_EQ(gestion()->parentWidget(), window.get());
    EXPECT_EQ(str(listed()), str(QStringList{"index.htm", "b.html", "c.shtml"}));
    EXPECT_EQ(gestion()->statusLine()->text(), msg(498) + ", 3" + msg(499));
    EXPECT_EQ(gestion()->selectedRows(), QList<int>{2});
    for (QAction *action : {commands().saveAction(), commands().saveAsAction(), commands().openAllAction(),
                            commands().closeAction(), commands().managerAction()})
        EXPECT_TRUE(action->isEnabled()) << str(action->text());

    EXPECT_EQ(gestion()->model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("Taille"));
    EXPECT_EQ(gestion()->model()->index(0, 1).data().toString(), dir.path() + "/");
    for (auto view : {TGestionFrm::View::LargeIcons, TGestionFrm::View::SmallIcons, TGestionFrm::View::List}) {
        gestion()->setView(view);
        EXPECT_TRUE(gestion()->listView()->isVisible());
        EXPECT_TRUE(gestion()->viewAction(view)->isChecked());
        // One selection, whichever view shows it.
        EXPECT_TRUE(gestion()->listView()->selectionModel()->isRowSelected(2, QModelIndex()));
    }
}

TEST_F(ProjectWindowTest, SelectionDecidesTheContextMenuAndTheMasterMark)
{
    newProjectWith({"a.htm", "b.htm", "c.htm"});
    const struct
    {
        QList<int> rows;
        bool master, others;
        QString shown;
    } cases[] = {
        {{}, false, false, "warning:" + msg(74)},
        {{1}, true, true, QString()},
        {{0, 2}, false, true, "warning:" + msg(81)},
    };
    for (const auto &c : cases) {
        gestion()->selectRows(c.rows);
        emit gestion()->contextMenu()->aboutToShow();
        EXPECT_EQ(gestion()->masterAction()->isEnabled(), c.master);
        EXPECT_EQ(gestion()->removeAction()->isEnabled(), c.others);
        EXPECT_EQ(gestion()->openAction()->isEnabled(), c.others);
        prompts.shown.clear();
        gestion()->toggleMaster();
        EXPECT_EQ(prompts.shown.value(0), c.shown);
    }
    EXPECT_EQ(project().MasterIndex, 1);
    gestion()->selectRows({1});
    gestion()->toggleMaster();
    EXPECT_EQ(project().MasterIndex, -1);
}

TEST_F(ProjectWindowTest, SaveWritesTheFileAndTheUnchangedMasterPage)
{
    const QByteArray oldHeader = "<!-- EDITEUR TESSALINE\r\n     DATE DE CREATION: 01/01/20\r\n"
                                 "     DERNIERE MODIFICATION: 01/01/20\r\n     PAR: x -->\r\n";
    newProjectWith({"a.htm"});
    projectDialogs.toAdd = {page("m.htm", oldHeader)};
    gestion()->addFiles();
    gestion()->toggleMaster();
    window->files()->OpenDocument(dir.filePath("m.htm"));
    ASSERT_FALSE(window->activeDocument()->text().isModified());

    projectDialogs.saveNames = {dir.filePath("site")};
    ASSERT_TRUE(commands().SaveProject());
    const QString file = dir.filePath("site.proj");
    EXPECT_EQ(readPath(file), (dir.filePath("a.htm") + "\r\n" + dir.filePath("m.htm") + "\r\n1").toUtf8());
    EXPECT_TRUE(readFile(QStringLiteral("m.htm")).contains(headerDate(QDate::currentDate()).toUtf8()));
    EXPECT_FALSE(project().ProjectModified);
    EXPECT_FALSE(commands().saveAction()->isEnabled());
    EXPECT_EQ(gestion()->statusLine()->text(), file + ", 2" + msg(499));
    EXPECT_EQ(window->recentProjects()->list().entry(0), file);

    // Typing in a page of the project makes the project modified.
    window->activeDocument()->text().replaceSelection(QStringLiteral("x"));
    EXPECT_TRUE(project().ProjectModified);
}

TEST_F(ProjectWindowTest, OpeningAProjectDropsMissingPagesAndOpensTheRest)
{
    const QString a = page("a.htm"), b = page("b.htm");
    const QString file = dir.filePath("site.proj");
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write((dir.filePath("gone.htm") + "\r\n" + a + "\r\n" + b + "\r\n2").toUtf8());
    out.close();
    projectDialogs.toOpen = {file};
    commands().openAction()->trigger();
    ASSERT_NE(gestion(), nullptr);
    EXPECT_EQ(str(prompts.shown), str(QStringList{"information:" + msg(86)}));
    EXPECT_EQ(project().MasterIndex, -1);
    EXPECT_EQ(gestion()->statusLine()->text(), file + ", 2" + msg(499));
    // Saving drops the missing page from the file for good.
    ASSERT_TRUE(commands().saveAction()->isEnabled());
    commands().saveAction()->trigger();
    EXPECT_FALSE(project().ProjectModified);
    EXPECT_EQ(readAll(file), (a + "\r\n" + b + "\r\n-1").toUtf8());

    // A page deleted since: its own warning, the other opens.
    QFile::remove(a);
    prompts.shown.clear();
    gestion()->selectRows({0, 1});
    gestion()->openSelected();
    EXPECT_EQ(str(prompts.shown), str(QStringList{"warning:" + msg(55)}));
    ASSERT_NE(window->activeDocument(), nullptr);
    EXPECT_EQ(window->activeDocument()->caption(), b);
    commands().openAllAction()->trigger();
    EXPECT_EQ(window->workspace()->documentCount(), 1);

    // F12 hides and shows the window.
    commands().managerAction()->trigger();
    EXPECT_FALSE(gestion()->isVisible());
    commands().managerAction()->trigger();
    EXPECT_TRUE(gestion()->isVisible());

    // Closing the project offers to close its pages.
    prompts.answers = {Answer::Yes};
    commands().closeAction()->trigger();
    EXPECT_EQ(str(prompts.asked), str(QStringList{msg(84) + " [site.proj]?"}));
    EXPECT_EQ(window->workspace()->documentCount(), 0);
    EXPECT_EQ(gestion(), nullptr);
    EXPECT_FALSE(commands().closeAction()->isEnabled());
}

TEST_F(ProjectWindowTest, ExitAsksAboutTheUnsavedProject)
{
    newProjectWith({"a.htm"});
    prompts.answers = {Answer::Cancel};
    EXPECT_FALSE(window->close());
    EXPECT_EQ(str(prompts.asked), str(QStringList{msg(7) + "[sans nom]?"}));
}

TEST_F(ProjectWindowTest, ActiveDocumentJoinsAndLeavesTheProject)
{
    commands().newProject();
    const QString a = page("a.htm"), t = page("t.txt");
    window->files()->OpenDocument(t);
    EXPECT_TRUE(commands().addDocumentAction()->isEnabled());
    commands().addDocumentAction()->trigger();
    window->files()->OpenDocument(a);
    commands().addDocumentAction()->trigger();
    commands().addDocumentAction()->trigger();
    EXPECT_EQ(str(prompts.shown), str(QStringList{"warning:" + msg(53), "warning:[a.htm]" + msg(54)}));
    EXPECT_EQ(str(listed()), str(QStringList{"a.htm"}));
    commands().removeDocumentAction()->trigger();
    commands().removeDocumentAction()->trigger();
    EXPECT_EQ(prompts.shown.last(), "warning:[" + a + "]" + msg(66));
    EXPECT_EQ(project().count(), 0);
}
