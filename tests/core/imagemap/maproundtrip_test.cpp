#include "core/imagemap/mapreader.h"
#include "core/imagemap/mapwriter.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {

// Random maps as the editor builds them: zones of both kinds with every
// kind of link and events, now and then a line it cannot draw, an IMG tag
// with attributes of its own.
TEST(MapRoundTrip, WrittenMapsReadBackAndWriteTheSameText)
{
    QRandomGenerator random(2026);
    const QString links[] = {QStringLiteral("page.htm"), QStringLiteral("#ancre"), QStringLiteral("a b.htm#c")};
    for (int round = 0; round < 300; ++round) {
        MapModel model;
        model.name = QStringLiteral("carte%1").arg(round);
        model.imageTag = QStringLiteral("<IMG SRC=\"images/p%1.gif\" WIDTH=%2 ALT=\"une image\">")
                             .arg(round)
                             .arg(random.bounded(1, 999));
        const int count = int(random.bounded(0, 12));
        for (int i = 0; i < count; ++i) {
            if (random.bounded(6) == 0) {
                model.appendArea(
                    {QStringLiteral("<AREA SHAPE=\"POLY\" COORDS=\"%1,2,3,4,5,6\" NOHREF>").arg(i), std::nullopt});
                continue;
            }
            model.fields.kind = random.bounded(2) ? MapZone::Kind::Circle : MapZone::Kind::Rectangle;
            model.fields.x = int(random.bounded(0, 5000));
            model.fields.y = int(random.bounded(0, 5000));
            model.fields.size = int(random.bounded(1, 2000));
            model.fields.height = int(random.bounded(1, 2000));
            const AreaLink link = AreaLink(random.bounded(3));
            const QString &address = links[random.bounded(3)];
            ASSERT_EQ(model.addZone(link, link == AreaLink::Internal ? address : QStringLiteral("cible"), address),
                      MapModel::AddResult::Added);
            if (random.bounded(3) == 0) {
                const int last = int(model.areas().size()) - 1;
                model.setLine(last, AreaLineWithEvents(model.areas().at(last).line, QStringLiteral("on('x y')"),
                                                       random.bounded(2) ? QStringLiteral("off()") : QString()));
            }
        }
        const QString written = MapText(model.name, model.lines(), model.imageTag);
        EXPECT_EQ(written.count(QStringLiteral("USEMAP=")), 1);

        const MapReading reading = ReadSelectedMap(written);
        EXPECT_EQ(reading.name, model.name);
        EXPECT_EQ(reading.imageTag, model.imageTag);
        EXPECT_EQ(reading.pictureFile, QStringLiteral("images/p%1.gif").arg(round));
        EXPECT_EQ(reading.areas, model.areas()) << written.toStdString();
        MapModel reopened;
        LoadMap(reopened, reading);
        EXPECT_EQ(MapText(reopened.name, reopened.lines(), reopened.imageTag), written);
    }
}

} // namespace
