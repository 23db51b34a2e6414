#pragma once

#include <QByteArray>

#include <cstdint>
#include <functional>

// Writes small PCX files for the tests: every pixel from value(x, y), a
// palette index (or 0xRRGGBB for 8 bits in 3 planes), run-length encoded.
// Palettes: entry i of the header palette and of the 256-colour palette is
// paletteColour(i).
inline std::uint32_t paletteColour(int i)
{
    return std::uint32_t(i * 0x0B1F37) & 0xFFFFFF;
}

inline QByteArray makePcx(int width, int height, int bits, int planes, const std::function<int(int, int)> &value)
{
    const int bpl = ((width * bits + 15) / 16) * 2; // even, as writers make it
    QByteArray pcx(128, '\0');
    pcx[0] = 0x0A;
    pcx[1] = 5;
    pcx[2] = 1;
    pcx[3] = char(bits);
    pcx[8] = char((width - 1) & 0xFF);
    pcx[9] = char((width - 1) >> 8);
    pcx[10] = char((height - 1) & 0xFF);
    pcx[11] = char((height - 1) >> 8);
    for (int i = 0; i < 16; ++i) {
        const std::uint32_t c = paletteColour(i);
        pcx[16 + 3 * i] = char(c >> 16);
        pcx[17 + 3 * i] = char(c >> 8);
        pcx[18 + 3 * i] = char(c);
    }
    pcx[65] = char(planes);
    pcx[66] = char(bpl & 0xFF);
    pcx[67] = char(bpl >> 8);
    for (int y = 0; y < height; ++y) {
        QByteArray line(bpl * planes, '\0');
        for (int x = 0; x < width; ++x) {
            const int v = value(x, y);
            if (bits == 8 && planes == 3) {
                line[x] = char(v >> 16);
                line[bpl + x] = char(v >> 8);
                line[2 * bpl + x] = char(v);
            } else if (bits == 8) {
                line[x] = char(v);
            } else if (bits == 4) {
                line[x / 2] = char(line[x / 2] | (x % 2 ? v : v << 4));
            } else {
                for (int p = 0; p < planes; ++p)
                    if (v >> p & 1)
                        line[p * bpl + x / 8] = char(line[p * bpl + x / 8] | (0x80 >> (x % 8)));
            }
        }
        for (int i = 0; i < line.size();) {
            int run = 1;
            while (i + run < line.size() && run < 63 && line[i + run] == line[i])
                ++run;
            if (run > 1 || (quint8(line[i]) & 0xC0) == 0xC0)
                pcx.append(char(0xC0 | run));
            pcx.append(line[i]);
            i += run;
        }
    }
    if (bits == 8 && planes == 1) {
        pcx.append(char(0x0C));
        for (int i = 0; i < 256; ++i) {
            const std::uint32_t c = paletteColour(i);
            pcx.append(char(c >> 16)).append(char(c >> 8)).append(char(c));
        }
    }
    return pcx;
}
