#pragma once
// The sound edits of a player, run through the encoder's own audio filter
// chain (FilterGraph in preview form): volume, fades at the played range's
// ends, the equaliser curve, the speed (pitch kept) and the background
// sound mixed at its weight are heard as the output will have them. The
// results carry source times again, so the player's clock (running at the
// speed) keeps pictures and sound together. Samples keep their format, rate
// and layout, so the player's own conversion to the device stays as it is.
//
// Used by the player's decode thread only (its decode lock).
#include "BackgroundReader.h"
#include "FFmpegPtr.h"
#include "ParamSet.h"
#include "TranscodeFilters.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace orl {

class AudioEditPreview {
public:
    // duration_us: the source's, the end of a range that has none.
    AudioEditPreview(const ParamValues &edits, int64_t duration_us);
    ~AudioEditPreview();
    AudioEditPreview(const AudioEditPreview &) = delete;
    AudioEditPreview &operator=(const AudioEditPreview &) = delete;

    // False when the edits change nothing a player can let be heard.
    bool active() const { return m_active; }
    // The edits' speed in percent (100 = as recorded): the results cover
    // that much more source time than they last.
    int speedPercent() const { return m_speedPercent; }
    // The edited samples of frame (pts in µs of media time, and so are the
    // results'); none on failure, with error set.
    std::vector<FramePtr> apply(const AVFrame *frame, int64_t ptsUs, std::string &error);

private:
    bool rebuild(const AVFrame *frame, int64_t ptsUs, std::string &error);
    void feedBackground(int64_t untilUs);

    ParamValues m_edits;
    int64_t m_duration_us = 0;
    int m_speedPercent = 100;
    std::atomic<bool> m_abort{false};
    std::unique_ptr<BackgroundReader> m_background;
    int64_t m_graphStart = 0; // source time the graph started at
    int64_t m_nextPts = INT64_MIN; // where the samples fed so far end
    bool m_active = false;
    std::unique_ptr<FilterGraph> m_graph;
    int m_rate = 0;
    int m_format = -1;
    int m_channels = 0;
    int64_t m_lastPts = INT64_MIN;
};

} // namespace orl
