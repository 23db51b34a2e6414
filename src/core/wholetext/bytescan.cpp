// The scan that sorts a page file's bytes for the byte passes: encoding,
// NUL characters, line-break marks and line ends, in one reading. Processors
// with 32-byte vector instructions check 32 bytes at a time (UTF-8 by three
// table lookups per block, keyed by the halves of each byte and of the one
// before it, which find every invalid sequence); others go a byte at a
// time. Both give the same findings.

#include "core/wholetext/bytescan.h"

#include "core/text/documenttext.h"
#include "core/wholetext/bytepasses.h"

#include "core/wholetext/widevectors.h"

#include <bit>
#include <cstring>

namespace {

using Byte = unsigned char;

// Pages up to this size cannot reach the longest text a page may hold,
// whatever a pass does to them (one byte gives at most eight characters).
constexpr qsizetype MaxByteNativePage = DocumentText::MaxLength / 8;

// What one reading of the bytes finds.
struct Findings
{
    bool utf8 = true;
    bool nul = false;
    bool marks = false;        // U+2029, U+FDD0 or U+FDD1
    bool foldsToAscii = false; // U+017F or U+212A
    qsizetype cr = 0;
    qsizetype lf = 0;
    qsizetype crlf = 0;
    int firstBreak = 0; // 0 none yet, else the LineEnd + 1
};

// The three-byte sequences the editor takes for line breaks, and the letters
// a case-blind comparison takes for "s" and "k", at a lead byte p.
inline void checkSpecial(const Byte *p, const Byte *end, Findings &found)
{
    const qsizetype left = end - p;
    if (p[0] == 0xC5) {
        found.foldsToAscii |= left >= 2 && p[1] == 0xBF;
    } else if (left >= 3) {
        found.marks |= (p[0] == 0xE2 && p[1] == 0x80 && p[2] == 0xA9)
                       || (p[0] == 0xEF && p[1] == 0xB7 && (p[2] == 0x90 || p[2] == 0x91));
        found.foldsToAscii |= p[0] == 0xE2 && p[1] == 0x84 && p[2] == 0xAA;
    }
}

inline void noteBreak(const Byte *p, const Byte *end, Findings &found)
{
    if (found.firstBreak)
        return;
    const bool pair = *p == '\r' && p + 1 < end && p[1] == '\n';
    found.firstBreak = 1 + int(*p == '\n' ? LineEnd::Lf : pair ? LineEnd::CrLf : LineEnd::Cr);
}

// The length of the valid UTF-8 sequence at p, or 0.
inline int utf8Sequence(const Byte *p, const Byte *end)
{
    const Byte b = p[0];
    const qsizetype left = end - p;
    const auto cont = [&](int i, Byte lo = 0x80, Byte hi = 0xBF) { return i < left && p[i] >= lo && p[i] <= hi; };
    if (b >= 0xC2 && b <= 0xDF)
        return cont(1) ? 2 : 0;
    if (b == 0xE0)
        return cont(1, 0xA0) && cont(2) ? 3 : 0;
    if ((b >= 0xE1 && b <= 0xEC) || b == 0xEE || b == 0xEF)
        return cont(1) && cont(2) ? 3 : 0;
    if (b == 0xED)
        return cont(1, 0x80, 0x9F) && cont(2) ? 3 : 0;
    if (b == 0xF0)
        return cont(1, 0x90) && cont(2) && cont(3) ? 4 : 0;
    if (b >= 0xF1 && b <= 0xF3)
        return cont(1) && cont(2) && cont(3) ? 4 : 0;
    if (b == 0xF4)
        return cont(1, 0x80, 0x8F) && cont(2) && cont(3) ? 4 : 0;
    return 0;
}

Findings scanOneByOne(const Byte *const begin, const Byte *const end)
{
    Findings found;
    for (const Byte *p = begin; p < end;) {
        const Byte b = *p;
        if (b < 0x80) {
            if (b == 0) {
                found.nul = true;
            } else if (b == '\r') {
                ++found.cr;
                found.crlf += p + 1 < end && p[1] == '\n';
                noteBreak(p, end, found);
            } else if (b == '\n') {
                ++found.lf;
                noteBreak(p, end, found);
            }
            ++p;
            continue;
        }
        if (!found.utf8) {
            ++p;
            continue;
        }
        const int length = utf8Sequence(p, end);
        if (length == 0) {
            found.utf8 = false;
            ++p;
            continue;
        }
        checkSpecial(p, end, found);
        p += length;
    }
    return found;
}

#ifdef TESSALINE_WIDE_VECTORS

// The bytes of the block before each byte, n places back, the last ones
// coming from the previous block.
template<int N> TESSALINE_WIDE inline __m256i before(__m256i block, __m256i previous)
{
    return _mm256_alignr_epi8(block, _mm256_permute2x128_si256(previous, block, 0x21), 16 - N);
}

TESSALINE_WIDE inline __m256i lookup(__m256i nibbles, __m256i table)
{
    return _mm256_shuffle_epi8(table, nibbles);
}

TESSALINE_WIDE inline __m256i table16(Byte b0, Byte b1, Byte b2, Byte b3, Byte b4, Byte b5, Byte b6, Byte b7, Byte b8,
                                      Byte b9, Byte b10, Byte b11, Byte b12, Byte b13, Byte b14, Byte b15)
{
    return _mm256_setr_epi8(char(b0), char(b1), char(b2), char(b3), char(b4), char(b5), char(b6), char(b7), char(b8),
                            char(b9), char(b10), char(b11), char(b12), char(b13), char(b14), char(b15), char(b0),
                            char(b1), char(b2), char(b3), char(b4), char(b5), char(b6), char(b7), char(b8), char(b9),
                            char(b10), char(b11), char(b12), char(b13), char(b14), char(b15));
}

// Non-zero bytes where the sequence that a byte ends or continues is not
// valid UTF-8. Each error kind has a bit; a byte pair is wrong when the
// kind is in all three lookups (first byte's high and low half, second
// byte's high half). Lead bytes of three and four bytes then need their
// continuations two and three places on.
TESSALINE_WIDE inline __m256i utf8Errors(__m256i block, __m256i previous)
{
    constexpr Byte TooShort = 1 << 0;  // lead or ASCII, then lead or ASCII
    constexpr Byte TooLong = 1 << 1;   // ASCII, then continuation
    constexpr Byte Overlong3 = 1 << 2; // E0, then 80..9F
    constexpr Byte TooLarge = 1 << 3;  // F4 90.. or F5.. and up
    constexpr Byte Surrogate = 1 << 4; // ED, then A0..BF
    constexpr Byte Overlong2 = 1 << 5; // C0 or C1
    constexpr Byte TooLarge1000 = 1 << 6;
    constexpr Byte Overlong4 = 1 << 6; // F0, then 80..8F
    constexpr Byte TwoConts = 1 << 7;  // continuation, then continuation
    constexpr Byte Carry = TooShort | TooLong | TwoConts;
    constexpr Byte Large = Carry | TooLarge | TooLarge1000;

    const __m256i low = _mm256_set1_epi8(0x0F);
    const __m256i prev1 = before<1>(block, previous);
    const __m256i firstHigh =
        lookup(_mm256_and_si256(_mm256_srli_epi16(prev1, 4), low),
               table16(TooLong, TooLong, TooLong, TooLong, TooLong, TooLong, TooLong, TooLong, TwoConts, TwoConts,
                       TwoConts, TwoConts, TooShort | Overlong2, TooShort, TooShort | Overlong3 | Surrogate,
                       TooShort | TooLarge | TooLarge1000 | Overlong4));
    const __m256i firstLow =
        lookup(_mm256_and_si256(prev1, low),
               table16(Carry | Overlong3 | Overlong2 | Overlong4, Carry | Overlong2, Carry, Carry, Carry | TooLarge,
                       Large, Large, Large, Large, Large, Large, Large, Large, Large | Surrogate, Large, Large));
    constexpr Byte Cont = TooLong | Overlong2 | TwoConts;
    const __m256i secondHigh = lookup(_mm256_and_si256(_mm256_srli_epi16(block, 4), low),
                                      table16(TooShort, TooShort, TooShort, TooShort, TooShort, TooShort, TooShort,
                                              TooShort, Cont | Overlong3 | TooLarge1000 | Overlong4,
                                              Cont | Overlong3 | TooLarge, Cont | Surrogate | TooLarge,
                                              Cont | Surrogate | TooLarge, TooShort, TooShort, TooShort, TooShort));
    const __m256i special = _mm256_and_si256(_mm256_and_si256(firstHigh, firstLow), secondHigh);
    // Only E0.. two places back and F0.. three places back reach 0x80 here.
    const __m256i third = _mm256_subs_epu8(before<2>(block, previous), _mm256_set1_epi8(char(0xE0 - 0x80)));
    const __m256i fourth = _mm256_subs_epu8(before<3>(block, previous), _mm256_set1_epi8(char(0xF0 - 0x80)));
    const __m256i mustContinue = _mm256_and_si256(_mm256_or_si256(third, fourth), _mm256_set1_epi8(char(0x80)));
    return _mm256_xor_si256(mustContinue, special);
}

TESSALINE_WIDE inline unsigned maskOf(__m256i block, char c)
{
    return unsigned(_mm256_movemask_epi8(_mm256_cmpeq_epi8(block, _mm256_set1_epi8(c))));
}

TESSALINE_WIDE Findings scanWide(const Byte *const begin, const Byte *const end)
{
    Findings found;
    __m256i previous = _mm256_setzero_si256();
    __m256i errors = _mm256_setzero_si256();
    unsigned crAtEnd = 0;
    // The last block is padded with zeros (ASCII), which also shows a
    // sequence cut short by the end of the file: when the size is a multiple
    // of 32, it is all padding.
    alignas(32) Byte tail[32];
    for (const Byte *p = begin;; p += 32) {
        const qsizetype left = end - p;
        unsigned valid = ~0u;
        __m256i block;
        if (left >= 32) {
            block = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(p));
        } else {
            std::memset(tail, 0, sizeof tail);
            if (left > 0)
                std::memcpy(tail, p, size_t(left));
            block = _mm256_load_si256(reinterpret_cast<const __m256i *>(tail));
            valid = left > 0 ? ~0u >> (32 - left) : 0;
        }
        errors = _mm256_or_si256(errors, utf8Errors(block, previous));
        previous = block;
        const unsigned high = unsigned(_mm256_movemask_epi8(block)) & valid;
        // Bytes below 0x0E: NUL, CR, LF and a few other controls.
        const __m256i belowFourteen = _mm256_cmpeq_epi8(_mm256_min_epu8(block, _mm256_set1_epi8(0x0D)), block);
        const unsigned low = unsigned(_mm256_movemask_epi8(belowFourteen)) & valid;
        if (low) {
            const unsigned cr = maskOf(block, '\r') & valid;
            const unsigned lf = maskOf(block, '\n') & valid;
            found.nul |= (maskOf(block, 0) & valid) != 0;
            found.cr += std::popcount(cr);
            found.lf += std::popcount(lf);
            found.crlf += std::popcount(cr & (lf >> 1)) + (crAtEnd & lf & 1);
            crAtEnd = cr >> 31;
            if (!found.firstBreak && (cr | lf))
                noteBreak(p + std::countr_zero(cr | lf), end, found);
        } else {
            crAtEnd = 0;
        }
        if (high) {
            for (unsigned leads =
                     (maskOf(block, char(0xC5)) | maskOf(block, char(0xE2)) | maskOf(block, char(0xEF))) & valid;
                 leads; leads &= leads - 1)
                checkSpecial(p + std::countr_zero(leads), end, found);
        }
        if (left < 32)
            break;
    }
    found.utf8 = _mm256_testz_si256(errors, errors);
    return found;
}

#endif

ByteScan verdictOf(QByteArrayView bytes, Findings found)
{
    ByteScan scan;
    if (found.utf8) {
        scan.encoding = bytes.startsWith("\xEF\xBB\xBF") ? FileEncoding::Utf8Bom : FileEncoding::Utf8;
        scan.foldsToAscii = found.foldsToAscii;
    } else {
        // Bytes that are not UTF-8 are read as Windows-1252, where the marks
        // and those two letters do not exist.
        scan.encoding = FileEncoding::Windows1252;
        found.marks = false;
    }
    if (found.nul || found.marks) {
        scan.verdict = ByteScan::Verdict::Refused;
        return scan;
    }
    scan.lineEnd = found.firstBreak ? LineEnd(found.firstBreak - 1) : LineEnd::CrLf;
    bool uniform = true;
    switch (scan.lineEnd) {
    case LineEnd::CrLf:
        uniform = found.cr == found.crlf && found.lf == found.crlf;
        break;
    case LineEnd::Lf:
        uniform = found.cr == 0;
        break;
    case LineEnd::Cr:
        uniform = found.lf == 0;
        break;
    }
    scan.verdict = uniform ? ByteScan::Verdict::Ready : ByteScan::Verdict::TextPath;
    return scan;
}

bool sortedOut(QByteArrayView bytes)
{
    // UTF-16 pages, and pages too long for the byte passes' guarantee.
    return bytes.size() > MaxByteNativePage || bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
}

} // namespace

ByteScan scanPageBytes(QByteArrayView bytes)
{
#ifdef TESSALINE_WIDE_VECTORS
    if (hasWideVectors()) {
        if (sortedOut(bytes))
            return ByteScan();
        const Byte *const begin = reinterpret_cast<const Byte *>(bytes.data());
        return verdictOf(bytes, scanWide(begin, begin + bytes.size()));
    }
#endif
    return scanPageBytesOneByOne(bytes);
}

ByteScan scanPageBytesOneByOne(QByteArrayView bytes)
{
    if (sortedOut(bytes))
        return ByteScan();
    const Byte *const begin = reinterpret_cast<const Byte *>(bytes.data());
    return verdictOf(bytes, scanOneByOne(begin, begin + bytes.size()));
}

PageBytesProblem prescanPageBytes(QByteArrayView bytes, qsizetype maxLength)
{
    const Byte *const begin = reinterpret_cast<const Byte *>(bytes.data());
    const Byte *const end = begin + bytes.size();
    const bool little = bytes.startsWith("\xFF\xFE");
    if (little || bytes.startsWith("\xFE\xFF")) {
        if ((bytes.size() - 2) / 2 > maxLength)
            return PageBytesProblem::TooLong;
        for (const Byte *p = begin + 2; p + 1 < end; p += 2) {
            const char16_t c = little ? char16_t(p[0] | p[1] << 8) : char16_t(p[0] << 8 | p[1]);
            if (c == 0)
                return PageBytesProblem::Nul;
        }
        return PageBytesProblem::None;
    }
    if (std::memchr(begin, 0, size_t(bytes.size())))
        return PageBytesProblem::Nul;
    // No page has more characters than bytes, so only a longer one is
    // counted. A UTF-8 byte-order mark is no character of the page.
    if (bytes.size() > maxLength) {
        qsizetype starts = 0;
        for (const Byte *p = begin + (bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0); p < end; ++p)
            starts += (*p & 0xC0) != 0x80;
        if (starts > maxLength)
            return PageBytesProblem::TooLong;
    }
    return PageBytesProblem::None;
}
