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
        for (const QTextLayout::FormatRange &range : given->formats(line, column, column + 1)) {
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

TEST_F(ColouredEditor, ReadsOnlyWhatShowsAndKeepsStatesBelowAnEdit)
{
    applyColouring(editor, settings);
    QString page;
    for (int i = 0; i < 5000; ++i)
        page += QStringLiteral("<TD ALIGN=CENTER>cellule %1</TD>\n").arg(i);
    setText(page);
    // Only the lines in view and just above them are read.
    EXPECT_LT(colouring()->knownStates(), 100);

    // Scrolled to the end, every state is known (but the last line's end
    // state, which no line needs). An edit that leaves its
    // last line's end state alone keeps the states below; one that changes
    // it does not.
    const auto toTheEnd = [this] {
        editor.moveCaret(TextView::End);
        editor.ensureCaretVisible();
        paint();
    };
    const int all = -1;
    struct Case
    {
        int line;
        int column; // -1: the line's end
        const char16_t *text;
        int known;
    } cases[] = {
        {2500, -1, u"x", all}, {10, 0, u"\n", all},     {20, 0, u"<!--\n-->", all},
        {30, 3, u"\n\n", all}, {2500, -1, u"<A", 2501}, {40, -1, u"<!-- ", 41},
    };
    for (const Case &c : cases) {
        toTheEnd();
        const LineStore &store = editor.store();
        ASSERT_EQ(colouring()->knownStates(), store.lineCount() - 1);
        const int column = c.column < 0 ? store.lineLength(c.line) : c.column;
        editor.replace(store.lineStart(c.line) + column, 0, QStringView(c.text));
        EXPECT_EQ(colouring()->knownStates(), c.known == all ? store.lineCount() - 1 : c.known) << c.line;
    }
    // The comment left open runs on to the end.
    toTheEnd();
    EXPECT_EQ(colourAt(editor.store().lineCount() - 2, 5), expected(Kind::Comment));
}

TEST_F(ColouredEditor, ReadsAheadWhileIdleAndLimitsAVeryLongLine)
{
    applyColouring(editor, settings);
    QString page;
    for (int i = 0; i < 20000; ++i)
        page += QStringLiteral("<P>ligne %1</P>\n").arg(i);
    setText(page);
    EXPECT_TRUE(QTest::qWaitFor([&] { return colouring()->knownStates() == editor.store().lineCount(); }, 5000));

    // A line past the coloured length shows plain there, and the next line
    // starts as the page does.
    QString line;
    while (line.size() < HtmlColouring::ColouredLength + 1000)
        line += QStringLiteral("<B CLASS='x'>gras</B> ");
    setText(line + "<!-- \n<I>x</I>");
    EXPECT_EQ(colourAt(0, 1), expected(Kind::Tag));
    EXPECT_FALSE(colourAt(0, HtmlColouring::ColouredLength + 1).isValid());
    EXPECT_EQ(colourAt(1, 1), expected(Kind::Tag));
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
