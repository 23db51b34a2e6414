// Random bytes read as a page: its title and HEAD section are read, the title
// is written back and a head element inserted, each an undo step that must
// give the page back exactly.
#include "core/dialogs/headelements.h"
#include "core/markup/editorstate.h"
#include "core/shell/prompts.h"
#include "core/text/memorytext.h"
#include "core/text/textcodec.h"
#include "core/undo/undohistory.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace {

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
    if (size < 2)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char *>(data + 2), qsizetype(size - 2));
    QString page;
    detectAndDecode(bytes, page);
    MemoryText text;
    text.setText(page);
    const QString original = text.text();
    const int start = data[0] % (text.length() + 1);
    text.select(start, data[1] % (text.length() - start + 1));
    UndoHistory undo(text);
    EditorState state;
    YesPrompts prompts;

    const QString title = ReadTitle(text);
    WriteTitle(text, undo, state, title + QStringLiteral("x"));
    HeadFields fields;
    fields.metaEquiv = QStringLiteral("Refresh");
    fields.metaPreset = MetaRefresh;
    fields.metaContent = title.left(20);
    InsertHeadElements(text, undo, state, prompts, fields);
    if (text.selectionStart() + text.selectionLength() > text.length())
        __builtin_trap();
    while (undo.CanUndo())
        undo.Undo();
    if (text.text() != original)
        __builtin_trap();
    return 0;
}
