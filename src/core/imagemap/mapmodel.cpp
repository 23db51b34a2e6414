#include "core/imagemap/mapmodel.h"
#include "core/attributes/starttag.h"

#include "core/attributes/attributereaders.h"
#include "core/dialogs/eventcalls.h"

#include <algorithm>

namespace {

// An event call inside its double-quoted attribute, escaped so that the
// attribute and the AREA tag stay whole; reading turns it back.
QString quotedCall(const QString &call)
{
    return QuotedValue(call);
}

int inRange(int value, int low)
{
    return std::clamp(value, low, MapFields::MaxValue);
}

} // namespace

MapZone ZoneOfFields(const MapFields &fields)
{
    MapZone zone;
    zone.kind = fields.kind;
    zone.left = fields.x;
    zone.top = fields.y;
    if (fields.kind == MapZone::Kind::Circle) {
        zone.width = zone.height = 2 * fields.size;
    } else {
        zone.width = fields.size;
        zone.height = fields.height;
    }
    return zone;
}

MapFields FieldsOfZone(const MapZone &zone, const MapFields &previous)
{
    MapFields f = previous;
    f.kind = zone.kind;
    f.x = inRange(zone.left, 0);
    f.y = inRange(zone.top, 0);
    if (zone.kind == MapZone::Kind::Circle) {
        f.size = inRange(zone.width / 2, 1);
    } else {
        f.size = inRange(zone.width, 1);
        f.height = inRange(zone.height, 1);
    }
    return f;
}

QString AreaLine(const MapFields &f, AreaLink link, const QString &a, const QString &b)
{
    QString line;
    if (f.kind == MapZone::Kind::Circle) {
        line = QStringLiteral("<AREA SHAPE=\"CIRCLE\" COORDS=\"%1,%2,%3\"")
                   .arg(f.x + f.size)
                   .arg(f.y + f.size)
                   .arg(f.size);
    } else {
        line = QStringLiteral("<AREA SHAPE=\"RECT\" COORDS=\"%1,%2,%3,%4\"")
                   .arg(f.x)
                   .arg(f.y)
                   .arg(f.x + f.size)
                   .arg(f.y + f.height);
    }
    switch (link) {
    case AreaLink::External:
        if (!a.isEmpty())
            line += QStringLiteral(" TARGET=") + QuotedValue(a);
        if (b.isEmpty())
            return QString();
        line += QStringLiteral(" HREF=") + QuotedValue(b);
        break;
    case AreaLink::Internal:
        if (a.isEmpty())
            return QString();
        line += QStringLiteral(" HREF=") + QuotedValue(a);
        break;
    case AreaLink::None:
        line += QStringLiteral(" NOHREF");
        break;
    }
    return line + QLatin1Char('>');
}

AreaEvents AreaLineEvents(const QString &line)
{
    AreaEvents events;
    const StartTag tag = ReadStartTag(line, qMax<qsizetype>(0, line.indexOf(u'<')));
    events.over = tag.value(u"ONMOUSEOVER").value_or(QString()).left(MaxEventCallLength);
    events.out = tag.value(u"ONMOUSEOUT").value_or(QString()).left(MaxEventCallLength);
    return events;
}

QString AreaLineWithEvents(const QString &line, const QString &over, const QString &out)
{
    QString l = WithoutAttribute(WithoutAttribute(line, u"ONMOUSEOVER"), u"ONMOUSEOUT");
    QString events;
    if (!over.isEmpty())
        events += QStringLiteral(" onMouseOver=") + quotedCall(over);
    if (!out.isEmpty())
        events += QStringLiteral(" onMouseOut=") + quotedCall(out);
    if (events.isEmpty())
        return l;
    // After a dangling "NAME=" a blank would not end the value: the events
    // then follow the element name.
    const StartTag tag = ReadStartTag(l, qMax<qsizetype>(0, l.indexOf(u'<')));
    if (tag.isValid() && !tag.attributes.isEmpty() && tag.attributes.last().hasValue
        && tag.attributes.last().quote.isNull() && tag.attributes.last().value.isEmpty())
        return l.insert(tag.nameEnd, events);
    if (l.endsWith(QLatin1Char('>')))
        l.chop(1);
    return l + QLatin1Char(' ') + events + QLatin1Char('>');
}

QStringList MapModel::lines() const
{
    QStringList result;
    for (const MapArea &area : m_areas)
        result << area.line;
    return result;
}

int MapModel::zoneCount() const
{
    return int(std::count_if(m_areas.cbegin(), m_areas.cend(), [](const MapArea &a) { return a.zone.has_value(); }));
}

void MapModel::reset()
{
    *this = MapModel();
}

MapModel::AddResult MapModel::addZone(AreaLink link, const QString &a, const QString &b)
{
    if (zoneCount() >= MaxZones)
        return AddResult::TooMany;
    const QString line = AreaLine(fields, link, a, b);
    if (line.isEmpty())
        return AddResult::NoLink;
    m_areas.append({line, current()});
    fields.x = inRange(fields.x + 6, 0);
    fields.y = inRange(fields.y + 6, 0);
    return AddResult::Added;
}

void MapModel::appendArea(const MapArea &area)
{
    m_areas.append(area);
}

bool MapModel::removeArea(int index)
{
    if (index < 0 || index >= m_areas.size())
        return false;
    m_areas.removeAt(index);
    return true;
}

void MapModel::setLine(int index, const QString &line)
{
    if (index >= 0 && index < m_areas.size())
        m_areas[index].line = line;
}
