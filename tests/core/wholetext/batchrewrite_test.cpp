#include "core/text/pagefile.h"
#include "core/wholetext/batchmode.h"
#include "support/filebytes.h"
#include "support/fullfilesystem.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// A page the pass leaves as it is keeps its very file (same inode, same
// time); a page whose only change lies far past the start, beyond the first
// output piece, is still rewritten, in full.
TEST(BatchRewrite, OnlyPagesThePassChangesAreWritten)
{
    const QByteArray longText(300000, 'a');
    const struct
    {
        const char *option;
        QByteArray before;
        QByteArray after;
    } cases[] = {
        {"--to-entities", "<p>plain text</p>\r\n", {}},
        {"--from-entities", "caf\xC3\xA9 &amp; &Eacute\r\n", {}},
        {"--compact", "<p> a b </p>", {}},
        {"--to-entities", longText + "\xC3\xA9", longText + "&eacute;"},
        {"--compact", longText + "\r\n", longText + " "},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.option) + " " + c.before.right(20).toStdString());
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p.htm"));
        writeAll(path, c.before);
        const FileStamp before = fileStamp(path);
        testing::internal::CaptureStdout();
        EXPECT_EQ(runBatchMode({QStringLiteral("tessaline"), QString::fromLatin1(c.option), path}), 0);
        const std::string out = testing::internal::GetCapturedStdout();
        if (c.after.isEmpty()) {
            EXPECT_EQ(fileStamp(path), before);
            EXPECT_NE(out.find("] 0 "), std::string::npos) << out;
        } else {
            EXPECT_EQ(readAll(path), c.after);
            EXPECT_NE(out.find("] 1 "), std::string::npos) << out;
        }
    }
}

// The disk fills up after the first pieces of a long page have been written:
// the run fails and the page stays whole.
TEST(BatchRewrite, AWriteFailingMidwayKeepsThePage)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.htm"));
    const QByteArray page = QByteArray(400000, 'a') + "\r\n";
    writeAll(path, page);
    FileSizeLimit limit(300000);
    testing::internal::CaptureStderr();
    EXPECT_EQ(runBatchMode({QStringLiteral("tessaline"), QStringLiteral("--compact"), path}), 1);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(readAll(path), page);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("p.htm")});
}
