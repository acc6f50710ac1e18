#pragma once
// Proof that a frame-exact cut came out right: the written file's video is
// decoded and held against what the source shows in the range.
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

struct AVFrame;

namespace orl {

struct CutExpectation {
    int64_t pictures = 0;          // pictures the range holds in the source
    const AVFrame *first = nullptr; // the source's first and last picture of the range
    const AVFrame *last = nullptr;
    double minPsnr = 38.0;         // dB, whole picture
    // Video packets [lightFrom, lightTo) (decoding order) are decoded
    // without deblocking and inverse transforms: their bitstream, count and
    // order are still checked, their pixels are never compared.
    int64_t lightFrom = -1, lightTo = -1;
    // Video packets [skipFrom, skipTo) (decoding order) are not decoded at
    // all: the decoder is drained before them, each counts as one picture
    // whose time must lie after the earlier pictures' and before the later
    // ones', and decoding starts afresh at skipTo, which must be a key frame
    // that needs nothing before it.
    int64_t skipFrom = -1, skipTo = -1;
};

// True when the first video stream of path decodes without an error (where
// it is decoded), has exactly the expected number of pictures with strictly
// increasing times, and its first and last pictures match the source's. why
// says what failed.
bool verifyCut(const std::string &path, const CutExpectation &expect, const std::atomic<bool> *abort,
               const std::function<bool()> &global, std::string &why);

// Peak signal-to-noise ratio of two pictures of the same size and planar
// format over all planes; -1 when they cannot be compared, 100 when equal.
double picturePsnr(const AVFrame *a, const AVFrame *b);

} // namespace orl
