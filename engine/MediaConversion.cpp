#include "MediaConversion.h"

#include "VoCancelToken.h"

#include "orlcodec.h"

// ------------------------------------------------------------------ jobs ---

std::string MediaJobs::lastError(MediaHandle handle)
{
    const char *text = Engine_GetLastError(handle);
    return text ? std::string(text) : std::string();
}

uint64_t MediaJobs::endCount()
{
    return Engine_GetJobEndCount();
}

void MediaJobs::waitForEnd(uint64_t seen, int timeoutMs)
{
    Engine_WaitForJobEnd(seen, timeoutMs);
}

// ----------------------------------------------------------- conversion ---

MediaHandle MediaConversion::create(bool lossless)
{
    return lossless ? Conv_CreateCopy(-1) : Conv_CreateTranscode(-1);
}

void MediaConversion::close(MediaHandle c)
{
    if (!c)
        return;
    Conv_Close(c);
    Conv_Destroy(c);
}

void MediaConversion::setCancel(MediaHandle c, const VoCancelToken &token)
{
    Conv_SetCancel(c, token.handle());
}

bool MediaConversion::open(MediaHandle c, const char *src, const std::string &dst, const char *format,
                           MediaHandle params, bool disc)
{
    const int opened = disc ? Conv_OpenDisc(c, src, dst.c_str(), format, params)
                            : Conv_Open(c, src, dst.c_str(), format, params);
    return opened == 1;
}

void MediaConversion::setRange(MediaHandle c, uint64_t startUs, uint64_t lengthUs)
{
    Conv_SetRange(c, startUs, lengthUs);
}

bool MediaConversion::addTrack(MediaHandle c, MediaHandle track)
{
    return Conv_AddTrack(c, track) == 1;
}

bool MediaConversion::start(MediaHandle c)
{
    return Conv_Start(c) == 1;
}

bool MediaConversion::stop(MediaHandle c)
{
    return Conv_Stop(c) != 0;
}

bool MediaConversion::isFinished(MediaHandle c)
{
    return Conv_IsFinished(c) == 1;
}

bool MediaConversion::isAborted(MediaHandle c)
{
    return Conv_IsAborted(c) == 1;
}

uint64_t MediaConversion::position(MediaHandle c)
{
    return Conv_GetPosition(c);
}

uint64_t MediaConversion::total(MediaHandle c)
{
    return Conv_GetTotal(c);
}

uint64_t MediaConversion::sourceEnd(MediaHandle c)
{
    return Conv_GetSourceEnd(c);
}

const char *MediaConversion::checkReport(MediaHandle c)
{
    return Conv_GetCheckReport(c);
}

const char *MediaConversion::cutReport(MediaHandle c)
{
    return Conv_GetCutReport(c);
}

// ----------------------------------------------------------------- merge ---

EngineHandle MediaMerge::create(bool lossless)
{
    return EngineHandle::merger(lossless ? Merge_CreateCopy(-1) : Merge_CreateTranscode(-1));
}

void MediaMerge::setCancel(MediaHandle m, const VoCancelToken &token)
{
    Merge_SetCancel(m, token.handle());
}

bool MediaMerge::openAndStart(MediaHandle m, const std::string &dst, const char *format, MediaHandle params)
{
    return Merge_Open(m, dst.c_str(), format, params) == 1 && Merge_Start(m) == 1;
}

bool MediaMerge::add(MediaHandle m, const std::string &src, uint64_t startUs, uint64_t lengthUs, MediaHandle params,
                     bool disc)
{
    const int added = disc ? Merge_AddDisc(m, src.c_str(), startUs, lengthUs, params)
                           : Merge_Add(m, src.c_str(), startUs, lengthUs, params);
    return added == 1;
}

int MediaMerge::checkSources(MediaHandle m, const std::vector<std::string> &sources, MediaHandle params)
{
    std::vector<const char *> names;
    names.reserve(sources.size());
    for (const std::string &source : sources)
        names.push_back(source.c_str());
    return Merge_CheckSources(m, names.data(), int(names.size()), params);
}

const char *MediaMerge::fitReport(MediaHandle m)
{
    return Merge_GetFitReport(m);
}

std::vector<MediaMerge::Misfit> MediaMerge::misfits(MediaHandle m)
{
    static_assert(int(MisfitVideo) == int(ORL_FIT_VIDEO) && int(MisfitAudio) == int(ORL_FIT_AUDIO)
                      && int(MisfitSubtitles) == int(ORL_FIT_SUBTITLES) && int(MisfitData) == int(ORL_FIT_DATA)
                      && int(MisfitStreamCount) == int(ORL_FIT_STREAM_COUNT),
                  "the kinds are the library's flags");
    std::vector<Misfit> out;
    const int count = Merge_GetMisfitCount(m);
    for (int i = 0; i < count; ++i) {
        Misfit misfit;
        const char *source = Merge_GetMisfitSource(m, i);
        const char *text = Merge_GetMisfitText(m, i);
        misfit.source = source ? source : "";
        misfit.kinds = Merge_GetMisfitKinds(m, i);
        misfit.text = text ? text : "";
        out.push_back(std::move(misfit));
    }
    return out;
}

std::vector<MediaMerge::RangeWay> MediaMerge::rangeWays(MediaHandle m)
{
    std::vector<RangeWay> out;
    const int count = Merge_GetRangeCount(m);
    for (int i = 0; i < count; ++i) {
        const int method = Merge_GetRangeMethod(m, i);
        if (method < 0)
            break;
        RangeWay way;
        switch (method & ~ORL_RANGE_SOUND_ENCODED) {
        case ORL_RANGE_EXACT:
            way.method = RangeExact;
            break;
        case ORL_RANGE_ENCODED:
            way.method = RangeEncoded;
            break;
        default:
            way.method = RangeCopied;
            break;
        }
        way.soundEncoded = (method & ORL_RANGE_SOUND_ENCODED) != 0;
        out.push_back(way);
    }
    return out;
}

bool MediaMerge::finish(MediaHandle m)
{
    return Merge_Finish(m) != 0;
}

bool MediaMerge::isDone(MediaHandle m)
{
    return Merge_IsDone(m) == 1;
}

bool MediaMerge::hasError(MediaHandle m)
{
    return Merge_HasError(m) != 0;
}

uint64_t MediaMerge::position(MediaHandle m)
{
    return Merge_GetPosition(m);
}

uint64_t MediaMerge::total(MediaHandle m)
{
    return Merge_GetTotal(m);
}

uint64_t MediaMerge::sourceEnd(MediaHandle m)
{
    return Merge_GetSourceEnd(m);
}

const char *MediaMerge::checkReport(MediaHandle m)
{
    return Merge_GetCheckReport(m);
}

const char *MediaMerge::cutReport(MediaHandle m)
{
    return Merge_GetCutReport(m);
}

// ---------------------------------------------------------------- tracks ---

EngineHandle MediaTrack::createVideo(int codecId, int width, int height, int frameRate, int frameRateScale,
                                     int displayWidth, int displayHeight, const uint8_t *privateData, int privateSize)
{
    EngineHandle t = EngineHandle::track(Track_Create(MediaStream::Video));
    if (t) {
        Track_SetCodec(t.get(), codecId);
        Track_SetSize(t.get(), width, height);
        Track_SetFrameRate(t.get(), frameRate, frameRateScale);
        Track_SetDisplaySize(t.get(), displayWidth, displayHeight);
        Track_SetPrivateData(t.get(), privateData, privateSize);
    }
    return t;
}

EngineHandle MediaTrack::createAudio(int codecId, int sampleRate, int channels, const uint8_t *privateData,
                                     int privateSize)
{
    EngineHandle t = EngineHandle::track(Track_Create(MediaStream::Audio));
    if (t) {
        Track_SetCodec(t.get(), codecId);
        Track_SetAudio(t.get(), sampleRate, channels);
        Track_SetPrivateData(t.get(), privateData, privateSize);
    }
    return t;
}

EngineHandle MediaTrack::createSubtitle(int codecId)
{
    EngineHandle t = EngineHandle::track(Track_Create(MediaStream::Subtitle));
    if (t) {
        Track_SetCodec(t.get(), codecId);
        Track_SetTiming(t.get(), 1000, 1);
    }
    return t;
}

bool MediaTrack::writePacket(MediaHandle t, const uint8_t *data, int size, int64_t ptsUs, int64_t dtsUs,
                             int64_t durationUs, bool keyFrame)
{
    return Track_WritePacket(t, data, size, ptsUs, dtsUs, durationUs, keyFrame ? 1 : 0) == 1;
}

uint64_t MediaTrack::time(MediaHandle t)
{
    return Track_GetTime(t);
}
