#include "core/project/projectfile.h"

#include "core/text/textcodec.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// Splits at CR LF, LF or lone CR; a line end at the very end does not open
// another (empty) line.
QStringList splitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines << text.mid(start, i - start);
        if (c == u'\r' && i + 1 < size && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        lines << text.mid(start);
    return lines;
}

} // namespace

ProjectFileContent parseProjectFile(const QByteArray &bytes)
{
    ProjectFileContent content;
    QString text;
    detectAndDecode(bytes, text);
    QStringList lines = splitLines(text);
    if (lines.isEmpty())
        return content;
    const QString last = lines.takeLast();
    bool isNumber = false;
    const int index = last.trimmed().toInt(&isNumber);
    if (!isNumber && !last.trimmed().isEmpty())
        lines << last;
    content.paths = std::move(lines);
    if (isNumber && index >= 0 && index < content.paths.size())
        content.masterIndex = index;
    return content;
}

QByteArray serializeProjectFile(const QStringList &paths, int masterIndex)
{
    if (paths.isEmpty())
        return QByteArray();
    QByteArray bytes;
    for (const QString &path : paths)
        bytes += path.toUtf8() + "\r\n";
    bytes += QByteArray::number(masterIndex);
    return bytes;
}

std::optional<QByteArray> readProjectBytes(const QString &path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxProjectFileBytes)
        return std::nullopt;
    // Read as far as the file goes: asking for the largest size at once
    // would allocate and clear that much memory for every small project.
    QByteArray bytes;
    bytes.reserve(file.size());
    char chunk[64 * 1024];
    qint64 got = 0;
    while ((got = file.read(chunk, sizeof chunk)) > 0) {
        bytes.append(chunk, qsizetype(got));
        if (bytes.size() > MaxProjectFileBytes)
            return std::nullopt;
    }
    if (got < 0 || file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

bool writeFileAtomically(const QString &path, const QByteArray &bytes, const PageWriter &writer)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (writer(file, bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
