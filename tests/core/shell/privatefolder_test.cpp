#include "core/shell/handoverprotocol.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

mode_t modeOf(const QString &path)
{
    struct stat st
    {
    };
    ::lstat(QFile::encodeName(path).constData(), &st);
    return st.st_mode & 07777;
}

} // namespace

TEST(PrivateFolder, OnlyAFolderOfTheUserAloneIsUsed)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("neuf"));
    EXPECT_TRUE(ensurePrivateFolder(missing));
    EXPECT_EQ(modeOf(missing), 0700u);

    // The user's own folder, open to others: closed, then used.
    const QString open = dir.filePath(QStringLiteral("ouvert"));
    ASSERT_TRUE(QDir().mkdir(open));
    ::chmod(QFile::encodeName(open).constData(), 0777);
    EXPECT_TRUE(ensurePrivateFolder(open));
    EXPECT_EQ(modeOf(open), 0700u);

    // A link, even to a private folder, and a plain file are refused.
    const QString link = dir.filePath(QStringLiteral("lien"));
    ASSERT_TRUE(QFile::link(missing, link));
    EXPECT_FALSE(ensurePrivateFolder(link));
    QFile file(dir.filePath(QStringLiteral("fichier")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    EXPECT_FALSE(ensurePrivateFolder(file.fileName()));
    EXPECT_FALSE(isOwnSocket(file.fileName()));

    if (::geteuid() != 0)
        return;
    // Another account's folder, however closed, is never used.
    const QString foreign = dir.filePath(QStringLiteral("autre"));
    ASSERT_TRUE(QDir().mkdir(foreign));
    ASSERT_EQ(::chown(QFile::encodeName(foreign).constData(), 4321, 4321), 0);
    ::chmod(QFile::encodeName(foreign).constData(), 0700);
    EXPECT_FALSE(ensurePrivateFolder(foreign));
}

TEST(PrivateFolder, OnlyTheUsersOwnSocketCounts)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("s"));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    ASSERT_LT(size_t(name.size()), sizeof address.sun_path);
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
    EXPECT_TRUE(isOwnSocket(path));
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(name.constData(), 4321, 4321), 0);
        EXPECT_FALSE(isOwnSocket(path));
    }
    ::close(fd);
    EXPECT_FALSE(isOwnSocket(dir.filePath(QStringLiteral("absent"))));
}
