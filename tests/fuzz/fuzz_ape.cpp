#include "FuzzBlock.h"
#include "ApeBlock.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return fuzzblock::run<ApeBlock>(data, size);
}
