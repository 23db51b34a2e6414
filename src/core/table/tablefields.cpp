#include "core/table/tablefields.h"

int FieldNumber(const QString &text, int fallback)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? value : fallback;
}

namespace {

// The number's text as the field keeps it: as typed when it is plain
// digits, else its value written out (a read value may hold anything
// that the conversion skips, such as a NUL).
QString numberText(const QString &kept, int value)
{
    for (const QChar ch : kept) {
        if (ch < u'0' || ch > u'9')
            return QString::number(value);
    }
    return kept;
}

} // namespace

int SizeMaximum(bool percent)
{
    return percent ? 100 : 9999;
}

QString CorrectSizeText(const QString &text, bool percent)
{
    const QString kept = text.left(percent ? 3 : 4);
    const int value = FieldNumber(kept, 0);
    if (value <= 0 || value > SizeMaximum(percent))
        return {};
    return numberText(kept, value);
}

QString SizeTextForPercent(const QString &text, bool percent)
{
    if (percent && FieldNumber(text, 0) > 100)
        return QStringLiteral("100");
    return CorrectSizeText(text, percent);
}

namespace {

QString correctSmall(const QString &text, const QString &fallback, int maximum)
{
    const QString kept = text.left(3);
    const int value = FieldNumber(kept, -1);
    return value < 0 || value > maximum ? fallback : numberText(kept, value);
}

} // namespace

QString CorrectBorderText(const QString &text)
{
    return correctSmall(text, QStringLiteral("0"), 100);
}

QString CorrectPaddingText(const QString &text)
{
    return correctSmall(text, QStringLiteral("1"), 999);
}

QString CorrectSpacingText(const QString &text)
{
    return correctSmall(text, QStringLiteral("2"), 999);
}
