#pragma once
// Ends the presentation of an MP4/MOV file at a given time by shortening
// its edit lists. A stream-copied cut keeps the few frames after its end
// that earlier frames are decoded from; the edit list hides them, as it
// hides the lead-in at the start.
#include <cstdint>
#include <string>

namespace orl {

// Caps every track's edit list (and the track and movie durations) at
// length_us of presentation time. False when the file has no usable
// movie box; the file is unchanged then.
bool trimMovPresentation(const std::string &path, uint64_t length_us, std::string &error);

} // namespace orl
