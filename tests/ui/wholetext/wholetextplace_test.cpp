#include "core/text/search.h"
#include "support/qstringprinter.h"
#include "support/testhost.h"
#include "ui/wholetext/wholetextcommands.h"

#include <QScrollBar>

#include <gtest/gtest.h>

namespace {

QString numberedPage()
{
    QStringList lines;
    for (int i = 0; i < 300; ++i)
        lines << QStringLiteral("ligne %1 \u00E9t\u00E9 &lt; <B>  gras </B>").arg(i, 3, 10, QLatin1Char('0'));
    return lines.join(QStringLiteral("\r\n"));
}

} // namespace

// The whole-text commands and their Undo and Redo leave the caret on its
// line and the view where it was, instead of jumping to the first line.
TEST(WholeTextPlace, CommandsAndTheirUndoKeepTheCaretAndTheView)
{
    struct Case
    {
        const char *name;
        void (*run)(TestHost &host, WholeTextCommands &commands);
        bool linesKept; // the command keeps the line structure
    };
    const Case cases[] = {
        {"conversion", [](TestHost &, WholeTextCommands &c) { c.Conversioncaractres1Click(); }, true},
        {"back conversion", [](TestHost &, WholeTextCommands &c) { c.Retourverscaractres1Click(); }, true},
        {"replace all",
         [](TestHost &h, WholeTextCommands &) {
             ReplaceAll(h.text, h.undo, QStringLiteral("ligne"), QStringLiteral("LIGNE NUM\u00C9RO"), SearchOptions{},
                        false);
         },
         true},
        {"compaction", [](TestHost &, WholeTextCommands &c) { c.Compact1Click(); }, false},
    };
    for (const Case &c : cases) {
        TestHost host;
        host.frame.show();
        WholeTextCommands commands(host);
        host.editor->setWordWrap(false);
        host.text.setText(numberedPage());
        const int caret = host.text.lineStart(200) + 4;
        host.text.setSelectionStart(caret);
        host.editor->verticalScrollBar()->setValue(185);
        ASSERT_EQ(host.editor->firstVisibleLine(), 185);
        const auto caretLineText = [&] {
            return host.text.line(host.text.lineFromPosition(host.text.selectionStart()));
        };

        host.fakePrompts.answers = {Prompts::Answer::Yes};
        c.run(host, commands);
        ASSERT_TRUE(host.undo.CanUndo()) << c.name;
        if (c.linesKept) {
            EXPECT_EQ(host.text.lineFromPosition(host.text.selectionStart()), 200) << c.name;
            EXPECT_EQ(host.editor->firstVisibleLine(), 185) << c.name;
        } else {
            // One long line: the caret stays near the text it stood in.
            const int at = host.text.text().indexOf(QStringLiteral("ligne 200"));
            EXPECT_LE(std::abs(host.text.selectionStart() - at), 40) << c.name << " " << at;
        }
        for (bool undo : {true, false}) {
            undo ? host.undo.Undo() : host.undo.Redo();
            if (undo || c.linesKept) {
                EXPECT_TRUE(caretLineText().contains(QStringLiteral(" 200 "))) << c.name << undo;
                const int line = host.text.lineFromPosition(host.text.selectionStart());
                EXPECT_EQ(line, 200) << c.name << undo;
                // The caret keeps its row on screen.
                EXPECT_EQ(host.editor->firstVisibleLine(), undo && !c.linesKept ? line : 185) << c.name << undo;
            }
        }
    }
}
