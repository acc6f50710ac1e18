#include "InterruptWatch.h"

#include <atomic>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

namespace cli {

namespace {

int g_pipe[2] = {-1, -1};
volatile sig_atomic_t g_interrupted = 0;

void onSignal(int)
{
    g_interrupted = 1;
    const char byte = 1;
    // Nothing to do when the pipe is full: a wake-up is already pending.
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[1], &byte, 1);
}

} // namespace

InterruptWatch::InterruptWatch()
{
    if (g_pipe[0] < 0 && ::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    m_notifier = std::make_unique<QSocketNotifier>(g_pipe[0], QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, [this] {
        char bytes[64];
        while (::read(g_pipe[0], bytes, sizeof bytes) > 0) {
        }
        if (m_handler)
            m_handler();
    });
}

InterruptWatch::~InterruptWatch()
{
    signal(SIGINT, SIG_DFL);
    signal(SIGTERM, SIG_DFL);
}

bool InterruptWatch::interrupted() const
{
    return g_interrupted != 0;
}

} // namespace cli
