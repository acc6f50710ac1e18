// The sound-outline worker when requests and stops come faster than files
// are read: a request replaced or stopped, even before its reading began,
// is never delivered, and the newest one is.
#include "WaveformWorker.h"

#include "TestSupport.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <map>
#include <mutex>

using testsupport::fixture;

namespace {

struct Deliveries {
    std::mutex mutex;
    std::map<int, int> counts; // request id -> deliveries
    std::map<int, int> sizes;  // request id -> outline values

    void deliver(const QVector<quint8> &peaks, int id)
    {
        std::lock_guard<std::mutex> lock(mutex);
        ++counts[id];
        sizes[id] = peaks.size();
    }
    std::map<int, int> snapshot()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return counts;
    }
};

// A name of its own for the file: the detector keeps outlines per path,
// and a kept one would answer without reading.
QString freshName(QTemporaryDir &dir, const QString &file, int n)
{
    const QString path = dir.filePath(QStringLiteral("%1-%2").arg(n).arg(QFileInfo(file).fileName()));
    EXPECT_TRUE(QFile::link(file, path));
    return path;
}

// Twenty minutes of sound, read for a good part of a second.
QString longSound(QTemporaryDir &dir)
{
    const QString path = dir.filePath(QStringLiteral("long.flac"));
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"), {"-v", "error", "-y", "-f", "lavfi", "-i", "sine=f=440:r=8000:d=1200",
                                            "-c:a", "flac", path});
    EXPECT_TRUE(ffmpeg.waitForFinished(60000));
    EXPECT_EQ(ffmpeg.exitCode(), 0) << ffmpeg.readAllStandardError().toStdString();
    return path;
}

} // namespace

TEST(WaveformWorker, OnlyTheNewestRequestIsDeliveredAndAStopDeliversNothing)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString sound = longSound(dir);
    Deliveries got;
    WaveformWorker worker([&got](const QVector<quint8> &peaks, int id) { got.deliver(peaks, id); });

    // A long read replaced at once, then again: only the last answers.
    worker.begin(freshName(dir, sound, 1), 1);
    worker.begin(freshName(dir, sound, 2), 2);
    worker.begin(freshName(dir, fixture("detect.mp4"), 3), 3);
    ASSERT_TRUE(QTest::qWaitFor([&] { return worker.isIdle(); }, 20000));
    std::map<int, int> counts = got.snapshot();
    EXPECT_EQ(counts.count(1), 0u);
    EXPECT_EQ(counts.count(2), 0u);
    ASSERT_EQ(counts[3], 1);
    EXPECT_NEAR(got.sizes[3], 1200, 2); // 12 s at 100 values a second

    // Stopped right after being asked, before or while it reads: nothing,
    // and the worker is idle again at once rather than after the whole
    // sound was read.
    for (int round = 0; round < 20; ++round) {
        worker.begin(freshName(dir, sound, 10 + round), 10 + round);
        worker.stop();
        ASSERT_TRUE(QTest::qWaitFor([&] { return worker.isIdle(); }, 5000)) << "round " << round;
    }
    counts = got.snapshot();
    for (int round = 0; round < 20; ++round)
        EXPECT_EQ(counts.count(10 + round), 0u) << "round " << round;
}
