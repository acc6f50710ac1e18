#pragma once
// When a blocking FFmpeg call of a job gives up: the job's own stop flag or
// the process-wide switch (Engine_SetInterrupt).
#include <atomic>
#include <functional>

namespace orl {

// Returns true when a blocking FFmpeg call should give up.
using InterruptCheck = std::function<bool()>;

// The process-wide switch as a check.
InterruptCheck engineInterrupt();

struct InterruptFlags {
    const std::atomic<bool> *abort = nullptr;  // the job's own flag; outlives this
    const std::atomic<bool> *cancel = nullptr; // the caller's token, when given; outlives this
    InterruptCheck global;                     // immutable after construction

    bool check() const
    {
        return (abort && abort->load()) || (cancel && cancel->load()) || (global && global());
    }
};

// AVIOInterruptCB callback over an InterruptFlags passed as opaque.
int interruptFlagsCallback(void *opaque);

} // namespace orl
