#include "core/text/memorytext.h"
#include "core/undo/typingedits.h"
#include "core/undo/undohistory.h"
#include "support/marked.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

namespace {

using Action = std::function<void(MemoryText &, UndoHistory &)>;

Action typed(const QString &s)
{
    return [s](MemoryText &t, UndoHistory &) { t.replaceSelection(s); };
}

const Action nothing = [](MemoryText &, UndoHistory &) {};

// One record: the page before (selection marked), the record, what its
// caller then does, and the page after that, after Undo and after Redo.
struct KindCase
{
    const char *name;
    QString before;
    UndoKind kind;
    QString text1;
    QString text2;
    Action action;
    QString done;
    QString undone;
    QString redone;
    int savedCaret = 0;
};

TEST(UndoHistory, EveryKindUndoesAndRedoes)
{
    const Action wrap = [](MemoryText &t, UndoHistory &) {
        t.setSelectionStart(3);
        t.replaceSelection("</B>");
        t.setSelectionStart(1);
        t.replaceSelection("<B>");
    };
    const Action convert = [](MemoryText &t, UndoHistory &h) {
        h.current()->text2 = "A\r\nB";
        t.setText("A\r\nB");
    };
    const KindCase cases[] = {
        {"wrap", "a[bc]d", ukWrap, "<B>", "</B>", wrap, "a<B>bc</B>d", "a[bc]d", "a<B>|bc</B>d"},
        {"newlines counting no number", "a|b", ukNewlines, "x", "", nothing, "ab", "a|b", "a|b"},
        {"join line at the start of the page", "|abc", ukJoinLine, "", "", nothing, "abc", "|abc", "|abc"},
        {"drag move", "ade[bc]f", ukDragMove, "", "", nothing, "adebcf", "a[bc]def", "ade[bc]f", 1},
        // With nothing selected the redo goes back to the same place, not
        // to the start of the page.
        {"replace without a selection", "ab|cd", ukReplace, "X", "", typed("X"), "abXcd", "ab|cd", "abX|cd"},
        {"whole text", "a|\r\nb", ukWholeText, "a\r\nb", "", convert, "A\r\nB", "|a\r\nb", "|A\r\nB"},
    };
    for (const KindCase &c : cases) {
        SCOPED_TRACE(c.name);
        MemoryText t;
        UndoHistory h(t);
        setMarked(t, c.before);
        h.savedCaret = c.savedCaret;
        h.RecordUndoStep(c.kind, c.text1, c.text2);
        c.action(t, h);
        ASSERT_EQ(t.text(), c.done);
        // Twice round, so that Undo and Redo also leave the history right.
        for (int round = 0; round < 2; ++round) {
            h.Undo();
            EXPECT_EQ(marked(t), c.undone);
            EXPECT_FALSE(h.CanUndo());
            EXPECT_TRUE(h.CanRedo());
            h.Redo();
            EXPECT_EQ(marked(t), c.redone);
            EXPECT_TRUE(h.CanUndo());
            EXPECT_FALSE(h.CanRedo());
        }
    }
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

TEST(UndoHistory, UndoAndRedoReportChangesAndEndTheRun)
{
    MemoryText t("ab");
    UndoHistory h(t);
    int changes = 0;
    h.onChanged = [&] { ++changes; };
    h.Undo();
    typeRecords(t, h, 1);
    h.runKind = runInsertTyping;
    h.Undo();
    EXPECT_EQ(h.runKind, runNone);
    h.Redo();
    h.Redo();
    EXPECT_EQ(changes, 2) << "only the Undo and the Redo that did something";
}

TEST(UndoHistory, RandomEditsUndoToTheStartAndRedoToTheEnd)
{
    const QString start = "<HTML>\r\n<BODY>\r\nBonjour le monde\r\n</BODY>\r\n</HTML>";
    const QStringList pieces = {"a", "Z", " ", "<", QString::fromUtf8("é"), QString::fromUtf8("😀"), "\r\n", "xy"};
    // Short runs stay within the ring and go back to the very start.
    for (const auto &[seed, steps] : {std::pair{1u, 600}, {7u, 600}, {42u, 40}, {2024u, 50}}) {
        SCOPED_TRACE(seed);
        std::mt19937 rng(seed);
        auto pick = [&](int n) { return int(rng() % unsigned(std::max(1, n))); };
        MemoryText t(start);
        UndoHistory h(t);
        TypingEdits e(t, h);
        auto piece = [&] { return pieces[pick(int(pieces.size()))]; };
        const std::vector<std::function<void()>> edits = {
            [&] { e.typeText(piece(), true); },
            [&] { e.typeText(piece(), false); },
            [&] { e.backspace(); },
            [&] { e.deleteForward(); },
            [&] { e.newLine(); },
            [&] { e.tab(); },
            [&] { e.moveSelection(pick(t.length() + 1)); },
            [&] { // a tag pair around the selection, as the insertion engine writes it
                const int s = t.selectionStart();
                const int l = t.selectionLength();
                h.RecordUndoStep(ukWrap, "<B>", "</B>");
                t.setSelectionStart(s + l);
                t.replaceSelection("</B>");
                t.setSelectionStart(s);
                t.replaceSelection("<B>");
            },
            [&] {
                const QString s = piece();
                h.RecordUndoStep(t.selectionLength() > 0 ? ukReplace : ukInsert, s);
                t.replaceSelection(s);
            },
            [&] {
                h.RecordUndoStep(ukCut);
                t.deleteSelection();
            },
            [&] {
                const QString old = t.text();
                h.RecordUndoStep(ukWholeText, old);
                h.current()->text2 = old.toUpper();
                t.setText(old.toUpper());
            },
        };

        // The page after every applied record, oldest first; states[cur] is
        // the page now.
        std::vector<QString> states{t.text()};
        int cur = 0;
        bool recycled = false;
        for (int step = 0; step < steps; ++step) {
            const int op = pick(int(edits.size()) + 6);
            if (op < 2) {
                h.Undo();
                cur = std::max(0, cur - 1);
            } else if (op < 4) {
                h.Redo();
                cur = std::min(int(states.size()) - 1, cur + 1);
            } else if (op < 6) {
                t.select(pick(t.length() + 1), op == 4 ? 0 : pick(8));
            } else {
                UndoRecord *const before = h.current();
                const bool wasLive = h.live();
                edits[op - 6]();
                if (h.current() != before || h.live() != wasLive) { // a new record
                    states.resize(cur + 1);
                    states.push_back(t.text());
                    if (++cur > UndoHistory::MaxRecords) {
                        states.erase(states.begin());
                        --cur;
                        recycled = true;
                    }
                } else { // merged into the current record, or nothing done
                    states[cur] = t.text();
                }
            }
            ASSERT_EQ(t.text(), states[cur]) << "step " << step;
            ASSERT_EQ(h.CanUndo(), cur > 0) << "step " << step;
            ASSERT_EQ(h.CanRedo(), cur + 1 < int(states.size())) << "step " << step;
        }

        while (h.CanRedo())
            h.Redo();
        ASSERT_EQ(t.text(), states.back());
        int undos = 0;
        for (; h.CanUndo(); ++undos)
            h.Undo();
        EXPECT_EQ(undos, int(states.size()) - 1);
        EXPECT_EQ(t.text(), states.front());
        if (steps < 100) {
            EXPECT_FALSE(recycled);
            EXPECT_EQ(t.text(), start);
        }
        while (h.CanRedo())
            h.Redo();
        EXPECT_EQ(t.text(), states.back());
    }
}

} // namespace
