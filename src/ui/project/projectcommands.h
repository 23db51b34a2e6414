#pragma once

#include "core/project/project.h"
#include "ui/project/projectwindow.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

class DocumentWindow;
class DocumentWorkspace;
class FileCommands;
class MainWindow;
class ProjectDialogs;
class Prompts;
class QAction;
class QMenu;
class RecentMenu;

// The Project menu ("&Projet") and its toolbar buttons, the project state
// of the frame window and the operations on it: new, open (also from the
// recent projects), close, save, save as, add or remove the active page,
// open all pages, show or hide the project window (F12), the question about
// unsaved changes at exit.
class ProjectCommands : public QObject
{
    Q_OBJECT
public:
    // What the commands use of the frame window.
    struct Frame
    {
        DocumentWorkspace &workspace;
        FileCommands &files;
        Prompts &prompts;
        RecentMenu &recentProjects;
        QWidget *window;
        std::function<void()> UpdateCommandStates;
    };

    ProjectCommands(Frame frame, QObject *parent);
    ~ProjectCommands() override;

    // Tests put scripted dialogs in place of the real ones.
    void setDialogs(ProjectDialogs *dialogs) { m_dialogs = dialogs; }
    ProjectDialogs &dialogs() { return *m_dialogs; }

    QMenu *menu() const { return m_menu; }
    QAction *addDocumentAction() const { return m_addDocument; }
    QAction *removeDocumentAction() const { return m_removeDocument; }
    QAction *newAction() const { return m_new; }
    QAction *openAction() const { return m_open; }
    QAction *closeAction() const { return m_close; }
    QAction *saveAction() const { return m_save; }
    QAction *saveAsAction() const { return m_saveAs; }
    QAction *openAllAction() const { return m_openAll; }
    QAction *managerAction() const { return m_manager; }

    Project &project() { return m_project; }
    // Null until the first new or opened project, and after a close.
    TGestionFrm *window() const { return m_window; }
    Prompts &prompts() { return m_frame.prompts; }

    bool LoadProject(const QString &fileName);
    bool SaveProject();
    bool saveProjectAs();
    // False when the user cancelled.
    bool ConfirmProjectClose();
    void CloseProjectDocuments();
    void newProject();
    void openProject();
    void openRecentProject(const QString &fileName);
    void closeProject();
    void addActiveDocument();
    void removeActiveDocument();
    void openAllFiles();
    void OpenOrActivate(const QString &fileName);
    void toggleWindow();
    // Adds files as the project window's add command does; returns whether
    // any was added.
    bool addFiles(const QStringList &files);
    // Removes pages (indexes in the list) and refreshes.
    void removeItems(const QList<int> &indexes);
    void toggleMaster(int index);
    void sortBy(int column);
    // Hides the project window before the browser shows (the preview).
    void hideWindow();

    // The project's part of the frame's command states; also marks the
    // project modified when a page of it was changed.
    void updateStates();

    // The folder the project's dialogs open in.
    QString dialogFolder() const;

private:
    QAction *addAction(const QString &caption, void (ProjectCommands::*slot)());
    TGestionFrm *ensureWindow();
    void refreshWindow();
    void projectChanged();
    void setDialogFoldersFrom(const QString &fileName);
    DocumentWindow *activeDocument() const;

    Frame m_frame;
    Project m_project;
    std::unique_ptr<ProjectDialogs> m_ownDialogs;
    ProjectDialogs *m_dialogs;
    QPointer<TGestionFrm> m_window;
    QMenu *m_menu;
    QAction *m_addDocument;
    QAction *m_removeDocument;
    QAction *m_new;
    QAction *m_open;
    QAction *m_close;
    QAction *m_save;
    QAction *m_saveAs;
    QAction *m_openAll;
    QAction *m_manager;
};

// Builds the project commands into the frame window: the "&Projet" menu on
// its menu bar, with the recent projects as a submenu.
ProjectCommands *installProjectCommands(MainWindow &frame, RecentMenu &recentProjects);
