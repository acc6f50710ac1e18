#include "ScreenColours.h"

#include "Engine.h"

extern "C" {
#include <libavfilter/avfilter.h>
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
#include <libavutil/opt.h>
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}

#include <cstdio>
#include <cstring>

namespace orl {

namespace {

// The "J" formats are full-range YUV under an old name: swscale wants the
// plain format with the range given separately.
AVPixelFormat plainFormatOf(AVPixelFormat fmt)
{
    switch (fmt) {
    case AV_PIX_FMT_YUVJ420P: return AV_PIX_FMT_YUV420P;
    case AV_PIX_FMT_YUVJ422P: return AV_PIX_FMT_YUV422P;
    case AV_PIX_FMT_YUVJ444P: return AV_PIX_FMT_YUV444P;
    case AV_PIX_FMT_YUVJ440P: return AV_PIX_FMT_YUV440P;
    case AV_PIX_FMT_YUVJ411P: return AV_PIX_FMT_YUV411P;
    default: return fmt;
    }
}

bool isRgb(const AVFrame *frame)
{
    const AVPixFmtDescriptor *d = av_pix_fmt_desc_get(static_cast<AVPixelFormat>(frame->format));
    return d && (d->flags & AV_PIX_FMT_FLAG_RGB);
}

} // namespace

int swsMatrixOf(const AVFrame *frame)
{
    switch (frame->colorspace) {
    case AVCOL_SPC_BT709: return SWS_CS_ITU709;
    case AVCOL_SPC_FCC: return SWS_CS_FCC;
    case AVCOL_SPC_BT470BG:
    case AVCOL_SPC_SMPTE170M: return SWS_CS_ITU601;
    case AVCOL_SPC_SMPTE240M: return SWS_CS_SMPTE240M;
    case AVCOL_SPC_BT2020_NCL:
    case AVCOL_SPC_BT2020_CL: return SWS_CS_BT2020;
    default: return frame->height >= 720 ? SWS_CS_ITU709 : SWS_CS_ITU601;
    }
}

void setSwsMatrix(SwsContext *sws, int matrix)
{
    int *inverse = nullptr;
    int *table = nullptr;
    int srcRange = 0;
    int dstRange = 0;
    int brightness = 0;
    int contrast = 0;
    int saturation = 0;
    if (sws_getColorspaceDetails(sws, &inverse, &srcRange, &table, &dstRange, &brightness, &contrast, &saturation)
        >= 0)
        sws_setColorspaceDetails(sws, sws_getCoefficients(matrix), srcRange, table, dstRange, brightness, contrast,
                                 saturation);
}

bool fullRangeOf(const AVFrame *frame)
{
    const auto fmt = static_cast<AVPixelFormat>(frame->format);
    return frame->color_range == AVCOL_RANGE_JPEG || plainFormatOf(fmt) != fmt;
}

void ScreenColours::reset()
{
    m_sws.reset();
    m_swsKey.clear();
    m_graph.reset();
    m_in = nullptr;
    m_out = nullptr;
    m_mapped.reset();
    m_graphKey.clear();
    m_graphFailed = false;
}

bool ScreenColours::convert(const AVFrame *frame, int w, int h, uint8_t *dst, int dstStride)
{
    if (!frame || frame->width <= 0 || frame->height <= 0 || w <= 0 || h <= 0)
        return false;
    const bool hdr = frame->color_trc == AVCOL_TRC_SMPTE2084 || frame->color_trc == AVCOL_TRC_ARIB_STD_B67;
    if (hdr && !m_graphFailed && !isRgb(frame)) {
        if (convertHdr(frame, w, h, dst, dstStride))
            return true;
    }
    return convertSdr(frame, w, h, dst, dstStride);
}

bool ScreenColours::convertSdr(const AVFrame *frame, int w, int h, uint8_t *dst, int dstStride)
{
    const auto fmt = plainFormatOf(static_cast<AVPixelFormat>(frame->format));
    const int matrix = isRgb(frame) ? -1 : swsMatrixOf(frame);
    const bool full = fullRangeOf(frame);
    char key[96];
    std::snprintf(key, sizeof key, "%dx%d/%d>%dx%d/%d/%d", frame->width, frame->height, fmt, w, h, matrix, full);
    if (!m_sws || m_swsKey != key) {
        // swscale takes every YUV picture for BT.601 in limited range unless
        // told: an HD picture would show its reds orange and its greens off,
        // a full-range one flat and grey. The ranges are options that must
        // be set before the context is initialised; the matrix comes after.
        m_sws.reset(sws_alloc_context());
        if (!m_sws || av_opt_set_int(m_sws.get(), "srcw", frame->width, 0) < 0
            || av_opt_set_int(m_sws.get(), "srch", frame->height, 0) < 0
            || av_opt_set_int(m_sws.get(), "src_format", fmt, 0) < 0
            || av_opt_set_int(m_sws.get(), "dstw", w, 0) < 0 || av_opt_set_int(m_sws.get(), "dsth", h, 0) < 0
            || av_opt_set_int(m_sws.get(), "dst_format", AV_PIX_FMT_BGRA, 0) < 0
            || av_opt_set_int(m_sws.get(), "sws_flags", SWS_BILINEAR, 0) < 0
            || av_opt_set_int(m_sws.get(), "src_range", full ? 1 : 0, 0) < 0
            || av_opt_set_int(m_sws.get(), "dst_range", 1, 0) < 0
            || sws_init_context(m_sws.get(), nullptr, nullptr) < 0) {
            m_sws.reset();
            m_swsKey.clear();
            return false;
        }
        if (matrix >= 0)
            setSwsMatrix(m_sws.get(), matrix);
        m_swsKey = key;
    }
    uint8_t *planes[4] = {dst, nullptr, nullptr, nullptr};
    int strides[4] = {dstStride, 0, 0, 0};
    return sws_scale(m_sws.get(), frame->data, frame->linesize, 0, frame->height, planes, strides) > 0;
}

bool ScreenColours::buildGraph(const AVFrame *frame, const VideoColour &colour, int w, int h)
{
    m_graph.reset(avfilter_graph_alloc());
    m_in = nullptr;
    m_out = nullptr;
    if (!m_graph)
        return false;
    // One thread: the player decodes beside it, and the picture is small.
    m_graph->nb_threads = 1;
    char args[256];
    std::snprintf(args, sizeof args, "video_size=%dx%d:pix_fmt=%d:time_base=1/1000000:pixel_aspect=1/1",
                  frame->width, frame->height, frame->format);
    const AVFilter *bufferIn = avfilter_get_by_name("buffer");
    const AVFilter *bufferOut = avfilter_get_by_name("buffersink");
    if (!bufferIn || !bufferOut
        || avfilter_graph_create_filter(&m_in, bufferIn, "in", args, nullptr, m_graph.get()) < 0
        || avfilter_graph_create_filter(&m_out, bufferOut, "out", nullptr, nullptr, m_graph.get()) < 0)
        return false;
    // Shrunk first (in the source's own format, which is cheap), then to
    // linear light, BT.709 primaries, the highlights compressed, and the
    // BT.709 transfer in full-range RGB.
    char size[64];
    std::snprintf(size, sizeof size, "scale=w=%d:h=%d:flags=bilinear", w, h);
    const std::string chain = std::string(size) + ",zscale=" + zscaleSourceOptions(colour)
        + "transfer=linear:npl=100,format=gbrpf32le,zscale=primaries=bt709," + toneMapOptions(colour)
        + ",zscale=transfer=bt709:range=pc,format=gbrp,format=bgra";
    AVFilterInOut *outputs = avfilter_inout_alloc();
    AVFilterInOut *inputs = avfilter_inout_alloc();
    bool ok = outputs && inputs;
    if (ok) {
        outputs->name = av_strdup("in");
        outputs->filter_ctx = m_in;
        inputs->name = av_strdup("out");
        inputs->filter_ctx = m_out;
        ok = avfilter_graph_parse_ptr(m_graph.get(), chain.c_str(), &inputs, &outputs, nullptr) >= 0
            && avfilter_graph_config(m_graph.get(), nullptr) >= 0;
    }
    avfilter_inout_free(&outputs);
    avfilter_inout_free(&inputs);
    if (!ok) {
        logLine(AV_LOG_WARNING, "preview: no tone mapping for HDR pictures (%s); shown unmapped", chain.c_str());
        m_graph.reset();
        m_in = nullptr;
        m_out = nullptr;
    }
    return ok;
}

bool ScreenColours::convertHdr(const AVFrame *frame, int w, int h, uint8_t *dst, int dstStride)
{
    const VideoColour colour = colourOfFrame(frame);
    char key[96];
    std::snprintf(key, sizeof key, "%dx%d/%d>%dx%d/", frame->width, frame->height, frame->format, w, h);
    const std::string graphKey = key + zscaleSourceOptions(colour) + toneMapOptions(colour);
    if (!m_graph || graphKey != m_graphKey) {
        m_graphKey = graphKey;
        if (!buildGraph(frame, colour, w, h)) {
            m_graphFailed = true;
            return false;
        }
    }
    if (!m_mapped)
        m_mapped.reset(av_frame_alloc());
    if (!m_mapped || av_buffersrc_add_frame_flags(m_in, const_cast<AVFrame *>(frame), AV_BUFFERSRC_FLAG_KEEP_REF) < 0)
        return false;
    av_frame_unref(m_mapped.get());
    if (av_buffersink_get_frame(m_out, m_mapped.get()) < 0 || m_mapped->width != w || m_mapped->height != h) {
        // A graph that holds pictures back is of no use to a preview.
        m_graph.reset();
        m_graphFailed = true;
        return false;
    }
    for (int y = 0; y < h; ++y)
        std::memcpy(dst + static_cast<ptrdiff_t>(y) * dstStride,
                    m_mapped->data[0] + static_cast<ptrdiff_t>(y) * m_mapped->linesize[0], static_cast<size_t>(w) * 4);
    av_frame_unref(m_mapped.get());
    return true;
}

} // namespace orl
