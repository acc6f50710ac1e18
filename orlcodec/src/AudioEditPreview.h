#pragma once
// The sound edits of a player, run through the encoder's own audio filter
// chain (FilterGraph in preview form): volume and the equaliser curve are
// heard as the output will have them. Samples keep their format, rate and
// layout, so the player's own conversion to the device stays as it is.
//
// Used by the player's decode thread only (its decode lock).
#include "FFmpegPtr.h"
#include "ParamSet.h"
#include "TranscodeFilters.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace orl {

class AudioEditPreview {
public:
    explicit AudioEditPreview(const ParamValues &edits);
    ~AudioEditPreview();
    AudioEditPreview(const AudioEditPreview &) = delete;
    AudioEditPreview &operator=(const AudioEditPreview &) = delete;

    // False when the edits change nothing a player can let be heard.
    bool active() const { return m_active; }
    // The edited samples of frame (pts in µs of media time, and so are the
    // results'); none on failure, with error set.
    std::vector<FramePtr> apply(const AVFrame *frame, int64_t ptsUs, std::string &error);

private:
    bool rebuild(const AVFrame *frame, std::string &error);

    ParamValues m_edits;
    bool m_active = false;
    std::unique_ptr<FilterGraph> m_graph;
    int m_rate = 0;
    int m_format = -1;
    int m_channels = 0;
    int64_t m_lastPts = INT64_MIN;
};

} // namespace orl
