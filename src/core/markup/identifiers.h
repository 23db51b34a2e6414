#pragma once

#include <QString>

// A NAME or TARGET value made of text: accented Latin letters lose their
// accent, letters, digits and "_" stay, everything else is dropped.
QString MakeIdentifier(const QString &text);

// text without the blanks (code 32 only) that stand outside double-quoted
// stretches; the quotes themselves stay.
QString StripSpacesOutsideQuotes(const QString &text);
