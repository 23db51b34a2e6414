#pragma once

#include "core/images/pictureformat.h"

#include <QImage>
#include <QString>

// The picture interface every window uses: load a file by name, by its
// extension's reader, into an image.
struct LoadedPicture
{
    QImage image;
    // Size of the picture as stored (before any scaling for a preview).
    int width = 0;
    int height = 0;
    // Empty on success; otherwise the reason, for the status line.
    QString status;
    bool ok() const { return status.isEmpty() && !image.isNull(); }
};

// Loads fileName. With a valid boundingSize the picture is decoded directly
// at the size that fits in it, keeping its proportions (a large JPEG
// previews without a full decode); a picture smaller than the box stays as
// it is. A missing file, an extension we do not read, a picture over
// MaxPictureSide a side and a damaged file give an empty image and a status
// text, never a crash.
LoadedPicture LoadPicture(const QString &fileName, const QSize &boundingSize = QSize());

// Decodes bytes as a picture of the given kind (the fuzz and the loader
// share it).
LoadedPicture DecodePicture(const QByteArray &bytes, PictureKind kind, const QSize &boundingSize = QSize());
