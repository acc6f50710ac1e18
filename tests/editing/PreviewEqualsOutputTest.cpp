// The editing preview shows what the conversion writes: for each kind of
// picture edit the preview's picture (grabbed while paused after a seek)
// and the encoded output's picture at the same time (decoded by the ffmpeg
// CLI) agree, measured by ffmpeg's own PSNR filter.
#include "PreviewComparison.h"

using previewcompare::PreviewComparison;
using testsupport::fixture;

namespace {
class PreviewEqualsOutputTest : public PreviewComparison {};
} // namespace

TEST_F(PreviewEqualsOutputTest, GeometryAdjustmentOverlaysAndSubtitlesLookAsWritten)
{
    VEEditConfig cropRotate;
    cropRotate.crop.cropRect = VERect{0.1, 0.15, 0.6, 0.7};
    cropRotate.crop.rotation = 90;
    expectSame(cropRotate, "crop_rotate");

    VEEditConfig adjust;
    adjust.picture.brightness = 40;
    adjust.picture.contrast = 130;
    adjust.picture.saturation = 160;
    adjust.picture.hue = 30;
    expectSame(adjust, "adjust");

    VEEditConfig text;
    text.watermark.text = "Snipwell 42";
    text.watermark.textX = 0.1;
    text.watermark.textY = 0.3;
    text.watermark.fontSize = 40;
    text.watermark.fontColor = 0xffffff00u;
    expectSame(text, "text");

    VEEditConfig picture;
    picture.watermark.imagePath = fixture("wm_alpha.png").toStdString();
    picture.watermark.imageX = 0.4;
    picture.watermark.imageY = 0.5;
    picture.watermark.imageAlpha = 200;
    expectSame(picture, "picture");

    VEEditConfig subtitles;
    subtitles.streamChoice.subtlType = -3;
    subtitles.streamChoice.path = fixture("subs.srt").toStdString();
    subtitles.subtitleStyle.fontSize = 26;
    expectSame(subtitles, "subtitles");
}

TEST_F(PreviewEqualsOutputTest, AWrongEditFailsTheComparison)
{
    // The preview shows one brightness, the conversion writes another: the
    // check must see it, or it proves nothing.
    VEEditConfig shown;
    shown.picture.brightness = 60;
    VEEditConfig written;
    written.picture.brightness = -20;
    for (double v : compare(shown, written, "wrong"))
        EXPECT_LT(v, 35.0);
}
