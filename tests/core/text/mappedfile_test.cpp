#include "core/text/mappedfile.h"
#include "core/text/pagefile.h"
#include "support/filebytes.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Another program shortening a page while it is read from memory must not
// end the editor: the vanished pages read as zeros and the read says so.
TEST(MappedFileTest, AFileShortenedWhileMappedIsReportedNotFatal)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.htm"));
    const QByteArray bytes(256 * 1024, 'a');
    for (const qint64 keptBytes : {qint64(-1), qint64(0), qint64(4096)}) {
        SCOPED_TRACE(keptBytes);
        writeAll(path, bytes);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        MappedFile mapped;
        ASSERT_TRUE(mapped.map(file, bytes.size()));
        if (keptBytes >= 0) {
            QFile writer(path);
            ASSERT_TRUE(writer.open(QIODevice::ReadWrite));
            ASSERT_TRUE(writer.resize(keptBytes));
        }
        QByteArray seen;
        const bool whole = mapped.read([&](QByteArrayView view) { seen = view.toByteArray(); });
        EXPECT_EQ(whole, keptBytes < 0);
        EXPECT_EQ(seen.size(), bytes.size());
        if (whole) {
            EXPECT_EQ(seen, bytes);
        }
    }
}

// A page read from memory is the page read through read(): same text, same
// format, its line breaks left as they are when asked.
TEST(MappedFileTest, PagesReadLikeBefore)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.htm"));
    const QByteArray samples[] = {
        "caf\xC3\xA9\r\nsuite\r\n", "caf\xE9\nsuite\rfin", QByteArray::fromHex("fffe 6100 0d00 0a00"), "", "\r\r\n\n",
    };
    for (const QByteArray &bytes : samples) {
        SCOPED_TRACE(bytes.toHex(' ').toStdString());
        writeAll(path, bytes);
        const std::optional<LoadedPage> page = loadPage(path);
        const std::optional<LoadedPage> asRead = loadPageAsRead(path);
        const std::optional<LoadedPage> fromBytes = pageFromBytes(PageBytes{bytes, fileStamp(path)});
        ASSERT_TRUE(page && asRead && fromBytes);
        EXPECT_EQ(page->text, fromBytes->text);
        EXPECT_EQ(toCrLf(asRead->text), page->text);
        EXPECT_EQ(page->format.encoding, fromBytes->format.encoding);
        EXPECT_EQ(asRead->format.lineEnd, fromBytes->format.lineEnd);
        EXPECT_EQ(page->stamp, fileStamp(path));
    }
}
