#include "FuzzBlock.h"
#include "Id3v1Block.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return fuzzblock::run<Id3v1Block>(data, size);
}
