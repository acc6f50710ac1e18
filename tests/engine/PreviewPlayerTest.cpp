// The editing preview's player with the real engine underneath: the trim
// range bounds playback, section play pauses itself at its end, frame
// steps respect the range, audio-only files feed the level display, and a
// change of an edit while paused is shown without any other command.
#include "QVoVideoShowWidget.h"
#include "TestSupport.h"
#include "VoPlayerManager.h"
#include "orlcodec.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using testsupport::fixture;

namespace {

constexpr uint64_t kSecond = 1000000;

uint64_t position(const VoPlayerManager &p)
{
    return Player_GetPosition(p.handle());
}

} // namespace

TEST(PreviewPlayerTest, TrimRangeBoundsPlaybackAndPlayAfterTheEndRestarts)
{
    VoPlayerManager player;
    QSignalSpy changed(&player, &VoPlayerManager::emitTrimTimeChange);
    ASSERT_TRUE(player.open(fixture("long_h264_aac.mp4"), 0, 0, 0));
    player.onTrim(5 * kSecond, 10 * kSecond);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed[0][0].toULongLong(), 5 * kSecond);
    EXPECT_EQ(player.length(), 5 * kSecond);
    // Past the end of the range while playing: stopped, back at its start.
    player.onPlay();
    QTRY_COMPARE_WITH_TIMEOUT(player.pendingCommands(), 0, 5000);
    // Playing from the range's start first: a paused player still at 0
    // would pass the check below before the seek had done anything.
    QTRY_VERIFY_WITH_TIMEOUT(!Player_IsPaused(player.handle()) && position(player) >= 5 * kSecond - 50000, 5000);
    ASSERT_EQ(Player_Seek(player.handle(), 12 * kSecond), 1);
    // On the way it may pass through a stop at 0 (a slow machine sees it):
    // the state waited for is the one it ends in.
    QTRY_VERIFY_WITH_TIMEOUT(Player_IsPaused(player.handle()) && position(player) < 6 * kSecond
                                 && position(player) >= 5 * kSecond - 50000,
                             5000);

    // Reset gives the whole file back.
    player.onReset();
    EXPECT_FALSE(player.isTrimActive());
    EXPECT_EQ(player.length(), player.duration());
    QTRY_COMPARE_WITH_TIMEOUT(player.pendingCommands(), 0, 5000);

    // Play after the end starts again from the beginning.
    ASSERT_EQ(Player_Seek(player.handle(), player.duration() - 100000), 1);
    player.onPlay();
    QTRY_VERIFY_WITH_TIMEOUT(Player_IsEnded(player.handle()) || position(player) < kSecond, 5000);
    player.onPlay();
    QTRY_VERIFY_WITH_TIMEOUT(position(player) > 0 && position(player) < 3 * kSecond, 3000);
    player.onStop();
}

TEST(PreviewPlayerTest, SectionPlayPausesAtItsEndAndReportsItsProgress)
{
    VoPlayerManager player;
    ASSERT_TRUE(player.open(fixture("long_h264_aac.mp4"), 0, 0, 0));
    player.onTrim(5 * kSecond, 15 * kSecond);
    QSignalSpy trimState(&player, &VoPlayerManager::emitTrimPlayState);
    QSignalSpy progress(&player, &VoPlayerManager::emitPlayProgress);
    // 0.25 to 0.5 of the 10-second range from 5 s: 7.5 s to 10 s.
    player.onTrimPlay(0.25f, 0.5f);
    ASSERT_GE(trimState.count(), 1);
    EXPECT_TRUE(trimState.last()[0].toBool());
    QTRY_VERIFY_WITH_TIMEOUT(!trimState.last()[0].toBool(), 6000);
    ASSERT_GE(progress.count(), 1);
    EXPECT_NEAR(progress.last()[0].toDouble(), 0.5, 0.01);
    QTRY_COMPARE_WITH_TIMEOUT(player.pendingCommands(), 0, 5000);
    EXPECT_TRUE(Player_IsPaused(player.handle()));
    EXPECT_NEAR(double(Player_GetFrameTime(player.handle())), 10.0 * kSecond, 60000.0);
}

TEST(PreviewPlayerTest, NextStepAtTheRangeEndShowsThatFrameWithoutStepping)
{
    VoPlayerManager player;
    ASSERT_TRUE(player.open(fixture("long_h264_aac.mp4"), 0, 0, 0));
    player.onTrim(2 * kSecond, 4 * kSecond);
    QSignalSpy progress(&player, &VoPlayerManager::emitStartEndProgressValue);
    player.onNextStep(true, 1.0f);
    // Posted: the clocks follow the picture when it is there.
    QTRY_COMPARE_WITH_TIMEOUT(player.pendingCommands(), 0, 5000);
    const uint64_t t = Player_GetFrameTime(player.handle());
    EXPECT_GE(t, 4 * kSecond - 40000);
    EXPECT_LE(t, 4 * kSecond);
    ASSERT_EQ(progress.count(), 1);
    EXPECT_NEAR(progress[0][0].toFloat(), 100.0f, 2.0f);
    // Inside the range a next step moves on by one picture.
    player.onNextStep(true, 0.5f);
    QTRY_COMPARE_WITH_TIMEOUT(player.pendingCommands(), 0, 5000);
    EXPECT_NEAR(double(Player_GetFrameTime(player.handle())), 3.04 * kSecond, 1000.0);
    player.onPreviousStep(false, 0.5f);
    QTRY_COMPARE_WITH_TIMEOUT(player.pendingCommands(), 0, 5000);
    EXPECT_NEAR(double(Player_GetFrameTime(player.handle())), 3.0 * kSecond, 1000.0);
}

TEST(PreviewPlayerTest, AudioOnlyFileFeedsTheLevelDisplay)
{
    VoPlayerManager player;
    QSignalSpy haveVideo(&player, &VoPlayerManager::emitIsHaveVideo);
    QSignalSpy audio(&player, &VoPlayerManager::emitAudioData);
    ASSERT_TRUE(player.open(fixture("tone.mp3"), 0, 0, 0));
    ASSERT_EQ(haveVideo.count(), 1);
    EXPECT_FALSE(haveVideo[0][0].toBool());
    EXPECT_TRUE(player.isAudioOnly());
    player.onPlay();
    QTRY_VERIFY_WITH_TIMEOUT(std::any_of(audio.begin(), audio.end(), [](const QList<QVariant> &a) {
                                 return a[1].toInt() > 0;
                             }), 3000);
    player.onPause();
    EXPECT_EQ(audio.last()[1].toInt(), 0);
}

TEST(PreviewPlayerTest, AChangedEditIsShownWhilePausedAndAFailedOneIsReported)
{
    QVoVideoShowWidget edited;
    QVoVideoShowWidget source;
    VoPlayerManager player;
    player.setVideoWindow(&edited);
    player.setElementWindow(&source);
    ASSERT_TRUE(player.open(fixture("h264_aac.mp4"), 0, 0, 0));
    QTRY_VERIFY(!edited.currentImage().isNull());
    const QImage before = edited.currentImage();
    VECropSettings crop;
    crop.cropRect = VERect{0, 0, 0.5, 0.5};
    crop.rotation = 90;
    player.setCrop(crop);
    EXPECT_TRUE(player.editsShown());
    // The edited pane gets the turned output frame (the item's size, turned
    // with the picture); the source pane keeps the source picture.
    QTRY_COMPARE(edited.currentImage().size(), QSize(240, 320));
    EXPECT_EQ(source.currentImage().size(), before.size());
    VEWatermarkSettings missing;
    missing.imagePath = "/nonexistent/picture.png";
    player.setOverlay(0, missing);
    EXPECT_FALSE(player.editsShown());
    EXPECT_STRNE(Engine_GetLastError(player.handle()), "");
}

TEST(PreviewPlayerTest, AVolumeEditIsHeardInThePreview)
{
    VoPlayerManager player;
    ASSERT_TRUE(player.open(fixture("tone.mp3"), 0, 0, 0));
    // Mean loudness of eight blocks the device played, after two skipped
    // (the queue may still hold sound from before a change).
    auto loudness = [&] {
        double sum = 0;
        int n = 0;
        int blocks = 0;
        QElapsedTimer t;
        t.start();
        while (blocks < 10 && t.elapsed() < 5000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            const orl_audio_block *b = Player_GetAudioSamples(player.handle(), 1);
            if (!b)
                continue;
            if (++blocks > 2) {
                const auto *v = reinterpret_cast<const uint16_t *>(b->data + 44);
                for (int i = 0; i < (b->size - 44) / 2; ++i, ++n)
                    sum += v[i];
            }
            Player_ReleaseAudioSamples(player.handle(), b);
        }
        return n ? sum / n : 0.0;
    };
    player.onPlay();
    const double before = loudness();
    ASSERT_GT(before, 100.0);
    VESoundEffect quiet;
    quiet.volume = 20;
    player.onPause();
    player.setSoundEffect(quiet);
    EXPECT_TRUE(player.editsShown());
    player.progressValueChange(0.1); // a seek: what was queued before goes
    player.onPlay();
    const double after = loudness();
    EXPECT_LT(after, before * 0.35);
    EXPECT_GT(after, before * 0.05);
}
