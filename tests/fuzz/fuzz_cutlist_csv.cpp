#include "FuzzCutList.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzzcutlist::run(data, size, cutlist::Format::Csv);
    return fuzzcutlist::run(data, size, cutlist::Format::Tsv);
}
