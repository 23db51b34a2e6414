#include "app/memorytext.h"
#include "app/typingedits.h"
#include "app/undohistory.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

struct Page
{
    explicit Page(const QString &text)
        : t(text)
        , h(t)
        , e(t, h)
    {}
    MemoryText t;
    UndoHistory h;
    TypingEdits e;

    void type(const QString &s, bool insertMode = true)
    {
        for (const QChar c : s)
            e.typeText(QString(c), insertMode);
    }
    void keys(int n, void (TypingEdits::*key)())
    {
        for (int i = 0; i < n; ++i)
            (e.*key)();
    }
};

// A sequence of keys on a page: the page after them, and after one Undo
// (with the caret or selection it leaves).
struct KeyCase
{
    const char *name;
    QString initial;
    int selStart;
    int selLength;
    std::function<void(Page &)> keys;
    QString typed;
    QString undone;
    int undoneStart;
    int undoneLength;
};

TEST(TypingEdits, OneUndoRevertsOneRun)
{
    const QString emoji = QString::fromUtf8("😀");
    const KeyCase cases[] = {
        {"typed word", "", 0, 0, [](Page &p) { p.type("abc"); }, "abc", "", 0, 0},
        {"caret move ends the run", "", 0, 0,
         [](Page &p) {
             p.type("ab");
             p.t.setSelectionStart(1);
             p.type("XY");
         },
         "aXYb", "ab", 1, 0},
        {"typing over a selection", "abcd", 1, 2, [](Page &p) { p.type("XY"); }, "aXYd", "abcd", 1, 2},
        {"five backspaces", "abcdefgh", 7, 0, [](Page &p) { p.keys(5, &TypingEdits::backspace); }, "abh", "abcdefgh", 7,
         0},
        {"backspace at the start of a line", "ab\r\ncd", 4, 0, [](Page &p) { p.e.backspace(); }, "abcd", "ab\r\ncd", 4,
         0},
        {"backspace over a selection", "abcd", 1, 2, [](Page &p) { p.e.backspace(); }, "ad", "abcd", 1, 2},
        {"backspace over a surrogate pair", "a" + emoji + "b", 3, 0, [](Page &p) { p.e.backspace(); }, "ab",
         "a" + emoji + "b", 3, 0},
        {"delete run through a line end", "ab\r\ncd", 1, 0, [](Page &p) { p.keys(3, &TypingEdits::deleteForward); },
         "ad", "ab\r\ncd", 1, 0},
        {"delete on an empty line", "a\r\n\r\nb", 3, 0, [](Page &p) { p.e.deleteForward(); }, "a\r\nb", "a\r\n\r\nb", 3,
         2},
        {"delete before a surrogate pair", "a" + emoji + "b", 1, 0, [](Page &p) { p.e.deleteForward(); }, "ab",
         "a" + emoji + "b", 1, 0},
        {"three enters", "ab", 1, 0, [](Page &p) { p.keys(3, &TypingEdits::newLine); }, "a\r\n\r\n\r\nb", "ab", 1, 0},
        {"enter over a selection", "abcd", 1, 2, [](Page &p) { p.e.newLine(); }, "a\r\nd", "abcd", 1, 2},
        {"overwrite", "abcd", 1, 0, [](Page &p) { p.type("XY", false); }, "aXYd", "abcd", 1, 2},
        {"overwrite past the end of a line", "ab\r\nc", 1, 0, [](Page &p) { p.type("XYZ", false); }, "aXYZ\r\nc",
         "ab\r\nc", 1, 1},
        {"overwrite at the end of a line", "ab\r\ncd", 2, 0, [](Page &p) { p.type("X", false); }, "abX\r\ncd",
         "ab\r\ncd", 2, 0},
        {"overwrite a surrogate pair", emoji + "b", 0, 0, [](Page &p) { p.type("X", false); }, "Xb", emoji + "b", 0, 2},
        {"tab collapses the selection", "abcd", 1, 2, [](Page &p) { p.e.tab(); }, "a\tbcd", "abcd", 1, 0},
        {"word deletion", "un deux", 2, 0, [](Page &p) { p.e.deleteRange(2, 5); }, "un", "un deux", 2, 5},
        {"typed line break", "ab", 1, 0, [](Page &p) { p.e.typeText("\n", true); }, "a\r\nb", "ab", 1, 0},
    };
    for (const KeyCase &c : cases) {
        SCOPED_TRACE(c.name);
        Page p(c.initial);
        p.t.select(c.selStart, c.selLength);
        c.keys(p);
        const int typedCaret = p.t.selectionStart();
        ASSERT_EQ(p.t.text(), c.typed);
        p.h.Undo();
        EXPECT_EQ(p.t.text(), c.undone);
        EXPECT_EQ(p.t.selectionStart(), c.undoneStart);
        EXPECT_EQ(p.t.selectionLength(), c.undoneLength);
        p.h.Redo();
        EXPECT_EQ(p.t.text(), c.typed) << "redo";
        EXPECT_EQ(p.t.selectionStart(), typedCaret) << "redo";
    }
}

TEST(TypingEdits, ThreeEntersAreOneRecordOfThree)
{
    Page p("ab");
    p.t.setSelectionStart(1);
    p.keys(3, &TypingEdits::newLine);
    EXPECT_EQ(p.h.count(), 1);
    EXPECT_EQ(p.h.current()->kind, ukNewlines);
    EXPECT_EQ(p.h.current()->text1, "3");
}

TEST(TypingEdits, KeysThatChangeNothingRecordNothing)
{
    const std::pair<const char *, std::function<void(Page &)>> cases[] = {
        {"backspace at the start of the page", [](Page &p) { p.e.backspace(); }},
        {"delete at the end of the page",
         [](Page &p) {
             p.t.setSelectionStart(p.t.length());
             p.e.deleteForward();
         }},
        {"move onto itself",
         [](Page &p) {
             p.t.select(1, 2);
             EXPECT_FALSE(p.e.moveSelection(2));
         }},
        {"empty word deletion", [](Page &p) { p.e.deleteRange(1, 0); }},
    };
    for (const auto &[name, keys] : cases) {
        SCOPED_TRACE(name);
        Page p("ab\r\ncd");
        keys(p);
        EXPECT_EQ(p.t.text(), "ab\r\ncd");
        EXPECT_FALSE(p.h.CanUndo());
    }
}

TEST(TypingEdits, RunsNeverGrowAnotherCommandsRecord)
{
    // A Backspace run, then a command inserts a tag without a selection, then
    // Backspace where the command's record would line up with the run.
    Page p("xyabcd");
    p.t.setSelectionStart(6);
    p.e.backspace();
    p.h.RecordUndoStep(ukInsert, "<P>");
    p.t.replaceSelection("<P>");
    p.t.setSelectionStart(2);
    p.e.backspace();
    ASSERT_EQ(p.t.text(), "xabc<P>");
    p.h.Undo();
    EXPECT_EQ(p.t.text(), "xyabc<P>");
    p.h.Undo();
    EXPECT_EQ(p.t.text(), "xyabc");
    p.h.Undo();
    EXPECT_EQ(p.t.text(), "xyabcd");

    // The same for an Enter run meeting a command's record.
    Page q("ab");
    q.t.setSelectionStart(1);
    q.e.newLine();
    q.h.RecordUndoStep(ukInsert, "<BR>");
    q.t.replaceSelection("<BR>");
    q.t.setSelectionStart(3);
    q.e.newLine();
    EXPECT_EQ(q.h.current()->kind, ukNewlines);
    q.h.Undo();
    q.h.Undo();
    q.h.Undo();
    EXPECT_EQ(q.t.text(), "ab");

    // Typing after a command's insertion (a paste) is a step of its own.
    Page r("");
    r.type("ab");
    r.h.RecordUndoStep(ukInsert, "XY");
    r.t.replaceSelection("XY");
    r.type("cd");
    r.h.Undo();
    EXPECT_EQ(r.t.text(), "abXY");
}

TEST(TypingEdits, MovedSelectionGoesBackInOneUndo)
{
    const struct
    {
        int target;
        QString moved;
        int movedStart;
    } cases[] = {{5, "adebcf", 3}, {0, "bcadef", 0}, {6, "adefbc", 4}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.target);
        Page p("abcdef");
        p.t.select(1, 2);
        ASSERT_TRUE(p.e.moveSelection(c.target));
        EXPECT_EQ(p.t.text(), c.moved);
        EXPECT_EQ(p.t.selectionStart(), c.movedStart);
        EXPECT_EQ(p.t.selectionLength(), 2);
        p.h.Undo();
        EXPECT_EQ(p.t.text(), "abcdef");
        EXPECT_EQ(p.t.selectionStart(), 1);
        p.h.Redo();
        EXPECT_EQ(p.t.text(), c.moved);
    }
}

TEST(TypingEdits, TextDraggedOutComesBackOnUndo)
{
    Page p("ab\r\ncdef");
    p.t.select(1, 4);
    const QString removed = p.t.selectedText();
    p.t.deleteSelection();
    p.e.recordRemoved(1, removed);
    ASSERT_EQ(p.t.text(), "adef");
    p.h.Undo();
    EXPECT_EQ(p.t.text(), "ab\r\ncdef");
    p.h.Redo();
    EXPECT_EQ(p.t.text(), "adef");
}

TEST(TypingEdits, DroppedTextCountsItsLineBreaks)
{
    Page p("ab");
    p.e.insertText(1, QStringLiteral("x\ny") + QChar(QChar::ParagraphSeparator) + "z");
    EXPECT_EQ(p.t.text(), "ax\r\ny\r\nzb");
    p.h.Undo();
    EXPECT_EQ(p.t.text(), "ab");
}

} // namespace
