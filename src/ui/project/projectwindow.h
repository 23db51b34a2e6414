#pragma once

#include <QWidget>

class ProjectCommands;
class ProjectListModel;
class QAction;
class QActionGroup;
class QLabel;
class QListView;
class QMenu;
class QStackedWidget;
class QTreeView;

// The project window: the open project's pages in one of four views (large
// icons, small icons, list, report with columns), with the commands on them:
// add (button, menu, Insert, files dropped from the file manager), remove
// (button, menu, Delete), master mark, open (button, menu, double click),
// open all, save. A resizable tool window that stays above the frame window.
class TGestionFrm : public QWidget
{
    Q_OBJECT
public:
    enum class View { LargeIcons, SmallIcons, List, Report };

    TGestionFrm(ProjectCommands &commands, QWidget *frame);

    // Shows the project again after any change; the status line too.
    void refresh();
    // Selects only the last page and makes it visible.
    void selectLast();
    // The selected rows, in list order.
    QList<int> selectedRows() const;
    void selectRows(const QList<int> &rows);

    void setView(View view);
    View view() const { return m_view; }

    // The commands of the toolbar, menu and keys.
    void addFiles();
    void removeSelected();
    void toggleMaster();
    void openSelected();
    // Pages dropped from the file manager.
    void addDroppedFiles(const QStringList &files);

    QTreeView *reportView() const { return m_report; }
    QListView *listView() const { return m_list; }
    QLabel *statusLine() const { return m_status; }
    QMenu *contextMenu() const { return m_menu; }
    QAction *masterAction() const { return m_masterMenuItem; }
    QAction *removeAction() const { return m_removeMenuItem; }
    QAction *openAction() const { return m_openMenuItem; }
    QAction *viewAction(View view) const;
    ProjectListModel *model() const { return m_model; }

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildToolBar(class QToolBar *bar);
    void buildContextMenu();
    // Enables master, remove and open by the number of selected pages.
    void updateMenuStates();
    void showContextMenu(const QPoint &pos);
    void sortByColumn(int column);
    bool checkSelection();
    int smallIconsColumnWidth() const;

    ProjectCommands &m_commands;
    ProjectListModel *m_model;
    QStackedWidget *m_stack;
    QTreeView *m_report;
    QListView *m_list;
    QLabel *m_status;
    QMenu *m_menu = nullptr;
    QAction *m_masterMenuItem = nullptr;
    QAction *m_removeMenuItem = nullptr;
    QAction *m_openMenuItem = nullptr;
    QActionGroup *m_views = nullptr;
    View m_view = View::Report;
};
