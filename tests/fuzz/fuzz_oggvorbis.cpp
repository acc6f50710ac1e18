#include "FuzzBlock.h"
#include "OggVorbisBlock.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::vector<uint8_t> image(data, data + size);
    fuzzblock::fixOggChecksums(image);
    return fuzzblock::runImage<OggVorbisBlock>(std::move(image), data, size);
}
