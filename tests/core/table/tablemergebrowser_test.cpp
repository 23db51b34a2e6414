#include "core/table/tablegenerator.h"
#include "core/table/tablemodel.h"
#include "core/table/tableselection.h"
#include "support/fakeprompts.h"
#include "support/headlessbrowser.h"
#include "tabletestmodels.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

using namespace TableTestModels;

// Rows as "cells,..." with each cell's kind and spans; rows joined by ';'.
QString shape(const TableModel &m)
{
    QStringList rows;
    for (int r = 0; r < m.RowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < m.ColCount(); ++c)
            if (m.grid().isOwner(c, r))
                cells << QStringLiteral("%1x%2").arg(m.grid().colSpan(c, r)).arg(m.grid().rowSpan(c, r));
        rows << cells.join(u',');
    }
    return rows.join(u';');
}

// Tables edited by random selections, merges and splits: the browser
// builds the rows, cells and spans the model holds.
TEST(TableMergeBrowser, MergedAndSplitTablesLoadAsTheModelSays)
{
    if (!HeadlessBrowser::available())
        GTEST_SKIP() << HeadlessBrowser::missingReason().toStdString();
    std::mt19937 rng(1818);
    FakePrompts prompts;
    QStringList expected;
    QString html = QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\"></head><body>\r\n");
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
        expected << shape(m);
        html += TableText(m);
    }
    html += QStringLiteral("<pre id=\"shapes\"></pre><script>\n"
                           "var out = [];\n"
                           "for (const t of document.querySelectorAll('body > table')) {\n"
                           "  var rows = [];\n"
                           "  for (const r of t.rows) rows.push(Array.from(r.cells, c => c.colSpan + 'x' + "
                           "c.rowSpan).join(','));\n"
                           "  out.push(rows.join(';'));\n"
                           "}\n"
                           "document.getElementById('shapes').textContent = out.join('|');\n"
                           "</script></body></html>\r\n");
    const QString dom = HeadlessBrowser::dumpDomOfMarkup(html, 60000);
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("<pre id=\"shapes\">([^<]*)</pre>")).match(dom);
    ASSERT_TRUE(match.hasMatch()) << "no shapes in the dumped page";
    const QStringList shapes = match.captured(1).split(u'|');
    ASSERT_EQ(shapes.size(), expected.size());
    for (qsizetype t = 0; t < shapes.size(); ++t)
        EXPECT_EQ(shapes[t], expected[t]) << "table " << t;
}

} // namespace
