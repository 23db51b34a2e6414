#include "core/attributes/attributereaders.h"

#include <gtest/gtest.h>

namespace {

TEST(AttributeReaders, AttrTextTakesTheValueAfterTheName)
{
    const struct
    {
        const char *name;
        const char *text;
        bool keepBlanks;
        const char *expected;
    } cases[] = {
        {"BGCOLOR=", " bgcolor=\"#FF0000\" WIDTH=3", false, "#FF0000"},
        {"BORDER=", " WIDTH=3", false, ""},
        {"BACKGROUND=", " BACKGROUND=\"mes images/fond.gif\" BORDER=1", true, "mes images/fond.gif"},
        {"BACKGROUND=", " BACKGROUND=\"mes images/fond.gif\"", false, "mes images/fond.gif"},
        {"BORDER=", " border='1' title=\"BORDER=5\"", false, "1"},
        {"BORDER=", " title=\"BORDER=5\" border = 2", false, "2"},
        {"ALT=", " ALT=\"a > b &amp; c\" WIDTH=3", false, "a > b & c"},
        {"NAME=", " MAPNAME=x NAME=m2", false, "m2"},
        {"BACKGROUND=", " BACKGROUND=a b>c", true, "a b"},
        {" ALIGN=", " VALIGN=top ALIGN=Right", false, "Right"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(AttrText(QString::fromUtf8(c.name), QString::fromUtf8(c.text), c.keepBlanks),
                  QString::fromUtf8(c.expected))
            << c.name << " in " << c.text;
    }
}

TEST(AttributeReaders, NumbersAndPercentages)
{
    const struct
    {
        const char *text;
        int number;
        bool percent;
    } cases[] = {
        {" WIDTH=120%", 120, true},         {" HEIGHT=5", -1, true}, {" width=\"80%\"", 80, true},
        {" WIDTH=80 BORDER=1%", 80, false}, {" WIDTH=-5", 0, false}, {" WIDTH=99999999999", 999999999, false},
    };
    for (const auto &c : cases) {
        const QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(AttrNumber(QStringLiteral("WIDTH="), text), c.number) << c.text;
        EXPECT_EQ(AttrIsPercent(QStringLiteral("WIDTH="), text), c.percent) << c.text;
    }
}

TEST(AttributeReaders, KeywordsReadFromTheirWindow)
{
    const struct
    {
        const char *text;
        int vAlign;
        int cellAlign;
        int rowAlign;
    } cases[] = {
        {"", 0, -1, 0},
        {" VALIGN=bottom ALIGN=right", 2, 3, 2},
        {" VALIGN=baseline ALIGN=center", 3, 2, 1},
        {" VALIGN=middle ALIGN=justify", 0, -1, 0},
        // Blanks around "=" are skipped, as a browser does; the window starts at the value.
        {" ALIGN =  right", 0, 3, 2},
        {" ALIGN=\"x        right\"", 0, -1, 0},
    };
    for (const auto &c : cases) {
        const QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(VAlignKeyword(QStringLiteral("VALIGN="), text), c.vAlign) << c.text;
        EXPECT_EQ(CellAlignKeyword(QStringLiteral(" ALIGN="), text), c.cellAlign) << c.text;
        EXPECT_EQ(RowAlignKeyword(QStringLiteral(" ALIGN="), text), c.rowAlign) << c.text;
    }
}

} // namespace
