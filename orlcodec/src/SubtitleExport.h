#pragma once
// A subtitle stream of a source written to a file of its own: text
// streams (SubRip, ASS/SSA, MP4 timed text, WebVTT, ...) as SRT or ASS,
// PGS pictures as SUP, other picture subtitles (DVB, DVD) as a Matroska
// file of subtitles alone (.mks). Times are the source's, counted from its
// start; with ranges, only what the ranges show, moved to where they land
// in a cut of those ranges joined in order (an event across a range's end
// is shortened to it).
#include "Interrupt.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orl {

enum class SubtitleFile { None = 0, Srt = 1, Ass = 2, Sup = 3, Mks = 4 };

struct SubtitleRange {
    int64_t startUs = 0;
    int64_t endUs = 0;
};

// The file a stream of this codec is written as by default; None when it
// cannot be written (why says so).
SubtitleFile defaultSubtitleFile(int codecId, std::string &why);

struct SubtitleStreamEntry {
    int index = 0;
    SubtitleFile kind = SubtitleFile::None; // None: it cannot be written
    std::string language;
    std::string codec;
};

// The subtitle streams of source; false with error when it cannot be read.
bool listSubtitleStreams(const std::string &source, InterruptFlags *irq, std::vector<SubtitleStreamEntry> &out,
                         std::string &error);

// Writes stream (the source's stream index) of source into out as kind
// (None: the default), only the ranges when any are given. The file
// appears whole or not at all.
bool exportSubtitles(const std::string &source, int stream, SubtitleFile kind,
                     const std::vector<SubtitleRange> &ranges, const std::string &out, InterruptFlags *irq,
                     std::string &error);

} // namespace orl
