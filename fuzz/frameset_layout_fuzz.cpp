// Drives the frameset designer's layout with random sequences of column and
// row counts, clicks, merges and clears. The span rule must hold after every
// step, and writing the layout must either refuse it as a whole or write
// every frame exactly once, with balanced FRAMESETs, and undo cleanly.
#include "core/frameset/framesetwriter.h"
#include "core/markup/editorstate.h"
#include "core/shell/prompts.h"
#include "core/text/memorytext.h"
#include "core/undo/undohistory.h"
#include "fuzzinput.h"

namespace {

class SilentPrompts : public Prompts
{
public:
    explicit SilentPrompts(bool yes)
        : m_yes(yes)
    {}
    bool askYesNo(const QString &) override { return m_yes; }
    Answer askYesNoCancel(const QString &) override { return m_yes ? Answer::Yes : Answer::Cancel; }
    void information(const QString &) override {}
    void warning(const QString &) override {}
    void error(const QString &) override {}

private:
    bool m_yes;
};

void name(FramesetLayout &layout)
{
    for (const SlotPos &p : layout.owners()) {
        layout.frame(p.column, p.row).Name = QStringLiteral("F%1x%2").arg(p.column).arg(p.row);
        layout.frame(p.column, p.row).Src = QStringLiteral("f.htm");
    }
}

void checkWritten(const FramesetLayout &layout, const FramesetAttributes &attributes, bool yes)
{
    const FramesetText out = FramesetLines(layout, attributes, yes);
    if (!out.ok())
        return;
    const QString text = out.joined();
    for (const SlotPos &p : layout.owners()) {
        const QString needle = QStringLiteral("NAME=\"%1\"").arg(layout.frame(p.column, p.row).Name);
        FUZZ_CHECK(text.count(needle) == 1);
    }
    FUZZ_CHECK(text.count(QLatin1String("<FRAMESET")) == text.count(QLatin1String("</FRAMESET>")));

    const QString page = QStringLiteral("<HTML>\r\n<BODY>\r\nx\r\n</BODY>\r\n</HTML>\r\n");
    MemoryText doc(page);
    UndoHistory undo(doc);
    EditorState state;
    SilentPrompts prompts(yes);
    FUZZ_CHECK(WriteFrameset(doc, undo, state, prompts, layout, attributes) == 0);
    FUZZ_CHECK(doc.text().count(QLatin1String("<BODY>")) == 1);
    undo.Undo();
    FUZZ_CHECK(doc.text() == page);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 4096)
        return 0;
    FramesetLayout layout;
    FramesetAttributes attributes;
    for (size_t i = 0; i + 1 < size; i += 2) {
        const uint8_t op = data[i] % 8;
        const uint8_t arg = data[i + 1];
        switch (op) {
        case 0:
            layout.setColumnCount(arg % 12);
            break;
        case 1:
            layout.setRowCount(arg % 12);
            break;
        case 2:
        case 3:
            layout.clickFrame(arg % 11, (arg / 11) % 11);
            break;
        case 4:
            layout.mergeSelection();
            break;
        case 5:
            if (arg % 4 == 0)
                layout.clear();
            else
                layout.deselectAll();
            break;
        case 6:
            attributes.NoFramesOption = arg & 1;
            attributes.onLoad = arg & 2 ? QStringLiteral("a()") : QString();
            break;
        default:
            name(layout);
            checkWritten(layout, attributes, arg & 1);
            break;
        }
        FUZZ_CHECK(layout.invariantBreach().isEmpty());
        for (const SlotPos &p : layout.selectedOwners())
            FUZZ_CHECK(layout.grid().isOwner(p.column, p.row));
    }
    name(layout);
    checkWritten(layout, attributes, true);
    return 0;
}
