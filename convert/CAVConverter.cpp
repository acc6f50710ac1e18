#include "CAVConverter.h"

#include "ConvertJobParams.h"
#include "MediaConversion.h"
#include "TagWriting.h"
#include "VoCancelToken.h"

#include <cstdio>
#include <cstring>
#include <functional>
#include <thread>

#include <unistd.h>

namespace {

constexpr int32_t kStateCancelled = 1;
constexpr int32_t kStateFinished = 2;
constexpr int32_t kStateStarting = 3;
constexpr int32_t kStateFailed = 4;
constexpr int32_t kStateProgress = 5;

// The destination with its extension replaced, made unique so that no
// file of someone else's is overwritten.
std::string withExtension(const std::string &path, const std::string &extension)
{
    const size_t slash = path.rfind('/');
    const size_t dot = path.rfind('.');
    const std::string stem = dot != std::string::npos && (slash == std::string::npos || dot > slash)
        ? path.substr(0, dot)
        : path;
    std::string candidate = stem + "." + extension;
    for (int n = 1; access(candidate.c_str(), F_OK) == 0; ++n)
        candidate = stem + "(" + std::to_string(n) + ")." + extension;
    return candidate;
}

// The usual suffix of the containers a fall-back can change to.
const char *extensionOf(const char *format)
{
    return std::strcmp(format, "mov") == 0 ? "mov" : nullptr;
}

} // namespace

// ------------------------------------------------------------ converter ---

void CAVConverter::sleepPoll(const std::function<bool()> &ended, int period_ms)
{
    if (!ended) {
        std::this_thread::sleep_for(std::chrono::milliseconds(period_ms));
        return;
    }
    // Woken by the engine the moment any job ends; the count read before
    // the look makes an end between look and wait count too.
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(period_ms);
    for (;;) {
        const uint64_t seen = MediaJobs::endCount();
        if (ended())
            return;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return;
        MediaJobs::waitForEnd(seen, static_cast<int>(left.count()));
    }
}

IAVConverter *createConverter()
{
    return new CAVConverter();
}

CAVConverter::CAVConverter() = default;

CAVConverter::~CAVConverter()
{
    // The worker, told to stop, ends within moments; nothing it reports
    // may reach a converter being taken apart.
    RequestStop();
    waitForExit();
    StopConvert();
    StopMerger(true);
    dropTracks();
    closeConversion();
    m_params.reset();
    m_stopEvent.set();
    waitForExit();
}

void CAVConverter::closeConversion()
{
    MediaConversion::close(m_conv.exchange(0));
}

void CAVConverter::armCancel()
{
    m_cancel = false;
    m_cancelToken = std::make_unique<VoCancelToken>();
}

void CAVConverter::RequestStop()
{
    // The flag goes up before the cancel, so the worker can tell a stop the
    // user asked for from a failure of the engine.
    m_cancel = true;
    if (m_cancelToken)
        m_cancelToken->trigger();
}

void CAVConverter::report(int32_t percent, int32_t state)
{
    ConvertProgressFn callback = m_mergeMode ? m_mergeCallback : m_callback;
    void *context = m_mergeMode ? m_mergeContext : m_context;
    if (callback)
        callback(percent, context, state);
}

void CAVConverter::setError(const std::string &text)
{
    std::lock_guard<std::mutex> lock(m_errorMutex);
    m_lastError = text;
}

std::string CAVConverter::lastError() const
{
    std::lock_guard<std::mutex> lock(m_errorMutex);
    return m_lastError;
}

std::string CAVConverter::cutReport() const
{
    std::lock_guard<std::mutex> lock(m_errorMutex);
    return m_cutReport;
}

std::string CAVConverter::checkReport() const
{
    std::lock_guard<std::mutex> lock(m_errorMutex);
    return m_checkReport;
}

std::vector<MediaMerge::Misfit> CAVConverter::misfits() const
{
    std::lock_guard<std::mutex> lock(m_errorMutex);
    return m_misfits;
}

std::vector<MediaMerge::RangeWay> CAVConverter::rangeWays() const
{
    std::lock_guard<std::mutex> lock(m_errorMutex);
    return m_rangeWays;
}

std::string CAVConverter::outputPath() const
{
    std::lock_guard<std::mutex> lock(m_outputMutex);
    return m_published.empty() ? m_dst : m_published;
}

std::string CAVConverter::destination() const
{
    std::lock_guard<std::mutex> lock(m_outputMutex);
    return m_dst;
}

std::string CAVConverter::partialPath() const
{
    std::lock_guard<std::mutex> lock(m_outputMutex);
    return m_partial;
}

void CAVConverter::setDestination(const std::string &finalPath)
{
    // The temporary is made (and locked) when it is named: one of another
    // name that was not completed goes.
    const std::string partial = partialPathFor(finalPath);
    std::lock_guard<std::mutex> lock(m_outputMutex);
    if (!m_partial.empty() && m_partial != partial)
        discardPartial(m_partial);
    m_partial = partial;
    m_partialInUse = std::make_unique<PartialInUse>(m_partial);
    m_dst = finalPath;
    m_published.clear();
}

void CAVConverter::adopt(Opened &opened)
{
    if (!opened.inUse)
        return;
    std::lock_guard<std::mutex> lock(m_outputMutex);
    if (m_partial != opened.partial)
        discardPartial(m_partial);
    m_partial = opened.partial;
    m_partialInUse = std::move(opened.inUse);
    m_dst = opened.dst;
    m_published.clear();
}

void CAVConverter::discardOutput()
{
    std::lock_guard<std::mutex> lock(m_outputMutex);
    discardPartial(m_partial);
    m_partialInUse.reset();
}

bool CAVConverter::publish()
{
    std::lock_guard<std::mutex> lock(m_outputMutex);
    std::string target = m_dst;
    std::string error;
    if (!publishPartial(m_partial, target, error)) {
        setError(error);
        return false;
    }
    if (target != m_dst)
        m_published = target;
    return true;
}

void CAVConverter::rememberError(MediaHandle handle)
{
    const std::string text = MediaJobs::lastError(handle);
    if (!text.empty())
        setError(text);
}

bool CAVConverter::openAndStart(const char *formatName, const std::string &partial)
{
    const MediaHandle h = m_conv.load();
    if (!MediaConversion::open(h, m_src.c_str(), partial, formatName, m_params.get(), m_job.isDisc)) {
        rememberError(h);
        return false;
    }
    MediaConversion::setRange(h, m_job.rangeStart, m_job.rangeLength);
    if (!MediaConversion::start(h)) {
        rememberError(h);
        return false;
    }
    return true;
}

CAVConverter::Opened CAVConverter::openWithRetries(const std::string &dst, const std::string &partial)
{
    Opened result;
    result.ok = openAndStart(m_job.formatName.c_str(), partial);
    for (int step = 1; !result.ok && !m_cancel && m_job.lossless && m_params && step <= 3; ++step) {
        const char *format = prepareLosslessRetry(m_params.get(), step, m_job.formatName);
        if (!format)
            continue;
        if (const char *extension = extensionOf(format)) {
            // The name follows the container written.
            Opened renamed;
            renamed.dst = withExtension(dst, extension);
            renamed.partial = partialPathFor(renamed.dst);
            renamed.inUse = std::make_unique<PartialInUse>(renamed.partial);
            renamed.ok = openAndStart(format, renamed.partial);
            if (renamed.ok)
                return renamed;
            discardPartial(renamed.partial);
            continue;
        }
        result.ok = openAndStart(format, partial);
    }
    return result;
}

bool CAVConverter::StartConvert(const char *src, const char *dst, const ConvertJob &job, void *context,
                                ConvertProgressFn callback, bool async)
{
    if (!src || !dst)
        return false;
    // One converter serves one conversion; a second start replaces the
    // first (and a watcher of an earlier job that ended goes).
    StopConvert();
    waitForExit();
    armCancel();
    m_sourceEndedAt = 0;
    setError(std::string());
    {
        std::lock_guard<std::mutex> lock(m_errorMutex);
        m_checkReport.clear();
    }
    const MediaHandle h = MediaConversion::create(job.lossless);
    if (!h)
        return false;
    MediaConversion::setCancel(h, *m_cancelToken);
    m_conv = h;
    m_context = context;
    m_callback = callback;

    m_params = createJobParams(job);
    if (m_params) {
        std::printf("video: 0x%0x, %u*%u, %u fps, %u kbps %u\nAudio: 0x%0x, %u Hz, %u bps, %u\n",
                    static_cast<unsigned>(job.videoCodecId), static_cast<unsigned>(job.width),
                    static_cast<unsigned>(job.height), static_cast<unsigned>(job.frameRateX100),
                    static_cast<unsigned>(job.videoBitrate), job.videoQuality,
                    static_cast<unsigned>(job.audioCodecId), job.sampleRate, job.audioBitrate, job.channels);
        std::fflush(stdout);
    }
    m_job = job;
    m_src = src;
    setDestination(dst);
    m_mergeMode = false;
    m_async = async;
    if (async) {
        start();
        return true;
    }

    Opened opened = openWithRetries(dst, partialPath());
    adopt(opened);
    const bool ok = opened.ok && !m_cancel;
    if (ok) {
        start();
    } else {
        if (opened.ok)
            MediaConversion::stop(h);
        discardOutput();
        closeConversion();
    }
    m_params.reset();
    return ok;
}

void CAVConverter::StopConvert()
{
    const MediaHandle h = m_conv.load();
    if (!h) {
        // Nothing runs, or the worker has closed the job at its end: what
        // the open needed goes. (A merge's watcher is the merger's affair.)
        if (!m_mergeMode) {
            waitForExit();
            m_params.reset();
        }
        return;
    }
    RequestStop();
    if (!MediaConversion::stop(h) && m_conv.load() == h) {
        std::printf("stop convert failed! \r\n");
        std::fflush(stdout);
    }
    waitForExit();
    closeConversion();
    // A stopped output never gets its name (the engine removes what it
    // wrote; this covers a stop that came before it knew of the file).
    discardOutput();
    m_context = nullptr;
    m_callback = nullptr;
    m_params.reset();
}

bool CAVConverter::OpenMerger(const char *dst, const ConvertJob &job)
{
    if (!dst)
        return false;
    m_merger = MediaMerge::create(job.lossless);
    if (!m_merger)
        return false;
    {
        std::lock_guard<std::mutex> lock(m_errorMutex);
        m_misfits.clear();
        m_rangeWays.clear();
    }
    // One cancel for the whole merge: a merge stopped is abandoned.
    armCancel();
    MediaMerge::setCancel(m_merger.get(), *m_cancelToken);
    setDestination(dst);
    const EngineHandle params = createJobParams(job);
    const bool ok = MediaMerge::openAndStart(m_merger.get(), partialPath(), job.formatName.c_str(), params.get());
    if (!ok) {
        rememberError(m_merger.get());
        discardOutput();
    }
    return ok;
}

CAVConverter::Opened CAVConverter::addWithRetries(const std::string &src, const ConvertJob &job, MediaHandle p,
                                                  const std::string &dst, const std::string &partial)
{
    const MediaHandle merger = m_merger.get();
    auto add = [&] {
        const bool added = MediaMerge::add(merger, src, job.rangeStart, job.rangeLength, p, job.isDisc);
        if (!added)
            rememberError(merger);
        return added;
    };
    auto reopen = [&](const char *format, const std::string &to) {
        const bool ok = MediaMerge::openAndStart(merger, to, format, p);
        if (!ok)
            rememberError(merger);
        return ok;
    };

    Opened result;
    result.ok = add();
    for (int step = 1; !result.ok && !m_cancel && job.lossless && p && step <= 3; ++step) {
        const char *format = prepareLosslessRetry(p, step, job.formatName);
        if (!format)
            continue;
        // Each attempt starts the merged output anew, under the name of the
        // container it writes.
        std::string to = partial;
        if (const char *extension = extensionOf(format)) {
            discardPartial(partial);
            result.dst = withExtension(dst, extension);
            result.partial = partialPathFor(result.dst);
            result.inUse = std::make_unique<PartialInUse>(result.partial);
            to = result.partial;
        }
        if (m_cancel || !reopen(format, to))
            break;
        result.ok = add();
    }
    return result;
}

bool CAVConverter::AddMergeSegment(const char *src, const ConvertJob &job, void *context,
                                   ConvertProgressFn callback)
{
    if (!src || !m_merger)
        return false;
    // The previous range's watcher has ended (the merger reported it in);
    // make sure its thread is gone before a new one starts.
    waitForExit();
    const EngineHandle params = createJobParams(job);
    m_mergeContext = context;
    m_mergeCallback = callback;
    Opened added = addWithRetries(src, job, params.get(), destination(), partialPath());
    adopt(added);
    const bool ok = added.ok && !m_cancel;
    if (ok) {
        m_mergeMode = true;
        m_async = false;
        start();
    }
    return ok;
}

bool CAVConverter::StartMergeSegment(const char *src, const ConvertJob &job, void *context,
                                     ConvertProgressFn callback, bool last)
{
    if (!src || !m_merger)
        return false;
    waitForExit();
    m_mergeLast = last;
    m_mergeParams = createJobParams(job);
    m_mergeJob = job;
    m_src = src;
    m_mergeContext = context;
    m_mergeCallback = callback;
    m_mergeMode = true;
    m_async = true;
    start();
    return true;
}

void CAVConverter::StopMerger(bool wait)
{
    finishMerger(wait, !wait);
}

void CAVConverter::AbandonMerger()
{
    finishMerger(false, false);
}

void CAVConverter::finishMerger(bool wait, bool keep)
{
    if (!m_merger)
        return;
    if (wait)
        RequestStop(); // before the finish, so the watcher reports a cancel
    // The last range's worker completes (and checks) the file itself.
    if (m_mergeLast)
        waitForExit();
    if (!m_mergeFinished) {
        completeMerge();
        // The watcher polls the merger until it has seen the end, which
        // the finish has brought.
        waitForExit();
    }
    m_mergeFinished = false;
    m_mergeLast = false;
    m_merger.reset();
    m_mergeParams.reset();
    // Only a merged file that is complete and wanted gets its name.
    if (m_mergeComplete && keep)
        m_mergeComplete = publish();
    else
        discardPartial(partialPath());
    {
        std::lock_guard<std::mutex> lock(m_outputMutex);
        m_partialInUse.reset();
    }
    m_mergeCallback = nullptr;
    m_mergeContext = nullptr;
}

bool CAVConverter::completeMerge()
{
    const bool complete = MediaMerge::finish(m_merger.get());
    if (const char *check = MediaMerge::checkReport(m_merger.get())) {
        std::lock_guard<std::mutex> lock(m_errorMutex);
        m_checkReport = check;
    }
    if (!complete) {
        rememberError(m_merger.get());
        std::printf("stop Merger failed! \r\n");
        std::fflush(stdout);
    }
    m_mergeComplete = complete;
    return complete;
}

void CAVConverter::run()
{
    if (m_mergeMode) {
        if (m_async)
            runAsyncMergeAdd();
        else
            runMerge();
        return;
    }
    if (m_async)
        runAsyncStart();
    else
        runConversion();
}

void CAVConverter::runAsyncStart()
{
    report(1, kStateStarting);
    Opened opened = openWithRetries(destination(), partialPath());
    adopt(opened);
    if (!opened.ok || m_cancel) {
        if (opened.ok)
            MediaConversion::stop(m_conv.load());
        else
            closeConversion();
        discardOutput();
        report(m_cancel ? 100 : 0, m_cancel ? kStateCancelled : kStateFailed);
        return;
    }
    runConversion();
}

void CAVConverter::runAsyncMergeAdd()
{
    report(1, kStateStarting);
    if (!m_mergeSources.empty()) {
        const int fits = MediaMerge::checkSources(m_merger.get(), m_mergeSources, m_mergeParams.get());
        m_mergeSources.clear();
        if (fits != 1) {
            {
                std::lock_guard<std::mutex> lock(m_errorMutex);
                m_misfits = MediaMerge::misfits(m_merger.get());
            }
            const char *why = MediaMerge::fitReport(m_merger.get());
            setError(std::string(fits == 0 ? "the files do not join without encoding: " : "") + (why ? why : ""));
            report(0, kStateFailed);
            return;
        }
    }
    Opened added = addWithRetries(m_src, m_mergeJob, m_mergeParams.get(), destination(), partialPath());
    adopt(added);
    if (!added.ok || m_cancel) {
        report(0, m_cancel ? kStateCancelled : kStateFailed);
        return;
    }
    runMerge();
}

void CAVConverter::runConversion()
{
    const MediaHandle h = m_conv.load();
    const std::string partial = partialPath();
    int32_t last = 0;
    bool stopSent = false;
    PartialWriteback writeback(partial);
    while (!MediaConversion::isFinished(h)) {
        if (m_cancel && !stopSent) {
            // Reads give up on the cancel; the stop ends the writing too.
            MediaConversion::stop(h);
            stopSent = true;
        }
        if (MediaConversion::isAborted(h) && m_cancel) {
            discardOutput();
            report(0, kStateCancelled);
            return;
        }
        if (m_callback) {
            const uint64_t total = MediaConversion::total(h);
            const uint64_t position = MediaConversion::position(h);
            int32_t percent = total ? static_cast<int32_t>(position * 100 / total) : 0;
            if (percent > 99)
                percent = 99;
            if (percent > last) {
                report(percent, kStateProgress);
                last = percent;
            }
        }
        // Short periods: the disk takes the output while it is written.
        sleepPoll([h] { return MediaConversion::isFinished(h); }, 10);
        writeback.push();
    }
    const bool aborted = MediaConversion::isAborted(h);
    if (aborted && m_cancel) {
        discardOutput();
        report(0, kStateCancelled);
        return;
    }
    if (aborted)
        rememberError(h);
    else
        m_sourceEndedAt = MediaConversion::sourceEnd(h);
    if (const char *check = MediaConversion::checkReport(h)) {
        std::lock_guard<std::mutex> lock(m_errorMutex);
        m_checkReport = check;
    }
    if (const char *cut = MediaConversion::cutReport(h); cut && *cut) {
        // A fall-back to key frames is news the user asked to hear about.
        {
            std::lock_guard<std::mutex> lock(m_errorMutex);
            m_cutReport = cut;
        }
        std::printf("%s\n", cut);
    }
    closeConversion();
    // The output gets its name only complete: tags written, on the disk.
    if (aborted) {
        // The engine gave up (read or write error): a failure, never a
        // finished file.
        discardOutput();
        report(0, kStateFailed);
    } else if (!writeFinishedFileTags(partial, m_job.editConfig.tags, destination())) {
        // The sound is complete; its tags are not what the user asked for.
        setError("the sound was converted, but its tags could not be written into the file");
        discardOutput();
        report(0, kStateFailed);
    } else if (!publish()) {
        report(0, kStateFailed);
    } else {
        report(100, kStateFinished);
    }
}

void CAVConverter::runMerge()
{
    const MediaHandle merger = m_merger.get();
    int32_t last = 0;
    PartialWriteback writeback(partialPath());
    while (!MediaMerge::isDone(merger)) {
        if (MediaMerge::hasError(merger) && m_cancel) {
            report(0, kStateCancelled);
            return;
        }
        if (m_mergeCallback) {
            const uint64_t total = MediaMerge::total(merger);
            const uint64_t position = MediaMerge::position(merger);
            const int32_t percent = total ? static_cast<int32_t>(position * 100 / total) : 0;
            if (percent > last) {
                report(percent, kStateProgress);
                last = percent;
            }
        }
        sleepPoll([merger] { return MediaMerge::isDone(merger); }, 10);
        writeback.push();
    }
    if (MediaMerge::hasError(merger)) {
        rememberError(merger);
        report(0, m_cancel ? kStateCancelled : kStateFailed);
    } else if (m_mergeLast && !completeMerge()) {
        // The merged file could not be completed, or failed its check.
        m_mergeFinished = true;
        report(0, m_cancel ? kStateCancelled : kStateFailed);
    } else {
        m_mergeFinished = m_mergeLast;
        if (const char *cut = MediaMerge::cutReport(merger); cut && *cut) {
            bool news = false;
            {
                std::lock_guard<std::mutex> lock(m_errorMutex);
                news = m_cutReport != cut;
                m_cutReport = cut;
            }
            if (news)
                std::printf("%s\n", cut);
        }
        m_sourceEndedAt = MediaMerge::sourceEnd(merger);
        {
            std::lock_guard<std::mutex> lock(m_errorMutex);
            m_rangeWays = MediaMerge::rangeWays(merger);
        }
        report(100, kStateFinished);
    }
}
