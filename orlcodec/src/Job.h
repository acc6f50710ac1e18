#pragma once
// The skeleton every conversion and merge job runs on: one stop flag (wired
// into the interrupt callback of each FFmpeg context the job opens), one
// worker thread, the progress the caller polls and the last error text.
#include "ErrorText.h"
#include "Interrupt.h"
#include "OutputCheck.h"
#include "TrackChoice.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>
#include <thread>

extern "C" {
#include <libavformat/avio.h>
}

struct AVOutputFormat;

namespace orl {

// What a job reports while it runs; written by the worker, read by any thread.
struct CopyProgress {
    std::atomic<uint64_t> position_us{0}; // output time written in the current range
    std::atomic<uint64_t> total_us{0};    // length of the current range
    std::atomic<bool> finished{false};    // the worker has ended (success or not)
    std::atomic<bool> failed{false};      // it ended with an error or a stop
    // Where a source that ends early (a partial download) ended, in µs of
    // its own timeline, when the range had to end there; 0 = read whole.
    std::atomic<uint64_t> sourceEnd_us{0};
};

class Job {
public:
    explicit Job(InterruptCheck global);
    ~Job();
    Job(const Job &) = delete;
    Job &operator=(const Job &) = delete;

    // Work run on the worker: true on success; on failure the text it
    // leaves in error (empty: failureText, or "stopped" after a stop).
    using Body = std::function<bool(std::string &error)>;

    // Clears the stop flag and the progress of the previous run and starts
    // body on the worker. False when a worker is still running.
    bool launch(Body body, uint64_t total_us, std::string failureText);
    bool running() const { return m_worker.joinable(); }
    void requestStop() { m_abort.store(true); }
    bool stopRequested() const { return m_abort.load(); }
    // Lets the next opens of the job run after a stop.
    void rearm() { m_abort.store(false); }
    // Back to "nothing run yet": no stop, no progress, not finished.
    void reset();
    void join();
    // requestStop + join.
    void stop();

    // The rule of every job: a failed or stopped job leaves no output file.
    // Removes path when it is a regular file (never a device or a pipe).
    static void removeUnfinished(const std::string &path);

    const std::atomic<bool> &abortFlag() const { return m_abort; }
    const InterruptCheck &global() const { return m_global; }
    // For AVFormatContext::interrupt_callback (opaque of interruptFlagsCallback).
    InterruptFlags *interruptFlags() { return &m_irq; }
    AVIOInterruptCB interruptCallback();

    CopyProgress &progress() { return m_progress; }
    const CopyProgress &progress() const { return m_progress; }
    void setError(const std::string &text) { m_error.set(text); }
    std::string lastError() const { return m_error.get(); }

    // Run on the worker once the body succeeded, before the job counts as
    // finished: the check of what it wrote. False (error set) fails the job.
    void setAfterBody(Body after) { m_after = std::move(after); }
    // "passed", or why the written output failed its check; "" when none ran.
    void setCheckReport(const std::string &text) { m_checkReport.set(text); }
    std::string checkReport() const { return m_checkReport.get(); }

private:
    const InterruptCheck m_global;
    std::atomic<bool> m_abort{false};
    InterruptFlags m_irq; // immutable after construction
    CopyProgress m_progress;
    ErrorText m_error;
    ErrorText m_checkReport;
    Body m_after; // set before launch, read by the worker
    std::thread m_worker; // started and joined by the owner's thread only
};

// What the caller asked of an output, for its check: whether the source's
// pictures and sound are wanted (the container and the source permitting).
struct AskedStreams {
    bool check = false; // no check unless asked for
    bool video = true;
    bool audio = true;
    // The track plan of the output: only its streams are expected, and the
    // sound may start as much later as it is shifted.
    std::vector<TrackChoice> tracks;
};

// A range of a source: its start from the source's start, and its length.
struct SourceSpan {
    int64_t start_us = 0;
    int64_t length_us = 0;
};

// The expectation of an output of src: a picture when the source has one
// and it was asked for and the container takes it; likewise one sound
// stream. With spans, a stream that the source's timing shows to lie wholly
// outside them (sound that ended before the range) is not expected. False
// when the source cannot be read.
bool expectedStreams(const std::string &src, const AskedStreams &asked, const AVOutputFormat *format,
                     OutputExpectation &expect, const std::vector<SourceSpan> &spans = {});

// What a conversion of one range into one file holds, whether it copies the
// range or encodes it: its job, the files and the range.
class RangeConversionJob {
public:
    RangeConversionJob(const RangeConversionJob &) = delete;
    RangeConversionJob &operator=(const RangeConversionJob &) = delete;

    void setRange(uint64_t start_us, uint64_t length_us);
    // Asks the worker to stop and waits for it.
    bool stop();
    // Stops the worker and lets go of everything opened.
    void close();

    const CopyProgress &progress() const { return m_job.progress(); }
    std::string lastError() const { return m_job.lastError(); }

    // Every run ends with the check of the written file (set before start).
    void setAskedStreams(const AskedStreams &asked) { m_asked = asked; }
    std::string checkReport() const { return m_job.checkReport(); }
    // How much longer than the range the output may come out: a copy's
    // lead-in from the key frame before the start. Set by the run.
    void allowLonger(int64_t us) { m_longer_us = us; }

protected:
    explicit RangeConversionJob(InterruptCheck globalInterrupt);
    // The owner stops the worker (close()) before its own members go.
    ~RangeConversionJob() = default;

    // Lets go of what the last open set up (never while a worker runs).
    virtual void forget() = 0;
    // The first steps of an open: refused while a worker runs; what the last
    // open set up goes, a stopped job may run again, and the container is
    // looked up. Null, with the error set, when the open cannot go on.
    const AVOutputFormat *beginOpen(const std::string &format, const std::string &dst);
    // Remembers what a successful open is for; the range is the whole source
    // until one is set.
    void opened(const std::string &src, const std::string &dst, const AVOutputFormat *format);
    // Whether start() may launch the worker: something is open and no
    // worker runs. Sets the error otherwise.
    bool readyToStart(bool isOpen);

    Job m_job;
    // Set up on the caller's thread while no worker runs; read by the
    // worker from start() until it ends.
    std::string m_src, m_dst, m_format;
    uint64_t m_start_us = 0, m_length_us = 0;
    AskedStreams m_asked;
    std::atomic<int64_t> m_longer_us{0};

private:
    bool checkWritten(std::string &error);
};

// What a merge of several ranges into one file holds, whether it copies the
// ranges or encodes them: its job and the file.
class RangeMergeJob {
public:
    RangeMergeJob(const RangeMergeJob &) = delete;
    RangeMergeJob &operator=(const RangeMergeJob &) = delete;

    bool isDone() const { return m_job.progress().finished.load(); }
    bool hasError() const { return m_job.progress().failed.load(); }
    const CopyProgress &progress() const { return m_job.progress(); }
    std::string lastError() const { return m_job.lastError(); }
    // How much longer than its ranges the merged file may come out (the
    // copies' lead-ins), for its check.
    int64_t longer_us() const { return m_longer_us.load(); }

protected:
    explicit RangeMergeJob(InterruptCheck globalInterrupt);
    // The owner ends the merge (its abort) before its own members go.
    ~RangeMergeJob() = default;

    // Remembers the destination once the container is known, and starts
    // over with no range run. False, with the error set, otherwise.
    bool beginMerge(const std::string &dst, const std::string &format);
    // The first steps of an add: waits for the range before, and refuses
    // when nothing is open or an earlier range failed.
    bool readyToAdd();

    Job m_job;
    std::string m_dst, m_format;
    std::atomic<int64_t> m_longer_us{0};
};

} // namespace orl
