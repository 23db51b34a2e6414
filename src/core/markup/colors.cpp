#include "core/markup/colors.h"

QString ColorToHtml(HtmlColor color)
{
    const uint red = color & 0xFF;
    const uint green = (color >> 8) & 0xFF;
    const uint blue = (color >> 16) & 0xFF;
    return QStringLiteral("#%1%2%3")
        .arg(red, 2, 16, QLatin1Char('0'))
        .arg(green, 2, 16, QLatin1Char('0'))
        .arg(blue, 2, 16, QLatin1Char('0'))
        .toUpper();
}

HtmlColor HtmlToColor(const QString &text)
{
    // Blue digits first, red last: the number reads as 0xBBGGRR.
    const QString digits = text.mid(5, 2) + text.mid(3, 2) + text.mid(1, 2);
    if (digits.isEmpty())
        return 0;
    HtmlColor value = 0;
    for (const QChar c : digits) {
        // Strictly hexadecimal digits: no sign, blank or "0x" prefix that a
        // general number parser would let through.
        const int digit = c.isDigit() && c.unicode() < 128 ? c.unicode() - '0'
                          : (c >= u'A' && c <= u'F')       ? c.unicode() - 'A' + 10
                          : (c >= u'a' && c <= u'f')       ? c.unicode() - 'a' + 10
                                                           : -1;
        if (digit < 0)
            return 0;
        value = value * 16 + HtmlColor(digit);
    }
    return value;
}
