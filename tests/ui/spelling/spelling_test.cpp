#include "core/spelling/speller.h"
#include "support/framefixture.h"
#include "support/qstringprinter.h"
#include "ui/shell/editcommands.h"
#include "ui/spelling/pagespelling.h"
#include "ui/spelling/spellingcommand.h"
#include "ui/tagcommands/documentcontextmenu.h"
#include "ui/text/editorwidget.h"

#include <QAction>
#include <QTest>

namespace {

const QByteArray Page = "<html lang=\"fr\"><head><title>Une maisonn</title></head><body>\r\n"
                        "<p class=\"maisonn\" id=maisonn>La maisonn est l&agrave;, un &eacute;t&eacute; chaud.</p>\r\n"
                        "<img alt=\"une imagee\" title='le tittre' src=\"maisonn.gif\">\r\n"
                        "<script>var maisonn;</script><style>p{maisonn}</style><!-- maisonn -->\r\n"
                        "<p>Un &eacute;tt&eacute; chaud.</p></body></html>\r\n";

class SpellingTest : public FrameFixture
{
protected:
    void SetUp() override
    {
        start();
        command = window->findChild<SpellingCommand *>();
        ASSERT_TRUE(command);
        command->setService(std::make_shared<SpellingService>(SpellingService::systemDictionaryFolder(), personal()));
        if (!command->service().isAvailable())
            GTEST_SKIP() << "no French Hunspell dictionary installed";
    }
    QString personal() const { return path(QStringLiteral("perso/mots.txt")); }

    PageSpelling *open(const QByteArray &page)
    {
        DocumentWindow *document = openPage(QStringLiteral("p.htm"), page);
        editor = document ? document->editor() : nullptr;
        PageSpelling *spelling = SpellingCommand::spellingOf(editor);
        return spelling && settle(spelling) ? spelling : nullptr;
    }
    bool settle(PageSpelling *spelling)
    {
        return QTest::qWaitFor([spelling] { return spelling->isComplete() && !spelling->isHolding(); }, 20000);
    }
    // "line:start:length:word" of every underlined word.
    QString marks(PageSpelling *spelling) const
    {
        QStringList result;
        for (int line = 0; line < editor->store().lineCount(); ++line) {
            for (const SpellingMark &m : spelling->marksOf(line))
                result << QStringLiteral("%1:%2:%3:%4").arg(line).arg(m.start).arg(m.length).arg(m.word);
        }
        return result.join(u' ');
    }
    // The pop-up menu's entries for a click on the word at line, column.
    QList<QAction *> entriesAt(int line, int column)
    {
        const QPoint point = editor->positionRect(editor->store().lineStart(line) + column + 1).center();
        DocumentContextMenu *menu = window->contextMenu();
        menu->prepareFor(editor, point);
        QList<QAction *> result;
        for (QAction *action : menu->actions()) {
            if (action->isSeparator())
                break;
            result << action;
        }
        return result;
    }
    SpellingCommand *command = nullptr;
    EditorWidget *editor = nullptr;
};

} // namespace

TEST_F(SpellingTest, UnderlinesTheProseWordsOnly)
{
    PageSpelling *spelling = open(Page);
    ASSERT_TRUE(spelling);
    EXPECT_EQ(spelling->dictionary().left(2), QStringLiteral("fr"));
    EXPECT_EQ(str(marks(spelling)),
              str(QStringLiteral("0:33:7:maisonn 1:33:7:maisonn 2:14:6:imagee 2:32:6:tittre 4:6:18:étté")));
}

TEST_F(SpellingTest, ASuggestionReplacesTheWrittenWordAsOneUndoStep)
{
    PageSpelling *spelling = open(Page);
    ASSERT_TRUE(spelling);
    struct Case
    {
        int line;
        int start;
        int length;
    };
    for (const Case &c : {Case{1, 33, 7}, Case{4, 6, 18}}) {
        const QString before = editor->store().line(c.line);
        const QList<QAction *> suggestions = entriesAt(c.line, c.start);
        ASSERT_FALSE(suggestions.isEmpty()) << c.line;
        EXPECT_LE(suggestions.size(), SpellingCommand::MaxSuggestions);
        const QString chosen = suggestions.first()->text().replace(QStringLiteral("&&"), QStringLiteral("&"));
        if (c.line == 1)
            EXPECT_EQ(str(chosen), "maison");
        suggestions.first()->trigger();
        EXPECT_EQ(str(editor->store().line(c.line)), str(QString(before).replace(c.start, c.length, chosen)));
        window->edit()->undoAction()->trigger();
        EXPECT_EQ(str(editor->store().line(c.line)), str(before));
    }
}

TEST_F(SpellingTest, IgnoredAndAddedWordsLoseTheirMarksAndTheListIsKept)
{
    PageSpelling *spelling = open(Page);
    ASSERT_TRUE(spelling);
    // A word the dictionary knows gets no entries of its own.
    EXPECT_EQ(str(entriesAt(1, 30).value(0)->text()), "Sauv&egarder");
    const auto chooseAt = [this](int line, int column, const QString &text) {
        entriesAt(line, column);
        for (QAction *action : window->contextMenu()->actions()) {
            if (action->text() == text)
                return action->trigger(), true;
        }
        return false;
    };
    ASSERT_TRUE(chooseAt(2, 15, QStringLiteral("I&gnorer")));
    ASSERT_TRUE(chooseAt(2, 33, QStringLiteral("Ajouter au &dictionnaire")));
    EXPECT_FALSE(marks(spelling).contains(QStringLiteral("imagee")));
    EXPECT_FALSE(marks(spelling).contains(QStringLiteral("tittre")));
    ASSERT_TRUE(settle(spelling));
    EXPECT_EQ(str(marks(spelling)), str(QStringLiteral("0:33:7:maisonn 1:33:7:maisonn 4:6:18:étté")));

    SpellingService next(SpellingService::systemDictionaryFolder(), personal());
    EXPECT_EQ(next.personalWords(), QStringList{QStringLiteral("tittre")});
    EXPECT_TRUE(next.speller(spelling->dictionary())->isCorrect(QStringLiteral("tittre")));
    EXPECT_FALSE(next.speller(spelling->dictionary())->isCorrect(QStringLiteral("imagee")));
}

TEST_F(SpellingTest, TypingChecksOnlyTheChangedLines)
{
    QByteArray page;
    for (int i = 0; i < 300; ++i)
        page += "<p>un texte maisonn</p>\r\n";
    PageSpelling *spelling = open(page);
    ASSERT_TRUE(spelling);
    const qint64 checked = spelling->linesChecked();
    EXPECT_GE(checked, 300);
    editor->setPosition(editor->store().lineStart(150) + 3);
    QTest::keyClicks(editor, QStringLiteral("le "));
    ASSERT_TRUE(settle(spelling));
    EXPECT_LE(spelling->linesChecked() - checked, 2);
    EXPECT_EQ(spelling->marksOf(150), (std::vector<SpellingMark>{{15, 7, QStringLiteral("maisonn")}}));
    // The same word typed wrong is underlined once the typing pauses.
    editor->setPosition(editor->store().lineStart(20) + 3);
    QTest::keyClicks(editor, QStringLiteral("xqzw "));
    ASSERT_TRUE(settle(spelling));
    EXPECT_EQ(spelling->marksOf(20).size(), 2u);
}

TEST_F(SpellingTest, PageLanguageAndTheOptionChooseWhatIsChecked)
{
    PageSpelling *spelling = open("<html lang=\"en\"><p>the house maisonn</p>");
    ASSERT_TRUE(spelling);
    if (command->service().installed().contains(QStringLiteral("en_US"))) {
        EXPECT_EQ(str(spelling->dictionary()), "en_US");
        EXPECT_EQ(str(marks(spelling)), "0:29:7:maisonn");
    }
    command->setEnabled(false);
    EXPECT_FALSE(SpellingCommand::spellingOf(editor));
    EXPECT_FALSE(window->settings().spelling);
    command->setEnabled(true);
    EXPECT_TRUE(SpellingCommand::spellingOf(editor));
}
