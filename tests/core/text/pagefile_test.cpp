#include "core/messages/messages.h"
#include "core/text/linestore.h"
#include "core/text/pagefile.h"
#include "support/fakeprompts.h"
#include "support/filebytes.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

class PageFileTest : public ::testing::Test
{
protected:
    QString path(const QString &name) const { return dir.filePath(name); }
    QTemporaryDir dir;
    FakePrompts prompts;
};

} // namespace

TEST_F(PageFileTest, OpenAndSaveGiveBackTheSameBytes)
{
    QByteArray every1252;
    for (int b = 0x20; b <= 0xFF; ++b) {
        every1252.append(char(b));
        if (b % 32 == 0)
            every1252.append("\r\n");
    }
    const QByteArray samples[] = {
        "<HTML>\r\n<BODY>caf\xC3\xA9 \xE2\x84\xA2\r\n</BODY>\r\n</HTML>\r\n",
        "\xEF\xBB\xBF"
        "marked\r\n",
        every1252,
    };
    for (const QByteArray &bytes : samples) {
        writeAll(path("p.htm"), bytes);
        auto page = loadPage(path("p.htm"));
        ASSERT_TRUE(page.has_value());
        EXPECT_FALSE(page->text.contains(QRegularExpression(QStringLiteral("\r(?!\n)|(?<!\r)\n"))));
        ASSERT_EQ(savePage(path("p.htm"), page->text, page->format, prompts), SaveResult::Saved);
        EXPECT_EQ(readAll(path("p.htm")), bytes);
    }
    EXPECT_TRUE(prompts.asked.isEmpty());
    EXPECT_TRUE(prompts.shown.isEmpty());
}

TEST_F(PageFileTest, CharacterOutsideWindows1252AsksBeforeWritingUtf8)
{
    writeAll(path("p.htm"), "caf\xE9\r\n");
    auto page = loadPage(path("p.htm"));
    ASSERT_TRUE(page.has_value());
    ASSERT_EQ(page->format.encoding, FileEncoding::Windows1252);
    const QString changed = page->text + QStringLiteral("\u0101\u4E2D\r\n");

    prompts.answers = {Prompts::Answer::No};
    EXPECT_EQ(savePage(path("p.htm"), changed, page->format, prompts), SaveResult::Declined);
    EXPECT_EQ(readAll(path("p.htm")), QByteArray("caf\xE9\r\n"));
    EXPECT_EQ(page->format.encoding, FileEncoding::Windows1252);
    ASSERT_EQ(prompts.asked.size(), 1);

    prompts.answers = {Prompts::Answer::Yes};
    EXPECT_EQ(savePage(path("p.htm"), changed, page->format, prompts), SaveResult::Saved);
    EXPECT_EQ(readAll(path("p.htm")), QByteArray("caf\xC3\xA9\r\n\xC4\x81\xE4\xB8\xAD\r\n"));
    EXPECT_EQ(page->format.encoding, FileEncoding::Utf8);
}

TEST_F(PageFileTest, BackupKeepsThePreviousFile)
{
    EXPECT_EQ(backupName(QStringLiteral("/site/a.b.html")), QStringLiteral("/site/a.b.bak"));
    EXPECT_EQ(backupName(QStringLiteral("/my.site/page")), QStringLiteral("/my.site/page.bak"));

    writeAll(path("p.htm"), "first");
    writeAll(path("p.bak"), "older");
    MakeBackup(path("p.htm"));
    EXPECT_EQ(readAll(path("p.bak")), QByteArray("first"));
    EXPECT_EQ(readAll(path("p.htm")), QByteArray("first"));
    MakeBackup(path("missing.htm")); // nothing to keep, nothing happens
    EXPECT_FALSE(QFile::exists(path("missing.bak")));
}

// The editor streams its lines to the file: the bytes are those the whole
// text gives, in every encoding and line-end style, also where a piece of
// the stream ends inside a character.
TEST_F(PageFileTest, StreamedLinesGiveTheBytesOfTheWholeText)
{
    const QString longLine = QString(64 * 1024 - 1, u'a') + QStringLiteral("\U0001F600\u00E9") + QString(70000, u'b');
    struct Case
    {
        const char *name;
        QString text; // CR LF
        FileEncoding encoding;
        LineEnd lineEnd;
        std::deque<Prompts::Answer> answers;
        SaveResult expected;
    };
    const QString accented = QStringLiteral("<P>\u00E9t\u00E9</P>\r\n\r\nfin");
    const Case cases[] = {
        {"UTF-8, CR LF", accented, FileEncoding::Utf8, LineEnd::CrLf, {}, SaveResult::Saved},
        {"UTF-8, LF", accented, FileEncoding::Utf8, LineEnd::Lf, {}, SaveResult::Saved},
        {"UTF-8 marked, CR", accented, FileEncoding::Utf8Bom, LineEnd::Cr, {}, SaveResult::Saved},
        {"UTF-16LE", accented, FileEncoding::Utf16LE, LineEnd::CrLf, {}, SaveResult::Saved},
        {"UTF-16BE, long line", longLine, FileEncoding::Utf16BE, LineEnd::Lf, {}, SaveResult::Saved},
        {"UTF-8, long line",
         longLine + QStringLiteral("\r\n"),
         FileEncoding::Utf8,
         LineEnd::CrLf,
         {},
         SaveResult::Saved},
        {"empty, marked", QString(), FileEncoding::Utf8Bom, LineEnd::CrLf, {}, SaveResult::Saved},
        {"empty, UTF-16", QString(), FileEncoding::Utf16LE, LineEnd::CrLf, {}, SaveResult::Saved},
        {"Windows-1252", accented, FileEncoding::Windows1252, LineEnd::CrLf, {}, SaveResult::Saved},
        {"Windows-1252, written as UTF-8",
         QStringLiteral("\u0101\r\n\u00E9"),
         FileEncoding::Windows1252,
         LineEnd::CrLf,
         {Prompts::Answer::Yes, Prompts::Answer::Yes},
         SaveResult::Saved},
        {"Windows-1252, declined",
         QStringLiteral("\u0101"),
         FileEncoding::Windows1252,
         LineEnd::CrLf,
         {Prompts::Answer::No, Prompts::Answer::No},
         SaveResult::Declined},
        // Bytes that the next open would take for UTF-8: refused.
        {"Windows-1252 read back otherwise",
         QStringLiteral("\u00C3\u00A9"),
         FileEncoding::Windows1252,
         LineEnd::CrLf,
         {},
         SaveResult::Failed},
    };
    for (const Case &c : cases) {
        writeAll(path("whole.htm"), "old");
        writeAll(path("lines.htm"), "old");
        prompts.answers = c.answers;
        PageFormat whole{c.encoding, c.lineEnd};
        PageFormat streamed = whole;
        EXPECT_EQ(savePage(path("whole.htm"), c.text, whole, prompts), c.expected) << c.name;
        EXPECT_EQ(savePage(path("lines.htm"), LineStore(c.text), streamed, prompts), c.expected) << c.name;
        EXPECT_EQ(readAll(path("lines.htm")), readAll(path("whole.htm"))) << c.name;
        EXPECT_EQ(streamed.encoding, whole.encoding) << c.name;
    }
}

// Every name of a hard-linked page shows the saved text.
TEST_F(PageFileTest, SavingAHardLinkedPageKeepsTheLink)
{
    writeAll(path("a.htm"), "old\r\n");
    ASSERT_EQ(::link(QFile::encodeName(path("a.htm")).constData(), QFile::encodeName(path("b.htm")).constData()), 0);
    const FileStamp before = fileStamp(path("a.htm"));
    PageFormat format;
    ASSERT_EQ(savePage(path("a.htm"), LineStore(QStringLiteral("new\r\ntext")), format, prompts), SaveResult::Saved);
    EXPECT_EQ(readAll(path("b.htm")), QByteArray("new\r\ntext"));
    EXPECT_EQ(fileStamp(path("a.htm")).inode, before.inode);
    ASSERT_EQ(savePage(path("b.htm"), QStringLiteral("again"), format, prompts), SaveResult::Saved);
    EXPECT_EQ(readAll(path("a.htm")), QByteArray("again"));
    // No copy of the old text is left behind.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
    EXPECT_TRUE(prompts.shown.isEmpty());
}
