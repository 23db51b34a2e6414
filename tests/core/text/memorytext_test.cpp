#include "support/documenttext_contract.h"
#include "core/text/memorytext.h"

namespace {

struct MemoryHolder
{
    explicit MemoryHolder(const QString &text)
        : text(text)
    {
    }
    DocumentText &get() { return text; }
    MemoryText text;
};

} // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Memory, TextContract, MemoryHolder);
