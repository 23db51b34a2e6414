#include "support/framefixture.h"
#include "support/qstringprinter.h"
#include "ui/findfiles/findfilescommand.h"
#include "ui/findfiles/findfilesdialog.h"
#include "ui/text/editorwidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>

namespace {

class FindFilesTest : public FrameFixture
{
protected:
    FindFilesCommand &command() { return *window->findChild<FindFilesCommand *>(); }
    template<typename T> T *field(const char *name) { return command().dialog()->findChild<T *>(name); }
    void fill(const char *pattern, const char *replacement, bool regex)
    {
        command().present();
        field<QComboBox>("findText")->setEditText(QString::fromUtf8(pattern));
        field<QComboBox>("replaceText")->setEditText(QString::fromUtf8(replacement));
        field<QLineEdit>("folder")->setText(dir.path());
        field<QCheckBox>("regex")->setChecked(regex);
    }
    bool finished()
    {
        QSignalSpy done(&command(), &FindFilesCommand::finished);
        return command().isRunning() ? done.wait(20000) : true;
    }
};

} // namespace

TEST_F(FindFilesTest, ReplacesInClosedPagesOnDiskAndInOpenPagesAsOneUndoStep)
{
    start();
    QMenu *edit = nullptr;
    for (QAction *entry : window->menuBar()->actions())
        if (entry->menu() && entry->menu()->actions().contains(command().action()))
            edit = entry->menu();
    ASSERT_TRUE(edit);
    EXPECT_EQ(edit->title(), QStringLiteral("&Editer"));
    EXPECT_EQ(command().action()->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+F")));

    writeFile(QStringLiteral("ferme.htm"), "<p>un <b>deux</b></p>\n<b>trois</b>\n");
    DocumentWindow *open = openPage(QStringLiteral("ouvert.htm"), "<b>ouvert</b>\r\n");
    ASSERT_TRUE(open);
    fill("<b>(\\w+)</b>", "<strong>\\1</strong>", true);
    prompts.answers.push_back(Answer::Yes);
    QTest::mouseClick(field<QPushButton>("replaceButton"), Qt::LeftButton);
    ASSERT_TRUE(finished());

    EXPECT_EQ(readFile(QStringLiteral("ferme.htm")),
              QByteArray("<p>un <strong>deux</strong></p>\n<strong>trois</strong>\n"));
    EXPECT_EQ(readFile(QStringLiteral("ouvert.htm")), QByteArray("<b>ouvert</b>\r\n"));
    EXPECT_EQ(str(open->text().text()), "<strong>ouvert</strong>\r\n");
    EXPECT_EQ(command().summary().replaced, 3);
    EXPECT_EQ(command().summary().changedFiles, 2);
    EXPECT_EQ(command().panel()->model().rowCount(), 2);
    open->undo().Undo();
    EXPECT_EQ(str(open->text().text()), "<b>ouvert</b>\r\n");

    // Enter on the closed page's second line opens it with the match selected.
    QTreeView *list = command().panel()->list();
    for (int row = 0; row < 2; ++row) {
        const QModelIndex file = list->model()->index(row, 0);
        if (file.data().toString().contains(QStringLiteral("ferme.htm")))
            list->setCurrentIndex(list->model()->index(1, 0, file));
    }
    QTest::keyClick(list, Qt::Key_Return);
    ASSERT_TRUE(active());
    EXPECT_TRUE(active()->caption().endsWith(QStringLiteral("ferme.htm")));
    EXPECT_EQ(str(active()->text().selectedText()), "<strong>trois</strong>");
}

TEST_F(FindFilesTest, AnInvalidExpressionOrFolderIsShownInTheDialogAndANewSearchReplacesTheOld)
{
    start();
    writeFile(QStringLiteral("a.htm"), "alpha beta");
    const struct
    {
        const char *pattern;
        bool regex;
        bool badFolder;
    } refused[] = {{"(al", true, false}, {"", false, false}, {"al", false, true}};
    for (const auto &c : refused) {
        fill(c.pattern, "", c.regex);
        if (c.badFolder)
            field<QLineEdit>("folder")->setText(path(QStringLiteral("absent")));
        QTest::mouseClick(field<QPushButton>("searchButton"), Qt::LeftButton);
        EXPECT_TRUE(field<QLabel>("error")->isVisible()) << c.pattern;
        EXPECT_FALSE(command().isRunning());
    }
    EXPECT_EQ(readFile(QStringLiteral("a.htm")), QByteArray("alpha beta"));

    FindInFilesRequest first = command().dialog()->request(false);
    first.folder = dir.path();
    first.pattern = QStringLiteral("alpha");
    FindInFilesRequest second = first;
    second.pattern = QStringLiteral("beta");
    command().run(first);
    command().run(second);
    ASSERT_TRUE(finished());
    QTest::qWait(50); // anything the first search still posted
    ASSERT_EQ(command().panel()->model().rowCount(), 1);
    const QModelIndex hit = command().panel()->model().index(0, 0, command().panel()->model().index(0, 0));
    EXPECT_EQ(str(hit.data().toString()), "ligne 1: alpha beta");
    EXPECT_EQ(command().summary().matches, 1);
}
