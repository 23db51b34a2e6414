#include "app/editortext.h"
#include "app/editorwidget.h"
#include "app/typingrecorder.h"
#include "app/undohistory.h"
#include "tags/editorstate.h"

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace {

// A page in a real editor with its history and recorder, as a document
// window holds them (the recorder goes first when it closes).
struct Page
{
    explicit Page(const QString &initial)
        : text(&editor)
    {
        text.setText(initial);
        text.setModified(false);
        editor.resize(400, 300);
        editor.show();
    }
    EditorWidget editor;
    EditorText text;
    UndoHistory history{text};
    EditorState state;
    TypingRecorder recorder{&editor, text, history, state};

    void key(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier, int times = 1)
    {
        for (int i = 0; i < times; ++i)
            QTest::keyClick(&editor, k, mods);
    }
};

struct KeyCase
{
    const char *name;
    QString initial;
    int selStart;
    int selLength;
    std::function<void(Page &)> keys;
    QString typed;
    QString undone;
    int undoneCaret;
    bool moreSteps = false;
};

TEST(TypingRecorder, KeysAreOneUndoStepEach)
{
    const KeyCase cases[] = {
        {"typed word", "", 0, 0, [](Page &p) { QTest::keyClicks(&p.editor, "abc"); }, "abc", "", 0},
        {"caret move ends the run", "", 0, 0,
         [](Page &p) {
             QTest::keyClicks(&p.editor, "ab");
             p.key(Qt::Key_Left);
             QTest::keyClicks(&p.editor, "XY");
         },
         "aXYb", "ab", 1, true},
        {"backspace run", "abcdefgh", 7, 0, [](Page &p) { p.key(Qt::Key_Backspace, Qt::NoModifier, 5); }, "abh",
         "abcdefgh", 7},
        {"backspace joins lines", "ab\r\ncd", 4, 0, [](Page &p) { p.key(Qt::Key_Backspace); }, "abcd", "ab\r\ncd", 4},
        {"delete run through a line end", "ab\r\ncd", 1, 0, [](Page &p) { p.key(Qt::Key_Delete, Qt::NoModifier, 3); },
         "ad", "ab\r\ncd", 1},
        {"delete on an empty line", "a\r\n\r\nb", 3, 0, [](Page &p) { p.key(Qt::Key_Delete); }, "a\r\nb", "a\r\n\r\nb",
         3},
        {"three enters", "ab", 1, 0, [](Page &p) { p.key(Qt::Key_Return, Qt::NoModifier, 3); }, "a\r\n\r\n\r\nb", "ab",
         1},
        {"shift+enter is a line break", "ab", 1, 0, [](Page &p) { p.key(Qt::Key_Return, Qt::ShiftModifier); }, "a\r\nb",
         "ab", 1},
        {"ctrl+shift+M and J are enter", "ab", 2, 0,
         [](Page &p) {
             p.key(Qt::Key_M, Qt::ControlModifier | Qt::ShiftModifier);
             p.key(Qt::Key_J, Qt::ControlModifier | Qt::ShiftModifier);
         },
         "ab\r\n\r\n", "ab", 2},
        {"overwrite after the insert key", "abcd", 1, 0,
         [](Page &p) {
             p.key(Qt::Key_Insert);
             QTest::keyClicks(&p.editor, "XY");
         },
         "aXYd", "abcd", 1},
        {"overwrite stops at the line end", "ab\r\ncd", 1, 0,
         [](Page &p) {
             p.key(Qt::Key_Insert);
             QTest::keyClicks(&p.editor, "XYZ");
         },
         "aXYZ\r\ncd", "ab\r\ncd", 1},
        {"tab collapses the selection", "abcd", 1, 2, [](Page &p) { p.key(Qt::Key_Tab); }, "a\tbcd", "abcd", 1},
        {"backspace removes the selection", "abcd", 1, 2, [](Page &p) { p.key(Qt::Key_Backspace); }, "ad", "abcd", 1},
        {"typing replaces the selection", "abcd", 1, 2, [](Page &p) { QTest::keyClicks(&p.editor, "X"); }, "aXd",
         "abcd", 1},
        {"word deletion", "un deux", 7, 0, [](Page &p) { p.key(Qt::Key_Backspace, Qt::ControlModifier); }, "un ",
         "un deux", 3},
    };
    for (const KeyCase &c : cases) {
        SCOPED_TRACE(c.name);
        Page p(c.initial);
        p.text.select(c.selStart, c.selLength);
        c.keys(p);
        ASSERT_EQ(p.text.text(), c.typed);
        EXPECT_EQ(p.editor.toPlainText().count(QChar::LineSeparator), 0);
        p.history.Undo();
        EXPECT_EQ(p.text.text(), c.undone);
        EXPECT_EQ(p.text.selectionStart(), c.undoneCaret);
        p.history.Redo();
        EXPECT_EQ(p.text.text(), c.typed) << "redo";
        p.history.Undo();
        EXPECT_EQ(p.history.CanUndo(), c.moreSteps) << "one step for the whole run";
    }
}

TEST(TypingRecorder, InsertKeyTogglesTheMode)
{
    Page p("ab");
    QSignalSpy modes(&p.recorder, &TypingRecorder::insertModeChanged);
    p.key(Qt::Key_Insert);
    EXPECT_FALSE(p.state.InsertMode);
    EXPECT_TRUE(p.editor.overwriteMode()) << "block caret";
    p.key(Qt::Key_Insert);
    EXPECT_TRUE(p.state.InsertMode);
    ASSERT_EQ(modes.count(), 2);
    EXPECT_FALSE(modes.at(0).at(0).toBool());
    EXPECT_TRUE(modes.at(1).at(0).toBool());
    EXPECT_EQ(p.text.text(), "ab");
    EXPECT_FALSE(p.history.CanUndo());
}

TEST(TypingRecorder, ClipboardKeysCallTheProgramsCommands)
{
    const struct
    {
        const char *name;
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        int pastes, cuts, copies;
    } cases[] = {
        {"shift+insert", Qt::Key_Insert, Qt::ShiftModifier, 1, 0, 0},
        {"ctrl+V", Qt::Key_V, Qt::ControlModifier, 1, 0, 0},
        {"shift+delete", Qt::Key_Delete, Qt::ShiftModifier, 0, 1, 0},
        {"ctrl+X", Qt::Key_X, Qt::ControlModifier, 0, 1, 0},
        {"ctrl+insert", Qt::Key_Insert, Qt::ControlModifier, 0, 0, 1},
    };
    QGuiApplication::clipboard()->setText("clip");
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Page p("abcd");
        p.text.select(1, 2);
        int pastes = 0, cuts = 0, copies = 0;
        p.recorder.paste = [&] { ++pastes; };
        p.recorder.cut = [&] { ++cuts; };
        p.recorder.copy = [&] { ++copies; };
        p.key(c.key, c.mods);
        EXPECT_EQ(pastes, c.pastes);
        EXPECT_EQ(cuts, c.cuts);
        EXPECT_EQ(copies, c.copies);
        EXPECT_EQ(p.text.text(), "abcd") << "the widget's own command did not run";
    }
}

TEST(TypingRecorder, UndoKeysActOnTheHistory)
{
    Page p("");
    QTest::keyClicks(&p.editor, "abc");
    p.key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(p.text.text(), "");
    p.key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(p.text.text(), "abc");
}

TEST(TypingRecorder, ReportsCaretMoves)
{
    Page p("abc");
    QSignalSpy moves(&p.recorder, &TypingRecorder::caretMoved);
    QTest::keyClick(&p.editor, Qt::Key_X);
    EXPECT_GE(moves.count(), 2) << "after the press and the release";
    moves.clear();
    QTest::mouseClick(p.editor.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    QCoreApplication::processEvents();
    EXPECT_GE(moves.count(), 1);
}

TEST(TypingRecorder, DroppedTextIsOneStep)
{
    Page p("abc");
    p.editor.setFocus();
    const QPoint start = p.editor.cursorRect(QTextCursor(p.editor.document())).center();
    QMimeData mime;
    mime.setText("X\nY");
    // A drop always comes after the drag has entered the editor.
    const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(start, actions, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(p.editor.viewport(), &enter);
    QDragMoveEvent move(start, actions, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(p.editor.viewport(), &move);
    QDropEvent drop(start, actions, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(p.editor.viewport(), &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(p.text.text(), "X\r\nYabc");
    p.history.Undo();
    EXPECT_EQ(p.text.text(), "abc");
    EXPECT_FALSE(p.history.CanUndo());
}

TEST(TypingRecorder, MovedSelectionIsOneStep)
{
    Page p("abcdef");
    p.text.select(1, 2);
    EXPECT_TRUE(p.recorder.dropText(5, QString(), true));
    EXPECT_EQ(p.text.text(), "adebcf");
    EXPECT_EQ(p.text.selectedText(), "bc");
    p.history.Undo();
    EXPECT_EQ(p.text.text(), "abcdef");
    EXPECT_EQ(p.text.selectedText(), "bc");
    p.history.Redo();
    EXPECT_EQ(p.text.text(), "adebcf");
}

TEST(TypingRecorder, ChangeBesideAMouseSelectionIsNotTakenForAMove)
{
    // A command rewrites a line while the user's selection stays on screen:
    // nothing was dragged, so nothing may be recorded as a move.
    Page p("un\r\ndeux");
    p.text.select(4, 4);
    ASSERT_TRUE(p.history.selectionSeen);
    p.text.setLine(0, "UN");
    EXPECT_EQ(p.text.text(), "UN\r\ndeux");
    EXPECT_FALSE(p.history.CanUndo());
}

TEST(TypingRecorder, InputMethodTextIsRecorded)
{
    Page p("ab");
    p.text.setSelectionStart(1);
    QInputMethodEvent event;
    event.setCommitString(QString::fromUtf8("é"));
    QCoreApplication::sendEvent(&p.editor, &event);
    EXPECT_EQ(p.text.text(), QString::fromUtf8("aéb"));
    p.history.Undo();
    EXPECT_EQ(p.text.text(), "ab");
}

TEST(TypingRecorder, ReadOnlyEditorRecordsNothing)
{
    Page p("ab");
    p.editor.setReadOnly(true);
    QTest::keyClicks(&p.editor, "xy");
    p.key(Qt::Key_Backspace);
    p.key(Qt::Key_Return);
    EXPECT_EQ(p.text.text(), "ab");
    EXPECT_FALSE(p.history.CanUndo());
}

} // namespace
