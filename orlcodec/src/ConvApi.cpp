// The Conv_, Merge_ and Track_ families: conversions of one range, ranges
// joined into one file, and elementary streams fed by the caller.
#include "CancelToken.h"
#include "CodecTable.h"
#include "Engine.h"
#include "FrameExactCopy.h"
#include "Job.h"
#include "OutputCheck.h"
#include "OutputFormat.h"
#include "ParamSet.h"
#include "StreamCopy.h"
#include "TrackMuxer.h"
#include "Transcode.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace orl {

namespace {

// The copy choice of a parameter set.
bool copyChoiceFrom(const ParamValues &v, CopyChoice &choice, std::string &error)
{
    choice.program = v.program;
    choice.audioIndex = v.audio;
    choice.audioMask = v.audioMask;
    choice.subtitleIndex = v.subtitle;
    choice.subtitleMask = v.subtitleMask;
    choice.closedCaptions = v.closedCaptions;
    choice.frameExact = v.frameExactCut;
    for (const auto &option : v.options)
        if (option.first == "frame-exact-psnr")
            choice.frameExactPsnr = std::atof(option.second.c_str());
        else if (option.first == "part-chapter")
            choice.partChapter = option.second;
        else if (option.first == "match-sound")
            choice.matchSound = option.second != "0";
    // Video codec -1 asks for no picture, in a copy as in an encode.
    choice.video = v.videoCodec != -1;
    choice.tracks = v.tracks;
    choice.subtitleCodec = 0;
    if (v.subtitleCodec != 0) {
        const LegacyCodec *codec = findLegacyCodec(v.subtitleCodec);
        if (!codec) {
            error = "unknown subtitle codec identifier";
            return false;
        }
        choice.subtitleCodec = codec->codecId;
    }
    // Lifting closed captions out of the picture or muxing a separate
    // subtitle file needs the encoder's path; a copy refuses, so the caller
    // can retry without them.
    if (v.closedCaptions) {
        error = "closed captions cannot be copied as a stream";
        return false;
    }
    if (!v.subtitleFile.empty()) {
        error = "a subtitle file cannot be added without encoding";
        return false;
    }
    return true;
}

class ConvObject : public EngineObject {
public:
    explicit ConvObject(bool transcode)
        : EngineObject(HandleKind::Conv)
        , transcode(transcode)
    {
    }

    const bool transcode;
    // Raised by Conv_Stop before it waits for the call in progress, so that
    // an open stuck on a stalled source gives up instead of holding the lock.
    std::atomic<bool> stopping{false};
    std::mutex mutex; // one call at a time; the worker has its own state
    std::unique_ptr<StreamCopyConversion> copy;   // guarded by mutex
    std::unique_ptr<TranscodeConversion> encode;  // guarded by mutex
    std::vector<std::shared_ptr<TrackObject>> tracks; // guarded by mutex
    std::unique_ptr<TrackMuxer> trackMuxer;       // guarded by mutex
    CopyProgress trackProgress;
    std::string dst;    // guarded by mutex
    std::string format; // guarded by mutex
    std::string report; // guarded by mutex; last text handed out by Conv_GetCutReport
    std::string check;  // guarded by mutex; last text handed out by Conv_GetCheckReport

    // The caller's cancel (Conv_SetCancel), caught when the open begins:
    // the whole conversion watches the same token.
    std::shared_ptr<std::atomic<bool>> cancel; // guarded by mutex

    InterruptCheck interrupt()
    {
        return [this, flag = cancel] { return globalInterrupt() || stopping.load() || (flag && flag->load()); };
    }
    bool cancelled() const { return cancel && cancel->load(); } // under mutex

    const CopyProgress *progress() const
    {
        if (copy)
            return &copy->progress();
        if (encode)
            return &encode->progress();
        if (trackMuxer)
            return &trackProgress;
        return nullptr;
    }
};

class MergeObject : public EngineObject {
public:
    explicit MergeObject(bool transcode)
        : EngineObject(HandleKind::Merge)
        , transcode(transcode)
        , merger([this] { return globalInterrupt() || stopping.load() || cancelled(); })
        , encoder([this] { return globalInterrupt() || stopping.load() || cancelled(); })
    {
    }

    // The caller's cancel (Merge_SetCancel). Its own lock: the range going
    // in holds mutex while its reads look at the token.
    bool cancelled() const
    {
        std::lock_guard<std::mutex> lock(cancelMutex);
        return cancel && cancel->load();
    }
    void setCancel(std::shared_ptr<std::atomic<bool>> flag)
    {
        std::lock_guard<std::mutex> lock(cancelMutex);
        cancel = std::move(flag);
    }

    const bool transcode;
    // Raised by Merge_Finish (of an unfinished range) and Merge_Close before
    // they wait for the call in progress.
    std::atomic<bool> stopping{false};
    std::mutex mutex;
    mutable std::mutex cancelMutex;
    std::shared_ptr<std::atomic<bool>> cancel; // guarded by cancelMutex
    StreamCopyMerger merger;  // guarded by mutex
    TranscodeMerger encoder;  // guarded by mutex
    std::string report;       // guarded by mutex; last text handed out by Merge_GetCutReport
    std::string fit;          // guarded by mutex; what Merge_CheckSources found
    std::vector<JoinMisfit> misfits; // guarded by mutex; the same file by file
    // What the merged file's check expects, gathered from the ranges added.
    std::string dst;          // guarded by mutex
    std::string formatName;   // guarded by mutex
    std::string firstSource;  // guarded by mutex
    AskedStreams asked;       // guarded by mutex
    struct Range {
        std::string src;
        int64_t start_us, length_us;
    };
    std::vector<Range> ranges; // guarded by mutex
    std::string check;        // guarded by mutex; the check of the finished file
    std::string checkHanded;  // guarded by mutex; last text handed out by Merge_GetCheckReport

    const RangeMergeJob &active() const
    {
        return transcode ? static_cast<const RangeMergeJob &>(encoder) : merger;
    }
    bool isDone() const { return active().isDone(); }
    bool hasError() const { return active().hasError(); }
    const CopyProgress &progress() const { return active().progress(); }
    std::string mergeError() const { return active().lastError(); }
};

// The check of a merged file once it is complete (under merge.mutex): 1
// passed, 0 failed (the file removed, the error set).
int checkMerged(MergeObject &merge)
{
    if (!merge.asked.check || merge.dst.empty())
        return 1;
    InterruptFlags flags;
    flags.global = [&merge] { return globalInterrupt() || merge.stopping.load() || merge.cancelled(); };
    OutputExpectation expect;
    std::vector<SourceSpan> spans;
    for (const MergeObject::Range &r : merge.ranges)
        if (r.src == merge.firstSource)
            spans.push_back({r.start_us, r.length_us});
    if (!expectedStreams(merge.firstSource, merge.asked, findOutputFormat(merge.formatName, merge.dst), expect,
                         spans)) {
        Job::removeUnfinished(merge.dst);
        merge.setError("the source cannot be read again for the output's check");
        return 0;
    }
    for (const MergeObject::Range &r : merge.ranges)
        expect.duration_us += rangeInSource(r.src, r.start_us, r.length_us, flags);
    expect.longer_us = merge.active().longer_us();
    expect.pieces = static_cast<int>(merge.ranges.size());
    if (!merge.transcode)
        expect.joins_us = merge.merger.joins();
    OutputFacts facts;
    std::string why;
    if (checkOutput(merge.dst, expect, flags, facts, why)) {
        merge.check = "passed";
        logLine(AV_LOG_VERBOSE, "%s: output check passed in %.3f s", merge.dst.c_str(), facts.seconds);
        return 1;
    }
    Job::removeUnfinished(merge.dst);
    merge.check = why;
    merge.setError(checkFailureText(why));
    logLine(AV_LOG_WARNING, "%s: %s", merge.dst.c_str(), checkFailureText(why).c_str());
    return 0;
}

template <class T, class F, class R>
R withObject(ORL_HANDLE h, R failure, F &&body)
{
    return guardBoundary(h, failure, [&]() -> R {
        auto obj = findHandleAs<T>(h);
        if (!obj)
            return failure;
        return body(*obj);
    });
}

void destroyHandle(ORL_HANDLE h, HandleKind kind)
{
    try {
        if (auto obj = findHandle(h); obj && obj->kind() == kind)
            unregisterHandle(h);
    } catch (...) {
    }
}

} // namespace
} // namespace orl

using namespace orl;

extern "C" {

// ------------------------------------------------------------------ Conv ---

ORL_HANDLE Conv_CreateCopy(int)
{
    try {
        return registerHandle(std::make_shared<ConvObject>(false));
    } catch (...) {
        return 0;
    }
}

ORL_HANDLE Conv_CreateTranscode(int)
{
    try {
        return registerHandle(std::make_shared<ConvObject>(true));
    } catch (...) {
        return 0;
    }
}

int Conv_Open(ORL_HANDLE c, const char *src, const char *dst, const char *format, ORL_HANDLE params)
{
    return withObject<ConvObject>(c, 0, [&](ConvObject &conv) {
        std::lock_guard<std::mutex> lock(conv.mutex);
        conv.stopping = false;
        conv.clearError();
        if (!dst || !*dst) {
            conv.setError("no destination");
            return 0;
        }
        conv.copy.reset();
        conv.encode.reset();
        conv.trackMuxer.reset();
        conv.dst = dst;
        conv.format = format ? format : "";
        if (conv.cancelled()) {
            conv.setError("stopped");
            return 0;
        }
        if (!src) {
            if (conv.tracks.empty()) {
                conv.setError("no source and no tracks");
                return 0;
            }
            conv.trackProgress.position_us = 0;
            conv.trackProgress.total_us = 0;
            auto muxer = std::make_unique<TrackMuxer>(conv.tracks, conv.trackProgress);
            std::string error;
            if (!muxer->open(conv.dst, conv.format, error)) {
                conv.setError(error);
                return 0;
            }
            conv.trackMuxer = std::move(muxer);
            return 1;
        }
        const ParamValues values = paramValues(params);
        AskedStreams asked;
        asked.check = true;
        asked.video = values.videoCodec != -1;
        asked.audio = values.audio >= 0;
        asked.tracks = values.tracks;
        if (conv.transcode) {
            auto encode = std::make_unique<TranscodeConversion>(conv.interrupt());
            encode->setAskedStreams(asked);
            if (!encode->open(src, dst, conv.format, values)) {
                conv.setError(encode->lastError());
                logLine(AV_LOG_WARNING, "encoding open failed: %s", encode->lastError().c_str());
                return 0;
            }
            conv.encode = std::move(encode);
            return 1;
        }
        CopyChoice choice;
        std::string error;
        if (!copyChoiceFrom(values, choice, error)) {
            conv.setError(error);
            return 0;
        }
        auto copy = std::make_unique<StreamCopyConversion>(conv.interrupt());
        copy->setAskedStreams(asked);
        if (!copy->open(src, dst, conv.format, choice)) {
            conv.setError(copy->lastError());
            logLine(AV_LOG_WARNING, "copy open failed: %s", copy->lastError().c_str());
            return 0;
        }
        conv.copy = std::move(copy);
        return 1;
    });
}

int Conv_OpenDisc(ORL_HANDLE c, const char *, const char *, const char *, ORL_HANDLE)
{
    return withObject<ConvObject>(c, 0, [&](ConvObject &conv) {
        conv.setError("discs are not supported");
        return 0;
    });
}

int Conv_SetRange(ORL_HANDLE c, uint64_t start_us, uint64_t length_us)
{
    return withObject<ConvObject>(c, 0, [&](ConvObject &conv) {
        std::lock_guard<std::mutex> lock(conv.mutex);
        if (conv.encode) {
            conv.encode->setRange(start_us, length_us);
            return 1;
        }
        if (!conv.copy)
            return 0;
        conv.copy->setRange(start_us, length_us);
        return 1;
    });
}

int Conv_Start(ORL_HANDLE c)
{
    return withObject<ConvObject>(c, 0, [&](ConvObject &conv) {
        std::lock_guard<std::mutex> lock(conv.mutex);
        if (conv.copy) {
            if (!conv.copy->start()) {
                conv.setError(conv.copy->lastError());
                return 0;
            }
            return 1;
        }
        if (conv.encode) {
            if (!conv.encode->start()) {
                conv.setError(conv.encode->lastError());
                return 0;
            }
            return 1;
        }
        if (conv.trackMuxer)
            return conv.trackMuxer->start() ? 1 : 0;
        conv.setError("nothing is open");
        return 0;
    });
}

int Conv_SetCancel(ORL_HANDLE c, ORL_HANDLE token)
{
    return withObject<ConvObject>(c, 0, [&](ConvObject &conv) {
        std::shared_ptr<std::atomic<bool>> flag = token ? findCancelFlag(token) : nullptr;
        if (token && !flag)
            return 0;
        std::lock_guard<std::mutex> lock(conv.mutex);
        conv.cancel = std::move(flag);
        return 1;
    });
}

int Conv_Stop(ORL_HANDLE c)
{
    return withObject<ConvObject>(c, 0, [&](ConvObject &conv) {
        conv.stopping = true;
        std::lock_guard<std::mutex> lock(conv.mutex);
        if (conv.copy)
            return conv.copy->stop() ? 1 : 0;
        if (conv.encode)
            return conv.encode->stop() ? 1 : 0;
        if (conv.trackMuxer) {
            conv.trackMuxer->stop();
            return 1;
        }
        return 0;
    });
}

int Conv_IsFinished(ORL_HANDLE c)
{
    return withObject<ConvObject>(c, 1, [&](ConvObject &conv) {
        std::lock_guard<std::mutex> lock(conv.mutex);
        const CopyProgress *p = conv.progress();
        return p ? (p->finished.load() ? 1 : 0) : 1;
    });
}

int Conv_IsAborted(ORL_HANDLE c)
{
    return withObject<ConvObject>(c, 1, [&](ConvObject &conv) {
        std::lock_guard<std::mutex> lock(conv.mutex);
        const CopyProgress *p = conv.progress();
        if (!p)
            return 1;
        if (p->failed.load() && conv.copy)
            conv.setError(conv.copy->lastError());
        if (p->failed.load() && conv.encode)
            conv.setError(conv.encode->lastError());
        return p->failed.load() ? 1 : 0;
    });
}

uint64_t Conv_GetPosition(ORL_HANDLE c)
{
    return withObject<ConvObject>(c, uint64_t(0), [&](ConvObject &conv) {
        std::lock_guard<std::mutex> lock(conv.mutex);
        const CopyProgress *p = conv.progress();
        return p ? p->position_us.load() : uint64_t(0);
    });
}

uint64_t Conv_GetTotal(ORL_HANDLE c)
{
    return withObject<ConvObject>(c, uint64_t(0), [&](ConvObject &conv) {
        std::lock_guard<std::mutex> lock(conv.mutex);
        const CopyProgress *p = conv.progress();
        return p ? p->total_us.load() : uint64_t(0);
    });
}

int Conv_GetCutMode(ORL_HANDLE c)
{
    return withObject<ConvObject>(c, 0, [&](ConvObject &conv) {
        std::lock_guard<std::mutex> lock(conv.mutex);
        return conv.copy ? conv.copy->cutMode() : 0;
    });
}

int Conv_FrameExactObstacle(const char *format, const char *extension, const char *video_codec)
{
    try {
        const std::string dst = extension && *extension ? std::string("x.") + extension : std::string();
        const AVOutputFormat *out = findOutputFormat(format ? format : "", dst);
        const AVCodecDescriptor *codec = video_codec && *video_codec ? avcodec_descriptor_get_by_name(video_codec)
                                                                     : nullptr;
        std::string why;
        return frameExactObstacle(out, codec ? codec->id : AV_CODEC_ID_NONE, why);
    } catch (...) {
        return ORL_EXACT_CONTAINER;
    }
}

const char *Conv_GetCutReport(ORL_HANDLE c)
{
    return withObject<ConvObject>(c, "", [&](ConvObject &conv) -> const char * {
        std::lock_guard<std::mutex> lock(conv.mutex);
        conv.report = conv.copy ? conv.copy->cutReport() : std::string();
        return conv.report.c_str();
    });
}

const char *Conv_GetCheckReport(ORL_HANDLE c)
{
    return withObject<ConvObject>(c, "", [&](ConvObject &conv) -> const char * {
        std::lock_guard<std::mutex> lock(conv.mutex);
        conv.check = conv.copy ? conv.copy->checkReport() : conv.encode ? conv.encode->checkReport() : std::string();
        return conv.check.c_str();
    });
}

int Conv_CheckOutput(const char *path, const ORL_OUTPUT_EXPECT *expect, char *why, int why_size)
{
    try {
        if (!path || !expect)
            return 0;
        OutputExpectation e;
        e.video = expect->video != 0;
        e.audio = expect->audio;
        e.duration_us = static_cast<int64_t>(expect->duration_us);
        e.longer_us = static_cast<int64_t>(expect->longer_us);
        for (int i = 0; expect->joins_us && i < expect->join_count; ++i)
            e.joins_us.push_back(static_cast<int64_t>(expect->joins_us[i]));
        InterruptFlags never;
        never.global = engineInterrupt();
        OutputFacts facts;
        std::string reason;
        const bool passed = checkOutput(path, e, never, facts, reason);
        if (why && why_size > 0)
            std::snprintf(why, static_cast<size_t>(why_size), "%s", passed ? "passed" : reason.c_str());
        return passed ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

uint64_t Conv_GetSourceEnd(ORL_HANDLE c)
{
    return withObject<ConvObject>(c, uint64_t(0), [&](ConvObject &conv) {
        std::lock_guard<std::mutex> lock(conv.mutex);
        const CopyProgress *p = conv.progress();
        return p && p->finished.load() ? p->sourceEnd_us.load() : uint64_t(0);
    });
}

int Conv_AddTrack(ORL_HANDLE c, ORL_HANDLE track)
{
    auto t = findHandleAs<TrackObject>(track);
    if (!t)
        return 0;
    return withObject<ConvObject>(c, 0, [&](ConvObject &conv) {
        std::lock_guard<std::mutex> lock(conv.mutex);
        conv.tracks.push_back(t);
        return 1;
    });
}

void Conv_Close(ORL_HANDLE c)
{
    withObject<ConvObject>(c, 0, [&](ConvObject &conv) {
        std::lock_guard<std::mutex> lock(conv.mutex);
        if (conv.copy)
            conv.copy->close();
        conv.copy.reset();
        if (conv.encode)
            conv.encode->close();
        conv.encode.reset();
        conv.trackMuxer.reset();
        conv.tracks.clear();
        return 0;
    });
}

void Conv_Destroy(ORL_HANDLE c)
{
    Conv_Close(c);
    destroyHandle(c, HandleKind::Conv);
}

// ----------------------------------------------------------------- Merge ---

ORL_HANDLE Merge_CreateCopy(int)
{
    try {
        return registerHandle(std::make_shared<MergeObject>(false));
    } catch (...) {
        return 0;
    }
}

ORL_HANDLE Merge_CreateTranscode(int)
{
    try {
        return registerHandle(std::make_shared<MergeObject>(true));
    } catch (...) {
        return 0;
    }
}

int Merge_Open(ORL_HANDLE m, const char *dst, const char *format, ORL_HANDLE params)
{
    return withObject<MergeObject>(m, 0, [&](MergeObject &merge) {
        std::lock_guard<std::mutex> lock(merge.mutex);
        merge.stopping = false;
        merge.clearError();
        if (!dst || !*dst) {
            merge.setError("no destination");
            return 0;
        }
        merge.dst = dst;
        merge.formatName = format ? format : "";
        merge.firstSource.clear();
        merge.ranges.clear();
        merge.check.clear();
        merge.asked = AskedStreams();
        if (merge.transcode) {
            if (!merge.encoder.open(dst, format ? format : "", paramValues(params))) {
                merge.setError(merge.encoder.lastError());
                return 0;
            }
            return 1;
        }
        if (!merge.merger.open(dst, format ? format : "")) {
            merge.setError(merge.merger.lastError());
            return 0;
        }
        return 1;
    });
}

int Merge_Start(ORL_HANDLE m)
{
    // The file is created by the first range; nothing to do until then.
    return withObject<MergeObject>(m, 0, [&](MergeObject &) { return 1; });
}

int Merge_Add(ORL_HANDLE m, const char *src, uint64_t start_us, uint64_t length_us, ORL_HANDLE params)
{
    return withObject<MergeObject>(m, 0, [&](MergeObject &merge) {
        std::lock_guard<std::mutex> lock(merge.mutex);
        if (!src) {
            merge.setError("no source");
            return 0;
        }
        if (merge.cancelled()) {
            merge.setError("stopped");
            return 0;
        }
        const ParamValues values = paramValues(params);
        // The merged file is checked as a whole: its length is the sum of
        // the ranges, its streams those asked of the first.
        auto added = [&] {
            if (merge.firstSource.empty()) {
                merge.firstSource = src;
                merge.asked.check = true;
                merge.asked.video = values.videoCodec != -1;
                merge.asked.audio = values.audio >= 0;
                merge.asked.tracks = values.tracks;
            }
            merge.ranges.push_back(MergeObject::Range{src, static_cast<int64_t>(start_us),
                                                      static_cast<int64_t>(merge.progress().total_us.load())});
            return 1;
        };
        if (merge.transcode) {
            std::optional<std::string> chapter;
            for (const auto &option : values.options)
                if (option.first == "part-chapter")
                    chapter = option.second;
            if (!merge.encoder.add(src, start_us, length_us, values, chapter)) {
                merge.setError(merge.encoder.lastError());
                return 0;
            }
            return added();
        }
        CopyChoice choice;
        std::string error;
        if (!copyChoiceFrom(values, choice, error)) {
            merge.setError(error);
            return 0;
        }
        if (!merge.merger.add(src, start_us, length_us, choice)) {
            merge.setError(merge.merger.lastError());
            return 0;
        }
        return added();
    });
}

int Merge_CheckSources(ORL_HANDLE m, const char *const *sources, int count, ORL_HANDLE params)
{
    return withObject<MergeObject>(m, -1, [&](MergeObject &merge) {
        std::lock_guard<std::mutex> lock(merge.mutex);
        merge.fit.clear();
        merge.misfits.clear();
        if (count < 0 || (count > 0 && !sources)) {
            merge.fit = "no sources";
            return -1;
        }
        std::vector<std::string> list;
        for (int i = 0; i < count; ++i) {
            if (!sources[i]) {
                merge.fit = "no source";
                return -1;
            }
            list.emplace_back(sources[i]);
        }
        // An encoded merge makes every range into the same streams.
        if (merge.transcode)
            return 1;
        CopyChoice choice;
        if (!copyChoiceFrom(paramValues(params), choice, merge.fit))
            return -1;
        return merge.merger.checkSources(list, choice, merge.fit, merge.misfits);
    });
}

int Merge_GetMisfitCount(ORL_HANDLE m)
{
    return withObject<MergeObject>(m, 0, [&](MergeObject &merge) {
        std::lock_guard<std::mutex> lock(merge.mutex);
        return static_cast<int>(merge.misfits.size());
    });
}

const char *Merge_GetMisfitSource(ORL_HANDLE m, int index)
{
    return withObject<MergeObject>(m, static_cast<const char *>(nullptr), [&](MergeObject &merge) -> const char * {
        std::lock_guard<std::mutex> lock(merge.mutex);
        if (index < 0 || index >= static_cast<int>(merge.misfits.size()))
            return nullptr;
        return merge.misfits[index].source.c_str();
    });
}

int Merge_GetMisfitKinds(ORL_HANDLE m, int index)
{
    return withObject<MergeObject>(m, 0, [&](MergeObject &merge) {
        std::lock_guard<std::mutex> lock(merge.mutex);
        if (index < 0 || index >= static_cast<int>(merge.misfits.size()))
            return 0;
        return merge.misfits[index].kinds;
    });
}

const char *Merge_GetMisfitText(ORL_HANDLE m, int index)
{
    return withObject<MergeObject>(m, static_cast<const char *>(nullptr), [&](MergeObject &merge) -> const char * {
        std::lock_guard<std::mutex> lock(merge.mutex);
        if (index < 0 || index >= static_cast<int>(merge.misfits.size()))
            return nullptr;
        JoinMisfit &misfit = merge.misfits[index];
        // Kept with the file's entry, so that it lives until the next check.
        if (misfit.phrases.size() != 1) {
            misfit.phrases = {joinDifferencesText(misfit.phrases)};
        }
        return misfit.phrases.front().c_str();
    });
}

const char *Merge_GetFitReport(ORL_HANDLE m)
{
    return withObject<MergeObject>(m, "", [&](MergeObject &merge) -> const char * {
        std::lock_guard<std::mutex> lock(merge.mutex);
        return merge.fit.c_str();
    });
}

int Merge_SetCancel(ORL_HANDLE m, ORL_HANDLE token)
{
    return withObject<MergeObject>(m, 0, [&](MergeObject &merge) {
        std::shared_ptr<std::atomic<bool>> flag = token ? findCancelFlag(token) : nullptr;
        if (token && !flag)
            return 0;
        merge.setCancel(std::move(flag));
        return 1;
    });
}

int Merge_AddDisc(ORL_HANDLE m, const char *, uint64_t, uint64_t, ORL_HANDLE)
{
    return withObject<MergeObject>(m, 0, [&](MergeObject &merge) {
        merge.setError("discs are not supported");
        return 0;
    });
}

int Merge_Finish(ORL_HANDLE m)
{
    return withObject<MergeObject>(m, 0, [&](MergeObject &merge) {
        // Finishing while a range is still going in stops it: the merged
        // file would lack that range, so it is a failure, never complete.
        const char *unfinished = "the merge was stopped before its last range was in";
        if (!merge.isDone())
            merge.stopping = true;
        std::lock_guard<std::mutex> lock(merge.mutex);
        if (merge.transcode) {
            if (!merge.encoder.isDone()) {
                merge.encoder.abort();
                merge.setError(unfinished);
                return 0;
            }
            if (!merge.encoder.finish()) {
                merge.setError(merge.encoder.lastError());
                return 0;
            }
            return checkMerged(merge);
        }
        if (!merge.merger.isDone()) {
            merge.merger.abort();
            merge.setError(unfinished);
            return 0;
        }
        if (!merge.merger.finish()) {
            merge.setError(merge.merger.lastError());
            return 0;
        }
        return checkMerged(merge);
    });
}

int Merge_IsDone(ORL_HANDLE m)
{
    return withObject<MergeObject>(m, 1, [&](MergeObject &merge) { return merge.isDone() ? 1 : 0; });
}

int Merge_HasError(ORL_HANDLE m)
{
    return withObject<MergeObject>(m, 1, [&](MergeObject &merge) {
        if (merge.hasError()) {
            merge.setError(merge.mergeError());
            return 1;
        }
        return 0;
    });
}

int Merge_GetCutMode(ORL_HANDLE m)
{
    return withObject<MergeObject>(m, 0, [&](MergeObject &merge) {
        std::lock_guard<std::mutex> lock(merge.mutex);
        return merge.transcode ? 0 : merge.merger.cutMode();
    });
}

const char *Merge_GetCutReport(ORL_HANDLE m)
{
    return withObject<MergeObject>(m, "", [&](MergeObject &merge) -> const char * {
        std::lock_guard<std::mutex> lock(merge.mutex);
        merge.report = merge.transcode ? std::string() : merge.merger.cutReport();
        return merge.report.c_str();
    });
}

int Merge_GetRangeCount(ORL_HANDLE m)
{
    return withObject<MergeObject>(m, 0, [&](MergeObject &merge) {
        std::lock_guard<std::mutex> lock(merge.mutex);
        if (!merge.transcode)
            return static_cast<int>(merge.merger.rangeMethods().size());
        // The range going in counts once it is in.
        const int added = static_cast<int>(merge.ranges.size());
        return merge.isDone() && !merge.hasError() ? added : std::max(0, added - 1);
    });
}

int Merge_GetRangeMethod(ORL_HANDLE m, int index)
{
    return withObject<MergeObject>(m, -1, [&](MergeObject &merge) {
        std::lock_guard<std::mutex> lock(merge.mutex);
        if (merge.transcode)
            return index >= 0 && index < static_cast<int>(merge.ranges.size()) ? int(ORL_RANGE_ENCODED) : -1;
        const std::vector<int> methods = merge.merger.rangeMethods();
        return index >= 0 && index < static_cast<int>(methods.size()) ? methods[index] : -1;
    });
}

const char *Merge_GetCheckReport(ORL_HANDLE m)
{
    return withObject<MergeObject>(m, "", [&](MergeObject &merge) -> const char * {
        std::lock_guard<std::mutex> lock(merge.mutex);
        merge.checkHanded = merge.check;
        return merge.checkHanded.c_str();
    });
}

uint64_t Merge_GetPosition(ORL_HANDLE m)
{
    return withObject<MergeObject>(m, uint64_t(0),
                                   [&](MergeObject &merge) { return merge.progress().position_us.load(); });
}

uint64_t Merge_GetTotal(ORL_HANDLE m)
{
    return withObject<MergeObject>(m, uint64_t(0),
                                   [&](MergeObject &merge) { return merge.progress().total_us.load(); });
}

uint64_t Merge_GetSourceEnd(ORL_HANDLE m)
{
    return withObject<MergeObject>(m, uint64_t(0), [&](MergeObject &merge) {
        return merge.isDone() ? merge.progress().sourceEnd_us.load() : uint64_t(0);
    });
}

void Merge_Close(ORL_HANDLE m)
{
    withObject<MergeObject>(m, 0, [&](MergeObject &merge) {
        merge.stopping = true;
        std::lock_guard<std::mutex> lock(merge.mutex);
        merge.merger.abort();
        merge.encoder.abort();
        return 0;
    });
}

void Merge_Destroy(ORL_HANDLE m)
{
    Merge_Close(m);
    destroyHandle(m, HandleKind::Merge);
}

// ----------------------------------------------------------------- Track ---

ORL_HANDLE Track_Create(int kind)
{
    if (kind != ORL_STREAM_VIDEO && kind != ORL_STREAM_AUDIO && kind != ORL_STREAM_SUBTITLE)
        return 0;
    try {
        return registerHandle(std::make_shared<TrackObject>(kind));
    } catch (...) {
        return 0;
    }
}

int Track_SetCodec(ORL_HANDLE t, int legacyCodec)
{
    return withObject<TrackObject>(t, 0, [&](TrackObject &track) {
        track.legacyCodec = legacyCodec;
        return findLegacyCodec(legacyCodec) ? 1 : 0;
    });
}

int Track_SetSize(ORL_HANDLE t, int width, int height)
{
    return withObject<TrackObject>(t, 0, [&](TrackObject &track) {
        track.width = width;
        track.height = height;
        return 1;
    });
}

int Track_SetFrameRate(ORL_HANDLE t, int rate, int scale)
{
    return withObject<TrackObject>(t, 0, [&](TrackObject &track) {
        track.frameRate = rate;
        track.frameRateScale = scale;
        return 1;
    });
}

int Track_SetDisplaySize(ORL_HANDLE t, int width, int height)
{
    return withObject<TrackObject>(t, 0, [&](TrackObject &track) {
        track.displayWidth = width;
        track.displayHeight = height;
        return 1;
    });
}

int Track_SetAudio(ORL_HANDLE t, int first, int second)
{
    return withObject<TrackObject>(t, 0, [&](TrackObject &track) {
        track.audioFirst = first;
        track.audioSecond = second;
        return 1;
    });
}

int Track_SetTiming(ORL_HANDLE t, int num, int den)
{
    return withObject<TrackObject>(t, 0, [&](TrackObject &track) {
        track.timingNum = num;
        track.timingDen = den;
        return 1;
    });
}

int Track_SetPrivateData(ORL_HANDLE t, const uint8_t *data, int size)
{
    return withObject<TrackObject>(t, 0, [&](TrackObject &track) {
        if (size < 0 || (size > 0 && !data))
            return 0;
        track.privateData.assign(data, data + size);
        return 1;
    });
}

int Track_WritePacket(ORL_HANDLE t, const uint8_t *data, int size, int64_t pts_us, int64_t dts_us,
                      int64_t duration_us, int key_frame)
{
    static const std::atomic<bool> never{false};
    return withObject<TrackObject>(t, 0, [&](TrackObject &track) {
        if (!data)
            return track.push(TrackPacket(), true, never) ? 1 : 0;
        if (size < 0)
            return 0;
        TrackPacket packet;
        packet.data.assign(data, data + size);
        packet.pts_us = pts_us;
        packet.dts_us = dts_us;
        packet.duration_us = duration_us;
        packet.key = key_frame != 0;
        return track.push(std::move(packet), false, never) ? 1 : 0;
    });
}

uint64_t Track_GetTime(ORL_HANDLE t)
{
    return withObject<TrackObject>(t, uint64_t(0), [&](TrackObject &track) { return track.lastTime_us.load(); });
}

void Track_Destroy(ORL_HANDLE t)
{
    destroyHandle(t, HandleKind::Track);
}

} // extern "C"
