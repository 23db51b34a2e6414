#include "core/images/pictureformat.h"

#include <QFileInfo>

PictureKind pictureKindOf(const QString &fileName)
{
    const QString name = QFileInfo(fileName).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return PictureKind::Unknown;
    const QString ext = name.mid(dot, 4).toUpper();
    static const struct
    {
        const char *ext;
        PictureKind kind;
    } table[] = {
        {".BMP", PictureKind::Bmp},  {".THB", PictureKind::Bmp},      {".JPG", PictureKind::Jpeg},
        {".THJ", PictureKind::Jpeg}, {".GIF", PictureKind::Gif},      {".PCX", PictureKind::Pcx},
        {".PNG", PictureKind::Png},  {".TIF", PictureKind::Tiff},     {".WMF", PictureKind::Metafile},
        {".ICO", PictureKind::Icon}, {".RES", PictureKind::Resource},
    };
    for (const auto &row : table)
        if (ext == QLatin1String(row.ext))
            return row.kind;
    return PictureKind::Unknown;
}

QByteArray qtFormatOf(PictureKind kind)
{
    switch (kind) {
    case PictureKind::Bmp:
        return "bmp";
    case PictureKind::Jpeg:
        return "jpeg";
    case PictureKind::Gif:
        return "gif";
    case PictureKind::Png:
        return "png";
    case PictureKind::Tiff:
        return "tiff";
    case PictureKind::Icon:
        return "ico";
    default:
        return {};
    }
}

QString pictureNotFoundText()
{
    return QStringLiteral("file not found");
}

QString pictureUnknownTypeText()
{
    return QStringLiteral("Non TIF, JPeg, BMP, GIF, PNG or PCX Image");
}

QString pictureReadFailedText(PictureKind kind)
{
    const char *name = nullptr;
    switch (kind) {
    case PictureKind::Bmp:
        name = "bmp";
        break;
    case PictureKind::Jpeg:
        name = "jpg";
        break;
    case PictureKind::Gif:
        name = "gif";
        break;
    case PictureKind::Png:
        name = "png";
        break;
    case PictureKind::Tiff:
        name = "tif";
        break;
    case PictureKind::Pcx:
        name = "pcx";
        break;
    case PictureKind::Icon:
        name = "ico";
        break;
    case PictureKind::Resource:
        name = "res";
        break;
    default:
        name = "picture";
        break;
    }
    return QStringLiteral("Reading %1 file failed").arg(QLatin1String(name));
}

QString pictureTooLargeText(int width, int height)
{
    return QStringLiteral("Image trop grande (%1x%2): au plus %3 pixels de côté.")
        .arg(width)
        .arg(height)
        .arg(MaxPictureSide);
}

QString pictureUnsupportedText(PictureKind kind)
{
    Q_UNUSED(kind);
    return QStringLiteral("Format d'image non pris en charge (métafichier WMF).");
}
