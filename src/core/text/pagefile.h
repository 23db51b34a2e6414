#pragma once

#include "core/text/textcodec.h"

#include <QString>

#include <functional>
#include <optional>

class QIODevice;

class Prompts;

// How a page's file is written back: its own encoding and line ends. New
// pages are UTF-8 with CR LF.
struct PageFormat
{
    FileEncoding encoding = FileEncoding::Utf8;
    LineEnd lineEnd = LineEnd::CrLf;
};

struct LoadedPage
{
    QString text; // CR LF line breaks
    PageFormat format;
};

// Reads a page. Nothing is returned for a file that cannot be read, that
// holds NUL characters (not a text file) or that is longer than a page may be.
std::optional<LoadedPage> loadPage(const QString &path);

// The file can be opened for reading.
bool CanOpenFile(const QString &path);

// The file exists and cannot be written.
bool IsReadOnlyFile(const QString &path);

enum class SaveResult { Saved, Declined, Failed };

// Writes the bytes to the open file, returning how many were written. Tests
// put a failing one in its place to act out a full disk.
using PageWriter = std::function<qint64(QIODevice &, const QByteArray &)>;
qint64 writeAllBytes(QIODevice &device, const QByteArray &bytes);

// Writes a CR LF text atomically in the page's format; the old file stays
// intact when anything fails. When a Windows-1252 page holds a character the
// code page lacks, the user is asked whether to write it as UTF-8 (format is
// then changed); declining writes nothing. A failed write is reported.
SaveResult savePage(const QString &path, const QString &crlfText, PageFormat &format, Prompts &prompts,
                    const PageWriter &writer = writeAllBytes);

// The backup name: the file name with its extension changed to ".bak".
QString backupName(const QString &path);
// Keeps the current file as its ".bak"; any failure is ignored.
void MakeBackup(const QString &path);

// "[name]" + message: the composed message for a file.
QString fileMessage(const QString &path, const QString &message);
