#pragma once
// Base of the background workers: one thread running run(), a manual-reset
// stop event, and a wait for the thread that keeps the interface thread's
// event loop running.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

class QEventLoop;

// Runs work on a thread of its own and waits for it. On the interface
// thread the wait keeps dispatching events, so an engine call that takes
// long (an open of a slow source) never freezes the window; on any other
// thread work simply runs in place.
void runAwayFromInterface(const std::function<void()> &work);

// A manual-reset event: stays signalled until reset.
class ManualResetEvent {
public:
    void set();
    void reset();
    bool isSet() const;
    // Waits until set or the timeout passes; true when set.
    bool wait(std::chrono::milliseconds timeout) const;
    void wait() const;

private:
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_cond;
    bool m_set = false; // guarded by m_mutex
};

class QUtilThread {
public:
    QUtilThread();
    virtual ~QUtilThread();

    QUtilThread(const QUtilThread &) = delete;
    QUtilThread &operator=(const QUtilThread &) = delete;

    // Signals stop, waits for a previous thread, resets the stop event and
    // starts a new thread running run().
    bool start();
    // Returns at once when no thread runs; otherwise waits for it. On the
    // interface thread the wait runs a local event loop that the worker's
    // end quits: the window keeps painting and answering, nothing polls.
    // Re-entrancy: while it waits, every event of the interface thread is
    // delivered — queued signals of this and other workers, timers, user
    // input and deferred deletes — so any slot may run, including one that
    // calls start() or waitForExit() on this same worker (a nested wait
    // ends with the same run). Callers re-check their own state after the
    // wait rather than assume it unchanged. On other threads, and once
    // waitWithoutEvents() was called, it blocks.
    void waitForExit();
    bool isRunning() const { return m_running.load(); }

protected:
    virtual void run() = 0;
    // From here on every wait blocks without delivering events. Destructors
    // call it first: a slot, timer or deferred delete run in the middle of
    // tearing down could reach this object's owner or the widgets around
    // it half destroyed (the parent deleting its children, say). The worker
    // must have been told to stop; it then ends quickly.
    void waitWithoutEvents() { m_blockingWaits = true; }
    // Set by start() of the next run and by the destructor.
    ManualResetEvent m_stopEvent;

private:
    void joinFinished();
    void finished();

    std::thread m_thread;
    std::atomic<bool> m_running{false};
    std::atomic<bool> m_blockingWaits{false};
    // Waiters to wake when the run ends: local loops on the interface
    // thread, the condition for any other thread.
    std::mutex m_waitMutex;
    std::condition_variable m_waitCond;      // notified under m_waitMutex
    std::vector<QEventLoop *> m_waitLoops;   // guarded by m_waitMutex
};
