#pragma once
// The background sound of an edit: decoded from its own file, started again
// from the beginning when it ends and repeat is on. The encoder feeds it to
// its graph from the range's start; the player's preview from wherever
// playing starts (startAt).
#include "FFmpegPtr.h"
#include "Interrupt.h"
#include "SourceOpen.h"
#include "TranscodeFilters.h"

#include <atomic>
#include <cstdint>
#include <string>

namespace orl {

// Opens a decoder for stream st with every core.
bool openDecoder(const AVStream *st, CodecContextPtr &out, std::string &error);
// Opens path for reading, interruptible through irq.
bool openInput(const std::string &path, InterruptFlags *irq, OpenedSource &out, std::string &error);

class BackgroundReader {
public:
    BackgroundReader(const std::atomic<bool> *abort, InterruptCheck global);

    bool open(const std::string &path, bool repeat, std::string &error);
    AudioSourceDesc desc() const;
    // Skips the first offset_us of the sound (after as many rounds as fit
    // when it repeats); false when it ends before.
    bool startAt(int64_t offset_us);

    int64_t fed_us() const { return m_dec->sample_rate > 0 ? m_samples * 1000000 / m_dec->sample_rate : 0; }
    bool ended() const { return m_ended; }

    // Pushes one more decoded frame into src; at the file's end either
    // starts over or closes src.
    void feed(AVFilterContext *src);
    void close(AVFilterContext *src);

private:
    // The next decoded frame into frame (starting over when repeating);
    // false at the end.
    bool decodeNext(AVFrame *frame);

    InterruptFlags m_irq;
    OpenedSource m_source; // the demuxer and its byte source
    CodecContextPtr m_dec;
    PacketPtr m_packet;
    int m_index = -1;
    bool m_repeat = true;
    bool m_draining = false;
    bool m_gotFrame = false;
    bool m_ended = false;
    int64_t m_samples = 0;
};

} // namespace orl
