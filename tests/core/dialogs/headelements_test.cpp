#include "core/dialogs/headelements.h"

#include "core/markup/editorstate.h"
#include "core/markup/insertion.h"
#include "core/messages/messages.h"
#include "core/text/memorytext.h"
#include "core/undo/undohistory.h"
#include "support/fakeprompts.h"
#include "support/marked.h"
#include "support/qstringprinter.h"

#include <gtest/gtest.h>

namespace {

struct Page
{
    explicit Page(const QString &markedText) { setMarked(text, markedText); }
    MemoryText text;
    UndoHistory undo{text};
    EditorState state;
};

TEST(HeadElements, EachPageMakesItsElement)
{
    HeadFields refresh;
    refresh.metaPreset = MetaRefresh;
    refresh.metaEquiv = QStringLiteral("Refresh");
    refresh.metaContent = QStringLiteral("page2.htm");
    refresh.delay = 5;
    HeadFields plain;
    plain.metaEquiv = QStringLiteral("Expires");
    plain.metaName = QStringLiteral("n");
    plain.metaContent = QStringLiteral("c");
    plain.metaUrl = QStringLiteral("u.htm");
    HeadFields cache;
    cache.metaPreset = MetaExtCache;
    cache.metaEquiv = MetaPresetEquiv(MetaExtCache);
    cache.metaContent = QStringLiteral("name=x");
    cache.metaName = QStringLiteral("i");
    HeadFields contentOnly; // no HTTP-EQUIV: nothing
    contentOnly.metaContent = QStringLiteral("c");
    HeadFields all;
    all.baseUrl = QStringLiteral("http://site/");
    all.baseTarget = QStringLiteral("cadre 1");
    all.metaPreset = MetaAuthor;
    all.metaEquiv = QStringLiteral("Author");
    all.metaContent = QStringLiteral("Moi");
    all.link = QStringLiteral("sommaire.htm");
    all.relation = QStringLiteral("Contents");
    all.reverseRelation = QStringLiteral("Index");
    all.indexAction = QStringLiteral("cherche.cgi");
    all.indexPrompt = QStringLiteral("Mot:");
    HeadFields quotes; // the one escaping rule: quotes and "&" before a name
    quotes.metaPreset = MetaKeywords;
    quotes.metaEquiv = QStringLiteral("Keywords");
    quotes.metaContent = QStringLiteral("éditeur, \"HTML\" & tableaux, &copy;");
    HeadFields zeroDelay = refresh;
    zeroDelay.delay = 0;

    const struct
    {
        HeadFields fields;
        QStringList elements;
    } cases[] = {
        {refresh, {"<META HTTP-EQUIV=\"Refresh\" CONTENT=\"5;URL=page2.htm\">\r\n"}},
        {zeroDelay, {"<META HTTP-EQUIV=\"Refresh\" CONTENT=\"1;URL=page2.htm\">\r\n"}},
        {plain, {"<META HTTP-EQUIV=\"Expires\" NAME=\"n\" CONTENT=\"c\" URL=\"u.htm\">\r\n"}},
        {cache, {"<META HTTP-EQUIV=\"Ext-cache\" CONTENT=\"name=x;instructions=i\">\r\n"}},
        {contentOnly, {}},
        {quotes, {"<META HTTP-EQUIV=\"Keywords\" CONTENT=\"éditeur, &quot;HTML&quot; & tableaux, &amp;copy;\">\r\n"}},
        {all,
         {"<BASE HREF=\"http://site/\" TARGET=\"cadre1\">\r\n", "<META HTTP-EQUIV=\"Author\" CONTENT=\"Moi\">\r\n",
          "<ISINDEX ACTION=\"cherche.cgi\" PROMPT=\"Mot:\">\r\n",
          "<LINK HREF=\"sommaire.htm\" REL=Contents REV=Index>\r\n"}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(HeadElements(c.fields), c.elements);
}

TEST(HeadElements, PresetsShowTheirFields)
{
    const struct
    {
        int preset;
        QString equiv;
        bool name, instructions, url, delay, browse;
    } cases[] = {
        {MetaNone, "", true, false, true, false, false},
        {MetaRefresh, "Refresh", false, false, false, true, true},
        {MetaExtCache, "Ext-cache", true, true, false, false, false},
        {MetaKeywords, "Keywords", false, false, false, false, false},
    };
    for (const auto &c : cases) {
        const MetaFieldsShown shown = MetaFieldsFor(c.preset);
        EXPECT_EQ(MetaPresetEquiv(c.preset), c.equiv);
        EXPECT_EQ(shown.name, c.name) << c.preset;
        EXPECT_EQ(shown.instructions, c.instructions) << c.preset;
        EXPECT_EQ(shown.url, c.url) << c.preset;
        EXPECT_EQ(shown.delay, c.delay) << c.preset;
        EXPECT_EQ(shown.contentBrowse, c.browse) << c.preset;
    }
}

TEST(HeadElements, BaseAndMetaAreTwoStepsAndRepeatGivesTheMetaLine)
{
    Page page("<HTML><HEAD>\r\n</HEAD>\r\n<BODY>|</BODY>");
    FakePrompts prompts;
    prompts.answers = {Prompts::Answer::Yes};
    HeadFields fields;
    fields.baseUrl = QStringLiteral("a.htm");
    fields.metaPreset = MetaKeywords;
    fields.metaEquiv = QStringLiteral("Keywords");
    fields.metaContent = QStringLiteral("html");
    InsertHeadElements(page.text, page.undo, page.state, prompts, fields);
    EXPECT_EQ(prompts.asked, QStringList{msg(56)});
    const QString meta = QStringLiteral("<META HTTP-EQUIV=\"Keywords\" CONTENT=\"html\">\r\n");
    EXPECT_EQ(page.text.text(), QStringLiteral("<HTML><HEAD>\r\n<BASE HREF=\"a.htm\">\r\n") + meta
                                    + QStringLiteral("</HEAD>\r\n<BODY></BODY>"));
    EXPECT_EQ(page.undo.count(), 2);
    page.text.setSelectionStart(0);
    RepeatLastCommand(page.text, page.undo, page.state);
    EXPECT_TRUE(page.text.text().startsWith(meta));
    page.undo.Undo();
    page.undo.Undo();
    EXPECT_EQ(page.text.text(), QStringLiteral("<HTML><HEAD>\r\n<BASE HREF=\"a.htm\">\r\n</HEAD>\r\n<BODY></BODY>"));
}

TEST(HeadElements, AnsweringNoOrAPageWithoutHeadInsertsAtTheCaret)
{
    HeadFields fields;
    fields.indexAction = QStringLiteral("q");
    const struct
    {
        QString page;
        Prompts::Answer answer;
        QString after;
        int questions;
    } cases[] = {
        {"<HEAD></HEAD>x|", Prompts::Answer::No, "<HEAD></HEAD>x<ISINDEX ACTION=\"q\">\r\n|", 1},
        {"x|y", Prompts::Answer::Yes, "x<ISINDEX ACTION=\"q\">\r\n|y", 0},
    };
    for (const auto &c : cases) {
        Page page(c.page);
        FakePrompts prompts;
        prompts.answers = {c.answer};
        InsertHeadElements(page.text, page.undo, page.state, prompts, fields);
        EXPECT_EQ(marked(page.text), c.after);
        EXPECT_EQ(prompts.asked.size(), c.questions);
    }
}

TEST(Title, ReadAndWritten)
{
    const struct
    {
        QString before;
        QString read;
        QString title;
        QString after;
    } cases[] = {
        // an existing title, over two lines, is replaced as a whole
        {"<TITLE>Vieux\r\ntitre</TITLE>\r\n[mot]", "Vieux titre", "Neuf", "<TITLE>Neuf</TITLE>\r\n[mot]"},
        // none: before "</HEAD>", the selection following its text
        {"<HEAD>\r\n</HEAD>\r\n<BODY>[x]", "", "T", "<HEAD>\r\n<TITLE>T</TITLE></HEAD>\r\n<BODY>[x]"},
        // neither title nor "</HEAD>": at the selection's start
        {"a[b]c", "", "T", "a<TITLE>T</TITLE>[b]c"},
        {"<TITLE></TITLE>|", "", "T", "<TITLE>T</TITLE>|"},
    };
    for (const auto &c : cases) {
        Page page(c.before);
        EXPECT_EQ(ReadTitle(page.text), c.read) << qPrintable(c.before);
        WriteTitle(page.text, page.undo, page.state, c.title);
        EXPECT_EQ(marked(page.text), c.after) << qPrintable(c.before);
        EXPECT_EQ(page.undo.count(), 1);
        page.undo.Undo();
        EXPECT_EQ(page.text.text(), Page(c.before).text.text());
    }
}

} // namespace
