#include "CAVConverter.h"

#include "TagWriting.h"

#include <cstdio>
#include <cstring>
#include <functional>
#include <thread>

namespace {

constexpr int32_t kStateCancelled = 1;
constexpr int32_t kStateFinished = 2;
constexpr int32_t kStateStarting = 3;
constexpr int32_t kStateFailed = 4;
constexpr int32_t kStateProgress = 5;

constexpr int32_t kCodecH264 = 28;
constexpr int32_t kCodecH265 = 0x48323635;
constexpr int32_t kSubtitleMovText = 94213;
constexpr int32_t kSubtitleText = 94210;

// Font names may carry a leading "@" (vertical writing variants); the
// engine takes the plain family name.
std::string plainFontName(const std::string &name)
{
    return !name.empty() && name[0] == '@' ? name.substr(1) : name;
}

// The lossless fall-backs when a container refuses the chosen streams:
// first without the chosen subtitle set, then without subtitles, then (MP4
// family only) as QuickTime. Step 0 changes nothing and keeps the format.
// Returns the format to try, or nullptr when the step does not apply.
const char *prepareLosslessRetry(ORL_HANDLE p, int step, const std::string &format)
{
    switch (step) {
    case 1:
        Param_SetSubtitleCopyMask(p, 0);
        Param_UseClosedCaptions(p, 0);
        Param_SetSubtitleFile(p, nullptr);
        return format.c_str();
    case 2:
        Param_SelectSubtitle(p, -1);
        Param_UseClosedCaptions(p, 0);
        Param_SetSubtitleFile(p, nullptr);
        return format.c_str();
    case 3:
        return format == "mp4" || format == "m4a" || format == "3gp" || format == "3g2" ? "mov" : nullptr;
    default:
        return nullptr;
    }
}

// Waits up to the 100 ms progress period, but returns as soon as the
// engine reports the end, so a short job is not held up by the poll.
void sleepPoll(const std::function<bool()> &ended = {})
{
    for (int slice = 0; slice < 10; ++slice) {
        if (ended && ended())
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

} // namespace

// ------------------------------------------------------- parameter sets ---

void applyEncoderSettings(ORL_HANDLE p, const ConvertJob &job)
{
    if (job.lossless) {
        Param_SetVideoCodec(p, job.videoCodecId);
        Param_SetAudioCodec(p, job.audioCodecId);
        return;
    }
    Param_SetEncodeVideo(p, 1);
    Param_SetEncodeAudio(p, 1);
    Param_SetVideoCodec(p, job.videoCodecId);
    Param_SetAudioCodec(p, job.audioCodecId);
    if (job.videoCodecId == kCodecH264) {
        Param_SetProfileMode(p, 2);
        Param_SetProfile(p, 66);
    } else if (job.videoCodecId == kCodecH265) {
        Param_SetProfileMode(p, 2);
        Param_SetProfile(p, 1);
    }
    if (job.width != 0 && job.height != 0)
        Param_SetSize(p, job.width, job.height);
    if (job.frameRateX100 != 0)
        Param_SetFrameRate(p, job.frameRateX100, 100);
    else if (job.frameRateNum != 0)
        Param_SetFrameRate(p, job.frameRateNum, job.frameRateDen);
    if (job.videoBitrate != 0)
        Param_SetVideoBitrate(p, int64_t(job.videoBitrate) * 1000);
    Param_SetChannels(p, job.channels != 0 ? static_cast<int>(job.channels) : 2);
    Param_SetSampleRate(p, job.sampleRate != 0 ? static_cast<int>(job.sampleRate) : 44100);
    if (job.audioBitrate != 0)
        Param_SetAudioBitrate(p, int64_t(job.audioBitrate) * 1000);
    Param_SetVideoQuality(p, static_cast<int>(job.videoQuality));
    Param_SetAudioQuality(p, static_cast<int>(job.audioQuality));
}

namespace {

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

void applyEditSettings(ORL_HANDLE p, const ConvertJob &job)
{
    const VEEditConfig config = job.editConfig;
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
        if (job.lossless) {
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
        if (job.lossless) {
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

ORL_HANDLE createJobParams(const ConvertJob &job)
{
    const ORL_HANDLE p = Param_Create();
    if (p) {
        applyEncoderSettings(p, job);
        applyEditSettings(p, job);
    }
    return p;
}

// ------------------------------------------------------------ converter ---

IAVConverter *createConverter()
{
    return new CAVConverter();
}

CAVConverter::CAVConverter() = default;

CAVConverter::~CAVConverter()
{
    StopConvert();
    StopMerger(true);
    dropTracks();
    if (m_conv) {
        Conv_Close(m_conv);
        Conv_Destroy(m_conv);
        m_conv = 0;
    }
    if (m_params) {
        Param_Release(m_params);
        m_params = 0;
    }
    m_stopEvent.set();
    waitForExit();
}

void CAVConverter::report(int32_t percent, int32_t state)
{
    const bool merge = m_mergeMode.load();
    ConvertProgressFn callback = merge ? m_mergeCallback : m_callback;
    void *context = merge ? m_mergeContext : m_context;
    if (callback)
        callback(percent, context, state);
}

void CAVConverter::rememberError(ORL_HANDLE handle)
{
    const char *text = Engine_GetLastError(handle);
    if (text && *text)
        m_lastError = text;
}

bool CAVConverter::openAndStart(const char *formatName)
{
    const int opened = m_job.isDisc
        ? Conv_OpenDisc(m_conv, m_src.c_str(), m_dst.c_str(), formatName, m_params)
        : Conv_Open(m_conv, m_src.c_str(), m_dst.c_str(), formatName, m_params);
    if (opened != 1) {
        rememberError(m_conv);
        return false;
    }
    Conv_SetRange(m_conv, m_job.rangeStart, m_job.rangeLength);
    if (Conv_Start(m_conv) != 1) {
        rememberError(m_conv);
        return false;
    }
    return true;
}

bool CAVConverter::StartConvert(const char *src, const char *dst, const ConvertJob &job, void *context,
                                ConvertProgressFn callback, bool async)
{
    if (!src || !dst)
        return false;
    if (m_conv) {
        // One converter serves one conversion; a second start replaces the
        // handle of the first.
        StopConvert();
    }
    m_conv = job.lossless ? Conv_CreateCopy(-1) : Conv_CreateTranscode(-1);
    if (!m_conv)
        return false;
    m_context = context;
    m_callback = callback;

    m_params = Param_Create();
    if (m_params) {
        applyEncoderSettings(m_params, job);
        applyEditSettings(m_params, job);
        std::printf("video: 0x%0x, %u*%u, %u fps, %u kbps %u\nAudio: 0x%0x, %u Hz, %u bps, %u\n",
                    static_cast<unsigned>(job.videoCodecId), static_cast<unsigned>(job.width),
                    static_cast<unsigned>(job.height), static_cast<unsigned>(job.frameRateX100),
                    static_cast<unsigned>(job.videoBitrate), job.videoQuality,
                    static_cast<unsigned>(job.audioCodecId), job.sampleRate, job.audioBitrate, job.channels);
        std::fflush(stdout);
    }
    m_job = job;
    m_hasJob = true;
    m_src = src;
    m_dst = dst;

    if (async) {
        m_done.reset();
        m_cancel = false;
        m_async = true;
        m_mergeMode = false;
        start();
        return true;
    }
    m_async = false;

    bool ok = openAndStart(m_job.formatName.c_str());
    for (int step = 1; !ok && m_job.lossless && m_params && step <= 3; ++step)
        if (const char *format = prepareLosslessRetry(m_params, step, m_job.formatName))
            ok = openAndStart(format);
    if (ok) {
        m_done.reset();
        m_mergeMode = false;
        start();
    }
    if (m_params) {
        Param_Release(m_params);
        m_params = 0;
    }
    m_cancel = false;
    return ok;
}

void CAVConverter::StopConvert()
{
    if (!m_conv)
        return;
    if (m_chapterInfo) {
        Engine_SetInterrupt(1);
        m_cancel = true;
        Info_Close(m_chapterInfo);
        Engine_SetInterrupt(0);
    }
    // The flag goes up before the stop, so the worker can tell a stop the
    // user asked for from a failure of the engine.
    m_cancel = true;
    if (Conv_Stop(m_conv) == 0) {
        std::printf("stop convert failed! \r\n");
        std::fflush(stdout);
    }
    if (isRunning())
        m_done.wait();
    waitForExit();
    if (m_conv) {
        Conv_Close(m_conv);
        Conv_Destroy(m_conv);
        m_conv = 0;
    }
    m_context = nullptr;
    m_callback = nullptr;
    if (m_params) {
        Param_Release(m_params);
        m_params = 0;
    }
}

bool CAVConverter::OpenMerger(const char *dst, const ConvertJob &job)
{
    if (!dst)
        return false;
    m_dst = dst;
    m_merger = job.lossless ? Merge_CreateCopy(-1) : Merge_CreateTranscode(-1);
    if (!m_merger)
        return false;
    const ORL_HANDLE p = createJobParams(job);
    bool ok = Merge_Open(m_merger, dst, job.formatName.c_str(), p) == 1 && Merge_Start(m_merger) == 1;
    if (!ok)
        rememberError(m_merger);
    if (p)
        Param_Release(p);
    return ok;
}

bool CAVConverter::AddMergeSegment(const char *src, const ConvertJob &job, void *context,
                                   ConvertProgressFn callback)
{
    if (!src || !m_merger)
        return false;
    // The previous segment's watcher has ended (the merger reported it in);
    // make sure its thread is gone before a new one starts.
    waitForExit();
    const ORL_HANDLE p = createJobParams(job);
    m_mergeContext = context;
    m_mergeCallback = callback;

    auto add = [&]() {
        const int r = job.isDisc ? Merge_AddDisc(m_merger, src, job.rangeStart, job.rangeLength, p)
                                 : Merge_Add(m_merger, src, job.rangeStart, job.rangeLength, p);
        if (r != 1)
            rememberError(m_merger);
        return r == 1;
    };
    auto reopen = [&](const char *format) {
        return Merge_Open(m_merger, m_dst.c_str(), format, p) == 1 && Merge_Start(m_merger) == 1;
    };

    bool ok = add();
    for (int step = 1; !ok && job.lossless && p && step <= 3; ++step) {
        const char *format = prepareLosslessRetry(p, step, job.formatName);
        if (!format)
            continue;
        // Each attempt starts the merged output anew.
        if (!reopen(format)) {
            Param_Release(p);
            return false;
        }
        ok = add();
    }
    if (ok) {
        m_mergeMode = true;
        m_done.reset();
        start();
    }
    if (p)
        Param_Release(p);
    return ok;
}

void CAVConverter::StopMerger(bool wait)
{
    if (!m_merger)
        return;
    if (wait)
        m_cancel = true; // before the finish, so the watcher reports a cancel
    m_mergeComplete = Merge_Finish(m_merger) != 0;
    if (!m_mergeComplete) {
        rememberError(m_merger);
        std::printf("stop Merger failed! \r\n");
        std::fflush(stdout);
    }
    if (wait) {
        if (isRunning())
            m_done.wait();
        waitForExit();
    }
    Merge_Close(m_merger);
    Merge_Destroy(m_merger);
    m_merger = 0;
    m_mergeCallback = nullptr;
    m_mergeContext = nullptr;
}

void CAVConverter::run()
{
    if (m_async && !m_mergeMode) {
        runAsyncStart();
        return;
    }
    if (m_mergeMode)
        runMerge();
    else
        runConversion();
}

void CAVConverter::runAsyncStart()
{
    report(1, kStateStarting);
    bool ok = openAndStart(m_job.formatName.c_str());
    if (m_params) {
        Param_Release(m_params);
        m_params = 0;
    }
    if (m_cancel) {
        report(100, kStateCancelled);
    } else if (!ok) {
        report(0, kStateFailed);
    }
    if (!ok || m_cancel) {
        if (!ok && m_conv) {
            Conv_Close(m_conv);
            Conv_Destroy(m_conv);
            m_conv = 0;
        }
        m_context = nullptr;
        m_callback = nullptr;
        m_hasJob = false;
        m_done.set();
        return;
    }
    runConversion();
}

void CAVConverter::runConversion()
{
    int32_t last = 0;
    while (Conv_IsFinished(m_conv) != 1) {
        if (Conv_IsAborted(m_conv) == 1 && m_cancel) {
            report(0, kStateCancelled);
            m_done.set();
            return;
        }
        if (m_callback) {
            const uint64_t total = Conv_GetTotal(m_conv);
            const uint64_t position = Conv_GetPosition(m_conv);
            int32_t percent = total ? static_cast<int32_t>(position * 100 / total) : 0;
            if (percent > 99)
                percent = 99;
            if (percent > last) {
                report(percent, kStateProgress);
                last = percent;
            }
        }
        sleepPoll([this] { return Conv_IsFinished(m_conv) == 1; });
    }
    const bool aborted = Conv_IsAborted(m_conv) == 1;
    if (aborted && m_cancel) {
        report(0, kStateCancelled);
        m_done.set();
        return;
    }
    if (aborted)
        rememberError(m_conv);
    Conv_Close(m_conv);
    Conv_Destroy(m_conv);
    m_conv = 0;
    if (aborted) {
        // The engine gave up (read or write error): a failure, never a
        // finished file.
        report(0, kStateFailed);
    } else {
        writeFinishedFileTags(m_dst, m_job.editConfig.tags);
        report(100, kStateFinished);
    }
    m_context = nullptr;
    m_callback = nullptr;
    m_hasJob = false;
    m_job = ConvertJob();
    m_done.set();
}

void CAVConverter::runMerge()
{
    int32_t last = 0;
    while (Merge_IsDone(m_merger) != 1) {
        if (Merge_HasError(m_merger) != 0 && m_cancel) {
            report(0, kStateCancelled);
            m_done.set();
            return;
        }
        if (m_mergeCallback) {
            const uint64_t total = Merge_GetTotal(m_merger);
            const uint64_t position = Merge_GetPosition(m_merger);
            const int32_t percent = total ? static_cast<int32_t>(position * 100 / total) : 0;
            if (percent > last) {
                report(percent, kStateProgress);
                last = percent;
            }
        }
        sleepPoll([this] { return Merge_IsDone(m_merger) == 1; });
    }
    if (Merge_HasError(m_merger) != 0) {
        rememberError(m_merger);
        report(0, m_cancel ? kStateCancelled : kStateFailed);
    } else {
        report(100, kStateFinished);
    }
    m_done.set();
}

// ------------------------------------------------ elementary streams ---

void CAVConverter::dropTracks()
{
    for (Track &t : m_tracks)
        Track_Destroy(t.handle);
    m_tracks.clear();
}

void CAVConverter::AddTrack(int32_t id, int32_t type, int32_t codecId, const TrackParams *params)
{
    if (!params)
        return;
    ORL_HANDLE t = 0;
    if (type == 1) {
        t = Track_Create(1);
        if (!t)
            return;
        Track_SetCodec(t, codecId);
        Track_SetSize(t, params->width, params->height);
        Track_SetFrameRate(t, static_cast<int>(params->frameRate), static_cast<int>(params->frameRateScale));
        Track_SetDisplaySize(t, static_cast<int>(params->aspectX * params->width),
                             static_cast<int>(params->aspectY * params->height));
        Track_SetPrivateData(t, params->privateData, params->privateSize);
        std::printf("[AddTrack]: video format = 0x%0x, width = %u, height = %u, frameRate = %u, "
                    "frameRateScale = %u,esDataLength = %u\n",
                    static_cast<unsigned>(codecId), static_cast<unsigned>(params->width),
                    static_cast<unsigned>(params->height), params->frameRate, params->frameRateScale,
                    static_cast<unsigned>(params->privateSize));
    } else if (type == 2) {
        t = Track_Create(2);
        if (!t)
            return;
        Track_SetCodec(t, codecId);
        Track_SetAudio(t, params->audioFirst, params->audioSecond);
        Track_SetPrivateData(t, params->privateData, params->privateSize);
        std::printf("[AddTrack]: audio format = 0x%0x\n", static_cast<unsigned>(codecId));
    } else if (type == 8) {
        t = Track_Create(8);
        if (!t)
            return;
        Track_SetCodec(t, codecId);
        Track_SetTiming(t, 1000, 1);
        std::printf("[AddTrack]: subtitle format = 0x%0x\n", static_cast<unsigned>(codecId));
    } else {
        return;
    }
    std::fflush(stdout);
    m_tracks.push_back({id, type, t});
}

void CAVConverter::AddTrack(TypeFirst, int32_t type, int32_t id, int32_t codecId, const TrackParams *params)
{
    AddTrack(id, type, codecId, params);
}

bool CAVConverter::WriteSample(int32_t id, const TrackSample *sample)
{
    if (!sample || sample->timescale == 0)
        return false;
    for (const Track &t : m_tracks) {
        if (t.id != id)
            continue;
        const auto toMicros = [&](int64_t v) { return v * 1000000 / static_cast<int64_t>(sample->timescale); };
        return Track_WritePacket(t.handle, sample->data, sample->size, toMicros(sample->pts),
                                 toMicros(sample->dts), toMicros(sample->duration), sample->keyFrame ? 1 : 0)
            == 1;
    }
    return false;
}

void CAVConverter::EndOfStreams()
{
    for (const Track &t : m_tracks)
        Track_WritePacket(t.handle, nullptr, 0, 0, 0, 0, 0);
}

bool CAVConverter::StartStreams(const char *dst, const ConvertJob &job, void *context,
                                StreamsProgressFn progress, StreamsTimeFn time)
{
    if (!dst)
        return false;
    const ORL_HANDLE p = Param_Create();
    if (!p)
        return false;
    Param_SetEncodeVideo(p, 1);
    Param_SetEncodeAudio(p, 1);
    Param_SelectSubtitle(p, 0);
    std::printf("[Start]: video(0x%0x, %u*%u, %u fps, %u kbps %u) Audio(0x%0x, %u Hz, %u bps, %u)\n",
                static_cast<unsigned>(job.videoCodecId), static_cast<unsigned>(job.width),
                static_cast<unsigned>(job.height), static_cast<unsigned>(job.frameRateX100),
                static_cast<unsigned>(job.videoBitrate), job.videoQuality,
                static_cast<unsigned>(job.audioCodecId), job.sampleRate, job.audioBitrate, job.channels);
    std::fflush(stdout);

    const ORL_HANDLE conv = Conv_CreateCopy(-1);
    bool ok = conv != 0;
    ORL_HANDLE timed = 0;
    if (ok) {
        ORL_HANDLE firstOf[9] = {0};
        for (const Track &t : m_tracks)
            if (t.type >= 0 && t.type < 9 && !firstOf[t.type])
                firstOf[t.type] = t.handle;
        for (int type : {1, 2, 8})
            if (firstOf[type])
                Conv_AddTrack(conv, firstOf[type]);
        timed = firstOf[1] ? firstOf[1] : firstOf[2];
        ok = Conv_Open(conv, nullptr, dst, job.formatName.c_str(), p) == 1 && Conv_Start(conv) == 1;
    }
    if (ok) {
        while (Conv_IsFinished(conv) != 1) {
            if (progress)
                progress(context, Conv_GetPosition(conv) / 1000);
            if (time && timed)
                time(context, static_cast<double>(Track_GetTime(timed)) / 1e6);
            sleepPoll();
        }
        ok = Conv_IsAborted(conv) != 1;
        if (ok && progress)
            progress(context, Conv_GetPosition(conv) / 1000); // where it ended
    }
    if (conv) {
        if (!ok)
            rememberError(conv);
        Conv_Close(conv);
        Conv_Destroy(conv);
    }
    Param_Release(p);
    dropTracks();
    return ok;
}
