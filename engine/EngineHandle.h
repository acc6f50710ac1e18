#pragma once
// Owner of one handle of the media library that has no wrapper of its own
// (parameter sets, mergers, tracks, converters of a single call): the
// handle is released with the owner, on every path out of a function.
#include "orlcodec.h"

#include <utility>

class EngineHandle {
public:
    using Release = void (*)(ORL_HANDLE);

    EngineHandle() = default;
    EngineHandle(ORL_HANDLE handle, Release release) : m_handle(handle), m_release(release) {}
    ~EngineHandle() { reset(); }
    EngineHandle(const EngineHandle &) = delete;
    EngineHandle &operator=(const EngineHandle &) = delete;
    EngineHandle(EngineHandle &&other) noexcept
        : m_handle(std::exchange(other.m_handle, 0)), m_release(other.m_release)
    {
    }
    EngineHandle &operator=(EngineHandle &&other) noexcept
    {
        if (this != &other) {
            reset();
            m_handle = std::exchange(other.m_handle, 0);
            m_release = other.m_release;
        }
        return *this;
    }

    ORL_HANDLE get() const { return m_handle; }
    explicit operator bool() const { return m_handle != 0; }
    void reset()
    {
        if (m_handle && m_release)
            m_release(std::exchange(m_handle, 0));
        m_handle = 0;
    }

    // The usual owners.
    static EngineHandle params(ORL_HANDLE h) { return EngineHandle(h, &Param_Release); }
    static EngineHandle track(ORL_HANDLE h) { return EngineHandle(h, &Track_Destroy); }
    static EngineHandle merger(ORL_HANDLE h)
    {
        return EngineHandle(h, [](ORL_HANDLE m) {
            Merge_Close(m);
            Merge_Destroy(m);
        });
    }
    static EngineHandle converter(ORL_HANDLE h)
    {
        return EngineHandle(h, [](ORL_HANDLE c) {
            Conv_Close(c);
            Conv_Destroy(c);
        });
    }

private:
    ORL_HANDLE m_handle = 0;
    Release m_release = nullptr;
};
