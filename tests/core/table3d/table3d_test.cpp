#include "core/table3d/table3d.h"

#include <gtest/gtest.h>

namespace {

QStringList lines(const Table3dSettings &s)
{
    QString text = Table3dText(s);
    EXPECT_TRUE(text.endsWith(QStringLiteral("</TABLE>\r\n")));
    text.chop(2);
    return text.split(QStringLiteral("\r\n"));
}

TEST(Table3d, TwoLineTextGivesTheExactLines)
{
    Table3dSettings s;
    s.lines = QStringList{QStringLiteral("Bonjour"), QStringLiteral("à tous")};
    s.face = QStringLiteral("Arial");
    s.size = QStringLiteral("9");
    const QStringList expected{
        "<TABLE CELLPADDING=0 CELLSPACING=0>",
        "<TR>",
        "  <TD COLSPAN=3 HEIGHT=12 BGCOLOR=\"#0000FF\"></TD>",
        "  <TD HEIGHT=12></TD>",
        "</TR>",
        "<TR>",
        "  <TD ROWSPAN=5 WIDTH=12 BGCOLOR=\"#0000FF\"></TD>",
        "  <TD ROWSPAN=4 HEIGHT=80 BGCOLOR=\"#0000FF\">",
        "<FONT SIZE=\"3\" FACE=\"Arial\" COLOR=\"#FFFFFF\">",
        "Bonjour<BR>",
        "à tous<BR>",
        "</FONT>",
        "  </TD>",
        "  <TD ROWSPAN=4 WIDTH=12 BGCOLOR=\"#0000FF\"></TD>",
        "  <TD ROWSPAN=5 WIDTH=16 BGCOLOR=\"#808080\"></TD>",
        "</TR>",
        "<TR>",
        "</TR>",
        "<TR>",
        "</TR>",
        "<TR>",
        "</TR>",
        "<TR>",
        "  <TD COLSPAN=2 HEIGHT=12 BGCOLOR=\"#0000FF\"></TD>",
        "</TR>",
        "<TR>",
        "  <TD WIDTH=12></TD>",
        "  <TD COLSPAN=3 HEIGHT=16 BGCOLOR=\"#808080\"></TD>",
        "</TR>",
        "</TABLE>",
    };
    EXPECT_EQ(lines(s), expected);
    s.lines.clear();
    const QStringList empty = lines(s);
    EXPECT_EQ(empty.size(), expected.size() - 2);
    EXPECT_FALSE(empty.join(QString()).contains(QStringLiteral("<BR>")));
}

TEST(Table3d, SizeFieldAndPreviewPoints)
{
    const struct
    {
        const char *field;
        const char *size;
        int points;
    } cases[] = {{"1", "1", 6}, {"7", "7", 18}, {"9", "3", 10}, {"x", "3", 10}};
    for (const auto &k : cases) {
        EXPECT_EQ(Table3dSize(QString::fromLatin1(k.field)), QString::fromLatin1(k.size)) << k.field;
        EXPECT_EQ(Table3dPointSize(QString::fromLatin1(k.field)), k.points) << k.field;
    }
}

} // namespace
