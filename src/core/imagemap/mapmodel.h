#pragma once

#include "core/imagemap/zonedrag.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The fields that place the current zone: X and Y of its top-left corner,
// its width (a circle's radius) and its height (unused by a circle, which
// keeps the value for when the zone turns back into a rectangle).
struct MapFields
{
    static constexpr int MaxValue = 9999;
    MapZone::Kind kind = MapZone::Kind::Rectangle;
    int x = 0;
    int y = 0;
    int size = 60;
    int height = 60;

    bool operator==(const MapFields &) const = default;
};

// The current zone the fields describe (a circle of radius r is the square
// of side 2r).
MapZone ZoneOfFields(const MapFields &fields);
// The fields rewritten from a zone (values kept in the fields' ranges): a
// circle's radius is half its width; its height field is left alone.
MapFields FieldsOfZone(const MapZone &zone, const MapFields &previous);

// One line of the area list and, when the editor draws it, its zone.
struct MapArea
{
    QString line;
    std::optional<MapZone> zone;

    bool operator==(const MapArea &) const = default;
};

enum class AreaLink { External, Internal, None };

// The AREA line for the fields with a link: external (a target, b the
// address), internal (a the "#destination") or none (NOHREF). Empty when the
// link has no address, as a cancelled link dialog leaves it: no zone then.
QString AreaLine(const MapFields &fields, AreaLink link, const QString &a = QString(), const QString &b = QString());

// The onMouseOver and onMouseOut calls a line carries, whole (blanks kept),
// at most 255 characters each.
struct AreaEvents
{
    QString over;
    QString out;
};
AreaEvents AreaLineEvents(const QString &line);
// The line with its own onMouseOver and onMouseOut attributes (and the
// blanks before them) taken out and the new non-empty ones written before
// its ">", after two blanks.
QString AreaLineWithEvents(const QString &line, const QString &over, const QString &out);

// The image map editor's model: the map name, the IMG tag, the area list
// with the zones drawn for its lines, and the fields of the current zone.
class MapModel
{
public:
    // New zones are refused once this many are drawn.
    static constexpr int MaxZones = 41;

    QString name;
    QString imageTag;
    MapFields fields;

    const QList<MapArea> &areas() const { return m_areas; }
    QStringList lines() const;
    // Number of drawn zones (lines the editor cannot draw do not count).
    int zoneCount() const;
    MapZone current() const { return ZoneOfFields(fields); }

    // The defaults: rectangle 0, 0, 60 x 60, no name, no picture, no areas.
    void reset();

    enum class AddResult { Added, TooMany, NoLink };
    // Adds the current zone with its link as a new last line (message 43 for
    // TooMany, nothing for NoLink); the fields then move 6 pixels right and
    // down for the next zone.
    AddResult addZone(AreaLink link, const QString &a = QString(), const QString &b = QString());
    // Appends a line read from a map, drawn when zone is set.
    void appendArea(const MapArea &area);
    // Removes line index and its own zone; false when there is no such line.
    bool removeArea(int index);
    // Replaces the text of line index (its zone stays).
    void setLine(int index, const QString &line);

private:
    QList<MapArea> m_areas;
};
