#include "core/text/search.h"
#include "support/qstringprinter.h"

#include <gtest/gtest.h>

TEST(ReplaceAllPieces, ANullReplacementRemovesEveryOccurrence)
{
    const QString replacements[] = {QString(), QStringLiteral("")};
    for (const QString &replacement : replacements) {
        const ReplaceAllResult result =
            replaceAllInText(u"chat et chat", 0, u"chat", QStringView(replacement), SearchOptions{});
        EXPECT_EQ(result.count, 2);
        EXPECT_EQ(str(result.text), " et ");
        EXPECT_EQ(replaceAllInText(QStringView(), 0, u"x", QStringView(replacement), SearchOptions{}).count, 0);
    }
}
