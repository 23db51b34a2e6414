#include "core/project/projectfile.h"
#include "support/qstringprinter.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct ParseCase
{
    const char *name;
    QByteArray bytes;
    QStringList paths;
    int master;
};

} // namespace

TEST(ProjectFileTest, ReadsPathsAndMasterFromEveryShapeOfFile)
{
    const QByteArray longLine(1 << 20, 'a');
    const ParseCase cases[] = {
        {"empty file", "", {}, -1},
        {"two pages, second master", "/s/a.htm\r\n/s/b.htm\r\n1", {"/s/a.htm", "/s/b.htm"}, 1},
        {"line end after the master", "/s/a.htm\r\n0\r\n", {"/s/a.htm"}, 0},
        {"LF and CR line ends", "/s/a.htm\n/s/b.htm\r0", {"/s/a.htm", "/s/b.htm"}, 0},
        {"no master line: the last path is kept", "/s/a.htm\r\n/s/b.htm", {"/s/a.htm", "/s/b.htm"}, -1},
        {"master beyond the list", "/s/a.htm\r\n7", {"/s/a.htm"}, -1},
        {"master with blanks", "/s/a.htm\r\n 0 ", {"/s/a.htm"}, 0},
        {"Windows-1252 accents", "/s/\xe9t\xe9.htm\r\n0", {QStringLiteral("/s/été.htm")}, 0},
        {"UTF-8 accents and blanks",
         "/s/mes pages/\xc3\xa9t\xc3\xa9.htm\r\n0",
         {QStringLiteral("/s/mes pages/été.htm")},
         0},
        {"huge line", longLine + "\r\n0", {QString::fromLatin1(longLine)}, 0},
        {"binary garbage",
         QByteArray("\x00\x01\xff\r\n\x00", 6),
         {QString::fromLatin1("\x00\x01\xff", 3), QString(QChar(0))},
         -1},
    };
    for (const ParseCase &c : cases) {
        SCOPED_TRACE(c.name);
        const ProjectFileContent content = parseProjectFile(c.bytes);
        EXPECT_EQ(str(content.paths), str(c.paths));
        EXPECT_EQ(content.masterIndex, c.master);
    }
}

TEST(ProjectFileTest, WritesOneLinePerPageAndTheMasterWithoutLineEnd)
{
    EXPECT_EQ(serializeProjectFile({"/s/a.htm", "/s/b.htm"}, 1), QByteArray("/s/a.htm\r\n/s/b.htm\r\n1"));
    EXPECT_EQ(serializeProjectFile({}, -1), QByteArray());
    const QStringList accented{QStringLiteral("/s/mes pages/été.htm"), QStringLiteral("/s/ü.html")};
    const ProjectFileContent back = parseProjectFile(serializeProjectFile(accented, 1));
    EXPECT_EQ(str(back.paths), str(accented));
    EXPECT_EQ(back.masterIndex, 1);
}

TEST(ProjectFileTest, FailedWriteLeavesTheOldFileWhole)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("site.proj"));
    ASSERT_TRUE(writeFileAtomically(path, "old\r\n-1"));
    const PageWriter failing = [](QIODevice &device, const QByteArray &bytes) {
        return device.write(bytes.left(3)); // the disk fills up
    };
    EXPECT_FALSE(writeFileAtomically(path, "new contents", failing));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("old\r\n-1"));
    EXPECT_FALSE(writeFileAtomically(dir.filePath(QStringLiteral("missing/x.proj")), "x"));
}

TEST(ProjectFileTest, RefusesWhatIsNotAReadableFile)
{
    QTemporaryDir dir;
    EXPECT_FALSE(readProjectBytes(dir.filePath(QStringLiteral("none.proj"))));
    EXPECT_FALSE(readProjectBytes(dir.path()));
    EXPECT_FALSE(readProjectBytes(QString()));
}
