#include "ui/images/pcxhandler.h"

#include "core/images/pcxdecoder.h"

#include <QIODevice>
#include <QImage>
#include <QSize>
#include <QVariant>

bool PcxHandler::canRead(QIODevice *device)
{
    return device && device->peek(1) == QByteArray(1, '\x0A');
}

bool PcxHandler::canRead() const
{
    if (!canRead(device()))
        return false;
    setFormat("pcx");
    return true;
}

bool PcxHandler::read(QImage *image)
{
    if (!device())
        return false;
    const QByteArray bytes = device()->readAll();
    DecodedPixels pixels;
    if (!DecodePcx(bytes, pixels, &m_error))
        return false;
    QImage decoded(pixels.width, pixels.height, QImage::Format_RGB32);
    if (decoded.isNull()) {
        m_error = QStringLiteral("Mémoire insuffisante pour cette image.");
        return false;
    }
    for (int y = 0; y < pixels.height; ++y)
        std::copy_n(pixels.pixels.data() + size_t(y) * size_t(pixels.width), pixels.width,
                    reinterpret_cast<std::uint32_t *>(decoded.scanLine(y)));
    *image = decoded;
    return true;
}

bool PcxHandler::supportsOption(ImageOption option) const
{
    return option == Size;
}

QVariant PcxHandler::option(ImageOption option) const
{
    if (option != Size || !device())
        return {};
    PcxHeader header;
    if (!ReadPcxHeader(device()->peek(128), header))
        return {};
    return QSize(header.width, header.height);
}
