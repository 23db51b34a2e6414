#include "core/markup/insertion.h"

#include "core/markup/editorstate.h"
#include "core/text/memorytext.h"
#include "support/marked.h"

#include <gtest/gtest.h>

namespace {

struct Page
{
    explicit Page(const QString &markedText) { setMarked(text, markedText); }
    QString shown() const { return marked(text); }
    MemoryText text;
    UndoHistory undo{text};
};

struct Piece
{
    QString start, end;
    bool newStep;
    UndoKind kind;
};

void insertPieces(Page &page, EditorState &state, const std::vector<Piece> &pieces)
{
    for (const Piece &p : pieces)
        InsertTagPair(page.text, page.undo, state, p.start, p.end, p.newStep, true, p.kind);
}

QString plain(const QString &markedText)
{
    return Page(markedText).text.text();
}

TEST(InsertTagPair, OneCallPlacesTheTextsAsOneUndoableStep)
{
    const struct
    {
        const char *name;
        QString before, start, end;
        UndoKind kind;
        QString after;
        bool undoable; // ukPlain restores nothing
    } cases[] = {
        {"wrap keeps the word selected", "say [hello] now", "<B>", "</B>", ukWrap, "say <B>[hello]</B> now", true},
        {"comment caret after its blank", "|", "<!-- ", " -->", ukWrap, "<!-- | -->", true},
        {"single tag replaces selection", "a[bc]d", "<BR>", "", ukInsert, "a<BR>|d", true},
        {"replace element with a pair", "x[<APPLET>\r\n</APPLET>]y", "<APPLET C>", "</APPLET>", ukReplace,
         "x<APPLET C>|</APPLET>y", true},
        {"plain: start text only", "a[bc]d", "<IMG>", "</X>", ukPlain, "a<IMG>|d", false},
        {"line breaks become CR LF", "a|b", "<P>\nx\ry", "", ukInsert, "a<P>\r\nx\r\ny|b", true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Page page(c.before);
        EditorState state;
        page.undo.runKind = runInsertTyping;
        InsertTagPair(page.text, page.undo, state, c.start, c.end, true, true, c.kind);
        EXPECT_EQ(page.shown(), c.after);
        EXPECT_EQ(page.undo.runKind, runNone);
        EXPECT_EQ(state.LastStartTexts, QStringList{toCrLf(c.start)});
        EXPECT_EQ(state.LastEndTexts, QStringList{c.end});
        EXPECT_EQ(page.undo.count(), 1);
        if (!c.undoable)
            continue;
        page.undo.Undo();
        EXPECT_EQ(page.shown(), c.before);
        page.undo.Redo();
        EXPECT_EQ(page.text.text(), plain(c.after));
    }
}

TEST(InsertTagPair, RememberingFollowsTheFlags)
{
    Page page("|");
    EditorState state;
    state.LastStartTexts = QStringList{"<OLD>"};
    state.LastEndTexts = QStringList{""};
    InsertTagPair(page.text, page.undo, state, "<X>", "", true, false, ukInsert);
    EXPECT_EQ(state.LastStartTexts, QStringList{"<OLD>"});
    InsertTagPair(page.text, page.undo, state, "", "", true, true, ukInsert);
    EXPECT_FALSE(CanRepeatLastCommand(state)) << "a new step clears; an empty pair is not kept";
}

// A generator's output in pieces: one undo step, one repeatable command.
TEST(InsertTagPair, PiecesFormOneStep)
{
    const struct
    {
        const char *name;
        QString before;
        std::vector<Piece> pieces;
        QString after;
        QStringList remembered;
    } cases[] = {
        {"five pieces at the caret",
         "a|b",
         {{"<T>", "", true, ukInsert},
          {"\r\n<R>", "", false, ukInsert},
          {"<D>", "", false, ukInsert},
          {"</R>", "", false, ukInsert},
          {"</T>", "", false, ukInsert}},
         "a<T>\r\n<R><D></R></T>|b",
         {"<T>", "\r\n<R>", "<D>", "</R>", "</T>"}},
        {"inside a replaced element",
         "x[<APPLET A>]y",
         {{"<APPLET B>", "</APPLET>", true, ukReplace}, {"<P1>", "", false, ukInsert}, {"<P2>", "", false, ukInsert}},
         "x<APPLET B><P1><P2>|</APPLET>y",
         {"<APPLET B>", "<P1>", "<P2>"}},
        {"inside a wrap",
         "[w]",
         {{"<A>", "</A>", true, ukWrap}, {"<B>", "</B>", false, ukInsert}},
         "<A><B>[w]</B></A>",
         {"<A>", "<B>"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Page page(c.before);
        EditorState state;
        insertPieces(page, state, c.pieces);
        EXPECT_EQ(page.shown(), c.after);
        EXPECT_EQ(state.LastStartTexts, c.remembered);
        EXPECT_EQ(state.LastEndTexts.size(), c.remembered.size());
        page.undo.Undo();
        EXPECT_EQ(page.text.text(), plain(c.before));
        EXPECT_FALSE(page.undo.CanUndo());
        page.undo.Redo();
        EXPECT_EQ(page.text.text(), plain(c.after));
    }
}

TEST(InsertTagPair, PieceWithoutAnOpenStepIsUndoableOnItsOwn)
{
    EditorState state;
    Page fresh("a|"); // nothing to join: no crash
    InsertTagPair(fresh.text, fresh.undo, state, "<X>", "", false, true, ukInsert);
    fresh.undo.Undo();
    EXPECT_EQ(fresh.shown(), "a|");

    Page undone("a|"); // the step was undone: it must not grow
    InsertTagPair(undone.text, undone.undo, state, "<B>", "</B>", true, true, ukWrap);
    undone.undo.Undo();
    InsertTagPair(undone.text, undone.undo, state, "<Y>", "", false, true, ukInsert);
    EXPECT_FALSE(undone.undo.CanRedo());
    undone.undo.Undo();
    EXPECT_EQ(undone.text.text(), "a");

    Page moved("head|body"); // the caret left the step's text
    InsertTagPair(moved.text, moved.undo, state, "<P>", "", true, true, ukInsert);
    moved.text.setSelectionStart(0);
    InsertTagPair(moved.text, moved.undo, state, "<X>", "", false, true, ukInsert);
    EXPECT_EQ(moved.text.text(), "<X>head<P>body");
    moved.undo.Undo();
    moved.undo.Undo();
    EXPECT_EQ(moved.text.text(), "headbody");
}

TEST(RepeatLastCommand, ReplaysInAnotherDocumentAsOneStep)
{
    const struct
    {
        const char *name;
        std::vector<Piece> command;
        QString target, after;
    } cases[] = {
        {"nothing remembered", {}, "a[b]c", "a[b]c"},
        {"single tag over a selection", {{"<BR>", "", true, ukInsert}}, "a[b]c", "a<BR>|c"},
        {"wrapping pieces",
         {{"<A>", "</A>", true, ukWrap}, {"<B>", "</B>", false, ukInsert}},
         "-[w]-",
         "-<A><B>[w]</B></A>-"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EditorState state;
        Page first("|");
        insertPieces(first, state, c.command);
        const EditorState remembered = state;
        EXPECT_EQ(CanRepeatLastCommand(state), !c.command.empty());

        Page second(c.target);
        RepeatLastCommand(second.text, second.undo, state);
        EXPECT_EQ(second.shown(), c.after);
        EXPECT_EQ(state.LastStartTexts, remembered.LastStartTexts);
        EXPECT_EQ(state.LastEndTexts, remembered.LastEndTexts);
        EXPECT_EQ(second.undo.count(), c.command.empty() ? 0 : 1);
        second.undo.Undo();
        EXPECT_EQ(second.text.text(), plain(c.target));
    }
}

TEST(EditCommands, PasteIsTheLastCommandAndReplacesASelection)
{
    Page page("one [two] three");
    EditorState state;
    PasteText(page.text, page.undo, state, QString());
    EXPECT_FALSE(page.undo.CanUndo()) << "an empty clipboard changes nothing";
    PasteText(page.text, page.undo, state, "2");
    EXPECT_EQ(page.shown(), "one 2| three");
    EXPECT_EQ(page.undo.current()->kind, ukReplace);
    page.text.select(0, 3);
    RepeatLastCommand(page.text, page.undo, state);
    EXPECT_EQ(page.shown(), "2| 2 three");
    page.text.setSelectionStart(page.text.length());
    PasteText(page.text, page.undo, state, "\nend");
    EXPECT_EQ(page.shown(), "2 2 three\r\nend|");
    EXPECT_EQ(page.undo.current()->kind, ukInsert);
    for (int i = 0; i < 3; ++i)
        page.undo.Undo();
    EXPECT_EQ(page.shown(), "one [two] three");
}

TEST(EditCommands, CutDeleteAndReplaceSelection)
{
    Page page("a[b\r\nc]d");
    EditorState state;
    page.undo.runKind = runBackspace;
    EXPECT_EQ(CutSelection(page.text, page.undo), "b\r\nc");
    EXPECT_EQ(page.shown(), "a|d");
    EXPECT_EQ(page.undo.current()->kind, ukCut);
    EXPECT_EQ(page.undo.runKind, runNone);
    page.undo.Undo();
    DeleteSelection(page.text, page.undo);
    EXPECT_EQ(page.shown(), "a|d");
    EXPECT_EQ(page.undo.current()->kind, ukDeleteSelection);
    page.undo.Undo();
    ReplaceSelection(page.text, page.undo, state, "XY");
    EXPECT_EQ(page.shown(), "aXY|d");
    EXPECT_EQ(page.undo.current()->kind, ukReplace);
    EXPECT_EQ(state.LastStartTexts, QStringList{"XY"});
    page.undo.Undo();
    EXPECT_EQ(page.shown(), "a[b\r\nc]d");

    // Without a selection they do nothing, and keep what Redo offers.
    page.text.setSelectionStart(0);
    ASSERT_TRUE(page.undo.CanRedo());
    EXPECT_EQ(CutSelection(page.text, page.undo), QString());
    DeleteSelection(page.text, page.undo);
    ReplaceSelection(page.text, page.undo, state, "x");
    EXPECT_EQ(page.shown(), "|ab\r\ncd");
    EXPECT_TRUE(page.undo.CanRedo());
}

} // namespace
