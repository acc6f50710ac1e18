#include "OutputFormatParams.h"
#include "VEEditConfig.h"

#include <QVariant>

#include <functional>
#include <utility>
#include <vector>
#include <gtest/gtest.h>

namespace {

template <class Record> using Change = std::pair<const char *, std::function<void(Record &)>>;

// Each change of one field makes the record differ from a fresh one.
template <class Record> void expectEveryChangeSeen(const std::vector<Change<Record>> &changes)
{
    for (const auto &[field, change] : changes) {
        Record r;
        change(r);
        EXPECT_FALSE(r == Record()) << field;
        EXPECT_TRUE(r != Record()) << field;
    }
}

#define CHANGE(type, field, value) Change<type>{#field, [](type &r) { r.field = value; }}

} // namespace

// The holder writes and the preview redraws only what changed, and the
// subtitle font dialog's Cancel puts the look back only when it differs:
// a field left out of a record's comparison is an edit nobody sees.
TEST(EditingRecords, EveryFieldTakesPartInTheRecordsComparison)
{
    expectEveryChangeSeen<VECropSettings>({
        CHANGE(VECropSettings, aspectMode, 3), CHANGE(VECropSettings, panScan, 1),
        CHANGE(VECropSettings, aspectNum, 16), CHANGE(VECropSettings, aspectDen, 9),
        CHANGE(VECropSettings, reservedA, 7), CHANGE(VECropSettings, reservedB, 0),
        CHANGE(VECropSettings, rotation, 90), CHANGE(VECropSettings, mirrored, 1),
        CHANGE(VECropSettings, padEnabled, 0), CHANGE(VECropSettings, fillColor, 0xff102030u),
        CHANGE(VECropSettings, cropRect.x, 0.1), CHANGE(VECropSettings, cropRect.height, 0.5),
        CHANGE(VECropSettings, panRect.y, 0.2), CHANGE(VECropSettings, panRect.width, 0.4),
    });
    expectEveryChangeSeen<VEPictureAdjust>({
        CHANGE(VEPictureAdjust, brightness, 3), CHANGE(VEPictureAdjust, reserved, 1),
        CHANGE(VEPictureAdjust, saturation, 101), CHANGE(VEPictureAdjust, contrast, 99),
        CHANGE(VEPictureAdjust, hue, -1),
    });
    expectEveryChangeSeen<VETrackChoice>({
        CHANGE(VETrackChoice, ProgramIndex, 1), CHANGE(VETrackChoice, audioType, -1),
        CHANGE(VETrackChoice, audioTrack, 2), CHANGE(VETrackChoice, subtitleTrack, 1),
        CHANGE(VETrackChoice, subtitleCount, 2), CHANGE(VETrackChoice, subtlType, -3),
        CHANGE(VETrackChoice, path, "a.srt"),
    });
    expectEveryChangeSeen<VESubtitleStyle>({
        CHANGE(VESubtitleStyle, alpha, 254), CHANGE(VESubtitleStyle, scale[0], 50),
        CHANGE(VESubtitleStyle, scale[1], 50), CHANGE(VESubtitleStyle, reserved, 1),
        CHANGE(VESubtitleStyle, reservedInts[1], 1), CHANGE(VESubtitleStyle, fontName, "Serif"),
        CHANGE(VESubtitleStyle, fontSize, 19), CHANGE(VESubtitleStyle, bold, 1),
        CHANGE(VESubtitleStyle, italic, 1), CHANGE(VESubtitleStyle, underline, 1),
        CHANGE(VESubtitleStyle, strikeOut, 1), CHANGE(VESubtitleStyle, fontColor, 0xfffffffeu),
        CHANGE(VESubtitleStyle, shadowColor, 0x81000000u), CHANGE(VESubtitleStyle, outlineColor, 0xff000001u),
        CHANGE(VESubtitleStyle, shadowOffset, 0.6), CHANGE(VESubtitleStyle, outlineSize, 1.1),
        CHANGE(VESubtitleStyle, position, 16), CHANGE(VESubtitleStyle, spacingH, 0.05),
        CHANGE(VESubtitleStyle, spacingV, 0.05), CHANGE(VESubtitleStyle, marginH, 0.1),
        CHANGE(VESubtitleStyle, margin, 0.1), CHANGE(VESubtitleStyle, padding[15], 1),
    });
    using W = VEWatermarkSettings;
    expectEveryChangeSeen<W>({
        CHANGE(W, text, "T"), CHANGE(W, textAlpha, 1), CHANGE(W, textReserved, 1), CHANGE(W, textScaleX, 99),
        CHANGE(W, textScaleY, 99), CHANGE(W, textX, 0.1), CHANGE(W, textY, 0.1), CHANGE(W, textEnabled, 0),
        CHANGE(W, textOnTop, 0), CHANGE(W, fontName, "Serif"), CHANGE(W, fontSize, 29), CHANGE(W, bold, 1),
        CHANGE(W, italic, 1), CHANGE(W, underline, 1), CHANGE(W, strikeOut, 1),
        CHANGE(W, fontColor, 0xfffffffeu), CHANGE(W, shadowColor, 0x81000000u),
        CHANGE(W, outlineColor, 0xff000001u), CHANGE(W, shadowOffset, 0.6), CHANGE(W, outlineSize, 1.1),
        CHANGE(W, textStartTime, 1u), CHANGE(W, textEndTime, 1u), CHANGE(W, textAuxA, 1.0),
        CHANGE(W, textAuxB, 1.0), CHANGE(W, textWidth, 0.2), CHANGE(W, textHeight, 0.2),
        CHANGE(W, spacingH, 0.05), CHANGE(W, spacingV, 0.05), CHANGE(W, textAuxC, 1.0),
        CHANGE(W, textAuxD, 1.0), CHANGE(W, imagePath, "a.png"), CHANGE(W, imageFlag, 0),
        CHANGE(W, imageReserved, 1), CHANGE(W, imageAlpha, 1), CHANGE(W, imageScaleX, 99),
        CHANGE(W, imageScaleY, 99), CHANGE(W, imageX, 0.1), CHANGE(W, imageY, 0.1),
        CHANGE(W, imageEnabled, 0), CHANGE(W, imageAux, "x"), CHANGE(W, imageInts[5], 1),
        CHANGE(W, frameType, 1), CHANGE(W, imageStartTime, 1u), CHANGE(W, imageEndTime, 1u),
        CHANGE(W, imageInts2[3], 1), CHANGE(W, imageSourceRect.width, 0.5), CHANGE(W, imageScale[1], 1.0),
        CHANGE(W, imageWidth, 0.2), CHANGE(W, imageHeight, 0.2), CHANGE(W, overlayReserved, 1),
        CHANGE(W, listIndex, 2),
    });
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
