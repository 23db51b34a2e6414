#include "core/table3d/table3d.h"
#include "ui/dialogs/dialogtesting.h"
#include "ui/table/tabledesigner.h"
#include "ui/table3d/table3ddialog.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

TEST(Table3dCommand, WritesTheBoxOrReopensASelectedTable)
{
    const QString table = QStringLiteral("<table><tr><td>a</td></tr></table>");
    const QString nested = QStringLiteral("<table><tr><td><table></table></td></tr></table>");
    const struct
    {
        QString page;
        int selStart, selLength;
        bool designer;
    } cases[] = {
        {QStringLiteral("ab"), 1, 0, false},
        {QStringLiteral("x ") + table, 0, int(table.size()) + 2, true},
        {QStringLiteral("x ") + nested, 2, int(nested.size()), false},
    };
    for (const auto &k : cases) {
        DialogTesting t;
        t.host.setDocument(k.page, k.selStart, k.selLength);
        bool designer = false;
        QString written;
        RunTable3dCommand(
            t.host, t.services,
            [&](TTable3dFrm &d) {
                d.textEdit()->setPlainText(QStringLiteral("Un\nDeux"));
                d.fontSizeBox()->setCurrentText(QStringLiteral("9"));
                EXPECT_EQ(d.fontSizeBox()->currentText(), QStringLiteral("3"));
                written = Table3dText(d.settings());
                d.okButton()->click();
                return d.result();
            },
            [&](TTableFrm &) {
                designer = true;
                return int(QDialog::Rejected);
            });
        EXPECT_EQ(designer, k.designer) << k.page.toStdString();
        if (k.designer)
            continue;
        EXPECT_TRUE(written.contains(QStringLiteral("\r\nUn<BR>\r\nDeux<BR>\r\n</FONT>\r\n")));
        EXPECT_EQ(t.host.text.text(), k.page.left(k.selStart) + written + k.page.mid(k.selStart));
        EXPECT_EQ(t.host.undo.count(), 1);
    }
}

} // namespace
