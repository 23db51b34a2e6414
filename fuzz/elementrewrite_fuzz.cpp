// Element dialogs re-editing random markup: the element is read, one field
// is changed (or none), and the element is written back through the shared
// tag reader. With no change the element comes back byte for byte; with a
// change, reading the written element gives the fields the author set, and
// the text around the start tag is kept.
#include "fuzzinput.h"

#include "core/attributes/starttag.h"
#include "core/body/bodytag.h"
#include "core/formatting/listmarkup.h"
#include "core/formatting/rulemarkup.h"
#include "core/image/imageelement.h"
#include "core/media/mediatags.h"

#include <cstddef>
#include <cstdint>

namespace {

// A field value without the characters that list item texts may not hold
// (tags, line breaks), for the kinds whose fields are content.
QString plain(QString text)
{
    for (QChar &c : text) {
        if (c == u'<' || c == u'>' || c == u'&' || c.isSpace() || c.unicode() < 32)
            c = u'x';
    }
    return text;
}

void image(const QString &element, bool formImage, int field, const QString &value)
{
    const StartTag tag = FindStartTag(element, formImage ? u"INPUT" : u"IMG");
    if (!tag.closed || FindStartTag(element, formImage ? u"IMG" : u"INPUT").isValid())
        return;
    const QString old = element.mid(tag.start, tag.end - tag.start);
    ImageProperties p = ReadImageElement(element);
    FUZZ_CHECK(ImageTagToWrite(element, p, formImage) == old);
    switch (field % 5) {
    case 0:
        p.alt = value;
        break;
    case 1:
        p.source = value;
        break;
    case 2:
        p.width = QString::number(value.size());
        break;
    case 3:
        p.align = ImageAlign(value.size() % 9);
        break;
    default:
        p.events.setCall(JsEvent::onLoad, value.left(255));
        break;
    }
    const QString written = ImageTagToWrite(element, p, formImage);
    FUZZ_CHECK(StartTagEnd(written, 0) == written.size());
    FUZZ_CHECK(BuildImageTag(ReadImageElement(written), formImage) == BuildImageTag(p, formImage));
}

void rule(const QString &element, int field, const QString &value)
{
    const StartTag tag = ReadStartTag(element);
    if (!tag.closed || tag.name.compare(u"HR", Qt::CaseInsensitive) != 0)
        return;
    const QString old = element.left(tag.end);
    RuleFields f = readRuleTag(old);
    FUZZ_CHECK(ruleTagToWrite(old, f) == old);
    switch (field % 3) {
    case 0:
        f.size = QString::number(value.size() % 12);
        break;
    case 1:
        f.align = RuleAlign(value.size() % 3);
        break;
    default:
        f.shade = !f.shade;
        break;
    }
    const QString written = ruleTagToWrite(old, f);
    FUZZ_CHECK(ruleTag(readRuleTag(written)) == ruleTag(f));
}

// Whether text is one list whose every list start tag has its end tag: new
// items of a list whose nested list is left open go into that list, as a
// browser reads it, and with two lists side by side they go into the last.
bool balancedLists(const QString &text)
{
    int starts = 0, ends = 0;
    bool outerClosed = false;
    for (qsizetype i = text.indexOf(u'<'); i >= 0; i = text.indexOf(u'<', i + 1)) {
        const bool end = i + 1 < text.size() && text.at(i + 1) == u'/';
        for (const QStringView name : {u"ol", u"ul", u"dl", u"menu", u"dir"}) {
            const qsizetype after = i + (end ? 2 : 1) + name.size();
            if (QStringView(text).mid(i + (end ? 2 : 1), name.size()).compare(name, Qt::CaseInsensitive) != 0
                || after >= text.size())
                continue;
            if (end && text.at(after) == u'>') {
                outerClosed = outerClosed || ++ends == starts;
            } else if (!end && (text.at(after) == u'>' || text.at(after) == u'/' || text.at(after).isSpace())) {
                if (outerClosed)
                    return false;
                ++starts;
            }
        }
    }
    if (starts != ends)
        return false;
    // A "<" inside a tag ("<LI VALUE=1</OL>"), or a tag left open, hides the
    // end tag in it.
    for (qsizetype i = text.indexOf(u'<'); i >= 0; i = text.indexOf(u'<', i + 1)) {
        const qsizetype end = StartTagEnd(text, i);
        if (end < 0 || QStringView(text).mid(i + 1, end - i - 1).contains(u'<'))
            return false;
    }
    return true;
}

void list(const QString &element, ListKind kind, int field, const QString &value)
{
    const StartTag tag = ReadStartTag(element);
    if (!tag.closed || tag.name.compare(listStartMarker(kind).mid(1), Qt::CaseInsensitive) != 0)
        return;
    ListFields f = readList(kind, element);
    FUZZ_CHECK(listPiecesToWrite(element, f).join(QString()) == element);
    const QString text = plain(value);
    switch (field % 3) {
    case 0:
        f.items.first().text = text;
        break;
    case 1:
        f.items.append(ListItem{text, text});
        break;
    default:
        f.compact = !f.compact;
        break;
    }
    const QString written = listPiecesToWrite(element, f).join(QString());
    if (balancedLists(element))
        FUZZ_CHECK(listPieces(readList(kind, written)) == listPieces(f));
}

void applet(const QString &element, int field, const QString &value)
{
    const StartTag tag = ReadStartTag(element);
    if (!tag.closed || tag.name.compare(u"APPLET", Qt::CaseInsensitive) != 0)
        return;
    AppletFields f = ReadApplet(element);
    FUZZ_CHECK(AppletPiecesToWrite(element, f).join(QString()) == element);
    if (field % 2)
        f.code = value;
    else
        f.parameters << AppletParameter(value, value);
    const QString written = AppletPiecesToWrite(element, f).join(QString());
    FUZZ_CHECK(BuildApplet(ReadApplet(written)).constFirst() == BuildApplet(f).constFirst());
}

void body(const QString &element, int field, const QString &value)
{
    const StartTag tag = ReadStartTag(element);
    if (!tag.closed || tag.name.compare(u"BODY", Qt::CaseInsensitive) != 0)
        return;
    const QString old = element.left(tag.end);
    BodyProperties b = ReadBodyTag(old);
    FUZZ_CHECK(BodyTagToWrite(old, b) == old);
    if (field % 2)
        b.linkColour = HtmlColor(value.size() * 0x10305);
    else
        b.onLoad = value.left(255);
    const QString written = BodyTagToWrite(old, b);
    FUZZ_CHECK(BuildBodyTag(ReadBodyTag(written)) == BuildBodyTag(b));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput in(data, size);
    const int kind = in.number(10);
    const int field = in.number(16);
    const QString value = in.text();
    const QString element = in.text();
    switch (kind) {
    case 0:
    case 1:
        image(element, kind == 1, field, value);
        break;
    case 2:
        rule(element, field, value);
        break;
    case 8:
        applet(element, field, value);
        break;
    case 9:
        body(element, field, value);
        break;
    default:
        list(element, ListKind(kind - 2), field, value);
        break;
    }
    return 0;
}
