// Cost of the HTML colouring, on and off, for what a user feels: opening a
// generated 10 or 50 MB page (the whole text loaded, large pages built off
// the GUI thread, and the window painted) and a keystroke in the middle of it
// (the key handled and the lines in view repainted).
#include "core/settings/settings.h"
#include "pagegenerator.h"
#include "ui/highlight/colouringcommand.h"
#include "ui/shell/documentwindow.h"
#include "ui/text/editorwidget.h"

#include <QApplication>
#include <QTest>

#include <benchmark/benchmark.h>

namespace {

const QString &page(qint64 megabytes)
{
    return generatedPage(megabytes);
}

void loadWhole(DocumentWindow &document, const QString &text)
{
    document.loadText(LineStore(text));
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
    const QString &text = page(state.range(1));
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<DocumentWindow> document = showDocument(colouring);
        state.ResumeTiming();
        loadWhole(*document, text);
        paintNow(*document);
        state.PauseTiming();
        document.reset();
        state.ResumeTiming();
    }
    state.SetLabel(std::string(colouring ? "colouring on, " : "colouring off, ") + std::to_string(state.range(1))
                   + " MB");
}

void Keystroke(benchmark::State &state)
{
    const bool colouring = state.range(0) != 0;
    const Qt::Key key = state.range(1) == 0 ? Qt::Key_A : Qt::Key_Return;
    std::unique_ptr<DocumentWindow> document = showDocument(colouring);
    loadWhole(*document, page(state.range(2)));
    EditorWidget *editor = document->editor();
    const int middle = editor->store().lineCount() / 2;
    editor->setPosition(editor->store().lineStart(middle));
    editor->scrollToLine(middle - 20);
    paintNow(*document);
    for (auto _ : state) {
        QTest::keyClick(editor, key);
        paintNow(*document);
    }
    state.SetLabel(std::string(colouring ? "colouring on" : "colouring off")
                   + (key == Qt::Key_A ? ", letter, " : ", Enter, ") + std::to_string(state.range(2)) + " MB");
}

} // namespace

BENCHMARK(OpenPage)->ArgsProduct({{0, 1}, {10, 50}})->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(Keystroke)->ArgsProduct({{0, 1}, {0, 1}, {10, 50}})->Unit(benchmark::kMicrosecond);
