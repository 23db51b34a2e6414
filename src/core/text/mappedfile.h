#pragma once

#include <QByteArrayView>

#include <functional>

class QFile;

// An open file's bytes mapped into memory, read without a copy. Another
// program may shorten the file while it is mapped; reading the pages it no
// longer backs would end the program (SIGBUS). Reading through read() is
// safe from that (BusGuard): the bytes read as zeros instead and read()
// reports that the bytes seen were not the file's.
class MappedFile
{
public:
    MappedFile() = default;
    MappedFile(const MappedFile &) = delete;
    MappedFile &operator=(const MappedFile &) = delete;
    ~MappedFile();

    // Maps the first size bytes of the open file; false when the file cannot
    // be mapped (the caller reads it instead).
    bool map(QFile &file, qint64 size);
    // Runs reader over the mapped bytes. False when part of them vanished
    // meanwhile, or when they cannot be guarded (the caller reads the file
    // instead).
    bool read(const std::function<void(QByteArrayView)> &reader) const;

private:
    QFile *m_file = nullptr;
    uchar *m_data = nullptr;
    qint64 m_size = 0;
};
