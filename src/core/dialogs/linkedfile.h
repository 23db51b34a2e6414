#pragma once

#include <QString>

class Prompts;

// Files named in an element's fields (a link's address, a LINK's HREF).

// The file a name designates for a page: an absolute name as it is, a
// relative one from the page's folder (from the current folder when the page
// has none). Windows and POSIX separators are both taken.
QString ResolveLinkedFile(const QString &name, const QString &documentFileName);

// Whether the named file exists for the page (an empty name does not).
bool LinkedFileExists(const QString &name, const QString &documentFileName);

// Message 75 for a file that does not exist: true when the file exists or
// the user chose to go on anyway, false to keep the dialog open.
bool ConfirmLinkedFile(Prompts &prompts, const QString &name, const QString &documentFileName);
