#include "core/table/tablecellfields.h"
#include "core/table/tablefields.h"
#include "core/table/tablemodel.h"

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
        {"50", true, "50", "50"},        {"0", true, "", ""},   {"250", false, "250", "100"}, {"250", true, "", "100"},
        {"12345", false, "1234", "100"}, {"-5", false, "", ""},
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
        {"5", "5", "5", "5"},
        {"x", "0", "1", "2"},
        {"101", "0", "101", "101"},
        {"1234", "0", "123", "123"},
        // What the number conversion skips is not written (the fuzzer's NULs).
        {" 7", "7", "7", "7"},
    };
    for (const SmallCase &c : cases) {
        const QString text = QString::fromLatin1(c.text);
        EXPECT_EQ(CorrectBorderText(text), QString::fromLatin1(c.border)) << c.text;
        EXPECT_EQ(CorrectPaddingText(text), QString::fromLatin1(c.padding)) << c.text;
        EXPECT_EQ(CorrectSpacingText(text), QString::fromLatin1(c.spacing)) << c.text;
    }
}

TEST(TableCellFields, RoundTripAndEmptySizeRemovesIt)
{
    TableCell cell;
    cell.Kind = 1;
    cell.Width = 250;
    cell.Height = 40;
    cell.HeightPercent = true;
    cell.BgColor = QStringLiteral("#00FF80");
    cell.Content = QStringList{QStringLiteral("a\tb"), QString()};
    CellFields f = LoadCellFields(cell);
    StoreCellFields(f, cell);
    EXPECT_EQ(cell.Kind, 1);
    EXPECT_EQ(cell.Width, 250);
    EXPECT_EQ(cell.Height, 40);
    EXPECT_EQ(cell.BorderColor, QStringLiteral("#FFFFFF"));
    EXPECT_EQ(cell.Content, (QStringList{QStringLiteral("a\tb"), QString()}));
    f.widthText.clear();
    f.kindIndex = 1;
    StoreCellFields(f, cell);
    EXPECT_EQ(cell.Width, 0);
    EXPECT_EQ(cell.Kind, 2);
}

TEST(TableCellFields, SizeValidation)
{
    struct Case
    {
        const char *text;
        bool percent;
        const char *valid;
        const char *afterPercentBox;
    };
    const Case cases[] = {
        {"0", false, "", "0"},    {"9999", false, "9999", "100"}, {"10000", false, "", "100"},
        {"101", true, "", "100"}, {"abc", false, "", "abc"},
    };
    for (const Case &k : cases) {
        EXPECT_EQ(ValidCellSize(QString::fromLatin1(k.text), k.percent), QString::fromLatin1(k.valid)) << k.text;
        EXPECT_EQ(CellSizeForPercent(QString::fromLatin1(k.text), true), QString::fromLatin1(k.afterPercentBox))
            << k.text;
    }
    EXPECT_EQ(AlignmentForKind(0), 2);
    EXPECT_EQ(AlignmentForKind(1), 0);
}

TEST(TableCellFields, RowFieldsRoundTrip)
{
    TableRowAttrs row;
    row.Align = 2;
    row.VAlign = 3;
    row.BorderColor = QStringLiteral("#123456");
    RowFields f = LoadRowFields(row);
    StoreRowFields(f, row);
    EXPECT_EQ(row.VAlign, 3);
    EXPECT_EQ(row.BgColor, QStringLiteral("#FFFFFF"));
    EXPECT_EQ(row.BorderColor, QStringLiteral("#123456"));
}

} // namespace
