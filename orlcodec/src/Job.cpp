#include "Job.h"

#include "Engine.h"

#include <exception>

#include <sys/stat.h>
#include <unistd.h>

namespace orl {

Job::Job(InterruptCheck global)
    : m_global(std::move(global))
{
    m_irq.abort = &m_abort;
    m_irq.global = m_global;
}

Job::~Job()
{
    stop();
}

AVIOInterruptCB Job::interruptCallback()
{
    return AVIOInterruptCB{&interruptFlagsCallback, &m_irq};
}

bool Job::launch(Body body, uint64_t total_us, std::string failureText)
{
    if (m_worker.joinable())
        return false;
    m_abort.store(false);
    m_progress.position_us = 0;
    m_progress.total_us = total_us;
    m_progress.sourceEnd_us = 0;
    m_progress.failed = false;
    m_progress.finished = false;
    m_worker = std::thread([this, body = std::move(body), failureText = std::move(failureText)] {
        std::string error;
        bool ok = false;
        try {
            ok = body(error);
        } catch (const std::exception &e) {
            error = e.what();
        } catch (...) {
            error = "unexpected failure";
        }
        if (ok) {
            m_progress.position_us = m_progress.total_us.load();
        } else {
            setError(!error.empty() ? error : m_abort.load() ? "stopped" : failureText);
            m_progress.failed = true;
        }
        m_progress.finished = true;
        announceJobEnd();
    });
    return true;
}

void Job::reset()
{
    m_abort.store(false);
    m_progress.position_us = 0;
    m_progress.total_us = 0;
    m_progress.sourceEnd_us = 0;
    m_progress.failed = false;
    m_progress.finished = false;
}

void Job::removeUnfinished(const std::string &path)
{
    struct stat st;
    if (!path.empty() && ::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode))
        ::unlink(path.c_str());
}

void Job::join()
{
    if (m_worker.joinable())
        m_worker.join();
}

void Job::stop()
{
    requestStop();
    join();
}

} // namespace orl
