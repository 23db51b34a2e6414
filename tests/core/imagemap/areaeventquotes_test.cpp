#include "core/imagemap/mapmodel.h"
#include "support/qstringprinter.h"

#include <gtest/gtest.h>

namespace {

// A call holding double quotes must not end its attribute early: the line
// stays one whole AREA tag, and the events dialog gets the call back as typed.
TEST(AreaEventQuotes, CallsWithQuotesKeepTheLineWhole)
{
    const QString base = QStringLiteral(R"x(<AREA SHAPE="RECT" COORDS="0,0,60,60" NOHREF)x");
    const struct
    {
        const char *over;
        const char *out;
        const char *written; // after the base
    } cases[] = {
        {R"x(alert("x"))x", "", R"x(  onMouseOver="alert(&quot;x&quot;)">)x"},
        {"", R"x(f(1,"a",'b'))x", R"x(  onMouseOut="f(1,&quot;a&quot;,'b')">)x"},
        {"plain()", "", R"x(  onMouseOver="plain()">)x"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.written);
        const QString line = AreaLineWithEvents(base + u'>', QString::fromUtf8(c.over), QString::fromUtf8(c.out));
        EXPECT_EQ(line, base + QString::fromUtf8(c.written));
        const AreaEvents back = AreaLineEvents(line);
        EXPECT_EQ(back.over, QString::fromUtf8(c.over));
        EXPECT_EQ(back.out, QString::fromUtf8(c.out));
        // Editing again with the calls read back changes nothing.
        EXPECT_EQ(AreaLineWithEvents(line, back.over, back.out), line);
    }
}

} // namespace
