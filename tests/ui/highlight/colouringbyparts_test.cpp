#include "core/highlight/highlightcolours.h"
#include "core/settings/settings.h"
#include "ui/highlight/colouringcommand.h"
#include "ui/text/editortext.h"
#include "ui/text/editorwidget.h"
#include "ui/text/pageloading.h"

#include <QCoreApplication>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include <gtest/gtest.h>

// A large page comes in by parts while the end of what is in already is
// shown: the line that the next part continues, and the lines after it, are
// coloured from the text that came in, not from the states seen before.
TEST(ColouringByParts, LinesThatCameInLaterAreColouredFromTheirText)
{
    QString lines;
    while (lines.size() < PageLoading::FirstPartSize + 1000)
        lines += QStringLiteral("<P>ligne</P>\n");
    const qsizetype cut = PageLoading::partEnd(lines, 0, PageLoading::FirstPartSize);
    QString page = lines.first(cut) + QStringLiteral("<!-- début\n");
    while (page.size() <= PageLoading::PartedAbove)
        page += QStringLiteral("<B>dans le commentaire</B>\n");
    page += QStringLiteral("-->");

    EditorWidget editor;
    EditorText text(&editor);
    editor.resize(500, 300);
    editor.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
    applyColouring(editor, Settings());
    text.loadPage(page);
    ASSERT_TRUE(text.isLoading());
    const int boundary = editor.document()->blockCount() - 1;
    editor.verticalScrollBar()->setValue(editor.verticalScrollBar()->maximum());
    editor.viewport()->repaint();
    while (text.isLoading())
        QCoreApplication::processEvents();

    editor.verticalScrollBar()->setValue(editor.document()->findBlockByNumber(boundary).firstLineNumber());
    editor.viewport()->repaint();
    const htmllex::Colours colours = htmllex::coloursFor(editor.palette().color(QPalette::Text).rgb() & 0xFFFFFF,
                                                         editor.palette().color(QPalette::Base).rgb() & 0xFFFFFF);
    for (const int line : {boundary, boundary + 1, boundary + 2}) {
        SCOPED_TRACE(line);
        const QList<QTextLayout::FormatRange> ranges = editor.document()->findBlockByNumber(line).layout()->formats();
        ASSERT_FALSE(ranges.isEmpty());
        EXPECT_EQ(ranges.first().format.foreground().color(), QColor::fromRgb(colours[htmllex::Kind::Comment]));
    }
}
