// Opening a project of 10,000 pages and listing it in the project window:
// the file read, every page looked up on disk, the list model reset and the
// report view laid out and painted.
#include "ui/project/projectcommands.h"
#include "ui/project/projectwindow.h"
#include "ui/shell/mainwindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTreeView>

#include <benchmark/benchmark.h>

namespace {

constexpr int PageCount = 10000;

// A site folder with PageCount small pages and its project file.
QString makeSite(const QTemporaryDir &dir)
{
    QStringList paths;
    for (int i = 0; i < PageCount; ++i) {
        const QString folder = dir.filePath(QStringLiteral("rubrique%1").arg(i / 500));
        QDir().mkpath(folder);
        const QString path = folder + QStringLiteral("/page%1.htm").arg(i, 5, 10, QLatin1Char('0'));
        QFile page(path);
        page.open(QIODevice::WriteOnly);
        page.write(QByteArray(100 + i % 900, 'x'));
        paths << path;
    }
    const QString project = dir.filePath(QStringLiteral("site.proj"));
    QFile file(project);
    file.open(QIODevice::WriteOnly);
    file.write((paths.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n0")).toUtf8());
    return project;
}

void BM_OpenAndListProject(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString project = makeSite(dir);
    QSettings store(dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
    store.setValue(QStringLiteral("Tessaline/APropos"), 0);
    MainWindow window(MainWindow::Services{&store, nullptr, nullptr});
    window.show();
    QCoreApplication::processEvents();
    ProjectCommands &commands = *window.project();
    for (auto _ : state) {
        if (!commands.LoadProject(project))
            state.SkipWithError("project not opened");
        commands.window()->reportView()->repaint();
        QCoreApplication::processEvents();
    }
    state.counters["pages"] = commands.project().count();
    commands.project().ProjectModified = false;
}
BENCHMARK(BM_OpenAndListProject)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
