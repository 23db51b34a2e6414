#pragma once

#include "core/text/pagefile.h"

#include <QByteArray>
#include <QString>

#include <optional>

// One page as the recovery folder keeps it: enough to reopen it as it was.
struct RecoveryCopy
{
    QString caption; // the page's file path, or the bare name of a page never saved
    QString text;    // CR LF line breaks
    PageFormat format;
    bool operator==(const RecoveryCopy &other) const
    {
        return caption == other.caption && text == other.text && format.encoding == other.format.encoding
               && format.lineEnd == other.format.lineEnd;
    }
};

// A caption a copy may carry: a single line, either the bare name of a page
// never saved or a clean absolute path. Anything else marks the copy as
// damaged, since the page would be shown and later saved under it.
bool isRecoverableCaption(const QString &caption);

// The bytes of a copy: a header of "name: value" lines (caption
// percent-encoded, encoding, line ends, length and SHA-256 of the body),
// an empty line, and the text as UTF-8.
QByteArray encodeRecoveryCopy(const RecoveryCopy &copy);
// Reads them back; nothing for bytes that are not a whole, intact copy
// (wrong header, unknown values, cut or altered body, invalid UTF-8, a
// caption isRecoverableCaption refuses).
std::optional<RecoveryCopy> decodeRecoveryCopy(const QByteArray &bytes);

// Writes a copy to path atomically: the old copy stays whole until the new
// one is complete. Safe to call from a worker thread.
bool writeRecoveryCopy(const QString &path, const RecoveryCopy &copy);
