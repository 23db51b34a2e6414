// Drives the picture loader on raw bytes, for every kind of picture file:
// DecodePicture (Qt's readers, our PCX decoder, the bitmap-resource reader)
// and, for PCX and resources, our own readers directly.
// First byte: low nibble picks the kind (in PictureKind order, modulo their
// number), bit 4 asks for a decode scaled to a 64x64 preview box.
// With TESSALINE_FUZZ_COUNTS set, the inputs run per kind are printed at exit.

#include "core/images/pcxdecoder.h"
#include "core/images/pictureformat.h"
#include "core/images/resbitmap.h"
#include "fuzzinput.h"
#include "ui/images/picture.h"

#include <array>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int KindCount = int(PictureKind::Unknown) + 1;
std::array<unsigned long long, KindCount> g_runs{};
std::array<unsigned long long, KindCount> g_decoded{};

const char *kindName(int kind)
{
    static const char *names[KindCount] = {"bmp", "jpeg", "gif", "pcx", "png", "tiff", "ico", "wmf", "res", "unknown"};
    return names[kind];
}

void printCounts()
{
    std::fprintf(stderr, "inputs per picture kind (decoded / run):\n");
    for (int kind = 0; kind < KindCount; ++kind)
        std::fprintf(stderr, "  %-8s %12llu / %llu\n", kindName(kind), g_decoded[kind], g_runs[kind]);
}

void checkOwnReaders(PictureKind kind, QByteArrayView bytes, size_t size)
{
    if (kind == PictureKind::Pcx) {
        DecodedPixels out;
        QString error;
        const bool ok = DecodePcx(bytes, out, &error);
        FUZZ_CHECK(ok == error.isEmpty());
        FUZZ_CHECK(ok || out.pixels.empty());
        if (ok) {
            FUZZ_CHECK(out.width > 0 && out.height > 0);
            FUZZ_CHECK(out.width <= MaxPictureSide && out.height <= MaxPictureSide);
            FUZZ_CHECK(out.pixels.size() == size_t(out.width) * size_t(out.height));
            // The pixels never outgrow what the data can encode.
            FUZZ_CHECK(out.pixels.size() <= 8 * (32 * size_t(size) + 63));
        }
    } else if (kind == PictureKind::Resource) {
        const QByteArray bmp = FirstBitmapFromResourceFile(bytes);
        FUZZ_CHECK(bmp.isEmpty() || (bmp.startsWith("BM") && bmp.size() <= bytes.size() + 14));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool counting = [] {
        if (qEnvironmentVariableIsSet("TESSALINE_FUZZ_COUNTS"))
            std::atexit(printCounts);
        return true;
    }();
    Q_UNUSED(counting);
    if (size == 0)
        return 0;
    const int kindIndex = (data[0] & 0x0F) % KindCount;
    const auto kind = PictureKind(kindIndex);
    const QSize box = (data[0] & 0x10) ? QSize(64, 64) : QSize();
    const QByteArrayView bytes(reinterpret_cast<const char *>(data) + 1, qsizetype(size - 1));
    ++g_runs[kindIndex];

    checkOwnReaders(kind, bytes, size);

    const LoadedPicture picture = DecodePicture(bytes.toByteArray(), kind, box);
    // Success exactly when there is a picture and no status text.
    FUZZ_CHECK(picture.ok() == picture.status.isEmpty());
    if (!picture.ok()) {
        FUZZ_CHECK(picture.image.isNull());
        return 0;
    }
    ++g_decoded[kindIndex];
    FUZZ_CHECK(kind != PictureKind::Unknown && kind != PictureKind::Metafile);
    FUZZ_CHECK(picture.width > 0 && picture.height > 0);
    FUZZ_CHECK(picture.width <= MaxPictureSide && picture.height <= MaxPictureSide);
    if (box.isValid()) {
        // A preview never outgrows its box.
        FUZZ_CHECK(picture.image.width() <= box.width() && picture.image.height() <= box.height());
    } else {
        FUZZ_CHECK(picture.image.size() == QSize(picture.width, picture.height));
    }
    return 0;
}
