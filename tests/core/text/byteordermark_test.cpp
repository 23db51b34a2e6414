#include "core/text/textcodec.h"

#include <gtest/gtest.h>

// A zero-width no-break space right after a file's byte-order mark is text:
// it survives reading and writing.
TEST(ByteOrderMark, SecondMarkIsKeptAsACharacter)
{
    const std::pair<const char *, FileEncoding> cases[] = {
        {"efbbbf efbbbf 61", FileEncoding::Utf8Bom},
        {"fffe fffe 6100", FileEncoding::Utf16LE},
        {"feff feff 0061", FileEncoding::Utf16BE},
    };
    for (const auto &[hex, encoding] : cases) {
        const QByteArray bytes = QByteArray::fromHex(hex);
        QString text;
        EXPECT_EQ(detectAndDecode(bytes, text), encoding);
        EXPECT_EQ(text, QStringLiteral("\uFEFFa")) << hex;
        QByteArray back;
        ASSERT_TRUE(encodeText(text, encoding, back));
        EXPECT_EQ(back, bytes);
    }
    // A sequence cut short at the end: the page is read byte for byte, so
    // that saving it gives the same bytes back.
    const QByteArray cut = QByteArray::fromHex("efbbbf 61c3");
    QString text;
    EXPECT_EQ(detectAndDecode(cut, text), FileEncoding::Windows1252);
    EXPECT_EQ(text, decodeWindows1252(cut));
}
