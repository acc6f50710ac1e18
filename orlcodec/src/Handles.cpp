#include "Handles.h"

#include "Engine.h"

#include <unordered_map>

extern "C" {
#include <libavutil/log.h>
}

namespace orl {

namespace {

struct Registry {
    std::mutex mutex;
    std::unordered_map<ORL_HANDLE, std::shared_ptr<EngineObject>> objects; // guarded by mutex
    ORL_HANDLE next = 0x1000;                                             // guarded by mutex
};

Registry &registry()
{
    static Registry r;
    return r;
}

} // namespace

void recordBoundaryError(ORL_HANDLE h, const char *text) noexcept
{
    try {
        logLine(AV_LOG_ERROR, "call failed: %s", text);
        if (auto obj = findHandle(h))
            obj->setError(text);
    } catch (...) {
    }
}

void EngineObject::setError(std::string text)
{
    std::lock_guard<std::mutex> lock(m_errorMutex);
    m_lastError = std::move(text);
}

void EngineObject::clearError()
{
    std::lock_guard<std::mutex> lock(m_errorMutex);
    m_lastError.clear();
}

std::string EngineObject::lastError() const
{
    std::lock_guard<std::mutex> lock(m_errorMutex);
    return m_lastError;
}

ORL_HANDLE registerHandle(std::shared_ptr<EngineObject> obj)
{
    if (!obj)
        return 0;
    Registry &r = registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    // Steps of 16 keep handles away from small integers a caller might
    // pass by mistake (indexes, booleans).
    r.next += 16;
    if (r.next <= 0)
        r.next = 0x1000;
    const ORL_HANDLE h = r.next;
    r.objects.emplace(h, std::move(obj));
    return h;
}

std::shared_ptr<EngineObject> unregisterHandle(ORL_HANDLE h)
{
    Registry &r = registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    auto it = r.objects.find(h);
    if (it == r.objects.end())
        return nullptr;
    std::shared_ptr<EngineObject> obj = std::move(it->second);
    r.objects.erase(it);
    return obj;
}

std::shared_ptr<EngineObject> findHandle(ORL_HANDLE h)
{
    if (h == 0)
        return nullptr;
    Registry &r = registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    auto it = r.objects.find(h);
    return it == r.objects.end() ? nullptr : it->second;
}

size_t liveHandleCount()
{
    Registry &r = registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    return r.objects.size();
}

} // namespace orl
