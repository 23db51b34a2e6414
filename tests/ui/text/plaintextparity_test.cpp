// The editor's keys and mouse against Qt's own plain-text editor: the same
// keys and clicks go to both, and text, caret and selection must agree after
// every step, except where the editor differs on purpose (listed at the end).

#include "core/markup/editorstate.h"
#include "core/undo/undohistory.h"
#include "ui/text/editortext.h"
#include "ui/text/editorwidget.h"
#include "ui/undo/typingrecorder.h"

#include <QApplication>
#include <QHash>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <sstream>
#include <variant>

namespace {

// One thing the user does: a key with its modifiers, typed text, or a click
// or double click on the character that starts at a position.
struct Key
{
    Qt::Key key;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};
struct Type
{
    QString text;
};
struct Click
{
    int position;
    bool twice = false;
};
using Step = std::variant<Key, Type, Click>;

constexpr Qt::KeyboardModifiers Shift = Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers Ctrl = Qt::ControlModifier;

QString describe(const Step &step)
{
    if (const auto *key = std::get_if<Key>(&step))
        return QKeySequence(key->key | key->modifiers).toString();
    if (const auto *type = std::get_if<Type>(&step))
        return "type " + type->text;
    const auto &click = std::get<Click>(step);
    return QStringLiteral("%1 at %2").arg(click.twice ? "double click" : "click").arg(click.position);
}

// What the user sees of an editor: its text, caret and anchor.
struct State
{
    QString text;
    int position;
    int anchor;
    bool operator==(const State &) const = default;
};

std::ostream &operator<<(std::ostream &out, const State &s)
{
    QString text = s.text;
    text.replace(u'\n', u'|');
    return out << '"' << text.toStdString() << "\" anchor " << s.anchor << " caret " << s.position;
}

void sendMouse(QWidget *viewport, QEvent::Type type, QPoint point)
{
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, point, viewport->mapToGlobal(point), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(viewport, &event);
}

// A press and release (and a double click) inside the character after the
// position, nearer its start.
void click(QWidget *viewport, QPoint point, bool twice)
{
    sendMouse(viewport, QEvent::MouseButtonPress, point);
    sendMouse(viewport, QEvent::MouseButtonRelease, point);
    if (twice) {
        sendMouse(viewport, QEvent::MouseButtonDblClick, point);
        sendMouse(viewport, QEvent::MouseButtonRelease, point);
    }
}

void perform(QWidget *editor, QWidget *viewport, const Step &step, const std::function<QPoint(int)> &pointOf)
{
    if (const auto *key = std::get_if<Key>(&step))
        QTest::keyClick(editor, key->key, key->modifiers);
    else if (const auto *type = std::get_if<Type>(&step))
        // Key by key, as a keyboard types them; letters beyond ASCII too.
        for (const QChar c : type->text)
            QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, QString(c), Qt::NoModifier);
    else
        click(viewport, pointOf(std::get<Click>(step).position), std::get<Click>(step).twice);
}

const QSize Size(300, 140);

// Qt's plain-text editor, set up as the editor is.
struct Plain
{
    explicit Plain(const QString &text, bool wrap)
    {
        edit.setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
        edit.setTabStopDistance(80);
        edit.resize(Size);
        edit.setPlainText(text);
        edit.show();
        edit.setFocus();
    }
    State state() const
    {
        const QTextCursor cursor = edit.textCursor();
        return {edit.toPlainText(), cursor.position(), cursor.anchor()};
    }
    void setPosition(int position)
    {
        QTextCursor cursor = edit.textCursor();
        cursor.setPosition(position);
        edit.setTextCursor(cursor);
    }
    QPoint pointOf(int position) const
    {
        QTextCursor cursor = edit.textCursor();
        cursor.setPosition(position);
        const QRect rect = edit.cursorRect(cursor);
        return QPoint(rect.x() + 1, rect.center().y());
    }
    void perform(const Step &step)
    {
        ::perform(&edit, edit.viewport(), step, [this](int p) { return pointOf(p); });
    }
    QPlainTextEdit edit;
};

// The editor alone (View) or as a page holds it, with its undo history and
// the recorder that performs the editing keys (Page).
enum class Editor { View, Page };

struct Ours
{
    Ours(const QString &text, bool wrap)
        : page(&editor)
    {
        editor.setWordWrap(wrap);
        editor.resize(Size);
        editor.setPlainText(text);
        editor.show();
        editor.setFocus();
    }
    State state() const { return {editor.toPlainText(), editor.position(), editor.anchor()}; }
    QPoint pointOf(int position) const
    {
        const QRect rect = editor.positionRect(position);
        return QPoint(rect.x() + 1, rect.center().y());
    }
    void perform(const Step &step)
    {
        ::perform(&editor, editor.viewport(), step, [this](int p) { return pointOf(p); });
    }
    EditorWidget editor;
    EditorText page;
    UndoHistory history{page};
    EditorState editorState;
    std::unique_ptr<TypingRecorder> recorder;
};

// Both editors on the same text, caret at the same place.
struct Both
{
    Both(const QString &text, int position, Editor kind, bool wrap)
        : plain(text, wrap)
        , ours(text, wrap)
    {
        if (kind == Editor::Page)
            ours.recorder = std::make_unique<TypingRecorder>(&ours.editor, ours.page, ours.history, ours.editorState);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&ours.editor));
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&plain.edit));
        plain.setPosition(position);
        ours.editor.setPosition(position);
    }
    // Performs the step on both; the description of what differs, or empty.
    std::string step(const Step &step)
    {
        plain.perform(step);
        ours.perform(step);
        const State theirs = plain.state();
        const State mine = ours.state();
        if (theirs == mine)
            return {};
        std::ostringstream out;
        out << "after " << describe(step).toStdString() << ": editor " << mine << ", QPlainTextEdit " << theirs;
        return out.str();
    }
    Plain plain;
    Ours ours;
};

// Text with long lines around short ones, letters with a combining accent
// ("e" U+0301 at 4-5 and 7-8), a surrogate pair (32-33), an empty line (63),
// a right-to-left line (64-73) and "l'été, (mot) fin." from 75.
const QString Mixed = QStringLiteral("une e\u0301te\u0301 longue ligne ici\n"
                                     "ab\n"
                                     "x \U0001D11E y et une autre longue ligne\n"
                                     "\n"
                                     "\u05D0\u05D1\u05D2 \u05D3\u05D4 abc\n"
                                     "l'e\u0301te\u0301, (mot) fin.");
// Random clicks stay out of right-to-left text: there the two editors place
// a click at a run's edge on different sides of it.
const QString LeftToRight = QString(Mixed).remove(64, 11);
const QString Lines = QStringLiteral("une longue ligne de texte\ncourt\n\nune autre longue ligne\nfin");

// Steps written as words: a key name with "S-" (Shift), "C-" (Ctrl) or "CS-"
// before it, "type:text", "click:position" or "dbl:position".
std::vector<Step> steps(const QString &words)
{
    static const QHash<QString, Qt::Key> keys = {
        {"Left", Qt::Key_Left},  {"Right", Qt::Key_Right},  {"Up", Qt::Key_Up},        {"Down", Qt::Key_Down},
        {"Home", Qt::Key_Home},  {"End", Qt::Key_End},      {"PgUp", Qt::Key_PageUp},  {"PgDn", Qt::Key_PageDown},
        {"Del", Qt::Key_Delete}, {"BS", Qt::Key_Backspace}, {"Enter", Qt::Key_Return}, {"Tab", Qt::Key_Tab},
        {"Ins", Qt::Key_Insert}, {"Z", Qt::Key_Z}};
    std::vector<Step> result;
    for (const QString &word : words.split(u' ', Qt::SkipEmptyParts)) {
        const QString value = word.section(u':', 1);
        if (word.startsWith("type:")) {
            result.push_back(Type{value});
        } else if (word.startsWith("click:") || word.startsWith("dbl:")) {
            result.push_back(Click{value.toInt(), word.startsWith("dbl:")});
        } else {
            const QString prefix = word.contains(u'-') ? word.section(u'-', 0, 0) : QString();
            Qt::KeyboardModifiers modifiers;
            if (prefix.contains(u'S'))
                modifiers |= Shift;
            if (prefix.contains(u'C'))
                modifiers |= Ctrl;
            const QString name = word.section(u'-', -1);
            EXPECT_TRUE(keys.contains(name)) << name.toStdString();
            result.push_back(Key{keys.value(name), modifiers});
        }
    }
    return result;
}

struct Sequence
{
    const char *name;
    QString text;
    int position;
    QString steps;
    Editor editor = Editor::View;
    bool wrap = false;
};

const Sequence Sequences[] = {
    {"arrows", Mixed, 0, "Right Right Down Left Up End Right Home"},
    {"arrows over a combining accent", Mixed, 4, "Right Left S-Right Right Left"},
    {"arrows over a surrogate pair", Mixed, 31, "Right Right Left Left S-Right Left"},
    {"shift arrows, then a plain arrow", Mixed, 10, "S-Right S-Right Left S-Left Right S-Down Right"},
    {"down and up keep the column across short lines", Lines, 20, "Down Down Down Up Up Up"},
    {"shift down and up keep the column across short lines", Lines, 20, "S-Down S-Down S-Down S-Up S-Up S-Up"},
    {"shift down keeps the column in the page", Lines, 20, "S-Down S-Down S-Down S-Up", Editor::Page},
    {"shift up and down select to the ends from the first and last rows", Lines, 3, "S-Up S-Down C-End Up S-Down"},
    {"after typing, down takes the new column", Lines, 3, "Down Up type:xyz Down Up", Editor::Page},
    {"after typing, up takes the new column", Lines, 36, "Up Down type:ab Up", Editor::Page},
    {"after a backspace, down takes the new column", Lines, 22, "Down Up BS Down", Editor::Page},
    {"after a delete at a line's end, down takes the new column", Lines, 22, "Down Del Down", Editor::Page},
    {"after a delete at a line's end, down takes the new column (view)", Lines, 22, "Down Del Down"},
    {"home and end", Mixed, 10, "End Home S-End C-Home CS-End C-Home"},
    {"word moves", Mixed, 0, "C-Right C-Right C-Right C-Left CS-Right CS-Left C-Left"},
    {"word moves over apostrophes and brackets", Mixed, 75, "C-Right C-Right C-Right C-Right C-Right C-Left C-Left"},
    {"word moves in right-to-left text", Mixed, 66, "C-Right C-Right C-Left CS-Left C-Left C-Left"},
    {"delete over graphemes and pairs", Mixed, 4, "Del Right Del Down End Del Right Del"},
    {"delete over graphemes and pairs in the page", Mixed, 6, "Left Del Down Left Left Del End Del", Editor::Page},
    {"backspace over graphemes and pairs", Mixed, 6, "BS BS Home BS Down End BS"},
    {"backspace over graphemes and pairs in the page", Mixed, 9, "BS BS Home BS S-Right BS", Editor::Page},
    {"double clicks select what Ctrl+arrows step over", Mixed, 0,
     "dbl:77 dbl:76 dbl:75 dbl:79 dbl:82 dbl:86 dbl:88 dbl:4 dbl:32 dbl:0 dbl:26"},
    {"clicks", Mixed, 0, "click:4 click:7 click:32 click:45 click:66 click:76"},
    {"typing and line breaks", Mixed, 3, "type:ab Enter type:c Up Down S-Right type:z", Editor::Page},
    {"right-to-left text", Mixed, 66, "Right Right Left End Home Left S-Left Right Up Down"},
    {"wrapped rows", QString("mot ").repeated(60), 5, "Down Down End Right Up Home S-Down End S-End", Editor::View,
     true},
};

} // namespace

TEST(PlainTextParity, SequencesGiveTheSameTextCaretAndSelection)
{
    for (const Sequence &s : Sequences) {
        SCOPED_TRACE(s.name);
        Both both(s.text, s.position, s.editor, s.wrap);
        for (const Step &step : steps(s.steps)) {
            const std::string difference = both.step(step);
            if (!difference.empty()) {
                ADD_FAILURE() << difference;
                break;
            }
        }
    }
}

TEST(PlainTextParity, RandomKeysAndClicksGiveTheSameResult)
{
    const std::vector<Step> pool = steps("Left Right Up Down S-Left S-Right S-Up S-Down Home End S-Home S-End C-Left "
                                         "C-Right CS-Right CS-Left C-Home C-End Del BS Enter type:a type:é "
                                         "type:_");
    for (Editor kind : {Editor::View, Editor::Page}) {
        for (unsigned seed = 1; seed <= 3; ++seed) {
            std::mt19937 random(seed);
            Both both(LeftToRight, 0, kind, false);
            QStringList done;
            for (int i = 0; i < 150; ++i) {
                Step step = pool[random() % pool.size()];
                // Single clicks only: a click soon after a double click near
                // it is a triple click, which the table covers.
                if (random() % 8 == 0) {
                    const int length = int(both.plain.edit.toPlainText().size());
                    step = Click{int(random() % unsigned(length + 1))};
                }
                done << describe(step);
                const std::string difference = both.step(step);
                ASSERT_TRUE(difference.empty()) << "seed " << seed << (kind == Editor::Page ? " page" : " view")
                                                << " after " << done.join(", ").toStdString() << "\n"
                                                << difference;
            }
        }
    }
}

namespace {

// The text with the caret as "|" or the selection in brackets.
QString marked(const State &s)
{
    QString text = s.text;
    if (s.anchor == s.position)
        return text.insert(s.position, u'|');
    text.insert(std::max(s.anchor, s.position), u']');
    return text.insert(std::min(s.anchor, s.position), u'[');
}

} // namespace

// Where the editor differs from Qt's plain-text editor on purpose.
TEST(PlainTextParity, DifferencesAreTheDocumentedOnes)
{
    const struct
    {
        const char *name;
        QString text;
        int position;
        QString steps;
        QString ours;
        QString theirs;
    } cases[] = {
        // The page's own undo history takes back a run of Enter presses as
        // one step.
        {"one undo takes back a run of enters", "ab", 1, "Enter Enter C-Z", "a|b", "a\n|b"},
        // Insert switches to overwrite mode.
        {"typing after Insert replaces", "abc", 1, "Ins type:X", "aX|c", "aX|bc"},
        // Tab collapses the selection to its start and puts a tab there.
        {"tab over a selection", "abc", 0, "S-Right S-Right Tab", "\t|abc", "\t|c"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Both both(c.text, c.position, Editor::Page, false);
        for (const Step &step : steps(c.steps))
            both.step(step);
        EXPECT_EQ(marked(both.ours.state()), c.ours);
        EXPECT_EQ(marked(both.plain.state()), c.theirs);
    }
}

// Page Down moves the caret as far as the view scrolls, so that it stays on
// its row of the screen (Qt's editor moves it one row further down the
// screen each time); End on a row broken inside a word stops before the
// row's last character, so that the caret stays on the row (Qt's goes to the
// start of the next row).
TEST(PlainTextParity, PageAndRowEndDifferAsDocumented)
{
    QString many;
    for (int i = 0; i < 60; ++i)
        many += QStringLiteral("ligne %1\n").arg(i);
    Both pages(many, 0, Editor::View, false);
    const int row = pages.ours.editor.caretRect().y();
    const int theirRow = pages.plain.edit.cursorRect().y();
    pages.step(Key{Qt::Key_PageDown});
    pages.step(Key{Qt::Key_PageDown});
    EXPECT_EQ(pages.ours.editor.caretRect().y(), row);
    EXPECT_GT(pages.ours.editor.position(), 0);
    EXPECT_NE(pages.plain.edit.cursorRect().y(), theirRow);

    Both rows(QString(300, u'x'), 5, Editor::View, true);
    rows.step(Key{Qt::Key_End});
    const int end = rows.ours.editor.position();
    EXPECT_EQ(rows.plain.state().position, end + 1);
    EXPECT_EQ(rows.ours.editor.caretRect().y(), rows.ours.editor.positionRect(5).y());
}
