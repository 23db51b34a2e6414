#include "core/text/pagefile.h"

#include "core/messages/messages.h"
#include "core/shell/prompts.h"
#include "core/text/documenttext.h"
#include "core/text/linestore.h"
#include "core/text/mappedfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringEncoder>
#include <QTemporaryFile>

#include <algorithm>
#include <cerrno>
#include <new>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

const QString OwnershipNotKept =
    QStringLiteral(" n'a pas été sauvegardé: son propriétaire, son groupe ou ses droits d'accès "
                   "ne pourraient pas être conservés.");
const QString ChangedSinceRead =
    QStringLiteral(" a été modifié par un autre programme depuis sa lecture; il n'a pas été réécrit.");

// Opens a regular file for reading without ever waiting: the file is opened
// without blocking and anything but a regular file (a pipe, a device, a
// folder) is closed again before a byte is read.
bool openRegularFile(const QString &path, QFile &file, FileStamp &stamp)
{
    if (path.isEmpty())
        return false;
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    stamp = fileStampOf(st);
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
#else
    if (!QFileInfo(path).isFile())
        return false;
    file.setFileName(path);
    stamp = fileStamp(path);
    return file.open(QIODevice::ReadOnly);
#endif
}

// Reads at most maxBytes; nothing when the file holds more or a read fails.
std::optional<QByteArray> readAtMost(QFile &file, qint64 reportedSize, qint64 maxBytes)
{
    if (reportedSize > maxBytes)
        return std::nullopt;
    QByteArray bytes;
    if (reportedSize > 0)
        bytes.reserve(reportedSize);
    QByteArray chunk(64 * 1024, Qt::Uninitialized);
    for (;;) {
        const qint64 n = file.read(chunk.data(), chunk.size());
        if (n < 0)
            return std::nullopt;
        if (n == 0)
            return bytes;
        if (bytes.size() + n > maxBytes)
            return std::nullopt;
        bytes.append(chunk.constData(), n);
    }
}

// A NUL, or a character that the editor would turn into a line break: a
// page holding one would not be saved back as it was read.
bool holdsRefusedCharacter(const QString &text)
{
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() == 0 || (c != u'\n' && isLineBreakMark(c)); });
}

// Gives the new file the owner, group and permissions of the one it
// replaces; false when they cannot be kept. Only strict callers (the batch
// mode, often run by root over other people's pages) refuse then; the
// author saving a page of a shared folder in the editor becomes its owner,
// as with any editor, and keeps its permissions.
bool keepOwnership(QSaveFile &file, const QString &path, bool strict)
{
#ifdef Q_OS_UNIX
    struct stat old;
    if (::stat(QFile::encodeName(path).constData(), &old) != 0)
        return errno == ENOENT; // a new file: nothing to keep
    const int fd = file.handle();
    struct stat mine;
    if (fd < 0 || ::fstat(fd, &mine) != 0)
        return false;
    if ((mine.st_uid != old.st_uid || mine.st_gid != old.st_gid) && ::fchown(fd, old.st_uid, old.st_gid) != 0 && strict)
        return false;
    // After the owner: changing it may clear the set-id bits.
    const mode_t mode = old.st_mode & 07777;
    return ::fchmod(fd, mode) == 0 || !strict;
#else
    Q_UNUSED(file);
    Q_UNUSED(path);
    Q_UNUSED(strict);
    return true;
#endif
}

// Writes a page's bytes to an open device; false, with the reason in
// failure when it has one of its own, when they could not all be written.
using Producer = std::function<bool(QIODevice &, QString &failure)>;

// Data and size on disk before the file is renamed or the call returns.
bool syncToDisk(QFileDevice &file)
{
#ifdef Q_OS_UNIX
    return file.flush() && ::fdatasync(file.handle()) == 0;
#else
    return file.flush();
#endif
}

// The number of names the file at path has; 1 when it cannot be told.
qint64 linkCount(const QString &path)
{
#ifdef Q_OS_UNIX
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISREG(st.st_mode))
        return qint64(st.st_nlink);
#else
    Q_UNUSED(path);
#endif
    return 1;
}

bool copyBytes(QFile &from, QFile &to)
{
    if (!from.seek(0))
        return false;
    QByteArray chunk(256 * 1024, Qt::Uninitialized);
    for (;;) {
        const qint64 n = from.read(chunk.data(), chunk.size());
        if (n < 0)
            return false;
        if (n == 0)
            return syncToDisk(to);
        if (to.write(chunk.constData(), n) != n)
            return false;
    }
}

// A file with other names (hard links) is written in place, so that every
// name keeps showing the page: renaming a new file over it would leave the
// other names on the old text. Its old bytes are copied beside it first and
// put back when the write fails.
SaveResult writeInPlace(const QString &path, const Producer &produce, Prompts &prompts)
{
    const QFileInfo info(path);
    QTemporaryFile kept(info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".XXXXXX"));
    QFile target(path);
    if (!kept.open() || !target.open(QIODevice::ReadOnly) || !copyBytes(target, kept)) {
        prompts.error(fileMessage(path, Texts::WriteFailed));
        return SaveResult::Failed;
    }
    target.close();
    QString failure = Texts::WriteFailed;
    if (target.open(QIODevice::WriteOnly | QIODevice::Truncate) && produce(target, failure) && syncToDisk(target)
        && target.error() == QFileDevice::NoError)
        return SaveResult::Saved;
    target.close();
    target.unsetError();
    if (!target.open(QIODevice::WriteOnly | QIODevice::Truncate) || !copyBytes(kept, target)) {
        kept.setAutoRemove(false);
        failure += msg(9100) + kept.fileName();
    }
    prompts.error(fileMessage(path, failure));
    return SaveResult::Failed;
}

// Writes the bytes of a page atomically; with unchangedSince, only over the
// very file that was read and keeping its owner, group and permissions.
SaveResult writeWith(const QString &path, const Producer &produce, Prompts &prompts, const FileStamp *unchangedSince)
{
    if (!unchangedSince && linkCount(path) > 1)
        return writeInPlace(path, produce, prompts);
    QSaveFile file(path);
    QString failure = Texts::WriteFailed;
    // Small pages stay in the file's buffer until it is flushed; a full disk
    // shows only there, and committing would not notice it.
    bool written = file.open(QIODevice::WriteOnly) && produce(file, failure) && file.flush()
                   && file.error() == QFileDevice::NoError;
    if (written && !keepOwnership(file, path, unchangedSince != nullptr)) {
        written = false;
        failure = OwnershipNotKept;
    }
    // The data reaches the disk before the last look at the old file, so
    // that the look comes just before the rename that replaces it.
    if (written && unchangedSince) {
        written = syncToDisk(file);
        if (written && fileStamp(path) != *unchangedSince) {
            written = false;
            failure = ChangedSinceRead;
        }
    }
    if (!written || !file.commit()) {
        file.cancelWriting();
        prompts.error(fileMessage(path, failure));
        return SaveResult::Failed;
    }
    return SaveResult::Saved;
}

SaveResult writeBytes(const QString &path, const QByteArray &bytes, Prompts &prompts, const FileStamp *unchangedSince,
                      const PageWriter &writer)
{
    return writeWith(
        path, [&](QIODevice &device, QString &) { return writer(device, bytes) == bytes.size(); }, prompts,
        unchangedSince);
}

// Encodes text handed in pieces and writes it to a device as it goes.
class PieceEncoder
{
public:
    PieceEncoder(QIODevice &device, FileEncoding encoding)
        : m_device(device)
        , m_encoding(encoding)
    {
        if (encoding == FileEncoding::Utf16LE || encoding == FileEncoding::Utf16BE)
            m_encoder = QStringEncoder(encoding == FileEncoding::Utf16LE ? QStringConverter::Utf16LE
                                                                         : QStringConverter::Utf16BE,
                                       QStringConverter::Flag::WriteBom);
        else if (encoding != FileEncoding::Windows1252)
            m_encoder = QStringEncoder(QStringConverter::Utf8);
        if (encoding == FileEncoding::Utf8Bom)
            m_ok = put(QByteArrayLiteral("\xEF\xBB\xBF"));
    }

    void add(QStringView piece)
    {
        if (!m_ok)
            return;
        if (m_encoding == FileEncoding::Windows1252) {
            m_ok = encodeWindows1252(piece.toString(), m_bytes) && put(m_bytes);
            return;
        }
        m_bytes = m_encoder.encode(piece);
        m_ok = put(m_bytes);
    }
    bool ok() const { return m_ok; }
    bool readsAsOtherEncoding() const
    {
        return m_encoding == FileEncoding::Windows1252 && m_readBack.readsAsOtherEncoding();
    }

private:
    bool put(const QByteArray &bytes)
    {
        if (m_encoding == FileEncoding::Windows1252)
            m_readBack.add(bytes);
        return m_device.write(bytes) == bytes.size();
    }

    QIODevice &m_device;
    FileEncoding m_encoding;
    QStringEncoder m_encoder;
    QByteArray m_bytes;
    Windows1252ReadBack m_readBack;
    bool m_ok = true;
};

// Writes the lines joined by the page's line end, in pieces of about
// PieceSize characters: never a copy of the whole text.
bool streamLines(QIODevice &device, const LineStore &lines, PageFormat format, QString &failure)
{
    constexpr qsizetype PieceSize = 64 * 1024;
    const QStringView lineBreak = lineBreakOf(format.lineEnd);
    PieceEncoder encoder(device, format.encoding);
    QString piece;
    piece.reserve(PieceSize + lineBreak.size());
    // Encoded at least once: an empty page still gets its mark.
    bool first = true;
    const auto flush = [&] {
        if (piece.isEmpty() && !first)
            return;
        encoder.add(piece);
        piece.clear();
        first = false;
    };
    for (int i = 0; i < lines.lineCount() && encoder.ok(); ++i) {
        if (i > 0)
            piece += lineBreak;
        const QStringView line = lines.line(i);
        for (qsizetype at = 0; at < line.size();) {
            const qsizetype n = std::min(line.size() - at, PieceSize - piece.size() + 1);
            piece += line.sliced(at, n);
            at += n;
            if (piece.size() >= PieceSize)
                flush();
        }
    }
    flush();
    if (encoder.readsAsOtherEncoding()) {
        failure = readBackOtherwiseText();
        return false;
    }
    return encoder.ok();
}

bool linesFitWindows1252(const LineStore &lines)
{
    for (int i = 0; i < lines.lineCount(); ++i) {
        if (!fitsWindows1252(lines.line(i)))
            return false;
    }
    return true;
}

SaveResult writePage(const QString &path, const QString &crlfText, PageFormat &format, Prompts &prompts,
                     const FileStamp *unchangedSince, const PageWriter &writer)
{
    const QString diskText = withLineEnd(crlfText, format.lineEnd);
    QByteArray bytes;
    FileEncoding encoding = format.encoding;
    if (!encodeText(diskText, encoding, bytes)) {
        if (!prompts.askYesNo(fileMessage(path, QStringLiteral(" ")) + Texts::AskWriteUtf8))
            return SaveResult::Declined;
        encoding = FileEncoding::Utf8;
        encodeText(diskText, encoding, bytes);
    }
    // Line ends made uniform (or an edit) can turn a Windows-1252 page into
    // bytes that the next open takes for UTF-16 or UTF-8: its text would
    // change. Such a page is not written; the file on disk keeps its text.
    if (!readsBackAs(bytes, encoding, diskText)) {
        prompts.error(fileMessage(path, readBackOtherwiseText()));
        return SaveResult::Failed;
    }
    const SaveResult result = writeBytes(path, bytes, prompts, unchangedSince, writer);
    if (result == SaveResult::Saved)
        format.encoding = encoding;
    return result;
}

} // namespace

#ifdef Q_OS_UNIX
FileStamp fileStampOf(const struct stat &st)
{
    FileStamp stamp;
    stamp.device = quint64(st.st_dev);
    stamp.inode = quint64(st.st_ino);
    stamp.size = qint64(st.st_size);
    stamp.modifiedNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return stamp;
}
#endif

QString readBackOtherwiseText()
{
    return QStringLiteral(" n'a pas été sauvegardé: ainsi écrit, il serait relu dans un autre encodage et son texte "
                          "changerait. Le fichier précédent est conservé.");
}

std::optional<PageBytes> readPageBytes(const QString &path, qint64 maxBytes)
{
    QFile file;
    PageBytes page;
    if (!openRegularFile(path, file, page.stamp))
        return std::nullopt;
    try {
        std::optional<QByteArray> bytes = readAtMost(file, page.stamp.size, maxBytes);
        if (!bytes)
            return std::nullopt;
        page.bytes = std::move(*bytes);
        return page;
    } catch (const std::bad_alloc &) {
        return std::nullopt;
    }
}

namespace {

// The page for a file's bytes, or nothing when it is refused; its line
// breaks made CR LF or left as read.
std::optional<LoadedPage> pageOf(QByteArrayView bytes, const FileStamp &stamp, bool crlf)
{
    try {
        LoadedPage page;
        page.stamp = stamp;
        page.format.encoding = detectAndDecode(QByteArray::fromRawData(bytes.data(), bytes.size()), page.text);
        if (page.text.size() > DocumentText::MaxLength || holdsRefusedCharacter(page.text))
            return std::nullopt;
        page.format.lineEnd = detectLineEnd(page.text);
        if (crlf)
            page.text = toCrLf(page.text);
        return page;
    } catch (const std::bad_alloc &) {
        return std::nullopt;
    }
}

// Reads a page from its file mapped in memory (no copy of its bytes), or
// through read() when it cannot be mapped or was shortened while it was
// being decoded.
std::optional<LoadedPage> readPage(const QString &path, qint64 maxBytes, bool crlf)
{
    QFile file;
    FileStamp stamp;
    if (!openRegularFile(path, file, stamp) || stamp.size > maxBytes)
        return std::nullopt;
    {
        MappedFile mapped;
        std::optional<LoadedPage> page;
        if (mapped.map(file, stamp.size)
            && mapped.read([&](QByteArrayView bytes) { page = pageOf(bytes, stamp, crlf); }))
            return page;
    }
    if (!file.seek(0))
        return std::nullopt;
#ifdef Q_OS_UNIX
    struct stat st;
    if (::fstat(file.handle(), &st) != 0)
        return std::nullopt;
    stamp = fileStampOf(st);
#endif
    try {
        const std::optional<QByteArray> bytes = readAtMost(file, stamp.size, maxBytes);
        if (!bytes)
            return std::nullopt;
        return pageOf(*bytes, stamp, crlf);
    } catch (const std::bad_alloc &) {
        return std::nullopt;
    }
}

} // namespace

std::optional<LoadedPage> pageFromBytes(const PageBytes &file)
{
    return pageOf(file.bytes, file.stamp, true);
}

std::optional<LoadedPage> loadPage(const QString &path, qint64 maxBytes)
{
    return readPage(path, maxBytes, true);
}

std::optional<LoadedPage> loadPageAsRead(const QString &path, qint64 maxBytes)
{
    return readPage(path, maxBytes, false);
}

FileStamp fileStamp(const QString &path)
{
#ifdef Q_OS_UNIX
    struct stat st;
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &st) != 0)
        return FileStamp();
    return fileStampOf(st);
#else
    const QFileInfo info(path);
    FileStamp stamp;
    if (!info.exists())
        return stamp;
    stamp.size = info.size();
    stamp.modifiedNs = info.lastModified().toMSecsSinceEpoch() * 1000000;
    return stamp;
#endif
}

bool CanOpenFile(const QString &path)
{
    QFile file;
    FileStamp stamp;
    return openRegularFile(path, file, stamp);
}

bool IsReadOnlyFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return false;
    // A file nobody may write counts as read-only even for the administrator,
    // whom the system would let write it.
    const auto writeBits = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return !info.isWritable() || !(info.permissions() & writeBits);
}

QString fileMessage(const QString &path, const QString &message)
{
    return QLatin1Char('[') + path + QLatin1Char(']') + message;
}

qint64 writeAllBytes(QIODevice &device, const QByteArray &bytes)
{
    return device.write(bytes);
}

SaveResult savePage(const QString &path, const QString &crlfText, PageFormat &format, Prompts &prompts,
                    const PageWriter &writer)
{
    return writePage(path, crlfText, format, prompts, nullptr, writer);
}

SaveResult savePage(const QString &path, const QString &crlfText, PageFormat &format, Prompts &prompts,
                    const FileStamp &unchangedSince, const PageWriter &writer)
{
    return writePage(path, crlfText, format, prompts, &unchangedSince, writer);
}

SaveResult savePage(const QString &path, const LineStore &lines, PageFormat &format, Prompts &prompts)
{
    PageFormat written = format;
    if (written.encoding == FileEncoding::Windows1252 && !linesFitWindows1252(lines)) {
        if (!prompts.askYesNo(fileMessage(path, QStringLiteral(" ")) + Texts::AskWriteUtf8))
            return SaveResult::Declined;
        written.encoding = FileEncoding::Utf8;
    }
    const SaveResult result = writeWith(
        path, [&](QIODevice &device, QString &failure) { return streamLines(device, lines, written, failure); },
        prompts, nullptr);
    if (result == SaveResult::Saved)
        format.encoding = written.encoding;
    return result;
}

SaveResult savePageBytes(const QString &path, const QByteArray &bytes, Prompts &prompts,
                         const FileStamp &unchangedSince, const PageWriter &writer)
{
    return writeBytes(path, bytes, prompts, &unchangedSince, writer);
}

SaveResult savePageBytesKeepingLinks(const QString &path, const QByteArray &bytes, Prompts &prompts,
                                     const FileStamp &unchangedSince)
{
    if (linkCount(path) <= 1)
        return writeBytes(path, bytes, prompts, &unchangedSince, writeAllBytes);
    if (fileStamp(path) != unchangedSince) {
        prompts.error(fileMessage(path, ChangedSinceRead));
        return SaveResult::Failed;
    }
    return writeInPlace(
        path, [&](QIODevice &device, QString &) { return writeAllBytes(device, bytes) == bytes.size(); }, prompts);
}

QString backupName(const QString &path)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString base = dot > 0 ? name.left(dot) : name;
    const QString folder = path.left(path.size() - name.size());
    return folder + base + QStringLiteral(".bak");
}

void MakeBackup(const QString &path)
{
    if (!QFileInfo::exists(path))
        return;
    const QString backup = backupName(path);
    if (backup == path)
        return;
    QFile::remove(backup);
    // A copy rather than a rename: the page itself stays in place until the
    // new text has been written completely.
    QFile::copy(path, backup);
}
