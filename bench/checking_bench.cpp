// The HTML check and the spelling on a generated 10 MB page: their own
// time, and what a user feels meanwhile: the longest keystroke (key handled
// and view repainted) while they run on worker threads.
#include "core/checking/htmlcheck.h"
#include "core/spelling/prosewords.h"
#include "core/spelling/speller.h"
#include "core/text/linestore.h"
#include "pagegenerator.h"
#include "ui/checking/checkcommand.h"
#include "ui/shell/documentwindow.h"
#include "ui/shell/documentworkspace.h"
#include "ui/spelling/pagespelling.h"
#include "ui/text/editorwidget.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QTest>
#include <QThread>

#include <functional>
#include <memory>

#include <benchmark/benchmark.h>

namespace {

constexpr qsizetype Megabyte = 1024 * 1024;

// A frame window holding one generated page of range(0) megabytes.
struct PageFrame
{
    explicit PageFrame(const benchmark::State &state)
        : workspace(new DocumentWorkspace(&frame))
    {
        frame.setCentralWidget(workspace);
        frame.resize(1000, 800);
        document = workspace->createDocument();
        document->loadText(LineStore(generatePage(state.range(0) * Megabyte)));
    }

    QMainWindow frame;
    DocumentWorkspace *workspace;
    DocumentWindow *document = nullptr;
};

void CheckPage(benchmark::State &state)
{
    const LineStore page(generatePage(state.range(0) * Megabyte));
    qsizetype problems = 0;
    for (auto _ : state)
        problems = checkHtml(page).problems.size();
    state.counters["problems"] = double(problems);
}

// Every prose word of the page read and looked up, on one thread.
void SpellPage(benchmark::State &state)
{
    const LineStore page(generatePage(state.range(0) * Megabyte));
    SpellingService service(SpellingService::systemDictionaryFolder(), QString());
    Speller *speller = service.speller(service.dictionaryFor(QString()));
    if (!speller) {
        state.SkipWithError("no French dictionary");
        return;
    }
    qsizetype words = 0;
    qsizetype misspelled = 0;
    for (auto _ : state) {
        const std::vector<prose::PageWord> all = prose::pageWords(page);
        words = qsizetype(all.size());
        misspelled = 0;
        for (const prose::PageWord &word : all)
            misspelled += speller->isCorrect(word.word.word) ? 0 : 1;
    }
    state.counters["words"] = double(words);
    state.counters["misspelled"] = double(misspelled);
}

// Types a key every 30 ms in the middle of the page while busy() holds;
// the longest keystroke, the keystrokes and the time until done.
void typeWhile(benchmark::State &state, EditorWidget *editor, const std::function<bool()> &busy)
{
    double longestMs = 0;
    int keys = 0;
    int slowKeys = 0;
    QElapsedTimer running;
    running.start();
    while (busy()) {
        QElapsedTimer key;
        key.start();
        QTest::keyClick(editor, Qt::Key_A);
        editor->viewport()->repaint();
        QApplication::processEvents();
        const double ms = key.nsecsElapsed() / 1e6;
        longestMs = std::max(longestMs, ms);
        slowKeys += ms > 16 ? 1 : 0;
        ++keys;
        QThread::msleep(30); // typing speed
        QApplication::processEvents();
    }
    state.counters["keys_over_16ms"] = slowKeys;
    state.counters["busy_ms"] = double(running.elapsed());
    state.counters["keystrokes"] = keys;
    state.counters["longest_key_ms"] = longestMs;
}

// The spelling of the whole page, alone (range 1 = 0) or with the HTML
// check (1), while typing.
void KeystrokeWhileSpelling(benchmark::State &state)
{
    PageFrame page(state);
    HtmlCheckCommand command(page.frame, *page.workspace);
    auto service = std::make_shared<SpellingService>(SpellingService::systemDictionaryFolder(), QString());
    if (!service->isAvailable()) {
        state.SkipWithError("no French dictionary");
        return;
    }
    page.frame.show();
    EditorWidget *editor = page.document->editor();
    const int middle = editor->store().lineCount() / 2;
    editor->setPosition(editor->store().lineStart(middle));
    QApplication::processEvents();

    for (auto _ : state) {
        auto *spelling = new PageSpelling(editor, service);
        if (state.range(1))
            command.run();
        typeWhile(state, editor, [&] { return !spelling->isComplete() || command.isChecking(); });
        state.counters["lines_checked"] = double(spelling->linesChecked());
        delete spelling;
    }
}

// The same typing with nothing running: what the machine itself allows.
void KeystrokeIdle(benchmark::State &state)
{
    PageFrame page(state);
    page.frame.show();
    EditorWidget *editor = page.document->editor();
    editor->setPosition(editor->store().lineStart(editor->store().lineCount() / 2));
    QApplication::processEvents();
    for (auto _ : state) {
        int keys = 0;
        typeWhile(state, editor, [&keys] { return ++keys <= 150; });
    }
}

void KeystrokeWhileChecking(benchmark::State &state)
{
    PageFrame page(state);
    HtmlCheckCommand command(page.frame, *page.workspace);
    page.frame.show();
    EditorWidget *editor = page.document->editor();
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
BENCHMARK(KeystrokeIdle)->Arg(10)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(SpellPage)->Arg(10)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(KeystrokeWhileSpelling)->Args({10, 0})->Args({10, 1})->Unit(benchmark::kMillisecond)->Iterations(1);
