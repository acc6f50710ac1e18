#include "OutputFormatParams.h"
#include "VEEditConfig.h"

#include <QVariant>
#include <gtest/gtest.h>

TEST(EditingRecords, FreshConfigHasTheDocumentedDefaults)
{
    const VEEditConfig c;
    EXPECT_EQ(c.crop.cropRect, (VERect{0, 0, 1, 1}));
    EXPECT_EQ(c.crop.panRect, (VERect{0, 0, 1, 1}));
    EXPECT_EQ(c.crop.rotation, 0);
    EXPECT_EQ(c.crop.padEnabled, 1);
    EXPECT_EQ(c.crop.reservedB, 1);
    EXPECT_EQ(c.crop.fillColor, 0xff000000u);
    EXPECT_EQ(c.picture, (VEPictureAdjust{0, 0, 100, 100, 0}));
    EXPECT_EQ(c.audio.volume, 100);
    EXPECT_EQ(c.audio.weight, 50);
    EXPECT_EQ(c.audio.repeat, 1);
    EXPECT_EQ(c.soundEffect.volume, 100);
    EXPECT_EQ(c.soundEffect.rate, 100);
    EXPECT_EQ(c.subtitleStyle.fontSize, 18);
    EXPECT_EQ(c.subtitleStyle.alpha, 255);
    EXPECT_EQ(c.subtitleStyle.position, 0);
    EXPECT_DOUBLE_EQ(c.subtitleStyle.margin, 0.05);
    EXPECT_EQ(c.watermark.fontSize, 28);
    EXPECT_EQ(c.watermark.textAlpha, 255);
    EXPECT_EQ(c.watermark.imageAlpha, 255);
    EXPECT_EQ(c.watermark.fontColor, 0xffffffffu);
    EXPECT_EQ(c.watermark.shadowColor, 0x80000000u);
    EXPECT_EQ(c.streamChoice.subtlType, -1);
    EXPECT_EQ(c.trackChoice.subtlType, -1);
    EXPECT_EQ(c.reserved3, 3);
    EXPECT_EQ(c.trimStart, 0u);
    EXPECT_EQ(c.trimEnd, 0u);
    EXPECT_FALSE(c.trimmedFlag);
    EXPECT_EQ(c.tags.coverSize, 0);
}

TEST(EditingRecords, OverlaysDifferOnlyWhereTheyShould)
{
    const VEEditConfig c;
    // The effect overlay draws its picture as frame type 1; both library
    // overlays start unscaled; the user watermark keeps the plain defaults.
    EXPECT_EQ(c.effectOverlay.frameType, 1);
    EXPECT_EQ(c.frameOverlay.frameType, 0);
    EXPECT_EQ(c.watermark.frameType, 0);
    EXPECT_DOUBLE_EQ(c.effectOverlay.imageScale[0], 1.0);
    EXPECT_DOUBLE_EQ(c.frameOverlay.imageScale[1], 1.0);
    EXPECT_DOUBLE_EQ(c.watermark.imageScale[0], 0.0);
    EXPECT_EQ(c.watermark.imageInts, (std::array<int, 6>{{0, 0, 0, 100, 100, 0}}));
    EXPECT_EQ(c.watermark.imageSourceRect, (VERect{0, 0, 1, 1}));
}

TEST(EditingRecords, LiveRectFollowsPanScanRules)
{
    VECropSettings crop;
    crop.panRect = {0.1, 0.1, 0.5, 0.5};
    EXPECT_EQ(&crop.liveRect(), &crop.cropRect);
    crop.panScan = 1;
    EXPECT_EQ(&crop.liveRect(), &crop.panRect);
    crop.aspectMode = 2; // "Full Screen" never pans
    EXPECT_EQ(&crop.liveRect(), &crop.cropRect);
    crop.aspectMode = 0;
    crop.padEnabled = 0;
    EXPECT_EQ(&crop.liveRect(), &crop.cropRect);
}

TEST(EditingRecords, CopiesAreDeep)
{
    VEEditConfig a;
    a.soundEffect.eqFrequencies = {60, 1000, 16000};
    a.soundEffect.eqGains = {3, 0, -3};
    a.tags.coverData = std::string("\x89PNG\0\x01", 6);
    a.tags.coverSize = 6;
    a.audioTracks.push_back({true, {}});
    a.chapters.push_back({0, 0, 10, 10, "One", "One, 0-10"});

    VEEditConfig b = a;
    b.soundEffect.eqGains[0] = 12;
    b.soundEffect.eqFrequencies.push_back(20000);
    b.tags.coverData[0] = 'X';
    b.audioTracks[0].selected = false;
    b.chapters[0].name = "Changed";

    EXPECT_EQ(a.soundEffect.eqGains[0], 3);
    EXPECT_EQ(a.soundEffect.eqPointCount(), 3);
    EXPECT_EQ(b.soundEffect.eqPointCount(), 4);
    EXPECT_EQ(a.tags.coverData[0], '\x89');
    EXPECT_EQ(a.tags.coverData.size(), 6u);
    EXPECT_TRUE(a.audioTracks[0].selected);
    EXPECT_EQ(a.chapters[0].name, "One");
}

TEST(EditingRecords, TravelThroughQVariantAsValues)
{
    registerEditingMetaTypes();
    VECropSettings crop;
    crop.rotation = 270;
    crop.cropRect = {0.25, 0.0, 0.5, 1.0};
    const QVariant v = QVariant::fromValue(crop);
    ASSERT_TRUE(v.canConvert<VECropSettings>());
    EXPECT_EQ(v.value<VECropSettings>(), crop);
    EXPECT_NE(QMetaType::type("VEEditConfig"), 0);
}

TEST(EditingRecords, TagFieldsFollowTheStoredOrder)
{
    VEAudioTagInfo t;
    *t.field(0) = "T";
    *t.field(6) = "3/12";
    *t.field(13) = "img";
    EXPECT_EQ(t.title, "T");
    EXPECT_EQ(t.track, "3/12");
    EXPECT_EQ(t.coverData, "img");
    EXPECT_EQ(t.field(14), nullptr);
    EXPECT_EQ(t.field(-1), nullptr);
    EXPECT_STREQ(VEAudioTagInfo::metadataKey(2), "album_artist");
    EXPECT_STREQ(VEAudioTagInfo::metadataKey(13), "cover_image");
}

TEST(OutputFormatParamsRecord, OneEmptyInstancePerProcess)
{
    OutputFormatParams &p = OutputFormatParams::instance();
    EXPECT_EQ(&p, &OutputFormatParams::instance());
    EXPECT_FALSE(p.lossless);
    EXPECT_TRUE(p.container.isEmpty());
    EXPECT_EQ(p.videoCodecId, 0);
    p.container = "Original";
    EXPECT_TRUE(OutputFormatParams::instance().keepsSourceContainer());
}
