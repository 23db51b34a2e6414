#pragma once

#include <QTreeView>

// The picker's folder tree. It accepts files dragged from the picker's own
// file list and reports each drop onto a folder; the dialog asks before
// anything moves, so the model never moves files by itself.
class FolderTreeView : public QTreeView
{
    Q_OBJECT
public:
    explicit FolderTreeView(QWidget *parent = nullptr);

    // Only drags that start in this widget are accepted.
    void setDragSource(QWidget *source) { m_source = source; }

signals:
    void fileDropped(const QString &file, const QString &folder);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    bool acceptable(const QDropEvent *event) const;
    QString folderAt(const QPoint &pos) const;

    QWidget *m_source = nullptr;
};
