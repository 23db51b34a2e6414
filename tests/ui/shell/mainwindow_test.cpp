#include "core/messages/messages.h"
#include "core/shell/pageheader.h"
#include "support/framefixture.h"
#include "ui/project/projectcommands.h"
#include "ui/shell/editcommands.h"
#include "ui/shell/recentmenu.h"
#include "ui/text/editorwidget.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QStatusBar>
#include <QTabBar>
#include <QTest>

namespace {

class FrameWindowTest : public FrameFixture
{
protected:
    FrameWindowTest()
    {
        store.setValue(QStringLiteral("Tessaline/Auteur"), QStringLiteral("elise"));
        store.sync();
        start();
    }
    QStringList tabTexts() const
    {
        QStringList texts;
        QTabBar *tabs = window->workspace()->tabBar();
        for (int i = 0; i < tabs->count(); ++i)
            texts << tabs->tabText(i);
        return texts;
    }
};

} // namespace

TEST_F(FrameWindowTest, NewThenSaveRunsSaveAsWithTheFilterExtension)
{
    dialogs.titles = {QStringLiteral("Essai")};
    files().NewDocument();
    ASSERT_NE(active(), nullptr);
    EXPECT_EQ(active()->caption(), QStringLiteral("SansNom.html"));
    EXPECT_EQ(tabTexts(), QStringList{QStringLiteral("Sansnom")});
    EXPECT_TRUE(active()->text().isModified());
    EXPECT_EQ(active()->text().lineFromPosition(active()->text().selectionStart()), NewPageCaretLine);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Tessaline - [SansNom.html]"));
    EXPECT_EQ(window->statusPanel(1)->text(), msg(7693));
    EXPECT_EQ(window->statusPanel(0)->text(), QStringLiteral(" Ligne     10    Col      1"));
    EXPECT_TRUE(active()->text().line(3).contains(QStringLiteral("PAR: elise -->")));

    dialogs.saveChoices = {ShellDialogs::SaveChoice{path(QStringLiteral("page")), 3}};
    files().FileSaveItemClick();
    EXPECT_EQ(dialogs.savePresets, QStringList{QStringLiteral("SansNom.html")});
    EXPECT_EQ(active()->caption(), path(QStringLiteral("page.htm")));
    EXPECT_EQ(tabTexts(), QStringList{QStringLiteral("Page")});
    EXPECT_FALSE(active()->text().isModified());
    EXPECT_EQ(window->statusPanel(1)->text(), QString());
    EXPECT_EQ(QString::fromUtf8(readFile(QStringLiteral("page.htm"))), active()->text().text());
    EXPECT_EQ(window->recentFiles()->list().entry(0), path(QStringLiteral("page.htm")));
    // The next Save writes in place without a dialog.
    active()->text().replaceSelection(QStringLiteral("<P>"));
    files().FileSaveItemClick();
    EXPECT_EQ(dialogs.savePresets.size(), 1);
    EXPECT_TRUE(readFile(QStringLiteral("page.htm")).contains("<P>"));
}

TEST_F(FrameWindowTest, NewCancelledCreatesNothing)
{
    files().NewDocument();
    EXPECT_EQ(active(), nullptr);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Tessaline"));
}

TEST_F(FrameWindowTest, OpeningTheSameFileTwiceAsksFirst)
{
    openPage(QStringLiteral("a.htm"), "<HTML>\r\n");
    ASSERT_EQ(window->workspace()->documentCount(), 1);
    EXPECT_FALSE(active()->text().isModified());

    prompts.answers = {Answer::No};
    files().OpenDocument(path(QStringLiteral("a.htm")));
    EXPECT_EQ(window->workspace()->documentCount(), 1);
    ASSERT_EQ(prompts.asked.size(), 1);
    EXPECT_EQ(prompts.asked[0], QLatin1Char('[') + path(QStringLiteral("a.htm")) + QStringLiteral("] ") + msg(10));

    prompts.answers = {Answer::Yes};
    files().OpenDocument(path(QStringLiteral("a.htm")));
    EXPECT_EQ(window->workspace()->documentCount(), 2);
    EXPECT_EQ(tabTexts(), (QStringList{QStringLiteral("A"), QStringLiteral("A")}));
}

TEST_F(FrameWindowTest, UnreadableFilesOpenNothing)
{
    writeFile(QStringLiteral("binary.htm"), QByteArray("\x89PNG\0\0", 6));
    for (const QString &name : {QStringLiteral("missing.htm"), QStringLiteral("binary.htm")}) {
        prompts.shown.clear();
        files().OpenDocument(path(name));
        EXPECT_EQ(window->workspace()->documentCount(), 0);
        ASSERT_EQ(prompts.shown.size(), 1);
        EXPECT_EQ(prompts.shown[0], QStringLiteral("information:[") + path(name) + QLatin1Char(']') + msg(11));
    }
    EXPECT_EQ(window->recentFiles()->count(), 0);
}

TEST_F(FrameWindowTest, CloseAsksAndCancelKeepsTheDocument)
{
    openPage(QStringLiteral("a.htm"), "old\r\n");
    active()->text().replaceSelection(QStringLiteral("new "));

    prompts.answers = {Answer::Cancel};
    EXPECT_FALSE(files().CloseActiveDocument());
    EXPECT_EQ(window->workspace()->documentCount(), 1);
    EXPECT_EQ(prompts.asked.last(),
              msg(3) + QStringLiteral(" - [") + path(QStringLiteral("a.htm")) + QStringLiteral("]?"));

    // Yes, then No to overwriting: Save as opens; cancelling it keeps the
    // page open with its changes.
    prompts.answers = {Answer::Yes, Answer::No};
    EXPECT_FALSE(files().CloseActiveDocument());
    EXPECT_EQ(prompts.asked.last(), msg(2) + QStringLiteral("[a.htm]?"));
    EXPECT_EQ(dialogs.savePresets, QStringList{QStringLiteral("a.htm")});
    EXPECT_EQ(window->workspace()->documentCount(), 1);
    EXPECT_EQ(readFile(QStringLiteral("a.htm")), QByteArray("old\r\n"));

    // Yes and Yes: written in place.
    prompts.answers = {Answer::Yes, Answer::Yes};
    EXPECT_TRUE(files().CloseActiveDocument());
    EXPECT_EQ(readFile(QStringLiteral("a.htm")), QByteArray("new old\r\n"));
}

TEST_F(FrameWindowTest, ClosingRenumbersTabsAndHidesTheTabPanelAtTheEnd)
{
    for (const char *name : {"un.htm", "deux.htm", "trois.htm"}) {
        openPage(QString::fromLatin1(name), "x");
    }
    EXPECT_TRUE(window->workspace()->panel()->isVisible());
    EXPECT_TRUE(window->statusBar()->isVisible());
    const auto documents = window->workspace()->documents();
    window->workspace()->activate(documents[1]);
    EXPECT_EQ(documents[2]->DocumentTabIndex, 2);
    files().CloseActiveDocument();
    EXPECT_EQ(documents[2]->DocumentTabIndex, 1);
    EXPECT_EQ(tabTexts(), (QStringList{QStringLiteral("Un"), QStringLiteral("Trois")}));

    files().FermerTouslesFichiers1Click();
    EXPECT_EQ(window->workspace()->documentCount(), 0);
    EXPECT_FALSE(window->workspace()->panel()->isVisible());
    EXPECT_FALSE(window->statusBar()->isVisible());
    EXPECT_FALSE(files().saveAsAction()->isEnabled());
}

TEST_F(FrameWindowTest, TabChoiceBringsItsDocumentToTheFront)
{
    writeFile(QStringLiteral("deux.htm"), "x");
    openPage(QStringLiteral("un.htm"), "1\r\n2\r\n3");
    active()->text().setSelectionStart(4);
    files().OpenDocument(path(QStringLiteral("deux.htm")));
    EXPECT_EQ(active()->caption(), path(QStringLiteral("deux.htm")));
    window->workspace()->tabBar()->setCurrentIndex(0);
    EXPECT_EQ(active()->caption(), path(QStringLiteral("un.htm")));
    EXPECT_EQ(window->statusPanel(0)->text(), QStringLiteral(" Ligne      2    Col      2"));
    EXPECT_EQ(window->windowTitle(),
              QStringLiteral("Tessaline - [") + path(QStringLiteral("un.htm")) + QLatin1Char(']'));
}

TEST_F(FrameWindowTest, SettingsAreWrittenBackAtExit)
{
    openPage(QStringLiteral("a.htm"), "x");
    window->close();
    store.sync();
    EXPECT_EQ(store.value(QStringLiteral("Derniers Fichiers/1")).toString(), path(QStringLiteral("a.htm")));
    EXPECT_EQ(store.value(QStringLiteral("Derniers Fichiers/2")).toString(), QString());
    EXPECT_EQ(store.value(QStringLiteral("Editeur/MargeGauche")).toInt(), 22);
    EXPECT_EQ(store.value(QStringLiteral("Police/Nom")).toString(), QStringLiteral("Arial"));
}

TEST_F(FrameWindowTest, ExitStopsWhenAQuestionIsCancelled)
{
    dialogs.titles = {QStringLiteral("t")};
    files().NewDocument();
    prompts.answers = {Answer::Cancel};
    EXPECT_FALSE(window->close());
    EXPECT_EQ(window->workspace()->documentCount(), 1);
    EXPECT_FALSE(store.contains(QStringLiteral("Derniers Fichiers/1")));
}

TEST_F(FrameWindowTest, RevertReloadsTheFile)
{
    dialogs.titles = {QStringLiteral("t")};
    files().NewDocument();
    files().ReouvrirFichier1Click();
    EXPECT_EQ(prompts.shown.last(), QStringLiteral("warning:") + msg(24));

    openPage(QStringLiteral("a.htm"), "disk\r\n");
    active()->text().replaceSelection(QStringLiteral("changed "));
    prompts.answers = {Answer::No};
    files().ReouvrirFichier1Click();
    EXPECT_EQ(active()->text().text(), QStringLiteral("disk\r\n"));
    EXPECT_FALSE(active()->text().isModified());
}

TEST_F(FrameWindowTest, SaveAllWritesEveryModifiedPage)
{
    writeFile(QStringLiteral("a.htm"), "a");
    writeFile(QStringLiteral("b.htm"), "b");
    files().OpenDocument(path(QStringLiteral("a.htm")));
    active()->text().replaceSelection(QStringLiteral("1"));
    files().OpenDocument(path(QStringLiteral("b.htm")));
    dialogs.titles = {QStringLiteral("t")};
    files().NewDocument();
    dialogs.saveChoices = {ShellDialogs::SaveChoice{path(QStringLiteral("nouvelle")), 4}};
    DocumentWindow *newPage = active();
    files().SauverTout1Click();
    EXPECT_EQ(readFile(QStringLiteral("a.htm")), QByteArray("1a"));
    EXPECT_EQ(readFile(QStringLiteral("b.htm")), QByteArray("b"));
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("nouvelle.shtml"))));
    EXPECT_EQ(newPage->caption(), path(QStringLiteral("nouvelle.shtml")));
    EXPECT_EQ(active(), newPage);
}

TEST_F(FrameWindowTest, ReadOnlyTargetWarnsAndRunsSaveAs)
{
    openPage(QStringLiteral("ro.htm"), "x");
    QFile::setPermissions(path(QStringLiteral("ro.htm")), QFileDevice::ReadOwner);
    active()->text().replaceSelection(QStringLiteral("y"));
    files().FileSaveItemClick(); // the save dialog is cancelled
    EXPECT_EQ(prompts.shown.last(), QStringLiteral("warning:") + path(QStringLiteral("ro.htm")) + msg(1));
    EXPECT_EQ(dialogs.savePresets.size(), 1);
    EXPECT_EQ(readFile(QStringLiteral("ro.htm")), QByteArray("x"));
}

TEST_F(FrameWindowTest, LineSelectionClickLeftOfTheMargin)
{
    openPage(QStringLiteral("a.htm"), "first line\r\nsecond line\r\nthird");
    EditorWidget *editor = active()->editor();
    const int left = editor->viewport()->geometry().left();
    ASSERT_GT(left, 6) << "margins are on by default";
    const QRect secondLine = editor->positionRect(editor->store().lineStart(1));
    const QPoint click(left / 2, editor->viewport()->geometry().top() + secondLine.center().y());
    QTest::mouseClick(editor, Qt::LeftButton, Qt::NoModifier, click);
    EXPECT_EQ(active()->text().selectedText(), QStringLiteral("second line"));

    // With margins off, the text fills the editor: the same click places the caret.
    editor->clearTextMargins();
    active()->text().setSelectionStart(0);
    QTest::mouseClick(editor->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(2, secondLine.center().y()));
    EXPECT_EQ(active()->text().selectionLength(), 0);
    EXPECT_EQ(active()->text().lineFromPosition(active()->text().selectionStart()), 1);
}

TEST_F(FrameWindowTest, InsertKeyShowsTheModeAndCtrlTabSwitchesDocuments)
{
    writeFile(QStringLiteral("deux.htm"), "xyz");
    openPage(QStringLiteral("un.htm"), "abc");
    files().OpenDocument(path(QStringLiteral("deux.htm")));
    EditorWidget *editor = active()->editor();
    editor->setFocus();
    QTest::keyClick(editor, Qt::Key_Insert);
    EXPECT_EQ(window->statusPanel(2)->text(), msg(7685));
    QTest::keyClicks(editor, QStringLiteral("Q"));
    EXPECT_EQ(active()->text().text(), QStringLiteral("Qyz"));
    QTest::keyClick(editor, Qt::Key_Insert);
    EXPECT_EQ(window->statusPanel(2)->text(), msg(7684));

    QTest::keyClick(editor, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(active()->caption(), path(QStringLiteral("un.htm")));
    EXPECT_EQ(window->workspace()->tabBar()->currentIndex(), 0);
    QTest::keyClick(active()->editor(), Qt::Key_F6, Qt::ControlModifier);
    EXPECT_EQ(active()->caption(), path(QStringLiteral("deux.htm")));
}

TEST_F(FrameWindowTest, DroppedOrHandedOverFilesOpenWhenTheyArePagesOrProjects)
{
    writeFile(QStringLiteral("a.htm"), "a");
    writeFile(QStringLiteral("b.gif"), "GIF89a");
    writeFile(QStringLiteral("c.TXT"), "c");
    window->openFiles({path(QStringLiteral("a.htm")), path(QStringLiteral("b.gif")), path(QStringLiteral("c.TXT"))});
    EXPECT_EQ(tabTexts(), (QStringList{QStringLiteral("A"), QStringLiteral("C")}));

    // A project file opened from the file manager opens the project.
    writeFile(QStringLiteral("site.PROJ"), (path(QStringLiteral("a.htm")) + "\r\n-1").toUtf8());
    window->openFiles({path(QStringLiteral("site.PROJ"))});
    EXPECT_EQ(window->project()->project().ProjectFileName, path(QStringLiteral("site.PROJ")));
}

TEST_F(FrameWindowTest, EditCommandsAreOneUndoStepEach)
{
    openPage(QStringLiteral("a.htm"), "hello world");
    EditorWidget *editor = active()->editor();
    editor->setFocus();
    DocumentText &text = active()->text();
    text.select(0, 6);
    window->edit()->cutAction()->trigger();
    EXPECT_EQ(text.text(), QStringLiteral("world"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("hello "));
    text.setSelectionStart(5);
    // Shift+Insert pastes through the program's own paste: one undo step.
    QTest::keyClick(editor, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(text.text(), QStringLiteral("worldhello "));
    EXPECT_TRUE(window->edit()->repeatAction()->isEnabled());
    window->edit()->undoAction()->trigger();
    EXPECT_EQ(text.text(), QStringLiteral("world"));
    window->edit()->undoAction()->trigger();
    EXPECT_EQ(text.text(), QStringLiteral("hello world"));
    EXPECT_FALSE(window->edit()->undoAction()->isEnabled());
    EXPECT_TRUE(window->edit()->redoAction()->isEnabled());
}
