// The worker base: runs, restarts and a wait that delivers no events, so
// that nothing queued runs in the middle of whoever waits.
#include "CAVConverter.h"
#include "QUtilThread.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <gtest/gtest.h>

#include <atomic>

namespace {

class Worker : public QUtilThread {
public:
    std::function<void(Worker &)> body;
    std::atomic<int> runs{0};
    bool stopRequested() const { return m_stopEvent.isSet(); }
    bool waitStop(int ms) { return m_stopEvent.wait(std::chrono::milliseconds(ms)); }

protected:
    void run() override
    {
        ++runs;
        if (body)
            body(*this);
    }
};

} // namespace

TEST(UtilThread, WaitingDeliversNoEvents)
{
    // The worker posts an event and ends; the wait returns without having
    // run it, and the event runs when the caller's loop takes it.
    std::atomic<bool> handled{false};
    QObject receiver;
    Worker w;
    w.body = [&](Worker &) {
        QMetaObject::invokeMethod(&receiver, [&] { handled = true; }, Qt::QueuedConnection);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    };
    ASSERT_TRUE(w.start());
    w.waitForExit();
    EXPECT_FALSE(w.isRunning());
    EXPECT_FALSE(handled);
    QCoreApplication::processEvents();
    EXPECT_TRUE(handled);
}

TEST(UtilThread, RestartStopsThePreviousRunFirst)
{
    Worker w;
    std::atomic<bool> firstSawStop{false};
    w.body = [&](Worker &self) {
        if (self.runs == 1)
            firstSawStop = self.waitStop(5000); // ends only when asked to stop
    };
    ASSERT_TRUE(w.start());
    QElapsedTimer t;
    t.start();
    ASSERT_TRUE(w.start()); // signals stop, waits for run 1, starts run 2
    w.waitForExit();
    EXPECT_TRUE(firstSawStop);
    EXPECT_EQ(w.runs.load(), 2);
    EXPECT_LT(t.elapsed(), 4000);
    EXPECT_FALSE(w.stopRequested()); // reset for the new run
}

TEST(UtilThread, ManualResetEventStaysSetUntilReset)
{
    ManualResetEvent e;
    EXPECT_FALSE(e.wait(std::chrono::milliseconds(10)));
    e.set();
    EXPECT_TRUE(e.wait(std::chrono::milliseconds(0)));
    EXPECT_TRUE(e.wait(std::chrono::milliseconds(0))); // still set
    e.reset();
    EXPECT_FALSE(e.isSet());
}

TEST(UtilThread, IdleConverterStopsAndDiesQuietly)
{
    QElapsedTimer t;
    t.start();
    {
        CAVConverter c;
        c.StopConvert();
        c.StopMerger(true);
        EXPECT_FALSE(c.StartConvert(nullptr, "/tmp/x.mp4", ConvertJob(), nullptr, nullptr, false));
        EXPECT_FALSE(c.AddMergeSegment("/tmp/a.mp4", ConvertJob(), nullptr, nullptr)); // no merger open
        TrackSample sample;
        EXPECT_FALSE(c.WriteSample(1, &sample)); // no such track
        EXPECT_FALSE(c.WriteSample(1, nullptr));
    }
    EXPECT_LT(t.elapsed(), 1000);
}

TEST(UtilThread, WaitSleepsUntilTheWorkerEndsInsteadOfPolling)
{
    // A polling wait wakes the event dispatcher every few milliseconds; a
    // wait on the worker's end wakes only for real events.
    Worker w;
    w.body = [](Worker &self) { self.waitStop(300); };
    int wakeups = 0;
    QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance();
    ASSERT_NE(dispatcher, nullptr);
    const auto counter = QObject::connect(dispatcher, &QAbstractEventDispatcher::awake, [&] { ++wakeups; });
    ASSERT_TRUE(w.start());
    QElapsedTimer t;
    t.start();
    w.waitForExit();
    QObject::disconnect(counter);
    EXPECT_GE(t.elapsed(), 250);
    EXPECT_FALSE(w.isRunning());
    EXPECT_LT(wakeups, 15);
}

TEST(UtilThread, ASlotThatRestartsTheWorkerRunsAfterTheWaitNotInsideIt)
{
    // A slot queued by the first run restarts the worker. It runs only
    // once the wait has returned: the wait ends with the first run, and the
    // second run is the caller's to wait for.
    Worker w;
    std::atomic<bool> restarted{false};
    QObject receiver;
    w.body = [&](Worker &self) {
        if (self.runs == 1)
            QMetaObject::invokeMethod(&receiver, [&] { restarted = true; w.start(); }, Qt::QueuedConnection);
    };
    ASSERT_TRUE(w.start());
    w.waitForExit();
    EXPECT_FALSE(restarted);
    EXPECT_EQ(w.runs.load(), 1);
    QCoreApplication::processEvents();
    EXPECT_TRUE(restarted);
    w.waitForExit();
    EXPECT_EQ(w.runs.load(), 2);
    EXPECT_FALSE(w.isRunning());
}

TEST(UtilThread, AWaitFromAnotherThreadBlocksUntilTheEnd)
{
    Worker w;
    w.body = [](Worker &self) { self.waitStop(100); };
    ASSERT_TRUE(w.start());
    std::thread other([&] { w.waitForExit(); });
    other.join();
    EXPECT_FALSE(w.isRunning());
}

// A worker destroyed while it runs waits for its end without delivering
// the interface thread's events: nothing queued may run in the middle of
// tearing down (a widget's children deleted one by one, say). The event is
// delivered afterwards as usual.
TEST(UtilThread, ADestructorWaitsWithoutDeliveringEvents)
{
    QObject receiver;
    bool delivered = false;
    std::atomic<bool> running{false};
    {
        Worker w;
        w.body = [&](Worker &self) {
            running = true;
            // Ends on the stop the destructor gives, a little later.
            self.waitStop(5000);
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
        };
        ASSERT_TRUE(w.start());
        QElapsedTimer t;
        t.start();
        while (!running && t.elapsed() < 5000)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        ASSERT_TRUE(running);
        QMetaObject::invokeMethod(&receiver, [&] { delivered = true; }, Qt::QueuedConnection);
    }
    EXPECT_FALSE(delivered);
    QCoreApplication::processEvents();
    EXPECT_TRUE(delivered);
}
