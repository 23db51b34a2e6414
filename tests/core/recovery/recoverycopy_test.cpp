#include "core/recovery/recoveryfolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

RecoveryCopy sample(const QString &caption, const QString &text, PageFormat format = {})
{
    return RecoveryCopy{caption, text, format};
}

TEST(RecoveryCopy, ReadsBackWhatWasWritten)
{
    const RecoveryCopy copies[] = {
        sample(QStringLiteral("/site/index.htm"), QStringLiteral("<P>été\r\n&amp;\r\n")),
        sample(QStringLiteral("SansNom.html"), QString()),
        sample(QStringLiteral("/dossier à/un\nnom: bizarre%41.htm"), QStringLiteral("x\r\n\r\n"),
               PageFormat{FileEncoding::Windows1252, LineEnd::Lf}),
        sample(QStringLiteral("C:\\pages\\p.html"), QStringLiteral("\n\n"),
               PageFormat{FileEncoding::Utf16BE, LineEnd::Cr}),
    };
    for (const RecoveryCopy &copy : copies)
        EXPECT_EQ(decodeRecoveryCopy(encodeRecoveryCopy(copy)), copy) << qPrintable(copy.caption);
}

TEST(RecoveryCopy, RefusesDamagedBytes)
{
    const QByteArray good = encodeRecoveryCopy(sample(QStringLiteral("/p.htm"), QStringLiteral("<B>gras</B>")));
    const qsizetype body = good.indexOf("\n\n") + 2;
    QByteArray flipped = good;
    flipped[body + 3] = 'X';
    // A body that hashes right but is no UTF-8.
    const QByteArray badUtf8 =
        "TESSALINE-RECOVERY 1\ncaption: %2Fp.htm\nencoding: utf-8\nline-end: crlf\nlength: 2\nsha256: "
        "eddf68639913a3cb8331cdfe7f87559e0beccf2c289c0d90ac4d89b3204004f8\n\n\xC3\x28";
    const struct
    {
        const char *what;
        QByteArray bytes;
    } cases[] = {
        {"empty", QByteArray()},
        {"cut body", good.left(good.size() - 2)},
        {"altered body", flipped},
        {"other magic", QByteArray(good).replace("RECOVERY 1", "RECOVERY 2")},
        {"unknown encoding", QByteArray(good).replace("encoding: utf-8", "encoding: ebcdic")},
        {"empty caption", QByteArray(good).replace("caption: %2Fp.htm", "caption: ")},
        {"missing header line", QByteArray(good).replace("line-end: crlf\n", "")},
        {"invalid utf-8", badUtf8},
    };
    for (const auto &c : cases)
        EXPECT_FALSE(decodeRecoveryCopy(c.bytes)) << c.what;
}

class RecoveryFolderTest : public ::testing::Test
{
protected:
    QString root() const { return dir.filePath(QStringLiteral("recovery")); }
    QStringList sessionFolders() const { return QDir(root()).entryList(QDir::Dirs | QDir::NoDotAndDotDot); }
    QTemporaryDir dir;
};

TEST_F(RecoveryFolderTest, LeftOversOfAnEndedProgramAreReadDamagedOnesSetAside)
{
    // A program that ended without cleaning up: its folder, no live lock.
    const QString ended = QDir(root()).filePath(QStringLiteral("20260101000000000-1-ended"));
    ASSERT_TRUE(QDir().mkpath(ended));
    ASSERT_TRUE(writeRecoveryCopy(ended + QStringLiteral("/10.page"), sample("/b.htm", "deux")));
    ASSERT_TRUE(writeRecoveryCopy(ended + QStringLiteral("/2.page"), sample("/a.htm", "un")));
    QFile damaged(ended + QStringLiteral("/3.page"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("TESSALINE-RECOVERY 1\ncoupé");
    damaged.close();

    RecoveryFolder running(root());
    ASSERT_TRUE(running.start());
    ASSERT_TRUE(writeRecoveryCopy(running.copyPath(1), sample("/vivant.htm", "en cours")));

    RecoveryFolder next(root());
    ASSERT_TRUE(next.start());
    const RecoveryFolder::LeftOvers found = next.takeLeftOvers();
    // The running program's copy is not taken; pages come in opening order.
    ASSERT_EQ(found.pages.size(), 2u);
    EXPECT_EQ(found.pages[0].caption, QStringLiteral("/a.htm"));
    EXPECT_EQ(found.pages[1].text, QStringLiteral("deux"));
    ASSERT_EQ(found.damaged.size(), 1);
    EXPECT_TRUE(found.damaged[0].startsWith(next.damagedFolder()));
    EXPECT_TRUE(QFile::exists(found.damaged[0]));

    next.discardLeftOvers();
    EXPECT_FALSE(QFile::exists(ended));
    EXPECT_TRUE(QFile::exists(running.copyPath(1)));
    EXPECT_EQ(sessionFolders().size(), 3); // running, next, damaged
}

TEST_F(RecoveryFolderTest, NormalEndLeavesNothing)
{
    {
        RecoveryFolder folder(root());
        ASSERT_TRUE(folder.start());
        ASSERT_TRUE(writeRecoveryCopy(folder.copyPath(1), sample("/p.htm", "x")));
    }
    EXPECT_TRUE(sessionFolders().isEmpty());
    RecoveryFolder again(root());
    ASSERT_TRUE(again.start());
    EXPECT_TRUE(again.takeLeftOvers().pages.empty());
}

} // namespace
