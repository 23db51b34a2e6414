#include "core/body/bodytag.h"

#include "core/attributes/colournames.h"
#include "core/attributes/starttag.h"
#include "core/markup/editorstate.h"
#include "core/markup/elementselection.h"
#include "core/markup/insertion.h"
#include "core/messages/messages.h"
#include "core/shell/prompts.h"
#include "core/text/documenttext.h"

namespace {

constexpr HtmlColor White = 0xFFFFFF;
constexpr HtmlColor Silver = 0xC0C0C0;
constexpr HtmlColor Navy = 0x800000; // #000080
constexpr HtmlColor Blue = 0xFF0000; // #0000FF

QString quoted(const char *name, const QString &value)
{
    return QLatin1String(name) + QuotedValue(value);
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
    const StartTag tag = FindStartTag(e, u"BODY");
    BodyProperties body;
    body.background = tag.value(u"BACKGROUND").value_or(QString());
    const struct
    {
        const char *name;
        HtmlColor *colour;
    } colours[] = {
        {"BGCOLOR", &body.backgroundColour}, {"TEXT", &body.textColour},        {"LINK", &body.linkColour},
        {"VLINK", &body.visitedLinkColour},  {"ALINK", &body.activeLinkColour},
    };
    // Colour names ("white") and short forms read as the colour they name; a
    // value that names none reads as black, as it always has.
    for (const auto &c : colours) {
        if (const auto value = tag.value(QString::fromLatin1(c.name)))
            *c.colour = ReadHtmlColour(*value).value_or(HtmlToColor(*value));
    }
    if (const auto top = tag.value(u"TOPMARGIN"))
        body.topMargin = *top;
    if (const auto left = tag.value(u"LEFTMARGIN"))
        body.leftMargin = *left;
    body.fixedBackground = tag.value(u"BGPROPERTIES").value_or(QString()).compare(u"FIXED", Qt::CaseInsensitive) == 0;
    body.onLoad = tag.value(u"ONLOAD").value_or(QString());
    body.onUnload = tag.value(u"ONUNLOAD").value_or(QString());
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

QString BodyTagToWrite(const QString &original, const BodyProperties &body)
{
    if (original.isEmpty())
        return BuildBodyTag(body);
    return MergeStartTag(original, BuildBodyTag(ReadBodyTag(original)), BuildBodyTag(body));
}

QString BodyElementToEdit(const DocumentText &text)
{
    const QString all = text.text();
    const StartTag tag = FindStartTag(all, u"BODY");
    return tag.closed ? all.mid(tag.start, tag.end - tag.start) : QString();
}

bool WriteBodyTag(DocumentText &text, UndoHistory &undo, EditorState &state, Prompts &prompts,
                  const BodyProperties &body)
{
    UndoKind kind = ukInsert;
    QString original;
    if (DocumentContains(text, QStringLiteral("<BODY"))) {
        if (!prompts.askYesNo(msg(36)))
            return false;
        const QString all = text.text();
        const StartTag tag = FindStartTag(all, u"BODY");
        if (tag.closed) {
            original = all.mid(tag.start, tag.end - tag.start);
            text.select(int(tag.start), int(tag.end - tag.start));
            kind = ukReplace;
        } else {
            prompts.error(msg(37));
        }
    }
    InsertTagPair(text, undo, state, BodyTagToWrite(original, body), QString(), true, true, kind);
    return true;
}
