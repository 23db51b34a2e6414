// Reads arbitrary bytes as a page file and writes the text back: the bytes
// must come back unchanged, apart from line breaks when the page mixes their
// kinds, or the page must be refused as it would be when opened. Bytes that
// would read back as another text are never written (the save refuses them).
// The batch mode's first look at the bytes refuses nothing that opens.
#include "core/text/documenttext.h"
#include "core/text/textcodec.h"
#include "core/wholetext/bytescan.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstdlib>

namespace {

bool refused(const QString &text)
{
    for (const QChar c : text) {
        if (c == QChar(0) || (c != u'\n' && isLineBreakMark(c)))
            return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QString decoded;
    const FileEncoding encoding = detectAndDecode(bytes, decoded);
    // The batch mode's first look refuses only pages that decoding refuses.
    constexpr qsizetype MaxLength = 64;
    const PageBytesProblem problem = prescanPageBytes(bytes, MaxLength);
    if ((problem == PageBytesProblem::Nul && !refused(decoded))
        || (problem == PageBytesProblem::TooLong && decoded.size() <= MaxLength))
        std::abort();
    if (refused(decoded))
        return 0;
    const LineEnd lineEnd = detectLineEnd(decoded);
    const QString page = toCrLf(decoded);
    QByteArray again;
    if (!encodeText(withLineEnd(page, lineEnd), encoding, again))
        std::abort(); // the page's own encoding always holds what it read
    if (!readsBackAs(again, encoding, withLineEnd(page, lineEnd)))
        return 0; // refused when saving: the file keeps its text
    if (again != bytes) {
        // Only a change of line breaks is allowed: the text read back is the same page.
        QString reread;
        if (detectAndDecode(again, reread) != encoding || toCrLf(reread) != page)
            std::abort();
    }
    return 0;
}
