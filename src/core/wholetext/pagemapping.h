#pragma once

#include "core/text/pagefile.h"

#include <QByteArray>
#include <QByteArrayView>

// A page file's bytes for a pass that only reads them: mapped into memory
// straight from the system's file cache where the file system is a local
// disk or memory one (no copy, no memory of our own to fill), read with
// readPageBytes otherwise. The rules of readPageBytes hold either way:
// regular files only, at most maxBytes.
//
// Another program may cut a mapped file short while it is read. The bytes
// past its new end then read as zeros instead of stopping the program, and
// shortened() tells that nothing computed from them may be written.
class PageMapping
{
public:
    PageMapping() = default;
    ~PageMapping();
    PageMapping(const PageMapping &) = delete;
    PageMapping &operator=(const PageMapping &) = delete;

    // False when the file cannot be read under those rules.
    bool open(const QString &path, qint64 maxBytes = MaxPageFileBytes);
    void close();

    QByteArrayView bytes() const { return m_bytes; }
    const FileStamp &stamp() const { return m_stamp; }
    bool isMapped() const { return m_guard >= 0; }
    bool shortened() const;

private:
    QByteArrayView m_bytes;
    QByteArray m_read; // the bytes when they could not be mapped
    FileStamp m_stamp;
    int m_guard = -1; // the mapping's slot among the guarded ones
};
