#pragma once
// A cancel owned by the caller of a long call of the media library: made
// before the call (on the caller's thread), triggered from any thread, and
// never cleared by the library, so a cancel that comes before the work has
// begun is not lost. One token serves one piece of work.
#include <cstdint>

class VoCancelToken {
public:
    VoCancelToken();
    ~VoCancelToken();
    VoCancelToken(const VoCancelToken &) = delete;
    VoCancelToken &operator=(const VoCancelToken &) = delete;

    // Any thread, any number of times.
    void trigger();
    bool isTriggered() const;
    // The library's handle of the token (0 when it could not be made).
    std::intptr_t handle() const { return m_handle; }

private:
    const std::intptr_t m_handle; // immutable
};
