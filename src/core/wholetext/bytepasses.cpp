#include "core/wholetext/bytepasses.h"

#include "core/wholetext/bytecompaction.h"
#include "core/wholetext/byteoutput.h"
#include "core/wholetext/entities.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

namespace {

using Byte = unsigned char;

constexpr QByteArrayView Utf8Mark("\xEF\xBB\xBF", 3);

// Entities of the characters U+0080..U+00FF (index code - 0x80) and of
// U+2122 (index 128), as bytes.
struct ByteEntities
{
    std::array<std::string, 129> entities;
    ByteEntities()
    {
        for (const EntityPair &pair : entityTable()) {
            std::string &slot = pair.character == u'\u2122' ? entities[128] : entities[pair.character - 0x80];
            slot.assign(pair.entity.begin(), pair.entity.end());
        }
    }
};

const ByteEntities &byteEntities()
{
    static const ByteEntities table;
    return table;
}

qsizetype toEntities(QByteArrayView body, bool utf8, ByteOutput &out)
{
    const Byte *p = reinterpret_cast<const Byte *>(body.data());
    const Byte *const end = p + body.size();
    const auto &entities = byteEntities().entities;
    qsizetype count = 0;
    const Byte stop = utf8 ? 0xC2 : 0x80;
    while (p < end) {
        const Byte *run = p;
        while (p < end && *p != '<' && *p < stop)
            ++p;
        out.put(reinterpret_cast<const char *>(run), p - run);
        if (p == end)
            break;
        if (*p == '<') {
            if (end - p >= 4 && p[1] == '!' && p[2] == '-' && p[3] == '-') {
                // A comment goes over unchanged through its first "-->".
                const QByteArrayView rest(p + 4, end - p - 4);
                const qsizetype close = rest.indexOf(QByteArrayView("-->"));
                const Byte *after = close < 0 ? end : p + 4 + close + 3;
                out.put(reinterpret_cast<const char *>(p), after - p);
                p = after;
            } else {
                out.put(char(*p++));
            }
            continue;
        }
        const std::string *entity = nullptr;
        int length = 1;
        if (!utf8) {
            entity = *p == 0x99 ? &entities[128] : *p >= 0xA0 ? &entities[*p - 0x80] : nullptr;
        } else if ((*p == 0xC2 || *p == 0xC3) && end - p >= 2) {
            length = 2;
            entity = &entities[((*p & 0x03) << 6 | (p[1] & 0x3F)) - 0x80];
        } else if (*p == 0xE2 && end - p >= 3 && p[1] == 0x84 && p[2] == 0xA2) {
            length = 3;
            entity = &entities[128];
        }
        if (entity && !entity->empty()) {
            out.put(entity->data(), qsizetype(entity->size()));
            ++count;
            p += length;
        } else {
            out.put(char(*p++));
        }
    }
    return count;
}

qsizetype fromEntities(QByteArrayView body, bool utf8, ByteOutput &out)
{
    constexpr qsizetype Shortest = 5;
    constexpr qsizetype Longest = 8;
    const char *p = body.data();
    const char *const end = p + body.size();
    qsizetype count = 0;
    while (p < end) {
        const char *amp = static_cast<const char *>(std::memchr(p, '&', size_t(end - p)));
        if (!amp)
            amp = end;
        out.put(p, amp - p);
        p = amp;
        if (p == end)
            break;
        const char *const limit = std::min(end, p + Longest);
        const char *semi = p + 1;
        while (semi < limit && *semi != ';' && *semi != '&')
            ++semi;
        if (semi < limit && *semi == ';' && semi + 1 - p >= Shortest) {
            // Entities are ASCII: any other byte makes the lookup fail.
            char16_t spelled[Longest];
            const qsizetype length = semi + 1 - p;
            for (qsizetype i = 0; i < length; ++i)
                spelled[i] = char16_t(Byte(p[i]));
            if (const char16_t c = characterFor(QStringView(spelled, length))) {
                if (!utf8) {
                    out.put(c == u'\u2122' ? char(0x99) : char(c));
                } else if (c == u'\u2122') {
                    out.put("\xE2\x84\xA2", 3);
                } else {
                    out.put(char(0xC0 | (c >> 6)));
                    out.put(char(0x80 | (c & 0x3F)));
                }
                ++count;
                p = semi + 1;
                continue;
            }
        }
        out.put(*p++);
    }
    return count;
}

} // namespace

bool takesBytePass(BytePass pass, const ByteScan &scan)
{
    // A case-blind comparison of element names in the text takes U+017F and
    // U+212A for ASCII letters; such pages are compacted the text way.
    return scan.verdict == ByteScan::Verdict::Ready && !(pass == BytePass::Compact && scan.foldsToAscii);
}

std::optional<qsizetype> streamBytePass(BytePass pass, QByteArrayView file, const ByteScan &scan, ByteSink &sink,
                                        qsizetype pieceSize)
{
    Q_ASSERT(takesBytePass(pass, scan));
    const qsizetype markLength = scan.encoding == FileEncoding::Utf8Bom ? Utf8Mark.size() : 0;
    const QByteArrayView body = file.sliced(markLength);
    const bool utf8 = scan.encoding != FileEncoding::Windows1252;
    ByteOutput out(sink, pieceSize);
    try {
        out.put(file.data(), markLength);
        qsizetype count = 0;
        switch (pass) {
        case BytePass::ToEntities:
            count = toEntities(body, utf8, out);
            break;
        case BytePass::FromEntities:
            count = fromEntities(body, utf8, out);
            break;
        case BytePass::Compact:
            compactBytes(body, scan.lineEnd, out);
            count = file.size() - out.written();
            break;
        }
        out.flush();
        return count;
    } catch (const ByteOutput::Stopped &) {
        return std::nullopt;
    }
}

bool bytePassChangesFile(BytePass pass, QByteArrayView file, const ByteScan &scan)
{
    // Compares each piece with the file's bytes at the same place.
    class Comparison : public ByteSink
    {
    public:
        explicit Comparison(QByteArrayView file)
            : m_rest(file)
        {}
        bool take(QByteArrayView piece) override
        {
            m_differs = !m_rest.startsWith(piece);
            m_rest = m_differs ? QByteArrayView() : m_rest.sliced(piece.size());
            return !m_differs;
        }
        bool differs() const { return m_differs || !m_rest.isEmpty(); }

    private:
        QByteArrayView m_rest;
        bool m_differs = false;
    } comparison(file);
    streamBytePass(pass, file, scan, comparison);
    return comparison.differs();
}

std::optional<ByteOutcome> runBytePass(BytePass pass, QByteArrayView file, const ByteScan &scan, qsizetype pieceSize)
{
    if (!takesBytePass(pass, scan))
        return std::nullopt;
    class Collector : public ByteSink
    {
    public:
        bool take(QByteArrayView piece) override
        {
            bytes.append(piece);
            return true;
        }
        QByteArray bytes;
    } collector;
    ByteOutcome outcome;
    outcome.count = *streamBytePass(pass, file, scan, collector, pieceSize);
    outcome.bytes = std::move(collector.bytes);
    return outcome;
}
