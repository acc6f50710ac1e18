#include "AudioEditPreview.h"

extern "C" {
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
#include <libavutil/channel_layout.h>
}

namespace orl {

AudioEditPreview::AudioEditPreview(const ParamValues &edits) : m_edits(edits)
{
    // Speed, fades and the background mix belong to the output's own
    // timeline (its range and length); a player keeps the source's.
    m_edits.rate = 100;
    m_edits.fadeIn_us = 0;
    m_edits.fadeOut_us = 0;
    bool equaliser = false;
    for (double gain : m_edits.eqGains)
        equaliser = equaliser || gain > 0.01 || gain < -0.01;
    m_active = m_edits.volume != 100 || equaliser;
}

AudioEditPreview::~AudioEditPreview() = default;

bool AudioEditPreview::rebuild(const AVFrame *frame, std::string &error)
{
    m_graph.reset();
    GraphPlan plan;
    plan.preview = true;
    plan.params = &m_edits;
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
    auto graph = std::make_unique<FilterGraph>();
    const bool built = graph->build(plan, error);
    av_channel_layout_uninit(&plan.audio.layout);
    av_channel_layout_uninit(&plan.outLayout);
    if (!built)
        return false;
    m_graph = std::move(graph);
    m_rate = frame->sample_rate;
    m_format = frame->format;
    m_channels = frame->ch_layout.nb_channels;
    m_lastPts = INT64_MIN;
    return true;
}

std::vector<FramePtr> AudioEditPreview::apply(const AVFrame *frame, int64_t ptsUs, std::string &error)
{
    std::vector<FramePtr> out;
    // A jump back (a seek) starts the filters afresh, so no sound of the
    // old place leaks into the new one.
    if (!m_graph || frame->sample_rate != m_rate || frame->format != m_format
        || frame->ch_layout.nb_channels != m_channels || ptsUs <= m_lastPts) {
        if (!rebuild(frame, error))
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
        return out;
    }
    m_lastPts = ptsUs;
    for (;;) {
        FramePtr got(av_frame_alloc());
        if (!got)
            break;
        r = av_buffersink_get_frame(m_graph->audioOut, got.get());
        if (r < 0)
            break;
        if (got->pts != AV_NOPTS_VALUE)
            got->pts = av_rescale_q(got->pts, av_buffersink_get_time_base(m_graph->audioOut), AVRational{1, 1000000});
        out.push_back(std::move(got));
    }
    return out;
}

} // namespace orl
