#include "support/framefixture.h"
#include "ui/shell/documentwindow.h"
#include "ui/shell/documentworkspace.h"
#include "ui/shell/filecommands.h"
#include "ui/shell/mainwindow.h"
#include "ui/text/editorwidget.h"

#include <QAction>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Deletes what the window handed to the event loop for deletion.
void runDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// A frame window with three pages open, each typed in, selected and focused
// as a user leaves them.
class ClosingPagesTest : public FrameFixture
{
protected:
    ClosingPagesTest()
    {
        start();
        for (const char *name : {"un.htm", "deux.htm", "trois.htm"}) {
            EditorWidget *editor = openPage(QString::fromLatin1(name), "<P>texte</P>\r\n")->editor();
            editor->setFocus();
            QTest::keyClicks(editor, QStringLiteral("abc"));
            QTest::keyClick(editor, Qt::Key_Left, Qt::ShiftModifier);
        }
        QCoreApplication::processEvents();
    }
};

} // namespace

TEST_F(ClosingPagesTest, ClosingPagesThroughTheMenuLeavesTheOthersWorking)
{
    prompts.answers = {Answer::No};
    window->files()->closeAction()->trigger();
    runDeferredDeletes();
    ASSERT_EQ(window->workspace()->documentCount(), 2);

    // The pages left still take keys and record them.
    EditorWidget *editor = window->activeDocument()->editor();
    editor->setFocus();
    QTest::keyClicks(editor, QStringLiteral("xy"));
    EXPECT_TRUE(window->activeDocument()->text().text().contains(QStringLiteral("xy")));
    window->activeDocument()->undo().Undo();
    EXPECT_FALSE(window->activeDocument()->text().text().contains(QStringLiteral("xy")));

    prompts.answers = {Answer::No, Answer::No};
    window->files()->closeAllAction()->trigger();
    runDeferredDeletes();
    EXPECT_EQ(window->workspace()->documentCount(), 0);
}

TEST_F(ClosingPagesTest, QuittingWithPagesOpenWritesTheSettings)
{
    prompts.answers = {Answer::No, Answer::No, Answer::No};
    EXPECT_TRUE(window->close());
    runDeferredDeletes();
    window.reset();
    runDeferredDeletes();
    store.sync();
    EXPECT_EQ(store.value(QStringLiteral("Derniers Fichiers/1")).toString(), path(QStringLiteral("trois.htm")));
}
