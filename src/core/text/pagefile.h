#pragma once

#include "core/text/documenttext.h"
#include "core/text/textcodec.h"

#include <QString>

#include <functional>
#include <optional>

class QIODevice;

class LineStore;
class Prompts;

// How a page's file is written back: its own encoding and line ends. New
// pages are UTF-8 with CR LF.
struct PageFormat
{
    FileEncoding encoding = FileEncoding::Utf8;
    LineEnd lineEnd = LineEnd::CrLf;
};

// What identifies a file as it was read: a page computed from it is written
// back only while the file is still that one.
struct FileStamp
{
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = -1;
    qint64 modifiedNs = 0;
    bool operator==(const FileStamp &) const = default;
};

// The stamp of a file from what fstat or stat told of it.
struct stat;
FileStamp fileStampOf(const struct stat &st);

struct LoadedPage
{
    QString text; // CR LF line breaks (loadPageAsRead: as in the file)
    PageFormat format;
    FileStamp stamp;
};

// No encoding spends more than four bytes on a character, so a file longer
// than this cannot fit in a page.
inline constexpr qint64 MaxPageFileBytes = qint64(DocumentText::MaxLength) * 4;

// Reads a page. Nothing is returned for anything but a regular file (a pipe
// or a device is never opened for good), for a file that cannot be read,
// that is longer than maxBytes (counted as it is read, whatever size the
// file reports), that holds NUL characters (not a text file), or whose
// characters would not come back as the same bytes when it is saved
// unchanged (characters the editor takes as line breaks).
std::optional<LoadedPage> loadPage(const QString &path, qint64 maxBytes = MaxPageFileBytes);
// The same page with its line breaks left as the file has them (CR LF, LF,
// lone CR, mixed), for the editor, which takes every form as a line break:
// no second copy of a large page.
std::optional<LoadedPage> loadPageAsRead(const QString &path, qint64 maxBytes = MaxPageFileBytes);

// A page file's bytes as they are on disk, and the stamp they were read with.
struct PageBytes
{
    QByteArray bytes;
    FileStamp stamp;
};

// Reads a file's bytes under the same rules as loadPage (regular files only,
// at most maxBytes whatever the file reports) without decoding them.
std::optional<PageBytes> readPageBytes(const QString &path, qint64 maxBytes = MaxPageFileBytes);
// The page that loadPage would give for these bytes, or nothing when it
// would refuse them.
std::optional<LoadedPage> pageFromBytes(const PageBytes &file);

// The stamp of the file at path now; size -1 when there is none.
FileStamp fileStamp(const QString &path);

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
// intact when anything fails (writing, flushing, committing). When a
// Windows-1252 page holds a character the code page lacks, the user is asked
// whether to write it as UTF-8 (format is then changed); declining writes
// nothing. A page that replaces a file keeps its permissions, and its owner
// and group where the user may give them. With unchangedSince (the batch
// mode), the file must still be the one that was read and keep its owner,
// group and permissions, or nothing is written. Every failure is reported.
SaveResult savePage(const QString &path, const QString &crlfText, PageFormat &format, Prompts &prompts,
                    const PageWriter &writer = writeAllBytes);
SaveResult savePage(const QString &path, const QString &crlfText, PageFormat &format, Prompts &prompts,
                    const FileStamp &unchangedSince, const PageWriter &writer = writeAllBytes);

// The editor's save: the same rules, with the page's lines encoded and
// written as they are read, never joined into one text. A file that has
// other names (hard links) is written in place after a copy of its old
// bytes is made beside it, so that all its names keep showing the page; the
// old bytes are put back when the write fails.
SaveResult savePage(const QString &path, const LineStore &lines, PageFormat &format, Prompts &prompts);

// Writes bytes atomically over the very file that was read (unchangedSince),
// under the same rules as the strict savePage: owner, group and permissions
// kept or nothing written, every write step checked, the file looked at
// again once the new bytes are on disk, just before they replace it, and
// the old file kept on any failure, which is reported.
SaveResult savePageBytes(const QString &path, const QByteArray &bytes, Prompts &prompts,
                         const FileStamp &unchangedSince, const PageWriter &writer = writeAllBytes);

// The same for a page changed outside the editor (replacing in files): a
// file that has other names (hard links) is written in place as the
// editor's save does, once it is seen to be still the one that was read,
// so that all its names keep showing the page.
SaveResult savePageBytesKeepingLinks(const QString &path, const QByteArray &bytes, Prompts &prompts,
                                     const FileStamp &unchangedSince);

// The backup name: the file name with its extension changed to ".bak".
QString backupName(const QString &path);
// Keeps the current file as its ".bak"; any failure is ignored.
void MakeBackup(const QString &path);

// "[name]" + message: the composed message for a file.
QString fileMessage(const QString &path, const QString &message);
// Why a page was not written: its new bytes would read back as another
// encoding, so its text would change on the next open.
QString readBackOtherwiseText();
