#include "core/messages/messages.h"
#include "core/text/pagefile.h"
#include "support/fakeprompts.h"
#include "support/filebytes.h"
#include "support/fullfilesystem.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

class PageBytesTest : public ::testing::Test
{
protected:
    QString path(const QString &name) const { return dir.filePath(name); }
    // Opens and saves without an edit: the bytes on disk afterwards, or
    // nothing when the page was refused.
    std::optional<QByteArray> openAndSave(const QByteArray &bytes)
    {
        writeAll(path(QStringLiteral("p.htm")), bytes);
        std::optional<LoadedPage> page = loadPage(path(QStringLiteral("p.htm")));
        if (!page)
            return std::nullopt;
        EXPECT_EQ(savePage(path(QStringLiteral("p.htm")), page->text, page->format, prompts), SaveResult::Saved);
        return readAll(path(QStringLiteral("p.htm")));
    }

    QTemporaryDir dir;
    FakePrompts prompts;
};

// The text uses more than one kind of line break (CR LF, LF, lone CR).
bool mixesLineEnds(const QString &text)
{
    bool crlf = false, lf = false, cr = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            crlf = true, ++i;
        else if (text.at(i) == u'\r')
            cr = true;
        else if (text.at(i) == u'\n')
            lf = true;
    }
    return int(crlf) + int(lf) + int(cr) > 1;
}

} // namespace

TEST_F(PageBytesTest, BytesThatDoNotSurviveDecodingComeBackExactlyOrAreRefused)
{
    const struct
    {
        const char *name;
        const char *hex;
        bool readable;
    } cases[] = {
        {"UTF-8 mark before bytes that are not UTF-8", "efbbbf 636166e9 0d0a", true},
        {"UTF-16 of an odd length", "fffe 616263", true},
        {"two marks", "efbbbf efbbbf 78 0d0a", true},
        {"two UTF-16 marks", "fffe fffe 6100", true},
        {"UTF-16 lone surrogate", "fffe 00d8 6100", true},
        {"paragraph separator in a UTF-8 page", "756e e280a9 64657578", false},
        {"the editor's block marks", "61 efb790 62 efb791", false},
        {"line separator stays a character", "756e e280a8 64657578 0d0a", true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray bytes = QByteArray::fromHex(c.hex);
        const std::optional<QByteArray> saved = openAndSave(bytes);
        EXPECT_EQ(saved.has_value(), c.readable);
        EXPECT_EQ(saved.value_or(bytes).toHex(' '), bytes.toHex(' '));
    }
}

TEST_F(PageBytesTest, RandomBytesComeBackTheSameOrAreRefused)
{
    // Bytes that make encodings and line ends interesting, and any other.
    const char alphabet[] = {'a',    '\r',   '\n',   '\0',   '\xEF', '\xBB', '\xBF', '\xFF', '\xFE', '\xC3',
                             '\xA9', '\xE2', '\x80', '\xA9', '\xB7', '\x90', '\xD8', '\xDC', '<'};
    QRandomGenerator random(20261206);
    for (int round = 0; round < 600; ++round) {
        QByteArray bytes;
        const int count = int(random.bounded(24));
        for (int i = 0; i < count; ++i) {
            bytes +=
                random.bounded(4) == 0 ? char(random.bounded(256)) : alphabet[random.bounded(int(sizeof alphabet))];
        }
        writeAll(path(QStringLiteral("p.htm")), bytes);
        const std::optional<LoadedPage> before = loadPage(path(QStringLiteral("p.htm")));
        const std::optional<QByteArray> saved = openAndSave(bytes);
        ASSERT_EQ(saved.has_value(), before.has_value());
        if (!saved || *saved == bytes)
            continue;
        // Mixed line ends are the one change: every break is written the
        // way the page's first one is, and the text itself stays the same.
        QString decoded;
        detectAndDecode(bytes, decoded);
        ASSERT_TRUE(mixesLineEnds(decoded)) << bytes.toHex(' ').toStdString();
        const std::optional<LoadedPage> after = loadPage(path(QStringLiteral("p.htm")));
        ASSERT_TRUE(after);
        ASSERT_EQ(after->text, before->text) << bytes.toHex(' ').toStdString();
        ASSERT_EQ(after->format.encoding, before->format.encoding);
    }
    EXPECT_TRUE(prompts.shown.isEmpty());
}

TEST_F(PageBytesTest, OnlyRegularFilesAreReadAndOnlyUpToTheLimit)
{
    const QString fifo = path(QStringLiteral("fifo.htm"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    writeAll(path(QStringLiteral("big.htm")), QByteArray(100, 'x'));
    const struct
    {
        const char *name;
        QString path;
        qint64 maxBytes;
        bool readable;
    } cases[] = {
        {"a pipe nobody writes to", fifo, MaxPageFileBytes, false},
        {"an endless device", QStringLiteral("/dev/zero"), MaxPageFileBytes, false},
        {"a folder", dir.path(), MaxPageFileBytes, false},
        {"a file over the limit", path(QStringLiteral("big.htm")), 99, false},
        {"a file at the limit", path(QStringLiteral("big.htm")), 100, true},
        // Reports a size of 0 and holds more.
        {"a file that reports no size", QStringLiteral("/proc/self/status"), 16, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(loadPage(c.path, c.maxBytes).has_value(), c.readable);
        if (c.maxBytes == MaxPageFileBytes) {
            EXPECT_EQ(CanOpenFile(c.path), c.readable);
        }
    }
}

TEST_F(PageBytesTest, AWriteThatFailsAtTheEndKeepsTheOldFile)
{
    // A page smaller than the write buffer reaches the disk only when the
    // file is flushed.
    const QString file = path(QStringLiteral("p.htm"));
    writeAll(file, "old page");
    PageFormat format;
    {
        FileSizeLimit limit(4);
        EXPECT_EQ(savePage(file, QStringLiteral("a new page of some length"), format, prompts), SaveResult::Failed);
    }
    EXPECT_EQ(readAll(file), QByteArray("old page"));
    EXPECT_EQ(prompts.shown, QStringList{QStringLiteral("error:[") + file + QLatin1Char(']') + Texts::WriteFailed});
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("p.htm")});
}

TEST_F(PageBytesTest, AFileReplacedSinceItWasReadIsNotOverwritten)
{
    const QString file = path(QStringLiteral("p.htm"));
    writeAll(file, "as read");
    std::optional<LoadedPage> page = loadPage(file);
    ASSERT_TRUE(page);
    EXPECT_EQ(page->stamp, fileStamp(file));
    writeAll(file, "written meanwhile by another program");
    EXPECT_EQ(savePage(file, QStringLiteral("result"), page->format, prompts, page->stamp), SaveResult::Failed);
    EXPECT_EQ(readAll(file), QByteArray("written meanwhile by another program"));
    ASSERT_EQ(prompts.shown.size(), 1);

    // Unchanged since: written.
    page = loadPage(file);
    ASSERT_TRUE(page);
    EXPECT_EQ(savePage(file, QStringLiteral("result"), page->format, prompts, page->stamp), SaveResult::Saved);
    EXPECT_EQ(readAll(file), QByteArray("result"));
}
