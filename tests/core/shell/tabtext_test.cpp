#include "core/shell/tabtext.h"

#include <gtest/gtest.h>

TEST(TabText, FollowsTheNameUpToTheFirstDot)
{
    struct Case
    {
        const char *fileName;
        const char *expected;
    };
    const Case cases[] = {
        {"mapage.HTM", "Mapage"},
        {"Mesprojets.htm", "Mesproje..."},
        {"a.b.c.htm", "A"},
        {"/home/anne/site/mapage.htm", "Mapage"},
        {"C:\\pages/mixte\\page.htm", "Page"},
        {"folder.d/page", "Page"},    // the dot of a folder does not count
        {"huitcars.htm", "Huitcars"}, // exactly 8 characters: not cut
        {"sansextension", "Sansexte..."},
        {"été.htm", "Été"},
        {"/site/", ""},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(documentTabText(QString::fromUtf8(c.fileName)), QString::fromUtf8(c.expected)) << c.fileName;
    }
}

TEST(TabText, NeverCutsACharacterOutsideTheBasicPlaneInTwo)
{
    // U+1D49C, a letter written as a surrogate pair, first and at the cut.
    const QString wide = QString::fromUtf8("\xF0\x9D\x92\x9C");
    EXPECT_EQ(documentTabText(wide + QStringLiteral("ab.htm")), wide + QStringLiteral("ab"));
    const QString longName = QStringLiteral("abcdefg") + wide + QStringLiteral("h.htm");
    const QString text = documentTabText(longName);
    EXPECT_EQ(text, QStringLiteral("Abcdefg..."));
    EXPECT_TRUE(text.isValidUtf16());
}
