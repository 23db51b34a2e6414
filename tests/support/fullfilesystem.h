#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <csignal>

#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

// A small file system with no room left, for writes that must fail as they
// do on a full disk: a tmpfs, which only the administrator may mount.
// isReady() is false where that is not allowed; tests then skip.
class FullFileSystem
{
public:
    FullFileSystem()
    {
        if (::geteuid() != 0 || !m_dir.isValid())
            return;
        const QByteArray where = QFile::encodeName(m_dir.path());
        m_mounted = ::mount("tmpfs", where.constData(), "tmpfs", 0, "size=64k") == 0;
    }
    ~FullFileSystem()
    {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
    }
    FullFileSystem(const FullFileSystem &) = delete;
    FullFileSystem &operator=(const FullFileSystem &) = delete;

    bool isReady() const { return m_mounted; }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

    // Takes up every byte still free.
    void fill()
    {
        QFile filler(filePath(QStringLiteral("filler")));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return;
        const QByteArray block(4096, 'x');
        while (filler.write(block) > 0) {
        }
        filler.write("x", 1);
    }

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
};

// While it lives, no file this process writes may grow beyond the limit: a
// write past it fails (its signal ignored), as on a full disk, without any
// privilege.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_saved);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = m_saved;
        limited.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit m_saved{};
    void (*m_oldHandler)(int) = nullptr;
};
