// The preview player's own sound carries the sound edits: the samples it
// plays (as its level feed hands them out) are measured while it plays, for
// a fade-in and for a background tone mixed in.
#include "QVideoEditingSettings.h"
#include "TestSupport.h"
#include "VoPlayerManager.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using testsupport::fixture;

namespace {

struct Heard {
    double t = 0;                 // seconds of media time when the block came
    std::vector<double> loudness; // first channel, 0..1
    int rate = 0;
};

uint32_t le32(const unsigned char *p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t(p[3]) << 24);
}

// Plays file with the edits from its start for seconds and keeps every
// block of played samples the level feed hands out.
std::vector<Heard> listen(const QString &file, const VEAudioSettings &audio, const VESoundEffect &effect, double seconds,
                          double *playedTo = nullptr)
{
    VoPlayerManager player;
    QVideoEditingSettings settings;
    settings.attachPlayer(&player);
    std::vector<Heard> heard;
    QObject::connect(&player, &VoPlayerManager::emitAudioData, [&](unsigned char *data, int) {
        if (!data)
            return;
        const int channels = data[22] | (data[23] << 8);
        const uint32_t bytes = le32(data + 40);
        Heard h;
        h.t = settings.positionMs() / 1000.0;
        h.rate = static_cast<int>(le32(data + 24));
        for (uint32_t i = 0; i + 1 < bytes; i += 2 * channels)
            h.loudness.push_back((data[44 + i] | (data[45 + i] << 8)) / 65535.0);
        heard.push_back(std::move(h));
    });
    EXPECT_TRUE(player.open(file, 0, 0, 0));
    settings.setAudio(audio, true);
    settings.setSoundEffect(effect);
    player.onPlay();
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < seconds * 1000 && !QTest::currentTestFailed())
        QTest::qWait(20);
    if (playedTo)
        *playedTo = settings.positionMs() / 1000.0;
    player.onPause();
    return heard;
}

double meanLoudness(const std::vector<Heard> &heard, double from, double to)
{
    double sum = 0;
    size_t n = 0;
    for (const Heard &h : heard)
        if (h.t >= from && h.t < to)
            for (double v : h.loudness) {
                sum += v;
                ++n;
            }
    return n ? sum / n : NAN;
}

// Strength of hz in the blocks (Goertzel), relative to their mean level.
double toneShare(const std::vector<Heard> &heard, double hz)
{
    double share = 0;
    int blocks = 0;
    for (const Heard &h : heard) {
        if (h.loudness.size() < 512 || h.rate <= 0)
            continue;
        double mean = 0;
        for (double v : h.loudness)
            mean += v;
        mean /= h.loudness.size();
        const double w = 2 * M_PI * hz / h.rate;
        double s1 = 0, s2 = 0;
        for (double v : h.loudness) {
            const double s = (v - mean) + 2 * std::cos(w) * s1 - s2;
            s2 = s1;
            s1 = s;
        }
        const double power = std::sqrt(s1 * s1 + s2 * s2 - 2 * std::cos(w) * s1 * s2) / h.loudness.size();
        if (mean > 1e-4) {
            share += power / mean;
            ++blocks;
        }
    }
    return blocks ? share / blocks : 0;
}

} // namespace

TEST(PreviewSoundTest, AFadeInIsHeardRisingFromNearSilence)
{
    VESoundEffect fade;
    fade.fadeIn = 2000000;
    const std::vector<Heard> faded = listen(fixture("tone.wav"), VEAudioSettings(), fade, 3.2);
    const std::vector<Heard> plain = listen(fixture("tone.wav"), VEAudioSettings(), VESoundEffect(), 3.2);
    ASSERT_GT(faded.size(), 20u);
    ASSERT_GT(plain.size(), 20u);
    const double fadedStart = meanLoudness(faded, 0, 0.4);
    const double fadedLate = meanLoudness(faded, 2.3, 3.0);
    const double plainStart = meanLoudness(plain, 0, 0.4);
    const double plainLate = meanLoudness(plain, 2.3, 3.0);
    ASSERT_FALSE(std::isnan(fadedStart) || std::isnan(fadedLate) || std::isnan(plainStart) || std::isnan(plainLate));
    EXPECT_LT(fadedStart, 0.25 * fadedLate) << fadedStart << " then " << fadedLate;
    EXPECT_NEAR(fadedLate, plainLate, 0.15 * plainLate) << "after the fade the level is the source's";
    EXPECT_GT(plainStart, 0.8 * plainLate) << "without a fade the start is as loud";
}

TEST(PreviewSoundTest, TheBackgroundToneIsHeardInTheMix)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // 1 kHz: its rectified waveform has a 2 kHz line that no multiple of the
    // source's 440 Hz lands on.
    const QString tone = dir.filePath("bg_1k.wav");
    const auto made = testsupport::runProcess(
        "ffmpeg", {"-nostdin", "-v", "error", "-f", "lavfi", "-i", "sine=frequency=1000:sample_rate=44100:duration=1",
                   "-c:a", "pcm_s16le", tone});
    ASSERT_EQ(made.exitCode, 0) << made.err.toStdString();

    VEAudioSettings background;
    background.backgroundPath = tone.toStdString();
    background.weight = 50;
    background.repeat = 1;
    const std::vector<Heard> mixed = listen(fixture("tone.wav"), background, VESoundEffect(), 2.5);
    const std::vector<Heard> plain = listen(fixture("tone.wav"), VEAudioSettings(), VESoundEffect(), 2.5);
    ASSERT_GT(mixed.size(), 10u);
    const double withBackground = toneShare(mixed, 2000);
    const double without = toneShare(plain, 2000);
    EXPECT_GT(withBackground, 5 * without) << withBackground << " against " << without;
    // Repeated: still there after the background's one second.
    std::vector<Heard> late;
    for (const Heard &h : mixed)
        if (h.t > 1.3)
            late.push_back(h);
    EXPECT_GT(toneShare(late, 2000), 5 * without);
}

TEST(PreviewSoundTest, ASpeedIsHeardWithItsPitchAndTheClockFollowsIt)
{
    VESoundEffect fast;
    fast.rate = 150;
    double fastTo = 0, plainTo = 0;
    const std::vector<Heard> sped = listen(fixture("tone.wav"), VEAudioSettings(), fast, 2.0, &fastTo);
    const std::vector<Heard> plain = listen(fixture("tone.wav"), VEAudioSettings(), VESoundEffect(), 2.0, &plainTo);
    ASSERT_GT(sped.size(), 10u);
    // Two seconds of playing cover three of the source at 150 %.
    EXPECT_NEAR(fastTo / plainTo, 1.5, 0.15) << fastTo << " against " << plainTo;
    // The 440 Hz tone keeps its pitch (its rectified line at 880 Hz), it
    // does not rise to 660 Hz (1320 Hz).
    EXPECT_GT(toneShare(sped, 880), 0.5 * toneShare(plain, 880));
    EXPECT_LT(toneShare(sped, 1320), 0.2 * toneShare(sped, 880));
}
