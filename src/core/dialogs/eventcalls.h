#pragma once

#include <QString>

#include <array>
#include <initializer_list>

// The thirteen JavaScript events an element can call a function on, with
// their index in the events dialog (0 means none chosen yet).
enum class JsEvent {
    None = 0,
    onClick,
    onChange,
    onMouseOver,
    onMouseOut,
    onSelect,
    onSubmit,
    onReset,
    onFocus,
    onBlur,
    onLoad,
    onUnload,
    onError,
    onAbort,
};

constexpr int JsEventCount = 13;
constexpr int MaxEventCallLength = 255;

// Attribute name of an event ("onMouseOver"); empty for None.
QString jsEventName(JsEvent event);
// Catalogue number of the event's caption in the events dialog.
int jsEventCaption(JsEvent event);

// A call as the events dialog stores it: blanks outside double quotes go,
// and a bare name gets "()" ("calcul( a, b )" gives "calcul(a,b)").
QString NormaliseEventCall(const QString &text);

// A new function's name: MakeIdentifier of the text, then "()" (empty text
// stays empty). "ma fonction" gives "mafonction()".
QString NormaliseFunctionName(const QString &text);

// The seven lines the script editor opens on for a function call.
QString ScriptSkeleton(const QString &call);

// The events dialog's state: one call text per event and the event being
// edited. The dialog shows the field; this model decides what it stores.
class EventCalls
{
public:
    QString call(JsEvent event) const;
    void setCall(JsEvent event, const QString &text);
    JsEvent current() const { return m_current; }

    // An event button was clicked with field holding the edited text: the
    // text is normalised and stored for the event being edited, the clicked
    // event becomes the current one, and its stored text is returned for the
    // field.
    QString choose(JsEvent event, const QString &field);

    // OK: in events mode the field is stored for the current event exactly
    // as choose() would (parameters kept); in name mode it becomes a plain
    // function name. Returns what the field holds afterwards.
    QString accept(const QString &field, bool eventsShown);

    // Typing in the field needs an event to hold the text, unless the dialog
    // only asks for a name.
    bool typingAllowed(bool eventsShown) const { return !eventsShown || m_current != JsEvent::None; }

    // The event attributes of an element, in the order given, one
    // " onX=\"call\"" per non-empty call.
    QString attributes(std::initializer_list<JsEvent> events) const;

private:
    void store(const QString &field);

    std::array<QString, JsEventCount> m_calls;
    JsEvent m_current = JsEvent::None;
};
