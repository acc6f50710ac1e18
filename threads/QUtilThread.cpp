#include "QUtilThread.h"

void ManualResetEvent::set()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_set = true;
    m_cond.notify_all();
}

void ManualResetEvent::reset()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_set = false;
}

bool ManualResetEvent::isSet() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_set;
}

bool ManualResetEvent::wait(std::chrono::milliseconds timeout) const
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_cond.wait_for(lock, timeout, [this] { return m_set; });
}

void ManualResetEvent::wait() const
{
    std::unique_lock<std::mutex> lock(m_mutex);
    while (!m_set)
        m_cond.wait(lock);
}

QUtilThread::QUtilThread() = default;

QUtilThread::~QUtilThread()
{
    // A subclass must have stopped its own work before its members go; this
    // only makes sure no thread outlives the object.
    m_stopEvent.set();
    waitForExit();
}

bool QUtilThread::start()
{
    m_stopEvent.set();
    waitForExit();
    m_stopEvent.reset();
    m_running = true;
    m_thread = std::thread([this] {
        run();
        m_running = false;
        if (m_endNotice)
            m_endNotice();
    });
    return true;
}

void QUtilThread::waitForExit()
{
    if (!m_thread.joinable())
        return;
    if (m_thread.get_id() == std::this_thread::get_id())
        return; // the worker itself cannot wait for its own end
    m_thread.join();
}
