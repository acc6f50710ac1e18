// A Stop that comes while the source is still being opened: the open gives
// up at once, nothing is left in the output folder, and the converter (or
// the window's conversion manager) takes the next job as if nothing had
// happened. The source is a pipe no one writes to, so its open lasts until
// it is given up. Repeated many times, so that a stop lands at every point
// of the start: before the open, inside it, as it returns.
#include "CAVConverter.h"
#include "ConfigState.h"
#include "ConversionRun.h"
#include "ConvertJob.h"
#include "OutputFormatParams.h"
#include "QConverterObject.h"
#include "TestSupport.h"
#include "VoVideoConvertItem.h"
#include "orlcodec.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <random>

#include <sys/stat.h>

using testsupport::fixture;

namespace {

constexpr int kStateCancelled = 1;
constexpr int kStateFinished = 2;
constexpr int kStateStarting = 3;

struct Reports {
    std::atomic<int> last{0};     // the last state other than progress
    std::atomic<int> starting{0}; // "starting" reports
    std::atomic<int> ends{0};     // final reports: finished, cancelled, failed
};

void record(int32_t, void *context, int32_t state)
{
    auto *r = static_cast<Reports *>(context);
    if (state == 5)
        return;
    if (state == kStateStarting)
        ++r->starting;
    else
        ++r->ends;
    r->last = state;
}

bool waitFor(const std::function<bool()> &done, int timeout_ms = 5000)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > timeout_ms)
            return false;
        QCoreApplication::processEvents();
        QThread::usleep(200);
    }
    return true;
}

OutputFormatParams losslessMp4()
{
    OutputFormatParams p;
    p.lossless = true;
    p.container = "mp4";
    p.extension = "mp4";
    p.videoCodecId = 0;
    p.audioCodecId = 0;
    return p;
}

class StopWhileOpeningTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_fifo = m_dir.filePath("silent.ts");
        ASSERT_EQ(mkfifo(m_fifo.toUtf8().constData(), 0600), 0);
        ASSERT_TRUE(QDir().mkpath(out()));
        ASSERT_TRUE(m_source.open(fixture("h264_aac.mp4")));
    }

    QString out() const { return m_dir.filePath("out"); }
    // Everything in the output folder, temporaries included.
    QStringList leftOver() const
    {
        return QDir(out()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }
    // A job for range [start, end) s of the fixture; its source path is the caller's.
    std::unique_ptr<ConvertJob> job(double start, double end)
    {
        VoVideoConvertItem item;
        EXPECT_TRUE(item.open(fixture("h264_aac.mp4")));
        item.m_TrimStartTime = static_cast<uint64_t>(start * 1e6);
        item.m_TrimEndTime = static_cast<uint64_t>(end * 1e6);
        const OutputFormatParams params = losslessMp4();
        item.applyOutputFormat(params);
        return std::unique_ptr<ConvertJob>(item.assembleConvertJob(params));
    }

    QTemporaryDir m_dir;
    QString m_fifo;
    VoVideoConvertItem m_source;
};

} // namespace

TEST_F(StopWhileOpeningTest, AConverterStoppedWhileItOpensLeavesNothingAndConvertsNext)
{
    auto stalled = job(0, 1);
    ASSERT_TRUE(stalled);
    const QByteArray src = m_fifo.toUtf8();
    const QByteArray dst = (out() + "/cut.mp4").toUtf8();
    std::mt19937 random(41);
    CAVConverter converter;
    int handles = -1; // what an idle converter holds after a stop (its cancel)
    for (int i = 0; i < 200; ++i) {
        SCOPED_TRACE(i);
        Reports reports;
        ASSERT_TRUE(converter.StartConvert(src.constData(), dst.constData(), *stalled, &reports, &record, true));
        // A quarter of the stops come before the worker has begun the open;
        // the others once it is inside it, a moment later or at once.
        if (i % 4 != 0) {
            ASSERT_TRUE(waitFor([&] { return reports.starting.load() > 0; }));
            QThread::usleep(random() % 2000);
        }
        if (i % 2 == 0) {
            // The window's way: ask, and hear of the end from the worker.
            converter.RequestStop();
            ASSERT_TRUE(waitFor([&] { return reports.ends.load() > 0; })) << "the stopped open did not end";
            EXPECT_EQ(reports.last.load(), kStateCancelled);
            EXPECT_EQ(reports.ends.load(), 1);
        } else {
            // The blocking stop of a caller off the interface thread.
            QElapsedTimer t;
            t.start();
            converter.StopConvert();
            EXPECT_LT(t.elapsed(), 2000);
            EXPECT_LE(reports.ends.load(), 1);
            EXPECT_TRUE(reports.ends.load() == 0 || reports.last.load() == kStateCancelled);
        }
        EXPECT_EQ(leftOver(), QStringList());
        // Nothing of the stopped job stays behind in the engine.
        converter.StopConvert();
        if (handles < 0)
            handles = Engine_GetHandleCount();
        EXPECT_EQ(Engine_GetHandleCount(), handles);
    }

    // The same converter then cuts a real file.
    auto real = job(0.5, 1.5);
    ASSERT_TRUE(real);
    Reports reports;
    ASSERT_TRUE(converter.StartConvert(fixture("h264_aac.mp4").toUtf8().constData(), dst.constData(), *real,
                                       &reports, &record, true));
    ASSERT_TRUE(waitFor([&] { return reports.ends.load() > 0; }, 30000));
    ASSERT_EQ(reports.last.load(), kStateFinished) << converter.lastError();
    EXPECT_EQ(leftOver(), QStringList({"cut.mp4"}));
    const QJsonObject probe = testsupport::ffprobeJson(out() + "/cut.mp4");
    EXPECT_EQ(probe["streams"].toArray().size(), 2);
    EXPECT_NEAR(probe["format"].toObject()["duration"].toString().toDouble(), 1.0, 0.25);
}

TEST_F(StopWhileOpeningTest, AMergeStoppedWhileARangeOpensLeavesNothing)
{
    auto first = job(0, 1);
    ASSERT_TRUE(first);
    const QByteArray dst = (out() + "/merged.mp4").toUtf8();
    for (int i = 0; i < 50; ++i) {
        SCOPED_TRACE(i);
        CAVConverter merger;
        ASSERT_TRUE(merger.OpenMerger(dst.constData(), *first));
        Reports reports;
        ASSERT_TRUE(merger.StartMergeSegment(m_fifo.toUtf8().constData(), *first, &reports, &record));
        if (i % 3 != 0) {
            ASSERT_TRUE(waitFor([&] { return reports.starting.load() > 0; }));
        }
        merger.RequestStop();
        ASSERT_TRUE(waitFor([&] { return reports.ends.load() > 0; })) << "the stopped range did not end";
        EXPECT_EQ(reports.last.load(), kStateCancelled);
        merger.AbandonMerger();
        EXPECT_FALSE(merger.mergedFileComplete());
        EXPECT_EQ(leftOver(), QStringList());
    }
}

// The window's path: the conversion manager stops an item whose source is
// being opened; the run ends once, with nothing written and no failure.
TEST_F(StopWhileOpeningTest, TheManagerStoppedWhileAnItemOpensEndsTheRunOnce)
{
    ConfigState::instance().setConverterPath(out() + "/");
    OutputFormatParams::instance() = losslessMp4();
    std::unique_ptr<VoVideoConvertItem> item(m_source.clone());
    item->m_TrimStartTime = 0;
    item->m_TrimEndTime = 1000000;
    item->applyOutputFormat(OutputFormatParams::instance());
    item->m_videoPath = m_fifo;
    ConversionRun run;
    run.segments << conversionSegmentOf(*item, OutputFormatParams::instance());
    run.naming.root = out() + "/";
    run.naming.pattern = "item.{ext}";
    run.naming.extension = "mp4";
    std::mt19937 random(7);
    for (int i = 0; i < 200; ++i) {
        SCOPED_TRACE(i);
        const bool merge = i % 2 == 1;
        QConverterObject manager;
        run.merge = merge;
        QSignalSpy states(&manager, &QConverterObject::emitIsStartConverter);
        QSignalSpy finishes(&manager, &QConverterObject::emitConvertedFinish);
        QSignalSpy reasons(&manager, &QConverterObject::sendFailureReason);
        manager.startConvert(run);
        ASSERT_EQ(states.size(), 1);
        // Sometimes at once, sometimes once the worker had a moment.
        if (i % 3 != 0) {
            QThread::usleep(random() % 3000);
            QCoreApplication::processEvents();
        }
        manager.OnCancelConvert();
        manager.OnCancelConvert(); // a second Stop adds nothing
        ASSERT_TRUE(waitFor([&] { return states.size() >= 2; })) << "the stopped run did not end";
        EXPECT_FALSE(states.at(1).at(0).toBool());
        EXPECT_FALSE(manager.isStopPending());
        EXPECT_TRUE(reasons.isEmpty());
        EXPECT_LE(finishes.size(), 1);
        // Nothing more is announced afterwards.
        QCoreApplication::processEvents();
        EXPECT_EQ(states.size(), 2);
        EXPECT_EQ(leftOver(), QStringList());
    }
}
