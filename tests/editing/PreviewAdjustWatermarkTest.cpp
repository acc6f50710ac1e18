// The preview shows what the conversion writes, for the edits of the
// "Adjust" and "Watermark" tabs: a changed aspect, pan-scan, flips, a
// half-transparent text and a picture watermark. Each is compared at three
// times by ffmpeg's PSNR filter between the preview's picture and the
// converted file's.
#include "PreviewComparison.h"

using previewcompare::PreviewComparison;
using testsupport::fixture;

namespace {
class PreviewAdjustWatermarkTest : public PreviewComparison {};
} // namespace

TEST_F(PreviewAdjustWatermarkTest, AspectAndPanScanLookAsWritten)
{
    VEEditConfig wide;
    wide.crop.aspectMode = 3;
    wide.crop.aspectNum = 16;
    wide.crop.aspectDen = 9;
    wide.crop.cropRect = VERect{0.1, 0.05, 0.7, 0.8};
    expectSame(wide, "aspect_16x9");

    // Pan-scan fills the frame from its own rectangle, also turned.
    VEEditConfig pan;
    pan.displayWidth = 320;
    pan.displayHeight = 240;
    pan.crop.panScan = 1;
    pan.crop.panRect = VERect{0.25, 0.2, 0.5, 0.5};
    expectSame(pan, "panscan");
    pan.crop.rotation = 90;
    expectSame(pan, "panscan_turned");
}

TEST_F(PreviewAdjustWatermarkTest, FlipsLookAsWritten)
{
    VEEditConfig mirrored;
    mirrored.crop.mirrored = 1;
    mirrored.crop.cropRect = VERect{0.0, 0.0, 0.6, 1.0}; // asymmetric, so a mirror shows
    expectSame(mirrored, "flip_h");

    VEEditConfig upsideDown;
    upsideDown.crop.mirrored = 1;
    upsideDown.crop.rotation = 180;
    upsideDown.crop.cropRect = VERect{0.0, 0.0, 1.0, 0.6};
    expectSame(upsideDown, "flip_v");
}

TEST_F(PreviewAdjustWatermarkTest, HalfTransparentTextAndPictureWatermarksLookAsWritten)
{
    VEEditConfig text;
    text.watermark.text = "Zelvane 7";
    text.watermark.textX = 0.15;
    text.watermark.textY = 0.4;
    text.watermark.fontSize = 48;
    text.watermark.bold = 1;
    text.watermark.fontColor = 0xffff4040u;
    text.watermark.textAlpha = 128;
    expectSame(text, "text_alpha");

    VEEditConfig picture;
    picture.watermark.imagePath = fixture("wm_alpha.png").toStdString();
    picture.watermark.imageX = 0.1;
    picture.watermark.imageY = 0.15;
    picture.watermark.imageAlpha = 128;
    picture.watermark.imageScaleX = 150;
    picture.watermark.imageScaleY = 150;
    expectSame(picture, "picture_alpha");
}
