// Drives the picture readers of our own on raw bytes: the PCX decoder and
// the bitmap-resource reader. The first byte picks the reader.

#include "core/images/pcxdecoder.h"
#include "core/images/pictureformat.h"
#include "core/images/resbitmap.h"
#include "fuzzinput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QByteArrayView bytes(reinterpret_cast<const char *>(data) + 1, qsizetype(size - 1));
    if (data[0] % 2 == 0) {
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
    } else {
        const QByteArray bmp = FirstBitmapFromResourceFile(bytes);
        FUZZ_CHECK(bmp.isEmpty() || (bmp.startsWith("BM") && bmp.size() <= bytes.size() + 14));
    }
    return 0;
}
