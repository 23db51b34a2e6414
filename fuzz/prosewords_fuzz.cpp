// The spelling reads the words of every line of every page, from any state
// the previous line left: words must stay inside their line, in order, and
// read as written where no character reference stands in them.
#include "core/spelling/prosewords.h"
#include "core/text/linestore.h"
#include "fuzzinput.h"

#include <QList>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    // Any int may come back as a state: the first four bytes give one.
    int state = int(uint32_t(input.byte()) | uint32_t(input.byte()) << 8 | uint32_t(input.byte()) << 16
                    | uint32_t(input.byte()) << 24);
    const QString text = fuzzText(data + (size - input.remaining()), input.remaining());
    std::vector<prose::Word> words;
    for (const QStringView line : QStringView(text).split(u'\n')) {
        words.clear();
        const int next = prose::readLine(line, state, &words);
        FUZZ_CHECK(prose::readLine(line, state, nullptr) == next);
        int end = 0;
        for (const prose::Word &word : words) {
            FUZZ_CHECK(word.start >= end && word.length > 0 && word.start + word.length <= line.size());
            FUZZ_CHECK(!word.word.isEmpty());
            const QStringView written = line.mid(word.start, word.length);
            if (!written.contains(u'&'))
                FUZZ_CHECK(written == word.word);
            end = word.start + word.length;
        }
        state = next;
    }
    const QString language = prose::pageLanguage(LineStore(text));
    FUZZ_CHECK(language == language.toLower());
    return 0;
}
