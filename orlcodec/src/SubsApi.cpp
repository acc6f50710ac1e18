// The exported subtitle-file family. Every entry point catches everything:
// no exception crosses into C callers.
#include "Handles.h"
#include "SubtitleExport.h"
#include "orlcodec_subs.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <mutex>

using namespace orl;

namespace {

class SubsObject final : public EngineObject {
public:
    SubsObject() : EngineObject(HandleKind::Subs) {}
    // Set by Subs_Cancel and Subs_Destroy; a cancel before a run ends it at once.
    std::atomic<bool> cancelled{false};
    std::mutex runMutex; // one export at a time
};

std::shared_ptr<SubsObject> findSubs(ORL_HANDLE h)
{
    return findHandleAs<SubsObject>(h);
}

} // namespace

extern "C" {

ORL_HANDLE Subs_Create(void)
{
    try {
        return registerHandle(std::make_shared<SubsObject>());
    } catch (...) {
        return 0;
    }
}

int Subs_ListStreams(ORL_HANDLE h, const char *source_utf8, orl_subs_stream *streams, int max)
{
    return guardBoundary(h, -1, [&]() -> int {
        std::shared_ptr<SubsObject> s = findSubs(h);
        if (!s)
            return -1;
        s->clearError();
        if (!source_utf8 || max < 0 || (max > 0 && !streams)) {
            s->setError("invalid arguments");
            return -1;
        }
        InterruptFlags irq;
        irq.abort = &s->cancelled;
        irq.global = engineInterrupt();
        std::string error;
        std::vector<SubtitleStreamEntry> found;
        if (!listSubtitleStreams(source_utf8, &irq, found, error)) {
            s->setError(error);
            return -1;
        }
        const int n = std::min(max, static_cast<int>(found.size()));
        for (int i = 0; i < n; ++i) {
            orl_subs_stream &o = streams[i];
            o = orl_subs_stream{};
            o.index = found[size_t(i)].index;
            o.kind = static_cast<int>(found[size_t(i)].kind);
            std::snprintf(o.language, sizeof o.language, "%s", found[size_t(i)].language.c_str());
            std::snprintf(o.codec, sizeof o.codec, "%s", found[size_t(i)].codec.c_str());
        }
        return static_cast<int>(found.size());
    });
}

int Subs_Export(ORL_HANDLE h, const char *source_utf8, int stream, int kind, const uint64_t *starts,
                const uint64_t *ends, int count, const char *out_utf8)
{
    return guardBoundary(h, 0, [&]() -> int {
        std::shared_ptr<SubsObject> s = findSubs(h);
        if (!s)
            return 0;
        std::lock_guard<std::mutex> run(s->runMutex);
        s->clearError();
        if (!source_utf8 || !out_utf8 || count < 0 || (count > 0 && (!starts || !ends)) || kind < ORL_SUBS_NONE
            || kind > ORL_SUBS_MKS) {
            s->setError("invalid arguments");
            return 0;
        }
        std::vector<SubtitleRange> ranges;
        for (int i = 0; i < count; ++i) {
            if (starts[i] > uint64_t(INT64_MAX) || ends[i] > uint64_t(INT64_MAX)) {
                s->setError("a range lies past any file's end");
                return 0;
            }
            ranges.push_back({static_cast<int64_t>(starts[i]), static_cast<int64_t>(ends[i])});
        }
        InterruptFlags irq;
        irq.abort = &s->cancelled;
        irq.global = engineInterrupt();
        std::string error;
        if (!exportSubtitles(source_utf8, stream, static_cast<SubtitleFile>(kind), ranges, out_utf8, &irq, error)) {
            s->setError(error);
            return 0;
        }
        return 1;
    });
}

void Subs_Cancel(ORL_HANDLE h)
{
    try {
        if (std::shared_ptr<SubsObject> s = findSubs(h))
            s->cancelled.store(true);
    } catch (...) {
    }
}

void Subs_Destroy(ORL_HANDLE h)
{
    try {
        if (std::shared_ptr<SubsObject> s = findSubs(h)) {
            s->cancelled.store(true);
            unregisterHandle(h);
        }
    } catch (...) {
    }
}

} // extern "C"
