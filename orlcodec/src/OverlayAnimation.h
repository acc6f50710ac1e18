#pragma once
// A looping animated picture (an animated PNG, a GIF, any picture sequence
// FFmpeg reads) held whole in memory as RGBA frames, so an overlay can show
// the frame of any time at once: the frame shown at a time depends on that
// time alone, never on where playback or encoding started, which keeps the
// preview's picture the encoder's after every seek.
#include "FFmpegPtr.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace orl {

class OverlayAnimation {
public:
    // The frames of path; a shared copy when the same unchanged file was
    // loaded lately (the preview rebuilds its filters on every change).
    // Null when the file does not read as pictures; error says why.
    static std::shared_ptr<const OverlayAnimation> load(const std::string &path, std::string &error);

    int width() const { return m_width; }
    int height() const { return m_height; }
    size_t frameCount() const { return m_frames.size(); }
    int64_t period_us() const { return m_period_us; }
    // The frame showing at t µs after the animation began (looped).
    const AVFrame *frameAt(int64_t t_us) const;

private:
    struct Frame {
        FramePtr picture;
        int64_t start_us = 0;
    };
    bool read(const std::string &path, std::string &error);

    int m_width = 0, m_height = 0;
    int64_t m_period_us = 0;
    std::vector<Frame> m_frames;
};

} // namespace orl
