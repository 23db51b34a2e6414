#include "core/attributes/attributereaders.h"

#include <gtest/gtest.h>

namespace {

struct TextCase
{
    const char *name;
    const char *text;
    bool keepBlanks;
    const char *expected;
};

TEST(AttributeReaders, AttrTextTakesTheValueAfterTheName)
{
    const TextCase cases[] = {
        {"BGCOLOR=", " bgcolor=\"#FF0000\" WIDTH=3", false, "#FF0000"},
        {"BGCOLOR=", " BGCOLOR=#00ff00>", false, "#00ff00"},
        {"BORDER=", " WIDTH=3", false, ""},
        {"BACKGROUND=", " BACKGROUND=\"mes images/fond.gif\" BORDER=1", true, "mes images/fond.gif"},
        {"BACKGROUND=", " BACKGROUND=\"mes images/fond.gif\"", false, "mes"},
        {"BACKGROUND=", " BACKGROUND=a b>c", true, "a b"},
        {"BORDER=", " BORDER=", false, ""},
        {" ALIGN=", " VALIGN=top ALIGN=Right", false, "Right"},
    };
    for (const TextCase &c : cases) {
        EXPECT_EQ(AttrText(QString::fromUtf8(c.name), QString::fromUtf8(c.text), c.keepBlanks),
                  QString::fromUtf8(c.expected))
            << c.name << " in " << c.text;
    }
}

struct NumberCase
{
    const char *text;
    int number;
    bool percent;
};

TEST(AttributeReaders, NumbersAndPercentages)
{
    const NumberCase cases[] = {
        {" WIDTH=120%", 120, true},
        {" WIDTH=abc", 0, false},
        {" HEIGHT=5", -1, true},
        {" width=\"80%\"", 80, true},
        {" WIDTH=80 BORDER=1%", 80, false},
        {" WIDTH=-5", 0, false},
        {" WIDTH=99999999999", 999999999, false},
        {" WIDTH=", 0, false},
    };
    for (const NumberCase &c : cases) {
        const QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(AttrNumber(QStringLiteral("WIDTH="), text), c.number) << c.text;
        EXPECT_EQ(AttrIsPercent(QStringLiteral("WIDTH="), text), c.percent) << c.text;
    }
}

struct KeywordCase
{
    const char *text;
    int vAlign;
    int cellAlign;
    int rowAlign;
};

TEST(AttributeReaders, KeywordsReadFromTheirWindow)
{
    const KeywordCase cases[] = {
        {"", 0, -1, 0},
        {" VALIGN=bottom ALIGN=right", 2, 3, 2},
        {" VALIGN=\"top\" ALIGN=\"left\"", 1, 1, 0},
        {" VALIGN=baseline ALIGN=center", 3, 2, 1},
        {" VALIGN=middle ALIGN=justify", 0, -1, 0},
        // Only the window right after the name counts.
        {" ALIGN=         right", 0, -1, 0},
    };
    for (const KeywordCase &c : cases) {
        const QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(VAlignKeyword(QStringLiteral("VALIGN="), text), c.vAlign) << c.text;
        EXPECT_EQ(CellAlignKeyword(QStringLiteral(" ALIGN="), text), c.cellAlign) << c.text;
        EXPECT_EQ(RowAlignKeyword(QStringLiteral(" ALIGN="), text), c.rowAlign) << c.text;
    }
}

} // namespace
