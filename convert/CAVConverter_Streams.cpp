#include "CAVConverter.h"

#include "ConvertJobParams.h"
#include "MediaConversion.h"

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
    EngineHandle t;
    if (type == 1) {
        t = MediaTrack::createVideo(codecId, params->width, params->height, static_cast<int>(params->frameRate),
                                    static_cast<int>(params->frameRateScale),
                                    static_cast<int>(params->aspectX * params->width),
                                    static_cast<int>(params->aspectY * params->height), params->privateData,
                                    params->privateSize);
        if (!t)
            return;
        std::printf("[AddTrack]: video format = 0x%0x, width = %u, height = %u, frameRate = %u, "
                    "frameRateScale = %u,esDataLength = %u\n",
                    static_cast<unsigned>(codecId), static_cast<unsigned>(params->width),
                    static_cast<unsigned>(params->height), params->frameRate, params->frameRateScale,
                    static_cast<unsigned>(params->privateSize));
    } else if (type == 2) {
        t = MediaTrack::createAudio(codecId, params->audioFirst, params->audioSecond, params->privateData,
                                    params->privateSize);
        if (!t)
            return;
        std::printf("[AddTrack]: audio format = 0x%0x\n", static_cast<unsigned>(codecId));
    } else if (type == 8) {
        t = MediaTrack::createSubtitle(codecId);
        if (!t)
            return;
        std::printf("[AddTrack]: subtitle format = 0x%0x\n", static_cast<unsigned>(codecId));
    } else {
        return;
    }
    std::fflush(stdout);
    m_tracks.push_back({id, type, std::move(t)});
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
        return MediaTrack::writePacket(t.handle.get(), sample->data, sample->size, toMicros(sample->pts),
                                       toMicros(sample->dts), toMicros(sample->duration), sample->keyFrame);
    }
    return false;
}

void CAVConverter::EndOfStreams()
{
    for (const Track &t : m_tracks)
        MediaTrack::writePacket(t.handle.get(), nullptr, 0, 0, 0, 0, false);
}

bool CAVConverter::StartStreams(const char *dst, const ConvertJob &job, void *context,
                                StreamsProgressFn progress, StreamsTimeFn time)
{
    if (!dst)
        return false;
    const EngineHandle params = createStreamParams();
    if (!params)
        return false;
    std::printf("[Start]: video(0x%0x, %u*%u, %u fps, %u kbps %u) Audio(0x%0x, %u Hz, %u bps, %u)\n",
                static_cast<unsigned>(job.videoCodecId), static_cast<unsigned>(job.width),
                static_cast<unsigned>(job.height), static_cast<unsigned>(job.frameRateX100),
                static_cast<unsigned>(job.videoBitrate), job.videoQuality,
                static_cast<unsigned>(job.audioCodecId), job.sampleRate, job.audioBitrate, job.channels);
    std::fflush(stdout);

    const EngineHandle converter = EngineHandle::converter(MediaConversion::create(true));
    const MediaHandle conv = converter.get();
    bool ok = conv != 0;
    MediaHandle timed = 0;
    if (ok) {
        MediaHandle firstOf[9] = {0};
        for (const Track &t : m_tracks)
            if (t.type >= 0 && t.type < 9 && !firstOf[t.type])
                firstOf[t.type] = t.handle.get();
        for (int type : {1, 2, 8})
            if (firstOf[type])
                MediaConversion::addTrack(conv, firstOf[type]);
        timed = firstOf[1] ? firstOf[1] : firstOf[2];
        setDestination(dst);
        ok = MediaConversion::open(conv, nullptr, partialPath(), job.formatName.c_str(), params.get())
            && MediaConversion::start(conv);
    }
    if (ok) {
        while (!MediaConversion::isFinished(conv)) {
            if (progress)
                progress(context, MediaConversion::position(conv) / 1000);
            if (time && timed)
                time(context, static_cast<double>(MediaTrack::time(timed)) / 1e6);
            sleepPoll();
        }
        ok = !MediaConversion::isAborted(conv);
        if (ok && progress)
            progress(context, MediaConversion::position(conv) / 1000); // where it ended
    }
    if (conv && !ok)
        rememberError(conv);
    if (ok)
        ok = publish();
    else
        discardOutput();
    {
        std::lock_guard<std::mutex> lock(m_outputMutex);
        m_partialInUse.reset();
    }
    dropTracks();
    return ok;
}
