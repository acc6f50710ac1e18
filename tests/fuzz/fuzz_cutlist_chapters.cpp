#include "FuzzCutList.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return fuzzcutlist::run(data, size, cutlist::Format::ChapterText);
}
