#pragma once
// The last error of a job: written by its worker thread, read by any other.
#include <mutex>
#include <string>

namespace orl {

class ErrorText {
public:
    void set(const std::string &text)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_text = text;
    }
    std::string get() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_text;
    }

private:
    mutable std::mutex m_mutex;
    std::string m_text; // guarded by m_mutex
};

} // namespace orl
