// Random bytes read as a page: its title and HEAD section are read, the title
// is written back and a head element inserted, each an undo step that must
// give the page back exactly.
#include "core/attributes/starttag.h"
#include "core/dialogs/headelements.h"
#include "core/markup/editorstate.h"
#include "core/shell/prompts.h"
#include "core/text/memorytext.h"
#include "core/text/textcodec.h"
#include "core/undo/undohistory.h"
#include "fuzzprompts.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

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

    bool hasTitle = false;
    const QString title = ReadTitle(text, &hasTitle);
    // The title written back unchanged leaves the page as it was.
    if (hasTitle) {
        WriteTitle(text, undo, state, title);
        if (text.text() != original || ReadTitle(text) != title)
            __builtin_trap();
    }
    WriteTitle(text, undo, state, title + QStringLiteral("x"));
    HeadFields fields;
    fields.metaEquiv = QStringLiteral("Refresh");
    fields.metaPreset = MetaRefresh;
    fields.metaContent = title.left(20);
    // The head commands collapse the selection before their dialog opens.
    text.setSelectionStart(text.selectionStart());
    const QString beforeMeta = text.text();
    InsertHeadElements(text, undo, state, prompts, fields);
    // The META element reads back with the content as typed, and nothing
    // around it changed.
    const QString afterMeta = text.text();
    qsizetype same = 0;
    while (same < beforeMeta.size() && beforeMeta.at(same) == afterMeta.at(same))
        ++same;
    const StartTag meta = FindStartTag(afterMeta, u"META", afterMeta.lastIndexOf(u'<', same));
    const std::optional<QString> content = fields.metaContent.isEmpty()
                                               ? std::nullopt
                                               : std::optional<QString>(QString::number(ClampMetaDelay(fields.delay))
                                                                        + QStringLiteral(";URL=") + fields.metaContent);
    if (!meta.closed || meta.value(u"CONTENT") != content
        || afterMeta.left(meta.start) + afterMeta.mid(meta.end + 2) != beforeMeta)
        __builtin_trap();
    if (text.selectionStart() + text.selectionLength() > text.length())
        __builtin_trap();
    while (undo.CanUndo())
        undo.Undo();
    if (text.text() != original)
        __builtin_trap();
    return 0;
}
