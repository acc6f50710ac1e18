#include "FuzzBlock.h"
#include "FlacBlock.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return fuzzblock::run<FlacBlock>(data, size);
}
