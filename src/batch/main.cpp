#include "core/wholetext/batchmode.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    if (const int status = runBatchModeIfAsked(argc, argv); status >= 0)
        return status;
    // Anything but a batch command is a usage error here.
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments();
    args.insert(1, QStringLiteral("--help"));
    runBatchMode(args);
    return 2;
}
