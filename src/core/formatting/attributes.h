#pragma once

#include <QString>

#include <optional>

// Reading attributes out of one start tag as the user may have written it:
// names in any letter case, blanks around "=", values bare or in double
// quotes.

// The value of attribute name (given in upper case) in tag, without its
// quotes; nullopt when the tag does not carry it. A bare value ends at a
// blank or ">".
std::optional<QString> tagAttribute(const QString &tag, QStringView name);

// Whether tag carries the word (a valueless attribute such as NOSHADE or
// COMPACT), letter case ignored.
bool tagHasWord(const QString &tag, QStringView word);

// The leading decimal number of text (an optional sign, then digits);
// nullopt when text does not start with one or it does not fit an int.
std::optional<int> leadingNumber(QStringView text);
