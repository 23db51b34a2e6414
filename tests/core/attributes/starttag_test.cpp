#include "core/attributes/colournames.h"
#include "core/attributes/starttag.h"

#include <gtest/gtest.h>

namespace {

// Attributes as "name=value" (a valueless one as its name alone), joined by "|".
QString listed(const StartTag &tag)
{
    QStringList out;
    for (const TagAttribute &a : tag.attributes)
        out << (a.hasValue ? a.name + u'=' + a.value : a.name);
    return out.join(u'|');
}

TEST(StartTag, ReadsTagsAsBrowsersDo)
{
    const struct
    {
        const char *text;
        const char *attributes;
        int end; // -1: not closed
    } cases[] = {
        {"<img src=\"a.png\" alt=\"a > b\" width=10>", "src=a.png|alt=a > b|width=10", 38},
        {"<IMG SRC='images/mon logo.png' BORDER=0>x", "SRC=images/mon logo.png|BORDER=0", 40},
        {"<body\r\n  bgcolor = white\tlink='#0000FF'>", "bgcolor=white|link=#0000FF", 40},
        // A bare value takes a "/" in, as in a browser.
        {"<hr noshade class=\"a b\" id=r1/>", "noshade|class=a b|id=r1/", 31},
        {"<a href=\"a?x=1&amp;y=&quot;2&quot;\" title=&eacute;t&#233;>", "href=a?x=1&y=\"2\"|title=été", 58},
        {"<li value=7>", "value=7", 12},
        {"<input value=\"a>b", "value=a>b", -1},
        {"<p a=1 A=2>", "a=1|A=2", 11},
    };
    for (const auto &c : cases) {
        const QString text = QString::fromUtf8(c.text);
        const StartTag tag = ReadStartTag(text);
        EXPECT_EQ(listed(tag), QString::fromUtf8(c.attributes)) << c.text;
        EXPECT_EQ(tag.closed, c.end >= 0) << c.text;
        EXPECT_EQ(StartTagEnd(text, 0), c.end) << c.text;
    }
    // The first of repeated attributes wins, as in a browser.
    EXPECT_EQ(ReadStartTag(u"<p a=1 A=2>").value(u"A"), QStringLiteral("1"));
    EXPECT_EQ(FindStartTag(u"<b>x<BODY class=c>", u"body").start, 4);
    EXPECT_FALSE(FindStartTag(u"<bodyx>", u"body").isValid());
}

TEST(StartTag, EscapingRoundTrips)
{
    const struct
    {
        const char *value;
        const char *written;
    } cases[] = {
        {"dire(\"a b\")", "\"dire(&quot;a b&quot;)\""},
        {"éditeur, \"HTML\" & tableaux", "\"éditeur, &quot;HTML&quot; & tableaux\""},
        {"a.php?x=1&y=2", "\"a.php?x=1&amp;y=2\""},
        {"&#38; &amp;", "\"&amp;#38; &amp;amp;\""},
        {"img/logo.gif", "\"img/logo.gif\""},
    };
    for (const auto &c : cases) {
        const QString value = QString::fromUtf8(c.value);
        const QString written = QuotedValue(value);
        EXPECT_EQ(written, QString::fromUtf8(c.written));
        EXPECT_EQ(ReadStartTag(QStringLiteral("<x v=") + written + u'>').value(u"v"), value) << c.value;
    }
}

TEST(StartTag, MergeKeepsWhatTheAuthorDidNotChange)
{
    const struct
    {
        const char *original;
        const char *unchanged;
        const char *edited;
        const char *expected;
    } cases[] = {
        // Nothing changed: byte for byte, defaults not added.
        {"<body bgcolor=white class=x>", "<BODY BGCOLOR=\"#FFFFFF\" TEXT=\"#000000\">",
         "<BODY BGCOLOR=\"#FFFFFF\" TEXT=\"#000000\">", "<body bgcolor=white class=x>"},
        // A changed value takes the new text in place; an added one follows the last.
        {"<img src='a.png' alt=\"\" title=t >", "<IMG SRC=\"a.png\" BORDER=0>",
         "<IMG SRC=\"b.png\" BORDER=2 ALT=\"x\">", "<img SRC=\"b.png\" ALT=\"x\" title=t BORDER=2 >"},
        // A cleared field removes its attribute and the blanks before it.
        {"<hr\r\n noshade size=3 id=r>", "<HR SIZE=3 NOSHADE>", "<HR NOSHADE>", "<hr\r\n noshade id=r>"},
        // Repeats after the first stay as written, unless the first is
        // cleared: the next would be read in its place.
        {"<p a=1 a=2>", "<P A=\"1\">", "<P A=\"3\">", "<p A=\"3\" a=2>"},
        {"<hr noshade id=r NOSHADE>", "<HR NOSHADE>", "<HR>", "<hr id=r>"},
        // An attribute written right after the cleared one keeps a blank.
        {"<p a=\"1\" b=\"2\"c=3>", "<P B=\"2\">", "<P>", "<p a=\"1\" c=3>"},
        // Nor does a "/" run on into a bare value before or after it.
        {"<img a=1 b/>", "<IMG B>", "<IMG>", "<img a=1 />"},
        {"<img b/>", "<IMG B>", "<IMG>", "<img/>"},
        {"<img src=\"a.png\"/>", "<IMG>", "<IMG WIDTH=25>", "<img src=\"a.png\" WIDTH=25 />"},
        {"<img src=\"a.png\"/>", "<IMG>", "<IMG USEMAP=\"#m\">", "<img src=\"a.png\" USEMAP=\"#m\"/>"},
        {"<img/=\"a ass=>", "<IMG>", "<IMG WIDTH=25>", "<img WIDTH=25 /=\"a ass=>"},
        {"<hr size/>", "<HR SIZE>", "<HR SIZE=3>", "<hr SIZE=3 />"},
        // A stray "=" never becomes the value of the name left before it.
        {"<input a width=5 =\"x\">", "<INPUT WIDTH=5>", "<INPUT>", "<input a=\"\" =\"x\">"},
        {"<p a=\"1\"b=2>", "<P A=\"1\">", "<P A=5>", "<p A=5 b=2>"},
        {"<applet code=A>fallback</applet>", "<APPLET CODE=\"A\">", "<APPLET CODE=\"B\">",
         "<applet CODE=\"B\">fallback</applet>"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(
            MergeStartTag(QString::fromUtf8(c.original), QString::fromUtf8(c.unchanged), QString::fromUtf8(c.edited)),
            QString::fromUtf8(c.expected))
            << c.original;
    EXPECT_EQ(MergeStartTag(QString(), QStringLiteral("<HR>"), QStringLiteral("<HR SIZE=3>")),
              QStringLiteral("<HR SIZE=3>"));
    EXPECT_EQ(WithoutAttribute(QStringLiteral("<img usemap=\"#m\"src=a>"), u"USEMAP"), QStringLiteral("<img src=a>"));
}

TEST(StartTag, ColourValues)
{
    const struct
    {
        const char *value;
        std::optional<HtmlColor> colour;
    } cases[] = {
        {"white", 0xFFFFFF},         {"Navy", 0x800000},           {"#0000ff", 0xFF0000},
        {"#f00", 0x0000FF},          {"lightsteelblue", 0xDEC4B0}, {"ff8000", 0x0080FF},
        {"rebeccapurple", 0x993366}, {"blanc", std::nullopt},      {"#12345", std::nullopt},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ReadHtmlColour(QString::fromUtf8(c.value)), c.colour) << c.value;
}

} // namespace
