#include "core/formatting/charorder.h"
#include "core/markup/insertion.h"
#include "core/messages/messages.h"
#include "support/marked.h"
#include "support/qstringprinter.h"
#include "ui/dialogs/dialogtesting.h"
#include "ui/formatting/charsetwindow.h"
#include "ui/formatting/colourfield.h"
#include "ui/formatting/fontdialog.h"
#include "ui/formatting/formattingcommands.h"
#include "ui/formatting/listdialog.h"
#include "ui/formatting/ruledialog.h"
#include "ui/formatting/tagreferencewindow.h"
#include "ui/preferences/colorswatchbutton.h"
#include "ui/tagcommands/tooltabs.h"

#include <QApplication>
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

TEST(FontDialog, WrapsTheSelectionInFontAndStyles)
{
    DialogTesting t;
    setMarked(t.host.text, "un [mot] ici");
    TFontFrm dialog(t.services, false);
    EXPECT_EQ(dialog.windowTitle(), msg(350));
    // The colour button is read out without the mnemonic's "&".
    EXPECT_EQ(str(dialog.colourField()->swatch()->accessibleName()), "Couleur");
    QListWidget *fonts = dialog.fontList();
    ASSERT_GT(fonts->count(), 0);
    fonts->item(0)->setSelected(true);
    const QString face = fonts->item(0)->text();
    dialog.sizeList()->setCurrentRow(4);
    EXPECT_EQ(dialog.sizeEdit()->text(), QStringLiteral("5"));
    dialog.styleBox(0)->setChecked(true); // bold
    dialog.styleBox(4)->setChecked(true); // italic
    dialog.okButton()->click();
    EXPECT_EQ(str(marked(t.host.text)), str("un <FONT FACE=\"" + face + "\" SIZE=5><B><I>[mot]</I></B></FONT> ici"));
    t.host.undo.Undo();
    EXPECT_EQ(str(t.host.text.text()), "un mot ici");
}

TEST(RuleDialog, CommandEditsTheSelectedRuleInOneStep)
{
    DialogTesting t;
    ToolTabs tabs(t.host);
    tabs.setDocumentOpen(true);
    installFormattingCommands(tabs, t.services);
    setMarked(t.host.text, "[avant <hr width=\"40%\" noshade align=right> apres]");
    QTimer::singleShot(0, [] {
        auto *dialog = qobject_cast<THrFrm *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->widthBox()->value(), 40);
        EXPECT_TRUE(dialog->percentBox()->isChecked());
        EXPECT_FALSE(dialog->shadeBox()->isChecked());
        EXPECT_TRUE(dialog->alignButton(RuleAlign::Right)->isChecked());
        dialog->sizeBox()->setValue(4);
        dialog->okButton()->click();
    });
    tabs.action(QStringLiteral("HrBtn"))->trigger();
    // Only the size the author set is added; the rest stays as written.
    EXPECT_EQ(str(t.host.text.text()), "avant <hr width=\"40%\" noshade align=right SIZE=4> apres");
    t.host.undo.Undo();
    EXPECT_EQ(str(t.host.text.text()), "avant <hr width=\"40%\" noshade align=right> apres");
}

TEST(ListDialog, WritesTheGridAsOneRepeatableStep)
{
    DialogTesting t;
    setMarked(t.host.text, "x|");
    TListeFrm dialog(t.services, ListKind::Unordered);
    EXPECT_EQ(str(dialog.windowTitle()), "Liste non ordonnée");
    dialog.countBox()->setValue(2);
    ASSERT_EQ(dialog.grid()->rowCount(), 2);
    dialog.grid()->setItem(0, 0, new QTableWidgetItem(QStringLiteral("un")));
    dialog.bulletButton(ListBullet::Disc)->setChecked(true);
    dialog.bulletButton(ListBullet::Square)->setChecked(true); // one bullet at a time
    dialog.okButton()->click();
    const char *list = "<UL TYPE=SQUARE>\r\n  <LI>un\r\n  <LI>\r\n</UL>";
    EXPECT_EQ(str(t.host.text.text()), std::string("x") + list);
    t.host.undo.Undo();
    EXPECT_EQ(str(t.host.text.text()), "x");
    RepeatLastCommand(t.host.text, t.host.undo, t.host.state);
    EXPECT_EQ(str(t.host.text.text()), std::string("x") + list);
}

TEST(CharsetWindow, ArrowsEnterAndDoubleClickInsertEntities)
{
    DialogTesting t;
    setMarked(t.host.text, "a|b");
    TcharsetFrm window(t.host);
    window.show();
    CharacterGrid *grid = window.grid();
    grid->setFocus();
    // Right to "&AElig;", down a row, back up, then Enter.
    for (int key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Down, Qt::Key_Up})
        QTest::keyClick(grid, Qt::Key(key));
    EXPECT_EQ(str(window.entityLabel()->text()), "&AElig;");
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(str(marked(t.host.text)), "a&AElig;|b");
    QTest::mousePress(grid, Qt::LeftButton, {}, grid->cellRect(1).center());
    EXPECT_TRUE(grid->magnifier()->isVisible());
    EXPECT_TRUE(grid->magnifier()->text().contains(QStringLiteral("&amp;gt;")));
    QTest::mouseRelease(grid, Qt::LeftButton, {}, grid->cellRect(1).center());
    EXPECT_FALSE(grid->magnifier()->isVisible());
    QTest::mouseDClick(grid, Qt::LeftButton, {}, grid->cellRect(0).center());
    EXPECT_EQ(str(marked(t.host.text)), "a&AElig;&lt;|b");
    EXPECT_TRUE(window.isVisible());
}

TEST(TagReferenceWindow, LettersSelectAndEnterInserts)
{
    DialogTesting t;
    const QString path = t.writeFile(QStringLiteral("htmldesc.ref"), "<A></A>\n  Ancre.\n<B></B>\n  Gras.\n<BR>\n");
    setMarked(t.host.text, "un [mot]");
    TTagFrm window(t.host, nullptr, path);
    window.show();
    EXPECT_EQ(window.list()->currentRow(), 0);
    EXPECT_EQ(str(window.description()->toPlainText()), "Ancre.");
    window.letterButton(u'B')->click();
    EXPECT_EQ(window.list()->currentRow(), 1);
    EXPECT_EQ(str(window.description()->toPlainText()), "Gras.");
    QTest::keyClick(window.list(), Qt::Key_Return);
    EXPECT_EQ(str(marked(t.host.text)), "un <B>[mot]</B>");
    QListWidget *list = window.list();
    const QPoint first = list->visualItemRect(list->item(0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, first);
    EXPECT_EQ(str(marked(t.host.text)), "un <B><A>[mot]</A></B>");
    window.insertEntry(2);
    EXPECT_EQ(str(marked(t.host.text)), "un <B><A><BR>|</A></B>");
    EXPECT_TRUE(t.host.fakePrompts.shown.isEmpty());
}

TEST(FormattingCommands, ToolWindowCommandsOpenAndClose)
{
    DialogTesting t;
    ToolTabs tabs(t.host);
    tabs.setDocumentOpen(true);
    installFormattingCommands(tabs, t.services);
    EXPECT_TRUE(tabs.action(QStringLiteral("FontBtn"))->isEnabled());
    QAction *charset = tabs.action(QStringLiteral("Caractresspciaux1"));
    charset->trigger();
    auto *window = t.host.frame.findChild<TcharsetFrm *>();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    charset->trigger();
    EXPECT_FALSE(window->isVisible());
    charset->trigger();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(t.host.frame.findChildren<TcharsetFrm *>().size(), 1);
}

} // namespace
