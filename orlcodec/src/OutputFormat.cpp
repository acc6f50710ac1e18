#include "OutputFormat.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/avstring.h>
#include <libavutil/opt.h>
}

#include <cstring>

namespace orl {

namespace {

// An output written under its temporary name (".name.ext.partial") is named
// by the extension it will have.
std::string finalName(const std::string &dst)
{
    static const std::string temporary = ".partial";
    const bool isTemporary = dst.size() > temporary.size()
        && dst.compare(dst.size() - temporary.size(), temporary.size(), temporary) == 0;
    return isTemporary ? dst.substr(0, dst.size() - temporary.size()) : dst;
}

} // namespace

const AVOutputFormat *findOutputFormat(const std::string &name, const std::string &dst)
{
    const AVOutputFormat *format = nullptr;
    if (!name.empty())
        format = av_guess_format(name.c_str(), nullptr, nullptr);
    if (!format && !dst.empty())
        format = av_guess_format(nullptr, finalName(dst).c_str(), nullptr);
    return format;
}

void setContainerOptions(AVFormatContext *ctx, const std::string &dst)
{
    if (!ctx || !ctx->oformat || !ctx->priv_data)
        return;
    // The transport-stream muxer picks 192-byte packets from the file name
    // alone, and the temporary name hides it; AVCHD's .mts is the same kind.
    if (std::strcmp(ctx->oformat->name, "mpegts") == 0 && av_match_ext(finalName(dst).c_str(), "m2ts,mts"))
        av_opt_set_int(ctx->priv_data, "mpegts_m2ts_mode", 1, 0);
}

bool isMovFamily(const AVOutputFormat *format)
{
    return av_match_name(format->name, "mp4,mov,ipod,3gp,3g2,psp,ismv,f4v") != 0;
}

bool hidesLeadIn(const AVOutputFormat *format)
{
    return (format->flags & AVFMT_TS_NEGATIVE) && isMovFamily(format);
}

int containerTakes(const AVOutputFormat *format, AVCodecID codec)
{
    const int r = avformat_query_codec(format, codec, FF_COMPLIANCE_NORMAL);
    if (r >= 0)
        return r > 0 ? 1 : 0;
    // Raw elementary formats (.ac3, .aac, .flac, ...) write whatever they
    // are given and cannot tell; they hold their own codec only.
    if (format->flags & AVFMT_NOTIMESTAMPS) {
        const AVMediaType type = avcodec_get_type(codec);
        const AVCodecID own = type == AVMEDIA_TYPE_AUDIO ? format->audio_codec
            : type == AVMEDIA_TYPE_VIDEO                 ? format->video_codec
                                                         : format->subtitle_codec;
        return codec == own ? 1 : 0;
    }
    return -1;
}

} // namespace orl
