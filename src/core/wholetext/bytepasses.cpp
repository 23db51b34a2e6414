#include "core/wholetext/bytepasses.h"

#include "core/wholetext/bytecompaction.h"
#include "core/wholetext/byteoutput.h"
#include "core/wholetext/entities.h"
#include "core/wholetext/widevectors.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

namespace {

using Byte = unsigned char;

constexpr QByteArrayView Utf8Mark("\xEF\xBB\xBF", 3);

// An entity as bytes, padded to eight so that it is written in one move.
struct PaddedEntity
{
    char text[8] = {};
    qsizetype length = 0; // 0: the character has none
};

// The entities as bytes: by character (U+0080..U+00FF at code - 0x80,
// U+2122 at 128), and by spelling, packed into an integer of up to eight
// bytes and found with a multiplication and, as a rule, one comparison.
class ByteEntities
{
public:
    ByteEntities()
    {
        for (const EntityPair &pair : entityTable()) {
            PaddedEntity &entity =
                pair.character == u'\u2122' ? m_byCharacter[128] : m_byCharacter[pair.character - 0x80];
            std::copy(pair.entity.begin(), pair.entity.end(), entity.text);
            entity.length = qsizetype(pair.entity.size());
            unsigned slot = slotOf(spelling(entity.text, entity.length));
            while (m_slots[slot].spelling)
                slot = (slot + 1) % Slots;
            m_slots[slot] = {spelling(entity.text, entity.length), pair.character};
        }
    }

    // The entity of U+0080..U+00FF (by code - 0x80) or of U+2122 (128).
    const PaddedEntity &entity(int index) const { return m_byCharacter[size_t(index)]; }

    // The character of the entity spelled by the five to eight bytes at p
    // ("&" through ";"), or 0; end is the end of the text.
    char16_t characterFor(const char *p, qsizetype length, const char *end) const
    {
        const quint64 key = spelling(p, length, end);
        for (unsigned slot = slotOf(key);; slot = (slot + 1) % Slots) {
            if (m_slots[slot].spelling == key)
                return m_slots[slot].character;
            if (!m_slots[slot].spelling)
                return 0;
        }
    }

private:
    static constexpr unsigned Slots = 512;
    struct Slot
    {
        quint64 spelling = 0; // never 0 for an entity, which starts with "&"
        char16_t character = 0;
    };

    // The bytes as a little-endian number, read as one word where the
    // processor is little-endian and eight bytes are there to read.
    static quint64 spelling(const char *p, qsizetype length, const char *end = nullptr)
    {
        if constexpr (std::endian::native == std::endian::little) {
            if (end && end - p >= 8) {
                quint64 word;
                std::memcpy(&word, p, 8);
                return length == 8 ? word : word & ((quint64(1) << (8 * length)) - 1);
            }
        }
        quint64 key = 0;
        for (qsizetype i = 0; i < length; ++i)
            key |= quint64(Byte(p[i])) << (8 * i);
        return key;
    }
    static unsigned slotOf(quint64 key) { return unsigned((key * 0x9E3779B97F4A7C15ull) >> 55); }

    std::array<PaddedEntity, 129> m_byCharacter{};
    std::array<Slot, Slots> m_slots{};
};

const ByteEntities &byteEntities()
{
    static const ByteEntities table;
    return table;
}

// Where the forward pass must look among the 64 bytes from p on (fewer
// at the end), bit i for byte i: "<" (a comment may start) and the lead
// bytes of characters that may have an entity.
quint64 entityStopsOneByOne(const Byte *p, qsizetype length, bool utf8)
{
    quint64 stops = 0;
    for (qsizetype i = 0; i < length; ++i) {
        const Byte c = p[i];
        const bool stop = c == '<' || (utf8 ? c == 0xC2 || c == 0xC3 || c == 0xE2 : c >= 0x80);
        stops |= quint64(stop) << i;
    }
    return stops;
}

#ifdef TESSALINE_WIDE_VECTORS
TESSALINE_WIDE inline quint64 bytesEqual(__m256i low, __m256i high, char c)
{
    const __m256i byte = _mm256_set1_epi8(c);
    return quint64(unsigned(_mm256_movemask_epi8(_mm256_cmpeq_epi8(low, byte))))
           | quint64(unsigned(_mm256_movemask_epi8(_mm256_cmpeq_epi8(high, byte)))) << 32;
}

TESSALINE_WIDE quint64 entityStopsWide(const Byte *p, bool utf8)
{
    const __m256i low = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(p));
    const __m256i high = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(p + 32));
    const quint64 lessThan = bytesEqual(low, high, '<');
    if (!utf8) {
        return lessThan | quint64(unsigned(_mm256_movemask_epi8(low)))
               | quint64(unsigned(_mm256_movemask_epi8(high))) << 32;
    }
    return lessThan | bytesEqual(low, high, char(0xC2)) | bytesEqual(low, high, char(0xC3))
           | bytesEqual(low, high, char(0xE2));
}

TESSALINE_WIDE quint64 ampersandsWide(const Byte *p)
{
    return bytesEqual(_mm256_loadu_si256(reinterpret_cast<const __m256i *>(p)),
                      _mm256_loadu_si256(reinterpret_cast<const __m256i *>(p + 32)), '&');
}
#endif

qsizetype toEntities(QByteArrayView body, bool utf8, ByteOutput &out)
{
    const Byte *const begin = reinterpret_cast<const Byte *>(body.data());
    const qsizetype size = body.size();
    const Byte *const end = begin + size;
    const ByteEntities &entities = byteEntities();
    const bool wide = hasWideVectors();
    qsizetype count = 0;
    // Unchanged bytes are handed out in one piece, up to the next character
    // replaced.
    const Byte *kept = begin;
    quint64 stops = 0;
    qsizetype stopsBase = -1;
    for (qsizetype pos = 0; pos < size;) {
        const qsizetype base = pos & ~qsizetype(63);
        if (base != stopsBase) {
#ifdef TESSALINE_WIDE_VECTORS
            if (wide && size - base >= 64)
                stops = entityStopsWide(begin + base, utf8);
            else
#endif
                stops = entityStopsOneByOne(begin + base, std::min<qsizetype>(size - base, 64), utf8);
            stopsBase = base;
        }
        const quint64 ahead = stops & (~quint64(0) << (pos - base));
        if (!ahead) {
            pos = base + 64;
            continue;
        }
        const Byte *const p = begin + base + std::countr_zero(ahead);
        pos = p - begin + 1;
        if (*p == '<') {
            if (end - p >= 4 && p[1] == '!' && p[2] == '-' && p[3] == '-') {
                // A comment goes over unchanged through its first "-->".
                const qsizetype close = QByteArrayView(p + 4, end - p - 4).indexOf(QByteArrayView("-->"));
                pos = close < 0 ? size : (p + 4 - begin) + close + 3;
            }
            continue;
        }
        const PaddedEntity *entity = nullptr;
        int length = 1;
        if (!utf8) {
            entity = *p == 0x99 ? &entities.entity(128) : *p >= 0xA0 ? &entities.entity(*p - 0x80) : nullptr;
        } else if (*p != 0xE2 && end - p >= 2) {
            length = 2;
            entity = &entities.entity(((*p & 0x03) << 6 | (p[1] & 0x3F)) - 0x80);
        } else if (*p == 0xE2 && end - p >= 3 && p[1] == 0x84 && p[2] == 0xA2) {
            length = 3;
            entity = &entities.entity(128);
        }
        if (entity && entity->length) {
            out.put(kept, p, end);
            out.putPadded(entity->text, entity->length);
            kept = p + length;
            pos = kept - begin;
            ++count;
        }
    }
    out.put(kept, end);
    return count;
}

// Where the back conversion must look among the 64 bytes from p on (fewer
// at the end): each "&".
quint64 ampersandsAt(const Byte *p, qsizetype length, bool wide)
{
#ifdef TESSALINE_WIDE_VECTORS
    if (wide && length >= 64)
        return ampersandsWide(p);
#endif
    quint64 found = 0;
    for (qsizetype i = 0; i < length; ++i)
        found |= quint64(p[i] == '&') << i;
    return found;
}

// The length of the entity spelling that starts with the "&" at p: up to
// the first ";" among the next seven bytes, with no "&" before it; 0 when
// there is none or it is shorter than five.
qsizetype spellingLength(const Byte *p, const Byte *end)
{
    constexpr qsizetype Shortest = 5;
    constexpr qsizetype Longest = 8;
    if constexpr (std::endian::native == std::endian::little) {
        if (end - p >= Longest) {
            // The eight bytes as one word; bytes equal to c become 0x80 in
            // zeroAt(w ^ c...), the lowest one exactly. The "&" itself is
            // left out.
            quint64 word;
            std::memcpy(&word, p, 8);
            word |= 0xFF;
            constexpr quint64 Ones = 0x0101010101010101ull;
            const auto zeroAt = [](quint64 v) { return (v - Ones) & ~v & (Ones * 0x80); };
            const quint64 semicolons = zeroAt(word ^ (Ones * ';'));
            const quint64 ampersands = zeroAt(word ^ (Ones * '&'));
            if (!semicolons || (ampersands && std::countr_zero(ampersands) < std::countr_zero(semicolons)))
                return 0;
            const qsizetype length = std::countr_zero(semicolons) / 8 + 1;
            return length >= Shortest ? length : 0;
        }
    }
    const Byte *const limit = std::min(end, p + Longest);
    const Byte *semi = p + 1;
    while (semi < limit && *semi != ';' && *semi != '&')
        ++semi;
    return semi < limit && *semi == ';' && semi + 1 - p >= Shortest ? semi + 1 - p : 0;
}

qsizetype fromEntities(QByteArrayView body, bool utf8, ByteOutput &out)
{
    const Byte *const begin = reinterpret_cast<const Byte *>(body.data());
    const qsizetype size = body.size();
    const Byte *const end = begin + size;
    const ByteEntities &entities = byteEntities();
    const bool wide = hasWideVectors();
    qsizetype count = 0;
    // Unchanged bytes are handed out in one piece, up to the next entity
    // replaced.
    const Byte *kept = begin;
    quint64 stops = 0;
    qsizetype stopsBase = -1;
    for (qsizetype pos = 0; pos < size;) {
        const qsizetype base = pos & ~qsizetype(63);
        if (base != stopsBase) {
            stops = ampersandsAt(begin + base, std::min<qsizetype>(size - base, 64), wide);
            stopsBase = base;
        }
        const quint64 ahead = stops & (~quint64(0) << (pos - base));
        if (!ahead) {
            pos = base + 64;
            continue;
        }
        const Byte *const amp = begin + base + std::countr_zero(ahead);
        pos = amp - begin + 1;
        const qsizetype length = spellingLength(amp, end);
        const char16_t c = length ? entities.characterFor(reinterpret_cast<const char *>(amp), length,
                                                          reinterpret_cast<const char *>(end))
                                  : 0;
        if (!c)
            continue;
        out.put(kept, amp, end);
        if (!utf8) {
            out.put(c == u'\u2122' ? char(0x99) : char(c));
        } else if (c == u'\u2122') {
            out.put("\xE2\x84\xA2", 3);
        } else {
            out.put(char(0xC0 | (c >> 6)));
            out.put(char(0x80 | (c & 0x3F)));
        }
        ++count;
        kept = amp + length;
        pos = kept - begin;
    }
    out.put(kept, end);
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
