#include "core/image/imageelement.h"

#include "core/attributes/attributereaders.h"
#include "core/attributes/starttag.h"
#include "core/markup/identifiers.h"

#include <QStringList>

namespace {

// Menu order; the words a tag's ALIGN value is tested for, most specific
// first ("ABSMIDDLE" before "MIDDLE", "TEXTTOP" before "TOP").
const struct
{
    const char16_t *keyword;
    ImageAlign align;
} AlignKeywords[] = {
    {u"ABSMIDDLE", ImageAlign::AbsMiddle}, {u"MIDDLE", ImageAlign::Middle},
    {u"TEXTTOP", ImageAlign::TextTop},     {u"TOP", ImageAlign::Top},
    {u"LEFT", ImageAlign::Left},           {u"RIGHT", ImageAlign::Right},
    {u"ABSBOTTOM", ImageAlign::AbsBottom}, {u"BASELINE", ImageAlign::Baseline},
};

// The IMG (or form-image INPUT) start tag of an element text: whichever of
// "<IMG" and "<INPUT" comes first.
StartTag startTag(const QString &element)
{
    const StartTag image = FindStartTag(element, u"IMG");
    const StartTag input = FindStartTag(element, u"INPUT");
    if (!image.isValid())
        return input;
    if (!input.isValid())
        return image;
    return image.start < input.start ? image : input;
}

QString quoted(const QString &text)
{
    return QuotedValue(text);
}

const JsEvent TagEvents[] = {JsEvent::onLoad, JsEvent::onAbort, JsEvent::onError};

bool isSet(const QString &size)
{
    return !size.isEmpty() && size != u"0";
}

} // namespace

QString ImageAlignWord(ImageAlign align)
{
    switch (align) {
    case ImageAlign::Bottom:
        return QString();
    case ImageAlign::Middle:
        return QStringLiteral("middle");
    case ImageAlign::Top:
        return QStringLiteral("top");
    case ImageAlign::Left:
        return QStringLiteral("left");
    case ImageAlign::Right:
        return QStringLiteral("right");
    case ImageAlign::TextTop:
        return QStringLiteral("texttop");
    case ImageAlign::AbsMiddle:
        return QStringLiteral("absmiddle");
    case ImageAlign::AbsBottom:
        return QStringLiteral("absbottom");
    case ImageAlign::Baseline:
        return QStringLiteral("baseline");
    }
    return QString();
}

ImageProperties ReadImageElement(const QString &elementText)
{
    const StartTag tag = startTag(elementText);
    const auto text = [&](QStringView name) { return tag.value(name).value_or(QString()); };
    const auto orZero = [](const QString &text) { return text.isEmpty() ? QStringLiteral("0") : text; };
    ImageProperties p;
    p.border = orZero(text(u"BORDER"));
    p.vspace = text(u"VSPACE");
    p.hspace = text(u"HSPACE");
    p.source = text(u"SRC");
    p.lowSource = text(u"LOWSRC");

    p.video.source = text(u"DYNSRC");
    const QString loop = text(u"LOOP");
    if (loop.startsWith(QStringLiteral("-1")))
        p.video.loop = -1;
    else if (tag.has(u"LOOP"))
        p.video.loop = qMax(0, leadingNumber(loop).value_or(0));
    p.video.controls = tag.has(u"CONTROLS");
    p.video.startOnMouseOver = text(u"START").compare(QStringLiteral("MOUSEOVER"), Qt::CaseInsensitive) == 0;

    p.width = orZero(text(u"WIDTH"));
    p.height = orZero(text(u"HEIGHT"));
    p.name = text(u"NAME");
    p.alt = text(u"ALT");

    const QString align = text(u"ALIGN").toUpper();
    for (const auto &k : AlignKeywords) {
        if (!align.isEmpty() && align.contains(QStringView(k.keyword))) {
            p.align = k.align;
            break;
        }
    }
    p.isMap = tag.has(u"ISMAP");
    for (const JsEvent e : TagEvents)
        p.events.setCall(e, text(jsEventName(e)));
    return p;
}

QString BuildImageTag(const ImageProperties &p, bool formImage)
{
    QString tag = formImage ? QStringLiteral("<INPUT TYPE=\"image\"") : QStringLiteral("<IMG");
    tag += QStringLiteral(" SRC=") + quoted(p.source);
    if (!p.lowSource.isEmpty())
        tag += QStringLiteral(" LOWSRC=") + quoted(p.lowSource);
    tag += QStringLiteral(" BORDER=") + BareValue(p.border);
    if (isSet(p.width))
        tag += QStringLiteral(" WIDTH=") + BareValue(p.width);
    if (isSet(p.height))
        tag += QStringLiteral(" HEIGHT=") + BareValue(p.height);
    if (const QString name = MakeIdentifier(StripSpacesOutsideQuotes(p.name)); !name.isEmpty())
        tag += QStringLiteral(" NAME=\"") + name + u'"';
    if (!p.alt.isEmpty())
        tag += QStringLiteral(" ALT=") + quoted(p.alt);
    if (!p.hspace.isEmpty())
        tag += QStringLiteral(" HSPACE=") + BareValue(p.hspace);
    if (!p.vspace.isEmpty())
        tag += QStringLiteral(" VSPACE=") + BareValue(p.vspace);
    if (p.align != ImageAlign::Bottom)
        tag += QStringLiteral(" ALIGN=\"") + ImageAlignWord(p.align) + u'"';
    if (!formImage) {
        if (!p.video.source.isEmpty()) {
            tag += QStringLiteral(" DYNSRC=") + quoted(p.video.source);
            tag += QStringLiteral(" LOOP=") + QString::number(p.video.loop);
            if (p.video.startOnMouseOver)
                tag += QStringLiteral(" START=MOUSEOVER");
            if (p.video.controls)
                tag += QStringLiteral(" CONTROLS");
        }
        if (p.isMap)
            tag += QStringLiteral(" ISMAP");
    }
    for (const JsEvent e : TagEvents) {
        if (const QString call = p.events.call(e); !call.isEmpty())
            tag += u' ' + jsEventName(e) + u'=' + quoted(call);
    }
    return tag + u'>';
}

QString BorderFieldText(const QString &text)
{
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    return ok && n >= 0 ? QString::number(n) : QStringLiteral("0");
}

QString SizeFieldText(const QString &text, int pictureSize)
{
    const QString t = text.trimmed();
    bool ok = false;
    const qint64 n = (t.endsWith(u'%') ? t.chopped(1) : t).toLongLong(&ok);
    if (!ok || n < 0)
        return QString::number(qMax(0, pictureSize));
    if (t.endsWith(u'%'))
        return QString::number(n) + u'%';
    return QString::number(qMin<qint64>(n, 9999));
}

QString SpaceFieldText(const QString &text)
{
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    return ok && n > 0 ? QString::number(n) : QString();
}

QString ImageTagToWrite(const QString &original, const ImageProperties &properties, bool formImage)
{
    const QString tag = BuildImageTag(properties, formImage);
    const StartTag old = startTag(original);
    if (!old.isValid())
        return tag;
    const QString oldTag = original.mid(old.start, old.end - old.start);
    return MergeStartTag(oldTag, BuildImageTag(ReadImageElement(oldTag), formImage), tag);
}

QString QuickImageTag(const QString &relativePath, int width, int height)
{
    QString tag = QStringLiteral("<IMG SRC=") + quoted(relativePath) + QStringLiteral(" BORDER=0");
    if (width > 0 && height > 0)
        tag +=
            QStringLiteral(" WIDTH=") + QString::number(width) + QStringLiteral(" HEIGHT=") + QString::number(height);
    return tag + u'>';
}
