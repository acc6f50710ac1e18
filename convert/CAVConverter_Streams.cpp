#include "CAVConverter.h"

// The elementary-stream mode: tracks fed sample by sample by the caller
// and muxed into one file.

#include <cstdio>

// ------------------------------------------------ elementary streams ---

void CAVConverter::dropTracks()
{
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
    m_tracks.push_back({id, type, EngineHandle::track(t)});
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
        return Track_WritePacket(t.handle.get(), sample->data, sample->size, toMicros(sample->pts),
                                 toMicros(sample->dts), toMicros(sample->duration), sample->keyFrame ? 1 : 0)
            == 1;
    }
    return false;
}

void CAVConverter::EndOfStreams()
{
    for (const Track &t : m_tracks)
        Track_WritePacket(t.handle.get(), nullptr, 0, 0, 0, 0, 0);
}

bool CAVConverter::StartStreams(const char *dst, const ConvertJob &job, void *context,
                                StreamsProgressFn progress, StreamsTimeFn time)
{
    if (!dst)
        return false;
    const EngineHandle params = EngineHandle::params(Param_Create());
    const ORL_HANDLE p = params.get();
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

    const EngineHandle converter = EngineHandle::converter(Conv_CreateCopy(-1));
    const ORL_HANDLE conv = converter.get();
    bool ok = conv != 0;
    ORL_HANDLE timed = 0;
    if (ok) {
        ORL_HANDLE firstOf[9] = {0};
        for (const Track &t : m_tracks)
            if (t.type >= 0 && t.type < 9 && !firstOf[t.type])
                firstOf[t.type] = t.handle.get();
        for (int type : {1, 2, 8})
            if (firstOf[type])
                Conv_AddTrack(conv, firstOf[type]);
        timed = firstOf[1] ? firstOf[1] : firstOf[2];
        setDestination(dst);
        ok = Conv_Open(conv, nullptr, m_partial.c_str(), job.formatName.c_str(), p) == 1 && Conv_Start(conv) == 1;
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
    if (conv && !ok)
        rememberError(conv);
    if (ok)
        ok = publish();
    else
        discardPartial(m_partial);
    m_partialInUse.reset();
    dropTracks();
    return ok;
}
