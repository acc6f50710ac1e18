#pragma once
// The skeleton every conversion and merge job runs on: one stop flag (wired
// into the interrupt callback of each FFmpeg context the job opens), one
// worker thread, the progress the caller polls and the last error text.
#include "ErrorText.h"
#include "Interrupt.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>

extern "C" {
#include <libavformat/avio.h>
}

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

private:
    const InterruptCheck m_global;
    std::atomic<bool> m_abort{false};
    InterruptFlags m_irq; // immutable after construction
    CopyProgress m_progress;
    ErrorText m_error;
    std::thread m_worker; // started and joined by the owner's thread only
};

} // namespace orl
