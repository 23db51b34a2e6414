#include "ui/images/picture.h"

#include "core/images/resbitmap.h"
#include "ui/images/pcxhandler.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

namespace {

LoadedPicture failed(const QString &status)
{
    LoadedPicture picture;
    picture.status = status;
    return picture;
}

QSize fitted(const QSize &size, const QSize &box)
{
    if (!box.isValid() || (size.width() <= box.width() && size.height() <= box.height()))
        return size;
    return size.scaled(box, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

LoadedPicture readWithQt(QIODevice &device, const QByteArray &format, PictureKind kind, const QSize &box)
{
    QImageReader reader(&device, format);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (size.width() > MaxPictureSide || size.height() > MaxPictureSide)
        return failed(pictureTooLargeText(size.width(), size.height()));
    // A header may claim an empty size (0 x n): only a real size is scaled.
    const bool scaled = !size.isEmpty() && box.isValid() && fitted(size, box) != size;
    if (scaled)
        reader.setScaledSize(fitted(size, box));
    LoadedPicture picture;
    picture.image = reader.read();
    if (picture.image.isNull())
        return failed(pictureReadFailedText(kind));
    // The header's size is only a claim (a GIF's screen may differ from its
    // frame): unscaled, the picture's size is the decoded image's own.
    picture.width = scaled ? size.width() : picture.image.width();
    picture.height = scaled ? size.height() : picture.image.height();
    if (picture.width > MaxPictureSide || picture.height > MaxPictureSide)
        return failed(pictureTooLargeText(picture.width, picture.height));
    // A reader that ignores the scaled size still gives a preview that fits.
    const QSize fits = fitted(picture.image.size(), box);
    if (fits != picture.image.size())
        picture.image = picture.image.scaled(fits, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return picture;
}

LoadedPicture readPcx(QIODevice &device, const QSize &box)
{
    PcxHandler handler;
    handler.setDevice(&device);
    LoadedPicture picture;
    if (!handler.read(&picture.image))
        return failed(pictureReadFailedText(PictureKind::Pcx));
    picture.width = picture.image.width();
    picture.height = picture.image.height();
    const QSize scaled = fitted(picture.image.size(), box);
    if (scaled != picture.image.size())
        picture.image = picture.image.scaled(scaled, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return picture;
}

} // namespace

LoadedPicture DecodePicture(const QByteArray &bytes, PictureKind kind, const QSize &box)
{
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    switch (kind) {
    case PictureKind::Unknown:
        return failed(pictureUnknownTypeText());
    case PictureKind::Metafile:
        return failed(pictureUnsupportedText(kind));
    case PictureKind::Pcx:
        return readPcx(buffer, box);
    case PictureKind::Resource: {
        QByteArray bmp = FirstBitmapFromResourceFile(bytes);
        if (bmp.isEmpty())
            return failed(pictureReadFailedText(kind));
        QBuffer bmpBuffer(&bmp);
        bmpBuffer.open(QIODevice::ReadOnly);
        return readWithQt(bmpBuffer, "bmp", kind, box);
    }
    default:
        return readWithQt(buffer, qtFormatOf(kind), kind, box);
    }
}

LoadedPicture LoadPicture(const QString &fileName, const QSize &box)
{
    QFile file(fileName);
    if (!file.exists())
        return failed(pictureNotFoundText());
    const PictureKind kind = pictureKindOf(fileName);
    if (kind == PictureKind::Unknown)
        return failed(pictureUnknownTypeText());
    if (kind == PictureKind::Metafile)
        return failed(pictureUnsupportedText(kind));
    if (!file.open(QIODevice::ReadOnly))
        return failed(pictureReadFailedText(kind));
    if (kind == PictureKind::Pcx)
        return readPcx(file, box);
    if (kind == PictureKind::Resource)
        return DecodePicture(file.readAll(), kind, box);
    return readWithQt(file, qtFormatOf(kind), kind, box);
}
