#pragma once
// Lossless cutting and joining: copies the packets of the chosen streams of
// a time range into a new file without decoding them.
//
// Cut rules: the output begins at the key frame at or before the asked
// start. Containers that can hide frames with an edit list (the MP4/MOV
// family) get the lead-in frames at negative times, so the file shows the
// asked start; the others start at the key frame. Audio begins with the
// packet that covers the start. Packets at or after the asked end are
// dropped, except video packets that frames before the end depend on.
// Output timestamps start at 0 (or the hidden lead-in) and only increase.
#include "ErrorText.h"
#include "FFmpegPtr.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
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
};

// Everything a copy job reports while it runs; written by the worker,
// read by any thread.
struct CopyProgress {
    std::atomic<uint64_t> position_us{0}; // output time written in the current range
    std::atomic<uint64_t> total_us{0};    // length of the current range
    std::atomic<bool> finished{false};    // the worker has ended (success or not)
    std::atomic<bool> failed{false};      // it ended with an error or a stop
};

class CopyInput;
class CopyOutput;

// Returns true when a blocking FFmpeg call should give up.
using InterruptCheck = std::function<bool()>;

// One stream-copy conversion: one source range into one output file.
class StreamCopyConversion {
public:
    explicit StreamCopyConversion(InterruptCheck globalInterrupt);
    ~StreamCopyConversion();

    // Opens the source and checks that the container can take every chosen
    // stream (nothing is written yet). False with lastError() set otherwise.
    bool open(const std::string &src, const std::string &dst, const std::string &format,
              const CopyChoice &choice);
    void setRange(uint64_t start_us, uint64_t length_us);
    // Creates the output file and starts the worker thread.
    bool start();
    // Asks the worker to stop and waits for it; the output file is closed.
    bool stop();
    void close();

    const CopyProgress &progress() const { return m_progress; }
    std::string lastError() const;

private:
    void run();
    void setError(const std::string &text);

    InterruptCheck m_globalInterrupt;
    std::atomic<bool> m_abort{false};
    std::unique_ptr<CopyInput> m_input;   // owned by the worker while it runs
    std::unique_ptr<CopyOutput> m_output; // owned by the worker while it runs
    std::string m_dst;
    std::string m_format;
    CopyChoice m_choice;
    uint64_t m_start_us = 0;
    uint64_t m_length_us = 0;
    std::thread m_worker;
    CopyProgress m_progress;
    ErrorText m_error;
};

// Several source ranges joined into one output file, one range at a time.
// Each range continues the timeline where the previous one ended.
class StreamCopyMerger {
public:
    explicit StreamCopyMerger(InterruptCheck globalInterrupt);
    ~StreamCopyMerger();

    // Remembers the destination; the file is created by the first add.
    bool open(const std::string &dst, const std::string &format);
    // Appends a range on a worker thread; isDone() tells when it is in.
    bool add(const std::string &src, uint64_t start_us, uint64_t length_us, const CopyChoice &choice);
    bool isDone() const { return m_progress.finished.load(); }
    bool hasError() const { return m_progress.failed.load(); }
    // Waits for the current range and completes the file.
    bool finish();
    // Stops a range being added and closes the file.
    void abort();

    const CopyProgress &progress() const { return m_progress; }
    std::string lastError() const;

private:
    void run(std::unique_ptr<CopyInput> input, uint64_t start_us, uint64_t length_us);
    void join();
    void setError(const std::string &text);

    InterruptCheck m_globalInterrupt;
    std::atomic<bool> m_abort{false};
    std::string m_dst;
    std::string m_format;
    std::unique_ptr<CopyOutput> m_output; // touched by one worker at a time
    int64_t m_timelineEnd_us = 0;          // where the next range begins
    int64_t m_presentationEnd_us = 0;      // output time of the last range's asked end, 0 = its natural end
    bool m_editList = false;
    int m_rangesAdded = 0;
    std::vector<int> m_firstPayload;       // payload form of each stream of the first range
    std::thread m_worker;
    CopyProgress m_progress;
    ErrorText m_error;
};

} // namespace orl
