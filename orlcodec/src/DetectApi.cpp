// The exported detector family. Every entry point catches everything: no
// exception crosses into C callers.
#include "CancelToken.h"
#include "Detect.h"
#include "Handles.h"
#include "orlcodec_detect.h"

#include <mutex>
#include <vector>

using namespace orl;

namespace {

class DetectObject final : public EngineObject {
public:
    DetectObject() : EngineObject(HandleKind::Detect) {}

    // The token the next run watches: the caller's (Detect_SetCancel) or one
    // of the handle's own. Only ever set, never cleared, so a cancel that
    // comes before a run begins ends that run at once.
    std::shared_ptr<std::atomic<bool>> cancelFlag() const
    {
        std::lock_guard<std::mutex> lock(cancelMutex);
        return cancel;
    }
    void setCancelFlag(std::shared_ptr<std::atomic<bool>> flag)
    {
        std::lock_guard<std::mutex> lock(cancelMutex);
        cancel = std::move(flag);
    }

    // Held by the running search; Detect_Cancel and Detect_GetProgress
    // never take it.
    std::mutex runMutex;
    // Set once by Detect_Destroy: a run under way returns.
    std::atomic<bool> destroyed{false};
    std::atomic<int> progress{0};
    std::atomic<int> failure{ORL_DETECT_FAILED_NONE};
    std::vector<orl_detect_range> ranges; // guarded by runMutex
    std::vector<uint8_t> peaks;           // guarded by runMutex

private:
    mutable std::mutex cancelMutex;
    std::shared_ptr<std::atomic<bool>> cancel = std::make_shared<std::atomic<bool>>(false); // guarded by cancelMutex
};

std::shared_ptr<DetectObject> findDetector(ORL_HANDLE h)
{
    return findHandleAs<DetectObject>(h);
}

// Runs body with a fresh Detector under the object's run lock; records the
// outcome. The run watches the token as it is when the run begins; a
// cancel that came before counts (the run ends at once).
template <class F>
int runDetector(ORL_HANDLE h, const char *path, F &&body)
{
    return guardBoundary(h, 0, [&]() -> int {
        std::shared_ptr<DetectObject> d = findDetector(h);
        if (!d)
            return 0;
        std::lock_guard<std::mutex> lock(d->runMutex);
        const std::shared_ptr<std::atomic<bool>> cancel = d->cancelFlag();
        InterruptFlags irq;
        irq.abort = &d->destroyed;
        irq.cancel = cancel.get();
        irq.global = engineInterrupt();
        d->progress.store(0);
        d->failure.store(ORL_DETECT_FAILED_NONE);
        d->ranges.clear();
        d->peaks.clear();
        d->clearError();
        Detector detector(irq, d->progress);
        const bool ok = path && !irq.check() && body(detector, *d);
        if (!ok && irq.check())
            d->failure.store(ORL_DETECT_FAILED_STOPPED);
        if (!ok) {
            int why = detector.failure();
            std::string text = detector.error();
            if (why == ORL_DETECT_FAILED_NONE)
                why = d->failure.load();
            if (why == ORL_DETECT_FAILED_NONE)
                why = ORL_DETECT_FAILED_UNREADABLE;
            if (text.empty())
                text = why == ORL_DETECT_FAILED_SETTINGS  ? "a detection setting is out of its range"
                       : why == ORL_DETECT_FAILED_STOPPED ? "stopped"
                                                          : "no file given";
            d->failure.store(why);
            d->setError(text);
            d->ranges.clear();
            d->peaks.clear();
            return 0;
        }
        return 1;
    });
}

bool settingsValid(const orl_detect_settings &s)
{
    switch (s.kind) {
    case ORL_DETECT_SILENCE: return s.threshold < 0 && s.threshold >= -120 && s.min_length_us > 0;
    case ORL_DETECT_BLACK:
        return s.threshold > 0 && s.threshold <= 1 && s.pixel_threshold >= 0 && s.pixel_threshold <= 1;
    case ORL_DETECT_SCENE: return s.threshold > 0 && s.threshold <= 100;
    case ORL_DETECT_FREEZE: return s.threshold < 0 && s.threshold >= -120 && s.min_length_us > 0;
    default: return false;
    }
}

} // namespace

extern "C" {

int Detect_DefaultSettings(int kind, orl_detect_settings *s)
{
    if (!s)
        return 0;
    *s = orl_detect_settings{};
    s->kind = kind;
    switch (kind) {
    case ORL_DETECT_SILENCE: s->threshold = -50; s->min_length_us = 1000000; return 1;
    case ORL_DETECT_BLACK:
        s->threshold = 0.98;
        s->pixel_threshold = 0.10;
        s->min_length_us = 500000;
        return 1;
    case ORL_DETECT_SCENE: s->threshold = 10; s->min_length_us = 1000000; return 1;
    case ORL_DETECT_FREEZE: s->threshold = -60; s->min_length_us = 2000000; return 1;
    default: return 0;
    }
}

ORL_HANDLE Detect_Create(void)
{
    try {
        return registerHandle(std::make_shared<DetectObject>());
    } catch (...) {
        return 0;
    }
}

int Detect_Run(ORL_HANDLE h, const char *path_utf8, const orl_detect_settings *settings)
{
    return runDetector(h, path_utf8, [&](Detector &detector, DetectObject &d) {
        if (!settings || !settingsValid(*settings)) {
            d.failure.store(ORL_DETECT_FAILED_SETTINGS);
            return false;
        }
        const int stream = settings->kind == ORL_DETECT_SILENCE ? ORL_STREAM_AUDIO : ORL_STREAM_VIDEO;
        return detector.open(path_utf8, stream, settings->audio_stream) && detector.detect(*settings, d.ranges);
    });
}

int Detect_SetCancel(ORL_HANDLE h, ORL_HANDLE token)
{
    try {
        std::shared_ptr<DetectObject> d = findDetector(h);
        if (!d)
            return 0;
        std::shared_ptr<std::atomic<bool>> flag =
            token ? findCancelFlag(token) : std::make_shared<std::atomic<bool>>(false);
        if (!flag)
            return 0;
        d->setCancelFlag(std::move(flag));
        return 1;
    } catch (...) {
        return 0;
    }
}

void Detect_Cancel(ORL_HANDLE h)
{
    try {
        if (std::shared_ptr<DetectObject> d = findDetector(h))
            d->cancelFlag()->store(true);
    } catch (...) {
    }
}

int Detect_GetProgress(ORL_HANDLE h)
{
    try {
        std::shared_ptr<DetectObject> d = findDetector(h);
        return d ? d->progress.load() : 0;
    } catch (...) {
        return 0;
    }
}

int Detect_GetFailure(ORL_HANDLE h)
{
    try {
        std::shared_ptr<DetectObject> d = findDetector(h);
        return d ? d->failure.load() : ORL_DETECT_FAILED_NONE;
    } catch (...) {
        return ORL_DETECT_FAILED_NONE;
    }
}

int Detect_GetRanges(ORL_HANDLE h, const orl_detect_range **ranges)
{
    return guardBoundary(h, 0, [&]() -> int {
        std::shared_ptr<DetectObject> d = findDetector(h);
        if (!d || !ranges)
            return 0;
        std::lock_guard<std::mutex> lock(d->runMutex);
        *ranges = d->ranges.empty() ? nullptr : d->ranges.data();
        return int(d->ranges.size());
    });
}

int Detect_Waveform(ORL_HANDLE h, const char *path_utf8, int audio_stream, int buckets_per_second,
                    const uint8_t **peaks)
{
    if (peaks)
        *peaks = nullptr;
    const int ok = runDetector(h, path_utf8, [&](Detector &detector, DetectObject &d) {
        if (!peaks || buckets_per_second < 1 || buckets_per_second > 1000) {
            d.failure.store(ORL_DETECT_FAILED_SETTINGS);
            return false;
        }
        return detector.open(path_utf8, ORL_STREAM_AUDIO, audio_stream) &&
               detector.waveform(buckets_per_second, d.peaks);
    });
    if (!ok)
        return 0;
    return guardBoundary(h, 0, [&]() -> int {
        std::shared_ptr<DetectObject> d = findDetector(h);
        if (!d)
            return 0;
        std::lock_guard<std::mutex> lock(d->runMutex);
        *peaks = d->peaks.empty() ? nullptr : d->peaks.data();
        return int(d->peaks.size());
    });
}

void Detect_Destroy(ORL_HANDLE h)
{
    try {
        if (std::shared_ptr<DetectObject> d = findDetector(h)) {
            d->destroyed.store(true); // a run under way returns, and its object outlives it
            unregisterHandle(h);
        }
    } catch (...) {
    }
}

} // extern "C"
