#include "support/marked.h"
#include "ui/dialogs/dialogtesting.h"
#include "ui/formatting/charsetwindow.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>

#include <gtest/gtest.h>

namespace {

// A screen reader reaches every cell of the special-character grid, each
// named by its character and entity, where it is drawn; pressing a cell
// inserts its entity.
TEST(CharsetWindow, EveryCellIsNamedInTheAccessibilityTree)
{
    DialogTesting t;
    setMarked(t.host.text, "a|b");
    TcharsetFrm window(t.host);
    window.show();
    CharacterGrid *grid = window.grid();
    QAccessibleInterface *list = QAccessible::queryAccessibleInterface(grid);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->childCount(), grid->count());
    QStringList names;
    for (int i = 0; i < list->childCount(); ++i) {
        QAccessibleInterface *cell = list->child(i);
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->parent(), list);
        EXPECT_EQ(list->indexOfChild(cell), i);
        EXPECT_EQ(list->childAt(cell->rect().center().x(), cell->rect().center().y()), cell);
        names << cell->text(QAccessible::Name);
    }
    EXPECT_EQ(names.removeDuplicates(), 0);
    const struct
    {
        int index;
        const char *name;
    } cases[] = {{0, "< &lt;"}, {3, "\" &quot;"}};
    for (const auto &c : cases)
        EXPECT_EQ(names.at(c.index), QString::fromUtf8(c.name));
    EXPECT_TRUE(names.contains(QStringLiteral("nbsp &#160;")));

    QApplication::setActiveWindow(&window);
    grid->setFocus();
    grid->setCurrent(2);
    EXPECT_EQ(list->focusChild(), list->child(2));
    EXPECT_EQ(window.entityLabel()->textFormat(), Qt::PlainText); // shows "&amp;", not "&".
    list->child(2)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(marked(t.host.text), QStringLiteral("a&amp;|b"));
}

} // namespace
