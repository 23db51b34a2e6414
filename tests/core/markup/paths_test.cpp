#include "core/markup/paths.h"

#include "core/messages/messages.h"
#include "support/fakeprompts.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// RelativePath makes the page's folder the current one; tests put it back.
class RelativePathTest : public ::testing::Test
{
protected:
    void TearDown() override { QDir::setCurrent(m_saved); }
    QString m_saved = QDir::currentPath();
};

std::function<QString()> neverSaved()
{
    return [] {
        ADD_FAILURE() << "save-as must not run";
        return QString();
    };
}

TEST_F(RelativePathTest, RelativeToThePageFolder)
{
    const struct
    {
        QString page;
        QString file;
        QString expected;
    } cases[] = {
        {"C:\\site\\index.htm", "C:\\site\\img\\a.gif", "img/a.gif"},
        {"C:\\site\\pages\\p.htm", "C:\\site\\img\\a.gif", "../img/a.gif"},
        {"C:/site/pages/p.htm", "C:/site/img/a.gif", "../img/a.gif"}, // paths from Qt's dialogs
        {"c:\\site\\p.htm", "C:\\site\\a.gif", "a.gif"},              // drive letters in either case
        {"/site/pages/p.htm", "/site/img/a.gif", "../img/a.gif"},
        {"/site/index.htm", "/a.gif", "../a.gif"},
        {"/site/index.htm", "/siteb/a.gif", "../siteb/a.gif"}, // a common prefix is not a common folder
    };
    for (const auto &c : cases) {
        FakePrompts prompts;
        EXPECT_EQ(RelativePath(c.file, c.page, prompts, neverSaved()), c.expected) << c.file.toStdString();
        EXPECT_TRUE(prompts.asked.isEmpty());
        // Only the message that the page's folder does not exist here.
        EXPECT_TRUE(prompts.shown.isEmpty() || prompts.shown == QStringList{"information:" + msg(19)});
    }
}

TEST_F(RelativePathTest, RefusalsAndPassThrough)
{
    const struct
    {
        const char *name;
        QString page;
        QString file;
        QString expected;
        QStringList shown;
    } cases[] = {
        {"Other drive", "C:\\site\\p.htm", "D:\\img\\a.gif", "", {"information:" + msg(85)}},
        {"Windows file for a POSIX page", "/site/p.htm", "C:\\a.gif", "", {"information:" + msg(85)}},
        {"No folder", "C:\\site\\p.htm", "a.gif", "", {}},
        {"Network path unchanged", "C:\\site\\p.htm", "\\\\server\\share\\a.gif", "\\\\server\\share\\a.gif", {}},
        {"Relative folder unchanged", "C:\\site\\p.htm", "img\\a.gif", "img\\a.gif", {}},
    };
    for (const auto &c : cases) {
        FakePrompts prompts;
        EXPECT_EQ(RelativePath(c.file, c.page, prompts, neverSaved()), c.expected) << c.name;
        EXPECT_EQ(prompts.shown, c.shown) << c.name;
    }
}

TEST_F(RelativePathTest, UnsavedPageMustBeSavedFirst)
{
    const QString ask = msg(20);
    {
        FakePrompts prompts;
        prompts.answers = {Prompts::Answer::No};
        EXPECT_EQ(RelativePath("/site/a.gif", "Sans titre1", prompts, neverSaved()), "");
        EXPECT_EQ(prompts.asked, QStringList{ask});
        EXPECT_TRUE(prompts.shown.isEmpty());
    }
    {
        FakePrompts prompts;
        prompts.answers = {Prompts::Answer::Yes};
        int saves = 0;
        const auto cancelled = [&] {
            ++saves;
            return QStringLiteral("Sans titre1");
        };
        EXPECT_EQ(RelativePath("/site/a.gif", "", prompts, cancelled), "");
        EXPECT_EQ(saves, 1);
        EXPECT_EQ(prompts.shown, QStringList{"information:" + msg(14)});
    }
    {
        FakePrompts prompts;
        prompts.answers = {Prompts::Answer::Yes};
        const auto saved = [] { return QStringLiteral("/site/pages/p.htm"); };
        EXPECT_EQ(RelativePath("/site/img/a.gif", "Sans titre1", prompts, saved), "../img/a.gif");
    }
}

} // namespace
