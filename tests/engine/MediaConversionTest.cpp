// The engine's conversion, merge and parameter calls on real files, with
// ffprobe as the judge of what was written.
#include "ConvertJobParams.h"
#include "MediaConversion.h"
#include "OutputFormatParams.h"
#include "TestSupport.h"
#include "VoCancelToken.h"
#include "VoVideoConvertItem.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

using testsupport::fixture;

std::unique_ptr<ConvertJob> copyJob(const QString &file, const QString &container)
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
    item.applyOutputFormat(params);
    return std::unique_ptr<ConvertJob>(item.assembleConvertJob(params));
}

// Waits on the engine's job-end count until ended holds; false after 20 s.
bool waitForEnd(const std::function<bool()> &ended)
{
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        const uint64_t seen = MediaJobs::endCount();
        if (ended())
            return true;
        if (clock.elapsed() > 20000)
            return false;
        MediaJobs::waitForEnd(seen, 100);
    }
}

double probedDuration(const QString &file)
{
    return testsupport::ffprobeJson(file, {"-show_format"})["format"].toObject()["duration"].toString().toDouble();
}

QStringList probedCodecs(const QString &file)
{
    QStringList codecs;
    for (const QJsonValue &stream : testsupport::ffprobeJson(file, {"-show_streams"})["streams"].toArray())
        codecs << stream.toObject()["codec_name"].toString();
    return codecs;
}

} // namespace

TEST(MediaConversionCalls, CopiesTheRangeAskedForAndSaysWhyAnOpenFails)
{
    QTemporaryDir dir;
    const QString src = fixture("h264_aac.mp4"); // 5 s
    const std::unique_ptr<ConvertJob> job = copyJob(src, "mp4");
    ASSERT_TRUE(job);
    const EngineHandle params = createJobParams(*job);
    ASSERT_TRUE(params);

    const EngineHandle refused = EngineHandle::converter(MediaConversion::create(true));
    ASSERT_TRUE(refused);
    EXPECT_FALSE(MediaConversion::open(refused.get(), dir.filePath("missing.mp4").toUtf8().constData(),
                                       dir.filePath("never.mp4").toStdString(), "mp4", params.get()));
    EXPECT_FALSE(MediaJobs::lastError(refused.get()).empty());

    // The first two seconds: start and length kept apart (swapped, the
    // range would run from 2 s to the end and last 3 s).
    const QString out = dir.filePath("range.mp4");
    VoCancelToken token;
    const EngineHandle conv = EngineHandle::converter(MediaConversion::create(true));
    ASSERT_TRUE(conv);
    MediaConversion::setCancel(conv.get(), token);
    ASSERT_TRUE(MediaConversion::open(conv.get(), src.toUtf8().constData(), out.toStdString(), "mp4", params.get()))
        << MediaJobs::lastError(conv.get());
    MediaConversion::setRange(conv.get(), 0, 2000000);
    ASSERT_TRUE(MediaConversion::start(conv.get()));
    ASSERT_TRUE(waitForEnd([&] { return MediaConversion::isFinished(conv.get()); }));
    EXPECT_FALSE(MediaConversion::isAborted(conv.get())) << MediaJobs::lastError(conv.get());
    EXPECT_GT(MediaConversion::total(conv.get()), 0u);
    EXPECT_GT(MediaConversion::position(conv.get()), 1500000u);
    EXPECT_EQ(MediaConversion::sourceEnd(conv.get()), 0u);
    const double duration = probedDuration(out);
    EXPECT_GT(duration, 1.8);
    EXPECT_LT(duration, 2.3);
    EXPECT_EQ(probedCodecs(out), (QStringList{"h264", "aac"}));
}

TEST(MediaConversionCalls, CancelTriggeredBeforeTheOpenIsNotLost)
{
    QTemporaryDir dir;
    const QString src = fixture("gop_h264.mp4"); // 24 s
    const std::unique_ptr<ConvertJob> job = copyJob(src, "mp4");
    ASSERT_TRUE(job);
    const EngineHandle params = createJobParams(*job);
    VoCancelToken token;
    token.trigger();
    const EngineHandle conv = EngineHandle::converter(MediaConversion::create(true));
    MediaConversion::setCancel(conv.get(), token);
    const QString out = dir.filePath("cancelled.mp4");
    if (MediaConversion::open(conv.get(), src.toUtf8().constData(), out.toStdString(), "mp4", params.get())
        && MediaConversion::start(conv.get())) {
        ASSERT_TRUE(waitForEnd([&] { return MediaConversion::isFinished(conv.get()); }));
        EXPECT_TRUE(MediaConversion::isAborted(conv.get()));
    }
    EXPECT_TRUE(token.isTriggered());
}

TEST(MediaMergeCalls, TellsWhichSourcesJoinAndJoinsTwoRanges)
{
    QTemporaryDir dir;
    const QString h264 = fixture("join_params_h264.mp4"); // 2 s each
    const QString hevc = fixture("join_params_hevc.mp4");
    const std::unique_ptr<ConvertJob> job = copyJob(h264, "mp4");
    ASSERT_TRUE(job);
    const EngineHandle params = createJobParams(*job);
    const EngineHandle merger = MediaMerge::create(true);
    ASSERT_TRUE(merger);
    VoCancelToken token;
    MediaMerge::setCancel(merger.get(), token);

    const QString out = dir.filePath("joined.mp4");
    ASSERT_TRUE(MediaMerge::openAndStart(merger.get(), out.toStdString(), "mp4", params.get()))
        << MediaJobs::lastError(merger.get());
    const std::string a = h264.toStdString();
    EXPECT_EQ(MediaMerge::checkSources(merger.get(), {a, a}, params.get()), 1);
    EXPECT_EQ(MediaMerge::checkSources(merger.get(), {a, hevc.toStdString()}, params.get()), 0);
    const char *why = MediaMerge::fitReport(merger.get());
    ASSERT_NE(why, nullptr);
    EXPECT_NE(std::string(why), "");
    EXPECT_EQ(MediaMerge::checkSources(merger.get(), {a, dir.filePath("missing.mp4").toStdString()}, params.get()),
              -1);

    // Nothing was written by the checks: the two ranges are the file.
    for (int range = 0; range < 2; ++range) {
        ASSERT_TRUE(MediaMerge::add(merger.get(), a, 0, 1000000, params.get(), false))
            << MediaJobs::lastError(merger.get());
        ASSERT_TRUE(waitForEnd([&] { return MediaMerge::isDone(merger.get()); }));
        EXPECT_FALSE(MediaMerge::hasError(merger.get())) << MediaJobs::lastError(merger.get());
    }
    EXPECT_TRUE(MediaMerge::finish(merger.get())) << MediaJobs::lastError(merger.get());
    const double duration = probedDuration(out);
    EXPECT_GT(duration, 1.8);
    EXPECT_LT(duration, 2.3);
    EXPECT_EQ(probedCodecs(out), (QStringList{"h264", "aac"}));
}

// What differs is told file by file with the kinds of stream it is in: a
// window decides on them whether encoding the sound alone is enough.
TEST(MediaMergeCalls, NamesTheKindOfStreamThatDiffersFileByFile)
{
    QTemporaryDir dir;
    const std::string first = fixture("h264_aac.mp4").toStdString();       // 320x240, 44.1 kHz
    const std::string otherRate = fixture("join_48k.mp4").toStdString();    // 320x240, 48 kHz
    const std::string otherSize = fixture("look_vui.mp4").toStdString();    // 160x120, 44.1 kHz
    const std::unique_ptr<ConvertJob> job = copyJob(fixture("h264_aac.mp4"), "mp4");
    ASSERT_TRUE(job);
    const EngineHandle params = createJobParams(*job);
    const EngineHandle merger = MediaMerge::create(true);
    ASSERT_TRUE(MediaMerge::openAndStart(merger.get(), dir.filePath("joined.mp4").toStdString(), "mp4", params.get()));

    ASSERT_EQ(MediaMerge::checkSources(merger.get(), {first, otherRate}, params.get()), 0);
    std::vector<MediaMerge::Misfit> misfits = MediaMerge::misfits(merger.get());
    ASSERT_EQ(misfits.size(), 1u);
    EXPECT_EQ(misfits[0].source, otherRate);
    EXPECT_EQ(misfits[0].kinds, MediaMerge::MisfitAudio);
    EXPECT_TRUE(misfits[0].soundOnly());
    EXPECT_EQ(misfits[0].text, "join_48k.mp4: audio 48 kHz, others 44.1 kHz");

    ASSERT_EQ(MediaMerge::checkSources(merger.get(), {first, otherSize}, params.get()), 0);
    misfits = MediaMerge::misfits(merger.get());
    ASSERT_EQ(misfits.size(), 1u);
    EXPECT_EQ(misfits[0].source, otherSize);
    EXPECT_EQ(misfits[0].kinds, MediaMerge::MisfitVideo);
    EXPECT_FALSE(misfits[0].soundOnly());
    EXPECT_EQ(misfits[0].text, "look_vui.mp4: video 160x120, others 320x240");

    // Both at once, each file with its own kinds; the same file again
    // differs in nothing.
    ASSERT_EQ(MediaMerge::checkSources(merger.get(), {first, otherSize, first, otherRate}, params.get()), 0);
    misfits = MediaMerge::misfits(merger.get());
    ASSERT_EQ(misfits.size(), 2u);
    EXPECT_EQ(misfits[0].kinds, MediaMerge::MisfitVideo);
    EXPECT_EQ(misfits[1].kinds, MediaMerge::MisfitAudio);

    // Files that join leave no misfit behind from the check before.
    ASSERT_EQ(MediaMerge::checkSources(merger.get(), {first, first}, params.get()), 1);
    EXPECT_TRUE(MediaMerge::misfits(merger.get()).empty());
}

TEST(LosslessRetry, DropsSubtitlesThenTurnsOnlyTheMp4FamilyIntoQuickTime)
{
    const EngineHandle params = createJobParams(ConvertJob());
    ASSERT_TRUE(params);
    const std::string mp4 = "mp4", mkv = "matroska";
    EXPECT_EQ(prepareLosslessRetry(params.get(), 0, mp4), nullptr);
    EXPECT_STREQ(prepareLosslessRetry(params.get(), 1, mkv), "matroska");
    EXPECT_STREQ(prepareLosslessRetry(params.get(), 2, mkv), "matroska");
    for (const char *family : {"mp4", "m4a", "3gp", "3g2"})
        EXPECT_STREQ(prepareLosslessRetry(params.get(), 3, family), "mov") << family;
    EXPECT_EQ(prepareLosslessRetry(params.get(), 3, mkv), nullptr);
    EXPECT_EQ(prepareLosslessRetry(params.get(), 3, std::string("mov")), nullptr);
    EXPECT_EQ(prepareLosslessRetry(params.get(), 4, mp4), nullptr);
}
