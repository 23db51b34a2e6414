#include "core/tagcommands/tagcommands.h"
#include "support/scriptedcolourchooser.h"
#include "support/testhost.h"
#include "ui/tagcommands/tooltabs.h"

#include <QAction>
#include <QToolButton>

namespace {

struct TabsFixture
{
    TabsFixture()
        : tabs(new ToolTabs(host))
    {
        host.addOnTop(tabs);
        tabs->setColourChooser(chooser);
        tabs->setDocumentOpen(true);
        tabsMenu = tabs->buildTabsMenu(&host.frame);
        host.frame.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&host.frame));
    }

    void clickButton(const QString &id)
    {
        QToolButton *b = tabs->button(id);
        ASSERT_NE(b, nullptr) << qPrintable(id);
        tabs->setCurrentWidget(b->parentWidget());
        QTest::mouseClick(b, Qt::LeftButton);
    }

    TestHost host;
    ScriptedColourChooser chooser;
    ToolTabs *tabs;
    QMenu *tabsMenu = nullptr;
};

enum class Via { Button, DropDown, TabsMenu };

struct ClickCase
{
    const char *name;
    Via via;
    // Button name; the drop-down menu's name; or the submenu path in
    // "O&nglets", "/"-separated.
    const char *where;
    const char *item; // action name in that menu
    const char *text;
    int selStart;
    int selLength;
    const char *expected;
    int expectedStart;
    int expectedLength;
};

const ClickCase clickCases[] = {
    {"bold button", Via::Button, "BoldBtn", "", "un mot", 3, 3, "un <B>mot</B>", 6, 3},
    {"heading drop-down", Via::DropDown, "H1H6Btn", "H2", "Titre", 0, 5, "<H2>Titre</H2>", 4, 5},
    {"paragraph menu item", Via::TabsMenu, "&Communs/Paragraphe", "Pmenu21", "t", 0, 1, "<P ALIGN=LEFT>t</P>", 14, 1},
};

TEST(ToolTabs, ButtonsAndMenuItemsInsertAsOneUndoStep)
{
    for (const ClickCase &c : clickCases) {
        SCOPED_TRACE(c.name);
        TabsFixture f;
        const QString original = QString::fromUtf8(c.text);
        f.host.setDocument(original, c.selStart, c.selLength);
        const QString where = QString::fromUtf8(c.where);
        switch (c.via) {
        case Via::Button:
            f.clickButton(where);
            break;
        case Via::DropDown:
            clickMenuItem(f.tabs->dropDownMenu(where), f.tabs->action(QString::fromLatin1(c.item)));
            break;
        case Via::TabsMenu: {
            QMenu *menu = f.tabsMenu;
            for (const QString &title : where.split(u'/'))
                menu = menu ? submenu(menu, title) : nullptr;
            clickMenuItem(menu, f.tabs->action(QString::fromLatin1(c.item)));
            break;
        }
        }
        EXPECT_EQ(f.host.text.text(), QString::fromUtf8(c.expected));
        EXPECT_EQ(f.host.text.selectionStart(), c.expectedStart);
        EXPECT_EQ(f.host.text.selectionLength(), c.expectedLength);
        EXPECT_EQ(f.host.updates, 1);

        ASSERT_TRUE(f.host.undo.CanUndo());
        f.host.undo.Undo();
        EXPECT_EQ(f.host.text.text(), original);
        EXPECT_FALSE(f.host.undo.CanUndo());
    }
}

TEST(ToolTabs, ShortcutsRunTheirCommands)
{
    const struct
    {
        int key;
        const char *expected;
    } rows[] = {
        {Qt::Key_G, "<B>mot</B>"},
        {Qt::Key_P, "<P>"},
    };
    for (const auto &r : rows) {
        TabsFixture f;
        f.host.frame.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&f.host.frame));
        f.host.setDocument(QStringLiteral("mot"), 0, 3);
        f.host.editor->setFocus();
        QTest::keyClick(f.host.editor, Qt::Key(r.key), Qt::ControlModifier);
        EXPECT_EQ(f.host.text.text(), QString::fromUtf8(r.expected)) << r.expected;
    }
}

TEST(ToolTabs, EnablingFollowsTheDocumentAndDialogHandlers)
{
    TabsFixture f;
    int opened = 0;
    f.tabs->setDialogHandler(QStringLiteral("Tableaux2"), [&opened] { ++opened; });
    f.tabs->setDialogHandler(QStringLiteral("BoldBtn"), [&opened] { opened += 100; }); // not a dialog: ignored
    f.tabs->setCurrentIndex(3);
    f.tabs->setDocumentOpen(false);
    EXPECT_FALSE(f.tabs->isEnabled());
    EXPECT_EQ(f.tabs->currentIndex(), 0);
    f.host.setDocument(QStringLiteral("x"), 0, 1);
    f.clickButton(QStringLiteral("BoldBtn"));
    EXPECT_EQ(f.host.text.text(), QStringLiteral("x"));

    // With a document: every command but the dialogs still waiting for
    // their window.
    f.tabs->setDocumentOpen(true);
    for (const TagCommand *c : allTagCommands()) {
        if (QAction *a = f.tabs->action(c->id)) {
            EXPECT_EQ(a->isEnabled(), c->mode != TagMode::Dialog || c->id == QStringLiteral("TableBtn"))
                << qPrintable(c->id);
        }
    }
    f.clickButton(QStringLiteral("TableBtn"));
    clickMenuItem(submenu(f.tabsMenu, QStringLiteral("&Tableaux, Cadres et Listes")),
                  f.tabs->action(QStringLiteral("Tableaux2")));
    f.clickButton(QStringLiteral("BoldBtn"));
    EXPECT_EQ(opened, 2);
}

} // namespace
