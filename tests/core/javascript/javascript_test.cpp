#include "core/javascript/scriptinsertion.h"
#include "core/javascript/wordlists.h"

#include "core/markup/editorstate.h"
#include "core/text/memorytext.h"
#include "core/undo/undohistory.h"
#include "support/marked.h"
#include "support/qstringprinter.h"

#include <gtest/gtest.h>

namespace {

TEST(WordLists, ParsingTrimsAndAppliesTheVersionMark)
{
    const QString text = QStringLiteral("  un \r\n-deux\r\n\r\n- trois \r\nquatre");
    EXPECT_EQ(ParseWordList(text, true), (QStringList{"un", "deux", "trois", "quatre"}));
    EXPECT_EQ(ParseWordList(text, false), (QStringList{"un", "quatre"}));
}

TEST(WordLists, EveryListedWordHasADescription)
{
    for (int i = 0; i < WordListCount; ++i) {
        for (const QString &word : JavaScriptWords(WordList(i), true))
            EXPECT_FALSE(WordDescription(word).isEmpty()) << qPrintable(word);
    }
    EXPECT_EQ(WordDescription(QStringLiteral("inconnu")), QString());
}

TEST(ScriptInsertion, LandsInTheHeadAndTheSelectionFollowsItsText)
{
    const QStringList script = {"<SCRIPT>", "f();", "</SCRIPT>"};
    const QString block = QStringLiteral("<SCRIPT>\r\nf();\r\n</SCRIPT>\r\n");
    const struct
    {
        QString before;
        bool intoHead;
        QString after;
    } cases[] = {
        {"<HEAD></HEAD><BODY>a|b", true, "<HEAD>" + block + "</HEAD><BODY>a|b"},
        {"<HEAD>|</HEAD>", true, "<HEAD>" + block + "|</HEAD>"},
        {"sans tete |x", true, "sans tete " + block + "|x"},
        {"a|b", false, "a" + block + "|b"},
        // a selection is never replaced by the script
        {"a[mot]b", false, "a" + block + "[mot]b"},
    };
    for (const auto &c : cases) {
        MemoryText text;
        UndoHistory undo(text);
        EditorState state;
        setMarked(text, c.before);
        EXPECT_TRUE(InsertScript(text, undo, state, script, c.intoHead));
        EXPECT_EQ(marked(text), c.after) << qPrintable(c.before);
        EXPECT_EQ(undo.count(), 1);
    }
    // a single line is not a script: nothing is written
    MemoryText text(QStringLiteral("x"));
    UndoHistory undo(text);
    EditorState state;
    EXPECT_FALSE(InsertScript(text, undo, state, {"f();"}, false));
    EXPECT_EQ(text.text(), QStringLiteral("x"));
    EXPECT_EQ(undo.count(), 0);
}

} // namespace
