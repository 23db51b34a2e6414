#include "ui/table/tabledesigner.h"

#include "core/messages/messages.h"
#include "core/table/tablegenerator.h"
#include "core/table/tablemodel.h"
#include "ui/dialogs/dialogtesting.h"
#include "ui/preferences/colorswatchbutton.h"
#include "ui/table/tablecommands.h"
#include "ui/table/tableextensions.h"
#include "ui/table/tablesketch.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QString Old = QStringLiteral("<table border=1><tr><td>a</td><td>b</td></tr></table>");

// Runs the table command on "x " + Old + " y" with the table selected and
// drives the designer with drive; returns the dialog's result.
int runOnOldTable(DialogTesting &t, const std::function<void(TTableFrm &)> &drive)
{
    t.host.setDocument(QStringLiteral("x ") + Old + QStringLiteral(" y"), 0, int(Old.size()) + 4);
    int result = -1;
    RunTableCommand(t.host, t.services, [&](TTableFrm &d) {
        d.show();
        QApplication::setActiveWindow(&d);
        drive(d);
        result = d.isVisible() ? QDialog::Rejected : d.result();
        return result;
    });
    return result;
}

TEST(TableDesigner, KeysAndFieldsReachThePageAsOneStep)
{
    DialogTesting t;
    runOnOldTable(t, [](TTableFrm &d) {
        EXPECT_EQ(d.borderBox()->value(), 1);
        d.widthEdit()->setText(QStringLiteral("50"));
        // Ctrl keys on the sketch and in a text field, which keeps its own
        // editing keys (Ctrl+A selects its text) and passes the others on.
        const struct
        {
            QWidget *focus;
            Qt::Key key;
            int columns, rows;
            const char *selected;
        } steps[] = {
            // Start: two columns, one row.
            {d.sketch(), Qt::Key_C, 3, 1, ""},    {d.sketch(), Qt::Key_R, 3, 2, ""},
            {d.sketch(), Qt::Key_A, 3, 1, ""},    {d.widthEdit(), Qt::Key_A, 3, 1, "50"},
            {d.widthEdit(), Qt::Key_R, 3, 2, ""}, {d.paddingBox(), Qt::Key_A, 3, 2, "1"},
        };
        for (const auto &step : steps) {
            step.focus->setFocus();
            QWidget *focus = QApplication::focusWidget();
            auto *edit =
                qobject_cast<QLineEdit *>(focus) ? qobject_cast<QLineEdit *>(focus) : focus->findChild<QLineEdit *>();
            if (edit)
                edit->deselect();
            QTest::keyClick(focus, step.key, Qt::ControlModifier);
            EXPECT_EQ(d.columnsBox()->value(), step.columns) << step.key;
            EXPECT_EQ(d.rowsBox()->value(), step.rows) << step.key;
            EXPECT_EQ(edit ? edit->selectedText() : QString(), QString::fromLatin1(step.selected)) << step.key;
        }
        d.columnsBox()->setValue(3);
        d.rowsBox()->setValue(1);
        d.widthEdit()->clear();
        d.model().attrs.WidthText.clear();
        d.borderBox()->setValue(3);
        d.rightButton()->setChecked(true);
        d.okButton()->click();
    });
    EXPECT_EQ(t.host.text.text().toStdString(),
              QStringLiteral("x <TABLE BORDER=3 ALIGN=right>\r\n  <TR>\r\n    <TD>\r\na\r\n    </TD>\r\n"
                             "    <TD>\r\nb\r\n    </TD>\r\n    <TD></TD>\r\n  </TR>\r\n</TABLE>\r\n y")
                  .toStdString());
    EXPECT_EQ(t.host.undo.count(), 1);
    t.host.undo.Undo();
    EXPECT_EQ(t.host.text.text(), QStringLiteral("x ") + Old + QStringLiteral(" y"));
}

// After a table it cannot take up, the designer says, until OK, that it
// makes a new table which goes in before the old one.
TEST(TableDesigner, SaysWhenItMakesANewTable)
{
    const struct
    {
        const char *page;
        bool notice;
    } cases[] = {
        {"<table><tr><td>a</td></tr></table>", false},
        {"<table><tr><td><table></table></td></tr></table>", true}, // message 18
        {"<table><tr><td align=left</table>", true},                 // message 90
        {"<table><tr><td>a", true},                                  // no end tag
    };
    for (const auto &c : cases) {
        DialogTesting t;
        const QString page = QString::fromLatin1(c.page);
        t.host.setDocument(page, 0, int(page.size()));
        RunTableCommand(t.host, t.services, [&c](TTableFrm &d) {
            d.show();
            EXPECT_EQ(d.newTableNotice() && d.newTableNotice()->isVisible(), c.notice) << c.page;
            if (d.newTableNotice()) {
                EXPECT_EQ(d.newTableNotice()->text(), msg(9401));
            }
            return int(QDialog::Rejected);
        });
    }
}

TEST(TableDesigner, CancelWritesNothingAndClearAllStartsAfresh)
{
    DialogTesting t;
    runOnOldTable(t, [](TTableFrm &d) {
        d.model().attrs.CaptionText = QStringLiteral("garde");
        d.addColumnAction()->trigger();
        d.clearAction()->trigger();
        EXPECT_EQ(d.columnsBox()->value(), 2);
        EXPECT_EQ(d.borderBox()->value(), 0);
        EXPECT_EQ(d.model().attrs.CaptionText, QStringLiteral("garde"));
        EXPECT_TRUE(d.model().cell(0, 0).Content.isEmpty());
        d.cancelButton()->click();
    });
    EXPECT_EQ(t.host.text.text(), QStringLiteral("x ") + Old + QStringLiteral(" y"));
    EXPECT_EQ(t.host.undo.count(), 0);
}

TEST(TableDesigner, LabelsHaveBuddiesAndCommandsFollowTheLimits)
{
    DialogTesting t;
    runOnOldTable(t, [](TTableFrm &d) {
        for (QLabel *label : d.findChildren<QLabel *>()) {
            if (label->text().endsWith(u':')) {
                EXPECT_NE(label->buddy(), nullptr) << label->text().toStdString();
            }
        }
        // The width field follows its percent box.
        d.widthPercentBox()->setChecked(false);
        QTest::keyClicks(d.widthEdit(), QStringLiteral("250"));
        d.widthPercentBox()->setChecked(true);
        EXPECT_EQ(d.model().attrs.WidthText, QStringLiteral("100"));
        d.columnsBox()->setValue(10);
        d.rowsBox()->setValue(1);
        d.sketchMenu();
        EXPECT_FALSE(d.addColumnAction()->isEnabled());
        EXPECT_TRUE(d.removeColumnAction()->isEnabled());
        EXPECT_TRUE(d.addRowAction()->isEnabled());
        EXPECT_FALSE(d.removeRowAction()->isEnabled());
        EXPECT_EQ(d.model().invariantBreach(), QString());
        d.cancelButton()->click();
    });
}

TEST(TableDesigner, ExtensionsAndCaptionAreStored)
{
    DialogTesting t;
    TableAttrs attrs;
    {
        TTieFrm tie(t.services, attrs, TTieFrm::Pages::Table);
        tie.frameGroup()->button(5)->setChecked(true);
        tie.rulesGroup()->button(2)->setChecked(true);
        tie.bgColorButton()->setColor(QColor(0x12, 0x34, 0x56));
        tie.backgroundBox()->setCurrentText(QStringLiteral("absent.gif"));
        t.host.fakePrompts.answers = {Prompts::Answer::No};
        tie.okButton()->click();
        EXPECT_EQ(t.host.fakePrompts.asked, QStringList{msg(75)});
        EXPECT_EQ(attrs.TableFrame, 0);
        t.writeFile(QStringLiteral("absent.gif"));
        tie.okButton()->click();
        EXPECT_TRUE(attrs.TableFrame == 5 && attrs.TableRules == 2);
        EXPECT_EQ(attrs.TableBgColor, QStringLiteral("#123456"));
    }
    {
        TTieFrm caption(t.services, attrs, TTieFrm::Pages::Caption);
        caption.show();
        EXPECT_FALSE(caption.captionAlignBox()->isVisible());
        caption.captionEdit()->setText(QStringLiteral("Titre"));
        caption.explorerButton()->setChecked(true);
        EXPECT_TRUE(caption.captionAlignBox()->isVisible());
        caption.captionAlignGroup()->button(2)->setChecked(true);
        caption.okButton()->click();
        EXPECT_EQ(attrs.CaptionText, QStringLiteral("Titre"));
        EXPECT_TRUE(attrs.CaptionMode == 1 && attrs.CaptionAlign == 2);
    }
}

TEST(TableSketch, ColoursAndTipsFollowCellRowTable)
{
    TableModel m;
    m.attrs.TableBgColor = QStringLiteral("#0000FF");
    m.row(1).BgColor = QStringLiteral("#00FF00");
    m.cell(1, 1).BgColor = QStringLiteral("#FF0000");
    m.cell(1, 1).BorderColor = QStringLiteral("#123456");
    for (int i = 0; i < 10; ++i)
        m.cell(1, 1).Content << QStringLiteral("l%1").arg(i);
    EXPECT_EQ(TableSketch::fillColor(m, 0, 0), QColor(0, 0, 255));
    EXPECT_EQ(TableSketch::fillColor(m, 0, 1), QColor(0, 255, 0));
    EXPECT_EQ(TableSketch::fillColor(m, 1, 1), QColor(255, 0, 0));
    EXPECT_EQ(TableSketch::outlineColor(m, 1, 1), QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(TableSketch::outlineColor(m, 0, 0), QColor(Qt::white));
    m.cell(0, 0).Selected = true;
    EXPECT_EQ(TableSketch::fillColor(m, 0, 0), QColor(0, 0, 128));
    EXPECT_EQ(TableSketch::cellTip(m, 0, 1), QStringLiteral("(1,2)\r\nCellule vide"));
    EXPECT_EQ(TableSketch::cellTip(m, 1, 1),
              QStringLiteral("(2,2)\r\nl0\r\nl1\r\nl2\r\nl3\r\nl4\r\nl5\r\nl6\r\nl7\r\n"));
}

} // namespace
