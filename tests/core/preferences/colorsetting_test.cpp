#include "core/preferences/colorsetting.h"

#include <gtest/gtest.h>

TEST(ColorSetting, StoredStringsGiveTheirColour)
{
    const struct
    {
        const char *text;
        quint32 rgb;
    } cases[] = {
        {"$000000", 0x000000},
        {"$FF0000", 0xFF0000},
        {"$12AB9c", 0x12AB9C},    // lower-case digits read too
        {"$0000FFxyz", 0x0000FF}, // only the first 7 characters count
        {"#00FF00", 0x00FF00},
        // Everything that does not convert is black.
        {"", 0},
        {"$12345", 0},
        {"$GG0000", 0},
        {"$ 0000F", 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(colorSettingToRgb(QString::fromLatin1(c.text)), c.rgb) << c.text;
}

TEST(ColorSetting, ColoursAreStoredRedFirstInUpperCase)
{
    const struct
    {
        quint32 rgb;
        const char *text;
    } cases[] = {
        {0x000000, "$000000"}, {0xFF0000, "$FF0000"},   {0x0000FF, "$0000FF"},
        {0xFFFFE0, "$FFFFE0"}, {0xFF12AB9C, "$12AB9C"}, // an alpha byte is not stored
    };
    for (const auto &c : cases) {
        EXPECT_EQ(rgbToColorSetting(c.rgb), QString::fromLatin1(c.text));
        EXPECT_EQ(colorSettingToRgb(rgbToColorSetting(c.rgb)), c.rgb & 0xFFFFFF);
    }
}
