// Compaction over a page file's bytes. Most bytes go over unchanged; the
// pass only stops where something may happen, found 64 bytes at a time as
// bit masks (with 32-byte vector instructions where the processor has them).

#include "core/wholetext/bytecompaction.h"

#include "core/wholetext/byteoutput.h"
#include "core/wholetext/widevectors.h"

#include <array>
#include <bit>
#include <cstring>

namespace {

using Byte = unsigned char;

constexpr std::array<QByteArrayView, 4> VerbatimElements = {"pre", "textarea", "script", "style"};

bool isNameByte(Byte c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == ':'
           || c == '_';
}

bool sameName(const Byte *p, QByteArrayView name)
{
    for (qsizetype i = 0; i < name.size(); ++i) {
        if ((p[i] | 0x20) != Byte(name[i]))
            return false;
    }
    return true;
}

// The verbatim element whose start tag's name begins at p, or empty.
QByteArrayView verbatimElementAt(const Byte *p, const Byte *end)
{
    if (p == end || ((*p | 0x20) != 'p' && (*p | 0x20) != 't' && (*p | 0x20) != 's'))
        return {};
    for (const QByteArrayView name : VerbatimElements) {
        if (end - p >= name.size() && sameName(p, name) && (p + name.size() == end || !isNameByte(p[name.size()])))
            return name;
    }
    return {};
}

const Byte *endTagOf(QByteArrayView name, const Byte *p, const Byte *end)
{
    for (;;) {
        const Byte *lt = static_cast<const Byte *>(std::memchr(p, '<', size_t(end - p)));
        if (!lt || end - lt < 2)
            return end;
        const Byte *nameStart = lt + 2;
        if (lt[1] == '/' && end - nameStart >= name.size() && sameName(nameStart, name)
            && (nameStart + name.size() == end || !isNameByte(nameStart[name.size()])))
            return lt;
        p = lt + 1;
    }
}

// Bytes that matter inside tags and braces (1), and outside them (1 or 2).
constexpr auto Markers = [] {
    std::array<Byte, 256> kinds{};
    for (const Byte c : {'<', '>', '{', '}'})
        kinds[c] = 1;
    for (const Byte c : {' ', '\r', '\n'})
        kinds[c] = 2;
    return kinds;
}();

// Where the pass must stop among 64 bytes, bit i for byte i: inside tags and
// braces, at the four markers; outside them, at every marker and blank but
// a single space between ordinary characters, which stays as it is.
struct Classes
{
    quint64 markers = 0; // < > { }
    quint64 blanks = 0;  // space, CR, LF
    quint64 spaces = 0;
    quint64 crs = 0;
    quint64 lfs = 0;
};

struct Stops
{
    quint64 inside = 0;
    quint64 outside = 0;
    Classes bytes;
};

Classes classifyOneByOne(const Byte *p, qsizetype length)
{
    Classes found;
    for (qsizetype i = 0; i < length; ++i) {
        const quint64 bit = quint64(1) << i;
        found.markers |= Markers[p[i]] == 1 ? bit : 0;
        found.blanks |= Markers[p[i]] == 2 ? bit : 0;
        found.spaces |= p[i] == ' ' ? bit : 0;
        found.crs |= p[i] == '\r' ? bit : 0;
        found.lfs |= p[i] == '\n' ? bit : 0;
    }
    return found;
}

#ifdef TESSALINE_WIDE_VECTORS
TESSALINE_WIDE inline quint64 maskOf(__m256i low, __m256i high, char c)
{
    const __m256i byte = _mm256_set1_epi8(c);
    return quint64(unsigned(_mm256_movemask_epi8(_mm256_cmpeq_epi8(low, byte))))
           | quint64(unsigned(_mm256_movemask_epi8(_mm256_cmpeq_epi8(high, byte)))) << 32;
}

TESSALINE_WIDE Classes classifyWide(const Byte *p)
{
    const __m256i low = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(p));
    const __m256i high = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(p + 32));
    Classes found;
    found.markers = maskOf(low, high, '<') | maskOf(low, high, '>') | maskOf(low, high, '{') | maskOf(low, high, '}');
    found.spaces = maskOf(low, high, ' ');
    found.crs = maskOf(low, high, '\r');
    found.lfs = maskOf(low, high, '\n');
    found.blanks = found.spaces | found.crs | found.lfs;
    return found;
}
#endif

// The stops of the 64 bytes from base on (fewer at the end of the body).
Stops stopsAt(const Byte *begin, qsizetype size, qsizetype base, bool wide)
{
    const Byte *const p = begin + base;
    const qsizetype left = size - base;
    Classes found;
#ifdef TESSALINE_WIDE_VECTORS
    if (wide && left >= 64)
        found = classifyWide(p);
    else
#endif
        found = classifyOneByOne(p, std::min<qsizetype>(left, 64));
    const quint64 ordinary = ~(found.markers | found.blanks) & (left >= 64 ? ~quint64(0) : (quint64(1) << left) - 1);
    // Neighbours across the block's edges; nothing before the start or past
    // the end counts as ordinary.
    const quint64 ordinaryBefore = ordinary << 1 | quint64(base > 0 && !Markers[p[-1]]);
    const quint64 ordinaryAfter = ordinary >> 1 | quint64(left > 64 && !Markers[p[64]]) << 63;
    const quint64 quietSpaces = found.spaces & ordinaryBefore & ordinaryAfter;
    return {found.markers, (found.markers | found.blanks) & ~quietSpaces, found};
}

} // namespace

// A line end of a one-byte style counts as the CR LF it stands for in the
// text: its CR opens a blank run and its LF gives a blank.
void compactBytes(QByteArrayView body, LineEnd lineEnd, ByteOutput &out)
{
    const Byte *const begin = reinterpret_cast<const Byte *>(body.data());
    const qsizetype size = body.size();
    const Byte *const end = begin + size;
    const Byte lone = lineEnd == LineEnd::Lf ? '\n' : lineEnd == LineEnd::Cr ? '\r' : 0;
    bool inTag = false;
    bool inBraces = false;
    bool inBlankRun = false;
    QByteArrayView verbatim;
    // Unchanged bytes are handed out in one piece, from kept up to the next
    // byte that is dropped or replaced.
    const Byte *kept = begin;
    const bool wide = hasWideVectors();
    Stops stops;
    qsizetype stopsBase = -1;
    for (qsizetype pos = 0; pos < size;) {
        const qsizetype base = pos & ~qsizetype(63);
        if (base != stopsBase) {
            stops = stopsAt(begin, size, base, wide);
            stopsBase = base;
        }
        const bool inside = inTag || inBraces;
        const quint64 ahead = (inside ? stops.inside : stops.outside) & (~quint64(0) << (pos - base));
        if (!ahead) {
            // Ordinary characters (and single spaces between them) end a
            // blank run.
            if (!inside)
                inBlankRun = false;
            pos = base + 64;
            continue;
        }
        const qsizetype at = base + std::countr_zero(ahead);
        if (!inside && at > pos)
            inBlankRun = false;
        pos = at + 1;
        const Byte c = begin[at];
        switch (c) {
        case '<':
            if (!inTag && !inBraces) {
                verbatim = verbatimElementAt(begin + pos, end);
                // A plain tag that closes within these 64 bytes changes
                // nothing: straight past its ">".
                const quint64 rest = pos - base < 64 ? stops.inside & (~quint64(0) << (pos - base)) : 0;
                const qsizetype close = base + std::countr_zero(rest);
                if (verbatim.isEmpty() && rest && begin[close] == '>') {
                    pos = close + 1;
                    continue;
                }
            }
            inTag = true;
            continue;
        case '{':
            inBraces = true;
            continue;
        case '>': {
            const bool closes = inTag;
            inTag = false;
            if (closes || inBraces) {
                // The content of a verbatim element goes over unchanged.
                if (closes && !inBraces && !verbatim.isEmpty()) {
                    const Byte *contentEnd = endTagOf(verbatim, begin + pos, end);
                    if (contentEnd > begin + pos) {
                        const Byte last = contentEnd[-1];
                        inBlankRun = last == ' ' || last == '\r' || last == '\n';
                    }
                    pos = contentEnd - begin;
                }
                verbatim = {};
                continue;
            }
            break;
        }
        case '}': {
            const bool closes = inBraces;
            inBraces = false;
            if (closes || inTag)
                continue;
            break;
        }
        default:
            break;
        }
        if (c == ' ' || c == '\r' || c == '\n') {
            // A run of blanks (up to the end of these 64 bytes) at once: a
            // one-byte line end gives a space, the first blank one when it
            // is a space and opens the run, each later LF one; the rest is
            // dropped.
            const int offset = int(at - base);
            const int length = std::countr_one(stops.bytes.blanks >> offset);
            const quint64 run = (length == 64 ? ~quint64(0) : (quint64(1) << length) - 1) << offset;
            const quint64 givers = stops.bytes.lfs | (lone == '\r' ? stops.bytes.crs : 0);
            qsizetype spaces = std::popcount(run & givers & ~(quint64(1) << offset));
            spaces += c == lone ? 1 : !inBlankRun ? c == ' ' : c == '\n';
            inBlankRun = true;
            pos = at + length;
            // Spaces that stay as they are need no copy.
            if (spaces != length || (run & ~stops.bytes.spaces) != 0) {
                out.put(kept, begin + at, end);
                for (qsizetype i = 0; i < spaces; ++i)
                    out.put(' ');
                kept = begin + pos;
            }
        } else {
            // A stray ">" or "}" outside tags and braces is an ordinary
            // character.
            inBlankRun = false;
        }
    }
    out.put(kept, end);
}
