#include "core/imagemap/mapreader.h"

#include "core/attributes/attributereaders.h"
#include "core/attributes/starttag.h"
#include "core/markup/editorstate.h"
#include "core/text/documenttext.h"

namespace {

// The picture of a map that follows it or, in the order most pages use, an
// IMG before it: the one whose USEMAP names the map, else the nearest.
StartTag pictureOfMap(const QString &selected, const StartTag &map, qsizetype afterMap, const QString &name,
                      bool *before)
{
    *before = false;
    const StartTag after = FindStartTag(selected, u"IMG", afterMap);
    if (after.isValid() && after.closed)
        return after;
    const QString reference = u'#' + name;
    const QStringView head = QStringView(selected).first(map.start);
    StartTag best;
    for (StartTag t = FindStartTag(head, u"IMG"); t.isValid() && t.closed; t = FindStartTag(head, u"IMG", t.end)) {
        const bool names = t.value(u"USEMAP").value_or(QString()).compare(reference, Qt::CaseInsensitive) == 0;
        if (names || !best.isValid() || best.value(u"USEMAP") != reference)
            best = t;
    }
    *before = best.isValid();
    return best;
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

bool MapReading::operator==(const MapReading &o) const
{
    return name == o.name && imageTag == o.imageTag && pictureFile == o.pictureFile && areas == o.areas;
}

MapReading ReadSelectedMap(const QString &selected)
{
    MapReading reading;
    const StartTag map = FindStartTag(selected, u"MAP");
    if (!map.closed)
        return reading;
    reading.name = map.value(u"NAME").value_or(QString());
    if (reading.name.isEmpty())
        return reading;
    MapSource &source = reading.source;
    source.mapTag = selected.mid(map.start, map.end - map.start);
    QString s = selected.mid(map.end);

    // The picture comes after the map, or before it; a map without its end
    // reads the first IMG tag after its start.
    const qsizetype mapEnd = s.indexOf(QStringLiteral("</MAP>"), 0, Qt::CaseInsensitive);
    const qsizetype afterMap = map.end + (mapEnd < 0 ? 0 : mapEnd + 6);
    const StartTag img = pictureOfMap(selected, map, afterMap, reading.name, &source.imageFirst);
    if (!img.isValid())
        return reading;
    source.imageTag = selected.mid(img.start, img.end - img.start);
    reading.imageTag = WithoutAttribute(source.imageTag, u"USEMAP");
    reading.pictureFile = img.value(u"LOWSRC").value_or(QString());
    if (reading.pictureFile.isEmpty())
        reading.pictureFile = img.value(u"SRC").value_or(QString());
    source.from = source.imageFirst ? img.start : map.start;
    source.to = source.imageFirst ? afterMap : img.end;
    source.between =
        source.imageFirst ? selected.mid(img.end, map.start - img.end) : selected.mid(afterMap, img.start - afterMap);
    if (mapEnd < 0)
        return reading;
    source.content = s.left(mapEnd);
    source.mapEnd = s.mid(mapEnd, 6);
    s.truncate(mapEnd);
    const QString area = QStringLiteral("<AREA ");
    QList<qsizetype> ends; // where each line ends in the content
    qsizetype consumed = 0;
    while (s.contains(area, Qt::CaseInsensitive)) {
        const qsizetype tag = s.indexOf(QLatin1Char('<'));
        const qsizetype p = tag < 0 ? -1 : StartTagEnd(s, tag);
        if (p < 0)
            break;
        const QString line = s.left(p).trimmed();
        reading.areas.append({line, ZoneOfAreaLine(line)});
        consumed += p;
        ends.append(consumed);
        s = s.mid(p);
    }
    // Text after the last complete AREA tag is not a line of the map; it is
    // kept apart so that a rewritten map still holds it.
    while (!reading.areas.isEmpty() && !reading.areas.last().line.contains(area, Qt::CaseInsensitive)) {
        reading.areas.removeLast();
        ends.removeLast();
    }
    source.contentTail = source.content.mid(ends.isEmpty() ? 0 : ends.last()).trimmed();
    return reading;
}

MapSelection NarrowSelectionToMap(DocumentText &text, EditorState &state)
{
    state.SelectedElementText.clear();
    const int start = text.selectionStart();
    if (text.selectionLength() <= 0)
        return MapSelection::None;
    const QString captured = text.selectedText();
    const MapReading reading = ReadSelectedMap(captured);
    if (reading.name.isEmpty() || reading.imageTag.isEmpty()) {
        // Nothing to re-edit: the new map goes at the selection's start and
        // the selected text stays.
        text.setSelectionStart(start);
        return MapSelection::Unreadable;
    }
    const MapSource &source = reading.source;
    text.select(start + int(source.from), int(source.to - source.from));
    state.SelectedElementText = captured.mid(source.from, source.to - source.from);
    return MapSelection::Map;
}

void LoadMap(MapModel &model, const MapReading &reading)
{
    model.reset();
    model.name = reading.name;
    model.imageTag = reading.imageTag;
    for (const MapArea &area : reading.areas)
        model.appendArea(area);
}
