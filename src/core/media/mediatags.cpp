#include "core/media/mediatags.h"

#include "core/markup/identifiers.h"
#include "core/markup/insertion.h"

namespace {

QString quoted(const QString &value)
{
    return u'"' + value + u'"';
}

// The attribute value rule of element readers: after name (found without
// regard to case), a value in double quotes runs to the closing quote, blanks
// included; a bare one ends at a blank or ">".
QString attribute(const QString &tag, const QString &name)
{
    qsizetype at = 0;
    // A name must not be the tail of a longer one ("CODE=" in "CODEBASE=").
    while ((at = tag.indexOf(name, at, Qt::CaseInsensitive)) >= 0) {
        if (at == 0 || !tag.at(at - 1).isLetter())
            break;
        at += name.size();
    }
    if (at < 0)
        return QString();
    qsizetype start = at + name.size();
    if (start < tag.size() && tag.at(start) == u'"') {
        ++start;
        const qsizetype end = tag.indexOf(u'"', start);
        return tag.mid(start, (end < 0 ? tag.size() : end) - start);
    }
    qsizetype end = start;
    while (end < tag.size() && tag.at(end) != u'>' && tag.at(end) != u' ')
        ++end;
    return tag.mid(start, end - start).trimmed();
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
    return QStringLiteral("<PARAM NAME=\"") + name + QStringLiteral("\" VALUE=\"") + value + QStringLiteral("\">");
}

QPair<QString, QString> ReadAppletParameter(const QString &line)
{
    return {attribute(line, QStringLiteral("NAME=")), attribute(line, QStringLiteral("VALUE="))};
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
        tag += QStringLiteral(" WIDTH=") + f.width;
    if (!f.height.isEmpty())
        tag += QStringLiteral(" HEIGHT=") + f.height;
    if (!f.hspace.isEmpty())
        tag += QStringLiteral(" HSPACE=") + f.hspace;
    if (!f.vspace.isEmpty())
        tag += QStringLiteral(" VSPACE=") + f.vspace;
    QStringList pieces = {tag + u'>', QStringLiteral("\r\n")};
    for (const QString &parameter : f.parameters)
        pieces << QStringLiteral("  ") + parameter + QStringLiteral("\r\n");
    pieces << QStringLiteral("</APPLET>") << QStringLiteral("\r\n");
    return pieces;
}

AppletFields ReadApplet(const QString &element)
{
    AppletFields f;
    const qsizetype close = element.indexOf(u'>');
    const QString tag = close < 0 ? element : element.left(close + 1);
    f.codeBase = attribute(tag, QStringLiteral("CODEBASE="));
    f.code = attribute(tag, QStringLiteral("CODE="));
    f.alt = attribute(tag, QStringLiteral("ALT="));
    f.name = attribute(tag, QStringLiteral("NAME="));
    f.width = attribute(tag, QStringLiteral("WIDTH="));
    f.height = attribute(tag, QStringLiteral("HEIGHT="));
    f.hspace = attribute(tag, QStringLiteral("HSPACE="));
    f.vspace = attribute(tag, QStringLiteral("VSPACE="));
    const QString align = attribute(tag, QStringLiteral("ALIGN="));
    const qsizetype index = AppletAlignWords().indexOf(align.toLower());
    f.align = index < 0 ? 1 : int(index);
    if (close < 0)
        return f;
    qsizetype at = close;
    while ((at = element.indexOf(QStringLiteral("<PARAM"), at, Qt::CaseInsensitive)) >= 0) {
        const qsizetype end = element.indexOf(u'>', at);
        if (end < 0)
            break;
        f.parameters << element.mid(at, end - at + 1);
        at = end;
    }
    return f;
}

QString BuildEmbed(const EmbedFields &f)
{
    QString tag = QStringLiteral("<EMBED SRC=") + quoted(f.source);
    if (!f.border.isEmpty())
        tag += QStringLiteral(" BORDER=") + f.border;
    if (!f.width.isEmpty())
        tag += QStringLiteral(" WIDTH=") + f.width;
    if (!f.height.isEmpty())
        tag += QStringLiteral(" HEIGHT=") + f.height;
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
    return QStringLiteral("<BGSOUND SRC=") + quoted(source) + QStringLiteral(" LOOP=") + repeat + u'>';
}

void InsertPieces(DocumentText &text, UndoHistory &undo, EditorState &state, const QStringList &pieces, int kind)
{
    for (qsizetype i = 0; i < pieces.size(); ++i)
        InsertTagPair(text, undo, state, pieces.at(i), QString(), i == 0, true, UndoKind(kind));
}
