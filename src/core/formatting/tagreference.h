#pragma once

#include "core/formatting/fontmarkup.h"
#include "core/undo/undohistory.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The HTML tag reference file, "htmldesc.ref" in the program's folder. Each
// line that does not begin with a blank is an entry, the tag as it will be
// inserted ("<B></B>", "<BR>"); the lines after it that begin with a blank
// (space or tab) describe it; they flow into paragraphs, and a line of
// blanks alone starts a new paragraph.
inline constexpr char16_t TagReferenceFileName[] = u"htmldesc.ref";

struct TagReferenceEntry
{
    QString tag;
    QString description; // its paragraphs, one per line
};

struct TagReference
{
    QList<TagReferenceEntry> entries;
    // Why the file could not be used, for the user; empty when it was read.
    // The entries are then empty.
    QString error;
};

// Reads the file's bytes (UTF-8, or Windows-1252 when they are not valid
// UTF-8). Bytes that cannot be a text file (NUL and other control
// characters), an oversized file or a file without any entry are refused
// with a message naming fileName.
TagReference parseTagReference(const QByteArray &bytes, const QString &fileName);

// Reads the file at path; a missing or unreadable file is refused with a
// message.
TagReference loadTagReference(const QString &path);

// What choosing an entry inserts: a comment entry wraps in "<!-- " and
// " -->"; any other entry is cut before its second "<" into a start and an
// end text and wraps (ukWrap), or is inserted (ukInsert) when it has no end.
struct TagReferenceInsertion
{
    TagPair texts;
    UndoKind kind = ukInsert;
};
TagReferenceInsertion tagReferenceInsertion(const QString &tag);

// Index of the first entry whose letter after "<" is letter (letter case
// ignored), or -1.
int firstEntryForLetter(const QList<TagReferenceEntry> &entries, QChar letter);
