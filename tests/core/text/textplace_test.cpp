#include "core/text/memorytext.h"
#include "core/text/textplace.h"

#include <gtest/gtest.h>

// A position in a rewritten text goes to the nearest place: unchanged around
// the edit, on the same line and near the same column inside it.
TEST(TextPlace, PositionsMapToTheNearestPlaceInTheNewText)
{
    struct Case
    {
        const char *before;
        const char *after;
        int position;
        int expected;
    };
    const Case cases[] = {
        {"abc def", "abc def", 4, 4},
        {"abc def", "abc XYZ def", 2, 2},                                    // before the change
        {"abc def", "abc XYZ def", 5, 9},                                    // after it
        {"\xC3\xA9t\xC3\xA9 x", "&eacute;t&eacute; x", 4, 18},               // behind two conversions
        {"a\r\n\xC3\xA9\xC3\xA9\r\nb", "a\r\n&eacute;&eacute;\r\nb", 4, 11}, // same line, proportional inside it
        {"\xC3\xA9\r\nabc \xC3\xA9\r\n\xC3\xA9", "&eacute;\r\nabc &eacute;\r\n&eacute;", 7,
         14},                                // same line, same column
        {"aaaa\r\nbbbb", "aaaa bbbb", 7, 6}, // line break removed
        {"abcdefgh", "", 5, 0},
        {"", "abc", 0, 0},
        {"abc", "abc", 99, 3}, // out of range: clamped
    };
    for (const Case &c : cases) {
        const QString before = QString::fromUtf8(c.before);
        const QString after = QString::fromUtf8(c.after);
        EXPECT_EQ(mapPosition(before, after, c.position), c.expected) << c.before << " -> " << c.after;
    }
}

// The text contract keeps the selection over a rewrite.
TEST(TextPlace, SelectionFollowsTheRewrite)
{
    MemoryText text(QStringLiteral("un \u00E9t\u00E9\r\nchaud"));
    text.select(8, 5); // "chaud"
    text.setTextKeepingPlace(QStringLiteral("un &eacute;t&eacute;\nchaud"));
    EXPECT_EQ(text.selectedText(), QStringLiteral("chaud"));
    EXPECT_TRUE(text.isModified());
}
