#include "support/framefixture.h"
#include "support/qstringprinter.h"
#include "ui/checking/checkcommand.h"
#include "ui/checking/problemspanel.h"
#include "ui/preferences/optionscommands.h"
#include "ui/text/editorwidget.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>

namespace {

const QByteArray Page =
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\" \"http://www.w3.org/TR/html4/strict.dtd\">\r\n"
    "<HTML><HEAD><TITLE>t</TITLE></HEAD><BODY>\r\n"
    "<P ALIGNN=\"left\">texte</P>\r\n"
    "<P>\t<B>gras</P>\r\n"
    "</BODY></HTML>\r\n";

class CheckCommandTest : public FrameFixture
{
protected:
    HtmlCheckCommand &command() { return *window->findChild<HtmlCheckCommand *>(); }
    ProblemsPanel &panel() { return *command().panel(); }
    // Waits for a result to reach the panel.
    bool checked(int ms = 10000)
    {
        QSignalSpy shown(&command(), &HtmlCheckCommand::resultShown);
        return shown.wait(ms);
    }
    QList<QPair<int, int>> places()
    {
        QList<QPair<int, int>> result;
        for (int row = 0; row < panel().model().rowCount(); ++row)
            result.append({panel().model().problem(row).line, panel().model().problem(row).column});
        return result;
    }
};

} // namespace

TEST_F(CheckCommandTest, ToolsMenuSitsAfterOptions)
{
    start();
    const QList<QAction *> menus = window->menuBar()->actions();
    const qsizetype options = menus.indexOf(window->options()->menu()->menuAction());
    ASSERT_GE(options, 0);
    QMenu *tools = menus.value(options + 1)->menu();
    ASSERT_TRUE(tools);
    EXPECT_EQ(tools->title(), QStringLiteral("&Outils"));
    EXPECT_EQ(tools->actions().value(0)->text(), QStringLiteral("&Vérifier le code HTML"));
    EXPECT_EQ(tools->actions().value(0)->shortcut(), QKeySequence(Qt::Key_F9));
    EXPECT_EQ(panel().windowTitle(), QStringLiteral("Problèmes"));
}

TEST_F(CheckCommandTest, ListsTheProblemsAndEnterOrDoubleClickPutsTheCaretThere)
{
    start();
    DocumentWindow *page = openPage(QStringLiteral("p.htm"), Page);
    ASSERT_TRUE(page);
    command().action()->trigger();
    ASSERT_TRUE(checked());
    EXPECT_TRUE(panel().isVisible());
    EXPECT_TRUE(panel().summary()->text().contains(QLatin1String("HTML 4.01 Strict")))
        << str(panel().summary()->text());
    // The misspelled attribute at its tag, the unclosed B after a tab.
    EXPECT_EQ(places(), (QList<QPair<int, int>>{{2, 0}, {3, 4}}));
    EXPECT_EQ(panel().model().problem(1).severity, HtmlProblem::Severity::Warning);

    struct Case
    {
        int row;
        bool doubleClick;
    };
    for (const Case &c : {Case{1, false}, Case{0, true}}) {
        page->text().setSelectionStart(0);
        QTreeView *list = panel().list();
        list->setFocus();
        const QModelIndex index = list->model()->index(c.row, 3);
        list->setCurrentIndex(index);
        if (c.doubleClick) {
            const QPoint at = list->visualRect(index).center();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        } else {
            QTest::keyClick(list, Qt::Key_Return);
        }
        const HtmlProblem &p = panel().model().problem(c.row);
        EXPECT_EQ(page->text().selectionStart(), page->text().lineStart(p.line) + p.column) << c.row;
        EXPECT_TRUE(page->editor()->hasFocus()) << c.row;
    }
}

TEST_F(CheckCommandTest, RefreshesAfterTypingAndDropsTheResultOfAnOlderText)
{
    start();
    DocumentWindow *page = openPage(QStringLiteral("p.htm"), Page);
    ASSERT_TRUE(page);
    command().action()->trigger();
    // Changed while the first check runs: its result is for an older text.
    page->text().setText(QString::fromLatin1(Page).replace(QLatin1String("ALIGNN"), QLatin1String("ALIGN")));
    ASSERT_TRUE(checked());
    EXPECT_EQ(places(), (QList<QPair<int, int>>{{3, 4}}));

    // Typing while the panel shows refreshes the list once typing stops.
    page->text().setSelectionStart(page->text().lineStart(4));
    QTest::keyClicks(page->editor(), QStringLiteral("<FOO>"));
    ASSERT_TRUE(checked());
    EXPECT_EQ(panel().model().problem(1).severity, HtmlProblem::Severity::Error);
    EXPECT_EQ(places().value(1), (QPair<int, int>{4, 0}));
}
