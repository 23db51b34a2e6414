#pragma once

#include <QString>

// Editor colours are stored as "$" followed by six hexadecimal digits, red
// first ("$FF0000" is red). In memory a colour is a plain 0xRRGGBB value, the
// layout of QRgb without its alpha byte.

// The colour of a stored string. Only its first 7 characters count; anything
// that is not "$" (or "#") followed by six hexadecimal digits gives black.
quint32 colorSettingToRgb(const QString &text);

// The stored form of a colour: "$" and six upper-case digits, red first.
QString rgbToColorSetting(quint32 rgb);
