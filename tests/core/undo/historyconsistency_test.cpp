#include "core/markup/editorstate.h"
#include "core/markup/insertion.h"
#include "core/shell/pageheader.h"
#include "core/text/memorytext.h"
#include "core/undo/typingedits.h"
#include "core/undo/undohistory.h"
#include "support/marked.h"
#include "support/qstringprinter.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <functional>

namespace {

struct Page
{
    explicit Page(const QString &markedText) { setMarked(text, markedText); }
    MemoryText text;
    UndoHistory undo{text};
    EditorState state;
    TypingEdits edits{text, undo};
};

using Step = std::function<void(Page &)>;

Step typing(const QString &characters)
{
    return [characters](Page &p) { p.edits.typeText(characters, true); };
}

Step inserting(const QString &start, UndoKind kind, bool newStep = true)
{
    return [=](Page &p) { InsertTagPair(p.text, p.undo, p.state, start, QString(), newStep, false, kind); };
}

Step dragging(int from, int length, int to)
{
    return [=](Page &p) {
        p.text.select(from, length);
        p.edits.moveSelection(to);
    };
}

// One random edit of the page at or after position `from`.
void randomEdit(Page &p, QRandomGenerator &random, int from)
{
    // Backspace at the first position may have pulled the body back.
    from = std::min(from, p.text.length());
    const auto at = [&] { return from + int(random.bounded(p.text.length() - from + 1)); };
    const QString pieces[] = {QStringLiteral("a"), QStringLiteral("<B>"), QStringLiteral("x\r\ny"),
                              QStringLiteral("\u00E9t\u00E9")};
    p.text.setSelectionStart(at());
    switch (random.bounded(7)) {
    case 0:
        p.edits.typeText(pieces[random.bounded(4)], random.bounded(2) == 0);
        break;
    case 1:
        p.edits.backspace();
        break;
    case 2:
        p.edits.deleteForward();
        break;
    case 3:
        p.edits.newLine();
        break;
    case 4: {
        const int start = at();
        p.text.select(start, int(random.bounded(p.text.length() - start + 1)));
        p.edits.deleteRange(p.text.selectionStart(), p.text.selectionLength());
        break;
    }
    case 5: {
        const int start = at();
        p.text.select(start, int(random.bounded(p.text.length() - start + 1)));
        InsertTagPair(p.text, p.undo, p.state, QStringLiteral("<I>"), QStringLiteral("</I>"), true, false, ukWrap);
        break;
    }
    default: {
        const int start = at();
        p.text.select(start, int(random.bounded(p.text.length() - start + 1)));
        p.edits.moveSelection(at());
        break;
    }
    }
}

const QString Header = QStringLiteral("<!-- EDITEUR TESSALINE\r\n"
                                      "     DATE DE CREATION: 01/01/26\r\n"
                                      "%1DERNIERE MODIFICATION: 01/01/26\r\n"
                                      "     PAR: elise -->\r\n"
                                      "<HTML>\r\n<BODY>\r\ntexte\r\n</BODY>\r\n</HTML>");

} // namespace

// Undoing every step and redoing them all again goes through the same texts
// (each step here is one record).
TEST(HistoryConsistency, EveryStepUndoesAndRedoesExactly)
{
    const struct
    {
        const char *name;
        QString before;
        std::vector<Step> steps;
    } cases[] = {
        // A plain step (a picture put in) between typed runs.
        {"plain step", "W|IDTH", {typing("XYZ"), inserting("<IMG HEIGHT=1>", ukPlain), typing("!")}},
        // Two pieces of one dialog: one step.
        {"plain step over a selection",
         "a[bc]d",
         {[](Page &p) {
              inserting("<IMG", ukPlain)(p);
              inserting(" ALT>", ukPlain, false)(p);
          },
          typing("!")}},
        {"moved before a line break", "!!<>\r\nx", {dragging(0, 2, 5)}},
        {"moved between CR and LF", "<>\r\n!!", {dragging(4, 2, 3)}},
        {"moved across lines", "ab\r\ncd\r\nef", {dragging(1, 4, 9), typing("z")}},
        {"block marks typed", "a|b", {typing(QStringLiteral("x\uFDD0y\uFDD1z")), inserting("<BR>", ukInsert)}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Page p(c.before);
        QStringList texts{p.text.text()};
        for (const Step &step : c.steps) {
            step(p);
            texts << p.text.text();
        }
        for (qsizetype i = texts.size() - 2; i >= 0; --i) {
            p.undo.Undo();
            EXPECT_EQ(str(p.text.text()), str(texts.at(i)));
        }
        EXPECT_FALSE(p.undo.CanUndo());
        for (qsizetype i = 1; i < texts.size(); ++i) {
            p.undo.Redo();
            EXPECT_EQ(str(p.text.text()), str(texts.at(i)));
        }
    }
}

TEST(HistoryConsistency, TheHeaderDateKeepsRecordsValidOrClearsThem)
{
    QRandomGenerator random(1206);
    for (const QString &indent : {QStringLiteral("     "), QString()}) {
        for (int round = 0; round < 200; ++round) {
            Page p(Header.arg(indent));
            const int body = p.text.lineStart(4);
            // The text after each record: an edit that extends the
            // current record (a typing run) changes its text, one that
            // records nothing changes nothing.
            QStringList texts{p.text.text()};
            const int edits = 1 + int(random.bounded(12));
            for (int i = 0; i < edits; ++i) {
                const quint64 before = p.undo.current() ? p.undo.current()->serial : 0;
                randomEdit(p, random, body);
                if (p.undo.current() && p.undo.current()->serial != before)
                    texts << p.text.text();
                else
                    texts.last() = p.text.text();
            }
            ASSERT_TRUE(UpdateModificationLine(p.text, p.undo, QDate(2026, 12, 6)));
            const QString newLine = p.text.line(2);
            const QString updated = p.text.text();
            if (!indent.isEmpty()) {
                // Same length: every step still undoes exactly, header kept.
                const auto withNewHeader = [&](qsizetype i) {
                    MemoryText expected(texts.at(i));
                    expected.setLine(2, newLine);
                    return str(expected.text());
                };
                for (qsizetype i = texts.size() - 2; i >= 0; --i) {
                    p.undo.Undo();
                    ASSERT_EQ(str(p.text.text()), withNewHeader(i));
                }
                for (qsizetype i = 1; i < texts.size(); ++i) {
                    p.undo.Redo();
                    ASSERT_EQ(str(p.text.text()), withNewHeader(i));
                }
                ASSERT_EQ(str(p.text.text()), str(updated));
            } else {
                // Five blanks more: no record fits the text any longer.
                EXPECT_FALSE(p.undo.CanUndo());
                EXPECT_FALSE(p.undo.CanRedo());
                p.undo.Undo();
                ASSERT_EQ(str(p.text.text()), str(updated));
            }
        }
    }
}

TEST(HistoryConsistency, UndoingBackToTheSavedTextClearsModified)
{
    // t types a character, s saves, u and r undo and redo, c clears the
    // history (a reload); each step's letter in `modified` says whether the
    // page counts as modified after it.
    const struct
    {
        const char *script;
        const char *modified;
    } cases[] = {
        {"tsturu", "101010"}, {"ttsuurr", "1101100"}, {"tsuru", "10101"}, {"tsts", "1010"},
        {"tsuts", "10110"},   {"tsutu", "10111"}, // a new step after Undo: the saved text cannot come back
        {"csturu", "001010"}, {"tc", "11"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.script);
        Page p(QStringLiteral("|"));
        p.text.setModified(false);
        p.undo.markSaved();
        std::string flags;
        for (const char *op = c.script; *op; ++op) {
            switch (*op) {
            case 't':
                p.edits.typeText(QStringLiteral("x"), true);
                break;
            case 's':
                p.text.setModified(false);
                p.undo.markSaved();
                break;
            case 'u':
                p.undo.Undo();
                break;
            case 'r':
                p.undo.Redo();
                break;
            case 'c':
                p.undo.clear();
                break;
            }
            flags += p.text.isModified() ? '1' : '0';
        }
        EXPECT_EQ(flags, c.modified);
    }

    // Once the record that led to the saved text is recycled, Undo cannot
    // bring that text back.
    Page p(QStringLiteral("|"));
    p.text.setModified(false);
    p.undo.markSaved();
    for (int i = 0; i < UndoHistory::MaxRecords + 1; ++i) {
        p.edits.typeText(QStringLiteral("x"), true);
        p.undo.runKind = runNone;
    }
    while (p.undo.CanUndo())
        p.undo.Undo();
    EXPECT_TRUE(p.text.isModified());
}
