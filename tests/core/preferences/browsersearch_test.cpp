#include "core/preferences/browsersearch.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

// A tree with programs of both families, decoys and a link loop:
//   a/firefox            program of the first family
//   a/loop -> ..         link back to the top of the tree
//   b/deep/Firefox-ESR   program (names are compared without regard to case)
//   b/firefox.sh         decoy: another name
//   c/firefox/           decoy: a folder with the name
//   c/notes/firefox      decoy: a file without execute permission
//   d/chromium           program of the second family
//   e -> a               link to a folder reached anyway
class ProgramTree
{
public:
    ProgramTree()
    {
        root = dir.path();
        program(QStringLiteral("a/firefox"));
        program(QStringLiteral("b/deep/Firefox-ESR"));
        program(QStringLiteral("b/firefox.sh"));
        QDir(root).mkpath(QStringLiteral("c/firefox"));
        file(QStringLiteral("c/notes/firefox"), QFile::ReadOwner | QFile::WriteOwner);
        program(QStringLiteral("d/chromium"));
        QFile::link(root, root + QStringLiteral("/a/loop"));
        QFile::link(root + QStringLiteral("/a"), root + QStringLiteral("/e"));
    }

    void program(const QString &path)
    {
        file(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ExeUser);
    }
    void file(const QString &path, QFile::Permissions permissions)
    {
        const QString full = root + u'/' + path;
        QDir().mkpath(QFileInfo(full).absolutePath());
        QFile f(full);
        f.open(QIODevice::WriteOnly);
        f.write("#!/bin/sh\n");
        f.close();
        f.setPermissions(permissions);
    }

    QTemporaryDir dir;
    QString root;
};

QStringList runSearch(const QString &root, int family, const ProgramSearch::HitHandler &extra = {},
                      std::atomic<bool> *stopFlag = nullptr)
{
    std::atomic<bool> noStop = false;
    QStringList hits;
    const int count = ProgramSearch(browserProgramNames(family))
                          .run(
                              root,
                              [&](const QString &path) {
                                  hits << path;
                                  if (extra)
                                      extra(path);
                              },
                              stopFlag ? *stopFlag : noStop);
    EXPECT_EQ(count, hits.size());
    return hits;
}

} // namespace

TEST(BrowserSearch, ProgramNamesAreRecognisedWithoutRegardToCase)
{
    const struct
    {
        const char *path;
        int family;
    } cases[] = {
        {"/usr/bin/firefox", 1},      {"/opt/FIREFOX", 1},       {"/usr/bin/firefox-esr", 1},
        {"/usr/bin/chromium", 2},     {"Google-Chrome", 2},      {"/opt/google/chrome/chrome", 2},
        {"/usr/bin/firefox.sh", 0},   {"/usr/bin/chromium/", 0}, {"", 0},
        {"/usr/bin/netscape.exe", 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(browserFamilyOfProgram(QString::fromLatin1(c.path)), c.family) << c.path;
}

TEST(BrowserSearch, FindsEachProgramOnceThroughLinkLoops)
{
    ProgramTree tree;
    ASSERT_TRUE(tree.dir.isValid());
    const struct
    {
        int family;
        QStringList expected;
    } cases[] = {
        {1, {tree.root + QStringLiteral("/a/firefox"), tree.root + QStringLiteral("/b/deep/Firefox-ESR")}},
        {2, {tree.root + QStringLiteral("/d/chromium")}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(runSearch(tree.root, c.family), c.expected) << c.family;
}

TEST(BrowserSearch, StopEndsTheSearchAtTheNextEntry)
{
    ProgramTree tree;
    std::atomic<bool> stop = false;
    const QStringList hits = runSearch(
        tree.root, 1, [&](const QString &) { stop = true; }, &stop);
    EXPECT_EQ(hits, QStringList{tree.root + QStringLiteral("/a/firefox")});
}

TEST(BrowserSearch, FoldersThatVanishDuringTheSearchAreSkipped)
{
    ProgramTree tree;
    const QStringList hits =
        runSearch(tree.root, 1, [&](const QString &) { QDir(tree.root + QStringLiteral("/b")).removeRecursively(); });
    EXPECT_EQ(hits, QStringList{tree.root + QStringLiteral("/a/firefox")});
    EXPECT_EQ(runSearch(tree.root + QStringLiteral("/missing"), 1), QStringList());
}

TEST(BrowserSearch, UnreadableFoldersAreSkipped)
{
    // Root reads every folder whatever its permissions, so this only means
    // something for an ordinary user.
    if (::geteuid() == 0)
        GTEST_SKIP() << "running as root: permissions do not hide a folder";
    ProgramTree tree;
    const QString d = tree.root + QStringLiteral("/d");
    QFile::setPermissions(d, QFile::WriteOwner);
    EXPECT_EQ(runSearch(tree.root, 2), QStringList());
    EXPECT_EQ(runSearch(tree.root, 1).size(), 2);
    QFile::setPermissions(d, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST(BrowserSearch, ThreadDeliversHitsThenTheEnd)
{
    ProgramTree tree;
    BrowserSearchThread thread;
    QStringList hits;
    int finishedWith = -1;
    QEventLoop loop;
    QObject::connect(&thread, &BrowserSearchThread::found, &loop, [&](const QString &path) { hits << path; });
    QObject::connect(&thread, &BrowserSearchThread::searchFinished, &loop, [&](int count) {
        finishedWith = count;
        loop.quit();
    });
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    thread.startSearch(tree.root, 1);
    loop.exec();
    EXPECT_EQ(finishedWith, 2);
    EXPECT_EQ(hits.size(), 2);
    EXPECT_FALSE(thread.wasStopped());

    // A second search on the same thread, stopped at once: it ends.
    thread.startSearch(tree.root, 2);
    thread.stopAndWait();
    EXPECT_TRUE(thread.isFinished());
}
