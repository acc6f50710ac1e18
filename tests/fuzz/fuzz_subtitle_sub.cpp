#include "FuzzSubtitle.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return fuzzsubtitle::run(data, size, subtitles::Format::MicroDvd);
}
