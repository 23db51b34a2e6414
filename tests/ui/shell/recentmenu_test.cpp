#include "ui/shell/recentmenu.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

TEST(RecentMenu, ChoosingAnEntryGivesItsExactPath)
{
    RecentMenu menu(RecentMenu::Kind::Files);
    QSignalSpy chosen(&menu, &RecentMenu::entryChosen);
    // A "&" in a path is shown doubled, so Qt does not take it for a
    // shortcut mark, and still reaches the caller unchanged.
    const QString odd = QStringLiteral("/home/anne/R&D/page d'été.htm");
    menu.add(QStringLiteral("/site/a.htm"));
    menu.add(odd);
    EXPECT_EQ(menu.entryAction(0)->text(), QStringLiteral("&1 /home/anne/R&&D/page d'été.htm"));

    menu.entryAction(0)->trigger();
    menu.entryAction(1)->trigger();
    ASSERT_EQ(chosen.size(), 2);
    EXPECT_EQ(chosen.at(0).at(0).toString(), odd);
    EXPECT_EQ(chosen.at(1).at(0).toString(), QStringLiteral("/site/a.htm"));

    // A hidden, unused entry triggered by other means gives nothing.
    menu.entryAction(5)->trigger();
    EXPECT_EQ(chosen.size(), 2);
}
