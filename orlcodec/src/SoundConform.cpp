#include "SoundConform.h"

#include "FFmpegPtr.h"

extern "C" {
#include <libavutil/audio_fifo.h>
#include <libavutil/channel_layout.h>
#include <libswresample/swresample.h>
}

#include <cstdio>

namespace orl {

namespace {

constexpr AVRational kMicros{1, 1000000};

bool sameSound(const JoinedStream &a, const JoinedStream &b)
{
    return a.codec == b.codec && a.sampleRate == b.sampleRate && a.channels == b.channels
        && (!a.channelMask || !b.channelMask || a.channelMask == b.channelMask)
        && (a.profile == b.profile || a.profile == -99 || b.profile == -99);
}

std::vector<JoinedStream> withoutSound(const std::vector<JoinedStream> &streams)
{
    std::vector<JoinedStream> out;
    for (const JoinedStream &s : streams)
        if (s.type != AVMEDIA_TYPE_AUDIO)
            out.push_back(s);
    return out;
}

size_t soundCount(const std::vector<JoinedStream> &streams)
{
    size_t n = 0;
    for (const JoinedStream &s : streams)
        n += s.type == AVMEDIA_TYPE_AUDIO ? 1 : 0;
    return n;
}

// One sound stream on its way from the source's codec to the join's.
struct Encoding {
    CodecContextPtr dec, enc;
    SwrContextPtr swr;
    AudioFifoPtr fifo;
    FramePtr frame, chunk;
    int64_t next = AV_NOPTS_VALUE;  // the next chunk's time (encoder's time base)
    int64_t start = AV_NOPTS_VALUE; // the first sound's time: packets before it are the encoder's priming
    AVStream *out = nullptr;
};

class Conform {
public:
    Conform(const std::atomic<bool> &abort, std::string &error)
        : m_abort(abort)
        , m_error(error)
    {
    }

    bool run(const std::string &src, const std::string &dst, const AVOutputFormat *format,
             const std::vector<JoinedStream> &target)
    {
        AVFormatContext *raw = nullptr;
        if (int r = avformat_open_input(&raw, src.c_str(), nullptr, nullptr); r < 0)
            return fail("the range cannot be read again: " + ffmpegError(r));
        m_in.reset(raw);
        if (avformat_find_stream_info(raw, nullptr) < 0)
            return fail("the range's streams cannot be read");
        AVFormatContext *oc = nullptr;
        if (avformat_alloc_output_context2(&oc, format, nullptr, dst.c_str()) < 0 || !oc)
            return fail("no container for " + dst);
        m_out.reset(oc);
        m_map.assign(raw->nb_streams, -1);
        m_encodings.resize(raw->nb_streams);
        size_t sound = 0;
        std::vector<const JoinedStream *> targets;
        for (const JoinedStream &t : target)
            if (t.type == AVMEDIA_TYPE_AUDIO)
                targets.push_back(&t);
        for (unsigned i = 0; i < raw->nb_streams; ++i) {
            AVStream *ist = raw->streams[i];
            const AVMediaType type = ist->codecpar->codec_type;
            if (type != AVMEDIA_TYPE_VIDEO && type != AVMEDIA_TYPE_AUDIO && type != AVMEDIA_TYPE_SUBTITLE)
                continue;
            AVStream *ost = avformat_new_stream(oc, nullptr);
            if (!ost)
                return fail("out of memory");
            m_map[i] = ost->index;
            av_dict_copy(&ost->metadata, ist->metadata, 0);
            ost->disposition = ist->disposition;
            if (type == AVMEDIA_TYPE_AUDIO && sound < targets.size()
                && !sameSound(*targets[sound], joinedStreamOf(ist))) {
                if (!openEncoding(ist, ost, *targets[sound], m_encodings[i]))
                    return false;
            } else {
                if (avcodec_parameters_copy(ost->codecpar, ist->codecpar) < 0)
                    return fail("out of memory");
                ost->codecpar->codec_tag = 0;
                ost->time_base = ist->time_base;
            }
            sound += type == AVMEDIA_TYPE_AUDIO ? 1 : 0;
        }
        if (!(oc->oformat->flags & AVFMT_NOFILE)) {
            if (int r = avio_open(&oc->pb, dst.c_str(), AVIO_FLAG_WRITE); r < 0)
                return fail("the range's sound cannot be written: " + ffmpegError(r));
        }
        if (int r = avformat_write_header(oc, nullptr); r < 0)
            return fail("the range's sound cannot be written: " + ffmpegError(r));
        PacketPtr pkt = makePacket();
        for (;;) {
            if (m_abort.load())
                return fail("stopped");
            const int r = av_read_frame(raw, pkt.get());
            if (r == AVERROR_EOF)
                break;
            if (r < 0)
                return fail("the range cannot be read again: " + ffmpegError(r));
            const int i = pkt->stream_index;
            bool ok = true;
            if (i >= 0 && i < int(m_map.size()) && m_map[i] >= 0) {
                if (m_encodings[i].enc)
                    ok = encode(raw->streams[i], m_encodings[i], pkt.get());
                else
                    ok = copy(raw->streams[i], pkt.get());
            }
            av_packet_unref(pkt.get());
            if (!ok)
                return false;
        }
        for (unsigned i = 0; i < m_encodings.size(); ++i)
            if (m_encodings[i].enc && !encode(raw->streams[i], m_encodings[i], nullptr))
                return false;
        if (int r = av_write_trailer(oc); r < 0)
            return fail("the range's sound cannot be written: " + ffmpegError(r));
        return true;
    }

private:
    bool fail(const std::string &text)
    {
        if (m_error.empty())
            m_error = text;
        return false;
    }

    bool openEncoding(AVStream *ist, AVStream *ost, const JoinedStream &t, Encoding &e)
    {
        const AVCodec *decoder = avcodec_find_decoder(ist->codecpar->codec_id);
        const AVCodec *encoder = avcodec_find_encoder(t.codec);
        if (!decoder || !encoder)
            return fail(std::string("no encoder for the join's sound (") + avcodec_get_name(t.codec) + ")");
        e.dec.reset(avcodec_alloc_context3(decoder));
        e.enc.reset(avcodec_alloc_context3(encoder));
        if (!e.dec || !e.enc || avcodec_parameters_to_context(e.dec.get(), ist->codecpar) < 0)
            return fail("out of memory");
        e.dec->pkt_timebase = ist->time_base;
        if (avcodec_open2(e.dec.get(), decoder, nullptr) < 0)
            return fail("the range's sound cannot be decoded");
        AVCodecContext *c = e.enc.get();
        c->sample_rate = t.sampleRate;
        if (t.channelMask)
            av_channel_layout_from_mask(&c->ch_layout, t.channelMask);
        else
            av_channel_layout_default(&c->ch_layout, t.channels);
        c->sample_fmt = encoder->sample_fmts ? encoder->sample_fmts[0] : AV_SAMPLE_FMT_FLTP;
        c->bit_rate = t.bitRate > 0 ? t.bitRate : 128000;
        if (t.profile != -99)
            c->profile = t.profile;
        c->time_base = AVRational{1, t.sampleRate};
        if (m_out->oformat->flags & AVFMT_GLOBALHEADER)
            c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        if (int r = avcodec_open2(c, encoder, nullptr); r < 0)
            return fail("the join's sound cannot be encoded: " + ffmpegError(r));
        if (avcodec_parameters_from_context(ost->codecpar, c) < 0)
            return fail("out of memory");
        ost->time_base = c->time_base;
        SwrContext *swr = nullptr;
        if (swr_alloc_set_opts2(&swr, &c->ch_layout, c->sample_fmt, c->sample_rate, &e.dec->ch_layout,
                                e.dec->sample_fmt, e.dec->sample_rate, 0, nullptr)
                < 0
            || swr_init(swr) < 0) {
            swr_free(&swr);
            return fail("the range's sound cannot be resampled");
        }
        e.swr.reset(swr);
        e.fifo.reset(av_audio_fifo_alloc(c->sample_fmt, c->ch_layout.nb_channels, 4096));
        e.frame.reset(av_frame_alloc());
        e.chunk.reset(av_frame_alloc());
        if (!e.fifo || !e.frame || !e.chunk)
            return fail("out of memory");
        e.out = ost;
        return true;
    }

    bool copy(AVStream *ist, AVPacket *pkt)
    {
        AVStream *ost = m_out->streams[m_map[ist->index]];
        av_packet_rescale_ts(pkt, ist->time_base, ost->time_base);
        pkt->stream_index = ost->index;
        pkt->pos = -1;
        if (int r = av_interleaved_write_frame(m_out.get(), pkt); r < 0)
            return fail("the range's sound cannot be written: " + ffmpegError(r));
        return true;
    }

    // Decodes pkt (nullptr: the end), resamples, and encodes in the
    // encoder's frame size.
    bool encode(AVStream *ist, Encoding &e, AVPacket *pkt)
    {
        AVCodecContext *c = e.enc.get();
        if (avcodec_send_packet(e.dec.get(), pkt) < 0 && pkt)
            return true; // a damaged packet: its sound is left out, as a player would
        for (;;) {
            const int r = avcodec_receive_frame(e.dec.get(), e.frame.get());
            if (r == AVERROR(EAGAIN) || r == AVERROR_EOF)
                break;
            if (r < 0)
                return true;
            if (e.next == AV_NOPTS_VALUE) {
                const int64_t t = e.frame->best_effort_timestamp;
                e.next = t == AV_NOPTS_VALUE ? 0 : av_rescale_q(t, ist->time_base, c->time_base);
                e.start = e.next;
            }
            if (!push(e, e.frame.get()))
                return false;
            av_frame_unref(e.frame.get());
        }
        if (!pkt && e.next != AV_NOPTS_VALUE && !push(e, nullptr))
            return false;
        return drain(e, pkt == nullptr);
    }

    // Resampled sound into the queue (frame nullptr: what the resampler holds).
    bool push(Encoding &e, const AVFrame *frame)
    {
        AVCodecContext *c = e.enc.get();
        const int room = swr_get_out_samples(e.swr.get(), frame ? frame->nb_samples : 0);
        if (room <= 0)
            return true;
        uint8_t **buffer = nullptr;
        if (av_samples_alloc_array_and_samples(&buffer, nullptr, c->ch_layout.nb_channels, room, c->sample_fmt, 0) < 0)
            return fail("out of memory");
        const int got = swr_convert(e.swr.get(), buffer, room, frame ? const_cast<const uint8_t **>(frame->extended_data) : nullptr,
                                    frame ? frame->nb_samples : 0);
        const bool ok = got < 0 || av_audio_fifo_write(e.fifo.get(), reinterpret_cast<void **>(buffer), got) >= got;
        av_freep(&buffer[0]);
        av_freep(&buffer);
        return ok ? true : fail("out of memory");
    }

    // Encodes whole frames from the queue; at the end the rest too.
    bool drain(Encoding &e, bool end)
    {
        AVCodecContext *c = e.enc.get();
        const int size = c->frame_size > 0 ? c->frame_size : 1024;
        while (av_audio_fifo_size(e.fifo.get()) >= size || (end && av_audio_fifo_size(e.fifo.get()) > 0)) {
            const int n = std::min(size, av_audio_fifo_size(e.fifo.get()));
            AVFrame *f = e.chunk.get();
            av_frame_unref(f);
            f->nb_samples = n;
            f->format = c->sample_fmt;
            f->sample_rate = c->sample_rate;
            if (av_channel_layout_copy(&f->ch_layout, &c->ch_layout) < 0 || av_frame_get_buffer(f, 0) < 0)
                return fail("out of memory");
            if (av_audio_fifo_read(e.fifo.get(), reinterpret_cast<void **>(f->data), n) < n)
                return fail("out of memory");
            f->pts = e.next;
            e.next += n;
            if (!send(e, f))
                return false;
        }
        return !end || send(e, nullptr);
    }

    bool send(Encoding &e, AVFrame *f)
    {
        if (int r = avcodec_send_frame(e.enc.get(), f); r < 0 && r != AVERROR_EOF)
            return fail("the join's sound cannot be encoded: " + ffmpegError(r));
        PacketPtr out = makePacket();
        for (;;) {
            const int r = avcodec_receive_packet(e.enc.get(), out.get());
            if (r == AVERROR(EAGAIN) || r == AVERROR_EOF)
                return true;
            if (r < 0)
                return fail("the join's sound cannot be encoded: " + ffmpegError(r));
            // The encoder's priming comes before the first sound: left out,
            // so that the range's sound starts with it.
            if (out->pts != AV_NOPTS_VALUE && out->pts < e.start) {
                av_packet_unref(out.get());
                continue;
            }
            av_packet_rescale_ts(out.get(), e.enc->time_base, e.out->time_base);
            out->stream_index = e.out->index;
            if (int w = av_interleaved_write_frame(m_out.get(), out.get()); w < 0)
                return fail("the range's sound cannot be written: " + ffmpegError(w));
        }
    }

    const std::atomic<bool> &m_abort;
    std::string &m_error;
    InputContextPtr m_in;
    OutputContextPtr m_out;
    std::vector<int> m_map;
    std::vector<Encoding> m_encodings;
};

} // namespace

bool conformSound(const std::string &src, const std::string &dst, const AVOutputFormat *format,
                  const std::vector<JoinedStream> &target, const std::atomic<bool> &abort, std::string &error)
{
    error.clear();
    bool ok = false;
    {
        Conform conform(abort, error);
        ok = conform.run(src, dst, format, target);
    }
    if (!ok)
        std::remove(dst.c_str());
    return ok;
}

bool onlySoundDiffers(const std::vector<JoinedStream> &first, const std::vector<JoinedStream> &later)
{
    if (soundCount(first) != soundCount(later) || soundCount(first) == 0)
        return false;
    if (!joinDifferences(withoutSound(first), withoutSound(later), "").empty())
        return false;
    return !joinDifferences(first, later, "").empty();
}

} // namespace orl
