#pragma once
// One pass over one stream of a file: its frames go through a filter graph
// of FFmpeg's own detection filters and the findings are read from the
// metadata those filters put on the frames. Nothing else of the file is
// decoded, and pictures are made small before they are compared.
#include "FFmpegPtr.h"
#include "Interrupt.h"
#include "SourceOpen.h"
#include "orlcodec_detect.h"

#include <atomic>
#include <functional>
#include <string>
#include <vector>

struct AVFilterContext;

namespace orl {

class Detector {
public:
    // progress receives 0..1000 as the stream is read; irq ends the pass.
    Detector(const InterruptFlags &irq, std::atomic<int> &progress) : m_irq(irq), m_progress(progress) {}

    // Opens path and decoder of its stream of kind (ORL_STREAM_AUDIO: the
    // number-th audio stream, ORL_STREAM_VIDEO: the first picture stream).
    bool open(const std::string &path, int kind, int number);
    bool detect(const orl_detect_settings &s, std::vector<orl_detect_range> &out);
    bool waveform(int bucketsPerSecond, std::vector<uint8_t> &peaks);

    int failure() const { return m_failure; }
    const std::string &error() const { return m_error; }

private:
    bool fail(int failure, std::string text);
    // Hands every decoded frame, its time already relative to the start of
    // the file, to sink; a sink returning false ends the pass as a failure.
    bool decodeAll(const std::function<bool(AVFrame *)> &sink);
    bool buildGraph(const AVFrame *first, const std::string &filters);
    // Pushes frame (null: end of stream) through the graph and hands every
    // frame coming out to take.
    bool filter(AVFrame *frame, const std::function<void(AVFrame *)> &take);

    const InterruptFlags &m_irq;
    std::atomic<int> &m_progress;
    OpenedSource m_source;
    CodecContextPtr m_decoder;
    int m_stream = -1;
    int64_t m_origin = 0;   // start of the file in the stream's time base
    int64_t m_durationUs = 0;
    int64_t m_endUs = 0;    // end of the last frame decoded
    FilterGraphPtr m_graph;
    AVFilterContext *m_src = nullptr;
    AVFilterContext *m_sink = nullptr;
    FramePtr m_out;
    int m_failure = ORL_DETECT_FAILED_NONE;
    std::string m_error;
};

} // namespace orl
