#include "core/body/bodytag.h"

#include "core/markup/editorstate.h"
#include "core/markup/elementselection.h"
#include "core/markup/insertion.h"
#include "core/messages/messages.h"
#include "core/shell/prompts.h"

namespace {

constexpr HtmlColor White = 0xFFFFFF;
constexpr HtmlColor Silver = 0xC0C0C0;
constexpr HtmlColor Navy = 0x800000; // #000080
constexpr HtmlColor Blue = 0xFF0000; // #0000FF

// The value after name (found without regard to case): an opening double
// quote is skipped; the value ends before the first double quote, blank or
// ">". No attribute gives a null string; a value without an end is empty.
QString attributeValue(const QString &element, const QString &name)
{
    const qsizetype at = element.indexOf(name, 0, Qt::CaseInsensitive);
    if (at < 0)
        return QString();
    qsizetype start = at + name.size();
    if (start < element.size() && element.at(start) == u'"')
        ++start;
    for (qsizetype end = start; end < element.size(); ++end) {
        const QChar c = element.at(end);
        if (c == u'"' || c == u' ' || c == u'>')
            return element.mid(start, end - start);
    }
    return QStringLiteral("");
}

// An event call: after name and a double quote, up to the next double
// quote or ">".
QString eventCall(const QString &element, const QString &name)
{
    const qsizetype at = element.indexOf(name + u'"', 0, Qt::CaseInsensitive);
    if (at < 0)
        return QString();
    const qsizetype start = at + name.size() + 1;
    for (qsizetype end = start; end < element.size(); ++end)
        if (element.at(end) == u'"' || element.at(end) == u'>')
            return element.mid(start, end - start);
    return QString();
}

QString quoted(const char *name, const QString &value)
{
    return QLatin1String(name) + u'"' + value + u'"';
}

} // namespace

BodyProperties DefaultBodyProperties(BodyBrowser browser)
{
    BodyProperties body;
    body.backgroundColour = browser == BodyBrowser::Netscape ? White : Silver;
    body.linkColour = browser == BodyBrowser::Netscape ? Navy : Blue;
    return body;
}

BodyProperties ReadBodyTag(const QString &e)
{
    BodyProperties body;
    body.background = attributeValue(e, QStringLiteral("BACKGROUND="));
    const struct
    {
        const char *name;
        HtmlColor *colour;
    } colours[] = {
        {"BGCOLOR=", &body.backgroundColour}, {"TEXT=", &body.textColour},        {" LINK=", &body.linkColour},
        {"VLINK=", &body.visitedLinkColour},  {"ALINK=", &body.activeLinkColour},
    };
    for (const auto &c : colours) {
        const QString value = attributeValue(e, QLatin1String(c.name));
        if (!value.isNull())
            *c.colour = HtmlToColor(value);
    }
    const QString top = attributeValue(e, QStringLiteral("TOPMARGIN="));
    if (!top.isNull())
        body.topMargin = top;
    const QString left = attributeValue(e, QStringLiteral("LEFTMARGIN="));
    if (!left.isNull())
        body.leftMargin = left;
    body.fixedBackground = e.contains(QStringLiteral("BGPROPERTIES=FIXED"), Qt::CaseInsensitive);
    body.onLoad = eventCall(e, QStringLiteral("ONLOAD="));
    body.onUnload = eventCall(e, QStringLiteral("ONUNLOAD="));
    return body;
}

QString BuildBodyTag(const BodyProperties &body)
{
    QString tag = QStringLiteral("<BODY");
    if (!body.background.isEmpty())
        tag += quoted(" BACKGROUND=", body.background);
    tag += quoted(" BGCOLOR=", ColorToHtml(body.backgroundColour));
    tag += quoted(" TEXT=", ColorToHtml(body.textColour));
    tag += quoted(" LINK=", ColorToHtml(body.linkColour));
    tag += quoted(" VLINK=", ColorToHtml(body.visitedLinkColour));
    tag += quoted(" ALINK=", ColorToHtml(body.activeLinkColour));
    if (body.fixedBackground)
        tag += QLatin1String(" BGPROPERTIES=FIXED");
    if (!body.leftMargin.isEmpty() && body.leftMargin != QLatin1String("10"))
        tag += quoted(" LEFTMARGIN=", body.leftMargin);
    if (!body.topMargin.isEmpty() && body.topMargin != QLatin1String("20"))
        tag += quoted(" TOPMARGIN=", body.topMargin);
    if (!body.onLoad.isEmpty())
        tag += quoted(" onLoad=", body.onLoad);
    if (!body.onUnload.isEmpty())
        tag += quoted(" onUnload=", body.onUnload);
    return tag + u'>';
}

void SwitchBodyBrowser(BodyProperties &body, BodyBrowser to)
{
    const bool explorer = to == BodyBrowser::Explorer;
    if (body.backgroundColour == (explorer ? White : Silver))
        body.backgroundColour = explorer ? Silver : White;
    if (body.linkColour == (explorer ? Navy : Blue))
        body.linkColour = explorer ? Blue : Navy;
}

QString BodyElementToEdit(const DocumentText &text)
{
    if (DocumentContains(text, QStringLiteral("<BODY")) && !DocumentContains(text, QStringLiteral("<BODY>")))
        return ExtractElementText(text, QStringLiteral("<BODY"), QStringLiteral(">"));
    return QString();
}

bool WriteBodyTag(DocumentText &text, UndoHistory &undo, EditorState &state, Prompts &prompts, const QString &tag)
{
    UndoKind kind = ukInsert;
    if (DocumentContains(text, QStringLiteral("<BODY"))) {
        if (!prompts.askYesNo(msg(36)))
            return false;
        if (SelectElement(text, QStringLiteral("<BODY"), QStringLiteral(">"), true))
            kind = ukReplace;
        else
            prompts.error(msg(37));
    }
    InsertTagPair(text, undo, state, tag, QString(), true, true, kind);
    return true;
}
