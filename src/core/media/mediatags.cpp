#include "core/media/mediatags.h"

#include "core/attributes/starttag.h"
#include "core/markup/identifiers.h"
#include "core/markup/insertion.h"

namespace {

QString quoted(const QString &value)
{
    return QuotedValue(value);
}

QString attribute(const QString &tag, const char16_t *name)
{
    return ReadStartTag(tag, qMax<qsizetype>(0, tag.indexOf(u'<'))).value(QStringView(name)).value_or(QString());
}

// The PARAM tags of an applet's content, as positions.
QList<std::pair<qsizetype, qsizetype>> parameterTags(QStringView content)
{
    QList<std::pair<qsizetype, qsizetype>> tags;
    for (StartTag t = FindStartTag(content, u"PARAM"); t.isValid() && t.closed;
         t = FindStartTag(content, u"PARAM", t.end))
        tags.append({t.start, t.end});
    return tags;
}

} // namespace

QString MarqueeNumber(const QString &text, int min, int max)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || value == 0 || value < min || value > max)
        return QString();
    return QString::number(value);
}

TagPair BuildMarquee(const MarqueeFields &f)
{
    TagPair pair;
    if (f.textColour != 0)
        pair.start = QStringLiteral("<FONT COLOR=") + quoted(ColorToHtml(f.textColour)) + u'>';
    pair.start += QLatin1String("<MARQUEE");
    if ((f.backgroundColour & 0xFFFFFF) != 0xC0C0C0)
        pair.start += QStringLiteral(" BGCOLOR=") + quoted(ColorToHtml(f.backgroundColour));
    static const char *const behaviors[] = {"", " BEHAVIOR=SLIDE", " BEHAVIOR=ALTERNATE"};
    static const char *const aligns[] = {"", " ALIGN=middle", " ALIGN=bottom"};
    pair.start += QLatin1String(behaviors[qBound(0, f.behavior, 2)]);
    if (f.direction == 1)
        pair.start += QLatin1String(" DIRECTION=RIGHT");
    pair.start += QLatin1String(aligns[qBound(0, f.align, 2)]);
    if (!f.scrollAmount.isEmpty() && f.scrollAmount != QLatin1String("6"))
        pair.start += QStringLiteral(" SCROLLAMOUNT=") + f.scrollAmount;
    if (!f.scrollDelay.isEmpty() && f.scrollDelay != QLatin1String("16"))
        pair.start += QStringLiteral(" SCROLLDELAY=") + f.scrollDelay;
    const QString loop = MarqueeNumber(f.loop, -1, 9999);
    if (!loop.isEmpty())
        pair.start += QStringLiteral(" LOOP=") + loop;
    const QString width = MarqueeNumber(f.width, 0, 9999);
    if (!width.isEmpty())
        pair.start += QStringLiteral(" WIDTH=") + width + (f.widthPercent ? QStringLiteral("%") : QString());
    const QString height = MarqueeNumber(f.height, 0, 9999);
    if (!height.isEmpty())
        pair.start += QStringLiteral(" HEIGHT=") + height + (f.heightPercent ? QStringLiteral("%") : QString());
    const QString hspace = MarqueeNumber(f.hspace, INT_MIN, INT_MAX);
    if (!hspace.isEmpty())
        pair.start += QStringLiteral(" HSPACE=") + hspace;
    const QString vspace = MarqueeNumber(f.vspace, INT_MIN, INT_MAX);
    if (!vspace.isEmpty())
        pair.start += QStringLiteral(" VSPACE=") + vspace;
    pair.start += u'>';
    pair.end = f.textColour != 0 ? QStringLiteral("</MARQUEE></FONT>") : QStringLiteral("</MARQUEE>");
    return pair;
}

const QStringList &AppletAlignWords()
{
    static const QStringList words = {
        QStringLiteral("bottom"),    QStringLiteral("middle"),    QStringLiteral("top"),
        QStringLiteral("left"),      QStringLiteral("right"),     QStringLiteral("texttop"),
        QStringLiteral("absmiddle"), QStringLiteral("absbottom"), QStringLiteral("baseline")};
    return words;
}

QString AppletParameter(const QString &name, const QString &value)
{
    return QStringLiteral("<PARAM NAME=") + quoted(name) + QStringLiteral(" VALUE=") + quoted(value) + u'>';
}

QPair<QString, QString> ReadAppletParameter(const QString &line)
{
    return {attribute(line, u"NAME"), attribute(line, u"VALUE")};
}

QStringList BuildApplet(const AppletFields &f)
{
    QString tag = QStringLiteral("<APPLET");
    if (!f.codeBase.isEmpty())
        tag += QStringLiteral(" CODEBASE=") + quoted(f.codeBase);
    tag += QStringLiteral(" CODE=") + quoted(f.code);
    if (!f.alt.isEmpty())
        tag += QStringLiteral(" ALT=") + quoted(f.alt);
    const QString name = MakeIdentifier(f.name);
    if (!name.isEmpty())
        tag += QStringLiteral(" NAME=") + quoted(name);
    tag += QStringLiteral(" ALIGN=") + AppletAlignWords().value(qBound(0, f.align, 8));
    if (!f.width.isEmpty())
        tag += QStringLiteral(" WIDTH=") + BareValue(f.width);
    if (!f.height.isEmpty())
        tag += QStringLiteral(" HEIGHT=") + BareValue(f.height);
    if (!f.hspace.isEmpty())
        tag += QStringLiteral(" HSPACE=") + BareValue(f.hspace);
    if (!f.vspace.isEmpty())
        tag += QStringLiteral(" VSPACE=") + BareValue(f.vspace);
    QStringList pieces = {tag + u'>', QStringLiteral("\r\n")};
    for (const QString &parameter : f.parameters)
        pieces << QStringLiteral("  ") + parameter + QStringLiteral("\r\n");
    pieces << QStringLiteral("</APPLET>") << QStringLiteral("\r\n");
    return pieces;
}

AppletFields ReadApplet(const QString &element)
{
    AppletFields f;
    const StartTag tag = FindStartTag(element, u"APPLET");
    const auto value = [&](const char16_t *name) { return tag.value(QStringView(name)).value_or(QString()); };
    f.codeBase = value(u"CODEBASE");
    f.code = value(u"CODE");
    f.alt = value(u"ALT");
    f.name = value(u"NAME");
    f.width = value(u"WIDTH");
    f.height = value(u"HEIGHT");
    f.hspace = value(u"HSPACE");
    f.vspace = value(u"VSPACE");
    const qsizetype index = AppletAlignWords().indexOf(value(u"ALIGN").toLower());
    f.align = index < 0 ? 1 : int(index);
    if (!tag.closed)
        return f;
    for (const auto &[from, to] : parameterTags(QStringView(element).mid(tag.end)))
        f.parameters << element.mid(tag.end + from, to - from);
    return f;
}

QStringList AppletPiecesToWrite(const QString &original, const AppletFields &fields)
{
    const StartTag tag = FindStartTag(original, u"APPLET");
    if (!tag.isValid() || !tag.closed)
        return BuildApplet(fields);
    const AppletFields read = ReadApplet(original);
    QString out =
        MergeStartTag(original.left(tag.end), BuildApplet(read).constFirst(), BuildApplet(fields).constFirst());
    const QStringView content = QStringView(original).mid(tag.end);
    if (fields.parameters == read.parameters)
        return {out + content.toString()};
    // The new parameter lines take the place of the old ones; the fallback
    // content and anything else between them stays.
    const auto tags = parameterTags(content);
    const qsizetype from = tags.isEmpty() ? 0 : tags.first().first;
    const qsizetype to = tags.isEmpty() ? 0 : tags.last().second;
    out += content.first(from);
    out += (tags.isEmpty() ? QStringLiteral("\r\n  ") : QString()) + fields.parameters.join(QStringLiteral("\r\n  "));
    for (qsizetype i = 0; i + 1 < tags.size(); ++i) {
        const QStringView between = content.mid(tags[i].second, tags[i + 1].first - tags[i].second).trimmed();
        if (!between.isEmpty())
            out += QStringLiteral("\r\n  ") + between.toString();
    }
    out += content.mid(to);
    return {out};
}

QString BuildEmbed(const EmbedFields &f)
{
    QString tag = QStringLiteral("<EMBED SRC=") + quoted(f.source);
    if (!f.border.isEmpty())
        tag += QStringLiteral(" BORDER=") + BareValue(f.border);
    if (!f.width.isEmpty())
        tag += QStringLiteral(" WIDTH=") + BareValue(f.width);
    if (!f.height.isEmpty())
        tag += QStringLiteral(" HEIGHT=") + BareValue(f.height);
    if (f.align == 1)
        tag += QStringLiteral(" ALIGN=\"middle\"");
    else if (f.align == 2)
        tag += QStringLiteral(" ALIGN=\"top\"");
    if (f.palette == 1)
        tag += QStringLiteral(" PALETTE=\"foreground\"");
    if (f.loop)
        tag += QStringLiteral(" LOOP=true");
    if (f.autoStart)
        tag += QStringLiteral(" AUTOSTART=true");
    if (f.hidden)
        tag += QStringLiteral(" HIDDEN=true");
    return tag + u'>';
}

QString BuildBackgroundSound(const QString &source, const QString &repeat)
{
    return QStringLiteral("<BGSOUND SRC=") + quoted(source) + QStringLiteral(" LOOP=") + BareValue(repeat) + u'>';
}

void InsertPieces(DocumentText &text, UndoHistory &undo, EditorState &state, const QStringList &pieces, int kind)
{
    for (qsizetype i = 0; i < pieces.size(); ++i)
        InsertTagPair(text, undo, state, pieces.at(i), QString(), i == 0, true, UndoKind(kind));
}
