#pragma once
// Elementary-stream tracks fed packet by packet by the caller, and the
// muxer that writes them into a file in timestamp order.
#include "Handles.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace orl {

struct TrackPacket {
    std::vector<uint8_t> data;
    int64_t pts_us = 0;
    int64_t dts_us = 0;
    int64_t duration_us = 0;
    bool key = false;
};

class TrackObject : public EngineObject {
public:
    explicit TrackObject(int kind) : EngineObject(HandleKind::Track), kind(kind) {}

    // description, set before the conversion opens
    const int kind; // ORL_STREAM_*
    int legacyCodec = 0;
    int width = 0, height = 0;
    int frameRate = 0, frameRateScale = 1;
    int displayWidth = 0, displayHeight = 0;
    int audioFirst = 0, audioSecond = 0; // sample rate, channels
    int timingNum = 1000, timingDen = 1;
    std::vector<uint8_t> privateData;

    // Queues a packet; an empty packet with end set closes the stream.
    // Blocks while the queue is full, so a fast producer cannot exhaust
    // memory; the muxer drains every track, so this never deadlocks.
    bool push(TrackPacket packet, bool end, const std::atomic<bool> &abort);
    // Takes the next packet if one is queued.
    bool tryPop(TrackPacket &out);
    // True when the stream was closed and everything was taken.
    bool drained();

    std::atomic<uint64_t> lastTime_us{0};

private:
    std::mutex m_mutex;
    std::condition_variable m_cond;
    std::deque<TrackPacket> m_queue; // guarded by m_mutex
    bool m_ended = false;            // guarded by m_mutex
};

struct CopyProgress;

// Writes the packets of several tracks into one file on a worker thread.
class TrackMuxer {
public:
    TrackMuxer(std::vector<std::shared_ptr<TrackObject>> tracks, CopyProgress &progress);
    ~TrackMuxer();

    bool open(const std::string &dst, const std::string &format, std::string &error);
    bool start();
    void stop();

private:
    void run();

    // Threads: the owner's thread opens, starts and stops; the worker
    // writes. The worker's start and join order the hand-over of m_out.
    std::vector<std::shared_ptr<TrackObject>> m_tracks; // immutable; each track guards its queue
    CopyProgress &m_progress;         // atomics inside
    struct Output;
    std::unique_ptr<Output> m_out;    // owner's until start(), then the worker's until joined
    std::atomic<bool> m_abort{false};
    std::thread m_worker;             // started and joined by the owner's thread only
};

} // namespace orl
