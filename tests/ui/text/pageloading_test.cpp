#include "core/text/documenttext.h"
#include "ui/text/editortext.h"
#include "ui/text/editorwidget.h"
#include "ui/text/pageloading.h"

#include <QCoreApplication>
#include <QScrollBar>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <memory>

namespace {

// A page just over the size that goes in by parts, its lines ending in the
// given break, with a line longer than a part and accents outside the BMP.
QString largePage(const QString &lineBreak)
{
    QString page;
    page.reserve(PageLoading::PartedAbove + PageLoading::PartSize * 2);
    for (int i = 0; page.size() < PageLoading::PartedAbove; ++i) {
        page += QStringLiteral("<P>ligne %1 \U0001D11E été</P>").arg(i) + lineBreak;
        if (i == 20000)
            page += QString(PageLoading::PartSize + 7, u'x') + lineBreak;
    }
    return page + QStringLiteral("fin");
}

void waitUntilLoaded(const EditorText &text)
{
    while (text.isLoading())
        QCoreApplication::processEvents();
}

} // namespace

TEST(PageLoading, ALargePageComesInByPartsAsTheSameText)
{
    for (const QString &lineBreak : {QStringLiteral("\r\n"), QStringLiteral("\n"), QStringLiteral("\r")}) {
        SCOPED_TRACE(lineBreak.toStdU16String().size());
        const QString page = largePage(lineBreak);
        EditorWidget editor;
        EditorText text(&editor);
        text.loadPage(page);
        ASSERT_TRUE(text.isLoading());
        int modifications = 0;
        QObject::connect(&editor, &QPlainTextEdit::modificationChanged,
                         [&](bool modified) { modifications += modified ? 1 : 0; });
        EXPECT_TRUE(editor.isReadOnly());
        EXPECT_LT(editor.document()->characterCount(), page.size() / 2);
        // The first lines answer without waiting for the rest.
        EXPECT_EQ(text.line(1), QStringLiteral("<P>ligne 1 \U0001D11E été</P>"));
        EXPECT_TRUE(text.isLoading());
        waitUntilLoaded(text);
        EXPECT_FALSE(editor.isReadOnly());
        // Nobody watching the page was told it had been edited.
        EXPECT_EQ(modifications, 0);
        EXPECT_FALSE(text.isModified());
        EXPECT_EQ(text.text(), toCrLf(page));
        EXPECT_EQ(PageLoading::inProgress(), 0);
    }
}

TEST(PageLoading, WhatNeedsTheWholePageGetsItAtOnce)
{
    const QString page = toCrLf(largePage(QStringLiteral("\r\n")));
    const struct
    {
        const char *name;
        std::function<void(EditorText &)> use;
    } uses[] = {
        {"the whole text", [&](EditorText &t) { EXPECT_EQ(t.text(), page); }},
        {"its length", [&](EditorText &t) { EXPECT_EQ(t.length(), page.size()); }},
        {"its last line", [&](EditorText &t) { EXPECT_EQ(t.line(t.lineCount() - 1), QStringLiteral("fin")); }},
        {"a position near its end",
         [&](EditorText &t) { EXPECT_EQ(t.lineFromPosition(int(page.size()) - 1), t.lineCount() - 1); }},
        {"an edit at its end",
         [&](EditorText &t) {
             t.select(int(page.size()) - 3, 3);
             EXPECT_TRUE(t.replaceSelection(QStringLiteral("FIN")));
             EXPECT_EQ(t.text(), page.chopped(3) + QStringLiteral("FIN"));
             EXPECT_TRUE(t.isModified());
         }},
    };
    for (const auto &u : uses) {
        SCOPED_TRACE(u.name);
        EditorWidget editor;
        EditorText text(&editor);
        text.loadPage(page);
        ASSERT_TRUE(text.isLoading());
        u.use(text);
        EXPECT_FALSE(text.isLoading());
        EXPECT_FALSE(editor.isReadOnly());
    }
}

// The whole page takes the place of the first part without moving what the
// author may already have done there: caret, selection, scroll position.
TEST(PageLoading, TheWholePageKeepsTheCaretAndTheView)
{
    const QString page = largePage(QStringLiteral("\n"));
    EditorWidget editor;
    EditorText text(&editor);
    editor.resize(400, 200);
    text.loadPage(page);
    ASSERT_TRUE(text.isLoading());
    text.select(text.lineStart(40) + 2, 5);
    editor.verticalScrollBar()->setValue(30);
    const QString selected = text.selectedText();
    waitUntilLoaded(text);
    EXPECT_EQ(text.selectionStart(), text.lineStart(40) + 2);
    EXPECT_EQ(text.selectedText(), selected);
    EXPECT_EQ(editor.verticalScrollBar()->value(), 30);
    // The editor works on the new document: typing replaces the selection.
    EXPECT_TRUE(text.replaceSelection(QStringLiteral("X")));
    EXPECT_EQ(text.line(40).mid(2, 1), QStringLiteral("X"));
}

// A page closed while it is still being built: the worker stops, nothing
// is left behind (the sanitizers see to it).
TEST(PageLoading, ClosingWhileLoadingStopsTheBuild)
{
    const QString page = largePage(QStringLiteral("\r\n")).repeated(4);
    for (int i = 0; i < 3; ++i) {
        auto editor = std::make_unique<EditorWidget>();
        EditorText text(editor.get());
        text.loadPage(page);
        ASSERT_TRUE(text.isLoading());
        editor.reset();
        EXPECT_EQ(PageLoading::inProgress(), 0);
    }
}

TEST(PageLoading, PartsEndAfterALineBreakAndNeverSplitAPair)
{
    const struct
    {
        const char *name;
        QString text;
        qsizetype size;
        qsizetype end;
    } cases[] = {
        {"after the last break in reach", QStringLiteral("ab\ncd\nef"), 5, 3},
        {"a CR LF kept whole", QStringLiteral("ab\r\ncd"), 3, 4},
        {"a lone CR", QStringLiteral("ab\rcd"), 4, 3},
        {"inside a line longer than a part", QStringLiteral("abcdef"), 4, 4},
        {"not between a surrogate pair", QStringLiteral("abc\U0001D11Ede"), 4, 3},
        {"the rest when it fits", QStringLiteral("ab\ncd"), 9, 5},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PageLoading::partEnd(c.text, 0, c.size), c.end);
    }
}
