// The live preview pane on a generated 10 MB page: what a user feels while
// the pane follows the typing (the longest keystroke, key handled and view
// repainted, and the longest stretch the interface thread is busy between
// keys), and the memory the pane adds: the editor's own, and that of
// Qt WebEngine's helper processes.
#include "pagegenerator.h"
#include "ui/livepreview/livepreviewcommand.h"
#include "ui/livepreview/livepreviewengine.h"
#include "ui/shell/documentwindow.h"
#include "ui/shell/filecommands.h"
#include "ui/shell/mainwindow.h"
#include "ui/text/editorwidget.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <benchmark/benchmark.h>

#include <unistd.h>

namespace {

constexpr qsizetype Megabyte = 1024 * 1024;

// Resident memory of a process in MB, from /proc.
double residentMb(const QString &pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
    return 0;
}

// Resident memory of every process descended from this one, in MB.
double helpersMb()
{
    QHash<QString, QString> parentOf;
    for (const QString &pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (pid.toInt() > 0 && stat.open(QIODevice::ReadOnly)) {
            const QByteArray text = stat.readAll();
            parentOf[pid] = QString::fromLatin1(text.mid(text.lastIndexOf(')') + 4).split(' ').value(0));
        }
    }
    const QString self = QString::number(::getpid());
    double total = 0;
    for (auto it = parentOf.cbegin(); it != parentOf.cend(); ++it) {
        QString up = it.value();
        for (int depth = 0; depth < 8 && !up.isEmpty() && up != self; ++depth)
            up = parentOf.value(up);
        if (up == self)
            total += residentMb(it.key());
    }
    return total;
}

void TypingWithThePane(benchmark::State &state)
{
    QTemporaryDir dir;
    QSettings store(dir.filePath(QStringLiteral("s.ini")), QSettings::IniFormat);
    store.setValue(QStringLiteral("Tessaline/APropos"), 0);
    const QString pagePath = dir.filePath(QStringLiteral("page.htm"));
    {
        QFile page(pagePath);
        page.open(QIODevice::WriteOnly);
        page.write(generatePage(state.range(0) * Megabyte).toUtf8());
    }
    MainWindow frame(MainWindow::Services{&store, nullptr, nullptr});
    frame.resize(1280, 900);
    frame.show();
    QTest::qWait(50);
    frame.files()->OpenDocument(pagePath);
    auto *command = frame.findChild<LivePreviewCommand *>();
    EditorWidget *editor = frame.activeDocument()->editor();
    editor->setPosition(editor->store().lineStart(editor->store().lineCount() / 2));
    QTest::qWait(50);
    const double editorBefore = residentMb(QStringLiteral("self"));

    // The same typing without the pane, for reference.
    const bool withPane = state.range(1) != 0;
    QSignalSpy updated(command, &LivePreviewCommand::updated);
    QElapsedTimer firstShow;
    firstShow.start();
    command->setShown(withPane);
    if (withPane)
        updated.wait(120000);
    state.counters["first_show_ms"] = double(firstShow.elapsed());
    QTest::qWait(500);
    state.counters["editor_rss_before_mb"] = editorBefore;
    state.counters["editor_rss_with_pane_mb"] = residentMb(QStringLiteral("self"));
    state.counters["engine_processes_rss_mb"] = helpersMb();

    double longestKeyMs = 0;
    double longestBusyMs = 0;
    int keys = 0;
    const auto pump = [&](int ms) {
        QElapsedTimer wall;
        wall.start();
        while (wall.elapsed() < ms) {
            QElapsedTimer busy;
            busy.start();
            QApplication::processEvents();
            longestBusyMs = std::max(longestBusyMs, busy.nsecsElapsed() / 1e6);
            QThread::msleep(2);
        }
    };
    for (auto _ : state) {
        updated.clear();
        // Bursts of typing, each followed by a pause long enough for an update.
        for (int burst = 0; burst < 5; ++burst) {
            for (int i = 0; i < 10; ++i) {
                QElapsedTimer key;
                key.start();
                QTest::keyClick(editor, Qt::Key_A);
                editor->viewport()->repaint();
                QApplication::processEvents();
                longestKeyMs = std::max(longestKeyMs, key.nsecsElapsed() / 1e6);
                ++keys;
                pump(60);
            }
            pump(1500);
        }
        state.counters["updates_while_typing"] = double(updated.size());
        // The pane catches up with the last keystroke.
        QElapsedTimer catchUp;
        catchUp.start();
        while (command->isUpdating() || command->isWaiting())
            updated.wait(1000);
        state.counters["catch_up_ms"] = double(catchUp.elapsed());
    }
    state.counters["keystrokes"] = keys;
    state.counters["longest_key_ms"] = longestKeyMs;
    state.counters["longest_busy_ms"] = longestBusyMs;
    frame.activeDocument()->text().setModified(false);
}

} // namespace

BENCHMARK(TypingWithThePane)
    ->ArgsProduct({{10}, {0, 1}})
    ->ArgNames({"MB", "pane"})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    prepareLivePreviewEngine();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
