#include "ConvertJobParams.h"

#include "EditParams.h"
#include "TrackPlanParams.h"

#include "orlcodec.h"

namespace {

constexpr int32_t kCodecH264 = 28;
constexpr int32_t kCodecH265 = 0x48323635;

void applyEncoderSettings(MediaHandle p, const ConvertJob &job)
{
    if (job.lossless) {
        Param_SetVideoCodec(p, job.videoCodecId);
        Param_SetAudioCodec(p, job.audioCodecId);
        if (job.frameExactCut)
            Param_SetFrameExactCut(p, 1);
        if (!job.partChapter.empty())
            Param_SetOption(p, "part-chapter", job.partChapter.c_str());
        if (job.matchSound)
            Param_SetOption(p, "match-sound", "1");
        return;
    }
    if (!job.partChapter.empty())
        Param_SetOption(p, "part-chapter", job.partChapter.c_str());
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

} // namespace

EngineHandle createJobParams(const ConvertJob &job)
{
    EngineHandle p = EngineHandle::params(Param_Create());
    if (p) {
        applyEncoderSettings(p.get(), job);
        // The preview builds its parameters with the same mapping, so what
        // the preview shows is what the conversion writes.
        applyEditParams(p.get(), job.editConfig, job.lossless);
        applyTrackPlanParams(p.get(), job.trackPlan);
    }
    return p;
}

EngineHandle createStreamParams()
{
    EngineHandle p = EngineHandle::params(Param_Create());
    if (p) {
        Param_SetEncodeVideo(p.get(), 1);
        Param_SetEncodeAudio(p.get(), 1);
        Param_SelectSubtitle(p.get(), 0);
    }
    return p;
}

const char *prepareLosslessRetry(MediaHandle p, int step, const std::string &format)
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
