#include "core/table/tablefields.h"

#include <gtest/gtest.h>

namespace {

struct SizeCase
{
    const char *text;
    bool percent;
    const char *corrected;
    const char *afterTicking;
};

TEST(TableFields, SizeFieldsFollowThePercentBox)
{
    const SizeCase cases[] = {
        {"50", true, "50", "50"},        {"0", true, "", ""},   {"250", false, "250", "100"},
        {"250", true, "", "100"},        {"abc", true, "", ""}, {"9999", false, "9999", "100"},
        {"12345", false, "1234", "100"}, {"-5", false, "", ""}, {"", true, "", ""},
    };
    for (const SizeCase &c : cases) {
        EXPECT_EQ(CorrectSizeText(QString::fromLatin1(c.text), c.percent), QString::fromLatin1(c.corrected))
            << c.text << " percent " << c.percent;
        EXPECT_EQ(SizeTextForPercent(QString::fromLatin1(c.text), true), QString::fromLatin1(c.afterTicking)) << c.text;
    }
}

struct SmallCase
{
    const char *text;
    const char *border, *padding, *spacing;
};

TEST(TableFields, BorderPaddingSpacingFallBackToTheirDefaults)
{
    const SmallCase cases[] = {
        {"5", "5", "5", "5"},       {"x", "0", "1", "2"},        {"-1", "0", "1", "2"},
        {"101", "0", "101", "101"}, {"1234", "0", "123", "123"}, {"", "0", "1", "2"},
    };
    for (const SmallCase &c : cases) {
        const QString text = QString::fromLatin1(c.text);
        EXPECT_EQ(CorrectBorderText(text), QString::fromLatin1(c.border)) << c.text;
        EXPECT_EQ(CorrectPaddingText(text), QString::fromLatin1(c.padding)) << c.text;
        EXPECT_EQ(CorrectSpacingText(text), QString::fromLatin1(c.spacing)) << c.text;
    }
}

} // namespace
