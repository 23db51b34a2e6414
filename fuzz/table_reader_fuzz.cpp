// Feeds arbitrary text to the table reader: it must never crash or hang,
// and the model it leaves must keep the span rule. The round trip must
// hold: the table written from that model reads back as the same model
// (written again, the same text) with nothing the designer would lose.
// The text, as a selection between two words of a page, then goes through
// the table command: whatever it writes, the page outside the selection
// stays. Last, the input's first bytes drive selections, merges and splits
// on the read table; the span rule must hold after each, and the result
// must read back too.
#include "core/markup/editorstate.h"
#include "core/table/tablegenerator.h"
#include "core/table/tablemodel.h"
#include "core/table/tableopening.h"
#include "core/table/tablereader.h"
#include "core/table/tableselection.h"
#include "core/text/memorytext.h"
#include "core/undo/undohistory.h"
#include "fuzzinput.h"
#include "fuzzprompts.h"

#include <QString>

#include <cstddef>
#include <cstdint>

namespace {

void checkReadsBack(const TableModel &model)
{
    FUZZ_CHECK(model.invariantBreach().isEmpty());
    const QString written = TableText(model);
    TableModel again;
    const TableReading reading = ReadTable(written, again);
    FUZZ_CHECK(reading.outcome == TableReadOutcome::Read);
    FUZZ_CHECK(reading.losses.isEmpty());
    FUZZ_CHECK(again.invariantBreach().isEmpty());
    FUZZ_CHECK(TableText(again) == written);
}

void checkPageOutsideStays(const QString &table)
{
    const QString before = QStringLiteral("avant ");
    const QString after = QStringLiteral(" après");
    MemoryText text(before + table + after);
    UndoHistory undo(text);
    EditorState state;
    YesPrompts prompts;
    text.select(int(before.size()), int(table.size()));
    TableModel model;
    const TableDesignerStart start = OpenTableDesigner(text, state, prompts, model);
    const int from = text.selectionStart();
    const int to = from + text.selectionLength();
    const QString page = text.text();
    WriteTable(text, undo, state, model, start.editing);
    const QString now = text.text();
    FUZZ_CHECK(now.startsWith(page.left(from)));
    FUZZ_CHECK(now.endsWith(page.mid(to)));
    FUZZ_CHECK(now.mid(from).startsWith(TableText(model)));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 256 * 1024)
        return 0;
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    TableModel model;
    const TableReading reading = ReadTable(text, model);
    FUZZ_CHECK(reading.outcome == TableReadOutcome::Read || reading.losses.isEmpty());
    checkReadsBack(model);
    checkPageOutsideStays(text);

    YesPrompts prompts;
    for (size_t i = 0; i < size && i < 64; ++i) {
        const uint8_t b = data[i];
        switch (b & 3) {
        case 0:
        case 1:
            SelectCellule(model, (b >> 2) % model.ColCount(), (b >> 5) % model.RowCount());
            break;
        case 2:
            MergeSelection(model, prompts);
            break;
        default:
            SplitSelection(model);
            break;
        }
        FUZZ_CHECK(model.invariantBreach().isEmpty());
    }
    checkReadsBack(model);
    return 0;
}
