#include "core/wholetext/entities.h"
#include "support/qstringprinter.h"

#include <QRandomGenerator>
#include <QSet>

#include <gtest/gtest.h>

#include <span>

namespace {

QString q(std::u16string_view text)
{
    return QString(reinterpret_cast<const QChar *>(text.data()), qsizetype(text.size()));
}

// Back conversion exactly as the rule reads: pair after pair, replace the
// first occurrence of the entity until none is left.
TextConversion naiveBack(QString text)
{
    TextConversion result;
    for (const EntityPair &pair : entityTable()) {
        const QString entity = q(pair.entity);
        qsizetype at;
        while ((at = text.indexOf(entity)) >= 0) {
            text.replace(at, entity.size(), QChar(pair.character));
            ++result.count;
        }
    }
    result.text = text;
    return result;
}

// Forward conversion one character at a time: outside a comment "<!--"
// opens one, inside it the first "-->" closes it, and nothing inside is
// converted.
TextConversion naiveForward(const QString &text)
{
    TextConversion result;
    bool inComment = false;
    qsizetype i = 0;
    while (i < text.size()) {
        if (!inComment && QStringView(text).sliced(i).startsWith(u"<!--")) {
            inComment = true;
            result.text += QStringLiteral("<!--");
            i += 4;
            continue;
        }
        if (inComment && QStringView(text).sliced(i).startsWith(u"-->")) {
            inComment = false;
            result.text += QStringLiteral("-->");
            i += 3;
            continue;
        }
        const std::u16string_view entity = inComment ? std::u16string_view() : entityFor(text.at(i).unicode());
        if (entity.empty()) {
            result.text += text.at(i);
        } else {
            result.text += q(entity);
            ++result.count;
        }
        ++i;
    }
    return result;
}

// Random texts made of pieces that are likely to meet at the edges.
QString randomText(QRandomGenerator &random, const QStringList &pieces, int maxPieces)
{
    QString text;
    const int count = int(random.bounded(maxPieces + 1));
    for (int i = 0; i < count; ++i)
        text += pieces.at(int(random.bounded(int(pieces.size()))));
    return text;
}

struct Case
{
    const char16_t *input;
    const char16_t *output;
    qsizetype count;
};

} // namespace

TEST(EntityTable, HoldsNinetyOneDistinctPairsWithTheirWellKnownSpellings)
{
    QSet<char16_t> characters;
    QSet<QString> entities;
    for (const EntityPair &pair : entityTable()) {
        characters.insert(pair.character);
        entities.insert(q(pair.entity));
        EXPECT_EQ(entityFor(pair.character), pair.entity);
        EXPECT_EQ(characterFor(q(pair.entity)), pair.character);
    }
    EXPECT_EQ(characters.size(), 91);
    EXPECT_EQ(entities.size(), 91);

    const std::pair<char16_t, std::u16string_view> known[] = {
        {u'\u2122', u"&trade;"}, {u'\u00A1', u"&#161;"}, {u'\u00C6', u"&AElig;"}, {u'\u00FF', u"&yuml;"}};
    for (const auto &[character, entity] : known)
        EXPECT_EQ(entityFor(character), entity) << int(character);
}

TEST(EntityConversion, LongRunsOfTheLongestEntitiesFitTheirRoom)
{
    for (const qsizetype length : {1, 7, 8, 9, 1000}) {
        const QString letters(length, QChar(u'\u00C0'));
        const TextConversion result = charactersToEntities(letters + QStringLiteral("<!--"));
        EXPECT_EQ(str(result.text), str(QStringLiteral("&Agrave;").repeated(length) + QStringLiteral("<!--")));
        EXPECT_EQ(result.count, length);
    }
}

// Exact outputs; the random tests below check the rest against the rules.
TEST(EntityConversion, ConvertsBothWays)
{
    const Case forward[] = {
        {u"cr\u00E9\u00E9e", u"cr&eacute;&eacute;e", 2},
        {u"<!-- \u00E9 -->\u00E9", u"<!-- \u00E9 -->&eacute;", 1},
        {u"<P>\u2122 \u00A9 \u00AE \u00BF", u"<P>&trade; &copy; &reg; &#191;", 4},
    };
    const Case back[] = {
        {u"cr&eacute;&eacute;e", u"cr\u00E9\u00E9e", 2},
        {u"&lt;&amp;&nbsp;&quot;&gt;", u"&lt;&amp;&nbsp;&quot;&gt;", 0},
        {u"&EACUTE;&Eacute;&#233;&#169;&#0161;&#xA1;", u"&EACUTE;\u00C9&#233;&#169;&#0161;&#xA1;", 1},
        {u"&&eacute;&;&#161;", u"&\u00E9&;\u00A1", 2},
    };
    for (const auto &[cases, convert] : {std::pair{std::span<const Case>(forward), &charactersToEntities},
                                         std::pair{std::span<const Case>(back), &entitiesToCharacters}}) {
        for (const Case &c : cases) {
            const TextConversion result = convert(q(c.input), nullptr);
            EXPECT_EQ(str(result.text), str(q(c.output))) << q(c.input).toStdString();
            EXPECT_EQ(result.count, c.count) << q(c.input).toStdString();
        }
    }
}

TEST(EntityConversion, BackConversionEqualsRepeatedFirstOccurrenceReplacement)
{
    QStringList pieces = {
        QStringLiteral("&"),    QStringLiteral(";"),      QStringLiteral("#"),     QStringLiteral("1"),
        QStringLiteral("6"),    QStringLiteral("eacute"), QStringLiteral("&e"),    QStringLiteral("acute;"),
        QStringLiteral("&#"),   QStringLiteral("16"),     QStringLiteral("x"),     QStringLiteral(" "),
        QStringLiteral("\r\n"), QStringLiteral("\u00E9"), QStringLiteral("&amp;"), QStringLiteral("&#169;")};
    for (const EntityPair &pair : entityTable())
        pieces << q(pair.entity);
    QRandomGenerator random(20240611);
    for (int round = 0; round < 3000; ++round) {
        const QString text = randomText(random, pieces, 40);
        const TextConversion fast = entitiesToCharacters(text);
        const TextConversion naive = naiveBack(text);
        ASSERT_EQ(str(fast.text), str(naive.text)) << text.toStdString();
        ASSERT_EQ(fast.count, naive.count) << text.toStdString();
    }
}

TEST(EntityConversion, ForwardConversionEqualsTheCharacterByCharacterRule)
{
    const QStringList pieces = {QStringLiteral("<"),       QStringLiteral("!"),      QStringLiteral("-"),
                                QStringLiteral(">"),       QStringLiteral("<!--"),   QStringLiteral("-->"),
                                QStringLiteral("--"),      QStringLiteral("a"),      QStringLiteral("\u00E9"),
                                QStringLiteral("\u2122"),  QStringLiteral("\u00D7"), QStringLiteral("\r\n"),
                                QStringLiteral("&eacute;")};
    QRandomGenerator random(97);
    for (int round = 0; round < 3000; ++round) {
        const QString text = randomText(random, pieces, 30);
        const TextConversion fast = charactersToEntities(text);
        const TextConversion naive = naiveForward(text);
        ASSERT_EQ(str(fast.text), str(naive.text)) << text.toStdString();
        ASSERT_EQ(fast.count, naive.count) << text.toStdString();
    }
}
