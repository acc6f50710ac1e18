#include "FuzzBlock.h"
#include "AsfBlock.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return fuzzblock::run<AsfBlock>(data, size);
}
