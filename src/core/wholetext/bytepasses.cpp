#include "core/wholetext/bytepasses.h"

#include "core/text/documenttext.h"
#include "core/wholetext/entities.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <vector>

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

// The pass's output, gathered in a piece of fixed size that goes to the sink
// each time it is full: the new file is never held whole.
class Output
{
public:
    struct Stopped
    {
    };

    Output(ByteSink &sink, qsizetype pieceSize)
        : m_sink(sink)
        , m_piece(std::max<qsizetype>(pieceSize, 1))
        , m_out(m_piece.data())
        , m_end(m_out + m_piece.size())
    {}
    void put(char c)
    {
        if (m_out == m_end)
            flush();
        *m_out++ = c;
    }
    void put(const char *p, qsizetype n)
    {
        for (qsizetype room = m_end - m_out; n > room; room = m_end - m_out) {
            std::memcpy(m_out, p, size_t(room));
            m_out += room;
            p += room;
            n -= room;
            flush();
        }
        // An empty piece may come without storage.
        if (n > 0) {
            std::memcpy(m_out, p, size_t(n));
            m_out += n;
        }
    }
    void put(const Byte *p, const Byte *end) { put(reinterpret_cast<const char *>(p), end - p); }
    // Hands over what is left; throws Stopped when the sink refuses a piece.
    void flush()
    {
        const qsizetype n = m_out - m_piece.data();
        m_out = m_piece.data();
        m_flushed += n;
        if (n > 0 && !m_sink.take(QByteArrayView(m_piece.data(), n)))
            throw Stopped();
    }
    qsizetype written() const { return m_flushed + (m_out - m_piece.data()); }

private:
    ByteSink &m_sink;
    std::vector<char> m_piece;
    char *m_out;
    char *m_end;
    qsizetype m_flushed = 0;
};

qsizetype toEntities(QByteArrayView body, bool utf8, Output &out)
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

qsizetype fromEntities(QByteArrayView body, bool utf8, Output &out)
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
void compact(QByteArrayView body, LineEnd lineEnd, Output &out)
{
    const Byte *p = reinterpret_cast<const Byte *>(body.data());
    const Byte *const end = p + body.size();
    const Byte lone = lineEnd == LineEnd::Lf ? '\n' : lineEnd == LineEnd::Cr ? '\r' : 0;
    bool inTag = false;
    bool inBraces = false;
    bool inBlankRun = false;
    QByteArrayView verbatim;
    // Most bytes go over unchanged: they are handed out in one piece, from
    // kept up to the next byte that is dropped or replaced.
    const Byte *kept = p;
    const auto drop = [&](const Byte *at) {
        out.put(kept, at);
        kept = at + 1;
    };
    const auto blankFor = [&](const Byte *at) {
        drop(at);
        out.put(' ');
    };
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
        // Skips what needs nothing: anything but the four markers inside
        // tags and braces, ordinary characters outside.
        if (inTag || inBraces) {
            while (p < end && Markers[*p] != 1)
                ++p;
        } else {
            const Byte *const run = p;
            for (;;) {
                while (p < end && !Markers[*p])
                    ++p;
                // A single space between ordinary characters stays as it is.
                if (end - p >= 2 && *p == ' ' && !Markers[p[1]] && (p > run || !inBlankRun)) {
                    p += 2;
                    continue;
                }
                break;
            }
            if (p > run)
                inBlankRun = false;
        }
        if (p == end)
            break;
        const Byte *const at = p;
        const Byte c = *p++;
        switch (c) {
        case '<':
            if (!inTag && !inBraces)
                verbatim = verbatimElementAt(p, end);
            inTag = true;
            continue;
        case '{':
            inBraces = true;
            continue;
        case '>': {
            const bool closes = inTag;
            inTag = false;
            if (closes || inBraces) {
                if (closes && !inBraces && !verbatim.isEmpty()) {
                    const Byte *contentEnd = endTagOf(verbatim, p, end);
                    if (contentEnd > p) {
                        const Byte last = contentEnd[-1];
                        inBlankRun = last == ' ' || last == '\r' || last == '\n';
                    }
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
            if (closes || inTag)
                continue;
            break;
        }
        default:
            break;
        }
        if (c == lone) {
            // A one-byte line end stands for CR LF: a blank.
            inBlankRun = true;
            blankFor(at);
        } else if (c == ' ' || c == '\r' || c == '\n') {
            // A blank run keeps a space that opens it and turns each LF in it
            // into a space; the rest of it is dropped.
            if (!inBlankRun) {
                inBlankRun = true;
                if (c != ' ')
                    drop(at);
            } else if (c == '\n') {
                blankFor(at);
            } else {
                drop(at);
            }
        } else {
            inBlankRun = false;
        }
    }
    out.put(kept, end);
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
    Output out(sink, pieceSize);
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
            compact(body, scan.lineEnd, out);
            count = file.size() - out.written();
            break;
        }
        out.flush();
        return count;
    } catch (const Output::Stopped &) {
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
