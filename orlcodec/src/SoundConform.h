#pragma once
// A range of a recording whose sound is not what a join needs (another
// sample rate, channel layout or codec) made to fit: its sound streams are
// encoded to match the join's, everything else is copied as it is. So a
// lossless join of several files re-encodes only what differs.
#include "JoinFit.h"

#include <atomic>
#include <string>
#include <vector>

namespace orl {

// Rewrites src into dst (in format): the i-th sound
// stream of src is encoded as the i-th sound stream of target describes it
// (codec, profile, rate, channels, bit rate) when it differs, and copied
// when it already matches; pictures and subtitles are copied. The encoded
// sound starts where the source's did. False with error set (dst removed)
// on failure or when abort is raised.
bool conformSound(const std::string &src, const std::string &dst, const AVOutputFormat *format,
                  const std::vector<JoinedStream> &target, const std::atomic<bool> &abort, std::string &error);

// True when later differs from first in its sound alone, and only in what
// conformSound can change: the same number of sound streams, and no
// difference in pictures or subtitles.
bool onlySoundDiffers(const std::vector<JoinedStream> &first, const std::vector<JoinedStream> &later);

} // namespace orl
