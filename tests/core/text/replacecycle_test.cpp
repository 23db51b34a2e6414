#include "core/markup/editorstate.h"
#include "core/text/memorytext.h"
#include "core/text/search.h"
#include "core/undo/undohistory.h"
#include "support/qstringprinter.h"

#include <gtest/gtest.h>

// "&Remplacer" pressed again and again goes through the page once: a
// replacement that contains the search text is never searched again, and
// the end of the cycle is reported.
TEST(ReplaceCycle, EveryOccurrenceIsReplacedOnceThenTheEndIsReported)
{
    struct Case
    {
        const char *text;
        int caret;
        const char *needle;
        const char *replacement;
        bool global;
        const char *expected;
    };
    const Case cases[] = {
        {"chat chat", 0, "chat", "chats", true, "chats chats"},
        {"chat chat chat", 5, "chat", "chats", true, "chats chats chats"},
        {"chat chat chat", 6, "chat", "chats", true, "chats chats chats"},
        {"aa", 0, "a", "aa", true, "aaaa"},
        {"x chat\r\nchat", 8, "CHAT", "le chat", true, "x le chat\r\nle chat"},
        {"chats chats", 3, "chats", "chat", true, "chat chat"},
        {"chat chat", 0, "chat", "chats", false, "chats chats"},
    };
    for (const Case &c : cases) {
        MemoryText text(QString::fromUtf8(c.text));
        UndoHistory undo(text);
        EditorState editorState;
        SearchState state;
        text.setSelectionStart(c.caret);
        const QString needle = QString::fromUtf8(c.needle);
        const QString replacement = QString::fromUtf8(c.replacement);
        int presses = 0;
        bool found = true;
        while (found && presses < 20) {
            found =
                ReplaceCommand(text, undo, editorState, state, needle, replacement, c.global, SearchOptions{}).found;
            ++presses;
        }
        EXPECT_FALSE(found) << c.text << " " << c.caret;
        EXPECT_EQ(str(text.text()), c.expected) << c.text << " " << c.caret;
    }
}
