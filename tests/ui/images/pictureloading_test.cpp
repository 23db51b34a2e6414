#include "core/images/pcxsamples.h"
#include "ui/images/picture.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QImage sample(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 20, y * 30, 128));
    return image;
}

// A resource file holding one icon-less string entry, then a bitmap.
QByteArray makeRes(const QByteArray &bmp)
{
    auto entry = [](quint16 type, const QByteArray &data) {
        QByteArray e(32, '\0');
        qToLittleEndian<quint32>(quint32(data.size()), e.data());
        qToLittleEndian<quint32>(32, e.data() + 4);
        qToLittleEndian<quint16>(0xFFFF, e.data() + 8);
        qToLittleEndian<quint16>(type, e.data() + 10);
        qToLittleEndian<quint16>(0xFFFF, e.data() + 12);
        qToLittleEndian<quint16>(1, e.data() + 14);
        e.append(data);
        while (e.size() % 4)
            e.append('\0');
        return e;
    };
    return entry(0, {}) + entry(6, "abc") + entry(2, bmp.mid(14));
}

class PictureLoading : public ::testing::Test
{
protected:
    QString write(const QString &name, const QByteArray &bytes)
    {
        QFile file(m_dir.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return file.fileName();
    }
    QTemporaryDir m_dir;
};

TEST_F(PictureLoading, EveryExtensionOfTheTableLoads)
{
    const QImage image = sample(7, 5);
    const struct
    {
        const char *name;
        QByteArray bytes;
        int width, height;
    } cases[] = {
        {"a.bmp", encoded(image, "bmp"), 7, 5},
        {"a.THB", encoded(image, "bmp"), 7, 5},
        {"a.jpg", encoded(image, "jpeg"), 7, 5},
        {"a.thj", encoded(image, "jpeg"), 7, 5},
        {"a.png", encoded(image, "png"), 7, 5},
        {"a.tif", encoded(image, "tiff"), 7, 5},
        {"a.ico", encoded(sample(16, 16), "ico"), 16, 16},
        {"a.gif",
         QByteArray::fromHex("47494638396101000100800000000000ffffff21f90401000000002c00000000010001000002024401003b"),
         1, 1},
        {"a.pcx", makePcx(9, 4, 8, 1, [](int x, int y) { return x + y; }), 9, 4},
        {"a.res", makeRes(encoded(image, "bmp")), 7, 5},
    };
    for (const auto &c : cases) {
        ASSERT_FALSE(c.bytes.isEmpty()) << c.name << ": no writer for the sample";
        const LoadedPicture picture = LoadPicture(write(QString::fromLatin1(c.name), c.bytes));
        EXPECT_TRUE(picture.ok()) << c.name << ": " << picture.status.toStdString();
        EXPECT_EQ(picture.width, c.width) << c.name;
        EXPECT_EQ(picture.height, c.height) << c.name;
        EXPECT_EQ(picture.image.size(), QSize(c.width, c.height)) << c.name;
    }
}

TEST_F(PictureLoading, FailuresLeaveNoPictureAndSayWhy)
{
    QByteArray tooWide = encoded(sample(2, 2), "bmp");
    qToLittleEndian<qint32>(25000, tooWide.data() + 18);
    const struct
    {
        const char *name;
        QByteArray bytes;
        const char *status;
    } cases[] = {
        {"missing.png", QByteArray(), "file not found"},
        {"notes.txt", "hello", "Non TIF, JPeg, BMP, GIF, PNG or PCX Image"},
        {"drawing.wmf", "\xD7\xCD\xC6\x9A", "Format d'image non pris en charge (métafichier WMF)."},
        {"broken.png", encoded(sample(4, 4), "png").left(40), "Reading png file failed"},
        {"broken.jpg", "\xFF\xD8\xFF garbage", "Reading jpg file failed"},
        {"broken.pcx", makePcx(9, 4, 8, 3, [](int, int) { return 7; }).left(130), "Reading pcx file failed"},
        {"empty.res", makeRes(QByteArray(14, 'x')).left(64), "Reading res file failed"},
        {"wide.bmp", tooWide, "Image trop grande (25000x2): au plus 20000 pixels de côté."},
    };
    for (const auto &c : cases) {
        const QString name = QString::fromLatin1(c.name);
        const QString file = c.bytes.isNull() ? m_dir.filePath(name) : write(name, c.bytes);
        const LoadedPicture picture = LoadPicture(file);
        EXPECT_FALSE(picture.ok()) << c.name;
        EXPECT_TRUE(picture.image.isNull()) << c.name;
        EXPECT_EQ(picture.status, QString::fromUtf8(c.status)) << c.name;
    }
}

TEST_F(PictureLoading, PreviewDecodesAtTheShownSizeKeepingProportions)
{
    const struct
    {
        const char *name;
        QByteArray bytes;
        QSize box, shown;
    } cases[] = {
        {"big.jpg", encoded(sample(400, 200), "jpeg"), {100, 100}, {100, 50}},
        {"tall.pcx", makePcx(30, 90, 8, 3, [](int x, int) { return x; }), {60, 60}, {20, 60}},
    };
    for (const auto &c : cases) {
        const LoadedPicture picture = LoadPicture(write(QString::fromLatin1(c.name), c.bytes), c.box);
        ASSERT_TRUE(picture.ok()) << c.name;
        EXPECT_EQ(picture.image.size(), c.shown) << c.name;
    }
}

} // namespace
