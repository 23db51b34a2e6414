#include "ui/project/projectlistmodel.h"

#include "core/project/project.h"

#include <QMimeData>
#include <QSet>
#include <QUrl>

namespace {

const char *const ColumnTitles[ProjectColumnCount] = {"Nom du fichier", "Chemin d'accès", "Date", "Taille"};

} // namespace

ProjectListModel::ProjectListModel(const Project &project, QObject *parent)
    : QAbstractTableModel(parent)
    , m_project(project)
    , m_page(QStringLiteral(":/project/page.svg"))
    , m_master(QStringLiteral(":/project/master.svg"))
{}

void ProjectListModel::refresh()
{
    beginResetModel();
    endResetModel();
}

int ProjectListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_project.count();
}

int ProjectListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ProjectColumnCount;
}

QVariant ProjectListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_project.count())
        return QVariant();
    const ProjectEntry &entry = m_project.entries().at(index.row());
    const auto column = ProjectColumn(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return projectColumnText(entry, column);
    case Qt::ToolTipRole:
        return entry.fullPath();
    case Qt::DecorationRole:
        if (column == ProjectColumn::Name)
            return entry.master ? m_master : m_page;
        break;
    case Qt::TextAlignmentRole:
        if (column == ProjectColumn::Date)
            return int(Qt::AlignCenter);
        if (column == ProjectColumn::Size)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        break;
    default:
        break;
    }
    return QVariant();
}

QVariant ProjectListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ProjectColumnCount)
        return QVariant();
    if (role == Qt::DisplayRole)
        return QString::fromUtf8(ColumnTitles[section]);
    if (role == Qt::TextAlignmentRole) {
        if (section == int(ProjectColumn::Date))
            return int(Qt::AlignCenter);
        if (section == int(ProjectColumn::Size))
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    }
    return QVariant();
}

Qt::ItemFlags ProjectListModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid())
        flags |= Qt::ItemIsDragEnabled;
    return flags;
}

QStringList ProjectListModel::mimeTypes() const
{
    return {QStringLiteral("text/uri-list")};
}

QMimeData *ProjectListModel::mimeData(const QModelIndexList &indexes) const
{
    QSet<int> rows;
    QList<QUrl> urls;
    for (const QModelIndex &index : indexes) {
        if (index.row() < m_project.count() && !rows.contains(index.row())) {
            rows.insert(index.row());
            urls << QUrl::fromLocalFile(m_project.entries().at(index.row()).fullPath());
        }
    }
    auto *data = new QMimeData;
    data->setUrls(urls);
    return data;
}
