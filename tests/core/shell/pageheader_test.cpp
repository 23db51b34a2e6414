#include "core/text/memorytext.h"
#include "core/shell/pageheader.h"

#include <gtest/gtest.h>

TEST(PageHeader, NewPageTemplate)
{
    const QString text = newPageText(QStringLiteral("Mon <titre>"), QStringLiteral("elise"), QDate(2026, 12, 5));
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 14); // thirteen lines, each ended by a line break
    EXPECT_EQ(lines[0], QStringLiteral("<!-- EDITEUR TESSALINE"));
    EXPECT_EQ(lines[1], QStringLiteral("     DATE DE CREATION: 05/12/26"));
    EXPECT_EQ(lines[2], QStringLiteral("     DERNIERE MODIFICATION: 05/12/26"));
    EXPECT_EQ(lines[3], QStringLiteral("     PAR: elise -->"));
    EXPECT_EQ(lines[6], QStringLiteral("<TITLE>Mon <titre></TITLE>"));
    EXPECT_EQ(lines[NewPageCaretLine], QString());
    EXPECT_EQ(lines[11], QStringLiteral("</BODY>"));
    EXPECT_EQ(lines[12], QStringLiteral("</HTML>"));
    EXPECT_EQ(lines[13], QString());
}

TEST(PageHeader, ModificationLineRewrittenOnlyForEightCharacterDates)
{
    const QDate today(2026, 12, 6);
    struct Case
    {
        QString line3;
        QString expected; // empty: unchanged
    };
    const Case cases[] = {
        {QStringLiteral("     DERNIERE MODIFICATION: 05/12/26"), QStringLiteral("     DERNIERE MODIFICATION: 06/12/26")},
        // Trimmed length 31 with another date form, and lower case: rewritten.
        {QStringLiteral("  derniere modification: 5/1/2026 "), QStringLiteral("     DERNIERE MODIFICATION: 06/12/26")},
        // Ten-character date: trimmed length 33, never rewritten.
        {QStringLiteral("     DERNIERE MODIFICATION: 05/01/2026"), QString()},
        // Already today's date.
        {QStringLiteral("     DERNIERE MODIFICATION: 06/12/26"), QString()},
        {QStringLiteral("<HTML>"), QString()},
    };
    for (const Case &c : cases) {
        MemoryText text(QStringLiteral("<!-- EDITEUR TESSALINE\r\nx\r\n") + c.line3 + QStringLiteral("\r\n<BODY>"));
        text.select(text.lineStart(3) + 1, 3);
        const bool rewritten = UpdateModificationLine(text, today);
        EXPECT_EQ(rewritten, !c.expected.isEmpty()) << c.line3.toStdString();
        EXPECT_EQ(text.line(2), c.expected.isEmpty() ? c.line3 : c.expected);
        // The selection stays on the same characters.
        EXPECT_EQ(text.selectedText(), QStringLiteral("BOD"));
    }
    MemoryText shortText(QStringLiteral("a\r\nb"));
    EXPECT_FALSE(UpdateModificationLine(shortText, today));
}
