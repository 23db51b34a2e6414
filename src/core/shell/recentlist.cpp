#include "core/shell/recentlist.h"

RecentList::RecentList(int capacity)
    : m_capacity(capacity)
{
    Q_ASSERT(capacity > 0 && capacity <= 9); // one digit in the caption
}

void RecentList::add(const QString &path)
{
    if (path.isEmpty())
        return;
    const qsizetype k = m_entries.indexOf(path);
    if (k == 0)
        return;
    if (k > 0) {
        // Entries 0 .. k-1 move down to 1 .. k; those after k stay put.
        m_entries.move(k, 0);
        return;
    }
    m_entries.prepend(path);
    if (m_entries.size() > m_capacity)
        m_entries.removeLast();
}

void RecentList::load(const QStringList &places)
{
    for (qsizetype i = qMin<qsizetype>(places.size(), m_capacity) - 1; i >= 0; --i)
        add(places.at(i));
}

QStringList RecentList::toPlaces() const
{
    QStringList places = m_entries;
    while (places.size() < m_capacity)
        places.append(QString());
    return places;
}

QString RecentList::caption(int position, const QString &path)
{
    return QLatin1Char('&') + QString::number(position) + QLatin1Char(' ') + path;
}

QString RecentList::pathFromCaption(const QString &caption)
{
    return caption.mid(3);
}
