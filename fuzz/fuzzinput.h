#pragma once

// Small helpers shared by the fuzz targets: reading numbers and texts out of
// the fuzzer's bytes, and failing loudly when a property does not hold.

#include <QByteArray>
#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// Ends the run (a crash for libFuzzer, a failure for the replay test) when a
// property of the code under test does not hold.
#define FUZZ_CHECK(condition)                                                                                          \
    do {                                                                                                               \
        if (!(condition))                                                                                              \
            fuzzFailure(#condition, __FILE__, __LINE__);                                                               \
    } while (0)

[[noreturn]] inline void fuzzFailure(const char *condition, const char *file, int line)
{
    std::fprintf(stderr, "%s:%d: property failed: %s\n", file, line, condition);
    std::fflush(stderr);
    std::abort();
}

// The characters that the bytes 0x80 to 0x9F stand for in a fuzzed text:
// line breaks of other systems, surrogate halves, case-folding oddities,
// byte-order marks, non-characters and Windows-1252 specials.
inline constexpr std::array<char16_t, 32> FuzzSpecials = {
    0x2029, 0x2028, 0x0085, 0xD800, 0xDC00, 0xD83D, 0xDE00, 0xFEFF, 0xFFFE, 0xFFFF, 0xFFFD,
    0xFDD0, 0xFDD1, 0x0130, 0x0131, 0x017F, 0x212A, 0x1E9E, 0x03A3, 0x03C2, 0x03C3, 0x2122,
    0x20AC, 0x0152, 0x2018, 0x0081, 0x009D, 0x00FF, 0x0660, 0x3000, 0x0000, 0x0178,
};

// Bytes to text: ASCII stands for itself (so "<!--", "&eacute;" and CR LF
// can be typed straight into a seed file), 0x80-0x9F pick a special
// character, 0xA0-0xFE the Latin-1 character of the same code. The text is
// never null, so that an empty text reads as an empty page or replacement.
inline QString fuzzText(const uint8_t *data, size_t size)
{
    QString text(qsizetype(size), Qt::Uninitialized);
    QChar *out = text.data();
    for (size_t i = 0; i < size; ++i) {
        const uint8_t b = data[i];
        *out++ = QChar(b >= 0x80 && b < 0xA0 ? FuzzSpecials[b - 0x80] : char16_t(b));
    }
    if (text.isNull())
        text = QStringLiteral("");
    return text;
}

// Reads a fuzzer's input from the front: single bytes as numbers, and
// fields that end at the next 0xFF byte (the separator) or at the end.
class FuzzInput
{
public:
    static constexpr uint8_t Separator = 0xFF;

    FuzzInput(const uint8_t *data, size_t size)
        : m_data(data)
        , m_size(size)
    {}

    bool atEnd() const { return m_pos >= m_size; }
    size_t remaining() const { return m_size - m_pos; }

    // The next byte, 0 once the input is used up.
    uint8_t byte() { return atEnd() ? 0 : m_data[m_pos++]; }
    // A number from 0 to bound - 1 (bound > 0).
    int number(int bound) { return int((byte() | unsigned(byte()) << 8) % unsigned(bound)); }
    bool flag() { return byte() & 1; }

    // The bytes up to the next separator (which is skipped).
    QByteArray field()
    {
        const size_t start = m_pos;
        while (m_pos < m_size && m_data[m_pos] != Separator)
            ++m_pos;
        const QByteArray bytes(reinterpret_cast<const char *>(m_data + start), qsizetype(m_pos - start));
        if (m_pos < m_size)
            ++m_pos;
        return bytes;
    }
    QString text()
    {
        const QByteArray bytes = field();
        return fuzzText(reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()));
    }

private:
    const uint8_t *m_data;
    size_t m_size;
    size_t m_pos = 0;
};
