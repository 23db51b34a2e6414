#include "core/preferences/colorsetting.h"

namespace {

int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

} // namespace

quint32 colorSettingToRgb(const QString &text)
{
    // A short or damaged string used to mix the digits it had into a
    // random colour; now it is black, like any other string that does not
    // convert.
    if (text.size() < 7 || (text.at(0) != u'$' && text.at(0) != u'#'))
        return 0;
    quint32 rgb = 0;
    for (int i = 1; i < 7; ++i) {
        const int digit = hexValue(text.at(i));
        if (digit < 0)
            return 0;
        rgb = (rgb << 4) | quint32(digit);
    }
    return rgb;
}

QString rgbToColorSetting(quint32 rgb)
{
    return QLatin1Char('$') + QStringLiteral("%1").arg(rgb & 0xFFFFFFu, 6, 16, QLatin1Char('0')).toUpper();
}
