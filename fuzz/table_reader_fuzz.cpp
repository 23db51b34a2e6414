// Feeds arbitrary text to the table reader: it must never crash or hang,
// the model it leaves must keep the span rule, and the table written from
// that model must read back. The input's first bytes then drive a sequence
// of selections, merges and splits on the read table; the span rule must
// hold after each, and the result must read back too.
#include "core/shell/prompts.h"
#include "core/table/tablegenerator.h"
#include "core/table/tablemodel.h"
#include "core/table/tablereader.h"
#include "core/table/tableselection.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// Agrees to every merge.
class YesPrompts : public Prompts
{
public:
    bool askYesNo(const QString &) override { return true; }
    Answer askYesNoCancel(const QString &) override { return Answer::Yes; }
    void information(const QString &) override {}
    void warning(const QString &) override {}
    void error(const QString &) override {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 256 * 1024)
        return 0;
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    TableModel model;
    const TableReading reading = ReadTable(text, model);
    if (!model.invariantBreach().isEmpty())
        std::abort();
    if (reading.outcome != TableReadOutcome::Read && !reading.losses.isEmpty())
        std::abort();

    const QString written = TableText(model);
    TableModel again;
    if (ReadTable(written, again).outcome != TableReadOutcome::Read || !again.invariantBreach().isEmpty())
        std::abort();

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
        if (!model.invariantBreach().isEmpty())
            std::abort();
    }
    TableModel edited;
    if (ReadTable(TableText(model), edited).outcome != TableReadOutcome::Read || !edited.invariantBreach().isEmpty())
        std::abort();
    return 0;
}
