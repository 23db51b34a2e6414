// Cost of the HTML colouring, on and off, for what a user feels: opening a
// generated 10 MB page (text loaded and the window painted) and a keystroke
// in the middle of it (the key handled and the lines in view repainted).
#include "core/settings/settings.h"
#include "pagegenerator.h"
#include "ui/highlight/colouringcommand.h"
#include "ui/shell/documentwindow.h"
#include "ui/text/editorwidget.h"

#include <QApplication>
#include <QTest>
#include <QTextBlock>

#include <benchmark/benchmark.h>

namespace {

constexpr qsizetype Megabyte = 1024 * 1024;

const QString &page()
{
    static const QString text = generatePage(10 * Megabyte);
    return text;
}

Settings settingsWith(bool colouring)
{
    Settings settings;
    settings.syntaxColouring = colouring;
    return settings;
}

std::unique_ptr<DocumentWindow> showDocument(bool colouring)
{
    auto document = std::make_unique<DocumentWindow>();
    document->resize(1000, 700);
    applyColouring(*document->editor(), settingsWith(colouring));
    document->show();
    QApplication::processEvents();
    return document;
}

void paintNow(DocumentWindow &document)
{
    document.editor()->viewport()->repaint();
    QApplication::processEvents();
}

void OpenPage(benchmark::State &state)
{
    const bool colouring = state.range(0) != 0;
    const QString &text = page();
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<DocumentWindow> document = showDocument(colouring);
        state.ResumeTiming();
        document->loadText(text);
        paintNow(*document);
        state.PauseTiming();
        document.reset();
        state.ResumeTiming();
    }
    state.SetLabel(colouring ? "colouring on" : "colouring off");
}

void Keystroke(benchmark::State &state)
{
    const bool colouring = state.range(0) != 0;
    const Qt::Key key = state.range(1) == 0 ? Qt::Key_A : Qt::Key_Return;
    std::unique_ptr<DocumentWindow> document = showDocument(colouring);
    document->loadText(page());
    EditorWidget *editor = document->editor();
    QTextCursor middle(editor->document()->findBlockByNumber(editor->document()->blockCount() / 2));
    editor->setTextCursor(middle);
    editor->centerCursor();
    paintNow(*document);
    for (auto _ : state) {
        QTest::keyClick(editor, key);
        paintNow(*document);
    }
    state.SetLabel(std::string(colouring ? "colouring on" : "colouring off")
                   + (key == Qt::Key_A ? ", letter" : ", Enter"));
}

} // namespace

BENCHMARK(OpenPage)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(Keystroke)->Args({0, 0})->Args({1, 0})->Args({0, 1})->Args({1, 1})->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::benchmark::Initialize(&argc, argv);
    ::benchmark::RunSpecifiedBenchmarks();
    ::benchmark::Shutdown();
    return 0;
}
