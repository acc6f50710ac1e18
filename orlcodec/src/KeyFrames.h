#pragma once
// Key-frame times of a video stream: taken from the container's index where
// it has a trustworthy one, otherwise found by reading the packet headers of
// the whole file (no decoding). Results are kept per file, so the cut tool
// and the timeline can ask again for free.
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace orl {

struct KeyFrameQuery {
    std::string path;
    int streamIndex = -1;     // container index of the video stream
    int64_t fileStart_us = 0; // subtracted from every time (media time 0 = start of file)
};

// Presentation times of the key frames in µs from the start of the file,
// ascending. False when stopped (cancel or interrupt) or the file cannot be
// read; error says which. A stopped scan is not cached.
bool findKeyFrames(const KeyFrameQuery &query, const std::atomic<bool> &cancel,
                   std::vector<uint64_t> &times, std::string &error);

// Drops every cached result (tests; a file rewritten in place is noticed by
// its size and modification time anyway).
void forgetKeyFrames();

} // namespace orl
