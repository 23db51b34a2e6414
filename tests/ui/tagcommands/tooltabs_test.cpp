#include "support/scriptedcolourchooser.h"
#include "core/tagcommands/tagcommands.h"
#include "ui/tagcommands/tooltabs.h"
#include "support/testhost.h"

#include <QAction>
#include <QImage>
#include <QPainter>
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
    {"comment button", Via::Button, "CommentBtn", "", "", 0, 0, "<!--  -->", 5, 0},
    {"paragraph button", Via::Button, "PBtn", "", "ab", 1, 0, "a<P>b", 4, 0},
    {"heading drop-down", Via::DropDown, "H1H6Btn", "H2", "Titre", 0, 5, "<H2>Titre</H2>", 4, 5},
    {"font size drop-down", Via::DropDown, "FontPlusBtn", "Tailledepolice12", "mot", 0, 3, "<FONT SIZE=+1>mot</FONT>",
     14, 3},
    {"paragraph drop-down", Via::DropDown, "Pp", "PMenu3", "t", 0, 1, "<P ALIGN=CENTER>t</P>", 16, 1},
    {"line-break drop-down", Via::DropDown, "BRp", "BR2", "ab", 2, 0, "ab<BR CLEAR=RIGHT>", 18, 0},
    {"paragraph menu item", Via::TabsMenu, "&Communs/Paragraphe", "Pmenu21", "t", 0, 1, "<P ALIGN=LEFT>t</P>", 14, 1},
    {"line-break menu item", Via::TabsMenu, "&Communs/Retour de chariot", "BR41", "", 0, 0, "<BR CLEAR=ALL>", 14, 0},
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
        {Qt::Key_B, "<BR>"},
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

TEST(ToolTabs, ColourButtonAsksTheChooser)
{
    TabsFixture f;
    f.host.setDocument(QStringLiteral("COLOR=FF0000"), 6, 6);
    f.chooser.answers = {0xFF0000}; // blue
    f.clickButton(QStringLiteral("CouleurBtn"));
    EXPECT_EQ(f.chooser.shown, QList<quint32>{0x0000FF}); // red shown first
    EXPECT_EQ(f.host.text.text(), QStringLiteral("COLOR=0000FF"));

    // Cancelling changes nothing.
    f.host.setDocument(QStringLiteral("mot"), 0, 3);
    clickMenuItem(submenu(f.tabsMenu, QStringLiteral("&Spécialisés")),
                  f.tabs->action(QStringLiteral("Couleurenhexadcimal1")));
    EXPECT_EQ(f.chooser.shown.size(), 2);
    EXPECT_EQ(f.chooser.shown.last(), 0xFF0000u); // the colour chosen last
    EXPECT_EQ(f.host.text.text(), QStringLiteral("mot"));
    EXPECT_EQ(f.host.text.selectionLength(), 3);
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

// A glyph that fails to load (missing resource, broken SVG) draws nothing.
bool drawsSomething(const QIcon &icon)
{
    const QImage image = icon.pixmap(24, 24).toImage().convertToFormat(QImage::Format_ARGB32);
    if (image.isNull())
        return false;
    int opaque = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            opaque += qAlpha(image.pixel(x, y)) > 0;
    }
    return opaque > 20;
}

TEST(ToolTabs, EveryGlyphDraws)
{
    TabsFixture f;
    for (const TagPage &page : tagPages()) {
        for (const TagButton &b : page.buttons) {
            EXPECT_TRUE(drawsSomething(f.tabs->button(b.command.id)->icon())) << qPrintable(b.command.id);
            if (b.dropDown == DropDownStyle::SeparateArrow) {
                EXPECT_TRUE(drawsSomething(f.tabs->button(b.dropDownId)->icon())) << qPrintable(b.dropDownId);
            }
        }
    }
    for (const char *frameGlyph : {"new", "open", "save", "close", "print", "openproject", "saveproject", "undo",
                                   "redo", "cut", "copy", "paste", "find", "preview"})
        EXPECT_TRUE(drawsSomething(toolbarIcon(QString::fromLatin1(frameGlyph)))) << frameGlyph;
    EXPECT_FALSE(drawsSomething(toolbarIcon(QStringLiteral("no-such-glyph"))));
}

} // namespace
