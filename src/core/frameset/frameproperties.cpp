#include "core/frameset/frameproperties.h"

#include "core/markup/identifiers.h"

namespace {

const QChar Q = u'"';

QString quoted(const QString &name, const QString &value)
{
    return u' ' + name + u'=' + Q + value + Q;
}

// The number a field holds, or nothing; blanks around it are allowed.
bool readNumber(const QString &text, int &value)
{
    bool ok = false;
    value = text.trimmed().toInt(&ok);
    return ok;
}

QString nonNegativeOr(const QString &text, const char *fallback)
{
    int v = 0;
    if (!readNumber(text, v) || v < 0)
        return QLatin1String(fallback);
    return QString::number(v);
}

int numberOr(const QString &text, int fallback)
{
    int v = 0;
    return readNumber(text, v) ? v : fallback;
}

} // namespace

QString SwatchColorText(HtmlColor color)
{
    return (color & 0xFFFFFF) == SilverSwatch ? QString() : ColorToHtml(color).left(7);
}

HtmlColor SwatchColor(const QString &text)
{
    return text.isEmpty() ? SilverSwatch : HtmlToColor(text);
}

QString FixMarginWidth(const QString &text)
{
    return nonNegativeOr(text, "10");
}

QString FixMarginHeight(const QString &text)
{
    return nonNegativeOr(text, "16");
}

QString FixFrameSpacing(const QString &text)
{
    if (text == QLatin1String("-"))
        return text;
    return QString::number(numberOr(text, 2));
}

QString FixFramesetBorder(const QString &text)
{
    return nonNegativeOr(text, "8");
}

QString FixFrameSize(const QString &text)
{
    int v = 0;
    if (!readNumber(text, v) || v < 1 || v > MaxFrameSize)
        return QString();
    return QString::number(v);
}

QString FixFrameSpace(const QString &text)
{
    int v = 0;
    if (!readNumber(text, v) || v < 1)
        return QString();
    return QString::number(v);
}

FrameFields FieldsOfFrame(const FrameRec &frame)
{
    FrameFields f;
    f.source = frame.Src;
    f.name = frame.Name;
    f.scrolling = frame.Scrolling <= 2 ? frame.Scrolling : 0;
    f.marginWidth = QString::number(frame.MarginWidth);
    f.marginHeight = QString::number(frame.MarginHeight);
    f.noResize = frame.NoResize;
    f.border = frame.FrameBorder;
    f.borderColor = frame.BorderColor;
    return f;
}

void StoreFrameFields(const FrameFields &fields, FrameRec &frame)
{
    frame.Src = fields.source;
    frame.Name = MakeIdentifier(fields.name);
    frame.MarginHeight = numberOr(fields.marginHeight, 16);
    frame.MarginWidth = numberOr(fields.marginWidth, 10);
    frame.Scrolling = quint8(fields.scrolling >= 0 && fields.scrolling <= 2 ? fields.scrolling : 0);
    frame.NoResize = fields.noResize;
    frame.FrameBorder = fields.border;
    frame.BorderColor = fields.borderColor.left(7);
}

FramesetFields FieldsOfFrameset(const FramesetAttributes &attributes)
{
    FramesetFields f;
    f.spacing = QString::number(attributes.FrameSpacing);
    f.border = QString::number(attributes.FramesetBorder);
    f.frameBorder = attributes.FramesetFrameBorder;
    f.borderColor = attributes.FramesetBorderColor;
    return f;
}

void StoreFramesetFields(const FramesetFields &fields, FramesetAttributes &attributes)
{
    attributes.FrameSpacing = numberOr(fields.spacing, 2);
    attributes.FramesetBorder = numberOr(fields.border, 8);
    attributes.FramesetFrameBorder = fields.frameBorder;
    attributes.FramesetBorderColor = fields.borderColor.left(7);
}

int CheckFrameFields(const FrameFields &fields)
{
    return fields.source.isEmpty() || fields.name.isEmpty() ? 38 : 0;
}

QString IFrameStartTag(const FrameFields &fields)
{
    QString s = QStringLiteral("<IFRAME");
    s += quoted(QStringLiteral("NAME"), MakeIdentifier(fields.name));
    s += quoted(QStringLiteral("SRC"), fields.source);
    if (fields.scrolling == 1)
        s += quoted(QStringLiteral("SCROLLING"), QStringLiteral("yes"));
    else if (fields.scrolling == 2)
        s += quoted(QStringLiteral("SCROLLING"), QStringLiteral("no"));
    if (!fields.marginWidth.isEmpty() && fields.marginWidth != QLatin1String("10"))
        s += quoted(QStringLiteral("MARGINWIDTH"), fields.marginWidth);
    if (!fields.marginHeight.isEmpty() && fields.marginHeight != QLatin1String("16"))
        s += quoted(QStringLiteral("MARGINHEIGHT"), fields.marginHeight);
    if (fields.noResize)
        s += QStringLiteral(" NORESIZE");
    if (!fields.border)
        s += quoted(QStringLiteral("FRAMEBORDER"), QStringLiteral("0"));
    static const char *const aligns[] = {"TOP", "MIDDLE", "BOTTOM", "LEFT", "RIGHT"};
    if (fields.align >= 1 && fields.align <= 5)
        s += quoted(QStringLiteral("ALIGN"), QLatin1String(aligns[fields.align - 1]));
    if (!fields.width.isEmpty())
        s += quoted(QStringLiteral("WIDTH"), fields.width + (fields.widthPercent ? QStringLiteral("%") : QString()));
    if (!fields.height.isEmpty())
        s += quoted(QStringLiteral("HEIGHT"), fields.height + (fields.heightPercent ? QStringLiteral("%") : QString()));
    if (!fields.vspace.isEmpty())
        s += quoted(QStringLiteral("VSPACE"), fields.vspace);
    if (!fields.hspace.isEmpty())
        s += quoted(QStringLiteral("HSPACE"), fields.hspace);
    return s + u'>';
}
