#include "ui/text/textview.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPaintEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <memory>
#include <random>

namespace {

std::unique_ptr<TextView> shownView(const QString &text, QSize size = QSize(400, 300))
{
    auto view = std::make_unique<TextView>();
    view->resize(size);
    view->setPlainText(text);
    view->show();
    view->setFocus();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    view->viewport()->repaint();
    return view;
}

QPoint at(const TextView &view, int position)
{
    const QRect rect = view.positionRect(position);
    return QPoint(rect.x(), rect.center().y());
}

void sendMouse(TextView &view, QEvent::Type type, QPoint point, Qt::KeyboardModifiers modifiers = {})
{
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, point, view.viewport()->mapToGlobal(point), Qt::LeftButton, buttons, modifiers);
    QApplication::sendEvent(view.viewport(), &event);
}

// Two lines after CR LF: a surrogate pair at 2-3, a tab at 6, words "ef" at 7
// and "gh" at 10, the break at 12, "ab" from 13.
const QString MoveText = QStringLiteral("ab\U0001D11Ecd\tef gh\r\nab");

} // namespace

TEST(TextView, CaretMovesStepOverPairsBreaksAndWords)
{
    struct Case
    {
        int from;
        TextView::Move move;
        int to;
    } cases[] = {
        {2, TextView::NextCharacter, 4},
        {4, TextView::PreviousCharacter, 2},
        {2, TextView::Right, 4},
        {4, TextView::Left, 2},
        {5, TextView::NextCharacter, 6},
        {6, TextView::NextCharacter, 7},
        {12, TextView::NextCharacter, 13},
        {13, TextView::PreviousCharacter, 12},
        {13, TextView::Left, 12},
        {12, TextView::Right, 13},
        {0, TextView::PreviousCharacter, 0},
        {15, TextView::NextCharacter, 15},
        {7, TextView::NextWord, 10},
        {10, TextView::PreviousWord, 7},
        {12, TextView::NextWord, 13},
        {13, TextView::PreviousWord, 12},
        {5, TextView::StartOfBlock, 0},
        {5, TextView::EndOfBlock, 12},
        {14, TextView::StartOfBlock, 13},
        {14, TextView::EndOfBlock, 15},
        {9, TextView::End, 15},
        {9, TextView::Start, 0},
        {5, TextView::StartOfLine, 0},
        {5, TextView::EndOfLine, 12},
        {14, TextView::Up, 1},
        {1, TextView::Down, 14},
        {1, TextView::Up, 1},
        {14, TextView::Down, 14},
    };
    auto view = shownView(MoveText);
    ASSERT_EQ(view->store().length(), 15);
    for (const Case &c : cases) {
        view->setPosition(c.from);
        view->moveCaret(c.move);
        EXPECT_EQ(view->position(), c.to) << "from " << c.from << " move " << c.move;
        EXPECT_FALSE(view->hasSelection());
    }
    // Shift keeps the anchor; a plain character move ends the selection at
    // its side.
    view->setPosition(2);
    view->moveCaret(TextView::NextCharacter, true);
    EXPECT_EQ(view->anchor(), 2);
    EXPECT_EQ(view->position(), 4);
    view->moveCaret(TextView::PreviousCharacter);
    EXPECT_EQ(view->position(), 2);
}

TEST(TextView, ArrowsMoveVisuallyInRightToLeftLines)
{
    struct Case
    {
        int anchor, from;
        TextView::Move move;
        int to;
    } cases[] = {
        {0, 0, TextView::Left, 1},  {1, 1, TextView::Right, 0}, {3, 3, TextView::Left, 4},
        {0, 0, TextView::Right, 0}, {4, 4, TextView::Left, 3},  {0, 2, TextView::NextCharacter, 2},
        {2, 0, TextView::Left, 2},  {0, 2, TextView::Right, 0},
    };
    auto view = shownView(QStringLiteral("\u05D0\u05D1\u05D2\nxyz"));
    for (const Case &c : cases) {
        view->setSelection(c.anchor, c.from);
        view->moveCaret(c.move);
        EXPECT_EQ(view->position(), c.to) << c.from << " move " << c.move;
    }
    // A surrogate pair after right-to-left text is never split.
    view->setPlainText(QStringLiteral("\u05D0\u05D1 \U0001D11E\nz"));
    for (int from : {0, 1, 2, 3, 5, 6, 7})
        for (TextView::Move move : {TextView::Left, TextView::Right}) {
            view->setPosition(from);
            view->moveCaret(move);
            EXPECT_NE(view->position(), 4) << from << " move " << move;
        }
}

TEST(TextView, ReplaceMovesCaretAndAnchorWithTheText)
{
    struct Case
    {
        int anchor, position, from, removed;
        const char *text;
        int newAnchor, newPosition;
    } cases[] = {
        {2, 2, 5, 2, "ab", 2, 2},       // before the change
        {8, 8, 2, 3, "x", 6, 6},        // after it
        {4, 4, 2, 3, "xy", 2, 2},       // inside it: to its start
        {5, 5, 5, 0, "ab", 7, 7},       // at an insertion: after the text
        {5, 5, 2, 3, "xy", 4, 4},       // at the end of the removed text
        {2, 5, 2, 3, "abcd", 2, 6},     // a selection replaced keeps the text
        {8, 9, 1, 1, "a\r\nb", 10, 11}, // CR LF counts one
        {3, 3, 8, 50, "", 3, 3},        // removal past the end is clamped
    };
    for (const Case &c : cases) {
        TextView view;
        view.setPlainText(QStringLiteral("0123456789"));
        view.setSelection(c.anchor, c.position);
        QSignalSpy changes(&view, &TextView::contentsChange);
        view.replace(c.from, c.removed, QString::fromUtf8(c.text));
        EXPECT_EQ(view.anchor(), c.newAnchor) << c.from << " " << c.text;
        EXPECT_EQ(view.position(), c.newPosition) << c.from << " " << c.text;
        ASSERT_EQ(changes.size(), 1);
        EXPECT_EQ(changes[0][1].toInt(), std::min(c.removed, 10 - c.from));
        EXPECT_EQ(changes[0][2].toInt(), LineStore(QString::fromUtf8(c.text)).length());
        EXPECT_TRUE(view.isModified());
    }
}

TEST(TextView, KeysEditTheText)
{
    struct Case
    {
        QString text;
        int position;
        std::function<void(TextView &)> keys;
        QString result;
        int caret;
    } cases[] = {
        {"ab", 1, [](TextView &v) { QTest::keyClicks(&v, "xy"); }, "axyb", 3},
        {"a\U0001D11E", 3, [](TextView &v) { QTest::keyClick(&v, Qt::Key_Backspace); }, "a", 1},
        {"ab\ncd", 3, [](TextView &v) { QTest::keyClick(&v, Qt::Key_Backspace); }, "abcd", 2},
        {"ab\ncd", 2, [](TextView &v) { QTest::keyClick(&v, Qt::Key_Delete); }, "abcd", 2},
        {"ab", 1, [](TextView &v) { QTest::keyClick(&v, Qt::Key_Return); }, "a\nb", 2},
        {"ab", 0, [](TextView &v) { QTest::keyClick(&v, Qt::Key_Tab); }, "\tab", 1},
        {"one two", 7, [](TextView &v) { QTest::keyClick(&v, Qt::Key_Backspace, Qt::ControlModifier); }, "one ", 4},
        {"one two", 0, [](TextView &v) { QTest::keyClick(&v, Qt::Key_Delete, Qt::ControlModifier); }, "two", 0},
        {"abc", 3,
         [](TextView &v) {
             QTest::keyClick(&v, Qt::Key_Left, Qt::ShiftModifier);
             QTest::keyClicks(&v, "x");
         },
         "abx", 3},
        {"ab\ncd", 2,
         [](TextView &v) {
             v.setOverwriteMode(true);
             QTest::keyClicks(&v, "XY");
         },
         "abXY\ncd", 4},
        {"abc", 0,
         [](TextView &v) {
             v.setOverwriteMode(true);
             QTest::keyClicks(&v, "XY");
         },
         "XYc", 2},
        {"abc", 1,
         [](TextView &v) {
             v.setReadOnly(true);
             QTest::keyClicks(&v, "x");
             QTest::keyClick(&v, Qt::Key_Delete);
             QTest::keyClick(&v, Qt::Key_Right);
         },
         "abc", 2},
        {"ab\ncd", 0,
         [](TextView &v) {
             QTest::keyClick(&v, Qt::Key_End, Qt::ShiftModifier);
             QTest::keyClick(&v, Qt::Key_Down, Qt::ShiftModifier);
             QTest::keyClick(&v, Qt::Key_Backspace);
         },
         "", 0},
    };
    for (Case &c : cases) {
        auto view = shownView(c.text);
        view->setPosition(c.position);
        c.keys(*view);
        EXPECT_EQ(view->toPlainText(), c.result) << c.text.toStdString();
        EXPECT_EQ(view->position(), c.caret) << c.text.toStdString();
    }
}

TEST(TextView, WindowShortcutsGetTheKeysTheViewDoesNotUse)
{
    struct Case
    {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char *text;
        bool viewTakes;
    } cases[] = {
        {Qt::Key_Z, Qt::ControlModifier, "", false},     {Qt::Key_Y, Qt::ControlModifier, "", false},
        {Qt::Key_F, Qt::AltModifier, "f", false},        {Qt::Key_S, Qt::ControlModifier, "", false},
        {Qt::Key_C, Qt::ControlModifier, "", true},      {Qt::Key_V, Qt::ControlModifier, "", true},
        {Qt::Key_A, Qt::NoModifier, "a", true},          {Qt::Key_Home, Qt::ControlModifier, "", true},
        {Qt::Key_Backspace, Qt::NoModifier, "\b", true},
    };
    auto view = shownView("abc");
    for (const Case &c : cases) {
        QKeyEvent override(QEvent::ShortcutOverride, c.key, c.modifiers, c.text);
        override.ignore();
        QApplication::sendEvent(view.get(), &override);
        EXPECT_EQ(override.isAccepted(), c.viewTakes) << c.key;
    }
    // Undo keys that reach the view are not taken either.
    QKeyEvent undo(QEvent::KeyPress, Qt::Key_Z, Qt::ControlModifier);
    QApplication::sendEvent(view.get(), &undo);
    EXPECT_FALSE(undo.isAccepted());
    EXPECT_EQ(view->toPlainText(), "abc");
}

TEST(TextView, ClipboardKeysCopyCutAndPaste)
{
    struct Case
    {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        QString clipboard; // before the key; the selection is "b\nc"
        QString result;
        QString clipboardAfter;
    } cases[] = {
        {Qt::Key_C, Qt::ControlModifier, "x", "ab\ncd", "b\nc"},
        {Qt::Key_Insert, Qt::ControlModifier, "x", "ab\ncd", "b\nc"},
        {Qt::Key_X, Qt::ControlModifier, "x", "ad", "b\nc"},
        {Qt::Key_Delete, Qt::ShiftModifier, "x", "ad", "b\nc"},
        {Qt::Key_V, Qt::ControlModifier, "1\r\n2", "a1\n2d", "1\r\n2"},
        {Qt::Key_Insert, Qt::ShiftModifier, "1\r2", "a1\n2d", "1\r2"},
    };
    for (const Case &c : cases) {
        auto view = shownView("ab\ncd");
        view->setSelection(1, 4);
        QGuiApplication::clipboard()->setText(c.clipboard);
        QTest::keyClick(view.get(), c.key, c.modifiers);
        EXPECT_EQ(view->toPlainText(), c.result) << c.key;
        EXPECT_EQ(QGuiApplication::clipboard()->text(), c.clipboardAfter) << c.key;
        EXPECT_EQ(view->position(), c.result.size() - 1) << c.key;
    }
}

TEST(TextView, MouseSetsCaretAndSelectsByCharacterWordAndLine)
{
    auto view = shownView("alpha beta gamma\nsecond line\nthird");
    for (int position : {0, 3, 6, 16, 17, 22, 29, 34}) {
        sendMouse(*view, QEvent::MouseButtonPress, at(*view, position));
        sendMouse(*view, QEvent::MouseButtonRelease, at(*view, position));
        EXPECT_EQ(view->position(), position);
        EXPECT_EQ(view->positionAt(at(*view, position)), position);
    }
    // Drag from 2 to the second line; shift-click extends.
    sendMouse(*view, QEvent::MouseButtonPress, at(*view, 2));
    sendMouse(*view, QEvent::MouseMove, at(*view, 20));
    sendMouse(*view, QEvent::MouseButtonRelease, at(*view, 20));
    EXPECT_EQ(view->selectionStart(), 2);
    EXPECT_EQ(view->selectionEnd(), 20);
    sendMouse(*view, QEvent::MouseButtonPress, at(*view, 30), Qt::ShiftModifier);
    sendMouse(*view, QEvent::MouseButtonRelease, at(*view, 30));
    EXPECT_EQ(view->anchor(), 2);
    EXPECT_EQ(view->position(), 30);

    // Double click on "beta" selects it; dragging on extends by words.
    const QPoint beta = at(*view, 8);
    sendMouse(*view, QEvent::MouseButtonPress, beta);
    sendMouse(*view, QEvent::MouseButtonRelease, beta);
    sendMouse(*view, QEvent::MouseButtonDblClick, beta);
    EXPECT_EQ(view->selectedText(), "beta");
    sendMouse(*view, QEvent::MouseMove, at(*view, 13));
    EXPECT_EQ(view->selectedText(), "beta gamma");
    sendMouse(*view, QEvent::MouseButtonRelease, beta);
    // A third click selects the line with its break.
    sendMouse(*view, QEvent::MouseButtonPress, beta);
    sendMouse(*view, QEvent::MouseButtonRelease, beta);
    EXPECT_EQ(view->selectedText(), "alpha beta gamma\n");
}

TEST(TextView, DraggingPastTheBottomScrollsAndSelectsOn)
{
    QString text;
    for (int i = 0; i < 200; ++i)
        text += QStringLiteral("ligne %1\n").arg(i);
    auto view = shownView(text, QSize(300, 150));
    sendMouse(*view, QEvent::MouseButtonPress, at(*view, 2));
    sendMouse(*view, QEvent::MouseMove, QPoint(20, view->viewport()->height() + 30));
    QTest::qWait(300);
    EXPECT_GT(view->firstVisibleLine(), 3);
    EXPECT_EQ(view->anchor(), 2);
    EXPECT_GT(view->store().lineOf(view->position()), view->lastVisibleLine() - 2);
    sendMouse(*view, QEvent::MouseButtonRelease, QPoint(20, view->viewport()->height() + 30));
    const int line = view->firstVisibleLine();
    QTest::qWait(120);
    EXPECT_EQ(view->firstVisibleLine(), line); // stopped with the button
}

TEST(TextView, WrappedRowsAreWalkedAndScrolledThrough)
{
    QString words;
    for (int i = 0; i < 300; ++i)
        words += QStringLiteral("mot%1 ").arg(i);
    auto view = shownView(words + "\nfin", QSize(220, 120));
    view->setWordWrap(true);
    view->viewport()->repaint();
    const int rowHeight = view->positionRect(0).height();
    ASSERT_GT(view->positionRect(words.size() - 1).y() - view->positionRect(0).y(), 20 * rowHeight);

    // Down walks the long line row by row, the caret always in view, and
    // the view scrolls within the line.
    view->setPosition(0);
    int rows = 0;
    int previous = 0;
    while (view->position() < words.size() && rows < 500) {
        QTest::keyClick(view.get(), Qt::Key_Down);
        ++rows;
        EXPECT_GT(view->position(), previous);
        previous = view->position();
        const QRect caret = view->caretRect();
        EXPECT_GE(caret.top(), 0);
        EXPECT_LE(caret.bottom(), view->viewport()->height());
        EXPECT_EQ(view->firstVisibleLine(), 0);
    }
    EXPECT_EQ(view->store().lineOf(view->position()), 1);
    EXPECT_GT(rows, 20);
    // And Up walks back the same rows.
    for (int i = 0; i < rows; ++i)
        QTest::keyClick(view.get(), Qt::Key_Up);
    EXPECT_LT(view->position(), 10);
    EXPECT_EQ(view->positionRect(0).y(), view->caretRect().y());

    // The wheel scrolls rows too.
    const int top = view->positionRect(0).y();
    QWheelEvent wheel(QPointF(10, 10), view->viewport()->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view->viewport(), &wheel);
    EXPECT_EQ(view->positionRect(0).y(), top - QApplication::wheelScrollLines() * rowHeight);
}

TEST(TextView, LaysOutOnlyTheLinesShown)
{
    QString text;
    text.reserve(12'000'000);
    for (int i = 0; i < 1'000'000; ++i)
        text += QStringLiteral("<P>ligne %1</P>\n").arg(i);
    for (bool wrap : {false, true}) {
        TextView view;
        view.resize(400, 300);
        view.setWordWrap(wrap);
        const qint64 before = view.linesLaidOut();
        view.setStore(LineStore(text));
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
        view.viewport()->repaint();
        EXPECT_GT(view.linesLaidOut() - before, 10) << wrap; // the lines shown
        EXPECT_LT(view.linesLaidOut() - before, 200) << wrap;

        // Going to the end and typing there lays out the lines near it.
        const qint64 shown = view.linesLaidOut();
        view.setFocus();
        QTest::keyClick(&view, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(&view, "fin");
        view.viewport()->repaint();
        EXPECT_EQ(view.lastVisibleLine(), 1'000'000);
        EXPECT_LT(view.linesLaidOut() - shown, 200) << wrap;
        // And typing in the middle after a jump there.
        view.setPosition(view.store().lineStart(500'000));
        view.ensureCaretVisible();
        const qint64 middle = view.linesLaidOut();
        QTest::keyClicks(&view, "x");
        QTest::keyClick(&view, Qt::Key_Return);
        view.viewport()->repaint();
        EXPECT_LT(view.linesLaidOut() - middle, 200) << wrap;
        EXPECT_EQ(view.store().line(500'001), "<P>ligne 500000</P>");
        // Pages of short lines passed are counted without being laid out.
        const qint64 paged = view.linesLaidOut();
        for (int i = 0; i < 50; ++i)
            QTest::keyClick(&view, Qt::Key_PageDown);
        EXPECT_GT(view.store().lineOf(view.position()), 500'100) << wrap;
        EXPECT_LT(view.linesLaidOut() - paged, 200) << wrap;
    }
}

namespace {

// One line of minified markup, as long as a whole page.
QString minifiedLine(int characters)
{
    QString line;
    line.reserve(characters + 100);
    for (int i = 0; line.size() < characters; ++i)
        line += QStringLiteral("<div class=\"c%1\"><a href=\"/p/%1.html\">lien %1</a> texte</div>").arg(i);
    return line;
}

} // namespace

TEST(TextView, LongLineIsLaidOutOnlyWhereItShows)
{
    const QString line = minifiedLine(2'000'000);
    for (bool wrap : {false, true}) {
        TextView view;
        view.resize(400, 300);
        view.setWordWrap(wrap);
        view.setStore(LineStore(line + "\nfin"));
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
        view.setFocus();
        const qint64 before = view.linesLaidOut();
        view.viewport()->repaint();
        EXPECT_LT(view.linesLaidOut() - before, 10) << wrap;

        // To the end of the long line and typing there: the caret shows,
        // and only the pieces near it are laid out.
        const qint64 shown = view.linesLaidOut();
        view.setPosition(view.store().lineLength(0));
        view.ensureCaretVisible();
        QTest::keyClicks(&view, "xy");
        view.viewport()->repaint();
        EXPECT_EQ(view.store().line(0).right(3), QStringLiteral(">xy")) << wrap;
        EXPECT_LT(view.linesLaidOut() - shown, 20) << wrap;
        const QRect caret = view.caretRect();
        EXPECT_TRUE(view.viewport()->rect().contains(caret.center())) << wrap;

        // Clicks, moves and rows agree across the cuts between pieces.
        const int end = view.position();
        for (int position = end - 6000; position < end; position += 7) {
            const QRect rect = view.positionRect(position);
            if (!view.viewport()->rect().contains(rect.center()))
                continue;
            ASSERT_EQ(view.positionAt(QPoint(rect.x(), rect.center().y())), position) << wrap;
            view.setPosition(position);
            view.moveCaret(TextView::NextCharacter);
            ASSERT_EQ(view.position(), position + 1) << wrap;
            view.moveCaret(TextView::PreviousCharacter);
            ASSERT_EQ(view.position(), position) << wrap;
        }
        // Down from the long line's last row reaches the next line.
        view.setPosition(end);
        view.moveCaret(TextView::Down);
        EXPECT_EQ(view.store().lineOf(view.position()), 1) << wrap;
    }
}

TEST(TextView, CaretBlinkRepaintsTheCaretAlone)
{
    class PaintRects : public QObject
    {
    public:
        bool eventFilter(QObject *, QEvent *event) override
        {
            if (event->type() == QEvent::Paint)
                rects << static_cast<QPaintEvent *>(event)->rect();
            return false;
        }
        QList<QRect> rects;
    } paints;
    const int flash = QApplication::cursorFlashTime();
    QApplication::setCursorFlashTime(100);
    auto view = shownView(minifiedLine(20'000));
    view->viewport()->installEventFilter(&paints);
    view->setPosition(30);
    QTest::qWait(200);
    paints.rects.clear();
    QTest::qWait(300);
    QApplication::setCursorFlashTime(flash);
    ASSERT_FALSE(paints.rects.isEmpty());
    for (const QRect &rect : std::as_const(paints.rects))
        EXPECT_LE(rect.width(), 8) << rect.x() << "," << rect.y() << " " << rect.width() << "x" << rect.height();
}

TEST(TextView, InputMethodCommitsAndShowsPreedit)
{
    auto view = shownView("abc");
    view->setPosition(2);
    QInputMethodEvent preedit(QStringLiteral("ni"), {{QInputMethodEvent::Cursor, 2, 1, {}}});
    QApplication::sendEvent(view.get(), &preedit);
    EXPECT_EQ(view->toPlainText(), "abc"); // preedit text is not in the text
    EXPECT_GT(view->caretRect().x(), view->positionRect(2).x());

    // The commit replaces the character before the caret.
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("你"), -1, 1);
    QApplication::sendEvent(view.get(), &commit);
    EXPECT_EQ(view->toPlainText(), "a你c");
    EXPECT_EQ(view->position(), 2);
    EXPECT_EQ(static_cast<QWidget *>(view.get())->inputMethodQuery(Qt::ImSurroundingText).toString(), "a你c");
    EXPECT_EQ(static_cast<QWidget *>(view.get())->inputMethodQuery(Qt::ImCursorPosition).toInt(), 2);

    // A replacement that would split a surrogate pair takes all of it.
    view->setPlainText(QStringLiteral("a\U0001D11E"));
    view->setPosition(3);
    QInputMethodEvent half;
    half.setCommitString(QStringLiteral("x"), -1, 1);
    QApplication::sendEvent(view.get(), &half);
    EXPECT_EQ(view->toPlainText(), "ax");

    view->setReadOnly(true);
    QInputMethodEvent refused;
    refused.setCommitString(QStringLiteral("x"));
    QApplication::sendEvent(view.get(), &refused);
    EXPECT_EQ(view->toPlainText(), "ax");
}

TEST(TextView, DroppedTextGoesInAtTheDropPlace)
{
    auto view = shownView("ab\ncd");
    QMimeData data;
    data.setText(QStringLiteral("X\r\nY"));
    QDragEnterEvent enter(at(*view, 4), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(at(*view, 4), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &drop);
    EXPECT_EQ(view->toPlainText(), "ab\ncX\nYd");
    EXPECT_EQ(view->selectedText(), "X\nY");
}

TEST(TextView, TabIsTextInAWindowWithOtherControls)
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *view = new TextView;
    layout->addWidget(new QLineEdit);
    layout->addWidget(view);
    layout->addWidget(new QLineEdit);
    window.show();
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Tab);
    EXPECT_EQ(view->toPlainText(), "\t");
}

TEST(TextView, ContextMenuOffersWhatCanBeDone)
{
    struct Case
    {
        bool readOnly;
        int anchor;
        QString clipboard;
        bool cut, copy, paste, remove;
    } cases[] = {
        {false, 1, "x", true, true, true, true},
        {false, 3, "x", false, false, true, false},
        {true, 1, "x", false, true, false, false},
        {false, 3, "", false, false, false, false},
    };
    for (const Case &c : cases) {
        auto view = shownView("abc");
        view->setSelection(c.anchor, 3);
        view->setReadOnly(c.readOnly);
        if (c.clipboard.isEmpty())
            QGuiApplication::clipboard()->clear();
        else
            QGuiApplication::clipboard()->setText(c.clipboard);
        std::unique_ptr<QMenu> menu(view->createStandardContextMenu());
        QStringList enabled;
        for (QAction *action : menu->actions())
            if (action->isEnabled() && !action->isSeparator())
                enabled << action->text();
        QStringList expected;
        for (auto [on, text] : {std::pair{c.cut, "Co&uper"},
                                {c.copy, "&Copier"},
                                {c.paste, "C&oller"},
                                {c.remove, "&Supprimer"},
                                {true, "Tout &sélectionner"}})
            if (on)
                expected << QString::fromUtf8(text);
        EXPECT_EQ(enabled, expected) << c.readOnly << c.anchor;
    }
}

TEST(TextView, ChangesAreSignalledBeforeTheTextAndTheCaret)
{
    TextView view;
    view.setPlainText("abc");
    view.setPosition(3);
    QStringList events;
    QObject::connect(&view, &TextView::contentsChange, &view, [&](int from, int removed, int added) {
        events << QStringLiteral("change %1 %2 %3 caret %4").arg(from).arg(removed).arg(added).arg(view.position());
    });
    QObject::connect(&view, &TextView::textChanged, &view, [&] { events << "text"; });
    QObject::connect(&view, &TextView::modificationChanged, &view,
                     [&](bool on) { events << (on ? "modified" : "saved"); });
    QObject::connect(&view, &TextView::cursorPositionChanged, &view, [&] { events << "caret"; });
    QObject::connect(&view, &TextView::copyAvailable, &view, [&](bool on) { events << (on ? "copy" : "nocopy"); });
    view.replace(0, 1, u"xy");
    view.replace(0, 0, u"z");
    view.setModified(false);
    view.setSelection(0, 2);
    view.setPosition(2);
    EXPECT_EQ(events, QStringList({"change 0 1 2 caret 4", "modified", "text", "caret", "change 0 0 1 caret 5", "text",
                                   "caret", "saved", "caret", "copy", "nocopy"}));
}

TEST(TextView, HorizontalRangeFollowsTheWidestLineInTheText)
{
    QString text;
    for (int i = 0; i < 200; ++i)
        text += "court\n";
    text += QString(500, u'x');
    auto view = shownView(text);
    QApplication::processEvents();
    const int narrow = view->horizontalScrollBar()->maximum();
    view->scrollToLine(200);
    view->viewport()->repaint();
    QApplication::processEvents();
    EXPECT_GT(view->horizontalScrollBar()->maximum(), narrow + 1000);
    // The caret at the end of the long line is brought into view.
    view->setPosition(view->store().length());
    view->ensureCaretVisible();
    EXPECT_LT(view->caretRect().right(), view->viewport()->width());
    EXPECT_GE(view->caretRect().left(), 0);

    // Once the long line is gone, its width goes from the range.
    const int start = view->store().lineStart(199);
    view->replace(start, view->store().length() - start, u"court");
    QApplication::processEvents();
    EXPECT_EQ(view->horizontalScrollBar()->maximum(), narrow);
}

TEST(TextView, AssistiveTechnologiesReadTheTextByLines)
{
    auto view = shownView("one two\nthree");
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(view.get());
    ASSERT_TRUE(accessible);
    QAccessibleTextInterface *text = accessible->textInterface();
    ASSERT_TRUE(text);
    EXPECT_EQ(text->characterCount(), 13);
    EXPECT_EQ(text->text(4, 10), "two\nth");
    enum Side { Before, At, After };
    struct Case
    {
        Side side;
        int offset;
        QAccessible::TextBoundaryType boundary;
        QString text;
        int start, end;
    } cases[] = {
        {At, 5, QAccessible::WordBoundary, "two", 4, 7},
        {At, 9, QAccessible::WordBoundary, "three", 8, 13},
        {At, 2, QAccessible::LineBoundary, "one two\n", 0, 8},
        {At, 10, QAccessible::LineBoundary, "three", 8, 13},
        {At, 9, QAccessible::CharBoundary, "h", 9, 10},
        {Before, 10, QAccessible::LineBoundary, "one two\n", 0, 8},
        {Before, 8, QAccessible::CharBoundary, "\n", 7, 8},
        {Before, 6, QAccessible::CharBoundary, "w", 5, 6},
        {After, 2, QAccessible::LineBoundary, "three", 8, 13},
        {After, 7, QAccessible::CharBoundary, "t", 8, 9},
        {After, 1, QAccessible::CharBoundary, "e", 2, 3},
    };
    for (const Case &c : cases) {
        int start = -1, end = -1;
        const QString found = c.side == Before ? text->textBeforeOffset(c.offset, c.boundary, &start, &end)
                              : c.side == At   ? text->textAtOffset(c.offset, c.boundary, &start, &end)
                                               : text->textAfterOffset(c.offset, c.boundary, &start, &end);
        EXPECT_EQ(found, c.text) << c.side << " " << c.offset;
        EXPECT_EQ(start, c.start) << c.side << " " << c.offset;
        EXPECT_EQ(end, c.end) << c.side << " " << c.offset;
    }
    for (int offset : {0, 5, 9})
        EXPECT_EQ(text->offsetAtPoint(text->characterRect(offset).topLeft() + QPoint(1, 2)), offset);
    text->setSelection(0, 2, 6);
    EXPECT_EQ(view->selectedText(), "e tw");
    accessible->editableTextInterface()->replaceText(0, 3, "un");
    EXPECT_EQ(view->toPlainText(), "un two\nthree");
}

namespace {

// Line colours that record what the view asks for: each line's text in red.
class RecordingFormats : public LineFormats
{
public:
    QList<QTextLayout::FormatRange> formats(int line, int, int) override
    {
        asked << line;
        QTextCharFormat red;
        red.setForeground(QColor(255, 0, 0));
        return {{0, 100, red}};
    }
    QList<int> asked;
};

bool hasRed(const QImage &image, int y0, int y1)
{
    for (int y = std::max(0, y0); y < std::min(image.height(), y1); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 200 && c.green() < 80 && c.blue() < 80)
                return true;
        }
    return false;
}

} // namespace

TEST(TextView, LineColoursAreAskedOncePerChangeAndPainted)
{
    QString text;
    for (int i = 0; i < 100; ++i)
        text += QStringLiteral("ligne %1\n").arg(i);
    auto view = shownView(text, QSize(300, 200));
    RecordingFormats formats;
    view->setLineFormats(&formats);
    view->viewport()->repaint();
    const int last = view->lastVisibleLine();
    ASSERT_LT(last, 50);
    EXPECT_EQ(formats.asked.size(), last + 1);
    const QRect row = view->positionRect(view->store().lineStart(1));
    EXPECT_TRUE(hasRed(view->viewport()->grab().toImage(), row.top(), row.bottom()));

    // Nothing changed: nothing asked. A refreshed line and an edited line
    // are asked again, alone.
    formats.asked.clear();
    view->viewport()->repaint();
    EXPECT_TRUE(formats.asked.isEmpty());
    view->refreshFormats(2, 2);
    view->replace(view->store().lineStart(4), 0, u"x");
    view->viewport()->repaint();
    EXPECT_EQ(formats.asked, QList<int>({2, 4}));

    view->setLineFormats(nullptr);
    view->viewport()->repaint();
    EXPECT_FALSE(hasRed(view->viewport()->grab().toImage(), row.top(), row.bottom()));
}

TEST(TextView, RandomEditsKeepTextCaretAndViewConsistent)
{
    const QString pieces[] = {"a",  "bc",         " ",         "\t",      "\n",           "\r\n",
                              "\r", "\U0001D11E", "mot long ", "e\u0301", "\u05D0\u05D1 "};
    std::mt19937 random(7);
    const auto pick = [&](int n) { return int(random() % unsigned(std::max(n, 1))); };
    for (bool wrap : {false, true}) {
        auto view = shownView("", QSize(160, 90));
        view->setWordWrap(wrap);
        QString model;
        for (int step = 0; step < 600; ++step) {
            const int length = int(model.size());
            const int op = pick(7);
            int lastMove = -1;
            const int before = view->position();
            switch (op) {
            case 0: {
                QString text;
                for (int n = pick(4); n > 0; --n)
                    text += pieces[pick(11)];
                // Never split a surrogate pair.
                int from = pick(length + 1);
                int to = std::min(length, from + pick(8));
                if (from > 0 && from < length && model[from].isLowSurrogate())
                    --from;
                if (to > 0 && to < length && model[to].isLowSurrogate())
                    ++to;
                const int caret = view->position();
                view->replace(from, to - from, text);
                text.replace("\r\n", "\n").replace(u'\r', u'\n');
                model.replace(from, to - from, text);
                const int expected = caret < from ? caret : caret >= to ? caret - (to - from) + int(text.size()) : from;
                ASSERT_EQ(view->position(), expected) << step;
                break;
            }
            case 1:
                lastMove = pick(TextView::Right + 1);
                view->moveCaret(TextView::Move(lastMove), pick(2) == 0);
                break;
            case 2:
                sendMouse(*view, QEvent::MouseButtonPress, QPoint(pick(170), pick(100)));
                sendMouse(*view, QEvent::MouseButtonRelease, QPoint(pick(170), pick(100)));
                break;
            case 3: {
                QTest::keyClick(view.get(), std::array{Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Return, Qt::Key_X,
                                                       Qt::Key_PageDown, Qt::Key_PageUp}[pick(6)]);
                model = view->toPlainText();
                // Keys bring the caret into view.
                const QRect caret = view->positionRect(view->position());
                ASSERT_GE(caret.top(), 0) << step;
                ASSERT_LE(caret.bottom(), view->viewport()->height()) << step;
                ASSERT_GE(caret.left(), 0) << step;
                ASSERT_LE(caret.right(), view->viewport()->width()) << step;
                break;
            }
            case 4:
                sendMouse(*view, QEvent::MouseButtonDblClick, QPoint(pick(170), pick(100)));
                sendMouse(*view, QEvent::MouseMove, QPoint(pick(200) - 20, pick(140) - 20));
                sendMouse(*view, QEvent::MouseButtonRelease, QPoint(pick(170), pick(100)));
                break;
            case 5: {
                QInputMethodEvent preedit(pieces[pick(11)], {});
                QApplication::sendEvent(view.get(), &preedit);
                QInputMethodEvent commit;
                commit.setCommitString(pieces[pick(11)], -pick(2), pick(2));
                QApplication::sendEvent(view.get(), &commit);
                model = view->toPlainText();
                break;
            }
            case 6:
                view->setOverwriteMode(pick(2) == 0);
                QTest::keyClick(view.get(), Qt::Key_X, Qt::ControlModifier);
                QTest::keyClick(view.get(), Qt::Key_Left);
                QTest::keyClick(view.get(), Qt::Key_V, Qt::ControlModifier);
                QTest::keyClicks(view.get(), "y");
                model = view->toPlainText();
                break;
            }
            ASSERT_EQ(view->toPlainText(), model) << step;
            ASSERT_GE(view->position(), 0);
            ASSERT_LE(view->position(), view->store().length());
            const int caret = view->position();
            ASSERT_FALSE(caret > 0 && caret < model.size() && model[caret].isLowSurrogate())
                << step << " op " << op << " move " << lastMove << " from " << before << " " << model.toStdString();
            view->viewport()->repaint();
            ASSERT_LE(view->firstVisibleLine(), view->lastVisibleLine());
            ASSERT_LT(view->lastVisibleLine(), view->store().lineCount());
        }
    }
}
