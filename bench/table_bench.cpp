// Speed of the table designer on its largest table (10 columns x 40 rows,
// ten lines in every cell): reading it, writing it, and OK replacing it in
// the middle of a 10 MB page (one undo step).
#include "core/markup/editorstate.h"
#include "core/shell/prompts.h"
#include "core/table/tablegenerator.h"
#include "core/table/tablemodel.h"
#include "core/table/tableopening.h"
#include "core/table/tablereader.h"
#include "core/text/memorytext.h"
#include "core/undo/undohistory.h"
#include "pagegenerator.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

namespace {

const TableModel &fullTable()
{
    static const TableModel model = [] {
        TableModel m;
        m.AddColonne(TableModel::MaxColumns - 1);
        m.AddRangee(TableModel::MaxRows - 1);
        m.attrs.BorderText = QStringLiteral("1");
        m.attrs.WidthText = QStringLiteral("100");
        for (int r = 0; r < m.RowCount(); ++r) {
            m.row(r).BgColor = QStringLiteral("#EEEEEE");
            for (int c = 0; c < m.ColCount(); ++c) {
                TableCell &cell = m.cell(c, r);
                cell.BgColor = QStringLiteral("#FFCC00");
                cell.Width = 10;
                cell.WidthPercent = true;
                for (int line = 0; line < 10; ++line)
                    cell.Content << QStringLiteral(
                                        "Ligne %1 de la cellule (%2,%3) : été, &eacute;t&eacute;, <B>gras</B>")
                                        .arg(line + 1)
                                        .arg(c + 1)
                                        .arg(r + 1);
            }
        }
        return m;
    }();
    return model;
}

void BM_ReadFullTable(benchmark::State &state)
{
    const QString text = TableText(fullTable());
    for (auto _ : state) {
        TableModel model;
        const TableReading reading = ReadTable(text, model);
        benchmark::DoNotOptimize(reading.outcome);
        if (reading.outcome != TableReadOutcome::Read)
            std::abort();
    }
    state.counters["chars"] = double(text.size());
}
BENCHMARK(BM_ReadFullTable)->Unit(benchmark::kMillisecond);

void BM_GenerateFullTable(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(TablePieces(fullTable()));
}
BENCHMARK(BM_GenerateFullTable)->Unit(benchmark::kMillisecond);

// The whole OK: open on the selected table (read), then write the new one
// over it, on a 10 MB page with the table in the middle.
void BM_OkIntoTenMegabytePage(benchmark::State &state)
{
    const QString table = TableText(fullTable());
    const QString half = generatePage(5 * 1024 * 1024);
    const QString page = half + table + half;
    for (auto _ : state) {
        state.PauseTiming();
        MemoryText text(page);
        UndoHistory undo(text);
        EditorState editor;
        struct : Prompts
        {
            bool askYesNo(const QString &) override { return true; }
            Answer askYesNoCancel(const QString &) override { return Answer::Yes; }
            void information(const QString &) override {}
            void warning(const QString &) override {}
            void error(const QString &) override {}
        } prompts;
        // The selection ends after the table's line break; the command narrows
        // it to "</TABLE>", and the new table brings its own line break.
        text.select(int(half.size()), int(table.size()));
        state.ResumeTiming();

        TableModel model;
        const TableDesignerStart start = OpenTableDesigner(text, editor, prompts, model);
        WriteTable(text, undo, editor, model, start.editing);

        state.PauseTiming();
        if (!start.editing || undo.count() != 1 || text.length() != page.size() + 2) {
            std::fprintf(stderr, "OK went wrong: editing %d, undo steps %d, length %d of %lld\n", int(start.editing),
                         undo.count(), text.length(), static_cast<long long>(page.size()));
            std::abort();
        }
        state.ResumeTiming();
    }
    state.counters["pieces"] = double(TablePieces(fullTable()).size());
    state.counters["page_chars"] = double(page.size());
}
BENCHMARK(BM_OkIntoTenMegabytePage)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
