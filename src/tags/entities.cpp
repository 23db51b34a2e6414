#include "tags/entities.h"

#include "tags/passprogress.h"

#include <unordered_map>

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

// Entities of the characters U+0080 to U+00FF, indexed by code - 0x80.
struct Latin1Index
{
    std::array<std::u16string_view, 128> entities{};
    Latin1Index()
    {
        for (const EntityPair &pair : Table) {
            if (pair.character >= 0x80 && pair.character <= 0xFF)
                entities[pair.character - 0x80] = pair.entity;
        }
    }
};

const Latin1Index &latin1Index()
{
    static const Latin1Index index;
    return index;
}

const std::unordered_map<std::u16string_view, char16_t> &entityIndex()
{
    static const std::unordered_map<std::u16string_view, char16_t> index = [] {
        std::unordered_map<std::u16string_view, char16_t> map;
        for (const EntityPair &pair : Table)
            map.emplace(pair.entity, pair.character);
        return map;
    }();
    return index;
}

// Shortest and longest entity of the table, "&" and ";" included.
constexpr qsizetype ShortestEntity = 5;
constexpr qsizetype LongestEntity = 8;

constexpr char16_t TradeMark = u'\u2122';

// Whether a character outside comments needs a look at the table. Only
// characters from U+00A1 on, and the trade mark sign, can have an entity.
inline bool mayHaveEntity(char16_t c)
{
    return (c >= 0xA1 && c <= 0xFF) || c == TradeMark;
}

} // namespace

const std::array<EntityPair, 91> &entityTable()
{
    return Table;
}

std::u16string_view entityFor(char16_t character)
{
    if (character == TradeMark)
        return u"&trade;";
    if (character < 0x80 || character > 0xFF)
        return {};
    return latin1Index().entities[character - 0x80];
}

char16_t characterFor(QStringView entity)
{
    if (entity.size() < ShortestEntity || entity.size() > LongestEntity)
        return 0;
    const std::u16string_view key(entity.utf16(), size_t(entity.size()));
    const auto &index = entityIndex();
    const auto it = index.find(key);
    return it == index.end() ? 0 : it->second;
}

TextConversion charactersToEntities(QStringView text, PassProgress *progress)
{
    static constexpr QStringView CommentStart = u"<!--";
    static constexpr QStringView CommentEnd = u"-->";

    TextConversion result;
    const qsizetype n = text.size();
    const char16_t *const data = text.utf16();
    result.text.reserve(n + n / 16 + 16);
    ProgressTicker ticker(n, progress);

    qsizetype i = 0;
    while (i < n) {
        ticker.at(i);
        // Outside comments: copy the run of characters that need nothing.
        qsizetype j = i;
        while (j < n) {
            const char16_t c = data[j];
            if (c == u'<' || mayHaveEntity(c))
                break;
            ++j;
        }
        result.text.append(reinterpret_cast<const QChar *>(data + i), j - i);
        if (j == n)
            break;
        i = j;
        const char16_t c = data[i];
        if (c == u'<') {
            if (!text.sliced(i).startsWith(CommentStart)) {
                result.text.append(QChar(c));
                ++i;
                continue;
            }
            // A comment: copied unchanged through its "-->". A comment that
            // never ends runs to the end of the text. The next comment may
            // start right after this one's end.
            const qsizetype end = text.indexOf(CommentEnd, i + CommentStart.size());
            const qsizetype stop = end < 0 ? n : end + CommentEnd.size();
            result.text.append(reinterpret_cast<const QChar *>(data + i), stop - i);
            i = stop;
            continue;
        }
        const std::u16string_view entity = entityFor(c);
        if (entity.empty()) {
            result.text.append(QChar(c));
        } else {
            result.text.append(reinterpret_cast<const QChar *>(entity.data()), qsizetype(entity.size()));
            ++result.count;
        }
        ++i;
    }
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
    result.text.reserve(n);
    ProgressTicker ticker(n, progress);

    qsizetype copied = 0;
    qsizetype i = 0;
    while (i < n) {
        const qsizetype amp = text.indexOf(u'&', i);
        if (amp < 0)
            break;
        ticker.at(amp);
        const qsizetype limit = std::min(n, amp + LongestEntity);
        qsizetype semi = amp + 1;
        while (semi < limit && data[semi] != u';' && data[semi] != u'&')
            ++semi;
        if (semi < limit && data[semi] == u';') {
            const char16_t c = characterFor(text.sliced(amp, semi + 1 - amp));
            if (c != 0) {
                result.text.append(reinterpret_cast<const QChar *>(data + copied), amp - copied);
                result.text.append(QChar(c));
                ++result.count;
                copied = i = semi + 1;
                continue;
            }
        }
        i = amp + 1;
    }
    result.text.append(reinterpret_cast<const QChar *>(data + copied), n - copied);
    ticker.finish();
    return result;
}
