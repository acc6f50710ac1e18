#pragma once
// The one way every source is opened (conversions, merges, the player,
// media information): our interruptible byte reader under the demuxer, and
// nested opens (playlists, references) limited to local files and pipes, so
// that a stalled mount or a FIFO that never delivers can always be ended by
// the interrupt callback.
#include "FFmpegPtr.h"
#include "Input.h"

#include <memory>
#include <string>

namespace orl {

// How far a source is probed beyond its headers.
enum class Probe {
    // The demuxer's stream probe: pictures of every stream are decoded.
    Full,
    // MP4/MOV and Matroska whose headers describe every stream: nothing
    // more is read (what a list of files shows).
    Headers,
    // What a stream copy writes into its output: where the headers and the
    // H.264 parameter sets tell everything a decoded picture would, the
    // first packets are read but no picture is decoded; otherwise Full.
    Copy,
};

struct OpenedSource {
    std::unique_ptr<Input> input; // the demuxer's byte source; outlives ctx
    InputContextPtr ctx;
    int streamInfoResult = 0;     // avformat_find_stream_info's result (< 0: incomplete)
    bool pictureDecoded = true;   // false: the probe took the pictures' look from headers

    OpenedSource() = default;
    OpenedSource(OpenedSource &&other) noexcept = default;
    OpenedSource &operator=(OpenedSource &&other) noexcept
    {
        reset();
        input = std::move(other.input);
        ctx = std::move(other.ctx);
        streamInfoResult = other.streamInfoResult;
        pictureDecoded = other.pictureDecoded;
        return *this;
    }
    ~OpenedSource() { reset(); }
    // The demuxer goes before the bytes it reads.
    void reset()
    {
        ctx.reset();
        input.reset();
        streamInfoResult = 0;
        pictureDecoded = true;
    }
};

// Opens the file at path. False with error set when the file cannot be
// opened or is not media; an interrupt ends it with "loading aborted".
bool openSource(const std::string &path, const AVIOInterruptCB &interrupt, OpenedSource &out,
                std::string &error, Probe probe = Probe::Full);

// The same over a byte source of the caller's (name only guides probing).
bool openSourceInput(std::unique_ptr<Input> input, const std::string &name, const AVIOInterruptCB &interrupt,
                     OpenedSource &out, std::string &error, Probe probe = Probe::Full);

} // namespace orl
