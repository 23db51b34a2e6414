#include "core/attributes/colournames.h"

#include <algorithm>
#include <iterator>

namespace {

struct NamedEntry
{
    const char16_t *name;
    HtmlColor colour; // 0x00BBGGRR
};

// The CSS colour names, the 16 of HTML among them, sorted by name.
constexpr NamedEntry Names[] = {
    {u"aliceblue", 0xFFF8F0},
    {u"antiquewhite", 0xD7EBFA},
    {u"aqua", 0xFFFF00},
    {u"aquamarine", 0xD4FF7F},
    {u"azure", 0xFFFFF0},
    {u"beige", 0xDCF5F5},
    {u"bisque", 0xC4E4FF},
    {u"black", 0x000000},
    {u"blanchedalmond", 0xCDEBFF},
    {u"blue", 0xFF0000},
    {u"blueviolet", 0xE22B8A},
    {u"brown", 0x2A2AA5},
    {u"burlywood", 0x87B8DE},
    {u"cadetblue", 0xA09E5F},
    {u"chartreuse", 0x00FF7F},
    {u"chocolate", 0x1E69D2},
    {u"coral", 0x507FFF},
    {u"cornflowerblue", 0xED9564},
    {u"cornsilk", 0xDCF8FF},
    {u"crimson", 0x3C14DC},
    {u"cyan", 0xFFFF00},
    {u"darkblue", 0x8B0000},
    {u"darkcyan", 0x8B8B00},
    {u"darkgoldenrod", 0x0B86B8},
    {u"darkgray", 0xA9A9A9},
    {u"darkgreen", 0x006400},
    {u"darkgrey", 0xA9A9A9},
    {u"darkkhaki", 0x6BB7BD},
    {u"darkmagenta", 0x8B008B},
    {u"darkolivegreen", 0x2F6B55},
    {u"darkorange", 0x008CFF},
    {u"darkorchid", 0xCC3299},
    {u"darkred", 0x00008B},
    {u"darksalmon", 0x7A96E9},
    {u"darkseagreen", 0x8FBC8F},
    {u"darkslateblue", 0x8B3D48},
    {u"darkslategray", 0x4F4F2F},
    {u"darkslategrey", 0x4F4F2F},
    {u"darkturquoise", 0xD1CE00},
    {u"darkviolet", 0xD30094},
    {u"deeppink", 0x9314FF},
    {u"deepskyblue", 0xFFBF00},
    {u"dimgray", 0x696969},
    {u"dimgrey", 0x696969},
    {u"dodgerblue", 0xFF901E},
    {u"firebrick", 0x2222B2},
    {u"floralwhite", 0xF0FAFF},
    {u"forestgreen", 0x228B22},
    {u"fuchsia", 0xFF00FF},
    {u"gainsboro", 0xDCDCDC},
    {u"ghostwhite", 0xFFF8F8},
    {u"gold", 0x00D7FF},
    {u"goldenrod", 0x20A5DA},
    {u"gray", 0x808080},
    {u"green", 0x008000},
    {u"greenyellow", 0x2FFFAD},
    {u"grey", 0x808080},
    {u"honeydew", 0xF0FFF0},
    {u"hotpink", 0xB469FF},
    {u"indianred", 0x5C5CCD},
    {u"indigo", 0x82004B},
    {u"ivory", 0xF0FFFF},
    {u"khaki", 0x8CE6F0},
    {u"lavender", 0xFAE6E6},
    {u"lavenderblush", 0xF5F0FF},
    {u"lawngreen", 0x00FC7C},
    {u"lemonchiffon", 0xCDFAFF},
    {u"lightblue", 0xE6D8AD},
    {u"lightcoral", 0x8080F0},
    {u"lightcyan", 0xFFFFE0},
    {u"lightgoldenrodyellow", 0xD2FAFA},
    {u"lightgray", 0xD3D3D3},
    {u"lightgreen", 0x90EE90},
    {u"lightgrey", 0xD3D3D3},
    {u"lightpink", 0xC1B6FF},
    {u"lightsalmon", 0x7AA0FF},
    {u"lightseagreen", 0xAAB220},
    {u"lightskyblue", 0xFACE87},
    {u"lightslategray", 0x998877},
    {u"lightslategrey", 0x998877},
    {u"lightsteelblue", 0xDEC4B0},
    {u"lightyellow", 0xE0FFFF},
    {u"lime", 0x00FF00},
    {u"limegreen", 0x32CD32},
    {u"linen", 0xE6F0FA},
    {u"magenta", 0xFF00FF},
    {u"maroon", 0x000080},
    {u"mediumaquamarine", 0xAACD66},
    {u"mediumblue", 0xCD0000},
    {u"mediumorchid", 0xD355BA},
    {u"mediumpurple", 0xDB7093},
    {u"mediumseagreen", 0x71B33C},
    {u"mediumslateblue", 0xEE687B},
    {u"mediumspringgreen", 0x9AFA00},
    {u"mediumturquoise", 0xCCD148},
    {u"mediumvioletred", 0x8515C7},
    {u"midnightblue", 0x701919},
    {u"mintcream", 0xFAFFF5},
    {u"mistyrose", 0xE1E4FF},
    {u"moccasin", 0xB5E4FF},
    {u"navajowhite", 0xADDEFF},
    {u"navy", 0x800000},
    {u"oldlace", 0xE6F5FD},
    {u"olive", 0x008080},
    {u"olivedrab", 0x238E6B},
    {u"orange", 0x00A5FF},
    {u"orangered", 0x0045FF},
    {u"orchid", 0xD670DA},
    {u"palegoldenrod", 0xAAE8EE},
    {u"palegreen", 0x98FB98},
    {u"paleturquoise", 0xEEEEAF},
    {u"palevioletred", 0x9370DB},
    {u"papayawhip", 0xD5EFFF},
    {u"peachpuff", 0xB9DAFF},
    {u"peru", 0x3F85CD},
    {u"pink", 0xCBC0FF},
    {u"plum", 0xDDA0DD},
    {u"powderblue", 0xE6E0B0},
    {u"purple", 0x800080},
    {u"rebeccapurple", 0x993366},
    {u"red", 0x0000FF},
    {u"rosybrown", 0x8F8FBC},
    {u"royalblue", 0xE16941},
    {u"saddlebrown", 0x13458B},
    {u"salmon", 0x7280FA},
    {u"sandybrown", 0x60A4F4},
    {u"seagreen", 0x578B2E},
    {u"seashell", 0xEEF5FF},
    {u"sienna", 0x2D52A0},
    {u"silver", 0xC0C0C0},
    {u"skyblue", 0xEBCE87},
    {u"slateblue", 0xCD5A6A},
    {u"slategray", 0x908070},
    {u"slategrey", 0x908070},
    {u"snow", 0xFAFAFF},
    {u"springgreen", 0x7FFF00},
    {u"steelblue", 0xB48246},
    {u"tan", 0x8CB4D2},
    {u"teal", 0x808000},
    {u"thistle", 0xD8BFD8},
    {u"tomato", 0x4763FF},
    {u"turquoise", 0xD0E040},
    {u"violet", 0xEE82EE},
    {u"wheat", 0xB3DEF5},
    {u"white", 0xFFFFFF},
    {u"whitesmoke", 0xF5F5F5},
    {u"yellow", 0x00FFFF},
    {u"yellowgreen", 0x32CD9A},
};

int hexDigit(QChar c)
{
    if (c >= u'0' && c <= u'9')
        return c.unicode() - '0';
    if (c >= u'a' && c <= u'f')
        return c.unicode() - 'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c.unicode() - 'A' + 10;
    return -1;
}

std::optional<HtmlColor> hexColour(QStringView digits)
{
    if (digits.size() != 6 && digits.size() != 3)
        return std::nullopt;
    int v[6];
    for (qsizetype i = 0; i < digits.size(); ++i) {
        v[i] = hexDigit(digits.at(i));
        if (v[i] < 0)
            return std::nullopt;
    }
    const auto channel = [&](int k) { return digits.size() == 6 ? v[2 * k] * 16 + v[2 * k + 1] : v[k] * 17; };
    return HtmlColor(channel(0)) | HtmlColor(channel(1)) << 8 | HtmlColor(channel(2)) << 16;
}

} // namespace

std::optional<HtmlColor> NamedColour(QStringView name)
{
    const QString lower = name.trimmed().toString().toLower();
    const auto at = std::lower_bound(std::begin(Names), std::end(Names), lower,
                                     [](const NamedEntry &e, const QString &n) { return QStringView(e.name) < n; });
    if (at != std::end(Names) && QStringView(at->name) == lower)
        return at->colour;
    return std::nullopt;
}

std::optional<HtmlColor> ReadHtmlColour(QStringView value)
{
    const QStringView v = value.trimmed();
    if (v.startsWith(u'#'))
        return hexColour(v.mid(1));
    if (const auto named = NamedColour(v))
        return named;
    return hexColour(v);
}
