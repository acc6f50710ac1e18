#pragma once
// Where the data of a file really ends. A partial download (or a recording
// cut off by a full disk) keeps the header that declares the whole length,
// so the demuxer reports a duration the file cannot deliver. Telling the
// two apart must stay cheap: an index in the header is compared with the
// file's size, otherwise only the last bytes of the file are read.
#include <cstdint>
#include <string>

extern "C" {
#include <libavformat/avformat.h>
}

namespace orl {

// Microseconds from the container's start up to the end of the last packet
// the file holds. Gives `declaredUs` when the file holds what it declares,
// when the container's duration was itself measured from the file's data
// (transport streams, files without a declared length), or when it cannot
// be told without reading the whole file. fmt is the opened source (only
// its index and size are consulted); path is opened a second time for a
// look at the tail, so the caller's demuxer position is never disturbed.
uint64_t readableEnd(const AVFormatContext *fmt, const std::string &path, uint64_t declaredUs,
                     const AVIOInterruptCB &interrupt);

} // namespace orl
