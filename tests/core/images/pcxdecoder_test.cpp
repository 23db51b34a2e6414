#include "core/images/pcxdecoder.h"
#include "core/images/pcxsamples.h"

#include <gtest/gtest.h>

namespace {

struct PcxCase
{
    const char *name;
    int width, height, bits, planes;
    std::function<int(int, int)> value;
    // The colour decoded from a value.
    std::function<std::uint32_t(int)> colour;
};

std::uint32_t fromPalette(int v)
{
    return 0xFF000000u | paletteColour(v);
}

TEST(PcxDecoder, DecodesEveryDepthPixelForPixel)
{
    const PcxCase cases[] = {
        {"1 bit", 21, 3, 1, 1, [](int x, int y) { return (x + y) % 2; },
         [](int v) { return v ? 0xFFFFFFFFu : 0xFF000000u; }},
        {"16 colours in 4 planes", 19, 2, 1, 4, [](int x, int y) { return (x + 3 * y) % 16; }, fromPalette},
        {"4 bits", 7, 3, 4, 1, [](int x, int y) { return (x * y + x) % 16; }, fromPalette},
        {"256 colours", 70, 2, 8, 1, [](int x, int y) { return x < 66 ? 0xC3 : (x * 7 + y) % 256; }, fromPalette},
        {"24 bits", 5, 4, 8, 3, [](int x, int y) { return x * 0x3A0511 + y * 0x00C0FF; },
         [](int v) { return 0xFF000000u | (std::uint32_t(v) & 0xFFFFFF); }},
    };
    for (const PcxCase &c : cases) {
        DecodedPixels out;
        QString error;
        ASSERT_TRUE(DecodePcx(makePcx(c.width, c.height, c.bits, c.planes, c.value), out, &error))
            << c.name << ": " << error.toStdString();
        ASSERT_EQ(out.width, c.width) << c.name;
        ASSERT_EQ(out.height, c.height) << c.name;
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x)
                ASSERT_EQ(out.pixels[size_t(y * c.width + x)], c.colour(c.value(x, y)))
                    << c.name << " at " << x << "," << y;
    }
}

TEST(PcxDecoder, RefusesDamagedFiles)
{
    const QByteArray good = makePcx(40, 30, 8, 3, [](int x, int y) { return x * y; });
    auto with = [&](int at, char byte) {
        QByteArray b = good;
        b[at] = byte;
        return b;
    };
    QByteArray huge = good;
    huge[8] = huge[9] = huge[10] = huge[11] = char(0x40); // 16449 x 16449 declared
    QByteArray tooWide = good;
    tooWide[8] = char(0x30);
    tooWide[9] = char(0x75); // 30001 pixels wide
    const struct
    {
        const char *name;
        QByteArray bytes;
    } cases[] = {
        {"empty", QByteArray()},
        {"not PCX", with(0, 'B')},
        {"uncompressed", with(2, 0)},
        {"2 bits", with(3, 2)},
        {"5 planes", with(65, 5)},
        {"line too short", with(66, 1)},
        {"cut short", good.left(good.size() - 20)},
        {"run at the very end", good.left(128) + QByteArray(1, char(0xC5))},
        {"more pixels than its data", huge},
        {"wider than the limit", tooWide},
    };
    for (const auto &c : cases) {
        DecodedPixels out;
        QString error;
        EXPECT_FALSE(DecodePcx(c.bytes, out, &error)) << c.name;
        EXPECT_FALSE(error.isEmpty()) << c.name;
        EXPECT_TRUE(out.pixels.empty()) << c.name;
    }
}

} // namespace
