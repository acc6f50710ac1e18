#pragma once
// The file side of a stream copy: the muxer, its streams shaped after the
// copied input streams, and the packets written with timestamps that only
// increase.
#include "FFmpegPtr.h"
#include "Interrupt.h"
#include "OutputChapters.h"

extern "C" {
#include <libavcodec/bsf.h>
}

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace orl {

class CopyInput;

struct BsfDeleter {
    void operator()(AVBSFContext *ctx) const { av_bsf_free(&ctx); }
};
using BsfPtr = std::unique_ptr<AVBSFContext, BsfDeleter>;

class CopyOutput {
public:
    CopyOutput(const std::atomic<bool> *abort, InterruptCheck global);

    ~CopyOutput() = default;

    // Allocates the muxer and, unless dryRun, creates the file.
    bool create(const std::string &dst, const AVOutputFormat *format, bool dryRun);

    // Output streams shaped after the selected input streams.
    bool addStreams(CopyInput &input);

    // Takes the chapters that overlap [from, to) of the input timeline,
    // trimmed to it, with input time `zero` at output time `at`.
    bool addChapters(const AVFormatContext *in, int64_t from_us, int64_t to_us, int64_t zero_us, int64_t at_us = 0);
    // The range as one chapter titled title: from at_us (its lead-in
    // included) to where input time to_us lands.
    bool addPartChapter(const AVFormatContext *in, int64_t to_us, int64_t zero_us, int64_t at_us,
                        const std::string &title);

    bool init();

    bool writeHeader();

    // Writes one packet whose timestamps are already in the output
    // timeline (input time base). DTS is made present and strictly
    // increasing per stream.
    bool write(int outIndex, AVPacket *pkt, AVRational inTb);

    // End of the written timeline in µs: where a following range begins.
    int64_t end_us() const;

    bool finish();

    void close();

    AVFormatContext *ctx() const { return m_ctx.get(); }
    const std::string &error() const { return m_error; }
    bool fail(const std::string &text);

private:
    static int discardWrite(void *opaque, uint8_t *, int size);
    static int64_t discardSeek(void *opaque, int64_t offset, int whence);

    InterruptFlags m_irq; // immutable after construction
    OutputContextPtr m_ctx;
    OutputChapters m_chapters;
    bool m_headerWritten = false;
    int64_t m_sinkPos = 0;
    std::vector<int64_t> m_lastDts;
    std::vector<int64_t> m_end_us;
    std::vector<BsfPtr> m_bsf; // per output stream, null when none is needed
    std::vector<std::vector<uint8_t>> m_paramSets; // per output stream: to put before its first picture
    std::string m_error;
};

} // namespace orl
