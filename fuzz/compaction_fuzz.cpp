// Compaction against a plain model that walks the text one character at a
// time, as the rules of the pass say, without the pass's eight-character
// shortcuts.
#include "fuzzinput.h"
#include "progresscheck.h"

#include "core/wholetext/compaction.h"

namespace {

QString model(const QString &text)
{
    QString out;
    bool inTag = false, inBraces = false, inRun = false;
    for (const QChar c : text) {
        if (c == u'<' || c == u'{') {
            (c == u'<' ? inTag : inBraces) = true;
            out += c;
            continue;
        }
        // A ">" or "}" that closes something, and everything inside a tag
        // or braces, is copied and leaves a blank run going.
        if (c == u'>' || c == u'}') {
            bool &open = c == u'>' ? inTag : inBraces;
            const bool inside = inTag || inBraces;
            open = false;
            if (inside) {
                out += c;
                continue;
            }
        } else if (inTag || inBraces) {
            out += c;
            continue;
        }
        if (c == u' ' || c == u'\r' || c == u'\n') {
            // A run keeps its first blank and one blank per later LF.
            if (!inRun && c == u' ')
                out += c;
            else if (inRun && c == u'\n')
                out += u' ';
            inRun = true;
        } else {
            inRun = false;
            out += c;
        }
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = fuzzText(data, size);
    ProgressCheck progress;
    const QString compacted = compactTags(text, &progress);
    progress.expectFinished();
    FUZZ_CHECK(compacted.size() <= text.size());
    FUZZ_CHECK(compacted == model(text));
    return 0;
}
