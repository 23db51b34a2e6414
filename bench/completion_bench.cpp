// Tag completion and matching tags on a generated 10 MB page (and 50 MB for
// the searches): a keystroke that opens or narrows the list in the middle of
// the page (key handled, list refreshed, view repainted) for an element
// name, an attribute name and an end tag; the matching-tag lookup for a tag
// of the page's middle, and for BODY, whose end lies past the search limit
// (the longest a lookup takes before it gives up); the context after "</"
// at the end of the page.
#include "core/completion/completioncontext.h"
#include "core/completion/tagcatalog.h"
#include "core/completion/tagscan.h"
#include "core/markup/editorstate.h"
#include "core/settings/settings.h"
#include "pagegenerator.h"
#include "ui/completion/tagcompleter.h"
#include "ui/completion/tagmatchmarks.h"
#include "ui/shell/documentwindow.h"
#include "ui/text/editorwidget.h"
#include "ui/undo/typingrecorder.h"

#include <QApplication>
#include <QListWidget>
#include <QTest>

#include <benchmark/benchmark.h>

namespace {

const QString &page(qint64 megabytes)
{
    return generatedPage(megabytes);
}

const TagCatalog &catalog()
{
    static const TagCatalog names(loadTagReference(QStringLiteral(TESSALINE_SOURCE_DIR "/data/htmldesc.ref")).entries);
    return names;
}

void paintNow(DocumentWindow &document)
{
    document.editor()->viewport()->repaint();
    QApplication::processEvents();
}

// Typing in the middle of the page: the text before the last key is put at
// the start of a middle line, then each iteration types the last key and
// takes it back (untimed).
void Keystroke(benchmark::State &state)
{
    // The last is plain text, for reference: no list to show.
    static const char *const Typed[] = {"<t", "<TD ", "<DIV><P>x</P></", "Texte"};
    const bool listExpected = state.range(0) < 3;
    const QString typed = QString::fromLatin1(Typed[state.range(0)]);
    DocumentWindow document;
    document.resize(1000, 700);
    document.show();
    QApplication::setActiveWindow(&document);
    document.loadText(LineStore(page(10)));
    EditorState editorState;
    Settings settings;
    TypingRecorder recorder(document.editor(), document.text(), document.undo(), editorState);
    TagCompleter completer(document.editor(), document.text(), document.undo(), catalog(), settings, nullptr);
    new TagMatchMarks(document.editor());
    EditorWidget *editor = document.editor();
    editor->setFocus();
    const int middle = editor->store().lineCount() / 2;
    editor->setPosition(editor->store().lineStart(middle));
    editor->scrollToLine(middle - 20);
    QTest::keyClicks(editor, typed.chopped(1));
    paintNow(document);
    const QString last = typed.right(1);
    for (auto _ : state) {
        QTest::keyClicks(editor, last);
        QApplication::processEvents();
        paintNow(document);
        state.PauseTiming();
        if (completer.isShown() != listExpected)
            state.SkipWithError("list shown or not as expected");
        QTest::keyClick(editor, Qt::Key_Backspace);
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.SetLabel(typed.toStdString() + ", 10 MB");
}

// The tag whose name starts the first line at or after line that begins
// with "<" and a letter.
tagscan::TagMark tagFrom(const LineStore &lines, int line)
{
    for (; line < lines.lineCount(); ++line) {
        const QString text = lines.line(line).trimmed();
        if (text.startsWith(u'<') && text.size() > 1 && text.at(1).isLetter()) {
            const int column = int(lines.line(line).indexOf(u'<')) + 1;
            const auto mark = tagscan::tagNameAt(lines, line, column);
            if (mark && !tagscan::isVoidElement(tagscan::nameOf(lines, *mark)))
                return *mark;
        }
    }
    return {};
}

void MatchingTag(benchmark::State &state)
{
    const bool far = state.range(0) != 0;
    const LineStore lines(page(state.range(1)));
    int bodyLine = 0;
    while (!lines.line(bodyLine).startsWith(QStringLiteral("<BODY")))
        ++bodyLine;
    const tagscan::TagMark at = tagFrom(lines, far ? bodyLine : lines.lineCount() / 2);
    bool found = false;
    for (auto _ : state) {
        const auto mark = tagscan::tagNameAt(lines, at.line, at.column + 1);
        const auto match = mark ? tagscan::matchingTag(lines, *mark) : std::nullopt;
        found = match.has_value();
        benchmark::DoNotOptimize(match);
    }
    state.SetLabel(tagscan::nameOf(lines, at).toStdString() + (found ? " matched, " : " given up, ")
                   + std::to_string(state.range(1)) + " MB");
}

void EndTagContext(benchmark::State &state)
{
    // "</" typed after the last line of the page: the search walks back over
    // the closed BODY and HTML to the last element the page left open.
    LineStore lines(page(state.range(0)));
    lines.replace(lines.length(), 0, u"</");
    const int line = lines.lineCount() - 1;
    for (auto _ : state)
        benchmark::DoNotOptimize(completionContext(lines, line, 2));
    state.SetLabel(std::to_string(state.range(0)) + " MB");
}

} // namespace

BENCHMARK(Keystroke)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);
BENCHMARK(MatchingTag)->ArgsProduct({{0, 1}, {10, 50}})->Unit(benchmark::kMicrosecond);
BENCHMARK(EndTagContext)->Arg(10)->Arg(50)->Unit(benchmark::kMicrosecond);
