#include "core/highlight/highlightcolours.h"
#include "core/settings/settings.h"
#include "ui/highlight/colouringcommand.h"
#include "ui/highlight/htmlcolouring.h"
#include "ui/preferences/framelayout.h"
#include "ui/text/editorwidget.h"

#include <QMenu>
#include <QTest>
#include <QTextLayout>

#include <gtest/gtest.h>

namespace {

using htmllex::Kind;

class ColouredEditor : public ::testing::Test, public FrameLayout
{
protected:
    ColouredEditor()
    {
        editor.resize(500, 300);
        editor.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&editor));
    }

    void setText(const QString &text)
    {
        editor.setPlainText(text);
        paint();
    }
    void paint() { editor.viewport()->repaint(); }
    HtmlColouring *colouring() const
    {
        return editor.findChild<HtmlColouring *>(QString(), Qt::FindDirectChildrenOnly);
    }
    // The colour given to a line and column; invalid where the text has none.
    QColor colourAt(int line, int column) const
    {
        HtmlColouring *given = colouring();
        if (!given)
            return QColor();
        for (const QTextLayout::FormatRange &range : given->formats(line)) {
            if (column >= range.start && column < range.start + range.length)
                return range.format.foreground().color();
        }
        return QColor();
    }
    QColor expected(Kind kind) const
    {
        const htmllex::Colours colours = htmllex::coloursFor(editor.palette().color(QPalette::Text).rgb(),
                                                             editor.palette().color(QPalette::Base).rgb());
        return QColor::fromRgb(colours[kind]);
    }

    int documentCount() const override { return 1; }
    QList<EditorWidget *> editors() const override { return {const_cast<EditorWidget *>(&editor)}; }
    void setToolbarVisible(bool) override {}
    void setStatusBarVisible(bool) override {}
    void setRulerVisible(bool) override {}
    int rulerClientWidth() const override { return 500; }

    EditorWidget editor;
    Settings settings;
};

TEST_F(ColouredEditor, OpeningACommentRecoloursTheLinesBelowAndClosingItRestoresThem)
{
    applyColouring(editor, settings);
    setText(QStringLiteral("<P>un\n<B>deux</B>\n<I>trois</I>"));
    EXPECT_EQ(colourAt(1, 0), expected(Kind::Tag));

    editor.replace(0, 0, u"<!-- ");
    paint();
    EXPECT_EQ(colourAt(1, 0), expected(Kind::Comment));
    EXPECT_EQ(colourAt(2, 5), expected(Kind::Comment));

    editor.replace(editor.store().lineStart(1) + 4, 0, u"-->");
    paint();
    // "<B>d-->eux</B>"
    EXPECT_EQ(colourAt(1, 5), expected(Kind::Comment));
    EXPECT_FALSE(colourAt(1, 7).isValid());
    EXPECT_EQ(colourAt(1, 10), expected(Kind::Tag));
    EXPECT_EQ(colourAt(2, 0), expected(Kind::Tag));
    EXPECT_FALSE(colourAt(2, 3).isValid());
}

TEST_F(ColouredEditor, ColoursOnlyWhatShowsAndKeepsStatesBelowAKeystroke)
{
    applyColouring(editor, settings);
    QString page;
    for (int i = 0; i < 5000; ++i)
        page += QStringLiteral("<TD ALIGN=CENTER>cellule %1</TD>\n").arg(i);
    setText(page);
    // Only the lines in view and just above them are read.
    EXPECT_LT(colouring()->knownStates(), 100);

    // Scrolled to the end, every state is known; a keystroke that leaves its
    // line's end state alone keeps them all.
    editor.moveCaret(TextView::End);
    editor.ensureCaretVisible();
    paint();
    const int lines = editor.store().lineCount();
    EXPECT_EQ(colouring()->knownStates(), lines);
    const int end = editor.store().lineStart(2500) + editor.store().lineLength(2500);
    editor.replace(end, 0, u"x");
    EXPECT_EQ(colouring()->knownStates(), lines);
    // One that opens a tag does not.
    editor.replace(end + 1, 0, u"<A");
    EXPECT_EQ(colouring()->knownStates(), 2501);
}

TEST_F(ColouredEditor, FollowsTheEditorColoursAndComesOffWithTheMenuItem)
{
    QMenu options;
    QAction *margins = options.addAction(QStringLiteral("marges"));
    options.addSeparator();
    ColouringCommand command(options, margins, settings, *this, nullptr);
    EXPECT_EQ(options.actions().indexOf(command.action()), 1);
    applyColouring(editor, settings);
    setText(QStringLiteral("<A HREF=\"x\">&amp;</A>"));
    const QColor lightTag = colourAt(0, 0);

    QPalette dark = editor.palette();
    dark.setColor(QPalette::Text, Qt::white);
    dark.setColor(QPalette::Base, QColor(0x1E, 0x1E, 0x2E));
    editor.setPalette(dark);
    paint();
    EXPECT_EQ(colourAt(0, 0), expected(Kind::Tag));
    EXPECT_NE(colourAt(0, 0), lightTag);

    command.action()->trigger();
    EXPECT_FALSE(settings.syntaxColouring);
    EXPECT_EQ(colouring(), nullptr);
    paint();
    EXPECT_FALSE(colourAt(0, 0).isValid());
    command.action()->trigger();
    paint();
    EXPECT_EQ(colourAt(0, 12), expected(Kind::Entity));
}

} // namespace
