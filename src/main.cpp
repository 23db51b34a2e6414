#include "core/messages/messages.h"
#include "core/shell/pagepreload.h"
#include "core/wholetext/batchmode.h"
#include "ui/livepreview/livepreviewengine.h"
#include "ui/shell/benchhook.h"
#include "ui/shell/handover.h"
#include "ui/shell/mainwindow.h"
#include "ui/shell/translations.h"

#include <QApplication>

#include <cstdio>
#include <string>

#ifdef Q_OS_LINUX
#include <climits>
#include <unistd.h>
#endif

namespace {

// Batch commands go to the small program beside this one, which loads no
// window library; it takes the same arguments. Returns only when it cannot
// be started, and the command then runs here.
void handOverToBatchProgram(char **argv)
{
#ifdef Q_OS_LINUX
    char self[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0)
        return;
    std::string program(self, size_t(n));
    program.erase(program.rfind('/') + 1);
    program += "tessaline-batch";
    ::execv(program.c_str(), argv);
#else
    Q_UNUSED(argv);
#endif
}

bool hasDisplay()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
           || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

} // namespace

int main(int argc, char *argv[])
{
    // Batch commands run without any window or display.
    if (argc >= 2 && isBatchCommand(argv[1]))
        handOverToBatchProgram(argv);
    if (const int status = runBatchModeIfAsked(argc, argv); status >= 0)
        return status;
    if (!hasDisplay()) {
        // Without a display a running copy can still take the files.
        QCoreApplication app(argc, argv);
        if (handOverToRunningCopy(QCoreApplication::arguments().mid(1)))
            return 0;
        std::fputs("Tessaline a besoin d'un affichage graphique (aucun DISPLAY).\n"
                   "Lancez-le sous un serveur X virtuel, par exemple:\n"
                   "  xvfb-run -a ./scripts/run.sh [fichiers...]\n",
                   stderr);
        return 1;
    }
    // The first page of the command line is read while the application and
    // its window are set up.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    std::unique_ptr<PagePreload> preload = PagePreload::forArguments(arguments);
    prepareLivePreviewEngine();
    QApplication app(argc, argv);
    QApplication::setApplicationName(msg(5000));
    QApplication::setOrganizationName(QStringLiteral("Orbelune"));
    const QStringList files = QApplication::arguments().mid(1);

    // A copy already running takes the files, and this one ends without a
    // window (the page read ahead goes first: it may be using the application).
    if (handOverToRunningCopy(files)) {
        preload.reset();
        return 0;
    }
    installFrenchTranslations(app);

    MainWindow window;
    HandOverServer server;
    server.listen();
    QObject::connect(&server, &HandOverServer::filesReceived, &window, &MainWindow::openFiles);
    QObject::connect(&server, &HandOverServer::activationRequested, &window,
                     [&window] { bringWindowToFront(&window); });

    const bool opensPage = preload != nullptr;
    window.setStartupFiles(files, std::move(preload));
    installBenchmarkQuitHook(&window, opensPage);
    window.show();
    return QApplication::exec();
}
