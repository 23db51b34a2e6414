#include "support/qstringprinter.h"
#include "support/testhost.h"
#include "ui/wholetext/wholetextcommands.h"

#include <QAction>
#include <QApplication>
#include <QProgressBar>

#include <gtest/gtest.h>

// Declining, undo and the reports are the core's business; here each menu
// item must run its own pass and leave the frame as it found it.
TEST(WholeTextCommandsUi, EachActionRunsItsOwnPass)
{
    const struct
    {
        QAction *(WholeTextCommands::*action)() const;
        QString before, after;
    } cases[] = {
        {&WholeTextCommands::conversionAction, QStringLiteral("\u00C9t\u00E9"), QStringLiteral("&Eacute;t&eacute;")},
        {&WholeTextCommands::backConversionAction, QStringLiteral("&Eacute;t&eacute;"),
         QStringLiteral("\u00C9t\u00E9")},
        {&WholeTextCommands::compactionAction, QStringLiteral("<P>\r\n    Texte"), QStringLiteral("<P> Texte")},
    };
    for (const auto &c : cases) {
        TestHost host;
        WholeTextCommands commands(host);
        host.text.setText(c.before);
        host.fakePrompts.answers = {Prompts::Answer::Yes};
        (commands.*c.action)()->trigger();
        EXPECT_EQ(str(host.text.text()), str(c.after));
        EXPECT_EQ(host.fakePrompts.shown.size(), 1);
        EXPECT_GE(host.updates, 1);
        EXPECT_EQ(host.frame.findChild<QProgressBar *>(), nullptr);
        EXPECT_FALSE(host.frame.statusBar()->isHidden());
    }
}

TEST(WholeTextCommandsUi, ProgressBarTakesTheStatusBarsPlaceDuringAPass)
{
    for (const bool statusBarShown : {true, false}) {
        TestHost host;
        host.frame.show();
        host.frame.statusBar()->setVisible(statusBarShown);
        {
            ProgressPanel panel(&host.frame);
            panel.begin();
            ASSERT_NE(panel.bar(), nullptr);
            EXPECT_TRUE(panel.bar()->isVisible());
            EXPECT_TRUE(host.frame.statusBar()->isHidden());
            EXPECT_EQ(panel.bar()->geometry().bottom(), host.frame.rect().bottom());
            EXPECT_EQ(panel.bar()->width(), host.frame.width());
            panel.step(42);
            EXPECT_EQ(panel.bar()->value(), 42);
            EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
            panel.end();
            EXPECT_EQ(panel.bar(), nullptr);
            EXPECT_EQ(host.frame.statusBar()->isVisible(), statusBarShown);
            EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        }
        // A panel left without end() tidies up when it goes.
        {
            ProgressPanel panel(&host.frame);
            panel.begin();
        }
        EXPECT_EQ(host.frame.findChild<QProgressBar *>(), nullptr);
        EXPECT_EQ(host.frame.statusBar()->isVisible(), statusBarShown);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
}
