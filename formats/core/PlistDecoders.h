#pragma once
// The two decoders behind parsePlistBuffer. Each returns the root value.
#include "Plist.h"

#include <cstddef>

namespace plist_detail {

// Deepest nesting of arrays and dictionaries either decoder follows;
// deeper input is rejected rather than risking the stack.
constexpr unsigned kMaxDepth = 256;

boost::any decodeBinary(const unsigned char *data, size_t size);
boost::any decodeXml(const char *data, size_t size);

} // namespace plist_detail
