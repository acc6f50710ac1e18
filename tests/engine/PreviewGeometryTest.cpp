// The rules of the rectangles dragged on the editing preview: hit zones
// with their tolerance, the 2 % minimum, the picture's borders, the
// pan-scan proportion lock, and the watermark boxes' scaling.
#include "PreviewGeometry.h"

#include <gtest/gtest.h>

using namespace previewgeometry;

namespace {

// A 400 x 300 picture area at (10, 20).
const QRect kArea(10, 20, 400, 300);

QPoint at(double fx, double fy)
{
    return QPoint(static_cast<int>(kArea.left() + fx * kArea.width()), static_cast<int>(kArea.top() + fy * kArea.height()));
}

} // namespace

TEST(PreviewGeometryTest, EdgesAreGrabbedWithinFourPixelsAndCornersFirst)
{
    const VERect r{0.25, 0.25, 0.5, 0.5};
    const QRect px = pixelRect(kArea, r.x, r.y, r.width, r.height);
    const int midY = (px.top() + px.bottom()) / 2;
    EXPECT_EQ(hitZone(kArea, r.x, r.y, r.width, r.height, QPoint(px.left() - 3, midY)), Left);
    EXPECT_EQ(hitZone(kArea, r.x, r.y, r.width, r.height, QPoint(px.left() - 5, midY)), None);
    EXPECT_EQ(hitZone(kArea, r.x, r.y, r.width, r.height, QPoint(px.right() + 4, midY)), Right);
    EXPECT_EQ(hitZone(kArea, r.x, r.y, r.width, r.height, px.topLeft() + QPoint(2, 3)), TopLeft);
    EXPECT_EQ(hitZone(kArea, r.x, r.y, r.width, r.height, px.bottomRight() - QPoint(1, 1)), BottomRight);
    EXPECT_EQ(hitZone(kArea, r.x, r.y, r.width, r.height, QPoint(px.left() + 1, px.bottom() + 2)), BottomLeft);
    EXPECT_EQ(hitZone(kArea, r.x, r.y, r.width, r.height, QPoint(px.right(), px.top())), TopRight);
    EXPECT_EQ(hitZone(kArea, r.x, r.y, r.width, r.height, px.center()), Inside);
    EXPECT_EQ(hitZone(kArea, r.x, r.y, r.width, r.height, QPoint(px.center().x(), px.top() - 2)), Top);
    // A vanished rectangle cannot be hit.
    EXPECT_EQ(hitZone(kArea, 0.5, 0.5, 0.00005, 0.3, at(0.5, 0.6)), None);
    EXPECT_EQ(cursorFor(TopLeft), Qt::SizeFDiagCursor);
    EXPECT_EQ(cursorFor(TopRight), Qt::SizeBDiagCursor);
    EXPECT_EQ(cursorFor(Bottom), Qt::SizeVerCursor);
    EXPECT_EQ(cursorFor(None), Qt::ArrowCursor);
}

TEST(PreviewGeometryTest, CropEdgesStopShortOfTheOppositeEdgeAndAtTheBorders)
{
    const VECropSettings crop; // plain crop, no pan-scan
    const VERect saved{0.2, 0.2, 0.5, 0.5};
    // The left edge dragged far past the right edge stops 2 % short of it.
    VERect r = dragCrop(Left, at(0.2, 0.4), at(0.95, 0.4), saved, kArea, crop);
    EXPECT_NEAR(r.x + r.width, 0.7, 1e-9);
    EXPECT_GE(r.width, 0.02 - 1e-9);
    // ... and the 20-pixel minimum of this 400-pixel picture (0.05) holds too.
    EXPECT_NEAR(r.width, 20.0 / 400, 1e-9);
    // The right edge dragged left of the left edge.
    r = dragCrop(Right, at(0.7, 0.4), at(0.0, 0.4), saved, kArea, crop);
    EXPECT_DOUBLE_EQ(r.x, 0.2);
    EXPECT_NEAR(r.width, 0.05, 1e-9);
    // A corner dragged beyond the picture stops at the border.
    r = dragCrop(TopLeft, at(0.2, 0.2), QPoint(-200, -200), saved, kArea, crop);
    EXPECT_DOUBLE_EQ(r.x, 0.0);
    EXPECT_DOUBLE_EQ(r.y, 0.0);
    EXPECT_NEAR(r.x + r.width, 0.7, 1e-9);
    EXPECT_NEAR(r.y + r.height, 0.7, 1e-9);
    r = dragCrop(BottomRight, at(0.7, 0.7), QPoint(5000, 5000), saved, kArea, crop);
    EXPECT_NEAR(r.x + r.width, 1.0, 1e-9);
    EXPECT_NEAR(r.y + r.height, 1.0, 1e-9);
    // A moved rectangle keeps its size and stays inside.
    r = dragCrop(Inside, at(0.4, 0.4), QPoint(5000, -5000), saved, kArea, crop);
    EXPECT_NEAR(r.x, 0.5, 1e-9);
    EXPECT_DOUBLE_EQ(r.y, 0.0);
    EXPECT_DOUBLE_EQ(r.width, 0.5);
}

TEST(PreviewGeometryTest, PanScanKeepsTheProportionWithTheOppositeCornerFixed)
{
    VECropSettings crop;
    crop.panScan = 1;
    crop.padEnabled = 1;
    crop.aspectMode = 0;
    const VERect saved{0.2, 0.3, 0.4, 0.3};
    const double ratio = saved.width / saved.height;
    const VERect r = dragCrop(TopRight, at(0.6, 0.3), at(0.75, 0.28), saved, kArea, crop);
    EXPECT_NEAR(r.width / r.height, ratio, 1e-9);
    // The bottom-left corner stays where it was.
    EXPECT_NEAR(r.x, 0.2, 1e-9);
    EXPECT_NEAR(r.y + r.height, 0.6, 1e-9);
    EXPECT_GT(r.width, saved.width);
    // Without pan-scan the same drag changes the proportion.
    const VERect free = dragCrop(TopRight, at(0.6, 0.3), at(0.75, 0.28), saved, kArea, VECropSettings());
    EXPECT_GT(std::abs(free.width / free.height - ratio), 0.05);
}

TEST(PreviewGeometryTest, StoredCropCarriesTheRatioOfItsMode)
{
    VECropSettings crop;
    crop.aspectMode = 1; // original resolution: the ratio is the crop's own pixel size
    crop.panScan = 1;
    storeCrop(crop, VERect{0.1, 0.1, 0.5013, 0.25}, QSize(1920, 1080));
    EXPECT_EQ(crop.panScan, 0);
    EXPECT_EQ(crop.aspectNum, 962); // 962.5 rounded down to even
    EXPECT_EQ(crop.aspectDen, 270);
    EXPECT_EQ(crop.cropRect, crop.panRect);
    VECropSettings plain;
    plain.aspectMode = 0;
    plain.padEnabled = 0;
    plain.aspectNum = 16;
    plain.aspectDen = 9;
    storeCrop(plain, VERect{0, 0, 0.5, 0.5}, QSize(640, 480));
    EXPECT_EQ(plain.aspectNum, 0);
    EXPECT_EQ(plain.aspectDen, 0);
}

TEST(PreviewGeometryTest, WatermarkBoxesScaleWithTheirEdgesAndStayOnThePicture)
{
    Box text;
    text.x = 0.1;
    text.y = 0.1;
    text.w = 0.2;
    text.h = 0.1;
    // The right edge of a box 0.2 wide dragged to 0.4 doubles its width scale only.
    Box n = dragBox(Right, at(0.3, 0.15), at(0.5, 0.15), text, kArea);
    EXPECT_NEAR(n.w, 0.4, 1e-9);
    EXPECT_EQ(n.scaleX, 200);
    EXPECT_EQ(n.scaleY, 100);
    // Past its own left edge it stops at 0.02 wide: scale 10.
    n = dragBox(Right, at(0.3, 0.15), at(0.0, 0.15), text, kArea);
    EXPECT_NEAR(n.w, 0.02, 1e-9);
    EXPECT_EQ(n.scaleX, 10);
    // A picture box 0.3 wide moved far right stops at x = 0.7.
    Box picture;
    picture.x = 0.2;
    picture.y = 0.2;
    picture.w = 0.3;
    picture.h = 0.2;
    n = dragBox(Inside, at(0.3, 0.3), QPoint(9000, 0), picture, kArea);
    EXPECT_NEAR(n.x, 0.7, 1e-9);
    EXPECT_DOUBLE_EQ(n.y, 0.0);
    EXPECT_EQ(n.scaleX, 100);
}
