#include "support/editorpage.h"

#include <QClipboard>
#include <QDropEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace {

using Page = EditorPage;

using Keys = std::function<void(Page &)>;

Keys clicks(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier, int times = 1)
{
    return [=](Page &p) {
        for (int i = 0; i < times; ++i)
            QTest::keyClick(&p.editor, key, mods);
    };
}

Keys typing(const QString &s, bool overwrite = false)
{
    return [=](Page &p) {
        if (overwrite)
            QTest::keyClick(&p.editor, Qt::Key_Insert);
        QTest::keyClicks(&p.editor, s);
    };
}

TEST(TypingRecorder, EachRunIsOneUndoStep)
{
    const Qt::KeyboardModifiers shiftCtrl = Qt::ShiftModifier | Qt::ControlModifier;
    const struct
    {
        const char *name;
        QString before;
        Keys keys;
        QString typed;
        QString undone;
    } cases[] = {
        {"typed word", "|", typing("abc"), "abc|", "|"},
        {"backspace run", "abcdefg|h", clicks(Qt::Key_Backspace, {}, 5), "ab|h", "abcdefg|h"},
        {"delete run through a line end", "a|b\r\ncd", clicks(Qt::Key_Delete, {}, 3), "a|d", "a|b\r\ncd"},
        {"shift+enter is a line break", "a|b", clicks(Qt::Key_Return, Qt::ShiftModifier), "a\r\n|b", "a|b"},
        {"ctrl+shift+M and J are enter", "ab|",
         [=](Page &p) {
             clicks(Qt::Key_M, shiftCtrl)(p);
             clicks(Qt::Key_J, shiftCtrl)(p);
         },
         "ab\r\n\r\n|", "ab|"},
        {"overwrite after the insert key", "a|bcd", typing("XY", true), "aXY|d", "a[bc]d"},
        {"word deletion", "un deux|", clicks(Qt::Key_Backspace, Qt::ControlModifier), "un |", "un [deux]"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Page p(c.before);
        c.keys(p);
        ASSERT_EQ(marked(p.text), c.typed);
        p.history.Undo();
        EXPECT_EQ(marked(p.text), c.undone);
        EXPECT_FALSE(p.history.CanUndo()) << "one step for the whole run";
        p.history.Redo();
        EXPECT_EQ(marked(p.text), c.typed) << "redo";
    }
}

// The text a keyboard gives with a key and modifiers.
QString keyText(int key, Qt::KeyboardModifiers mods)
{
    switch (key) {
    case Qt::Key_Backspace:
        return "\b";
    case Qt::Key_Delete:
        return "\x7f";
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return "\r";
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return "\t";
    default:
        break;
    }
    if (key < Qt::Key_Space || key > Qt::Key_AsciiTilde)
        return QString();
    QChar c = QChar(key).toLower();
    if (mods & Qt::ShiftModifier)
        c = c.toUpper();
    if ((mods & Qt::ControlModifier) && !(mods & Qt::AltModifier) && c.isLetter())
        c = QChar(c.toUpper().unicode() - 64);
    return QString(c);
}

TEST(TypingRecorder, NoKeyChangesThePageBehindTheHistory)
{
    // Whatever a key does to the page, undoing all that was recorded gives
    // the page back.
    const int keys[] = {Qt::Key_A,     Qt::Key_D,         Qt::Key_H,      Qt::Key_K,      Qt::Key_U,
                        Qt::Key_V,     Qt::Key_W,         Qt::Key_X,      Qt::Key_Y,      Qt::Key_Z,
                        Qt::Key_Space, Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Return, Qt::Key_Enter,
                        Qt::Key_Tab,   Qt::Key_Backtab,   Qt::Key_Insert, Qt::Key_Home};
    const Qt::KeyboardModifiers modifiers[] = {Qt::NoModifier,
                                               Qt::ShiftModifier,
                                               Qt::ControlModifier,
                                               Qt::AltModifier,
                                               Qt::MetaModifier,
                                               Qt::ControlModifier | Qt::AltModifier,
                                               Qt::ControlModifier | Qt::ShiftModifier,
                                               Qt::AltModifier | Qt::ShiftModifier,
                                               Qt::KeypadModifier};
    QGuiApplication::clipboard()->setText("clip");
    for (const int key : keys) {
        for (const Qt::KeyboardModifiers mods : modifiers) {
            for (const QString before : {"un d|eux\r\ntrois", "un [deux\r\ntr]ois"}) {
                SCOPED_TRACE(testing::Message() << "key " << Qt::hex << key << " modifiers " << mods.toInt() << " on "
                                                << before.toStdString());
                Page p(before);
                QKeyEvent press(QEvent::KeyPress, key, mods, keyText(key, mods));
                QKeyEvent release(QEvent::KeyRelease, key, mods, keyText(key, mods));
                QCoreApplication::sendEvent(&p.editor, &press);
                QCoreApplication::sendEvent(&p.editor, &release);
                EXPECT_FALSE(p.editor.toPlainText().contains(QChar::LineSeparator));
                while (p.history.CanUndo())
                    p.history.Undo();
                EXPECT_EQ(p.text.text(), "un deux\r\ntrois");
            }
        }
    }
}

TEST(TypingRecorder, ClipboardKeysCallTheProgramsCommands)
{
    const struct
    {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        QString called;
    } cases[] = {
        {Qt::Key_Insert, Qt::ShiftModifier, "paste"},  {Qt::Key_V, Qt::ControlModifier, "paste"},
        {Qt::Key_Delete, Qt::ShiftModifier, "cut"},    {Qt::Key_X, Qt::ControlModifier, "cut"},
        {Qt::Key_Insert, Qt::ControlModifier, "copy"},
    };
    QGuiApplication::clipboard()->setText("clip");
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.key << " " << c.mods.toInt());
        Page p("a[bc]d");
        QStringList called;
        p.recorder.paste = [&] { called << "paste"; };
        p.recorder.cut = [&] { called << "cut"; };
        p.recorder.copy = [&] { called << "copy"; };
        clicks(c.key, c.mods)(p);
        EXPECT_EQ(called, QStringList{c.called});
        EXPECT_EQ(p.text.text(), "abcd") << "the widget's own command did not run";
    }
}

TEST(TypingRecorder, UndoKeysActOnTheHistory)
{
    Page p("|");
    typing("abc")(p);
    clicks(Qt::Key_Z, Qt::ControlModifier)(p);
    EXPECT_EQ(p.text.text(), "");
    clicks(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier)(p);
    EXPECT_EQ(p.text.text(), "abc");
}

TEST(TypingRecorder, DroppedTextIsOneStep)
{
    Page p("ab|c");
    const QPoint start = p.editor.positionRect(0).center();
    QMimeData mime;
    mime.setText("X\nY");
    // A drop always comes after the drag has entered the editor.
    const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(start, actions, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(p.editor.viewport(), &enter);
    QDropEvent drop(start, actions, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(p.editor.viewport(), &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(p.text.text(), "X\r\nYabc");
    p.history.Undo();
    EXPECT_EQ(p.text.text(), "abc");
    EXPECT_FALSE(p.history.CanUndo());
}

TEST(TypingRecorder, ChangeBesideAMouseSelectionIsNotTakenForAMove)
{
    // A command rewrites a line while the user's selection stays on screen:
    // nothing was dragged, so nothing may be recorded as a move.
    Page p("un\r\n[deux]");
    ASSERT_TRUE(p.history.selectionSeen);
    p.text.setLine(0, "UN");
    EXPECT_EQ(p.text.text(), "UN\r\ndeux");
    EXPECT_FALSE(p.history.CanUndo());
}

TEST(TypingRecorder, InputMethodTextIsRecorded)
{
    Page p("a|b");
    QInputMethodEvent event;
    event.setCommitString(QString::fromUtf8("é"));
    QCoreApplication::sendEvent(&p.editor, &event);
    EXPECT_EQ(p.text.text(), QString::fromUtf8("aéb"));
    p.history.Undo();
    EXPECT_EQ(p.text.text(), "ab");
}

TEST(TypingRecorder, ReadOnlyEditorRecordsNothing)
{
    Page p("a|b");
    p.editor.setReadOnly(true);
    typing("xy")(p);
    clicks(Qt::Key_Backspace)(p);
    clicks(Qt::Key_Return)(p);
    EXPECT_EQ(p.text.text(), "ab");
    EXPECT_FALSE(p.history.CanUndo());
}

} // namespace
