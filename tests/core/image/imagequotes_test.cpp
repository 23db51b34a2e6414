#include "core/image/imageelement.h"
#include "support/qstringprinter.h"

#include <gtest/gtest.h>

namespace {

// Double quotes in the alternative text or in an event call are written as
// &quot; so the tag stays whole, and read back as the quotes the author typed.
TEST(ImageQuotes, QuotesInTextsAndCallsKeepTheTagWhole)
{
    const struct
    {
        const char *alt;
        JsEvent event;
        const char *call;
        const char *tag;
    } cases[] = {
        {R"x(Le "plan")x", JsEvent::None, "", R"x(<IMG SRC="p.gif" BORDER=0 ALT="Le &quot;plan&quot;">)x"},
        {"", JsEvent::onLoad, R"x(montre("p"))x", R"x(<IMG SRC="p.gif" BORDER=0 onLoad="montre(&quot;p&quot;)">)x"},
        {"a", JsEvent::onError, R"x(f("x",'y'))x",
         R"x(<IMG SRC="p.gif" BORDER=0 ALT="a" onError="f(&quot;x&quot;,'y')">)x"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.tag);
        ImageProperties p;
        p.source = QStringLiteral("p.gif");
        p.alt = QString::fromUtf8(c.alt);
        if (c.event != JsEvent::None)
            p.events.setCall(c.event, QString::fromUtf8(c.call));
        const QString tag = BuildImageTag(p, false);
        EXPECT_EQ(tag, QString::fromUtf8(c.tag));
        const ImageProperties back = ReadImageElement(tag);
        EXPECT_EQ(back.alt, p.alt);
        if (c.event != JsEvent::None) {
            EXPECT_EQ(back.events.call(c.event), QString::fromUtf8(c.call));
        }
        EXPECT_EQ(BuildImageTag(back, false), tag);
    }
}

} // namespace
