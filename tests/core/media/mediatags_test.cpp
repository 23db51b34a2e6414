#include "core/media/mediatags.h"

#include "core/markup/editorstate.h"
#include "core/text/memorytext.h"
#include "core/undo/undohistory.h"
#include "support/marked.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

TEST(Marquee, ExactTags)
{
    const struct
    {
        const char *name;
        std::function<void(MarqueeFields &)> edit;
        const char *start;
        const char *end;
    } cases[] = {
        {"all defaults", [](MarqueeFields &) {}, "<MARQUEE>", "</MARQUEE>"},
        {"every attribute",
         [](MarqueeFields &f) {
             f.behavior = 2;
             f.direction = 1;
             f.align = 1;
             f.scrollAmount = "3";
             f.scrollDelay = "100";
             f.loop = "-1";
             f.width = "50";
             f.widthPercent = true;
             f.height = "40";
             f.hspace = "2";
             f.vspace = "4";
             f.textColour = 0x0000FF;
             f.backgroundColour = 0xFFFF00;
         },
         "<FONT COLOR=\"#FF0000\"><MARQUEE BGCOLOR=\"#00FFFF\" BEHAVIOR=ALTERNATE DIRECTION=RIGHT ALIGN=middle "
         "SCROLLAMOUNT=3 SCROLLDELAY=100 LOOP=-1 WIDTH=50% HEIGHT=40 HSPACE=2 VSPACE=4>",
         "</MARQUEE></FONT>"},
        {"numbers emptied by the field rules",
         [](MarqueeFields &f) {
             f.behavior = 1;
             f.align = 2;
             f.scrollAmount = "";
             f.loop = "-2";
             f.width = "0";
             f.height = "abc";
             f.heightPercent = true;
             f.hspace = "0";
             f.vspace = "x";
         },
         "<MARQUEE BEHAVIOR=SLIDE ALIGN=bottom>", "</MARQUEE>"},
    };
    for (const auto &c : cases) {
        MarqueeFields fields;
        c.edit(fields);
        const TagPair pair = BuildMarquee(fields);
        EXPECT_EQ(pair.start, QString::fromLatin1(c.start)) << c.name;
        EXPECT_EQ(pair.end, QString::fromLatin1(c.end)) << c.name;
    }
}

TEST(Applet, TwoParametersAsOneStep)
{
    AppletFields f;
    f.code = "Horloge.class";
    f.codeBase = "classes";
    f.alt = "Une horloge";
    f.name = "mon horloge";
    f.parameters = {AppletParameter("fond", "blanc"), AppletParameter("taille", "12 pt")};
    MemoryText text;
    setMarked(text, "a|b");
    UndoHistory undo(text);
    EditorState state;
    InsertPieces(text, undo, state, BuildApplet(f), ukInsert);
    const QString applet =
        "<APPLET CODEBASE=\"classes\" CODE=\"Horloge.class\" ALT=\"Une horloge\" NAME=\"monhorloge\" ALIGN=middle "
        "WIDTH=320 HEIGHT=240>\r\n  <PARAM NAME=\"fond\" VALUE=\"blanc\">\r\n"
        "  <PARAM NAME=\"taille\" VALUE=\"12 pt\">\r\n</APPLET>\r\n";
    EXPECT_EQ(marked(text), "a" + applet + "|b");
    undo.Undo();
    EXPECT_EQ(marked(text), QStringLiteral("a|b"));
    EXPECT_FALSE(undo.CanUndo());

    // Read back, it gives the same pieces.
    const AppletFields back = ReadApplet(applet);
    EXPECT_EQ(BuildApplet(back).join(QString()), applet);
    EXPECT_EQ(ReadAppletParameter(back.parameters.value(1)),
              qMakePair(QStringLiteral("taille"), QStringLiteral("12 pt")));
}

TEST(Applet, ReadingOtherWritings)
{
    const struct
    {
        const char *element;
        const char *code, *codeBase, *width;
        int align;
        int parameters;
    } cases[] = {
        {"<applet code=A.class codebase=x/y width=10 align=LEFT><param name=a value=1></applet>", "A.class", "x/y",
         "10", 3, 1},
        {"<APPLET CODE=\"Mon Applet.class\" ALIGN=wrong>", "Mon Applet.class", "", "", 1, 0},
        {"<APPLET CODEBASE=\"b\"><PARAM NAME=a><Param name=b></APPLET>", "", "b", "", 1, 2},
        {"<APPLET CODE=\"unclosed", "unclosed", "", "", 1, 0},
    };
    for (const auto &c : cases) {
        const AppletFields f = ReadApplet(QString::fromLatin1(c.element));
        EXPECT_EQ(f.code, QString::fromLatin1(c.code)) << c.element;
        EXPECT_EQ(f.codeBase, QString::fromLatin1(c.codeBase)) << c.element;
        EXPECT_EQ(f.width, QString::fromLatin1(c.width)) << c.element;
        EXPECT_EQ(f.align, c.align) << c.element;
        EXPECT_EQ(f.parameters.size(), c.parameters) << c.element;
    }
}

TEST(Embed, ExactTags)
{
    EmbedFields all;
    all.source = "son/clip.avi";
    all.border = "2";
    all.align = 2;
    all.palette = 1;
    all.loop = all.autoStart = all.hidden = true;
    EmbedFields bare;
    bare.source = "a.mid";
    bare.width.clear();
    bare.align = 1;
    const struct
    {
        QString made, expected;
    } cases[] = {
        {BuildEmbed(EmbedFields{.source = "a.wav", .border = {}}), "<EMBED SRC=\"a.wav\" WIDTH=145 HEIGHT=60>"},
        {BuildEmbed(all), "<EMBED SRC=\"son/clip.avi\" BORDER=2 WIDTH=145 HEIGHT=60 ALIGN=\"top\" "
                          "PALETTE=\"foreground\" LOOP=true AUTOSTART=true HIDDEN=true>"},
        {BuildEmbed(bare), "<EMBED SRC=\"a.mid\" HEIGHT=60 ALIGN=\"middle\">"},
        {BuildBackgroundSound("fond.wav", "1"), "<BGSOUND SRC=\"fond.wav\" LOOP=1>"},
        {BuildBackgroundSound("fond.wav", ""), "<BGSOUND SRC=\"fond.wav\" LOOP=>"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.made, c.expected);
}

} // namespace
