#pragma once

#include <QList>
#include <QString>

// One cell of the special-character picker: the character shown and the
// entity text it inserts.
struct PickerCharacter
{
    QChar character;
    QString entity;
};

// The picker's cells in order: the four markup characters, the letters of
// the entity conversion table ordered by entity name (capitals first), then
// the symbols. Letters and symbols take their characters from that same
// table, so the picker and the whole-text conversion always agree.
const QList<PickerCharacter> &pickerCharacters();
