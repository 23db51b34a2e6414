#include "core/settings/settings.h"
#include "support/testhost.h"
#include "ui/find/findcommands.h"
#include "ui/find/finddialog.h"
#include "ui/preferences/preferencesdialog.h"
#include "ui/shell/helpwindow.h"

#include <QCoreApplication>
#include <QPushButton>
#include <QTextBrowser>

#include <gtest/gtest.h>

// "&Aide" of a dialog shows the dialog's own help page, which ships with
// the program.
TEST(DialogHelp, AideShowsTheDialogsOwnPage)
{
    TestHost host;
    FindCommands find(host);
    find.findAction()->trigger();
    PreferencesDialog preferences(Settings(), host.fakePrompts);
    struct Case
    {
        QDialog *dialog;
        const char *page;
    };
    for (const Case &c : {Case{find.dialog(), "recherche.html"}, Case{&preferences, "preferences.html"}}) {
        const QString page = QString::fromUtf8(c.page);
        QPushButton *help = nullptr;
        for (QPushButton *b : c.dialog->findChildren<QPushButton *>())
            help = b->text() == QStringLiteral("&Aide") ? b : help;
        ASSERT_NE(help, nullptr) << c.page;
        help->click();
        const QList<HelpWindow *> windows = c.dialog->findChildren<HelpWindow *>();
        ASSERT_EQ(windows.size(), 1) << c.page;
        const QTextBrowser *browser = windows.first()->browser();
        // The test program has no help folder: the window names the page.
        EXPECT_TRUE(browser->source().fileName() == page || browser->toPlainText().contains(page)) << c.page;
        delete windows.first();
        EXPECT_TRUE(HelpWindow(QCoreApplication::applicationDirPath() + QStringLiteral("/../src/help")).showPage(page))
            << c.page;
    }
}
