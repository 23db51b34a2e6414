#include "core/imagemap/mapmodel.h"
#include "core/imagemap/zonedrag.h"

#include <gtest/gtest.h>

namespace {

constexpr auto Rect = MapZone::Kind::Rectangle;
constexpr auto Circle = MapZone::Kind::Circle;

TEST(MapZones, AreaLines)
{
    const MapFields square;
    const MapFields circle{Circle, 66, 66, 30, 60};
    const struct
    {
        MapFields fields;
        AreaLink link;
        const char *a;
        const char *b;
        const char *line;
    } cases[] = {
        {square, AreaLink::External, "", "page.htm", R"x(<AREA SHAPE="RECT" COORDS="0,0,60,60" HREF="page.htm">)x"},
        {square, AreaLink::External, "haut", "p.htm#b",
         R"x(<AREA SHAPE="RECT" COORDS="0,0,60,60" TARGET="haut" HREF="p.htm#b">)x"},
        {circle, AreaLink::None, "", "", R"x(<AREA SHAPE="CIRCLE" COORDS="96,96,30" NOHREF>)x"},
        {MapFields{Rect, 5, 7, 10, 20}, AreaLink::Internal, "#ici", "",
         R"x(<AREA SHAPE="RECT" COORDS="5,7,15,27" HREF="#ici">)x"},
        // A cancelled link dialog leaves no address: no line.
        {square, AreaLink::External, "haut", "", ""},
        {square, AreaLink::Internal, "", "", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(AreaLine(c.fields, c.link, QString::fromUtf8(c.a), QString::fromUtf8(c.b)), QString::fromUtf8(c.line))
            << c.line;
}

TEST(MapZones, EventsReplacedOnEdit)
{
    const QString base = QStringLiteral(R"x(<AREA SHAPE="RECT" COORDS="0,0,60,60" HREF="page.htm")x");
    const struct
    {
        QString line;
        const char *over;
        const char *out;
        QString result;
    } cases[] = {
        {base + QStringLiteral(">"), "on()", "off()",
         base + QStringLiteral(R"x(  onMouseOver="on()" onMouseOut="off()">)x")},
        // The editor's own attributes are replaced, not added to.
        {base + QStringLiteral(R"x(  onMouseOver="on()" onMouseOut="off()">)x"), "neuf()", "",
         base + QStringLiteral(R"x(  onMouseOver="neuf()">)x")},
        {base + QStringLiteral(R"x(  onMouseOver="on()" onMouseOut="off()">)x"), "", "", base + QStringLiteral(">")},
        // An author's attribute in the middle of the line: the rest stays.
        {QStringLiteral(R"x(<AREA SHAPE="RECT" onmouseover="a()" COORDS="1,1,2,2" NOHREF>)x"), "", "b()",
         QStringLiteral(R"x(<AREA SHAPE="RECT" COORDS="1,1,2,2" NOHREF  onMouseOut="b()">)x")},
    };
    for (const auto &c : cases)
        EXPECT_EQ(AreaLineWithEvents(c.line, QString::fromUtf8(c.over), QString::fromUtf8(c.out)), c.result)
            << c.line.toStdString();

    const AreaEvents prefill = AreaLineEvents(base + QStringLiteral(R"x( onMouseOver="montre('un lien')">)x"));
    EXPECT_EQ(prefill.over, QStringLiteral("montre('un lien')"));
    EXPECT_EQ(prefill.out, QString());
}

TEST(MapZones, FortyFirstZoneIsTheLast)
{
    MapModel model;
    model.appendArea({QStringLiteral(R"x(<AREA SHAPE="POLY" COORDS="1,1,2,2,1,2">)x"), std::nullopt});
    for (int i = 0; i < MapModel::MaxZones; ++i)
        ASSERT_EQ(model.addZone(AreaLink::None), MapModel::AddResult::Added) << i;
    EXPECT_EQ(model.zoneCount(), 41);
    EXPECT_EQ(model.fields.x, 41 * 6);
    EXPECT_EQ(model.addZone(AreaLink::None), MapModel::AddResult::TooMany);
    EXPECT_EQ(model.areas().size(), 42);

    // Deleting a line takes its own zone with it; the undrawn line keeps its place.
    const MapArea third = model.areas().at(3);
    ASSERT_TRUE(model.removeArea(2));
    EXPECT_EQ(model.areas().at(2), third);
    EXPECT_FALSE(model.areas().at(0).zone.has_value());
    EXPECT_FALSE(model.removeArea(41));
    EXPECT_EQ(model.addZone(AreaLink::External, QStringLiteral("t"), QString()), MapModel::AddResult::NoLink);
    EXPECT_EQ(model.addZone(AreaLink::None), MapModel::AddResult::Added);
}

TEST(MapZones, DragSteps)
{
    const MapZone box{Rect, 10, 10, 60, 40};
    const struct
    {
        QPoint press;
        QPoint to;
        DragMode mode;
        MapZone result;
    } cases[] = {
        {{40, 30}, {45, 20}, DragMode::Move, {Rect, 15, 0, 60, 40}},
        {{40, 30}, {-50, -50}, DragMode::Move, {Rect, -80, -70, 60, 40}},
        // The left edge stops at the picture's side; the top edge too.
        {{10, 30}, {-20, 30}, DragMode::Left, {Rect, 0, 10, 70, 40}},
        {{10, 10}, {4, 2}, DragMode::TopLeft, {Rect, 4, 2, 66, 48}},
        {{69, 49}, {100, 90}, DragMode::BottomRight, {Rect, 10, 10, 90, 80}},
        {{69, 10}, {80, 0}, DragMode::TopRight, {Rect, 10, 0, 70, 50}},
        {{10, 49}, {0, 60}, DragMode::BottomLeft, {Rect, 0, 10, 70, 50}},
        {{40, 49}, {40, 30}, DragMode::Bottom, {Rect, 10, 10, 60, 20}},
        // Never inside out.
        {{69, 30}, {0, 30}, DragMode::Right, {Rect, 10, 10, 1, 40}},
        {{10, 30}, {200, 30}, DragMode::Left, {Rect, 69, 10, 1, 40}},
    };
    for (const auto &c : cases) {
        const MapZone z = box;
        ASSERT_EQ(DragModeAt(z, c.press), c.mode) << c.press.x() << "," << c.press.y();
        const QPoint grab = c.press - QPoint(z.left, z.top);
        EXPECT_EQ(DragStep(z, c.mode, grab, c.to), c.result) << int(c.mode);
    }
    // A circle stays round and even.
    const MapZone circle{Circle, 10, 10, 60, 60};
    EXPECT_EQ(DragStep(circle, DragMode::Right, {}, {81, 30}), (MapZone{Circle, 10, 10, 70, 70}));
    EXPECT_EQ(DragStep(circle, DragMode::Bottom, {}, {30, 50}), (MapZone{Circle, 10, 10, 40, 40}));
}

TEST(MapZones, ReleasePullsTheZoneBackInside)
{
    const QSize picture(200, 100);
    const struct
    {
        MapZone zone;
        QPoint visible;
        QPoint where;
    } cases[] = {
        {{Rect, -30, -5, 60, 60}, {0, 0}, {0, 0}},    {{Rect, -30, 20, 60, 60}, {50, 0}, {50, 20}},
        {{Rect, 180, 90, 60, 60}, {0, 0}, {140, 40}}, {{Rect, 10, 10, 300, 60}, {0, 0}, {0, 10}},
        {{Rect, 10, 10, 60, 60}, {0, 0}, {10, 10}},
    };
    for (const auto &c : cases) {
        const MapZone z = ClampZone(c.zone, picture, c.visible);
        EXPECT_EQ(QPoint(z.left, z.top), c.where) << c.zone.left << "," << c.zone.top;
    }
}

} // namespace
