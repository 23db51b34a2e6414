#include "app/documenttext_contract.h"
#include "app/memorytext.h"

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
