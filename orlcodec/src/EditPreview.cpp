#include "EditPreview.h"

extern "C" {
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
}

namespace orl {

namespace {

bool quarterTurn(int rotation)
{
    return rotation == 90 || rotation == 270;
}

} // namespace

EditPreview::EditPreview(const ParamValues &edits, const PreviewSource &source)
    : m_edits(edits), m_source(source)
{
}

EditPreview::~EditPreview() = default;

void EditPreview::editedSize(int w, int h, int &outW, int &outH) const
{
    const bool sideways = quarterTurn(m_source.rotation);
    AVRational sar = m_source.sar.num > 0 && m_source.sar.den > 0 ? m_source.sar : AVRational{1, 1};
    if (sideways)
        sar = AVRational{sar.den, sar.num};
    const Geometry g = computeGeometry(m_edits, sideways ? h : w, sideways ? w : h, sar);
    outW = g.frameW;
    outH = g.frameH;
}

bool EditPreview::rebuild(const AVFrame *frame, std::string &error)
{
    m_graph.reset();
    const bool sideways = quarterTurn(m_source.rotation);
    AVRational shownSar = m_source.sar.num > 0 && m_source.sar.den > 0 ? m_source.sar : AVRational{1, 1};
    if (sideways)
        shownSar = AVRational{shownSar.den, shownSar.num};

    GraphPlan plan;
    plan.preview = true;
    plan.params = &m_edits;
    plan.sourcePath = m_source.path;
    // The encoder burns an embedded stream only when the source has it.
    plan.subtitleStream
        = m_edits.subtitle >= 0 && m_edits.subtitle < m_source.subtitleStreams ? m_edits.subtitle : -1;
    plan.video.width = frame->width;
    plan.video.height = frame->height;
    plan.video.format = static_cast<AVPixelFormat>(frame->format);
    plan.video.sar = m_source.sar;
    plan.video.rotation = m_source.rotation;
    plan.geometry = computeGeometry(m_edits, sideways ? frame->height : frame->width,
                                    sideways ? frame->width : frame->height, shownSar);
    // The encoders of every profile take 4:2:0 pictures; showing the same
    // chroma subsampling keeps the preview's colour edges the output's.
    plan.outFormat = AV_PIX_FMT_YUV420P;
    auto graph = std::make_unique<FilterGraph>();
    if (!graph->build(plan, error))
        return false;
    m_graph = std::move(graph);
    m_width = frame->width;
    m_height = frame->height;
    m_format = frame->format;
    m_lastPts = INT64_MIN;
    return true;
}

FramePtr EditPreview::apply(const AVFrame *frame, int64_t ptsUs, std::string &error)
{
    if (!frame || frame->width <= 0 || frame->height <= 0) {
        error = "no picture to edit";
        return nullptr;
    }
    // Filters such as the overlays keep state along time; a picture that
    // does not follow the last one (a seek, a step back, a redraw) starts
    // a fresh graph.
    if (!m_graph || frame->width != m_width || frame->height != m_height || frame->format != m_format
        || ptsUs <= m_lastPts) {
        if (!rebuild(frame, error))
            return nullptr;
    }
    FramePtr in(av_frame_clone(frame));
    FramePtr out(av_frame_alloc());
    if (!in || !out) {
        error = "out of memory";
        return nullptr;
    }
    in->pts = ptsUs;
    in->pkt_dts = AV_NOPTS_VALUE;
    int r = m_graph->addVideoFrame(in.get(), AV_BUFFERSRC_FLAG_KEEP_REF);
    if (r < 0) {
        error = "the edits refused the picture: " + ffmpegError(r);
        m_graph.reset();
        return nullptr;
    }
    m_lastPts = ptsUs;
    r = av_buffersink_get_frame(m_graph->videoOut, out.get());
    if (r < 0) {
        error = "the edits gave no picture: " + ffmpegError(r);
        m_graph.reset();
        return nullptr;
    }
    return out;
}

} // namespace orl
