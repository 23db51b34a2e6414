#include "core/dialogs/links.h"

#include "core/markup/editorstate.h"
#include "core/text/memorytext.h"
#include "core/undo/undohistory.h"
#include "support/marked.h"
#include "support/qstringprinter.h"

#include <gtest/gtest.h>

namespace {

TEST(Links, ProtocolChoiceSwapsPrefixes)
{
    ProtocolChoice choice;
    const struct
    {
        int item;
        QString address;
    } steps[] = {
        {1, "http://page.htm"}, {3, "ftp://page.htm"}, {0, "page.htm"}, {8, "mailto:page.htm"}, {9, "news:page.htm"},
        {4, "file://page.htm"}, {0, "page.htm"},       {0, "page.htm"}, // "-----" again: nothing left to remove
    };
    QString address = QStringLiteral("page.htm");
    for (const auto &s : steps) {
        address = choice.choose(address, s.item);
        EXPECT_EQ(address, s.address) << s.item;
    }
    // A prefix typed by hand that is not the previous protocol's stays.
    ProtocolChoice fresh;
    EXPECT_EQ(fresh.choose(QStringLiteral("ftp://x"), 1), QStringLiteral("http://ftp://x"));
}

TEST(Links, ExternalStartTags)
{
    const struct
    {
        ExternalLink link;
        QString tag;
    } cases[] = {
        {{"page.htm", "", "", "", ""}, "<A HREF=\"page.htm\">"},
        {{"page.htm", "haut", "", "", ""}, "<A HREF=\"page.htm#haut\">"},
        {{"page.htm", "", "mon-lien 1", "_blank", ""}, "<A HREF=\"page.htm\" NAME=\"monlien1\" TARGET=\"_blank\">"},
        {{"x.htm", "", "", "cadre droit", " onClick=\"go()\""},
         "<A HREF=\"x.htm\" TARGET=\"cadredroit\" onClick=\"go()\">"},
        {{"a\"b.htm?x=1&y=2", "", "", "", ""}, "<A HREF=\"a&quot;b.htm?x=1&amp;y=2\">"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ExternalLinkStartTag(c.link), c.tag);
    EXPECT_EQ(InternalLinkStartTag(QStringLiteral("bas de page"), QStringLiteral("n°1"), QString()),
              QStringLiteral("<A HREF=\"#bas de page\" NAME=\"n1\">"));
}

TEST(Links, DestinationsOfAPage)
{
    const struct
    {
        QString page;
        QStringList names;
    } cases[] = {
        {"<a name=\"Haut\">x</a> <A  NAME = \"bas\"></A>", {"Haut", "bas"}},
        {"<A HREF=\"#x\" NAME=\"y\"> <a name='z'> <a name=w title=\"<a name=v>\">", {"y", "z", "w"}},
        {"<A NAME=\"\"><A NAME=\"ok\">", {"ok"}},
        {"<A NAME=\"ouvert", {}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ReadDestinations(c.page), c.names) << qPrintable(c.page);
}

TEST(Links, LocalFilesAndPreview)
{
    EXPECT_EQ(LocalLinkFile(QStringLiteral("a.htm"), ProtocolNone), QStringLiteral("a.htm"));
    EXPECT_EQ(LocalLinkFile(QStringLiteral("file://a.htm"), ProtocolFile), QStringLiteral("a.htm"));
    EXPECT_EQ(LocalLinkFile(QStringLiteral("http://a.htm"), 1), QString());
    for (const char *name : {"a.HTM", "b.html", "c.Txt"})
        EXPECT_TRUE(IsPreviewableFile(QLatin1String(name))) << name;
    for (const char *name : {"a.gif", "b.htm.bak", ""})
        EXPECT_FALSE(IsPreviewableFile(QLatin1String(name))) << name;
}

// The anchor wraps the destination line as its own step; the user's
// selection stays on the same text.
TEST(Links, CreateAnchorKeepsTheSelectionOnItsText)
{
    const struct
    {
        QString before;
        int line;
        QString after;
    } cases[] = {
        {"[mot]\r\nligne", 1, "[mot]\r\n<A NAME=\"n\">ligne</A>"},
        {"ligne\r\nun |mot", 0, "<A NAME=\"n\">ligne</A>\r\nun |mot"},
        {"[a\r\nligne\r\nb]", 1, "[a\r\n<A NAME=\"n\">ligne</A>\r\nb]"},
        {"li[gne\r\nb]", 0, "<A NAME=\"n\">li[gne</A>\r\nb]"},
        {"a\r\n\r\n[b]", 1, "a\r\n<A NAME=\"n\"></A>\r\n[b]"},
    };
    for (const auto &c : cases) {
        MemoryText text;
        UndoHistory undo(text);
        EditorState state;
        setMarked(text, c.before);
        CreateAnchor(text, undo, state, QStringLiteral("n"), c.line);
        EXPECT_EQ(marked(text), c.after) << qPrintable(c.before);
        EXPECT_EQ(undo.count(), 1);
    }
}

} // namespace
