#include "core/table/tablegenerator.h"
#include "core/table/tablemodel.h"
#include "core/table/tablereader.h"
#include "core/table/tableselection.h"
#include "support/fakeprompts.h"
#include "support/headlessbrowser.h"
#include "tabletestmodels.h"

#include <QRegularExpression>

#include <vector>

#include <gtest/gtest.h>

namespace {

using namespace TableTestModels;

// Reading the designer's own table and writing it again gives the same
// bytes and the same table, and loses nothing.
TEST(TableRoundTrip, OwnTablesReadBackExactly)
{
    std::mt19937 rng(20261206);
    for (int run = 0; run < 400; ++run) {
        const TableModel original = run % 10 == 0 ? randomModel(rng) : randomModel(rng, 10, 8);
        ASSERT_EQ(original.invariantBreach(), QString());
        const QString written = TableText(original);
        TableModel read;
        const TableReading reading = ReadTable(written, read);
        ASSERT_EQ(reading.outcome, TableReadOutcome::Read) << written.toStdString();
        EXPECT_EQ(reading.losses, QStringList()) << written.toStdString();
        ASSERT_EQ(TableText(read), written) << "run " << run;
        ASSERT_EQ(describe(read), describe(original)) << "run " << run;
    }
}

// What a browser builds from generated tables: rows, their cells and the
// spans, against the model. Many tables share one page; a script writes
// each table's shape into the page before it is dumped.
QString modelShape(const TableModel &m)
{
    QStringList rows;
    for (int r = 0; r < m.RowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < m.ColCount(); ++c) {
            if (m.grid().isOwner(c, r))
                cells << QStringLiteral("%1%2x%3")
                             .arg(m.cell(c, r).Kind == 1 ? "H" : "D")
                             .arg(m.grid().colSpan(c, r))
                             .arg(m.grid().rowSpan(c, r));
        }
        rows << cells.join(u',');
    }
    return (m.attrs.CaptionText.isEmpty() ? QString() : QStringLiteral("C:")) + rows.join(u';');
}

void expectBrowserBuilds(const std::vector<TableModel> &models)
{
    QString html = QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\"></head><body>\r\n");
    for (const TableModel &m : models)
        html += TableText(m);
    html +=
        QStringLiteral("<pre id=\"shapes\"></pre><script>\n"
                       "var out = [];\n"
                       "for (const t of document.querySelectorAll('body > table')) {\n"
                       "  var rows = [];\n"
                       "  for (const r of t.rows) rows.push(Array.from(r.cells, c => (c.tagName == 'TH' ? 'H' : 'D')"
                       " + c.colSpan + 'x' + c.rowSpan).join(','));\n"
                       "  out.push((t.caption ? 'C:' : '') + rows.join(';'));\n"
                       "}\n"
                       "document.getElementById('shapes').textContent = out.join('|');\n"
                       "</script></body></html>\r\n");
    const QString dom = HeadlessBrowser::dumpDomOfMarkup(html, 60000);
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("<pre id=\"shapes\">([^<]*)</pre>")).match(dom);
    ASSERT_TRUE(match.hasMatch()) << "no shapes in the dumped page";
    const QStringList shapes = match.captured(1).split(u'|');
    ASSERT_EQ(shapes.size(), qsizetype(models.size()));
    for (qsizetype t = 0; t < shapes.size(); ++t)
        EXPECT_EQ(shapes[t], modelShape(models[std::size_t(t)])) << "table " << t;
}

TEST(TableRoundTrip, BrowserBuildsTheModelsTables)
{
    if (!HeadlessBrowser::available())
        GTEST_SKIP() << HeadlessBrowser::missingReason().toStdString();
    std::mt19937 rng(77);
    for (int page = 0; page < 4; ++page) {
        std::vector<TableModel> models;
        for (int t = 0; t < 75; ++t)
            models.push_back(randomModel(rng, 10, 12));
        expectBrowserBuilds(models);
    }
}

// Tables edited by random selections, merges and splits.
TEST(TableRoundTrip, BrowserBuildsMergedAndSplitTables)
{
    if (!HeadlessBrowser::available())
        GTEST_SKIP() << HeadlessBrowser::missingReason().toStdString();
    std::mt19937 rng(1818);
    FakePrompts prompts;
    std::vector<TableModel> models;
    for (int t = 0; t < 120; ++t) {
        TableModel m = randomModel(rng, 8, 8);
        for (int step = pick(rng, 1, 12); step > 0; --step) {
            const int what = pick(rng, 0, 3);
            if (what <= 1) {
                SelectCellule(m, pick(rng, 0, m.ColCount() - 1), pick(rng, 0, m.RowCount() - 1));
            } else if (what == 2) {
                prompts.answers.push_back(Prompts::Answer::Yes);
                MergeSelection(m, prompts);
            } else {
                SplitSelection(m);
            }
        }
        ASSERT_EQ(m.invariantBreach(), QString());
        models.push_back(m);
    }
    expectBrowserBuilds(models);
}

} // namespace
