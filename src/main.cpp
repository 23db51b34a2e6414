#include "app/batchmode.h"
#include "app/mainwindow.h"
#include "app/translations.h"
#include "resources/messages.h"

#include <QApplication>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    // Batch commands run without any window or display.
    if (const int status = runBatchModeIfAsked(argc, argv); status >= 0)
        return status;
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fputs("Tessaline a besoin d'un affichage graphique (aucun DISPLAY).\n"
                   "Lancez-le sous un serveur X virtuel, par exemple:\n"
                   "  xvfb-run -a ./scripts/run.sh [fichiers...]\n",
                   stderr);
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessaline"));
    QApplication::setOrganizationName(QStringLiteral("Orbelune"));
    installFrenchTranslations(app);

    MainWindow window;
    window.show();
    return QApplication::exec();
}
