#include "core/highlight/highlightcolours.h"

#include <algorithm>
#include <cmath>

namespace htmllex {

namespace {

double channelLuminance(quint32 channel)
{
    const double c = channel / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(quint32 rgb)
{
    return 0.2126 * channelLuminance((rgb >> 16) & 0xFF) + 0.7152 * channelLuminance((rgb >> 8) & 0xFF)
           + 0.0722 * channelLuminance(rgb & 0xFF);
}

quint32 fromHsl(double hue, double saturation, double lightness)
{
    const double c = (1 - std::abs(2 * lightness - 1)) * saturation;
    const double h = std::fmod(hue, 360.0) / 60.0;
    const double x = c * (1 - std::abs(std::fmod(h, 2.0) - 1));
    double r = 0, g = 0, b = 0;
    if (h < 1)
        r = c, g = x;
    else if (h < 2)
        r = x, g = c;
    else if (h < 3)
        g = c, b = x;
    else if (h < 4)
        g = x, b = c;
    else if (h < 5)
        r = x, b = c;
    else
        r = c, b = x;
    const double m = lightness - c / 2;
    const auto channel = [m](double v) { return quint32(std::clamp(std::lround((v + m) * 255), 0L, 255L)); };
    return (channel(r) << 16) | (channel(g) << 8) | channel(b);
}

double lightnessOf(quint32 rgb)
{
    const int r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
    return (std::max({r, g, b}) + std::min({r, g, b})) / 510.0;
}

// The shade of the hue nearest to startLightness, on the side away from the
// background, that keeps the contrast; the other side when that one cannot.
quint32 readable(double hue, double saturation, double startLightness, quint32 background, bool lighter)
{
    for (const bool up : {lighter, !lighter}) {
        for (int step = 0; step <= 100; ++step) {
            const double l = startLightness + (up ? step : -step) / 100.0;
            if (l < 0.0 || l > 1.0)
                break;
            const quint32 rgb = fromHsl(hue, saturation, l);
            if (contrastRatio(rgb, background) >= MinimumContrast)
                return rgb;
        }
    }
    return contrastRatio(0xFFFFFF, background) > contrastRatio(0x000000, background) ? 0xFFFFFF : 0x000000;
}

} // namespace

double contrastRatio(quint32 a, quint32 b)
{
    const double la = luminance(a & 0xFFFFFF), lb = luminance(b & 0xFFFFFF);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Colours coloursFor(quint32 textRgb, quint32 backgroundRgb)
{
    backgroundRgb &= 0xFFFFFF;
    textRgb &= 0xFFFFFF;
    // Light colours on a dark page, dark ones on a light page; the user's own
    // text colour decides when the page is mid-grey.
    const double whiteContrast = contrastRatio(0xFFFFFF, backgroundRgb);
    const double blackContrast = contrastRatio(0x000000, backgroundRgb);
    const bool lighter =
        std::abs(whiteContrast - blackContrast) < 1.0 ? lightnessOf(textRgb) > 0.5 : whiteContrast > blackContrast;
    // Starting at mid-lightness gives the most colourful shade that reads.
    const double start = 0.5;
    struct Hue
    {
        Kind kind;
        double hue;
        double saturation;
    };
    static constexpr Hue Hues[] = {
        {Kind::Tag, 220, 0.85},  {Kind::AttributeName, 285, 0.6}, {Kind::AttributeValue, 130, 0.7},
        {Kind::Entity, 28, 0.9}, {Kind::Script, 350, 0.7},
    };
    Colours colours;
    for (const Hue &h : Hues)
        colours.of[size_t(h.kind)] = readable(h.hue, h.saturation, start, backgroundRgb, lighter);
    // Comments: grey, faded from the text colour towards the page as far as
    // the contrast allows.
    const double textLightness = lightnessOf(textRgb);
    const double fadedStart = lighter ? std::min(textLightness, 0.5) : std::max(textLightness, 0.5);
    colours.of[size_t(Kind::Comment)] = readable(0, 0, fadedStart, backgroundRgb, lighter);
    return colours;
}

} // namespace htmllex
