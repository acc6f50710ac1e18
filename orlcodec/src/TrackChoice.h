#pragma once
// The track plan of an output inside the library: which streams of the
// source are kept, in which order, with which language, title, flags and
// shift; checked against the source and the output's container, and put
// onto the output's streams.
extern "C" {
#include <libavformat/avformat.h>
}

#include <cstdint>
#include <string>
#include <vector>

namespace orl {

struct TrackChoice {
    int stream = -1;       // index in the source
    std::string language;  // empty: the source's
    bool setTitle = false; // false: the source's title
    std::string title;
    int flags = -1;        // ORL_TRACK_* bits; -1: the source's
    int64_t shift_us = 0;
};

// The plan's streams of src in output order (pictures, then sound, then
// subtitles, each kind in the plan's order), after checking each against
// the source (title streams only) and the container. False with the reason
// in error otherwise. format may be null (no container check).
bool orderedTrackChoice(const AVFormatContext *src, const std::vector<int> &titleStreams,
                        const std::vector<TrackChoice> &plan, const AVOutputFormat *format,
                        std::vector<const TrackChoice *> &ordered, std::string &error);

// Writes the choice's language, title and flags onto an output stream that
// already carries the source stream's tags and disposition.
void applyTrackChoice(const TrackChoice &choice, AVStream *out);

// The first sound stream of the plan, -1 when it keeps none; whether it
// keeps a picture.
int firstPlannedAudio(const AVFormatContext *src, const std::vector<TrackChoice> &plan);
// Every sound stream of the plan, in the plan's order.
std::vector<const TrackChoice *> plannedAudio(const AVFormatContext *src, const std::vector<TrackChoice> &plan);

// The most sound tracks an encode writes.
constexpr int kMaxEncodedSoundTracks = 8;
// Whether an encode into format writes every sound track a plan keeps
// (containers made for films: Matroska, QuickTime/MP4, transport streams)
// or only the first.
bool holdsSeveralSoundTracks(const AVOutputFormat *format);
bool planKeepsVideo(const AVFormatContext *src, const std::vector<TrackChoice> &plan);

// The latest start a shift gives a kept sound stream (0 when none is shifted
// later): the output check allows the first sound that much after the
// first picture.
int64_t latestSoundShift(const AVFormatContext *src, const std::vector<TrackChoice> &plan);

} // namespace orl
