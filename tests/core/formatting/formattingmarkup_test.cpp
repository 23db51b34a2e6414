#include "core/formatting/fontmarkup.h"
#include "core/formatting/listmarkup.h"
#include "core/formatting/rulemarkup.h"
#include "support/qstringprinter.h"

#include <gtest/gtest.h>

namespace {

FontFields font(std::initializer_list<const char *> faces, const char *size, std::optional<HtmlColor> color,
                std::initializer_list<int> styles, bool baseFont = false)
{
    FontFields f;
    f.baseFont = baseFont;
    for (const char *face : faces)
        f.faces << QString::fromUtf8(face);
    f.size = QString::fromUtf8(size);
    f.color = color;
    for (int s : styles)
        f.styles[size_t(s)] = true;
    return f;
}

struct FontCase
{
    const char *name;
    FontFields fields;
    const char *start;
    const char *end;
};

TEST(FontMarkup, WritesTheTagsOfTheFields)
{
    const FontCase cases[] = {
        {"Arial size 5 bold italic", font({"Arial"}, "5", std::nullopt, {0, 4}), "<FONT FACE=\"Arial\" SIZE=5><B><I>",
         "</I></B></FONT>"},
        {"faces, size and colour", font({"Arial", "Times New Roman"}, "+2", 0x563412, {}),
         "<FONT FACE=\"Arial\",\"Times New Roman\" SIZE=+2 COLOR=\"#123456\">", "</FONT>"},
        // Black is a colour like any other, not "no colour".
        {"black is written", font({}, "3", 0, {}), "<FONT COLOR=\"#000000\">", "</FONT>"},
        {"nothing asked writes nothing", font({}, "3", std::nullopt, {}), "", ""},
        {"styles alone still wrap", font({}, "3", std::nullopt, {2, 13}), "<U><TT>", "</TT></U>"},
        {"an empty size is left out", font({}, "", std::nullopt, {0}), "<B>", "</B>"},
        {"a malformed size is left out", font({}, "5\">", std::nullopt, {}), "", ""},
        {"a quote in a face name is dropped", font({"A\"b"}, "3", std::nullopt, {}), "<FONT FACE=\"Ab\">", "</FONT>"},
        {"base font has no end and no styles", font({"Arial"}, "4", std::nullopt, {0, 1}, true),
         "<BASEFONT FACE=\"Arial\" SIZE=4>", ""},
        {"base font with nothing asked", font({}, "3", std::nullopt, {}, true), "", ""},
    };
    for (const FontCase &c : cases) {
        const TagPair tags = fontTags(c.fields);
        EXPECT_EQ(str(tags.start), c.start) << c.name;
        EXPECT_EQ(str(tags.end), c.end) << c.name;
    }
}

RuleFields rule(const char *width, bool percent, RuleAlign align, const char *size, bool shade,
                std::optional<HtmlColor> color = std::nullopt)
{
    return RuleFields{QString::fromUtf8(width), percent, align, QString::fromUtf8(size), shade, color};
}

TEST(RuleMarkup, WritesTheAttributesOfTheFields)
{
    const struct
    {
        RuleFields fields;
        const char *tag;
    } cases[] = {
        {rule("", false, RuleAlign::Center, "", true), "<HR>"},
        {rule("100", true, RuleAlign::Center, "1", true), "<HR>"},
        {rule("50", true, RuleAlign::Left, "2", true), "<HR WIDTH=50% ALIGN=left SIZE=2>"},
        {rule("300", false, RuleAlign::Right, "10", false), "<HR WIDTH=300 ALIGN=right SIZE=10 NOSHADE>"},
        {rule("", false, RuleAlign::Center, "11", true, 0x0000FF), "<HR COLOR=\"#FF0000\">"},
        {rule("", false, RuleAlign::Center, "abc", false), "<HR NOSHADE>"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(str(ruleTag(c.fields)), c.tag);
}

TEST(RuleMarkup, ReadsATagBackToTheSameTag)
{
    const struct
    {
        const char *tag;
        const char *width;
        bool percent;
        RuleAlign align;
        const char *size;
        bool shade;
        std::optional<HtmlColor> color;
        const char *written;
    } cases[] = {
        // A rule without WIDTH spans the page and stays without one.
        {"<HR>", "100", true, RuleAlign::Center, "1", true, std::nullopt, "<HR>"},
        {"<hr width=\"40%\" align=RIGHT size=3 noshade>", "40", true, RuleAlign::Right, "3", false, std::nullopt,
         "<HR WIDTH=40% ALIGN=right SIZE=3 NOSHADE>"},
        {"<HR ALIGN=justify COLOR=#000000>", "100", true, RuleAlign::Center, "1", true, 0, "<HR COLOR=\"#000000\">"},
        {"<HR WIDTH=0>", "", false, RuleAlign::Center, "1", true, std::nullopt, "<HR>"},
        {"<HR WIDTH=150%>", "", true, RuleAlign::Center, "1", true, std::nullopt, "<HR>"},
    };
    for (const auto &c : cases) {
        const RuleFields f = readRuleTag(QString::fromUtf8(c.tag));
        EXPECT_EQ(str(f.width), c.width) << c.tag;
        EXPECT_EQ(f.percent, c.percent) << c.tag;
        EXPECT_EQ(f.align, c.align) << c.tag;
        EXPECT_EQ(str(f.size), c.size) << c.tag;
        EXPECT_EQ(f.shade, c.shade) << c.tag;
        EXPECT_EQ(f.color, c.color) << c.tag;
        EXPECT_EQ(str(ruleTag(f)), c.written) << c.tag;
    }
}

TEST(RuleMarkup, WidthFieldFollowsItsUnit)
{
    const struct
    {
        const char *width;
        bool percent;
        bool switched;
        const char *result;
    } cases[] = {
        {"250", true, true, "100"},  {"250", true, false, ""}, {"9999", false, false, "9999"},
        {"10000", false, false, ""}, {"0", false, false, ""},  {"x", true, false, ""},
        {"042", false, false, "42"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(str(normalizedRuleWidth(QString::fromUtf8(c.width), c.percent, c.switched)), c.result) << c.width;
}

ListFields list(ListKind kind, std::initializer_list<ListItem> items)
{
    ListFields f;
    f.kind = kind;
    f.items = items;
    return f;
}

TEST(ListMarkup, EachKindWithTwoItems)
{
    ListFields ordered = list(ListKind::Ordered, {{"un", {}}, {"deux", {}}});
    ordered.numbering = ListNumbering::UpperRoman;
    ordered.start = QStringLiteral("-3");
    ordered.compact = true; // not an option of ordered lists
    ListFields unordered = list(ListKind::Unordered, {{"un", {}}, {"", {}}});
    unordered.bullet = ListBullet::Disc;
    ListFields definition = list(ListKind::Definition, {{"terme", "sens"}, {"mot", "idée"}});
    definition.compact = true;
    ListFields menu = list(ListKind::Menu, {{"a", {}}, {"b", {}}});
    menu.compact = true;
    menu.bullet = ListBullet::Square;
    ListFields plainOrdered = list(ListKind::Ordered, {{"a", {}}, {"b", {}}});
    plainOrdered.start = QStringLiteral("0");

    const struct
    {
        ListFields fields;
        const char *pieces;
    } cases[] = {
        {ordered, "<OL TYPE=I START=-3>|\r\n  <LI>un|\r\n  <LI>deux|\r\n</OL>"},
        {unordered, "<UL TYPE=DISC>|\r\n  <LI>un|\r\n  <LI>|\r\n</UL>"},
        {definition, "<DL COMPACT>|\r\n  <DT>terme<DD>sens|\r\n  <DT>mot<DD>idée|\r\n</DL>"},
        {menu, "<MENU>|\r\n  <LI>a|\r\n  <LI>b|\r\n</MENU>"},
        {plainOrdered, "<OL>|\r\n  <LI>a|\r\n  <LI>b|\r\n</OL>"},
        {list(ListKind::Unordered, {}), "<UL>|\r\n  <LI>|\r\n</UL>"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(listPieces(c.fields).join(u'|').toStdString(), c.pieces);
}

TEST(ListMarkup, StartNumberField)
{
    const std::pair<const char *, const char *> cases[] = {{"-", "-"}, {"-12", "-12"}, {"0", "1"},
                                                           {"", "1"},  {"x", "1"},     {" 7 ", "7"}};
    for (const auto &[typed, kept] : cases)
        EXPECT_EQ(str(normalizedListStart(QString::fromUtf8(typed))), kept) << typed;
}

TEST(ListMarkup, ReadsAListBackToTheSamePieces)
{
    const struct
    {
        ListKind kind;
        const char *element;
        const char *pieces;
    } cases[] = {
        {ListKind::Ordered, "<OL TYPE=a START=4>\r\n  <LI>un\r\n  <li>deux\r\n</OL>",
         "<OL TYPE=a START=4>|\r\n  <LI>un|\r\n  <LI>deux|\r\n</OL>"},
        {ListKind::Unordered, "<UL COMPACT TYPE=square><LI>a<LI>b\r\n   suite</UL>",
         "<UL COMPACT TYPE=SQUARE>|\r\n  <LI>a|\r\n  <LI>b suite|\r\n</UL>"},
        // A nested list stays inside its item.
        {ListKind::Unordered, "<UL><LI>a<OL><LI>x<LI>y</OL><LI value=2>b</UL>",
         "<UL>|\r\n  <LI>a<OL><LI>x<LI>y</OL>|\r\n  <LI>b|\r\n</UL>"},
        // Terms and definitions are kept, not lost.
        {ListKind::Definition, "<DL COMPACT>\r\n  <DT>terme<DD>sens\r\n  <dt>mot<dd>idée\r\n</DL>",
         "<DL COMPACT>|\r\n  <DT>terme<DD>sens|\r\n  <DT>mot<DD>idée|\r\n</DL>"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(listPieces(readList(c.kind, QString::fromUtf8(c.element))).join(u'|').toStdString(), c.pieces)
            << c.element;
}

// Re-editing keeps what the author did not change: classes, <LI VALUE=7>,
// the layout of items left alone, a second definition of a term.
TEST(ListMarkup, ReEditingKeepsWhatTheAuthorDidNotChange)
{
    const struct
    {
        ListKind kind;
        const char *element;
        void (*change)(ListFields &);
        const char *written;
    } cases[] = {
        {ListKind::Ordered, "<ol class=p start='5'>\n<li>a</li>\n<li value=7>b</li>\n</ol>", [](ListFields &) {},
         "<ol class=p start='5'>\n<li>a</li>\n<li value=7>b</li>\n</ol>"},
        {ListKind::Ordered, "<OL TYPE=I CLASS=p>\r\n  <LI>a\r\n  <LI VALUE=7 class=x>b\r\n</OL>",
         [](ListFields &f) {
             f.items[1].text = QStringLiteral("B");
             f.items.append(ListItem{QStringLiteral("c"), {}});
             f.numbering = ListNumbering::LowerAlpha;
         },
         "<OL TYPE=a CLASS=p>\r\n  <LI>a\r\n  <LI VALUE=7 class=x>B\r\n  <LI>c\r\n</OL>"},
        {ListKind::Unordered, "<ul class=m><li>a</li><li>b</li></ul>", [](ListFields &f) { f.items.removeLast(); },
         "<ul class=m><li>a</li></ul>"},
        {ListKind::Definition, "<DL><DT>t<DD>un<DD>deux</DL>", [](ListFields &f) { f.items[0].text = "T"; },
         "<DL><DT>T<DD>un<DD>deux</DL>"},
    };
    for (const auto &c : cases) {
        const QString element = QString::fromUtf8(c.element);
        ListFields f = readList(c.kind, element);
        c.change(f);
        EXPECT_EQ(listPiecesToWrite(element, f).join(QString()).toStdString(), c.written) << c.element;
    }
}

TEST(RuleMarkup, ReEditingKeepsWhatTheAuthorDidNotChange)
{
    const struct
    {
        const char *tag;
        void (*change)(RuleFields &);
        const char *written;
    } cases[] = {
        {"<hr class=a id='r1' color=red>", [](RuleFields &) {}, "<hr class=a id='r1' color=red>"},
        {"<HR WIDTH=\"50%\" class=a NOSHADE>", [](RuleFields &f) { f.shade = true; }, "<HR WIDTH=\"50%\" class=a>"},
        {"<hr id=x>", [](RuleFields &f) { f.size = QStringLiteral("3"); }, "<hr id=x SIZE=3>"},
    };
    for (const auto &c : cases) {
        RuleFields f = readRuleTag(QString::fromUtf8(c.tag));
        c.change(f);
        EXPECT_EQ(ruleTagToWrite(QString::fromUtf8(c.tag), f).toStdString(), c.written) << c.tag;
    }
}

} // namespace
