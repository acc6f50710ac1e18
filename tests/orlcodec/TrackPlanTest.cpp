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

#include <cstring>
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

// The sound of one track as the ffmpeg CLI decodes it: mono samples at
// 48 kHz.
struct Sound {
    std::vector<int16_t> samples;
    static constexpr double rate = 48000;

    // Time of the first sample louder than a whisper, in seconds.
    double firstHeard() const
    {
        for (size_t i = 0; i < samples.size(); ++i)
            if (std::abs(samples[i]) > 1000)
                return i / rate;
        return -1;
    }
    // The tone's pitch by its zero crossings over [from, to) seconds.
    double pitch(double from, double to) const
    {
        const size_t a = static_cast<size_t>(from * rate);
        const size_t b = std::min(samples.size(), static_cast<size_t>(to * rate));
        int crossings = 0;
        for (size_t i = a + 1; i < b; ++i)
            crossings += (samples[i - 1] < 0) != (samples[i] < 0);
        return b > a ? crossings / 2.0 / ((b - a) / rate) : 0;
    }
};

Sound decodeSound(const QString &file, int soundIndex)
{
    const testsupport::ProcessResult r = testsupport::runProcess(
        "ffmpeg", {"-v", "error", "-i", file, "-map", QStringLiteral("0:a:%1").arg(soundIndex), "-ac", "1", "-ar",
                   "48000", "-f", "s16le", "-"});
    Sound s;
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    s.samples.resize(static_cast<size_t>(r.out.size()) / 2);
    std::memcpy(s.samples.data(), r.out.constData(), s.samples.size() * 2);
    return s;
}

// Encoding keeps every sound the plan names, in the plan's order: the
// 48 kHz sound first with a language and title of its own, then the
// 44.1 kHz one ("eng", "Main"), then the 32 kHz one moved 300 ms later.
// Each keeps its own rate and tone (880, 440, 660 Hz), its own shift and
// the picture's length; the first is the default.
TEST(TrackPlan, EncodeKeepsEverySoundOfThePlanInOrder)
{
    const QString src = fixture("three_audio_two_subs.mkv");
    QTemporaryDir dir;
    std::vector<double> sourceHeard;
    for (int i = 0; i < 3; ++i)
        sourceHeard.push_back(decodeSound(src, i).firstHeard());
    for (const char *format : {"matroska", "mp4", "mpegts"}) {
        SCOPED_TRACE(format);
        const bool mkv = QByteArray(format) == "matroska", ts = QByteArray(format) == "mpegts";
        const QString dst = dir.filePath(QStringLiteral("encoded.%1").arg(format));
        const Result r = convert(src, dst, format,
                                 {entry(3, "spa", mkv ? "Commentary" : nullptr), entry(0), entry(1),
                                  entry(2, nullptr, nullptr, -1, 300), entry(4)},
                                 true);
        ASSERT_TRUE(r.opened && r.finished) << r.error.toStdString();
        const QJsonArray streams = streamsOf(dst);
        ASSERT_EQ(streams.size(), 4);
        EXPECT_EQ(streams[0].toObject()["codec_type"].toString(), "video");
        const QStringList rates{"48000", "44100", "32000"};
        const QStringList languages{"spa", "eng", ""};
        const double pitches[] = {880, 440, 660};
        const int sourceIndex[] = {2, 0, 1};
        const Span picture = packetSpan(dst, 0);
        for (int i = 0; i < 3; ++i) {
            SCOPED_TRACE(i);
            const QJsonObject st = streams[i + 1].toObject();
            EXPECT_EQ(st["codec_type"].toString(), "audio");
            EXPECT_EQ(st["sample_rate"].toString(), rates[i]);
            EXPECT_EQ(tag(st, "language").replace("und", ""), languages[i]);
            if (!ts) {
                EXPECT_EQ(disposition(st, "default"), i == 0 ? 1 : 0);
            }
            const Span span = packetSpan(dst, i + 1);
            const double frame = 1024.0 / rates[i].toDouble();
            EXPECT_NEAR(span.end - span.first, picture.end - picture.first, frame + 0.001);
            // Heard where the source's track is, moved by its shift (within
            // one frame: the encoder's lead-in, which MP4 hides).
            const Sound sound = decodeSound(dst, i);
            const double heard = sourceHeard[size_t(sourceIndex[i])] + (i == 2 ? 0.3 : 0.0);
            EXPECT_NEAR(sound.pitch(1.0, 3.0), pitches[i], 5.0);
            EXPECT_NEAR(sound.firstHeard(), heard, frame + 0.005);
        }
        if (mkv) {
            EXPECT_EQ(tag(streams[1].toObject(), "title"), "Commentary");
            EXPECT_EQ(tag(streams[2].toObject(), "title"), "Main");
        }
    }
}

// The plan's own default flag wins over the first place; a sound-only
// format keeps the first sound alone.
TEST(TrackPlan, EncodeFollowsThePlansDefaultAndSoundOnlyFormatsKeepOne)
{
    const QString src = fixture("two_audio_subs.mkv");
    QTemporaryDir dir;
    const QString film = dir.filePath("film.mp4");
    const Result r = convert(src, film, "mp4",
                             {entry(0), entry(1, nullptr, nullptr, 0), entry(2, nullptr, nullptr, ORL_TRACK_DEFAULT)},
                             true);
    ASSERT_TRUE(r.opened && r.finished) << r.error.toStdString();
    const QJsonArray streams = streamsOf(film);
    ASSERT_EQ(streams.size(), 3);
    EXPECT_EQ(tag(streams[1].toObject(), "language"), "eng");
    EXPECT_EQ(disposition(streams[1].toObject(), "default"), 0);
    EXPECT_EQ(tag(streams[2].toObject(), "language"), "fre");
    EXPECT_EQ(disposition(streams[2].toObject(), "default"), 1);
    EXPECT_NEAR(decodeSound(film, 1).pitch(1.0, 3.0), 880, 5.0);

    const QString sound = dir.filePath("sound.aac");
    ORL_HANDLE c = Conv_CreateTranscode(-1);
    ORL_HANDLE p = Param_Create();
    Param_SetVideoCodec(p, -1);
    Param_SetEncodeAudio(p, 1);
    Param_SetAudioCodec(p, 86018); // AAC
    const std::vector<orl_track_entry> plan{entry(2), entry(1)};
    ASSERT_EQ(Param_SetTrackPlan(p, plan.data(), 2), 1);
    ASSERT_EQ(Conv_Open(c, src.toUtf8().constData(), sound.toUtf8().constData(), "adts", p), 1)
        << Engine_GetLastError(c);
    ASSERT_EQ(Conv_Start(c), 1) << Engine_GetLastError(c);
    EXPECT_TRUE(testsupport::waitForDone([c] { return Conv_IsFinished(c) == 1; }, "the conversion"));
    EXPECT_EQ(Conv_IsAborted(c), 0) << Engine_GetLastError(c);
    Param_Release(p);
    Conv_Close(c);
    Conv_Destroy(c);
    ASSERT_EQ(streamsOf(sound).size(), 1);
    EXPECT_NEAR(decodeSound(sound, 0).pitch(1.0, 3.0), 880, 5.0);
}

// A merged encode keeps the same sound tracks in every range; a range that
// keeps another number of them fails with the reason.
TEST(TrackPlan, MergedEncodeKeepsTheSameSoundsInEveryRange)
{
    const QByteArray src = fixture("three_audio_two_subs.mkv").toUtf8();
    QTemporaryDir dir;
    const QByteArray dst = dir.filePath("merged.mkv").toUtf8();
    const auto params = [](const std::vector<orl_track_entry> &plan) {
        ORL_HANDLE p = Param_Create();
        Param_SetEncodeVideo(p, 1);
        Param_SetEncodeAudio(p, 1);
        Param_SetVideoCodec(p, 28);    // H.264
        Param_SetAudioCodec(p, 86018); // AAC
        EXPECT_EQ(Param_SetTrackPlan(p, plan.data(), static_cast<int>(plan.size())), 1);
        return p;
    };
    ORL_HANDLE two = params({entry(0), entry(3), entry(1)});
    ORL_HANDLE three = params({entry(0), entry(3), entry(1), entry(2)});
    ORL_HANDLE m = Merge_CreateTranscode(-1);
    ASSERT_EQ(Merge_Open(m, dst.constData(), "matroska", two), 1) << Engine_GetLastError(m);
    ASSERT_EQ(Merge_Start(m), 1);
    for (const uint64_t start : {500000ull, 2500000ull}) {
        ASSERT_EQ(Merge_Add(m, src.constData(), start, 1000000, two), 1) << Engine_GetLastError(m);
        ASSERT_TRUE(testsupport::waitForDone([m] { return Merge_IsDone(m) == 1; }, "a merged range"));
        EXPECT_EQ(Merge_HasError(m), 0) << Engine_GetLastError(m);
    }
    const bool refused = Merge_Add(m, src.constData(), 0, 1000000, three) != 1;
    const std::string why = Engine_GetLastError(m);
    EXPECT_TRUE(refused);
    EXPECT_NE(why.find("sound track"), std::string::npos) << why;
    Merge_Close(m);
    Merge_Destroy(m);

    // The same two ranges again, finished this time.
    m = Merge_CreateTranscode(-1);
    ASSERT_EQ(Merge_Open(m, dst.constData(), "matroska", two), 1) << Engine_GetLastError(m);
    ASSERT_EQ(Merge_Start(m), 1);
    for (const uint64_t start : {500000ull, 2500000ull}) {
        ASSERT_EQ(Merge_Add(m, src.constData(), start, 1000000, two), 1) << Engine_GetLastError(m);
        ASSERT_TRUE(testsupport::waitForDone([m] { return Merge_IsDone(m) == 1; }, "a merged range"));
    }
    EXPECT_EQ(Merge_Finish(m), 1) << Engine_GetLastError(m);
    Merge_Close(m);
    Merge_Destroy(m);
    Param_Release(two);
    Param_Release(three);

    const QJsonArray streams = streamsOf(QString::fromUtf8(dst));
    ASSERT_EQ(streams.size(), 3);
    const Span picture = packetSpan(QString::fromUtf8(dst), 0);
    EXPECT_NEAR(picture.end - picture.first, 2.0, 0.05);
    const double pitches[] = {880, 440};
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        // Within two frames: the encoder's lead-in and the last frame's
        // padding, which Matroska keeps.
        const Span span = packetSpan(QString::fromUtf8(dst), i + 1);
        EXPECT_NEAR(span.end - span.first, picture.end - picture.first, 2 * 1024.0 / 44100 + 0.001);
        const Sound sound = decodeSound(QString::fromUtf8(dst), i);
        EXPECT_NEAR(sound.pitch(0.2, 0.8), pitches[i], 5.0);
        EXPECT_NEAR(sound.pitch(1.2, 1.8), pitches[i], 5.0);
    }
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
