#pragma once
// The cut rules of a stream copy: which packets of the source make up one
// range, and copying them into the output on the timeline.
#include "CopyInput.h"
#include "FFmpegPtr.h"
#include "Job.h"

#include <atomic>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace orl {

class CopyOutput;

// Reads the packets of one range of the selected streams in file order,
// with the cut rules applied; timestamps stay in the input timeline.
class RangeReader {
public:
    RangeReader(CopyInput &input, int64_t start_us, int64_t length_us, bool hideLeadIn);

    // Finds the key frame to start from and buffers the packets up to the
    // asked start. Sets zero(): the input time that becomes output time 0.
    bool preRoll(const std::atomic<bool> &abort);

    // Next packet of the range: 1 got one, 0 the range is complete, -1 error.
    int next(AVPacket *out, const std::atomic<bool> &abort);

    int64_t zero_us() const { return m_zero; }
    int64_t start_us() const { return m_start; }
    int64_t end_us() const { return m_end; }

private:
    bool wanted(const AVPacket *pkt) const;

    void dropPendingVideo();

    // Whether a buffered non-video packet reaches into the output.
    bool keepLeadIn(AVPacket *pkt) const;

    bool allDone() const;

    CopyInput &m_input;
    std::vector<int> m_map;
    int m_video = -1;
    int64_t m_start = 0;
    int64_t m_end = 0;
    int64_t m_key = 0;
    int64_t m_zero = 0;
    bool m_hideLeadIn = false;
    std::vector<bool> m_done;
    std::deque<PacketPtr> m_pending; // read ahead during the pre-roll
    std::deque<PacketPtr> m_tail;    // video at or after the end, held back
    std::deque<PacketPtr> m_ready;
};

// Copies one range from input to output, shifting input time `zero` to
// output time `offset_us`. Reports progress; false on error or stop.
bool copyRange(CopyInput &input, CopyOutput &output, RangeReader &reader, int64_t offset_us, bool writeCovers,
               const std::atomic<bool> &abort, CopyProgress &progress, std::string &error);

} // namespace orl
