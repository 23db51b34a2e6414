#include "support/fakeprompts.h"
#include "support/fakeshelldialogs.h"
#include "ui/shell/documentwindow.h"
#include "ui/shell/documentworkspace.h"
#include "ui/shell/filecommands.h"
#include "ui/shell/mainwindow.h"
#include "ui/text/editorwidget.h"

#include <QAction>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using Answer = Prompts::Answer;

// Deletes what the window handed to the event loop for deletion.
void runDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// A frame window with three pages open, each typed in, selected and focused
// as a user leaves them.
class ClosingPagesTest : public ::testing::Test
{
protected:
    ClosingPagesTest()
        : store(dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat)
    {
        store.setValue(QStringLiteral("Tessaline/APropos"), 0);
        window = std::make_unique<MainWindow>(MainWindow::Services{&store, &prompts, &dialogs});
        window->show();
        for (const char *name : {"un.htm", "deux.htm", "trois.htm"}) {
            const QString file = dir.filePath(QString::fromLatin1(name));
            QFile f(file);
            EXPECT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("<P>texte</P>\r\n");
            f.close();
            window->files()->OpenDocument(file);
            EditorWidget *editor = window->activeDocument()->editor();
            editor->setFocus();
            QTest::keyClicks(editor, QStringLiteral("abc"));
            QTest::keyClick(editor, Qt::Key_Left, Qt::ShiftModifier);
        }
        QCoreApplication::processEvents();
    }

    QTemporaryDir dir;
    QSettings store;
    FakePrompts prompts;
    FakeShellDialogs dialogs;
    std::unique_ptr<MainWindow> window;
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
    EXPECT_EQ(store.value(QStringLiteral("Derniers Fichiers/1")).toString(), dir.filePath(QStringLiteral("trois.htm")));
}
