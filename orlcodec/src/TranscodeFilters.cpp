#include "TranscodeFilters.h"

#include "Engine.h"
#include "AssText.h"
#include "SubtitleFile.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
#include <libavutil/pixdesc.h>
}

#include <algorithm>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstring>

#include <unistd.h>

namespace orl {

using subtitles::assColour;
using subtitles::assName;
using subtitles::assText;
using subtitles::assTime;

namespace {

// How far a picture may sit past a frame time of the output and still
// count as on it: source times are rounded (to milliseconds in Matroska,
// to microseconds here).
constexpr int64_t kGridTolerance_us = 500;

// Sizes of the text and subtitle options are points on a picture this
// high; other heights scale them.
constexpr double kReferenceHeight = 480.0;
// The picture height libass lays SubRip-style subtitles out on.
constexpr double kSubtitleLayoutHeight = 288.0;
constexpr double kSubtitleLayoutWidth = 384.0;

int even(double v)
{
    const int n = static_cast<int>(std::lround(v));
    return std::max(2, n - (n & 1));
}

std::string format(const char *fmt, ...) __attribute__((format(printf, 1, 2)));
std::string format(const char *fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    va_list again;
    va_copy(again, args);
    const int n = vsnprintf(nullptr, 0, fmt, args);
    va_end(args);
    std::string out(n > 0 ? static_cast<size_t>(n) : 0, '\0');
    if (n > 0)
        vsnprintf(out.data(), out.size() + 1, fmt, again);
    va_end(again);
    return out;
}

double speedOf(const ParamValues &v)
{
    return v.rate > 0 ? std::clamp(v.rate / 100.0, 0.25, 4.0) : 1.0;
}

// A "between(t,a,b)" expression for a show window in source time; empty
// when it covers everything.
std::string showWindow(uint64_t start_us, uint64_t end_us)
{
    if (start_us == 0 && end_us == 0)
        return {};
    if (end_us == 0 || end_us <= start_us)
        return format("gte(t,%.6f)", start_us / 1e6);
    return format("between(t,%.6f,%.6f)", start_us / 1e6, end_us / 1e6);
}

// The scaler's options that keep the source's chroma siting through a
// change of size. Left alone, the scaler takes every source's chroma for
// centred and writes it centred, so a resized picture's colours sit off
// by a fraction of a pixel from where the siting its stream declares (the
// source's, which the encoder is told) puts them. Where the source does not
// say, the siting of MPEG and H.26x video (left) is kept, and the centre of
// JPEG's full-range formats. Tone mapping rebuilds the chroma with its own
// siting; only dimensions a format subsamples have a siting at all.
std::string chromaSiting(const GraphPlan &plan)
{
    if (plan.toneMap || plan.hdrOut != AVCOL_TRC_UNSPECIFIED)
        return {};
    const AVPixFmtDescriptor *in = av_pix_fmt_desc_get(plan.video.format);
    const AVPixFmtDescriptor *out = av_pix_fmt_desc_get(plan.outFormat);
    if (!in || !out || (in->flags & AV_PIX_FMT_FLAG_RGB) || (out->flags & AV_PIX_FMT_FLAG_RGB))
        return {};
    AVChromaLocation loc = plan.colour.chromaLocation;
    if (loc == AVCHROMA_LOC_UNSPECIFIED) {
        const bool jpeg = plan.video.format == AV_PIX_FMT_YUVJ420P || plan.video.format == AV_PIX_FMT_YUVJ422P
            || plan.video.format == AV_PIX_FMT_YUVJ440P;
        loc = jpeg ? AVCHROMA_LOC_CENTER : AVCHROMA_LOC_LEFT;
    }
    int x = 0, y = 0;
    if (avcodec_enum_to_chroma_pos(&x, &y, loc) < 0)
        return {};
    std::string options;
    if (in->log2_chroma_w > 0)
        options += format(":in_h_chr_pos=%d", x);
    if (in->log2_chroma_h > 0)
        options += format(":in_v_chr_pos=%d", y);
    if (out->log2_chroma_w > 0)
        options += format(":out_h_chr_pos=%d", x);
    if (out->log2_chroma_h > 0)
        options += format(":out_v_chr_pos=%d", y);
    return options;
}

} // namespace

Geometry computeGeometry(const ParamValues &v, int w, int h, AVRational sar, int fixedW, int fixedH,
                         bool keepPixels, AVRational fixedSar)
{
    Geometry g;
    double x = std::clamp(v.cropRect[0], 0.0, 1.0);
    double y = std::clamp(v.cropRect[1], 0.0, 1.0);
    double cw = std::clamp(v.cropRect[2], 0.0, 1.0 - x);
    double ch = std::clamp(v.cropRect[3], 0.0, 1.0 - y);
    if (cw <= 0.0001 || ch <= 0.0001) {
        x = y = 0;
        cw = ch = 1;
    }
    g.cropW = std::min(w, even(cw * w));
    g.cropH = std::min(h, even(ch * h));
    g.cropX = std::clamp(static_cast<int>(std::lround(x * w)), 0, w - g.cropW);
    g.cropY = std::clamp(static_cast<int>(std::lround(y * h)), 0, h - g.cropH);
    g.cropped = g.cropW != w || g.cropH != h;

    const double pixelAspect = sar.num > 0 && sar.den > 0 ? av_q2d(sar) : 1.0;
    const bool sideways = v.rotation == 90 || v.rotation == 270;
    const int pictureW = sideways ? g.cropH : g.cropW;
    const int pictureH = sideways ? g.cropW : g.cropH;
    const double pictureAspect = sideways ? g.cropH / (g.cropW * pixelAspect) : g.cropW * pixelAspect / g.cropH;

    if (fixedW > 0 && fixedH > 0) {
        g.frameW = fixedW;
        g.frameH = fixedH;
    } else if (v.width > 0 && v.height > 0) {
        g.frameW = even(sideways ? v.height : v.width);
        g.frameH = even(sideways ? v.width : v.height);
    } else {
        g.frameH = even(pictureH);
        g.frameW = even(pixelAspect == 1.0 ? pictureW : pictureH * pictureAspect);
    }

    if (fixedW > 0 && fixedH > 0) {
        if (fixedSar.num > 0 && fixedSar.den > 0)
            g.sar = fixedSar;
    } else if (keepPixels && pixelAspect != 1.0 && !sideways && g.frameW == w && g.frameH == h) {
        av_reduce(&g.sar.num, &g.sar.den, sar.num, sar.den, 65535);
    }
    const double outPixel = av_q2d(g.sar);

    const double aspect = v.aspectNum > 0 && v.aspectDen > 0 ? double(v.aspectNum) / v.aspectDen : pictureAspect;
    // A picture put into a frame made for another (a later range of a merge,
    // from a file of another shape) keeps its shape, with bars, instead of
    // being stretched to the frame.
    const bool keepShape = fixedW > 0 && fixedH > 0 && !v.padEnabled
        && std::fabs(g.frameW * outPixel / g.frameH - aspect) > 0.01 * aspect;
    if (v.padEnabled || keepShape) {
        if (g.frameW * outPixel / g.frameH > aspect) {
            g.boxH = g.frameH;
            g.boxW = std::min(g.frameW, even(g.frameH * aspect / outPixel));
        } else {
            g.boxW = g.frameW;
            g.boxH = std::min(g.frameH, even(g.frameW * outPixel / aspect));
        }
    } else {
        g.boxW = g.frameW;
        g.boxH = g.frameH;
    }
    g.boxX = ((g.frameW - g.boxW) / 2) & ~1;
    g.boxY = ((g.frameH - g.boxH) / 2) & ~1;
    return g;
}

FilterGraph::FilterGraph() = default;

FilterGraph::~FilterGraph() = default;

AVFilterContext *FilterGraph::create(const char *filter,
                                     const std::vector<std::pair<std::string, std::string>> &options,
                                     std::string &error)
{
    const AVFilter *f = avfilter_get_by_name(filter);
    if (!f) {
        error = std::string("the filter ") + filter + " is not in this build";
        return nullptr;
    }
    const std::string name = format("%s_%d", filter, m_count++);
    AVFilterContext *ctx = avfilter_graph_alloc_filter(m_graph.get(), f, name.c_str());
    if (!ctx) {
        error = "out of memory";
        return nullptr;
    }
    for (const auto &option : options) {
        const int r = av_opt_set(ctx, option.first.c_str(), option.second.c_str(), AV_OPT_SEARCH_CHILDREN);
        if (r < 0) {
            error = std::string("filter ") + filter + ": bad option " + option.first + ": " + ffmpegError(r);
            return nullptr;
        }
    }
    const int r = avfilter_init_str(ctx, nullptr);
    if (r < 0) {
        error = std::string("filter ") + filter + " refused its settings: " + ffmpegError(r);
        return nullptr;
    }
    return ctx;
}

bool FilterGraph::link(Pad &from, AVFilterContext *to, int toPad, std::string &error)
{
    const int r = avfilter_link(from.ctx, static_cast<unsigned>(from.pad), to, static_cast<unsigned>(toPad));
    if (r < 0) {
        error = std::string("cannot link ") + from.ctx->name + " to " + to->name + ": " + ffmpegError(r);
        return false;
    }
    return true;
}

bool FilterGraph::chain(Pad &cur, const char *filter, const std::string &args, std::string &error)
{
    const AVFilter *f = avfilter_get_by_name(filter);
    if (!f) {
        error = std::string("the filter ") + filter + " is not in this build";
        return false;
    }
    AVFilterContext *ctx = nullptr;
    const std::string name = format("%s_%d", filter, m_count++);
    const int r = avfilter_graph_create_filter(&ctx, f, name.c_str(), args.empty() ? nullptr : args.c_str(), nullptr,
                                               m_graph.get());
    if (r < 0) {
        error = std::string("filter ") + filter + " (" + args + "): " + ffmpegError(r);
        return false;
    }
    if (!link(cur, ctx, 0, error))
        return false;
    cur = Pad{ctx, 0};
    return true;
}

bool FilterGraph::build(const GraphPlan &plan, std::string &error)
{
    m_graph.reset();
    videoIn = audioIn = backgroundIn = videoOut = audioOut = nullptr;
    m_animated.clear();
    m_graph.reset(avfilter_graph_alloc());
    if (!m_graph) {
        error = "out of memory";
        return false;
    }
    // Filters run on the conversion's own thread; codecs take the cores.
    m_graph->nb_threads = 1;
    if (plan.video.width > 0 && !buildVideo(plan, error))
        return false;
    if (plan.outRate > 0 && !buildAudio(plan, error))
        return false;
    const int r = avfilter_graph_config(m_graph.get(), nullptr);
    if (r < 0) {
        error = "the filter graph cannot be set up: " + ffmpegError(r);
        return false;
    }
    if (audioOut && plan.outFrameSize > 0)
        av_buffersink_set_frame_size(audioOut, static_cast<unsigned>(plan.outFrameSize));
    return true;
}

int FilterGraph::addVideoFrame(AVFrame *frame, int flags)
{
    for (const AnimatedInput &a : m_animated) {
        const int64_t t = frame->pts == AV_NOPTS_VALUE ? 0 : frame->pts;
        FramePtr picture(av_frame_clone(a.animation->frameAt(t - a.start_us)));
        if (!picture)
            return AVERROR(ENOMEM);
        picture->pts = t;
        const int r = av_buffersrc_add_frame_flags(a.source, picture.get(), 0);
        if (r < 0 && r != AVERROR_EOF)
            return r;
    }
    return av_buffersrc_add_frame_flags(videoIn, frame, flags);
}

int FilterGraph::closeVideo(int64_t pts, int flags)
{
    int result = videoIn ? av_buffersrc_close(videoIn, pts, flags) : 0;
    for (const AnimatedInput &a : m_animated) {
        const int r = av_buffersrc_close(a.source, pts, flags);
        if (r < 0 && r != AVERROR_EOF && result >= 0)
            result = r;
    }
    return result;
}

bool FilterGraph::buildVideo(const GraphPlan &plan, std::string &error)
{
    const ParamValues &v = *plan.params;
    const Geometry &g = plan.geometry;
    const AVRational sar = plan.video.sar.num > 0 ? plan.video.sar : AVRational{1, 1};
    const std::string args = format("video_size=%dx%d:pix_fmt=%d:time_base=1/1000000:pixel_aspect=%d/%d",
                                    plan.video.width, plan.video.height, static_cast<int>(plan.video.format), sar.num,
                                    sar.den);
    const AVFilter *buffer = avfilter_get_by_name("buffer");
    if (avfilter_graph_create_filter(&videoIn, buffer, "video_in", args.c_str(), nullptr, m_graph.get()) < 0) {
        error = "cannot create the video input of the filter graph";
        return false;
    }
    Pad cur{videoIn, 0};

    std::string trim = format("start_pts=%" PRId64, plan.start_us);
    if (plan.end_us > 0)
        trim += format(":end_pts=%" PRId64, plan.end_us);
    if (!plan.preview && !chain(cur, "trim", trim, error))
        return false;
    if (plan.deinterlace && !chain(cur, "bwdif", "mode=send_frame:parity=auto:deint=all", error))
        return false;
    const int shown = plan.video.rotation;
    if (shown == 90 && !chain(cur, "transpose", "dir=clock", error))
        return false;
    if (shown == 270 && !chain(cur, "transpose", "dir=cclock", error))
        return false;
    if (shown == 180 && (!chain(cur, "hflip", "", error) || !chain(cur, "vflip", "", error)))
        return false;

    if (g.cropped && !chain(cur, "crop", format("w=%d:h=%d:x=%d:y=%d:exact=1", g.cropW, g.cropH, g.cropX, g.cropY), error))
        return false;
    if (v.rotation == 90 && !chain(cur, "transpose", "dir=clock", error))
        return false;
    if (v.rotation == 270 && !chain(cur, "transpose", "dir=cclock", error))
        return false;
    if (v.rotation == 180 && (!chain(cur, "hflip", "", error) || !chain(cur, "vflip", "", error)))
        return false;
    if (v.mirrored && !chain(cur, "hflip", "", error))
        return false;

    if (!chain(cur, "scale", format("w=%d:h=%d", g.boxW, g.boxH) + chromaSiting(plan), error)
        || !chain(cur, "setsar", format("sar=%d/%d", g.sar.num, g.sar.den), error))
        return false;
    if (plan.toneMap && !toneMapToSdr(cur, plan, error))
        return false;
    if (plan.hdrOut != AVCOL_TRC_UNSPECIFIED && !sdrIntoHdr(cur, plan, error))
        return false;
    if ((g.boxW != g.frameW || g.boxH != g.frameH)
        && !chain(cur, "pad",
                  format("width=%d:height=%d:x=%d:y=%d:color=0x%06X", g.frameW, g.frameH, g.boxX, g.boxY,
                         v.padColor & 0xffffffu),
                  error))
        return false;

    // Brightness -254..254 moves luma by up to half the range; contrast and
    // saturation are percentages of the source's.
    if (v.brightness != 0 || v.contrast != 100 || v.saturation != 100) {
        const double brightness = std::clamp(v.brightness / 508.0, -1.0, 1.0);
        const double contrast = std::clamp(v.contrast / 100.0, 0.0, 3.0);
        const double saturation = std::clamp(v.saturation / 100.0, 0.0, 3.0);
        if (!chain(cur, "eq", format("brightness=%.4f:contrast=%.4f:saturation=%.4f", brightness, contrast, saturation),
                   error))
            return false;
    }
    if (v.hue != 0 && !chain(cur, "hue", format("h=%d", std::clamp(v.hue, -360, 360)), error))
        return false;

    // Effect, frame, then the user's watermark on top.
    for (int slot : {1, 2, 0}) {
        const OverlaySettings &o = v.overlays[static_cast<size_t>(slot)];
        const bool textFirst = o.textOnTop == 0;
        if (textFirst && !o.text.empty() && !overlayText(cur, o, plan, error))
            return false;
        if (!o.imagePath.empty() && !overlayPicture(cur, o, slot, plan, error))
            return false;
        if (!textFirst && !o.text.empty() && !overlayText(cur, o, plan, error))
            return false;
    }
    if (!burnSubtitles(cur, plan, error))
        return false;

    const double speed = speedOf(v);
    // At a constant rate each output picture shows the source's picture
    // showing at its time: the last one that began at or before it. The
    // times are moved a hair earlier and rounded up to the frame grid, so
    // that a picture on the grid but for the source's time rounding stays
    // on its own frame.
    const int64_t hair = plan.ownTiming ? 0 : kGridTolerance_us;
    if (!plan.preview
        && !chain(cur, "setpts", format("expr=(PTS-%" PRId64 ")/%.6f-%" PRId64, plan.start_us, speed, hair), error))
        return false;
    if (!plan.preview && !plan.ownTiming
        && !chain(cur, "fps",
                  format("fps=%d/%d:start_time=0:round=up", plan.frameRate.num, plan.frameRate.den), error))
        return false;
    if (!chain(cur, "format", format("pix_fmts=%s", av_get_pix_fmt_name(plan.outFormat)), error))
        return false;
    const AVFilter *sink = avfilter_get_by_name("buffersink");
    if (avfilter_graph_create_filter(&videoOut, sink, "video_out", nullptr, nullptr, m_graph.get()) < 0) {
        error = "cannot create the video output of the filter graph";
        return false;
    }
    return link(cur, videoOut, 0, error);
}

bool FilterGraph::toneMapToSdr(Pad &cur, const GraphPlan &plan, std::string &error)
{
    // To linear light (100 cd/m2 = 1.0) in the source's primaries, over to
    // BT.709 primaries, highlights compressed by the Mobius curve (which
    // leaves the SDR part of the picture nearly as it was), then BT.709
    // transfer and matrix in limited range.
    const VideoColour &c = plan.colour;
    const std::string in = zscaleSourceOptions(c);
    const std::string tonemap = toneMapOptions(c);
    const AVPixFmtDescriptor *out = av_pix_fmt_desc_get(plan.outFormat);
    const char *sdrFormat = out && !(out->flags & AV_PIX_FMT_FLAG_RGB) ? av_get_pix_fmt_name(plan.outFormat) : "yuv420p";
    return chain(cur, "zscale", in + "transfer=linear:npl=100", error)
        && chain(cur, "format", "pix_fmts=gbrpf32le", error) && chain(cur, "zscale", "primaries=bt709", error)
        && chain(cur, "tonemap", tonemap, error)
        && chain(cur, "zscale", "transfer=bt709:matrix=bt709:range=tv", error)
        && chain(cur, "format", format("pix_fmts=%s", sdrFormat), error);
}

bool FilterGraph::sdrIntoHdr(Pad &cur, const GraphPlan &plan, std::string &error)
{
    // What the source does not say is taken as SD or HD video says it:
    // BT.601 up to 576 lines, BT.709 above, in limited range.
    VideoColour c = plan.colour;
    const bool sd = plan.video.height > 0 && plan.video.height <= 576;
    if (c.transfer == AVCOL_TRC_UNSPECIFIED || c.transfer == AVCOL_TRC_RESERVED || c.transfer == AVCOL_TRC_RESERVED0)
        c.transfer = AVCOL_TRC_BT709;
    if (c.primaries == AVCOL_PRI_UNSPECIFIED || c.primaries == AVCOL_PRI_RESERVED || c.primaries == AVCOL_PRI_RESERVED0)
        c.primaries = sd ? AVCOL_PRI_SMPTE170M : AVCOL_PRI_BT709;
    if (c.matrix == AVCOL_SPC_UNSPECIFIED || c.matrix == AVCOL_SPC_RESERVED)
        c.matrix = sd ? AVCOL_SPC_SMPTE170M : AVCOL_SPC_BT709;
    if (c.range == AVCOL_RANGE_UNSPECIFIED)
        c.range = AVCOL_RANGE_MPEG;
    const char *transfer = plan.hdrOut == AVCOL_TRC_ARIB_STD_B67 ? "arib-std-b67" : "smpte2084";
    return chain(cur, "zscale",
                 zscaleSourceOptions(c) + "transfer=" + transfer + ":primaries=bt2020:matrix=bt2020nc:range=tv:npl=203",
                 error)
        && chain(cur, "format", format("pix_fmts=%s", av_get_pix_fmt_name(plan.outFormat)), error);
}

bool FilterGraph::overlayPicture(Pad &cur, const OverlaySettings &o, int slot, const GraphPlan &plan,
                                 std::string &error)
{
    const Geometry &g = plan.geometry;
    Pad pic;
    if (slot != 0 && o.frameType == 1) {
        // An effect's pictures move: they are handed in with each picture
        // (addVideoFrame), so a frame is chosen by time alone.
        std::string why;
        std::shared_ptr<const OverlayAnimation> animation = OverlayAnimation::load(o.imagePath, why);
        if (!animation) {
            error = "the overlay picture " + o.imagePath + " cannot be read: " + why;
            return false;
        }
        if (animation->frameCount() > 1) {
            const std::string args = format("video_size=%dx%d:pix_fmt=%d:time_base=1/1000000:pixel_aspect=1/1",
                                            animation->width(), animation->height(), static_cast<int>(AV_PIX_FMT_RGBA));
            AVFilterContext *source = nullptr;
            const std::string name = format("animation_%d", m_count++);
            if (avfilter_graph_create_filter(&source, avfilter_get_by_name("buffer"), name.c_str(), args.c_str(),
                                             nullptr, m_graph.get())
                < 0) {
                error = "cannot create the input of an animated overlay";
                return false;
            }
            m_animated.push_back(AnimatedInput{source, animation, static_cast<int64_t>(o.imageStart_us)});
            pic = Pad{source, 0};
        }
    }
    if (!pic.ctx) {
        AVFilterContext *movie = create("movie", {{"filename", o.imagePath}}, error);
        if (!movie) {
            error = "the overlay picture " + o.imagePath + " cannot be read: " + error;
            return false;
        }
        pic = Pad{movie, 0};
    }
    if (!chain(pic, "format", "pix_fmts=rgba", error))
        return false;
    const double sx = std::clamp(o.sourceRect[0], 0.0, 1.0), sy = std::clamp(o.sourceRect[1], 0.0, 1.0);
    const double sw = std::clamp(o.sourceRect[2], 0.01, 1.0 - sx), sh = std::clamp(o.sourceRect[3], 0.01, 1.0 - sy);
    if ((sx > 0 || sy > 0 || sw < 1 || sh < 1)
        && !chain(pic, "crop", format("w=iw*%.6f:h=ih*%.6f:x=iw*%.6f:y=ih*%.6f", sw, sh, sx, sy), error))
        return false;
    // Effects and frames cover the whole picture; a watermark keeps its own
    // size (times its scale), never larger than the picture.
    std::string w, h;
    if (slot == 0) {
        w = format("min(iw*%.4f\\,%d)", std::max(o.imageScaleX, 1) / 100.0, g.frameW);
        h = format("min(ih*%.4f\\,%d)", std::max(o.imageScaleY, 1) / 100.0, g.frameH);
    } else {
        w = std::to_string(g.frameW);
        h = std::to_string(g.frameH);
    }
    if (!chain(pic, "scale", "w=" + w + ":h=" + h, error))
        return false;
    const int alpha = std::clamp(o.imageAlpha, 0, 255);
    if (alpha < 255 && !chain(pic, "colorchannelmixer", format("aa=%.4f", alpha / 255.0), error))
        return false;

    std::vector<std::pair<std::string, std::string>> options{
        {"x", std::to_string(static_cast<int>(std::lround(o.imageX * g.frameW)))},
        {"y", std::to_string(static_cast<int>(std::lround(o.imageY * g.frameH)))},
        {"eof_action", "repeat"},
        {"format", "auto"},
    };
    const std::string window = showWindow(o.imageStart_us, o.imageEnd_us);
    if (!window.empty())
        options.emplace_back("enable", window);
    AVFilterContext *overlay = create("overlay", options, error);
    if (!overlay || !link(cur, overlay, 0, error) || !link(pic, overlay, 1, error))
        return false;
    cur = Pad{overlay, 0};
    return true;
}

bool FilterGraph::overlayText(Pad &cur, const OverlaySettings &o, const GraphPlan &plan, std::string &error)
{
    // The text is laid out by libass, like subtitles, from a one-line script
    // in picture pixels: it knows outline, shadow, underline, strike-out,
    // spacing and scaling, and shows the line only within its times.
    const Geometry &g = plan.geometry;
    const double scale = g.frameH / kReferenceHeight;
    const double opacity = std::clamp(o.textAlpha, 0, 255) / 255.0;
    const int size = std::max(6, static_cast<int>(std::lround(o.fontSize * scale)));
    const auto colour = [&](uint32_t argb) {
        const std::string c = assColour(argb, opacity); // &HAABBGGRR
        return format("&H%s&", c.substr(4).c_str());
    };
    const auto alpha = [&](uint32_t argb) { return format("&H%s&", assColour(argb, opacity).substr(2, 2).c_str()); };
    const std::string tags = format(
        "{\\an7\\pos(%d,%d)\\fn%s\\fs%d\\b%d\\i%d\\u%d\\s%d\\fscx%d\\fscy%d\\fsp%.2f"
        "\\1c%s\\1a%s\\3c%s\\3a%s\\4c%s\\4a%s\\bord%.2f\\shad%.2f}",
        static_cast<int>(std::lround(o.textX * g.frameW)), static_cast<int>(std::lround(o.textY * g.frameH)),
        assName(o.fontName).c_str(), size, o.bold ? 1 : 0, o.italic ? 1 : 0, o.underline ? 1 : 0,
        o.strikeOut ? 1 : 0, std::clamp(o.textScaleX, 1, 1000), std::clamp(o.textScaleY, 1, 1000),
        o.spacingH * size, colour(o.color).c_str(), alpha(o.color).c_str(), colour(o.outlineColor).c_str(),
        alpha(o.outlineColor).c_str(), colour(o.shadowColor).c_str(), alpha(o.shadowColor).c_str(),
        std::max(0.0, o.outlineSize * scale), std::max(0.0, o.shadowOffset * scale * 2));
    const std::string script = format("[Script Info]\nScriptType: v4.00+\nPlayResX: %d\nPlayResY: %d\n"
                                      "ScaledBorderAndShadow: yes\nWrapStyle: 2\n\n[V4+ Styles]\n"
                                      "Format: Name, Fontname, Fontsize, PrimaryColour, SecondaryColour, OutlineColour, "
                                      "BackColour, Bold, Italic, Underline, StrikeOut, ScaleX, ScaleY, Spacing, Angle, "
                                      "BorderStyle, Outline, Shadow, Alignment, MarginL, MarginR, MarginV, Encoding\n"
                                      "Style: Default,Sans,20,&H00FFFFFF,&H00FFFFFF,&H00000000,&H80000000,0,0,0,0,"
                                      "100,100,0,0,1,1,0,7,0,0,0,1\n\n[Events]\n"
                                      "Format: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text\n",
                                      g.frameW, g.frameH)
        + "Dialogue: 0," + assTime(o.textStart_us, false) + "," + assTime(o.textEnd_us, true) + ",Default,,0,0,0,,"
        + tags + assText(o.text) + "\n";

    // The renderer reads the script while the filter is set up; the file is
    // gone right after.
    std::string folder = workFolder();
    if (folder.empty())
        folder = "/tmp";
    std::string path = folder + "/snipwell-text-XXXXXX.ass";
    std::vector<char> name(path.begin(), path.end());
    name.push_back('\0');
    const int fd = mkstemps(name.data(), 4);
    if (fd < 0) {
        error = "cannot write the text overlay's layout file in " + folder;
        return false;
    }
    path = name.data();
    const bool written = write(fd, script.data(), script.size()) == static_cast<ssize_t>(script.size());
    ::close(fd);
    AVFilterContext *text = written ? create("subtitles", {{"filename", path}, {"charenc", "UTF-8"}}, error) : nullptr;
    unlink(path.c_str());
    if (!written)
        error = "cannot write the text overlay's layout file in " + folder;
    if (!text || !link(cur, text, 0, error))
        return false;
    cur = Pad{text, 0};
    return true;
}

bool FilterGraph::burnSubtitles(Pad &cur, const GraphPlan &plan, std::string &error)
{
    const ParamValues &v = *plan.params;
    std::string file;
    int stream = -1;
    if (!v.subtitleFile.empty()) {
        file = v.subtitleFile;
    } else if (v.subtitle >= 0 && plan.subtitleStream >= 0) {
        file = plan.sourcePath;
        stream = plan.subtitleStream;
    } else {
        return true;
    }
    const SubtitleLook &s = v.subtitleLook;
    const double opacity = std::clamp(s.alpha, 0, 255) / 255.0;
    // libass reads a forced alignment in the old numbering: 2 bottom, 6 top
    // and 10 middle, each centred.
    const int alignment = s.position == 16 ? 6 : (s.position == 32 ? 10 : 2);
    std::string style;
    if (!s.fontName.empty()) {
        std::string name;
        for (char c : s.fontName)
            if (c != ',' && c != '=')
                name += c;
        style += "FontName=" + name + ",";
    }
    style += format("FontSize=%d,PrimaryColour=%s,SecondaryColour=%s,OutlineColour=%s,BackColour=%s,"
                    "Bold=%d,Italic=%d,Underline=%d,StrikeOut=%d,ScaleX=%.2f,ScaleY=%.2f,Spacing=%.2f,"
                    "BorderStyle=1,Outline=%.2f,Shadow=%.2f,Alignment=%d,MarginL=%d,MarginR=%d,MarginV=%d",
                    std::max(1, s.fontSize), assColour(s.color, opacity).c_str(), assColour(s.color, opacity).c_str(),
                    assColour(s.outlineColor, opacity).c_str(), assColour(s.shadowColor, opacity).c_str(),
                    s.bold ? -1 : 0, s.italic ? -1 : 0, s.underline ? -1 : 0, s.strikeOut ? -1 : 0,
                    // libass takes the scale of a forced style as a factor, not a percentage.
                    std::clamp(s.scaleX, 25, 400) / 100.0, std::clamp(s.scaleY, 25, 400) / 100.0, s.spacingH,
                    std::max(0.0, s.outlineSize), std::max(0.0, s.shadowOffset), alignment,
                    static_cast<int>(std::lround(std::clamp(s.marginH, 0.0, 0.45) * kSubtitleLayoutWidth)),
                    static_cast<int>(std::lround(std::clamp(s.marginH, 0.0, 0.45) * kSubtitleLayoutWidth)),
                    static_cast<int>(std::lround(std::clamp(s.margin, 0.0, 0.45) * kSubtitleLayoutHeight)));
    // A subtitle file is read by our own reader: its encoding is found the
    // same way the editing dialog found it, and the filter gets the text
    // in UTF-8 (left to itself it would take a legacy 8-bit file as UTF-8).
    std::string utf8Copy;
    if (stream < 0) {
        const subtitles::SubtitleFile parsed = subtitles::readSubtitleFile(file);
        if (!parsed.ok()) {
            error = "the subtitle file cannot be read: " + file;
            return false;
        }
        std::string folder = workFolder();
        utf8Copy = subtitles::writeUtf8Copy(parsed, file, folder.empty() ? "/tmp" : folder);
        if (utf8Copy.empty()) {
            error = "cannot write the subtitle text in " + (folder.empty() ? std::string("/tmp") : folder);
            return false;
        }
        file = utf8Copy;
    }
    std::vector<std::pair<std::string, std::string>> options{{"filename", file}, {"force_style", style}};
    if (stream >= 0)
        options.emplace_back("si", std::to_string(stream));
    else
        options.emplace_back("charenc", "UTF-8");
    AVFilterContext *subtitles = create("subtitles", options, error);
    // The filter has read the whole text while it was set up.
    if (!utf8Copy.empty())
        unlink(utf8Copy.c_str());
    if (!subtitles) {
        error = "the subtitles cannot be read: " + error;
        return false;
    }
    if (!link(cur, subtitles, 0, error))
        return false;
    cur = Pad{subtitles, 0};
    return true;
}

bool FilterGraph::buildAudio(const GraphPlan &plan, std::string &error)
{
    const ParamValues &v = *plan.params;
    const double speed = speedOf(v);
    char layout[128] = {0};
    Pad cur;
    if (plan.haveAudioSource) {
        av_channel_layout_describe(&plan.audio.layout, layout, sizeof layout);
        const std::string args
            = format("time_base=1/1000000:sample_rate=%d:sample_fmt=%s:channel_layout=%s", plan.audio.sampleRate,
                     av_get_sample_fmt_name(plan.audio.format), layout);
        const AVFilter *abuffer = avfilter_get_by_name("abuffer");
        if (avfilter_graph_create_filter(&audioIn, abuffer, "audio_in", args.c_str(), nullptr, m_graph.get()) < 0) {
            error = "cannot create the audio input of the filter graph";
            return false;
        }
        cur = Pad{audioIn, 0};
        // atrim counts its *_pts options in samples, not in the input time
        // base: give the range in seconds.
        std::string trim = format("start=%.6f", plan.start_us / 1e6);
        if (plan.end_us > 0)
            trim += format(":end=%.6f", plan.end_us / 1e6);
        if (!plan.preview
            && (!chain(cur, "atrim", trim, error)
                || !chain(cur, "asetpts", format("expr=PTS-%" PRId64, plan.start_us), error)))
            return false;
        // A shifted track: sound moved later begins after silence, sound
        // moved earlier ends early; either way the range keeps its length.
        const double shiftedLength = plan.outLength_us * speedOf(v) / 1e6;
        if (!plan.preview && plan.audioShift_us != 0
            && (!chain(cur, "aresample", "async=1:first_pts=0", error)
                || (plan.outLength_us > 0
                    && (!chain(cur, "apad", format("whole_dur=%.6f", shiftedLength), error)
                        || !chain(cur, "atrim", format("duration=%.6f", shiftedLength), error)))))
            return false;
    } else {
        // A range without sound in a file that has sound: silence.
        av_channel_layout_describe(&plan.outLayout, layout, sizeof layout);
        AVFilterContext *silence = nullptr;
        const std::string args = format("r=%d:cl=%s", plan.outRate, layout);
        if (avfilter_graph_create_filter(&silence, avfilter_get_by_name("anullsrc"), "silence", args.c_str(), nullptr,
                                         m_graph.get())
            < 0) {
            error = "cannot create silence for a range without sound";
            return false;
        }
        cur = Pad{silence, 0};
        if (plan.outLength_us > 0
            && !chain(cur, "atrim", format("duration=%.6f", plan.outLength_us * speed / 1e6), error))
            return false;
    }

    if (v.volume != 100 && !chain(cur, "volume", format("volume=%.4f", std::clamp(v.volume, 0, 200) / 100.0), error))
        return false;
    const double rangeLength = plan.outLength_us * speed / 1e6;
    // A player's samples keep source times: its fades sit at the range's own.
    const double rangeStart = plan.preview ? plan.start_us / 1e6 : 0.0;
    if (v.fadeIn_us > 0
        && !chain(cur, "afade", format("t=in:st=%.6f:d=%.6f", rangeStart, v.fadeIn_us / 1e6), error))
        return false;
    if (v.fadeOut_us > 0 && rangeLength > 0) {
        const double d = std::min(v.fadeOut_us / 1e6, rangeLength);
        if (!chain(cur, "afade", format("t=out:st=%.6f:d=%.6f", rangeStart + rangeLength - d, d), error))
            return false;
    }
    for (size_t i = 0; i < v.eqFrequencies.size() && i < v.eqGains.size(); ++i) {
        const double f = v.eqFrequencies[i];
        const double gain = std::clamp(v.eqGains[i], -30.0, 30.0);
        if (f <= 0 || std::fabs(gain) < 0.01)
            continue;
        if (!chain(cur, "equalizer", format("f=%.3f:t=o:w=1:g=%.3f", f, gain), error))
            return false;
    }
    if (speed != 1.0) {
        // atempo takes 0.5..2 per stage.
        double left = speed;
        while (left > 2.0 + 1e-9 || left < 0.5 - 1e-9) {
            const double step = left > 2.0 ? 2.0 : 0.5;
            if (!chain(cur, "atempo", format("tempo=%.6f", step), error))
                return false;
            left /= step;
        }
        if (std::fabs(left - 1.0) > 1e-9 && !chain(cur, "atempo", format("tempo=%.6f", left), error))
            return false;
    }

    if (plan.background.sampleRate > 0) {
        const BackgroundAudio &b = v.background;
        // Background times are source times like the range's.
        const int64_t origin = plan.preview ? plan.previewAt_us : plan.start_us;
        const int64_t from = std::max<int64_t>(static_cast<int64_t>(b.start_us), origin);
        const bool cut = b.end_us > b.start_us;
        const bool audible = (!cut || static_cast<int64_t>(b.end_us) > from) && b.weight > 0;
        if (audible) {
            char bgLayout[128] = {0};
            av_channel_layout_describe(&plan.background.layout, bgLayout, sizeof bgLayout);
            const std::string args = format("time_base=1/%d:sample_rate=%d:sample_fmt=%s:channel_layout=%s",
                                            plan.background.sampleRate, plan.background.sampleRate,
                                            av_get_sample_fmt_name(plan.background.format), bgLayout);
            if (avfilter_graph_create_filter(&backgroundIn, avfilter_get_by_name("abuffer"), "background_in",
                                             args.c_str(), nullptr, m_graph.get())
                < 0) {
                error = "cannot create the background audio input";
                return false;
            }
            Pad bg{backgroundIn, 0};
            if (cut && !chain(bg, "atrim", format("duration=%.6f", (b.end_us - from) / speed / 1e6), error))
                return false;
            if (b.volume != 100
                && !chain(bg, "volume", format("volume=%.4f", std::clamp(b.volume, 0, 200) / 100.0), error))
                return false;
            const double delay_ms = (from - origin) / speed / 1000.0;
            if (delay_ms > 0 && !chain(bg, "adelay", format("delays=%.3f:all=1", delay_ms), error))
                return false;
            const int weight = std::clamp(b.weight, 0, 100);
            AVFilterContext *mix = create(
                "amix",
                {{"inputs", "2"}, {"duration", "first"}, {"dropout_transition", "0"},
                 {"weights", format("%d %d", 100 - weight, weight)}, {"normalize", "1"}},
                error);
            if (!mix || !link(cur, mix, 0, error) || !link(bg, mix, 1, error))
                return false;
            cur = Pad{mix, 0};
        }
    }

    char outLayout[128] = {0};
    av_channel_layout_describe(&plan.outLayout, outLayout, sizeof outLayout);
    if (!chain(cur, "aresample", format("out_sample_rate=%d", plan.outRate), error)
        || !chain(cur, "aformat",
                  format("sample_fmts=%s:sample_rates=%d:channel_layouts=%s",
                         av_get_sample_fmt_name(plan.outSampleFormat), plan.outRate, outLayout),
                  error))
        return false;
    if (plan.padSound && plan.outLength_us > 0 && !chain(cur, "apad", format("whole_dur=%.6f", plan.outLength_us / 1e6), error))
        return false;
    if (avfilter_graph_create_filter(&audioOut, avfilter_get_by_name("abuffersink"), "audio_out", nullptr, nullptr,
                                     m_graph.get())
        < 0) {
        error = "cannot create the audio output of the filter graph";
        return false;
    }
    return link(cur, audioOut, 0, error);
}

} // namespace orl
