#pragma once

#include "core/text/textcodec.h"

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

// The whole-text passes of the batch mode run straight on a page file's
// bytes, for UTF-8 (with or without its mark) and Windows-1252 pages whose
// line ends are all of one style: no decoding to UTF-16 and back. The bytes
// written are exactly those the passes over the decoded text would give.

enum class BytePass { ToEntities, FromEntities, Compact };

struct ByteScan
{
    enum class Verdict {
        Ready,    // the byte passes can take the page
        Refused,  // not a page the editor would open (NUL, line-break marks)
        TextPath, // another encoding, mixed line ends, or a rare case:
                  // left to the passes over the decoded text
    };
    Verdict verdict = Verdict::TextPath;
    FileEncoding encoding = FileEncoding::Utf8;
    LineEnd lineEnd = LineEnd::CrLf;
    // Characters U+017F and U+212A, which a case-blind comparison of element
    // names takes for "s" and "k".
    bool foldsToAscii = false;
    bool operator==(const ByteScan &) const = default;
};

// One scan of the file's bytes: encoding, validity, NUL characters,
// line-break marks and line ends.
ByteScan scanPageBytes(QByteArrayView bytes);
// The same scan a byte at a time, as processors without 32-byte vector
// instructions run it.
ByteScan scanPageBytesOneByOne(QByteArrayView bytes);

// Where a pass streams the new file (mark included): consecutive pieces, all
// but the last of the size the pass was given. Returning false stops the pass.
class ByteSink
{
public:
    virtual bool take(QByteArrayView piece) = 0;

protected:
    ~ByteSink() = default;
};

// Output pieces of this size stay in the processor's cache and keep the
// number of writes small.
inline constexpr qsizetype BytePassPiece = 128 * 1024;

// The pass can run on this file's bytes (the scan found it Ready, and the
// page has nothing that makes this pass take the text path).
bool takesBytePass(BytePass pass, const ByteScan &scan);

// Runs a pass that takes the file's bytes, handing the whole new file to
// sink; returns the replacements made or characters removed, or nothing
// when the sink stopped the pass.
std::optional<qsizetype> streamBytePass(BytePass pass, QByteArrayView file, const ByteScan &scan, ByteSink &sink,
                                        qsizetype pieceSize = BytePassPiece);

// The pass would give other bytes than the file's. It stops at the first
// piece that differs, so a changed page costs little more than its start.
bool bytePassChangesFile(BytePass pass, QByteArrayView file, const ByteScan &scan);

struct ByteOutcome
{
    QByteArray bytes;    // the whole new file, mark included
    qsizetype count = 0; // replacements made, or characters removed
};

// The whole new file in memory; nothing when the page must take the text path.
std::optional<ByteOutcome> runBytePass(BytePass pass, QByteArrayView file, const ByteScan &scan,
                                       qsizetype pieceSize = BytePassPiece);
