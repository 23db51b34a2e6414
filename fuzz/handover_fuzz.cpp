// The hand-over decoder: any bytes in any pieces give the same outcome as in
// one piece and never a name that is not a document's; what a second copy
// sends for any list of paths is read back as that list.
#include "fuzzinput.h"

#include "core/shell/handoverprotocol.h"

namespace {

struct Outcome
{
    HandOverDecoder::State state;
    QStringList files;
    bool activate;
    bool operator==(const Outcome &) const = default;
};

// Feeds the bytes in pieces whose sizes cycle through pieceSizes.
Outcome decode(const QByteArray &bytes, const QByteArray &pieceSizes)
{
    HandOverDecoder decoder;
    for (qsizetype at = 0, i = 0; at < bytes.size(); ++i) {
        const qsizetype piece = pieceSizes.isEmpty() ? bytes.size() : 1 + uint8_t(pieceSizes.at(i % pieceSizes.size()));
        decoder.feed(bytes.mid(at, piece));
        at += piece;
    }
    for (const QString &file : decoder.files())
        FUZZ_CHECK(!file.isEmpty() && !file.contains(QChar(0)) && isDocumentFileName(file));
    return {decoder.state(), decoder.files(), decoder.activationRequested()};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput in(data, size);
    const bool activate = in.flag();
    const QByteArray pieceSizes = in.field();
    const QByteArray rest(reinterpret_cast<const char *>(data) + (size - in.remaining()), qsizetype(in.remaining()));

    // The bytes as they come.
    FUZZ_CHECK(decode(rest, pieceSizes) == decode(rest, QByteArray()));

    // The rest as a list of paths, sent and read back.
    QStringList paths;
    while (!in.atEnd())
        paths << QString::fromUtf8(in.field());
    QStringList expected;
    for (const QString &path : paths)
        if (!path.isEmpty() && !path.contains(QChar(0)) && isDocumentFileName(path))
            expected << path;
    const Outcome sent = decode(HandOverProtocol::encode(paths, activate), pieceSizes);
    FUZZ_CHECK(sent.state == HandOverDecoder::State::Finished);
    FUZZ_CHECK(sent.files == expected);
    FUZZ_CHECK(sent.activate == activate);
    return 0;
}
