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

class EditorMargins : public ::testing::Test
{
protected:
    void show(int width, const QString &text = LongLine)
    {
        editor.resize(width, 300);
        editor.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
        editor.setPlainText(text);
    }
    EditorWidget editor;
};

} // namespace

TEST_F(EditorMargins, TextStartsAtTheLeftMarginAndWrapsAtTheRight)
{
    const struct
    {
        int left, right;
        LineSpan expected;
    } cases[] = {
        {40, 300, {40, 300}},
        {100, 180, {100, 180}},
    };
    show(600);
    for (const auto &c : cases) {
        editor.setTextMargins(c.left, c.right);
        QCoreApplication::processEvents();
        const LineSpan span = firstLineSpan(editor);
        EXPECT_EQ(span.start, c.expected.start) << c.left << " " << c.right;
        EXPECT_EQ(span.end, c.expected.end) << c.left << " " << c.right;
        EXPECT_GT(editor.document()->firstBlock().layout()->lineCount(), 1);
    }
}

TEST_F(EditorMargins, ClickLeftOfTheTextPlacesTheCaretOnThatLine)
{
    show(600, QStringLiteral("un\ndeux\ntrois\nquatre"));
    editor.setTextMargins(60, 400);
    QCoreApplication::processEvents();
    QTextCursor third(editor.document()->findBlockByNumber(2));
    const int y = editor.viewport()->geometry().top() + editor.cursorRect(third).center().y();
    // Beside the text area the click reaches the text, not the parent.
    QTest::mouseClick(&editor, Qt::LeftButton, {}, QPoint(10, y));
    EXPECT_EQ(editor.textCursor().blockNumber(), 2);
    EXPECT_EQ(editor.textCursor().positionInBlock(), 0);
}
