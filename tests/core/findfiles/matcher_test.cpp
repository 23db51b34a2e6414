#include "core/findfiles/filemask.h"
#include "core/findfiles/matcher.h"
#include "core/markup/editorstate.h"
#include "core/text/documenttext.h"
#include "core/text/memorytext.h"
#include "core/text/search.h"
#include "core/undo/undohistory.h"
#include "support/qstringprinter.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

namespace {

constexpr MatchOptions Regex{false, false, true};
constexpr MatchOptions RegexCase{true, false, true};
constexpr MatchOptions RegexWord{false, true, true};
constexpr MatchOptions Plain{false, false, false};

QString replaced(const QString &text, const QString &pattern, MatchOptions options, const QString &replacement)
{
    const Matcher matcher(pattern, options, replacement);
    const std::optional<MatchReplaceResult> result = replaceMatches(text, 0, matcher, SearchBudget());
    return result ? result->text : QStringLiteral("<stopped>");
}

} // namespace

TEST(Matcher, ReplacesWithGroupsWithinLinesUnlessTheExpressionNamesABreak)
{
    struct Case
    {
        const char *text, *pattern;
        MatchOptions options;
        const char *replacement, *expected;
    };
    const Case cases[] = {
        {"<B>gras</B> <b>x</b>", "<(b)>(.*?)</\\1>", Regex, "<strong>\\2</strong>",
         "<strong>gras</strong> <strong>x</strong>"},
        {"<B>gras</B>", "<(b)>", RegexCase, "[\\1]", "<B>gras</B>"},
        {"a1 b22", "\\d+", Regex, "(\\0)", "a(1) b(22)"},
        {"ab", "(a)(b)", Regex, "\\2\\1\\7\\\\n\\t", "ba\\n\t"}, // missing group: nothing; "\\\\" one backslash
        {"ab", "(a)|(b)", Regex, "<\\2>", "<><b>"},              // a group out of the match gives nothing
        {"chat chats", "chat", RegexWord, "X", "X chats"},
        {"aXbX", "x*", Regex, "-", "a-b-"}, // matches of nothing are skipped
        {"un\r\ndeux\r\n", "^(\\w+)$", Regex, "<\\1>", "<un>\r\n<deux>\r\n"},
        {"un\ndeux", "n.d", Regex, "#", "un\ndeux"},     // "." never crosses a line
        {"un\r\ndeux", "un\\r\\nd", Regex, "#", "#eux"}, // a named break spans lines
        {"un\r\ndeux", "n\\Rd", Regex, "\\0|\\n", "un\r\nd|\r\neux"},
        {"a.b a+b", "a.b", Plain, "\\1", "\\1 a+b"}, // plain: no groups, no expression
    };
    for (const Case &c : cases)
        EXPECT_EQ(replaced(QString::fromUtf8(c.text), QString::fromUtf8(c.pattern), c.options,
                           QString::fromUtf8(c.replacement)),
                  QString::fromUtf8(c.expected))
            << c.pattern;
}

TEST(Matcher, AnInvalidExpressionSaysWhereAndReplacesNothing)
{
    for (const char *pattern : {"(ab", "[a-", "a{2,1}", "(?<n>a)\\k<m>", ""}) {
        const Matcher matcher(QString::fromUtf8(pattern), Regex);
        EXPECT_FALSE(matcher.isValid()) << pattern;
        EXPECT_FALSE(matcher.errorText().isEmpty());
        MemoryText text(QStringLiteral("(ab [a- aa"));
        UndoHistory undo(text);
        EXPECT_EQ(ReplaceAll(text, undo, QString::fromUtf8(pattern), QStringLiteral("x"),
                             SearchOptions{false, false, true}, false),
                  QString::fromUtf8(pattern).isEmpty() ? 0 : ReplaceAllStopped);
        EXPECT_EQ(text.text(), QStringLiteral("(ab [a- aa"));
        EXPECT_FALSE(undo.CanUndo());
    }
    // The fault's position counts from 1 in what the user typed.
    EXPECT_TRUE(Matcher(QStringLiteral("(ab"), Regex).errorText().endsWith(QStringLiteral(" 4.")));
}

TEST(Matcher, ARunawayExpressionIsStopped)
{
    // Nested repetition that never matches: exponential backtracking, slow
    // on short lines (the time limit stops it), beyond the expression
    // engine's own limit on long ones.
    for (const int length : {24, 40}) {
        const QString line = QString(length, u'a') + u'!';
        const QString page = QStringList(2000, line).join(QStringLiteral("\r\n"));
        const Matcher matcher(QStringLiteral("(a|aa)+$"), Regex);
        QElapsedTimer clock;
        clock.start();
        std::atomic_bool cancelled = false;
        EXPECT_FALSE(replaceMatches(page, 0, matcher, SearchBudget(300, &cancelled)));
        EXPECT_LT(clock.elapsed(), 3000);
        cancelled = true;
        EXPECT_FALSE(replaceMatches(page, 0, matcher, SearchBudget(-1, &cancelled)));

        MemoryText text(length == 40 ? page : line);
        UndoHistory undo(text);
        EXPECT_EQ(
            ReplaceAll(text, undo, matcher.pattern(), QStringLiteral("x"), SearchOptions{false, false, true}, false),
            length == 40 ? ReplaceAllStopped : 0);
        SearchState state;
        EXPECT_FALSE(FindCommand(text, state, matcher.pattern(), true, SearchOptions{false, false, true}));
        EXPECT_EQ(state.Stopped, length == 40);
    }
}

TEST(Matcher, TheDialogCommandsSelectAndReplaceExpressionMatchesInPagePositions)
{
    // Positions count CR LF as two characters.
    MemoryText text(QStringLiteral("<P>un</P>\r\n<p>deux</p>"));
    SearchState state;
    const SearchOptions regex{false, false, true};
    ASSERT_TRUE(FindCommand(text, state, QStringLiteral("<p>(\\w+)"), true, regex));
    EXPECT_EQ(text.selectionStart(), 0);
    EXPECT_EQ(text.selectionLength(), 5);
    UndoHistory undo(text);
    EditorState editor;
    ReplaceStep step =
        ReplaceCommand(text, undo, editor, state, QStringLiteral("<p>(\\w+)"), QStringLiteral("\\1:"), true, regex);
    EXPECT_TRUE(step.replaced && step.found);
    EXPECT_EQ(text.selectionStart(), 9);
    EXPECT_EQ(text.selectedText(), QStringLiteral("<p>deux"));
    ASSERT_TRUE(FindCommand(text, state, QStringLiteral("</p>\\r\\n<"), true, regex));
    EXPECT_EQ(text.selectionStart(), 3);
    EXPECT_EQ(text.selectionLength(), 7);
    EXPECT_EQ(ReplaceAll(text, undo, QStringLiteral("(\\w+)</p>$"), QStringLiteral("[\\1]"), regex, false), 1);
    EXPECT_EQ(text.text(), QStringLiteral("un:</P>\r\n<p>[deux]"));
}

TEST(FileMask, TakesNamesThatFitOneOfItsPatterns)
{
    struct Case
    {
        const char *mask, *name;
        bool expected;
    };
    const Case cases[] = {
        {"*.htm;*.html", "index.htm", true},
        {"*.htm;*.html", "INDEX.HTML", true},
        {"*.htm;*.html", "index.shtml", false},
        {"*.htm;*.html", "page.htm.bak", false},
        {"*.htm, *.css", "style.css", true},
        {"", "anything", true},
        {" ; ", "anything", true},
        {"p?ge*.htm", "page12.htm", true},
        {"p?ge*.htm", "pge.htm", false},
        {"*a*a*a*a*b", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", false},
        {"*", "", true},
        {"?", "", false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(FileMask(QString::fromUtf8(c.mask)).matches(QString::fromUtf8(c.name)), c.expected)
            << c.mask << " / " << c.name;
}

TEST(Matcher, SkippingLinesFindsWhatTheLineByLineSearchFinds)
{
    const QString text = QStringLiteral("ab\r\n\r\nxa b$\nA\rab ba\r\n  \u00E9a\u2029a b\r\nz");
    const char *patterns[] = {"a", "^a", "b$", "a\\s*b", "[^x]+", "a|b|$", "\\ba", "x*", "(a)(?=b)", "a++b", "\\w+\\z"};
    for (const char *pattern : patterns) {
        for (const QString &page : {text, QString(text).replace(u'\u2029', u' ')}) {
            const Matcher matcher(QString::fromUtf8(pattern), Regex);
            QList<qsizetype> model, found;
            qsizetype lineStart = 0;
            forEachLine(page, [&](QStringView line) {
                lineStart = line.data() - page.data();
                Match match;
                for (qsizetype at = 0; matcher.find(line, at, line.size(), match) == MatchStatus::Found;
                     at = match.start + match.length)
                    model << lineStart + match.start << match.length;
            });
            forEachMatch(page, 0, matcher, SearchBudget(),
                         [&](const Match &match) { found << match.start << match.length; });
            EXPECT_EQ(found, model) << pattern;
        }
    }
    EXPECT_TRUE(Matcher(QStringLiteral("a\\s*b"), Regex).lineSkipping());
    EXPECT_FALSE(Matcher(QStringLiteral("(a)(?=b)"), Regex).lineSkipping());
}
