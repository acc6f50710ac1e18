#pragma once
// Shared body of the cut-list fuzz targets: the input is a file's bytes,
// read with and without the file's duration (and, for EDLs, at a whole and
// a drop-frame rate). Whatever a reader accepts must be sound, and what the
// writer of the same format makes of it must read back the same.
#include "CutList.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace fuzzcutlist {

inline void check(cutlist::Format format, std::string_view bytes, const cutlist::ReadOptions &options)
{
    const cutlist::ReadResult result = cutlist::read(format, bytes, options);
    if (!result.ok()) {
        if (!result.segments.empty())
            std::abort();
        return;
    }
    if (result.segments.empty())
        std::abort();
    for (const cutlist::Segment &s : result.segments) {
        if (s.end_us && s.end_us <= s.start_us)
            std::abort();
        if (s.start_us > cutlist::kMaxTimeUs || s.end_us > cutlist::kMaxTimeUs)
            std::abort();
        if (s.label.find_first_of("\r\n") != std::string::npos)
            std::abort();
    }
    cutlist::WriteOptions written;
    written.duration_us = options.duration_us;
    written.rate = options.rate;
    const cutlist::WriteResult out = cutlist::write(format, result.segments, written);
    if (!out.ok())
        return;
    const cutlist::ReadResult again = cutlist::read(format, out.text, options);
    if (!again.ok() || again.segments != result.segments)
        std::abort();
}

inline int run(const uint8_t *data, size_t size, cutlist::Format format)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    cutlist::ReadOptions options;
    check(format, bytes, options);
    options.duration_us = 3600ull * 1000000;
    check(format, bytes, options);
    if (format == cutlist::Format::Edl) {
        options.rate = {30000, 1001};
        check(format, bytes, options);
    }
    return 0;
}

} // namespace fuzzcutlist
