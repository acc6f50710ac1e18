#pragma once
// Ctrl+C and SIGTERM for the command line: the signal handler only writes
// to a pipe; the event loop reads it and calls the current handler, which
// stops the conversion the way the window's Stop does.
#include <QSocketNotifier>

#include <functional>
#include <memory>

namespace cli {

class InterruptWatch {
public:
    InterruptWatch();
    ~InterruptWatch();
    InterruptWatch(const InterruptWatch &) = delete;
    InterruptWatch &operator=(const InterruptWatch &) = delete;

    bool interrupted() const;
    // Called on the event loop at each interrupt; empty: nothing to stop.
    void setHandler(std::function<void()> handler) { m_handler = std::move(handler); }

private:
    std::unique_ptr<QSocketNotifier> m_notifier;
    std::function<void()> m_handler;
};

} // namespace cli
