#include "ui/picker/folderview.h"

#include <QDragEnterEvent>
#include <QFileSystemModel>
#include <QMimeData>

FolderTreeView::FolderTreeView(QWidget *parent)
    : QTreeView(parent)
{
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::DropOnly);
}

bool FolderTreeView::acceptable(const QDropEvent *event) const
{
    return m_source && event->source() == m_source && event->mimeData()->hasUrls();
}

QString FolderTreeView::folderAt(const QPoint &pos) const
{
    const auto *files = qobject_cast<const QFileSystemModel *>(model());
    const QModelIndex index = indexAt(pos);
    if (!files || !index.isValid() || !files->isDir(index))
        return QString();
    return files->filePath(index);
}

void FolderTreeView::dragEnterEvent(QDragEnterEvent *event)
{
    if (acceptable(event))
        event->acceptProposedAction();
    else
        event->ignore();
}

void FolderTreeView::dragMoveEvent(QDragMoveEvent *event)
{
    // Let the view scroll and expand while dragging, then decide.
    QTreeView::dragMoveEvent(event);
    if (acceptable(event) && !folderAt(event->position().toPoint()).isEmpty()) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void FolderTreeView::dropEvent(QDropEvent *event)
{
    const QString folder = folderAt(event->position().toPoint());
    if (!acceptable(event) || folder.isEmpty()) {
        event->ignore();
        return;
    }
    // Reported as a copy, so the list never removes the dragged row itself;
    // the list follows the file system once the file has moved.
    event->setDropAction(Qt::CopyAction);
    event->accept();
    const QList<QUrl> urls = event->mimeData()->urls();
    for (const QUrl &url : urls)
        if (url.isLocalFile())
            emit fileDropped(url.toLocalFile(), folder);
}
