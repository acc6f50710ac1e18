#pragma once
// The quick check every written output gets before it is called done: the
// file is opened with our own reader, its first and its last group of
// pictures are decoded (a seek to the end, never a read of the whole file),
// and what it holds is held against what was asked of it.
#include "Interrupt.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orl {

struct OutputExpectation {
    bool video = false;       // a moving picture (not a cover) must be there
    int audio = 0;            // at least this many sound streams
    int64_t duration_us = 0;  // the range (or the ranges joined); 0 = not checked
    // How much longer than duration_us the output may be: the lead-in of a
    // copy that starts at the key frame before the asked start, and the
    // pictures after the end that pictures before it need.
    int64_t longer_us = 0;
    int pieces = 1;           // ranges joined: each join may round by a picture or frame
    // A sound track shifted later starts after the first picture by up to this.
    int64_t soundLate_us = 0;
    // Where ranges from another file begin (the output's timeline): the
    // group of pictures there is decoded too.
    std::vector<int64_t> joins_us;
};

// What the check measured, for its report and for tests (µs; the file's own
// timeline).
struct OutputFacts {
    int video = 0, audio = 0;
    int64_t firstPicture_us = INT64_MIN; // the first picture shown
    int64_t firstSound_us = INT64_MIN;   // the first sound heard
    int64_t start_us = 0, end_us = 0;    // of what is shown and heard
    int64_t picture_us = 0;              // one picture's duration (the longest seen)
    int64_t soundFrame_us = 0;           // one frame of sound
    double seconds = 0;                  // time the check took
};

// True when path holds what expect asks. Otherwise why says what is wrong,
// as "<kind>: <detail>", kind one of unreadable, streams, duration, start,
// sync, head, tail (or "stopped" after a stop).
bool checkOutput(const std::string &path, const OutputExpectation &expect, const InterruptFlags &interrupt,
                 OutputFacts &facts, std::string &why);

// The length of [start_us, start_us + length_us) of src (times from the
// source's start) as the source can give it: a range that runs into the
// source's end ends where its pictures and sound end, which the container's
// stated duration only estimates (sound padding, a cut-off download).
// length_us itself when the range ends well before, or the source's end
// cannot be read.
// dataEnd_us, when known (the reader met the source's end early), is where
// the source's data ends.
int64_t rangeInSource(const std::string &src, int64_t start_us, int64_t length_us, const InterruptFlags &interrupt,
                      int64_t dataEnd_us = 0);

// The error text of a job whose output failed its check.
std::string checkFailureText(const std::string &why);

} // namespace orl
