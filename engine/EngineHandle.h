#pragma once
// Owner of one handle of the media library that has no wrapper of its own
// (parameter sets, mergers, tracks, converters of a single call): the
// handle is released with the owner, on every path out of a function.
#include "MediaTypes.h"

#include <utility>

class EngineHandle {
public:
    using Release = void (*)(MediaHandle);

    EngineHandle() = default;
    EngineHandle(MediaHandle handle, Release release) : m_handle(handle), m_release(release) {}
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

    MediaHandle get() const { return m_handle; }
    explicit operator bool() const { return m_handle != 0; }
    void reset()
    {
        if (m_handle && m_release)
            m_release(std::exchange(m_handle, 0));
        m_handle = 0;
    }

    // The usual owners.
    static EngineHandle params(MediaHandle h);
    static EngineHandle track(MediaHandle h);
    static EngineHandle merger(MediaHandle h);
    static EngineHandle converter(MediaHandle h);

private:
    MediaHandle m_handle = 0;
    Release m_release = nullptr;
};
