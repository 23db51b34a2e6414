#include "core/table/tablecellfields.h"
#include "core/table/tablemodel.h"

#include <gtest/gtest.h>

namespace {

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
    EXPECT_EQ(f.kindIndex, 0);
    EXPECT_EQ(f.widthText, QStringLiteral("250"));
    EXPECT_EQ(f.borderColor, HtmlColor(0xFFFFFF));
    StoreCellFields(f, cell);
    EXPECT_EQ(cell.Kind, 1);
    EXPECT_EQ(cell.Width, 250);
    EXPECT_EQ(cell.Height, 40);
    EXPECT_EQ(cell.BgColor, QStringLiteral("#00FF80"));
    EXPECT_EQ(cell.BorderColor, QStringLiteral("#FFFFFF"));
    EXPECT_EQ(cell.Content.size(), 2);
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
        {"0", false, "", "0"},         {"9999", false, "9999", "100"},
        {"10000", false, "", "100"}, {"101", true, "", "100"},
        {"100", true, "100", "100"},   {"abc", false, "", "abc"},
        {"-5", false, "", "-5"},       {"", true, "", ""},
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
    EXPECT_EQ(f.bgColor, HtmlColor(0xFFFFFF));
    StoreRowFields(f, row);
    EXPECT_EQ(row.Align, 2);
    EXPECT_EQ(row.VAlign, 3);
    EXPECT_EQ(row.BgColor, QStringLiteral("#FFFFFF"));
    EXPECT_EQ(row.BorderColor, QStringLiteral("#123456"));
}

} // namespace
