#include "core/imagemap/mapmodel.h"

#include "core/attributes/attributereaders.h"
#include "core/dialogs/eventcalls.h"

#include <algorithm>

namespace {

constexpr QLatin1Char Q('"');

// An event call inside its double-quoted attribute: the call's own double
// quotes are written as &quot; (which the browser reads as quotes), so the
// attribute and the AREA tag stay whole; reading turns them back.
QString quotedCall(QString call)
{
    return Q + call.replace(Q, QStringLiteral("&quot;")) + Q;
}

QString callOfValue(QString value)
{
    return value.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
}

int inRange(int value, int low)
{
    return std::clamp(value, low, MapFields::MaxValue);
}

// Takes the attribute that starts at index (its quoted value included) and
// the blanks before it out of line. A value without its closing quote runs
// to the line's end, which keeps its ">".
QString withoutAttribute(const QString &line, qsizetype index, qsizetype nameLength)
{
    qsizetype end = line.indexOf(Q, index + nameLength);
    if (end < 0) {
        end = line.endsWith(QLatin1Char('>')) ? line.size() - 2 : line.size() - 1;
    }
    qsizetype start = index;
    while (start > 0 && line.at(start - 1).isSpace())
        --start;
    return line.left(start) + line.mid(end + 1);
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
            line += QStringLiteral(" TARGET=") + Q + a + Q;
        if (b.isEmpty())
            return QString();
        line += QStringLiteral(" HREF=") + Q + b + Q;
        break;
    case AreaLink::Internal:
        if (a.isEmpty())
            return QString();
        line += QStringLiteral(" HREF=") + Q + a + Q;
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
    events.over = callOfValue(AttrText(QStringLiteral("ONMOUSEOVER=\""), line, true)).left(MaxEventCallLength);
    events.out = callOfValue(AttrText(QStringLiteral("ONMOUSEOUT=\""), line, true)).left(MaxEventCallLength);
    return events;
}

QString AreaLineWithEvents(const QString &line, const QString &over, const QString &out)
{
    QString l = line;
    for (const QString &key : {QStringLiteral("ONMOUSEOVER=\""), QStringLiteral("ONMOUSEOUT=\"")}) {
        qsizetype at;
        while ((at = l.indexOf(key, 0, Qt::CaseInsensitive)) >= 0)
            l = withoutAttribute(l, at, key.size());
    }
    QString events;
    if (!over.isEmpty())
        events += QStringLiteral(" onMouseOver=") + quotedCall(over);
    if (!out.isEmpty())
        events += QStringLiteral(" onMouseOut=") + quotedCall(out);
    if (events.isEmpty())
        return l;
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
