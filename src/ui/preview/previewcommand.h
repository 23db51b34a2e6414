#pragma once

#include "core/preview/browserpreview.h"

#include <QObject>

#include <memory>

class BrowserLauncher;
class MainWindow;
class ProjectCommands;
class QAction;

// "&Lancer le navigateur externe" (F10 and its toolbar button): the frame
// window's side of the preview. The rules live in BrowserPreview.
class PreviewCommand : public QObject, public PreviewHost
{
    Q_OBJECT
public:
    PreviewCommand(MainWindow &frame, ProjectCommands &project, QAction *action);
    ~PreviewCommand() override;

    QAction *action() const { return m_action; }
    // Tests start a scripted or test browser, and keep copies of pages never
    // saved in a folder of their own.
    void setLauncher(BrowserLauncher *launcher);
    void setPrivateFolder(const QString &folder);

    void run();
    // Enabled while a document is open.
    void updateState(bool documentOpen);

    // PreviewHost
    std::optional<Page> activePage() override;
    void saveActivePage() override;
    QString projectMasterPath() override;
    bool projectModified() override;
    void saveProject() override;
    void openPreferences() override;
    void releaseToolWindows() override;

private:
    MainWindow &m_frame;
    ProjectCommands &m_project;
    QAction *m_action;
    std::unique_ptr<BrowserLauncher> m_ownLauncher;
    BrowserLauncher *m_launcher;
    QString m_privateFolder;
};

// Takes over the Options menu's preview item.
PreviewCommand *installPreviewCommand(MainWindow &frame, ProjectCommands &project);
