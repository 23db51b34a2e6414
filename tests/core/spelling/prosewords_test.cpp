#include "core/spelling/prosewords.h"
#include "core/text/linestore.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

// "line:start:length:word" for each word of the page, lines joined by "\n".
QString wordsOf(const QString &page)
{
    QStringList result;
    for (const prose::PageWord &w : prose::pageWords(LineStore(page)))
        result << QStringLiteral("%1:%2:%3:%4").arg(w.line).arg(w.word.start).arg(w.word.length).arg(w.word.word);
    return result.join(u' ');
}

struct WordsCase
{
    const char *name;
    const char *page;
    const char *words;
};

class ProseWords : public ::testing::TestWithParam<WordsCase>
{
};

TEST_P(ProseWords, ReadsOnlyWhatAReaderSees)
{
    EXPECT_EQ(wordsOf(QString::fromUtf8(GetParam().page)).toStdString(), GetParam().words);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, ProseWords,
    ::testing::Values(
        WordsCase{"TextBetweenTags", "<p>La maisonn</p>", "0:3:2:La 0:6:7:maisonn"},
        WordsCase{"EntitiesReadAsCharacters", "un &eacute;t&eacute; na&#xEF;f caf&#233;",
                  "0:0:2:un 0:3:17:été 0:21:9:naïf 0:31:9:café"},
        WordsCase{"UnknownEntityLeavesItsWordOut", "x&zzz;y &bogus; bon", "0:16:3:bon"},
        WordsCase{"NamesAndOtherValuesAreNotProse", "<p class=\"maisonn\" id=maisonn>texte</p>", "0:30:5:texte"},
        WordsCase{"AltAndTitleAreProse", "<img ALT=\"une maisonn\" src=\"maisonn.gif\" title='l&apos;été'>",
                  "0:10:3:une 0:14:7:maisonn 0:48:10:l'été"},
        WordsCase{"ScriptStyleAndCommentsAreNot",
                  "<script>var maisonn;</script><style>p{maisonn}</style><!-- maisonn -->fin", "0:70:3:fin"},
        WordsCase{"StatesCarriedAcrossLines", "<img alt=\n\"mot un\ndeux\" src='x\ny'>a<!--\nz -->b",
                  "1:1:3:mot 1:5:2:un 2:0:4:deux 3:3:1:a 4:5:1:b"},
        WordsCase{"NamesAddressesNumbersLeftOut", "voir www.exemple.fr nom@site.fr page_2 3e fin.",
                  "0:0:4:voir 0:42:3:fin"},
        WordsCase{"JoinersOnlyBetweenLetters", "l'été, peut-être -- 'cité' l’an",
                  "0:0:5:l'été 0:7:9:peut-être 0:21:4:cité 0:27:4:l’an"}),
    [](const auto &info) { return std::string(info.param.name); });

struct LanguageCase
{
    const char *page;
    const char *language;
};

class PageLanguage : public ::testing::TestWithParam<LanguageCase>
{
};

TEST_P(PageLanguage, ComesFromTheHtmlElementOnly)
{
    EXPECT_EQ(prose::pageLanguage(LineStore(QString::fromUtf8(GetParam().page))).toStdString(), GetParam().language);
}

INSTANTIATE_TEST_SUITE_P(Pages, PageLanguage,
                         ::testing::Values(LanguageCase{"<!DOCTYPE html>\n<!-- x -->\n<HTML LANG=\"en-US\">", "en-us"},
                                           LanguageCase{"<html\nclass=a lang='de'>", "de"},
                                           LanguageCase{"<html><body lang=de>", ""}, LanguageCase{"<p lang=de>", ""},
                                           LanguageCase{"texte", ""}));

} // namespace
