#include "core/messages/messages.h"
#include "core/project/project.h"
#include "support/fakeprompts.h"
#include "support/qstringprinter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class ProjectTest : public ::testing::Test
{
protected:
    // A page file of the given size in the test folder.
    QString page(const QString &name, int size = 10)
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(size, 'x'));
        return path;
    }
    void addPages(const QStringList &names)
    {
        for (const QString &name : names)
            ASSERT_TRUE(project.AddProjectItem(*ProjectEntry::fromFile(page(name)), prompts));
    }
    QStringList names() const
    {
        QStringList result;
        for (const ProjectEntry &entry : project.entries())
            result << entry.name;
        return result;
    }
    QString projectFile(const QByteArray &bytes)
    {
        const QString path = dir.filePath(QStringLiteral("site.proj"));
        EXPECT_TRUE(writeFileAtomically(path, bytes));
        return path;
    }

    QTemporaryDir dir;
    FakePrompts prompts;
    Project project;
};

} // namespace

TEST_F(ProjectTest, SavedProjectReadsBackWithItsMaster)
{
    addPages({"a.htm", "b.html"});
    project.toggleMaster(1);
    const QByteArray bytes = project.fileBytes();
    EXPECT_EQ(bytes, (dir.filePath("a.htm") + "\r\n" + dir.filePath("b.html") + "\r\n1").toUtf8());

    Project loaded;
    ASSERT_TRUE(loaded.LoadProject(projectFile(bytes), prompts));
    EXPECT_EQ(loaded.count(), 2);
    EXPECT_EQ(loaded.MasterIndex, 1);
    EXPECT_TRUE(loaded.entries().at(1).master);
    EXPECT_TRUE(loaded.ProjectOpen);
    EXPECT_FALSE(loaded.ProjectModified);
    EXPECT_TRUE(prompts.shown.isEmpty());
}

// What is left out at opening is told in words that fit it, and leaves the
// project modified so that saving it ends the message for good. Only lost
// duplicates keep the master on its page.
TEST_F(ProjectTest, PagesThatCannotBeListedAreDroppedAndTold)
{
    const QString a = page("a.htm"), b = page("b.htm");
    const struct
    {
        const char *name;
        QString text;
        int count;
        int master;
        QList<int> messages;
    } cases[] = {
        {"first page deleted", dir.filePath("gone.htm") + "\r\n" + a + "\r\n1", 1, -1, {86}},
        {"same page twice", a + "\r\n" + a + "\r\n" + b + "\r\n2", 2, 1, {9220}},
        {"master is the second mention", b + "\r\n" + a + "\r\n" + b + "\r\n2", 2, 0, {9220}},
        {"a text file after a page", a + "\r\n" + page("notes.txt") + "\r\n0", 1, -1, {9222}},
        {"a folder", dir.path() + "\r\n" + a + "\r\n1", 1, -1, {9221}},
        {"a device", "/dev/null\r\n" + a + "\r\n1", 1, -1, {9221}},
        {"twice and deleted", a + "\r\n" + a + "\r\n" + dir.filePath("gone.htm") + "\r\n0", 1, -1, {86, 9220}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        prompts.shown.clear();
        const QString file = projectFile(c.text.toUtf8());
        ASSERT_TRUE(project.LoadProject(file, prompts));
        EXPECT_EQ(project.count(), c.count);
        EXPECT_EQ(project.MasterIndex, c.master);
        EXPECT_EQ(project.FindMasterIndex(), c.master);
        QStringList told;
        for (int number : c.messages)
            told << msg(number);
        EXPECT_EQ(str(prompts.shown), str(QStringList{"information:" + told.join("\n\n")}));
        EXPECT_TRUE(project.ProjectModified);

        ASSERT_TRUE(project.writeFile(prompts));
        prompts.shown.clear();
        ASSERT_TRUE(project.LoadProject(file, prompts));
        EXPECT_TRUE(prompts.shown.isEmpty());
        EXPECT_EQ(project.count(), c.count);
        EXPECT_EQ(project.MasterIndex, c.master);
    }
}

TEST_F(ProjectTest, AddRefusesDuplicatesOtherFilesAndPathsOnSeveralLines)
{
    addPages({"notes.txt"}); // the first page may be of any kind
    addPages({"a.htm"});
    const struct
    {
        QString name;
        QString shown;
    } refused[] = {
        {"a.htm", "warning:[a.htm]" + msg(54)},
        {"b.txt", "warning:" + msg(53)},
        {"line\nbreak.htm", "warning:[line\nbreak.htm] " + msg(55)},
    };
    for (const auto &r : refused) {
        prompts.shown.clear();
        EXPECT_FALSE(project.AddProjectItem(*ProjectEntry::fromFile(page(r.name)), prompts));
        EXPECT_EQ(str(prompts.shown), str(QStringList{r.shown}));
    }
    EXPECT_EQ(str(names()), str(QStringList{"notes.txt", "a.htm"}));
    EXPECT_TRUE(project.ProjectModified);
}

TEST_F(ProjectTest, MasterFollowsItsPageWhenPagesAreRemoved)
{
    const struct
    {
        QList<int> removed;
        int master;
    } cases[] = {
        {{2}, -1},      // the master itself
        {{0}, 1},       // a page before it
        {{3}, 2},       // a page after it
        {{4, 0, 3}, 1}, // several, in any order
    };
    for (const auto &c : cases) {
        project.InitialiseValeursDuProjet();
        addPages({"a.htm", "b.htm", "m.htm", "d.htm", "e.htm"});
        project.toggleMaster(2);
        project.removeItems(c.removed);
        EXPECT_EQ(project.MasterIndex, c.master);
        if (c.master >= 0) {
            EXPECT_EQ(project.entries().at(c.master).name, QStringLiteral("m.htm"));
        }
    }
}

TEST_F(ProjectTest, SortsSizesAsNumbersAndKeepsTheMasterWithItsPage)
{
    for (const auto &[name, size] : {std::pair{"c.htm", 100}, {"a.htm", 99}, {"b.htm", 1000}})
        ASSERT_TRUE(project.AddProjectItem(*ProjectEntry::fromFile(page(name, size)), prompts));
    project.toggleMaster(0);
    project.sortBy(ProjectColumn::Size);
    EXPECT_EQ(str(names()), str(QStringList{"a.htm", "c.htm", "b.htm"}));
    EXPECT_EQ(project.MasterIndex, 1);
    project.sortBy(ProjectColumn::Name);
    EXPECT_EQ(str(names()), str(QStringList{"a.htm", "b.htm", "c.htm"}));
    EXPECT_EQ(project.masterPath(), dir.filePath("c.htm"));
}
