#include "core/recovery/recoveryfolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

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
        sample(QStringLiteral("/dossier à/un nom: bizarre%41.htm"), QStringLiteral("x\r\n\r\n"),
               PageFormat{FileEncoding::Windows1252, LineEnd::Lf}),
        sample(QStringLiteral("/p.html"), QStringLiteral("\n\n"), PageFormat{FileEncoding::Utf16BE, LineEnd::Cr}),
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

// The caption is shown to the author and the page is later saved under it:
// only a bare name or a clean absolute path on one line is taken.
TEST(RecoveryCopy, RefusesCaptionsThatAreNotOnePlainPath)
{
    const struct
    {
        const char *caption;
        bool taken;
    } cases[] = {
        {"SansNom.html", true},
        {"/site/été.htm", true},
        {"/site/un nom.htm", true},
        {"/site/a\nOui pour tout effacer.htm", false},
        {"/site/a\r.htm", false},
        {"/site/a\xE2\x80\xA8"
         "b.htm",
         false},                              // line separator
        {"/site/\xE2\x80\xAEmth.exe", false}, // right-to-left override
        {"relatif/page.htm", false},
        {"../page.htm", false},
        {"/site/../etc/page.htm", false},
        {"/site//page.htm", false},
        {"/site/", false},
        {"C:\\pages\\p.html", false},
    };
    for (const auto &c : cases) {
        const RecoveryCopy copy = sample(QString::fromUtf8(c.caption), QStringLiteral("x"));
        EXPECT_EQ(decodeRecoveryCopy(encodeRecoveryCopy(copy)).has_value(), c.taken) << c.caption;
    }
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

// A link in place of the root or of "damaged/" is never followed: the
// target's permissions stay as they were and no copy goes into it. A damaged
// copy that cannot be set aside stays where it was, with its folder.
TEST_F(RecoveryFolderTest, LinksInPlaceOfItsFoldersAreRefused)
{
    const QString target = dir.filePath(QStringLiteral("elsewhere"));
    ASSERT_TRUE(QDir().mkpath(target));
    const QFileDevice::Permissions open = QFile::permissions(target);

    ASSERT_TRUE(QFile::link(target, root()));
    RecoveryFolder linked(root());
    EXPECT_FALSE(linked.start());
    EXPECT_EQ(linked.problem(), RecoveryProblem::SymbolicLink);
    EXPECT_EQ(QFile::permissions(target), open);
    EXPECT_TRUE(QDir(target).isEmpty());
    ASSERT_TRUE(QFile::remove(root()));

    const QString ended = QDir(root()).filePath(QStringLiteral("20260101000000000-1-ended"));
    ASSERT_TRUE(QDir().mkpath(ended));
    ASSERT_TRUE(writeRecoveryCopy(ended + QStringLiteral("/1.page"), sample("/a.htm", "un")));
    QFile damaged(ended + QStringLiteral("/2.page"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("TESSALINE-RECOVERY 1\ncoupé");
    damaged.close();
    ASSERT_TRUE(QFile::link(target, QDir(root()).filePath(QStringLiteral("damaged"))));
    RecoveryFolder next(root());
    ASSERT_TRUE(next.start());
    const RecoveryFolder::LeftOvers found = next.takeLeftOvers();
    EXPECT_EQ(found.pages.size(), 1u);
    EXPECT_EQ(found.damaged, QStringList{damaged.fileName()});
    next.discardLeftOvers();
    EXPECT_TRUE(QDir(target).isEmpty());
    EXPECT_EQ(QFile::permissions(target), open);
    EXPECT_TRUE(damaged.exists());
    EXPECT_FALSE(QFile::exists(ended + QStringLiteral("/1.page")));
}

// A recovery folder left owned by the administrator (after a run under
// sudo) is told as such to the user who cannot write it.
TEST_F(RecoveryFolderTest, FolderOfAnotherUserIsToldAsNotAllowed)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs the administrator, to act as another user";
    ASSERT_TRUE(QDir().mkpath(root()));
    QFile::setPermissions(dir.path(), QFile::permissions(dir.path()) | QFileDevice::ExeOther | QFileDevice::ReadOther);
    QFile::setPermissions(root(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                      | QFileDevice::ReadOther | QFileDevice::ExeOther);
    ASSERT_EQ(::seteuid(65534), 0);
    RecoveryFolder folder(root());
    const bool started = folder.start();
    const RecoveryProblem problem = folder.problem();
    ASSERT_EQ(::seteuid(0), 0);
    EXPECT_FALSE(started);
    EXPECT_EQ(problem, RecoveryProblem::NotAllowed);
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
