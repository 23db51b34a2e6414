#include "core/completion/tagcatalog.h"
#include "support/framefixture.h"
#include "support/qstringprinter.h"
#include "ui/completion/completioncommands.h"
#include "ui/completion/tagcompleter.h"
#include "ui/completion/tagmatchmarks.h"
#include "ui/preferences/optionscommands.h"
#include "ui/text/editorwidget.h"

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QMenu>
#include <QTest>

namespace {

class CompletionTest : public FrameFixture
{
protected:
    // A page open with the names of the tag reference, the caret at its end.
    void openWith(const QByteArray &page)
    {
        start();
        commands().setCatalog(
            TagCatalog(loadTagReference(QStringLiteral(TESSALINE_SOURCE_DIR "/data/htmldesc.ref")).entries));
        ASSERT_TRUE(openPage(QStringLiteral("p.htm"), page));
        QApplication::setActiveWindow(window.get());
        editor()->setFocus();
        QCoreApplication::processEvents();
        editor()->setPosition(editor()->store().length());
    }
    CompletionCommands &commands() { return *window->findChild<CompletionCommands *>(); }
    EditorWidget *editor() { return active()->editor(); }
    TagCompleter &completer() { return *active()->findChild<TagCompleter *>(); }
    QStringList offered()
    {
        QStringList names;
        if (completer().isShown())
            for (int i = 0; i < completer().list()->count(); ++i)
                names << completer().list()->item(i)->text();
        return names;
    }
    // Letters are typed; "\n", "\t" and "\x1b" are Enter, Tab and Esc. When
    // quick, the keys after the first two come before the list can follow.
    void type(const char *keys, bool quick = false)
    {
        for (const char *k = keys; *k; ++k) {
            if (*k == '\n' || *k == '\t' || *k == '\x1b')
                QTest::keyClick(editor(), *k == '\n' ? Qt::Key_Return : *k == '\t' ? Qt::Key_Tab : Qt::Key_Escape);
            else
                QTest::keyClicks(editor(), QString(QLatin1Char(*k)));
            if (!quick || k - keys < 2)
                QCoreApplication::processEvents();
        }
    }
};

struct TypingCase
{
    const char *name;
    const char *page;
    const char *keys;
    QStringList offered; // after the keys
    const char *after;
    const char *undone; // after one undo
    bool quick = false;
};

TEST_F(CompletionTest, OffersAcceptsAndDismissesNames)
{
    const TypingCase cases[] = {
        {"element", "<P>", "<tab", {"TABLE"}, "<P><tab", "<P>"},
        {"Enter accepts", "<P>", "<ta\n", {}, "<P><TABLE", "<P>"},
        {"Enter right after a letter", "<P>", "<ta\n", {}, "<P><TABLE", "<P>", true},
        {"typing filters, Tab accepts", "<P>", "<bod\t", {}, "<P><BODY", "<P>"},
        {"Esc dismisses for the word",
         "<P>",
         "<ta\x1b"
         "b\n",
         {},
         "<P><tab\r\n",
         "<P><tab"},
        {"attributes after a blank",
         "<IMG SRC=\"a.gif\"",
         " a",
         {"ALIGN", "ALT"},
         "<IMG SRC=\"a.gif\" a",
         "<IMG SRC=\"a.gif\""},
        {"attribute accepted", "<A", " hr\n", {}, "<A HREF", "<A"},
        {"end tag of the open element",
         "<DIV><div></div><P>x</P>",
         "</\n",
         {},
         "<DIV><div></div><P>x</P></DIV>",
         "<DIV><div></div><P>x</P>"},
    };
    openWith("");
    for (const TypingCase &c : cases) {
        active()->text().setText(QString::fromUtf8(c.page));
        active()->undo().clear();
        editor()->setPosition(editor()->store().length());
        type(c.keys, c.quick);
        QCoreApplication::processEvents();
        EXPECT_EQ(offered(), c.offered) << c.name;
        EXPECT_EQ(active()->text().text(), QString::fromUtf8(c.after)) << c.name;
        completer().dismiss();
        active()->undo().Undo();
        EXPECT_EQ(active()->text().text(), QString::fromUtf8(c.undone)) << c.name;
    }
}

TEST_F(CompletionTest, OptionsItemTurnsCompletionOffAndIsStored)
{
    openWith("<P>");
    QAction *item = commands().action();
    EXPECT_TRUE(window->options()->menu()->actions().contains(item));
    EXPECT_EQ(item->text(), QStringLiteral("Complétion des &balises"));
    EXPECT_TRUE(item->isChecked());
    item->trigger();
    type("<ta");
    EXPECT_EQ(offered(), QStringList());
    stop();
    EXPECT_EQ(store.value(QStringLiteral("Editeur/Completion")).toInt(), 0);
}

TEST_F(CompletionTest, MarksTheMatchingTagWhileTheCaretIsInAName)
{
    openWith("<DIV><div>x</div>\r\n<!-- </DIV> --></DIV>");
    TagMatchMarks *marks = editor()->findChild<TagMatchMarks *>();
    ASSERT_TRUE(marks);
    struct Case
    {
        int position;
        QList<QPair<int, int>> marked; // line, column
    };
    for (const Case &c :
         {Case{2, {{0, 1}, {1, 17}}}, Case{36, {{1, 17}, {0, 1}}}, Case{8, {{0, 6}, {0, 13}}}, Case{11, {}}}) {
        editor()->setPosition(c.position);
        QList<QPair<int, int>> marked;
        QTest::qWaitFor([&] {
            marked.clear();
            for (const tagscan::TagMark &mark : marks->marks())
                marked.append({mark.line, mark.column});
            return marked == c.marked;
        });
        EXPECT_EQ(marked, c.marked) << c.position;
    }
    editor()->setPosition(2);
    QTest::qWait(TagMatchMarks::DelayMs * 2);
    EXPECT_EQ(marks->formats(1, 0, 30).size(), 1);
}

} // namespace
