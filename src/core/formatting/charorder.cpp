#include "core/formatting/charorder.h"

#include "core/wholetext/entities.h"

#include <algorithm>

namespace {

// Entities the conversion table leaves out, with their characters.
struct Extra
{
    char16_t character;
    const char16_t *entity;
};

constexpr Extra Markup[] = {{u'<', u"&lt;"}, {u'>', u"&gt;"}, {u'&', u"&amp;"}, {u'"', u"&quot;"}};
constexpr Extra NoBreakSpace = {u'\u00A0', u"&#160;"};

// The symbols in their place in the grid; "&#160;" is the one that the
// conversion table does not hold.
constexpr const char16_t *Symbols[] = {
    u"&reg;",  u"&copy;", u"&#160;", u"&#162;", u"&#163;", u"&#171;", u"&#187;", u"&#177;", u"&#176;", u"&trade;",
    u"&#161;", u"&#191;", u"&#188;", u"&#189;", u"&#190;", u"&#183;", u"&#184;", u"&#182;", u"&#185;", u"&#178;",
    u"&#179;", u"&#180;", u"&#181;", u"&#168;", u"&#170;", u"&#186;", u"&#165;", u"&#166;", u"&#167;", u"&#164;",
};

bool isLetter(char16_t c)
{
    return c >= 0xC0 && c <= 0xFF;
}

QList<PickerCharacter> build()
{
    QList<PickerCharacter> cells;
    for (const Extra &extra : Markup)
        cells.append({QChar(extra.character), QString::fromUtf16(extra.entity)});

    QList<PickerCharacter> letters;
    for (const EntityPair &pair : entityTable()) {
        if (isLetter(pair.character))
            letters.append(
                {QChar(pair.character), QString::fromUtf16(pair.entity.data(), qsizetype(pair.entity.size()))});
    }
    // Plain code order of the names: capitals come before small letters.
    std::sort(letters.begin(), letters.end(),
              [](const PickerCharacter &a, const PickerCharacter &b) { return a.entity < b.entity; });
    cells.append(letters);

    for (const char16_t *symbol : Symbols) {
        const QString entity = QString::fromUtf16(symbol);
        const char16_t c = entity == QStringView(NoBreakSpace.entity) ? NoBreakSpace.character : characterFor(entity);
        Q_ASSERT(c != 0);
        cells.append({QChar(c), entity});
    }
    return cells;
}

} // namespace

const QList<PickerCharacter> &pickerCharacters()
{
    static const QList<PickerCharacter> Cells = build();
    return Cells;
}
