#include "core/completion/completioncontext.h"
#include "core/completion/tagcatalog.h"
#include "core/completion/tagscan.h"
#include "core/text/linestore.h"
#include "core/text/memorytext.h"
#include "core/undo/typingedits.h"
#include "core/undo/undohistory.h"

#include <gtest/gtest.h>

namespace {

// A page written with "|" where the caret is and "^" before the name a
// search should find; lines end with "\n".
struct MarkedPage
{
    LineStore lines;
    int caretLine = -1, caretColumn = -1, markLine = -1, markColumn = -1;

    explicit MarkedPage(QString text)
    {
        const qsizetype caret = text.indexOf(u'|');
        const qsizetype mark = text.indexOf(u'^');
        // Each marker's place once the other is gone.
        const auto place = [&](qsizetype at, qsizetype other, int &line, int &column) {
            if (at < 0)
                return;
            QString before = text.left(at);
            if (other >= 0 && other < at)
                before.remove(other, 1);
            line = int(before.count(u'\n'));
            column = int(before.size() - before.lastIndexOf(u'\n') - 1);
        };
        place(caret, mark, caretLine, caretColumn);
        place(mark, caret, markLine, markColumn);
        text.remove(u'|');
        text.remove(u'^');
        lines = LineStore(text);
    }
};

const TagCatalog &referenceCatalog()
{
    static const TagCatalog catalog(
        loadTagReference(QStringLiteral(TESSALINE_SOURCE_DIR "/data/htmldesc.ref")).entries);
    return catalog;
}

struct ContextCase
{
    const char *page;
    CompletionContext::Kind kind;
    const char *prefix;
    const char *element;
};

void PrintTo(const ContextCase &c, std::ostream *os)
{
    *os << c.page;
}

class Context : public testing::TestWithParam<ContextCase>
{
};

TEST_P(Context, ReadsWhatTheCaretTypes)
{
    const ContextCase &c = GetParam();
    const MarkedPage page(QString::fromUtf8(c.page));
    const CompletionContext context = completionContext(page.lines, page.caretLine, page.caretColumn);
    EXPECT_EQ(context.kind, c.kind);
    if (c.kind == CompletionContext::None)
        return;
    EXPECT_EQ(context.prefix, QString::fromUtf8(c.prefix));
    EXPECT_EQ(context.prefixColumn, page.caretColumn - int(context.prefix.size()));
    EXPECT_EQ(context.element, QString::fromUtf8(c.element));
}

INSTANTIATE_TEST_SUITE_P(
    Completion, Context,
    testing::Values(ContextCase{"<P><di|", CompletionContext::ElementName, "di", ""},
                    ContextCase{"<|", CompletionContext::None, "", ""},
                    ContextCase{"a < b|", CompletionContext::None, "", ""},
                    ContextCase{"<!-- <di|", CompletionContext::None, "", ""},
                    ContextCase{"<SCRIPT>if (a<b|", CompletionContext::None, "", ""},
                    ContextCase{"<a href=\"x\" |", CompletionContext::AttributeName, "", "a"},
                    ContextCase{"<A HREF='x' ti|", CompletionContext::AttributeName, "ti", "A"},
                    ContextCase{"<A TITLE=\"a b|", CompletionContext::None, "", ""},
                    ContextCase{"<A HREF=|", CompletionContext::None, "", ""},
                    ContextCase{"<IMG SRC=\"a.gif\"\n  al|", CompletionContext::AttributeName, "al", "IMG"},
                    ContextCase{"<P>x</P> |", CompletionContext::None, "", ""},
                    ContextCase{"</A |", CompletionContext::None, "", ""},
                    ContextCase{"<DIV><P>x</P></|", CompletionContext::EndTag, "", "DIV"},
                    ContextCase{"<div>\n<div>\n</div>\n</d|", CompletionContext::EndTag, "d", "div"},
                    ContextCase{"<UL><LI>a<BR><IMG SRC=x></|", CompletionContext::EndTag, "", "LI"},
                    ContextCase{"<A TITLE='>'>x<!-- <B> --></|", CompletionContext::EndTag, "", "A"},
                    ContextCase{"<B>x</B></|", CompletionContext::None, "", ""},
                    ContextCase{"<P><SCRIPT>\nx = 1;\n</|", CompletionContext::EndTag, "", "SCRIPT"}));

struct CandidateCase
{
    CompletionContext::Kind kind;
    const char *prefix;
    const char *element;
    QStringList expected;
};

TEST(Completion, CandidatesComeFromTheReference)
{
    const CandidateCase cases[] = {
        {CompletionContext::ElementName, "ta", "", {"TABLE"}},
        {CompletionContext::ElementName, "H", "", {"H1", "H2", "H3", "H4", "H5", "H6", "HEAD", "HR", "HTML"}},
        {CompletionContext::ElementName, "!", "", {}},
        {CompletionContext::AttributeName, "a", "img", {"ALIGN", "ALT"}},
        {CompletionContext::AttributeName, "on", "A", {"ONCLICK", "ONMOUSEOUT", "ONMOUSEOVER"}},
        {CompletionContext::AttributeName, "col", "th", {"COLSPAN"}},
        {CompletionContext::AttributeName, "", "AREA", {"ALT", "COORDS", "HREF", "NOHREF", "SHAPE", "TARGET"}},
        {CompletionContext::AttributeName,
         "",
         "APPLET",
         {"ALIGN", "ALT", "ARCHIVE", "CODE", "CODEBASE", "HEIGHT", "HSPACE", "NAME", "VSPACE", "WIDTH"}},
        {CompletionContext::AttributeName, "", "nosuch", {}},
        {CompletionContext::EndTag, "d", "div", {"DIV>"}},
        {CompletionContext::EndTag, "x", "div", {}},
    };
    for (const CandidateCase &c : cases) {
        CompletionContext context;
        context.kind = c.kind;
        context.prefix = QString::fromUtf8(c.prefix);
        context.element = QString::fromUtf8(c.element);
        EXPECT_EQ(completionCandidates(referenceCatalog(), context), c.expected) << c.prefix << " " << c.element;
    }
}

struct AcceptCase
{
    const char *name;
    const char *before; // the page before typing, "|" the caret
    const char *typed;  // typed in one run (empty: nothing typed)
    bool insertMode;
    int prefixLength;
    const char *accepted;
    const char *after;  // the page after accepting
    const char *undone; // the page after one undo
};

TEST(Completion, AcceptedNameIsOneUndoStepWithTheTypedLetters)
{
    const AcceptCase cases[] = {
        {"typed run", "x|", "<di", true, 2, "DIV", "x<DIV", "x"},
        {"overwrite run", "<|abcd", "ta", false, 2, "TABLE", "<TABLEcd", "<abcd"},
        {"letters from an earlier step", "<di|", "", true, 2, "DIV", "<DIV", "<di"},
        {"end tag", "<B>x</|", "", true, 0, "B>", "<B>x</B>", "<B>x</"},
    };
    for (const AcceptCase &c : cases) {
        QString before = QString::fromUtf8(c.before);
        const int caret = int(before.indexOf(u'|'));
        before.remove(caret, 1);
        MemoryText text(before);
        UndoHistory history(text);
        text.setSelectionStart(caret);
        if (*c.typed)
            TypingEdits(text, history).typeText(QString::fromUtf8(c.typed), c.insertMode);
        acceptCompletion(text, history, c.prefixLength, QString::fromUtf8(c.accepted));
        EXPECT_EQ(text.text(), QString::fromUtf8(c.after)) << c.name;
        EXPECT_EQ(text.selectionStart(),
                  int(text.text().lastIndexOf(QString::fromUtf8(c.accepted))) + int(strlen(c.accepted)))
            << c.name;
        history.Undo();
        EXPECT_EQ(text.text(), QString::fromUtf8(c.undone)) << c.name;
    }
}

struct MatchCase
{
    const char *page; // "|" in the tag name, "^" before the name that matches it
};

void PrintTo(const MatchCase &c, std::ostream *os)
{
    *os << c.page;
}

class Matching : public testing::TestWithParam<MatchCase>
{
};

TEST_P(Matching, FindsTheOtherTagOfTheElement)
{
    const MarkedPage page(QString::fromUtf8(GetParam().page));
    const auto at = tagscan::tagNameAt(page.lines, page.caretLine, page.caretColumn);
    const auto match = at ? tagscan::matchingTag(page.lines, *at) : std::nullopt;
    if (page.markLine < 0) {
        EXPECT_FALSE(match.has_value());
        return;
    }
    ASSERT_TRUE(match.has_value());
    EXPECT_EQ(match->line, page.markLine);
    EXPECT_EQ(match->column, page.markColumn);
    // And back again.
    const auto back = tagscan::matchingTag(page.lines, *match);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, *at);
}

INSTANTIATE_TEST_SUITE_P(Completion, Matching,
                         testing::Values(MatchCase{"<D|IV><DIV></DIV></^DIV>"}, MatchCase{"<^DIV><div>x</div></DIV|>"},
                                         MatchCase{"<|div>\n<DIV>\n</div>\n</^DIV>"},
                                         MatchCase{"<B|><!-- </B> -->x</^B>"},
                                         MatchCase{"<A| TITLE=\"</A>\" HREF='>'>x</^A>"}, MatchCase{"<B|>x<BR>y</^b>"},
                                         MatchCase{"<SCRIPT|>if (a</b) x = '</B>';</^SCRIPT>"},
                                         MatchCase{"<B|>x<B>y</B>"}, MatchCase{"<BR|><BR></BR>"},
                                         MatchCase{"<B|>x</BIG>"}, MatchCase{"text |<B>"}));

TEST(Completion, SearchesGiveUpBeyondTheirLimit)
{
    // An element opened far before the caret: found within the limit, not
    // beyond it, on a long line as on many lines.
    for (const QString &filler : {QString(200000, u'x'), QStringLiteral("<P>x</P>\n").repeated(20000)}) {
        const LineStore lines(QStringLiteral("<DIV>") + filler + QStringLiteral("</"));
        const int line = lines.lineCount() - 1;
        const int column = lines.lineLength(line) - 2;
        EXPECT_TRUE(tagscan::innermostOpenElement(lines, line, column, 1 << 20).has_value());
        EXPECT_FALSE(tagscan::innermostOpenElement(lines, line, column, 50000).has_value());
        const tagscan::TagMark open{0, 1, 3, false};
        EXPECT_FALSE(tagscan::matchingTag(lines, open, 50000).has_value());
    }
}

} // namespace
