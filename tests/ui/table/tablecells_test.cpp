#include "core/messages/messages.h"
#include "core/table/tablegenerator.h"
#include "core/table/tablemodel.h"
#include "core/table/tableselection.h"
#include "ui/dialogs/dialogtesting.h"
#include "ui/table/celldialog.h"
#include "ui/table/tabledesigner.h"
#include "ui/table/tablesketch.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QString selectedCells(const TableModel &m)
{
    QStringList out;
    for (int r = 0; r < m.RowCount(); ++r)
        for (int c = 0; c < m.ColCount(); ++c)
            if (m.grid().isOwner(c, r) && m.cell(c, r).Selected)
                out << QStringLiteral("%1,%2").arg(c).arg(r);
    return out.join(QLatin1Char(' '));
}

QAction *menuAction(QMenu *menu, const QString &text)
{
    for (QAction *a : menu->actions())
        if (a->text() == text)
            return a;
    return nullptr;
}

TEST(TableCells, KeyboardSelectsMergesAndOpensProperties)
{
    DialogTesting t;
    TableModel model;
    model.AddColonne(2);
    model.AddRangee(2);
    TTableFrm d(t.services, model, {});
    d.show();
    QApplication::setActiveWindow(&d);
    d.sketch()->setFocus();
    QTest::keyClick(d.sketch(), Qt::Key_Right);
    EXPECT_EQ(selectedCells(model), QStringLiteral("1,0"));
    QTest::keyClick(d.sketch(), Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(d.sketch(), Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(selectedCells(model), QStringLiteral("1,0 2,0 1,1 2,1"));
    QTest::keyClick(d.sketch(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(model.grid().colSpan(1, 0), 2);
    EXPECT_EQ(model.grid().rowSpan(1, 0), 2);
    // From the merged cell, one step right clamps, one step down leaves it whole.
    QTest::keyClick(d.sketch(), Qt::Key_Down);
    EXPECT_EQ(selectedCells(model), QStringLiteral("1,2"));
    // A selection grown over the merged cell takes it whole.
    QTest::keyClick(d.sketch(), Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(d.sketch(), Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(selectedCells(model), QStringLiteral("0,0 1,0 0,1 0,2 1,2 2,2"));

    // The pop-up menu follows the selection.
    struct MenuCase
    {
        std::vector<SlotPos> clicks;
        bool merge, cell, row, split;
    };
    const MenuCase cases[] = {
        {{{0, 0}}, false, true, false, false},
        {{{0, 2}, {2, 2}}, true, false, true, false},
        {{{0, 1}, {1, 0}}, true, false, false, true},
        {{}, false, false, false, false},
    };
    for (const MenuCase &k : cases) {
        ClearSelection(model);
        for (const SlotPos &p : k.clicks)
            d.clickCell(p.column, p.row);
        QMenu *menu = d.sketchMenu();
        EXPECT_EQ(d.menuMergeAction()->isEnabled(), k.merge);
        EXPECT_EQ(d.menuCellAction()->isEnabled(), k.cell);
        EXPECT_EQ(d.menuRowAction()->isEnabled(), k.row);
        EXPECT_EQ(d.menuSplitAction()->isEnabled(), k.split);
        EXPECT_NE(menuAction(menu, QStringLiteral("&Scinder la cellule")), nullptr);
    }

    // Enter on one cell opens cell mode; on a whole row, row mode.
    QStringList captions;
    d.execProperties = [&](QDialog &dialog) {
        captions << dialog.windowTitle();
        return int(QDialog::Rejected);
    };
    ClearSelection(model);
    d.clickCell(0, 0);
    QTest::keyClick(d.sketch(), Qt::Key_Return);
    d.clickCell(0, 0);
    d.clickCell(0, 2);
    d.clickCell(2, 2);
    d.propertiesAction()->trigger();
    EXPECT_EQ(captions,
              (QStringList{QStringLiteral("Propriétés de la cellule"), QStringLiteral("Propriétés de la rangée")}));
}

TEST(TableCells, CellDialogStoresItsFields)
{
    DialogTesting t;
    TableModel model;
    model.cell(1, 0).Width = 120;
    model.cell(1, 0).Content = QStringList{QStringLiteral("un mot ici")};
    const TableModel before = model;
    for (const bool accept : {false, true}) {
        TCelluleFrm d(t.services, model, {PropertiesTarget::Mode::Cell, {1, 0}, 0});
        d.show();
        QApplication::setActiveWindow(&d);
        d.contentEdit()->setFocus();
        EXPECT_EQ(d.widthEdit()->text(), QStringLiteral("120"));
        // Choosing a header cell centres it and previews it in bold.
        d.kindGroup()->button(0)->click();
        EXPECT_EQ(d.hAlignGroup()->checkedId(), 2);
        EXPECT_TRUE(d.contentEdit()->font().bold());
        d.widthEdit()->clear();
        // "Gras" on a selected word wraps it and keeps it selected.
        QTextCursor c = d.contentEdit()->textCursor();
        c.setPosition(3);
        c.setPosition(6, QTextCursor::KeepAnchor);
        d.contentEdit()->setTextCursor(c);
        QTest::keyClick(d.contentEdit(), Qt::Key_G, Qt::ControlModifier);
        EXPECT_EQ(d.contentEdit()->toPlainText(), QStringLiteral("un <B>mot</B> ici"));
        EXPECT_EQ(d.contentEdit()->textCursor().selectedText(), QStringLiteral("mot"));
        // Without a selection the caret lands between the two tags.
        c.setPosition(0);
        d.contentEdit()->setTextCursor(c);
        d.insertPair(QStringLiteral("<!-- "), QStringLiteral(" --->"));
        EXPECT_EQ(d.contentEdit()->textCursor().position(), 5);
        (accept ? d.okButton() : d.cancelButton())->click();
        const TableCell &cell = model.cell(1, 0);
        if (!accept) {
            EXPECT_EQ(TableText(model), TableText(before));
            continue;
        }
        EXPECT_EQ(cell.Kind, 1);
        EXPECT_EQ(cell.HAlign, 2);
        EXPECT_EQ(cell.Width, 0);
        EXPECT_EQ(cell.Content, QStringList{QStringLiteral("<!--  --->un <B>mot</B> ici")});
        EXPECT_FALSE(TableText(model).contains(QStringLiteral("ALIGN")));
    }
}

TEST(TableCells, RowDialogStoresTheRow)
{
    DialogTesting t;
    TableModel model;
    TCelluleFrm d(t.services, model, {PropertiesTarget::Mode::Row, {}, 1});
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Propriétés de la rangée"));
    d.hAlignGroup()->button(2)->click();
    d.vAlignGroup()->button(1)->click();
    d.okButton()->click();
    EXPECT_EQ(model.row(1).Align, 2);
    EXPECT_EQ(model.row(1).VAlign, 1);
    EXPECT_EQ(model.row(0).Align, 0);
}

} // namespace
