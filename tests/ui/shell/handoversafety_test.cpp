#include "core/messages/messages.h"
#include "core/shell/handoverprotocol.h"
#include "support/framefixture.h"
#include "ui/shell/documentwindow.h"
#include "ui/shell/documentworkspace.h"
#include "ui/shell/handover.h"
#include "ui/shell/mainwindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLocalSocket>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

template<typename Condition> bool waitFor(Condition condition, int timeoutMs = 5000)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition() && timer.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return condition();
}

// Sets an environment variable until the returned guard ends.
auto scopedEnvironment(const char *name, const QByteArray &value)
{
    const bool had = qEnvironmentVariableIsSet(name);
    const QByteArray old = qgetenv(name);
    qputenv(name, value);
    return qScopeGuard([=] { had ? qputenv(name, old) : qunsetenv(name); });
}

// The suite shares the frame-window fixture; only the last case starts it.
class HandOverSafety : public FrameFixture
{
};

} // namespace

TEST_F(HandOverSafety, ALongRuntimeFolderFallsBackToAPrivateFolderNeverASharedName)
{
    QTemporaryDir runtimeBase;
    QTemporaryDir temp;
    const QString runtime = runtimeBase.filePath(QString(120, u'r'));
    ASSERT_TRUE(QDir().mkpath(runtime));
    ::chmod(QFile::encodeName(runtime).constData(), 0700);
    const auto runtimeDir = scopedEnvironment("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
    const auto tempDir = scopedEnvironment("TMPDIR", QFile::encodeName(temp.path()));

    const QString folder = temp.filePath(QStringLiteral("tessaline-") + QString::number(::getuid()));
    const QString name = handOverServerName();
    EXPECT_EQ(name, folder + QStringLiteral("/handover"));
    struct stat st;
    ASSERT_EQ(::lstat(QFile::encodeName(folder).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_EQ(st.st_uid, ::getuid());

    if (::geteuid() != 0)
        return;
    // Another account took the folder first: no hand-over at all.
    ASSERT_EQ(::chown(QFile::encodeName(folder).constData(), 4321, 4321), 0);
    EXPECT_TRUE(handOverServerName().isEmpty());
    HandOverServer server;
    EXPECT_FALSE(server.listen(name));
    EXPECT_FALSE(handOverToRunningCopy({QStringLiteral("a.htm")}, name, 200));
}

TEST_F(HandOverSafety, FileNamesAreNeverSentToAnotherAccountsSocket)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only the administrator can give a socket to another account";
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("handover"));
    HandOverServer server;
    ASSERT_TRUE(server.listen(name));
    int received = 0;
    QObject::connect(&server, &HandOverServer::filesReceived, [&received] { ++received; });
    ASSERT_EQ(::chown(QFile::encodeName(name).constData(), 4321, 4321), 0);
    EXPECT_FALSE(handOverToRunningCopy({QStringLiteral("/secret/a.htm")}, name, 300));
    QCoreApplication::processEvents();
    EXPECT_EQ(received, 0);
}

TEST_F(HandOverSafety, AFloodOfHandOversIsHandledOneAfterTheOther)
{
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("handover"));
    HandOverServer server;
    ASSERT_TRUE(server.listen(name));
    int depth = 0;
    int deepest = 0;
    QStringList order;
    QObject::connect(&server, &HandOverServer::filesReceived, [&](const QStringList &paths) {
        // Each one opens a modal box, whose event loop runs for a while.
        ++depth;
        deepest = std::max(deepest, depth);
        order << paths;
        QEventLoop box;
        QTimer::singleShot(20, &box, &QEventLoop::quit);
        box.exec();
        --depth;
    });

    constexpr int Count = 12;
    std::vector<std::unique_ptr<QLocalSocket>> senders;
    QStringList sent;
    for (int i = 0; i < Count; ++i) {
        sent << QStringLiteral("/absent/page%1.htm").arg(i);
        auto socket = std::make_unique<QLocalSocket>();
        socket->connectToServer(name);
        ASSERT_TRUE(socket->waitForConnected(1000));
        socket->write(HandOverProtocol::encode({sent.last()}, false));
        socket->flush();
        senders.push_back(std::move(socket));
        QCoreApplication::processEvents();
    }
    ASSERT_TRUE(waitFor([&] { return order.size() == Count && depth == 0; }));
    EXPECT_EQ(deepest, 1);
    QStringList sortedOrder = order;
    sortedOrder.sort();
    QStringList sortedSent = sent;
    sortedSent.sort();
    EXPECT_EQ(sortedOrder, sortedSent);
}

TEST_F(HandOverSafety, TheMissingFilesOfOneHandOverAreToldInOneBox)
{
    start();
    writeFile(QStringLiteral("la.htm"), "x");
    const QString present = path(QStringLiteral("la.htm"));
    const QStringList missing = {path(QStringLiteral("un.htm")), path(QStringLiteral("deux.htm"))};
    window->openFiles({missing[0], present, missing[1]});
    EXPECT_EQ(window->workspace()->documentCount(), 1);
    ASSERT_EQ(prompts.shown.size(), 1);
    EXPECT_EQ(prompts.shown[0], QStringLiteral("information:[") + missing[0] + QLatin1Char(']') + msg(11)
                                    + QStringLiteral("\n[") + missing[1] + QLatin1Char(']') + msg(11));
}
