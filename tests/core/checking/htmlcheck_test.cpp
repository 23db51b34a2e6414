#include "core/checking/htmlcheck.h"
#include "core/text/linestore.h"
#include "support/qstringprinter.h"

#include <gtest/gtest.h>

namespace {

using Severity = HtmlProblem::Severity;

const QString Strict401 =
    QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\" \"http://www.w3.org/TR/html4/strict.dtd\">\n"
                   "<HTML>\n<HEAD>\n<TITLE>Essai</TITLE>\n</HEAD>\n<BODY>\n");

HtmlCheck check(const QString &text)
{
    return checkHtml(LineStore(text));
}

} // namespace

TEST(HtmlCheck, KnownProblemsArePlacedInThePage)
{
    struct Case
    {
        const char *name;
        QString body; // after the head, from line 7 (index 6)
        int line;
        int column;
        Severity severity;
        const char *words; // part of libtidy's French text
    };
    const Case cases[] = {
        {"unclosed B", QStringLiteral("<P><B>gras</P>\n"), 6, 3, Severity::Warning, "</b>"},
        {"misspelled attribute", QStringLiteral("<P ALIGNN=\"left\">x</P>\n"), 6, 0, Severity::Warning, "alignn"},
        {"unknown element after a tab", QStringLiteral("<P>\t<FOO>x</FOO></P>\n"), 6, 4, Severity::Error, "<foo>"},
        // Code points, not UTF-16 units, in libtidy's counting.
        {"after a character beyond the BMP", QStringLiteral("<P>\u00e9\U0001F600<FOO>x</P>\n"), 6, 6, Severity::Error,
         "<foo>"},
        // libtidy drops control characters without counting them; a NUL
        // does not end the page.
        {"after NUL and control characters", QStringLiteral("<P>a") + QChar(0) + QStringLiteral("\x01<FOO>x</P>\n"), 6,
         6, Severity::Error, "<foo>"},
    };
    for (const Case &c : cases) {
        const HtmlCheck result = check(Strict401 + c.body + QStringLiteral("</BODY>\n</HTML>\n"));
        ASSERT_FALSE(result.problems.isEmpty()) << c.name;
        const HtmlProblem &first = result.problems.first();
        EXPECT_EQ(first.line, c.line) << c.name;
        EXPECT_EQ(first.column, c.column) << c.name;
        EXPECT_EQ(first.severity, c.severity) << c.name;
        EXPECT_TRUE(first.text.contains(QLatin1String(c.words))) << c.name << ": " << str(first.text);
        EXPECT_EQ(result.hasErrors(), c.severity == Severity::Error) << c.name;
    }
}

TEST(HtmlCheck, CleanPagesAndTheVersionChecked)
{
    const HtmlCheck strict = check(Strict401 + QStringLiteral("<P>Bonjour</P>\n</BODY>\n</HTML>\n"));
    EXPECT_TRUE(strict.problems.isEmpty()) << str(strict.problems.value(0).text);
    EXPECT_EQ(strict.htmlVersion, QStringLiteral("HTML 4.01 Strict"));

    // The page a new document starts with: no DOCTYPE, which libtidy says,
    // and its own idea of the version.
    const HtmlCheck fresh =
        check(QStringLiteral("<HTML>\n<HEAD>\n<TITLE>t</TITLE>\n</HEAD>\n<BODY>\n\n</BODY>\n</HTML>"));
    ASSERT_EQ(fresh.problems.size(), 1);
    EXPECT_EQ(fresh.problems[0].line, 0);
    EXPECT_TRUE(fresh.problems[0].text.contains(QLatin1String("DOCTYPE")));
    EXPECT_FALSE(fresh.htmlVersion.isEmpty());
}

TEST(HtmlCheck, KeepsAtMostTheProblemsAskedAndCountsTheRest)
{
    QString body;
    for (int i = 0; i < 30; ++i)
        body += QStringLiteral("<FOO>\n");
    const HtmlCheck result = checkHtml(LineStore(Strict401 + body), 10);
    EXPECT_EQ(result.problems.size(), 10);
    EXPECT_GT(result.omitted, 20);
    EXPECT_GE(result.errors, 30);
}

TEST(HtmlCheck, PageColumnOfTidyColumn)
{
    struct Case
    {
        QString line;
        int tidyColumn;
        int expected;
    };
    const Case cases[] = {
        {QStringLiteral("<P>"), 1, 0},
        {QStringLiteral("<P>"), 0, 0},
        {QStringLiteral("\t\t<B>"), 3, 2},
        {QStringLiteral("\U0001F600\U0001F600<B>"), 3, 4},
        {QStringLiteral("\x1b\x02<B>"), 1, 2},
        {QStringLiteral("a\x1b<B>"), 2, 2},
        {QStringLiteral("<B>"), 99, 3},
        // A lone surrogate half is one character for both.
        {QString(QChar(0xD800)) + QStringLiteral("<B>"), 2, 1},
    };
    for (const Case &c : cases)
        EXPECT_EQ(pageColumn(c.line, c.tidyColumn), c.expected) << str(c.line) << " @" << c.tidyColumn;
}
