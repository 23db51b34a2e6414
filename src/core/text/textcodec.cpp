#include "core/text/textcodec.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringEncoder>

#include <array>

namespace {

// Characters of bytes 0x80..0x9F; undefined bytes keep their C1 value.
constexpr std::array<char16_t, 32> HighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

int windows1252Byte(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < int(HighControls.size()); ++i) {
        if (HighControls[i] == c)
            return 0x80 + i;
    }
    return -1;
}

} // namespace

QString decodeWindows1252(const QByteArray &bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        *out++ = (b >= 0x80 && b < 0xA0) ? QChar(HighControls[b - 0x80]) : QChar(b);
    }
    return text;
}

bool encodeWindows1252(const QString &text, QByteArray &out)
{
    out.resize(text.size());
    char *p = out.data();
    for (const QChar c : text) {
        const int b = windows1252Byte(c.unicode());
        if (b < 0)
            return false;
        *p++ = char(b);
    }
    return true;
}

bool fitsWindows1252(const QString &text)
{
    for (const QChar c : text) {
        if (windows1252Byte(c.unicode()) < 0)
            return false;
    }
    return true;
}

FileEncoding detectAndDecode(const QByteArray &bytes, QString &text)
{
    // The mark is cut off here; a second one after it is a character of the
    // text (a zero-width no-break space), which the decoders must keep.
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        QStringDecoder decoder(QStringConverter::Utf8,
                               QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
        text = decoder.decode(QByteArrayView(bytes).sliced(3));
        return FileEncoding::Utf8Bom;
    }
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        const bool little = bytes.at(0) == '\xFF';
        QStringDecoder decoder(little ? QStringConverter::Utf16LE : QStringConverter::Utf16BE,
                               QStringConverter::Flag::ConvertInitialBom);
        text = decoder.decode(bytes.mid(2));
        return little ? FileEncoding::Utf16LE : FileEncoding::Utf16BE;
    }
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString decoded = utf8.decode(bytes);
    if (!utf8.hasError()) {
        text = std::move(decoded);
        return FileEncoding::Utf8;
    }
    text = decodeWindows1252(bytes);
    return FileEncoding::Windows1252;
}

bool encodeText(const QString &text, FileEncoding encoding, QByteArray &out)
{
    switch (encoding) {
    case FileEncoding::Windows1252:
        return encodeWindows1252(text, out);
    case FileEncoding::Utf8:
        out = text.toUtf8();
        return true;
    case FileEncoding::Utf8Bom:
        out = QByteArray("\xEF\xBB\xBF") + text.toUtf8();
        return true;
    case FileEncoding::Utf16LE:
    case FileEncoding::Utf16BE: {
        const bool little = encoding == FileEncoding::Utf16LE;
        QStringEncoder encoder(little ? QStringConverter::Utf16LE : QStringConverter::Utf16BE,
                               QStringConverter::Flag::WriteBom);
        out = encoder.encode(text);
        return true;
    }
    }
    return false;
}

LineEnd detectLineEnd(const QString &text)
{
    const qsizetype i = text.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
    if (i < 0)
        return LineEnd::CrLf;
    if (text.at(i) == u'\n')
        return LineEnd::Lf;
    return (i + 1 < text.size() && text.at(i + 1) == u'\n') ? LineEnd::CrLf : LineEnd::Cr;
}

QString withLineEnd(const QString &crlfText, LineEnd lineEnd)
{
    if (lineEnd == LineEnd::CrLf)
        return crlfText;
    QString result = crlfText;
    result.replace(QStringLiteral("\r\n"), lineEnd == LineEnd::Lf ? QStringLiteral("\n") : QStringLiteral("\r"));
    return result;
}
