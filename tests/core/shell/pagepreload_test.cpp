#include "core/shell/pagepreload.h"
#include "core/text/documenttext.h"

#include <QFile>
#include <QTemporaryDir>

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
// give, split into lines.
TEST(PagePreload, GivesTheReadSplitIntoLines)
{
    QTemporaryDir dir;
    const struct
    {
        const char *name;
        QByteArray bytes;
    } cases[] = {
        {"latin.htm", "<P>\xE9t\xE9</P>\r\n<P>x</P>"},
        {"utf8.htm", "<P>d\xC3\xA9j\xC3\xA0 vu</P>\n\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = writePage(dir, c.name, c.bytes);
        PagePreload preload(path);
        PreloadedPage preloaded = preload.take();
        const std::optional<LoadedPage> read = loadPageAsRead(path);
        ASSERT_TRUE(preloaded.page && read);
        EXPECT_EQ(preloaded.lines.text(u"\r\n"), toCrLf(read->text));
        EXPECT_EQ(preloaded.page->format.encoding, read->format.encoding);
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
