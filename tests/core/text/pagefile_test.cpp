#include "core/text/pagefile.h"
#include "core/messages/messages.h"
#include "support/fakeprompts.h"
#include "support/filebytes.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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
        "\xEF\xBB\xBF" "marked\r\n",
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
