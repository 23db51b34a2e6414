#pragma once

#include <QString>

#include <optional>

// Forgiving readers of one attribute in the text of a start tag, as the
// element readers (tables, images, frames, maps) take values from markup an
// author selected. The name includes its "=" and, where it could otherwise
// match the tail of a longer name, a leading blank (" ALIGN=" so as not to
// match "VALIGN="). Names are found without regard to letter case.

// Names are matched whole and outside quoted values, with blanks allowed
// around their "=". A value in double or single quotes is read whole (a ">"
// or a blank inside it included); a bare value ends at a double quote, a
// ">", the end of text, or a blank unless keepBlanks. Character references
// are decoded and letter case is kept. Empty when name is absent.
QString AttrText(const QString &name, const QString &text, bool keepBlanks = false);

// The number that starts the value (after an optional double quote): the
// longest run of leading digits that fits an int; 0 when the value does not
// start with a digit ("WIDTH=abc", "WIDTH=-5"), -1 when name is absent.
// "WIDTH=120%" gives 120.
int AttrNumber(const QString &name, const QString &text);

// Whether the value is a percentage: a "%" between name and the next blank
// or the end of text. True when name is absent (a new size defaults to a
// percentage).
bool AttrIsPercent(const QString &name, const QString &text);

// The upper-cased window of width characters right after name; empty when
// name is absent. Keyword readers test what the window holds.
QString KeywordWindow(const QString &name, const QString &text, int width = 8);

// VALIGN values: "BOTTOM" 2, "TOP" 1, "BASELINE" 3, anything else and an
// absent name 0.
int VAlignKeyword(const QString &name, const QString &text);

// A cell's ALIGN: "RIGHT" 3, "LEFT" 1, "CENTER" 2; -1 (none) when name is
// absent or the value is none of these.
int CellAlignKeyword(const QString &name, const QString &text);

// A row's ALIGN: "RIGHT" 2, "CENTER" 1, anything else and an absent name 0.
int RowAlignKeyword(const QString &name, const QString &text);

// The value of attribute name (without its "=") in a start tag, quotes
// removed and references decoded; nullopt when the tag does not carry it.
std::optional<QString> tagAttribute(const QString &tag, QStringView name);

// Whether the start tag carries the attribute word (a valueless one such as
// NOSHADE or COMPACT, or any other), letter case ignored.
bool tagHasWord(const QString &tag, QStringView word);

// The leading decimal number of text (an optional sign, then digits);
// nullopt when text does not start with one or it does not fit an int.
std::optional<int> leadingNumber(QStringView text);
