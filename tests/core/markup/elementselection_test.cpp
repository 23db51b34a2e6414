#include "core/markup/elementselection.h"

#include "core/markup/editorstate.h"
#include "core/markup/elementmarkers.h"
#include "core/text/memorytext.h"
#include "support/marked.h"

#include <gtest/gtest.h>

namespace {

// The selection and SelectedElementText a command leaves for its dialog.
TEST(ElementEditMode, NarrowsOrCollapsesTheSelection)
{
    using M = ElementEditMode;
    const struct
    {
        const char *command;
        QString before, after, element;
        ElementEditMode mode;
    } cases[] = {
        {"HrBtn", "[some words <HR SIZE=2> more]", "some words [<HR SIZE=2>] more", "<HR SIZE=2>", M::Edit},
        {"HrBtn", "say [some words] now", "say |some words now", "", M::Create},
        {"HrBtn", "[xx <HR SIZE=2]", "xx |<HR SIZE=2", "", M::Create},
        {"HrBtn", "[\u00df\u00df<HR>]", "\u00df\u00df[<HR>]", "<HR>", M::Edit}, // upper case is longer
        {"LienExtBtn", "[<A HREF=x>]", "[<A HREF=x>]", "", M::Create},
        {"ImgBtn", "[<IMGX> <img src=a>]", "<IMGX> [<img src=a>]", "<img src=a>", M::Edit},
        {"ImageBtn", "[x<INPUT TYPE=\"IMAGE\">]", "x[<INPUT TYPE=\"IMAGE\">]", "<INPUT TYPE=\"IMAGE\">", M::Edit},
        // A ">" inside quotes belongs to the tag; the form image's TYPE in any writing.
        {"ImgBtn", "[<img alt=\"a > b\" src=a>x]", "[<img alt=\"a > b\" src=a>]x", "<img alt=\"a > b\" src=a>",
         M::Edit},
        {"ImageBtn", "[<input src=a type='Image'>]", "[<input src=a type='Image'>]", "<input src=a type='Image'>",
         M::Edit},
        {"ImageBtn", "[<input type=text>]", "|<input type=text>", "", M::Create},
        // A list nested in an item is part of the list.
        {"ULbtn", "[<UL><LI>a<UL><LI>b</UL></UL>c]", "[<UL><LI>a<UL><LI>b</UL></UL>]c", "<UL><LI>a<UL><LI>b</UL></UL>",
         M::Edit},
        {"JavaBtn", "[a<APPLET>\r\n</APPLET>b]", "a[<APPLET>\r\n</APPLET>]b", "<APPLET>\r\n</APPLET>", M::Edit},
        {"JavaBtn", "[a<APPLET CODE=x>]", "a|<APPLET CODE=x>", "", M::Create},
        {"ULbtn", "[<ul><LI>a</UL></ul>]", "[<ul><LI>a</UL>]</ul>", "<ul><LI>a</UL>", M::Edit},
        {"TableBtn", "[x<TABLE><TD><table></table></TABLE>]", "x|<TABLE><TD><table></table></TABLE>", "", M::Nested},
        {"MapBtn", "[x<MAP NAME=m></MAP><IMG SRC=a>y]", "x[<MAP NAME=m></MAP><IMG SRC=a>]y",
         "<MAP NAME=m></MAP><IMG SRC=a>", M::Edit},
        {"MapBtn", "[<IMG SRC=a>]", "[<IMG SRC=a>]", "<IMG SRC=a>", M::Edit}, // kept for the map editor
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.before.toStdString());
        MemoryText text;
        setMarked(text, c.before);
        EditorState state;
        state.SelectedElementText = "stale";
        EXPECT_EQ(ApplyElementEditMode(text, state, MarkersForCommand(c.command)), c.mode);
        EXPECT_EQ(marked(text), c.after);
        EXPECT_EQ(state.SelectedElementText, c.element);
    }
}

TEST(ElementEditMode, BodyIsReadFromTheWholePage)
{
    MemoryText text;
    EditorState state;
    setMarked(text, "<HTML>\r\n<body bgcolor=red\r\ntext=blue>\r\n|x");
    EXPECT_EQ(ApplyElementEditMode(text, state, MarkersForCommand("BodyBtn")), ElementEditMode::Edit);
    EXPECT_EQ(state.SelectedElementText, "<body bgcolor=red text=blue>");
    EXPECT_EQ(text.selectionStart(), text.length() - 1);

    setMarked(text, "<BODY>|x");
    EXPECT_EQ(ApplyElementEditMode(text, state, "<HR", ">"), ElementEditMode::Create);
    EXPECT_EQ(ApplyElementEditMode(text, state, MarkersForCommand("BodyBtn")), ElementEditMode::Create);
    EXPECT_EQ(state.SelectedElementText, "");
}

TEST(SelectElement, SelectsTheFirstElementOfThePage)
{
    const struct
    {
        QString before, start, end;
        bool whole, found;
        QString after;
    } cases[] = {
        {"<title>Old</TITLE>|", "<TITLE>", "</TITLE>", false, true, "<title>[Old]</TITLE>"},
        {"x<TITLE></TITLE>|", "<TITLE>", "</TITLE>", false, true, "x<TITLE>|</TITLE>"},
        {"a\r\n<Body b=x\r\n>b|", "<BODY", ">", true, true, "a\r\n[<Body b=x\r\n>]b"},
        {"> <BODY|", "<BODY", ">", true, false, "> <BODY|"},
    };
    for (const auto &c : cases) {
        MemoryText text;
        setMarked(text, c.before);
        EXPECT_EQ(SelectElement(text, c.start, c.end, c.whole), c.found) << c.before.toStdString();
        EXPECT_EQ(marked(text), c.after);
    }
}

TEST(MoveCaretToTag, PutsTheCaretAtTheFirstTagOnOneLine)
{
    const struct
    {
        QString before, tag;
        bool beforeTag, found;
        QString after;
    } cases[] = {
        {"<head>\r\n</head>\r\n[x]", "</HEAD>", true, true, "<head>\r\n|</head>\r\nx"},
        {"|<BODY></BODY>", "</BODY>", false, true, "<BODY></BODY>|"},
        {"</HE\r\nAD>|", "</HEAD>", true, false, "</HE\r\nAD>|"},
    };
    for (const auto &c : cases) {
        MemoryText text;
        setMarked(text, c.before);
        EXPECT_EQ(MoveCaretToTag(text, c.tag, c.beforeTag), c.found) << c.before.toStdString();
        EXPECT_EQ(marked(text), c.after);
    }
}

} // namespace
