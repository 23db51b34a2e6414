#include "core/markup/editorstate.h"
#include "core/table/tablegenerator.h"
#include "core/table/tablemodel.h"
#include "core/table/tableopening.h"
#include "core/text/memorytext.h"
#include "core/text/pagefile.h"
#include "core/undo/undohistory.h"
#include "support/fakeprompts.h"
#include "support/headlessbrowser.h"

#include <QRegularExpression>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

struct Rewrite
{
    QString before, after;
};

// What a browser makes of a table, in a form that ignores what the
// designer writes differently on purpose: letter case of names and
// keywords, attribute order and quoting, values the browser takes by
// default anyway (BORDER=0, CELLPADDING=1, CELLSPACING=2, spans of 1, a
// header cell centred) and the blanks and line breaks around and inside cell contents.
const char *const DescribeTables = R"(
function keyword(name, value) {
  return ['align', 'valign', 'frame', 'rules'].includes(name) ? value.toLowerCase() : value;
}
function isDefault(e, name, value) {
  return (e.tagName == 'TABLE' && ((name == 'border' && value == '0') || (name == 'cellpadding' && value == '1')
          || (name == 'cellspacing' && value == '2'))) || (e.tagName == 'TH' && name == 'align' && value == 'center')
         || ((name == 'colspan' || name == 'rowspan') && value == '1');
}
function attrs(e) {
  return Array.from(e.attributes).map(a => [a.name, keyword(a.name, a.value)])
    .filter(a => !isDefault(e, a[0], a[1])).map(a => a[0] + '=' + a[1]).sort().join(' ');
}
function inner(e) { return e.innerHTML.replace(/\s+/g, ' ').trim(); }
function describe(t) {
  var out = ['TABLE ' + attrs(t)];
  if (t.caption) out.push('CAPTION ' + attrs(t.caption) + ' ' + inner(t.caption));
  for (const r of t.rows) {
    out.push('TR ' + attrs(r));
    for (const c of r.cells) out.push(c.tagName + ' ' + attrs(c) + ' ' + inner(c));
  }
  return out.join('\n');
}
var out = [];
for (var i = 0; document.getElementById('a' + i); ++i)
  out.push(encodeURIComponent(describe(document.querySelector('#a' + i + ' > table'))) + ' '
           + encodeURIComponent(describe(document.querySelector('#b' + i + ' > table'))));
document.getElementById('shapes').textContent = out.join(' ');
)";

void expectBrowserSeesTheSame(const QString &page, const std::vector<Rewrite> &rewrites)
{
    QString html = QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\"></head><body>\r\n");
    for (std::size_t i = 0; i < rewrites.size(); ++i) {
        html += QStringLiteral("<div id=\"a%1\">%2</div>\r\n<div id=\"b%1\">%3</div>\r\n")
                    .arg(i)
                    .arg(rewrites[i].before, rewrites[i].after);
    }
    html += QStringLiteral("<pre id=\"shapes\"></pre><script>") + QString::fromLatin1(DescribeTables)
            + QStringLiteral("</script></body></html>\r\n");
    const QString dom = HeadlessBrowser::dumpDomOfMarkup(html, 60000);
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("<pre id=\"shapes\">([^<]*)</pre>")).match(dom);
    ASSERT_TRUE(match.hasMatch()) << "no shapes in the dumped page";
    const QStringList shapes = match.captured(1).split(u' ', Qt::SkipEmptyParts);
    ASSERT_EQ(shapes.size(), qsizetype(rewrites.size() * 2)) << page.toStdString();
    for (qsizetype i = 0; i + 1 < shapes.size(); i += 2) {
        EXPECT_EQ(QUrl::fromPercentEncoding(shapes[i + 1].toUtf8()).toStdString(),
                  QUrl::fromPercentEncoding(shapes[i].toUtf8()).toStdString())
            << page.toStdString() << ", table " << i / 2;
    }
}

// The table command and OK without a change on every table of real pages
// and of our hand-made variants: the designer either warns first (a table
// it cannot take up, or the question listing what it would lose) or keeps
// what a browser sees, and the page around the table stays as it was.
TEST(TableRealPages, OkWithoutChangeKeepsWhatTheBrowserSees)
{
    const struct
    {
        const char *file;
        int rewritten, warned;
    } cases[] = {
        {"tables/libffi-index.html", 2, 1},     // 59: an index of more than 40 rows
        {"tables/libxslt-book1.html", 5, 7},    // 18: tables in tables
        {"tables/fontconfig-user.html", 0, 10}, // "</TABLE\n>": the selection finds no end tag
        {"tables/xtrans.html", 0, 5},           // column groups, row groups and classes
        {"tables/variants.html", 4, 2},         // a short row, row groups
        {"libxslt-faq.html", 5, 7},             // 18: tables in tables
        {"libxslt-tutorial.html", 1, 0},
        {"nodejs-string_decoder.html", 0, 1}, // a row group
        {"time-manual.html", 2, 1},           // short rows
        {"valgrind-faq.html", 7, 1},          // widths in "px"
    };
    const bool browser = HeadlessBrowser::available();
    for (const auto &c : cases) {
        const QString file = QString::fromLatin1(c.file);
        const std::optional<LoadedPage> loaded =
            loadPage(QStringLiteral(TESSALINE_SOURCE_DIR "/tests/data/realpages/") + file);
        ASSERT_TRUE(loaded) << c.file;
        const QString page = loaded->text;
        std::vector<Rewrite> rewrites;
        int warned = 0;
        static const QRegularExpression tableTag(QStringLiteral("<table\\b"),
                                                 QRegularExpression::CaseInsensitiveOption);
        for (auto it = tableTag.globalMatch(page); it.hasNext();) {
            const qsizetype at = it.next().capturedStart();
            MemoryText text(page);
            UndoHistory undo(text);
            EditorState state;
            FakePrompts prompts;
            text.select(int(at), int(page.size() - at));
            TableModel model;
            const TableDesignerStart start = OpenTableDesigner(text, state, prompts, model);
            if (start.refused || !start.reading.losses.isEmpty()) {
                ++warned;
                continue;
            }
            ASSERT_TRUE(start.editing) << c.file;
            const QString before = text.selectedText();
            const qsizetype end = at + before.size();
            WriteTable(text, undo, state, model, true);
            const QString after = TableText(model);
            EXPECT_EQ(text.text(), page.left(at) + after + page.mid(end)) << c.file;
            rewrites.push_back({before, after});
        }
        EXPECT_EQ(int(rewrites.size()), c.rewritten) << c.file;
        EXPECT_EQ(warned, c.warned) << c.file;
        if (browser && !rewrites.empty())
            expectBrowserSeesTheSame(file, rewrites);
    }
    if (!browser)
        GTEST_SKIP() << HeadlessBrowser::missingReason().toStdString();
}

} // namespace
