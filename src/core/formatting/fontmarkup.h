#pragma once

#include "core/markup/colors.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// A start text and the end text that closes it (empty for a single tag).
struct TagPair
{
    QString start;
    QString end;

    bool isEmpty() const { return start.isEmpty() && end.isEmpty(); }
};

// The style tags the font dialog can add around the text, in the order in
// which they are applied; the end tags close in the reverse order. PLAINTEXT
// has no end tag: everything after it is plain text.
constexpr int FontStyleCount = 24;
struct FontStyle
{
    const char16_t *start;
    const char16_t *end;
    const char16_t *caption; // check box caption, with its mnemonic
};
const std::array<FontStyle, FontStyleCount> &fontStyles();

// The default size, which is never written.
inline constexpr char16_t DefaultFontSize[] = u"3";

struct FontFields
{
    // FONT with its styles, or BASEFONT (styles ignored).
    bool baseFont = false;
    QStringList faces;
    QString size = QString::fromUtf16(DefaultFontSize);
    std::optional<HtmlColor> color;
    std::array<bool, FontStyleCount> styles{};
};

// Whether a typed size may be written: 1 to 7, or a change of the base size
// from -7 to +7.
bool isFontSize(const QString &size);

// The texts the font dialog inserts around the selection: the FONT (or
// BASEFONT) tag when it has an attribute, then the checked styles. Both
// texts are empty when nothing is asked for.
TagPair fontTags(const FontFields &fields);
