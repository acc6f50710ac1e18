#include "QUtilThread.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>

#include <algorithm>

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

void runAwayFromInterface(const std::function<void()> &work)
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app || QThread::currentThread() != app->thread()) {
        work();
        return;
    }
    // The loop ends the moment the work does (a queued quit), without
    // polling; a quit posted before exec() starts is delivered by it.
    QEventLoop loop;
    std::thread worker([&] {
        work();
        QMetaObject::invokeMethod(&loop, "quit", Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
}

QUtilThread::QUtilThread() = default;

QUtilThread::~QUtilThread()
{
    // A subclass must have stopped its own work before its members go; this
    // only makes sure no thread outlives the object.
    waitWithoutEvents();
    m_stopEvent.set();
    waitForExit();
    joinFinished();
}

bool QUtilThread::start()
{
    m_stopEvent.set();
    waitForExit();
    joinFinished();
    m_stopEvent.reset();
    m_running = true;
    m_thread = std::thread([this] {
        run();
        finished();
    });
    return true;
}

void QUtilThread::finished()
{
    std::lock_guard<std::mutex> lock(m_waitMutex);
    m_running = false;
    for (QEventLoop *loop : m_waitLoops)
        QMetaObject::invokeMethod(loop, "quit", Qt::QueuedConnection);
    m_waitCond.notify_all();
}

void QUtilThread::waitForExit()
{
    if (!m_thread.joinable())
        return;
    if (m_thread.get_id() == std::this_thread::get_id())
        return; // the worker itself cannot wait for its own end
    QCoreApplication *app = QCoreApplication::instance();
    if (app && QThread::currentThread() == app->thread() && !m_blockingWaits.load()) {
        // Again while running: a slot run during the wait may have started
        // the next run, which must not be joined blocking.
        for (;;) {
            QEventLoop loop;
            {
                std::lock_guard<std::mutex> lock(m_waitMutex);
                if (!m_running)
                    break;
                m_waitLoops.push_back(&loop);
            }
            // A quit posted between the registration and exec() waits in
            // the queue and ends the loop as soon as it starts.
            loop.exec();
            std::lock_guard<std::mutex> lock(m_waitMutex);
            m_waitLoops.erase(std::find(m_waitLoops.begin(), m_waitLoops.end(), &loop));
        }
    } else {
        std::unique_lock<std::mutex> lock(m_waitMutex);
        while (m_running)
            m_waitCond.wait(lock);
    }
    joinFinished();
}

void QUtilThread::joinFinished()
{
    if (m_thread.joinable() && m_thread.get_id() != std::this_thread::get_id())
        m_thread.join();
}
