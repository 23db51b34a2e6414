#pragma once

#include <QString>

// Colours as the pages write them: "#" and six upper-case hexadecimal
// digits, red first. In the program a colour is a plain 0x00BBGGRR value
// (red in the lowest byte), as the stored settings hold it.
using HtmlColor = quint32;

// "#RRGGBB" of the low 24 bits.
QString ColorToHtml(HtmlColor color);

// The inverse of ColorToHtml; the first character may be anything. A text
// whose characters 2 to 7 are not all hexadecimal digits gives 0 (black);
// a short text is read as far as it goes.
HtmlColor HtmlToColor(const QString &text);
