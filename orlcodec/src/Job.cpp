#include "Job.h"

#include "Engine.h"
#include "OutputFormat.h"

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

// ------------------------------------------------------ range conversion ---

RangeConversionJob::RangeConversionJob(InterruptCheck globalInterrupt)
    : m_job(std::move(globalInterrupt))
{
}

void RangeConversionJob::setRange(uint64_t start_us, uint64_t length_us)
{
    m_start_us = start_us;
    m_length_us = length_us;
}

bool RangeConversionJob::stop()
{
    if (m_job.running())
        m_job.stop();
    return true;
}

void RangeConversionJob::close()
{
    stop();
    forget();
}

const AVOutputFormat *RangeConversionJob::beginOpen(const std::string &format, const std::string &dst)
{
    if (m_job.running()) {
        m_job.setError("a conversion is running");
        return nullptr;
    }
    forget();
    m_job.rearm();
    const AVOutputFormat *ofmt = findOutputFormat(format, dst);
    if (!ofmt)
        m_job.setError("unknown output container \"" + format + "\"");
    return ofmt;
}

void RangeConversionJob::opened(const std::string &src, const std::string &dst, const AVOutputFormat *format)
{
    m_src = src;
    m_dst = dst;
    m_format = format->name;
    m_start_us = 0;
    m_length_us = 0;
}

bool RangeConversionJob::readyToStart(bool isOpen)
{
    if (isOpen && !m_job.running())
        return true;
    m_job.setError(m_job.running() ? "a conversion is running" : "nothing is open");
    return false;
}

// ----------------------------------------------------------- range merge ---

RangeMergeJob::RangeMergeJob(InterruptCheck globalInterrupt)
    : m_job(std::move(globalInterrupt))
{
}

bool RangeMergeJob::beginMerge(const std::string &dst, const std::string &format)
{
    if (!findOutputFormat(format, dst)) {
        m_job.setError("unknown output container \"" + format + "\"");
        return false;
    }
    m_dst = dst;
    m_format = format;
    m_job.reset();
    return true;
}

bool RangeMergeJob::readyToAdd()
{
    m_job.join();
    if (m_dst.empty()) {
        m_job.setError("the merger is not open");
        return false;
    }
    if (m_job.progress().failed) {
        m_job.setError("an earlier range failed");
        return false;
    }
    return true;
}

} // namespace orl
