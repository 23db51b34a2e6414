#include "core/wholetext/pagemapping.h"

#include "core/text/busguard.h"

#include <QFile>

#ifdef Q_OS_LINUX
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>
#endif

#ifdef Q_OS_LINUX
namespace {

// File systems whose files are plain pages in the file cache. Others (the
// kernel's own, network and device ones) are read the usual way.
bool mappableFileSystem(int fd)
{
    struct statfs fs;
    if (::fstatfs(fd, &fs) != 0)
        return false;
    switch (static_cast<unsigned long>(fs.f_type)) {
    case 0xEF53UL:     // ext2, ext3, ext4
    case 0x58465342UL: // XFS
    case 0x9123683EUL: // Btrfs
    case 0x01021994UL: // tmpfs
    case 0xF2F52010UL: // F2FS
    case 0x794C7630UL: // overlay
        return true;
    default:
        return false;
    }
}

} // namespace
#endif

PageMapping::~PageMapping()
{
    close();
}

bool PageMapping::open(const QString &path, qint64 maxBytes)
{
    close();
#ifdef Q_OS_LINUX
    if (path.isEmpty())
        return false;
    // Opened without waiting, and anything but a regular file is closed again
    // before a byte is read.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > maxBytes) {
        ::close(fd);
        return false;
    }
    // An empty size may hide a file the kernel makes up as it is read.
    if (st.st_size > 0 && mappableFileSystem(fd)) {
        const size_t length = size_t(st.st_size);
        // Pages of usual sizes are mapped in one go rather than a fault at a
        // time; a huge file only as far as it is read.
        constexpr size_t MappedAtOnce = 64 * 1024 * 1024;
        void *map =
            ::mmap(nullptr, length, PROT_READ, MAP_PRIVATE | (length <= MappedAtOnce ? MAP_POPULATE : 0), fd, 0);
        if (map != MAP_FAILED) {
            m_guard = BusGuard::claim(map, length);
            if (m_guard >= 0) {
                ::close(fd);
                m_bytes = QByteArrayView(static_cast<const char *>(map), qsizetype(length));
                m_stamp = fileStampOf(st);
                return true;
            }
            ::munmap(map, length);
        }
    }
    ::close(fd);
#endif
    std::optional<PageBytes> file = readPageBytes(path, maxBytes);
    if (!file)
        return false;
    m_read = std::move(file->bytes);
    m_bytes = m_read;
    m_stamp = file->stamp;
    return true;
}

void PageMapping::close()
{
#ifdef Q_OS_LINUX
    if (m_guard >= 0) {
        BusGuard::release(m_guard);
        ::munmap(const_cast<char *>(m_bytes.data()), size_t(m_bytes.size()));
    }
#endif
    m_guard = -1;
    m_bytes = {};
    m_read.clear();
    m_stamp = {};
}

bool PageMapping::shortened() const
{
#ifdef Q_OS_LINUX
    return m_guard >= 0 && BusGuard::hit(m_guard);
#else
    return false;
#endif
}
