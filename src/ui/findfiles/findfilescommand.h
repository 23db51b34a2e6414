#pragma once

#include "core/findfiles/filesearch.h"
#include "ui/findfiles/resultspanel.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QThreadPool>

#include <atomic>
#include <memory>

class DocumentWindow;
class FindFilesDialog;
class MainWindow;
class QAction;

// "Rechercher dans les &fichiers..." (Ctrl+Shift+F): searches, and on
// request replaces, in the project's pages or a folder's, on a worker
// thread, streaming each page's matches to the "Résultats de la recherche"
// panel. A new search stops the one still running. Open pages are searched
// in their current text and replaced in the editor (one undo step each);
// the others are written at once with the editor's safe save.
class FindFilesCommand : public QObject
{
    Q_OBJECT
public:
    explicit FindFilesCommand(MainWindow &frame);
    ~FindFilesCommand() override;

    QAction *action() const { return m_action; }
    FindFilesDialog *dialog();
    ResultsPanel *panel() const { return m_panel; }
    bool isRunning() const { return m_running; }
    const FindInFilesSummary &summary() const { return m_summary; }

    // Shows the dialog, with the project's pages when a project is open.
    void present();
    // Starts a search (a replacement asks first), stopping the last one.
    void run(FindInFilesRequest request);
    void cancel();
    // Opens the page (or activates it) and selects the place.
    void goTo(const ResultPlace &place);

signals:
    // The search ended, completed or stopped (tests wait for it).
    void finished();

private:
    void fileFound(quint64 generation, const FileResult &result);
    void done(quint64 generation, FindInFilesSummary summary);
    DocumentWindow *openDocument(const QString &canonicalPath) const;

    MainWindow &m_frame;
    QAction *m_action;
    FindFilesDialog *m_dialog = nullptr;
    ResultsPanel *m_panel;
    QThreadPool m_pool;
    std::shared_ptr<std::atomic_bool> m_cancel;
    quint64 m_generation = 0;
    bool m_running = false;
    FindInFilesRequest m_request;
    FindInFilesSummary m_summary;
    int m_openChanged = 0;
    qsizetype m_openReplaced = 0;
    int m_openFailed = 0;
};

// Puts the command in the Editer menu after the find commands and docks
// the panel at the bottom of the frame window, hidden until used.
FindFilesCommand *installFindFilesCommand(MainWindow &frame);

// The panel's closing line for a search's summary.
QString findInFilesSummaryText(const FindInFilesSummary &summary, bool replace);
