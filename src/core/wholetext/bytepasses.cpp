#include "core/wholetext/bytepasses.h"

#include "core/text/documenttext.h"
#include "core/wholetext/entities.h"

#include <array>
#include <cstring>
#include <string>

namespace {

using Byte = unsigned char;

constexpr QByteArrayView Utf8Mark("\xEF\xBB\xBF", 3);

// Pages up to this size cannot reach the longest text a page may hold,
// whatever a pass does to them (one byte gives at most eight characters).
constexpr qsizetype MaxByteNativePage = DocumentText::MaxLength / 8;

// Eight bytes at once: all ASCII and none below 0x0E (NUL, CR, LF)?
inline bool plainWord(const Byte *p)
{
    quint64 w;
    std::memcpy(&w, p, sizeof w);
    constexpr quint64 High = 0x8080808080808080ull;
    constexpr quint64 Fourteen = 0x0E0E0E0E0E0E0E0Eull;
    return (w & High) == 0 && ((w - Fourteen) & ~w & High) == 0;
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

class Output
{
public:
    explicit Output(qsizetype room)
        : m_bytes(room, Qt::Uninitialized)
        , m_out(m_bytes.data())
    {}
    void put(char c) { *m_out++ = c; }
    void put(const char *p, qsizetype n)
    {
        // An empty piece may come without storage.
        if (n <= 0)
            return;
        std::memcpy(m_out, p, size_t(n));
        m_out += n;
    }
    QByteArray take()
    {
        m_bytes.truncate(m_out - m_bytes.constData());
        return std::move(m_bytes);
    }

private:
    QByteArray m_bytes;
    char *m_out;
};

ByteOutcome toEntities(QByteArrayView mark, QByteArrayView body, bool utf8)
{
    const Byte *p = reinterpret_cast<const Byte *>(body.data());
    const Byte *const end = p + body.size();
    // Room: a UTF-8 character grows to eight bytes from two (or seven from
    // three), a Windows-1252 one to eight from one.
    qsizetype growth = 0;
    for (const Byte *q = p; q < end; ++q)
        growth += utf8 ? (*q == 0xC2 || *q == 0xC3 || *q == 0xE2) : (*q >= 0x80);
    Output out(mark.size() + body.size() + growth * (utf8 ? 6 : 7));
    out.put(mark.data(), mark.size());
    const auto &entities = byteEntities().entities;
    ByteOutcome result;
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
            ++result.count;
            p += length;
        } else {
            out.put(char(*p++));
        }
    }
    result.bytes = out.take();
    return result;
}

ByteOutcome fromEntities(QByteArrayView mark, QByteArrayView body, bool utf8)
{
    constexpr qsizetype Shortest = 5;
    constexpr qsizetype Longest = 8;
    const char *p = body.data();
    const char *const end = p + body.size();
    // Every entity gives fewer bytes than it has.
    Output out(mark.size() + body.size());
    out.put(mark.data(), mark.size());
    ByteOutcome result;
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
                ++result.count;
                p = semi + 1;
                continue;
            }
        }
        out.put(*p++);
    }
    result.bytes = out.take();
    return result;
}

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

// Compaction over the file's bytes. A line end of a one-byte style counts as
// the CR LF it stands for in the text: its CR opens a blank run and its LF
// gives a blank.
ByteOutcome compact(QByteArrayView mark, QByteArrayView body, LineEnd lineEnd)
{
    const Byte *p = reinterpret_cast<const Byte *>(body.data());
    const Byte *const end = p + body.size();
    const Byte lone = lineEnd == LineEnd::Lf ? '\n' : lineEnd == LineEnd::Cr ? '\r' : 0;
    Output out(mark.size() + body.size());
    out.put(mark.data(), mark.size());
    bool inTag = false;
    bool inBraces = false;
    bool inBlankRun = false;
    QByteArrayView verbatim;
    // Bytes that matter inside tags and braces (1), and outside them (1 or 2).
    static constexpr auto Markers = [] {
        std::array<Byte, 256> kinds{};
        for (const Byte c : {'<', '>', '{', '}'})
            kinds[c] = 1;
        for (const Byte c : {' ', '\r', '\n'})
            kinds[c] = 2;
        return kinds;
    }();
    while (p < end) {
        // Runs of bytes that need nothing go over in one copy: anything but
        // the four markers inside, ordinary characters outside.
        const Byte *run = p;
        if (inTag || inBraces) {
            while (p < end && Markers[*p] != 1)
                ++p;
        } else {
            while (p < end && !Markers[*p])
                ++p;
            if (p > run)
                inBlankRun = false;
        }
        out.put(reinterpret_cast<const char *>(run), p - run);
        if (p == end)
            break;
        const Byte c = *p++;
        switch (c) {
        case '<':
            if (!inTag && !inBraces)
                verbatim = verbatimElementAt(p, end);
            inTag = true;
            out.put(char(c));
            continue;
        case '{':
            inBraces = true;
            out.put(char(c));
            continue;
        case '>': {
            const bool closes = inTag;
            inTag = false;
            if (closes || inBraces) {
                out.put(char(c));
                if (closes && !inBraces && !verbatim.isEmpty()) {
                    const Byte *contentEnd = endTagOf(verbatim, p, end);
                    if (contentEnd > p) {
                        const Byte last = contentEnd[-1];
                        inBlankRun = last == ' ' || last == '\r' || last == '\n';
                    }
                    out.put(reinterpret_cast<const char *>(p), contentEnd - p);
                    p = contentEnd;
                }
                verbatim = {};
                continue;
            }
            break;
        }
        case '}': {
            const bool closes = inBraces;
            inBraces = false;
            if (closes || inTag) {
                out.put(char(c));
                continue;
            }
            break;
        }
        default:
            break;
        }
        if (c == lone) {
            inBlankRun = true;
            out.put(' ');
        } else if (c == ' ' || c == '\r' || c == '\n') {
            if (!inBlankRun) {
                inBlankRun = true;
                if (c == ' ')
                    out.put(' ');
            } else if (c == '\n') {
                out.put(' ');
            }
        } else {
            inBlankRun = false;
            out.put(char(c));
        }
    }
    ByteOutcome result;
    result.bytes = out.take();
    result.count = body.size() + mark.size() - result.bytes.size();
    return result;
}

} // namespace

ByteScan scanPageBytes(QByteArrayView bytes)
{
    ByteScan scan;
    if (bytes.size() > MaxByteNativePage || bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return scan;
    const Byte *const begin = reinterpret_cast<const Byte *>(bytes.data());
    const Byte *const end = begin + bytes.size();
    bool utf8 = true;
    bool nul = false;
    bool marks = false;
    qsizetype cr = 0;
    qsizetype lf = 0;
    qsizetype crlf = 0;
    int firstBreak = 0; // 0 none yet, else the LineEnd + 1
    for (const Byte *p = begin; p < end;) {
        if (end - p >= 8 && plainWord(p)) {
            p += 8;
            continue;
        }
        const Byte b = *p;
        if (b < 0x80) {
            if (b == 0) {
                nul = true;
            } else if (b == '\r') {
                ++cr;
                const bool pair = p + 1 < end && p[1] == '\n';
                crlf += pair;
                if (!firstBreak)
                    firstBreak = 1 + int(pair ? LineEnd::CrLf : LineEnd::Cr);
            } else if (b == '\n') {
                ++lf;
                if (!firstBreak)
                    firstBreak = 1 + int(LineEnd::Lf);
            }
            ++p;
            continue;
        }
        if (!utf8) {
            ++p;
            continue;
        }
        const int length = utf8Sequence(p, end);
        if (length == 0) {
            utf8 = false;
            ++p;
            continue;
        }
        if (length == 3) {
            // U+2029, U+FDD0, U+FDD1: taken for line breaks by the editor.
            if ((b == 0xE2 && p[1] == 0x80 && p[2] == 0xA9)
                || (b == 0xEF && p[1] == 0xB7 && (p[2] == 0x90 || p[2] == 0x91)))
                marks = true;
            if (b == 0xE2 && p[1] == 0x84 && p[2] == 0xAA)
                scan.foldsToAscii = true;
        } else if (length == 2 && b == 0xC5 && p[1] == 0xBF) {
            scan.foldsToAscii = true;
        }
        p += length;
    }
    if (utf8) {
        scan.encoding = bytes.startsWith(Utf8Mark) ? FileEncoding::Utf8Bom : FileEncoding::Utf8;
    } else {
        // Bytes that are not UTF-8 are read as Windows-1252, where the marks
        // and those two letters do not exist.
        scan.encoding = FileEncoding::Windows1252;
        marks = false;
        scan.foldsToAscii = false;
    }
    if (nul || marks) {
        scan.verdict = ByteScan::Verdict::Refused;
        return scan;
    }
    scan.lineEnd = firstBreak ? LineEnd(firstBreak - 1) : LineEnd::CrLf;
    bool uniform = true;
    switch (scan.lineEnd) {
    case LineEnd::CrLf:
        uniform = cr == crlf && lf == crlf;
        break;
    case LineEnd::Lf:
        uniform = cr == 0;
        break;
    case LineEnd::Cr:
        uniform = lf == 0;
        break;
    }
    scan.verdict = uniform ? ByteScan::Verdict::Ready : ByteScan::Verdict::TextPath;
    return scan;
}

std::optional<ByteOutcome> runBytePass(BytePass pass, QByteArrayView file, const ByteScan &scan)
{
    if (scan.verdict != ByteScan::Verdict::Ready)
        return std::nullopt;
    const qsizetype markLength = scan.encoding == FileEncoding::Utf8Bom ? Utf8Mark.size() : 0;
    const QByteArrayView mark = file.first(markLength);
    const QByteArrayView body = file.sliced(markLength);
    const bool utf8 = scan.encoding != FileEncoding::Windows1252;
    switch (pass) {
    case BytePass::ToEntities:
        return toEntities(mark, body, utf8);
    case BytePass::FromEntities:
        return fromEntities(mark, body, utf8);
    case BytePass::Compact:
        // A case-blind comparison of element names in the text takes these
        // letters for ASCII ones; such pages go the text way.
        if (scan.foldsToAscii)
            return std::nullopt;
        return compact(mark, body, scan.lineEnd);
    }
    return std::nullopt;
}
