#pragma once

#include <QString>

// Corrections the table designer applies to its number fields whenever
// their text changes, so that the generator never meets a bad value.

// The integer a field holds; fallback when the text is not a number.
int FieldNumber(const QString &text, int fallback);

// Width and height: at most 3 characters and 100 with "%", 4 and 9999
// without; 0, a value outside 0 .. maximum or a text that is not a number
// empties the field.
int SizeMaximum(bool percent);
QString CorrectSizeText(const QString &text, bool percent);
// Ticking "%" limits a larger value to "100"; clearing it keeps the value.
QString SizeTextForPercent(const QString &text, bool percent);

// BORDER (0 .. 100, default "0"), CELLPADDING (default "1") and CELLSPACING
// (default "2"): at most 3 characters; a text that is not a number, is
// negative or (for the border) is above 100 becomes the default.
QString CorrectBorderText(const QString &text);
QString CorrectPaddingText(const QString &text);
QString CorrectSpacingText(const QString &text);
