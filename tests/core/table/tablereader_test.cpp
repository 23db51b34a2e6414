#include "core/table/tablereader.h"

#include "core/markup/editorstate.h"
#include "core/table/tablegenerator.h"
#include "core/table/tablemodel.h"
#include "core/table/tableopening.h"
#include "core/text/memorytext.h"
#include "core/undo/undohistory.h"
#include "support/fakeprompts.h"

#include "tabletestmodels.h"

#include <gtest/gtest.h>

namespace {

using TableTestModels::spans;

struct ReadCase
{
    const char *what, *html, *spans;
    const char *contents; // the cells' contents row by row, joined by '|'; null: not checked
    void (*check)(const TableModel &);
};

QString contents(const TableModel &m)
{
    QStringList out;
    for (int r = 0; r < m.RowCount(); ++r)
        for (int c = 0; c < m.ColCount(); ++c)
            if (m.grid().isOwner(c, r))
                out << m.cell(c, r).Content.join(u'\n');
    return out.join(u'|');
}

TEST(TableReader, ReadsTheAuthorsTable)
{
    const ReadCase cases[] = {
        {"lower-case table tag", "<table border=2 width=80%><tr><td>a</td></tr></table>", "1x1", "a",
         [](const TableModel &m) {
             EXPECT_EQ(m.attrs.BorderText, QStringLiteral("2"));
             EXPECT_TRUE(m.attrs.WidthText == u"80" && m.attrs.WidthPercent);
         }},
        {"sizes above the maximum are limited", "<TABLE WIDTH=150% HEIGHT=12000><TR><TD></TD></TR></TABLE>", "1x1",
         nullptr,
         [](const TableModel &m) {
             EXPECT_EQ(m.attrs.WidthText, QStringLiteral("100"));
             EXPECT_EQ(m.attrs.HeightText, QStringLiteral("9999"));
         }},
        {"alignments of cells", "<TABLE><TR><TD ALIGN=center></TD><TH></TH><TD></TD><TH ALIGN=RIGHT></TH></TR></TABLE>",
         "1x1 1x1 1x1 1x1", nullptr,
         [](const TableModel &m) {
             EXPECT_TRUE(TableText(m).contains(
                 QStringLiteral("<TD ALIGN=center></TD>\r\n    <TH></TH>\r\n    <TD></TD>\r\n    <TH ALIGN=right>")));
         }},
        {"frame, rules and the rest of the table tag",
         "<TABLE FRAME=lhs RULES=cols VALIGN=top ALIGN=right BGCOLOR=\"#ff00ff\" BACKGROUND=\"a b.gif\" "
         "CELLPADDING=4 CELLSPACING=x><TR><TD></TD></TR></TABLE>",
         "1x1", nullptr,
         [](const TableModel &m) {
             EXPECT_EQ(m.attrs.TableBgColor + m.attrs.SpacingText, QStringLiteral("#ff00ff2"));
             EXPECT_TRUE(TableText(m).startsWith(QStringLiteral("<TABLE CELLPADDING=4 ALIGN=right VALIGN=top "
                                                                "BACKGROUND=\"a b.gif\" FRAME=lhs RULES=cols")));
         }},
        {"attributes the designer does not edit are written back",
         "<table class=\"t\" summary='s'>\r\n<caption id=c>t</caption>\r\n<tr class=\"r\"\r\n data-n=\"1\">"
         "<td style=\"color: red\" nowrap>a</td></tr></table>",
         "1x1", "a",
         [](const TableModel &m) {
             EXPECT_EQ(TableText(m), QStringLiteral("<TABLE class=\"t\" summary='s'>\r\n  <CAPTION id=c>t</CAPTION>\r\n"
                                                    "  <TR class=\"r\" data-n=\"1\">\r\n    <TD NOWRAP style=\"color: "
                                                    "red\">\r\na\r\n    </TD>\r\n  </TR>\r\n</TABLE>\r\n"));
         }},
        {"a cell of one no-break space keeps it", "<TABLE><TR><TD>\u00A0</TD><TD>\r\n \r\n</TD></TR></TABLE>",
         "1x1 1x1", "\u00A0| ", nullptr},
        {"a tab in content is 16 spaces", "<TABLE><TR><TD>\r\n\tx\r\n</TD></TR></TABLE>", "1x1", "                x",
         nullptr},
        {"caption ALIGN=left switches to Explorer",
         "<TABLE><CAPTION ALIGN=left>Titre <B>gras</B></CAPTION><TR><TD></TD></TR></TABLE>", "1x1", nullptr,
         [](const TableModel &m) {
             EXPECT_EQ(m.attrs.CaptionMode, 1);
             EXPECT_EQ(m.attrs.CaptionAlign, 1);
             EXPECT_EQ(m.attrs.CaptionText, QStringLiteral("Titre <B>gras</B>"));
         }},
        {"attributes on the next line of a tag",
         "<TABLE\r\nBORDER=3><TR><TD\r\nALIGN=right\tNOWRAP>x</TD></TR></TABLE>", "1x1", "x",
         [](const TableModel &m) {
             EXPECT_EQ(m.attrs.BorderText, QStringLiteral("3"));
             EXPECT_TRUE(m.cell(0, 0).HAlign == 3 && m.cell(0, 0).NoWrap);
         }},
        {"NOWRAP inside a picture name is no NOWRAP", "<TABLE><TR><TD BACKGROUND=\"nowrap.gif\"></TD></TR></TABLE>",
         "1x1", nullptr, [](const TableModel &m) { EXPECT_FALSE(m.cell(0, 0).NoWrap); }},
        {"THEAD is no header cell", "<TABLE><THEAD><TR><TD>a</TD></TR></THEAD></TABLE>", "1x1", "a",
         [](const TableModel &m) { EXPECT_EQ(m.cell(0, 0).Kind, 2); }},
        // End tags that HTML lets an author leave out.
        {"omitted </TD> and </TR>", "<table><tr><td>a<td>b<tr><th>c<td>d</table>", "1x1 1x1 | 1x1 1x1", "a|b|c|d",
         [](const TableModel &m) { EXPECT_EQ(m.cell(0, 1).Kind, 1); }},
        {"omitted </CAPTION> ends at the first row", "<TABLE><CAPTION>Titre\r\n<TR><TD>a</TABLE>", "1x1", "a",
         [](const TableModel &m) { EXPECT_EQ(m.attrs.CaptionText, QStringLiteral("Titre\r\n")); }},
        {"row groups end rows", "<TABLE><THEAD><TR><TH>h<TBODY><TR><TD>a<TR><TD>b</TBODY></TABLE>", "1x1 | 1x1 | 1x1",
         "h|a|b", nullptr},
        {"a </TD> does not end a header cell", "<TABLE><TR><TH>a</TD>b</TH><TD>c</TABLE>", "1x1 1x1", "a</TD>b|c",
         nullptr},
        {"tags in comments are no cells", "<TABLE><TR><TD>a<!-- <TD>x</TD> -->b</TD></TR></TABLE>", "1x1",
         "a<!-- <TD>x</TD> -->b", nullptr},
        {"a caption without text is no caption", "<TABLE><CAPTION> </CAPTION><TR><TD>a<CAPTION>t</CAPTION></TABLE>",
         "1x1", "a", [](const TableModel &m) { EXPECT_EQ(m.attrs.CaptionText, QStringLiteral("t")); }},
        // Found by fuzzing: a cell's start tag ending inside the caption.
        {"caption inside a cell start tag", "<TR><TD<CAPTION><TR</CAPTION></TD>", "1x1 | 1x1", "|",
         [](const TableModel &m) {
             EXPECT_EQ(m.attrs.CaptionText, QString());
             TableModel again;
             ReadTable(TableText(m), again);
             EXPECT_EQ(TableText(again), TableText(m));
         }},
        {"a caption inside a cell moves out of it", "<TABLE><TR><TD>a<CAPTION>t</CAPTION>b</TD></TR></TABLE>", "1x1",
         "ab", [](const TableModel &m) { EXPECT_EQ(m.attrs.CaptionText, QStringLiteral("t")); }},
        {"a table without rows has one row", "<TABLE BORDER=1></TABLE>", "1x1", "", nullptr},
        {"a short row keeps empty cells", "<TABLE><TR><TD>a</TD><TD>b</TD></TR><TR><TD>c</TD></TR></TABLE>",
         "1x1 1x1 | 1x1 1x1", "a|b|c|", nullptr},
        // A row without its end tag ends at the next row or at the end of the text.
        {"row without </TR> before another row", "<TABLE><TR><TD>a</TD><TD>b</TD><TR><TD>c</TD><TD>d</TD></TR></TABLE>",
         "1x1 1x1 | 1x1 1x1", "a|b|c|d", nullptr},
        {"text ending inside a row", "<TABLE><TR><TD>a</TD>", "1x1", "a", nullptr},
        // Spans below 1 count as 1; spans stop at the table's edges.
        {"zero and negative spans", "<TABLE><TR><TD COLSPAN=0 ROWSPAN=-3>a</TD><TD>b</TD></TR></TABLE>", "1x1 1x1",
         nullptr, nullptr},
        {"colspan running into a cell from above",
         "<TABLE><TR><TD>a</TD><TD ROWSPAN=2>b</TD></TR><TR><TD COLSPAN=2>c</TD></TR></TABLE>", "1x1 1x2 | 1x1 0",
         nullptr, nullptr},
        {"huge colspan in the first row", "<TABLE><TR><TD COLSPAN=300>a</TD></TR></TABLE>", "10x1 0 0 0 0 0 0 0 0 0",
         nullptr, nullptr},
    };
    for (const ReadCase &c : cases) {
        TableModel m;
        const TableReading reading = ReadTable(QString::fromUtf8(c.html), m);
        ASSERT_EQ(reading.outcome, TableReadOutcome::Read) << c.what;
        EXPECT_EQ(spans(m), QString::fromLatin1(c.spans)) << c.what;
        EXPECT_EQ(m.invariantBreach(), QString()) << c.what;
        if (c.contents) {
            EXPECT_EQ(contents(m), QString::fromUtf8(c.contents)) << c.what;
        }
        if (c.check)
            c.check(m);
    }
}

struct FailureCase
{
    const char *what;
    QString rows; // inside <TABLE> .. </TABLE>
    TableReadOutcome outcome;
};

const QString Cell = QStringLiteral("<TD>x</TD>");

TEST(TableReader, FailuresGiveAFreshTable)
{
    const FailureCase cases[] = {
        {"first row with 11 cells", "<TR>" + Cell.repeated(11) + "</TR>", TableReadOutcome::TooManyColumns},
        {"span to an eleventh column", "<TR>" + Cell.repeated(9) + "<TD COLSPAN=2></TD></TR>",
         TableReadOutcome::TooManyColumns},
        {"41 rows", QString("<TR>" + Cell + "</TR>").repeated(41), TableReadOutcome::TooManyRows},
        {"cell start tag without >", "<TR><TD ALIGN=left</TR>", TableReadOutcome::Unreadable},
        {"a later row reaching past the grid",
         "<TR>" + Cell.repeated(10) + "</TR><TR><TD ROWSPAN=2 COLSPAN=10></TD></TR><TR>" + Cell + "</TR>",
         TableReadOutcome::Unreadable},
    };
    for (const FailureCase &c : cases) {
        TableModel m;
        const TableReading reading = ReadTable("<TABLE>" + c.rows + "</TABLE>", m);
        EXPECT_EQ(reading.outcome, c.outcome) << c.what;
        EXPECT_EQ(spans(m), QStringLiteral("1x1 1x1 | 1x1 1x1")) << c.what;
        EXPECT_EQ(m.invariantBreach(), QString()) << c.what;
    }
}

struct LossCase
{
    const char *what;
    const char *html;
    const char *lost;
};

TEST(TableReader, NamesWhatTheModelCannotHold)
{
    const LossCase cases[] = {
        {"row groups", "<TABLE><THEAD><TR><TD>a</TD></TR></THEAD><TBODY><TR><TD>b</TD></TR></TBODY></TABLE>",
         "les balises THEAD, TBODY"},
        {"comments", "<TABLE><TR><!-- une note --><TD>a</TD></TR></TABLE>", "les commentaires"},
        {"text between cells", "<TABLE><TR><TD>a</TD> perdu <TD>b</TD></TR></TABLE>",
         "le texte placé hors des cellules"},
        {"attributes kept as written",
         "<TABLE SUMMARY=\"x\"><TR CLASS=a><TD ID=b style='color: red'>a</TD></TR></TABLE>", ""},
        {"attributes that cannot be kept",
         "<TABLE><CAPTION title=\"a<b\">t</CAPTION><TR><TD data-x=\"a>b\">a</TD></TR></TABLE>",
         "les attributs CAPTION TITLE, TD/TH DATA-X"},
        {"a known name inside another value is no setting",
         "<TABLE><TR><TD TITLE=\"x WIDTH=3 NOWRAP y\" border='1'>a</TD></TR></TABLE>", ""},
        {"values read otherwise",
         "<TABLE ALIGN=center BORDER><TR><TD BGCOLOR=\"lightgoldenrodyellow\">a</TD></TR></TABLE>",
         "les valeurs d'attributs TABLE ALIGN=center, TABLE BORDER, TD/TH BGCOLOR=lightgoldenrodyellow"},
        {"cells beyond the column count", "<TABLE><TR><TD>a</TD></TR><TR><TD>b</TD><TD>c</TD></TR></TABLE>",
         "les cellules au-delà du nombre de colonnes (rangées 2)"},
        {"a span cut at the table's edge", "<TABLE><TR><TD>a</TD></TR><TR><TD COLSPAN=2>b</TD></TR></TABLE>",
         "l'étendue des cellules fusionnées qui dépassent le tableau (1,2)"},
        {"short rows", "<TABLE><TR><TD>a<TD>b<TR><TD>c<TR><TD COLSPAN=2>d<TR></TABLE>",
         "la forme des rangées 2, 4, plus courtes que le tableau, que des cellules vides complètent"},
        {"layout only",
         "<TABLE BORDER=1>\r\n  <CAPTION>t</CAPTION>\r\n\t<TR>\r\n    <TD NOWRAP>a</TD>\r\n  </TR>\r\n</TABLE>", ""},
    };
    for (const LossCase &c : cases) {
        TableModel m;
        const TableReading reading = ReadTable(QString::fromUtf8(c.html), m);
        ASSERT_EQ(reading.outcome, TableReadOutcome::Read) << c.what;
        EXPECT_EQ(reading.losses.join(QStringLiteral("; ")).toStdString(), c.lost) << c.what;
    }
}

// The table command on a page: what is shown, whether OK goes on, what it
// leaves in the page ("%T" stands for the new table) as one undo step.
struct OpenCase
{
    const char *what, *page, *shown;
    bool declineLoss;
    const char *pageAfterOk;
};

TEST(TableReader, OpeningAndOkOnAPage)
{
    const OpenCase cases[] = {
        {"a lower-case table amid text is replaced exactly", "avant <table><tr><td>a</td></tr></table> après", "",
         false, "avant %T après"},
        {"nested tables are refused", "<TABLE><TR><TD><TABLE></TABLE></TD></TR></TABLE>",
         "information:Tessaline ne peut reprendre des tableaux qui sont imbriqués.", false,
         "%T<TABLE><TR><TD><TABLE></TABLE></TD></TR></TABLE>"},
        {"unreadable table stays; the new one goes before it", "x <TABLE><TR><TD ALIGN=left</TABLE> y",
         "error:Attention, le code HTML de ce tableau est invalide. Tessaline ne peut reprendre un code contenant des "
         "erreurs.",
         false, "x %T<TABLE><TR><TD ALIGN=left</TABLE> y"},
        {"a table without its end tag stays", "x <TABLE><TR><TD>a y", "", false, "x %T<TABLE><TR><TD>a y"},
        {"losses: No keeps the dialog open", "<TABLE><TBODY><TR><TD>a</TD></TR></TBODY></TABLE>", "", true, nullptr},
    };
    for (const OpenCase &c : cases) {
        const QString page = QString::fromUtf8(c.page);
        MemoryText text(page);
        UndoHistory undo(text);
        EditorState state;
        FakePrompts prompts;
        if (c.declineLoss)
            prompts.answers.push_back(Prompts::Answer::No);
        const int from = page.startsWith(u'<') ? 0 : 2; // selections start inside the text before
        text.select(from, int(page.size()) - from);
        TableModel model;
        const TableDesignerStart start = OpenTableDesigner(text, state, prompts, model);
        EXPECT_EQ(prompts.shown.join(u'|'), QString::fromUtf8(c.shown)) << c.what;
        EXPECT_EQ(start.refused, !start.editing) << c.what;
        const bool ok = ConfirmTableReplacement(start, prompts);
        EXPECT_EQ(ok, !c.declineLoss) << c.what;
        EXPECT_EQ(prompts.asked.size(), c.declineLoss ? 1 : 0) << c.what;
        if (!ok)
            continue;
        WriteTable(text, undo, state, model, start.editing);
        QString expected = QString::fromUtf8(c.pageAfterOk);
        expected.replace(QStringLiteral("%T"), TableText(model));
        EXPECT_EQ(text.text(), expected) << c.what;
        EXPECT_EQ(undo.count(), 1) << c.what;
        EXPECT_EQ(undo.current()->kind, start.editing ? ukReplace : ukInsert) << c.what;
        EXPECT_EQ(state.LastStartTexts, TablePieces(model)) << c.what;
        undo.Undo();
        EXPECT_EQ(text.text(), page) << c.what;
    }
}

} // namespace
