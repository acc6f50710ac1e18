#include "SubtitleTranscoder.h"

#include "MediaTime.h"

extern "C" {
#include <libavutil/mem.h>
}

#include <cstring>

namespace orl {

bool SubtitleTranscoder::open(const AVCodecParameters *in, AVCodecID target, std::string &error)
{
    const AVCodec *decoder = avcodec_find_decoder(in->codec_id);
    const AVCodec *encoder = avcodec_find_encoder(target);
    if (!decoder || !encoder) {
        error = "no subtitle converter for this stream";
        return false;
    }
    if (avcodec_descriptor_get(in->codec_id)
        && !(avcodec_descriptor_get(in->codec_id)->props & AV_CODEC_PROP_TEXT_SUB)) {
        error = "picture subtitles cannot be stored as text";
        return false;
    }
    m_dec.reset(avcodec_alloc_context3(decoder));
    m_enc.reset(avcodec_alloc_context3(encoder));
    if (!m_dec || !m_enc || avcodec_parameters_to_context(m_dec.get(), in) < 0) {
        error = "out of memory";
        return false;
    }
    m_dec->pkt_timebase = kMicros;
    if (avcodec_open2(m_dec.get(), decoder, nullptr) < 0) {
        error = "cannot open the subtitle decoder";
        return false;
    }
    m_enc->time_base = kMicros;
    if (m_dec->subtitle_header && m_dec->subtitle_header_size > 0) {
        m_enc->subtitle_header = static_cast<uint8_t *>(av_mallocz(m_dec->subtitle_header_size + 1));
        if (!m_enc->subtitle_header) {
            error = "out of memory";
            return false;
        }
        memcpy(m_enc->subtitle_header, m_dec->subtitle_header, m_dec->subtitle_header_size);
        m_enc->subtitle_header_size = m_dec->subtitle_header_size;
    }
    if (avcodec_open2(m_enc.get(), encoder, nullptr) < 0) {
        error = "cannot open the subtitle encoder";
        return false;
    }
    return true;
}

bool SubtitleTranscoder::describe(AVCodecParameters *out) const
{
    return avcodec_parameters_from_context(out, m_enc.get()) >= 0;
}

int SubtitleTranscoder::convert(AVPacket *pkt)
{
    AVSubtitle sub;
    memset(&sub, 0, sizeof sub);
    int got = 0;
    if (avcodec_decode_subtitle2(m_dec.get(), &sub, &got, pkt) < 0)
        return -1;
    if (!got)
        return 0;
    if (sub.num_rects == 0) {
        avsubtitle_free(&sub);
        return 0;
    }
    sub.start_display_time = 0;
    const int size = avcodec_encode_subtitle(m_enc.get(), m_buffer, sizeof m_buffer, &sub);
    avsubtitle_free(&sub);
    if (size <= 0)
        return -1;
    const int64_t pts = pkt->pts;
    const int64_t dts = pkt->dts;
    const int64_t duration = pkt->duration;
    av_packet_unref(pkt);
    if (av_new_packet(pkt, size) < 0)
        return -1;
    memcpy(pkt->data, m_buffer, size);
    pkt->pts = pts;
    pkt->dts = dts;
    pkt->duration = duration;
    pkt->flags |= AV_PKT_FLAG_KEY;
    return 1;
}

} // namespace orl
