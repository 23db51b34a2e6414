// The batch passes over a page file's bytes: for any file, the 32-byte scan
// finds what the byte-at-a-time scan finds, a page the scan refuses is
// refused by the reader too, and every pass the bytes can take gives exactly
// the file and count of the pass over the decoded text, whatever the size of
// the pieces it is streamed in, and says rightly whether the file changes.

#include "core/text/pagefile.h"
#include "core/wholetext/bytepasses.h"
#include "core/wholetext/compaction.h"
#include "core/wholetext/entities.h"
#include "fuzzinput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray file(reinterpret_cast<const char *>(data), qsizetype(size));
    const ByteScan scan = scanPageBytes(file);
    FUZZ_CHECK(scan == scanPageBytesOneByOne(file));
    // Small pieces now and then, so that entities and kept runs straddle them.
    const qsizetype pieceSize = size % 3 == 0 ? 1 + qsizetype(size % 17) : BytePassPiece;
    const std::optional<LoadedPage> page = pageFromBytes({file, {}});
    if (scan.verdict == ByteScan::Verdict::Refused) {
        FUZZ_CHECK(!page);
        return 0;
    }
    for (const BytePass pass : {BytePass::ToEntities, BytePass::FromEntities, BytePass::Compact}) {
        const std::optional<ByteOutcome> outcome = runBytePass(pass, file, scan, pieceSize);
        if (!outcome)
            continue;
        FUZZ_CHECK(page.has_value());
        FUZZ_CHECK(page->format.encoding == scan.encoding && page->format.lineEnd == scan.lineEnd);
        QString result;
        qsizetype count = 0;
        if (pass == BytePass::Compact) {
            result = compactTags(page->text);
            count = withLineEnd(page->text, scan.lineEnd).size() - withLineEnd(result, scan.lineEnd).size();
        } else {
            TextConversion c =
                pass == BytePass::ToEntities ? charactersToEntities(page->text) : entitiesToCharacters(page->text);
            result = std::move(c.text);
            count = c.count;
        }
        QByteArray expected = file;
        if (result != page->text)
            FUZZ_CHECK(encodeText(withLineEnd(result, scan.lineEnd), scan.encoding, expected));
        FUZZ_CHECK(outcome->bytes == expected);
        FUZZ_CHECK(outcome->count == count);
        FUZZ_CHECK(bytePassChangesFile(pass, file, scan) == (expected != file));
    }
    return 0;
}
