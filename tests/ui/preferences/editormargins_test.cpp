#include "ui/text/editorwidget.h"

#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include <gtest/gtest.h>

namespace {

// Where the first line of the text starts and where it wraps, in pixels from
// the editor's left edge.
struct LineSpan
{
    int start;
    int end;
};

LineSpan firstLineSpan(const EditorWidget &editor)
{
    const QTextLayout *layout = editor.document()->firstBlock().layout();
    const QTextLine line = layout->lineAt(0);
    const int offset = editor.viewport()->geometry().left();
    return {offset + int(line.x()), offset + int(line.x() + line.width())};
}

const QString LongLine = QStringLiteral("Une ligne assez longue pour passer à la ligne plusieurs fois ").repeated(20);

} // namespace

TEST(EditorMargins, TextStartsAtTheLeftMarginAndWrapsAtTheRight)
{
    const struct
    {
        int left, right;
        LineSpan expected;
    } cases[] = {
        {40, 300, {40, 300}},
        {22, 400, {22, 400}},
        {100, 180, {100, 180}},
    };
    EditorWidget editor;
    editor.resize(600, 300);
    editor.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
    editor.setPlainText(LongLine);
    for (const auto &c : cases) {
        editor.setTextMargins(c.left, c.right);
        QCoreApplication::processEvents();
        const LineSpan span = firstLineSpan(editor);
        EXPECT_EQ(span.start, c.expected.start) << c.left << " " << c.right;
        EXPECT_EQ(span.end, c.expected.end) << c.left << " " << c.right;
        EXPECT_GT(editor.document()->firstBlock().layout()->lineCount(), 1);
    }
}

TEST(EditorMargins, RightMarginBeyondTheWidgetWrapsAtItsEdgeAndFollowsResizes)
{
    EditorWidget editor;
    editor.resize(400, 300);
    editor.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
    editor.setPlainText(LongLine);
    editor.setTextMargins(22, 999);
    QCoreApplication::processEvents();
    const int visibleEnd = editor.viewport()->geometry().right();
    EXPECT_LE(firstLineSpan(editor).end, visibleEnd);
    EXPECT_GT(editor.document()->firstBlock().layout()->lineCount(), 1);

    // A wider window moves the wrapping edge out to the margin.
    editor.resize(1200, 300);
    QCoreApplication::processEvents();
    EXPECT_EQ(firstLineSpan(editor).end, 999);
}

TEST(EditorMargins, ClearingTheMarginsStopsWrapping)
{
    EditorWidget editor;
    editor.resize(600, 300);
    editor.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
    editor.setPlainText(LongLine);
    editor.setTextMargins(40, 300);
    editor.clearTextMargins();
    QCoreApplication::processEvents();
    EXPECT_FALSE(editor.hasTextMargins());
    EXPECT_EQ(editor.lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(editor.viewport()->geometry().left(), editor.frameWidth());
    EXPECT_EQ(editor.document()->firstBlock().layout()->lineCount(), 1);
}

TEST(EditorMargins, ClickLeftOfTheTextPlacesTheCaretOnThatLine)
{
    EditorWidget editor;
    editor.resize(600, 300);
    editor.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
    editor.setPlainText(QStringLiteral("un\ndeux\ntrois\nquatre"));
    editor.setTextMargins(60, 400);
    QCoreApplication::processEvents();
    QTextCursor third(editor.document()->findBlockByNumber(2));
    const int y = editor.viewport()->geometry().top() + editor.cursorRect(third).center().y();
    // Beside the text area the click reaches the text, not the parent.
    QTest::mouseClick(&editor, Qt::LeftButton, {}, QPoint(10, y));
    EXPECT_EQ(editor.textCursor().blockNumber(), 2);
    EXPECT_EQ(editor.textCursor().positionInBlock(), 0);
}
