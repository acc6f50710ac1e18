#include "EditParams.h"

#include "orlcodec.h"

#include "ConvertJob.h"

#include <QLatin1String>

#include <algorithm>
#include <cstring>

namespace {

constexpr int32_t kSubtitleMovText = 94213;
constexpr int32_t kSubtitleText = 94210;

// Font names may carry a leading "@" (vertical writing variants); the
// engine takes the plain family name.
std::string plainFontName(const std::string &name)
{
    return !name.empty() && name[0] == '@' ? name.substr(1) : name;
}

void applyOverlay(ORL_HANDLE p, int slot, const VEWatermarkSettings &o)
{
    Param_SelectOverlay(p, slot);
    if (!o.imagePath.empty()) {
        Param_SetOverlayImage(p, o.imagePath.c_str());
        Param_SetOverlayImageAux(p, o.imageAux.c_str());
        Param_SetOverlayImageValue(p, o.imageInts[0]);
        Param_SetOverlayImagePosition(p, o.imageX, o.imageY);
        Param_SetOverlayImageScalePercent(p, o.imageScaleX, o.imageScaleY);
        Param_SetOverlayImageReserved(p, o.imageReserved);
        Param_SetOverlayImageAlpha(p, o.imageAlpha);
        Param_SetOverlayFrameType(p, o.frameType);
        Param_SetOverlayImageScale(p, o.imageScale[0], o.imageScale[1]);
        Param_SetOverlayImageFlag(p, o.imageFlag);
        Param_SetOverlaySourceRect(p, o.imageSourceRect.x, o.imageSourceRect.y, o.imageSourceRect.width,
                                   o.imageSourceRect.height);
        // Without its times a picture bound to the trim would show all along.
        Param_SetOverlayImageTimes(p, o.imageStartTime, o.imageEndTime);
    }
    if (!o.text.empty()) {
        Param_SetOverlayText(p, o.text.c_str());
        Param_SetOverlayTextAlpha(p, o.textAlpha);
        Param_SetOverlayTextPosition(p, o.textX, o.textY);
        Param_SetOverlayTextReserved(p, o.textReserved);
        Param_SetOverlayTextBold(p, o.bold);
        Param_SetOverlayTextFontSize(p, o.fontSize);
        Param_SetOverlayTextFont(p, plainFontName(o.fontName).c_str());
        Param_SetOverlayTextColor(p, o.fontColor);
        Param_SetOverlayTextOutlineColor(p, o.outlineColor);
        Param_SetOverlayTextOutlineSize(p, o.outlineSize);
        Param_SetOverlayTextShadowColor(p, o.shadowColor);
        Param_SetOverlayTextShadowOffset(p, o.shadowOffset);
        Param_SetOverlayTextItalic(p, o.italic);
        Param_SetOverlayTextUnderline(p, o.underline);
        Param_SetOverlayTextStrikeOut(p, o.strikeOut);
        Param_SetOverlayTextScale(p, o.textScaleX, o.textScaleY);
        Param_SetOverlayTextOnTop(p, o.textOnTop);
        Param_SetOverlayTextSpacing(p, o.spacingH, o.spacingV);
        Param_SetOverlayTextTimes(p, o.textStartTime, o.textEndTime);
    }
}

} // namespace

void applyEditParams(ORL_HANDLE p, const VEEditConfig &config, bool lossless)
{
    const EngineStreamChoice choice = engineStreamChoice(config);

    // picture
    Param_SetBrightness(p, config.picture.brightness);
    Param_SetSaturation(p, config.picture.saturation);
    Param_SetContrast(p, config.picture.contrast);
    Param_SetHue(p, config.picture.hue);

    // title and audio
    Param_SelectProgram(p, config.streamChoice.ProgramIndex);
    if (config.streamChoice.audioType == -1) {
        Param_SelectAudio(p, -1);
    } else {
        Param_SelectAudio(p, choice.audioIndex);
        if (lossless) {
            Param_SetAudioCopyMask(p, choice.audioMask);
            Param_SetOption(p, "audio_copy", "");
        }
    }

    // subtitles
    switch (config.streamChoice.subtlType) {
    case -1:
        Param_SelectSubtitle(p, -1);
        break;
    case -2:
        Param_UseClosedCaptions(p, 1);
        break;
    case -3:
        Param_SetSubtitleFile(p, config.streamChoice.path.c_str());
        break;
    default:
        Param_SelectSubtitle(p, choice.subtitleIndex);
        if (lossless) {
            Param_SetOption(p, "subtitle_copy", "");
            Param_SetSubtitleCopyMask(p, choice.subtitleMask);
            if (config.m_fileFormat == QLatin1String("mov"))
                Param_SetSubtitleCodec(p, kSubtitleMovText);
            else if (choice.firstSubtitleIsClosedCaption)
                Param_SetSubtitleCodec(p, kSubtitleText);
        }
        break;
    }

    // subtitle look
    const VESubtitleStyle &s = config.subtitleStyle;
    Param_SetSubtitleAlpha(p, s.alpha);
    Param_SetSubtitleScale(p, s.scale[0], s.scale[1]);
    Param_SetSubtitleReserved(p, s.reservedInts[0], s.reservedInts[1]);
    Param_SetSubtitleFont(p, plainFontName(s.fontName).c_str());
    Param_SetSubtitleBold(p, s.bold);
    Param_SetSubtitleItalic(p, s.italic);
    Param_SetSubtitleUnderline(p, s.underline);
    Param_SetSubtitleStrikeOut(p, s.strikeOut);
    Param_SetSubtitleFontSize(p, s.fontSize);
    Param_SetSubtitleColor(p, s.fontColor);
    Param_SetSubtitleShadowColor(p, s.shadowColor);
    Param_SetSubtitleOutlineColor(p, s.outlineColor);
    Param_SetSubtitleShadowOffset(p, s.shadowOffset);
    Param_SetSubtitleOutlineSize(p, s.outlineSize);
    Param_SetSubtitleMarginH(p, s.marginH);
    Param_SetSubtitleMargin(p, s.margin);
    Param_SetSubtitlePosition(p, s.position);
    Param_SetSubtitleSpacingH(p, s.spacingH);
    Param_SetSubtitleSpacingV(p, s.spacingV);

    // overlays: the user's watermark, the effect and the frame
    applyOverlay(p, 0, config.watermark);
    applyOverlay(p, 1, config.effectOverlay);
    applyOverlay(p, 2, config.frameOverlay);

    // background audio
    Param_SelectBackgroundAudio(p, 0);
    const VEAudioSettings &a = config.audio;
    if (!a.backgroundPath.empty()) {
        Param_SetBackgroundAudioFile(p, a.backgroundPath.c_str());
        Param_SetBackgroundAudioRepeat(p, a.repeat);
        Param_SetBackgroundAudioReserved(p, a.reserved);
        Param_SetBackgroundAudioVolume(p, a.volume);
        Param_SetBackgroundAudioWeight(p, a.weight);
        Param_SetBackgroundAudioRange(p, a.bgStartTime, a.bgEndTime);
        uint64_t tail[2];
        std::memcpy(tail, a.padding.data(), sizeof tail);
        Param_SetBackgroundAudioExtra(p, tail[0], tail[1]);
    }

    // geometry
    const VECropSettings &c = config.crop;
    const bool sideways = c.rotation % 180 != 0;
    if (c.aspectMode == 2 && sideways)
        Param_SetAspect(p, c.aspectDen, c.aspectNum);
    else
        Param_SetAspect(p, c.aspectNum, c.aspectDen);
    Param_SetRotation(p, c.rotation);
    Param_SetMirror(p, c.mirrored);
    if (c.padEnabled && c.panScan == 1 && c.aspectMode != 2) {
        if (sideways)
            Param_SetAspect(p, config.displayHeight, config.displayWidth);
        else
            Param_SetAspect(p, config.displayWidth, config.displayHeight);
        Param_SetPadding(p, 0, c.fillColor);
        Param_SetCropRect(p, c.panRect.x, c.panRect.y, c.panRect.width, c.panRect.height);
    } else {
        Param_SetPadding(p, c.aspectMode == 2 ? 0 : c.padEnabled, c.fillColor);
        Param_SetCropRect(p, c.cropRect.x, c.cropRect.y, c.cropRect.width, c.cropRect.height);
    }

    // sound effect
    const VESoundEffect &e = config.soundEffect;
    Param_SetVolume(p, e.volume);
    Param_SetRate(p, e.rate);
    Param_SetSoundReserved(p, e.reserved);
    const int points = std::min(e.eqPointCount(), static_cast<int>(e.eqGains.size()));
    Param_SetEqualizer(p, e.eqFrequencies.data(), e.eqGains.data(), points);
    Param_SetAudioFade(p, e.fadeIn, e.fadeOut);
}
