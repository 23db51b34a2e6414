#include "core/shell/documenthost.h"
#include "core/text/memorytext.h"
#include "core/settings/settings.h"
#include "support/fakeprompts.h"
#include "core/markup/colors.h"
#include "core/markup/editorstate.h"
#include "support/scriptedcolourchooser.h"
#include "core/tagcommands/tagcommandrun.h"
#include "core/tagcommands/tagcommands.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// One page in memory behind the frame window's interface.
class MemoryHost : public DocumentHost
{
public:
    explicit MemoryHost(const QString &initial)
        : m_text(std::make_unique<MemoryText>(initial))
        , m_undo(std::make_unique<UndoHistory>(*m_text))
    {}
    void closeDocument()
    {
        m_undo.reset();
        m_text.reset();
    }

    DocumentText *activeText() override { return m_text.get(); }
    UndoHistory *activeUndo() override { return m_undo.get(); }
    EditorState &editorState() override { return state; }
    Settings &settings() override { return m_settings; }
    Prompts &prompts() override { return m_prompts; }
    QWidget *window() override { return nullptr; }
    void UpdateCommandStates() override { ++refreshes; }

    MemoryText &text() { return *m_text; }
    UndoHistory &undo() { return *m_undo; }

    EditorState state;
    int refreshes = 0;

private:
    std::unique_ptr<MemoryText> m_text;
    std::unique_ptr<UndoHistory> m_undo;
    Settings m_settings;
    FakePrompts m_prompts;
};

constexpr quint32 Red = 0x0000FF;
constexpr quint32 Green = 0x00FF00;
constexpr quint32 Blue = 0xFF0000;

struct DirectCase
{
    const char *name;
    const char *command;
    const char *text;
    int selStart;
    int selLength;
    const char *expected;
    int expectedStart;
    int expectedLength;
};

const DirectCase directCases[] = {
    // A wrap keeps the wrapped text selected.
    {"bold around a word", "BoldBtn", "un mot ici", 3, 3, "un <B>mot</B> ici", 6, 3},
    // With no selection the caret stands between the two texts.
    {"bold at the caret", "Gras1", "ab", 1, 0, "a<B></B>b", 4, 0},
    {"comment leaves the caret after the blank", "CommentBtn", "", 0, 0, "<!--  -->", 5, 0},
    {"font size +1 around a word", "Tailledepolice12", "mot", 0, 3, "<FONT SIZE=+1>mot</FONT>", 14, 3},
    {"heading from its menu item", "H31", "Titre", 0, 5, "<H3>Titre</H3>", 4, 5},
    // Single tags replace the selection and never close.
    {"paragraph replaces the selection", "PBtn", "avant mot apres", 6, 3, "avant <P> apres", 9, 0},
    {"aligned paragraph wraps", "PMenu3", "texte", 0, 5, "<P ALIGN=CENTER>texte</P>", 16, 5},
    {"line break variant", "BR3", "a\r\nb", 3, 0, "a\r\n<BR CLEAR=LEFT>b", 18, 0},
    {"wrap over a line break", "PRE2", "a\r\nb", 0, 4, "<PRE WIDTH=40>a\r\nb</PRE>", 14, 4},
};

TEST(DirectTagCommand, InsertsAndIsOneUndoStep)
{
    for (const DirectCase &c : directCases) {
        SCOPED_TRACE(c.name);
        const QString original = QString::fromUtf8(c.text);
        MemoryHost host(original);
        host.text().select(c.selStart, c.selLength);
        const TagCommand *command = findTagCommand(QString::fromLatin1(c.command));
        ASSERT_NE(command, nullptr);

        ASSERT_TRUE(runDirectTagCommand(host, *command));
        EXPECT_EQ(host.text().text(), QString::fromUtf8(c.expected));
        EXPECT_EQ(host.text().selectionStart(), c.expectedStart);
        EXPECT_EQ(host.text().selectionLength(), c.expectedLength);
        EXPECT_EQ(host.refreshes, 1);
        // Remembered for "repeat last command".
        EXPECT_EQ(host.state.LastStartTexts, QStringList{command->startText});
        EXPECT_EQ(host.state.LastEndTexts, QStringList{command->endText});

        ASSERT_TRUE(host.undo().CanUndo());
        host.undo().Undo();
        EXPECT_EQ(host.text().text(), original);
        EXPECT_FALSE(host.undo().CanUndo());
    }
}

TEST(ColourCommand, ClassifiesTheSelection)
{
    const struct
    {
        const char *selected;
        ColourSelection kind;
    } rows[] = {
        {"#FF0000", ColourSelection::HashCode},
        {"FF0000", ColourSelection::BareCode},
        {"\"#00FF00\"", ColourSelection::QuotedCode},
        {"", ColourSelection::Other},
        // Ordinary words of the same lengths are coloured, not overwritten.
        {"maison", ColourSelection::Other},
        {"#Bateau", ColourSelection::Other},
        {"\"x123456\"", ColourSelection::Other},
        {"12\r\n34", ColourSelection::Other},
    };
    for (const auto &r : rows)
        EXPECT_EQ(int(classifyColourSelection(QString::fromUtf8(r.selected))), int(r.kind)) << r.selected;
}

struct ColourCase
{
    const char *name;
    const char *text;
    int selStart;
    int selLength;
    quint32 shownFirst;
    quint32 chosen;
    const char *expected;
    int expectedStart;
    int expectedLength;
};

const ColourCase colourCases[] = {
    {"six digits", "color=FF0000;", 6, 6, Red, Blue, "color=0000FF;", 12, 0},
    {"hash code", "x #00FF00 y", 2, 7, Green, Red, "x #FF0000 y", 9, 0},
    {"quoted code", "<BODY TEXT=\"#123456\">", 11, 9, 0x563412, 0xABCDEF, "<BODY TEXT=\"#EFCDAB\">", 20, 0},
    {"word is wrapped", "un mot", 3, 3, 0, Blue, "un <FONT COLOR=\"#0000FF\">mot</FONT>", 25, 3},
    {"nothing selected", "ab", 1, 0, 0, Green, "a<FONT COLOR=\"#00FF00\"></FONT>b", 23, 0},
};

TEST(ColourCommand, WritesTheChosenColourInTheSelectionsForm)
{
    for (const ColourCase &c : colourCases) {
        SCOPED_TRACE(c.name);
        const QString original = QString::fromUtf8(c.text);
        MemoryHost host(original);
        host.text().select(c.selStart, c.selLength);
        ScriptedColourChooser chooser;
        chooser.answers = {c.chosen};
        ColourCommand command(chooser);

        ASSERT_TRUE(command.run(host));
        EXPECT_EQ(chooser.shown, QList<quint32>{c.shownFirst});
        EXPECT_EQ(host.text().text(), QString::fromUtf8(c.expected));
        EXPECT_EQ(host.text().selectionStart(), c.expectedStart);
        EXPECT_EQ(host.text().selectionLength(), c.expectedLength);
        EXPECT_EQ(host.refreshes, 1);

        host.undo().Undo();
        EXPECT_EQ(host.text().text(), original);
        EXPECT_FALSE(host.undo().CanUndo());
    }
}

} // namespace
