// The player panel over a real player: adoption, transport, section mode,
// seeking, time label, volume memory, the level display and thumbnails.
#include "Languages.h"
#include "QAudioDataWidget.h"
#include "QImageButton.h"
#include "QPlayObject.h"
#include "QVideoPlayDlg.h"
#include "QVoVideoShowWidget.h"
#include "TestSupport.h"
#include "VideoImageWindow.h"
#include "qSliderCtrl.h"
#include "orlcodec.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <vector>

using testsupport::fixture;

namespace {

struct Panel {
    QPlayObject holder;
    QVideoPlayDlg dlg;
    explicit Panel(const QString &file = QString())
    {
        dlg.show();
        if (!file.isEmpty()) {
            EXPECT_TRUE(holder.open(fixture(file)));
            EXPECT_TRUE(dlg.open(fixture(file), holder.playerHandle()));
        }
    }
    ~Panel() { dlg.close(); }
};

} // namespace

TEST(PlayerPanel, TimeLabelFormat)
{
    EXPECT_EQ(QVideoPlayDlg::formatTime(83456789), "0:01:23.45");
    EXPECT_EQ(QVideoPlayDlg::formatTime(3723000000ull), "1:02:03.00");
    EXPECT_EQ(QVideoPlayDlg::formatTime(36000000000ull + 999999), "10:00:00.99");
    Panel p;
    EXPECT_EQ(p.dlg.timeText(), "0:00:00 / 0:00:00");
    p.dlg.ShowTime(0);
    EXPECT_EQ(p.dlg.timeText(), "0:00:00.00 / 0:00:00.00");
}

TEST(PlayerPanel, WithoutAPlayerEverythingIsIgnored)
{
    Panel p;
    QSignalSpy pro(&p.dlg, &QVideoPlayDlg::emitPlayProValue);
    p.dlg.OnBtnPlay();
    p.dlg.OnBtnNext();
    p.dlg.PlayProValueChange(0.5);
    p.dlg.UpdateTime();
    EXPECT_EQ(pro.count(), 0);
    QSignalSpy thumbs(&p.dlg, &QVideoPlayDlg::thumbnailReady);
    p.dlg.requestThumbnail(1, 0);
    EXPECT_TRUE(p.dlg.thumbnailsIdle());
    EXPECT_EQ(thumbs.count(), 0);
    QSignalSpy enable(&p.dlg, &QVideoPlayDlg::emitTrimDSliderEnable);
    EXPECT_FALSE(p.dlg.open("/no/file.mp4", 0));
    ASSERT_EQ(enable.count(), 2);
    EXPECT_FALSE(enable.last().at(0).toBool());
    EXPECT_TRUE(p.dlg.findChild<QLabel *>("m_labDrag")->isVisible());
}

TEST(PlayerPanel, AdoptionPlaysAndTheTransportSteps)
{
    Panel p("long_h264_aac.mp4");
    EXPECT_FALSE(p.dlg.isPaused());
    EXPECT_TRUE(p.dlg.timeTimer().isActive());
    EXPECT_TRUE(p.dlg.videoWindow()->isVisible());
    EXPECT_FALSE(p.dlg.levelDisplay()->isVisible());
    EXPECT_FALSE(p.dlg.findChild<QLabel *>("m_labDrag")->isVisible());
    QVoVideoShowWidget *surface = p.dlg.videoWindow()->imageWidget();
    // Pictures keep coming while it plays; a loaded machine only slows them.
    QTRY_VERIFY_WITH_TIMEOUT(surface->deliveredCount() > 3, 10000);
    EXPECT_GT(surface->deliveredCount(), 3);
    // 320 × 240 in the picture area of 690 × 471: full height, centred.
    EXPECT_EQ(surface->height(), p.dlg.videoWindow()->height());
    EXPECT_EQ(surface->width(), surface->height() * 4 / 3);

    QSignalSpy pro(&p.dlg, &QVideoPlayDlg::emitPlayProValue);
    p.dlg.OnBtnNext();
    EXPECT_TRUE(p.dlg.isPaused());
    // Paused, nothing polls: the picture stays on the surface by itself.
    EXPECT_FALSE(p.dlg.timeTimer().isActive());
    EXPECT_FALSE(p.dlg.audioTimer().isActive());
    // The step runs on the player's thread; the clock follows its picture.
    QTRY_COMPARE_WITH_TIMEOUT(p.dlg.pendingCommands(), 0, 10000);
    const uint64_t t = Player_GetFrameTime(p.dlg.player());
    ASSERT_GE(pro.count(), 1);
    EXPECT_NEAR(pro.last().at(0).toDouble(), t * 100.0 / p.dlg.duration(), 1e-9);
    EXPECT_EQ(p.dlg.timeText().left(10), QVideoPlayDlg::formatTime(t));
    p.dlg.OnBtnPrevious();
    QTRY_COMPARE_WITH_TIMEOUT(p.dlg.pendingCommands(), 0, 10000);
    EXPECT_EQ(Player_GetFrameTime(p.dlg.player()), t - 40000);
    p.dlg.OnBtnNextKet();
    QTRY_COMPARE_WITH_TIMEOUT(p.dlg.pendingCommands(), 0, 10000);
    EXPECT_EQ(Player_GetFrameTime(p.dlg.player()) % 1000000, 0u);

    p.dlg.setConverting(true);
    EXPECT_FALSE(p.dlg.findChild<QWidget *>("m_btnPlay")->isEnabled());
    QTRY_COMPARE_WITH_TIMEOUT(p.dlg.pendingCommands(), 0, 10000);
    EXPECT_EQ(Player_GetFrameTime(p.dlg.player()), 0u); // stopped
    p.dlg.setConverting(false);
    EXPECT_TRUE(p.dlg.findChild<QWidget *>("m_btnPlay")->isEnabled());

    // Thumbnails come from a worker; of two requests under one key waiting
    // together, only the newer one is answered.
    QSignalSpy thumbs(&p.dlg, &QVideoPlayDlg::thumbnailReady);
    p.dlg.requestThumbnail(7, 2000000);
    QTRY_COMPARE_WITH_TIMEOUT(thumbs.count(), 1, 10000);
    EXPECT_EQ(thumbs.last().at(0).value<quintptr>(), quintptr(7));
    const QImage thumb = thumbs.last().at(1).value<QImage>();
    EXPECT_EQ(thumb.size(), QSize(120, 90));
}

TEST(PlayerPanel, ThumbnailsOfAFileNoLongerOpenAreDropped)
{
    Panel p("long_h264_aac.mp4");
    QSignalSpy thumbs(&p.dlg, &QVideoPlayDlg::thumbnailReady);
    for (int i = 0; i < 5; ++i)
        p.dlg.requestThumbnail(quintptr(i), 1000000 + i * 3000000);
    p.dlg.close();
    QTRY_VERIFY_WITH_TIMEOUT(p.dlg.thumbnailsIdle(), 10000);
    QCoreApplication::processEvents();
    EXPECT_EQ(thumbs.count(), 0);
}

TEST(PlayerPanel, SectionModeEndsOnceWhenSeekingBeforeItsStart)
{
    Panel p("long_h264_aac.mp4");
    p.dlg.setSection(5000000, 8000000);
    p.dlg.PlaySection();
    EXPECT_TRUE(p.dlg.inSection());
    QSignalSpy stop(&p.dlg, &QVideoPlayDlg::emitStopPlayTrim);
    p.dlg.PlayProValueChange(0.30); // 6 s: inside
    EXPECT_TRUE(p.dlg.inSection());
    p.dlg.PlayProValueChange(0.10); // 2 s: before the start
    EXPECT_FALSE(p.dlg.inSection());
    p.dlg.PlayProValueChange(0.05);
    EXPECT_EQ(stop.count(), 1);
    EXPECT_EQ(p.dlg.timeText().left(10), "0:00:01.00");
}

TEST(PlayerPanel, SectionPlayPausesAtItsEnd)
{
    Panel p("long_h264_aac.mp4");
    p.dlg.setSection(2000000, 2300000);
    QSignalSpy stop(&p.dlg, &QVideoPlayDlg::emitStopPlayTrim);
    QSignalSpy pro(&p.dlg, &QVideoPlayDlg::emitPlayProValue);
    p.dlg.PlaySection();
    for (int i = 0; i < 60 && p.dlg.inSection(); ++i)
        QTest::qWait(20);
    EXPECT_FALSE(p.dlg.inSection());
    EXPECT_TRUE(p.dlg.isPaused());
    EXPECT_EQ(stop.count(), 1);
    ASSERT_GE(pro.count(), 1);
    EXPECT_DOUBLE_EQ(pro.last().at(0).toDouble(), 2300000 * 100.0 / p.dlg.duration());
}

TEST(PlayerPanel, SectionEndZeroPlaysToTheEndOfTheFile)
{
    Panel p("h264_aac.mp4");
    p.dlg.setSection(4600000, 0);
    EXPECT_EQ(p.dlg.sectionEnd(), p.dlg.duration());
    QSignalSpy stop(&p.dlg, &QVideoPlayDlg::emitStopPlayTrim);
    QSignalSpy pro(&p.dlg, &QVideoPlayDlg::emitPlayProValue);
    p.dlg.PlaySection();
    for (int i = 0; i < 100 && !p.dlg.isPaused(); ++i)
        QTest::qWait(20);
    // It ran into the file's end (finished → stopped at 0), not a pause at
    // a section end.
    EXPECT_TRUE(p.dlg.isPaused());
    EXPECT_EQ(stop.count(), 0);
    ASSERT_GE(pro.count(), 1);
    EXPECT_EQ(pro.last().at(0).toDouble(), 0.0);
    EXPECT_GT(pro.at(pro.count() - 2).at(0).toDouble(), 95.0);
}

TEST(PlayerPanel, MuteRemembersTheVolume)
{
    Panel p("h264_aac.mp4");
    qSliderCtrl *slider = p.dlg.soundSlider();
    QWidget *on = p.dlg.findChild<QWidget *>("m_btnSoundOpen");
    QWidget *off = p.dlg.findChild<QWidget *>("m_btnSoundClose");
    EXPECT_DOUBLE_EQ(slider->positionPercent(), 50.0);
    p.dlg.OnBtnSoundOpen();
    EXPECT_FLOAT_EQ(p.dlg.rememberedVolume(), 100.0f);
    EXPECT_DOUBLE_EQ(slider->positionPercent(), 0.0);
    EXPECT_TRUE(off->isVisible());
    EXPECT_FALSE(on->isVisible());
    p.dlg.OnBtnSoundClose();
    EXPECT_DOUBLE_EQ(slider->positionPercent(), 50.0);
    EXPECT_TRUE(on->isVisible());
    // The slider dragged to 0 mutes; muting then remembers full volume.
    p.dlg.SoundValueChange(0.0);
    EXPECT_TRUE(off->isVisible());
    slider->setValue(0);
    p.dlg.OnBtnSoundOpen();
    EXPECT_FLOAT_EQ(p.dlg.rememberedVolume(), 200.0f);
    p.dlg.OnBtnSoundClose();
    EXPECT_DOUBLE_EQ(slider->positionPercent(), 100.0);
    p.dlg.SoundValueChange(0.75);
    EXPECT_FLOAT_EQ(p.dlg.volume(), 150.0f);
    EXPECT_EQ(on->toolTip(), "150%");
}

TEST(PlayerPanel, AudioOnlyFileShowsTheLevelDisplayAndStopClearsIt)
{
    Panel p("tone.flac");
    EXPECT_TRUE(p.dlg.isAudioOnly());
    EXPECT_FALSE(p.dlg.videoWindow()->isVisible());
    QAudioDataWidget *level = p.dlg.levelDisplay();
    EXPECT_TRUE(level->isVisible());
    EXPECT_EQ(level->barCount(), (394 + 2) / 13);
    EXPECT_EQ(level->segmentCount(), (234 + 2) / 5);
    EXPECT_TRUE(p.dlg.audioTimer().isActive());
    bool lit = false;
    for (int i = 0; i < 50 && !lit; ++i) {
        QTest::qWait(20);
        for (int v : level->levels())
            lit = lit || v > 0;
    }
    EXPECT_TRUE(lit);
    p.dlg.OnBtnStop();
    EXPECT_FALSE(p.dlg.audioTimer().isActive());
    for (int v : level->levels())
        EXPECT_EQ(v, 0);
    for (int v : level->peaks())
        EXPECT_EQ(v, 0);
}

TEST(AudioDataWidget, BarsArePerRunMeansAndPeaksFall)
{
    QAudioDataWidget w;
    w.resize(50, 50); // (50 + 2) / 13 = 4 bars
    w.show();
    ASSERT_EQ(w.barCount(), 4);
    const int segments = w.segmentCount();
    std::vector<uint8_t> block(44 + 8 * 2, 0);
    const quint32 len = 16;
    memcpy(block.data() + 40, &len, 4);
    auto *v = reinterpret_cast<quint16 *>(block.data() + 44);
    const quint16 values[8] = {0, 0, 65535, 65535, 32768, 32768, 16384, 16384};
    memcpy(v, values, sizeof values);
    w.setAudioData(block.data(), 8000);
    EXPECT_EQ(w.levels()[0], 0);
    EXPECT_EQ(w.levels()[1], int((65535LL * segments) >> 16));
    EXPECT_EQ(w.levels()[2], int((32768LL * segments) >> 16));
    const int peak = w.peaks()[1];
    EXPECT_EQ(peak, w.levels()[1] * 5 - 2);
    std::fill(v, v + 8, 0);
    w.setAudioData(block.data(), 8000);
    EXPECT_EQ(w.peaks()[1], peak); // speed 1 drops 1/8: nothing
    for (int i = 0; i < 3; ++i)
        w.setAudioData(block.data(), 8000);
    // Speeds 2, 3, 4 drop 4/8, 9/8 and 16/8 pixels.
    EXPECT_EQ(w.peaks()[1], peak - 0 - 1 - 2);
    w.setAudioData(nullptr, 0);
    EXPECT_EQ(w.peaks()[1], 0);
}

TEST(PlayerPanel, FollowsALanguageChangeAtOnce)
{
    QVideoPlayDlg dlg;
    dlg.show();
    auto *drag = dlg.findChild<QLabel *>("m_labDrag");
    auto *play = dlg.findChild<QImageButton *>("m_btnPlay");
    ASSERT_TRUE(drag && play);
    ASSERT_NE(installLanguage("Deutsch"), nullptr);
    QTRY_COMPARE(drag->text(), QString::fromUtf8("Mediendateien zum Starten hierher ziehen"));
    EXPECT_EQ(play->toolTip(), "Wiedergabe");
    ASSERT_NE(installLanguage(QString::fromUtf8("日本語")), nullptr);
    QTRY_COMPARE(play->toolTip(), QString::fromUtf8("再生"));
    removeInstalledLanguage();
    QTRY_COMPARE(drag->text(), QString("Drag media files here to start"));
    EXPECT_EQ(play->toolTip(), "Play");
}
