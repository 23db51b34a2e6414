#pragma once

#include "core/imagemap/mapmodel.h"

#include <QString>

class DocumentText;
struct EditorState;

// The decimal value of the digits at the very start of text; -1 when text
// does not start with a digit or the number does not fit an int.
int LeadingNumber(QStringView text);

// The zone an AREA line describes: "RECT" and "CIRCLE" shapes (exact case)
// with their four or three COORDS numbers (blanks between them ignored);
// nothing for any other shape, or for coordinates that are missing or give
// no area.
std::optional<MapZone> ZoneOfAreaLine(const QString &line);

// What a selected map gives the editor.
struct MapReading
{
    QString name;
    // The IMG tag without its USEMAP attribute; empty when none follows.
    QString imageTag;
    // LOWSRC, else SRC, of the IMG tag, as written.
    QString pictureFile;
    QList<MapArea> areas;

    bool operator==(const MapReading &) const = default;
};

// Reads a map from selected text: the NAME value (nothing else is read
// without one), the first IMG tag after the map, and one line per tag
// between the MAP start tag and "</MAP>" up to the last "<AREA ". Tag names
// are found in any letter case.
MapReading ReadSelectedMap(const QString &selected);

// Run by the image map command before the editor opens: empties
// SelectedElementText, then with a selection copies it there and narrows
// both to the map, from "<MAP NAME=" through the end of the first
// "<IMG SRC=" tag after it. Without "<MAP NAME=" the whole selection stays;
// with it but no IMG tag after it, the selection collapses at the map's
// start and nothing is re-edited.
void NarrowSelectionToMap(DocumentText &text, EditorState &state);

// Fills the model from a reading: name, IMG tag and area lines; the fields
// go back to their defaults.
void LoadMap(MapModel &model, const MapReading &reading);
