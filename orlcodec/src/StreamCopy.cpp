#include "StreamCopy.h"

#include "CopyOutput.h"
#include "MovEditTrim.h"
#include "OutputFormat.h"
#include "RangeReader.h"

#include <algorithm>
#include <limits>

namespace orl {

namespace {

// How a stream's packets are framed: length-prefixed (MP4/Matroska style)
// or with start codes / ADTS headers (transport stream style).
int payloadForm(const AVCodecParameters *par)
{
    if (par->codec_id != AV_CODEC_ID_H264 && par->codec_id != AV_CODEC_ID_HEVC)
        return 0;
    return par->extradata_size > 0 && par->extradata[0] == 1 ? 1 : 0;
}

} // namespace

// ----------------------------------------------------------- conversion ---

StreamCopyConversion::StreamCopyConversion(InterruptCheck globalInterrupt)
    : m_job(std::move(globalInterrupt))
{
}

StreamCopyConversion::~StreamCopyConversion()
{
    close();
}

bool StreamCopyConversion::open(const std::string &src, const std::string &dst,
                                const std::string &format, const CopyChoice &choice)
{
    if (m_job.running()) {
        m_job.setError("a conversion is running");
        return false;
    }
    m_input.reset();
    m_output.reset();
    m_job.rearm();
    const AVOutputFormat *ofmt = findOutputFormat(format, dst);
    if (!ofmt) {
        m_job.setError("unknown output container \"" + format + "\"");
        return false;
    }
    auto input = std::make_unique<CopyInput>(&m_job.abortFlag(), m_job.global());
    if (!input->open(src) || !input->select(choice, ofmt)) {
        m_job.setError(input->error());
        return false;
    }
    // Let the muxer judge the streams now, so a container that cannot take
    // them fails the open rather than the conversion.
    CopyOutput trial(&m_job.abortFlag(), m_job.global());
    if (!trial.create(dst, ofmt, true) || !trial.addStreams(*input) || !trial.init()) {
        m_job.setError(trial.error());
        return false;
    }
    m_input = std::move(input);
    m_dst = dst;
    m_format = ofmt->name;
    m_choice = choice;
    m_start_us = 0;
    m_length_us = 0;
    return true;
}

void StreamCopyConversion::setRange(uint64_t start_us, uint64_t length_us)
{
    m_start_us = start_us;
    m_length_us = length_us;
}

bool StreamCopyConversion::start()
{
    if (!m_input || m_job.running()) {
        m_job.setError(m_input ? "a conversion is running" : "nothing is open");
        return false;
    }
    const AVOutputFormat *ofmt = findOutputFormat(m_format, m_dst);
    auto output = std::make_unique<CopyOutput>(&m_job.abortFlag(), m_job.global());
    if (!output->create(m_dst, ofmt, false) || !output->addStreams(*m_input)) {
        m_job.setError(output->error());
        return false;
    }
    m_output = std::move(output);
    const int64_t available = m_input->duration_us() - static_cast<int64_t>(m_start_us);
    const uint64_t total = m_length_us > 0 ? m_length_us : static_cast<uint64_t>(std::max<int64_t>(available, 0));
    return m_job.launch([this](std::string &error) { return run(error); }, total, "the conversion failed");
}

bool StreamCopyConversion::run(std::string &error)
{
    bool ok = false;
    const bool editList = hidesLeadIn(m_output->ctx()->oformat);
    {
        RangeReader reader(*m_input, static_cast<int64_t>(m_start_us), static_cast<int64_t>(m_length_us),
                           editList);
        if (!reader.preRoll(m_job.abortFlag())) {
            error = m_input->error();
        } else if (!m_output->addChapters(m_input->ctx(), reader.start_us(), reader.end_us(), reader.zero_us())
                   || !m_output->init() || !m_output->writeHeader()) {
            error = m_output->error();
        } else {
            ok = copyRange(*m_input, *m_output, reader, 0, true, m_job.abortFlag(), m_job.progress(), error);
        }
    }
    if (!m_output->finish() && ok) {
        ok = false;
        error = m_output->error();
    }
    if (ok && editList && m_length_us > 0) {
        // Frames after the end that earlier frames depend on were copied;
        // the edit list ends the presentation at the asked end.
        if (!trimMovPresentation(m_dst, m_length_us, error))
            ok = false;
    }
    if (!ok)
        Job::removeUnfinished(m_dst);
    return ok;
}

bool StreamCopyConversion::stop()
{
    if (m_job.running())
        m_job.stop();
    return true;
}

void StreamCopyConversion::close()
{
    m_job.stop();
    m_output.reset();
    m_input.reset();
}

// --------------------------------------------------------------- merger ---

StreamCopyMerger::StreamCopyMerger(InterruptCheck globalInterrupt)
    : m_job(std::move(globalInterrupt))
{
}

StreamCopyMerger::~StreamCopyMerger()
{
    abort();
}

bool StreamCopyMerger::open(const std::string &dst, const std::string &format)
{
    // Opening again would throw away the ranges already joined; a merge
    // that has begun can only go on or fail.
    if (m_output && m_rangesAdded > 0) {
        m_job.join();
        m_job.setError("the merged file already holds ranges");
        return false;
    }
    abort();
    if (!findOutputFormat(format, dst)) {
        m_job.setError("unknown output container \"" + format + "\"");
        return false;
    }
    m_dst = dst;
    m_format = format;
    m_timelineEnd_us = 0;
    m_rangesAdded = 0;
    m_job.reset();
    return true;
}

bool StreamCopyMerger::add(const std::string &src, uint64_t start_us, uint64_t length_us,
                           const CopyChoice &choice)
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
    const AVOutputFormat *ofmt = findOutputFormat(m_format, m_dst);
    auto input = std::make_shared<CopyInput>(&m_job.abortFlag(), m_job.global());
    if (!input->open(src) || !input->select(choice, ofmt)) {
        m_job.setError(input->error());
        return false;
    }
    if (!m_output) {
        auto output = std::make_unique<CopyOutput>(&m_job.abortFlag(), m_job.global());
        if (!output->create(m_dst, ofmt, false) || !output->addStreams(*input)) {
            m_job.setError(output->error());
            if (output->ctx())
                output->close();
            return false;
        }
        m_output = std::move(output);
        m_firstPayload.clear();
        for (const SelectedStream &sel : input->selected())
            m_firstPayload.push_back(payloadForm(input->ctx()->streams[sel.inIndex]->codecpar));
    } else {
        // Every range must bring the same streams as the first one, in the
        // same payload form (a muxer's bitstream filters are set up once).
        AVFormatContext *oc = m_output->ctx();
        auto &sel = input->selected();
        if (sel.size() != oc->nb_streams) {
            m_job.setError("this range has other streams than the merged file");
            return false;
        }
        for (size_t i = 0; i < sel.size(); ++i) {
            const AVCodecParameters *a = input->ctx()->streams[sel[i].inIndex]->codecpar;
            const AVCodecParameters *b = oc->streams[i]->codecpar;
            const bool sameCodec = sel[i].transcoder ? b->codec_type == AVMEDIA_TYPE_SUBTITLE : a->codec_id == b->codec_id;
            if (!sameCodec || a->codec_type != b->codec_type
                || (a->codec_type == AVMEDIA_TYPE_VIDEO && (a->width != b->width || a->height != b->height))
                || (i < m_firstPayload.size() && payloadForm(a) != m_firstPayload[i])) {
                m_job.setError("this range's streams do not match the merged file");
                return false;
            }
        }
    }
    const int64_t available = input->duration_us() - static_cast<int64_t>(start_us);
    const uint64_t total = length_us > 0 ? length_us : static_cast<uint64_t>(std::max<int64_t>(available, 0));
    return m_job.launch(
        [this, input, start_us, length_us](std::string &error) { return run(*input, start_us, length_us, error); },
        total, "the range could not be added");
}

bool StreamCopyMerger::run(CopyInput &input, uint64_t start_us, uint64_t length_us, std::string &error)
{
    bool ok = false;
    const bool first = m_rangesAdded == 0;
    AVFormatContext *oc = m_output->ctx();
    // Only the first range can hide its lead-in: later ones would overlap
    // the range before them.
    RangeReader reader(input, static_cast<int64_t>(start_us), static_cast<int64_t>(length_us),
                       first && hidesLeadIn(oc->oformat));
    if (!reader.preRoll(m_job.abortFlag())) {
        error = input.error();
    } else if (first
               && (!m_output->addChapters(input.ctx(), reader.start_us(), reader.end_us(), reader.zero_us())
                   || !m_output->init() || !m_output->writeHeader())) {
        error = m_output->error();
    } else {
        ok = copyRange(input, *m_output, reader, m_timelineEnd_us, first, m_job.abortFlag(), m_job.progress(),
                       error);
    }
    ++m_rangesAdded;
    if (ok) {
        m_editList = hidesLeadIn(oc->oformat);
        m_presentationEnd_us = reader.end_us() == std::numeric_limits<int64_t>::max()
            ? 0
            : m_timelineEnd_us + (reader.end_us() - reader.zero_us());
        m_timelineEnd_us = m_output->end_us();
    }
    return ok;
}

bool StreamCopyMerger::finish()
{
    m_job.join();
    const bool failed = m_job.progress().failed;
    if (!m_output)
        return !failed;
    bool ok = m_output->finish();
    if (!ok)
        m_job.setError(m_output->error());
    m_output.reset();
    if (ok && m_editList && m_presentationEnd_us > 0 && !failed) {
        // As for a single cut: the last range ends where it was asked to.
        std::string error;
        ok = trimMovPresentation(m_dst, static_cast<uint64_t>(m_presentationEnd_us), error);
        if (!ok)
            m_job.setError(error);
    }
    if (!ok || failed)
        Job::removeUnfinished(m_dst);
    m_dst.clear();
    return ok && !failed;
}

void StreamCopyMerger::abort()
{
    m_job.stop();
    if (m_output) {
        m_output->close();
        m_output.reset();
        Job::removeUnfinished(m_dst);
    }
    m_dst.clear();
}

} // namespace orl
