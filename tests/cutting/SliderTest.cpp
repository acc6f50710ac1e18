// The trim and volume sliders driven by mouse and keys as a user would.
#include "QDualSlider.h"
#include "QSliderCtrlBtn.h"
#include "qSliderCtrl.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

void sendMouse(QWidget *w, QEvent::Type type, QPoint local, Qt::MouseButtons buttons = Qt::LeftButton)
{
    QMouseEvent e(type, local, w->mapToGlobal(local),
                  type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// Press a handle at offset (3, 3), move to the slider's x, release.
void dragHandle(QDualSlider &slider, QSliderCtrlBtn *handle, int sliderX)
{
    const QPoint press(3, 3);
    sendMouse(handle, QEvent::MouseButtonPress, press);
    const QPoint global = slider.mapToGlobal(QPoint(sliderX + 3, 0));
    sendMouse(handle, QEvent::MouseMove, handle->mapFromGlobal(global), Qt::LeftButton);
    sendMouse(handle, QEvent::MouseButtonRelease, handle->mapFromGlobal(global), Qt::NoButton);
}

struct CutSlider {
    QWidget window;
    QDualSlider *slider;
    CutSlider()
    {
        slider = new QDualSlider(&window);
        slider->setTrackImage("/image/CutToolDlg/trake_cut1.png");
        slider->setRangeImage("/image/CutToolDlg/trake_cut2.png");
        slider->setStartHandleImage("/image/CutToolDlg/btn_silder_left.png", 0);
        slider->setEndHandleImage("/image/CutToolDlg/btn_silder_right.png");
        slider->setProgressHandleImage("/image/CutToolDlg/btn_silder_proess.png", 2);
        window.resize(400, 100);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    int w() const { return slider->startHandle()->width(); }
    float L() const { return float(slider->width() - 2 * w()); }
};

} // namespace

TEST(DualSlider, SizeAndInitialPlacement)
{
    CutSlider c;
    // 12 + 200 + 12 by max(8, 40).
    EXPECT_EQ(c.slider->size(), QSize(224, 40));
    EXPECT_EQ(c.slider->startHandle()->x(), 0);
    EXPECT_EQ(c.slider->endHandle()->x(), 224 - 12);
    EXPECT_FLOAT_EQ(c.slider->endPos(), 200.0f);
    EXPECT_EQ(c.slider->progressHandle()->x(), 12 - c.slider->progressHandle()->width() / 2);
    EXPECT_DOUBLE_EQ(c.slider->endFraction(), 1.0);
}

TEST(DualSlider, StartHandleDraggedPastTheEndTouchesIt)
{
    CutSlider c;
    c.slider->setEndPercent(50);
    const float e = c.slider->endPos();
    QSignalSpy start(c.slider, &QDualSlider::sendProgressValue);
    QSignalSpy play(c.slider, &QDualSlider::sendPlayProValue);
    dragHandle(*c.slider, c.slider->startHandle(), 200);
    ASSERT_EQ(start.count(), 1);
    EXPECT_FLOAT_EQ(c.slider->startPos(), e);
    EXPECT_DOUBLE_EQ(start.last().at(0).toDouble(), c.slider->endFraction());
    EXPECT_EQ(c.slider->startHandle()->x() + c.w(), c.slider->endHandle()->x());
    // The play-head follows the start handle.
    ASSERT_EQ(play.count(), 1);
    EXPECT_NEAR(play.last().at(0).toDouble(), c.slider->startFraction(), 1e-6);
    EXPECT_TRUE(c.slider->hasFocus());
    // Dragged left beyond the track the start handle rests at 0.
    dragHandle(*c.slider, c.slider->startHandle(), -50);
    EXPECT_FLOAT_EQ(c.slider->startPos(), 0.0f);
}

TEST(DualSlider, EndHandleDragIsHeldByTheStartHandleAndTheRightEnd)
{
    CutSlider c;
    c.slider->setStartPercent(25);
    const float s = c.slider->startPos();
    QSignalSpy end(c.slider, &QDualSlider::sendEndProgressValue);
    dragHandle(*c.slider, c.slider->endHandle(), 10);
    EXPECT_FLOAT_EQ(c.slider->endPos(), s);
    EXPECT_EQ(c.slider->endHandle()->x(), c.slider->startHandle()->x() + c.w());
    dragHandle(*c.slider, c.slider->endHandle(), 500);
    EXPECT_FLOAT_EQ(c.slider->endPos(), c.L());
    EXPECT_EQ(c.slider->endHandle()->x(), c.slider->width() - c.w());
    ASSERT_EQ(end.count(), 2);
    EXPECT_DOUBLE_EQ(end.last().at(0).toDouble(), 1.0);
}

TEST(DualSlider, SettersKeepTwoPixelsBetweenTheHandles)
{
    CutSlider c;
    c.slider->setEndPercent(40);
    const float e = c.slider->endPos();
    EXPECT_FLOAT_EQ(e, 0.4f * c.L());
    c.slider->setStartPercent(90);
    EXPECT_FLOAT_EQ(c.slider->startPos(), e - 2);
    c.slider->setEndPercent(10);
    EXPECT_FLOAT_EQ(c.slider->endPos(), c.slider->startPos() + 2);
    c.slider->setStartPercent(-5);
    EXPECT_FLOAT_EQ(c.slider->startPos(), 0.0f);
    c.slider->setEndPercent(100);
    EXPECT_FLOAT_EQ(c.slider->endPos(), c.L());
    EXPECT_EQ(c.slider->endHandle()->x(), c.w() + int(c.L()));
    QSignalSpy play(c.slider, &QDualSlider::sendPlayProValue);
    c.slider->setProgressPercent(50, false);
    EXPECT_EQ(play.count(), 0);
    c.slider->setProgressPercent(50, true);
    ASSERT_EQ(play.count(), 1);
    EXPECT_DOUBLE_EQ(play.last().at(0).toDouble(), 0.5);
    c.slider->setProgressPercent(100, false);
    EXPECT_FLOAT_EQ(c.slider->progressPos(), float(c.slider->width() - 2 * c.w()));
}

TEST(DualSlider, BodyPressMovesThePlayHeadUnlessDisabled)
{
    CutSlider c;
    QSignalSpy press(c.slider, &QDualSlider::emitMousePress);
    QSignalSpy release(c.slider, &QDualSlider::emitmouseRelease);
    QSignalSpy play(c.slider, &QDualSlider::sendPlayProValue);
    sendMouse(c.slider, QEvent::MouseButtonPress, QPoint(112, 20));
    sendMouse(c.slider, QEvent::MouseButtonRelease, QPoint(112, 20), Qt::NoButton);
    EXPECT_EQ(press.count(), 1);
    EXPECT_EQ(release.count(), 1);
    ASSERT_EQ(play.count(), 1);
    EXPECT_DOUBLE_EQ(play.last().at(0).toDouble(), 100.0 / c.L());
    // A drag past the right end holds the play-head at the track's end.
    sendMouse(c.slider, QEvent::MouseButtonPress, QPoint(150, 20));
    sendMouse(c.slider, QEvent::MouseMove, QPoint(390, 20), Qt::LeftButton);
    sendMouse(c.slider, QEvent::MouseButtonRelease, QPoint(390, 20), Qt::NoButton);
    EXPECT_DOUBLE_EQ(play.last().at(0).toDouble(), 1.0);

    c.slider->setEnabled(false);
    const float p = c.slider->progressPos();
    const int plays = play.count();
    sendMouse(c.slider, QEvent::MouseButtonPress, QPoint(60, 20));
    EXPECT_EQ(press.count(), 3);
    EXPECT_EQ(play.count(), plays);
    EXPECT_FLOAT_EQ(c.slider->progressPos(), p);
    dragHandle(*c.slider, c.slider->startHandle(), 100);
    EXPECT_FLOAT_EQ(c.slider->startPos(), 0.0f);
    EXPECT_EQ(c.slider->startHandle()->state(), 3);
}

TEST(DualSlider, ArrowKeysStepOnlyWithFocus)
{
    CutSlider c;
    QSignalSpy prev(c.slider, &QDualSlider::emitPreviousFrame);
    QSignalSpy next(c.slider, &QDualSlider::emitNextFrame);
    auto *other = new QWidget(&c.window);
    other->setFocusPolicy(Qt::StrongFocus);
    other->show();
    other->setFocus();
    QTest::keyClick(&c.window, Qt::Key_Left);
    EXPECT_EQ(prev.count(), 0);
    QTest::mouseClick(c.slider, Qt::LeftButton, Qt::NoModifier, QPoint(50, 20));
    ASSERT_TRUE(c.slider->hasFocus());
    QTest::keyClick(c.slider, Qt::Key_Left);
    QTest::keyClick(c.slider, Qt::Key_Right);
    QTest::keyClick(c.slider, Qt::Key_Up);
    EXPECT_EQ(prev.count(), 1);
    EXPECT_EQ(next.count(), 1);
}

TEST(SliderCtrl, VolumeRangeReportsHalfInTheMiddle)
{
    QWidget window;
    auto *s = new qSliderCtrl(&window);
    s->setTrackImage("/image/PlayDlg/play_sound_trake_slider.png");
    s->setFillImage("/image/PlayDlg/play_sound_trake_rate.png");
    s->setHandleImage("/image/PlayDlg/play_sound_btn.png");
    s->setRange(0, 200);
    window.resize(200, 60);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(s->size(), QSize(80, 20));
    s->setValue(100);
    EXPECT_DOUBLE_EQ(s->positionPercent(), 50.0);
    QSignalSpy spy(s, &qSliderCtrl::sendProgressValue);
    // A press within half a handle of either end does nothing.
    sendMouse(s, QEvent::MouseButtonPress, QPoint(2, 10));
    sendMouse(s, QEvent::MouseButtonRelease, QPoint(2, 10), Qt::NoButton);
    EXPECT_EQ(spy.count(), 0);
    sendMouse(s, QEvent::MouseButtonPress, QPoint(40, 10));
    sendMouse(s, QEvent::MouseButtonRelease, QPoint(40, 10), Qt::NoButton);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_DOUBLE_EQ(spy.last().at(0).toDouble(), 0.5);
    // Dragging the handle far right clamps at the end.
    QSliderCtrlBtn *h = s->handle();
    sendMouse(h, QEvent::MouseButtonPress, QPoint(2, 2));
    sendMouse(h, QEvent::MouseMove, h->mapFromGlobal(s->mapToGlobal(QPoint(300, 2))), Qt::LeftButton);
    EXPECT_DOUBLE_EQ(spy.last().at(0).toDouble(), 1.0);
    s->setValue(300);
    EXPECT_DOUBLE_EQ(s->positionPercent(), 100.0);
    s->setValue(-1);
    EXPECT_DOUBLE_EQ(s->positionPercent(), 0.0);
}
