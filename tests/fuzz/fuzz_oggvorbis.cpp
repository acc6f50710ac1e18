#include "FuzzBlock.h"
#include "OggVorbisBlock.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return fuzzblock::run<OggVorbisBlock>(data, size);
}
