#pragma once
// Handle registry shared by every operation family. Handles are small
// counting numbers, never pointers, so a stale or made-up handle is refused
// instead of being dereferenced. Objects are shared so that a call in
// progress keeps its object alive while another thread closes the handle.
#include "orlcodec.h"

#include <memory>
#include <mutex>
#include <exception>
#include <string>

namespace orl {

enum class HandleKind { Info, Grabber, Buffer, Player, Param, Conv, Merge, Track, Detect, Cancel, Subs };

class EngineObject {
public:
    explicit EngineObject(HandleKind kind) : m_kind(kind) {}
    virtual ~EngineObject() = default;
    EngineObject(const EngineObject &) = delete;
    EngineObject &operator=(const EngineObject &) = delete;

    HandleKind kind() const { return m_kind; }

    void setError(std::string text);
    void clearError();
    // Copy of the last error text.
    std::string lastError() const;

private:
    const HandleKind m_kind;
    mutable std::mutex m_errorMutex;
    std::string m_lastError; // guarded by m_errorMutex
};

// Registers obj and returns its new handle (never 0).
ORL_HANDLE registerHandle(std::shared_ptr<EngineObject> obj);
// Removes the handle and returns its object (null when unknown).
std::shared_ptr<EngineObject> unregisterHandle(ORL_HANDLE h);
std::shared_ptr<EngineObject> findHandle(ORL_HANDLE h);

template <class T>
std::shared_ptr<T> findHandleAs(ORL_HANDLE h)
{
    return std::dynamic_pointer_cast<T>(findHandle(h));
}

// Number of live handles; lets tests prove that nothing leaks.
size_t liveHandleCount();

// Records text as the last error of handle h (when it exists) and logs it.
void recordBoundaryError(ORL_HANDLE h, const char *text) noexcept;

// The one guard of the C boundary, used by every family: no exception
// leaves the library, and its text becomes the handle's last error.
template <class R, class F>
R guardBoundary(ORL_HANDLE h, R failure, F &&body)
{
    try {
        return body();
    } catch (const std::exception &e) {
        recordBoundaryError(h, e.what());
    } catch (...) {
        recordBoundaryError(h, "unexpected failure");
    }
    return failure;
}

} // namespace orl
