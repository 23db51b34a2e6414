#pragma once

#include <QString>
#include <QStringList>

// A move-to-front list of full paths, compared exactly: the recent files
// (8 places) and the recent projects (4 places) of the frame window. Place 1
// is the most recent. The places after count() are always empty, so only the
// first count() entries exist.
class RecentList
{
public:
    static constexpr int FileCapacity = 8;
    static constexpr int ProjectCapacity = 4;

    explicit RecentList(int capacity);

    int capacity() const { return m_capacity; }
    int count() const { return int(m_entries.size()); }
    // The visible entries, most recent first.
    const QStringList &entries() const { return m_entries; }
    // Entry at a zero-based place; empty beyond count().
    QString entry(int index) const { return m_entries.value(index); }

    // Puts path at the head. A path already listed moves to the head and the
    // entries before it move down one place; the entries after it keep their
    // places and the count does not change. A new path pushes every entry down
    // (the last one drops off when the list is full). An empty path is ignored:
    // it would give an entry that opens nothing.
    void add(const QString &path);

    // Loads the stored places ("1" the most recent first): each non-empty
    // one is added from the last place up to the first, so place 1 ends at
    // the head. Whatever the list held before is kept behind them.
    void load(const QStringList &places);
    // The places to store: capacity() strings, empty beyond count().
    QStringList toPlaces() const;

    // Menu caption of the entry at a one-based position: "&" + position +
    // a blank + path, e.g. "&3 /pages/index.htm".
    static QString caption(int position, const QString &path);
    // The path a caption holds: the caption from its fourth character on.
    static QString pathFromCaption(const QString &caption);

private:
    int m_capacity;
    QStringList m_entries;
};
