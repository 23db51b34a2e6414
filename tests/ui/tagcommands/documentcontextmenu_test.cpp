#include "support/testhost.h"
#include "ui/tagcommands/documentcontextmenu.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMimeData>

namespace {

struct MenuFixture
{
    MenuFixture()
    {
        actions.undo = new QAction(QStringLiteral("&Annuler"), &host.frame);
        actions.cut = new QAction(QStringLiteral("&Couper"), &host.frame);
        actions.copy = new QAction(QStringLiteral("Co&pier"), &host.frame);
        actions.paste = new QAction(QStringLiteral("C&oller"), &host.frame);
        actions.deleteSelection = new QAction(QStringLiteral("E&ffacer"), &host.frame);
        actions.findAgain = new QAction(QStringLiteral("Répéter e&ncore"), &host.frame);
        menu = new DocumentContextMenu(host, actions, &host.frame);
        menu->setFindAgainProbe([this] { return findHasText; });
        host.frame.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&host.frame));
    }

    TestHost host;
    EditActions actions;
    DocumentContextMenu *menu = nullptr;
    bool findHasText = false;
};

TEST(DocumentContextMenu, OpeningEnablesByTheSelectionClipboardAndFindText)
{
    const struct
    {
        const char *name;
        int selLength;
        bool clipboardText;
        bool findText;
        bool viaEditMenu;
    } rows[] = {
        {"nothing", 0, false, false, false},
        {"everything", 3, true, true, false},
        {"edit menu, selection", 1, false, true, true},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.name);
        MenuFixture f;
        QMenu editMenu;
        f.menu->watchMenu(&editMenu);
        editMenu.addAction(f.actions.cut);
        f.host.setDocument(QStringLiteral("abc def"), 1, r.selLength);
        if (r.clipboardText)
            QApplication::clipboard()->setText(QStringLiteral("coller"));
        else
            QApplication::clipboard()->setMimeData(new QMimeData);
        f.findHasText = r.findText;
        // Start from the opposite of what is expected.
        for (QAction *a : {f.actions.cut, f.actions.copy, f.actions.deleteSelection})
            a->setEnabled(r.selLength == 0);
        f.actions.paste->setEnabled(!r.clipboardText);
        f.actions.findAgain->setEnabled(!r.findText);

        QMenu *opened = r.viaEditMenu ? &editMenu : static_cast<QMenu *>(f.menu);
        opened->popup(QPoint(10, 10));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(opened));
        opened->hide();

        EXPECT_EQ(f.actions.cut->isEnabled(), r.selLength > 0);
        EXPECT_EQ(f.actions.copy->isEnabled(), r.selLength > 0);
        EXPECT_EQ(f.actions.deleteSelection->isEnabled(), r.selLength > 0);
        EXPECT_EQ(f.actions.paste->isEnabled(), r.clipboardText);
        EXPECT_EQ(f.actions.findAgain->isEnabled(), r.findText);
    }
}

TEST(DocumentContextMenu, RightClickInTheTextOpensIt)
{
    MenuFixture f;
    f.menu->attachTo(f.host.editor);
    QWidget *viewport = f.host.editor->viewport();
    const QPoint at(20, 15);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
    QApplication::sendEvent(viewport, &event);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(f.menu));
    EXPECT_EQ(f.menu->pos(), viewport->mapToGlobal(at));
    f.menu->hide();
}

} // namespace
