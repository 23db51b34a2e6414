#include "tags/elementselection.h"

#include "app/memorytext.h"
#include "tags/editorstate.h"
#include "tags/elementmarkers.h"
#include "tags/marked.h"

#include <gtest/gtest.h>

namespace {

// The element edit mode rule: the page and selection it leaves, what the
// dialog gets in SelectedElementText, and in which mode it opens.
struct EditModeCase
{
    const char *name;
    QString command;
    QString before;
    QString after;
    QString element;
    ElementEditMode mode;
};

void PrintTo(const EditModeCase &c, std::ostream *os)
{
    *os << c.name;
}

class ElementEditModeRule : public ::testing::TestWithParam<EditModeCase>
{
};

TEST_P(ElementEditModeRule, NarrowsOrCollapsesTheSelection)
{
    const EditModeCase &c = GetParam();
    MemoryText text;
    setMarked(text, c.before);
    EditorState state;
    state.SelectedElementText = "stale";
    const ElementMarkers &markers = MarkersForCommand(c.command);
    ASSERT_EQ(markers.command, c.command);

    EXPECT_EQ(ApplyElementEditMode(text, state, markers), c.mode);
    EXPECT_EQ(marked(text), c.after);
    EXPECT_EQ(state.SelectedElementText, c.element);
    MemoryText original;
    setMarked(original, c.before);
    EXPECT_EQ(text.text(), original.text()) << "the page itself never changes";
}

const EditModeCase editModeCases[] = {
    {"RuleAmongWords", "HrBtn", "[some words <HR SIZE=2> more words]", "some words [<HR SIZE=2>] more words",
     "<HR SIZE=2>", ElementEditMode::Edit},
    {"RuleInPartOfTheLine", "HrBtn", "ab[c <hr> d]e", "abc [<hr>] de", "<hr>", ElementEditMode::Edit},
    {"NoRuleCollapsesToStart", "HrBtn", "say [some words] now", "say |some words now", "", ElementEditMode::Create},
    {"NoSelection", "HrBtn", "a <HR>|b", "a <HR>|b", "", ElementEditMode::Create},
    {"RuleWithoutEndCollapsesAtMarker", "HrBtn", "[xx <HR SIZE=2]", "xx |<HR SIZE=2", "", ElementEditMode::Create},
    {"PositionsSurviveCaseFolding", "HrBtn", "[\u00df\u00df<HR>]", "\u00df\u00df[<HR>]", "<HR>", ElementEditMode::Edit},
    {"CommandWithoutMarkers", "LienExtBtn", "[<A HREF=x>]", "[<A HREF=x>]", "", ElementEditMode::Create},
    {"ImageNeedsItsBlank", "ImgBtn", "[<IMGX> <img src=a>]", "<IMGX> [<img src=a>]", "<img src=a>",
     ElementEditMode::Edit},
    {"FormImageQuoted", "ImageBtn", "[x<INPUT TYPE=\"IMAGE\" SRC=a>]", "x[<INPUT TYPE=\"IMAGE\" SRC=a>]",
     "<INPUT TYPE=\"IMAGE\" SRC=a>", ElementEditMode::Edit},
    {"FormImageBare", "ImageBtn", "[x<INPUT TYPE=IMAGE SRC=a>]", "x[<INPUT TYPE=IMAGE SRC=a>]",
     "<INPUT TYPE=IMAGE SRC=a>", ElementEditMode::Edit},
    {"AppletOverLines", "JavaBtn", "[a<APPLET CODE=x>\r\n<PARAM>\r\n</APPLET>b]",
     "a[<APPLET CODE=x>\r\n<PARAM>\r\n</APPLET>]b", "<APPLET CODE=x>\r\n<PARAM>\r\n</APPLET>", ElementEditMode::Edit},
    {"AppletWithoutEnd", "JavaBtn", "[a<APPLET CODE=x>]", "a|<APPLET CODE=x>", "", ElementEditMode::Create},
    {"ListToFirstEnd", "ULbtn", "[<ul><LI>a</UL></ul>]", "[<ul><LI>a</UL>]</ul>", "<ul><LI>a</UL>",
     ElementEditMode::Edit},
    {"TableAlone", "TableBtn", "[x<TABLE><TR></TR></table>y]", "x[<TABLE><TR></TR></table>]y",
     "<TABLE><TR></TR></table>", ElementEditMode::Edit},
    {"NestedTables", "TableBtn", "[x<TABLE><TR><TD><table></table></TD></TR></TABLE>]",
     "x|<TABLE><TR><TD><table></table></TD></TR></TABLE>", "", ElementEditMode::Nested},
    {"TwoTablesInARow", "TableBtn", "[<TABLE></TABLE><TABLE></TABLE>]", "[<TABLE></TABLE>]<TABLE></TABLE>",
     "<TABLE></TABLE>", ElementEditMode::Edit},
    {"MapThroughItsImage", "MapBtn", "[x<MAP NAME=m><AREA></MAP><IMG SRC=a USEMAP=#m>y]",
     "x[<MAP NAME=m><AREA></MAP><IMG SRC=a USEMAP=#m>]y", "<MAP NAME=m><AREA></MAP><IMG SRC=a USEMAP=#m>",
     ElementEditMode::Edit},
    {"MapWithoutImage", "MapBtn", "[x<MAP NAME=m></MAP>y]", "x|<MAP NAME=m></MAP>y", "", ElementEditMode::Create},
    {"SelectionWithoutMapKept", "MapBtn", "[<IMG SRC=a>]", "[<IMG SRC=a>]", "<IMG SRC=a>", ElementEditMode::Edit},
};

INSTANTIATE_TEST_SUITE_P(Helpers, ElementEditModeRule, ::testing::ValuesIn(editModeCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(ElementEditModeRule, BodyIsReadFromTheWholePage)
{
    MemoryText text;
    EditorState state;
    const ElementMarkers &body = MarkersForCommand("BodyBtn");

    setMarked(text, "<HTML>\r\n<body bgcolor=red\r\ntext=blue>\r\n|x");
    EXPECT_EQ(ApplyElementEditMode(text, state, body), ElementEditMode::Edit);
    EXPECT_EQ(state.SelectedElementText, "<body bgcolor=red text=blue>");
    EXPECT_EQ(marked(text), "<HTML>\r\n<body bgcolor=red\r\ntext=blue>\r\n|x");

    setMarked(text, "<BODY>|x");
    EXPECT_EQ(ApplyElementEditMode(text, state, body), ElementEditMode::Create);
    EXPECT_EQ(state.SelectedElementText, "");
}

TEST(ElementEditModeRule, PlainMarkersOverload)
{
    MemoryText text;
    EditorState state;
    setMarked(text, "[a<HR>b]");
    EXPECT_EQ(ApplyElementEditMode(text, state, "<HR", ">"), ElementEditMode::Edit);
    EXPECT_EQ(marked(text), "a[<HR>]b");
}

TEST(CaptureSelection, CopiesTheSelectionWithLineBreaks)
{
    MemoryText text;
    EditorState state;
    setMarked(text, "a[b\r\nc]d");
    CaptureSelection(text, state);
    EXPECT_EQ(state.SelectedElementText, "b\r\nc");
}

struct SelectCase
{
    const char *name;
    QString before;
    QString start;
    QString end;
    bool whole;
    bool found;
    QString after;
};

void PrintTo(const SelectCase &c, std::ostream *os)
{
    *os << c.name;
}

class SelectElementCases : public ::testing::TestWithParam<SelectCase>
{
};

TEST_P(SelectElementCases, SelectsTheFirstElementOfThePage)
{
    const SelectCase &c = GetParam();
    MemoryText text;
    setMarked(text, c.before);
    EXPECT_EQ(SelectElement(text, c.start, c.end, c.whole), c.found);
    EXPECT_EQ(marked(text), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Helpers, SelectElementCases,
    ::testing::Values(
        SelectCase{"Content", "<title>Old</TITLE>|", "<TITLE>", "</TITLE>", false, true, "<title>[Old]</TITLE>"},
        SelectCase{"EmptyContent", "x<TITLE></TITLE>|", "<TITLE>", "</TITLE>", false, true, "x<TITLE>|</TITLE>"},
        SelectCase{"Whole", "a\r\n<Body bgcolor=x\r\n>b|", "<BODY", ">", true, true, "a\r\n[<Body bgcolor=x\r\n>]b"},
        SelectCase{"EndBeforeStartIgnored", "> <BODY|", "<BODY", ">", true, false, "> <BODY|"},
        SelectCase{"Absent", "a|b", "<TITLE>", "</TITLE>", false, false, "a|b"}),
    [](const auto &info) { return std::string(info.param.name); });

struct ExtractCase
{
    const char *name;
    QString page;
    QString start;
    QString end;
    QString expected;
};

void PrintTo(const ExtractCase &c, std::ostream *os)
{
    *os << c.name;
}

class ExtractElementTextCases : public ::testing::TestWithParam<ExtractCase>
{
};

TEST_P(ExtractElementTextCases, ReadsTheElementOnOneLine)
{
    const ExtractCase &c = GetParam();
    const MemoryText text(c.page);
    EXPECT_EQ(ExtractElementText(text, c.start, c.end), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Helpers, ExtractElementTextCases,
    ::testing::Values(
        ExtractCase{"OneLine", "<HEAD><title>Hi</title></HEAD>", "<TITLE>", "</TITLE>", "<title>Hi</title>"},
        ExtractCase{"ThreeLinesJoinedByBlanks", "x <BODY a=1\r\n  b=2\r\nc=3> y", "<BODY", ">", "<BODY a=1   b=2 c=3>"},
        ExtractCase{"EndOnlyAfterTheStart", "> <BODY a>", "<BODY", ">", "<BODY a>"},
        ExtractCase{"NoEnd", "<BODY a\r\nb", "<BODY", ">", ""}, ExtractCase{"NoStart", "<HTML>", "<BODY", ">", ""},
        ExtractCase{"FirstLineWithTheStart", "<TITLE>a\r\n</TITLE>\r\n<TITLE>b</TITLE>", "<TITLE>", "</TITLE>",
                    "<TITLE>a </TITLE>"}),
    [](const auto &info) { return std::string(info.param.name); });

struct CaretCase
{
    const char *name;
    QString before;
    QString tag;
    bool beforeTag;
    bool found;
    QString after;
};

void PrintTo(const CaretCase &c, std::ostream *os)
{
    *os << c.name;
}

class MoveCaretToTagCases : public ::testing::TestWithParam<CaretCase>
{
};

TEST_P(MoveCaretToTagCases, PutsTheCaretAtTheFirstTag)
{
    const CaretCase &c = GetParam();
    MemoryText text;
    setMarked(text, c.before);
    EXPECT_EQ(MoveCaretToTag(text, c.tag, c.beforeTag), c.found);
    EXPECT_EQ(marked(text), c.after);
}

INSTANTIATE_TEST_SUITE_P(Helpers, MoveCaretToTagCases,
                         ::testing::Values(CaretCase{"Before", "<HTML>\r\n<head>\r\n</head>\r\n<BODY>[x]", "</HEAD>",
                                                     true, true, "<HTML>\r\n<head>\r\n|</head>\r\n<BODY>x"},
                                           CaretCase{"After", "|<HEAD></HEAD><BODY></BODY>", "</BODY>", false, true,
                                                     "<HEAD></HEAD><BODY></BODY>|"},
                                           CaretCase{"SplitOverLines", "</HE\r\nAD>|", "</HEAD>", true, false,
                                                     "</HE\r\nAD>|"},
                                           CaretCase{"Absent", "a[b]", "</BODY>", true, false, "a[b]"}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(DocumentContains, IgnoresCaseAndCoversTheWholeText)
{
    const MemoryText text("<html>\r\n<Body bgcolor=red>\r\n</BODY>");
    const struct
    {
        QString needle;
        bool expected;
    } cases[] = {{"<BODY", true}, {"<body>", false}, {"RED>", true}, {"<html>\r\n<b", true}, {"", false}};
    for (const auto &c : cases)
        EXPECT_EQ(DocumentContains(text, c.needle), c.expected) << c.needle.toStdString();
}

} // namespace
