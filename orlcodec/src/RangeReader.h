#pragma once
// The cut rules of a stream copy: which packets of the source make up one
// range, and copying them into the output on the timeline.
#include "CopyInput.h"
#include "FFmpegPtr.h"
#include "Job.h"
#include "MediaTime.h"

#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace orl {

class CopyOutput;
class H264MarkingRepair;
class SmartCut;

// Reads the packets of one range of the selected streams in file order,
// with the cut rules applied; timestamps stay in the input timeline.
class RangeReader {
public:
    RangeReader(CopyInput &input, int64_t start_us, int64_t length_us, bool hideLeadIn);
    ~RangeReader();

    // Finds the key frame to start from and buffers the packets up to the
    // asked start. Sets zero(): the input time that becomes output time 0.
    bool preRoll(const std::atomic<bool> &abort);

    // Next packet of the range: 1 got one, 0 the range is complete, -1 error.
    int next(AVPacket *out, const std::atomic<bool> &abort);

    // Frame-exact cutting: the cut decides about every video packet and the
    // output starts at the picture showing at the asked start. Set before preRoll.
    void setSmartCut(SmartCut *cut) { m_smart = cut; }
    // Where the source's readable data ended, in µs from its start, when it
    // ended before the range did (a partial download); 0 otherwise.
    int64_t sourceEnd_us() const { return m_sourceEnd; }
    // H.264 copied from a recovery point: pictures whose reference marking
    // was rewritten to fit the pictures a decoder has, and pictures that
    // will still make a decoder complain.
    int repairedPictures() const;
    int unrepairedPictures() const;

    int64_t zero_us() const { return m_zero; }
    int64_t start_us() const { return m_start; }
    int64_t end_us() const { return m_end; }

private:
    bool wanted(const AVPacket *pkt) const;
    // At the end of the readable data: was the source cut off?
    void noteEnd();
    // Packets on their way out: held one per stream, then ready.
    void release(PacketPtr pkt);
    // Lets the held packets out; at the end of the readable data, those
    // read short are left out.
    void flushHeld(bool atEnd);
    void ready(PacketPtr pkt);
    // Passes the video packets queued from position first on through the
    // marking repair (frame-exact cuts queue them directly).
    void repairFrom(size_t first);
    bool lastPacketsCutOff() const;
    // Whether the sound packet a stream ended with is a piece of a frame.
    bool isPiece(const AVPacket *last) const;
    static bool readShort(const AVPacket *pkt, const AVCodecParameters *par);

    void dropPendingVideo();

    // Whether a buffered non-video packet reaches into the output.
    bool keepLeadIn(AVPacket *pkt) const;

    bool allDone() const;

    static void withParameterSets(PacketPtr &pkt, const AVCodecParameters *par);

    CopyInput &m_input;
    std::vector<int> m_map;
    int m_video = -1;
    int64_t m_start = 0;
    int64_t m_end = 0;
    int64_t m_key = 0;
    int64_t m_zero = 0;
    bool m_hideLeadIn = false;
    SmartCut *m_smart = nullptr;
    std::unique_ptr<H264MarkingRepair> m_repair;
    bool m_setsChecked = false; // the first video packet was given its parameter sets
    bool m_firstGroup = false;       // video is still in the group of the start key frame
    bool m_damaged = false;          // a packet was read short or flagged corrupt
    bool m_skipToKey = false;        // video waits for a key frame after a damaged packet
    int64_t m_readEnd = kNoTime;     // end of the last whole packet handed out (input time)
    int64_t m_sourceEnd = 0;
    std::vector<bool> m_done;
    std::deque<PacketPtr> m_pending; // read ahead during the pre-roll
    std::deque<PacketPtr> m_tail;    // video at or after the end, held back
    int64_t m_shownUntil = kNoTime;  // latest picture after the end kept for an earlier one
    std::deque<PacketPtr> m_ready;
    std::vector<PacketPtr> m_held;   // per stream: its newest sound or picture packet
};

// Copies one range from input to output, shifting input time `zero` to
// output time `offset_us`. Reports progress; false on error or stop.
bool copyRange(CopyInput &input, CopyOutput &output, RangeReader &reader, int64_t offset_us, bool writeCovers,
               const std::atomic<bool> &abort, CopyProgress &progress, std::string &error);

} // namespace orl
