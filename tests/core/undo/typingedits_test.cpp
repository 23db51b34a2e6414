#include "core/text/memorytext.h"
#include "core/undo/typingedits.h"
#include "core/undo/undohistory.h"
#include "support/marked.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

struct Page
{
    explicit Page(const QString &markedText)
        : h(t)
        , e(t, h)
    {
        setMarked(t, markedText);
    }
    MemoryText t;
    UndoHistory h;
    TypingEdits e;
};

using Keys = std::function<void(Page &)>;

Keys typing(const QString &s, bool insertMode = true)
{
    return [=](Page &p) {
        for (const QChar c : s)
            p.e.typeText(QString(c), insertMode);
    };
}

Keys pressing(void (TypingEdits::*key)(), int times = 1)
{
    return [=](Page &p) {
        for (int i = 0; i < times; ++i)
            (p.e.*key)();
    };
}

TEST(TypingEdits, OneUndoRevertsOneRun)
{
    const QString emoji = QString::fromUtf8("😀");
    const struct
    {
        const char *name;
        QString before;
        Keys keys;
        QString typed;
        QString undone;
    } cases[] = {
        {"typed word", "|", typing("abc"), "abc|", "|"},
        {"backspace at the start of a line", "ab\r\n|cd", pressing(&TypingEdits::backspace), "ab|cd", "ab\r\n|cd"},
        {"backspace over a surrogate pair", "a" + emoji + "|b", pressing(&TypingEdits::backspace), "a|b",
         "a" + emoji + "|b"},
        {"delete run through a line end", "a|b\r\ncd", pressing(&TypingEdits::deleteForward, 3), "a|d", "a|b\r\ncd"},
        {"delete before a surrogate pair", "a|" + emoji + "b", pressing(&TypingEdits::deleteForward), "a|b",
         "a|" + emoji + "b"},
        {"overwrite past the end of a line", "a|b\r\nc", typing("XYZ", false), "aXYZ|\r\nc", "a[b]\r\nc"},
        {"overwrite a surrogate pair", "|" + emoji + "b", typing("X", false), "X|b", "[" + emoji + "]b"},
        {"delete before a letter with its accent", "a|e\u0301b", pressing(&TypingEdits::deleteForward), "a|b",
         "a|e\u0301b"},
        {"overwrite a letter with its accent", "|e\u0301b", typing("X", false), "X|b", "[e\u0301]b"},
        {"word deletion", "un| deux", [](Page &p) { p.e.deleteRange(2, 5); }, "un|", "un[ deux]"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Page p(c.before);
        c.keys(p);
        ASSERT_EQ(marked(p.t), c.typed);
        p.h.Undo();
        EXPECT_EQ(marked(p.t), c.undone);
        EXPECT_FALSE(p.h.CanUndo()) << "one step for the whole run";
        p.h.Redo();
        EXPECT_EQ(marked(p.t), c.typed) << "redo";
    }
}

TEST(TypingEdits, RunsEnd)
{
    const struct
    {
        const char *name;
        Keys keys;
        QString afterOneUndo;
    } cases[] = {
        {"at a caret move",
         [](Page &p) {
             typing("ab")(p);
             p.t.setSelectionStart(1);
             typing("XY")(p);
         },
         "a|b"},
        // A command's record between two keys of a run never takes the
        // next key: that would corrupt the command's record.
        {"at a command's record",
         [](Page &p) {
             typing("xyabcd")(p);
             pressing (&TypingEdits::backspace)(p);
             p.h.RecordUndoStep(ukInsert, "<P>");
             p.t.replaceSelection("<P>");
             p.t.setSelectionStart(2);
             pressing (&TypingEdits::backspace)(p);
         },
         "xy|abc<P>"},
        {"at a paste",
         [](Page &p) {
             typing("ab")(p);
             p.h.RecordUndoStep(ukInsert, "XY");
             p.t.replaceSelection("XY");
             typing("cd")(p);
         },
         "abXY|"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Page p("|");
        c.keys(p);
        p.h.Undo();
        EXPECT_EQ(marked(p.t), c.afterOneUndo);
        while (p.h.CanUndo())
            p.h.Undo();
        EXPECT_EQ(p.t.text(), "");
    }
}

TEST(TypingEdits, KeysThatChangeNothingRecordNothing)
{
    const std::pair<QString, Keys> cases[] = {
        {"|ab\r\ncd", pressing(&TypingEdits::backspace)},
        {"ab\r\ncd|", pressing(&TypingEdits::deleteForward)},
        {"a[b]\r\ncd", [](Page &p) { EXPECT_FALSE(p.e.moveSelection(2)); }},
        {"a|b\r\ncd", [](Page &p) { p.e.deleteRange(1, 0); }},
    };
    for (const auto &[before, keys] : cases) {
        SCOPED_TRACE(before.toStdString());
        Page p(before);
        keys(p);
        EXPECT_EQ(p.t.text(), "ab\r\ncd");
        EXPECT_FALSE(p.h.CanUndo());
    }
}

TEST(TypingEdits, MovesAndDropsAreOneStep)
{
    const struct
    {
        const char *name;
        Keys keys;
        QString done;
    } cases[] = {
        {"move forward", [](Page &p) { p.e.moveSelection(5); }, "ade[bc]f"},
        {"drop with line breaks", [](Page &p) { p.e.insertText(4, "x\ny" + QString(QChar::ParagraphSeparator)); },
         "abcdx\r\ny\r\n|ef"},
        {"dragged out",
         [](Page &p) {
             p.t.deleteSelection();
             p.e.recordRemoved(1, "bc");
         },
         "a|def"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Page p("a[bc]def");
        c.keys(p);
        EXPECT_EQ(marked(p.t), c.done);
        p.h.Undo();
        EXPECT_EQ(p.t.text(), "abcdef");
        EXPECT_FALSE(p.h.CanUndo());
        p.h.Redo();
        EXPECT_EQ(marked(p.t), c.done);
    }
}

} // namespace
