#pragma once
// The library's one time unit: every time that crosses a class boundary is
// a count of microseconds.
extern "C" {
#include <libavutil/avutil.h>
#include <libavutil/mathematics.h>
}

#include <cstdint>

namespace orl {

constexpr AVRational kMicros{1, 1000000};
constexpr int64_t kNoTime = AV_NOPTS_VALUE;

inline int64_t toMicros(int64_t ts, AVRational tb)
{
    return ts == kNoTime ? kNoTime : av_rescale_q(ts, tb, kMicros);
}

} // namespace orl
