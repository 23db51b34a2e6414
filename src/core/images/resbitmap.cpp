#include "core/images/resbitmap.h"

#include <QtEndian>

namespace {

quint32 u32(QByteArrayView b, qsizetype at)
{
    return qFromLittleEndian<quint32>(b.data() + at);
}
quint16 u16(QByteArrayView b, qsizetype at)
{
    return qFromLittleEndian<quint16>(b.data() + at);
}

constexpr quint16 BitmapType = 2;

// The BMP file header a bitmap resource leaves out: "BM", the file size and
// where the pixels start (after the info header, the colour masks and the
// palette).
QByteArray withFileHeader(QByteArrayView dib)
{
    if (dib.size() < 12)
        return {};
    const quint32 infoSize = u32(dib, 0);
    if (infoSize < 12 || infoSize > quint32(dib.size()))
        return {};
    quint32 paletteBytes = 0;
    if (infoSize == 12) {
        const quint16 bits = u16(dib, 10);
        if (bits <= 8)
            paletteBytes = 3u << bits;
    } else {
        if (infoSize < 36)
            return {};
        const quint16 bits = u16(dib, 14);
        const quint32 compression = u32(dib, 16);
        const quint32 used = u32(dib, 32);
        if (used > 256)
            return {};
        if (bits <= 8)
            paletteBytes = 4 * (used ? used : (1u << bits));
        if (compression == 3 && infoSize == 40)
            paletteBytes += 12;
    }
    const qint64 offset = 14 + qint64(infoSize) + paletteBytes;
    if (offset > 14 + dib.size())
        return {};
    QByteArray file(14, '\0');
    file[0] = 'B';
    file[1] = 'M';
    qToLittleEndian<quint32>(quint32(14 + dib.size()), file.data() + 2);
    qToLittleEndian<quint32>(quint32(offset), file.data() + 10);
    file.append(dib.data(), dib.size());
    return file;
}

} // namespace

QByteArray FirstBitmapFromResourceFile(QByteArrayView bytes)
{
    qsizetype at = 0;
    // Each entry: data size, header size, the type (0xFFFF and a number, or
    // a name), the rest of the header, then the data, aligned on 4 bytes.
    while (bytes.size() - at >= 12) {
        const quint32 dataSize = u32(bytes, at);
        const quint32 headerSize = u32(bytes, at + 4);
        if (headerSize < 12 || qint64(headerSize) + dataSize > bytes.size() - at)
            return {};
        if (u16(bytes, at + 8) == 0xFFFF && u16(bytes, at + 10) == BitmapType && dataSize > 0)
            return withFileHeader(bytes.sliced(at + headerSize, dataSize));
        const qint64 next = (at + qint64(headerSize) + dataSize + 3) & ~qint64(3);
        if (next <= at)
            return {};
        at = next;
    }
    return {};
}
