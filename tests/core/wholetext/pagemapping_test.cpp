#include "core/wholetext/pagemapping.h"
#include "support/filebytes.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

TEST(PageMapping, ReadsWhatPageFilesReadAndRefusesTheRest)
{
    QTemporaryDir dir;
    const QString page = dir.filePath(QStringLiteral("page.htm"));
    writeAll(page, QByteArray(70000, 'a') + "\xC3\xA9");
    const QString empty = dir.filePath(QStringLiteral("empty.htm"));
    writeAll(empty, QByteArray());
    const QString pipe = dir.filePath(QStringLiteral("pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const struct
    {
        const char *name;
        QString path;
        qint64 maxBytes;
        bool opens;
    } cases[] = {
        {"page", page, MaxPageFileBytes, true},
        {"page over the limit", page, 70001, false},
        {"empty page", empty, MaxPageFileBytes, true},
        // A size of 0 for a file the kernel writes as it is read.
        {"kernel file", QStringLiteral("/proc/self/status"), MaxPageFileBytes, true},
        {"named pipe (never waited on)", pipe, MaxPageFileBytes, false},
        {"folder", dir.path(), MaxPageFileBytes, false},
        {"missing file", dir.filePath(QStringLiteral("absent.htm")), MaxPageFileBytes, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        PageMapping mapping;
        ASSERT_EQ(mapping.open(c.path, c.maxBytes), c.opens);
        if (!c.opens)
            continue;
        if (c.path != QLatin1String("/proc/self/status")) {
            EXPECT_EQ(mapping.bytes(), readAll(c.path));
            EXPECT_EQ(mapping.stamp(), fileStamp(c.path));
        } else {
            EXPECT_TRUE(mapping.bytes().startsWith("Name:"));
        }
        EXPECT_FALSE(mapping.shortened());
    }
}

// Another program cuts the file short under the mapping: reading on gives
// zeros instead of ending the program, and the mapping says so.
TEST(PageMapping, AFileCutShortWhileMappedReadsAsZeros)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.htm"));
    writeAll(path, QByteArray(3 * 4096 + 100, 'a'));
    PageMapping mapping;
    ASSERT_TRUE(mapping.open(path));
    if (!mapping.isMapped())
        GTEST_SKIP() << "the temporary folder's file system is read, not mapped";
    ASSERT_EQ(::truncate(QFile::encodeName(path).constData(), 10), 0);
    qsizetype letters = 0;
    for (const char c : mapping.bytes())
        letters += c == 'a';
    EXPECT_TRUE(mapping.shortened());
    EXPECT_LT(letters, mapping.bytes().size());

    // The next file mapped starts afresh.
    writeAll(path, "b");
    ASSERT_TRUE(mapping.open(path));
    EXPECT_EQ(mapping.bytes(), QByteArrayView("b"));
    EXPECT_FALSE(mapping.shortened());
}
