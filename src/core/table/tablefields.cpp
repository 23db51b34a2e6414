#include "core/table/tablefields.h"

int FieldNumber(const QString &text, int fallback)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? value : fallback;
}

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
    return kept;
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
    return value < 0 || value > maximum ? fallback : kept;
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
