#include "tags/colors.h"
#include "tags/identifiers.h"
#include "tags/valuehistory.h"

#include <gtest/gtest.h>

namespace {

TEST(Colors, ToHtmlRedFirstUpperCase)
{
    const struct
    {
        HtmlColor color;
        QString html;
    } cases[] = {
        {0x0000FF, "#FF0000"}, {0xFF0000, "#0000FF"}, {0x563412, "#123456"},
        {0x000000, "#000000"}, {0xABCDEF, "#EFCDAB"}, {0xFF0A0B0C, "#0C0B0A"}, // high byte ignored
    };
    for (const auto &c : cases)
        EXPECT_EQ(ColorToHtml(c.color), c.html) << std::hex << c.color;
}

TEST(Colors, FromHtml)
{
    const struct
    {
        QString html;
        HtmlColor color;
    } cases[] = {
        {"#123456", 0x563412},
        {"#FF0000", 0x0000FF},
        {"x00ff00", 0x00FF00}, // the first character may be anything
        {"#abcdef", 0xEFCDAB},
        {"#1234", 0x3412}, // short: read as far as it goes
        {"#12", 0x12},
        {"#", 0},
        {"", 0},
        {"#GG0000", 0}, // letters beyond F give black
        {"#12345Z", 0},
        {"#12 456", 0}, // no blanks
        {"#12340x", 0}, // no "0x" prefix once reordered
        {"#+12345", 0},
        {"#1234567", 0x563412}, // characters after the seventh ignored
    };
    for (const auto &c : cases)
        EXPECT_EQ(HtmlToColor(c.html), c.color) << c.html.toStdString();
}

TEST(Colors, RoundTrip)
{
    for (HtmlColor c : {0x000000u, 0xFFFFFFu, 0x123456u, 0x00FF00u, 0x808080u})
        EXPECT_EQ(HtmlToColor(ColorToHtml(c)), c);
}

TEST(MakeIdentifier, FoldsAccentsKeepsLettersDigitsAndUnderscore)
{
    const struct
    {
        QString text;
        QString expected;
    } cases[] = {
        {"", ""},
        {"Mon fichier-1.htm", "Monfichier1htm"},
        {"nom_cible", "nom_cible"},
        {"\u00c0\u00c1\u00c2\u00c3\u00c4\u00c5\u00c6\u00c7\u00c8\u00c9\u00ca\u00cb\u00cc\u00cd\u00ce\u00cf",
         "AAAAAAACEEEEIIII"},
        {"\u00d0\u00d1\u00d2\u00d3\u00d4\u00d5\u00d6\u00d7\u00d8\u00d9\u00da\u00db\u00dc\u00dd\u00de\u00df",
         "DNOOOOOOUUUUYDb"},
        {"\u00e0\u00e1\u00e2\u00e3\u00e4\u00e5\u00e6\u00e7\u00e8\u00e9\u00ea\u00eb\u00ec\u00ed\u00ee\u00ef",
         "aaaaaaaceeeeiiii"},
        {"\u00f0\u00f1\u00f2\u00f3\u00f4\u00f5\u00f6\u00f7\u00f8\u00f9\u00fa\u00fb\u00fc\u00fd\u00fe\u00ff",
         "enoooooouuuuyby"},
        {"\u00e9t\u00e9 2024!", "ete2024"},
        {"a\tb\"c'd<e>", "abcde"},
        {"\u0153uvre \u0160", "\u0153uvre\u0160"}, // other letters stay
    };
    for (const auto &c : cases)
        EXPECT_EQ(MakeIdentifier(c.text), c.expected) << c.text.toStdString();
}

TEST(StripSpacesOutsideQuotes, KeepsQuotedBlanksAndQuotes)
{
    const struct
    {
        QString text;
        QString expected;
    } cases[] = {
        {"", ""},
        {"<HR SIZE = 2 >", "<HRSIZE=2>"},
        {"<IMG ALT=\"un chat noir\" SRC=a>", "<IMGALT=\"un chat noir\"SRC=a>"},
        {"a \"b c\" d \"e f", "a\"b c\"d\"e f"}, // an unclosed quote keeps the rest
        {"tab\tstays", "tab\tstays"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(StripSpacesOutsideQuotes(c.text), c.expected) << c.text.toStdString();
}

TEST(AddToComboHistory, MostRecentFirstAtMostEightDistinct)
{
    const QStringList eight{"1", "2", "3", "4", "5", "6", "7", "8"};
    const struct
    {
        const char *name;
        QStringList before;
        QString value;
        QStringList after;
    } cases[] = {
        {"Empty value", {"a"}, "", {"a"}},
        {"First value", {}, "a", {"a"}},
        {"New value first", {"a", "b"}, "c", {"c", "a", "b"}},
        {"Known value moves up", {"a", "b", "c"}, "b", {"b", "a", "c"}},
        {"Exact comparison", {"a"}, "A", {"A", "a"}},
        {"Full list drops the oldest", eight, "9", {"9", "1", "2", "3", "4", "5", "6", "7"}},
        {"Full list with a known value", eight, "5", {"5", "1", "2", "3", "4", "6", "7", "8"}},
        {"Overlong list trimmed", eight + QStringList{"x", "y"}, "z", {"z", "1", "2", "3", "4", "5", "6", "7"}},
    };
    for (const auto &c : cases) {
        QStringList history = c.before;
        AddToComboHistory(history, c.value);
        EXPECT_EQ(history, c.after) << c.name;
    }
}

} // namespace
