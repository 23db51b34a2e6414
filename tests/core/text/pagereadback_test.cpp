#include "core/text/pagefile.h"
#include "core/text/textcodec.h"
#include "support/fakeprompts.h"
#include "support/filebytes.h"

#include <QTemporaryDir>

#include <random>

#include <gtest/gtest.h>

// A Windows-1252 page is written only as bytes that read back as the same
// text: bytes that the next open would take for UTF-16 or UTF-8 are refused
// and the file on disk keeps its text.
TEST(PageReadBackTest, AWindows1252PageIsNotWrittenAsBytesReadBackOtherwise)
{
    const struct
    {
        const char *name;
        QByteArray onDisk;
        const char16_t *edit; // replaces the text read, unless null
        bool written;
    } cases[] = {
        {"a UTF-16 mark made valid by uniform line ends",
         QByteArray::fromHex("feffffffffffffff") + "cfa\r\rod" + QByteArray(15, '\xE6') + "osC\r\n", nullptr, false},
        {"the same mark on a page whose length stays odd",
         QByteArray::fromHex("feffffffffffffff") + "cfa\r\rod" + QByteArray(15, '\xE6') + "osC\rx", nullptr, true},
        {"an edit that leaves only UTF-8 sequences", "caf\xE9\r\n", u"caf\u00C3\u00A9\r\n", false},
        {"an edit that leaves a UTF-8 mark", "caf\xE9\r\n", u"\u00EF\u00BB\u00BFcaf\r\n", false},
        {"an edit that leaves plain ASCII, read back alike", "caf\xE9\r\n", u"cafe\r\n", true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("p.htm"));
        writeAll(file, c.onDisk);
        std::optional<LoadedPage> page = loadPage(file);
        ASSERT_TRUE(page);
        ASSERT_EQ(page->format.encoding, FileEncoding::Windows1252);
        const QString text = c.edit ? QString::fromUtf16(c.edit) : page->text;
        FakePrompts prompts;
        EXPECT_EQ(savePage(file, text, page->format, prompts) == SaveResult::Saved, c.written);
        EXPECT_EQ(prompts.shown.size(), c.written ? 0 : 1);
        if (c.written) {
            const std::optional<LoadedPage> again = loadPage(file);
            ASSERT_TRUE(again);
            EXPECT_EQ(again->text, text);
        } else {
            EXPECT_EQ(readAll(file), c.onDisk);
        }
    }
}

// The check that follows a page written piece by piece agrees with the one
// on the whole page, in any pieces; only behind a UTF-16 mark with an even
// length does it refuse where the whole page might still read back.
TEST(PageReadBackTest, ThePieceByPieceCheckAgreesWithTheWholePageOne)
{
    std::mt19937 random(7);
    const char alphabet[] = {'a',    '\r',   '\n',   '\xE9', '\xC3', '\xA9', '\x80',
                             '\xEF', '\xBB', '\xBF', '\xFE', '\xFF', '\xF0', '\x9F'};
    for (int round = 0; round < 20000; ++round) {
        QByteArray bytes;
        for (int i = int(random() % 10); i > 0; --i)
            bytes += alphabet[random() % sizeof alphabet];
        Windows1252ReadBack check;
        for (qsizetype at = 0; at < bytes.size();) {
            const qsizetype length = std::min<qsizetype>(1 + random() % 4, bytes.size() - at);
            check.add(QByteArrayView(bytes).sliced(at, length));
            at += length;
        }
        SCOPED_TRACE(bytes.toHex().constData());
        const bool whole = !readsBackAs(bytes, FileEncoding::Windows1252, decodeWindows1252(bytes));
        const bool utf16Mark = bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
        if (utf16Mark && whole != check.readsAsOtherEncoding())
            EXPECT_TRUE(check.readsAsOtherEncoding());
        else
            EXPECT_EQ(check.readsAsOtherEncoding(), whole);
    }
}
