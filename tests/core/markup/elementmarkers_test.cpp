#include "core/markup/elementmarkers.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(ElementMarkers, EachDialogCommandIsListedOnce)
{
    std::set<QString> listed;
    for (const ElementMarkers &m : DialogCommandMarkers())
        EXPECT_TRUE(listed.insert(m.command).second) << "twice: " << m.command.toStdString();
}

TEST(ElementMarkers, ElementsWithContentEndWithTheirClosingTag)
{
    // The single tags and the map are covered by the element edit mode tests.
    for (const QString name : {"OL", "UL", "DL", "MENU", "DIR", "APPLET", "TABLE"}) {
        int commands = 0;
        for (const ElementMarkers &m : DialogCommandMarkers()) {
            if (m.startMarker != "<" + name)
                continue;
            ++commands;
            EXPECT_EQ(m.endMarker, "</" + name + ">");
            EXPECT_TRUE(m.wholeElement);
            EXPECT_EQ(m.refuseNested, name == "TABLE");
        }
        EXPECT_EQ(commands, name == "TABLE" ? 2 : 1) << name.toStdString();
    }
    EXPECT_FALSE(MarkersForCommand("NoSuchBtn").editsElements());
}

} // namespace
