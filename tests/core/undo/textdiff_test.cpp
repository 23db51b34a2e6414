#include "core/undo/textdiff.h"
#include "support/qstringprinter.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

// Either text is made again from the other, whatever changed: characters
// within lines, lines that came or went, line breaks of another kind.
TEST(TextDiff, MakesEachTextFromTheOther)
{
    const QStringList pieces = {QStringLiteral("a"),    QStringLiteral("b"),  QStringLiteral("\u00E9"),
                                QStringLiteral("\r\n"), QStringLiteral("\n"), QStringLiteral("\U0001F600")};
    QRandomGenerator random(7);
    const auto randomText = [&](int maxPieces) {
        QString text;
        for (int i = int(random.bounded(maxPieces + 1)); i > 0; --i)
            text += pieces.at(int(random.bounded(int(pieces.size()))));
        return text;
    };
    for (int round = 0; round < 3000; ++round) {
        const QString before = randomText(30);
        QString after = before;
        for (int edits = int(random.bounded(4)); edits > 0; --edits) {
            const int at = int(random.bounded(int(after.size()) + 1));
            const int removed = int(random.bounded(int(after.size()) - at + 1));
            after.replace(at, std::min(removed, 3), randomText(3));
        }
        const TextDiff diff = TextDiff::between(before, after);
        ASSERT_EQ(diff.apply(before), after) << str(before) << " -> " << str(after);
        ASSERT_EQ(diff.revert(after), before) << str(before) << " -> " << str(after);
        EXPECT_EQ(diff.isEmpty(), before == after);
    }
}

// A change on every line of a page keeps only the changed characters.
TEST(TextDiff, HoldsOnlyWhatChanged)
{
    QString before;
    for (int i = 0; i < 2000; ++i)
        before += QStringLiteral("<P>Paragraphe %1 : un texte assez long pour compter.</P>\r\n").arg(i);
    QString after = before;
    after.replace(QStringLiteral("Paragraphe"), QStringLiteral("Para"));
    const TextDiff diff = TextDiff::between(before, after);
    EXPECT_EQ(diff.apply(before), after);
    EXPECT_LT(diff.size(), before.size() * 2 / 4);
}
