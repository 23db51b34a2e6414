#pragma once

#include <QString>

// The text of a document's tab, formed from its file name (a full path or a
// bare name; "/" and "\" both separate folders): the name without folder,
// its first character upper-cased and the rest up to the first "."
// lower-cased; longer than 8 characters, the first 8 followed by "...".
// "mapage.HTM" gives "Mapage", "Mesprojets.htm" gives "Mesproje...".
QString documentTabText(const QString &fileName);

// The file name without its folder part, "/" and "\" both taken as separators.
QString fileNameWithoutFolder(const QString &path);
