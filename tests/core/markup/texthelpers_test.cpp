#include "core/markup/colors.h"
#include "core/markup/identifiers.h"
#include "core/markup/valuehistory.h"

#include <gtest/gtest.h>

namespace {

TEST(Colors, BothWays)
{
    const struct
    {
        HtmlColor color;
        QString html;
    } exact[] = {{0x0000FF, "#FF0000"}, {0x563412, "#123456"}, {0xEFCDAB, "#ABCDEF"}, {0, "#000000"}};
    for (const auto &c : exact) {
        EXPECT_EQ(ColorToHtml(c.color), c.html);
        EXPECT_EQ(HtmlToColor(c.html), c.color);
    }
    EXPECT_EQ(ColorToHtml(0xFF0A0B0C), "#0C0B0A") << "high byte ignored";

    const struct
    {
        QString html;
        HtmlColor color;
    } read[] = {
        {"x00ff00", 0x00FF00},  {"#1234", 0x3412}, {"#", 0},       {"", 0},
        {"#GG0000", 0},         {"#12 456", 0},    {"#12340x", 0}, {"#+12345", 0},
        {"#1234567", 0x563412},
    };
    for (const auto &c : read)
        EXPECT_EQ(HtmlToColor(c.html), c.color) << c.html.toStdString();
}

TEST(MakeIdentifier, FoldsAccentsKeepsLettersDigitsAndUnderscore)
{
    const struct
    {
        QString text, expected;
    } cases[] = {
        {"", ""},
        {"Mon fichier-1.htm", "Monfichier1htm"},
        {"nom_cible", "nom_cible"},
        {"\u00e9t\u00e9 2024!", "ete2024"},
        {"\u0153uvre \u0160", "\u0153uvre\u0160"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(MakeIdentifier(c.text), c.expected) << c.text.toStdString();

    // The whole accented range, 0xC0 to 0xFF.
    QString range;
    for (char16_t c = 0xC0; c <= 0xFF; ++c)
        range += QChar(c);
    EXPECT_EQ(MakeIdentifier(range), "AAAAAAACEEEEIIIIDNOOOOOOUUUUYDbaaaaaaaceeeeiiiienoooooouuuuyby");
}

TEST(StripSpacesOutsideQuotes, KeepsQuotedBlanksAndQuotes)
{
    EXPECT_EQ(StripSpacesOutsideQuotes("<HR SIZE = 2 >"), "<HRSIZE=2>");
    EXPECT_EQ(StripSpacesOutsideQuotes("<IMG ALT=\"un chat\" SRC=a>"), "<IMGALT=\"un chat\"SRC=a>");
    EXPECT_EQ(StripSpacesOutsideQuotes("a \"b c\" d \"e f\tg"), "a\"b c\"d\"e f\tg");
}

TEST(AddToComboHistory, MostRecentFirstAtMostEightDistinct)
{
    const QStringList eight{"1", "2", "3", "4", "5", "6", "7", "8"};
    const struct
    {
        QStringList before;
        QString value;
        QStringList after;
    } cases[] = {
        {{"a"}, "", {"a"}},
        {{"a", "b", "c"}, "b", {"b", "a", "c"}},
        {{"a"}, "A", {"A", "a"}},
        {eight, "9", {"9", "1", "2", "3", "4", "5", "6", "7"}},
        {eight, "5", {"5", "1", "2", "3", "4", "6", "7", "8"}},
        {eight + QStringList{"x"}, "z", {"z", "1", "2", "3", "4", "5", "6", "7"}},
    };
    for (const auto &c : cases) {
        QStringList history = c.before;
        AddToComboHistory(history, c.value);
        EXPECT_EQ(history, c.after);
    }
}

} // namespace
