#include "core/dialogs/eventcalls.h"

#include "support/qstringprinter.h"

#include <gtest/gtest.h>

namespace {

TEST(EventCalls, CallsAreNormalisedWhenStored)
{
    const struct
    {
        QString typed;
        QString stored;
    } cases[] = {
        {"calcul", "calcul()"},
        {"calcul( a, \"x y\" )", "calcul(a,\"x y\")"},
        {"  calcul(a, b)", "calcul(a,b)"},
        {"f(", "f("}, // a parenthesis already there: nothing added
        {"", ""},
        {"   ", ""},
        {QString(300, u'x'), QString(MaxEventCallLength, u'x')},
    };
    for (const auto &c : cases) {
        EventCalls calls;
        calls.choose(JsEvent::onClick, QString());
        calls.choose(JsEvent::onChange, c.typed);
        EXPECT_EQ(calls.call(JsEvent::onClick), c.stored) << qPrintable(c.typed);
    }
}

TEST(EventCalls, SwitchingEventsShowsEachOnesCall)
{
    EventCalls calls;
    EXPECT_TRUE(calls.typingAllowed(false));
    EXPECT_FALSE(calls.typingAllowed(true)); // no event yet
    EXPECT_EQ(calls.choose(JsEvent::onClick, QStringLiteral("ignored")), QString());
    EXPECT_EQ(calls.call(JsEvent::onMouseOver), QString()); // nothing stored without an event
    EXPECT_TRUE(calls.typingAllowed(true));
    EXPECT_EQ(calls.choose(JsEvent::onChange, QStringLiteral("calcul")), QString());
    EXPECT_EQ(calls.choose(JsEvent::onClick, QStringLiteral("autre")), QStringLiteral("calcul()"));
    EXPECT_EQ(calls.call(JsEvent::onChange), QStringLiteral("autre()"));
}

// OK keeps the parameters of a call (as switching events does) and makes a
// plain name only when the dialog asks for a new function's name.
TEST(EventCalls, OkKeepsParametersInEventsModeOnly)
{
    const struct
    {
        bool eventsShown;
        QString typed;
        QString field;
    } cases[] = {
        {true, "calcul(a, b)", "calcul(a,b)"},
        {true, "calcul", "calcul()"},
        {false, "calcul(a, b)", "calculab()"},
        {false, "ma fonction-été", "mafonctionete()"},
        {false, "", ""},
    };
    for (const auto &c : cases) {
        EventCalls calls;
        if (c.eventsShown)
            calls.choose(JsEvent::onClick, QString());
        EXPECT_EQ(calls.accept(c.typed, c.eventsShown), c.field) << qPrintable(c.typed);
        EXPECT_EQ(calls.call(JsEvent::onClick), c.eventsShown ? c.field : QString());
    }
}

TEST(EventCalls, AttributesFollowTheCallersOrderAndSkipEmptyCalls)
{
    EventCalls calls;
    calls.setCall(JsEvent::onClick, QStringLiteral("go()"));
    calls.setCall(JsEvent::onMouseOver, QStringLiteral("on(1)"));
    EXPECT_EQ(calls.attributes({JsEvent::onMouseOver, JsEvent::onMouseOut, JsEvent::onClick}),
              QStringLiteral(" onMouseOver=\"on(1)\" onClick=\"go()\""));
    EXPECT_EQ(calls.attributes({JsEvent::onMouseOut}), QString());
    calls.setCall(JsEvent::onClick, QStringLiteral("dire(\"a b\")"));
    EXPECT_EQ(calls.attributes({JsEvent::onClick}), QStringLiteral(" onClick=\"dire(&quot;a b&quot;)\""));
}

TEST(EventCalls, ScriptSkeletonHasSevenLines)
{
    const QString script = ScriptSkeleton(QStringLiteral("calcul()"));
    EXPECT_EQ(script, QStringLiteral("<SCRIPT LANGUAGE=\"JavaScript\">\r\n<!-- debut du script\r\n"
                                     "function calcul() {\r\n\r\n}\r\n//  Fin du script -->\r\n</SCRIPT>"));
    EXPECT_EQ(script.split(QStringLiteral("\r\n")).size(), 7);
}

} // namespace
