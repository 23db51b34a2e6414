#include "core/text/pagefile.h"

#include "core/text/documenttext.h"
#include "core/shell/prompts.h"
#include "core/messages/messages.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cstring>
#include <new>

std::optional<LoadedPage> loadPage(const QString &path)
{
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // No encoding spends more than four bytes on a character, so a larger
    // file cannot fit in a page.
    if (file.size() > qint64(DocumentText::MaxLength) * 4)
        return std::nullopt;
    try {
        const QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError)
            return std::nullopt;
        LoadedPage page;
        page.format.encoding = detectAndDecode(bytes, page.text);
        if (page.text.size() > DocumentText::MaxLength || page.text.contains(QChar(0)))
            return std::nullopt;
        page.format.lineEnd = detectLineEnd(page.text);
        page.text = toCrLf(page.text);
        return page;
    } catch (const std::bad_alloc &) {
        return std::nullopt;
    }
}

bool CanOpenFile(const QString &path)
{
    if (path.isEmpty())
        return false;
    QFile file(path);
    return QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly);
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
    const QString diskText = withLineEnd(crlfText, format.lineEnd);
    QByteArray bytes;
    FileEncoding encoding = format.encoding;
    if (!encodeText(diskText, encoding, bytes)) {
        if (!prompts.askYesNo(fileMessage(path, QStringLiteral(" ")) + Texts::AskWriteUtf8))
            return SaveResult::Declined;
        encoding = FileEncoding::Utf8;
        encodeText(diskText, encoding, bytes);
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || writer(file, bytes) != bytes.size() || !file.commit()) {
        file.cancelWriting();
        prompts.error(fileMessage(path, Texts::WriteFailed));
        return SaveResult::Failed;
    }
    format.encoding = encoding;
    return SaveResult::Saved;
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
