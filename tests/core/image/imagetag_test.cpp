#include "core/image/imageelement.h"
#include "core/image/imageplacement.h"

#include "core/markup/editorstate.h"
#include "core/markup/insertion.h"
#include "core/text/memorytext.h"
#include "core/undo/undohistory.h"
#include "support/marked.h"
#include "support/qstringprinter.h"

#include <gtest/gtest.h>

namespace {

QString tag(const char *text)
{
    return QString::fromUtf8(text);
}

TEST(ImageTag, WrittenAsTheFieldsSay)
{
    ImageProperties logo;
    logo.source = QStringLiteral("img/logo.gif");
    logo.width = QStringLiteral("120");
    logo.height = QStringLiteral("60");

    ImageProperties all = logo;
    all.source = QStringLiteral("mes images/un logo.gif");
    all.lowSource = QStringLiteral("img/flou.gif");
    all.border = QStringLiteral("2");
    all.height = QStringLiteral("0");
    all.name = QStringLiteral("mon logo");
    all.alt = QStringLiteral("Le \"vrai\" logo");
    all.hspace = QStringLiteral("4");
    all.vspace = QStringLiteral("5");
    all.align = ImageAlign::AbsMiddle;
    all.video = {QStringLiteral("clip.avi"), -1, true, true};
    all.isMap = true;
    all.events.setCall(JsEvent::onError, QStringLiteral("panne()"));
    all.events.setCall(JsEvent::onLoad, QStringLiteral("charge(1,'a b')"));

    const struct
    {
        const ImageProperties &properties;
        bool formImage;
        const char *expected;
    } cases[] = {
        {logo, false, "<IMG SRC=\"img/logo.gif\" BORDER=0 WIDTH=120 HEIGHT=60>"},
        {ImageProperties(), false, "<IMG SRC=\"\" BORDER=0>"},
        {all, false,
         "<IMG SRC=\"mes images/un logo.gif\" LOWSRC=\"img/flou.gif\" BORDER=2 WIDTH=120 NAME=\"monlogo\""
         " ALT=\"Le &quot;vrai&quot; logo\" HSPACE=4 VSPACE=5 ALIGN=\"absmiddle\" DYNSRC=\"clip.avi\" LOOP=-1"
         " START=MOUSEOVER CONTROLS ISMAP onLoad=\"charge(1,'a b')\" onError=\"panne()\">"},
        {all, true,
         "<INPUT TYPE=\"image\" SRC=\"mes images/un logo.gif\" LOWSRC=\"img/flou.gif\" BORDER=2 WIDTH=120"
         " NAME=\"monlogo\" ALT=\"Le &quot;vrai&quot; logo\" HSPACE=4 VSPACE=5 ALIGN=\"absmiddle\""
         " onLoad=\"charge(1,'a b')\" onError=\"panne()\">"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(BuildImageTag(c.properties, c.formImage), tag(c.expected));
}

TEST(ImageTag, SelectedTagsReadBackAndRewritten)
{
    const struct
    {
        const char *element;
        const char *rewritten;
    } cases[] = {
        // Lower-case names and values are read like upper-case ones.
        {"<img src=\"a.gif\" width=10 height=20 align=absmiddle ismap>",
         "<IMG SRC=\"a.gif\" BORDER=0 WIDTH=10 HEIGHT=20 ALIGN=\"absmiddle\" ISMAP>"},
        // SRC is not read out of LOWSRC or DYNSRC written before it.
        {"<IMG LOWSRC=\"b.gif\" SRC=\"a.gif\">", "<IMG SRC=\"a.gif\" LOWSRC=\"b.gif\" BORDER=0>"},
        {"<IMG DYNSRC=\"v.avi\" SRC=\"a.gif\" LOOP=-1 START=MOUSEOVER CONTROLS>",
         "<IMG SRC=\"a.gif\" BORDER=0 DYNSRC=\"v.avi\" LOOP=-1 START=MOUSEOVER CONTROLS>"},
        {"<IMG SRC=\"a.gif\" DYNSRC=\"v.avi\" LOOP=3>", "<IMG SRC=\"a.gif\" BORDER=0 DYNSRC=\"v.avi\" LOOP=3>"},
        // A clip without LOOP plays once, as a new clip does.
        {"<IMG SRC=\"a.gif\" DYNSRC=\"v.avi\">", "<IMG SRC=\"a.gif\" BORDER=0 DYNSRC=\"v.avi\" LOOP=1>"},
        // Quoted values are read whole, bare ones up to the next blank.
        {"<IMG SRC=a.gif ALT=\"deux mots\" BORDER=2 NAME=nom>",
         "<IMG SRC=\"a.gif\" BORDER=2 NAME=\"nom\" ALT=\"deux mots\">"},
        {"<IMG SRC=\"mon dossier/a b.gif\" ALT=court>", "<IMG SRC=\"mon dossier/a b.gif\" BORDER=0 ALT=\"court\">"},
        // Words inside values switch nothing on.
        {"<IMG SRC=\"top-ismap.gif\" ALT=\"controls\" ALIGN=\"left\">",
         "<IMG SRC=\"top-ismap.gif\" BORDER=0 ALT=\"controls\" ALIGN=\"left\">"},
        {"<IMG SRC=\"a.gif\" ALT=\"a WIDTH=7 ISMAP\">", "<IMG SRC=\"a.gif\" BORDER=0 ALT=\"a WIDTH=7 ISMAP\">"},
        {"<IMG SRC=\"a.gif\" ALIGN=bottom VSPACE=3 HSPACE=2>", "<IMG SRC=\"a.gif\" BORDER=0 HSPACE=2 VSPACE=3>"},
        {"<IMG SRC=\"a.gif\" ALIGN=\"TextTop\">", "<IMG SRC=\"a.gif\" BORDER=0 ALIGN=\"texttop\">"},
        {"<IMG SRC=\"a.gif\" WIDTH=\"50%\" HEIGHT=\"\">", "<IMG SRC=\"a.gif\" BORDER=0 WIDTH=50%>"},
        // Single quotes, blanks around "=", a ">" inside a quoted value.
        {"<IMG SRC='a.gif' WIDTH = \"5\" BORDER=3>", "<IMG SRC=\"a.gif\" BORDER=3 WIDTH=5>"},
        {"<img src=\"a.png\" alt=\"a > b\" width=10>", "<IMG SRC=\"a.png\" BORDER=0 WIDTH=10 ALT=\"a > b\">"},
        {"<IMG SRC=\"a.gif\" onError=\"panne()\" ONLOAD=\"charge(1, 'x')\" onAbort=stop()>",
         "<IMG SRC=\"a.gif\" BORDER=0 onLoad=\"charge(1, 'x')\" onAbort=\"stop()\" onError=\"panne()\">"},
        // Text around the tag, line breaks and tabs between attributes.
        {"voir <IMG\r\nSRC=\"a.gif\"\tWIDTH=5> ici", "<IMG SRC=\"a.gif\" BORDER=0 WIDTH=5>"},
        {"<IMG SRC=\"a.gif", "<IMG SRC=\"a.gif\" BORDER=0>"},
        {"", "<IMG SRC=\"\" BORDER=0>"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(BuildImageTag(ReadImageElement(tag(c.element)), false), tag(c.rewritten)) << c.element;

    EXPECT_EQ(
        BuildImageTag(ReadImageElement(tag("<INPUT TYPE=IMAGE SRC=\"ok.gif\" NAME=go ALT=\"<IMG>\" ISMAP>")), true),
        tag("<INPUT TYPE=\"image\" SRC=\"ok.gif\" BORDER=0 NAME=\"go\" ALT=\"<IMG>\">"));
}

TEST(ImageTag, ReEditingKeepsWhatTheAuthorDidNotChange)
{
    const struct
    {
        const char *element;
        void (*change)(ImageProperties &);
        const char *written;
    } cases[] = {
        {"<img src=\"a.png\" alt=\"a > b\" width=10 title=t class=c id=i style=\"x:y\" usemap=\"#m\" onclick=\"f()\">",
         [](ImageProperties &) {},
         "<img src=\"a.png\" alt=\"a > b\" width=10 title=t class=c id=i style=\"x:y\" usemap=\"#m\" onclick=\"f()\">"},
        {"<img src='images/mon logo.png' ALT=\"\">", [](ImageProperties &p) { p.width = QStringLiteral("20"); },
         "<img src='images/mon logo.png' ALT=\"\" WIDTH=20>"},
        {"<IMG SRC=a.gif BORDER=0 class=x>", [](ImageProperties &p) { p.source = QStringLiteral("b c.gif"); },
         "<IMG SRC=\"b c.gif\" BORDER=0 class=x>"},
        {"<input type=image src='no.gif' alt=Envoyer>", [](ImageProperties &p) { p.alt.clear(); },
         "<input type=image src='no.gif'>"},
    };
    for (const auto &c : cases) {
        const QString element = tag(c.element);
        ImageProperties p = ReadImageElement(element);
        c.change(p);
        EXPECT_EQ(ImageTagToWrite(element, p, element.startsWith(u"<input")), tag(c.written)) << c.element;
    }
}

TEST(ImageTag, OwnTagsReadBackUnchanged)
{
    ImageProperties p;
    p.source = QStringLiteral("dossier/une image.png");
    p.lowSource = QStringLiteral("b.gif");
    p.border = QStringLiteral("3");
    p.width = QStringLiteral("64");
    p.height = QStringLiteral("32%");
    p.name = QStringLiteral("logo");
    p.alt = QStringLiteral("Texte = \"cité\"");
    p.hspace = QStringLiteral("1");
    p.vspace = QStringLiteral("2");
    p.isMap = true;
    p.video = {QStringLiteral("film.avi"), 0, false, true};
    p.events.setCall(JsEvent::onAbort, QStringLiteral("arret()"));
    for (int align = 0; align <= int(ImageAlign::Baseline); ++align) {
        p.align = ImageAlign(align);
        for (const bool form : {false, true}) {
            const QString written = BuildImageTag(p, form);
            const ImageProperties read = ReadImageElement(written);
            EXPECT_EQ(read.align, p.align) << qPrintable(written);
            EXPECT_EQ(BuildImageTag(read, form), written);
        }
    }
}

TEST(ImageTag, FieldRules)
{
    const struct
    {
        const char *typed;
        const char *border;
        const char *size; // picture 64 pixels wide
        const char *space;
    } cases[] = {
        {"", "0", "64", ""},     {"abc", "0", "64", ""},     {"-3", "0", "64", ""},
        {"0", "0", "0", ""},     {" 12 ", "12", "12", "12"}, {"12000", "12000", "9999", "12000"},
        {"50%", "0", "50%", ""},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(BorderFieldText(tag(c.typed)), tag(c.border)) << c.typed;
        EXPECT_EQ(SizeFieldText(tag(c.typed), 64), tag(c.size)) << c.typed;
        EXPECT_EQ(SpaceFieldText(tag(c.typed)), tag(c.space)) << c.typed;
    }
}

TEST(ImageTag, QuickImage)
{
    EXPECT_EQ(QuickImageTag(QStringLiteral("img/a b.gif"), 120, 60),
              tag("<IMG SRC=\"img/a b.gif\" BORDER=0 WIDTH=120 HEIGHT=60>"));
    // A picture whose size could not be read gets no empty WIDTH and HEIGHT.
    EXPECT_EQ(QuickImageTag(QStringLiteral("a.gif"), 0, 0), tag("<IMG SRC=\"a.gif\" BORDER=0>"));
}

struct Page
{
    explicit Page(const char *marked) { setMarked(text, QString::fromUtf8(marked)); }
    MemoryText text;
    UndoHistory undo{text};
    EditorState state;
};

TEST(ImagePlacement, FormImageGoesInsideAFormOrANewOne)
{
    const struct
    {
        const char *page;
        bool reEdit;
        bool confirmForm;
        bool written;
        const char *after;
    } cases[] = {
        {"<FORM>\r\n|</FORM>", false, true, true, "<FORM>\r\n<T>\r\n|</FORM>"},
        // A re-edited tag on its own line keeps one line end.
        {"<FORM>\r\n[<INPUT TYPE=image>]\r\n</FORM>", true, true, true, "<FORM>\r\n<T>|\r\n</FORM>"},
        {"<FORM>[<INPUT TYPE=image>]</FORM>", true, true, true, "<FORM><T>\r\n|</FORM>"},
        {"a|b", false, true, true, "a<FORM>\r\n<T>\r\n</FORM>|b"},
        {"a[<INPUT TYPE=image>]b", true, true, true, "a<FORM>\r\n<T>\r\n</FORM>|b"},
        {"texte|", false, false, false, "texte|"},
    };
    for (const auto &c : cases) {
        Page p(c.page);
        const bool written = WriteFormImageTag(p.text, p.undo, p.state, QStringLiteral("<T>"), c.reEdit, [&] {
            if (c.confirmForm)
                InsertTagPair(p.text, p.undo, p.state, QStringLiteral("<FORM>"), QString(), true, true, ukInsert);
            return c.confirmForm;
        });
        EXPECT_EQ(written, c.written) << c.page;
        EXPECT_EQ(marked(p.text), QString::fromUtf8(c.after)) << c.page;
        if (written) {
            EXPECT_EQ(p.undo.count(), 1) << c.page;
            p.undo.Undo();
            EXPECT_EQ(p.text.text(), QString::fromUtf8(c.page).remove(u'|').remove(u'[').remove(u']')) << c.page;
        }
    }
}

TEST(ImagePlacement, ReEditedImageComesBackOnUndo)
{
    Page p("a[<IMG SRC=\"x.gif\">]b");
    WriteImageTag(p.text, p.undo, p.state, QStringLiteral("<IMG SRC=\"y.gif\" BORDER=0>"), true);
    EXPECT_EQ(marked(p.text), QStringLiteral("a<IMG SRC=\"y.gif\" BORDER=0>|b"));
    p.undo.Undo();
    EXPECT_EQ(p.text.text(), QStringLiteral("a<IMG SRC=\"x.gif\">b"));
}

} // namespace
