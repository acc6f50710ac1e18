#pragma once
// Encoding conversions: one range of a source decoded, run through the
// edit graph of its parameter set (TranscodeFilters.h) and encoded with the
// set's codecs; and merges, where ranges of several sources are encoded one
// after the other into one file by encoders that stay open, on one
// continuous timeline.
//
// Ranges start exactly: decoding begins at the key frame before the start
// and the graph drops what comes before it. In a merge each range's
// sound is cut or padded with silence to the range's length, so the ranges
// stay in step.
// A stop ends the work within one frame and removes the unfinished file; a
// failure anywhere ends as failed with the reason in lastError(), never as
// finished.
#include "ErrorText.h"
#include "ParamSet.h"
#include "StreamCopy.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace orl {

class EncodedOutput;
class RangeSource;

class TranscodeConversion {
public:
    explicit TranscodeConversion(InterruptCheck globalInterrupt);
    ~TranscodeConversion();

    // Opens the source and finds the encoders; nothing is written yet.
    bool open(const std::string &src, const std::string &dst, const std::string &format, const ParamValues &params);
    void setRange(uint64_t start_us, uint64_t length_us);
    // Sets up encoders and the graph, creates the file and starts the worker.
    bool start();
    bool stop();
    void close();

    const CopyProgress &progress() const { return m_progress; }
    std::string lastError() const;

private:
    void run();
    void setError(const std::string &text);

    InterruptCheck m_globalInterrupt;
    std::atomic<bool> m_abort{false};
    ParamValues m_params;
    std::string m_src, m_dst, m_format;
    uint64_t m_start_us = 0, m_length_us = 0;
    std::unique_ptr<RangeSource> m_source;  // owned by the worker while it runs
    std::unique_ptr<EncodedOutput> m_output; // owned by the worker while it runs
    std::thread m_worker;
    CopyProgress m_progress;
    ErrorText m_error;
};

class TranscodeMerger {
public:
    explicit TranscodeMerger(InterruptCheck globalInterrupt);
    ~TranscodeMerger();

    // Remembers the destination and the encoder settings; the file is
    // created by the first range.
    bool open(const std::string &dst, const std::string &format, const ParamValues &params);
    // Encodes a range on a worker thread, with that range's own edits.
    bool add(const std::string &src, uint64_t start_us, uint64_t length_us, const ParamValues &params);
    bool isDone() const { return m_progress.finished.load(); }
    bool hasError() const { return m_progress.failed.load(); }
    // Waits for the current range, drains the encoders and completes the file.
    bool finish();
    // Stops a range being encoded and removes the unfinished file.
    void abort();

    const CopyProgress &progress() const { return m_progress; }
    std::string lastError() const;

private:
    void run(std::unique_ptr<RangeSource> source);
    void join();
    void setError(const std::string &text);

    InterruptCheck m_globalInterrupt;
    std::atomic<bool> m_abort{false};
    std::string m_dst, m_format;
    ParamValues m_encoding; // encoder settings of the whole file
    std::unique_ptr<EncodedOutput> m_output; // touched by one worker at a time
    std::thread m_worker;
    CopyProgress m_progress;
    ErrorText m_error;
};

} // namespace orl
