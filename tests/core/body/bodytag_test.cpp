#include "core/body/bodytag.h"

#include "core/markup/editorstate.h"
#include "core/messages/messages.h"
#include "core/text/memorytext.h"
#include "core/undo/undohistory.h"
#include "support/fakeprompts.h"
#include "support/marked.h"

#include <gtest/gtest.h>

namespace {

const QString NetscapeTag =
    QStringLiteral("<BODY BGCOLOR=\"#FFFFFF\" TEXT=\"#000000\" LINK=\"#000080\" VLINK=\"#800080\" ALINK=\"#FF0000\">");

TEST(BodyTag, NewTagsFromTheDefaults)
{
    EXPECT_EQ(BuildBodyTag(DefaultBodyProperties(BodyBrowser::Netscape)), NetscapeTag);
    EXPECT_EQ(BuildBodyTag(DefaultBodyProperties(BodyBrowser::Explorer)),
              QStringLiteral("<BODY BGCOLOR=\"#C0C0C0\" TEXT=\"#000000\" LINK=\"#0000FF\" VLINK=\"#800080\" "
                             "ALINK=\"#FF0000\">"));
}

TEST(BodyTag, ReadsAndWritesBackUnchanged)
{
    const char *tags[] = {
        "<BODY BACKGROUND=\"images/Fond.gif\" BGCOLOR=\"#102030\" TEXT=\"#A0B0C0\" LINK=\"#0000FF\" "
        "VLINK=\"#123456\" ALINK=\"#00FF00\" BGPROPERTIES=FIXED LEFTMARGIN=\"0\" TOPMARGIN=\"5\" "
        "onLoad=\"debut(1,2)\" onUnload=\"fin()\">",
        "<BODY BGCOLOR=\"#C0C0C0\" TEXT=\"#000000\" LINK=\"#000080\" VLINK=\"#800080\" ALINK=\"#FF0000\" "
        "onUnload=\"fin()\">",
    };
    for (const char *tag : tags)
        EXPECT_EQ(BuildBodyTag(ReadBodyTag(QString::fromLatin1(tag))), QString::fromLatin1(tag));
}

TEST(BodyTag, ReadingOtherWritings)
{
    const struct
    {
        const char *element;
        const char *written;
    } cases[] = {
        // bare values, lower case, the other attributes at their defaults
        {"<body bgcolor=#ff0000 link=#00ff00 alink=#0000ff>",
         "<BODY BGCOLOR=\"#FF0000\" TEXT=\"#000000\" LINK=\"#00FF00\" VLINK=\"#800080\" ALINK=\"#0000FF\">"},
        // a tag spread over two lines comes joined by a blank; margins 10 and 20 are not written
        {"<BODY TEXT=\"#FFFFFF\" LEFTMARGIN=10 TOPMARGIN=20>",
         "<BODY BGCOLOR=\"#FFFFFF\" TEXT=\"#FFFFFF\" LINK=\"#000080\" VLINK=\"#800080\" ALINK=\"#FF0000\">"},
        // ALINK and VLINK do not count as LINK; a tag without its end is read to the end
        {"<BODY VLINK=\"#010101\" BACKGROUND=fond.jpg",
         "<BODY BACKGROUND=\"fond.jpg\" BGCOLOR=\"#FFFFFF\" TEXT=\"#000000\" LINK=\"#000080\" VLINK=\"#010101\" "
         "ALINK=\"#FF0000\">"},
        // colour names, single quotes; event code keeps its quotes, written as &quot;
        {"<body bgcolor=\"white\" text=black link='#0000FF' onload='dire(\"a b\")'>",
         "<BODY BGCOLOR=\"#FFFFFF\" TEXT=\"#000000\" LINK=\"#0000FF\" VLINK=\"#800080\" ALINK=\"#FF0000\" "
         "onLoad=\"dire(&quot;a b&quot;)\">"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(BuildBodyTag(ReadBodyTag(QString::fromLatin1(c.element))), QString::fromLatin1(c.written))
            << c.element;
}

TEST(BodyTag, SwitchingBrowserMovesOnlyTheDefaultColours)
{
    BodyProperties body = DefaultBodyProperties(BodyBrowser::Netscape);
    SwitchBodyBrowser(body, BodyBrowser::Explorer);
    EXPECT_EQ(body, DefaultBodyProperties(BodyBrowser::Explorer));
    SwitchBodyBrowser(body, BodyBrowser::Netscape);
    EXPECT_EQ(body, DefaultBodyProperties(BodyBrowser::Netscape));
    body.backgroundColour = 0x123456;
    SwitchBodyBrowser(body, BodyBrowser::Explorer);
    EXPECT_EQ(body.backgroundColour, 0x123456u);
    EXPECT_EQ(ColorToHtml(body.linkColour), QStringLiteral("#0000FF"));
}

TEST(BodyTag, WritingIntoThePage)
{
    // Each case sets the text colour to red and confirms.
    const struct
    {
        const char *name;
        const char *page;
        FakePrompts::Answer answer;
        const char *after;
        const char *asked;
        const char *shown;
    } cases[] = {
        {"new page", "<HTML>\r\n|</HTML>", FakePrompts::Answer::Yes,
         "<HTML>\r\n<BODY BGCOLOR=\"#FFFFFF\" TEXT=\"#FF0000\" LINK=\"#000080\" VLINK=\"#800080\" "
         "ALINK=\"#FF0000\">|</HTML>",
         "", ""},
        {"bare tag gets only the colour set", "<HTML>\r\n<BODY>\r\n|x", FakePrompts::Answer::Yes,
         "<HTML>\r\n<BODY TEXT=\"#FF0000\">\r\nx", "36", ""},
        {"tag over two lines keeps what was not changed",
         "<body bgcolor=white text=\"#FFFFFF\"\r\nlink='#000000' class=c>|x", FakePrompts::Answer::Yes,
         "<body bgcolor=white TEXT=\"#FF0000\"\r\nlink='#000000' class=c>x", "36", ""},
        {"> inside a quoted value", "<BODY onload=\"a>b()\" class=c>|x", FakePrompts::Answer::Yes,
         "<BODY onload=\"a>b()\" class=c TEXT=\"#FF0000\">x", "36", ""},
        {"refused", "<BODY TEXT=red>|x", FakePrompts::Answer::No, "<BODY TEXT=red>|x", "36", ""},
        {"old tag without its end", "x|y<BODY TEXT=red", FakePrompts::Answer::Yes,
         "x<BODY BGCOLOR=\"#FFFFFF\" TEXT=\"#FF0000\" LINK=\"#000080\" VLINK=\"#800080\" ALINK=\"#FF0000\">|y<BODY "
         "TEXT=red",
         "36", "error:37"},
    };
    for (const auto &c : cases) {
        MemoryText text;
        setMarked(text, QString::fromLatin1(c.page));
        UndoHistory undo(text);
        EditorState state;
        FakePrompts prompts;
        prompts.answers.push_back(c.answer);
        const QString element = BodyElementToEdit(text);
        BodyProperties body = element.isEmpty() ? DefaultBodyProperties(BodyBrowser::Netscape) : ReadBodyTag(element);
        body.textColour = 0x0000FF;
        const QString before = text.text();
        WriteBodyTag(text, undo, state, prompts, body);
        EXPECT_EQ(marked(text).remove(u'|'), QString::fromLatin1(c.after).remove(u'|')) << c.name;
        EXPECT_EQ(prompts.asked, *c.asked ? QStringList{msg(36)} : QStringList()) << c.name;
        EXPECT_EQ(prompts.shown, *c.shown ? QStringList{QStringLiteral("error:") + msg(37)} : QStringList()) << c.name;
        if (undo.CanUndo()) {
            undo.Undo();
            EXPECT_EQ(text.text(), before) << c.name;
        }
    }
}

} // namespace
