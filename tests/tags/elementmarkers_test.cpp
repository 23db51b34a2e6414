#include "tags/elementmarkers.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// Every command of the toolbar that opens an element dialog.
const char *const dialogCommands[] = {
    "FontBtn",     "BaseFontBtn", "ImgBtn",      "ImageBtn",      "MapBtn",       "HrBtn",       "LienExtBtn",
    "LienIntBtn",  "carsetBtn",   "TagBtn",      "BodyBtn",       "JavaBtn",      "TableBtn",    "FrameBtn",
    "OlBtn",       "ULbtn",       "DlBtn",       "MenuBtn",       "DirBtn",       "FormBtn",     "CheckBoxBtn",
    "RadioBoxBtn", "ListBoxBtn",  "ComboBoxBtn", "EditBtn",       "pwdBtn",       "TextAreaBtn", "ButtonBtn",
    "SubmitBtn",   "ResetBtn",    "HiddenBtn",   "TitreBtn",      "BaseBtn",      "MetaBtn",     "LinkBtn",
    "IsIndexBtn",  "MarqueeBtn",  "BgSoundBtn",  "EmbedBtn",      "IFrameBtn",    "Table3dBtn",  "ScriptBtn",
    "BanScrBtn",   "HeureScrBtn", "URLScrBtn",   "CouleurScrBtn", "ImagesScrBtn", "LienScrBtn",
};

TEST(ElementMarkers, TableHoldsEveryDialogCommandOnce)
{
    std::set<QString> listed;
    for (const ElementMarkers &m : DialogCommandMarkers())
        EXPECT_TRUE(listed.insert(m.command).second) << "twice: " << m.command.toStdString();
    for (const char *command : dialogCommands)
        EXPECT_EQ(listed.count(QString::fromLatin1(command)), 1u) << "missing: " << command;
    EXPECT_EQ(listed.size(), std::size(dialogCommands));
}

TEST(ElementMarkers, MarkersOfTheEditingCommands)
{
    const struct
    {
        const char *command;
        QString start;
        QString end;
        bool whole;
    } cases[] = {
        {"ImgBtn", "<IMG ", ">", false},
        {"ImageBtn", "<INPUT TYPE=\"IMAGE\"", ">", false},
        {"MapBtn", "<MAP NAME=", ">", false},
        {"HrBtn", "<HR", ">", false},
        {"BodyBtn", "<BODY", ">", false},
        {"JavaBtn", "<APPLET", "</APPLET>", true},
        {"TableBtn", "<TABLE", "</TABLE>", true},
        {"Table3dBtn", "<TABLE", "</TABLE>", true},
        {"OlBtn", "<OL", "</OL>", true},
        {"ULbtn", "<UL", "</UL>", true},
        {"DlBtn", "<DL", "</DL>", true},
        {"MenuBtn", "<MENU", "</MENU>", true},
        {"DirBtn", "<DIR", "</DIR>", true},
        {"HeureScrBtn", "", "", false},
        {"NoSuchBtn", "", "", false},
    };
    int editing = 0;
    for (const auto &c : cases) {
        const ElementMarkers &m = MarkersForCommand(c.command);
        EXPECT_EQ(m.startMarker, c.start) << c.command;
        EXPECT_EQ(m.endMarker, c.end) << c.command;
        EXPECT_EQ(m.wholeElement, c.whole) << c.command;
        editing += m.editsElements();
    }
    int inTable = 0;
    for (const ElementMarkers &m : DialogCommandMarkers())
        inTable += m.editsElements();
    EXPECT_EQ(editing, inTable) << "every command with markers is checked above";
    EXPECT_EQ(MarkersForCommand("ImageBtn").altStartMarker, "<INPUT TYPE=IMAGE");
    EXPECT_EQ(MarkersForCommand("MapBtn").innerMarker, "<IMG SRC=");
}

} // namespace
