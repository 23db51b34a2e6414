// Recovery copies are read back from disk at start-up: whatever bytes lie
// there must be refused or read, never crash the program. A copy that reads
// must encode back to the same bytes.
#include "core/recovery/recoverycopy.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    if (const std::optional<RecoveryCopy> copy = decodeRecoveryCopy(bytes)) {
        if (decodeRecoveryCopy(encodeRecoveryCopy(*copy)) != copy)
            std::abort();
    }
    return 0;
}
