#include "core/preview/browserlauncher.h"

#include <QProcess>

bool ProcessBrowserLauncher::start(const QString &program, const QStringList &arguments)
{
    return QProcess::startDetached(program, arguments);
}
