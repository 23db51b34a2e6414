#pragma once

#include <QObject>
#include <QStringList>

class QLocalServer;
class QWidget;

// Passing the command-line files from a second running copy to the first.
// The first copy listens on a local socket that only its user can reach; a
// second copy sends it the names of the files to open and a request to come
// to the front, then ends without showing a window.

// The per-user name the running copy listens under: a socket in the user's
// private runtime folder where there is one; else, when that path is too
// long for a socket, one in a folder of the user's own (mode 0700) in the
// temporary folder; empty (no hand-over) when neither can be had safely.
QString handOverServerName();

// When a copy of the program listens, sends it every argument whose
// lower-cased extension is ".htm", ".html", ".shtml", ".txt" or ".proj", as an
// absolute path (relative ones resolved against the current folder), asks it
// to come to the front and returns true: the caller then ends. Returns false
// when no copy answers (or it dropped the connection before taking the
// files): the caller starts normally and opens the files itself. Waits at
// most about timeoutMs for each step. arguments excludes the program name.
bool handOverToRunningCopy(const QStringList &arguments);
bool handOverToRunningCopy(const QStringList &arguments, const QString &serverName, int timeoutMs = 2000);

// The running copy's side.
class HandOverServer : public QObject
{
    Q_OBJECT
public:
    explicit HandOverServer(QObject *parent = nullptr);
    ~HandOverServer() override;

    // Starts listening, with access for the current user only. A socket left
    // behind by a copy that crashed is removed first; false when another copy
    // already listens under that name, the socket cannot be made, or its
    // folder or a socket already there is not the user's own.
    bool listen(const QString &serverName = handOverServerName());
    bool isListening() const;
    // Milliseconds a connection may stay silent before it is dropped.
    void setIdleTimeout(int milliseconds) { m_idleTimeout = milliseconds; }

signals:
    // Full paths of the files a second copy asked to open, in its order; only
    // names with a document extension. Emitted from the event loop, never
    // while a socket is being read, so a slot may open dialogs; hand-overs
    // that arrive meanwhile are emitted one after the other once it returns.
    void filesReceived(const QStringList &paths);
    // The second copy asked this one to come to the front (after the files).
    void activationRequested();

private:
    struct Delivery
    {
        QStringList paths;
        bool activate = false;
    };

    void acceptConnections();
    void deliverQueued();

    QLocalServer *m_server;
    int m_idleTimeout = 10000;
    QList<Delivery> m_queue;
    bool m_delivering = false;
};

// Brings a frame window to the front: restores it when minimised, raises it
// and gives it the focus; an open modal dialog comes to the front instead.
void bringWindowToFront(QWidget *window);
