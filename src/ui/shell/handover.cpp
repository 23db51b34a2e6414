#include "ui/shell/handover.h"

#include "core/shell/handoverprotocol.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QStandardPaths>
#include <QTimer>
#include <QWidget>

#include <memory>

#ifdef Q_OS_UNIX
#include <sys/socket.h>
#include <unistd.h>
#else
#include <QRegularExpression>
#endif

namespace {

// Room for the path of a Unix socket, with a margin.
constexpr qsizetype MaxSocketPathLength = 100;
// How long listen() waits for a copy that might still hold the name.
constexpr int ProbeTimeoutMs = 500;

QString userTag()
{
#ifdef Q_OS_UNIX
    return QString::number(::getuid());
#else
    QString user = qEnvironmentVariable("USERNAME", QStringLiteral("user"));
    user.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_.-]")), QStringLiteral("_"));
    return user;
#endif
}

int remaining(const QDeadlineTimer &deadline)
{
    return int(qMax<qint64>(0, deadline.remainingTime()));
}

// A socket path is used only in a folder of the user's alone and, when the
// socket exists, only when the user made it: file names never go to
// another account.
bool isSafeServer(const QString &serverName)
{
#ifdef Q_OS_UNIX
    if (!QDir::isAbsolutePath(serverName))
        return false;
    const QString folder = QFileInfo(serverName).absolutePath();
    return ensurePrivateFolder(folder) && (!QFileInfo::exists(serverName) || isOwnSocket(serverName));
#else
    Q_UNUSED(serverName);
    return true;
#endif
}

// The process at the other end runs as this user.
bool peerIsThisUser(QLocalSocket &socket)
{
#if defined(Q_OS_LINUX)
    ucred peer{};
    socklen_t size = sizeof peer;
    const int fd = int(socket.socketDescriptor());
    return fd >= 0 && ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == ::getuid();
#else
    Q_UNUSED(socket);
    return true;
#endif
}

} // namespace

QString handOverServerName()
{
#ifdef Q_OS_UNIX
    // The runtime folder belongs to the user alone (mode 0700), so no other
    // account can put a socket of its own under this name.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    const QString path = runtime + QStringLiteral("/tessaline-handover");
    if (!runtime.isEmpty() && path.toLocal8Bit().size() <= MaxSocketPathLength)
        return path;
    // Too long for a socket: a folder of the user's own in the temporary
    // folder instead, never a name there that anybody could take first.
    const QString folder = QDir::tempPath() + QStringLiteral("/tessaline-") + userTag();
    const QString fallback = folder + QStringLiteral("/handover");
    if (fallback.toLocal8Bit().size() <= MaxSocketPathLength && ensurePrivateFolder(folder))
        return fallback;
    // No safe place: no hand-over; each copy works on its own.
    return QString();
#else
    return QStringLiteral("tessaline-") + userTag();
#endif
}

bool handOverToRunningCopy(const QStringList &arguments)
{
    return handOverToRunningCopy(arguments, handOverServerName());
}

bool handOverToRunningCopy(const QStringList &arguments, const QString &serverName, int timeoutMs)
{
    if (serverName.isEmpty() || !isSafeServer(serverName))
        return false;
    QLocalSocket socket;
    socket.connectToServer(serverName);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    if (!peerIsThisUser(socket)) {
        socket.abort();
        return false;
    }

    QStringList paths;
    const QString here = QDir::currentPath();
    for (const QString &argument : arguments) {
        if (isOpenableFileName(argument))
            paths << fullDocumentPath(argument, here);
    }
    socket.write(HandOverProtocol::encode(paths, true));

    QDeadlineTimer deadline(timeoutMs);
    while (socket.bytesToWrite() > 0 && socket.state() == QLocalSocket::ConnectedState) {
        if (!socket.waitForBytesWritten(remaining(deadline)))
            break;
    }
    if (socket.bytesToWrite() > 0)
        return false; // the other copy does not read: open the files here

    QByteArray reply;
    deadline.setRemainingTime(timeoutMs);
    while (!reply.contains(HandOverProtocol::Acknowledgement)) {
        if (socket.bytesAvailable() == 0 && !socket.waitForReadyRead(remaining(deadline)))
            break;
        reply += socket.readAll();
        if (reply.size() > 64)
            break;
    }
    reply += socket.readAll();
    if (reply.contains(HandOverProtocol::Acknowledgement))
        return true;
    // No answer in time from a copy that still holds the connection: it is
    // busy and will read the files later. A copy that hung up did not take them.
    return socket.state() == QLocalSocket::ConnectedState;
}

HandOverServer::HandOverServer(QObject *parent)
    : QObject(parent)
    , m_server(new QLocalServer(this))
{
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &HandOverServer::acceptConnections);
}

HandOverServer::~HandOverServer()
{
    // The sockets go with the server, while this object can still take
    // their last calls.
    delete m_server;
}

bool HandOverServer::listen(const QString &serverName)
{
    if (m_server->isListening())
        m_server->close();
    // Never a socket in a folder where another account could have put its
    // own, nor in place of another account's socket.
    if (serverName.isEmpty() || !isSafeServer(serverName))
        return false;
    // Listening replaces whatever socket has the name, so a copy that
    // already serves must be found first.
    {
        QLocalSocket probe;
        probe.connectToServer(serverName);
        if (probe.waitForConnected(ProbeTimeoutMs)) {
            probe.abort();
            return false;
        }
    }
    // Nobody answers: a socket still there was left by a copy that crashed.
    QLocalServer::removeServer(serverName);
    return m_server->listen(serverName);
}

bool HandOverServer::isListening() const
{
    return m_server->isListening();
}

void HandOverServer::acceptConnections()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        auto decoder = std::make_shared<HandOverDecoder>();
        auto delivered = std::make_shared<bool>(false);
        auto *idle = new QTimer(socket);
        idle->setSingleShot(true);
        idle->start(m_idleTimeout);

        // Hands what the connection brought to the signals, once, from the
        // event loop.
        auto deliver = [this, decoder, delivered]() {
            if (*delivered)
                return;
            *delivered = true;
            const QString here = QDir::currentPath();
            QStringList paths;
            for (const QString &file : decoder->files())
                paths << fullDocumentPath(file, here);
            m_queue.append(Delivery{paths, decoder->activationRequested()});
            QMetaObject::invokeMethod(this, &HandOverServer::deliverQueued, Qt::QueuedConnection);
        };

        auto readAvailable = [socket, decoder, deliver, idle, this]() {
            idle->start(m_idleTimeout);
            switch (decoder->feed(socket->readAll())) {
            case HandOverDecoder::State::Reading:
                break;
            case HandOverDecoder::State::Finished:
                deliver();
                socket->write(HandOverProtocol::Acknowledgement);
                socket->flush();
                socket->disconnectFromServer();
                break;
            case HandOverDecoder::State::Rejected:
                socket->abort();
                break;
            }
        };
        connect(socket, &QLocalSocket::readyRead, socket, readAvailable);
        // A sender that vanished mid-way: the files it named in full still count.
        connect(socket, &QLocalSocket::disconnected, socket, [socket, decoder, deliver]() {
            if (decoder->state() != HandOverDecoder::State::Rejected)
                deliver();
            socket->deleteLater();
        });
        connect(idle, &QTimer::timeout, socket, [socket]() { socket->abort(); });
        if (socket->bytesAvailable() > 0)
            readAvailable();
    }
}

void HandOverServer::deliverQueued()
{
    // A slot may open a modal box, whose event loop brings in more
    // hand-overs: they wait in the queue for this loop instead of opening
    // boxes inside boxes.
    if (m_delivering)
        return;
    m_delivering = true;
    const QPointer<HandOverServer> alive(this);
    while (!m_queue.isEmpty()) {
        const Delivery next = m_queue.takeFirst();
        if (!next.paths.isEmpty())
            emit filesReceived(next.paths);
        if (!alive)
            return;
        if (next.activate)
            emit activationRequested();
        if (!alive)
            return;
    }
    m_delivering = false;
}

void bringWindowToFront(QWidget *window)
{
    if (!window)
        return;
    if (window->isMinimized())
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
    if (QWidget *modal = QApplication::activeModalWidget()) {
        modal->raise();
        modal->activateWindow();
    }
}
