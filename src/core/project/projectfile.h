#pragma once

#include "core/text/pagefile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// The ".proj" file: one full path per line in list order, then the index of
// the master page in decimal on the last line, written without a line end.
// A project without pages is an empty file.
struct ProjectFileContent
{
    QStringList paths;
    int masterIndex = -1;
};

// A project file larger than this is not a project: it is refused unread.
inline constexpr qint64 MaxProjectFileBytes = 64 * 1024 * 1024;

// Reads the bytes of a project file (UTF-8, or Windows-1252 when they are
// not valid UTF-8; CR LF, LF or CR line ends). The last line is the master
// index; a last line that is not a decimal number is read as one more path
// and the project has no master. A master index outside the list means no
// master.
ProjectFileContent parseProjectFile(const QByteArray &bytes);

// The bytes of a project file, UTF-8 with CR LF line ends.
QByteArray serializeProjectFile(const QStringList &paths, int masterIndex);

// The file's bytes; nothing when it cannot be read or is too large.
std::optional<QByteArray> readProjectBytes(const QString &path);

// Replaces the file whole and atomically: the old file stays intact when any
// step fails. Returns whether the new file is in place.
bool writeFileAtomically(const QString &path, const QByteArray &bytes, const PageWriter &writer = writeAllBytes);
