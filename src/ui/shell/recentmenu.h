#pragma once

#include "core/shell/recentlist.h"

#include <QMenu>
#include <QVector>

// The "&Derniers fichiers" (entries L1 to L8) or "&Derniers projets"
// (entries P1 to P4) submenu, kept in step with its RecentList: fixed
// entries, only the first count() visible, the submenu's own item in the
// parent menu disabled until the first entry is added. Add it to a menu with
// QMenu::addMenu(recentMenu).
class RecentMenu : public QMenu
{
    Q_OBJECT
public:
    enum class Kind { Files, Projects };

    explicit RecentMenu(Kind kind, QWidget *parent = nullptr);

    // The move-to-front add (see RecentList::add), then the entries refreshed.
    void add(const QString &path);
    // Loads the stored places ("1" the most recent first).
    void load(const QStringList &places);
    // The places to store, capacity() strings.
    QStringList toPlaces() const { return m_list.toPlaces(); }

    const RecentList &list() const { return m_list; }
    int count() const { return m_list.count(); }
    // The fixed entry at a zero-based place (named L1.. or P1..).
    QAction *entryAction(int index) const { return m_entries.value(index); }

    // Enables or disables every entry, e.g. the recent projects while the
    // project commands are not available.
    void setEntriesEnabled(bool enabled);

signals:
    // The user chose an entry; path is its full path.
    void entryChosen(const QString &path);

private:
    void refresh();

    RecentList m_list;
    QVector<QAction *> m_entries;
};
