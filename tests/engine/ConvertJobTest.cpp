// Assembling a conversion job from an opened item and the output
// parameters, and the engine's view of the item's stream choice.
#include "ConvertJob.h"
#include "OutputFormatParams.h"
#include "TestSupport.h"
#include "VoVideoConvertItem.h"

#include <gtest/gtest.h>

#include <memory>

using testsupport::fixture;

namespace {

OutputFormatParams encodingParams()
{
    OutputFormatParams p;
    p.container = "MP4";
    p.extension = "mp4";
    p.videoCodec = "H264";
    p.videoCodecId = 28;
    p.audioCodec = "AAC";
    p.audioCodecId = 86018;
    p.quality = 90;
    p.videoBitrate = 2000;
    p.audioBitrate = 128;
    p.frameRateNum = 30000;
    p.frameRateDen = 1001;
    return p;
}

} // namespace

TEST(ConvertJob, EncodingJobTakesTheParametersAndTheItemsRange)
{
    VoVideoConvertItem item;
    ASSERT_TRUE(item.open(fixture("h264_aac.mp4")));
    item.m_TrimStartTime = 1000000;
    item.m_TrimEndTime = 3500000;
    item.m_editConfig.tags.title = "Kept";
    const OutputFormatParams p = encodingParams();
    std::unique_ptr<ConvertJob> job(item.assembleConvertJob(p));
    EXPECT_EQ(job->formatName, "mp4"); // lower-cased
    EXPECT_EQ(job->videoCodecId, 28);
    // 0 x 0 keeps the source size.
    EXPECT_EQ(job->width, 320);
    EXPECT_EQ(job->height, 240);
    EXPECT_EQ(job->frameRateX100, 0);
    EXPECT_EQ(job->frameRateNum, 30000);
    EXPECT_EQ(job->frameRateDen, 1001);
    EXPECT_EQ(job->videoQuality, 90u);
    EXPECT_EQ(job->audioQuality, 90u);
    EXPECT_EQ(job->audioBitrate, 128u);
    EXPECT_EQ(job->rangeStart, 1000000u);
    EXPECT_EQ(job->rangeEnd, 3500000u);
    EXPECT_EQ(job->rangeLength, 2500000u);
    EXPECT_FALSE(job->lossless);
    EXPECT_EQ(job->editConfig.tags.title, "Kept");

    // An end of 0 reaches the end of the file: no length.
    item.m_TrimEndTime = 0;
    job.reset(item.assembleConvertJob(p));
    EXPECT_EQ(job->rangeLength, 0u);
    // An end before the start never wraps around into a huge length.
    item.m_TrimStartTime = 4000000;
    item.m_TrimEndTime = 2000000;
    job.reset(item.assembleConvertJob(p));
    EXPECT_EQ(job->rangeLength, 0u);
}

TEST(ConvertJob, AudioOnlyOggAndOriginalRules)
{
    VoVideoConvertItem item;
    ASSERT_TRUE(item.open(fixture("h264_aac.mp4")));
    OutputFormatParams p = encodingParams();
    p.audioOnly = true;
    p.width = 1280;
    p.height = 720;
    std::unique_ptr<ConvertJob> job(item.assembleConvertJob(p));
    EXPECT_EQ(job->videoCodecId, -1);
    EXPECT_EQ(job->width, 0);
    EXPECT_EQ(job->height, 0);

    // Vorbis below 32 kHz is capped at 160 kbit/s; other codecs are not.
    p.audioCodec = "OGG";
    p.sampleRate = 22050;
    p.audioBitrate = 192;
    job.reset(item.assembleConvertJob(p));
    EXPECT_EQ(job->audioBitrate, 160u);
    p.sampleRate = 44100;
    job.reset(item.assembleConvertJob(p));
    EXPECT_EQ(job->audioBitrate, 192u);
    p.audioCodec = "MP3";
    p.sampleRate = 22050;
    job.reset(item.assembleConvertJob(p));
    EXPECT_EQ(job->audioBitrate, 192u);

    // The lossless "Original" keeps the source's container.
    OutputFormatParams original;
    original.lossless = true;
    original.container = "Original";
    job.reset(item.assembleConvertJob(original));
    EXPECT_EQ(job->formatName, item.m_sourceFormat.toStdString());
    EXPECT_EQ(job->formatName, "mp4");
    EXPECT_TRUE(job->lossless);
}

TEST(ConvertJob, EngineChoiceFollowsTheSelectedTracks)
{
    VEEditConfig c;
    c.audioTracks.resize(3);
    c.subtitleTracks.resize(3);
    EngineStreamChoice none = engineStreamChoice(c);
    EXPECT_EQ(none.audioIndex, -1);
    EXPECT_EQ(none.subtitleIndex, -1);
    EXPECT_EQ(none.audioMask, 0u);

    c.audioTracks[1].selected = true;
    c.audioTracks[2].selected = true;
    c.subtitleTracks[0].selected = true;
    c.subtitleTracks[0].info.codecTag = kClosedCaptionTag;
    c.subtitleTracks[2].selected = true;
    const EngineStreamChoice e = engineStreamChoice(c);
    EXPECT_EQ(e.audioIndex, 1);
    EXPECT_EQ(e.audioMask, 0b110u);
    EXPECT_EQ(e.subtitleIndex, 0);
    EXPECT_TRUE(e.firstSubtitleIsClosedCaption);
    // Closed captions are no stream to copy, except into QuickTime.
    EXPECT_EQ(e.subtitleMask, 0b100u);
    c.m_fileFormat = "mov";
    EXPECT_EQ(engineStreamChoice(c).subtitleMask, 0b101u);

    // The engine's choice and the item's own indexes agree.
    VoVideoConvertItem item;
    ASSERT_TRUE(item.open(fixture("two_audio_subs.mkv")));
    OutputFormatParams lossless;
    lossless.lossless = true;
    lossless.container = "Original";
    item.applyOutputFormat(lossless);
    const EngineStreamChoice fromItem = engineStreamChoice(item.m_editConfig);
    EXPECT_EQ(fromItem.audioIndex, item.audioIndex());
    EXPECT_EQ(fromItem.audioMask, item.losslessAudioMask());
    EXPECT_EQ(fromItem.subtitleIndex, item.subtitleIndex());
    EXPECT_EQ(fromItem.subtitleMask, item.losslessSubtitleMask());
    EXPECT_EQ(fromItem.audioMask, 0b11u);
}
