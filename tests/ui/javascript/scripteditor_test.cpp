#include "ui/javascript/scripteditor.h"

#include "../dialogs/dialogtesting.h"
#include "core/dialogs/eventcalls.h"
#include "core/messages/messages.h"
#include "support/marked.h"
#include "ui/dialogs/dialogcommands.h"
#include "ui/dialogs/eventsdialog.h"
#include "ui/tagcommands/tooltabs.h"

#include <QAction>
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBlock>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

TEST(ScriptEditor, OpensInsideTheFunctionUnmodifiedAndInsertsIntoTheHead)
{
    DialogTesting t;
    setMarked(t.host.text, QStringLiteral("<HEAD></HEAD><BODY>a|b"));
    ScriptEditor editor(t.services);
    editor.setScript(ScriptSkeleton(QStringLiteral("f()")));
    EXPECT_EQ(editor.editor()->textCursor().blockNumber(), 3);
    EXPECT_EQ(editor.editor()->textCursor().positionInBlock(), 0);
    EXPECT_FALSE(editor.editor()->document()->isModified());
    EXPECT_TRUE(editor.headCheck()->isChecked());
    editor.okButton()->click();
    EXPECT_EQ(marked(t.host.text), QStringLiteral("<HEAD>") + ScriptSkeleton(QStringLiteral("f()"))
                                       + QStringLiteral("\r\n</HEAD><BODY>a|b"));
    EXPECT_EQ(t.host.undo.count(), 1);
}

TEST(ScriptEditor, InsertKeyTogglesTheModeAndCancellingAModifiedScriptAsks)
{
    DialogTesting t;
    ScriptEditor editor(t.services);
    editor.setScript(ScriptSkeleton(QStringLiteral("f()")));
    editor.show();
    QTest::keyClick(editor.editor(), Qt::Key_Insert);
    EXPECT_TRUE(editor.statusText().endsWith(msg(7685)));
    EXPECT_TRUE(editor.statusText().startsWith(QStringLiteral("Ligne 4")));
    QTest::keyClicks(editor.editor(), QStringLiteral("x"));
    editor.cancelButton()->click(); // No: stays
    EXPECT_TRUE(editor.isVisible());
    EXPECT_EQ(t.host.fakePrompts.asked, QStringList{msg(70)});
    t.host.fakePrompts.answers = {Prompts::Answer::Yes};
    editor.cancelButton()->click();
    EXPECT_FALSE(editor.isVisible());
    EXPECT_EQ(t.host.undo.count(), 0);
}

TEST(NewFunctionCommand, ChainsTheNamePromptAndTheEditor)
{
    const struct
    {
        QString typed;
        QString function;
    } cases[] = {
        {"ma fonction", "function mafonction() {"},
        {"", "function sansnom() {"},
    };
    for (const auto &c : cases) {
        DialogTesting t;
        ToolTabs tools(t.host);
        tools.setDocumentOpen(true);
        installDialogCommands(tools, t.services);
        setMarked(t.host.text, QStringLiteral("[sel]"));
        QStringList seen;
        // Answer the two modal windows as they come up.
        QTimer::singleShot(0, [&] {
            auto *names = qobject_cast<EventsDialog *>(QApplication::activeModalWidget());
            ASSERT_NE(names, nullptr);
            EXPECT_TRUE(names->nameMode());
            names->nameField()->setText(c.typed);
            names->okButton()->click();
            QTimer::singleShot(0, [&] {
                auto *editor = qobject_cast<ScriptEditor *>(QApplication::activeModalWidget());
                ASSERT_NE(editor, nullptr);
                seen << editor->script();
                editor->okButton()->click();
            });
        });
        tools.action(QStringLiteral("ScriptBtn"))->trigger();
        ASSERT_EQ(seen.size(), 1);
        EXPECT_TRUE(seen[0].contains(c.function)) << qPrintable(seen[0]);
        EXPECT_TRUE(t.host.text.text().startsWith(QStringLiteral("<SCRIPT LANGUAGE=\"JavaScript\">\r\n")));
        EXPECT_TRUE(t.host.text.text().endsWith(QStringLiteral("</SCRIPT>\r\nsel")));
    }
}

} // namespace
