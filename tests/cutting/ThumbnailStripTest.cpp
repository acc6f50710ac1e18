// The thumbnail strip worker as the segment manager drives it: requests
// come faster than strips are grabbed, and the interface thread never
// waits for a picture.
#include "ThumbnailStripWorker.h"

#include "TestSupport.h"

#include <QElapsedTimer>
#include <QTest>
#include <gtest/gtest.h>

#include <condition_variable>
#include <map>
#include <mutex>

namespace {

// Holds the worker inside its first delivery until released, so the test
// knows exactly where the worker is while the interface asks for more.
struct Gate {
    std::mutex mutex;
    std::condition_variable changed;
    bool entered = false;
    bool released = false;
    std::map<int, int> delivered; // request id -> pictures

    void deliver(const QImage &image, int id)
    {
        std::unique_lock<std::mutex> lock(mutex);
        if (!image.isNull())
            ++delivered[id];
        if (!entered) {
            entered = true;
            changed.notify_all();
            changed.wait_for(lock, std::chrono::seconds(20), [this] { return released; });
        }
        changed.notify_all();
    }
    bool waitEntered()
    {
        std::unique_lock<std::mutex> lock(mutex);
        return changed.wait_for(lock, std::chrono::seconds(20), [this] { return entered; });
    }
    void release()
    {
        std::lock_guard<std::mutex> lock(mutex);
        released = true;
        changed.notify_all();
    }
    int count(int id)
    {
        std::lock_guard<std::mutex> lock(mutex);
        return delivered[id];
    }
};

constexpr uint64_t kLong_us = 60'000'000;

} // namespace

TEST(ThumbnailStrip, AStopOrANewRequestNeverWaitsForTheWorker)
{
    const QString first = testsupport::fixture("long_h264_aac.mp4");
    const QString second = testsupport::fixture("h264_aac.mp4");
    Gate gate;
    ThumbnailStripWorker worker([&](const QImage &image, int id) { gate.deliver(image, id); });

    worker.begin(first, kLong_us, 1);
    ASSERT_TRUE(gate.waitEntered()); // the worker now sits in request 1's first picture

    // Neither call may wait for the held worker: each would take the whole
    // hold (20 s) if it did.
    QElapsedTimer t;
    t.start();
    worker.stop();
    worker.begin(second, 5'000'000, 2);
    EXPECT_LT(t.elapsed(), 2000);
    EXPECT_FALSE(worker.isIdle());

    gate.release();
    QTRY_VERIFY_WITH_TIMEOUT(worker.isIdle(), 20000);
    // Request 1 ended at its held picture; request 2 got its whole strip.
    EXPECT_EQ(gate.count(1), 1);
    EXPECT_EQ(gate.count(2), ThumbnailStripWorker::pictureCount);
}

TEST(ThumbnailStrip, RequestsInQuickSuccessionEndWithTheNewestStripOnly)
{
    const QString files[] = {testsupport::fixture("long_h264_aac.mp4"), testsupport::fixture("h264_aac.mp4")};
    std::mutex mutex;
    std::map<int, int> delivered;
    ThumbnailStripWorker worker([&](const QImage &image, int id) {
        std::lock_guard<std::mutex> lock(mutex);
        if (!image.isNull())
            ++delivered[id];
    });
    for (int id = 1; id <= 20; ++id)
        worker.begin(files[id % 2], id % 2 ? kLong_us : 5'000'000, id);
    QTRY_VERIFY_WITH_TIMEOUT(worker.isIdle(), 30000);
    std::lock_guard<std::mutex> lock(mutex);
    EXPECT_EQ(delivered[20], ThumbnailStripWorker::pictureCount);
    for (int id = 1; id < 20; ++id)
        EXPECT_LT(delivered[id], ThumbnailStripWorker::pictureCount) << "request " << id << " ran to its end";
}

TEST(ThumbnailStrip, StopWhenIdleAndAnEmptyPathLeaveTheWorkerIdle)
{
    ThumbnailStripWorker worker([](const QImage &, int) {});
    worker.stop();
    EXPECT_TRUE(worker.isIdle());
    worker.begin(QString(), 0, 1);
    EXPECT_TRUE(worker.isIdle());
}
