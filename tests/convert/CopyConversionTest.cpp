// Lossless cuts and merges through the converter and the media library,
// checked with ffprobe and the ffmpeg decoder.
#include "CAVConverter.h"
#include "ConvertJob.h"
#include "MediaProbe.h"
#include "OutputFormatParams.h"
#include "TestSupport.h"
#include "VoVideoConvertItem.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <memory>

using testsupport::fixture;

namespace {

constexpr double kFrame = 0.04;       // 25 fps fixtures
constexpr double kAudioFrame = 0.024; // one AAC frame at 44.1 kHz, rounded up

struct Report {
    std::atomic<int> state{0};
    std::atomic<int> lastPercent{-1};
    std::atomic<bool> percentWentDown{false};
    std::atomic<bool> hundredBeforeEnd{false};
};

void record(int32_t percent, void *context, int32_t state)
{
    auto *r = static_cast<Report *>(context);
    if (state == 5) {
        if (percent < r->lastPercent.load())
            r->percentWentDown = true;
        if (percent >= 100)
            r->hundredBeforeEnd = true;
        r->lastPercent = percent;
    } else {
        r->state = state;
    }
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

// A lossless job for [start, start + length) of file into container.
std::unique_ptr<ConvertJob> losslessJob(const QString &file, const QString &container, double start,
                                        double length, bool allTracks = true, bool frameExact = false)
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
    params.frameExactCut = frameExact;
    item.m_TrimStartTime = static_cast<uint64_t>(start * 1e6);
    item.m_TrimEndTime = length > 0 ? static_cast<uint64_t>((start + length) * 1e6) : 0;
    item.applyOutputFormat(params);
    if (!allTracks) {
        for (size_t i = 1; i < item.m_editConfig.audioTracks.size(); ++i)
            item.m_editConfig.audioTracks[i].selected = false;
    }
    return std::unique_ptr<ConvertJob>(item.assembleConvertJob(params));
}

// Runs one lossless conversion to the end; the reported final state.
int convert(const QString &src, const QString &dst, const ConvertJob &job, Report &report)
{
    CAVConverter converter;
    if (!converter.StartConvert(src.toUtf8().constData(), dst.toUtf8().constData(), job, &report, &record, false))
        return -1;
    if (!waitFor([&] { return report.state.load() != 0; }))
        return -2;
    return report.state.load();
}

class CopyConversionTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString out(const QString &name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

// Expected lead-in: from the key frame at or before start to start.
double leadIn(const QString &file, double start)
{
    // Key-frame times are absolute; the range is relative to the file start.
    const double origin = testsupport::ffprobeJson(file)["format"].toObject()["start_time"].toString().toDouble();
    double key = 0;
    for (double k : keyFrameTimes(file))
        if (k - origin <= start + 1e-6)
            key = k - origin;
    return start - key;
}

} // namespace

TEST_F(CopyConversionTest, Mp4CutShowsTheAskedRangeExactly)
{
    const QString src = fixture("long_h264_aac.mp4");
    for (const QString &container : {QString("mp4"), QString("mov")}) {
        SCOPED_TRACE(container.toStdString());
        auto job = losslessJob(src, container, 3.3, 5.0);
        ASSERT_TRUE(job);
        Report report;
        const QString dst = out("cut." + container);
        ASSERT_EQ(convert(src, dst, *job, report), 2);
        EXPECT_FALSE(report.percentWentDown);
        EXPECT_FALSE(report.hundredBeforeEnd);

        const Probe p = probeFile(dst);
        ASSERT_TRUE(p.ok);
        EXPECT_NEAR(p.duration, 5.0, kFrame);
        const QVector<double> frames = probeFrameTimes(dst);
        ASSERT_FALSE(frames.isEmpty());
        EXPECT_NEAR(frames.first(), 0.0, kFrame);
        EXPECT_NEAR(frames.size(), 125, 1);
        ASSERT_NE(p.first("audio"), nullptr);
        EXPECT_NEAR(p.first("audio")->startTime, p.first("video")->startTime, kAudioFrame);
        QString where;
        EXPECT_TRUE(dtsStrictlyIncreasing(dst, &where)) << where.toStdString();
        EXPECT_EQ(decodeErrors(dst), "");
    }
}

TEST_F(CopyConversionTest, OtherContainersStartAtTheKeyFrame)
{
    struct Case {
        const char *source;
        const char *container;
        const char *ext;
        double start;
        double length;
    };
    const Case cases[] = {
        {"long_h264_aac.mp4", "matroska", "mkv", 3.3, 5.0},
        {"two_programs.ts", "mpegts", "ts", 1.1, 2.0},
        {"plain.avi", "avi", "avi", 1.1, 2.0},
        {"plain.webm", "webm", "webm", 0.5, 1.5},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.source);
        const QString src = fixture(c.source);
        auto job = losslessJob(src, c.container, c.start, c.length);
        ASSERT_TRUE(job);
        Report report;
        const QString dst = out(QString("cut_%1.%2").arg(c.container, c.ext));
        ASSERT_EQ(convert(src, dst, *job, report), 2);
        const Probe p = probeFile(dst);
        ASSERT_TRUE(p.ok);
        ASSERT_EQ(p.count("video"), 1);
        ASSERT_EQ(p.count("audio"), 1);
        // The range plus its lead-in; the end may carry the few frames that
        // earlier frames are decoded from.
        const double expected = c.length + leadIn(src, c.start);
        EXPECT_GE(p.duration, expected - 2 * kFrame);
        EXPECT_LE(p.duration, expected + 4 * kFrame);
        EXPECT_NEAR(p.first("audio")->startTime, p.first("video")->startTime, 0.05);
        QString where;
        EXPECT_TRUE(dtsStrictlyIncreasing(dst, &where)) << where.toStdString();
        EXPECT_EQ(decodeErrors(dst), "");
    }
}

TEST_F(CopyConversionTest, AudioOnlyFilesCutWithinOneFrame)
{
    for (const char *name : {"tone.mp3", "tone.m4a", "tone.ogg", "tone.wav"}) {
        SCOPED_TRACE(name);
        const QString src = fixture(name);
        const QString ext = QString(name).section('.', -1);
        const QString container = ext == "m4a" ? "ipod" : ext;
        auto job = losslessJob(src, container, 1.0, 2.0);
        ASSERT_TRUE(job);
        Report report;
        const QString dst = out("audio." + ext);
        ASSERT_EQ(convert(src, dst, *job, report), 2);
        const Probe p = probeFile(dst);
        ASSERT_TRUE(p.ok);
        EXPECT_EQ(p.count("video"), 0);
        EXPECT_NEAR(p.duration, 2.0, 0.06);
        EXPECT_EQ(decodeErrors(dst), "");
    }
}

TEST_F(CopyConversionTest, EveryChosenTrackIsKept)
{
    const QString src = fixture("two_audio_subs.mkv");
    auto job = losslessJob(src, "matroska", 0.5, 3.0);
    ASSERT_TRUE(job);
    Report report;
    ASSERT_EQ(convert(src, out("tracks.mkv"), *job, report), 2);
    Probe p = probeFile(out("tracks.mkv"));
    ASSERT_EQ(p.count("audio"), 2);
    EXPECT_EQ(p.streams[1].language, "eng");
    EXPECT_EQ(p.streams[2].language, "fre");
    ASSERT_EQ(p.count("subtitle"), 1);
    EXPECT_EQ(p.first("subtitle")->codec, "subrip");

    // MP4 takes the subtitles as timed text.
    job = losslessJob(src, "mp4", 0.5, 3.0);
    Report report2;
    ASSERT_EQ(convert(src, out("tracks.mp4"), *job, report2), 2);
    p = probeFile(out("tracks.mp4"));
    EXPECT_EQ(p.count("audio"), 2);
    ASSERT_EQ(p.count("subtitle"), 1);
    EXPECT_EQ(p.first("subtitle")->codec, "mov_text");
    EXPECT_EQ(decodeErrors(out("tracks.mp4")), "");
}

TEST_F(CopyConversionTest, ContainerThatRefusesSubtitlesSucceedsOnTheRetry)
{
    // AVI cannot hold SubRip: the first open fails and the converter tries
    // again without the subtitle set.
    const QString src = fixture("two_audio_subs.mkv");
    auto job = losslessJob(src, "avi", 0.5, 2.0, false);
    ASSERT_TRUE(job);
    ASSERT_GE(job->editConfig.streamChoice.subtlType, 0);
    Report report;
    ASSERT_EQ(convert(src, out("retry.avi"), *job, report), 2);
    const Probe p = probeFile(out("retry.avi"));
    EXPECT_EQ(p.count("video"), 1);
    EXPECT_EQ(p.count("subtitle"), 0);
    EXPECT_EQ(decodeErrors(out("retry.avi")), "");
}

TEST_F(CopyConversionTest, RotationChaptersAndCoverSurvive)
{
    QString src = fixture("rotated.mp4");
    auto job = losslessJob(src, "mp4", 0.5, 1.5);
    Report report;
    ASSERT_EQ(convert(src, out("rotated.mp4"), *job, report), 2);
    const Probe rotated = probeFile(out("rotated.mp4"));
    ASSERT_NE(rotated.first("video"), nullptr);
    EXPECT_EQ(std::abs(rotated.first("video")->rotation), 90);

    src = fixture("chapters_cover.mp4");
    job = losslessJob(src, "mp4", 1.5, 3.0);
    Report report2;
    ASSERT_EQ(convert(src, out("chapters.mp4"), *job, report2), 2);
    const QJsonObject chapters = testsupport::ffprobeJson(out("chapters.mp4"), {"-show_chapters"});
    const QJsonArray list = chapters["chapters"].toArray();
    // Chapters 0-2, 2-4, 4-6 cut to 1.5-4.5 become 0-0.5, 0.5-2.5, 2.5-3.
    ASSERT_EQ(list.size(), 3);
    EXPECT_NEAR(list[1].toObject()["start_time"].toString().toDouble(), 0.5, 0.01);
    EXPECT_NEAR(list[2].toObject()["end_time"].toString().toDouble(), 3.0, 0.01);
    bool cover = false;
    for (const ProbedStream &s : probeFile(out("chapters.mp4")).streams)
        cover = cover || s.attachedPic;
    EXPECT_TRUE(cover);
    // The reader finds nothing to complain about (a chapter track copied as
    // data once left a dangling track reference).
    const auto probe = testsupport::runProcess("ffprobe", {"-v", "error", out("chapters.mp4")});
    EXPECT_EQ(QString::fromUtf8(probe.err).trimmed(), "");
    EXPECT_EQ(decodeErrors(out("chapters.mp4")), "");
}

TEST_F(CopyConversionTest, MergedRangesJoinWithoutGapsOrBackwardTimes)
{
    const QString src = fixture("long_h264_aac.mp4");
    const double ranges[][2] = {{1.3, 3.0}, {7.5, 2.2}, {12.1, 4.0}};
    for (const QString &container : {QString("mp4"), QString("matroska")}) {
        SCOPED_TRACE(container.toStdString());
        const QString dst = out("merged." + container);
        CAVConverter converter;
        auto first = losslessJob(src, container, ranges[0][0], ranges[0][1]);
        ASSERT_TRUE(converter.OpenMerger(dst.toUtf8().constData(), *first));
        double expected = 0;
        for (int i = 0; i < 3; ++i) {
            auto job = losslessJob(src, container, ranges[i][0], ranges[i][1]);
            Report report;
            ASSERT_TRUE(converter.AddMergeSegment(src.toUtf8().constData(), *job, &report, &record));
            ASSERT_TRUE(waitFor([&] { return report.state.load() != 0; }));
            ASSERT_EQ(report.state.load(), 2);
            expected += ranges[i][1];
            if (i > 0 || container != "mp4")
                expected += leadIn(src, ranges[i][0]);
        }
        converter.StopMerger(false);
        ASSERT_TRUE(converter.mergedFileComplete());
        const Probe p = probeFile(dst);
        ASSERT_TRUE(p.ok);
        // Each join may carry the frames the range's last frames depend on.
        EXPECT_GE(p.duration, expected - 2 * kFrame);
        EXPECT_LE(p.duration, expected + 8 * kFrame);
        QString where;
        EXPECT_TRUE(dtsStrictlyIncreasing(dst, &where)) << where.toStdString();
        EXPECT_EQ(decodeErrors(dst), "");
    }
}

TEST_F(CopyConversionTest, BadSourcesFailCleanly)
{
    auto job = losslessJob(fixture("h264_aac.mp4"), "mp4", 0, 1.0);
    ASSERT_TRUE(job);
    for (const QString &name : {QString("not_media.mp4"), QString("truncated_noindex.mp4"), QString("missing.mp4")}) {
        SCOPED_TRACE(name.toStdString());
        const QString dst = out("bad_" + name);
        CAVConverter converter;
        Report report;
        EXPECT_FALSE(converter.StartConvert((testsupport::fixtureDir() + "/" + name).toUtf8().constData(),
                                            dst.toUtf8().constData(), *job, &report, &record, false));
        EXPECT_FALSE(QFile::exists(dst));
        converter.StopConvert(); // idle: nothing happens, nothing hangs
    }
    // An output folder that cannot exist.
    QFile blocker(out("blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    CAVConverter converter;
    Report report;
    EXPECT_FALSE(converter.StartConvert(fixture("h264_aac.mp4").toUtf8().constData(),
                                        (out("blocker") + "/x.mp4").toUtf8().constData(), *job, &report, &record,
                                        false));
}

TEST_F(CopyConversionTest, AttachmentsRideAlongWhereTheContainerTakesThem)
{
    const QString src = fixture("attachment.mkv");
    auto job = losslessJob(src, "matroska", 0.5, 1.5);
    ASSERT_TRUE(job);
    Report kept;
    ASSERT_EQ(convert(src, out("attached.mkv"), *job, kept), 2);
    int attachments = 0;
    for (const ProbedStream &s : probeFile(out("attached.mkv")).streams)
        attachments += s.type == "attachment";
    EXPECT_EQ(attachments, 1);

    // MP4 has no place for it: left out, never a reason to fail.
    job = losslessJob(src, "mp4", 0.5, 1.5);
    Report dropped;
    ASSERT_EQ(convert(src, out("attached.mp4"), *job, dropped), 2);
    const Probe p = probeFile(out("attached.mp4"));
    EXPECT_EQ(p.streams.size(), 2);
    EXPECT_EQ(decodeErrors(out("attached.mp4")), "");
}

TEST_F(CopyConversionTest, FinishedAudioFilesGetTheItemsTags)
{
    const QString src = fixture("tone.mp3");
    auto job = losslessJob(src, "mp3", 0.5, 2.0);
    ASSERT_TRUE(job);
    job->editConfig.tags.title = "Cut Title";
    job->editConfig.tags.artist = "Ünïcode Artist";
    job->editConfig.tags.track = "3/12";
    Report report;
    const QString dst = out("tagged.mp3");
    ASSERT_EQ(convert(src, dst, *job, report), 2);
    // mutagen reads what the tag writer put there.
    const auto r = testsupport::runProcess(
        "/usr/bin/python3",
        {"-c", "import sys, mutagen.id3 as m; t = m.ID3(sys.argv[1]); "
               "print(t['TIT2'].text[0]); print(t['TPE1'].text[0]); print(t['TRCK'].text[0])",
         dst});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(QString::fromUtf8(r.out).split('\n').mid(0, 3),
              (QStringList{"Cut Title", QString::fromUtf8("Ünïcode Artist"), "3/12"}));
    EXPECT_EQ(decodeErrors(dst), "");
}

TEST_F(CopyConversionTest, TransportStreamIntoMp4KeepsExactStartAndSound)
{
    // Annex-B video and ADTS audio must be rewrapped for MP4; the seek in a
    // transport stream lands by byte position, so the key frame search may
    // have to look further back.
    const QString src = fixture("two_programs.ts");
    auto job = losslessJob(src, "mp4", 2.3, 1.5);
    ASSERT_TRUE(job);
    Report report;
    const QString dst = out("from_ts.mp4");
    ASSERT_EQ(convert(src, dst, *job, report), 2);
    const Probe p = probeFile(dst);
    ASSERT_TRUE(p.ok);
    ASSERT_EQ(p.count("video"), 1);
    ASSERT_EQ(p.count("audio"), 1);
    EXPECT_NEAR(p.duration, 1.5, 0.05);
    const QVector<double> frames = probeFrameTimes(dst);
    ASSERT_FALSE(frames.isEmpty());
    EXPECT_NEAR(frames.first(), 0.0, kFrame);
    EXPECT_EQ(decodeErrors(dst), "");
}

TEST_F(CopyConversionTest, SubtitlesAreCutAndShiftedWithTheRange)
{
    // Cues at 0.5-2.0 and 2.5-4.0 (plus the file's 23 ms offset). The range
    // 1.1-3.6 starts at the key frame 1.0: the first cue shows from there
    // until its end, the second is cut at the range's end.
    const QString src = fixture("two_audio_subs.mkv");
    auto job = losslessJob(src, "matroska", 1.1, 2.5);
    ASSERT_TRUE(job);
    Report report;
    const QString dst = out("subs_cut.mkv");
    ASSERT_EQ(convert(src, dst, *job, report), 2);
    const Probe p = probeFile(dst);
    const ProbedStream *subs = p.first("subtitle");
    ASSERT_NE(subs, nullptr);
    const double zero = p.first("video")->startTime; // where the key frame landed
    const double lead = leadIn(src, 1.1);
    const QVector<ProbedPacket> cues = probePackets(dst, subs->index);
    ASSERT_EQ(cues.size(), 2);
    EXPECT_NEAR(cues[0].pts - zero, 0.0, 0.01);
    EXPECT_NEAR(cues[0].pts + cues[0].duration - zero, 1.0, 0.01);
    EXPECT_NEAR(cues[1].pts - zero, 1.5, 0.01);
    EXPECT_NEAR(cues[1].pts + cues[1].duration - zero, 2.5 + lead, 0.01);
}

TEST_F(CopyConversionTest, RangesOutsideTheFileAndMismatchedMergesFail)
{
    const QString src = fixture("h264_aac.mp4");
    // A range that starts after the end: refused, no file left behind.
    auto late = losslessJob(src, "mp4", 30.0, 2.0);
    ASSERT_TRUE(late);
    Report report;
    const QString dst = out("late.mp4");
    const int state = convert(src, dst, *late, report);
    EXPECT_NE(state, 2);
    if (state == 4) // started, then failed: the manager removes the file
        QFile::remove(dst);

    // Ranges of a differently sized source cannot join a copied merge.
    CAVConverter merger;
    auto first = losslessJob(src, "matroska", 0.0, 1.0);
    const QString merged = out("mismatch.mkv");
    ASSERT_TRUE(merger.OpenMerger(merged.toUtf8().constData(), *first));
    Report r1;
    ASSERT_TRUE(merger.AddMergeSegment(src.toUtf8().constData(), *first, &r1, &record));
    ASSERT_TRUE(waitFor([&] { return r1.state.load() != 0; }));
    ASSERT_EQ(r1.state.load(), 2);
    // Another codec cannot join; the retries must not start the merged
    // file over and lose the range already in it.
    const QString other = fixture("plain.webm");
    auto second = losslessJob(other, "matroska", 0.0, 1.0);
    Report r2;
    EXPECT_FALSE(merger.AddMergeSegment(other.toUtf8().constData(), *second, &r2, &record));
    EXPECT_FALSE(merger.lastError().empty());
    merger.StopMerger(false);
    const Probe p = probeFile(merged);
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.first("video")->codec, "h264");
    EXPECT_NEAR(p.duration, 1.0, 0.1);
    EXPECT_EQ(decodeErrors(merged), "");
}

TEST_F(CopyConversionTest, Mp4ThatRefusesAStreamIsRetriedAsQuickTime)
{
    // MP4 takes no PCM sound; QuickTime does: the last fall-back writes
    // the file as "mov", and the name follows the container.
    const QString src = fixture("tone.wav");
    auto job = losslessJob(src, "mp4", 0.5, 2.0);
    ASSERT_TRUE(job);
    Report report;
    ASSERT_EQ(convert(src, out("pcm.mp4"), *job, report), 2);
    EXPECT_FALSE(QFile::exists(out("pcm.mp4")));
    const QString dst = out("pcm.mov");
    const QJsonObject probe = testsupport::ffprobeJson(dst);
    EXPECT_EQ(probe["format"].toObject()["format_name"].toString(), "mov,mp4,m4a,3gp,3g2,mj2");
    EXPECT_EQ(probe["format"].toObject()["tags"].toObject()["major_brand"].toString(), "qt  ");
    const Probe p = probeFile(dst);
    ASSERT_NE(p.first("audio"), nullptr);
    EXPECT_TRUE(p.first("audio")->codec.startsWith("pcm_"));
    EXPECT_NEAR(p.duration, 2.0, 0.05);
}

TEST_F(CopyConversionTest, AsynchronousStartReportsStartingThenFinished)
{
    const QString src = fixture("h264_aac.mp4");
    auto job = losslessJob(src, "matroska", 1.0, 2.0);
    ASSERT_TRUE(job);
    struct States {
        std::mutex mutex;
        std::vector<int> seen; // guarded by mutex
    } states;
    auto cb = [](int32_t, void *ctx, int32_t state) {
        auto *s = static_cast<States *>(ctx);
        std::lock_guard<std::mutex> lock(s->mutex);
        if (state != 5)
            s->seen.push_back(state);
    };
    CAVConverter converter;
    const QString dst = out("async.mkv");
    ASSERT_TRUE(converter.StartConvert(src.toUtf8().constData(), dst.toUtf8().constData(), *job, &states, cb, true));
    ASSERT_TRUE(waitFor([&] {
        std::lock_guard<std::mutex> lock(states.mutex);
        return states.seen.size() >= 2;
    }));
    {
        std::lock_guard<std::mutex> lock(states.mutex);
        EXPECT_EQ(states.seen, (std::vector<int>{3, 2}));
    }
    EXPECT_NEAR(probeFile(dst).duration, 2.0, 1.1);

    // An asynchronous start of something that cannot open reports 4.
    CAVConverter failing;
    States failed;
    ASSERT_TRUE(failing.StartConvert((testsupport::fixtureDir() + "/not_media.mp4").toUtf8().constData(),
                                     out("never.mkv").toUtf8().constData(), *job, &failed, cb, true));
    ASSERT_TRUE(waitFor([&] {
        std::lock_guard<std::mutex> lock(failed.mutex);
        return failed.seen.size() >= 2;
    }));
    std::lock_guard<std::mutex> lock(failed.mutex);
    EXPECT_EQ(failed.seen, (std::vector<int>{3, 4}));
    EXPECT_FALSE(QFile::exists(out("never.mkv")));
}

TEST_F(CopyConversionTest, MergeRefusesARangeWhosePicturesAreFramedDifferently)
{
    // The same pictures once from MP4 (length-prefixed) and once from a
    // transport stream (start codes): the muxer's conversion is set up for
    // the first form, so the second is refused instead of breaking the file.
    CAVConverter merger;
    const QString mp4 = fixture("long_h264_aac.mp4");
    const QString ts = fixture("long_h264_aac.ts");
    auto first = losslessJob(mp4, "mpegts", 1.0, 1.0);
    ASSERT_TRUE(first);
    const QString merged = out("framing.ts");
    ASSERT_TRUE(merger.OpenMerger(merged.toUtf8().constData(), *first));
    Report r1;
    ASSERT_TRUE(merger.AddMergeSegment(mp4.toUtf8().constData(), *first, &r1, &record));
    ASSERT_TRUE(waitFor([&] { return r1.state.load() != 0; }));
    ASSERT_EQ(r1.state.load(), 2);
    auto second = losslessJob(ts, "mpegts", 3.0, 1.0);
    Report r2;
    EXPECT_FALSE(merger.AddMergeSegment(ts.toUtf8().constData(), *second, &r2, &record));
    merger.StopMerger(false);
    EXPECT_EQ(decodeErrors(merged), "");
}

TEST_F(CopyConversionTest, FrameExactChoiceReachesTheEngineAndIsReported)
{
    // 5.0 s to 8.0 s of a file with key frames near 3.2 s and 10.4 s: a
    // key-frame cut starts 1.8 s early; a frame-exact one has exactly the
    // range's pictures: they sit 23 ms past each 40 ms step, so the one
    // showing at 5.0 s begins at 4.983 s and the last at 7.983 s: 76.
    const QString src = fixture("gop_h264.mkv");
    for (bool exact : {true, false}) {
        SCOPED_TRACE(exact ? "frame-exact" : "key frames");
        auto job = losslessJob(src, "matroska", 5.0, 3.0, true, exact);
        ASSERT_TRUE(job);
        EXPECT_EQ(job->frameExactCut, exact);
        Report report;
        const QString dst = out(exact ? "exact.mkv" : "keys.mkv");
        CAVConverter converter;
        ASSERT_TRUE(converter.StartConvert(src.toUtf8().constData(), dst.toUtf8().constData(), *job, &report,
                                           &record, false));
        ASSERT_TRUE(waitFor([&] { return report.state.load() != 0; }));
        ASSERT_EQ(report.state.load(), 2);
        const QJsonObject probe = testsupport::ffprobeJson(dst, {"-show_streams", "-count_frames", "-select_streams", "v"});
        const int pictures = probe["streams"].toArray()[0].toObject()["nb_read_frames"].toString().toInt();
        if (exact) {
            EXPECT_EQ(pictures, 76);
            EXPECT_TRUE(QString::fromStdString(converter.cutReport()).startsWith("frame-exact: "));
        } else {
            EXPECT_GE(pictures, 120); // from the key frame at 3.2 s
            EXPECT_EQ(converter.cutReport(), "");
        }
        EXPECT_EQ(decodeErrors(dst), "");
    }
    // Encoding never asks for it, whatever the stored choice.
    VoVideoConvertItem item;
    ASSERT_TRUE(item.open(src));
    OutputFormatParams params;
    params.lossless = false;
    params.container = "mp4";
    params.frameExactCut = true;
    std::unique_ptr<ConvertJob> job(item.assembleConvertJob(params));
    EXPECT_FALSE(job->frameExactCut);
}
