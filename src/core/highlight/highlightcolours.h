#pragma once

#include "core/highlight/htmllexer.h"

#include <QtGlobal>

#include <array>

// The colours of the HTML colouring, derived from the editor's text and
// background colours (0xRRGGBB) so that every kind reads well on the page:
// each one keeps a contrast ratio of at least MinimumContrast with the
// background, on a white page as on a dark one.
namespace htmllex {

constexpr double MinimumContrast = 4.5;

struct Colours
{
    std::array<quint32, KindCount> of{};
    quint32 operator[](Kind kind) const { return of[size_t(kind)]; }
};

Colours coloursFor(quint32 textRgb, quint32 backgroundRgb);

// Contrast ratio of two colours (1 to 21), as accessibility guides define it.
double contrastRatio(quint32 a, quint32 b);

} // namespace htmllex
