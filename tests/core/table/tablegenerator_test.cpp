#include "core/table/tablegenerator.h"

#include "core/table/tablemodel.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

QString lines(std::initializer_list<const char *> list)
{
    QString out;
    for (const char *line : list)
        out += QString::fromUtf8(line) + QStringLiteral("\r\n");
    return out;
}

const QString EmptyRow = lines({"  <TR>", "    <TD></TD>", "    <TD></TD>", "  </TR>"});

struct GeneratorCase
{
    const char *what;
    std::function<void(TableModel &)> set;
    QString expected;
};

TEST(TableGenerator, WritesTheDesignersText)
{
    const GeneratorCase cases[] = {
        {"table settings in order",
         [](TableModel &m) {
             TableAttrs &a = m.attrs;
             a.WidthText = QStringLiteral("50");
             a.HeightText = QStringLiteral("300");
             a.HeightPercent = false;
             a.PaddingText = QStringLiteral("0");
             a.BorderText = QStringLiteral("2");
             a.SpacingText = QStringLiteral("5");
             a.Align = 1;
             a.TableVAlign = 2;
             a.TableBackground = QStringLiteral("mes images/fond.gif");
             a.TableFrame = 5;
             a.TableRules = 3;
             a.TableBgColor = QStringLiteral("#FFFFFE");
             a.TableBorderColor = QStringLiteral("#FFFFFF");
         },
         lines({"<TABLE WIDTH=50% HEIGHT=300 CELLPADDING=0 BORDER=2 CELLSPACING=5 ALIGN=right VALIGN=bottom "
                "BACKGROUND=\"mes images/fond.gif\" FRAME=lhs RULES=rows BGCOLOR=\"#FFFFFE\">"})
             + EmptyRow + EmptyRow + lines({"</TABLE>"})},
        {"cells: header alignments, sizes, colours, content",
         [](TableModel &m) {
             m.AddRangee(0);
             TableCell &th = m.cell(0, 0);
             th.Kind = 1;
             th.Content = {QStringLiteral("Nom"), QString()};
             TableCell &td = m.cell(1, 0);
             td.HAlign = 2;
             td.VAlign = 3;
             td.Height = 40;
             td.Width = 25;
             td.WidthPercent = true;
             td.BgColor = QStringLiteral("#FF0000");
             td.BorderColor = QStringLiteral("#00FF00");
             td.Background = QStringLiteral("a b.gif");
             td.NoWrap = true;
             m.row(0).Align = 2;
             m.row(0).VAlign = 1;
             m.row(0).BgColor = QStringLiteral("#0000FF");
         },
         lines({"<TABLE>", "  <TR ALIGN=right VALIGN=top BGCOLOR=\"#0000FF\">", "    <TH ALIGN=left>", "Nom", "",
                "    </TH>",
                "    <TD ALIGN=center HEIGHT=40 WIDTH=25% VALIGN=baseline BGCOLOR=\"#FF0000\" "
                "BORDERCOLOR=\"#00FF00\" BACKGROUND=\"a b.gif\" NOWRAP></TD>",
                "  </TR>", "</TABLE>"})},
        {"captions in both vocabularies",
         [](TableModel &m) {
             m.AddRangee(0);
             m.AddColonne(0);
             m.attrs.CaptionText = QStringLiteral("Titre");
             m.attrs.CaptionMode = 1;
             m.attrs.CaptionAlign = 2;
             m.attrs.CaptionVAlign = 1;
         },
         lines({"<TABLE>", "  <CAPTION VALIGN=bottom ALIGN=right>Titre</CAPTION>", "  <TR>", "    <TD></TD>", "  </TR>",
                "</TABLE>"})},
    };
    for (const GeneratorCase &c : cases) {
        TableModel model;
        c.set(model);
        EXPECT_EQ(TableText(model), c.expected) << c.what;
    }
}

} // namespace
