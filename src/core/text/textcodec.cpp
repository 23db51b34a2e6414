#include "core/text/textcodec.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
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

namespace {

// Decodes bytes that must come back unchanged when the text is encoded again
// (a mark at their start kept as a character). False for bytes that the
// encoding cannot hold exactly: invalid sequences, an odd byte of UTF-16.
bool decodeExactly(QStringConverter::Encoding encoding, QByteArrayView bytes, QString &text)
{
    const auto flags = QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom;
    QStringDecoder decoder(encoding, flags);
    QString decoded = decoder.decode(bytes);
    if (decoder.hasError())
        return false;
    // The UTF-8 decoder reports every form that would not come back as read
    // (overlong forms, surrogates, code points past U+10FFFF, cut
    // sequences), so what it takes without error comes back unchanged.
    if (encoding == QStringConverter::Utf8) {
        text = std::move(decoded);
        return true;
    }
    // Encoded again part by part and compared as it goes: no second copy of
    // a large page. Parts never split a surrogate pair.
    constexpr qsizetype PartSize = 64 * 1024;
    QStringEncoder encoder(encoding, flags);
    qsizetype at = 0;
    for (qsizetype i = 0; i < decoded.size();) {
        qsizetype n = std::min(PartSize, decoded.size() - i);
        if (i + n < decoded.size() && decoded.at(i + n - 1).isHighSurrogate())
            --n;
        const QByteArray again = encoder.encode(QStringView(decoded).sliced(i, n));
        if (encoder.hasError() || again.size() > bytes.size() - at
            || QByteArrayView(again) != bytes.sliced(at, again.size()))
            return false;
        at += again.size();
        i += n;
    }
    if (at != bytes.size())
        return false;
    text = std::move(decoded);
    return true;
}

} // namespace

FileEncoding detectAndDecode(const QByteArray &bytes, QString &text)
{
    const QByteArrayView view(bytes);
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        if (decodeExactly(QStringConverter::Utf8, view.sliced(3), text))
            return FileEncoding::Utf8Bom;
    } else if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        const bool little = bytes.at(0) == '\xFF';
        if (decodeExactly(little ? QStringConverter::Utf16LE : QStringConverter::Utf16BE, view.sliced(2), text))
            return little ? FileEncoding::Utf16LE : FileEncoding::Utf16BE;
    } else if (decodeExactly(QStringConverter::Utf8, view, text)) {
        return FileEncoding::Utf8;
    }
    // Every byte is a Windows-1252 character and comes back as itself, so a
    // page whose marked encoding does not hold is still read without loss.
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

bool readsBackAs(const QByteArray &bytes, FileEncoding encoding, const QString &text)
{
    if (encoding != FileEncoding::Windows1252)
        return true;
    const bool marked =
        bytes.startsWith("\xEF\xBB\xBF") || bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
    // Neither marked nor UTF-8: read as Windows-1252 again, byte for byte.
    if (!marked && !QByteArrayView(bytes).isValidUtf8())
        return true;
    QString again;
    return detectAndDecode(bytes, again) == encoding || again == text;
}

void Windows1252ReadBack::add(QByteArrayView piece)
{
    if (m_head.size() < 3)
        m_head += piece.first(std::min<qsizetype>(3 - m_head.size(), piece.size()));
    m_size += piece.size();
    if (!m_nonAscii)
        m_nonAscii = std::any_of(piece.begin(), piece.end(), [](char c) { return uchar(c) >= 0x80; });
    if (!m_validUtf8)
        return;
    QByteArray chunk = m_carry + piece.toByteArray();
    // A sequence that the next piece may complete waits for it.
    qsizetype cut = chunk.size();
    for (qsizetype i = chunk.size() - 1; i >= std::max<qsizetype>(0, chunk.size() - 3); --i) {
        const uchar c = uchar(chunk.at(i));
        if ((c & 0xC0) == 0x80)
            continue;
        const qsizetype length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        if (chunk.size() - i < length)
            cut = i;
        break;
    }
    m_carry = chunk.mid(cut);
    m_validUtf8 = QByteArrayView(chunk).first(cut).isValidUtf8();
}

bool Windows1252ReadBack::readsAsOtherEncoding() const
{
    const bool validUtf8 = m_validUtf8 && m_carry.isEmpty();
    if (m_head.startsWith("\xEF\xBB\xBF"))
        return validUtf8;
    if (m_head.startsWith("\xFF\xFE") || m_head.startsWith("\xFE\xFF"))
        return m_size % 2 == 0;
    // Plain ASCII reads back as the same characters whatever it is taken for.
    return validUtf8 && m_nonAscii;
}

LineEnd detectLineEnd(const QString &text)
{
    const auto lineBreak = std::find_if(text.cbegin(), text.cend(), [](QChar c) { return c == u'\r' || c == u'\n'; });
    if (lineBreak == text.cend())
        return LineEnd::CrLf;
    const qsizetype i = lineBreak - text.cbegin();
    if (text.at(i) == u'\n')
        return LineEnd::Lf;
    return (i + 1 < text.size() && text.at(i + 1) == u'\n') ? LineEnd::CrLf : LineEnd::Cr;
}

QStringView lineBreakOf(LineEnd lineEnd)
{
    switch (lineEnd) {
    case LineEnd::Lf:
        return u"\n";
    case LineEnd::Cr:
        return u"\r";
    case LineEnd::CrLf:
        break;
    }
    return u"\r\n";
}

QString withLineEnd(const QString &crlfText, LineEnd lineEnd)
{
    if (lineEnd == LineEnd::CrLf)
        return crlfText;
    QString result = crlfText;
    result.replace(QStringLiteral("\r\n"), lineEnd == LineEnd::Lf ? QStringLiteral("\n") : QStringLiteral("\r"));
    return result;
}
