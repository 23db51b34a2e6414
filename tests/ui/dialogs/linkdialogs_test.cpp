#include "ui/dialogs/linkdialogs.h"

#include "core/messages/messages.h"
#include "dialogtesting.h"
#include "support/marked.h"
#include "ui/dialogs/dialogcommands.h"
#include "ui/dialogs/eventsdialog.h"
#include "ui/tagcommands/tooltabs.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

TEST(ExternalLinkDialog, WrapsTheSelectionWithTheFieldsAttributes)
{
    DialogTesting t;
    t.writeFile(QStringLiteral("page.htm"));
    setMarked(t.host.text, QStringLiteral("un [mot] ici"));
    ExternalLinkDialog dialog(t.services);
    dialog.addressField()->setEditText(QStringLiteral("page.htm"));
    dialog.okButton()->click();
    EXPECT_EQ(marked(t.host.text), QStringLiteral("un <A HREF=\"page.htm\">[mot]</A> ici"));
    EXPECT_EQ(t.host.undo.count(), 1);
    EXPECT_TRUE(t.host.fakePrompts.asked.isEmpty());
}

// An image map's zone takes only the target and the address: the page for a
// link name, which it would drop, is not offered there.
TEST(ExternalLinkDialog, TheNamePageIsOfferedOnlyWhereTheNameIsWritten)
{
    DialogTesting t;
    for (const LinkMode mode : {LinkMode::Insert, LinkMode::ReturnTag, LinkMode::ReturnParts}) {
        ExternalLinkDialog dialog(t.services, mode);
        auto *pages = dialog.findChild<QTabWidget *>();
        ASSERT_NE(pages, nullptr);
        int javaScript = -1;
        for (int i = 0; i < pages->count(); ++i) {
            if (pages->tabText(i) == QStringLiteral("JavaScript"))
                javaScript = i;
        }
        ASSERT_GE(javaScript, 0);
        EXPECT_EQ(pages->isTabVisible(javaScript), mode != LinkMode::ReturnParts) << int(mode);
    }
}

TEST(InternalLinkDialog, NewDestinationIsAnAnchorAndALinkInTwoSteps)
{
    DialogTesting t;
    setMarked(t.host.text, QStringLiteral("voir [ici]\r\nFin de page"));
    InternalLinkDialog dialog(t.services);
    dialog.show();
    EXPECT_FALSE(dialog.pageCopy()->isVisible());
    QTest::keyClicks(dialog.newNameField(), QStringLiteral("fin"));
    EXPECT_TRUE(dialog.pageCopy()->isVisible());
    dialog.okButton()->click();
    EXPECT_EQ(t.host.fakePrompts.shown, QStringList{"information:" + msg(28)});
    dialog.toggleLine(1);
    dialog.toggleLine(1); // the same line again clears the choice
    EXPECT_EQ(dialog.chosenLine(), -1);
    dialog.toggleLine(1);
    dialog.okButton()->click();
    EXPECT_EQ(marked(t.host.text),
              QStringLiteral("voir <A HREF=\"#fin\">[ici]</A>\r\n<A NAME=\"fin\">Fin de page</A>"));
    EXPECT_EQ(t.host.undo.count(), 2);
    t.host.undo.Undo();
    EXPECT_EQ(t.host.text.text(), QStringLiteral("voir ici\r\n<A NAME=\"fin\">Fin de page</A>"));
}

} // namespace

namespace {

TEST(DialogCommands, InstallEnablesButtonsMenuItemsAndTheQuickLink)
{
    DialogTesting t;
    ToolTabs tools(t.host);
    tools.setDocumentOpen(true);
    QAction quickLink(QStringLiteral("Lien &externe rapide"));
    quickLink.setEnabled(false);
    EXPECT_FALSE(tools.action(QStringLiteral("LienExtBtn"))->isEnabled());
    installDialogCommands(tools, t.services, &quickLink);
    EXPECT_TRUE(tools.action(QStringLiteral("Lienexterne1"))->isEnabled());
    EXPECT_TRUE(bool(t.services.openScriptEditor));
    setMarked(t.host.text, QStringLiteral("[mot]"));
    t.chosenFiles = {t.folder.filePath(QStringLiteral("b.htm"))};
    quickLink.trigger();
    EXPECT_EQ(marked(t.host.text), QStringLiteral("<A HREF=\"b.htm\">[mot]</A>"));
}

TEST(ExternalLinkDialog, ClickingTheChosenDestinationAgainClearsIt)
{
    DialogTesting t;
    t.writeFile(QStringLiteral("cible.htm"), "<A NAME=\"haut\">");
    ExternalLinkDialog dialog(t.services);
    dialog.show();
    dialog.addressField()->setEditText(QStringLiteral("cible.htm"));
    dialog.pages()->setCurrentIndex(1);
    QListWidget *list = dialog.destinations();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    const QPoint item = list->visualItemRect(list->item(0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, item);
    EXPECT_TRUE(list->item(0)->isSelected());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, item);
    EXPECT_FALSE(list->item(0)->isSelected());
}

} // namespace
