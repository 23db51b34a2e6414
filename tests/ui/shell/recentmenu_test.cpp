#include "ui/shell/recentmenu.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

QStringList visibleTexts(const RecentMenu &menu)
{
    QStringList texts;
    for (int i = 0; i < menu.list().capacity(); ++i) {
        if (menu.entryAction(i)->isVisible())
            texts << menu.entryAction(i)->text();
    }
    return texts;
}

} // namespace

TEST(RecentMenu, ShowsTheFirstCountEntriesWithTheirPositions)
{
    RecentMenu menu(RecentMenu::Kind::Files);
    menu.load({QStringLiteral("/site/b.htm"), QStringLiteral("/site/a.htm"), QString(), QString(), QString(), QString(),
               QString(), QString()});
    EXPECT_EQ(visibleTexts(menu), (QStringList{QStringLiteral("&1 /site/b.htm"), QStringLiteral("&2 /site/a.htm")}));
    EXPECT_TRUE(menu.menuAction()->isEnabled());

    menu.add(QStringLiteral("/site/a.htm"));
    EXPECT_EQ(visibleTexts(menu), (QStringList{QStringLiteral("&1 /site/a.htm"), QStringLiteral("&2 /site/b.htm")}));
    EXPECT_EQ(menu.toPlaces().first(), QStringLiteral("/site/a.htm"));

    for (int i = 0; i < 10; ++i)
        menu.add(QStringLiteral("/site/%1.htm").arg(i));
    EXPECT_EQ(visibleTexts(menu).size(), 8);
    EXPECT_EQ(menu.entryAction(7)->text(), QStringLiteral("&8 /site/2.htm"));
}

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
