#include "core/imagemap/mapreader.h"

#include "core/attributes/attributereaders.h"
#include "core/markup/editorstate.h"
#include "core/markup/elementmarkers.h"
#include "core/markup/elementselection.h"
#include "core/text/documenttext.h"

namespace {

// Removes every " USEMAP=" attribute with its value (quoted or bare) from
// an IMG tag, so that the map writes exactly one.
QString withoutUseMap(QString tag)
{
    const QString key = QStringLiteral(" USEMAP=");
    qsizetype at;
    while ((at = tag.indexOf(key, 0, Qt::CaseInsensitive)) >= 0) {
        qsizetype end = at + key.size();
        if (end < tag.size() && tag.at(end) == QLatin1Char('"')) {
            const qsizetype close = tag.indexOf(QLatin1Char('"'), end + 1);
            end = close >= 0 ? close + 1 : tag.size() - 1;
        } else {
            while (end < tag.size() && tag.at(end) != QLatin1Char(' ') && tag.at(end) != QLatin1Char('>'))
                ++end;
        }
        end = std::max(end, at + key.size());
        // A blank stays between the words the attribute stood between.
        const bool joins = end < tag.size() && tag.at(end) != QLatin1Char('>') && tag.at(end) != QLatin1Char(' ');
        tag.replace(at, end - at, joins ? QStringLiteral(" ") : QString());
    }
    return tag;
}

// The numbers of a COORDS list, -1 for each one missing.
QList<int> coordinates(QString coords, int count)
{
    coords.remove(QLatin1Char(' '));
    coords.remove(QLatin1Char('\t'));
    QList<int> numbers;
    for (int i = 0; i < count; ++i) {
        numbers << LeadingNumber(coords);
        const qsizetype comma = coords.indexOf(QLatin1Char(','));
        coords = comma >= 0 ? coords.mid(comma + 1) : QString();
    }
    return numbers;
}

} // namespace

int LeadingNumber(QStringView text)
{
    qsizetype end = 0;
    while (end < text.size() && text.at(end) >= u'0' && text.at(end) <= u'9')
        ++end;
    if (end == 0)
        return -1;
    bool ok = false;
    const int value = text.first(end).toInt(&ok);
    return ok ? value : -1;
}

std::optional<MapZone> ZoneOfAreaLine(const QString &line)
{
    const QString shape = AttrText(QStringLiteral("SHAPE="), line);
    const QString coords = AttrText(QStringLiteral("COORDS="), line, true);
    MapZone zone;
    if (shape == QLatin1String("RECT")) {
        const QList<int> n = coordinates(coords, 4);
        zone.left = n[0];
        zone.top = n[1];
        zone.width = n[2] - n[0];
        zone.height = n[3] - n[1];
        if (n.contains(-1))
            return std::nullopt;
    } else if (shape == QLatin1String("CIRCLE")) {
        const QList<int> n = coordinates(coords, 3);
        if (n.contains(-1) || n[2] > MapFields::MaxValue)
            return std::nullopt;
        zone.kind = MapZone::Kind::Circle;
        zone.left = n[0] - n[2];
        zone.top = n[1] - n[2];
        zone.width = zone.height = 2 * n[2];
    } else {
        return std::nullopt;
    }
    if (zone.width <= 0 || zone.height <= 0)
        return std::nullopt;
    return zone;
}

MapReading ReadSelectedMap(const QString &selected)
{
    MapReading reading;
    reading.name = AttrText(QStringLiteral("NAME="), selected);
    if (reading.name.isEmpty())
        return reading;
    const qsizetype startEnd = selected.indexOf(QLatin1Char('>'));
    QString s = startEnd >= 0 ? selected.mid(startEnd + 1) : QString();

    // The picture comes after the map; a map without its end reads the
    // first IMG tag after its start.
    const qsizetype mapEnd = s.indexOf(QStringLiteral("</MAP>"), 0, Qt::CaseInsensitive);
    const qsizetype img = s.indexOf(QStringLiteral("<IMG "), std::max<qsizetype>(mapEnd, 0), Qt::CaseInsensitive);
    if (img < 0)
        return reading;
    const qsizetype imgEnd = s.indexOf(QLatin1Char('>'), img);
    if (imgEnd < 0)
        return reading;
    reading.imageTag = withoutUseMap(s.mid(img, imgEnd - img + 1));
    reading.pictureFile = AttrText(QStringLiteral("LOWSRC="), reading.imageTag, true);
    if (reading.pictureFile.isEmpty())
        reading.pictureFile = AttrText(QStringLiteral("SRC="), reading.imageTag, true);
    if (mapEnd < 0)
        return reading;
    s.truncate(mapEnd);
    const QString area = QStringLiteral("<AREA ");
    while (s.contains(area, Qt::CaseInsensitive)) {
        const qsizetype p = s.indexOf(QLatin1Char('>'));
        if (p < 0)
            break;
        const QString line = s.left(p + 1).trimmed();
        reading.areas.append({line, ZoneOfAreaLine(line)});
        s = s.mid(p + 1);
    }
    // Text after the last complete AREA tag is not a line of the map.
    while (!reading.areas.isEmpty() && !reading.areas.last().line.contains(area, Qt::CaseInsensitive))
        reading.areas.removeLast();
    return reading;
}

void NarrowSelectionToMap(DocumentText &text, EditorState &state)
{
    ApplyElementEditMode(text, state, MarkersForCommand(QStringLiteral("MapBtn")));
}

void LoadMap(MapModel &model, const MapReading &reading)
{
    model.reset();
    model.name = reading.name;
    model.imageTag = reading.imageTag;
    for (const MapArea &area : reading.areas)
        model.appendArea(area);
}
