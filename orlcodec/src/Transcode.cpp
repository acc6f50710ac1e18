#include "Transcode.h"

#include "EncodedOutput.h"
#include "Engine.h"
#include "OutputFormat.h"
#include "RangeSource.h"

#include <algorithm>

namespace orl {

namespace {

// Frees a stopped job's encoders (their file already closed) on a thread
// of their own.
void releaseLater(std::unique_ptr<EncodedOutput> output)
{
    try {
        std::thread([output = std::move(output)]() mutable { output.reset(); }).detach();
    } catch (...) {
        // No thread to spare: the objects go here, on the caller's time.
    }
}

// Opens the encoders of out for the first range of src.
bool openEncodersFor(EncodedOutput &out, RangeSource &src, const ParamValues &encoding, const ParamValues &edits,
                     Geometry &geometry, std::string &error)
{
    VideoEncoderInput video;
    if (out.videoCodec) {
        geometry = computeGeometry(edits, src.shownWidth(), src.shownHeight(), src.sampleAspect(), 0, 0, true);
        video.sar = geometry.sar;
        video.width = geometry.frameW;
        video.height = geometry.frameH;
        video.sourceFormat = src.videoDecoder()->pix_fmt;
        video.frameRate = outputFrameRate(encoding, src.frameRate(), out.videoCodec);
        video.colour = src.colour();
        video.hdr = hdrHandling(video.colour, out.videoCodec);
        video.ownTiming = keepsOwnTiming(encoding, src.streamRate(), src.averageRate(), out.videoCodec, out.format());
        if (video.ownTiming) {
            // The rate control aims at the average spacing.
            const AVRational average = src.averageRate();
            av_reduce(&video.frameRate.num, &video.frameRate.den, average.num, average.den, 100000);
        }
    }
    if (out.videoCodec) {
        // Fields stay fields only where every picture keeps its place, size
        // and time: any scaling, turning or retiming needs whole pictures.
        const bool samePictures = !geometry.cropped && geometry.frameW == src.shownWidth()
            && geometry.frameH == src.shownHeight() && geometry.boxW == geometry.frameW
            && geometry.boxH == geometry.frameH && src.rotation() == 0 && edits.rotation == 0 && !edits.mirrored
            && (edits.rate <= 0 || edits.rate == 100) && !video.ownTiming
            && av_cmp_q(video.frameRate, src.frameRate()) == 0;
        video.interlaced = video.colour.interlaced() && samePictures && video.hdr != HdrHandling::ToSdr
            && encoderKeepsInterlace(out.videoCodec);
    }
    // Every sound track the plan keeps, as many as the output holds.
    src.keepSoundTracks(static_cast<size_t>(out.soundTrackLimit()));
    src.copyTagsTo(out);
    return out.openEncoders(encoding, video, src.soundInputs(), error);
}

// Encoder settings come from the merge's first parameter set; edits and
// stream choice from each range's own.
ParamValues withEncoding(const ParamValues &range, const ParamValues &encoding)
{
    ParamValues v = range;
    v.videoCodec = encoding.videoCodec;
    v.audioCodec = encoding.audioCodec;
    v.width = encoding.width;
    v.height = encoding.height;
    return v;
}

} // namespace

// ----------------------------------------------------------- conversion ---

TranscodeConversion::TranscodeConversion(InterruptCheck globalInterrupt)
    : RangeConversionJob(std::move(globalInterrupt))
{
}

TranscodeConversion::~TranscodeConversion()
{
    close();
}

void TranscodeConversion::forget()
{
    m_output.reset();
    m_source.reset();
}

bool TranscodeConversion::open(const std::string &src, const std::string &dst, const std::string &format,
                               const ParamValues &params)
{
    const AVOutputFormat *ofmt = beginOpen(format, dst);
    if (!ofmt)
        return false;
    auto source = std::make_unique<RangeSource>(&m_job.abortFlag(), m_job.global());
    std::string error;
    if (!source->open(src, params, error)) {
        m_job.setError(error);
        return false;
    }
    auto output = std::make_unique<EncodedOutput>(&m_job.abortFlag(), m_job.global());
    if (!output->chooseEncoders(ofmt, params, source->hasVideo(), source->hasAudio(), error)) {
        m_job.setError(error);
        return false;
    }
    m_source = std::move(source);
    m_output = std::move(output);
    m_params = params;
    opened(src, dst, ofmt);
    return true;
}

bool TranscodeConversion::start()
{
    if (!readyToStart(m_source && m_output))
        return false;
    std::string error;
    Geometry geometry;
    if (!openEncodersFor(*m_output, *m_source, m_params, m_params, geometry, error)
        || !m_source->prepare(m_start_us, m_length_us, *m_output, geometry, false, error)
        || !m_source->addChaptersTo(*m_output, error) || !m_output->create(m_dst, error)) {
        m_output->discard();
        m_job.setError(error);
        logLine(AV_LOG_WARNING, "encoding could not start: %s", error.c_str());
        return false;
    }
    m_output->beginRange();
    const uint64_t total = static_cast<uint64_t>(std::max<int64_t>(m_source->outLength_us(), 0));
    return m_job.launch([this](std::string &error) { return run(error); }, total, "the conversion failed");
}

bool TranscodeConversion::run(std::string &error)
{
    bool ok = m_source->run(*m_output, m_job.progress(), error);
    if (ok)
        ok = m_output->finish(error);
    if (!ok) {
        m_output->discard();
        if (!m_job.stopRequested())
            logLine(AV_LOG_WARNING, "encoding failed: %s", error.empty() ? "the conversion failed" : error.c_str());
    }
    if (m_job.stopRequested()) {
        // The unfinished file is gone; tearing down codec threads can take
        // a frame's time at large sizes, which a stop need not wait for.
        releaseLater(std::move(m_output));
    }
    m_source.reset();
    return ok;
}

// --------------------------------------------------------------- merger ---

TranscodeMerger::TranscodeMerger(InterruptCheck globalInterrupt)
    : RangeMergeJob(std::move(globalInterrupt))
{
}

TranscodeMerger::~TranscodeMerger()
{
    abort();
}

bool TranscodeMerger::open(const std::string &dst, const std::string &format, const ParamValues &params)
{
    abort();
    if (!beginMerge(dst, format))
        return false;
    m_encoding = params;
    return true;
}

bool TranscodeMerger::add(const std::string &src, uint64_t start_us, uint64_t length_us, const ParamValues &params,
                          const std::optional<std::string> &chapter)
{
    if (!readyToAdd())
        return false;
    const std::string *title = chapter ? &*chapter : nullptr;
    const ParamValues v = withEncoding(params, m_encoding);
    auto source = std::make_shared<RangeSource>(&m_job.abortFlag(), m_job.global());
    std::string error;
    if (!source->open(src, v, error)) {
        m_job.setError(error);
        return false;
    }
    Geometry geometry;
    if (!m_output) {
        auto output = std::make_unique<EncodedOutput>(&m_job.abortFlag(), m_job.global());
        const AVOutputFormat *ofmt = findOutputFormat(m_format, m_dst);
        if (!output->chooseEncoders(ofmt, v, source->hasVideo(), source->hasAudio(), error)
            || !openEncodersFor(*output, *source, m_encoding, v, geometry, error)
            || !source->prepare(start_us, length_us, *output, geometry, true, error)
            || !source->addChaptersTo(*output, error, title) || !output->create(m_dst, error)) {
            output->discard();
            m_job.setError(error);
            return false;
        }
        m_output = std::move(output);
    } else {
        if (m_output->venc) {
            if (!source->hasVideo()) {
                m_job.setError("this range has no picture but the merged file has");
                return false;
            }
            geometry = computeGeometry(v, source->shownWidth(), source->shownHeight(), source->sampleAspect(),
                                       m_output->venc->width, m_output->venc->height, true,
                                       m_output->venc->sample_aspect_ratio);
        }
        source->keepSoundTracks(static_cast<size_t>(m_output->soundTrackLimit()));
        if (!source->prepare(start_us, length_us, *m_output, geometry, true, error)
            || !source->addChaptersTo(*m_output, error, title)) {
            m_job.setError(error);
            return false;
        }
    }
    m_output->beginRange();
    const uint64_t total = static_cast<uint64_t>(std::max<int64_t>(source->outLength_us(), 0));
    return m_job.launch(
        [this, source](std::string &error) mutable {
            const bool ok = run(*source, error);
            source.reset(); // the decoders go on the worker, not on the next add
            return ok;
        },
        total, "the range could not be added");
}

bool TranscodeMerger::run(RangeSource &source, std::string &error)
{
    const bool ok = source.run(*m_output, m_job.progress(), error);
    if (!ok && !m_job.stopRequested())
        logLine(AV_LOG_WARNING, "encoding a merged range failed: %s", error.c_str());
    return ok;
}

bool TranscodeMerger::finish()
{
    m_job.join();
    bool ok = !m_job.progress().failed;
    if (!m_output)
        return ok;
    std::string error;
    if (ok && !m_output->finish(error)) {
        m_job.setError(error);
        ok = false;
    }
    if (!ok)
        m_output->discard();
    m_output.reset();
    m_dst.clear();
    return ok;
}

void TranscodeMerger::abort()
{
    m_job.stop();
    if (m_output) {
        m_output->discard();
        releaseLater(std::move(m_output));
    }
    m_dst.clear();
}

} // namespace orl
