#include "core/highlight/highlightcolours.h"
#include "core/highlight/htmllexer.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

using namespace htmllex;

// One letter per character: . text, t tag, n attribute name, v attribute
// value, c comment, e entity, s script.
QString paint(const QString &line, const std::vector<Token> &tokens)
{
    QString marks(line.size(), u'.');
    for (const Token &token : tokens)
        for (int i = token.start; i < token.start + token.length; ++i)
            marks[i] = QLatin1Char("tnvces"[int(token.kind)]);
    return marks;
}

// Lexes the lines in a row, as the editor does block after block.
QStringList paintLines(const QStringList &lines)
{
    QStringList result;
    int state = StartState;
    for (const QString &line : lines) {
        std::vector<Token> tokens;
        state = lexLine(line, state, &tokens);
        result << paint(line, tokens);
    }
    return result;
}

struct Case
{
    const char *name;
    QStringList lines;
    QStringList marks;
};

class HtmlLexer : public ::testing::TestWithParam<Case>
{
};

TEST_P(HtmlLexer, ColoursEveryLine)
{
    EXPECT_EQ(paintLines(GetParam().lines).join(u'|').toStdString(), GetParam().marks.join(u'|').toStdString())
        << GetParam().lines.join(u'|').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Texts, HtmlLexer,
    ::testing::Values(
        Case{"TagWithValues", {"<A HREF=\"x.htm\" target=_top>lien</A>"}, {"tt.nnnntvvvvvvv.nnnnnntvvvvt....tttt"}},
        Case{"CommentAcrossLines",
             {"a<!-- un", "<B>deux</B>", "fin --> <I>"},
             {".ccccccc", "ccccccccccc", "ccccccc.ttt"}},
        Case{"ValueAcrossLines", {"<A TITLE='un", "<deux>' HREF=y>t"}, {"tt.nnnnntvvv", "vvvvvvv.nnnntvt."}},
        Case{"ScriptHoldsEndTagInString",
             {"<SCRIPT>", "document.write(\"</B>\");", "</script > x"},
             {"tttttttt", "sssssssssssssssssssssss", "tttttttt.t.."}},
        Case{"ScriptEndOnSameLine",
             {"<script type=\"text/javascript\">if (a<b) f('</scripts');</SCRIPT>&amp;"},
             {"ttttttt.nnnntvvvvvvvvvvvvvvvvvtssssssssssssssssssssssssttttttttteeeee"}},
        Case{"EndTagNamedScriptDoesNotOpenABlock", {"</SCRIPT>", "<B>"}, {"ttttttttt", "ttt"}},
        Case{"UnterminatedTagAtTheEnd",
             {"<P>texte", "<FONT SIZE=2", "COLOR=\"#FF"},
             {"ttt.....", "ttttt.nnnntv", "nnnnntvvvv"}},
        Case{"TagNameCutByLineBreak",
             {"<SCRIPT", "LANGUAGE=JS>x<y", "</SCRIPT>"},
             {"ttttttt", "nnnnnnnntvvtsss", "ttttttttt"}},
        Case{"EntitiesAndStrayCharacters",
             {"a < b &amp; c &#233;&#xE9 &nbsp &; <", "<3 &x"},
             {"......eeeee...eeeeeeeeeee...........", "....."}},
        Case{"DeclarationsAndSelfClosing", {"<!DOCTYPE html><?xml v?><BR/>x"}, {"ttttttttttttttttttttttttttttt."}}),
    [](const ::testing::TestParamInfo<Case> &info) { return std::string(info.param.name); });

TEST(HtmlLexerStates, AnyIntegerIsAValidState)
{
    // Block states come back from the editor's blocks; a stray value must not
    // lead the lexer astray.
    for (int state : {-1, 12, 15, 0x3B, 0x7FFFFFFF, int(0x80000000)}) {
        std::vector<Token> tokens;
        const int end = lexLine(u"<B>x</B>", state, &tokens);
        EXPECT_EQ(paint(QStringLiteral("<B>x</B>"), tokens), QStringLiteral("ttt.tttt")) << state;
        EXPECT_EQ(end, StartState);
    }
}

TEST(HtmlLexerStates, EndStateDoesNotDependOnTokensBeingCollected)
{
    const QStringList lines = {"<A HREF=\"a", "b\">", "<!-- x", "-->", "<SCRIPT>", "x"};
    int withTokens = StartState, without = StartState;
    for (const QString &line : lines) {
        std::vector<Token> tokens;
        withTokens = lexLine(line, withTokens, &tokens);
        without = lexLine(line, without, nullptr);
        EXPECT_EQ(withTokens, without) << qPrintable(line);
    }
}

TEST(HighlightColours, EveryKindReadsOnLightAndDarkPages)
{
    const struct
    {
        quint32 text, background;
    } pages[] = {{0x000000, 0xFFFFFF}, {0xFFFFFF, 0x000000}, {0xE0E0E0, 0x1E1E2E}, {0x000000, 0xFFFFE0},
                 {0xFFFF00, 0x000080}, {0x000000, 0x808080}, {0xFFFFFF, 0x777777}, {0x00FF00, 0x00FF00}};
    for (const auto &page : pages) {
        const Colours colours = coloursFor(page.text, page.background);
        for (int k = 0; k < KindCount; ++k)
            EXPECT_GE(contrastRatio(colours.of[k], page.background), MinimumContrast - 0.01)
                << std::hex << page.background << " kind " << k;
        // Tags, names and values stay apart from one another.
        EXPECT_NE(colours[Kind::Tag], colours[Kind::AttributeName]);
        EXPECT_NE(colours[Kind::AttributeName], colours[Kind::AttributeValue]);
    }
}

} // namespace
