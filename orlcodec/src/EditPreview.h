#pragma once
// The edits of a player's pictures, run through the encoder's own filter
// graph (FilterGraph in preview form), so that the picture a player shows
// for a source time is the picture an encoding writes for it.
//
// Used by one thread at a time (the player's present lock).
#include "FFmpegPtr.h"
#include "ParamSet.h"
#include "TranscodeFilters.h"

#include <cstdint>
#include <memory>
#include <string>

namespace orl {

struct PreviewSource {
    std::string path;        // for subtitles burned from the source itself
    int subtitleStreams = 0; // number of subtitle streams in the source
    AVRational sar{1, 1};    // as stored
    int rotation = 0;        // clockwise turn the source asks players to show it with
};

class EditPreview {
public:
    EditPreview(const ParamValues &edits, const PreviewSource &source);
    ~EditPreview();
    EditPreview(const EditPreview &) = delete;
    EditPreview &operator=(const EditPreview &) = delete;

    // The edited picture of frame, shown at ptsUs (media time, 0 = the
    // source's start); null on failure (error says why).
    FramePtr apply(const AVFrame *frame, int64_t ptsUs, std::string &error);

    // Size of the edited picture for a source frame of w x h as stored.
    void editedSize(int w, int h, int &outW, int &outH) const;

private:
    bool rebuild(const AVFrame *frame, std::string &error);

    ParamValues m_edits;
    PreviewSource m_source;
    std::unique_ptr<FilterGraph> m_graph;
    int m_width = 0, m_height = 0;
    int m_format = -1;
    int64_t m_lastPts = INT64_MIN;
};

} // namespace orl
