// Random and mutated IMG and form-image INPUT tags through the image
// element's reader and writer: the written tag is one whole tag with
// balanced quotes, and reading it back gives the same fields, so writing
// again gives the same text.
#include "fuzzinput.h"

#include "core/attributes/starttag.h"
#include "core/image/imageelement.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput in(data, size);
    const bool formImage = in.flag();
    const QString element = in.text();
    const QString written = BuildImageTag(ReadImageElement(element), formImage);
    FUZZ_CHECK(
        written.startsWith(formImage ? QStringLiteral("<INPUT TYPE=\"image\" SRC=\"") : QStringLiteral("<IMG SRC=\"")));
    // One whole tag: its ">" is the last character (a ">" inside a quoted
    // value belongs to the value).
    FUZZ_CHECK(StartTagEnd(written, 0) == written.size());
    FUZZ_CHECK(written.count(u'"') % 2 == 0);
    FUZZ_CHECK(BuildImageTag(ReadImageElement(written), formImage) == written);
    return 0;
}
