#include "TranscodeColour.h"

#include "Interrupt.h"

extern "C" {
#include <libavutil/avstring.h>
#include <libavutil/pixdesc.h>
}

#include <cmath>
#include <cstdio>
#include <cstring>

namespace orl {

namespace {

// Packets read past the first key frame before giving up on its picture
// (a decoder with delay needs a few).
constexpr int kFirstPicturePackets = 64;

void takeFrame(VideoColour &c, const AVFrame *frame)
{
    if (c.primaries == AVCOL_PRI_UNSPECIFIED)
        c.primaries = frame->color_primaries;
    if (c.transfer == AVCOL_TRC_UNSPECIFIED)
        c.transfer = frame->color_trc;
    if (c.matrix == AVCOL_SPC_UNSPECIFIED)
        c.matrix = frame->colorspace;
    if (c.range == AVCOL_RANGE_UNSPECIFIED)
        c.range = frame->color_range;
    if (c.chromaLocation == AVCHROMA_LOC_UNSPECIFIED)
        c.chromaLocation = frame->chroma_location;
    if (!c.interlaced())
        c.fieldOrder = frame->interlaced_frame ? (frame->top_field_first ? AV_FIELD_TT : AV_FIELD_BB)
                                               : AV_FIELD_PROGRESSIVE;
    if (!c.hasMastering) {
        if (const AVFrameSideData *sd = av_frame_get_side_data(frame, AV_FRAME_DATA_MASTERING_DISPLAY_METADATA)) {
            std::memcpy(&c.mastering, sd->data, sizeof c.mastering);
            c.hasMastering = c.mastering.has_luminance || c.mastering.has_primaries;
        }
    }
    if (!c.hasLight) {
        if (const AVFrameSideData *sd = av_frame_get_side_data(frame, AV_FRAME_DATA_CONTENT_LIGHT_LEVEL)) {
            std::memcpy(&c.light, sd->data, sizeof c.light);
            c.hasLight = true;
        }
    }
}

} // namespace

VideoColour colourOfFrame(const AVFrame *frame)
{
    VideoColour c;
    if (frame)
        takeFrame(c, frame);
    return c;
}

std::string zscaleSourceOptions(const VideoColour &c)
{
    std::string in;
    const auto given = [&in](const char *option, const char *name) {
        if (name && *name && std::strcmp(name, "unknown") != 0 && std::strcmp(name, "unspecified") != 0) {
            in += option;
            in += '=';
            in += name;
            in += ':';
        }
    };
    given("transferin", av_color_transfer_name(c.transfer));
    given("primariesin", av_color_primaries_name(c.primaries));
    given("matrixin", av_color_space_name(c.matrix));
    given("rangein", av_color_range_name(c.range));
    return in;
}

std::string toneMapOptions(const VideoColour &c)
{
    double peak = 0;
    if (c.transfer == AVCOL_TRC_ARIB_STD_B67)
        peak = 10;
    else if (c.hasLight && c.light.MaxCLL > 0)
        peak = c.light.MaxCLL / 100.0;
    else if (c.hasMastering && c.mastering.has_luminance && c.mastering.max_luminance.den)
        peak = av_q2d(c.mastering.max_luminance) / 100.0;
    std::string options = "tonemap=mobius:desat=0";
    if (peak > 1) {
        char text[32];
        std::snprintf(text, sizeof text, ":peak=%.3f", peak);
        options += text;
    }
    return options;
}

namespace {

// Decodes the stream's first picture (from wherever the demuxer is) into frame.
bool decodeFirstPicture(AVFormatContext *ctx, int stream, InterruptFlags *irq, AVFrame *frame)
{
    const AVStream *st = ctx->streams[stream];
    const AVCodec *decoder = avcodec_find_decoder(st->codecpar->codec_id);
    if (!decoder)
        return false;
    CodecContextPtr dec(avcodec_alloc_context3(decoder));
    if (!dec || avcodec_parameters_to_context(dec.get(), st->codecpar) < 0)
        return false;
    dec->pkt_timebase = st->time_base;
    dec->thread_count = 1; // one picture: threads would only add delay
    if (avcodec_open2(dec.get(), decoder, nullptr) < 0)
        return false;
    PacketPtr pkt = makePacket();
    bool keyFound = false;
    int sent = 0;
    while (sent < kFirstPicturePackets && !(irq && irq->check())) {
        const int r = av_read_frame(ctx, pkt.get());
        if (r == AVERROR(EAGAIN))
            continue;
        if (r < 0)
            break;
        if (pkt->stream_index != stream || (!keyFound && !(pkt->flags & AV_PKT_FLAG_KEY))) {
            av_packet_unref(pkt.get());
            continue;
        }
        keyFound = true;
        avcodec_send_packet(dec.get(), pkt.get());
        av_packet_unref(pkt.get());
        ++sent;
        if (avcodec_receive_frame(dec.get(), frame) >= 0)
            return true;
    }
    if (!keyFound)
        return false;
    avcodec_send_packet(dec.get(), nullptr);
    return avcodec_receive_frame(dec.get(), frame) >= 0;
}

int scaled(AVRational q, double unit)
{
    return q.den ? static_cast<int>(std::lround(av_q2d(q) * unit)) : 0;
}

} // namespace

bool encoderKeepsHdr(const AVCodec *codec)
{
    if (!codec || !codec->pix_fmts
        || !av_match_name(codec->name, "libx265,libvpx-vp9,libaom-av1,libsvtav1,librav1e"))
        return false;
    for (const AVPixelFormat *f = codec->pix_fmts; *f != AV_PIX_FMT_NONE; ++f)
        if (*f == AV_PIX_FMT_YUV420P10LE)
            return true;
    return false;
}

HdrHandling hdrHandling(const VideoColour &source, const AVCodec *encoder)
{
    if (!source.hdr())
        return HdrHandling::None;
    return encoderKeepsHdr(encoder) ? HdrHandling::Keep : HdrHandling::ToSdr;
}

VideoColour readSourceColour(AVFormatContext *ctx, int stream, InterruptFlags *irq)
{
    VideoColour c;
    if (!ctx || stream < 0 || stream >= static_cast<int>(ctx->nb_streams))
        return c;
    const AVStream *st = ctx->streams[stream];
    const AVCodecParameters *par = st->codecpar;
    c.primaries = par->color_primaries;
    c.transfer = par->color_trc;
    c.matrix = par->color_space;
    c.range = par->color_range;
    c.chromaLocation = par->chroma_location;
    if (const AVPixFmtDescriptor *desc = av_pix_fmt_desc_get(static_cast<AVPixelFormat>(par->format)))
        c.bitDepth = desc->comp[0].depth;
    size_t size = 0;
    const uint8_t *data = av_stream_get_side_data(st, AV_PKT_DATA_MASTERING_DISPLAY_METADATA, &size);
    if (data && size >= sizeof c.mastering) {
        std::memcpy(&c.mastering, data, sizeof c.mastering);
        c.hasMastering = c.mastering.has_luminance || c.mastering.has_primaries;
    }
    data = av_stream_get_side_data(st, AV_PKT_DATA_CONTENT_LIGHT_LEVEL, &size);
    if (data && size >= sizeof c.light) {
        std::memcpy(&c.light, data, sizeof c.light);
        c.hasLight = true;
    }
    c.fieldOrder = par->field_order;
    // HEVC carries HDR metadata in its pictures' SEI, which the container
    // often leaves out (the stream's parameters were completed from a
    // decoded picture when the file was opened); the codecs that code
    // fields tell whether a picture is interlaced in the picture itself.
    const bool mayBeInterlaced
        = !c.interlaced()
        && (par->codec_id == AV_CODEC_ID_H264 || par->codec_id == AV_CODEC_ID_MPEG2VIDEO
            || par->codec_id == AV_CODEC_ID_VC1 || par->codec_id == AV_CODEC_ID_HEVC);
    if ((c.hdr() && !(c.hasMastering && c.hasLight)) || mayBeInterlaced) {
        FramePtr frame(av_frame_alloc());
        if (frame && decodeFirstPicture(ctx, stream, irq, frame.get()))
            takeFrame(c, frame.get());
    }
    return c;
}

bool encoderKeepsInterlace(const AVCodec *codec)
{
    return codec && av_match_name(codec->name, "libx264,mpeg2video");
}

void appendX265Colour(std::string &params, const VideoColour &c)
{
    const auto add = [&params](const std::string &option) {
        if (!params.empty())
            params += ':';
        params += option;
    };
    if (c.hasMastering && c.mastering.has_primaries && c.mastering.has_luminance) {
        // x265 takes the chromaticities in units of 0.00002, green, blue,
        // red, white, and the luminance in units of 0.0001 cd/m2.
        const auto &p = c.mastering.display_primaries; // red, green, blue
        char text[160];
        std::snprintf(text, sizeof text, "master-display=G(%d,%d)B(%d,%d)R(%d,%d)WP(%d,%d)L(%d,%d)",
                      scaled(p[1][0], 50000), scaled(p[1][1], 50000), scaled(p[2][0], 50000),
                      scaled(p[2][1], 50000), scaled(p[0][0], 50000), scaled(p[0][1], 50000),
                      scaled(c.mastering.white_point[0], 50000), scaled(c.mastering.white_point[1], 50000),
                      scaled(c.mastering.max_luminance, 10000), scaled(c.mastering.min_luminance, 10000));
        add(text);
    }
    if (c.hasLight)
        add("max-cll=" + std::to_string(c.light.MaxCLL) + "," + std::to_string(c.light.MaxFALL));
    if (c.transfer == AVCOL_TRC_SMPTE2084)
        add("hdr10=1");
}

bool attachHdrSideData(AVStream *st, const VideoColour &c)
{
    if (c.hasMastering) {
        uint8_t *data = av_stream_new_side_data(st, AV_PKT_DATA_MASTERING_DISPLAY_METADATA, sizeof c.mastering);
        if (!data)
            return false;
        std::memcpy(data, &c.mastering, sizeof c.mastering);
    }
    if (c.hasLight) {
        uint8_t *data = av_stream_new_side_data(st, AV_PKT_DATA_CONTENT_LIGHT_LEVEL, sizeof c.light);
        if (!data)
            return false;
        std::memcpy(data, &c.light, sizeof c.light);
    }
    return true;
}

} // namespace orl
