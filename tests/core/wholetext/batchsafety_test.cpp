#include "core/messages/messages.h"
#include "core/text/pagefile.h"
#include "core/wholetext/batchmode.h"
#include "support/filebytes.h"
#include "support/fullfilesystem.h"
#include "support/qstringprinter.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

const QByteArray Page = "<P>\r\n   Texte   compact\r\n</P>\r\n";
const QByteArray Compacted = "<P> Texte compact </P> ";

int compact(const QString &path)
{
    return runBatchMode({QStringLiteral("tessaline"), QStringLiteral("--compact"), path});
}

} // namespace

// Every page the batch mode cannot rewrite safely is left as it is, the run
// says so with its exit status, and the message gives the real reason.
TEST(BatchSafety, PagesThatCannotBeRewrittenSafelyAreRefused)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.htm"));
    const QString tagged = QLatin1Char('[') + path + QLatin1Char(']');
    const qint64 NoFile = -1, Folder = -2;
    const struct
    {
        const char *name;
        QByteArray bytes;
        mode_t mode;
        QString told;
        qint64 sparseSize = 0; // bytes, a hole after the bytes given
    } cases[] = {
        {"read-only page", Page, 0444, path + msg(1)},
        {"page nobody may write", Page, 0400, path + msg(1)},
        {"paragraph separator in a UTF-8 page", "a  \xE2\x80\xA9  b", 0644, tagged + msg(9235)},
        {"NUL bytes", QByteArray("a  \0  b", 7), 0644, tagged + msg(9230)},
        {"NUL character in a UTF-16 page", QByteArray("\xFF\xFE<\0\0\0P\0", 8), 0644, tagged + msg(9230)},
        {"paragraph separator in a UTF-16 page", QByteArray("\xFE\xFF\0<\x20\x29", 6), 0644, tagged + msg(9235)},
        // Sparse files: found out at once, without reading gigabytes.
        {"3 GB page holding NULs", "<P>", 0644, tagged + msg(9230), qint64(3) << 30},
        {"UTF-16 page too long for the editor", "\xFF\xFE", 0644, tagged + msg(9231), qint64(4100) << 20},
        {"page larger than any page", "<P>", 0644, tagged + msg(9231), MaxPageFileBytes + 1},
        {"no such file", {}, 0, tagged + msg(9232), NoFile},
        {"folder", {}, 0, tagged + msg(9234), Folder},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(path);
        QDir(path).removeRecursively();
        if (c.sparseSize == Folder) {
            ASSERT_TRUE(QDir().mkdir(path));
        } else if (c.sparseSize != NoFile) {
            writeAll(path, c.bytes);
            if (c.sparseSize > 0) {
                ASSERT_EQ(::truncate(QFile::encodeName(path).constData(), c.sparseSize), 0);
            }
            ::chmod(QFile::encodeName(path).constData(), c.mode);
        }
        QElapsedTimer clock;
        clock.start();
        CaptureStderr();
        EXPECT_EQ(compact(path), 1);
        EXPECT_EQ(str(QString::fromStdString(GetCapturedStderr())), str(c.told + QLatin1Char('\n')));
        EXPECT_LT(clock.elapsed(), 5000);
        if (c.sparseSize == 0) {
            EXPECT_EQ(readAll(path), c.bytes);
        }
    }
}

// A Windows-1252 page whose converted bytes would be taken for UTF-8 on the
// next open keeps its old bytes: its text would change otherwise.
TEST(BatchSafety, APageThatWouldReadBackAsAnotherEncodingIsNotRewritten)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.htm"));
    const QByteArray page = "<P>\xE9&copy;&copy;</P>\r\n"; // would become E9 A9 A9, valid UTF-8
    writeAll(path, page);
    EXPECT_EQ(runBatchMode({QStringLiteral("tessaline"), QStringLiteral("--from-entities"), path}), 1);
    EXPECT_EQ(readAll(path), page);

    // The same conversion where the bytes stay Windows-1252 goes through.
    writeAll(path, "<P>\xE9 &copy;</P>\r\n");
    EXPECT_EQ(runBatchMode({QStringLiteral("tessaline"), QStringLiteral("--from-entities"), path}), 0);
    EXPECT_EQ(readAll(path), QByteArray("<P>\xE9 \xA9</P>\r\n"));
}

TEST(BatchSafety, ARewrittenPageKeepsItsOwnerAndPermissions)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.htm"));
    writeAll(path, Page);
    const QByteArray name = QFile::encodeName(path);
    ::chmod(name.constData(), 0664);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(name.constData(), 4321, 8765), 0);
    }
    EXPECT_EQ(compact(path), 0);
    EXPECT_EQ(readAll(path), Compacted);
    struct stat st;
    ASSERT_EQ(::stat(name.constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0664u);
    if (root) {
        EXPECT_EQ(st.st_uid, 4321u);
        EXPECT_EQ(st.st_gid, 8765u);
    }
}

TEST(BatchSafety, AFullDiskFailsTheRunAndKeepsThePage)
{
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p.htm"));
        writeAll(path, Page);
        FileSizeLimit limit(8);
        EXPECT_EQ(compact(path), 1);
        EXPECT_EQ(readAll(path), Page);
    }
    FullFileSystem disk;
    if (!disk.isReady())
        GTEST_SKIP() << "a tmpfs can be mounted only by the administrator";
    const QString path = disk.filePath(QStringLiteral("p.htm"));
    writeAll(path, Page);
    disk.fill();
    EXPECT_EQ(compact(path), 1);
    EXPECT_EQ(readAll(path), Page);
}
