#include "core/frameset/framesetwriter.h"
#include "framesetlayouts.h"
#include "support/headlessbrowser.h"

#include <QRect>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

constexpr int Width = 600;
constexpr int Height = 420;

QString escapedAttribute(QString s)
{
    return s.replace(u'&', QLatin1String("&amp;")).replace(u'"', QLatin1String("&quot;"));
}

// Loads written framesets in headless Chromium, each in an inline frame of a
// fixed size, and checks that every frame gets the rectangle its slots give
// it, within a pixel per slot (the percentages are whole numbers).
TEST(FramesetInBrowser, FramesHaveTheirLayoutRectangles)
{
    if (!HeadlessBrowser::available())
        GTEST_SKIP() << HeadlessBrowser::missingReason().toStdString();

    std::vector<FramesetLayout> layouts = {
        FramesetLayouts::drawn({"AB", "CD"}),
        FramesetLayouts::drawn({"AB", "AC"}),
        FramesetLayouts::drawn({"ABC", "ADD", "EEF"}),
        FramesetLayouts::drawn({"XYZ", "XYW"}),
    };
    std::mt19937 rng(1996);
    while (layouts.size() < 12) {
        FramesetLayout l = FramesetLayouts::random(rng);
        if (l.owners().size() > 1 && FramesetLines(l, {}, false).ok())
            layouts.push_back(l);
    }

    FramesetAttributes attributes;
    attributes.NoFramesOption = false;
    attributes.FrameSpacing = 0;
    attributes.FramesetBorder = 0;
    attributes.FramesetFrameBorder = false;
    QString page = QStringLiteral("<!DOCTYPE html><html><body style=\"margin:0\">");
    for (std::size_t i = 0; i < layouts.size(); ++i) {
        for (const SlotPos &p : layouts[i].owners())
            layouts[i].frame(p.column, p.row).Src = QStringLiteral("about:blank");
        const QString frameset = FramesetLines(layouts[i], attributes, false).joined();
        page +=
            QStringLiteral(
                "<iframe style=\"border:0;display:block\" width=\"%1\" height=\"%2\" srcdoc=\"%3\"></iframe>")
                .arg(Width)
                .arg(Height)
                .arg(escapedAttribute(QStringLiteral("<html><head></head>") + frameset + QStringLiteral("</html>")));
    }
    page += QStringLiteral("<pre id=\"out\"></pre><script>window.addEventListener('load', function () {"
                           " var out = '\\n'; var frames = document.querySelectorAll('iframe');"
                           " for (var i = 0; i < frames.length; ++i) {"
                           "  var list = frames[i].contentDocument.querySelectorAll('frame');"
                           "  for (var j = 0; j < list.length; ++j) { var r = list[j].getBoundingClientRect();"
                           "   out += i + ' ' + list[j].name + ' ' + Math.round(r.left) + ' ' + Math.round(r.top) + ' '"
                           "       + Math.round(r.width) + ' ' + Math.round(r.height) + '\\n'; } }"
                           " document.getElementById('out').textContent = out; });</script></body></html>");

    const QString dom = HeadlessBrowser::dumpDomOfMarkup(page);
    ASSERT_FALSE(dom.isEmpty()) << "the browser gave no page";
    const QRegularExpression line(QStringLiteral("^(\\d+) (\\S+) (-?\\d+) (-?\\d+) (\\d+) (\\d+)$"),
                                  QRegularExpression::MultilineOption);
    std::map<std::pair<int, QString>, QRect> seen;
    for (auto it = line.globalMatch(dom); it.hasNext();) {
        const auto m = it.next();
        seen[{m.captured(1).toInt(), m.captured(2)}] =
            QRect(m.captured(3).toInt(), m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt());
    }
    for (std::size_t i = 0; i < layouts.size(); ++i) {
        const FramesetLayout &l = layouts[i];
        const int slotsX = l.columnCount();
        const int slotsY = l.rowCount();
        for (const SlotPos &p : l.owners()) {
            const QString name = l.frame(p.column, p.row).Name;
            const auto found = seen.find({int(i), name});
            ASSERT_NE(found, seen.end()) << "layout " << i << " frame " << name.toStdString();
            const QRect r = found->second;
            const int x0 = Width * p.column / slotsX;
            const int x1 = Width * (p.column + l.grid().colSpan(p.column, p.row)) / slotsX;
            const int y0 = Height * p.row / slotsY;
            const int y1 = Height * (p.row + l.grid().rowSpan(p.column, p.row)) / slotsY;
            const std::string where = "layout " + std::to_string(i) + " frame " + name.toStdString();
            EXPECT_NEAR(r.left(), x0, slotsX + 1) << where;
            EXPECT_NEAR(r.left() + r.width(), x1, slotsX + 1) << where;
            EXPECT_NEAR(r.top(), y0, slotsY + 1) << where;
            EXPECT_NEAR(r.top() + r.height(), y1, slotsY + 1) << where;
        }
    }
}

} // namespace
