// The editor's line list against a plain string with LF breaks: a page of
// any text, then edits anywhere, each followed by position queries.
#include "fuzzinput.h"

#include "core/text/documenttext.h"
#include "core/text/linestore.h"

#include <algorithm>

namespace {

QString model(const QString &text)
{
    return toLf(text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    QString plain = model(input.text());
    LineStore store(plain);
    FUZZ_CHECK(store.text() == plain);
    while (!input.atEnd()) {
        const int bound = int(plain.size()) + 3;
        const int from = input.number(bound) - 1;
        const int removed = input.number(bound) - 1;
        const QString inserted = input.text();
        const int at = std::clamp(from, 0, int(plain.size()));
        const int gone = std::clamp(removed, 0, int(plain.size()) - at);
        const QString normal = model(inserted);
        FUZZ_CHECK(store.replace(from, removed, inserted) == normal.size());
        plain.replace(at, gone, normal);
        FUZZ_CHECK(store.length() == plain.size());
        const int probe = input.number(int(plain.size()) + 1);
        const int line = store.lineOf(probe);
        FUZZ_CHECK(line == plain.first(probe).count(u'\n'));
        FUZZ_CHECK(store.lineStart(line) <= probe && probe <= store.lineStart(line) + store.lineLength(line));
        FUZZ_CHECK(store.slice(probe, int(plain.size())) == plain.sliced(probe));
    }
    FUZZ_CHECK(store.text() == plain);
    return 0;
}
