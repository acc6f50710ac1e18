// Any bytes given to the property-list reader must end in a value or an
// exception: never a crash, a hang, a leak or a read outside the buffer.
#include "Plist.h"

#include <cstddef>
#include <cstdint>
#include <exception>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    PlistDictionary dict;
    try {
        parsePlistBuffer(reinterpret_cast<const char *>(data), size, dict);
    } catch (const std::exception &) {
    }
    return 0;
}
