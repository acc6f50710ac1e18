// Nine-part painting and the frameless window bases: corners, title rules,
// dragging by the title area, edge resizing, maximising, closing animation.
#include "WidgetTestHelpers.h"

#include "QImageButton.h"
#include "QNinePointsImageDialog.h"
#include "QVariableSizeWidget.h"
#include "QVoDialog.h"
#include "SkinImage.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace widgettest;

namespace {
const QColor corner(200, 0, 0), horizontalEdge(0, 200, 0), verticalEdge(200, 0, 200), centre(200, 200, 0);

// 90 x 90, thirds of 30: corners red, top/bottom edges green, left/right
// edges magenta, centre yellow.
QPixmap zonedSource()
{
    QImage img(90, 90, QImage::Format_ARGB32_Premultiplied);
    img.fill(centre);
    QPainter p(&img);
    for (int x : {0, 60})
        for (int y : {0, 60})
            p.fillRect(x, y, 30, 30, corner);
    p.fillRect(30, 0, 30, 30, horizontalEdge);
    p.fillRect(30, 60, 30, 30, horizontalEdge);
    p.fillRect(0, 30, 30, 30, verticalEdge);
    p.fillRect(60, 30, 30, 30, verticalEdge);
    return QPixmap::fromImage(img);
}

QImage paintNine(const QSize &size, const QPixmap &source, const skin::NineCorners &corners)
{
    QImage out(size, QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    QPainter p(&out);
    skin::drawNinePart(p, out.rect(), source, corners);
    return out;
}

bool contains(const QImage &img, const QColor &c, const QRect &area)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (img.pixelColor(x, y) == c)
                return true;
    return false;
}

QImage render(QWidget &w)
{
    QImage image(w.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    w.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

QRect available()
{
    return QGuiApplication::primaryScreen()->availableGeometry();
}
} // namespace

TEST(NinePart, CornersStayUnscaledEdgesAndCentreStretch)
{
    const QImage out = paintNine(QSize(300, 200), zonedSource(), skin::NineCorners::thirds(QSize(90, 90)));
    for (const QRect &c : {QRect(0, 0, 30, 30), QRect(270, 0, 30, 30), QRect(0, 170, 30, 30), QRect(270, 170, 30, 30)}) {
        EXPECT_EQ(out.pixelColor(c.topLeft()), corner);
        EXPECT_EQ(out.pixelColor(c.bottomRight()), corner);
    }
    EXPECT_EQ(out.pixelColor(31, 0), horizontalEdge);
    EXPECT_EQ(out.pixelColor(268, 29), horizontalEdge);
    EXPECT_EQ(out.pixelColor(150, 185), horizontalEdge);
    EXPECT_EQ(out.pixelColor(10, 31), verticalEdge);
    EXPECT_EQ(out.pixelColor(290, 168), verticalEdge);
    EXPECT_EQ(out.pixelColor(150, 100), centre);
    EXPECT_EQ(out.pixelColor(31, 31), centre);
}

TEST(NinePart, PiecesWithoutRoomAreSkipped)
{
    // 50 pixels wide with two 30-pixel top corners: no room for the top and
    // bottom edges or the centre; the corners overlap, the sides remain.
    const QImage out = paintNine(QSize(50, 120), zonedSource(), skin::NineCorners::thirds(QSize(90, 90)));
    EXPECT_FALSE(contains(out, horizontalEdge, out.rect()));
    EXPECT_FALSE(contains(out, centre, out.rect()));
    EXPECT_TRUE(contains(out, verticalEdge, QRect(0, 30, 50, 60)));
    EXPECT_EQ(out.pixelColor(0, 0), corner);
    EXPECT_EQ(out.pixelColor(49, 119), corner);
}

TEST(NinePointsImageDialog, PaintsTheBackgroundCornersUnscaled)
{
    const QString bg = "/image/Common_bg/bg_2.png";
    const QImage source = skin::load(bg).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QNinePointsImageDialog dlg;
    ASSERT_TRUE(dlg.setBackgroundImage(bg, true));
    EXPECT_EQ(dlg.size(), source.size()); // a resizable dialog starts at the picture's size
    dlg.setCornerSizes(50, 50, 50, 50, 50, 50, 50, 50);
    dlg.resize(520, 330);
    const QImage shown = render(dlg);
    EXPECT_EQ(shown.copy(0, 0, 50, 50), source.copy(0, 0, 50, 50));
    EXPECT_EQ(shown.copy(470, 0, 50, 50), source.copy(source.width() - 50, 0, 50, 50));
    EXPECT_EQ(shown.copy(0, 280, 50, 50), source.copy(0, source.height() - 50, 50, 50));
    EXPECT_EQ(shown.copy(470, 280, 50, 50), source.copy(source.width() - 50, source.height() - 50, 50, 50));

    QNinePointsImageDialog fixed;
    ASSERT_TRUE(fixed.setBackgroundImage(bg));
    EXPECT_EQ(fixed.minimumSize(), source.size());
    EXPECT_EQ(fixed.maximumSize(), source.size());
    EXPECT_EQ(int(fixed.windowFlags() & 0xffff), 2051);
    EXPECT_TRUE(fixed.testAttribute(Qt::WA_TranslucentBackground));
}

TEST(NinePointsImageDialog, TitleRectangleDefaultsWidensAndElides)
{
    QNinePointsImageDialog dlg;
    ASSERT_TRUE(dlg.setBackgroundImage("/image/Common_bg/bg_2.png"));
    EXPECT_EQ(dlg.titleRect(), QRect(QPoint(10, 0), QPoint(9 + 325, 24)));
    dlg.setTitleRect(39, 5, 38, 4); // right one less than left: widen
    EXPECT_EQ(dlg.titleRect(), QRect(39, 5, dlg.width(), 20));
    dlg.setTitleRect(QRect(QPoint(43, 13), QPoint(142, 32)));
    EXPECT_EQ(dlg.titleRect(), QRect(43, 13, 100, 20));

    // A long title stays inside its rectangle.
    const QColor ink(255, 0, 255);
    dlg.setTitleColor(ink);
    dlg.setTitleText(QString("Zelvane Snipwell ").repeated(8));
    const QImage shown = render(dlg);
    auto inkIn = [&](const QRect &area) {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) {
                const QColor c = shown.pixelColor(x, y);
                n += c.red() > 200 && c.blue() > 200 && c.green() < 90;
            }
        return n;
    };
    EXPECT_GT(inkIn(QRect(43, 13, 100, 20)), 20);
    EXPECT_EQ(inkIn(QRect(143, 13, dlg.width() - 143, 20)), 0);
}

TEST(NinePointsImageDialog, DragsOnlyFromTheDragArea)
{
    QNinePointsImageDialog dlg;
    ASSERT_TRUE(dlg.setBackgroundImage("/image/Common_bg/bg_2.png"));
    dlg.setDragAreaHeight(38);
    dlg.frame().setUseSystemMove(false);
    dlg.move(100, 100);
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    const QPoint start = dlg.pos();

    press(&dlg, QPoint(60, 20));
    const QPoint grab = dlg.mapToGlobal(QPoint(60, 20));
    dragTo(&dlg, grab + QPoint(30, 40));
    EXPECT_EQ(dlg.pos(), start + QPoint(30, 40));
    release(&dlg, grab + QPoint(30, 40));

    const QPoint moved = dlg.pos();
    press(&dlg, QPoint(60, 60)); // below the drag area
    dragTo(&dlg, dlg.mapToGlobal(QPoint(60, 60)) + QPoint(25, 25));
    release(&dlg, dlg.mapToGlobal(QPoint(60, 60)) + QPoint(25, 25));
    EXPECT_EQ(dlg.pos(), moved);

    dlg.setMovable(false);
    press(&dlg, QPoint(60, 20));
    dragTo(&dlg, dlg.mapToGlobal(QPoint(60, 20)) + QPoint(25, 25));
    release(&dlg, dlg.mapToGlobal(QPoint(60, 20)) + QPoint(25, 25));
    EXPECT_EQ(dlg.pos(), moved);
}

TEST(NinePointsImageDialog, ResizesFromEdgesAndMaximisesOnDoubleClick)
{
    QNinePointsImageDialog dlg;
    ASSERT_TRUE(dlg.setBackgroundImage("/image/Common_bg/bg_2.png", true));
    dlg.frame().setUseSystemMove(false);
    dlg.setMinimumSize(200, 100);
    dlg.move(120, 110);
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    const QRect before = dlg.geometry();

    // Hovering sets the edge and its cursor.
    mouse(&dlg, QEvent::MouseMove, QPoint(dlg.width() - 2, 80), dlg.mapToGlobal(QPoint(dlg.width() - 2, 80)), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(dlg.frame().edges(), Qt::RightEdge);
    EXPECT_EQ(dlg.cursor().shape(), Qt::SizeHorCursor);
    mouse(&dlg, QEvent::MouseMove, QPoint(1, dlg.height() - 1), dlg.mapToGlobal(QPoint(1, dlg.height() - 1)), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(dlg.frame().edges(), Qt::LeftEdge | Qt::BottomEdge);
    EXPECT_EQ(dlg.cursor().shape(), Qt::SizeBDiagCursor);
    mouse(&dlg, QEvent::MouseMove, QPoint(100, 80), dlg.mapToGlobal(QPoint(100, 80)), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(dlg.frame().edges(), Qt::Edges());
    EXPECT_EQ(dlg.cursor().shape(), Qt::ArrowCursor);

    // Pulling the right edge: every second move is applied.
    mouse(&dlg, QEvent::MouseMove, QPoint(dlg.width() - 2, 80), dlg.mapToGlobal(QPoint(dlg.width() - 2, 80)), Qt::NoButton, Qt::NoButton);
    press(&dlg, QPoint(dlg.width() - 2, 80));
    const QPoint edge = dlg.mapToGlobal(QPoint(dlg.width() - 1, 80));
    dragTo(&dlg, edge + QPoint(20, 0));
    EXPECT_EQ(dlg.width(), before.width());
    dragTo(&dlg, edge + QPoint(40, 0));
    EXPECT_EQ(dlg.geometry(), before.adjusted(0, 0, 40, 0));
    // Never below the minimum size.
    dragTo(&dlg, QPoint(before.left() + 150, edge.y()));
    dragTo(&dlg, QPoint(before.left() + 150, edge.y()));
    EXPECT_EQ(dlg.width(), before.width() + 40);
    release(&dlg, edge);

    QTest::mouseDClick(&dlg, Qt::LeftButton, {}, QPoint(100, 20));
    EXPECT_TRUE(dlg.isMaximizedByFrame());
    EXPECT_EQ(dlg.geometry(), available());
    QTest::mouseDClick(&dlg, Qt::LeftButton, {}, QPoint(100, 20));
    EXPECT_FALSE(dlg.isMaximizedByFrame());
    EXPECT_EQ(dlg.geometry(), before.adjusted(0, 0, 40, 0));
}

TEST(VariableSizeWidget, MaximisesBeyondTheScreenByHalfTheShadow)
{
    QVariableSizeWidget w;
    ASSERT_TRUE(w.setBackgroundImage("/image/backgroud.png"));
    w.setGeometry(60, 70, 720, 530);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QSignalSpy restored(&w, &QVariableSizeWidget::emitRestoreDlg);
    w.OnBtnMax(20);
    EXPECT_EQ(w.geometry(), available().adjusted(-10, -10, 10, 10));
    EXPECT_EQ(restored.count(), 0);
    w.OnBtnMax(20);
    EXPECT_EQ(w.geometry(), QRect(60, 70, 720, 530));
    EXPECT_EQ(restored.count(), 1);

    // Only a double click on the top 76 pixels toggles.
    w.setTransparentSize(0);
    QTest::mouseDClick(&w, Qt::LeftButton, {}, QPoint(300, 80));
    EXPECT_FALSE(w.isMaximizedByFrame());
    QTest::mouseDClick(&w, Qt::LeftButton, {}, QPoint(300, 70));
    EXPECT_TRUE(w.isMaximizedByFrame());
    EXPECT_EQ(w.geometry(), available());
    w.OnBtnMax();
    EXPECT_EQ(restored.count(), 2);
}

TEST(VariableSizeWidget, DragsByTheTopAndUsesWiderEdgeZones)
{
    QVariableSizeWidget w;
    w.frame().setUseSystemMove(false);
    w.setGeometry(60, 70, 500, 400);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    mouse(&w, QEvent::MouseMove, QPoint(250, 395), w.mapToGlobal(QPoint(250, 395)), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(w.frame().edges(), Qt::BottomEdge); // 6-pixel zone at top and bottom
    mouse(&w, QEvent::MouseMove, QPoint(4, 200), w.mapToGlobal(QPoint(4, 200)), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(w.frame().edges(), Qt::Edges()); // 3-pixel zone at the sides
    mouse(&w, QEvent::MouseMove, QPoint(2, 200), w.mapToGlobal(QPoint(2, 200)), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(w.frame().edges(), Qt::LeftEdge);

    mouse(&w, QEvent::MouseMove, QPoint(250, 70), w.mapToGlobal(QPoint(250, 70)), Qt::NoButton, Qt::NoButton);
    press(&w, QPoint(250, 70));
    const QPoint grab = w.mapToGlobal(QPoint(250, 70));
    dragTo(&w, grab + QPoint(-15, 22));
    release(&w, grab + QPoint(-15, 22));
    EXPECT_EQ(w.pos(), QPoint(45, 92));
    EXPECT_EQ(w.cursor().shape(), Qt::ArrowCursor);

    press(&w, QPoint(250, 80)); // below the 75-pixel drag area
    dragTo(&w, w.mapToGlobal(QPoint(250, 80)) + QPoint(30, 30));
    release(&w, w.mapToGlobal(QPoint(250, 80)) + QPoint(30, 30));
    EXPECT_EQ(w.pos(), QPoint(45, 92));
}

TEST(VariableSizeWidget, CloseAnimationFoldsToAMiddleLineThenCloses)
{
    QVariableSizeWidget w;
    w.setMinimumSize(300, 200);
    w.setGeometry(100, 100, 400, 300);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    w.startCloseAnimation();
    EXPECT_EQ(w.minimumSize(), QSize(0, 0));
    // It shrinks before it hides.
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.height() < 300; }, 2000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w.isVisible(); }, 2000));
    EXPECT_EQ(w.geometry(), QRect(100, 250, 400, 1));
}

TEST(VoDialog, LaysOutTitleBarFromTheRight)
{
    QVoDialog dlg;
    ASSERT_TRUE(dlg.setBackgroundImage("/pic/bg_msg.png"));
    ASSERT_TRUE(dlg.setTitleIcon("/pic/msg_title_icon.png"));
    dlg.setTitleBarHeight(44);
    dlg.resize(400, 200);
    auto *close = new QImageButton(&dlg);
    close->setImage("/pic/btn_close.png");
    auto *other = new QImageButton(&dlg);
    other->setImage("/image/btn_min.png");
    other->setFixedSize(20, 20);
    dlg.addTitleBarButton(close);
    dlg.addTitleBarButton(other);
    EXPECT_EQ(close->geometry(), QRect(400 - 8 - 24, 10, 24, 24));
    EXPECT_EQ(other->geometry(), QRect(close->x() - 4 - 20, 12, 20, 20));
    EXPECT_EQ(dlg.titleIconRect(), QRect(10, 12, 20, 20));
    EXPECT_EQ(dlg.titleRect().left(), 10 + 20 + 5);
    EXPECT_LE(dlg.titleRect().right(), other->x());
    dlg.show();
    dlg.resize(500, 200);
    EXPECT_EQ(close->x(), 500 - 8 - 24);
}
