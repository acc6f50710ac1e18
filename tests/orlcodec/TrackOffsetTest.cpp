// The offset between two sound tracks of one event, found by their
// loudness envelopes: fixtures made by the ffmpeg CLI with a known delay.
#include "TestSupport.h"
#include "orlcodec_tracks.h"

#include <QByteArray>
#include <gtest/gtest.h>

using testsupport::fixture;

namespace {

struct Found {
    int ok = 0;
    orl_offset_result r{};
};

Found offsetOf(const QString &a, int sa, const QString &b, int sb)
{
    Found f;
    const QByteArray pa = a.toUtf8(), pb = b.toUtf8();
    f.ok = Tracks_FindOffset(pa.constData(), sa, pb.constData(), sb, 0, 0, &f.r);
    return f;
}

} // namespace

// The second track of offset_pair.mkv is the first delayed by 0.37 s under
// noise of its own; a second file with the same sound undelayed lines up at 0.
TEST(TrackOffset, FindsAKnownDelayEitherWayAndAcrossFiles)
{
    const QString pair = fixture("offset_pair.mkv");
    const Found later = offsetOf(pair, 0, pair, 1);
    ASSERT_EQ(later.ok, 1) << later.r.reason;
    EXPECT_NEAR(later.r.offset_us / 1000.0, 370.0, 10.0);
    EXPECT_GE(later.r.confidence, 0.5);
    EXPECT_STREQ(later.r.reason, "");

    const Found earlier = offsetOf(pair, 1, pair, 0);
    ASSERT_EQ(earlier.ok, 1) << earlier.r.reason;
    EXPECT_NEAR(earlier.r.offset_us / 1000.0, -370.0, 10.0);

    const Found across = offsetOf(pair, 0, fixture("offset_unrelated.mkv"), 0);
    ASSERT_EQ(across.ok, 1) << across.r.reason;
    EXPECT_NEAR(across.r.offset_us / 1000.0, 0.0, 10.0);
}

// Unrelated sounds, a stream that is not sound and a file that is not
// media are refused with a reason.
TEST(TrackOffset, RefusesWhatItCannotTell)
{
    const QString unrelated = fixture("offset_unrelated.mkv");
    const Found apart = offsetOf(unrelated, 0, unrelated, 1);
    EXPECT_EQ(apart.ok, 0) << "offset " << apart.r.offset_us << " confidence " << apart.r.confidence;
    EXPECT_LT(apart.r.confidence, 0.5);
    EXPECT_STRNE(apart.r.reason, "");

    const Found picture = offsetOf(fixture("three_audio_two_subs.mkv"), 0, unrelated, 0);
    EXPECT_EQ(picture.ok, 0);
    EXPECT_NE(QByteArray(picture.r.reason).indexOf("not sound"), -1) << picture.r.reason;

    const Found missing = offsetOf(unrelated, 7, unrelated, 0);
    EXPECT_EQ(missing.ok, 0);
    EXPECT_NE(QByteArray(missing.r.reason).indexOf("no stream 7"), -1) << missing.r.reason;

    const Found notMedia = offsetOf(fixture("not_media.mp4"), 0, unrelated, 0);
    EXPECT_EQ(notMedia.ok, 0);
    EXPECT_STRNE(notMedia.r.reason, "");
}

// The streams of a source as the track plan names them.
TEST(TrackOffset, ListsTheStreamsOfASource)
{
    orl_track_stream s[8];
    char why[256] = "";
    const QByteArray path = fixture("three_audio_two_subs.mkv").toUtf8();
    ASSERT_EQ(Tracks_ListStreams(path.constData(), s, 8, why, sizeof why), 6) << why;
    EXPECT_EQ(s[0].kind, ORL_STREAM_VIDEO);
    EXPECT_EQ(s[0].width, 320);
    EXPECT_EQ(s[1].kind, ORL_STREAM_AUDIO);
    EXPECT_STREQ(s[1].language, "eng");
    EXPECT_STREQ(s[1].title, "Main");
    EXPECT_EQ(s[1].flags, ORL_TRACK_DEFAULT);
    EXPECT_EQ(s[2].sample_rate, 32000);
    EXPECT_EQ(s[5].kind, ORL_STREAM_SUBTITLE);
    EXPECT_STREQ(s[5].language, "fre");
    EXPECT_EQ(Tracks_ListStreams(fixture("not_media.mp4").toUtf8().constData(), s, 8, why, sizeof why), -1);
    EXPECT_STRNE(why, "");
}
