#pragma once

#include "core/shell/documenthost.h"
#include "ui/preferences/framelayout.h"
#include "core/settings/settings.h"
#include "core/markup/editorstate.h"

#include <QMainWindow>

#include <memory>

class DocumentWindow;
class DocumentWorkspace;
class EditCommands;
class FileCommands;
class QLabel;
class QMenu;
class QSettings;
class QToolBar;
class RecentMenu;
class RecoveryKeeper;
class OptionsCommands;
class PagePreload;
class PreviewCommand;
class ProjectCommands;
class ToolTabs;
class FindCommands;
class WholeTextCommands;
class DocumentContextMenu;
class ShellDialogs;

// The frame window: menus, toolbar, the document workspace with its tabs,
// the status bar; start-up and exit; the state the commands share. Each
// command lives with its own subsystem; this class assembles them.
class MainWindow : public QMainWindow, public DocumentHost, public FrameLayout
{
    Q_OBJECT
public:
    // The services default to the real ones; tests pass their own.
    struct Services
    {
        QSettings *store;
        Prompts *prompts;
        ShellDialogs *dialogs;
    };

    explicit MainWindow(Services services = Services{nullptr, nullptr, nullptr}, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Files named on the command line, opened when the window first shows.
    // The files of the command line, opened once the window is shown; preload
    // is the first page among them being read ahead (may be null).
    void setStartupFiles(const QStringList &files, std::unique_ptr<PagePreload> preload = nullptr);
    // Opens files handed over by a second copy or dropped from the shell:
    // only pages and text files are taken.
    void openFiles(const QStringList &files);

    // DocumentHost
    DocumentText *activeText() override;
    UndoHistory *activeUndo() override;
    EditorState &editorState() override { return m_state; }
    Settings &settings() override { return m_settings; }
    Prompts &prompts() override { return *m_prompts; }
    QWidget *window() override { return this; }
    void UpdateCommandStates() override;

    // FrameLayout
    int documentCount() const override;
    QList<EditorWidget *> editors() const override;
    void setToolbarVisible(bool visible) override;
    void setStatusBarVisible(bool visible) override;
    void setRulerVisible(bool visible) override;
    int rulerClientWidth() const override;

    void ShowCaretPosition();
    void AddRecentFile(const QString &path);
    void AddRecentProject(const QString &path);

    DocumentWindow *activeDocument() const;
    DocumentWorkspace *workspace() const { return m_workspace; }
    FileCommands *files() const { return m_files; }
    EditCommands *edit() const { return m_edit; }
    OptionsCommands *options() const { return m_options; }
    ToolTabs *toolTabs() const { return m_tools; }
    FindCommands *find() const { return m_find; }
    WholeTextCommands *wholeText() const { return m_wholeText; }
    DocumentContextMenu *contextMenu() const { return m_contextMenu; }
    RecentMenu *recentFiles() const { return m_recentFilesMenu; }
    RecentMenu *recentProjects() const { return m_recentProjectsMenu; }
    // Copies of modified pages: kept in the user's data location when the
    // settings store is the real one; elsewhere (tests) only once a folder
    // is set, before the window first shows.
    RecoveryKeeper *recovery() const { return m_recovery; }
    void setRecoveryFolder(const QString &root);
    ProjectCommands *project() const { return m_project; }
    PreviewCommand *preview() const { return m_preview; }
    QLabel *statusPanel(int index) const { return m_panels[index]; }

    QString PreviewFile;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void FormShow();
    void openStartupFiles();
    void createMenus();
    void createToolBar();
    void createStatusBar();
    void prepareDocument(DocumentWindow *document);
    void documentCountChanged(bool open);
    void tabChanged();

    std::unique_ptr<QSettings> m_ownStore;
    std::unique_ptr<Prompts> m_ownPrompts;
    std::unique_ptr<ShellDialogs> m_ownDialogs;
    QSettings *m_store;
    Prompts *m_prompts;
    ShellDialogs *m_dialogs;

    Settings m_settings;
    EditorState m_state;
    QStringList m_startupFiles;
    std::unique_ptr<PagePreload> m_startupPreload;
    bool m_shown = false;
    bool m_documentsOpen = false;
    bool m_documentStatesSet = false;

    DocumentWorkspace *m_workspace;
    FileCommands *m_files;
    EditCommands *m_edit;
    OptionsCommands *m_options;
    ToolTabs *m_tools;
    FindCommands *m_find;
    WholeTextCommands *m_wholeText;
    DocumentContextMenu *m_contextMenu = nullptr;
    QToolBar *m_toolBar = nullptr;
    QToolBar *m_tagBar = nullptr;
    QMenu *m_editMenu = nullptr;
    QMenu *m_toolsMenu = nullptr;
    RecentMenu *m_recentFilesMenu = nullptr;
    RecentMenu *m_recentProjectsMenu = nullptr;
    QAction *m_importAction = nullptr;
    ProjectCommands *m_project = nullptr;
    PreviewCommand *m_preview = nullptr;
    QLabel *m_panels[4] = {};
    RecoveryKeeper *m_recovery = nullptr;
};
