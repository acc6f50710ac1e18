#include "BackgroundReader.h"

#include "Engine.h"
#include "MediaSource.h"

extern "C" {
#include <libavfilter/buffersrc.h>
#include <libavutil/channel_layout.h>
}

namespace orl {

// Opens a decoder for stream st with every core.
bool openDecoder(const AVStream *st, CodecContextPtr &out, std::string &error)
{
    const AVCodec *decoder = avcodec_find_decoder(st->codecpar->codec_id);
    if (!decoder) {
        error = std::string("no decoder for ") + avcodec_get_name(st->codecpar->codec_id);
        return false;
    }
    CodecContextPtr ctx(avcodec_alloc_context3(decoder));
    if (!ctx || avcodec_parameters_to_context(ctx.get(), st->codecpar) < 0) {
        error = "out of memory";
        return false;
    }
    ctx->pkt_timebase = st->time_base;
    ctx->thread_count = 0;
    const int r = avcodec_open2(ctx.get(), decoder, nullptr);
    if (r < 0) {
        error = std::string("cannot open the ") + decoder->name + " decoder: " + ffmpegError(r);
        return false;
    }
    out = std::move(ctx);
    return true;
}

bool openInput(const std::string &path, InterruptFlags *irq, OpenedSource &out, std::string &error)
{
    if (!openSource(path, AVIOInterruptCB{&interruptFlagsCallback, irq}, out, error)) {
        error = path + ": " + error;
        return false;
    }
    if (out.streamInfoResult < 0) {
        error = "cannot read the streams of " + path + ": " + ffmpegError(out.streamInfoResult);
        return false;
    }
    return true;
}


BackgroundReader::BackgroundReader(const std::atomic<bool> *abort, InterruptCheck global)
{
    m_irq.abort = abort;
    m_irq.global = std::move(global);
}

bool BackgroundReader::open(const std::string &path, bool repeat, std::string &error)
{
    m_repeat = repeat;
    if (!openInput(path, &m_irq, m_source, error))
        return false;
    m_index = av_find_best_stream(m_source.ctx.get(), AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    if (m_index < 0) {
        error = "the background file " + path + " has no sound";
        return false;
    }
    if (!openDecoder(m_source.ctx->streams[m_index], m_dec, error))
        return false;
    m_packet = makePacket();
    return m_packet != nullptr;
}

AudioSourceDesc BackgroundReader::desc() const
{
    AudioSourceDesc d;
    d.sampleRate = m_dec->sample_rate;
    d.format = m_dec->sample_fmt;
    av_channel_layout_copy(&d.layout, &m_dec->ch_layout);
    if (d.layout.order == AV_CHANNEL_ORDER_UNSPEC)
        av_channel_layout_default(&d.layout, d.layout.nb_channels);
    return d;
}

bool BackgroundReader::decodeNext(AVFrame *frame)
{
    for (int attempts = 0; attempts < 4096; ++attempts) {
        int r = avcodec_receive_frame(m_dec.get(), frame);
        if (r >= 0) {
            m_gotFrame = true;
            return true;
        }
        if (r == AVERROR_EOF) {
            if (m_repeat && m_gotFrame && av_seek_frame(m_source.ctx.get(), -1, 0, AVSEEK_FLAG_BACKWARD) >= 0) {
                avcodec_flush_buffers(m_dec.get());
                m_draining = false;
                continue;
            }
            return false;
        }
        if (m_draining)
            return false;
        r = av_read_frame(m_source.ctx.get(), m_packet.get());
        if (r < 0) {
            avcodec_send_packet(m_dec.get(), nullptr);
            m_draining = true;
            continue;
        }
        if (m_packet->stream_index == m_index)
            avcodec_send_packet(m_dec.get(), m_packet.get());
        av_packet_unref(m_packet.get());
    }
    return false;
}

bool BackgroundReader::startAt(int64_t offset_us)
{
    if (offset_us <= 0)
        return true;
    AVFormatContext *ctx = m_source.ctx.get();
    const int64_t length = ctx->duration > 0 ? ctx->duration : 0;
    if (length > 0 && m_repeat)
        offset_us %= length;
    else if (length > 0 && offset_us >= length) {
        m_ended = true;
        return false;
    }
    // Seek near, then decode up to the exact sample.
    const AVStream *st = ctx->streams[m_index];
    const int64_t origin = st->start_time != AV_NOPTS_VALUE ? av_rescale_q(st->start_time, st->time_base, AVRational{1, 1000000}) : 0;
    if (av_seek_frame(ctx, -1, origin + offset_us, AVSEEK_FLAG_BACKWARD) >= 0)
        avcodec_flush_buffers(m_dec.get());
    const int64_t target = av_rescale_q(origin + offset_us, AVRational{1, 1000000}, st->time_base);
    FramePtr frame(av_frame_alloc());
    while (frame && decodeNext(frame.get())) {
        const int64_t ts = frame->best_effort_timestamp != AV_NOPTS_VALUE ? frame->best_effort_timestamp : frame->pts;
        if (ts == AV_NOPTS_VALUE)
            return true; // no times to skip by: start where the seek landed
        const int64_t end = ts + av_rescale_q(frame->nb_samples, AVRational{1, m_dec->sample_rate}, st->time_base);
        if (end > target)
            return true; // what the frame held after the target (under one frame) is skipped too
        av_frame_unref(frame.get());
    }
    m_ended = true;
    return false;
}

void BackgroundReader::feed(AVFilterContext *src)
{
    if (m_ended)
        return;
    FramePtr frame(av_frame_alloc());
    if (!frame || !decodeNext(frame.get())) {
        close(src);
        return;
    }
    frame->pts = m_samples;
    m_samples += frame->nb_samples;
    if (av_buffersrc_add_frame(src, frame.get()) < 0)
        close(src);
}

void BackgroundReader::close(AVFilterContext *src)
{
    // A graph that already ended its mix refuses the end mark; nothing lost.
    if (!m_ended && av_buffersrc_add_frame(src, nullptr) < 0)
        logLine(AV_LOG_DEBUG, "background input already closed");
    m_ended = true;
}

} // namespace orl
