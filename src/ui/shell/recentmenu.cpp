#include "ui/shell/recentmenu.h"

namespace {
const QString FilesTitle = QStringLiteral("&Derniers fichiers");
const QString ProjectsTitle = QStringLiteral("&Derniers projets");
} // namespace

RecentMenu::RecentMenu(Kind kind, QWidget *parent)
    : QMenu(kind == Kind::Files ? FilesTitle : ProjectsTitle, parent)
    , m_list(kind == Kind::Files ? RecentList::FileCapacity : RecentList::ProjectCapacity)
{
    const QChar letter = kind == Kind::Files ? QLatin1Char('L') : QLatin1Char('P');
    for (int i = 0; i < m_list.capacity(); ++i) {
        QAction *entry = addAction(QString());
        entry->setObjectName(letter + QString::number(i + 1));
        entry->setVisible(false);
        connect(entry, &QAction::triggered, this, [this, entry]() {
            const QString path = entry->data().toString();
            if (!path.isEmpty())
                emit entryChosen(path);
        });
        m_entries.append(entry);
    }
    menuAction()->setEnabled(false);
}

void RecentMenu::add(const QString &path)
{
    m_list.add(path);
    refresh();
}

void RecentMenu::load(const QStringList &places)
{
    m_list.load(places);
    refresh();
}

void RecentMenu::setEntriesEnabled(bool enabled)
{
    for (QAction *entry : std::as_const(m_entries))
        entry->setEnabled(enabled);
}

void RecentMenu::refresh()
{
    for (int i = 0; i < m_entries.size(); ++i) {
        QAction *entry = m_entries.at(i);
        const QString path = m_list.entry(i);
        // The path travels in the entry's data; in the shown caption a "&"
        // of the path is doubled so that Qt shows it instead of taking it
        // for a shortcut mark.
        QString shown = RecentList::caption(i + 1, QString(path).replace(QLatin1Char('&'), QStringLiteral("&&")));
        entry->setText(shown);
        entry->setData(path);
        entry->setVisible(i < m_list.count());
    }
    if (m_list.count() > 0)
        menuAction()->setEnabled(true);
}
