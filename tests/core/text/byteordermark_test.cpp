#include "core/text/textcodec.h"

#include <gtest/gtest.h>

// A zero-width no-break space right after a file's byte-order mark is text:
// it survives reading and writing.
TEST(ByteOrderMark, SecondMarkIsKeptAsACharacter)
{
    struct Case
    {
        QByteArray bytes;
        FileEncoding encoding;
    };
    const Case cases[] = {
        {"\xEF\xBB\xBF\xEF\xBB\xBF"
         "a",
         FileEncoding::Utf8Bom},
        {QByteArray("\xFF\xFE\xFF\xFE"
                    "a\0",
                    6),
         FileEncoding::Utf16LE},
        {QByteArray("\xFE\xFF\xFE\xFF\0a", 6), FileEncoding::Utf16BE},
    };
    for (const Case &c : cases) {
        QString text;
        EXPECT_EQ(detectAndDecode(c.bytes, text), c.encoding);
        EXPECT_EQ(text, QStringLiteral("\uFEFFa")) << c.bytes.toHex().constData();
        QByteArray back;
        ASSERT_TRUE(encodeText(text, c.encoding, back));
        EXPECT_EQ(back, c.bytes);
    }
    // A sequence cut short at the end is no UTF-8: every byte is read as a
    // Windows-1252 character, so that none is lost.
    QString text;
    EXPECT_EQ(detectAndDecode("\xEF\xBB\xBF"
                              "a\xC3",
                              text),
              FileEncoding::Windows1252);
    EXPECT_EQ(text, QStringLiteral("\u00EF\u00BB\u00BFa\u00C3"));
}
