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
};

// One scan of the file's bytes: encoding, validity, NUL characters,
// line-break marks and line ends.
ByteScan scanPageBytes(QByteArrayView bytes);

struct ByteOutcome
{
    QByteArray bytes;    // the whole new file, mark included
    qsizetype count = 0; // replacements made, or characters removed
};

// Runs a pass on a file the scan found Ready; nothing when the page must
// take the text path after all.
std::optional<ByteOutcome> runBytePass(BytePass pass, QByteArrayView file, const ByteScan &scan);
