#include "core/text/textcodec.h"

#include <gtest/gtest.h>

TEST(TextCodec, Windows1252MapsEveryByteBothWays)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = decodeWindows1252(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(text.at(0x80), QChar(0x20AC));
    EXPECT_EQ(text.at(0x99), QChar(0x2122));
    EXPECT_EQ(text.at(0x81), QChar(0x81)); // undefined byte kept as is
    EXPECT_EQ(text.at(0xE9), QChar(0xE9));
    QByteArray back;
    ASSERT_TRUE(encodeWindows1252(text, back));
    EXPECT_EQ(back, all);
    EXPECT_FALSE(fitsWindows1252(QStringLiteral("a\u0101")));
}

TEST(TextCodec, DetectsEncoding)
{
    struct Case
    {
        QByteArray bytes;
        FileEncoding encoding;
        QString text;
    };
    const Case cases[] = {
        {"plain", FileEncoding::Utf8, QStringLiteral("plain")},
        {"caf\xC3\xA9", FileEncoding::Utf8, QStringLiteral("café")},
        {"\xEF\xBB\xBF" "caf\xC3\xA9", FileEncoding::Utf8Bom, QStringLiteral("café")},
        {"caf\xE9", FileEncoding::Windows1252, QStringLiteral("café")},
        {"\x93quoted\x94", FileEncoding::Windows1252, QStringLiteral("\u201Cquoted\u201D")},
        {QByteArray("\xFF\xFE" "a\0b\0", 6), FileEncoding::Utf16LE, QStringLiteral("ab")},
        {QByteArray("\xFE\xFF\0a\0b", 6), FileEncoding::Utf16BE, QStringLiteral("ab")},
    };
    for (const Case &c : cases) {
        QString text;
        EXPECT_EQ(detectAndDecode(c.bytes, text), c.encoding) << c.bytes.toHex().constData();
        EXPECT_EQ(text, c.text);
        QByteArray back;
        ASSERT_TRUE(encodeText(text, c.encoding, back));
        EXPECT_EQ(back, c.bytes);
    }
}

TEST(TextCodec, LineEndStyle)
{
    EXPECT_EQ(detectLineEnd(QStringLiteral("a\r\nb\n")), LineEnd::CrLf);
    EXPECT_EQ(detectLineEnd(QStringLiteral("a\nb")), LineEnd::Lf);
    EXPECT_EQ(detectLineEnd(QStringLiteral("a\rb")), LineEnd::Cr);
    EXPECT_EQ(detectLineEnd(QStringLiteral("ab")), LineEnd::CrLf);
    EXPECT_EQ(withLineEnd(QStringLiteral("a\r\nb\r\n"), LineEnd::Lf), QStringLiteral("a\nb\n"));
    EXPECT_EQ(withLineEnd(QStringLiteral("a\r\nb"), LineEnd::Cr), QStringLiteral("a\rb"));
}
