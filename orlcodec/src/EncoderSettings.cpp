#include "EncoderSettings.h"

#include "CodecTable.h"
#include "FFmpegPtr.h"

extern "C" {
#include <libavutil/avstring.h>
#include <libavutil/opt.h>
#include <libavutil/pixdesc.h>
}

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

namespace orl {

namespace {

bool highQuality(int quality)
{
    return quality >= 90;
}

bool isNamed(const AVCodec *codec, const char *names)
{
    return av_match_name(codec->name, names) != 0;
}

// The pixel format the encoder is fed: 4:2:0 when it takes it (what players
// expect), else the closest it supports.
AVPixelFormat choosePixelFormat(const AVCodec *codec, AVPixelFormat source)
{
    if (!codec->pix_fmts)
        return AV_PIX_FMT_YUV420P;
    // Motion JPEG wants full-range pictures; its list starts with them.
    if (codec->id == AV_CODEC_ID_MJPEG)
        return codec->pix_fmts[0];
    for (const AVPixelFormat *f = codec->pix_fmts; *f != AV_PIX_FMT_NONE; ++f)
        if (*f == AV_PIX_FMT_YUV420P)
            return *f;
    return avcodec_find_best_pix_fmt_of_list(codec->pix_fmts, source, 0, nullptr);
}

AVSampleFormat chooseSampleFormat(const AVCodec *codec)
{
    if (!codec->sample_fmts)
        return AV_SAMPLE_FMT_FLTP;
    for (const AVSampleFormat *f = codec->sample_fmts; *f != AV_SAMPLE_FMT_NONE; ++f)
        if (*f == AV_SAMPLE_FMT_FLTP || *f == AV_SAMPLE_FMT_S16)
            return *f;
    return codec->sample_fmts[0];
}

int chooseSampleRate(const AVCodec *codec, int wanted)
{
    if (!codec->supported_samplerates)
        return wanted;
    int best = codec->supported_samplerates[0];
    for (const int *r = codec->supported_samplerates; *r; ++r) {
        if (*r == wanted)
            return wanted;
        if (std::abs(*r - wanted) < std::abs(best - wanted))
            best = *r;
    }
    return best;
}

void chooseLayout(const AVCodec *codec, int channels, AVChannelLayout *out)
{
    av_channel_layout_default(out, channels);
    if (!codec->ch_layouts)
        return;
    const AVChannelLayout *best = nullptr;
    for (const AVChannelLayout *l = codec->ch_layouts; l->nb_channels; ++l) {
        if (l->nb_channels == channels) {
            best = l;
            break;
        }
        if (!best || std::abs(l->nb_channels - channels) < std::abs(best->nb_channels - channels))
            best = l;
    }
    if (best) {
        av_channel_layout_uninit(out);
        av_channel_layout_copy(out, best);
    }
}

void setQScale(AVCodecContext *ctx, int q)
{
    ctx->flags |= AV_CODEC_FLAG_QSCALE;
    ctx->global_quality = FF_QP2LAMBDA * q;
}

std::string openError(const AVCodec *codec, int r)
{
    return std::string("cannot open the ") + codec->name + " encoder: " + ffmpegError(r);
}

} // namespace

const AVCodec *findEncoder(int legacyId, AVMediaType type, const AVOutputFormat *format, std::string &error)
{
    const char *kind = type == AVMEDIA_TYPE_VIDEO ? "video" : "audio";
    if (legacyId == 0) {
        const AVCodecID id = av_guess_codec(format, nullptr, nullptr, nullptr, type);
        const AVCodec *codec = id == AV_CODEC_ID_NONE ? nullptr : avcodec_find_encoder(id);
        if (!codec)
            error = std::string("the container ") + format->name + " has no default " + kind + " codec";
        return codec;
    }
    const LegacyCodec *row = findLegacyCodec(legacyId);
    if (!row) {
        error = std::string("unknown ") + kind + " codec identifier " + std::to_string(legacyId);
        return nullptr;
    }
    const AVCodec *codec = row->encoderName ? avcodec_find_encoder_by_name(row->encoderName) : nullptr;
    // Xvid is MPEG-4 part 2: the built-in encoder writes the same stream.
    if (!codec && row->encoderName && row->codecId == AV_CODEC_ID_MPEG4)
        codec = avcodec_find_encoder(AV_CODEC_ID_MPEG4);
    if (!codec) {
        error = std::string("no encoder for the ") + kind + " codec " + avcodec_get_name(row->codecId)
            + " in this build";
        return nullptr;
    }
    if (codec->type != type) {
        error = std::string("codec identifier ") + std::to_string(legacyId) + " is not a " + kind + " codec";
        return nullptr;
    }
    if (avformat_query_codec(format, codec->id, FF_COMPLIANCE_NORMAL) == 0) {
        error = std::string("the container ") + format->name + " cannot store " + avcodec_get_name(codec->id);
        return nullptr;
    }
    return codec;
}

AVRational outputFrameRate(const ParamValues &v, AVRational source, const AVCodec *codec)
{
    AVRational rate{25, 1};
    if (v.frameRateNum > 0 && v.frameRateDen > 0)
        rate = AVRational{v.frameRateNum, v.frameRateDen};
    else if (source.num > 0 && source.den > 0 && av_q2d(source) <= 240)
        rate = source;
    av_reduce(&rate.num, &rate.den, rate.num, rate.den, 1000000);
    if (codec && codec->supported_framerates)
        rate = codec->supported_framerates[av_find_nearest_q_idx(rate, codec->supported_framerates)];
    return rate;
}

bool keepsOwnTiming(const ParamValues &v, AVRational streamRate, AVRational averageRate, const AVCodec *codec,
                    const AVOutputFormat *format)
{
    if ((v.frameRateNum > 0 && v.frameRateDen > 0) || !codec || !format)
        return false;
    if (streamRate.num <= 0 || streamRate.den <= 0 || averageRate.num <= 0 || averageRate.den <= 0)
        return false;
    const double stream = av_q2d(streamRate), average = av_q2d(averageRate);
    if (std::abs(stream - average) <= 0.01 * stream)
        return false;
    return av_match_name(format->name, "mp4,mov,matroska,webm,ipod") != 0
        && isNamed(codec, "libx264,libx265,libvpx,libvpx-vp9,libaom-av1,libsvtav1,librav1e");
}

bool openVideoEncoder(AVCodecContext *ctx, const AVCodec *codec, const ParamValues &v,
                      const VideoEncoderInput &in, const AVOutputFormat *format, std::string &error)
{
    ctx->width = in.width;
    ctx->height = in.height;
    ctx->sample_aspect_ratio = in.sar.num > 0 && in.sar.den > 0 ? in.sar : AVRational{1, 1};
    ctx->pix_fmt = in.hdr == HdrHandling::Keep ? AV_PIX_FMT_YUV420P10LE : choosePixelFormat(codec, in.sourceFormat);
    if (in.hdr == HdrHandling::Keep) {
        ctx->color_primaries = in.colour.primaries;
        ctx->color_trc = in.colour.transfer;
        ctx->colorspace = in.colour.matrix;
        ctx->color_range = in.colour.range == AVCOL_RANGE_UNSPECIFIED ? AVCOL_RANGE_MPEG : in.colour.range;
    } else if (in.hdr == HdrHandling::ToSdr) {
        ctx->color_primaries = AVCOL_PRI_BT709;
        ctx->color_trc = AVCOL_TRC_BT709;
        ctx->colorspace = AVCOL_SPC_BT709;
        ctx->color_range = AVCOL_RANGE_MPEG;
    }
    // The pictures reach the encoder with the source's chroma siting
    // (tone mapping alone rebuilds the chroma, with its own): the encoder
    // is told it, or players place the colours half a pixel off.
    if (in.hdr != HdrHandling::ToSdr)
        ctx->chroma_sample_location = in.colour.chromaLocation;
    ctx->framerate = in.frameRate;
    // 1/90000 places the pictures of every common rate exactly.
    ctx->time_base = in.ownTiming ? AVRational{1, 90000} : av_inv_q(in.frameRate);
    ctx->thread_count = 0; // every core
    if (in.interlaced) {
        ctx->flags |= AV_CODEC_FLAG_INTERLACED_DCT | AV_CODEC_FLAG_INTERLACED_ME;
        ctx->field_order = in.colour.fieldOrder;
    }
    if (format->flags & AVFMT_GLOBALHEADER)
        ctx->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;

    const bool high = highQuality(v.videoQuality);
    AVDictionary *opts = nullptr;
    if (v.videoBitrate > 0) {
        ctx->bit_rate = v.videoBitrate;
        if (isNamed(codec, "mpeg1video,mpeg2video")) {
            // These need a buffer large enough for their peaks.
            ctx->rc_max_rate = v.videoBitrate * 2;
            ctx->rc_buffer_size = static_cast<int>(std::min<int64_t>(v.videoBitrate * 2, INT32_MAX));
        }
    } else if (isNamed(codec, "libx264")) {
        av_dict_set(&opts, "crf", high ? "20" : "26", 0);
    } else if (isNamed(codec, "libx265")) {
        av_dict_set(&opts, "crf", high ? "22" : "30", 0);
    } else if (isNamed(codec, "libvpx,libvpx-vp9")) {
        av_dict_set(&opts, "crf", high ? "20" : "32", 0);
        // VP8 treats the bit rate as a ceiling in constant-quality mode.
        ctx->bit_rate = isNamed(codec, "libvpx") ? int64_t(in.width) * in.height * 12 : 0;
    } else if (!isNamed(codec, "dvvideo,rawvideo")) {
        setQScale(ctx, high ? 3 : 6);
    }
    if (isNamed(codec, "libx264")) {
        // Baseline has no field coding: interlaced pictures take Main.
        if (v.profileMode == 2 && v.profile == 66)
            av_dict_set(&opts, "profile", in.interlaced ? "main" : "baseline", 0);
        else if (v.profileMode == 2 && v.profile == 77)
            av_dict_set(&opts, "profile", "main", 0);
        else if (v.profileMode == 2 && v.profile == 100)
            av_dict_set(&opts, "profile", "high", 0);
    } else if (isNamed(codec, "libx265")) {
        // Main is the profile of 8-bit pictures; kept HDR needs its 10-bit sibling.
        if (v.profileMode == 2 && v.profile == 1)
            av_dict_set(&opts, "profile", in.hdr == HdrHandling::Keep ? "main10" : "main", 0);
        std::string params = "log-level=error";
        if (in.hdr == HdrHandling::Keep)
            appendX265Colour(params, in.colour);
        av_dict_set(&opts, "x265-params", params.c_str(), 0);
    } else if (isNamed(codec, "libvpx,libvpx-vp9")) {
        av_dict_set(&opts, "deadline", "good", 0);
        av_dict_set(&opts, "cpu-used", "4", 0);
        av_dict_set(&opts, "row-mt", "1", 0);
    } else if (isNamed(codec, "mpeg4,libxvid,msmpeg4,wmv1,wmv2,flv,h263,mpeg1video,mpeg2video")) {
        ctx->gop_size = 12 * std::max(1, static_cast<int>(av_q2d(in.frameRate) / 12 + 0.5));
    }
    for (const auto &option : v.options)
        if (!option.first.empty() && option.first.rfind("audio_", 0) != 0 && option.first.rfind("subtitle_", 0) != 0)
            av_dict_set(&opts, option.first.c_str(), option.second.c_str(), 0);
    const int r = avcodec_open2(ctx, codec, &opts);
    av_dict_free(&opts);
    if (r < 0) {
        error = openError(codec, r);
        if (isNamed(codec, "h263,dvvideo"))
            error += " (this codec allows only a few picture sizes)";
        return false;
    }
    return true;
}

bool openAudioEncoder(AVCodecContext *ctx, const AVCodec *codec, const ParamValues &v, int sourceRate,
                      int sourceChannels, const AVOutputFormat *format, std::string &error)
{
    const int wantedRate = v.sampleRate > 0 ? v.sampleRate : (sourceRate > 0 ? sourceRate : 44100);
    const int wantedChannels = v.channels > 0 ? v.channels : (sourceChannels > 0 ? sourceChannels : 2);
    ctx->sample_rate = chooseSampleRate(codec, wantedRate);
    chooseLayout(codec, std::min(wantedChannels, 8), &ctx->ch_layout);
    ctx->sample_fmt = chooseSampleFormat(codec);
    ctx->time_base = AVRational{1, ctx->sample_rate};
    ctx->thread_count = 0;
    if (format->flags & AVFMT_GLOBALHEADER)
        ctx->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    const bool lossless
        = isNamed(codec, "flac,alac") || (codec->id >= AV_CODEC_ID_PCM_S16LE && codec->id < AV_CODEC_ID_ADPCM_IMA_QT);
    const bool fixedRate = isNamed(codec, "adpcm_ima_qt,adpcm_swf");
    if (!lossless && !fixedRate) {
        int64_t bps = v.audioBitrate > 0 ? v.audioBitrate : (highQuality(v.audioQuality) ? 192000 : 128000);
        // Encoders refuse more than a few bits per sample.
        const int64_t ceiling = int64_t(ctx->sample_rate) * ctx->ch_layout.nb_channels * 6;
        ctx->bit_rate = std::min(bps, ceiling);
    }
    const int r = avcodec_open2(ctx, codec, nullptr);
    if (r < 0) {
        error = openError(codec, r);
        return false;
    }
    return true;
}

} // namespace orl
