#include "core/spelling/speller.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct ChoiceCase
{
    const char *language;
    QStringList installed;
    const char *dictionary;
};

class DictionaryChoice : public ::testing::TestWithParam<ChoiceCase>
{
};

TEST_P(DictionaryChoice, FollowsThePageLanguageElseFrench)
{
    EXPECT_EQ(dictionaryFor(GetParam().language, GetParam().installed).toStdString(), GetParam().dictionary);
}

const QStringList Installed = {"de_CH", "en_GB", "en_US", "fr", "fr_BE", "fr_FR"};

INSTANTIATE_TEST_SUITE_P(Languages, DictionaryChoice,
                         ::testing::Values(ChoiceCase{"en-us", Installed, "en_US"},
                                           ChoiceCase{"EN", Installed, "en_GB"},
                                           ChoiceCase{"fr-ca", Installed, "fr_FR"},
                                           ChoiceCase{"de", Installed, "de_CH"}, ChoiceCase{"es", Installed, "fr"},
                                           ChoiceCase{"", Installed, "fr"}, ChoiceCase{"fr", {"fr_CA"}, "fr_CA"},
                                           ChoiceCase{"", {"en_US"}, ""}));

// Needs Debian's French dictionary, which the set-up installs.
class FrenchSpelling : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (dictionaryFor("fr", installedDictionaries(SpellingService::systemDictionaryFolder())).isEmpty())
            GTEST_SKIP() << "no French Hunspell dictionary installed";
        ASSERT_TRUE(m_home.isValid());
    }
    QString personalFile() const { return m_home.filePath("perso/mots.txt"); }

    QTemporaryDir m_home;
};

TEST_F(FrenchSpelling, ChecksWordsAndSuggests)
{
    SpellingService service(SpellingService::systemDictionaryFolder(), personalFile());
    Speller *fr = service.speller(service.dictionaryFor("fr"));
    ASSERT_TRUE(fr);
    for (const char *word : {"maison", "été", "l'été", "l’été", "peut-être", "Aujourd'hui"})
        EXPECT_TRUE(fr->isCorrect(QString::fromUtf8(word))) << word;
    EXPECT_FALSE(fr->isCorrect("maisonn"));
    const QStringList suggestions = fr->suggestions("maisonn", 6);
    EXPECT_LE(suggestions.size(), 6);
    EXPECT_EQ(suggestions.value(0), "maison");
}

TEST_F(FrenchSpelling, IgnoredForNowAddedForGood)
{
    {
        SpellingService service(SpellingService::systemDictionaryFolder(), personalFile());
        Speller *fr = service.speller("fr_FR");
        ASSERT_TRUE(fr);
        ASSERT_FALSE(fr->isCorrect("maisonn"));
        const quint64 before = service.acceptedGeneration();
        service.ignore("maisonn");
        EXPECT_TRUE(fr->isCorrect("maisonn"));
        ASSERT_TRUE(service.addToPersonal("tessalinien", nullptr));
        EXPECT_TRUE(fr->isCorrect("Tessalinien"));
        EXPECT_EQ(service.acceptedGeneration(), before + 2);
    }
    SpellingService next(SpellingService::systemDictionaryFolder(), personalFile());
    EXPECT_EQ(next.personalWords(), QStringList{"tessalinien"});
    Speller *fr = next.speller("fr_FR");
    EXPECT_TRUE(fr->isCorrect("tessalinien"));
    EXPECT_FALSE(fr->isCorrect("maisonn"));
}

TEST_F(FrenchSpelling, UnwritableListReportsAndKeepsNothing)
{
    // A folder cannot be created under a plain file.
    SpellingService service(SpellingService::systemDictionaryFolder(), "/dev/null/mots.txt");
    Speller *fr = service.speller("fr_FR");
    QString error;
    EXPECT_FALSE(service.addToPersonal("tessalinien", &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(service.personalWords().isEmpty());
    EXPECT_FALSE(fr->isCorrect("tessalinien"));
}

} // namespace
