#include "core/imagemap/mapreader.h"
#include "core/imagemap/mapwriter.h"
#include "core/markup/editorstate.h"
#include "core/text/memorytext.h"
#include "core/undo/undohistory.h"

#include <gtest/gtest.h>

namespace {

std::optional<MapZone> zone(MapZone::Kind kind, int left, int top, int width, int height)
{
    return MapZone{kind, left, top, width, height};
}
constexpr auto Rect = MapZone::Kind::Rectangle;
constexpr auto Circle = MapZone::Kind::Circle;

TEST(MapReading, ZoneOfEachAreaLine)
{
    const struct
    {
        const char *line;
        std::optional<MapZone> zone;
    } cases[] = {
        {R"x(<AREA SHAPE="RECT" COORDS="0,0,60,60" HREF="page.htm">)x", zone(Rect, 0, 0, 60, 60)},
        {R"x(<AREA SHAPE="CIRCLE" COORDS="96,96,30" NOHREF>)x", zone(Circle, 66, 66, 60, 60)},
        // Blanks after the commas are ignored.
        {R"x(<AREA SHAPE="RECT" COORDS="10, 20, 70, 90" NOHREF>)x", zone(Rect, 10, 20, 60, 70)},
        {R"x(<AREA SHAPE=RECT COORDS=5,6,7,8 NOHREF>)x", zone(Rect, 5, 6, 2, 2)},
        // Shapes the editor does not draw: kept as lines only.
        {R"x(<AREA SHAPE="rect" COORDS="0,0,60,60" NOHREF>)x", std::nullopt},
        {R"x(<AREA SHAPE="POLY" COORDS="0,0,60,60,0,60" NOHREF>)x", std::nullopt},
        {R"x(<AREA SHAPE="RECT" COORDS="0,0,60" NOHREF>)x", std::nullopt},
        {R"x(<AREA SHAPE="RECT" COORDS="60,60,0,0" NOHREF>)x", std::nullopt},
        {R"x(<AREA SHAPE="CIRCLE" COORDS="9,9,99999999999" NOHREF>)x", std::nullopt},
        {R"x(<AREA NOHREF>)x", std::nullopt},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ZoneOfAreaLine(QString::fromUtf8(c.line)), c.zone) << c.line;
}

TEST(MapReading, SelectedMaps)
{
    const QString rect = QStringLiteral(R"x(<AREA SHAPE="RECT" COORDS="0,0,60,60" HREF="page.htm">)x");
    const QString poly = QStringLiteral(R"x(<area shape="poly" coords="1,1,9,9,1,9" href="p.htm">)x");
    const struct
    {
        QString selected;
        MapReading reading;
    } cases[] = {
        {QStringLiteral("<MAP NAME=\"plan\">\r\n  ") + rect + QStringLiteral("\r\n  ") + poly
             + QStringLiteral("\r\n</MAP>\r\n<IMG SRC=\"plan.gif\" WIDTH=200 USEMAP=\"#plan\">"),
         {QStringLiteral("plan"),
          QStringLiteral("<IMG SRC=\"plan.gif\" WIDTH=200>"),
          QStringLiteral("plan.gif"),
          {{rect, zone(Rect, 0, 0, 60, 60)}, {poly, std::nullopt}}}},
        // Lower-case tags are read as upper-case ones; LOWSRC is the picture.
        {QStringLiteral("<map name=carte>") + rect
             + QStringLiteral("</map><img lowsrc=\"petit image.gif\" src=\"c.jpg\" usemap=#carte alt=x>"),
         {QStringLiteral("carte"),
          QStringLiteral("<img lowsrc=\"petit image.gif\" src=\"c.jpg\" alt=x>"),
          QStringLiteral("petit image.gif"),
          {{rect, zone(Rect, 0, 0, 60, 60)}}}},
        // A selection without a map reads nothing, whatever NAME it holds.
        {QStringLiteral("<A NAME=\"haut\">texte</A>"), {}},
        // The picture before its map, as most pages write it; a ">" in a value.
        {QStringLiteral("<img src='p.gif' alt=\"a > b\" usemap=\"#m\"> texte <map name=m>") + rect
             + QStringLiteral("</map>"),
         {QStringLiteral("m"),
          QStringLiteral("<img src='p.gif' alt=\"a > b\">"),
          QStringLiteral("p.gif"),
          {{rect, zone(Rect, 0, 0, 60, 60)}}}},
        {QStringLiteral("<MAP>") + rect + QStringLiteral("</MAP><IMG SRC=a.gif>"), {}},
        // No end of map: the picture, no lines.
        {QStringLiteral("<MAP NAME=m>") + rect + QStringLiteral("<IMG SRC=\"a.gif\">"),
         {QStringLiteral("m"), QStringLiteral("<IMG SRC=\"a.gif\">"), QStringLiteral("a.gif"), {}}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ReadSelectedMap(c.selected), c.reading) << c.selected.toStdString();
}

TEST(MapReading, OpeningNarrowsTheSelection)
{
    const QString map = QStringLiteral("<MAP NAME=\"m\">\r\n</MAP>\r\n<img src=\"a.gif\">");
    const struct
    {
        QString page;
        int start, length;
        int wantStart, wantLength;
        QString wantSelected;
    } cases[] = {
        {QStringLiteral("avant ") + map + QStringLiteral(" après"), 0, 6 + int(map.size()) + 3, 6, int(map.size()),
         map},
        // Nothing readable: the selection collapses and its text stays.
        {QStringLiteral("avant <MAP NAME=m> rien"), 2, 20, 2, 0, QString()},
        {QStringLiteral("<P>texte</P>"), 3, 5, 3, 0, QString()},
        // The picture before its map: from the IMG through "</MAP>".
        {QStringLiteral("a <IMG SRC=p.gif USEMAP=#m> b <MAP NAME=m></MAP> c"), 0, 50, 2, 46,
         QStringLiteral("<IMG SRC=p.gif USEMAP=#m> b <MAP NAME=m></MAP>")},
        {QStringLiteral("<P>texte</P>"), 3, 0, 3, 0, QString()},
    };
    for (const auto &c : cases) {
        MemoryText text(c.page);
        text.select(c.start, c.length);
        EditorState state;
        state.SelectedElementText = QStringLiteral("ancien");
        NarrowSelectionToMap(text, state);
        EXPECT_EQ(text.selectionStart(), c.wantStart) << c.page.toStdString();
        EXPECT_EQ(text.selectionLength(), c.wantLength) << c.page.toStdString();
        EXPECT_EQ(state.SelectedElementText, c.wantSelected) << c.page.toStdString();
    }
}

TEST(MapReading, ReEditedMapsKeepWhatTheAuthorDidNotChange)
{
    const QString area = QStringLiteral("<area shape=rect coords=\"0,0,9,9\" href=a.htm>");
    const QString imageFirst = QStringLiteral("<img src=p.gif class=c usemap=\"#m\">\r\n<map name=m id=m>\r\n") + area
                               + QStringLiteral("\r\n</map>");
    const QString mapFirst = QStringLiteral("<MAP NAME=\"m\">") + area + QStringLiteral("</MAP>\r\n<IMG SRC=p.gif>");
    const struct
    {
        QString selected;
        const char *name;
        bool dropArea;
        QString written;
    } cases[] = {
        {imageFirst, "m", false, imageFirst},
        {mapFirst, "m", false, mapFirst},
        {imageFirst, "plan", true,
         QStringLiteral("<img src=p.gif class=c USEMAP=\"#plan\">\r\n<map NAME=\"plan\" id=m>\r\n</map>")},
    };
    for (const auto &c : cases) {
        const MapReading reading = ReadSelectedMap(c.selected);
        QStringList lines;
        if (!c.dropArea)
            lines << reading.areas.first().line;
        EXPECT_EQ(MapPiecesToWrite(reading, QString::fromLatin1(c.name), lines, reading.imageTag).join(QString()),
                  c.written)
            << c.selected.toStdString();
    }
}

TEST(MapReading, WrittenMapReplacesTheSelectionInOneStep)
{
    const QString old = QStringLiteral("<MAP NAME=\"plan\">\r\n</MAP>\r\n<IMG SRC=\"plan.gif\" USEMAP=\"#plan\">");
    MemoryText text(QStringLiteral("<P>") + old + QStringLiteral("</P>"));
    UndoHistory undo(text);
    EditorState state;
    text.select(0, text.length());
    NarrowSelectionToMap(text, state);
    const MapReading reading = ReadSelectedMap(state.SelectedElementText);
    const QStringList lines{QStringLiteral(R"x(<AREA SHAPE="CIRCLE" COORDS="96,96,30" NOHREF>)x")};
    WriteMap(text, undo, state, MapPieces(reading.name, lines, reading.imageTag));
    EXPECT_EQ(text.text(), QStringLiteral("<P><MAP NAME=\"plan\">\r\n  <AREA SHAPE=\"CIRCLE\" COORDS=\"96,96,30\" "
                                          "NOHREF>\r\n</MAP>\r\n<IMG SRC=\"plan.gif\" USEMAP=\"#plan\"></P>"));
    ASSERT_TRUE(undo.CanUndo());
    undo.Undo();
    EXPECT_EQ(text.text(), QStringLiteral("<P>") + old + QStringLiteral("</P>"));
}

} // namespace
