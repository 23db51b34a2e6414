#include "core/messages/messages.h"
#include "core/text/pagefile.h"
#include "core/wholetext/wholetext.h"
#include "support/framefixture.h"
#include "support/fullfilesystem.h"
#include "support/qstringprinter.h"
#include "ui/shell/documentwindow.h"
#include "ui/shell/documentworkspace.h"
#include "ui/shell/editcommands.h"
#include "ui/shell/filecommands.h"
#include "ui/shell/mainwindow.h"
#include "ui/text/editorwidget.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QRandomGenerator>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QByteArray HeaderPage = "<!-- EDITEUR TESSALINE\r\n"
                              "     DATE DE CREATION: 01/01/20\r\n"
                              "DERNIERE MODIFICATION: 01/01/20\r\n"
                              "     PAR: elise -->\r\n"
                              "<HTML>\r\n<BODY>\r\nabc def\r\n</BODY>\r\n</HTML>";

// The frame window with one page open from a file, edited through its keys.
class PageHistoryTest : public FrameFixture
{
protected:
    PageHistoryTest() { start(); }

    DocumentWindow *open(const QByteArray &bytes)
    {
        writeFile(QStringLiteral("page.htm"), bytes);
        files().OpenDocument(file());
        active()->editor()->setFocus();
        return active();
    }
    QString file() const { return path(QStringLiteral("page.htm")); }
    QByteArray onDisk() const { return readFile(QStringLiteral("page.htm")); }
    QString modifiedPanel() const { return window->statusPanel(1)->text(); }

    // Keys as a user presses them, in the page's body.
    void randomKeys(DocumentWindow *document, QRandomGenerator &random)
    {
        EditorWidget *editor = document->editor();
        document->text().setSelectionStart(document->text().lineStart(6));
        const int count = 1 + int(random.bounded(25));
        const QKeyCombination keys[] = {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Return,
                                        Qt::ShiftModifier | Qt::Key_Left, Qt::Key_Right};
        for (int i = 0; i < count; ++i) {
            const int pick = int(random.bounded(6));
            if (pick == 0)
                QTest::keyClicks(editor, QStringLiteral("xy"));
            else
                QTest::keyClick(editor, keys[pick - 1].key(), keys[pick - 1].keyboardModifiers());
        }
    }
};

} // namespace

TEST_F(PageHistoryTest, RevertLeavesNothingToUndo)
{
    QRandomGenerator random(11);
    DocumentWindow *document = open(HeaderPage);
    for (int round = 0; round < 15; ++round) {
        randomKeys(document, random);
        prompts.answers = {Answer::No};
        window->files()->ReouvrirFichier1Click();
        ASSERT_EQ(document->text().text().toUtf8(), HeaderPage);
        EXPECT_FALSE(document->undo().CanUndo());
        QTest::keyClick(document->editor(), Qt::Key_Z, Qt::ControlModifier);
        ASSERT_EQ(document->text().text().toUtf8(), HeaderPage);
    }
}

TEST_F(PageHistoryTest, AHeaderLineThatChangesLengthOnSaveLeavesNothingToUndo)
{
    QRandomGenerator random(12);
    for (int round = 0; round < 10; ++round) {
        DocumentWindow *document = open(HeaderPage);
        randomKeys(document, random);
        window->files()->FileSaveItemClick();
        const QString saved = QString::fromUtf8(onDisk());
        ASSERT_TRUE(saved.contains(QStringLiteral("\r\n     DERNIERE MODIFICATION: ")));
        EXPECT_FALSE(document->undo().CanUndo());
        QTest::keyClick(document->editor(), Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(str(document->text().text()), str(saved));
        window->files()->CloseActiveDocument();
    }
}

TEST_F(PageHistoryTest, UndoingBackToTheSavedTextClearsModified)
{
    DocumentWindow *document = open("<P>\r\n");
    EditorWidget *editor = document->editor();
    QTest::keyClicks(editor, QStringLiteral("abc"));
    window->files()->FileSaveItemClick();
    EXPECT_EQ(modifiedPanel(), QString());
    QTest::keyClicks(editor, QStringLiteral("d"));
    EXPECT_EQ(modifiedPanel(), msg(7693));

    const struct
    {
        Qt::KeyboardModifiers modifiers;
        QString panel;
    } keys[] = {
        {Qt::ControlModifier, QString()},                     // back to the saved text
        {Qt::ControlModifier, msg(7693)},                     // before it
        {Qt::ControlModifier | Qt::ShiftModifier, QString()}, // the saved text again
        {Qt::ControlModifier | Qt::ShiftModifier, msg(7693)}, // away from it
    };
    for (const auto &key : keys) {
        QTest::keyClick(editor, Qt::Key_Z, key.modifiers);
        EXPECT_EQ(modifiedPanel(), key.panel);
        EXPECT_EQ(document->text().isModified(), !key.panel.isEmpty());
    }
}

TEST_F(PageHistoryTest, ASaveThatFailsShowsTheErrorAndKeepsModified)
{
    DocumentWindow *document = open("<P>ancien</P>\r\n");
    QTest::keyClicks(document->editor(), QStringLiteral("nouveau texte"));
    {
        FileSizeLimit limit(4);
        QTest::keyClick(document->editor(), Qt::Key_S, Qt::ControlModifier);
    }
    EXPECT_EQ(onDisk(), QByteArray("<P>ancien</P>\r\n"));
    ASSERT_FALSE(prompts.shown.isEmpty());
    EXPECT_EQ(prompts.shown.first(), QStringLiteral("error:[") + file() + QLatin1Char(']') + Texts::WriteFailed);
    EXPECT_TRUE(document->text().isModified());
    EXPECT_EQ(modifiedPanel(), msg(7693));
}

// Whatever way the editor's block marks come in, the history holds the page
// as the editor does, so that Undo and Redo give back each text exactly.
TEST_F(PageHistoryTest, BlockMarksAreRecordedAsTheEditorHoldsThem)
{
    const QString marks = QStringLiteral("a\uFDD0b\uFDD1c\u2029d");
    const struct
    {
        const char *name;
        std::function<void(DocumentWindow *)> enter;
    } ways[] = {
        {"pasted",
         [&](DocumentWindow *) {
             QGuiApplication::clipboard()->setText(marks);
             window->edit()->PasteBtnClick();
         }},
        {"typed through an input method",
         [&](DocumentWindow *document) {
             QInputMethodEvent event;
             event.setCommitString(marks);
             QCoreApplication::sendEvent(document->editor(), &event);
         }},
        {"put in by a whole-text command",
         [&](DocumentWindow *document) {
             applyWholeText(document->text(), document->undo(),
                            [&](const QString &before) -> std::optional<QString> { return before + marks; });
         }},
    };
    for (const auto &way : ways) {
        SCOPED_TRACE(way.name);
        DocumentWindow *document = open("<P>\r\n</P>");
        document->text().setSelectionStart(3);
        QStringList texts{document->text().text()};
        way.enter(document);
        texts << document->text().text();
        QTest::keyClick(document->editor(), Qt::Key_Return);
        texts << document->text().text();
        for (qsizetype i = texts.size() - 2; i >= 0; --i) {
            document->undo().Undo();
            EXPECT_EQ(str(document->text().text()), str(texts.at(i)));
        }
        for (qsizetype i = 1; i < texts.size(); ++i) {
            document->undo().Redo();
            EXPECT_EQ(str(document->text().text()), str(texts.at(i)));
        }
        window->files()->CloseActiveDocument();
    }
}
