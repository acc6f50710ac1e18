#include "FuzzBlock.h"
#include "Mp4Block.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return fuzzblock::run<Mp4Block>(data, size);
}
