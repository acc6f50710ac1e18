// Outputs are never seen half-written under their final name: they are
// written under a hidden temporary beside it and renamed when complete; a
// cancel, a failure or a killed run leaves nothing under the final name, and
// the next run clears the temporaries a killed one left.
#include "CAVConverter.h"
#include "ConfigState.h"
#include "ConvertJob.h"
#include "OutputFormatParams.h"
#include "OutputNaming.h"
#include "PartialOutput.h"
#include "QConverterObject.h"
#include "TestSupport.h"
#include "VoVideoConvertItem.h"
#include "VoVideoConvertManager.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <functional>
#include <memory>

#include <sys/resource.h>

using testsupport::fixture;

namespace {

void record(int32_t, void *context, int32_t state)
{
    if (state != 5)
        static_cast<std::atomic<int> *>(context)->store(state);
}

OutputFormatParams paramsFor(const QString &container, bool lossless)
{
    OutputFormatParams p;
    p.lossless = lossless;
    p.container = container;
    p.extension = container;
    if (lossless) {
        p.videoCodecId = 0;
        p.audioCodecId = 0;
    } else {
        p.quality = 90;
        p.videoCodec = "H264";
        p.videoCodecId = 28;
        p.audioCodec = "AAC";
        p.audioCodecId = 0x15002;
    }
    return p;
}

std::unique_ptr<ConvertJob> jobFor(const QString &file, const OutputFormatParams &params, double start, double end)
{
    VoVideoConvertItem item;
    if (!item.open(file))
        return nullptr;
    item.m_TrimStartTime = static_cast<uint64_t>(start * 1e6);
    item.m_TrimEndTime = static_cast<uint64_t>(end * 1e6);
    item.applyOutputFormat(params);
    return std::unique_ptr<ConvertJob>(item.assembleConvertJob(params));
}

// What a job's folder holds over its run: whether the temporary showed, and
// whether the final name showed while the output was still being written
// (before the temporary went).
struct Watch {
    QString folder;
    QString name;
    bool finalSeen = false;
    bool finalEarly = false;
    bool partialSeen = false;

    // The final name is looked at first: a temporary seen after it was
    // there at the same time. (The other order takes a rename between the
    // two looks for an early name.)
    void look()
    {
        const bool final = QFile::exists(folder + "/" + name);
        const bool partial = QFile::exists(folder + "/." + name + ".partial");
        finalSeen = finalSeen || final;
        finalEarly = finalEarly || (final && partial);
        partialSeen = partialSeen || partial;
    }
    // Runs the event loop, looking, until done() or a minute has passed.
    bool until(const std::function<bool()> &done)
    {
        QElapsedTimer t;
        t.start();
        while (!done()) {
            if (t.elapsed() > 60000)
                return false;
            look();
            QCoreApplication::processEvents();
            QThread::msleep(2);
        }
        return true;
    }
};

// Every entry of folder, hidden ones included.
QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

class PartialOutputTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString folder(const QString &name)
    {
        QDir(m_dir.path()).mkpath(name);
        return m_dir.filePath(name);
    }
    QTemporaryDir m_dir;
};

} // namespace

TEST_F(PartialOutputTest, AnOutputTakesItsNameOnlyWhenComplete)
{
    const QString src = fixture("long_h264_aac.mp4");
    {
        SCOPED_TRACE("encode");
        Watch watch{folder("encode"), "cut.mp4"};
        auto job = jobFor(src, paramsFor("mp4", false), 0, 8);
        ASSERT_TRUE(job);
        CAVConverter converter;
        std::atomic<int> state{0};
        ASSERT_TRUE(converter.StartConvert(src.toUtf8().constData(),
                                           (watch.folder + "/" + watch.name).toUtf8().constData(), *job, &state,
                                           &record, false));
        ASSERT_TRUE(watch.until([&] { return state.load() != 0; }));
        ASSERT_EQ(state.load(), 2);
        EXPECT_FALSE(watch.finalEarly);
        EXPECT_TRUE(watch.partialSeen);
        EXPECT_EQ(entries(watch.folder), QStringList{"cut.mp4"});
        EXPECT_GT(testsupport::ffprobeJson(watch.folder + "/cut.mp4")["format"].toObject()["duration"]
                      .toString()
                      .toDouble(),
                  7.5);
    }
    for (const bool lossless : {true, false}) {
        SCOPED_TRACE(lossless ? "copy merge" : "encode merge");
        Watch watch{folder(lossless ? "copymerge" : "encodemerge"), "merged.mkv"};
        const OutputFormatParams params = paramsFor("matroska", lossless);
        CAVConverter converter;
        auto first = jobFor(src, params, 1, 4);
        ASSERT_TRUE(converter.OpenMerger((watch.folder + "/" + watch.name).toUtf8().constData(), *first));
        for (const auto &range : {std::make_pair(1.0, 4.0), std::make_pair(9.0, 12.0)}) {
            auto job = jobFor(src, params, range.first, range.second);
            std::atomic<int> state{0};
            ASSERT_TRUE(converter.AddMergeSegment(src.toUtf8().constData(), *job, &state, &record));
            ASSERT_TRUE(watch.until([&] { return state.load() != 0; }));
            ASSERT_EQ(state.load(), 2);
        }
        // Every range is in, but the file is complete only with its end.
        watch.look();
        EXPECT_FALSE(watch.finalEarly);
        EXPECT_TRUE(watch.partialSeen);
        converter.StopMerger(false);
        ASSERT_TRUE(converter.mergedFileComplete());
        EXPECT_EQ(entries(watch.folder), QStringList{"merged.mkv"});
        EXPECT_EQ(QString::fromStdString(converter.outputPath()), watch.folder + "/merged.mkv");
    }
}

TEST_F(PartialOutputTest, CancelledAndFailedOutputsLeaveNothingBehind)
{
    const QString src = fixture("long_h264_aac.mp4");
    {
        SCOPED_TRACE("cancelled encode");
        Watch watch{folder("cancel"), "cut.mp4"};
        auto job = jobFor(src, paramsFor("mp4", false), 0, 0);
        CAVConverter converter;
        std::atomic<int> state{0};
        ASSERT_TRUE(converter.StartConvert(src.toUtf8().constData(),
                                           (watch.folder + "/" + watch.name).toUtf8().constData(), *job, &state,
                                           &record, false));
        // Cancelled while the output is being written.
        ASSERT_TRUE(watch.until([&] {
            return watch.partialSeen || watch.finalEarly || state.load() != 0;
        }));
        converter.StopConvert();
        EXPECT_EQ(entries(watch.folder), QStringList());
    }
    {
        SCOPED_TRACE("cancelled merge");
        const QString dir = folder("cancelmerge");
        const OutputFormatParams params = paramsFor("mp4", false);
        CAVConverter converter;
        auto job = jobFor(src, params, 0, 0);
        ASSERT_TRUE(converter.OpenMerger((dir + "/merged.mp4").toUtf8().constData(), *job));
        std::atomic<int> state{0};
        ASSERT_TRUE(converter.AddMergeSegment(src.toUtf8().constData(), *job, &state, &record));
        QElapsedTimer t;
        t.start();
        while (entries(dir).isEmpty() && state.load() == 0 && t.elapsed() < 30000)
            QThread::msleep(2);
        converter.StopMerger(true);
        EXPECT_EQ(entries(dir), QStringList());
    }
    {
        SCOPED_TRACE("disk full");
        const QString dir = folder("full");
        auto job = jobFor(src, paramsFor("matroska", true), 0, 0);
        struct rlimit previous;
        ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
        const auto oldHandler = signal(SIGXFSZ, SIG_IGN);
        struct rlimit limited = previous;
        limited.rlim_cur = 100000;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
        int final = 0;
        {
            CAVConverter converter;
            std::atomic<int> state{0};
            if (converter.StartConvert(src.toUtf8().constData(), (dir + "/full.mkv").toUtf8().constData(), *job,
                                       &state, &record, false)) {
                Watch watch{dir, "full.mkv"};
                watch.until([&] { return state.load() != 0; });
            }
            final = state.load();
        }
        setrlimit(RLIMIT_FSIZE, &previous);
        signal(SIGXFSZ, oldHandler);
        EXPECT_NE(final, 2);
        EXPECT_EQ(entries(dir), QStringList());
    }
}

TEST_F(PartialOutputTest, TheNextRunClearsTemporariesAKilledRunLeft)
{
    const QString root = folder("root");
    ConfigState::instance().setConverterPath(root + "/");
    OutputFormatParams &p = OutputFormatParams::instance();
    p = paramsFor("matroska", true);
    p.extension = "mkv";
    VoVideoConvertManager *items = VoVideoConvertManager::instance();
    items->clear();
    // What a run killed while writing leaves: hidden temporaries beside
    // where the outputs go, in an item's folder and in the root.
    const QString earlier = folder("root/earlier");
    const QStringList stale = {earlier + "/.earlier_1.mkv.partial", root + "/.merged_1.mp4.partial"};
    // Files that are not our temporaries stay.
    const QStringList kept = {earlier + "/earlier_2.mkv", earlier + "/.notes", earlier + "/draft.partial"};
    for (const QString &path : stale + kept) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("unfinished");
    }

    VoVideoConvertItem source;
    ASSERT_TRUE(source.open(fixture("h264_aac.mp4")));
    VoVideoConvertItem *item = source.clone();
    item->m_TrimStartTime = 1000000;
    item->m_TrimEndTime = 3000000;
    item->applyOutputFormat(p);
    items->insert(item, -1);
    setAdjustFileName(source.m_fileSuffix, source.m_videoName);

    int successes = 0;
    {
        QConverterObject converter;
        QEventLoop loop;
        QObject::connect(&converter, &QConverterObject::emitConvertedFinish, [&](bool ok) { successes += ok; });
        QObject::connect(&converter, &QConverterObject::emitIsStartConverter, [&](bool started) {
            if (!started)
                QTimer::singleShot(0, &loop, &QEventLoop::quit);
        });
        QTimer::singleShot(0, &converter, [&] { converter.startConvert(currentWorkRun(false)); });
        QTimer::singleShot(60000, &loop, &QEventLoop::quit);
        loop.exec();
    }
    items->clear();
    EXPECT_EQ(successes, 1);
    for (const QString &path : stale)
        EXPECT_FALSE(QFile::exists(path)) << path.toStdString();
    for (const QString &path : kept)
        EXPECT_TRUE(QFile::exists(path)) << path.toStdString();
    EXPECT_EQ(entries(root + "/h264_aac"), QStringList{"h264_aac_1.mkv"});
}

// Several conversions into one folder at once (the command line converting
// files side by side, or beside the window): a temporary another process
// is writing is not stale, however the sweep of a new run finds it; once
// that process has gone it is.
TEST_F(PartialOutputTest, TheSweepLeavesTemporariesOtherProcessesAreWriting)
{
    const QString root = folder("shared");
    const QString theirs = root + "/.theirs_1.mp4.partial";
    QFile f(theirs);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("being written");
    f.close();
    // Another process holding the temporary as a conversion holds its own.
    QProcess other;
    other.start("/usr/bin/python3", {"-c",
                                     "import fcntl, sys, time\n"
                                     "f = open(sys.argv[1])\n"
                                     "fcntl.flock(f, fcntl.LOCK_EX)\n"
                                     "print('held', flush=True)\n"
                                     "time.sleep(60)\n",
                                     theirs});
    ASSERT_TRUE(other.waitForReadyRead(10000));
    ASSERT_TRUE(other.readAllStandardOutput().startsWith("held"));
    EXPECT_EQ(removeStalePartials(QFile::encodeName(root).toStdString()), 0);
    EXPECT_TRUE(QFile::exists(theirs));
    other.kill();
    other.waitForFinished();
    EXPECT_EQ(removeStalePartials(QFile::encodeName(root).toStdString()), 1);
    EXPECT_FALSE(QFile::exists(theirs));

    // Ours is held the same way while it is written: another process
    // cannot take it.
    const std::string ours = QFile::encodeName(root + "/.ours_1.mp4.partial").toStdString();
    {
        PartialInUse held(ours);
        EXPECT_EQ(QProcess::execute("flock", {"-n", QString::fromStdString(ours), "true"}), 1);
    }
    EXPECT_EQ(QProcess::execute("flock", {"-n", QString::fromStdString(ours), "true"}), 0);
}
