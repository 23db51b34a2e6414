#include "core/frameset/framesetwriter.h"
#include "core/markup/editorstate.h"
#include "core/messages/messages.h"
#include "core/text/memorytext.h"
#include "core/undo/undohistory.h"
#include "framesetlayouts.h"
#include "support/fakeprompts.h"

#include <gtest/gtest.h>

namespace {

using FramesetLayouts::drawn;

QString frame(const char *indent, const char *letter)
{
    return QStringLiteral("%1<FRAME NAME=\"%2\" SRC=\"%3.htm\">\r\n")
        .arg(QLatin1String(indent), QLatin1String(letter), QString::fromLatin1(letter).toLower());
}

QString lines(std::initializer_list<QString> parts)
{
    QString s;
    for (const QString &p : parts)
        s += p.endsWith(QLatin1String("\r\n")) ? p : p + QStringLiteral("\r\n");
    return s;
}

FramesetAttributes noNoframes()
{
    FramesetAttributes a;
    a.NoFramesOption = false;
    return a;
}

struct CutCase
{
    const char *name;
    QStringList rows;
    QString expected; // empty: message 48
};

TEST(FramesetLines, CutsLayoutsIntoNestedFramesets)
{
    const CutCase cases[] = {
        {"two columns",
         {"AB"},
         lines({"<FRAMESET COLS=\"50%,*\">", frame("  ", "A"), frame("  ", "B"), "</FRAMESET>"})},
        {"three columns nest the last two",
         {"ABC"},
         lines({"<FRAMESET COLS=\"33%,*\">", frame("  ", "A"), "  <FRAMESET COLS=\"50%,*\">", frame("    ", "B"),
                frame("    ", "C"), "  </FRAMESET>", "</FRAMESET>"})},
        {"a cut crossed in a middle row only is refused",
         {"ABC", "ADD", "EEF"},
         lines({"<FRAMESET ROWS=\"66%,*\">", "  <FRAMESET COLS=\"33%,*\">", frame("    ", "A"),
                "    <FRAMESET ROWS=\"50%,*\">", "      <FRAMESET COLS=\"50%,*\">", frame("        ", "B"),
                frame("        ", "C"), "      </FRAMESET>", frame("      ", "D"), "    </FRAMESET>", "  </FRAMESET>",
                "  <FRAMESET COLS=\"66%,*\">", frame("    ", "E"), frame("    ", "F"), "  </FRAMESET>",
                "</FRAMESET>"})},
        {"pinwheel", {"AAB", "DEB", "DCC"}, QString()},
        {"pinwheel inside a column", {"XAAB", "XDEB", "XDCC"}, QString()},
    };
    for (const CutCase &c : cases) {
        const FramesetText out = FramesetLines(drawn(c.rows), noNoframes(), false);
        if (c.expected.isEmpty()) {
            EXPECT_EQ(out.failure, 48) << c.name;
            EXPECT_TRUE(out.pieces.empty()) << c.name;
        } else {
            EXPECT_EQ(out.joined(), c.expected) << c.name;
        }
    }
}

TEST(FramesetLines, FramesetAttributesAndNoframes)
{
    FramesetAttributes a;
    a.onLoad = QStringLiteral("debut()");
    a.onUnload = QStringLiteral("fin()");
    a.FrameSpacing = 0;
    a.FramesetFrameBorder = false;
    a.FramesetBorderColor = QStringLiteral("#FF0000");
    const QString rest = QStringLiteral(" FRAMESPACING=\"0\" FRAMEBORDER=\"no\" BORDERCOLOR=\"#FF0000\">");
    EXPECT_EQ(FramesetLines(drawn({"ABC"}), a, false).joined(),
              lines({"<FRAMESET COLS=\"33%,*\" onLoad=\"debut()\" onUnload=\"fin()\"" + rest, frame("  ", "A"),
                     "  <FRAMESET COLS=\"50%,*\"" + rest, frame("    ", "B"), frame("    ", "C"), "  </FRAMESET>",
                     "<NOFRAMES>", "</NOFRAMES>", "</FRAMESET>"}));
    FramesetAttributes b;
    b.FramesetBorder = 0;
    EXPECT_EQ(FramesetLines(drawn({"AB"}), b, true).joined(),
              lines({"<FRAMESET COLS=\"50%,*\" BORDER=\"0\">", frame("  ", "A"), frame("  ", "B"), "<NOFRAMES>",
                     "[BODY]\r\n</NOFRAMES>", "</FRAMESET>"}));
}

TEST(FramesetLines, FrameLineAttributes)
{
    const struct
    {
        void (*change)(FrameRec &);
        const char *expected;
    } cases[] = {
        {[](FrameRec &) {}, "<FRAME NAME=\"n\" SRC=\"s.htm\">"},
        {[](FrameRec &f) { f.Scrolling = 1, f.MarginWidth = 0; },
         "<FRAME NAME=\"n\" SRC=\"s.htm\" SCROLLING=\"yes\" MARGINWIDTH=\"0\">"},
        {[](FrameRec &f) {
             f.Scrolling = 2, f.MarginHeight = 0, f.NoResize = true, f.FrameBorder = false;
             f.BorderColor = QStringLiteral("#00FF00");
         },
         "<FRAME NAME=\"n\" SRC=\"s.htm\" SCROLLING=\"no\" MARGINHEIGHT=\"0\" NORESIZE FRAMEBORDER=\"no\" "
         "BORDERCOLOR=\"#00FF00\">"},
    };
    for (const auto &c : cases) {
        FrameRec f;
        f.Name = QStringLiteral("n");
        f.Src = QStringLiteral("s.htm");
        c.change(f);
        EXPECT_EQ(FrameLine(f, QString()), QString::fromUtf8(c.expected) + QStringLiteral("\r\n"));
    }
}

TEST(FramesetLines, ChecksBeforeWriting)
{
    FramesetLayout merged = drawn({"AA", "AA"});
    FramesetLayout unnamed = drawn({"AB"});
    unnamed.frame(1, 0).Src.clear();
    const struct
    {
        FramesetLayout layout;
        FramesetCheck expected;
    } cases[] = {
        {drawn({"A"}), FramesetCheck::SingleFrame},
        {merged, FramesetCheck::SingleFrame},
        {unnamed, FramesetCheck::MissingNameOrSource},
        {drawn({"AB"}), FramesetCheck::Ready},
    };
    for (const auto &c : cases)
        EXPECT_EQ(CheckFramesetLayout(c.layout), c.expected);
}

// Random layouts: each frame is written exactly once, or the layout is
// refused as a whole.
TEST(FramesetLines, EveryFrameOnceOrRefused)
{
    std::mt19937 rng(5150);
    int written = 0;
    for (int run = 0; run < 600; ++run) {
        const FramesetLayout layout = FramesetLayouts::random(rng);
        ASSERT_EQ(layout.invariantBreach(), QString());
        const FramesetText out = FramesetLines(layout, noNoframes(), false);
        if (!out.ok() || layout.owners().size() < 2)
            continue;
        ++written;
        const QString text = out.joined();
        for (const SlotPos &p : layout.owners()) {
            const QString name = QStringLiteral("NAME=\"%1\"").arg(layout.frame(p.column, p.row).Name);
            EXPECT_EQ(text.count(name), 1) << text.toStdString();
        }
        EXPECT_EQ(text.count(QLatin1String("<FRAMESET")), text.count(QLatin1String("</FRAMESET>")));
    }
    EXPECT_GT(written, 300);
}

struct WriteCase
{
    const char *name;
    QString page;
    bool noframes;
    std::deque<Prompts::Answer> answers;
    QString expected;
    QStringList asked;
    QStringList shown;
    QStringList layout = {"AB"};
    int failure = 0;
};

TEST(WriteFrameset, BodyHandlingRefusalAndOneUndoStep)
{
    const QString frames = lines({"<FRAMESET COLS=\"50%,*\">", frame("  ", "A"), frame("  ", "B")});
    const QString page = QStringLiteral("<HTML>\r\n<body>\r\nTexte\r\n</BODY>\r\n</HTML>");
    const WriteCase cases[] = {
        {"empty page", QString(), true, {}, frames + lines({"<NOFRAMES>", "</NOFRAMES>", "</FRAMESET>"}), {}, {}},
        {"body moved into NOFRAMES",
         page,
         true,
         {Prompts::Answer::Yes},
         QStringLiteral("<HTML>\r\n") + frames + QStringLiteral("<NOFRAMES>\r\n<body>\r\nTexte\r\n</BODY>\r\n")
             + lines({"</NOFRAMES>", "</FRAMESET>"}) + QStringLiteral("\r\n</HTML>"),
         {msg(50)},
         {}},
        {"a stray end tag before the body is not taken for its end",
         QStringLiteral("<!-- </BODY> -->\r\n<BODY>\r\nx\r\n</BODY>"),
         true,
         {Prompts::Answer::Yes},
         QStringLiteral("<!-- </BODY> -->\r\n") + frames + QStringLiteral("<NOFRAMES>\r\n<BODY>\r\nx\r\n</BODY>\r\n")
             + lines({"</NOFRAMES>", "</FRAMESET>"}),
         {msg(50)},
         {}},
        {"body left alone",
         page,
         true,
         {Prompts::Answer::No},
         frames + lines({"<NOFRAMES>", "</NOFRAMES>", "</FRAMESET>"}) + page,
         {msg(50)},
         {}},
        {"no NOFRAMES: frames before the body",
         page,
         false,
         {},
         QStringLiteral("<HTML>\r\n") + frames + lines({"</FRAMESET>"})
             + QStringLiteral("<body>\r\nTexte\r\n</BODY>\r\n</HTML>"),
         {},
         {QStringLiteral("information:") + msg(51)}},
        {"a layout that cannot be cut touches nothing",
         page,
         true,
         {},
         page,
         {},
         {QStringLiteral("warning:") + msg(48)},
         {"AAB", "DEB", "DCC"},
         48},
    };
    for (const WriteCase &c : cases) {
        MemoryText text(c.page);
        UndoHistory undo(text);
        EditorState state;
        FakePrompts prompts;
        prompts.answers = c.answers;
        FramesetAttributes a;
        a.NoFramesOption = c.noframes;
        EXPECT_EQ(WriteFrameset(text, undo, state, prompts, drawn(c.layout), a), c.failure) << c.name;
        EXPECT_EQ(text.text(), c.expected) << c.name;
        EXPECT_EQ(prompts.asked, c.asked) << c.name;
        EXPECT_EQ(prompts.shown, c.shown) << c.name;
        if (undo.CanUndo())
            undo.Undo();
        EXPECT_EQ(text.text(), c.page) << c.name;
        EXPECT_FALSE(undo.CanUndo()) << c.name;
    }
}

} // namespace
