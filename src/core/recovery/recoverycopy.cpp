#include "core/recovery/recoverycopy.h"

#include <QCryptographicHash>
#include <QDir>
#include <QSaveFile>
#include <QStringDecoder>
#include <QUrl>

#include <array>
#include <utility>

namespace {

const QByteArray Magic = QByteArrayLiteral("TESSALINE-RECOVERY 1");

const std::array<std::pair<FileEncoding, const char *>, 5> Encodings = {{
    {FileEncoding::Utf8, "utf-8"},
    {FileEncoding::Utf8Bom, "utf-8-bom"},
    {FileEncoding::Utf16LE, "utf-16le"},
    {FileEncoding::Utf16BE, "utf-16be"},
    {FileEncoding::Windows1252, "windows-1252"},
}};
const std::array<std::pair<LineEnd, const char *>, 3> LineEnds = {{
    {LineEnd::CrLf, "crlf"},
    {LineEnd::Lf, "lf"},
    {LineEnd::Cr, "cr"},
}};

template<typename Enum, size_t N>
QByteArray nameOf(const std::array<std::pair<Enum, const char *>, N> &table, Enum value)
{
    for (const auto &[v, name] : table)
        if (v == value)
            return name;
    return table[0].second;
}

template<typename Enum, size_t N>
std::optional<Enum> valueOf(const std::array<std::pair<Enum, const char *>, N> &table, const QByteArray &name)
{
    for (const auto &[v, n] : table)
        if (name == n)
            return v;
    return std::nullopt;
}

} // namespace

bool isRecoverableCaption(const QString &caption)
{
    if (caption.isEmpty())
        return false;
    // One line of ordinary characters: the caption is shown in a list and in
    // the window's title, where a control character or a line or paragraph
    // separator would make it read as something else.
    for (const QChar c : caption) {
        const QChar::Category category = c.category();
        if (category == QChar::Other_Control || category == QChar::Separator_Line
            || category == QChar::Separator_Paragraph || category == QChar::Other_Format)
            return false;
    }
    // A page never saved has a bare name; a saved one its full path, which
    // the page is later saved to, so it must be what it says: absolute,
    // without "." or ".." parts or doubled separators.
    if (!caption.contains(u'/') && !caption.contains(u'\\'))
        return true;
    return caption.startsWith(u'/') && QDir::cleanPath(caption) == caption;
}

QByteArray encodeRecoveryCopy(const RecoveryCopy &copy)
{
    const QByteArray body = copy.text.toUtf8();
    QByteArray out = Magic + '\n';
    out += "caption: " + QUrl::toPercentEncoding(copy.caption) + '\n';
    out += "encoding: " + nameOf(Encodings, copy.format.encoding) + '\n';
    out += "line-end: " + nameOf(LineEnds, copy.format.lineEnd) + '\n';
    out += "length: " + QByteArray::number(body.size()) + '\n';
    out += "sha256: " + QCryptographicHash::hash(body, QCryptographicHash::Sha256).toHex() + '\n';
    out += '\n';
    out += body;
    return out;
}

std::optional<RecoveryCopy> decodeRecoveryCopy(const QByteArray &bytes)
{
    const qsizetype headerEnd = bytes.indexOf("\n\n");
    if (headerEnd < 0)
        return std::nullopt;
    const QList<QByteArray> lines = bytes.left(headerEnd).split('\n');
    if (lines.size() != 6 || lines[0] != Magic)
        return std::nullopt;
    const char *keys[] = {"caption: ", "encoding: ", "line-end: ", "length: ", "sha256: "};
    QByteArray values[5];
    for (int i = 0; i < 5; ++i) {
        if (!lines[i + 1].startsWith(keys[i]))
            return std::nullopt;
        values[i] = lines[i + 1].mid(qsizetype(qstrlen(keys[i])));
    }
    const QByteArray body = bytes.mid(headerEnd + 2);
    bool lengthOk = false;
    const qlonglong length = values[3].toLongLong(&lengthOk);
    if (!lengthOk || length != body.size()
        || values[4] != QCryptographicHash::hash(body, QCryptographicHash::Sha256).toHex())
        return std::nullopt;
    const auto encoding = valueOf(Encodings, values[1]);
    const auto lineEnd = valueOf(LineEnds, values[2]);
    if (!encoding || !lineEnd)
        return std::nullopt;

    RecoveryCopy copy;
    copy.caption = QUrl::fromPercentEncoding(values[0]);
    if (!isRecoverableCaption(copy.caption))
        return std::nullopt;
    QStringDecoder utf8(QStringDecoder::Utf8);
    copy.text = utf8.decode(body);
    if (utf8.hasError())
        return std::nullopt;
    copy.format = PageFormat{*encoding, *lineEnd};
    return copy;
}

bool writeRecoveryCopy(const QString &path, const RecoveryCopy &copy)
{
    const QByteArray bytes = encodeRecoveryCopy(copy);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // Owner only: the copy holds the user's unsaved work.
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
