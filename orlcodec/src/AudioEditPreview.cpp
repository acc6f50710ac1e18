#include "AudioEditPreview.h"

#include "Engine.h"

extern "C" {
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
#include <libavutil/channel_layout.h>
}

#include <algorithm>

namespace orl {

namespace {

constexpr int64_t kBackgroundLead_us = 500000; // background decoded ahead of the main sound
// A gap this large between two blocks of samples is a seek, not jitter.
constexpr int64_t kJump_us = 200000;

} // namespace

AudioEditPreview::AudioEditPreview(const ParamValues &edits, int64_t duration_us)
    : m_edits(edits), m_duration_us(duration_us)
{
    m_speedPercent = m_edits.rate > 0 ? std::clamp(m_edits.rate, 25, 400) : 100;
    m_edits.rate = m_speedPercent;
    bool equaliser = false;
    for (double gain : m_edits.eqGains)
        equaliser = equaliser || gain > 0.01 || gain < -0.01;
    const bool background = !m_edits.background.path.empty() && m_edits.background.weight > 0;
    m_active = m_edits.volume != 100 || m_speedPercent != 100 || equaliser || m_edits.fadeIn_us > 0 || m_edits.fadeOut_us > 0 || background;
}

AudioEditPreview::~AudioEditPreview()
{
    m_abort = true;
}

bool AudioEditPreview::rebuild(const AVFrame *frame, int64_t ptsUs, std::string &error)
{
    m_graph.reset();
    m_background.reset();
    GraphPlan plan;
    plan.preview = true;
    plan.params = &m_edits;
    plan.start_us = static_cast<int64_t>(m_edits.playStart_us);
    plan.end_us = static_cast<int64_t>(m_edits.playEnd_us);
    const int64_t end = plan.end_us > plan.start_us ? plan.end_us : m_duration_us;
    // The range's length in output time, as a conversion of it has it.
    plan.outLength_us = std::max<int64_t>(0, end - plan.start_us) * 100 / m_speedPercent;
    plan.previewAt_us = ptsUs;
    plan.haveAudioSource = true;
    plan.audio.sampleRate = frame->sample_rate;
    plan.audio.format = static_cast<AVSampleFormat>(frame->format);
    plan.outRate = frame->sample_rate;
    plan.outSampleFormat = static_cast<AVSampleFormat>(frame->format);
    if (av_channel_layout_copy(&plan.audio.layout, &frame->ch_layout) < 0
        || av_channel_layout_copy(&plan.outLayout, &frame->ch_layout) < 0) {
        error = "out of memory";
        return false;
    }
    if (plan.audio.layout.order == AV_CHANNEL_ORDER_UNSPEC) {
        const int n = plan.audio.layout.nb_channels;
        av_channel_layout_uninit(&plan.audio.layout);
        av_channel_layout_uninit(&plan.outLayout);
        av_channel_layout_default(&plan.audio.layout, n);
        av_channel_layout_default(&plan.outLayout, n);
    }
    const BackgroundAudio &b = m_edits.background;
    if (!b.path.empty() && b.weight > 0) {
        // Heard from the point playing starts, as the output has it there.
        auto reader = std::make_unique<BackgroundReader>(&m_abort, engineInterrupt());
        std::string why;
        if (!reader->open(b.path, b.repeat != 0, why)) {
            logLine(AV_LOG_WARNING, "player: %s", why.c_str());
        } else {
            const int64_t into = ptsUs - std::max<int64_t>(static_cast<int64_t>(b.start_us), plan.start_us);
            reader->startAt(std::max<int64_t>(0, into) * 100 / m_speedPercent);
            plan.background = reader->desc();
            m_background = std::move(reader);
        }
    }
    auto graph = std::make_unique<FilterGraph>();
    const bool built = graph->build(plan, error);
    av_channel_layout_uninit(&plan.audio.layout);
    av_channel_layout_uninit(&plan.outLayout);
    av_channel_layout_uninit(&plan.background.layout);
    if (!built) {
        m_background.reset();
        return false;
    }
    if (!graph->backgroundIn)
        m_background.reset();
    m_graph = std::move(graph);
    m_rate = frame->sample_rate;
    m_format = frame->format;
    m_channels = frame->ch_layout.nb_channels;
    m_lastPts = INT64_MIN;
    m_graphStart = ptsUs;
    return true;
}

void AudioEditPreview::feedBackground(int64_t untilUs)
{
    if (!m_background || !m_graph || !m_graph->backgroundIn)
        return;
    // The background joins after the speed change: it runs in output time.
    const int64_t wanted = (untilUs - m_graphStart) * 100 / m_speedPercent + kBackgroundLead_us;
    while (!m_background->ended() && m_background->fed_us() < wanted)
        m_background->feed(m_graph->backgroundIn);
}

std::vector<FramePtr> AudioEditPreview::apply(const AVFrame *frame, int64_t ptsUs, std::string &error)
{
    std::vector<FramePtr> out;
    // A jump (a seek) starts the filters afresh, so no sound of the old
    // place leaks into the new one and the background lines up again.
    const bool jumped = m_nextPts != INT64_MIN && (ptsUs < m_nextPts - kJump_us || ptsUs > m_nextPts + kJump_us);
    if (!m_graph || frame->sample_rate != m_rate || frame->format != m_format
        || frame->ch_layout.nb_channels != m_channels || ptsUs <= m_lastPts || jumped) {
        if (!rebuild(frame, ptsUs, error))
            return out;
    }
    FramePtr in(av_frame_clone(frame));
    if (!in) {
        error = "out of memory";
        return out;
    }
    in->pts = ptsUs;
    int r = av_buffersrc_add_frame_flags(m_graph->audioIn, in.get(), AV_BUFFERSRC_FLAG_KEEP_REF);
    if (r < 0) {
        error = "the sound edits refused the samples: " + ffmpegError(r);
        m_graph.reset();
        m_background.reset();
        return out;
    }
    m_lastPts = ptsUs;
    m_nextPts = ptsUs + (frame->sample_rate > 0 ? int64_t(frame->nb_samples) * 1000000 / frame->sample_rate : 0);
    feedBackground(m_nextPts);
    for (;;) {
        FramePtr got(av_frame_alloc());
        if (!got)
            break;
        r = av_buffersink_get_frame(m_graph->audioOut, got.get());
        if (r < 0)
            break;
        if (got->pts != AV_NOPTS_VALUE) {
            const int64_t outUs
                = av_rescale_q(got->pts, av_buffersink_get_time_base(m_graph->audioOut), AVRational{1, 1000000});
            got->pts = m_graphStart + (outUs - m_graphStart) * m_speedPercent / 100;
        }
        out.push_back(std::move(got));
    }
    return out;
}

} // namespace orl
