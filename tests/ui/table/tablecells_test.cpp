#include "core/table/tablegenerator.h"
#include "core/table/tablemodel.h"
#include "core/table/tableselection.h"
#include "core/table/tabletestmodels.h"
#include "ui/dialogs/dialogtesting.h"
#include "ui/table/celldialog.h"
#include "ui/table/tabledesigner.h"
#include "ui/table/tablesketch.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using TableTestModels::selected;

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
    EXPECT_EQ(selected(model), QStringLiteral("1,0"));
    QTest::keyClick(d.sketch(), Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(d.sketch(), Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(selected(model), QStringLiteral("1,0 2,0 1,1 2,1"));
    QTest::keyClick(d.sketch(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(model.grid().colSpan(1, 0), 2);
    EXPECT_EQ(model.grid().rowSpan(1, 0), 2);
    // From the merged cell, one step right clamps, one step down leaves it whole.
    QTest::keyClick(d.sketch(), Qt::Key_Down);
    EXPECT_EQ(selected(model), QStringLiteral("1,2"));
    // A selection grown over the merged cell takes it whole.
    QTest::keyClick(d.sketch(), Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(d.sketch(), Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(selected(model), QStringLiteral("0,0 1,0 0,1 0,2 1,2 2,2"));

    // The pop-up menu follows the selection: one cell, then a merged one.
    ClearSelection(model);
    d.clickCell(0, 0);
    d.sketchMenu();
    EXPECT_TRUE(d.menuCellAction()->isEnabled());
    EXPECT_FALSE(d.menuMergeAction()->isEnabled() || d.menuSplitAction()->isEnabled());
    d.clickCell(0, 0);
    d.clickCell(1, 0);
    d.sketchMenu();
    EXPECT_TRUE(d.menuSplitAction()->isEnabled());

    // Enter opens the properties of what is selected.
    QStringList captions;
    d.execProperties = [&](QDialog &dialog) {
        captions << dialog.windowTitle();
        return int(QDialog::Rejected);
    };
    ClearSelection(model);
    d.clickCell(0, 0);
    QTest::keyClick(d.sketch(), Qt::Key_Return);
    EXPECT_EQ(captions, QStringList{QStringLiteral("Propriétés de la cellule")});
}

TEST(TableCells, CellDialogStoresItsFieldsOnOkOnly)
{
    DialogTesting t;
    TableModel model;
    model.cell(1, 0).Width = 120;
    model.cell(1, 0).Content = QStringList{QStringLiteral("un mot ici")};
    const QString before = TableText(model);
    for (const bool accept : {false, true}) {
        CellDialog d(t.services, model, {PropertiesTarget::Mode::Cell, {1, 0}, 0});
        d.show();
        QApplication::setActiveWindow(&d);
        d.contentEdit()->setFocus();
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
        EXPECT_EQ(d.contentEdit()->textCursor().selectedText(), QStringLiteral("mot"));
        // Without a selection the caret lands between the two tags.
        c.setPosition(0);
        d.contentEdit()->setTextCursor(c);
        d.insertPair(QStringLiteral("<!-- "), QStringLiteral(" --->"));
        EXPECT_EQ(d.contentEdit()->textCursor().position(), 5);
        (accept ? d.okButton() : d.cancelButton())->click();
        const TableCell &cell = model.cell(1, 0);
        if (!accept) {
            EXPECT_EQ(TableText(model), before);
            continue;
        }
        EXPECT_TRUE(cell.Kind == 1 && cell.HAlign == 2 && cell.Width == 0);
        EXPECT_EQ(cell.Content, QStringList{QStringLiteral("<!--  --->un <B>mot</B> ici")});
        EXPECT_FALSE(TableText(model).contains(QStringLiteral("ALIGN")));
    }
}

TEST(TableCells, RowDialogStoresTheRow)
{
    DialogTesting t;
    TableModel model;
    CellDialog d(t.services, model, {PropertiesTarget::Mode::Row, {}, 1});
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Propriétés de la rangée"));
    d.hAlignGroup()->button(2)->click();
    d.vAlignGroup()->button(1)->click();
    d.okButton()->click();
    EXPECT_TRUE(model.row(1).Align == 2 && model.row(1).VAlign == 1);
    EXPECT_EQ(model.row(0).Align, 0);
}

} // namespace
