#include "core/markup/elementmarkers.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(ElementMarkers, TableHoldsEveryDialogCommandOnce)
{
    const QStringList commands =
        QStringLiteral(
            "FontBtn BaseFontBtn ImgBtn ImageBtn MapBtn HrBtn LienExtBtn LienIntBtn carsetBtn TagBtn BodyBtn JavaBtn "
            "TableBtn FrameBtn OlBtn ULbtn DlBtn MenuBtn DirBtn FormBtn CheckBoxBtn RadioBoxBtn ListBoxBtn ComboBoxBtn "
            "EditBtn pwdBtn TextAreaBtn ButtonBtn SubmitBtn ResetBtn HiddenBtn TitreBtn BaseBtn MetaBtn LinkBtn "
            "IsIndexBtn MarqueeBtn BgSoundBtn EmbedBtn IFrameBtn Table3dBtn ScriptBtn BanScrBtn HeureScrBtn URLScrBtn "
            "CouleurScrBtn ImagesScrBtn LienScrBtn")
            .split(u' ');
    std::set<QString> listed;
    for (const ElementMarkers &m : DialogCommandMarkers())
        EXPECT_TRUE(listed.insert(m.command).second) << "twice: " << m.command.toStdString();
    EXPECT_EQ(listed, std::set<QString>(commands.begin(), commands.end()));
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
