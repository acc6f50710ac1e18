#include "FuzzBlock.h"
#include "RiffInfoBlock.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return fuzzblock::run<RiffInfoBlock>(data, size);
}
