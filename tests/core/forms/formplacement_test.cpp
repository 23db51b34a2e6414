#include "core/forms/formplacement.h"

#include "core/markup/editorstate.h"
#include "core/markup/insertion.h"
#include "core/text/memorytext.h"
#include "core/undo/undohistory.h"
#include "support/marked.h"

#include <gtest/gtest.h>

namespace {

TEST(FormPlacement, OnlyAFormThatEnclosesTheCaretCounts)
{
    const struct
    {
        const char *page; // "|" marks the caret
        bool inside;
    } cases[] = {
        {"<FORM>|</FORM>", true},
        {"<form action=\"x\">\r\na|b\r\n</form >", true},
        {"<FORM></FORM>|", false},
        {"<FORM>a</FORM> | <FORM>b</FORM>", false},
        {"<FORM>a</FORM><FORM>b|</FORM>", true},
        {"<FORM>never closed|", false},
        {"<FORMULE>|</FORM>", false},
        {"<FORM></FO|RM>", false},
    };
    for (const auto &c : cases) {
        QString page = QString::fromUtf8(c.page);
        const int caret = int(page.indexOf(u'|'));
        page.remove(caret, 1);
        EXPECT_EQ(IsInsideForm(page, caret), c.inside) << c.page;
    }
}

struct Page
{
    explicit Page(const char *marked) { setMarked(text, QString::fromUtf8(marked)); }
    MemoryText text;
    UndoHistory undo{text};
    EditorState state;
};

TEST(FormPlacement, ControlGoesAloneOrInsideANewForm)
{
    const struct
    {
        const char *page;
        bool asksForm;
        bool confirmForm;
        bool written;
        const char *after;
    } cases[] = {
        {"<FORM>\r\n|</FORM>", false, true, true, "<FORM>\r\n<BR>\r\n|</FORM>"},
        {"<FORM></FORM>\r\n[sel]", true, true, true, "<FORM></FORM>\r\n<FORM>\r\n<BR>\r\n</FORM>|sel"},
        {"texte|", true, false, false, "texte|"},
        // A caret inside a FORM tag (found by fuzzing) never splits it.
        {"texte <FORM|>b</FORM>", false, true, true, "texte <FORM><BR>\r\n|b</FORM>"},
        {"a <FORM ACTION=\"x>|y\">b</FORM>", false, true, true, "a <FORM ACTION=\"x>y\"><BR>\r\n|b</FORM>"},
    };
    for (const auto &c : cases) {
        Page p(c.page);
        bool asked = false;
        const bool written = WriteFormControl(p.text, p.undo, p.state, QStringLiteral("<BR>\r\n"), [&] {
            asked = true;
            if (c.confirmForm)
                InsertTagPair(p.text, p.undo, p.state, QStringLiteral("<FORM>"), QString(), true, true, ukInsert);
            return c.confirmForm;
        });
        EXPECT_EQ(written, c.written) << c.page;
        EXPECT_EQ(asked, c.asksForm) << c.page;
        EXPECT_EQ(marked(p.text), QString::fromUtf8(c.after)) << c.page;
        if (written) {
            EXPECT_EQ(p.undo.count(), 1) << c.page;
            p.undo.Undo();
            EXPECT_EQ(p.text.text(), QString::fromUtf8(c.page).remove(u'|').remove(u'[').remove(u']')) << c.page;
        }
    }
}

} // namespace
