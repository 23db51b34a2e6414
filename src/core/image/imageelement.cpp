#include "core/image/imageelement.h"

#include "core/attributes/attributereaders.h"
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

// The start tag inside an element text (from whichever of "<IMG" and
// "<INPUT TYPE=" comes first), with line breaks and tabs turned into blanks
// so that every attribute name follows a blank.
QString startTag(const QString &element)
{
    const qsizetype image = element.indexOf(QStringLiteral("<IMG"), 0, Qt::CaseInsensitive);
    const qsizetype input = element.indexOf(QStringLiteral("<INPUT TYPE="), 0, Qt::CaseInsensitive);
    qsizetype at = image < 0 ? input : (input < 0 ? image : qMin(image, input));
    at = qMax(at, qsizetype(0));
    const qsizetype close = element.indexOf(u'>', at);
    QString tag = element.mid(at, close < 0 ? -1 : close - at + 1);
    for (QChar &c : tag) {
        if (c == u'\r' || c == u'\n' || c == u'\t')
            c = u' ';
    }
    return tag;
}

// The tag as its attribute names are looked for in: every character inside
// a double-quoted value hidden, so that an ALT text holding " WIDTH=5" sets
// no width.
QString hideQuotedValues(const QString &tag)
{
    QString masked = tag;
    bool inside = false;
    for (QChar &c : masked) {
        if (c == u'"')
            inside = !inside;
        else if (inside)
            c = QChar(0xFFFF);
    }
    return masked;
}

struct Tag
{
    explicit Tag(const QString &element)
        : text(startTag(element))
        , masked(hideQuotedValues(text))
    {}

    // The text from the attribute name on (empty when it is absent), for
    // the attribute readers, which take the first occurrence.
    QString from(const QString &name) const
    {
        const qsizetype at = masked.indexOf(name, 0, Qt::CaseInsensitive);
        return at < 0 ? QString() : text.mid(at);
    }

    // A quoted value whole, a bare one up to the next blank; numbers, which
    // are written bare, always end at a blank. Names carry their leading
    // blank so that " SRC=" is not found inside "LOWSRC=".
    QString value(const QString &name, bool blanksInQuotes = true) const
    {
        const QString rest = from(name);
        return AttrText(name, rest, blanksInQuotes && KeywordWindow(name, rest, 1) == u"\"");
    }
    QString numberText(const QString &name) const { return value(name, false); }

    int number(const QString &name) const { return AttrNumber(name, from(name)); }

    // The bare words (outside double-quoted values), upper-cased: a file
    // name or a text holding "ismap" switches nothing on.
    bool hasWord(const QString &word) const
    {
        QString bare = masked;
        bare.replace(QChar(0xFFFF), u' ').replace(u'"', u' ').replace(u'>', u' ');
        return bare.split(u' ', Qt::SkipEmptyParts).contains(word, Qt::CaseInsensitive);
    }

    QString text;
    QString masked;
};

QString quoted(QString text)
{
    text.replace(u'"', QStringLiteral("&quot;"));
    return u'"' + text + u'"';
}

// A quoted value as the field shows it: the &quot; the writer put for a
// double quote reads back as the quote.
QString unquoted(QString value)
{
    return value.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
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
    const Tag tag(elementText);
    const auto orZero = [](const QString &text) { return text.isEmpty() ? QStringLiteral("0") : text; };
    ImageProperties p;
    p.border = orZero(tag.numberText(QStringLiteral(" BORDER=")));
    p.vspace = tag.numberText(QStringLiteral(" VSPACE="));
    p.hspace = tag.numberText(QStringLiteral(" HSPACE="));
    p.source = tag.value(QStringLiteral(" SRC="));
    p.lowSource = tag.value(QStringLiteral(" LOWSRC="));

    p.video.source = tag.value(QStringLiteral(" DYNSRC="));
    const QString loop = tag.value(QStringLiteral(" LOOP="));
    if (loop.startsWith(QStringLiteral("-1")))
        p.video.loop = -1;
    else if (!loop.isEmpty())
        p.video.loop = qMax(0, tag.number(QStringLiteral(" LOOP=")));
    p.video.controls = tag.hasWord(QStringLiteral("CONTROLS"));
    p.video.startOnMouseOver =
        tag.value(QStringLiteral(" START=")).compare(QStringLiteral("MOUSEOVER"), Qt::CaseInsensitive) == 0;

    p.width = orZero(tag.numberText(QStringLiteral(" WIDTH=")));
    p.height = orZero(tag.numberText(QStringLiteral(" HEIGHT=")));
    p.name = tag.value(QStringLiteral(" NAME="));
    p.alt = unquoted(tag.value(QStringLiteral(" ALT=")));

    const QString align = tag.value(QStringLiteral(" ALIGN=")).toUpper();
    for (const auto &k : AlignKeywords) {
        if (!align.isEmpty() && align.contains(QStringView(k.keyword))) {
            p.align = k.align;
            break;
        }
    }
    p.isMap = tag.hasWord(QStringLiteral("ISMAP"));
    for (const JsEvent e : TagEvents)
        p.events.setCall(e, unquoted(tag.value(u' ' + jsEventName(e).toUpper() + u'=')));
    return p;
}

QString BuildImageTag(const ImageProperties &p, bool formImage)
{
    QString tag = formImage ? QStringLiteral("<INPUT TYPE=\"image\"") : QStringLiteral("<IMG");
    tag += QStringLiteral(" SRC=") + quoted(p.source);
    if (!p.lowSource.isEmpty())
        tag += QStringLiteral(" LOWSRC=") + quoted(p.lowSource);
    tag += QStringLiteral(" BORDER=") + p.border;
    if (isSet(p.width))
        tag += QStringLiteral(" WIDTH=") + p.width;
    if (isSet(p.height))
        tag += QStringLiteral(" HEIGHT=") + p.height;
    if (const QString name = MakeIdentifier(StripSpacesOutsideQuotes(p.name)); !name.isEmpty())
        tag += QStringLiteral(" NAME=\"") + name + u'"';
    if (!p.alt.isEmpty())
        tag += QStringLiteral(" ALT=") + quoted(p.alt);
    if (!p.hspace.isEmpty())
        tag += QStringLiteral(" HSPACE=") + p.hspace;
    if (!p.vspace.isEmpty())
        tag += QStringLiteral(" VSPACE=") + p.vspace;
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
    // A call's double quotes would end the attribute early.
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

QString QuickImageTag(const QString &relativePath, int width, int height)
{
    QString tag = QStringLiteral("<IMG SRC=") + quoted(relativePath) + QStringLiteral(" BORDER=0");
    if (width > 0 && height > 0)
        tag +=
            QStringLiteral(" WIDTH=") + QString::number(width) + QStringLiteral(" HEIGHT=") + QString::number(height);
    return tag + u'>';
}
