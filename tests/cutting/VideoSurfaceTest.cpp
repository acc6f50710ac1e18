// The preview window: aspect fitting, click against drag, and pictures
// arriving from a playing file.
#include "QVoVideoShowWidget.h"
#include "TestSupport.h"
#include "VideoImageWindow.h"
#include "orlcodec.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

Q_DECLARE_METATYPE(QMouseEvent *)

namespace {

void sendMouse(QWidget *w, QEvent::Type type, QPoint local)
{
    QMouseEvent e(type, local, w->mapToGlobal(local), Qt::LeftButton,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

} // namespace

TEST(VideoImageWindow, FitsThePictureAtItsAspect)
{
    VideoImageWindow w;
    EXPECT_EQ(w.size(), QSize(692, 478));
    EXPECT_EQ(w.objectName(), "VideoImageWindow");
    EXPECT_EQ(int(w.windowFlags()), 2051);
    w.setVideoSize(1920, 1080);
    EXPECT_EQ(w.imageWidget()->geometry(), QRect(0, 44, 692, 389));
    w.setVideoSize(720, 1280);
    EXPECT_EQ(w.imageWidget()->geometry(), QRect(212, 0, 268, 478));
    w.setVideoSize(0, 480);
    EXPECT_EQ(w.imageWidget()->geometry(), QRect(212, 0, 268, 478));
    w.setVideoSize(640, -1);
    EXPECT_EQ(w.imageWidget()->geometry(), QRect(212, 0, 268, 478));
    // A new window size re-fits the stored picture size.
    w.show();
    w.resize(1000, 478);
    QApplication::sendPostedEvents();
    EXPECT_EQ(w.imageWidget()->geometry(), QRect(366, 0, 268, 478));
}

TEST(VideoImageWindow, ClickTogglesPlayButADragDoesNot)
{
    QWidget parent;
    parent.resize(700, 500);
    auto *w = new VideoImageWindow(&parent);
    parent.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
    qRegisterMetaType<QMouseEvent *>();
    QSignalSpy toggle(w, &VideoImageWindow::emitPlayOrPause);
    QSignalSpy down(w, &VideoImageWindow::emitMouseDown);
    QSignalSpy up(w, &VideoImageWindow::emitMouseUp);
    sendMouse(w, QEvent::MouseButtonPress, QPoint(100, 100));
    sendMouse(w, QEvent::MouseButtonRelease, QPoint(100, 100));
    EXPECT_EQ(toggle.count(), 1);
    sendMouse(w, QEvent::MouseButtonPress, QPoint(100, 100));
    sendMouse(w, QEvent::MouseButtonRelease, QPoint(130, 100));
    EXPECT_EQ(toggle.count(), 1);
    EXPECT_EQ(down.count(), 2);
    EXPECT_EQ(up.count(), 2);
    QSignalSpy leave(w, &VideoImageWindow::emitMouseLeave);
    QEvent e(QEvent::Leave);
    QApplication::sendEvent(w, &e);
    EXPECT_EQ(leave.count(), 1);
}

TEST(VideoImageWindow, DoubleClickEntersAndLeavesFullScreen)
{
    QWidget parent;
    parent.resize(700, 500);
    auto *w = new VideoImageWindow(&parent);
    w->setGeometry(5, 10, 690, 450);
    w->setVideoSize(320, 240);
    parent.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
    QSignalSpy full(w, &VideoImageWindow::emitFullScreen);
    QSignalSpy showBtn(w, &VideoImageWindow::emitShowBtn);
    QTest::mouseDClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(50, 50));
    EXPECT_EQ(full.count(), 1);
    EXPECT_TRUE(w->inFullScreen());
    EXPECT_TRUE(w->isWindow());
    QMouseEvent move(QEvent::MouseMove, QPoint(10, w->height() - 10), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(w, &move);
    ASSERT_EQ(showBtn.count(), 1);
    EXPECT_TRUE(showBtn.last().at(0).toBool());
    QTest::mouseDClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(50, 50));
    EXPECT_FALSE(w->inFullScreen());
    EXPECT_FALSE(w->isWindow());
    EXPECT_EQ(w->geometry(), QRect(5, 10, 690, 450));
    EXPECT_EQ(w->imageWidget()->geometry(), QRect(45, 0, 600, 450));
}

TEST(VideoShowWidget, KeepsTheNewestPictureOfAPlayingFile)
{
    QVoVideoShowWidget surface;
    surface.resize(320, 240);
    surface.show();
    ORL_HANDLE p = Player_OpenFile(testsupport::fixture("h264_aac.mp4").toUtf8().constData());
    ASSERT_NE(p, 0);
    surface.attach(p);
    EXPECT_EQ(surface.deliveredCount(), 1);
    EXPECT_EQ(surface.currentImage().size(), QSize(320, 240));
    ASSERT_EQ(Player_Play(p), 1);
    // Pictures keep coming while it plays (however slowly a loaded machine
    // decodes them).
    EXPECT_TRUE(QTest::qWaitFor([&] { return surface.deliveredCount() > 5; }, 10000)) << surface.deliveredCount();
    // Detaching ends deliveries even while the file plays on.
    surface.attach(0);
    const int n = surface.deliveredCount();
    const uint64_t detachedAt = Player_GetPosition(p);
    QTRY_VERIFY_WITH_TIMEOUT(Player_GetPosition(p) > detachedAt + 300000, 10000);
    EXPECT_EQ(surface.deliveredCount(), n);
    Player_Destroy(p);
}
