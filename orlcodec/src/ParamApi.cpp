// The Param_ family: parameter sets filled by the caller before a
// conversion or merge opens.
#include "Engine.h"
#include "ParamSet.h"
#include "orlcodec_tracks.h"

#include <algorithm>

namespace orl {

ParamValues paramValues(ORL_HANDLE params)
{
    if (auto set = findHandleAs<ParamSet>(params))
        return set->snapshot();
    return ParamValues();
}

namespace {

// Runs change on the set of handle p; 1 when the handle is a parameter set.
template <class F>
int withParams(ORL_HANDLE p, F &&change)
{
    return guardBoundary(p, 0, [&] {
        auto set = findHandleAs<ParamSet>(p);
        if (!set)
            return 0;
        set->update(std::forward<F>(change));
        return 1;
    });
}

std::string text(const char *s)
{
    return s ? std::string(s) : std::string();
}

OverlaySettings &overlay(ParamValues &v)
{
    return v.overlays[static_cast<size_t>(v.overlaySlot)];
}

} // namespace
} // namespace orl

using namespace orl;

#define ORL_PARAM_SETTER(name, args, body) \
    int name args { return withParams(p, [&](ParamValues &v) { body; }); }

extern "C" {

ORL_HANDLE Param_Create(void)
{
    try {
        return registerHandle(std::make_shared<ParamSet>());
    } catch (...) {
        return 0;
    }
}

void Param_Release(ORL_HANDLE p)
{
    try {
        if (auto obj = findHandle(p); obj && obj->kind() == HandleKind::Param)
            unregisterHandle(p);
    } catch (...) {
    }
}

ORL_PARAM_SETTER(Param_SetEncodeVideo, (ORL_HANDLE p, int on), v.encodeVideo = on != 0)
ORL_PARAM_SETTER(Param_SetEncodeAudio, (ORL_HANDLE p, int on), v.encodeAudio = on != 0)
ORL_PARAM_SETTER(Param_SetVideoCodec, (ORL_HANDLE p, int id), v.videoCodec = id)
ORL_PARAM_SETTER(Param_SetAudioCodec, (ORL_HANDLE p, int id), v.audioCodec = id)
ORL_PARAM_SETTER(Param_SetProfileMode, (ORL_HANDLE p, int mode), v.profileMode = mode)
ORL_PARAM_SETTER(Param_SetProfile, (ORL_HANDLE p, int profile), v.profile = profile)
ORL_PARAM_SETTER(Param_SetSize, (ORL_HANDLE p, int width, int height), v.width = width; v.height = height)
ORL_PARAM_SETTER(Param_SetFrameRate, (ORL_HANDLE p, int num, int den), v.frameRateNum = num; v.frameRateDen = den)
ORL_PARAM_SETTER(Param_SetVideoBitrate, (ORL_HANDLE p, int64_t bps), v.videoBitrate = bps)
ORL_PARAM_SETTER(Param_SetVideoQuality, (ORL_HANDLE p, int quality), v.videoQuality = quality)
ORL_PARAM_SETTER(Param_SetChannels, (ORL_HANDLE p, int channels), v.channels = channels)
ORL_PARAM_SETTER(Param_SetSampleRate, (ORL_HANDLE p, int rate), v.sampleRate = rate)
ORL_PARAM_SETTER(Param_SetAudioBitrate, (ORL_HANDLE p, int64_t bps), v.audioBitrate = bps)
ORL_PARAM_SETTER(Param_SetAudioQuality, (ORL_HANDLE p, int quality), v.audioQuality = quality)
ORL_PARAM_SETTER(Param_SetOption, (ORL_HANDLE p, const char *key, const char *value),
                 v.options.emplace_back(text(key), text(value)))
ORL_PARAM_SETTER(Param_SetBrightness, (ORL_HANDLE p, int value), v.brightness = value)
ORL_PARAM_SETTER(Param_SetSaturation, (ORL_HANDLE p, int value), v.saturation = value)
ORL_PARAM_SETTER(Param_SetContrast, (ORL_HANDLE p, int value), v.contrast = value)
ORL_PARAM_SETTER(Param_SetHue, (ORL_HANDLE p, int value), v.hue = value)
ORL_PARAM_SETTER(Param_SelectProgram, (ORL_HANDLE p, int program), v.program = program)
ORL_PARAM_SETTER(Param_SelectAudio, (ORL_HANDLE p, int number), v.audio = number)
ORL_PARAM_SETTER(Param_SetAudioCopyMask, (ORL_HANDLE p, uint64_t mask), v.audioMask = mask)
ORL_PARAM_SETTER(Param_SelectSubtitle, (ORL_HANDLE p, int number), v.subtitle = number)
ORL_PARAM_SETTER(Param_SetSubtitleCopyMask, (ORL_HANDLE p, uint64_t mask), v.subtitleMask = mask)
ORL_PARAM_SETTER(Param_SetSubtitleCodec, (ORL_HANDLE p, int codec), v.subtitleCodec = codec)
ORL_PARAM_SETTER(Param_SetFrameExactCut, (ORL_HANDLE p, int on), v.frameExactCut = on != 0)
ORL_PARAM_SETTER(Param_UseClosedCaptions, (ORL_HANDLE p, int on), v.closedCaptions = on != 0)
ORL_PARAM_SETTER(Param_SetSubtitleFile, (ORL_HANDLE p, const char *path), v.subtitleFile = text(path))
ORL_PARAM_SETTER(Param_SetAspect, (ORL_HANDLE p, int num, int den), v.aspectNum = num; v.aspectDen = den)
ORL_PARAM_SETTER(Param_SetRotation, (ORL_HANDLE p, int degrees), v.rotation = ((degrees % 360) + 360) % 360)
ORL_PARAM_SETTER(Param_SetMirror, (ORL_HANDLE p, int mirrored), v.mirrored = mirrored != 0)
ORL_PARAM_SETTER(Param_SetPadding, (ORL_HANDLE p, int enabled, uint32_t argb),
                 v.padEnabled = enabled != 0; v.padColor = argb)
ORL_PARAM_SETTER(Param_SetCropRect, (ORL_HANDLE p, double x, double y, double w, double h),
                 v.cropRect[0] = x; v.cropRect[1] = y; v.cropRect[2] = w; v.cropRect[3] = h)

ORL_PARAM_SETTER(Param_SetSubtitleAlpha, (ORL_HANDLE p, int alpha), v.subtitleLook.alpha = alpha)
ORL_PARAM_SETTER(Param_SetSubtitleScale, (ORL_HANDLE p, int x, int y),
                 v.subtitleLook.scaleX = x; v.subtitleLook.scaleY = y)
ORL_PARAM_SETTER(Param_SetSubtitleReserved, (ORL_HANDLE p, int a, int b),
                 v.subtitleLook.reservedA = a; v.subtitleLook.reservedB = b)
ORL_PARAM_SETTER(Param_SetSubtitleFont, (ORL_HANDLE p, const char *family), v.subtitleLook.fontName = text(family))
ORL_PARAM_SETTER(Param_SetSubtitleBold, (ORL_HANDLE p, int on), v.subtitleLook.bold = on)
ORL_PARAM_SETTER(Param_SetSubtitleItalic, (ORL_HANDLE p, int on), v.subtitleLook.italic = on)
ORL_PARAM_SETTER(Param_SetSubtitleUnderline, (ORL_HANDLE p, int on), v.subtitleLook.underline = on)
ORL_PARAM_SETTER(Param_SetSubtitleStrikeOut, (ORL_HANDLE p, int on), v.subtitleLook.strikeOut = on)
ORL_PARAM_SETTER(Param_SetSubtitleFontSize, (ORL_HANDLE p, int points), v.subtitleLook.fontSize = points)
ORL_PARAM_SETTER(Param_SetSubtitleColor, (ORL_HANDLE p, uint32_t argb), v.subtitleLook.color = argb)
ORL_PARAM_SETTER(Param_SetSubtitleShadowColor, (ORL_HANDLE p, uint32_t argb), v.subtitleLook.shadowColor = argb)
ORL_PARAM_SETTER(Param_SetSubtitleOutlineColor, (ORL_HANDLE p, uint32_t argb), v.subtitleLook.outlineColor = argb)
ORL_PARAM_SETTER(Param_SetSubtitleShadowOffset, (ORL_HANDLE p, double offset), v.subtitleLook.shadowOffset = offset)
ORL_PARAM_SETTER(Param_SetSubtitleOutlineSize, (ORL_HANDLE p, double size), v.subtitleLook.outlineSize = size)
ORL_PARAM_SETTER(Param_SetSubtitleMarginH, (ORL_HANDLE p, double f), v.subtitleLook.marginH = f)
ORL_PARAM_SETTER(Param_SetSubtitleMargin, (ORL_HANDLE p, double f), v.subtitleLook.margin = f)
ORL_PARAM_SETTER(Param_SetSubtitlePosition, (ORL_HANDLE p, int position), v.subtitleLook.position = position)
ORL_PARAM_SETTER(Param_SetSubtitleSpacingH, (ORL_HANDLE p, double s), v.subtitleLook.spacingH = s)
ORL_PARAM_SETTER(Param_SetSubtitleSpacingV, (ORL_HANDLE p, double s), v.subtitleLook.spacingV = s)

int Param_SetTrackPlan(ORL_HANDLE p, const orl_track_entry *entries, int count)
{
    if (count < 0 || (count > 0 && !entries))
        return 0;
    return withParams(p, [&](ParamValues &v) {
        v.tracks.clear();
        for (int i = 0; i < count; ++i) {
            TrackChoice c;
            c.stream = entries[i].stream;
            c.language = text(entries[i].language);
            c.setTitle = entries[i].title != nullptr;
            c.title = text(entries[i].title);
            c.flags = entries[i].flags < 0 ? -1 : (entries[i].flags & (ORL_TRACK_DEFAULT | ORL_TRACK_FORCED));
            c.shift_us = entries[i].shift_us;
            v.tracks.push_back(std::move(c));
        }
    });
}

int Param_SelectOverlay(ORL_HANDLE p, int slot)
{
    if (slot < 0 || slot > 2)
        return 0;
    return withParams(p, [&](ParamValues &v) { v.overlaySlot = slot; });
}

ORL_PARAM_SETTER(Param_SetOverlayImage, (ORL_HANDLE p, const char *path), overlay(v).imagePath = text(path))
ORL_PARAM_SETTER(Param_SetOverlayImageAux, (ORL_HANDLE p, const char *t), overlay(v).imageAux = text(t))
ORL_PARAM_SETTER(Param_SetOverlayImageValue, (ORL_HANDLE p, int value), overlay(v).imageValue = value)
ORL_PARAM_SETTER(Param_SetOverlayImagePosition, (ORL_HANDLE p, double x, double y),
                 overlay(v).imageX = x; overlay(v).imageY = y)
ORL_PARAM_SETTER(Param_SetOverlayImageScalePercent, (ORL_HANDLE p, int x, int y),
                 overlay(v).imageScaleX = x; overlay(v).imageScaleY = y)
ORL_PARAM_SETTER(Param_SetOverlayImageReserved, (ORL_HANDLE p, int value), overlay(v).imageReserved = value)
ORL_PARAM_SETTER(Param_SetOverlayImageAlpha, (ORL_HANDLE p, int alpha), overlay(v).imageAlpha = alpha)
ORL_PARAM_SETTER(Param_SetOverlayFrameType, (ORL_HANDLE p, int type), overlay(v).frameType = type)
ORL_PARAM_SETTER(Param_SetOverlayImageScale, (ORL_HANDLE p, double x, double y),
                 overlay(v).imageScale[0] = x; overlay(v).imageScale[1] = y)
ORL_PARAM_SETTER(Param_SetOverlayImageFlag, (ORL_HANDLE p, int flag), overlay(v).imageFlag = flag)
ORL_PARAM_SETTER(Param_SetOverlaySourceRect, (ORL_HANDLE p, double x, double y, double w, double h),
                 auto &o = overlay(v); o.sourceRect[0] = x; o.sourceRect[1] = y; o.sourceRect[2] = w;
                 o.sourceRect[3] = h)
ORL_PARAM_SETTER(Param_SetOverlayText, (ORL_HANDLE p, const char *t), overlay(v).text = text(t))
ORL_PARAM_SETTER(Param_SetOverlayTextAlpha, (ORL_HANDLE p, int alpha), overlay(v).textAlpha = alpha)
ORL_PARAM_SETTER(Param_SetOverlayTextPosition, (ORL_HANDLE p, double x, double y),
                 overlay(v).textX = x; overlay(v).textY = y)
ORL_PARAM_SETTER(Param_SetOverlayTextReserved, (ORL_HANDLE p, int value), overlay(v).textReserved = value)
ORL_PARAM_SETTER(Param_SetOverlayTextBold, (ORL_HANDLE p, int on), overlay(v).bold = on)
ORL_PARAM_SETTER(Param_SetOverlayTextFontSize, (ORL_HANDLE p, int points), overlay(v).fontSize = points)
ORL_PARAM_SETTER(Param_SetOverlayTextFont, (ORL_HANDLE p, const char *family), overlay(v).fontName = text(family))
ORL_PARAM_SETTER(Param_SetOverlayTextColor, (ORL_HANDLE p, uint32_t argb), overlay(v).color = argb)
ORL_PARAM_SETTER(Param_SetOverlayTextOutlineColor, (ORL_HANDLE p, uint32_t argb), overlay(v).outlineColor = argb)
ORL_PARAM_SETTER(Param_SetOverlayTextOutlineSize, (ORL_HANDLE p, double size), overlay(v).outlineSize = size)
ORL_PARAM_SETTER(Param_SetOverlayTextShadowColor, (ORL_HANDLE p, uint32_t argb), overlay(v).shadowColor = argb)
ORL_PARAM_SETTER(Param_SetOverlayTextShadowOffset, (ORL_HANDLE p, double offset), overlay(v).shadowOffset = offset)
ORL_PARAM_SETTER(Param_SetOverlayTextItalic, (ORL_HANDLE p, int on), overlay(v).italic = on)
ORL_PARAM_SETTER(Param_SetOverlayTextUnderline, (ORL_HANDLE p, int on), overlay(v).underline = on)
ORL_PARAM_SETTER(Param_SetOverlayTextStrikeOut, (ORL_HANDLE p, int on), overlay(v).strikeOut = on)
ORL_PARAM_SETTER(Param_SetOverlayTextScale, (ORL_HANDLE p, int x, int y),
                 overlay(v).textScaleX = x; overlay(v).textScaleY = y)
ORL_PARAM_SETTER(Param_SetOverlayTextOnTop, (ORL_HANDLE p, int onTop), overlay(v).textOnTop = onTop)
ORL_PARAM_SETTER(Param_SetOverlayTextSpacing, (ORL_HANDLE p, double h, double vv),
                 overlay(v).spacingH = h; overlay(v).spacingV = vv)

ORL_PARAM_SETTER(Param_SetOverlayImageTimes, (ORL_HANDLE p, uint64_t start, uint64_t end),
                 overlay(v).imageStart_us = start; overlay(v).imageEnd_us = end)
ORL_PARAM_SETTER(Param_SetOverlayTextTimes, (ORL_HANDLE p, uint64_t start, uint64_t end),
                 overlay(v).textStart_us = start; overlay(v).textEnd_us = end)

ORL_PARAM_SETTER(Param_SelectBackgroundAudio, (ORL_HANDLE p, int slot), v.backgroundSlot = slot)
ORL_PARAM_SETTER(Param_SetBackgroundAudioFile, (ORL_HANDLE p, const char *path), v.background.path = text(path))
ORL_PARAM_SETTER(Param_SetBackgroundAudioRepeat, (ORL_HANDLE p, int repeat), v.background.repeat = repeat)
ORL_PARAM_SETTER(Param_SetBackgroundAudioReserved, (ORL_HANDLE p, int value), v.background.reserved = value)
ORL_PARAM_SETTER(Param_SetBackgroundAudioVolume, (ORL_HANDLE p, int percent), v.background.volume = percent)
ORL_PARAM_SETTER(Param_SetBackgroundAudioWeight, (ORL_HANDLE p, int percent), v.background.weight = percent)
ORL_PARAM_SETTER(Param_SetBackgroundAudioRange, (ORL_HANDLE p, uint64_t start, uint64_t end),
                 v.background.start_us = start; v.background.end_us = end)
ORL_PARAM_SETTER(Param_SetBackgroundAudioExtra, (ORL_HANDLE p, uint64_t a, uint64_t b),
                 v.background.extra[0] = a; v.background.extra[1] = b)

ORL_PARAM_SETTER(Param_SetVolume, (ORL_HANDLE p, int percent), v.volume = percent)
ORL_PARAM_SETTER(Param_SetRate, (ORL_HANDLE p, int percent), v.rate = percent)
ORL_PARAM_SETTER(Param_SetPlayRange, (ORL_HANDLE p, uint64_t start_us, uint64_t end_us),
                 v.playStart_us = start_us; v.playEnd_us = end_us)
ORL_PARAM_SETTER(Param_SetAudioFade, (ORL_HANDLE p, uint64_t fadeIn, uint64_t fadeOut),
                 v.fadeIn_us = fadeIn; v.fadeOut_us = fadeOut)
ORL_PARAM_SETTER(Param_SetSoundReserved, (ORL_HANDLE p, int value), v.soundReserved = value)

int Param_SetEqualizer(ORL_HANDLE p, const double *frequencies, const double *gains, int count)
{
    if (count < 0 || count > 64 || (count > 0 && (!frequencies || !gains)))
        return 0;
    return withParams(p, [&](ParamValues &v) {
        v.eqFrequencies.assign(frequencies, frequencies + count);
        v.eqGains.assign(gains, gains + count);
    });
}

} // extern "C"
