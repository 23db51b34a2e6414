// Reads any page as completion and the matching-tag marks do: the context at
// caret positions picked by the first two bytes and at every tenth place,
// the tag name there and its match.
#include "core/completion/completioncontext.h"
#include "core/completion/tagscan.h"
#include "core/text/linestore.h"
#include "fuzzinput.h"

namespace {

void checkAt(const LineStore &lines, int line, int column, bool small)
{
    const CompletionContext context = completionContext(lines, line, column);
    if (context.kind != CompletionContext::None) {
        // The typed letters end at the caret and are the page's own.
        FUZZ_CHECK(context.prefixColumn + context.prefix.size() == column);
        FUZZ_CHECK(lines.line(line).mid(context.prefixColumn, context.prefix.size()) == context.prefix);
        FUZZ_CHECK(context.kind == CompletionContext::ElementName || !context.element.isEmpty());
    }
    const auto at = tagscan::tagNameAt(lines, line, column);
    if (!at)
        return;
    FUZZ_CHECK(at->line == line && at->column <= column && column <= at->column + at->length);
    const auto match = tagscan::matchingTag(lines, *at);
    if (!match)
        return;
    FUZZ_CHECK(match->end != at->end);
    FUZZ_CHECK(tagscan::nameOf(lines, *match).compare(tagscan::nameOf(lines, *at), Qt::CaseInsensitive) == 0);
    // On a page shorter than the stretch read before a place, the lexer's
    // state is exact everywhere and the match leads back.
    if (small)
        FUZZ_CHECK(tagscan::matchingTag(lines, *match) == at);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    const LineStore lines(fuzzText(data + 2, size - 2));
    const bool small = lines.length() < 4000;
    const int caret = (data[0] | data[1] << 8) % (lines.length() + 1);
    const int caretLine = lines.lineOf(caret);
    checkAt(lines, caretLine, caret - lines.lineStart(caretLine), small);
    for (int position = 0; position <= lines.length(); position += 10) {
        const int line = lines.lineOf(position);
        checkAt(lines, line, position - lines.lineStart(line), small);
    }
    return 0;
}
