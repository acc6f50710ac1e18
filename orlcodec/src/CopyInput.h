#pragma once
// The source side of a stream copy: the opened file and the streams of it
// that the copy takes.
#include "Interrupt.h"
#include "SourceOpen.h"
#include "SubtitleTranscoder.h"
#include "TrackChoice.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace orl {

// Which streams of the source go into the output.
struct CopyChoice {
    int program = 0;           // title: program of a multi-program transport stream
    int audioIndex = 0;        // position among the title's audio streams; -1 = no audio
    uint64_t audioMask = 0;    // bit i = i-th audio stream; 0 = audioIndex alone
    int subtitleIndex = -1;    // position among the title's subtitle streams; -1 = none
    uint64_t subtitleMask = 0; // bit i = i-th subtitle stream; 0 = subtitleIndex alone
    int subtitleCodec = 0;     // output subtitle codec (AVCodecID), 0 = keep when possible
    bool closedCaptions = false;
    bool video = true;         // false: an audio-only output, the picture is left out
    bool frameExact = false;   // encode the pictures at the cut points (H.264/HEVC)
    double frameExactPsnr = 38.0; // dB the ends of a frame-exact cut must match the source by
    // In a merge: the range becomes one chapter of this title instead of
    // bringing the source's chapters; empty: the source's.
    std::string partChapter;
    // In a merge: a range whose sound differs from the first range's (rate,
    // channels, codec) gets its sound encoded to match instead of being
    // refused; its pictures are still copied.
    bool matchSound = false;
    // The kept streams in output order with their names, flags and shifts;
    // when not empty it replaces the choice of streams above.
    std::vector<TrackChoice> tracks;
};

struct SelectedStream {
    int inIndex = -1;
    AVMediaType type = AVMEDIA_TYPE_UNKNOWN;
    bool required = true;      // its loss fails the open
    bool attachedPicture = false;
    std::unique_ptr<SubtitleTranscoder> transcoder;
    // Parameter sets that go in front of each of its key frames: a range
    // joined to one whose H.264/HEVC parameter sets differ carries its own.
    std::vector<uint8_t> keyFramePrefix;
    // The track plan's word on this stream, when planned (not held in a
    // std::optional: the instrumented build's compiler takes its copy for
    // a read of uninitialised memory).
    bool planned = false;
    TrackChoice plan;
};

class CopyInput {
public:
    CopyInput(const std::atomic<bool> *abort, InterruptCheck global);

    // Probe::Copy when only stream copies are made of it; a frame-exact
    // cut decodes and encodes with what the full probe finds.
    bool open(const std::string &path, Probe probe);

    // Opens the same file again, reading from its start: the way back to
    // an earlier position when a seek in a file without an index failed.
    // The streams and their selection stay as they are.
    bool reopen();

    // Stream indexes of one title: a program of a multi-program transport
    // stream, otherwise the whole file.
    bool titleStreams(int program, std::vector<int> &out) const;

    // Picks the streams of the choice and checks the container takes them.
    bool select(const CopyChoice &choice, const AVOutputFormat *format);

    AVFormatContext *ctx() const { return m_source.ctx.get(); }
    std::vector<SelectedStream> &selected() { return m_selected; }
    const std::string &error() const { return m_error; }
    bool fail(const std::string &text);
    // Whether a stop, the caller's cancel or the process-wide switch holds
    // the reads back: a read that gave up for it looks like the end of the
    // file, and must not be taken for one.
    bool interrupted() const { return m_irq.check(); }

    // Output position of each input stream index, -1 when not copied.
    std::vector<int> outputMap() const;

    int64_t startTime_us() const;
    int64_t duration_us() const;

private:
    void addStream(int index, AVMediaType type, bool required);
    // The choice's sound and subtitle streams by position and mask.
    void selectByMasks(const CopyChoice &choice, const std::vector<int> &audio, const std::vector<int> &subtitle);

    InterruptFlags m_irq;  // immutable after construction
    OpenedSource m_source;
    std::string m_path;
    Probe m_probe = Probe::Full;
    std::vector<SelectedStream> m_selected;
    std::string m_error;
};

} // namespace orl
