#include "Picture.h"

#include "Engine.h"
#include "FFmpegPtr.h"
#include "ScreenColours.h"

#include <cstring>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/frame.h>
#include <libavutil/imgutils.h>
#include <libavutil/opt.h>
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}

namespace orl {

namespace {

FramePtr allocFrame(AVPixelFormat fmt, int w, int h, std::string &error)
{
    FramePtr f(av_frame_alloc());
    if (!f) {
        error = "out of memory";
        return nullptr;
    }
    f->format = fmt;
    f->width = w;
    f->height = h;
    const int ret = av_frame_get_buffer(f.get(), 0);
    if (ret < 0) {
        error = "frame buffer: " + ffmpegError(ret);
        return nullptr;
    }
    return f;
}

// The "J" formats are full-range YUV under an old name; swscale wants the
// plain format plus a range flag.
AVPixelFormat plainFormat(AVPixelFormat fmt, bool &fullRange)
{
    switch (fmt) {
    case AV_PIX_FMT_YUVJ420P: fullRange = true; return AV_PIX_FMT_YUV420P;
    case AV_PIX_FMT_YUVJ422P: fullRange = true; return AV_PIX_FMT_YUV422P;
    case AV_PIX_FMT_YUVJ444P: fullRange = true; return AV_PIX_FMT_YUV444P;
    case AV_PIX_FMT_YUVJ440P: fullRange = true; return AV_PIX_FMT_YUV440P;
    case AV_PIX_FMT_YUVJ411P: fullRange = true; return AV_PIX_FMT_YUV411P;
    default: return fmt;
    }
}

// Scales into dstFmt; YUV output is full range (what JPEG expects).
FramePtr scale(const AVFrame *src, AVPixelFormat dstFmt, int w, int h, std::string &error)
{
    bool srcFull = src->color_range == AVCOL_RANGE_JPEG;
    const AVPixelFormat srcFmt = plainFormat(static_cast<AVPixelFormat>(src->format), srcFull);
    // Bicubic where the picture shrinks a lot (thumbnails keep detail),
    // bilinear otherwise: it is much cheaper and looks the same there.
    const int flags = (w * 2 < src->width || h * 2 < src->height) ? SWS_BICUBIC : SWS_BILINEAR;
    // The ranges are options of the context before it is initialised:
    // changing them afterwards leaves the chroma conversion half done.
    SwsContextPtr sws(sws_alloc_context());
    if (!sws || av_opt_set_int(sws.get(), "srcw", src->width, 0) < 0
        || av_opt_set_int(sws.get(), "srch", src->height, 0) < 0
        || av_opt_set_int(sws.get(), "src_format", srcFmt, 0) < 0
        || av_opt_set_int(sws.get(), "dstw", w, 0) < 0
        || av_opt_set_int(sws.get(), "dsth", h, 0) < 0
        || av_opt_set_int(sws.get(), "dst_format", dstFmt, 0) < 0
        || av_opt_set_int(sws.get(), "sws_flags", flags, 0) < 0
        || av_opt_set_int(sws.get(), "src_range", srcFull ? 1 : 0, 0) < 0
        || av_opt_set_int(sws.get(), "dst_range", 1, 0) < 0
        || sws_init_context(sws.get(), nullptr, nullptr) < 0) {
        error = "no scaler for this picture format";
        return nullptr;
    }
    // Into RGB the picture's own matrix counts (BT.709 for HD); JPEG's YUV
    // takes the source's as it is.
    const AVPixFmtDescriptor *in = av_pix_fmt_desc_get(srcFmt);
    const AVPixFmtDescriptor *out = av_pix_fmt_desc_get(dstFmt);
    if (in && out && !(in->flags & AV_PIX_FMT_FLAG_RGB) && (out->flags & AV_PIX_FMT_FLAG_RGB))
        setSwsMatrix(sws.get(), swsMatrixOf(src));
    FramePtr dst = allocFrame(dstFmt, w, h, error);
    if (!dst)
        return nullptr;
    dst->color_range = AVCOL_RANGE_JPEG;
    sws_scale(sws.get(), src->data, src->linesize, 0, src->height, dst->data, dst->linesize);
    return dst;
}

// Turns a packed RGB24 frame clockwise by 90, 180 or 270 degrees.
FramePtr rotateRgb(const AVFrame *src, int rotation, std::string &error)
{
    const bool quarter = rotation == 90 || rotation == 270;
    const int w = quarter ? src->height : src->width;
    const int h = quarter ? src->width : src->height;
    FramePtr dst = allocFrame(AV_PIX_FMT_RGB24, w, h, error);
    if (!dst)
        return nullptr;
    for (int y = 0; y < src->height; ++y) {
        const uint8_t *row = src->data[0] + static_cast<ptrdiff_t>(y) * src->linesize[0];
        for (int x = 0; x < src->width; ++x) {
            int dx = x, dy = y;
            if (rotation == 90) {
                dx = src->height - 1 - y;
                dy = x;
            } else if (rotation == 180) {
                dx = src->width - 1 - x;
                dy = src->height - 1 - y;
            } else if (rotation == 270) {
                dx = y;
                dy = src->width - 1 - x;
            }
            std::memcpy(dst->data[0] + static_cast<ptrdiff_t>(dy) * dst->linesize[0] + dx * 3,
                        row + x * 3, 3);
        }
    }
    return dst;
}

} // namespace

std::unique_ptr<EncodedPicture> encodePicture(const AVFrame *frame, int rotation, int width,
                                              int height, int format, std::string &error)
{
    if (!frame || frame->width <= 0 || frame->height <= 0 || width <= 0 || height <= 0
        || width > 16384 || height > 16384) {
        error = "invalid picture size";
        return nullptr;
    }
    const bool png = format == ORL_PICTURE_PNG;
    const AVPixelFormat encodeFmt = png ? AV_PIX_FMT_RGB24 : AV_PIX_FMT_YUV420P;

    // An HDR picture is first tone-mapped as the player shows it, at the size
    // before turning: a saved picture looks like the preview it came from.
    FramePtr screen;
    if (frame->color_trc == AVCOL_TRC_SMPTE2084 || frame->color_trc == AVCOL_TRC_ARIB_STD_B67) {
        const bool quarterTurn = rotation == 90 || rotation == 270;
        screen = allocFrame(AV_PIX_FMT_BGRA, quarterTurn ? height : width, quarterTurn ? width : height, error);
        if (!screen)
            return nullptr;
        ScreenColours colours;
        if (!colours.convert(frame, screen->width, screen->height, screen->data[0], screen->linesize[0])) {
            error = "no scaler for this picture format";
            return nullptr;
        }
        screen->color_range = AVCOL_RANGE_JPEG;
        frame = screen.get();
    }

    FramePtr ready;
    if (rotation == 0) {
        ready = scale(frame, encodeFmt, width, height, error);
    } else {
        const bool quarter = rotation == 90 || rotation == 270;
        FramePtr rgb = scale(frame, AV_PIX_FMT_RGB24, quarter ? height : width,
                             quarter ? width : height, error);
        FramePtr turned = rgb ? rotateRgb(rgb.get(), rotation, error) : nullptr;
        if (turned)
            ready = png ? std::move(turned) : scale(turned.get(), encodeFmt, width, height, error);
    }
    if (!ready)
        return nullptr;

    const AVCodec *codec = avcodec_find_encoder(png ? AV_CODEC_ID_PNG : AV_CODEC_ID_MJPEG);
    CodecContextPtr enc(codec ? avcodec_alloc_context3(codec) : nullptr);
    if (!enc) {
        error = "picture encoder missing";
        return nullptr;
    }
    enc->width = width;
    enc->height = height;
    enc->pix_fmt = encodeFmt;
    enc->time_base = AVRational{1, 25};
    if (!png) {
        enc->flags |= AV_CODEC_FLAG_QSCALE;
        enc->global_quality = FF_QP2LAMBDA * 3;
        enc->color_range = AVCOL_RANGE_JPEG;
        enc->strict_std_compliance = FF_COMPLIANCE_UNOFFICIAL;
        // The standard tables: optimal ones need a second pass over the
        // picture for a few percent of size.
        av_opt_set(enc->priv_data, "huffman", "default", 0);
        ready->quality = enc->global_quality;
    }
    int ret = avcodec_open2(enc.get(), codec, nullptr);
    if (ret < 0) {
        error = "picture encoder: " + ffmpegError(ret);
        return nullptr;
    }
    ready->pts = 0;
    PacketPtr pkt(av_packet_alloc());
    if (!pkt || (ret = avcodec_send_frame(enc.get(), ready.get())) < 0
        || (ret = avcodec_send_frame(enc.get(), nullptr)) < 0
        || (ret = avcodec_receive_packet(enc.get(), pkt.get())) < 0) {
        error = "picture encoding failed: " + ffmpegError(ret);
        return nullptr;
    }
    auto out = std::make_unique<EncodedPicture>();
    out->bytes.assign(pkt->data, pkt->data + pkt->size);
    out->pub.data = out->bytes.data();
    out->pub.size = static_cast<int>(out->bytes.size());
    out->pub.width = width;
    out->pub.height = height;
    out->pub.format = png ? ORL_PICTURE_PNG : ORL_PICTURE_JPEG;
    return out;
}

} // namespace orl
