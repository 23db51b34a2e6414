#pragma once

#include "core/checking/htmlcheck.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

class DocumentWindow;
class DocumentWorkspace;
class MainWindow;
class ProblemsPanel;
class QAction;
class QMainWindow;
class QMenu;

// "&Vérifier le code HTML" (F9): checks the active page's current text,
// unsaved edits included, on a worker thread, and lists its problems in the
// "Problèmes" panel. While the panel shows, the list follows the active page
// and refreshes a second after typing stops; a result for a text that has
// changed since is dropped. One check runs at a time.
class HtmlCheckCommand : public QObject
{
    Q_OBJECT
public:
    // window receives the panel; the documents come from workspace.
    HtmlCheckCommand(QMainWindow &window, DocumentWorkspace &workspace);

    QAction *action() const { return m_action; }
    ProblemsPanel *panel() const { return m_panel; }
    bool isChecking() const { return m_running; }

    void run();
    // Puts the caret of the checked page at a problem's place.
    void goTo(int line, int column);

signals:
    // A result reached the panel (tests wait for it).
    void resultShown();

private:
    void follow(DocumentWindow *document);
    void textChanged();
    void start();
    void finished(quint64 version, HtmlCheck check);

    DocumentWorkspace &m_workspace;
    QAction *m_action;
    ProblemsPanel *m_panel;
    QTimer m_refresh;
    QPointer<DocumentWindow> m_page;
    QMetaObject::Connection m_pageEdits;
    QMetaObject::Connection m_pageReplaced;
    quint64 m_textVersion = 0;
    bool m_running = false;
};

// The "&Outils" menu, placed after the Options menu, with the command, and
// the panel docked at the bottom of the frame window, hidden until used.
HtmlCheckCommand *installCheckingCommands(MainWindow &frame);
