#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <string_view>

class PassProgress;

// One character of the Windows-1252 code page (as its Unicode character) and
// the entity that stands for it in a page.
struct EntityPair
{
    char16_t character;
    std::u16string_view entity;
};

// The 91 pairs that the conversions know, letters first, then the symbols.
// Every other character (all of ASCII, the no-break space, the soft hyphen,
// the multiplication and division signs, ...) is never converted, and every
// other spelling of an entity is never converted back.
const std::array<EntityPair, 91> &entityTable();

// The entity for a character, or an empty view when it has none.
std::u16string_view entityFor(char16_t character);
// The character an entity (from "&" through ";") stands for, or 0.
char16_t characterFor(QStringView entity);

struct TextConversion
{
    QString text;
    qsizetype count = 0; // replacements made
};

// Replaces every character of the table by its entity, except inside
// comments, which are copied unchanged: a comment runs from "<!--" through
// the first "-->" after it (or to the end of the text).
TextConversion charactersToEntities(QStringView text, PassProgress *progress = nullptr);

// Replaces every entity of the table by its character, comments included.
// One left-to-right pass; the result is the same as replacing, pair after
// pair, the first occurrence of each entity until none is left.
TextConversion entitiesToCharacters(QStringView text, PassProgress *progress = nullptr);
