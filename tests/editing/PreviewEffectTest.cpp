// The Effect tab's edits look in the preview as the conversion writes them:
// every picture adjustment at both ends of its range, an animated video
// effect (whose moving frames must be the same ones at the same times, also
// after a seek) and a frame, each at three times.
#include "PreviewComparison.h"

#include "QFrameChunkManager.h"
#include "QVideoEffectManager.h"
#include "EffectFitting.h"

using previewcompare::PreviewComparison;

namespace {

class PreviewEffectTest : public PreviewComparison {};

// The overlay the Effect tab makes of an installed entry for the 320 x 240
// fixture.
VEWatermarkSettings overlayOf(const EffectEntry &entry, bool frame)
{
    VEEditConfig defaults;
    VEWatermarkSettings o = frame ? defaults.frameOverlay : defaults.effectOverlay;
    const int chosen = effectfit::choosePicture(entry.frames, 320, 240, frame);
    EXPECT_GE(chosen, 0);
    const FramePicture &p = entry.frames.value(chosen);
    o.imagePath = (entry.folder + '/' + p.fileName).toStdString();
    o.frameType = p.type;
    if (!frame)
        o.imageSourceRect = effectfit::coverSourceRect(p, 320, 240);
    return o;
}

const EffectEntry *named(const QEffectLibrary &library, const QString &name)
{
    for (const EffectEntry &e : library.entries())
        if (e.name == name)
            return &e;
    return nullptr;
}

} // namespace

TEST_F(PreviewEffectTest, EveryPictureAdjustmentAtBothEndsOfItsRange)
{
    struct End {
        const char *tag;
        VEPictureAdjust picture;
    };
    const QList<End> ends{
        {"brightness_low", {-254, 0, 100, 100, 0}}, {"brightness_high", {254, 0, 100, 100, 0}},
        {"contrast_low", {0, 0, 100, 0, 0}},        {"contrast_high", {0, 0, 100, 300, 0}},
        {"saturation_low", {0, 0, 0, 100, 0}},      {"saturation_high", {0, 0, 200, 100, 0}},
        {"hue_low", {0, 0, 100, 100, -180}},        {"hue_high", {0, 0, 100, 100, 180}},
    };
    for (const End &end : ends) {
        VEEditConfig edits;
        edits.picture = end.picture;
        expectSame(edits, end.tag);
    }
}

TEST_F(PreviewEffectTest, AnimatedEffectAndFrameOverlays)
{
    QVideoEffectManager effects(testsupport::appDir() + "/VideoEffects/");
    QFrameChunkManager frames(testsupport::appDir() + "/VideoFrames/");
    const EffectEntry *confetti = named(effects, "Confetti");
    const EffectEntry *wood = named(frames, "Wood");
    ASSERT_TRUE(confetti && wood);

    VEEditConfig effect;
    effect.effectOverlay = overlayOf(*confetti, false);
    expectSame(effect, "effect");

    VEEditConfig frame;
    frame.frameOverlay = overlayOf(*wood, true);
    expectSame(frame, "frame");

    // Both at once, the effect starting later in the file: before its start
    // only the frame shows, after it the effect runs from its own first frame.
    VEEditConfig both = frame;
    both.effectOverlay = overlayOf(*confetti, false);
    both.effectOverlay.imageStartTime = 1000000;
    expectSame(both, "effect_and_frame");
}

TEST_F(PreviewEffectTest, AnEffectRunningOutOfStepFailsTheComparison)
{
    // The preview's effect half a loop away from the written one: the check
    // must see the moving pictures differ, or its agreement above proves
    // nothing about which frame of the effect shows when.
    QVideoEffectManager effects(testsupport::appDir() + "/VideoEffects/");
    const EffectEntry *confetti = named(effects, "Confetti");
    ASSERT_TRUE(confetti);
    VEEditConfig shown;
    shown.effectOverlay = overlayOf(*confetti, false);
    VEEditConfig written = shown;
    written.effectOverlay.imageStartTime = 1500000;
    // At 0.6 s the written effect has not begun; later both run, out of step.
    for (double v : compare(shown, written, "out_of_step"))
        EXPECT_LT(v, 35.0);
}
