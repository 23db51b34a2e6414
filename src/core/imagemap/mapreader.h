#pragma once

#include "core/imagemap/mapmodel.h"

#include <QList>

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

// Where a read map stood in the selection, as written, so that what the
// author did not change is written back as it was.
struct MapSource
{
    QString mapTag;      // the MAP start tag
    QString content;     // between it and its end tag
    QString contentTail; // what follows the last area line there, trimmed
    QString mapEnd;      // the end tag ("</map>"); empty when the map has none
    QString imageTag;    // the picture's IMG tag, USEMAP included
    QString between;     // the text between the map and its picture
    bool imageFirst = false;
    qsizetype from = 0; // the map and its picture in the selection
    qsizetype to = 0;
};

// What a selected map gives the editor.
struct MapReading
{
    QString name;
    // The IMG tag without its USEMAP attribute; empty when none was found.
    QString imageTag;
    // LOWSRC, else SRC, of the IMG tag, as written.
    QString pictureFile;
    QList<MapArea> areas;
    MapSource source;

    // The editor's view of the map; where it stood does not count.
    bool operator==(const MapReading &other) const;
};

// Reads a map from selected text: the MAP element's NAME (nothing else is
// read without one), its picture (the first IMG tag after the map, else
// the IMG before it that names it in USEMAP, the order most pages use), and
// one line per tag between the MAP start tag and "</MAP>" up to the last
// "<AREA ". Tags are read by the shared reader, in any letter case.
MapReading ReadSelectedMap(const QString &selected);

enum class MapSelection {
    None,       // no selection: a new map at the caret
    Map,        // the selection is narrowed to a map and its picture
    Unreadable, // the selection holds no map with a picture: it collapses to
                // its start, nothing is re-edited, and the author is told
};

// Run by the image map command before the editor opens: empties
// SelectedElementText, then with a selection that holds a readable map
// narrows it to the map and its picture (whichever comes first through the
// other) and copies that text into SelectedElementText.
MapSelection NarrowSelectionToMap(DocumentText &text, EditorState &state);

// Fills the model from a reading: name, IMG tag and area lines; the fields
// go back to their defaults.
void LoadMap(MapModel &model, const MapReading &reading);
