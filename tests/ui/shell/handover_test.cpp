#include "ui/shell/handover.h"

#include "core/shell/handoverprotocol.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <future>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// Runs the sending side on its own thread, as a second copy would, while
// this thread's event loop serves the receiving side.
bool sendFromAnotherThread(const QStringList &arguments, const QString &name, int timeoutMs = 2000)
{
    auto result = std::async(std::launch::async, [&]() { return handOverToRunningCopy(arguments, name, timeoutMs); });
    while (result.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return result.get();
}

// Spins the event loop until the condition holds or the time is up.
template<typename Condition> bool waitFor(Condition condition, int timeoutMs = 3000)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition() && timer.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return condition();
}

class HandOver : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_name = m_dir.filePath(QStringLiteral("handover"));
    }

    QTemporaryDir m_dir;
    QString m_name;
};

} // namespace

TEST_F(HandOver, SecondCopyPassesItsDocumentsAsFullPathsAndActivatesTheFirst)
{
    HandOverServer server;
    ASSERT_TRUE(server.listen(m_name));
    QSignalSpy files(&server, &HandOverServer::filesReceived);
    QSignalSpy activation(&server, &HandOverServer::activationRequested);

    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
    const bool handedOver = sendFromAnotherThread(
        {QStringLiteral("a.htm"), QStringLiteral("b.shtml"), QStringLiteral("c.TXT"), QStringLiteral("notes.doc"),
         QStringLiteral("-style"), QStringLiteral("/abs/d e.html"), QStringLiteral("sous/../f.htm")},
        m_name);
    QDir::setCurrent(previous);

    EXPECT_TRUE(handedOver);
    ASSERT_TRUE(waitFor([&]() { return activation.size() == 1; }));
    ASSERT_EQ(files.size(), 1);
    const QString base = QDir(m_dir.path()).absolutePath();
    EXPECT_EQ(files.at(0).at(0).toStringList(),
              (QStringList{base + QStringLiteral("/a.htm"), base + QStringLiteral("/b.shtml"),
                           base + QStringLiteral("/c.TXT"), QStringLiteral("/abs/d e.html"),
                           base + QStringLiteral("/f.htm")}));
}

TEST_F(HandOver, SendingFailsWhenNoCopyTakesTheFiles)
{
    // Nobody listens: the caller starts normally, at once.
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(handOverToRunningCopy({QStringLiteral("/a.htm")}, m_name, 2000));
    EXPECT_LT(timer.elapsed(), 1000);

    // A program that accepts and hangs up without an answer did not take them.
    QLocalServer rude;
    ASSERT_TRUE(rude.listen(m_name));
    QObject::connect(&rude, &QLocalServer::newConnection, &rude, [&rude]() {
        while (QLocalSocket *socket = rude.nextPendingConnection()) {
            socket->abort();
            socket->deleteLater();
        }
    });
    EXPECT_FALSE(sendFromAnotherThread({QStringLiteral("/a.htm")}, m_name, 1000));
}

TEST_F(HandOver, BusyCopyStillGetsTheFilesLater)
{
    HandOverServer server;
    ASSERT_TRUE(server.listen(m_name));
    QSignalSpy files(&server, &HandOverServer::filesReceived);
    // Same thread, so the server cannot answer until the sender gave up
    // waiting: the bounded wait ends and the files are still delivered.
    QElapsedTimer timer;
    timer.start();
    EXPECT_TRUE(handOverToRunningCopy({QStringLiteral("/x/a.htm")}, m_name, 300));
    EXPECT_LT(timer.elapsed(), 1500);
    ASSERT_TRUE(waitFor([&]() { return files.size() == 1; }));
    EXPECT_EQ(files.at(0).at(0).toStringList(), QStringList{QStringLiteral("/x/a.htm")});
}

TEST_F(HandOver, StaleSocketIsReplacedButALiveCopyIsNot)
{
    // A socket file left by a copy that crashed: bound, never served.
    {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        ASSERT_GE(fd, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray path = QFile::encodeName(m_name);
        ASSERT_LT(size_t(path.size()), sizeof(address.sun_path));
        std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
        ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof(address)), 0);
        ::close(fd);
        ASSERT_TRUE(QFile::exists(m_name));
    }
    HandOverServer first;
    ASSERT_TRUE(first.listen(m_name));

    HandOverServer second;
    EXPECT_FALSE(second.listen(m_name));
    EXPECT_TRUE(first.isListening());

    QSignalSpy files(&first, &HandOverServer::filesReceived);
    EXPECT_TRUE(sendFromAnotherThread({QStringLiteral("/a.htm")}, m_name));
    EXPECT_TRUE(waitFor([&]() { return files.size() == 1; }));
}

TEST_F(HandOver, ReceiverSurvivesGarbagePiecesAndHangUps)
{
    HandOverServer server;
    server.setIdleTimeout(200);
    ASSERT_TRUE(server.listen(m_name));
    QSignalSpy files(&server, &HandOverServer::filesReceived);
    QSignalSpy activation(&server, &HandOverServer::activationRequested);

    struct Case
    {
        const char *name;
        QList<QByteArray> pieces; // written one by one, the loop running between
        bool hangUp;              // the sender closes after the last piece
        QStringList files;        // what the receiver delivers
    };
    const Case cases[] = {
        {"garbage", {QByteArray("\x16\x03\x01 hello\n\n\n", 12), QByteArray(1000, '\0')}, false, {}},
        {"silent_connection", {}, false, {}},
        {"pieces", {"TESSALINE-HAND", "OVER 1\nOP", "EN /p/a.h", "tm\nEN", "D\n"}, false, {QStringLiteral("/p/a.htm")}},
        {"hang_up_before_end",
         {"TESSALINE-HANDOVER 1\nOPEN /p/b.htm\nOPEN /p/c.h"},
         true,
         {QStringLiteral("/p/b.htm")}},
        {"endless_line", {"TESSALINE-HANDOVER 1\nOPEN /", QByteArray(70 * 1024, 'x')}, false, {}},
    };
    for (const Case &c : cases) {
        files.clear();
        QLocalSocket socket;
        socket.connectToServer(m_name);
        ASSERT_TRUE(socket.waitForConnected(1000)) << c.name;
        for (const QByteArray &piece : c.pieces) {
            socket.write(piece);
            socket.flush();
            waitFor([]() { return false; }, 30);
        }
        if (c.hangUp)
            socket.disconnectFromServer();
        // The receiver ends every connection itself: after END, on garbage,
        // or when the connection stays silent.
        EXPECT_TRUE(waitFor([&]() { return socket.state() == QLocalSocket::UnconnectedState; })) << c.name;
        waitFor([]() { return false; }, 50);
        if (c.files.isEmpty()) {
            EXPECT_EQ(files.size(), 0) << c.name;
        } else {
            ASSERT_EQ(files.size(), 1) << c.name;
            EXPECT_EQ(files.at(0).at(0).toStringList(), c.files) << c.name;
        }
    }
    EXPECT_EQ(activation.size(), 0);

    // And it still serves a real second copy afterwards.
    files.clear();
    EXPECT_TRUE(sendFromAnotherThread({QStringLiteral("/p/z.htm")}, m_name));
    EXPECT_TRUE(waitFor([&]() { return files.size() == 1; }));
}
