#include "ui/shell/pagepreload.h"
#include "ui/text/pageloading.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace {

QString writePage(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
}

} // namespace

// What the window gets from a page read ahead is what reading it then would
// give; a large page comes with its document under way.
TEST(PagePreload, GivesTheReadAndTheBuildOfALargePage)
{
    QTemporaryDir dir;
    QByteArray large = "<P>d\xC3\xA9j\xC3\xA0 vu</P>\n";
    while (large.size() <= PageLoading::PartedAbove)
        large += "<P>ligne</P>\n";
    const struct
    {
        const char *name;
        QByteArray bytes;
        bool built;
    } cases[] = {
        {"small.htm", "<P>\xE9t\xE9</P>\r\n", false},
        {"large.htm", large, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = writePage(dir, c.name, c.bytes);
        PagePreload preload(path);
        preload.applicationReady();
        PreloadedPage preloaded = preload.take();
        const std::optional<LoadedPage> read = loadPageAsRead(path);
        ASSERT_TRUE(preloaded.page && read);
        EXPECT_EQ(preloaded.page->text, read->text);
        EXPECT_EQ(preloaded.page->format.encoding, read->format.encoding);
        ASSERT_EQ(preloaded.build != nullptr, c.built);
        if (c.built) {
            EXPECT_EQ(preloaded.build->take()->blockCount(), read->text.count(u'\n') + 1);
        }
    }
}

TEST(PagePreload, OnlyTheFirstPageOfTheArgumentsAndNoneForAMissingFile)
{
    QTemporaryDir dir;
    const QString page = writePage(dir, "page.htm", "<P>x</P>");
    const std::unique_ptr<PagePreload> preload =
        PagePreload::forArguments({dir.filePath("projet.proj"), page, dir.filePath("autre.htm")});
    ASSERT_TRUE(preload);
    EXPECT_EQ(preload->path(), page);
    EXPECT_FALSE(PagePreload::forArguments({QStringLiteral("-x")}));
    PagePreload missing(dir.filePath("absent.htm"));
    EXPECT_FALSE(missing.take().page);
}

// Dropped before the window takes it (another copy took the files): the
// build stops and nothing is left behind.
TEST(PagePreload, DroppedWhileBuildingEndsCleanly)
{
    QTemporaryDir dir;
    QByteArray large;
    while (large.size() <= 4 * PageLoading::PartedAbove)
        large += "<P>ligne</P>\r\n";
    const QString path = writePage(dir, "large.htm", large);
    for (bool ready : {false, true}) {
        PagePreload preload(path);
        if (ready)
            preload.applicationReady();
    }
}
