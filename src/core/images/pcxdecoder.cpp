#include "core/images/pcxdecoder.h"

#include "core/images/pictureformat.h"

namespace {

constexpr qsizetype HeaderSize = 128;
constexpr qsizetype PaletteSize = 769; // 0x0C marker + 256 RGB triples

int word(QByteArrayView b, qsizetype at)
{
    return static_cast<quint8>(b[at]) | (static_cast<quint8>(b[at + 1]) << 8);
}

std::uint32_t rgb(QByteArrayView b, qsizetype at)
{
    return 0xFF000000u | (std::uint32_t(quint8(b[at])) << 16) | (std::uint32_t(quint8(b[at + 1])) << 8)
           | std::uint32_t(quint8(b[at + 2]));
}

bool fail(QString *error, const char *text)
{
    if (error)
        *error = QString::fromUtf8(text);
    return false;
}

// Run-length decoding that may carry a run from one scan line to the next.
class RunReader
{
public:
    explicit RunReader(QByteArrayView data)
        : m_data(data)
    {}

    bool fill(std::vector<quint8> &line)
    {
        for (quint8 &byte : line) {
            // A run of length zero writes nothing: read on to the next one.
            while (m_pending == 0) {
                if (m_at >= m_data.size())
                    return false;
                const quint8 b = quint8(m_data[m_at++]);
                if ((b & 0xC0) == 0xC0) {
                    if (m_at >= m_data.size())
                        return false;
                    m_pending = b & 0x3F;
                    m_value = quint8(m_data[m_at++]);
                } else {
                    m_pending = 1;
                    m_value = b;
                }
            }
            byte = m_value;
            --m_pending;
        }
        return true;
    }

private:
    QByteArrayView m_data;
    qsizetype m_at = 0;
    int m_pending = 0;
    quint8 m_value = 0;
};

} // namespace

bool ReadPcxHeader(QByteArrayView b, PcxHeader &h, QString *error)
{
    if (b.size() < HeaderSize || quint8(b[0]) != 0x0A)
        return fail(error, "Ce fichier n'est pas une image PCX.");
    if (quint8(b[2]) != 1)
        return fail(error, "Codage PCX non pris en charge.");
    const int xmin = word(b, 4), ymin = word(b, 6), xmax = word(b, 8), ymax = word(b, 10);
    if (xmax < xmin || ymax < ymin)
        return fail(error, "Dimensions PCX invalides.");
    h.width = xmax - xmin + 1;
    h.height = ymax - ymin + 1;
    h.bitsPerPixel = quint8(b[3]);
    h.planes = quint8(b[65]);
    h.bytesPerLine = word(b, 66);
    const bool supported = (h.bitsPerPixel == 1 && (h.planes == 1 || h.planes == 4))
                           || (h.bitsPerPixel == 4 && h.planes == 1)
                           || (h.bitsPerPixel == 8 && (h.planes == 1 || h.planes == 3));
    if (!supported)
        return fail(error, "Profondeur de couleur PCX non prise en charge.");
    if (h.width > MaxPictureSide || h.height > MaxPictureSide)
        return fail(error, "Image PCX trop grande.");
    if (h.bytesPerLine < (h.width * h.bitsPerPixel + 7) / 8)
        return fail(error, "Longueur de ligne PCX invalide.");
    return true;
}

bool DecodePcx(QByteArrayView b, DecodedPixels &out, QString *error)
{
    PcxHeader h;
    if (!ReadPcxHeader(b, h, error))
        return false;

    // The 256-colour palette sits after the pixel data, behind a 0x0C byte.
    QByteArrayView data = b.sliced(HeaderSize);
    std::uint32_t palette[256];
    for (int i = 0; i < 256; ++i)
        palette[i] = 0xFF000000u | (std::uint32_t(i) * 0x010101u);
    if (h.bitsPerPixel == 8 && h.planes == 1) {
        if (data.size() >= PaletteSize && quint8(data[data.size() - PaletteSize]) == 0x0C) {
            const qsizetype at = b.size() - PaletteSize + 1;
            for (int i = 0; i < 256; ++i)
                palette[i] = rgb(b, at + 3 * i);
            data.chop(PaletteSize);
        }
    } else {
        for (int i = 0; i < 16; ++i)
            palette[i] = rgb(b, 16 + 3 * i);
        if (h.bitsPerPixel == 1 && h.planes == 1) {
            palette[0] = 0xFF000000u;
            palette[1] = 0xFFFFFFFFu;
        }
    }

    // A run of two bytes gives at most 63 bytes: a file that declares more
    // scan-line bytes than its data can give is damaged, and is refused
    // before the pixels are allocated.
    const qint64 lineBytes = qint64(h.bytesPerLine) * h.planes;
    if (lineBytes * h.height > 32 * qint64(data.size()) + 63)
        return fail(error, "Fichier PCX tronqué.");

    out.width = h.width;
    out.height = h.height;
    out.pixels.assign(size_t(h.width) * size_t(h.height), 0xFF000000u);
    std::vector<quint8> line(static_cast<size_t>(lineBytes));
    RunReader runs(data);
    const int bpl = h.bytesPerLine;
    for (int y = 0; y < h.height; ++y) {
        if (!runs.fill(line)) {
            out = {};
            return fail(error, "Fichier PCX tronqué.");
        }
        std::uint32_t *row = out.pixels.data() + size_t(y) * size_t(h.width);
        for (int x = 0; x < h.width; ++x) {
            std::uint32_t pixel = 0;
            if (h.bitsPerPixel == 8 && h.planes == 3) {
                pixel = 0xFF000000u | (std::uint32_t(line[x]) << 16) | (std::uint32_t(line[bpl + x]) << 8)
                        | line[2 * bpl + x];
            } else if (h.bitsPerPixel == 8) {
                pixel = palette[line[x]];
            } else if (h.bitsPerPixel == 4) {
                const quint8 byte = line[x / 2];
                pixel = palette[(x % 2 == 0) ? (byte >> 4) : (byte & 0x0F)];
            } else {
                int index = 0;
                for (int p = 0; p < h.planes; ++p)
                    index |= ((line[p * bpl + x / 8] >> (7 - x % 8)) & 1) << p;
                pixel = palette[index];
            }
            row[x] = pixel;
        }
    }
    return true;
}
