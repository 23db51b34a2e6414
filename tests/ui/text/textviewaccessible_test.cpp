#include "support/editorpage.h"

#include <QAccessible>
#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace {

// The events a screen reader would receive from one object, as text:
// "text 8 -1 +0" (position, removed, added), "caret 8", "selection 2-5".
QObject *g_watched = nullptr;
QStringList g_told;

void recordEvent(QAccessibleEvent *event)
{
    if (event->object() != g_watched)
        return;
    switch (event->type()) {
    case QAccessible::TextUpdated: {
        const auto *update = static_cast<QAccessibleTextUpdateEvent *>(event);
        g_told << QStringLiteral("text %1 -%2 +%3")
                      .arg(update->changePosition())
                      .arg(update->textRemoved().size())
                      .arg(update->textInserted().size());
        break;
    }
    case QAccessible::TextCaretMoved:
        g_told << QStringLiteral("caret %1").arg(static_cast<QAccessibleTextCursorEvent *>(event)->cursorPosition());
        break;
    case QAccessible::TextSelectionChanged: {
        const auto *selection = static_cast<QAccessibleTextSelectionEvent *>(event);
        g_told << QStringLiteral("selection %1-%2").arg(selection->selectionStart()).arg(selection->selectionEnd());
        break;
    }
    default:
        break;
    }
}

// Listens as a screen reader would while it lives, through Qt's update
// handler.
struct ScreenReader
{
    explicit ScreenReader(QObject *watched)
    {
        g_watched = watched;
        g_told.clear();
        m_previous = QAccessible::installUpdateHandler(recordEvent);
    }
    ~ScreenReader()
    {
        QAccessible::installUpdateHandler(m_previous);
        g_watched = nullptr;
    }
    // What was told, once the events of this turn are out.
    QStringList told()
    {
        QCoreApplication::sendPostedEvents();
        const QStringList result = g_told;
        g_told.clear();
        return result;
    }

private:
    QAccessible::UpdateHandler m_previous = nullptr;
};

} // namespace

TEST(TextViewAccessible, AnEditIsToldOnceWithOneCaretEvent)
{
    using Page = EditorPage;
    using Keys = std::function<void(Page &)>;
    const auto key = [](Qt::Key k, Qt::KeyboardModifiers m = {}) {
        return [=](Page &p) { QTest::keyClick(&p.editor, k, m); };
    };
    const struct
    {
        const char *name;
        QString before;
        Keys prepare;
        Keys keys;
        QStringList told;
    } cases[] = {
        {"backspace", "un mot ou|x", {}, key(Qt::Key_Backspace), {"text 8 -1 +0", "caret 8"}},
        {"undo of a backspace",
         "un mot ou|x",
         key(Qt::Key_Backspace),
         key(Qt::Key_Z, Qt::ControlModifier),
         {"text 8 -0 +1", "caret 9"}},
        {"delete", "un |mot", {}, key(Qt::Key_Delete), {"text 3 -1 +0"}},
        {"a typed letter", "un |mot", {}, key(Qt::Key_A), {"text 3 -0 +1", "caret 4"}},
        {"backspace over a selection",
         "un [mot]",
         {},
         key(Qt::Key_Backspace),
         {"text 3 -3 +0", "caret 3", "selection 3-3"}},
        {"undo of a deleted selection",
         "un [mot]",
         key(Qt::Key_Backspace),
         key(Qt::Key_Z, Qt::ControlModifier),
         {"text 3 -0 +3", "caret 6", "selection 3-6"}},
        {"a move", "un |mot", {}, key(Qt::Key_Right), {"caret 4"}},
        {"a selecting move", "un |mot", {}, key(Qt::Key_Right, Qt::ShiftModifier), {"caret 4", "selection 3-4"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Page page(c.before);
        if (c.prepare)
            c.prepare(page);
        ScreenReader reader(&page.editor);
        c.keys(page);
        EXPECT_EQ(reader.told(), c.told);
    }
}
