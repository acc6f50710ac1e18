#include "VEEditConfig.h"

#include <tuple>

bool VECropSettings::operator==(const VECropSettings &o) const
{
    return std::tie(aspectMode, panScan, aspectNum, aspectDen, reservedA, reservedB, rotation,
                    mirrored, padEnabled, fillColor)
        == std::tie(o.aspectMode, o.panScan, o.aspectNum, o.aspectDen, o.reservedA, o.reservedB,
                    o.rotation, o.mirrored, o.padEnabled, o.fillColor)
        && cropRect == o.cropRect && panRect == o.panRect;
}

bool VEWatermarkSettings::operator==(const VEWatermarkSettings &o) const
{
    const bool textSame =
        std::tie(text, textAlpha, textReserved, textScaleX, textScaleY, textX, textY, textEnabled,
                 textOnTop, fontName, fontSize, bold, italic, underline, strikeOut, fontColor,
                 shadowColor, outlineColor, shadowOffset, outlineSize, textStartTime, textEndTime)
            == std::tie(o.text, o.textAlpha, o.textReserved, o.textScaleX, o.textScaleY, o.textX,
                        o.textY, o.textEnabled, o.textOnTop, o.fontName, o.fontSize, o.bold,
                        o.italic, o.underline, o.strikeOut, o.fontColor, o.shadowColor,
                        o.outlineColor, o.shadowOffset, o.outlineSize, o.textStartTime,
                        o.textEndTime)
        && std::tie(textAuxA, textAuxB, textWidth, textHeight, spacingH, spacingV, textAuxC, textAuxD)
            == std::tie(o.textAuxA, o.textAuxB, o.textWidth, o.textHeight, o.spacingH, o.spacingV,
                        o.textAuxC, o.textAuxD);
    const bool imageSame =
        std::tie(imagePath, imageFlag, imageReserved, imageAlpha, imageScaleX, imageScaleY, imageX,
                 imageY, imageEnabled, imageAux, imageInts, frameType, imageStartTime, imageEndTime,
                 imageInts2, imageScale, imageWidth, imageHeight)
            == std::tie(o.imagePath, o.imageFlag, o.imageReserved, o.imageAlpha, o.imageScaleX,
                        o.imageScaleY, o.imageX, o.imageY, o.imageEnabled, o.imageAux, o.imageInts,
                        o.frameType, o.imageStartTime, o.imageEndTime, o.imageInts2, o.imageScale,
                        o.imageWidth, o.imageHeight)
        && imageSourceRect == o.imageSourceRect;
    return textSame && imageSame && overlayReserved == o.overlayReserved && listIndex == o.listIndex;
}

bool VESubtitleStyle::operator==(const VESubtitleStyle &o) const
{
    return std::tie(alpha, scale, reserved, reservedInts, fontName, fontSize, bold, italic,
                    underline, strikeOut, fontColor, shadowColor, outlineColor, shadowOffset,
                    outlineSize, position, spacingH, spacingV, marginH, margin, padding)
        == std::tie(o.alpha, o.scale, o.reserved, o.reservedInts, o.fontName, o.fontSize, o.bold,
                    o.italic, o.underline, o.strikeOut, o.fontColor, o.shadowColor,
                    o.outlineColor, o.shadowOffset, o.outlineSize, o.position, o.spacingH,
                    o.spacingV, o.marginH, o.margin, o.padding);
}

VEEditConfig::VEEditConfig()
{
    // The effect overlay draws its picture as frame type 1; both library
    // overlays start with an unscaled picture.
    effectOverlay.frameType = 1;
    effectOverlay.imageScale = {{1.0, 1.0}};
    frameOverlay.imageScale = {{1.0, 1.0}};
}

bool VEEditConfig::operator==(const VEEditConfig &o) const
{
    return std::tie(trimStart, trimEnd, trimmedFlag, crop, picture, effectOverlay, frameOverlay, watermark,
                    trackChoice, subtitleChoices, chapters, subtitleStyle, audio, soundEffect, audioTrackNames,
                    tags, displayWidth, displayHeight, trackListLocked, m_bLossless, m_fileFormat, isDisc,
                    streamChoice, subtitleTracks, audioTracks, reserved2, reserved3)
        == std::tie(o.trimStart, o.trimEnd, o.trimmedFlag, o.crop, o.picture, o.effectOverlay, o.frameOverlay,
                    o.watermark, o.trackChoice, o.subtitleChoices, o.chapters, o.subtitleStyle, o.audio,
                    o.soundEffect, o.audioTrackNames, o.tags, o.displayWidth, o.displayHeight,
                    o.trackListLocked, o.m_bLossless, o.m_fileFormat, o.isDisc, o.streamChoice,
                    o.subtitleTracks, o.audioTracks, o.reserved2, o.reserved3);
}

// A field added to the record must join the comparison above, or undo and
// the project's unsaved-work check would not see it change. Almost every
// addition changes the size, so the compiler says so (on the 64-bit
// platforms the size was taken on).
#if defined(__x86_64__) && defined(__GLIBCXX__)
static_assert(sizeof(VEEditConfig) == 2640, "a field was added to VEEditConfig: compare it in operator==");
#endif

void registerEditingMetaTypes()
{
    static const bool registered = [] {
        qRegisterMetaType<VECropSettings>("VECropSettings");
        qRegisterMetaType<VEPictureAdjust>("VEPictureAdjust");
        qRegisterMetaType<VEWatermarkSettings>("VEWatermarkSettings");
        qRegisterMetaType<VETrackChoice>("VETrackChoice");
        qRegisterMetaType<VESubtitleStyle>("VESubtitleStyle");
        qRegisterMetaType<VEAudioSettings>("VEAudioSettings");
        qRegisterMetaType<VESoundEffect>("VESoundEffect");
        qRegisterMetaType<VEAudioTagInfo>("VEAudioTagInfo");
        qRegisterMetaType<VEEditConfig>("VEEditConfig");
        return true;
    }();
    (void)registered;
}
