#include "Job.h"

#include "Engine.h"
#include "FFmpegPtr.h"
#include "OutputFormat.h"

#include <algorithm>
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
    m_checkReport.set(std::string());
    m_worker = std::thread([this, body = std::move(body), failureText = std::move(failureText)] {
        std::string error;
        bool ok = false;
        try {
            ok = body(error);
            if (ok && m_after)
                ok = m_after(error);
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
    m_job.setAfterBody([this](std::string &error) { return checkWritten(error); });
}

namespace {

// Whether a stream has anything to give within the spans. A stream whose
// start or length the container does not tell is taken to cover them.
bool coversAny(const AVFormatContext *ctx, const AVStream *st, const std::vector<SourceSpan> &spans)
{
    if (spans.empty() || st->start_time == AV_NOPTS_VALUE || st->duration == AV_NOPTS_VALUE || st->duration <= 0)
        return true;
    // Less than this much in a span is a rounding of the cut, not content.
    constexpr int64_t kAtLeast = 40000;
    const int64_t origin = ctx->start_time != AV_NOPTS_VALUE ? ctx->start_time : 0;
    const int64_t begin = av_rescale_q(st->start_time, st->time_base, AVRational{1, 1000000}) - origin;
    const int64_t end = begin + av_rescale_q(st->duration, st->time_base, AVRational{1, 1000000});
    for (const SourceSpan &span : spans) {
        const int64_t from = std::max(begin, span.start_us);
        const int64_t to = std::min(end, span.start_us + span.length_us);
        if (to - from >= kAtLeast)
            return true;
    }
    return false;
}

} // namespace

bool expectedStreams(const std::string &src, const AskedStreams &asked, const AVOutputFormat *format,
                     OutputExpectation &expect, const std::vector<SourceSpan> &spans)
{
    AVFormatContext *raw = nullptr;
    if (avformat_open_input(&raw, src.c_str(), nullptr, nullptr) < 0)
        return false;
    InputContextPtr ctx(raw);
    bool video = false, audio = false;
    std::vector<bool> planned(raw->nb_streams, asked.tracks.empty());
    for (const TrackChoice &c : asked.tracks)
        if (c.stream >= 0 && c.stream < static_cast<int>(raw->nb_streams))
            planned[static_cast<size_t>(c.stream)] = true;
    expect.soundLate_us = latestSoundShift(raw, asked.tracks);
    for (unsigned i = 0; i < raw->nb_streams; ++i) {
        const AVStream *st = raw->streams[i];
        if (!planned[i])
            continue;
        if (st->codecpar->codec_type == AVMEDIA_TYPE_VIDEO && !(st->disposition & AV_DISPOSITION_ATTACHED_PIC))
            video = video || coversAny(raw, st, spans);
        else if (st->codecpar->codec_type == AVMEDIA_TYPE_AUDIO)
            audio = audio || coversAny(raw, st, spans);
    }
    expect.video = asked.video && video && (!format || format->video_codec != AV_CODEC_ID_NONE);
    expect.audio = asked.audio && audio && (!format || format->audio_codec != AV_CODEC_ID_NONE) ? 1 : 0;
    return true;
}

bool RangeConversionJob::checkWritten(std::string &error)
{
    if (!m_asked.check)
        return true;
    OutputExpectation expect;
    const std::vector<SourceSpan> spans{{static_cast<int64_t>(m_start_us),
                                         static_cast<int64_t>(m_job.progress().total_us.load())}};
    if (!expectedStreams(m_src, m_asked, findOutputFormat(m_format, m_dst), expect, spans)) {
        error = "the source cannot be read again for the output's check";
        Job::removeUnfinished(m_dst);
        return false;
    }
    // The range as written: to the source's end when it ended early.
    int64_t length = static_cast<int64_t>(m_job.progress().total_us.load());
    const int64_t ended = static_cast<int64_t>(m_job.progress().sourceEnd_us.load());
    if (ended > 0)
        length = std::min(length, ended - static_cast<int64_t>(m_start_us));
    length = rangeInSource(m_src, static_cast<int64_t>(m_start_us), length, *m_job.interruptFlags(), ended);
    // A source whose data ended early ends with its last whole picture,
    // which may come a little before the end of its sound.
    if (ended > 0 && ended < static_cast<int64_t>(m_start_us) + static_cast<int64_t>(m_job.progress().total_us.load()))
        length -= 100000;
    expect.duration_us = std::max<int64_t>(length, 0);
    expect.longer_us = m_longer_us.load();
    OutputFacts facts;
    std::string why;
    if (checkOutput(m_dst, expect, *m_job.interruptFlags(), facts, why)) {
        m_job.setCheckReport("passed");
        logLine(AV_LOG_VERBOSE, "%s: output check passed in %.3f s", m_dst.c_str(), facts.seconds);
        return true;
    }
    Job::removeUnfinished(m_dst);
    if (m_job.stopRequested())
        return false;
    m_job.setCheckReport(why);
    error = checkFailureText(why);
    logLine(AV_LOG_WARNING, "%s: %s", m_dst.c_str(), error.c_str());
    return false;
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
    m_longer_us = 0;
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
    m_longer_us = 0;
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
