#include "core/wholetext/entities.h"

#include "core/wholetext/passprogress.h"
#include "core/wholetext/textscan.h"

#include <cstring>

namespace {

constexpr std::array<EntityPair, 91> Table = {{
    {u'\u00C0', u"&Agrave;"}, {u'\u00C1', u"&Aacute;"}, {u'\u00C2', u"&Acirc;"},  {u'\u00C3', u"&Atilde;"},
    {u'\u00C4', u"&Auml;"},   {u'\u00C5', u"&Aring;"},  {u'\u00C6', u"&AElig;"},  {u'\u00C7', u"&Ccedil;"},
    {u'\u00C8', u"&Egrave;"}, {u'\u00C9', u"&Eacute;"}, {u'\u00CA', u"&Ecirc;"},  {u'\u00CB', u"&Euml;"},
    {u'\u00CC', u"&Igrave;"}, {u'\u00CD', u"&Iacute;"}, {u'\u00CE', u"&Icirc;"},  {u'\u00CF', u"&Iuml;"},
    {u'\u00D0', u"&ETH;"},    {u'\u00D1', u"&Ntilde;"}, {u'\u00D2', u"&Ograve;"}, {u'\u00D3', u"&Oacute;"},
    {u'\u00D4', u"&Ocirc;"},  {u'\u00D5', u"&Otilde;"}, {u'\u00D6', u"&Ouml;"},   {u'\u00D8', u"&Oslash;"},
    {u'\u00D9', u"&Ugrave;"}, {u'\u00DA', u"&Uacute;"}, {u'\u00DB', u"&Ucirc;"},  {u'\u00DC', u"&Uuml;"},
    {u'\u00DD', u"&Yacute;"}, {u'\u00DE', u"&THORN;"},  {u'\u00DF', u"&szlig;"},  {u'\u00E0', u"&agrave;"},
    {u'\u00E1', u"&aacute;"}, {u'\u00E2', u"&acirc;"},  {u'\u00E3', u"&atilde;"}, {u'\u00E4', u"&auml;"},
    {u'\u00E5', u"&aring;"},  {u'\u00E6', u"&aelig;"},  {u'\u00E7', u"&ccedil;"}, {u'\u00E8', u"&egrave;"},
    {u'\u00E9', u"&eacute;"}, {u'\u00EA', u"&ecirc;"},  {u'\u00EB', u"&euml;"},   {u'\u00EC', u"&igrave;"},
    {u'\u00ED', u"&iacute;"}, {u'\u00EE', u"&icirc;"},  {u'\u00EF', u"&iuml;"},   {u'\u00F0', u"&eth;"},
    {u'\u00F1', u"&ntilde;"}, {u'\u00F2', u"&ograve;"}, {u'\u00F3', u"&oacute;"}, {u'\u00F4', u"&ocirc;"},
    {u'\u00F5', u"&otilde;"}, {u'\u00F6', u"&ouml;"},   {u'\u00F8', u"&oslash;"}, {u'\u00F9', u"&ugrave;"},
    {u'\u00FA', u"&uacute;"}, {u'\u00FB', u"&ucirc;"},  {u'\u00FC', u"&uuml;"},   {u'\u00FD', u"&yacute;"},
    {u'\u00FE', u"&thorn;"},  {u'\u00FF', u"&yuml;"},   {u'\u2122', u"&trade;"},  {u'\u00A9', u"&copy;"},
    {u'\u00AE', u"&reg;"},    {u'\u00A1', u"&#161;"},   {u'\u00A2', u"&#162;"},   {u'\u00A3', u"&#163;"},
    {u'\u00A4', u"&#164;"},   {u'\u00A5', u"&#165;"},   {u'\u00A6', u"&#166;"},   {u'\u00A7', u"&#167;"},
    {u'\u00A8', u"&#168;"},   {u'\u00AA', u"&#170;"},   {u'\u00AB', u"&#171;"},   {u'\u00B0', u"&#176;"},
    {u'\u00B1', u"&#177;"},   {u'\u00B2', u"&#178;"},   {u'\u00B3', u"&#179;"},   {u'\u00B4', u"&#180;"},
    {u'\u00B5', u"&#181;"},   {u'\u00B6', u"&#182;"},   {u'\u00B7', u"&#183;"},   {u'\u00B8', u"&#184;"},
    {u'\u00B9', u"&#185;"},   {u'\u00BA', u"&#186;"},   {u'\u00BB', u"&#187;"},   {u'\u00BC', u"&#188;"},
    {u'\u00BD', u"&#189;"},   {u'\u00BE', u"&#190;"},   {u'\u00BF', u"&#191;"},
}};

// Entities of the characters U+0080 to U+00FF, indexed by code - 0x80, each
// padded to eight characters so that it can be written in one move.
struct PaddedEntity
{
    char16_t text[8];
    qsizetype length; // 0: the character has none
};

struct Latin1Index
{
    std::array<PaddedEntity, 128> entities{};
    PaddedEntity trade{};
    Latin1Index()
    {
        for (const EntityPair &pair : Table) {
            PaddedEntity &slot = pair.character == u'\u2122' ? trade : entities[pair.character - 0x80];
            std::copy(pair.entity.begin(), pair.entity.end(), slot.text);
            slot.length = qsizetype(pair.entity.size());
        }
    }
    // The padded entity of a character, or null.
    const PaddedEntity *find(char16_t c) const
    {
        const PaddedEntity *entity = c >= 0x80 && c <= 0xFF ? &entities[c - 0x80] : c == u'\u2122' ? &trade : nullptr;
        return entity && entity->length ? entity : nullptr;
    }
};

const Latin1Index &latin1Index()
{
    static const Latin1Index index;
    return index;
}

// The entities by their spelling: a small open-addressing table, so that
// the back conversion pays a few comparisons per "&" it meets.
class EntityIndex
{
public:
    EntityIndex()
    {
        for (const EntityPair &pair : Table) {
            unsigned slot = hash(pair.entity.data(), qsizetype(pair.entity.size()));
            while (!m_slots[slot].entity.empty())
                slot = (slot + 1) % Slots;
            m_slots[slot] = pair;
        }
    }

    char16_t find(const char16_t *entity, qsizetype length) const
    {
        for (unsigned slot = hash(entity, length);; slot = (slot + 1) % Slots) {
            const EntityPair &pair = m_slots[slot];
            if (pair.entity.empty())
                return 0;
            if (qsizetype(pair.entity.size()) == length
                && std::memcmp(pair.entity.data(), entity, size_t(length) * sizeof(char16_t)) == 0)
                return pair.character;
        }
    }

private:
    static constexpr unsigned Slots = 512;

    // Entities are at least five characters long ("&", ";" and three more).
    static unsigned hash(const char16_t *entity, qsizetype length)
    {
        return (unsigned(length) * 131u + entity[1] * 31u + entity[2] * 7u + entity[length - 3] * 3u
                + entity[length - 2])
               % Slots;
    }

    std::array<EntityPair, Slots> m_slots{};
};

const EntityIndex &entityIndex()
{
    static const EntityIndex index;
    return index;
}

// Shortest and longest entity of the table, "&" and ";" included.
constexpr qsizetype ShortestEntity = 5;
constexpr qsizetype LongestEntity = 8;

} // namespace

const std::array<EntityPair, 91> &entityTable()
{
    return Table;
}

std::u16string_view entityFor(char16_t character)
{
    const PaddedEntity *entity = latin1Index().find(character);
    return entity ? std::u16string_view(entity->text, size_t(entity->length)) : std::u16string_view();
}

char16_t characterFor(QStringView entity)
{
    if (entity.size() < ShortestEntity || entity.size() > LongestEntity)
        return 0;
    return entityIndex().find(entity.utf16(), entity.size());
}

namespace {

// Stops of the forward pass: "<" (a comment may start) and the characters
// above U+00A0 (which may have an entity).
inline textscan::Block entityStops(textscan::Block block)
{
    return textscan::any(textscan::equal(block, u'<'), textscan::above(block, 0xA0));
}

inline bool isEntityStop(char16_t c)
{
    return c == u'<' || c > 0xA0;
}

// The forward pass: writes the result to out, which must have room for it
// and eight characters more, and returns its length.
qsizetype toEntities(QStringView text, char16_t *out, qsizetype &count, ProgressTicker &ticker)
{
    static constexpr QStringView CommentEnd = u"-->";

    const char16_t *const data = text.utf16();
    const char16_t *const end = data + text.size();
    char16_t *const outBegin = out;
    const Latin1Index &entities = latin1Index();

    const char16_t *p = data;
    while (p < end) {
        ticker.at(p - data);
        // Outside comments: copy the run of characters that need nothing.
        p = textscan::copyUntil(p, end, out, entityStops, isEntityStop);
        if (p == end)
            break;
        const char16_t c = *p;
        if (c == u'<') {
            if (end - p < 4 || p[1] != u'!' || p[2] != u'-' || p[3] != u'-') {
                *out++ = c;
                ++p;
                continue;
            }
            // A comment: copied unchanged through the first "-->" after its
            // "<!--"; one that never ends runs to the end of the text.
            const qsizetype close = text.indexOf(CommentEnd, (p - data) + 4);
            const char16_t *const after = close < 0 ? end : data + close + CommentEnd.size();
            std::memcpy(out, p, size_t(after - p) * sizeof(char16_t));
            out += after - p;
            p = after;
            continue;
        }
        if (const PaddedEntity *entity = entities.find(c)) {
            std::memcpy(out, entity->text, sizeof entity->text);
            out += entity->length;
            ++count;
        } else {
            *out++ = c;
        }
        ++p;
    }
    return out - outBegin;
}

} // namespace

TextConversion charactersToEntities(QStringView text, PassProgress *progress)
{
    TextConversion result;
    const qsizetype n = text.size();
    const char16_t *const data = text.utf16();
    // Only characters above U+00A0 can grow, by seven characters at most: a
    // quick count of them gives room enough, and what is left over is handed
    // back at the end without a copy. Entities are written eight characters
    // at a time, hence room for one more.
    const qsizetype room = n + 7 * textscan::countAbove(data, data + n, 0xA0) + 8;
    result.text = QString(room, Qt::Uninitialized);
    ProgressTicker ticker(n, progress);
    const qsizetype length = toEntities(text, reinterpret_cast<char16_t *>(result.text.data()), result.count, ticker);
    result.text.truncate(length);
    if (room - length > length / 8 + 1024)
        result.text.squeeze();
    ticker.finish();
    return result;
}

TextConversion entitiesToCharacters(QStringView text, PassProgress *progress)
{
    // Every entity of the table starts with its only "&" and ends with its
    // only ";", so occurrences never overlap, and the characters put in their
    // place (none of them ASCII) can never form a new one. A single scan that
    // replaces each occurrence where it stands therefore gives exactly what
    // repeated replacement of first occurrences, pair by pair, would give.
    TextConversion result;
    const qsizetype n = text.size();
    const char16_t *const data = text.utf16();
    const char16_t *const end = data + n;
    // Nothing gets longer, so the result fits in n.
    result.text = QString(n, Qt::Uninitialized);
    char16_t *const outBegin = reinterpret_cast<char16_t *>(result.text.data());
    char16_t *out = outBegin;
    ProgressTicker ticker(n, progress);
    const EntityIndex &index = entityIndex();
    const auto ampersand = [](textscan::Block block) { return textscan::equal(block, u'&'); };
    const auto isAmpersand = [](char16_t c) { return c == u'&'; };

    const char16_t *p = data;
    while (p < end) {
        ticker.at(p - data);
        p = textscan::copyUntil(p, end, out, ampersand, isAmpersand);
        if (p == end)
            break;
        const char16_t *const limit = std::min(end, p + LongestEntity);
        const char16_t *semi = p + 1;
        while (semi < limit && *semi != u';' && *semi != u'&')
            ++semi;
        if (semi < limit && *semi == u';' && semi + 1 - p >= ShortestEntity) {
            if (const char16_t c = index.find(p, semi + 1 - p)) {
                *out++ = c;
                ++result.count;
                p = semi + 1;
                continue;
            }
        }
        *out++ = *p++;
    }
    result.text.truncate(out - outBegin);
    // Give back a large unused reserve rather than keep it for as long as
    // the text lives (in the page and its undo history).
    if (n - result.text.size() > result.text.size() / 8 + 1024)
        result.text.squeeze();
    ticker.finish();
    return result;
}
