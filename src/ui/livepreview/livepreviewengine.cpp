#include "ui/livepreview/livepreviewengine.h"

#include "core/livepreview/livepreviewrules.h"
#include "core/messages/messages.h"
#include "ui/livepreview/livepreviewcommand.h"
#include "ui/livepreview/livepreviewhook.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QWebEngineUrlScheme>

#include <unistd.h>

namespace {

void installPane(MainWindow &frame)
{
    installLivePreviewCommand(frame);
}

} // namespace

void prepareLivePreviewEngine()
{
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS",
            livePreviewEngineFlags(qgetenv("QTWEBENGINE_CHROMIUM_FLAGS"), ::geteuid() == 0));
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);

    // Pages too large to go inline are served under this scheme, with the
    // files of their folder; as local content, they may read those files.
    QWebEngineUrlScheme scheme(LivePreviewScheme.toUtf8());
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
    scheme.setFlags(QWebEngineUrlScheme::LocalScheme | QWebEngineUrlScheme::LocalAccessAllowed);
    QWebEngineUrlScheme::registerScheme(scheme);

    setLivePreviewInstaller(&installPane);
}

QString livePreviewEngineProblem()
{
    QString helper = qEnvironmentVariable("QTWEBENGINE_PROCESS_PATH");
    if (helper.isEmpty())
        helper = QLibraryInfo::path(QLibraryInfo::LibraryExecutablesPath) + QStringLiteral("/QtWebEngineProcess");
    const QFileInfo program(helper);
    if (!program.isFile() || !program.isExecutable())
        return msg(9953).arg(helper);
    QString resources = qEnvironmentVariable("QTWEBENGINE_RESOURCES_PATH");
    if (resources.isEmpty())
        resources = QLibraryInfo::path(QLibraryInfo::DataPath) + QStringLiteral("/resources");
    if (!QFileInfo::exists(resources + QStringLiteral("/qtwebengine_resources.pak")))
        return msg(9953).arg(resources);
    return QString();
}
