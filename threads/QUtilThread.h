#pragma once
// Base of the background workers: one thread running run(), a manual-reset
// stop event, and a wait for the thread's end.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

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
    // Returns at once when no thread runs; otherwise blocks until it has
    // ended, on every thread, delivering no events meanwhile: a wait that
    // ran the interface thread's events let any slot (a second Stop, a
    // deferred delete) run in the middle of its caller. So the interface
    // thread waits only for a run that has reported its end or was told to
    // stop (which a run notices within moments); to learn when a run ends,
    // it listens for the run's own queued report instead.
    void waitForExit();
    bool isRunning() const { return m_running.load(); }
    // Called on the worker's thread once run() has returned and isRunning()
    // is false, as the last thing the thread does: the place for a queued
    // report of the end that a waiter can trust. Set before start().
    void setEndNotice(std::function<void()> notice) { m_endNotice = std::move(notice); }

protected:
    virtual void run() = 0;
    // Set by start() of the next run and by the destructor.
    ManualResetEvent m_stopEvent;

private:
    std::thread m_thread; // owner thread: started and joined only by the thread that owns this object
    std::function<void()> m_endNotice; // written before start(), read by the worker
    std::atomic<bool> m_running{false}; // any thread: falls when run() has returned
};
