// Reads arbitrary bytes as the HTML tag reference file and runs what the
// reference window does with each entry: the letter lookup and the texts a
// chosen entry inserts.
#include "core/formatting/tagreference.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const TagReference reference = parseTagReference(bytes, QStringLiteral("htmldesc.ref"));
    if (!reference.error.isEmpty() && !reference.entries.isEmpty())
        __builtin_trap();
    for (const TagReferenceEntry &entry : reference.entries) {
        const TagReferenceInsertion insertion = tagReferenceInsertion(entry.tag);
        // Nothing of the entry is lost or invented, except the comment's
        // own fixed texts.
        if (!entry.tag.startsWith(QStringLiteral("<!--")) && insertion.texts.start + insertion.texts.end != entry.tag)
            __builtin_trap();
    }
    for (char16_t letter = u'A'; letter <= u'Z'; ++letter) {
        const int index = firstEntryForLetter(reference.entries, QChar(letter));
        if (index >= reference.entries.size())
            __builtin_trap();
    }
    return 0;
}
