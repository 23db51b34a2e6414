#include "ui/text/editorwidget.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

// Where the first row of the text starts, where its last caret stop is, and
// how many rows the first line takes, in pixels from the editor's left edge.
struct LineSpan
{
    int start;
    int lastStop;
    int rows;
};

LineSpan firstLineSpan(const EditorWidget &editor)
{
    const int offset = editor.viewport()->geometry().left();
    const QRect first = editor.positionRect(0);
    int lastStop = first.left();
    int rows = 1;
    for (int p = 1; p <= editor.store().lineLength(0); ++p) {
        const QRect at = editor.positionRect(p);
        if (at.top() != first.top()) {
            rows += at.top() > editor.positionRect(p - 1).top();
            continue;
        }
        lastStop = at.left();
    }
    return {offset + first.left(), offset + lastStop, rows};
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
    } cases[] = {
        {40, 300},
        {100, 180},
    };
    show(600);
    for (const auto &c : cases) {
        editor.setTextMargins(c.left, c.right);
        QCoreApplication::processEvents();
        const LineSpan span = firstLineSpan(editor);
        EXPECT_EQ(span.start, c.left) << c.left << " " << c.right;
        // The first row ends within a word of the right margin.
        EXPECT_LE(span.lastStop, c.right) << c.left << " " << c.right;
        EXPECT_GT(span.lastStop, c.right - 60) << c.left << " " << c.right;
        EXPECT_GT(span.rows, 1);
    }
}

TEST_F(EditorMargins, ClickLeftOfTheTextPlacesTheCaretOnThatLine)
{
    show(600, QStringLiteral("un\ndeux\ntrois\nquatre"));
    editor.setTextMargins(60, 400);
    QCoreApplication::processEvents();
    const int y = editor.viewport()->geometry().top() + editor.positionRect(editor.store().lineStart(2)).center().y();
    // Beside the text area the click reaches the text, not the parent.
    QTest::mouseClick(&editor, Qt::LeftButton, {}, QPoint(10, y));
    EXPECT_EQ(editor.position(), editor.store().lineStart(2));
}
