#include "core/markup/editorstate.h"
#include "core/text/memorytext.h"
#include "core/text/search.h"
#include "core/undo/undohistory.h"
#include "support/qstringprinter.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {

QString q(const char16_t *text)
{
    return QString::fromUtf16(text);
}

constexpr SearchOptions AnyCase{false, false};
constexpr SearchOptions ExactCase{true, false};
constexpr SearchOptions WholeWord{false, true};
constexpr SearchOptions ExactWholeWord{true, true};

} // namespace

TEST(Search, FindInRangeHonoursCaseWordsAndBounds)
{
    struct Case
    {
        const char16_t *text;
        const char16_t *needle;
        qsizetype from, to;
        SearchOptions options;
        qsizetype expected;
    };
    const Case cases[] = {
        {u"Un UN un", u"un", 0, 8, AnyCase, 0},
        {u"Un UN un", u"un", 0, 8, ExactCase, 6},
        {u"abc", u"abc", 0, 2, AnyCase, -1},  // must lie wholly inside the range
        {u"ab ab", u"ab", 3, 99, AnyCase, 3}, // range clipped to the text
        {u"tab ab", u"ab", 0, 6, WholeWord, 4},
        {u"ab2 ab_ ab", u"ab", 0, 10, WholeWord, 4}, // digits join words, "_" does not
        {u"xab", u"ab", 1, 3, WholeWord, -1},        // neighbours outside the range count
        {u"\u00E9t\u00E9 \u00C9T\u00C9", u"\u00C9T\u00C9", 0, 7, ExactWholeWord, 4},
        {u"\u00E9t\u00E9 \u00C9T\u00C9", u"\u00C9T\u00C9", 0, 7, WholeWord, 0},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(findInRange(q(c.text), q(c.needle), c.from, c.to, c.options), c.expected)
            << q(c.text).toStdString() << " / " << q(c.needle).toStdString();
    }
}

TEST(Search, GlobalSearchRunsToTheEndThenWrapsOnceUpToTheOrigin)
{
    //                         0    5    10   15   20
    MemoryText text(QStringLiteral("mot a mot b mot c mot"));
    text.setSelectionStart(8); // inside the second "mot"
    SearchState state;
    std::vector<int> found;
    while (FindCommand(text, state, QStringLiteral("mot"), true, AnyCase))
        found.push_back(text.selectionStart());
    EXPECT_EQ(found, (std::vector<int>{12, 18, 0, 6}));
    EXPECT_EQ(state.SearchOrigin, -1);

    // The next search starts a new cycle from where the caret is.
    text.setSelectionStart(0);
    found.clear();
    while (FindCommand(text, state, QStringLiteral("mot"), true, AnyCase))
        found.push_back(text.selectionStart());
    EXPECT_EQ(found, (std::vector<int>{0, 6, 12, 18}));
}

TEST(Search, FindNextSurvivesAStaleOriginAndAShrunkText)
{
    MemoryText text(QStringLiteral("abc"));
    SearchState state{500, false, true};
    text.setSelectionStart(3);
    EXPECT_FALSE(FindNext(text, state, QStringLiteral("abc"), true, AnyCase));
    state = SearchState{-1, false, false};
    EXPECT_FALSE(FindNext(text, state, QStringLiteral("abcd"), true, AnyCase));
}

TEST(Search, ReplaceReplacesOnlyTheSelectedMatchThenFindsTheNext)
{
    MemoryText text(QStringLiteral("un deux un trois un"));
    UndoHistory undo(text);
    EditorState editorState;
    SearchState state;

    ReplaceStep step =
        ReplaceCommand(text, undo, editorState, state, QStringLiteral("un"), QStringLiteral("1"), true, AnyCase);
    EXPECT_FALSE(step.replaced);
    EXPECT_TRUE(step.found);
    EXPECT_EQ(text.selectionStart(), 0);

    step = ReplaceCommand(text, undo, editorState, state, QStringLiteral("un"), QStringLiteral("1"), true, AnyCase);
    EXPECT_TRUE(step.replaced);
    EXPECT_TRUE(step.found);
    EXPECT_EQ(text.text(), QStringLiteral("1 deux un trois un"));
    EXPECT_EQ(text.selectedText(), QStringLiteral("un"));
    EXPECT_EQ(text.selectionStart(), 7);

    // The user selects other text meanwhile: it is not overwritten.
    text.select(2, 4);
    step = ReplaceCommand(text, undo, editorState, state, QStringLiteral("un"), QStringLiteral("1"), true, AnyCase);
    EXPECT_FALSE(step.replaced);
    EXPECT_EQ(text.text(), QStringLiteral("1 deux un trois un"));
    EXPECT_EQ(text.selectionStart(), 7);

    undo.Undo();
    EXPECT_EQ(text.text(), QStringLiteral("un deux un trois un"));
}

TEST(Search, ReplaceAllInTextFollowsTheOptions)
{
    struct Case
    {
        const char16_t *text;
        qsizetype from;
        const char16_t *needle;
        const char16_t *replacement;
        SearchOptions options;
        const char16_t *expected;
        qsizetype count;
    };
    const Case cases[] = {
        {u"a ab a", 0, u"a", u"b", WholeWord, u"b ab b", 2},
        {u"a ab a", 0, u"a", u"b", AnyCase, u"b bb b", 3},
        {u"Le le LE", 0, u"le", u"la", ExactCase, u"Le la LE", 1},
        {u"aaaa", 0, u"aa", u"b", AnyCase, u"bb", 2},
        {u"a a a", 2, u"a", u"b", AnyCase, u"a b b", 2},
        // The neighbour before the caret still decides about a whole word.
        {u"ba a", 1, u"a", u"c", WholeWord, u"ba c", 1},
        // An occurrence inside a longer word does not hide the next one.
        {u"xa a a", 0, u"a a", u"b", WholeWord, u"xa b", 1},
        // Case folding never changes lengths, so nothing is cut or shifted.
        {u"Stra\u00DFe STRASSE stra\u00DFe", 0, u"STRA\u00DFE", u"rue", AnyCase, u"rue STRASSE rue", 2},
        {u"abc", 0, u"", u"x", AnyCase, u"abc", 0},
    };
    for (const Case &c : cases) {
        const ReplaceAllResult result = replaceAllInText(q(c.text), c.from, q(c.needle), q(c.replacement), c.options);
        EXPECT_EQ(str(result.text), str(q(c.expected))) << q(c.text).toStdString();
        EXPECT_EQ(result.count, c.count) << q(c.text).toStdString();
        EXPECT_EQ(countReplacements(q(c.text), c.from, q(c.needle), c.options), c.count);
    }
}

TEST(Search, ReplaceAllIsOneUndoStep)
{
    MemoryText text(QStringLiteral("a ab a"));
    UndoHistory undo(text);
    EXPECT_EQ(ReplaceAll(text, undo, QStringLiteral("a"), QStringLiteral("b"), WholeWord, false), 2);
    EXPECT_EQ(text.text(), QStringLiteral("b ab b"));
    EXPECT_EQ(undo.count(), 1);
    undo.Undo();
    EXPECT_EQ(text.text(), QStringLiteral("a ab a"));
    undo.Redo();
    EXPECT_EQ(text.text(), QStringLiteral("b ab b"));

    // Downward keeps what stands before the caret.
    text.setSelectionStart(2);
    EXPECT_EQ(ReplaceAll(text, undo, QStringLiteral("b"), QStringLiteral("c"), AnyCase, true), 2);
    EXPECT_EQ(text.text(), QStringLiteral("b ac c"));
}

TEST(Search, ReplaceAllRefusesAResultTooLongForAPage)
{
    const QString page(1'000'000, u'a');
    MemoryText text(page);
    UndoHistory undo(text);
    const QString replacement(3000, u'b');
    EXPECT_EQ(ReplaceAll(text, undo, QStringLiteral("a"), replacement, AnyCase, false), -1);
    EXPECT_EQ(text.text(), page);
    EXPECT_FALSE(undo.CanUndo());
}

TEST(Search, HistoryKeepsTheLastEightDistinctTexts)
{
    QStringList history;
    for (int i = 1; i <= 9; ++i)
        addToHistory(history, QString::number(i));
    EXPECT_EQ(history, (QStringList{"9", "8", "7", "6", "5", "4", "3", "2"}));
    addToHistory(history, QStringLiteral("5"));
    EXPECT_EQ(history, (QStringList{"5", "9", "8", "7", "6", "4", "3", "2"}));
    addToHistory(history, QString());
    EXPECT_EQ(history.size(), 8);
    addToHistory(history, QStringLiteral("Ab"));
    addToHistory(history, QStringLiteral("ab"));
    EXPECT_EQ(history.mid(0, 2), (QStringList{"ab", "Ab"}));
}

TEST(Search, FindsWhatTheStandardSearchFinds)
{
    const QStringList pieces = {
        QStringLiteral("a"),      QStringLiteral("A"),      QStringLiteral("k"),          QStringLiteral("K"),
        QStringLiteral("\u212A"), QStringLiteral("s"),      QStringLiteral("\u017F"),     QStringLiteral("\u03C3"),
        QStringLiteral("\u03C2"), QStringLiteral("\u03A3"), QStringLiteral("\u00E9"),     QStringLiteral("\u00C9"),
        QStringLiteral("\u00DF"), QStringLiteral(" "),      QStringLiteral("\U0001F600"), QStringLiteral("ab")};
    QRandomGenerator random(31);
    const auto randomText = [&](int maxPieces) {
        QString text;
        const int count = int(random.bounded(maxPieces + 1));
        for (int i = 0; i < count; ++i)
            text += pieces.at(int(random.bounded(int(pieces.size()))));
        return text;
    };
    for (int round = 0; round < 5000; ++round) {
        const QString text = randomText(40);
        const QString needle = randomText(3);
        const SearchOptions options{random.bounded(2) == 0, false};
        const qsizetype from = text.isEmpty() ? 0 : random.bounded(int(text.size()));
        const qsizetype expected =
            needle.isEmpty() ? -1
                             : text.indexOf(needle, from, options.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive);
        ASSERT_EQ(findInRange(text, needle, from, text.size(), options), expected)
            << str(text) << " / " << str(needle) << " from " << from;
    }
}

// FindNext goes over the page line by line: it finds what a search of the
// whole text finds, line breaks and word bounds at line ends included.
TEST(Search, FindNextOverTheLinesFindsWhatTheWholeTextSearchFinds)
{
    const QStringList pieces = {QStringLiteral("a"),  QStringLiteral("b"),      QStringLiteral("A"),
                                QStringLiteral(" "),  QStringLiteral("\r\n"),   QStringLiteral("\n"),
                                QStringLiteral("ab"), QStringLiteral("\u00E9"), QStringLiteral("\u2029")};
    QRandomGenerator random(5);
    const auto randomText = [&](int maxPieces) {
        QString text;
        for (int i = int(random.bounded(maxPieces + 1)); i > 0; --i)
            text += pieces.at(int(random.bounded(int(pieces.size()))));
        return text;
    };
    for (int round = 0; round < 5000; ++round) {
        MemoryText text(randomText(30));
        const QString needle = randomText(3);
        // A match cannot start between the CR and the LF of a line break.
        if (needle.startsWith(u'\n') || needle.startsWith(u'\u2029'))
            continue;
        const SearchOptions options{random.bounded(2) == 0, random.bounded(2) == 0};
        const int caret = int(random.bounded(text.length() + 1));
        text.setSelectionStart(caret);
        const qsizetype expected = findInRange(text.text(), needle, text.selectionStart(), text.length(), options);
        SearchState state;
        const bool found = FindNext(text, state, needle, false, options);
        ASSERT_EQ(found ? text.selectionStart() : -1, expected) << str(text.text()) << " / " << str(needle);
    }
}
