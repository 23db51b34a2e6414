#include "app/memorytext.h"
#include "app/typingedits.h"
#include "app/undohistory.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

namespace {

struct Selection
{
    int start;
    int length;
};

void expectState(const MemoryText &t, const QString &text, Selection sel, const char *stage)
{
    EXPECT_EQ(t.text(), text) << stage;
    EXPECT_EQ(t.selectionStart(), sel.start) << stage;
    EXPECT_EQ(t.selectionLength(), sel.length) << stage;
}

// One kind of record: the page before, the record, the action its caller
// performs after recording, and the page after the action, after Undo and
// after Redo.
struct KindCase
{
    const char *name;
    QString initial;
    Selection selection;
    UndoKind kind;
    QString text1;
    QString text2;
    std::function<void(MemoryText &, UndoHistory &)> action;
    QString done;
    QString undone;
    Selection undoneSelection;
    QString redone;
    Selection redoneSelection;
};

void insertAt(MemoryText &t, int position, const QString &text)
{
    t.setSelectionStart(position);
    t.replaceSelection(text);
}

const std::vector<KindCase> &kindCases()
{
    const auto nothing = [](MemoryText &, UndoHistory &) {};
    const auto type = [](QString s) { return [s](MemoryText &t, UndoHistory &) { t.replaceSelection(s); }; };
    static const std::vector<KindCase> cases = {
        {"insert", "abc", {1, 0}, ukInsert, "XY", "", type("XY"), "aXYbc", "abc", {1, 0}, "aXYbc", {3, 0}},
        {"insert over a selection", "abcd", {1, 2}, ukInsert, "X", "", type("X"), "aXd", "abcd", {1, 2}, "aXd", {2, 0}},
        {"wrap",
         "abcd",
         {1, 2},
         ukWrap,
         "<B>",
         "</B>",
         [](MemoryText &t, UndoHistory &) {
             insertAt(t, 3, "</B>");
             insertAt(t, 1, "<B>");
         },
         "a<B>bc</B>d",
         "abcd",
         {1, 2},
         "a<B>bc</B>d",
         {4, 0}},
        {"backspace",
         "abcd",
         {3, 0},
         ukBackspace,
         "c",
         "",
         [](MemoryText &t, UndoHistory &) {
             t.select(2, 1);
             t.deleteSelection();
         },
         "abd",
         "abcd",
         {3, 0},
         "abd",
         {2, 0}},
        {"newlines",
         "ab",
         {1, 0},
         ukNewlines,
         "2",
         "",
         type("\r\n\r\n"),
         "a\r\n\r\nb",
         "ab",
         {1, 0},
         "a\r\n\r\nb",
         {5, 0}},
        {"newlines over a selection",
         "abcd",
         {1, 2},
         ukNewlines,
         "1",
         "",
         type("\r\n"),
         "a\r\nd",
         "abcd",
         {1, 2},
         "a\r\nd",
         {3, 0}},
        {"newlines with a count that is not a number",
         "ab",
         {1, 0},
         ukNewlines,
         "x",
         "",
         nothing,
         "ab",
         "ab",
         {1, 0},
         "ab",
         {1, 0}},
        {"join line",
         "ab\r\ncd",
         {4, 0},
         ukJoinLine,
         "",
         "",
         [](MemoryText &t, UndoHistory &) {
             t.select(2, 2);
             t.deleteSelection();
         },
         "abcd",
         "ab\r\ncd",
         {4, 0},
         "abcd",
         {2, 0}},
        {"join line at the start of the page",
         "abc",
         {0, 0},
         ukJoinLine,
         "",
         "",
         nothing,
         "abc",
         "abc",
         {0, 0},
         "abc",
         {0, 0}},
        {"delete forward",
         "abcd",
         {1, 0},
         ukDeleteForward,
         "b",
         "",
         [](MemoryText &t, UndoHistory &) {
             t.select(1, 1);
             t.deleteSelection();
         },
         "acd",
         "abcd",
         {1, 0},
         "acd",
         {1, 0}},
        {"delete selection", "abcd", {1, 2}, ukDeleteSelection, "", "", nothing, "ad", "abcd", {1, 2}, "ad", {1, 0}},
        {"delete selection of nothing",
         "abcd",
         {2, 0},
         ukDeleteSelection,
         "",
         "",
         nothing,
         "abcd",
         "abcd",
         {2, 0},
         "abcd",
         {2, 0}},
        {"cut",
         "abcd",
         {1, 2},
         ukCut,
         "",
         "",
         [](MemoryText &t, UndoHistory &) { t.deleteSelection(); },
         "ad",
         "abcd",
         {1, 2},
         "ad",
         {1, 0}},
        {"replace", "abcd", {1, 2}, ukReplace, "XYZ", "", type("XYZ"), "aXYZd", "abcd", {1, 2}, "aXYZd", {4, 0}},
        // With nothing selected the redo goes back to the same place, not
        // to the start of the page.
        {"replace without a selection",
         "abcd",
         {2, 0},
         ukReplace,
         "X",
         "",
         type("X"),
         "abXcd",
         "abcd",
         {2, 0},
         "abXcd",
         {3, 0}},
        {"whole text",
         "a\r\nb",
         {1, 0},
         ukWholeText,
         "a\r\nb",
         "",
         [](MemoryText &t, UndoHistory &h) {
             h.current()->text2 = "A\r\nB";
             t.setText("A\r\nB");
         },
         "A\r\nB",
         "a\r\nb",
         {0, 0},
         "A\r\nB",
         {0, 0}},
        {"plain restores nothing",
         "abc",
         {1, 0},
         ukPlain,
         "",
         "",
         type("<IMG>"),
         "a<IMG>bc",
         "a<IMG>bc",
         {6, 0},
         "a<IMG>bc",
         {6, 0}},
    };
    return cases;
}

TEST(UndoHistory, EveryKindUndoesAndRedoes)
{
    for (const KindCase &c : kindCases()) {
        SCOPED_TRACE(c.name);
        MemoryText t(c.initial);
        UndoHistory h(t);
        t.select(c.selection.start, c.selection.length);
        h.RecordUndoStep(c.kind, c.text1, c.text2);
        c.action(t, h);
        ASSERT_EQ(t.text(), c.done);
        ASSERT_TRUE(h.CanUndo());
        // Twice round, so that Undo and Redo also leave the history right.
        for (int round = 0; round < 2; ++round) {
            h.Undo();
            expectState(t, c.undone, c.undoneSelection, "undo");
            EXPECT_FALSE(h.CanUndo());
            EXPECT_TRUE(h.CanRedo());
            h.Redo();
            expectState(t, c.redone, c.redoneSelection, "redo");
            EXPECT_TRUE(h.CanUndo());
            EXPECT_FALSE(h.CanRedo());
        }
    }
}

TEST(UndoHistory, DragMoveRestoresTheTextAtItsOldPlace)
{
    // "bc" of "abcdef" was dragged behind "e": the history finds the moved
    // text selected at its new place.
    MemoryText t("adebcf");
    UndoHistory h(t);
    t.select(3, 2);
    h.savedCaret = 1;
    h.RecordUndoStep(ukDragMove);
    h.Undo();
    expectState(t, "abcdef", {1, 2}, "undo");
    h.Redo();
    expectState(t, "adebcf", {3, 2}, "redo");
}

TEST(UndoHistory, WrapPlacesTheEndTextAfterTheStartText)
{
    MemoryText t("abcd");
    UndoHistory h(t);
    t.select(1, 2);
    h.RecordUndoStep(ukWrap, "<B>", "</B>");
    EXPECT_EQ(h.current()->pos1, 1);
    EXPECT_EQ(h.current()->pos2, 6);
    EXPECT_EQ(t.text(), "abcd") << "a wrap leaves the selection in place";
}

// Records n one-character insertions "0", "1", ... at the end of the page.
void typeRecords(MemoryText &t, UndoHistory &h, int n)
{
    for (int i = 0; i < n; ++i) {
        t.setSelectionStart(t.length());
        const QString c = QString::number(i % 10);
        h.RecordUndoStep(ukInsert, c);
        t.replaceSelection(c);
    }
}

TEST(UndoHistory, KeepsTheLast32Records)
{
    MemoryText t;
    UndoHistory h(t);
    typeRecords(t, h, 33);
    EXPECT_EQ(h.count(), UndoHistory::MaxRecords);
    for (int i = 0; i < 32; ++i) {
        ASSERT_TRUE(h.CanUndo()) << i;
        h.Undo();
    }
    EXPECT_EQ(t.text(), "0") << "the oldest record was recycled";
    EXPECT_FALSE(h.CanUndo());
    h.Undo();
    EXPECT_EQ(t.text(), "0");
    for (int i = 0; i < 32; ++i)
        h.Redo();
    EXPECT_EQ(t.text(), "012345678901234567890123456789012");
    EXPECT_FALSE(h.CanRedo());
}

TEST(UndoHistory, NewRecordDiscardsUndoneOnes)
{
    struct Case
    {
        const char *name;
        int records;
        int undos;
        int countAfter;
        QString textAfterAllUndos;
    };
    const Case cases[] = {
        {"some undone", 3, 2, 2, ""},
        {"all undone", 3, 3, 1, ""},
        {"full ring, some undone", 32, 5, 28, ""},
        {"full ring and more, some undone", 40, 5, 28, "01234567"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        MemoryText t;
        UndoHistory h(t);
        typeRecords(t, h, c.records);
        for (int i = 0; i < c.undos; ++i)
            h.Undo();
        t.setSelectionStart(t.length());
        h.RecordUndoStep(ukInsert, "X");
        t.replaceSelection("X");
        EXPECT_FALSE(h.CanRedo());
        EXPECT_EQ(h.count(), c.countAfter);
        for (int i = 0; i < c.countAfter; ++i)
            h.Undo();
        EXPECT_FALSE(h.CanUndo());
        EXPECT_EQ(t.text(), c.textAfterAllUndos);
    }
}

TEST(UndoHistory, UndoAndRedoReportChanges)
{
    MemoryText t("ab");
    UndoHistory h(t);
    int changes = 0;
    h.onChanged = [&] { ++changes; };
    h.Undo();
    EXPECT_EQ(changes, 0) << "nothing to undo";
    h.RecordUndoStep(ukInsert, "x");
    t.replaceSelection("x");
    h.runKind = runInsertTyping;
    h.Undo();
    EXPECT_EQ(h.runKind, runNone);
    h.Redo();
    h.Redo();
    EXPECT_EQ(changes, 2);
}

// The model of a history: the page after every applied record, oldest
// first; states[cur] is the page now.
struct Model
{
    std::vector<QString> states;
    int cur = 0;
    bool recycled = false;
};

// The state of the history that tells a new record from a merged one.
struct Mark
{
    UndoRecord *current;
    bool live;
};

TEST(UndoHistory, RandomEditsUndoToTheStartAndRedoToTheEnd)
{
    const QString start = "<HTML>\r\n<BODY>\r\nBonjour le monde\r\n</BODY>\r\n</HTML>";
    const QStringList pieces = {"a",    "b", "Z", " ", "<", ">", QString::fromUtf8("é"), QString::fromUtf8("😀"),
                                "\r\n", "xy"};
    struct Run
    {
        unsigned seed;
        int steps;
    };
    // Short runs stay within the ring and go back to the very start.
    for (const Run run : {Run{1, 600}, Run{7, 600}, Run{42, 40}, Run{2024, 50}}) {
        const unsigned seed = run.seed;
        SCOPED_TRACE(seed);
        std::mt19937 rng(seed);
        auto pick = [&](int n) { return int(rng() % unsigned(std::max(1, n))); };
        MemoryText t(start);
        UndoHistory h(t);
        TypingEdits e(t, h);
        Model m{{t.text()}, 0, false};

        for (int step = 0; step < run.steps; ++step) {
            const Mark before{h.current(), h.live()};
            const int op = pick(20);
            if (op < 3) {
                h.Undo();
                if (m.cur > 0)
                    --m.cur;
                ASSERT_EQ(t.text(), m.states[m.cur]) << "undo at step " << step;
                continue;
            }
            if (op < 5) {
                h.Redo();
                if (m.cur + 1 < int(m.states.size()))
                    ++m.cur;
                ASSERT_EQ(t.text(), m.states[m.cur]) << "redo at step " << step;
                continue;
            }
            if (op < 7) {
                t.setSelectionStart(pick(t.length() + 1));
                continue;
            }
            if (op == 7) {
                const int s = pick(t.length() + 1);
                t.select(s, pick(8));
                continue;
            }
            const QString piece = pieces[pick(int(pieces.size()))];
            switch (op) {
            case 8:
            case 9:
                e.typeText(piece, true);
                break;
            case 10:
                e.typeText(piece, false);
                break;
            case 11:
                e.backspace();
                break;
            case 12:
                e.deleteForward();
                break;
            case 13:
                e.newLine();
                break;
            case 14:
                e.tab();
                break;
            case 15:
                e.moveSelection(pick(t.length() + 1));
                break;
            case 16: {
                // A tag pair around the selection, as the insertion engine
                // writes it.
                const int s = t.selectionStart();
                const int l = t.selectionLength();
                h.RecordUndoStep(ukWrap, "<B>", "</B>");
                t.setSelectionStart(s + l);
                t.replaceSelection("</B>");
                t.setSelectionStart(s);
                t.replaceSelection("<B>");
                break;
            }
            case 17:
                h.RecordUndoStep(t.selectionLength() > 0 ? ukReplace : ukInsert, piece);
                t.replaceSelection(piece);
                break;
            case 18:
                h.RecordUndoStep(ukCut);
                t.deleteSelection();
                break;
            default: {
                const QString old = t.text();
                h.RecordUndoStep(ukWholeText, old);
                h.current()->text2 = old.toUpper();
                t.setText(old.toUpper());
                break;
            }
            }
            const bool newRecord = h.current() != before.current || h.live() != before.live;
            if (newRecord) {
                m.states.resize(m.cur + 1);
                m.states.push_back(t.text());
                ++m.cur;
                if (int(m.states.size()) > UndoHistory::MaxRecords + 1) {
                    m.states.erase(m.states.begin());
                    --m.cur;
                    m.recycled = true;
                }
            } else {
                m.states[m.cur] = t.text();
            }
            ASSERT_EQ(h.CanUndo(), m.cur > 0) << "step " << step;
            ASSERT_EQ(h.CanRedo(), m.cur + 1 < int(m.states.size())) << "step " << step;
        }

        const QString end = m.states.back();
        while (m.cur < int(m.states.size()) - 1) {
            h.Redo();
            ++m.cur;
        }
        ASSERT_EQ(t.text(), end);
        int undos = 0;
        while (h.CanUndo()) {
            h.Undo();
            ++undos;
        }
        EXPECT_EQ(undos, int(m.states.size()) - 1);
        EXPECT_EQ(t.text(), m.states.front());
        if (run.steps < 100) {
            EXPECT_FALSE(m.recycled);
            EXPECT_EQ(t.text(), start);
        }
        while (h.CanRedo())
            h.Redo();
        EXPECT_EQ(t.text(), end);
    }
}

} // namespace
