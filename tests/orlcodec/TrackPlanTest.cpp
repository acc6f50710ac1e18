// The track plan of an output: the streams kept, their order, languages,
// titles and flags, and shifted timing, judged by ffprobe on what a copy
// and an encode write.
#include "TestSupport.h"
#include "orlcodec_tracks.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <vector>

using testsupport::ffprobeJson;
using testsupport::fixture;

namespace {

// Streams of three_audio_two_subs.mkv: 0 video, 1 sound 44.1 kHz "eng"
// titled "Main" (default), 2 sound 32 kHz, 3 sound 48 kHz "ger", 4 and 5
// subtitles "eng" and "fre".
orl_track_entry entry(int stream, const char *language = nullptr, const char *title = nullptr, int flags = -1,
                      int64_t shift_ms = 0)
{
    return orl_track_entry{stream, language, title, flags, shift_ms * 1000};
}

struct Result {
    bool opened = false;
    bool finished = false;
    QString error;
};

Result convert(const QString &src, const QString &dst, const char *format, const std::vector<orl_track_entry> &plan,
               bool encode = false)
{
    Result r;
    ORL_HANDLE c = encode ? Conv_CreateTranscode(-1) : Conv_CreateCopy(-1);
    ORL_HANDLE p = Param_Create();
    if (encode) {
        Param_SetEncodeVideo(p, 1);
        Param_SetEncodeAudio(p, 1);
        Param_SetVideoCodec(p, 28);    // H.264
        Param_SetAudioCodec(p, 86018); // AAC
    }
    EXPECT_EQ(Param_SetTrackPlan(p, plan.data(), static_cast<int>(plan.size())), 1);
    r.opened = Conv_Open(c, src.toUtf8().constData(), dst.toUtf8().constData(), format, p) == 1;
    if (r.opened && Conv_Start(c) == 1)
        r.finished = testsupport::waitForDone([c] { return Conv_IsFinished(c) == 1; }, "the conversion")
            && Conv_IsAborted(c) == 0;
    r.error = QString::fromUtf8(Engine_GetLastError(c));
    Param_Release(p);
    Conv_Close(c);
    Conv_Destroy(c);
    return r;
}

QJsonArray streamsOf(const QString &file)
{
    return ffprobeJson(file, {"-show_streams"})["streams"].toArray();
}

// First packet's time and last packet's end of one stream, in seconds.
struct Span {
    double first = 0, end = 0;
};
Span packetSpan(const QString &file, int stream)
{
    const QJsonArray packets = ffprobeJson(file, {"-show_packets", "-select_streams", QString::number(stream)})
                                   ["packets"].toArray();
    Span s;
    if (packets.isEmpty())
        return s;
    s.first = packets.first().toObject()["pts_time"].toString().toDouble();
    for (const QJsonValue &v : packets) {
        const QJsonObject p = v.toObject();
        s.end = std::max(s.end, p["pts_time"].toString().toDouble() + p["duration_time"].toString().toDouble());
    }
    return s;
}

QString tag(const QJsonObject &stream, const char *key)
{
    return stream["tags"].toObject()[key].toString();
}

int disposition(const QJsonObject &stream, const char *key)
{
    return stream["disposition"].toObject()[key].toInt();
}

} // namespace

// Drop the 32 kHz sound, put the 48 kHz one first with a language of its
// own and the default flag, keep both subtitles, and move the 44.1 kHz
// sound 200 ms earlier; copied into Matroska and MP4.
TEST(TrackPlan, CopyKeepsTheChosenStreamsInOrderWithNamesFlagsAndShift)
{
    const QString src = fixture("three_audio_two_subs.mkv");
    QTemporaryDir dir;
    const Span source44 = packetSpan(src, 1), source48 = packetSpan(src, 3);
    for (const char *format : {"matroska", "mp4"}) {
        SCOPED_TRACE(format);
        const bool mkv = QByteArray(format) == "matroska";
        const QString dst = dir.filePath(mkv ? "plan.mkv" : "plan.mp4");
        // MP4 keeps no stream titles: its plan leaves them as they are.
        const std::vector<orl_track_entry> plan{
            entry(5, nullptr, nullptr, 0), entry(3, "spa", mkv ? "Commentary" : nullptr, ORL_TRACK_DEFAULT),
            entry(0), entry(1, nullptr, nullptr, 0, -200), entry(4, nullptr, nullptr, ORL_TRACK_FORCED)};
        const Result r = convert(src, dst, format, plan);
        ASSERT_TRUE(r.opened && r.finished) << r.error.toStdString();

        const QJsonArray streams = streamsOf(dst);
        ASSERT_EQ(streams.size(), 5);
        EXPECT_EQ(streams[0].toObject()["codec_type"].toString(), "video");
        const QJsonObject first = streams[1].toObject(), second = streams[2].toObject();
        EXPECT_EQ(first["sample_rate"].toString(), "48000");
        EXPECT_EQ(second["sample_rate"].toString(), "44100");
        EXPECT_EQ(tag(first, "language"), "spa");
        EXPECT_EQ(tag(second, "language"), "eng");
        EXPECT_EQ(disposition(first, "default"), 1);
        EXPECT_EQ(disposition(second, "default"), 0);
        if (mkv) {
            EXPECT_EQ(tag(first, "title"), "Commentary");
            EXPECT_EQ(tag(second, "title"), "Main");
        }
        // Subtitles in the plan's order: the French one, then the English.
        EXPECT_EQ(tag(streams[3].toObject(), "language"), "fre");
        EXPECT_EQ(tag(streams[4].toObject(), "language"), "eng");
        EXPECT_EQ(disposition(streams[4].toObject(), "forced"), 1);

        // The shifted sound ends 200 ms earlier against the one not shifted
        // (to one frame of it, 1024 samples), and starts at the output's
        // start, its first 200 ms cut off at a frame boundary.
        const Span out44 = packetSpan(dst, 2), out48 = packetSpan(dst, 1);
        const double frame = 1024.0 / 44100;
        EXPECT_NEAR((out44.end - out48.end) - (source44.end - source48.end), -0.2, frame);
        EXPECT_GE(out44.first, -0.001);
        EXPECT_LT(out44.first, frame + 0.001);
    }
}

// A sound moved later leaves a gap at its start: its first packet comes
// 200 ms after where it was against the picture.
TEST(TrackPlan, SoundMovedLaterStartsLater)
{
    const QString src = fixture("three_audio_two_subs.mkv");
    QTemporaryDir dir;
    const QString dst = dir.filePath("later.mkv");
    const Result r = convert(src, dst, "matroska", {entry(0), entry(1, nullptr, nullptr, -1, 200)});
    ASSERT_TRUE(r.opened && r.finished) << r.error.toStdString();
    const Span video = packetSpan(src, 0), sound = packetSpan(src, 1);
    const Span outVideo = packetSpan(dst, 0), outSound = packetSpan(dst, 1);
    EXPECT_NEAR((outSound.first - outVideo.first) - (sound.first - video.first), 0.2, 1024.0 / 44100);
}

// An encode of the same plan writes the picture and the first sound the
// plan names, with that sound's language and flag.
TEST(TrackPlan, EncodeTakesThePlansFirstSound)
{
    const QString src = fixture("three_audio_two_subs.mkv");
    QTemporaryDir dir;
    const QString dst = dir.filePath("encoded.mp4");
    const Result r = convert(src, dst, "mp4",
                             {entry(3, "spa", nullptr, ORL_TRACK_DEFAULT), entry(0), entry(1, nullptr, nullptr, 0)},
                             true);
    ASSERT_TRUE(r.opened && r.finished) << r.error.toStdString();
    const QJsonArray streams = streamsOf(dst);
    ASSERT_EQ(streams.size(), 2);
    EXPECT_EQ(streams[0].toObject()["codec_type"].toString(), "video");
    EXPECT_EQ(tag(streams[1].toObject(), "language"), "spa");
    EXPECT_EQ(disposition(streams[1].toObject(), "default"), 1);
}

// What cannot be done is refused when the conversion opens, with a reason,
// and no file is written.
TEST(TrackPlan, ImpossiblePlansAreRefusedBeforeAnythingIsWritten)
{
    const QString src = fixture("three_audio_two_subs.mkv");
    QTemporaryDir dir;
    struct Case {
        const char *format;
        std::vector<orl_track_entry> plan;
        const char *says;
    };
    const std::vector<Case> cases{
        {"matroska", {entry(0), entry(9)}, "no stream 9"},
        {"matroska", {entry(0), entry(1), entry(1)}, "named twice"},
        {"matroska", {entry(0), entry(1, "english")}, "not a language code"},
        {"matroska", {entry(0, nullptr, nullptr, -1, 100)}, "cannot be shifted"},
        {"mpegts", {entry(0), entry(2, nullptr, nullptr, ORL_TRACK_DEFAULT)}, "cannot mark a default track"},
        {"mp4", {entry(0), entry(1, nullptr, "Director")}, "cannot store a track's title"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.says);
        const QString dst = dir.filePath("refused.out");
        const Result r = convert(src, dst, c.format, c.plan);
        EXPECT_FALSE(r.opened);
        EXPECT_TRUE(r.error.contains(c.says)) << r.error.toStdString();
        EXPECT_FALSE(QFileInfo::exists(dst));
    }
}

// An encode moves the sound before encoding it: the second track of
// offset_pair.mkv (the first one 0.37 s later) shifted by -370 ms lines up
// with the first, shifted by +200 ms comes 0.57 s after it; the output
// lasts as long as the source either way.
TEST(TrackPlan, EncodeShiftsTheSoundBeforeEncoding)
{
    const QString src = fixture("offset_pair.mkv");
    QTemporaryDir dir;
    for (const int shift_ms : {-370, 200}) {
        SCOPED_TRACE(shift_ms);
        const QString dst = dir.filePath(QStringLiteral("shifted%1.mp4").arg(shift_ms));
        const Result r = convert(src, dst, "mp4", {entry(1, nullptr, nullptr, -1, shift_ms)}, true);
        ASSERT_TRUE(r.opened && r.finished) << r.error.toStdString();
        EXPECT_NEAR(ffprobeJson(dst, {"-show_format"})["format"].toObject()["duration"].toString().toDouble(), 8.0,
                    0.05);
        orl_offset_result found{};
        ASSERT_EQ(Tracks_FindOffset(src.toUtf8().constData(), 0, dst.toUtf8().constData(), 0, 0, 0, &found), 1)
            << found.reason;
        EXPECT_NEAR(found.offset_us / 1000.0, 370.0 + shift_ms, 10.0);
    }
}

// Subtitles moved earlier: a line already showing at the output's start is
// kept from the start on (0.5-2.0 s moved by -0.6 s shows 0-1.4 s); the next
// one moves whole (2.5-4.0 s to 1.9-3.4 s).
TEST(TrackPlan, SubtitlesMovedEarlierKeepTheLineShowingAtTheStart)
{
    const QString src = fixture("three_audio_two_subs.mkv");
    QTemporaryDir dir;
    const QString dst = dir.filePath("subs.mkv");
    const Result r = convert(src, dst, "matroska", {entry(0), entry(5, nullptr, nullptr, -1, -600)});
    ASSERT_TRUE(r.opened && r.finished) << r.error.toStdString();
    const QJsonArray packets = ffprobeJson(dst, {"-show_packets", "-select_streams", "1"})["packets"].toArray();
    ASSERT_EQ(packets.size(), 2);
    EXPECT_NEAR(packets[0].toObject()["pts_time"].toString().toDouble(), 0.0, 0.002);
    EXPECT_NEAR(packets[0].toObject()["duration_time"].toString().toDouble(), 1.4, 0.002);
    EXPECT_NEAR(packets[1].toObject()["pts_time"].toString().toDouble(), 1.9, 0.002);
}
