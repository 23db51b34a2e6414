#pragma once

#include <QString>

// Which reader a picture file goes to, by its extension: the upper-cased
// extension's first four characters (".TIFF" reads as ".TIF").
enum class PictureKind {
    Bmp,      // ".BMP", ".THB" (a thumbnail holding a BMP)
    Jpeg,     // ".JPG", ".THJ" (a thumbnail holding a JPEG)
    Gif,      // ".GIF", first frame
    Pcx,      // ".PCX", our own decoder
    Png,      // ".PNG"
    Tiff,     // ".TIF"
    Icon,     // ".ICO"
    Metafile, // ".WMF"
    Resource, // ".RES", the first bitmap resource
    Unknown,
};

PictureKind pictureKindOf(const QString &fileName);

// The name of the Qt reader format for a kind ("bmp", "jpeg"...); empty for
// the kinds Qt does not read (PCX, metafiles, resources, unknown).
QByteArray qtFormatOf(PictureKind kind);

// The texts a load leaves as its status.
QString pictureNotFoundText();
QString pictureUnknownTypeText();
// "Reading jpg file failed" and its kin; the generic one for the others.
QString pictureReadFailedText(PictureKind kind);
// A picture wider or higher than this is refused before it is decoded.
constexpr int MaxPictureSide = 20000;
QString pictureTooLargeText(int width, int height);
QString pictureUnsupportedText(PictureKind kind);
