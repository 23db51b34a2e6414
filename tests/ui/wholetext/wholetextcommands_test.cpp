#include "support/testhost.h"
#include "core/messages/messages.h"
#include "support/qstringprinter.h"
#include "ui/wholetext/wholetextcommands.h"

#include <QAction>
#include <QApplication>
#include <QProgressBar>

#include <gtest/gtest.h>

namespace {

struct ActionCase
{
    const char *name;
    QAction *(WholeTextCommands::*action)() const;
    QString caption;
    QString before;
    QString after;
    QString report;
};

std::vector<ActionCase> actionCases()
{
    return {
        {"conversion", &WholeTextCommands::conversionAction, QStringLiteral("&Conversion des caractères"),
         QStringLiteral("<P>\u00C9t\u00E9 <!-- \u00E9 -->\r\nfin"),
         QStringLiteral("<P>&Eacute;t&eacute; <!-- \u00E9 -->\r\nfin"), QStringLiteral("2") + msg(4)},
        {"back conversion", &WholeTextCommands::backConversionAction, QStringLiteral("Re&tour vers caractères"),
         QStringLiteral("&Eacute;t&eacute;\r\n&amp;"), QStringLiteral("\u00C9t\u00E9\r\n&amp;"),
         QStringLiteral("2") + msg(5)},
        {"compaction", &WholeTextCommands::compactionAction, QStringLiteral("Compacter les &balises"),
         QStringLiteral("<P>\r\n    Texte  <B> gras</B>"), QStringLiteral("<P> Texte <B>gras</B>"), msg(83)},
    };
}

} // namespace

TEST(WholeTextCommandsUi, EachActionRewritesThePageAsOneUndoStep)
{
    for (const ActionCase &c : actionCases()) {
        TestHost host;
        WholeTextCommands commands(host);
        QAction *action = (commands.*c.action)();
        EXPECT_EQ(str(action->text()), str(c.caption)) << c.name;

        host.text.setText(c.before);
        host.fakePrompts.answers = {Prompts::Answer::No};
        action->trigger();
        EXPECT_EQ(str(host.text.text()), str(c.before)) << c.name;
        EXPECT_TRUE(host.fakePrompts.shown.isEmpty()) << c.name;

        host.fakePrompts.answers = {Prompts::Answer::Yes};
        action->trigger();
        EXPECT_EQ(str(host.text.text()), str(c.after)) << c.name;
        EXPECT_EQ(str(host.fakePrompts.shown), str(QStringLiteral("information:") + c.report)) << c.name;
        EXPECT_EQ(host.fakePrompts.asked.size(), 2) << c.name;
        EXPECT_GE(host.updates, 1) << c.name;
        // The progress bar is gone and the status bar back.
        EXPECT_EQ(host.frame.findChild<QProgressBar *>(), nullptr) << c.name;
        EXPECT_FALSE(host.frame.statusBar()->isHidden()) << c.name;

        host.undo.Undo();
        EXPECT_EQ(str(host.text.text()), str(c.before)) << c.name;
    }
}

TEST(WholeTextCommandsUi, WithoutADocumentNothingIsAsked)
{
    TestHost host;
    host.documentOpen = false;
    WholeTextCommands commands(host);
    for (QAction *action : {commands.conversionAction(), commands.backConversionAction(), commands.compactionAction()})
        action->trigger();
    EXPECT_TRUE(host.fakePrompts.asked.isEmpty());
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
