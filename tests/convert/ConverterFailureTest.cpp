// How the converter ends when things go wrong: a source that never
// delivers, a merge finished before its last range is in, a write that
// fails, tags that cannot be written. A failure is reported as one, leaves
// no output file and never freezes the interface thread.
#include "CAVConverter.h"
#include "ConvertJob.h"
#include "OutputFormatParams.h"
#include "TestSupport.h"
#include "VoVideoConvertItem.h"
#include "orlcodec.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using testsupport::fixture;

namespace {

void recordState(int32_t, void *context, int32_t state)
{
    if (state != 5)
        static_cast<std::atomic<int> *>(context)->store(state);
}

bool waitFor(const std::function<bool()> &done, int timeout_ms = 30000)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > timeout_ms)
            return false;
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
    return true;
}

std::unique_ptr<ConvertJob> job(const QString &file, const QString &container, double start, double end)
{
    VoVideoConvertItem item;
    if (!item.open(file))
        return nullptr;
    OutputFormatParams params;
    params.lossless = true;
    params.container = container;
    params.extension = container;
    params.videoCodecId = 0;
    params.audioCodecId = 0;
    item.m_TrimStartTime = static_cast<uint64_t>(start * 1e6);
    item.m_TrimEndTime = static_cast<uint64_t>(end * 1e6);
    item.applyOutputFormat(params);
    return std::unique_ptr<ConvertJob>(item.assembleConvertJob(params));
}

class ConverterFailureTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString out(const QString &name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

} // namespace

TEST_F(ConverterFailureTest, StalledSourceEndsOnTheInterruptAndNeverFreezesTheInterface)
{
    const QString fifo = out("stalled.ts");
    ASSERT_EQ(mkfifo(fifo.toUtf8().constData(), 0600), 0);
    auto j = job(fixture("h264_aac.mp4"), "mpegts", 0, 2);
    ASSERT_TRUE(j);
    // Should the open not give up, a writer that comes and goes at once
    // ends it, so that this test fails instead of hanging.
    std::atomic<bool> finished{false};
    std::thread rescue([&] {
        for (int i = 0; i < 100 && !finished; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        if (!finished) {
            const int fd = ::open(fifo.toUtf8().constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
        }
    });
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(20);
    QElapsedTimer sinceInterrupt;
    QTimer::singleShot(500, [&] {
        sinceInterrupt.start();
        Engine_SetInterrupt(1);
    });
    // Started as the window starts it: the open runs on the converter's
    // worker and its end comes back as a report.
    CAVConverter converter;
    std::atomic<int> state{0};
    ASSERT_TRUE(converter.StartConvert(fifo.toUtf8().constData(), out("x.ts").toUtf8().constData(), *j, &state,
                                       &recordState, true));
    const bool ended = waitFor([&] { return state.load() == 1 || state.load() == 2 || state.load() == 4; }, 10000);
    const qint64 afterInterrupt = sinceInterrupt.isValid() ? sinceInterrupt.elapsed() : -1;
    Engine_SetInterrupt(0);
    finished = true;
    rescue.join();
    ASSERT_TRUE(ended);
    EXPECT_EQ(state.load(), 4);
    ASSERT_GE(afterInterrupt, 0) << "the open returned before the interrupt";
    EXPECT_LT(afterInterrupt, 1000);
    EXPECT_GE(ticks, 20); // the interface thread kept dispatching events throughout
    EXPECT_FALSE(QFile::exists(out("x.ts")));
}

TEST_F(ConverterFailureTest, FinishingAMergeWhileARangeGoesInIsAFailureAndLeavesNoFile)
{
    // The second range reads from a pipe fed in real time, so it is still
    // going in when the merge is finished.
    const QString fifo = out("live.ts");
    ASSERT_EQ(mkfifo(fifo.toUtf8().constData(), 0600), 0);
    QProcess feeder;
    feeder.start("ffmpeg", {"-nostdin", "-v", "error", "-re", "-i", fixture("long_h264_aac.ts"), "-c", "copy",
                            "-f", "mpegts", "-y", fifo});
    ASSERT_TRUE(feeder.waitForStarted());
    auto first = job(fixture("long_h264_aac.ts"), "mpegts", 1, 2);
    auto second = job(fixture("long_h264_aac.ts"), "mpegts", 0, 0);
    ASSERT_TRUE(first && second);
    const QString dst = out("merged.ts");
    CAVConverter merger;
    ASSERT_TRUE(merger.OpenMerger(dst.toUtf8().constData(), *first));
    std::atomic<int> state{0};
    ASSERT_TRUE(merger.AddMergeSegment(fixture("long_h264_aac.ts").toUtf8().constData(), *first, &state, &recordState));
    ASSERT_TRUE(waitFor([&] { return state.load() != 0; }));
    ASSERT_EQ(state.load(), 2);
    state = 0;
    // What the folder holds once the first range is in: the second one is
    // going in when the written bytes grow beyond it.
    const auto written = [this] {
        qint64 bytes = 0;
        for (const QFileInfo &f : QDir(m_dir.path()).entryInfoList(QDir::Files | QDir::Hidden))
            bytes += f.size();
        return bytes;
    };
    const qint64 afterFirst = written();
    ASSERT_TRUE(merger.AddMergeSegment(fifo.toUtf8().constData(), *second, &state, &recordState));
    ASSERT_TRUE(waitFor([&] { return written() > afterFirst; }, 20000));
    merger.StopMerger(false); // what the manager calls to complete the file
    feeder.kill();
    feeder.waitForFinished();
    EXPECT_FALSE(merger.mergedFileComplete());
    ASSERT_TRUE(waitFor([&] { return state.load() != 0; }, 5000));
    EXPECT_TRUE(state.load() == 1 || state.load() == 4) << state.load();
    EXPECT_FALSE(QFile::exists(dst));
}

TEST_F(ConverterFailureTest, FailedCopyLeavesNoPartialFile)
{
    // A file-size limit makes writes fail as on a full disk.
    auto j = job(fixture("long_h264_aac.mp4"), "matroska", 0, 15);
    ASSERT_TRUE(j);
    const QString dst = out("full.mkv");
    signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 200 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    CAVConverter converter;
    std::atomic<int> state{0};
    const bool started = converter.StartConvert(fixture("long_h264_aac.mp4").toUtf8().constData(),
                                                dst.toUtf8().constData(), *j, &state, &recordState, false);
    const bool ended = started && waitFor([&] { return state.load() != 0; });
    setrlimit(RLIMIT_FSIZE, &saved);
    ASSERT_TRUE(ended);
    EXPECT_EQ(state.load(), 4);
    EXPECT_NE(converter.lastError().find("too large"), std::string::npos) << converter.lastError();
    EXPECT_FALSE(QFile::exists(dst));
}

TEST_F(ConverterFailureTest, TagsThatCannotBeWrittenFailTheConversionAndSaySo)
{
    // The sound fits under a file-size limit; the file with its tags (a
    // long comment) does not, so the tag writer's copy fails.
    auto j = job(fixture("tone.mp3"), "mp3", 0.5, 2);
    ASSERT_TRUE(j);
    j->editConfig.tags.title = "Title";
    j->editConfig.tags.comment = std::string(200 * 1024, 'c');
    const QString dst = out("sound.mp3");
    signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 128 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    CAVConverter converter;
    std::atomic<int> state{0};
    const bool started = converter.StartConvert(fixture("tone.mp3").toUtf8().constData(), dst.toUtf8().constData(),
                                                *j, &state, &recordState, false);
    const bool ended = started && waitFor([&] { return state.load() != 0; });
    setrlimit(RLIMIT_FSIZE, &saved);
    ASSERT_TRUE(ended);
    EXPECT_EQ(state.load(), 4);
    EXPECT_NE(converter.lastError().find("tags"), std::string::npos) << converter.lastError();
    // An output of a type without tags still finishes.
    auto plain = job(fixture("h264_aac.mp4"), "matroska", 0.5, 2);
    plain->editConfig.tags.title = "Title";
    CAVConverter other;
    std::atomic<int> otherState{0};
    ASSERT_TRUE(other.StartConvert(fixture("h264_aac.mp4").toUtf8().constData(), out("video.mkv").toUtf8().constData(),
                                   *plain, &otherState, &recordState, false));
    ASSERT_TRUE(waitFor([&] { return otherState.load() != 0; }));
    EXPECT_EQ(otherState.load(), 2);
}
