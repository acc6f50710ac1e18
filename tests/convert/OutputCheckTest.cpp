// The check every output gets: it passes on what each mode writes (with
// ffprobe as the oracle of what is in the file), and catches outputs that
// were damaged after they were written.
#include "CAVConverter.h"
#include "ConvertJob.h"
#include "MediaProbe.h"
#include "OutputFormatParams.h"
#include "TestSupport.h"
#include "VoVideoConvertItem.h"

#include <orlcodec.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <atomic>
#include <memory>

using testsupport::fixture;

namespace {

constexpr double kFrame = 0.04; // 25 fps fixtures

struct State {
    std::atomic<int> state{0};
};

void record(int32_t, void *context, int32_t state)
{
    if (state != 5 && state != 3)
        static_cast<State *>(context)->state = state;
}

bool waitFor(const std::function<bool()> &done, int timeout_ms = 120000)
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

enum class Mode { Copy, Exact, Encode };

std::unique_ptr<ConvertJob> jobFor(const QString &file, Mode mode, const QString &container, double start,
                                   double length)
{
    VoVideoConvertItem item;
    if (!item.open(file))
        return nullptr;
    OutputFormatParams params;
    params.lossless = mode != Mode::Encode;
    params.container = container;
    params.extension = container == "matroska" ? "mkv" : container == "mpegts" ? "ts" : container;
    if (mode == Mode::Encode) {
        params.quality = 60;
        params.videoCodec = "H264";
        params.videoCodecId = 28;
        params.audioCodec = "AAC";
        params.audioCodecId = 0x15002;
    } else {
        params.videoCodecId = 0;
        params.audioCodecId = 0;
        params.frameExactCut = mode == Mode::Exact;
    }
    item.m_TrimStartTime = static_cast<uint64_t>(start * 1e6);
    item.m_TrimEndTime = length > 0 ? static_cast<uint64_t>((start + length) * 1e6) : 0;
    item.applyOutputFormat(params);
    return std::unique_ptr<ConvertJob>(item.assembleConvertJob(params));
}

// The first picture's and the first sound's start, as ffprobe sees them.
double firstPacket(const QString &file, const QString &type)
{
    const Probe p = probeFile(file);
    const ProbedStream *s = p.first(type);
    if (!s)
        return -1;
    double first = 1e9;
    for (const ProbedPacket &packet : probePackets(file, s->index))
        if (packet.pts == packet.pts && packet.pts < first)
            first = packet.pts;
    return first;
}

std::string check(const QString &path, int video, int audio, double duration, double longer = 0)
{
    ORL_OUTPUT_EXPECT e{};
    e.video = video;
    e.audio = audio;
    e.duration_us = static_cast<uint64_t>(duration * 1e6);
    e.longer_us = static_cast<uint64_t>(longer * 1e6);
    char why[512] = {};
    const int passed = Conv_CheckOutput(path.toUtf8().constData(), &e, why, sizeof why);
    EXPECT_EQ(passed == 1, std::string(why) == "passed") << why;
    return why;
}

bool ffmpeg(const QStringList &args)
{
    const auto r = testsupport::runProcess("ffmpeg", QStringList{"-v", "error", "-y"} + args);
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    return r.exitCode == 0;
}

class OutputCheckTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString out(const QString &name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

} // namespace

// Each mode's output, single and merged, is checked and passes; ffprobe
// agrees that the streams are there and the length is the range's.
TEST_F(OutputCheckTest, EveryModeReportsItsOutputChecked)
{
    const QString src = fixture("long_h264_aac.ts");
    struct Case {
        Mode mode;
        QString container;
        double slack; // a key-frame copy may start at the key frame before
    } cases[] = {{Mode::Copy, "matroska", 2.0}, {Mode::Exact, "mp4", kFrame}, {Mode::Encode, "mp4", kFrame}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.container.toStdString() + " mode " + std::to_string(int(c.mode)));
        const QString dst = out("single_" + QString::number(int(c.mode)) + "." + c.container);
        auto job = jobFor(src, c.mode, c.container, 3.3, 4.0);
        ASSERT_TRUE(job);
        CAVConverter converter;
        State state;
        ASSERT_TRUE(converter.StartConvert(src.toUtf8().constData(), dst.toUtf8().constData(), *job, &state,
                                           &record, false));
        ASSERT_TRUE(waitFor([&] { return state.state.load() != 0; }));
        ASSERT_EQ(state.state.load(), 2) << converter.lastError();
        EXPECT_EQ(converter.checkReport(), "passed");
        const Probe p = probeFile(dst);
        ASSERT_TRUE(p.ok);
        EXPECT_EQ(p.count("video"), 1);
        EXPECT_EQ(p.count("audio"), 1);
        EXPECT_GE(p.duration, 4.0 - kFrame);
        EXPECT_LE(p.duration, 4.0 + c.slack + kFrame);
        EXPECT_EQ(decodeErrors(dst), "");

        // The same two ranges joined: checked once the merged file is whole.
        const QString merged = out("merged_" + QString::number(int(c.mode)) + "." + c.container);
        CAVConverter merger;
        ASSERT_TRUE(merger.OpenMerger(merged.toUtf8().constData(), *job));
        for (double start : {3.3, 11.0}) {
            auto range = jobFor(src, c.mode, c.container, start, 2.0);
            State added;
            ASSERT_TRUE(merger.StartMergeSegment(src.toUtf8().constData(), *range, &added, &record, start > 10));
            ASSERT_TRUE(waitFor([&] { return added.state.load() != 0; }));
            ASSERT_EQ(added.state.load(), 2) << merger.lastError();
        }
        merger.StopMerger(false);
        ASSERT_TRUE(merger.mergedFileComplete()) << merger.lastError();
        EXPECT_EQ(merger.checkReport(), "passed");
        const Probe m = probeFile(merged);
        ASSERT_TRUE(m.ok);
        EXPECT_GE(m.duration, 4.0 - 2 * kFrame);
        EXPECT_LE(m.duration, 4.0 + 2 * c.slack + 2 * kFrame);
    }
}

// Outputs spoiled after writing: the tail cut off, the first group of
// pictures gone, a stream gone, the index of an MP4 lost. Each is caught,
// with the kind of fault named.
TEST_F(OutputCheckTest, DamagedOutputsAreCaught)
{
    const QString src = fixture("long_h264_aac.ts");
    const QString good = out("good.ts");
    ASSERT_TRUE(ffmpeg({"-i", src, "-t", "12", "-map", "0:v:0", "-map", "0:a:0", "-c", "copy", good}));
    const double length = probeFile(good).duration;
    ASSERT_GT(length, 11.0);
    ASSERT_EQ(check(good, 1, 1, length), "passed");

    // The tail cut off (a full disk, a copy that stopped).
    const QString truncated = out("truncated.ts");
    ASSERT_TRUE(QFile::copy(good, truncated));
    {
        QFile f(truncated);
        ASSERT_TRUE(f.resize(f.size() * 6 / 10 / 188 * 188));
    }
    const std::string cut = check(truncated, 1, 1, length);
    EXPECT_EQ(cut.rfind("duration:", 0), 0u) << cut;

    // The first group of pictures dropped: the pictures begin at the second
    // key frame while the sound still begins at the start.
    const QVector<double> keys = keyFrameTimes(good);
    ASSERT_GE(keys.size(), 3);
    const double origin = firstPacket(good, "video");
    const QString headless = out("headless.ts");
    ASSERT_TRUE(ffmpeg({"-i", good, "-ss", QString::number(keys[1] - origin + 0.1), "-i", good, "-map", "1:v",
                        "-map", "0:a", "-c", "copy", "-copyts", headless}));
    ASSERT_GT(firstPacket(headless, "video") - firstPacket(headless, "audio"), 0.5); // the fault is planted
    const std::string head = check(headless, 1, 1, length);
    EXPECT_EQ(head.rfind("sync:", 0), 0u) << head;

    // The sound left out where it was asked for.
    const QString silent = out("silent.ts");
    ASSERT_TRUE(ffmpeg({"-i", good, "-an", "-c", "copy", silent}));
    const std::string streams = check(silent, 1, 1, length);
    EXPECT_EQ(streams.rfind("streams:", 0), 0u) << streams;
    EXPECT_EQ(check(silent, 1, 0, length), "passed"); // as asked when no sound was

    // An MP4 whose writing stopped before its index.
    const QString mp4 = out("good.mp4");
    ASSERT_TRUE(ffmpeg({"-i", good, "-c", "copy", mp4}));
    ASSERT_EQ(check(mp4, 1, 1, length), "passed");
    {
        QFile f(mp4);
        ASSERT_TRUE(f.resize(f.size() - 4096));
    }
    const std::string lost = check(mp4, 1, 1, length);
    EXPECT_EQ(lost.rfind("unreadable:", 0), 0u) << lost;

    // A length the output does not have is a fault too.
    const std::string shorter = check(good, 1, 1, length + 1.0);
    EXPECT_EQ(shorter.rfind("duration:", 0), 0u) << shorter;

    // A recording, another one without its own parameter sets (as a copy
    // that keeps only the first file's stream description joins it), and
    // the first again: the middle part's pictures do not decode. Head and
    // tail are the first recording's and decode; the join is where it shows.
    const QString first = out("first.h264"), second = out("second.h264"), all = out("all.h264");
    ASSERT_TRUE(ffmpeg({"-i", fixture("join_params_h264.mp4"), "-an", "-c:v", "copy", "-bsf:v", "h264_mp4toannexb",
                        "-f", "h264", first}));
    ASSERT_TRUE(ffmpeg({"-i", fixture("h264_aac.mp4"), "-an", "-c:v", "copy", "-bsf:v",
                        "h264_mp4toannexb,filter_units=remove_types=7|8", "-f", "h264", second}));
    {
        QFile a(first), b(second), abc(all);
        ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly) && abc.open(QIODevice::WriteOnly));
        const QByteArray outer = a.readAll();
        abc.write(outer + b.readAll() + outer);
    }
    const QString joined = out("joined.mp4");
    ASSERT_TRUE(ffmpeg({"-fflags", "+genpts", "-r", "25", "-i", all, "-c", "copy", joined}));
    ORL_OUTPUT_EXPECT e{};
    e.video = 1;
    e.duration_us = 9000000;
    e.longer_us = 100000;
    char why[512] = {};
    EXPECT_EQ(Conv_CheckOutput(joined.toUtf8().constData(), &e, why, sizeof why), 1) << why; // head and tail alone
    const uint64_t joins[] = {2000000, 7000000};
    e.joins_us = joins;
    e.join_count = 2;
    EXPECT_EQ(Conv_CheckOutput(joined.toUtf8().constData(), &e, why, sizeof why), 0);
    EXPECT_EQ(std::string(why).rfind("join at 2.000", 0), 0u) << why;
}


// Correct files of the awkward kinds pass: variable frame timing, sound
// alone, open groups cut by a copy (their leading pictures do not decode
// and are not shown), times that start a day in.
TEST_F(OutputCheckTest, CorrectOutputsOfAwkwardKindsPass)
{
    for (const char *name : {"vfr_phone.mp4", "tone.m4a", "tone.flac"}) {
        SCOPED_TRACE(name);
        const QString file = fixture(name);
        const Probe p = probeFile(file);
        ASSERT_TRUE(p.ok);
        EXPECT_EQ(check(file, p.count("video") > 0, p.count("audio"), p.duration), "passed");
    }
    // Cut off the key frames by a copy: the output starts at the key frame
    // before, and (into a transport stream) with its leading pictures.
    for (const char *name : {"gop_hevc_open.ts", "gop_h264_open.ts", "open_gop_pyramid.ts", "mpeg2_broadcast.ts"}) {
        SCOPED_TRACE(name);
        const QString src = fixture(name);
        const QString dst = out(QString(name) + ".cut.ts");
        auto job = jobFor(src, Mode::Copy, "mpegts", 1.3, 2.0);
        ASSERT_TRUE(job);
        CAVConverter converter;
        State state;
        ASSERT_TRUE(converter.StartConvert(src.toUtf8().constData(), dst.toUtf8().constData(), *job, &state,
                                           &record, false));
        ASSERT_TRUE(waitFor([&] { return state.state.load() != 0; }));
        ASSERT_EQ(state.state.load(), 2) << converter.lastError();
        EXPECT_EQ(converter.checkReport(), "passed");
        EXPECT_GE(probeFile(dst).duration, 2.0 - kFrame);
    }
}
