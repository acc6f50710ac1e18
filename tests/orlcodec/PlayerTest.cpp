// Playback against ffprobe's frame list of the same file: every seek and
// step must land on the picture ffprobe places at that time.
#include "TestSupport.h"
#include "orlcodec.h"

#include <QDir>
#include <QImage>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <mutex>
#include <thread>
#include <vector>

using testsupport::fixture;

namespace {

struct ProbedFrame {
    uint64_t us;
    bool key;
};

// Picture times of the first video stream, relative to the file's start.
std::vector<ProbedFrame> probeFrames(const QString &path)
{
    const QJsonObject format = testsupport::ffprobeJson(path, {"-show_format"});
    const double start = format.value("format").toObject().value("start_time").toString().toDouble();
    const QJsonObject o = testsupport::ffprobeJson(
        path, {"-select_streams", "v:0", "-show_entries",
               "frame=best_effort_timestamp_time,key_frame"});
    std::vector<ProbedFrame> frames;
    for (const QJsonValue &v : o.value("frames").toArray()) {
        const QJsonObject f = v.toObject();
        const double t = f.value("best_effort_timestamp_time").toString().toDouble() - start;
        frames.push_back({static_cast<uint64_t>(std::llround(t * 1e6)), f.value("key_frame").toInt() == 1});
    }
    return frames;
}

// The picture whose span [t_i, t_i+1) holds t.
uint64_t frameAt(const std::vector<ProbedFrame> &frames, uint64_t t)
{
    uint64_t found = frames.front().us;
    for (const auto &f : frames)
        if (f.us <= t)
            found = f.us;
    return found;
}

size_t indexOf(const std::vector<ProbedFrame> &frames, uint64_t us)
{
    for (size_t i = 0; i < frames.size(); ++i)
        if (frames[i].us == us)
            return i;
    return frames.size();
}

struct Sink {
    std::mutex mutex;
    int count = 0;
    int width = 0;
    int height = 0;
    QImage last;
    orl_video_sink sink{this, &Sink::deliver};
    static void deliver(void *opaque, int w, int h, int stride, const uint8_t *pixels)
    {
        auto *self = static_cast<Sink *>(opaque);
        std::lock_guard<std::mutex> lock(self->mutex);
        ++self->count;
        self->width = w;
        self->height = h;
        self->last = QImage(pixels, w, h, stride, QImage::Format_RGB32).copy();
    }
    int frames()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return count;
    }
};

class Player {
public:
    explicit Player(const QString &path) : h(Player_OpenFile(path.toUtf8().constData())) {}
    ~Player() { Player_Destroy(h); }
    ORL_HANDLE h;
};

int threadCount()
{
    return QDir("/proc/self/task").entryList(QDir::Dirs | QDir::NoDotAndDotDot).size();
}

void sleepMs(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// Polls cond until it holds or ms pass: waits on what the player does,
// never on how fast this machine is.
bool waitUntil(const std::function<bool()> &cond, int ms = 20000)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!cond()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        sleepMs(5);
    }
    return true;
}

double secondsSince(std::chrono::steady_clock::time_point t0)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

} // namespace

TEST(Player, OpensAndReportsStreamsSizesAndFirstPicture)
{
    const QString path = fixture("h264_aac.mp4");
    Player p(path);
    ASSERT_NE(p.h, 0);
    EXPECT_EQ(Player_HasVideo(p.h), 1);
    EXPECT_EQ(Player_HasAudio(p.h), 1);
    EXPECT_EQ(Player_GetWidth(p.h), 320);
    EXPECT_EQ(Player_GetHeight(p.h), 240);
    const double probed = testsupport::ffprobeJson(path, {"-show_format"})
                              .value("format").toObject().value("duration").toString().toDouble();
    EXPECT_NEAR(Player_GetDuration(p.h) / 1e6, probed, 0.001);
    EXPECT_EQ(Player_AudioOutputFailed(p.h), 0); // the dummy driver opens
    EXPECT_EQ(Player_IsPaused(p.h), 1);
    Sink sink;
    ASSERT_EQ(Player_SetVideoWindow(p.h, &sink.sink), 1);
    EXPECT_EQ(sink.frames(), 1); // the first picture arrives with the sink
    EXPECT_EQ(sink.width, 320);
    EXPECT_EQ(sink.height, 240);
    EXPECT_EQ(Player_GetFrameTime(p.h), 0u);

    const orl_picture *pic = Player_GrabFrame(p.h, 0, 0, ORL_PICTURE_PNG);
    ASSERT_NE(pic, nullptr);
    QImage grabbed;
    ASSERT_TRUE(grabbed.loadFromData(pic->data, pic->size, "PNG"));
    EXPECT_EQ(grabbed.size(), QSize(320, 240));
    Player_ReleaseFrame(p.h, pic);
    Player_SetVideoWindow(p.h, nullptr);
}

TEST(Player, RotatedFileReportsDisplayedSize)
{
    Player p(fixture("rotated.mp4"));
    ASSERT_NE(p.h, 0);
    EXPECT_EQ(Player_GetWidth(p.h), 320);
    EXPECT_EQ(Player_GetHeight(p.h), 240);
    EXPECT_EQ(Player_GetDisplayWidth(p.h), 240);
    EXPECT_EQ(Player_GetDisplayHeight(p.h), 320);
    Sink sink;
    Player_SetVideoWindow(p.h, &sink.sink);
    EXPECT_EQ(sink.width, 240);
    EXPECT_EQ(sink.height, 320);
    Player_SetVideoWindow(p.h, nullptr);
}

TEST(Player, SeekShowsThePictureWhoseSpanHoldsTheTarget)
{
    const QString path = fixture("long_h264_aac.mp4");
    const auto frames = probeFrames(path);
    ASSERT_GT(frames.size(), 400u);
    Player p(path);
    ASSERT_NE(p.h, 0);
    Sink sink;
    Player_SetVideoWindow(p.h, &sink.sink);
    // On a picture, between pictures, on and just before key frames, back
    // again and near the end: every one in file order and out of it.
    const uint64_t targets[] = {2000000, 2019999, 2020000, 1000000, 999999, 13370000,
                                7979999, 40000,   0,       19950000, 19999999, 5555555};
    for (uint64_t t : targets) {
        const int before = sink.frames();
        ASSERT_EQ(Player_Seek(p.h, t), 1) << t;
        EXPECT_EQ(Player_GetFrameTime(p.h), frameAt(frames, t)) << "target " << t;
        EXPECT_EQ(Player_GetPosition(p.h), Player_GetFrameTime(p.h));
        EXPECT_EQ(sink.frames(), before + 1);
    }
    Player_SetVideoWindow(p.h, nullptr);
}

TEST(Player, TenStepsForwardAndBackReturnToTheSamePicture)
{
    const QString path = fixture("long_h264_aac.mp4");
    const auto frames = probeFrames(path);
    Player p(path);
    ASSERT_NE(p.h, 0);
    // Start just before a key frame so the way back crosses a group.
    ASSERT_EQ(Player_Seek(p.h, 3920000), 1);
    const uint64_t start = Player_GetFrameTime(p.h);
    const size_t i0 = indexOf(frames, start);
    ASSERT_LT(i0, frames.size());
    for (int i = 1; i <= 10; ++i) {
        ASSERT_EQ(Player_StepFrame(p.h, 1), 1);
        EXPECT_EQ(Player_GetFrameTime(p.h), frames[i0 + i].us) << "step " << i;
    }
    for (int i = 9; i >= 0; --i) {
        ASSERT_EQ(Player_StepFrame(p.h, -1), 1);
        EXPECT_EQ(Player_GetFrameTime(p.h), frames[i0 + i].us) << "back to " << i;
    }
    EXPECT_EQ(Player_GetFrameTime(p.h), start);
    // Beyond the pictures stepped through, the way back decodes again.
    ASSERT_EQ(Player_StepFrame(p.h, -1), 1);
    EXPECT_EQ(Player_GetFrameTime(p.h), frames[i0 - 1].us);
    ASSERT_EQ(Player_StepFrame(p.h, 1), 1);
    EXPECT_EQ(Player_GetFrameTime(p.h), start);
    // Playing on after steps back starts from the picture shown.
    ASSERT_EQ(Player_StepFrame(p.h, -1), 1);
    ASSERT_EQ(Player_Play(p.h), 1);
    // Paused as soon as a later picture shows: it must be one just after.
    const auto playedOn = [&] { return Player_GetFrameTime(p.h) > frames[i0 - 1].us; };
    for (int waited = 0; !playedOn() && waited < 10000; waited += 2)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    ASSERT_EQ(Player_Pause(p.h), 1);
    EXPECT_GT(Player_GetFrameTime(p.h), frames[i0 - 1].us);
    EXPECT_LT(Player_GetFrameTime(p.h), frames[i0].us + 400000);
}

TEST(Player, KeyFrameStepsLandOnTheNeighbouringKeyFrames)
{
    const QString path = fixture("long_h264_aac.mp4");
    const auto frames = probeFrames(path);
    std::vector<uint64_t> keys;
    for (const auto &f : frames)
        if (f.key)
            keys.push_back(f.us);
    ASSERT_GT(keys.size(), 5u);
    Player p(path);
    ASSERT_NE(p.h, 0);
    ASSERT_EQ(Player_Seek(p.h, 5500000), 1);
    uint64_t cur = Player_GetFrameTime(p.h);
    auto nextKey = [&](uint64_t t) {
        for (uint64_t k : keys)
            if (k > t)
                return k;
        return uint64_t(0);
    };
    auto prevKey = [&](uint64_t t) {
        uint64_t found = 0;
        for (uint64_t k : keys)
            if (k < t)
                found = k;
        return found;
    };
    ASSERT_EQ(Player_StepKeyFrame(p.h, 1), 1);
    EXPECT_EQ(Player_GetFrameTime(p.h), nextKey(cur));
    cur = Player_GetFrameTime(p.h);
    ASSERT_EQ(Player_StepKeyFrame(p.h, -1), 1);
    EXPECT_EQ(Player_GetFrameTime(p.h), prevKey(cur));
    // From a key frame itself the step back goes to the one before.
    cur = Player_GetFrameTime(p.h);
    ASSERT_EQ(Player_StepKeyFrame(p.h, -1), 1);
    EXPECT_EQ(Player_GetFrameTime(p.h), prevKey(cur));
    // Past the last key frame there is none to go to: the picture stays.
    ASSERT_EQ(Player_Seek(p.h, keys.back() + 100000), 1);
    cur = Player_GetFrameTime(p.h);
    EXPECT_EQ(Player_StepKeyFrame(p.h, 1), 0);
    EXPECT_EQ(Player_GetFrameTime(p.h), cur);
}

TEST(Player, SteppingPastEitherEndIsSafe)
{
    const QString path = fixture("h264_aac.mp4");
    const auto frames = probeFrames(path);
    Player p(path);
    ASSERT_NE(p.h, 0);
    EXPECT_EQ(Player_StepFrame(p.h, -1), 0);
    EXPECT_EQ(Player_GetFrameTime(p.h), frames.front().us);
    EXPECT_EQ(Player_StepKeyFrame(p.h, -1), 0);
    ASSERT_EQ(Player_Seek(p.h, Player_GetDuration(p.h) + 1000000), 1);
    EXPECT_EQ(Player_GetFrameTime(p.h), frames.back().us);
    EXPECT_EQ(Player_StepFrame(p.h, 1), 0);
    EXPECT_EQ(Player_StepFrame(p.h, 1), 0);
    EXPECT_EQ(Player_GetFrameTime(p.h), frames.back().us);
    ASSERT_EQ(Player_StepFrame(p.h, -1), 1);
    EXPECT_EQ(Player_GetFrameTime(p.h), frames[frames.size() - 2].us);
}

TEST(Player, InteractiveSeekLandsExactlyAtTheEnd)
{
    const QString path = fixture("long_h264_aac.mp4");
    const auto frames = probeFrames(path);
    Player p(path);
    ASSERT_NE(p.h, 0);
    Sink sink;
    Player_SetVideoWindow(p.h, &sink.sink);
    ASSERT_EQ(Player_BeginAsyncSeek(p.h, 2000000, 0), 1);
    // A drag: many targets faster than they can all be decoded.
    for (uint64_t t = 1000000; t <= 12000000; t += 370000) {
        EXPECT_EQ(Player_Seek(p.h, t), 1);
        sleepMs(3);
    }
    const uint64_t last = 12345678;
    EXPECT_EQ(Player_Seek(p.h, last), 1);
    ASSERT_EQ(Player_EndAsyncSeek(p.h), 1);
    EXPECT_EQ(Player_GetFrameTime(p.h), frameAt(frames, last));
    EXPECT_GT(sink.frames(), 1);
    Player_SetVideoWindow(p.h, nullptr);
}

TEST(Player, PlayFollowsTheClockAndStopReturnsToTheStart)
{
    const QString path = fixture("long_h264_aac.mp4");
    Player p(path);
    ASSERT_NE(p.h, 0);
    Sink sink;
    Player_SetVideoWindow(p.h, &sink.sink);
    const auto t0 = std::chrono::steady_clock::now();
    const uint64_t p0 = Player_GetPosition(p.h);
    ASSERT_EQ(Player_Play(p.h), 1);
    // Playback neither stalls (a second of the file is played, however
    // busy the machine) nor races (the clock never runs ahead of real
    // time). The real rate is measured by bench/run-player (play_rate).
    ASSERT_TRUE(waitUntil([&] { return Player_GetPosition(p.h) >= p0 + 1000000; }));
    const uint64_t p1 = Player_GetPosition(p.h);
    EXPECT_LE((p1 - p0) / 1e6, secondsSince(t0) * 1.05 + 0.1);
    // Pictures keep reaching the sink, and the one shown catches up with
    // the clock.
    const int shown = sink.frames();
    EXPECT_TRUE(waitUntil([&] { return sink.frames() >= shown + 10; }));
    EXPECT_TRUE(waitUntil([&] {
        return std::llabs(int64_t(Player_GetFrameTime(p.h)) - int64_t(Player_GetPosition(p.h))) < 80000;
    }));
    ASSERT_EQ(Player_Pause(p.h), 1);
    const uint64_t paused = Player_GetPosition(p.h);
    EXPECT_FALSE(waitUntil([&] { return Player_GetPosition(p.h) != paused; }, 200)) << "the clock ran on";
    EXPECT_EQ(paused, Player_GetFrameTime(p.h));
    ASSERT_EQ(Player_Stop(p.h), 1);
    EXPECT_EQ(Player_GetFrameTime(p.h), 0u);
    EXPECT_EQ(Player_IsEnded(p.h), 0);
    Player_SetVideoWindow(p.h, nullptr);
}

// The clock waits for a picture only while a due one is still being
// decoded: pictures seconds apart (a slide show, a screen recording) and a
// picture track that ends before the sound hold nothing, the sound plays on.
TEST(Player, SparsePicturesAndAnEarlyVideoEndDoNotHoldTheClock)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // A stated rate of 25 a second, pictures at 0, 0.04, 0.08, 2 and 4 s,
    // sound to 7 s.
    const QString path = dir.filePath("sparse.mkv");
    const testsupport::ProcessResult made = testsupport::runProcess(
        "ffmpeg", {"-v", "error", "-y", "-f", "lavfi", "-i", "testsrc2=size=64x36:rate=25:duration=6", "-f",
                   "lavfi", "-i", "sine=f=440:r=48000:d=7", "-vf", "select='not(mod(n\\,50))+lt(n\\,3)'",
                   "-vsync", "vfr", "-c:v", "libx264", "-preset", "ultrafast", "-c:a", "aac", path});
    ASSERT_EQ(made.exitCode, 0) << made.err.toStdString();
    Player p(path);
    ASSERT_NE(p.h, 0);
    Sink sink;
    Player_SetVideoWindow(p.h, &sink.sink);
    ASSERT_EQ(Player_Play(p.h), 1);
    const auto t0 = std::chrono::steady_clock::now();
    // Pictures seconds apart, then sound alone to the end.
    ASSERT_TRUE(waitUntil([&] { return Player_GetPosition(p.h) >= 5500000; }, 20000));
    EXPECT_GE(sink.frames(), 4);
    // Held for a picture, the clock would have lost a second at each.
    EXPECT_LE(secondsSince(t0), 5.5 / 0.8) << "the clock waited for pictures that were not due";
    EXPECT_TRUE(waitUntil([&] { return Player_IsEnded(p.h) == 1; }, 10000));
}

TEST(Player, PlaybackEndsAndStopClearsTheEnd)
{
    Player p(fixture("h264_aac.mp4"));
    ASSERT_NE(p.h, 0);
    ASSERT_EQ(Player_Seek(p.h, Player_GetDuration(p.h) - 400000), 1);
    ASSERT_EQ(Player_Play(p.h), 1);
    ASSERT_TRUE(waitUntil([&] { return Player_IsEnded(p.h) == 1; }, 5000));
    EXPECT_EQ(Player_IsPaused(p.h), 1);
    ASSERT_EQ(Player_Stop(p.h), 1);
    EXPECT_EQ(Player_IsEnded(p.h), 0);
    EXPECT_EQ(Player_GetPosition(p.h), 0u);
    // Play after the end starts again from the beginning.
    ASSERT_EQ(Player_Seek(p.h, Player_GetDuration(p.h) - 200000), 1);
    ASSERT_EQ(Player_Play(p.h), 1);
    ASSERT_TRUE(waitUntil([&] { return Player_IsEnded(p.h) == 1; }, 5000));
    ASSERT_EQ(Player_Play(p.h), 1);
    ASSERT_TRUE(waitUntil([&] { return Player_IsEnded(p.h) == 0 && Player_GetFrameTime(p.h) > 0; }, 5000));
    EXPECT_LT(Player_GetPosition(p.h), 1000000u);
}

TEST(Player, AudioOnlyFileDeliversSampleBlocks)
{
    Player p(fixture("tone.mp3"));
    ASSERT_NE(p.h, 0);
    EXPECT_EQ(Player_HasVideo(p.h), 0);
    EXPECT_EQ(Player_HasAudio(p.h), 1);
    EXPECT_EQ(Player_StepFrame(p.h, 1), 0);
    ASSERT_EQ(Player_SetAudioOnly(p.h, 1), 1);
    ASSERT_EQ(Player_Play(p.h), 1);
    const orl_audio_block *block = nullptr;
    waitUntil([&] { return (block = Player_GetAudioSamples(p.h, 0)) != nullptr; }, 5000);
    ASSERT_NE(block, nullptr);
    ASSERT_GT(block->size, 44);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(block->data), 4), QByteArray("RIFF"));
    const uint8_t *d = block->data;
    const uint32_t dataLength = d[40] | d[41] << 8 | d[42] << 16 | uint32_t(d[43]) << 24;
    EXPECT_EQ(int(dataLength), block->size - 44);
    EXPECT_EQ(block->sample_rate, 44100);
    // A sine at full swing: the mean loudness is far from silence.
    double sum = 0;
    for (uint32_t i = 0; i < dataLength / 2; ++i)
        sum += d[44 + 2 * i] | d[45 + 2 * i] << 8;
    EXPECT_GT(sum / (dataLength / 2), 3000.0);
    Player_ReleaseAudioSamples(p.h, block);
    // Without delivery nothing comes.
    Player_SetAudioOnly(p.h, 0);
    EXPECT_FALSE(waitUntil([&] { return Player_GetAudioSamples(p.h, 0) != nullptr; }, 60));
    // Position of an audio-only file follows the audio.
    const uint64_t a = Player_GetPosition(p.h);
    EXPECT_TRUE(waitUntil([&] { return Player_GetPosition(p.h) > a + 200000; }, 5000));
}

namespace {

// The loudness the level display is handed while the clock passes through
// [from, to) s of a file that plays from its start: the largest sample of
// the blocks delivered then (0 silent, 65535 full scale).
int loudnessWhilePlaying(double shift_s, double from, double to)
{
    Player p(fixture("short_sound.mp4")); // a second of tone, then silence, under 5 s of pictures
    if (!p.h)
        return -1;
    Sink sink;
    Player_SetVideoWindow(p.h, &sink.sink);
    Player_SetSoundShift(p.h, int64_t(shift_s * 1e6));
    Player_Seek(p.h, 0); // the shift applies from the picture shown
    Player_SetAudioOnly(p.h, 1);
    int loudest = 0;
    if (Player_Play(p.h) == 1) {
        waitUntil([&] {
            const double at = Player_GetPosition(p.h) / 1e6;
            if (const orl_audio_block *block = Player_GetAudioSamples(p.h, 0)) {
                if (at >= from && at < to)
                    for (int i = 44; i + 1 < block->size; i += 2)
                        loudest = std::max(loudest, block->data[i] | block->data[i + 1] << 8);
                Player_ReleaseAudioSamples(p.h, block);
            }
            return at >= to;
        }, 10000);
    }
    Player_Stop(p.h);
    Player_SetVideoWindow(p.h, nullptr);
    return loudest;
}

} // namespace

// A sound track shifted 0.5 s later is heard 0.5 s later in the preview
// too: silent at the start, the tone still sounding after its own end,
// where the unshifted sound is silent.
TEST(Player, ASoundShiftedLaterIsHeardLater)
{
    EXPECT_GT(loudnessWhilePlaying(0, 0.1, 0.3), 8000);
    EXPECT_LT(loudnessWhilePlaying(0, 1.2, 1.4), 500);
    EXPECT_LT(loudnessWhilePlaying(0.5, 0.1, 0.3), 500);
    EXPECT_GT(loudnessWhilePlaying(0.5, 1.2, 1.4), 8000);
}

TEST(Player, PlaysOnTheWallClockWhenTheAudioDeviceFails)
{
    const char *old = getenv("SDL_AUDIODRIVER");
    const std::string saved = old ? old : "";
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    Player p(fixture("h264_aac.mp4"));
    if (old)
        setenv("SDL_AUDIODRIVER", saved.c_str(), 1);
    else
        unsetenv("SDL_AUDIODRIVER");
    ASSERT_NE(p.h, 0);
    EXPECT_EQ(Player_AudioOutputFailed(p.h), 1);
    const auto t0 = std::chrono::steady_clock::now();
    const uint64_t p0 = Player_GetPosition(p.h);
    ASSERT_EQ(Player_Play(p.h), 1);
    // The wall clock drives playback: it neither stalls nor races.
    ASSERT_TRUE(waitUntil([&] { return Player_GetPosition(p.h) >= p0 + 1000000; }));
    EXPECT_LE((Player_GetPosition(p.h) - p0) / 1e6, secondsSince(t0) * 1.05 + 0.1);
    EXPECT_TRUE(waitUntil([&] { return Player_GetFrameTime(p.h) > 900000u; }));
}

TEST(Player, CloseDuringPlayIsPromptAndLeavesNoThread)
{
    const int before = threadCount();
    ORL_HANDLE h = Player_OpenFile(fixture("long_h264_aac.mp4").toUtf8().constData());
    ASSERT_NE(h, 0);
    Sink sink;
    Player_SetVideoWindow(h, &sink.sink);
    ASSERT_EQ(Player_Play(h), 1);
    ASSERT_TRUE(waitUntil([&] { return sink.frames() > 0; }));
    EXPECT_GT(threadCount(), before);
    const auto t0 = std::chrono::steady_clock::now();
    EXPECT_EQ(Player_Close(h), 1);
    // Prompt: it does not wait for the 20 s file to play out. How prompt
    // is measured by bench/run-player (player_close).
    EXPECT_LT(secondsSince(t0), 5.0);
    EXPECT_EQ(Player_HasVideo(h), 0);
    EXPECT_EQ(Player_Play(h), 0);
    const int frames = sink.frames();
    EXPECT_FALSE(waitUntil([&] { return sink.frames() != frames; }, 100)) << "a picture after the close";
    Player_Destroy(h);
    EXPECT_EQ(Player_Play(h), 0); // a stale handle is refused
    EXPECT_TRUE(waitUntil([&] { return threadCount() <= before; }, 5000));
    EXPECT_EQ(threadCount(), before);
}

TEST(Player, CommandsRaceWithPlaybackWithoutDeadlock)
{
    const QString path = fixture("long_h264_aac.mp4");
    const auto frames = probeFrames(path);
    Player p(path);
    ASSERT_NE(p.h, 0);
    Sink sink;
    Player_SetVideoWindow(p.h, &sink.sink);
    for (int round = 0; round < 6; ++round) {
        ASSERT_EQ(Player_Play(p.h), 1);
        sleepMs(60);
        const uint64_t t = 1000000 + round * 2345678;
        ASSERT_EQ(Player_Seek(p.h, t), 1); // while playing
        sleepMs(40);
        ASSERT_EQ(Player_StepFrame(p.h, 1), 1); // pauses
        const uint64_t shown = Player_GetFrameTime(p.h);
        ASSERT_EQ(Player_StepFrame(p.h, -1), 1);
        const size_t i = indexOf(frames, shown);
        ASSERT_LT(i, frames.size());
        EXPECT_EQ(Player_GetFrameTime(p.h), frames[i - 1].us);
        ASSERT_EQ(Player_BeginAsyncSeek(p.h, 2000000, 0), 1);
        Player_Seek(p.h, t + 500000);
        ASSERT_EQ(Player_EndAsyncSeek(p.h), 1);
        EXPECT_EQ(Player_GetFrameTime(p.h), frameAt(frames, t + 500000));
    }
    Player_SetVideoWindow(p.h, nullptr);
}

namespace {

// A picture as 8-bit BGRA, made by the ffmpeg CLI (its scaler reads the
// picture's matrix and range) from the first picture of a file or a filter
// source ("-f lavfi" in args).
QImage cliPicture(const QStringList &input, int w, int h, const QString &filters = QString())
{
    QStringList args = {"-v", "error"};
    args << input << "-frames:v" << "1" << "-vf"
         << (filters.isEmpty() ? QString() : filters + ",")
                + QString("scale=%1:%2:flags=bilinear,format=bgra").arg(w).arg(h)
         << "-f" << "rawvideo" << "pipe:1";
    const testsupport::ProcessResult r = testsupport::runProcess("ffmpeg", args);
    if (!r.finished || r.exitCode != 0 || r.out.size() != w * h * 4)
        return QImage();
    return QImage(reinterpret_cast<const uchar *>(r.out.constData()), w, h, w * 4, QImage::Format_RGB32).copy();
}

// Mean difference of the colour channels, in 8-bit steps.
double meanDifference(const QImage &a, const QImage &b)
{
    if (a.size() != b.size() || a.isNull())
        return 1e9;
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * a.width() * a.height());
}

QImage firstPlayerPicture(const QString &path)
{
    Player p(path);
    Sink sink;
    if (!p.h || Player_SetVideoWindow(p.h, &sink.sink) != 1)
        return QImage();
    Player_SetVideoWindow(p.h, nullptr);
    std::lock_guard<std::mutex> lock(sink.mutex);
    return sink.last;
}

} // namespace

// The preview shows the colours a picture says it has: a BT.709 matrix and a
// full range are read from the stream (ffmpeg's scaler, which reads them
// too, is the judge), and an HDR10 or HLG picture made from an SDR one is
// tone-mapped back close to that picture instead of shown washed out.
TEST(Player, PicturesShowTheColoursTheyAreFlaggedWith)
{
    for (const char *name : {"bt709_h264.mp4", "fullrange_h264.mp4", "h264_aac.mp4"}) {
        SCOPED_TRACE(name);
        const QImage shown = firstPlayerPicture(fixture(name));
        ASSERT_FALSE(shown.isNull());
        const QImage expected = cliPicture({"-i", fixture(name)}, shown.width(), shown.height());
        ASSERT_FALSE(expected.isNull());
        EXPECT_LT(meanDifference(shown, expected), 0.75);
    }
    // The HDR fixtures are the 320x180 test picture carried into PQ and HLG
    // with its white at 203 cd/m2.
    const QImage original = cliPicture({"-f", "lavfi", "-i", "testsrc2=size=320x180:rate=25"}, 320, 180);
    ASSERT_FALSE(original.isNull());
    for (const char *name : {"hdr10_hevc.mp4", "hlg_hevc.mkv"}) {
        SCOPED_TRACE(name);
        const QImage shown = firstPlayerPicture(fixture(name));
        ASSERT_EQ(shown.size(), QSize(320, 180));
        // Unmapped, the PQ or HLG code values read as BT.709 are far off.
        const QImage unmapped = cliPicture({"-i", fixture(name)}, 320, 180,
                                           "zscale=transfer=bt709:transferin=bt709:matrix=bt709:primaries=bt709");
        const double mapped = meanDifference(shown, original);
        EXPECT_LT(mapped, 0.6 * meanDifference(unmapped, original));
        EXPECT_LT(mapped, 30);
    }
}

// Told the size it is shown at, the player hands the sink pictures fitted
// to it, and plays codecs that can decode at reduced size (MPEG-2 with open
// groups and fields, MPEG-4 part 2) at that size: the last picture played
// is still the source's picture at that time (ffmpeg's decode, scaled, is
// the judge). Paused, the picture is decoded again at full size: a grab is
// the source's picture, not an enlarged small one.
TEST(Player, PlaysAtTheShownSizeAndPausesOnTheFullPicture)
{
    struct Case {
        const char *name;
        uint64_t from_us;
    } cases[] = {{"mpeg2_broadcast_whole.ts", 3600000}, {"plain.avi", 2500000}, {"h264_aac.mp4", 3500000}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = fixture(c.name);
        const ORL_HANDLE h = Player_Create(0);
        ASSERT_EQ(Player_SetShownSize(h, 100, 100), 1);
        ASSERT_EQ(Player_Open(h, path.toUtf8().constData(), 0, 0), 1);
        ASSERT_EQ(Player_GetDisplayWidth(h), 320);
        ASSERT_EQ(Player_GetDisplayHeight(h), 240);
        Sink sink;
        Player_SetVideoWindow(h, &sink.sink);
        ASSERT_EQ(Player_Seek(h, c.from_us), 1);
        ASSERT_EQ(Player_Play(h), 1);
        ASSERT_TRUE(waitUntil([&] { return Player_IsEnded(h) == 1; }));
        const uint64_t last = Player_GetFrameTime(h);
        ASSERT_GT(last, c.from_us + 500000);
        // ffmpeg's own seek does not reach the end of a transport stream:
        // the picture is picked from its decode by its place in ffprobe's list.
        const std::vector<ProbedFrame> frames = probeFrames(path);
        const size_t index = indexOf(frames, frameAt(frames, last));
        ASSERT_LT(index, frames.size());
        const QString at = "select=eq(n\\," + QString::number(index) + ")";
        QImage played;
        {
            std::lock_guard<std::mutex> lock(sink.mutex);
            played = sink.last;
        }
        EXPECT_EQ(played.size(), QSize(100, 75));
        // Motion compensated at a quarter of the size drifts a little over
        // a group (MPEG-4 part 2 most); a picture decoded wrongly is far off.
        EXPECT_LT(meanDifference(played, cliPicture({"-i", path}, 100, 75, at)), 10.0);

        ASSERT_EQ(Player_Pause(h), 1);
        EXPECT_EQ(Player_GetFrameTime(h), last) << Engine_GetLastError(h);
        const orl_picture *pic = Player_GrabFrame(h, 0, 0, ORL_PICTURE_PNG);
        ASSERT_NE(pic, nullptr);
        QImage grabbed;
        ASSERT_TRUE(grabbed.loadFromData(pic->data, pic->size, "PNG"));
        Player_ReleaseFrame(h, pic);
        EXPECT_LT(meanDifference(grabbed.convertToFormat(QImage::Format_RGB32),
                                 cliPicture({"-i", path}, 320, 240, at)),
                  1.5)
            << Engine_GetLastError(h);
        // Played to its end, play starts over.
        EXPECT_EQ(Player_IsEnded(h), 1);
        Player_SetVideoWindow(h, nullptr);
        Player_Destroy(h);
    }
}

TEST(Player, BadInputFailsCleanly)
{
    EXPECT_EQ(Player_OpenFile(fixture("not_media.mp4").toUtf8().constData()), 0);
    EXPECT_EQ(Player_OpenFile("/no/such/file.mp4"), 0);
    EXPECT_EQ(Player_OpenFile(nullptr), 0);
    ORL_HANDLE h = Player_Create(-1);
    ASSERT_NE(h, 0);
    EXPECT_EQ(Player_Play(h), 0);
    EXPECT_EQ(Player_StepFrame(h, 1), 0);
    EXPECT_EQ(Player_Seek(h, 1000), 0);
    EXPECT_EQ(Player_GetDuration(h), 0u);
    EXPECT_EQ(Player_GrabFrame(h, 0, 0, 0), nullptr);
    EXPECT_EQ(Player_OpenDisc(h, fixture("h264_aac.mp4").toUtf8().constData(), 0, 0), 0);
    EXPECT_EQ(Player_Open(h, fixture("truncated_noindex.mp4").toUtf8().constData(), 0, 0) == 1
                  ? Player_HasVideo(h) + Player_HasAudio(h) > 0
                  : true,
              true);
    Player_Destroy(h);
    EXPECT_EQ(Player_Seek(h, 0), 0);
}

namespace {

// Counts the reports of posted commands and keeps the last one.
struct Reports {
    std::mutex mutex;
    int count = 0;
    uint64_t shown = 0;
    bool idle = false;
    static void notify(void *opaque, uint64_t shownUs, int idle)
    {
        auto *self = static_cast<Reports *>(opaque);
        std::lock_guard<std::mutex> lock(self->mutex);
        ++self->count;
        self->shown = shownUs;
        self->idle = idle != 0;
    }
};

} // namespace

TEST(PostedCommands, ReturnAtOnceAndTheNewestSeekWins)
{
    const QString path = fixture("gop10s_h264.mp4");
    const auto frames = probeFrames(path);
    ASSERT_GT(frames.size(), 700u);
    Player p(path);
    ASSERT_NE(p.h, 0);
    Sink sink;
    Player_SetVideoWindow(p.h, &sink.sink);
    Reports reports;
    ASSERT_EQ(Player_SetNotify(p.h, &Reports::notify, &reports), 1);

    // Nine seconds into a ten-second group: hundreds of pictures to decode,
    // so the picture cannot be there when the post returns.
    const int framesBefore = sink.frames();
    ASSERT_EQ(Player_PostSeek(p.h, 9900000), 1);
    EXPECT_EQ(Player_GetFrameTime(p.h), 0u);
    // A run of newer targets, as a held key makes them; only the last counts.
    const uint64_t targets[] = {19500000, 8000000, 1234567, 29000000, 18765432};
    for (uint64_t t : targets)
        ASSERT_EQ(Player_PostSeek(p.h, t), 1);
    ASSERT_EQ(Player_WaitPosted(p.h, 20000), 1);
    EXPECT_EQ(Player_GetFrameTime(p.h), frameAt(frames, 18765432));
    // Waiting seeks were replaced, not run one after another (each run
    // shows a key frame and its exact picture); still, every post is answered.
    EXPECT_LT(sink.frames() - framesBefore, 8);
    {
        std::lock_guard<std::mutex> lock(reports.mutex);
        EXPECT_EQ(reports.count, 6);
        EXPECT_TRUE(reports.idle);
        EXPECT_EQ(reports.shown, frameAt(frames, 18765432));
    }

    // Steps run in order after the seek they follow.
    ASSERT_EQ(Player_PostSeek(p.h, 15000000), 1);
    ASSERT_EQ(Player_PostStepFrame(p.h, 1), 1);
    ASSERT_EQ(Player_PostStepFrame(p.h, 1), 1);
    ASSERT_EQ(Player_PostStepFrame(p.h, -1), 1);
    ASSERT_EQ(Player_WaitPosted(p.h, 20000), 1);
    const size_t at = indexOf(frames, frameAt(frames, 15000000));
    ASSERT_LT(at + 1, frames.size());
    EXPECT_EQ(Player_GetFrameTime(p.h), frames[at + 1].us);
    ASSERT_EQ(Player_PostStepKeyFrame(p.h, 1), 1);
    ASSERT_EQ(Player_WaitPosted(p.h, 20000), 1);
    EXPECT_EQ(Player_GetFrameTime(p.h), frameAt(frames, 20030000)); // the key frame at 20.02 s
    EXPECT_EQ(Player_PostStepFrame(p.h, 0), 0);

    ASSERT_EQ(Player_SetNotify(p.h, nullptr, nullptr), 1);
    Player_SetVideoWindow(p.h, nullptr);
}

TEST(PostedCommands, AFarSeekShowsItsKeyFrameFirstThenTheExactPicture)
{
    const QString path = fixture("gop10s_h264.mp4");
    const auto frames = probeFrames(path);
    Player p(path);
    ASSERT_NE(p.h, 0);
    Sink sink;
    Player_SetVideoWindow(p.h, &sink.sink);
    ASSERT_EQ(Player_Seek(p.h, 25000000), 1);
    int before = sink.frames();
    ASSERT_EQ(Player_PostSeek(p.h, 19000000), 1);
    ASSERT_EQ(Player_WaitPosted(p.h, 20000), 1);
    EXPECT_EQ(Player_GetFrameTime(p.h), frameAt(frames, 19000000));
    EXPECT_EQ(sink.frames(), before + 2); // the key frame at 10 s, then 19 s
    // Near its key frame there is nothing to bridge: one picture.
    before = sink.frames();
    ASSERT_EQ(Player_PostSeek(p.h, 20050000), 1);
    ASSERT_EQ(Player_WaitPosted(p.h, 20000), 1);
    EXPECT_EQ(Player_GetFrameTime(p.h), frameAt(frames, 20050000));
    EXPECT_EQ(sink.frames(), before + 1);
    // Steps back from a seek's picture land on the pictures before it.
    const size_t at = indexOf(frames, frameAt(frames, 19000000));
    ASSERT_EQ(Player_Seek(p.h, 19000000), 1);
    for (int i = 1; i <= 9; ++i) {
        ASSERT_EQ(Player_StepFrame(p.h, -1), 1);
        EXPECT_EQ(Player_GetFrameTime(p.h), frames[at - i].us);
    }
    Player_SetVideoWindow(p.h, nullptr);
}

TEST(PostedCommands, CloseAndDestroyWhileASeekDecodesAreSafe)
{
    const QString path = fixture("gop10s_h264.mp4");
    const int before = threadCount();
    for (int round = 0; round < 3; ++round) {
        ORL_HANDLE h = Player_OpenFile(path.toUtf8().constData());
        ASSERT_NE(h, 0);
        Sink sink;
        Player_SetVideoWindow(h, &sink.sink);
        Reports reports;
        Player_SetNotify(h, &Reports::notify, &reports);
        ASSERT_EQ(Player_PostSeek(h, 9900000 + round * 10000000), 1);
        Player_PostStepFrame(h, -1);
        Player_PostPlay(h);
        if (round == 1) {
            // Open another file on the same handle while the seek decodes.
            ASSERT_EQ(Player_Open(h, fixture("h264_aac.mp4").toUtf8().constData(), 0, 0), 1);
            EXPECT_EQ(Player_GetFrameTime(h), 0u);
            ASSERT_EQ(Player_PostSeek(h, 2000000), 1);
            ASSERT_EQ(Player_WaitPosted(h, 20000), 1);
            EXPECT_EQ(Player_GetFrameTime(h), 2000000u);
        }
        EXPECT_EQ(Player_Close(h), 1);
        EXPECT_EQ(Player_PostSeek(h, 1000000), 0); // nothing open
        EXPECT_EQ(Player_WaitPosted(h, 0), 1);
        Player_SetNotify(h, nullptr, nullptr);
        Player_Destroy(h);
    }
    EXPECT_TRUE(waitUntil([&] { return threadCount() <= before; }, 5000));
    EXPECT_EQ(threadCount(), before);
}
