// What an encoding leaves out of a source, with and without the work's
// track plan, and the plan reaching only the segments of its own source.
#include "ConversionRun.h"
#include "OutputFormatParams.h"
#include "SourceTracks.h"
#include "TestSupport.h"
#include "TracksLeftOut.h"
#include "VoVideoConvertItem.h"

#include <gtest/gtest.h>

using testsupport::fixture;

namespace {

// The notes for a run of one segment of item's source cut with plan.
QStringList notesFor(const VoVideoConvertItem &item, const TrackPlan &plan)
{
    ConversionRun run;
    ConversionSegment segment;
    segment.sourcePath = item.m_videoPath;
    run.segments << segment;
    applyTrackPlan(run, plan);
    return tracksLeftOutNotes({&item}, run);
}

} // namespace

TEST(TracksLeftOut, TheWorksPlanSaysWhatAnEncodingLeavesOut)
{
    const QString src = fixture("three_audio_two_subs.mkv");
    VoVideoConvertItem item;
    ASSERT_TRUE(item.open(src));
    QList<SourceTrack> tracks;
    QString error;
    ASSERT_TRUE(listSourceTracks(src, tracks, error)) << error.toStdString();
    TrackPlan plan = trackPlanOf(src, tracks);
    ASSERT_EQ(plan.entries.size(), 6u);

    const QStringList before = notesFor(item, TrackPlan());
    ASSERT_EQ(before.size(), 1);

    // Only the picture and one sound kept: nothing is left out.
    for (TrackPlanEntry &e : plan.entries)
        e.keep = e.stream <= 1;
    EXPECT_TRUE(notesFor(item, plan).isEmpty());

    // Two sounds and the French subtitles kept: the second sound kept and
    // the subtitles are named.
    for (TrackPlanEntry &e : plan.entries)
        e.keep = e.stream != 2 && e.stream != 4;
    std::swap(plan.entries[1], plan.entries[3]); // 48 kHz before 44.1 kHz
    const QStringList notes = notesFor(item, plan);
    ASSERT_EQ(notes.size(), 1);
    EXPECT_TRUE(notes[0].endsWith("left out: #1 (eng, Main), #5 (fre)")) << notes[0].toStdString();

    // Into Matroska with a picture every kept sound is encoded: only the
    // subtitles are named. A sound-only format keeps the first sound alone.
    OutputFormatParams &format = OutputFormatParams::instance();
    const OutputFormatParams saved = format;
    format.audioOnly = false;
    format.container = QStringLiteral("matroska");
    format.videoCodecId = 28;
    QStringList several = notesFor(item, plan);
    ASSERT_EQ(several.size(), 1);
    EXPECT_TRUE(several[0].contains("up to 8 sound tracks")) << several[0].toStdString();
    EXPECT_TRUE(several[0].endsWith("left out: #5 (fre)")) << several[0].toStdString();
    format.audioOnly = true;
    format.container = QStringLiteral("adts");
    format.videoCodecId = -1;
    several = notesFor(item, plan);
    ASSERT_EQ(several.size(), 1);
    EXPECT_TRUE(several[0].endsWith("left out: #1 (eng, Main), #5 (fre)")) << several[0].toStdString();
    format = saved;

    // A run takes the plan for the segments of its source only.
    ConversionRun run;
    ConversionSegment mine, other;
    mine.sourcePath = src;
    other.sourcePath = fixture("h264_aac.mp4");
    run.segments << mine << other;
    applyTrackPlan(run, plan);
    EXPECT_EQ(run.segments[0].job.trackPlan, plan);
    EXPECT_TRUE(run.segments[1].job.trackPlan.isEmpty());
    // The note of a source reads the plan of its own segments in the run,
    // not another source's.
    VoVideoConvertItem other_item;
    ASSERT_TRUE(other_item.open(other.sourcePath));
    const QStringList both = tracksLeftOutNotes({&item, &other_item}, run);
    ASSERT_FALSE(both.isEmpty());
    EXPECT_TRUE(both[0].endsWith("left out: #1 (eng, Main), #5 (fre)")) << both[0].toStdString();
}
