#include "core/messages/messages.h"
#include "support/filebytes.h"
#include "support/framefixture.h"
#include "support/qstringprinter.h"

#include <QTest>

#include <unistd.h>

namespace {

class ChangedOnDiskTest : public FrameFixture
{
protected:
    ChangedOnDiskTest() { start(); }

    // Another program writes the file: a new file renamed over it, as most
    // editors save, or the same file rewritten.
    void changeOnDisk(const QByteArray &bytes, bool replace)
    {
        if (replace) {
            writeAll(path("other.tmp"), bytes);
            ASSERT_TRUE(
                ::rename(QFile::encodeName(path("other.tmp")).constData(), QFile::encodeName(path("a.htm")).constData())
                == 0);
        } else {
            writeAll(path("a.htm"), bytes);
        }
    }
};

} // namespace

// Saving over a file another program changed since it was read asks first;
// No keeps the other version (Save as is offered, and cancelled here).
TEST_F(ChangedOnDiskTest, SavingOverAFileChangedElsewhereAsksFirst)
{
    struct Case
    {
        const char *name;
        bool changed;
        bool replace;
        Answer answer;
        QByteArray onDisk;
    };
    const Case cases[] = {
        {"unchanged", false, false, Answer::No, "mine old\r\n"},
        {"rewritten, overwrite", true, false, Answer::Yes, "mine old\r\n"},
        {"rewritten, keep the other", true, false, Answer::No, "theirs, longer\r\n"},
        {"replaced, keep the other", true, true, Answer::No, "theirs, longer\r\n"},
    };
    for (const Case &c : cases) {
        DocumentWindow *page = openPage(QStringLiteral("a.htm"), "old\r\n");
        ASSERT_NE(page, nullptr);
        page->text().replaceSelection(QStringLiteral("mine "));
        if (c.changed)
            changeOnDisk("theirs, longer\r\n", c.replace);
        prompts.asked.clear();
        prompts.answers = {c.answer};
        dialogs.saveChoices = {std::nullopt};
        files().FileSaveItemClick();
        EXPECT_EQ(readAll(path("a.htm")), c.onDisk) << c.name;
        ASSERT_EQ(prompts.asked.size(), c.changed ? 1 : 0) << c.name;
        if (c.changed)
            EXPECT_EQ(prompts.asked.front(), QLatin1Char('[') + path("a.htm") + QLatin1Char(']') + msg(9101)) << c.name;
        // After a save, the next one is not asked about again.
        if (c.onDisk.startsWith("mine")) {
            prompts.asked.clear();
            files().FileSaveItemClick();
            EXPECT_TRUE(prompts.asked.isEmpty()) << c.name;
        }
        page->text().setModified(false);
        files().CloseActiveDocument();
    }
}

// A page without changes of its own is offered to be read again when its
// file changes on disk; a page with changes is left to the save's question.
TEST_F(ChangedOnDiskTest, AnUnchangedPageIsOfferedToBeReadAgain)
{
    struct Case
    {
        const char *name;
        bool edited;
        Answer answer;
        QString text;
    };
    const Case cases[] = {
        {"read again", false, Answer::Yes, QStringLiteral("theirs\r\n")},
        {"kept", false, Answer::No, QStringLiteral("old\r\n")},
        {"edited", true, Answer::Yes, QStringLiteral("mine old\r\n")},
    };
    for (const Case &c : cases) {
        DocumentWindow *page = openPage(QStringLiteral("a.htm"), "old\r\n");
        ASSERT_NE(page, nullptr);
        if (c.edited)
            page->text().replaceSelection(QStringLiteral("mine "));
        prompts.asked.clear();
        prompts.answers = {c.answer};
        changeOnDisk("theirs\r\n", true);
        const bool asked = QTest::qWaitFor([&] { return !prompts.asked.isEmpty(); }, c.edited ? 500 : 5000);
        EXPECT_EQ(asked, !c.edited) << c.name;
        if (asked)
            EXPECT_EQ(prompts.asked.front(), QLatin1Char('[') + path("a.htm") + QLatin1Char(']') + msg(9102)) << c.name;
        EXPECT_EQ(page->text().text(), c.text) << c.name;
        page->text().setModified(false);
        files().CloseActiveDocument();
    }
}
