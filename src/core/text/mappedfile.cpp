#include "core/text/mappedfile.h"

#include "core/text/busguard.h"

#include <QFile>

#ifdef Q_OS_UNIX
#include <sys/mman.h>
#endif

MappedFile::~MappedFile()
{
    if (m_data)
        m_file->unmap(m_data);
}

bool MappedFile::map(QFile &file, qint64 size)
{
#ifdef Q_OS_UNIX
    if (m_data || size <= 0)
        return false;
    m_data = file.map(0, size);
    if (!m_data)
        return false;
    m_file = &file;
    m_size = size;
    // Read from start to end once: the system may read ahead.
    ::madvise(m_data, size_t(size), MADV_SEQUENTIAL);
    return true;
#else
    Q_UNUSED(file);
    Q_UNUSED(size);
    return false;
#endif
}

bool MappedFile::read(const std::function<void(QByteArrayView)> &reader) const
{
    if (!m_data)
        return false;
    const int slot = BusGuard::claim(m_data, size_t(m_size));
    if (slot < 0)
        return false;
    // Whatever way the reader leaves, the slot is freed.
    struct Release
    {
        int slot;
        ~Release() { BusGuard::release(slot); }
    } release{slot};
    reader(QByteArrayView(reinterpret_cast<const char *>(m_data), m_size));
    return !BusGuard::hit(slot);
}
