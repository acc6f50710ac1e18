#pragma once
// The chapters of an output file: each range's chapters trimmed to the range
// and moved to where the range lands in the output, handed to the muxer when
// it can still write them.
extern "C" {
#include <libavformat/avformat.h>
}

#include <cstdint>
#include <string>
#include <vector>

namespace orl {

class OutputChapters {
public:
    OutputChapters() = default;
    ~OutputChapters();
    OutputChapters(const OutputChapters &) = delete;
    OutputChapters &operator=(const OutputChapters &) = delete;

    // Takes the chapters of `in` that overlap [from, to) of its timeline.
    // Input time `zero` lands at output time `at`; input durations are
    // divided by `speed`. The chapter the range starts in begins at `at`
    // (a chapter cut in two keeps its title); one that ends where the range
    // starts, or begins where it ends, is left out. False: out of memory.
    bool add(const AVFormatContext *in, int64_t from_us, int64_t to_us, int64_t zero_us, int64_t at_us,
             double speed = 1.0);

    // One chapter [start_us, end_us) of the output with the given title.
    // False: out of memory.
    bool addTitled(int64_t start_us, int64_t end_us, const std::string &title);

    // Hands the chapters gathered so far to the muxer, none reaching past
    // end_us (0: no limit known yet). False: out of memory.
    bool place(AVFormatContext *out, int64_t end_us);

    bool pending() const { return !m_pending.empty(); }

    // Whether the muxer of this format takes chapters until its trailer
    // (and writes those it has at the header only once): its chapters are
    // best placed just before the trailer, when the output's end is known.
    // Other muxers get them before their header.
    static bool placedAtTrailer(const AVOutputFormat *format);

    // Ends the chapters the muxer already holds at end_us, dropping those
    // that begin at or after it (a source that ended early).
    static void endAt(AVFormatContext *out, int64_t end_us);

private:
    struct Chapter {
        int64_t start_us = 0;
        int64_t end_us = 0;
        AVDictionary *metadata = nullptr;
    };
    std::vector<Chapter> m_pending; // owns each metadata dictionary
    int64_t m_nextId = 1;           // chapter ids stay unique across ranges
};

} // namespace orl
