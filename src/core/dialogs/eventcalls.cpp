#include "core/dialogs/eventcalls.h"
#include "core/attributes/starttag.h"

#include "core/markup/identifiers.h"

namespace {

struct EventInfo
{
    const char *name;
    int caption;
};

constexpr EventInfo Events[JsEventCount] = {
    {"onClick", 725},  {"onChange", 726}, {"onMouseOver", 727}, {"onMouseOut", 795}, {"onSelect", 728},
    {"onSubmit", 729}, {"onReset", 796},  {"onFocus", 730},     {"onBlur", 731},     {"onLoad", 732},
    {"onUnload", 733}, {"onError", 734},  {"onAbort", 735},
};

int slot(JsEvent event)
{
    const int index = int(event);
    return index >= 1 && index <= JsEventCount ? index - 1 : -1;
}

QString withParentheses(const QString &text)
{
    if (!text.isEmpty() && !text.contains(u'(') && !text.contains(u')'))
        return text + QStringLiteral("()");
    return text;
}

} // namespace

QString jsEventName(JsEvent event)
{
    const int i = slot(event);
    return i < 0 ? QString() : QString::fromLatin1(Events[i].name);
}

int jsEventCaption(JsEvent event)
{
    const int i = slot(event);
    return i < 0 ? 0 : Events[i].caption;
}

QString NormaliseEventCall(const QString &text)
{
    return withParentheses(StripSpacesOutsideQuotes(text));
}

QString NormaliseFunctionName(const QString &text)
{
    return withParentheses(MakeIdentifier(text));
}

QString ScriptSkeleton(const QString &call)
{
    return QStringLiteral("<SCRIPT LANGUAGE=\"JavaScript\">\r\n<!-- debut du script\r\nfunction ") + call
           + QStringLiteral(" {\r\n\r\n}\r\n//  Fin du script -->\r\n</SCRIPT>");
}

QString EventCalls::call(JsEvent event) const
{
    const int i = slot(event);
    return i < 0 ? QString() : m_calls[i];
}

void EventCalls::setCall(JsEvent event, const QString &text)
{
    const int i = slot(event);
    if (i >= 0)
        m_calls[i] = text.left(MaxEventCallLength);
}

void EventCalls::store(const QString &field)
{
    setCall(m_current, NormaliseEventCall(field));
}

QString EventCalls::choose(JsEvent event, const QString &field)
{
    store(field);
    if (slot(event) < 0)
        return field;
    m_current = event;
    return call(event);
}

QString EventCalls::accept(const QString &field, bool eventsShown)
{
    if (!eventsShown)
        return NormaliseFunctionName(field);
    store(field);
    return NormaliseEventCall(field);
}

QString EventCalls::attributes(std::initializer_list<JsEvent> events) const
{
    QString result;
    for (JsEvent event : events) {
        const QString code = call(event);
        if (!code.isEmpty())
            result += u' ' + jsEventName(event) + u'=' + QuotedValue(code);
    }
    return result;
}
