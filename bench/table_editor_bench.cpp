// OK of the table designer in the real editor widget: the largest table
// (10 x 40, ten lines per cell) replacing its old self in the middle of a
// 10 MB page, as one undo step.
#include "core/markup/editorstate.h"
#include "core/shell/prompts.h"
#include "core/table/tablegenerator.h"
#include "core/table/tablemodel.h"
#include "core/table/tableopening.h"
#include "core/undo/undohistory.h"
#include "pagegenerator.h"
#include "ui/text/editortext.h"
#include "ui/text/editorwidget.h"


#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

namespace {

TableModel fullTable()
{
    TableModel m;
    m.AddColonne(TableModel::MaxColumns - 1);
    m.AddRangee(TableModel::MaxRows - 1);
    m.attrs.BorderText = QStringLiteral("1");
    for (int r = 0; r < m.RowCount(); ++r) {
        for (int c = 0; c < m.ColCount(); ++c) {
            for (int line = 0; line < 10; ++line)
                m.cell(c, r).Content << QStringLiteral("Ligne %1 de la cellule (%2,%3) : été, <B>gras</B>")
                                            .arg(line + 1)
                                            .arg(c + 1)
                                            .arg(r + 1);
        }
    }
    return m;
}

struct AnswerYes : Prompts
{
    bool askYesNo(const QString &) override { return true; }
    Answer askYesNoCancel(const QString &) override { return Answer::Yes; }
    void information(const QString &) override {}
    void warning(const QString &) override {}
    void error(const QString &) override {}
};

void BM_OkIntoTenMegabytePageInEditor(benchmark::State &state)
{
    const QString table = TableText(fullTable());
    const QString half = generatePage(5 * 1024 * 1024);
    const QString page = half + table + half;
    EditorWidget editor;
    editor.resize(800, 600);
    EditorText text(&editor);
    for (auto _ : state) {
        state.PauseTiming();
        text.setText(page);
        UndoHistory undo(text);
        EditorState editorState;
        AnswerYes prompts;
        text.select(int(half.size()), int(table.size()));
        state.ResumeTiming();

        TableModel model;
        const TableDesignerStart start = OpenTableDesigner(text, editorState, prompts, model);
        editor.setUpdatesEnabled(false);
        WriteTable(text, undo, editorState, model, start.editing);
        editor.setUpdatesEnabled(true);

        state.PauseTiming();
        if (!start.editing || undo.count() != 1 || text.length() != page.size() + 2) {
            std::fprintf(stderr, "OK went wrong\n");
            std::abort();
        }
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OkIntoTenMegabytePageInEditor)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
