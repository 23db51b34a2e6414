// Feeds arbitrary text to the table reader: it must never crash or hang,
// the model it leaves must keep the span rule, and the table written from
// that model must read back.
#include "core/table/tablegenerator.h"
#include "core/table/tablemodel.h"
#include "core/table/tablereader.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

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
    return 0;
}
