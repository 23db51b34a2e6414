#pragma once

#include <QAbstractTableModel>
#include <QIcon>

class Project;

// The project's pages as the project window lists them: name, folder, date
// and size, the master page marked by its icon. Dragging rows carries their
// files, which the frame window opens.
class ProjectListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit ProjectListModel(const Project &project, QObject *parent = nullptr);

    // The project changed: every view shows it again.
    void refresh();

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    Qt::DropActions supportedDragActions() const override { return Qt::CopyAction; }

private:
    const Project &m_project;
    QIcon m_page;
    QIcon m_master;
};
