#pragma once

#include <QtGlobal>

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Fast scans over UTF-16 text for the whole-text passes. Each looks for the
// first character that a pass must handle itself ("stop" characters), eight
// characters per step where the processor allows, and can copy the
// characters it passes over on the way.
namespace textscan {

#if defined(__SSE2__)
using Block = __m128i;

inline Block load(const char16_t *p)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
}

inline void store(char16_t *p, Block block)
{
    _mm_storeu_si128(reinterpret_cast<__m128i *>(p), block);
}

// Lanes equal to c.
inline Block equal(Block block, char16_t c)
{
    return _mm_cmpeq_epi16(block, _mm_set1_epi16(short(c)));
}

// Lanes above c (unsigned).
inline Block above(Block block, char16_t c)
{
    const Block atMost = _mm_cmpeq_epi16(_mm_subs_epu16(block, _mm_set1_epi16(short(c))), _mm_setzero_si128());
    return _mm_xor_si128(atMost, _mm_set1_epi16(-1));
}

inline Block any(Block a, Block b)
{
    return _mm_or_si128(a, b);
}

// Index of the first selected lane, or 8.
inline int firstLane(Block lanes)
{
    const int mask = _mm_movemask_epi8(lanes);
    return mask ? __builtin_ctz(unsigned(mask)) / 2 : 8;
}
#else
// Without vector instructions the scans go one character at a time; the
// block operations only have to compile.
struct Block
{
};
inline Block equal(Block, char16_t)
{
    return {};
}
inline Block above(Block, char16_t)
{
    return {};
}
inline Block any(Block, Block)
{
    return {};
}
#endif

// The first stop character at or after p, or end. `stops` selects the stop
// lanes of a block, `isStop` tells it for one character.
template<typename Stops, typename IsStop>
inline const char16_t *find(const char16_t *p, const char16_t *end, Stops stops, IsStop isStop)
{
#if defined(__SSE2__)
    while (end - p >= 8) {
        const int lane = firstLane(stops(load(p)));
        if (lane < 8)
            return p + lane;
        p += 8;
    }
#else
    Q_UNUSED(stops)
#endif
    while (p < end && !isStop(*p))
        ++p;
    return p;
}

// As find, copying the characters before the stop to out (advanced past
// them). May write up to eight characters beyond them, so out needs that
// much room after the copied characters.
template<typename Stops, typename IsStop>
inline const char16_t *copyUntil(const char16_t *p, const char16_t *end, char16_t *&out, Stops stops, IsStop isStop)
{
#if defined(__SSE2__)
    while (end - p >= 8) {
        const Block block = load(p);
        store(out, block);
        const int lane = firstLane(stops(block));
        p += lane;
        out += lane;
        if (lane < 8)
            return p;
    }
#else
    Q_UNUSED(stops)
#endif
    while (p < end && !isStop(*p))
        *out++ = *p++;
    return p;
}

// How many characters of [p, end) are above c.
inline qsizetype countAbove(const char16_t *p, const char16_t *end, char16_t c)
{
    qsizetype count = 0;
#if defined(__SSE2__)
    // Selected lanes are -1: subtracting them counts in eight 16-bit lanes,
    // emptied into count before they can overflow.
    while (end - p >= 8) {
        __m128i lanes = _mm_setzero_si128();
        for (int i = 0; i < 4096 && end - p >= 8; ++i, p += 8)
            lanes = _mm_sub_epi16(lanes, above(load(p), c));
        const __m128i pairs = _mm_madd_epi16(lanes, _mm_set1_epi16(1));
        alignas(16) int sums[4];
        _mm_store_si128(reinterpret_cast<__m128i *>(sums), pairs);
        count += qsizetype(sums[0]) + sums[1] + sums[2] + sums[3];
    }
#endif
    for (; p < end; ++p)
        count += *p > c;
    return count;
}

} // namespace textscan
