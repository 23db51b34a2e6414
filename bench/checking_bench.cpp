// The HTML check on a generated 10 MB page: libtidy's own time, and what a
// user feels meanwhile: the longest keystroke (key handled and view
// repainted) while the check runs on its worker thread.
#include "core/checking/htmlcheck.h"
#include "core/text/linestore.h"
#include "pagegenerator.h"
#include "ui/checking/checkcommand.h"
#include "ui/shell/documentwindow.h"
#include "ui/shell/documentworkspace.h"
#include "ui/text/editorwidget.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QTest>
#include <QThread>

#include <benchmark/benchmark.h>

namespace {

constexpr qsizetype Megabyte = 1024 * 1024;

void CheckPage(benchmark::State &state)
{
    const LineStore page(generatePage(state.range(0) * Megabyte));
    qsizetype problems = 0;
    for (auto _ : state)
        problems = checkHtml(page).problems.size();
    state.counters["problems"] = double(problems);
}

void KeystrokeWhileChecking(benchmark::State &state)
{
    QMainWindow frame;
    auto *workspace = new DocumentWorkspace(&frame);
    frame.setCentralWidget(workspace);
    frame.resize(1000, 800);
    DocumentWindow *document = workspace->createDocument();
    document->loadText(LineStore(generatePage(state.range(0) * Megabyte)));
    HtmlCheckCommand command(frame, *workspace);
    frame.show();
    EditorWidget *editor = document->editor();
    const int middle = editor->store().lineCount() / 2;
    editor->setPosition(editor->store().lineStart(middle));
    QApplication::processEvents();

    double longestMs = 0;
    int keys = 0;
    for (auto _ : state) {
        command.run();
        QElapsedTimer checking;
        checking.start();
        while (command.isChecking()) {
            QElapsedTimer key;
            key.start();
            QTest::keyClick(editor, Qt::Key_A);
            editor->viewport()->repaint();
            QApplication::processEvents();
            longestMs = std::max(longestMs, key.nsecsElapsed() / 1e6);
            ++keys;
            QThread::msleep(30); // typing speed
            QApplication::processEvents();
        }
        state.counters["check_ms"] = double(checking.elapsed());
    }
    state.counters["keystrokes"] = keys;
    state.counters["longest_key_ms"] = longestMs;
}

} // namespace

BENCHMARK(CheckPage)->Arg(10)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(KeystrokeWhileChecking)->Arg(10)->Unit(benchmark::kMillisecond)->Iterations(1);
