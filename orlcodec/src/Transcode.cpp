#include "Transcode.h"

#include "EncoderSettings.h"
#include "Engine.h"
#include "MediaSource.h"
#include "TranscodeFilters.h"

extern "C" {
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
#include <libavutil/audio_fifo.h>
#include <libavutil/channel_layout.h>
}

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace orl {

namespace {

constexpr AVRational kMicros{1, 1000000};
constexpr int64_t kBackgroundLead_us = 1000000; // background decoded ahead of the main sound

struct InterruptState {
    const std::atomic<bool> *abort = nullptr;
    InterruptCheck global;
    bool check() const { return (abort && abort->load()) || (global && global()); }
};

int interruptCallback(void *opaque)
{
    return static_cast<const InterruptState *>(opaque)->check() ? 1 : 0;
}

const AVOutputFormat *findOutputFormat(const std::string &name, const std::string &dst)
{
    const AVOutputFormat *format = nullptr;
    if (!name.empty())
        format = av_guess_format(name.c_str(), nullptr, nullptr);
    if (!format && !dst.empty())
        format = av_guess_format(nullptr, dst.c_str(), nullptr);
    return format;
}

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

bool openInput(const std::string &path, InterruptState *irq, InputContextPtr &out, std::string &error)
{
    AVFormatContext *ctx = avformat_alloc_context();
    if (!ctx) {
        error = "out of memory";
        return false;
    }
    ctx->interrupt_callback.callback = interruptCallback;
    ctx->interrupt_callback.opaque = irq;
    int r = avformat_open_input(&ctx, path.c_str(), nullptr, nullptr);
    if (r < 0) {
        error = "cannot open " + path + ": " + ffmpegError(r);
        return false;
    }
    out.reset(ctx);
    r = avformat_find_stream_info(ctx, nullptr);
    if (r < 0) {
        error = "cannot read the streams of " + path + ": " + ffmpegError(r);
        return false;
    }
    return true;
}

// The background sound: decoded from its own file, started again from the
// beginning when it ends and repeat is on.
class BackgroundReader {
public:
    BackgroundReader(const std::atomic<bool> *abort, InterruptCheck global)
    {
        m_irq.abort = abort;
        m_irq.global = std::move(global);
    }

    bool open(const std::string &path, bool repeat, std::string &error)
    {
        m_repeat = repeat;
        if (!openInput(path, &m_irq, m_in, error))
            return false;
        m_index = av_find_best_stream(m_in.get(), AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
        if (m_index < 0) {
            error = "the background file " + path + " has no sound";
            return false;
        }
        if (!openDecoder(m_in->streams[m_index], m_dec, error))
            return false;
        m_packet = makePacket();
        return m_packet != nullptr;
    }

    AudioSourceDesc desc() const
    {
        AudioSourceDesc d;
        d.sampleRate = m_dec->sample_rate;
        d.format = m_dec->sample_fmt;
        av_channel_layout_copy(&d.layout, &m_dec->ch_layout);
        if (d.layout.order == AV_CHANNEL_ORDER_UNSPEC)
            av_channel_layout_default(&d.layout, d.layout.nb_channels);
        return d;
    }

    int64_t fed_us() const { return m_dec->sample_rate > 0 ? m_samples * 1000000 / m_dec->sample_rate : 0; }
    bool ended() const { return m_ended; }

    // Pushes one more decoded frame into src; at the file's end either
    // starts over or closes src.
    void feed(AVFilterContext *src)
    {
        if (m_ended)
            return;
        FramePtr frame(av_frame_alloc());
        for (int attempts = 0; attempts < 4096; ++attempts) {
            int r = avcodec_receive_frame(m_dec.get(), frame.get());
            if (r >= 0) {
                frame->pts = m_samples;
                m_samples += frame->nb_samples;
                m_gotFrame = true;
                if (av_buffersrc_add_frame(src, frame.get()) < 0)
                    close(src);
                return;
            }
            if (r == AVERROR_EOF) {
                if (m_repeat && m_gotFrame && av_seek_frame(m_in.get(), -1, 0, AVSEEK_FLAG_BACKWARD) >= 0) {
                    avcodec_flush_buffers(m_dec.get());
                    m_draining = false;
                    continue;
                }
                close(src);
                return;
            }
            if (m_draining) {
                close(src);
                return;
            }
            r = av_read_frame(m_in.get(), m_packet.get());
            if (r < 0) {
                avcodec_send_packet(m_dec.get(), nullptr);
                m_draining = true;
                continue;
            }
            if (m_packet->stream_index == m_index)
                avcodec_send_packet(m_dec.get(), m_packet.get());
            av_packet_unref(m_packet.get());
        }
        close(src);
    }

    void close(AVFilterContext *src)
    {
        // A graph that already ended its mix refuses the end mark; nothing lost.
        if (!m_ended && av_buffersrc_add_frame(src, nullptr) < 0)
            logLine(AV_LOG_DEBUG, "background input already closed");
        m_ended = true;
    }

private:
    InterruptState m_irq;
    InputContextPtr m_in;
    CodecContextPtr m_dec;
    PacketPtr m_packet;
    int m_index = -1;
    bool m_repeat = true;
    bool m_draining = false;
    bool m_gotFrame = false;
    bool m_ended = false;
    int64_t m_samples = 0;
};

} // namespace

// --------------------------------------------------------------- output ---

// The output file and its encoders; lives across the ranges of a merge.
class EncodedOutput {
public:
    EncodedOutput(const std::atomic<bool> *abort, InterruptCheck global)
    {
        m_irq.abort = abort;
        m_irq.global = std::move(global);
    }

    ~EncodedOutput() { discard(); }

    const AVCodec *videoCodec = nullptr;
    const AVCodec *audioCodec = nullptr;
    CodecContextPtr venc, aenc;

    // Finds the encoders the parameter set asks for (none for a kind the
    // set or the source leaves out).
    bool chooseEncoders(const AVOutputFormat *format, const ParamValues &v, bool sourceVideo, bool sourceAudio,
                        std::string &error)
    {
        m_format = format;
        videoCodec = audioCodec = nullptr;
        if (sourceVideo && v.videoCodec != -1) {
            videoCodec = findEncoder(v.videoCodec, AVMEDIA_TYPE_VIDEO, format, error);
            if (!videoCodec)
                return false;
        }
        if (sourceAudio && v.audio != -1 && v.audioCodec != -1) {
            audioCodec = findEncoder(v.audioCodec, AVMEDIA_TYPE_AUDIO, format, error);
            if (!audioCodec)
                return false;
        }
        if (!videoCodec && !audioCodec) {
            error = "nothing to encode: the source has none of the chosen streams";
            return false;
        }
        return true;
    }

    bool openEncoders(const ParamValues &v, const VideoEncoderInput &video, int sourceRate, int sourceChannels,
                      std::string &error)
    {
        if (videoCodec) {
            venc.reset(avcodec_alloc_context3(videoCodec));
            if (!venc || !openVideoEncoder(venc.get(), videoCodec, v, video, m_format, error))
                return false;
        }
        if (audioCodec) {
            aenc.reset(avcodec_alloc_context3(audioCodec));
            if (!aenc || !openAudioEncoder(aenc.get(), audioCodec, v, sourceRate, sourceChannels, m_format, error))
                return false;
            m_fifo = av_audio_fifo_alloc(aenc->sample_fmt, aenc->ch_layout.nb_channels, 4096);
            if (!m_fifo) {
                error = "out of memory";
                return false;
            }
        }
        return true;
    }

    bool create(const std::string &dst, std::string &error)
    {
        AVFormatContext *ctx = nullptr;
        int r = avformat_alloc_output_context2(&ctx, m_format, nullptr, dst.c_str());
        if (r < 0 || !ctx) {
            error = "cannot set up the output: " + ffmpegError(r);
            return false;
        }
        m_ctx = ctx;
        m_dst = dst;
        ctx->interrupt_callback.callback = interruptCallback;
        ctx->interrupt_callback.opaque = &m_irq;
        for (AVCodecContext *enc : {venc.get(), aenc.get()}) {
            if (!enc)
                continue;
            AVStream *st = avformat_new_stream(ctx, nullptr);
            if (!st || avcodec_parameters_from_context(st->codecpar, enc) < 0) {
                error = "out of memory";
                return false;
            }
            st->time_base = enc->time_base;
            if (enc == venc.get()) {
                st->avg_frame_rate = enc->framerate;
                st->sample_aspect_ratio = enc->sample_aspect_ratio;
                m_vst = st;
            } else {
                m_ast = st;
            }
        }
        if (!(m_format->flags & AVFMT_NOFILE)) {
            r = avio_open2(&ctx->pb, dst.c_str(), AVIO_FLAG_WRITE, &ctx->interrupt_callback, nullptr);
            if (r < 0) {
                error = "cannot create " + dst + ": " + ffmpegError(r);
                return false;
            }
            m_created = true;
        }
        r = avformat_write_header(ctx, nullptr);
        if (r < 0) {
            error = "cannot write the file header: " + ffmpegError(r);
            return false;
        }
        m_headerWritten = true;
        return true;
    }

    // The next range continues where everything written so far ends.
    void beginRange()
    {
        m_offset_us = m_end_us;
        if (venc)
            m_videoBase = av_rescale_q(m_offset_us, kMicros, venc->time_base);
        if (aenc)
            m_audioNext = std::max(m_audioNext, av_rescale_q(m_offset_us, kMicros, aenc->time_base));
        m_rangeWritten_us = 0;
    }

    int64_t rangeWritten_us() const { return m_rangeWritten_us; }

    bool video(AVFrame *frame, AVRational tb, std::string &error)
    {
        int64_t pts = m_videoBase + av_rescale_q(frame->pts, tb, venc->time_base);
        if (pts <= m_lastVideoPts)
            pts = m_lastVideoPts + 1;
        m_lastVideoPts = pts;
        frame->pts = pts;
        frame->pict_type = AV_PICTURE_TYPE_NONE;
        const int64_t end_us = av_rescale_q(pts + 1, venc->time_base, kMicros);
        note(end_us);
        return encode(venc.get(), m_vst, frame, error);
    }

    bool audio(AVFrame *frame, std::string &error)
    {
        if (av_audio_fifo_write(m_fifo, reinterpret_cast<void **>(frame->extended_data), frame->nb_samples)
            < frame->nb_samples) {
            error = "out of memory";
            return false;
        }
        return drainFifo(false, error);
    }

    // Drains the encoders and completes the file.
    bool finish(std::string &error)
    {
        if (!m_headerWritten) {
            error = "the file was never started";
            return false;
        }
        if (aenc && (!drainFifo(true, error) || !encode(aenc.get(), m_ast, nullptr, error)))
            return false;
        if (venc && !encode(venc.get(), m_vst, nullptr, error))
            return false;
        int r = av_write_trailer(m_ctx);
        m_headerWritten = false;
        if (r >= 0 && m_ctx->pb && m_ctx->pb->error < 0)
            r = m_ctx->pb->error;
        if (r < 0) {
            error = "cannot complete the file: " + ffmpegError(r);
            return false;
        }
        closeFile();
        m_created = false; // finished: the file stays
        return true;
    }

    // Closes without completing and removes the unfinished file.
    void discard()
    {
        closeFile();
        if (m_created)
            std::remove(m_dst.c_str());
        m_created = false;
        if (m_fifo) {
            av_audio_fifo_free(m_fifo);
            m_fifo = nullptr;
        }
    }

private:
    void note(int64_t end_us)
    {
        m_end_us = std::max(m_end_us, end_us);
        m_rangeWritten_us = std::max(m_rangeWritten_us, end_us - m_offset_us);
    }

    bool drainFifo(bool all, std::string &error)
    {
        const int frameSize = aenc->frame_size > 0 ? aenc->frame_size : 1024;
        while (av_audio_fifo_size(m_fifo) >= frameSize || (all && av_audio_fifo_size(m_fifo) > 0)) {
            FramePtr out(av_frame_alloc());
            out->nb_samples = std::min(frameSize, av_audio_fifo_size(m_fifo));
            out->format = aenc->sample_fmt;
            out->sample_rate = aenc->sample_rate;
            if (av_channel_layout_copy(&out->ch_layout, &aenc->ch_layout) < 0 || av_frame_get_buffer(out.get(), 0) < 0) {
                error = "out of memory";
                return false;
            }
            av_audio_fifo_read(m_fifo, reinterpret_cast<void **>(out->extended_data), out->nb_samples);
            out->pts = m_audioNext;
            m_audioNext += out->nb_samples;
            note(av_rescale_q(m_audioNext, aenc->time_base, kMicros));
            if (!encode(aenc.get(), m_ast, out.get(), error))
                return false;
        }
        return true;
    }

    bool encode(AVCodecContext *enc, AVStream *st, AVFrame *frame, std::string &error)
    {
        int r = avcodec_send_frame(enc, frame);
        if (r < 0 && r != AVERROR_EOF) {
            error = std::string("the ") + enc->codec->name + " encoder failed: " + ffmpegError(r);
            return false;
        }
        PacketPtr pkt = makePacket();
        for (;;) {
            r = avcodec_receive_packet(enc, pkt.get());
            if (r == AVERROR(EAGAIN) || r == AVERROR_EOF)
                return true;
            if (r < 0) {
                error = std::string("the ") + enc->codec->name + " encoder failed: " + ffmpegError(r);
                return false;
            }
            pkt->stream_index = st->index;
            // The last picture of a file needs its duration to count.
            if (pkt->duration <= 0 && enc->codec_type == AVMEDIA_TYPE_VIDEO)
                pkt->duration = 1;
            av_packet_rescale_ts(pkt.get(), enc->time_base, st->time_base);
            r = av_interleaved_write_frame(m_ctx, pkt.get());
            if (r < 0) {
                error = "cannot write to the output: " + ffmpegError(r);
                return false;
            }
        }
    }

    void closeFile()
    {
        if (!m_ctx)
            return;
        if (!(m_format->flags & AVFMT_NOFILE))
            avio_closep(&m_ctx->pb);
        avformat_free_context(m_ctx);
        m_ctx = nullptr;
        m_headerWritten = false;
    }

    InterruptState m_irq;
    const AVOutputFormat *m_format = nullptr;
    AVFormatContext *m_ctx = nullptr;
    AVStream *m_vst = nullptr;
    AVStream *m_ast = nullptr;
    AVAudioFifo *m_fifo = nullptr;
    std::string m_dst;
    bool m_created = false;
    bool m_headerWritten = false;
    int64_t m_offset_us = 0;       // output time where the current range begins
    int64_t m_end_us = 0;          // output time where everything written ends
    int64_t m_rangeWritten_us = 0; // how far the current range got
    int64_t m_videoBase = 0;       // encoder time of the range's first frame
    int64_t m_lastVideoPts = std::numeric_limits<int64_t>::min();
    int64_t m_audioNext = 0;       // encoder time of the next sample
};

// ---------------------------------------------------------------- input ---

// One range of one source: its demuxer, decoders, background sound and graph.
class RangeSource {
public:
    RangeSource(const std::atomic<bool> *abort, InterruptCheck global)
        : m_global(global)
        , m_abort(abort)
    {
        m_irq.abort = abort;
        m_irq.global = std::move(global);
    }

    bool open(const std::string &path, const ParamValues &v, std::string &error)
    {
        m_path = path;
        m_params = v;
        if (!openInput(path, &m_irq, m_in, error))
            return false;
        AVFormatContext *ctx = m_in.get();
        std::vector<int> title;
        if (ctx->nb_programs > 1) {
            if (v.program < 0 || v.program >= static_cast<int>(ctx->nb_programs)) {
                error = "the source has no such title";
                return false;
            }
            const AVProgram *p = ctx->programs[v.program];
            for (unsigned i = 0; i < p->nb_stream_indexes; ++i)
                title.push_back(static_cast<int>(p->stream_index[i]));
        } else {
            for (unsigned i = 0; i < ctx->nb_streams; ++i)
                title.push_back(static_cast<int>(i));
        }
        std::vector<int> audio;
        int subtitles = 0;
        for (int index : title) {
            const AVStream *st = ctx->streams[index];
            const AVMediaType type = st->codecpar->codec_type;
            if (type == AVMEDIA_TYPE_VIDEO && !(st->disposition & AV_DISPOSITION_ATTACHED_PIC) && m_video < 0)
                m_video = index;
            else if (type == AVMEDIA_TYPE_AUDIO)
                audio.push_back(index);
            else if (type == AVMEDIA_TYPE_SUBTITLE)
                ++subtitles;
        }
        if (v.audio >= 0 && !audio.empty())
            m_audio = audio[static_cast<size_t>(std::min<int>(v.audio, static_cast<int>(audio.size()) - 1))];
        if (v.subtitle >= 0 && v.subtitle < subtitles)
            m_subtitle = v.subtitle;
        if (m_video >= 0 && !openDecoder(ctx->streams[m_video], m_vdec, error))
            return false;
        if (m_audio >= 0 && !openDecoder(ctx->streams[m_audio], m_adec, error))
            return false;
        if (m_vdec && m_vdec->pix_fmt == AV_PIX_FMT_NONE) {
            error = "the source's picture format is unknown";
            return false;
        }
        m_fileStart_us = ctx->start_time == AV_NOPTS_VALUE ? 0 : ctx->start_time;
        m_duration_us = ctx->duration == AV_NOPTS_VALUE ? 0 : ctx->duration;
        if (v.closedCaptions)
            logLine(AV_LOG_WARNING, "closed captions cannot be burned into the picture; the output has none");
        if (!v.background.path.empty() && m_audio >= 0) {
            m_background = std::make_unique<BackgroundReader>(m_abort, m_global);
            if (!m_background->open(v.background.path, v.background.repeat != 0, error))
                return false;
        }
        return true;
    }

    bool hasVideo() const { return m_vdec != nullptr; }
    bool hasAudio() const { return m_adec != nullptr; }
    AVCodecContext *videoDecoder() const { return m_vdec.get(); }
    AVCodecContext *audioDecoder() const { return m_adec.get(); }
    AVRational frameRate() const
    {
        return m_video >= 0 ? av_guess_frame_rate(m_in.get(), m_in->streams[m_video], nullptr) : AVRational{0, 1};
    }
    // Sample aspect of the picture as shown (after the source's rotation).
    AVRational sampleAspect() const
    {
        if (m_video < 0)
            return AVRational{1, 1};
        const AVRational sar = av_guess_sample_aspect_ratio(m_in.get(), m_in->streams[m_video], nullptr);
        if (sar.num <= 0 || sar.den <= 0)
            return AVRational{1, 1};
        return quarterTurn() ? AVRational{sar.den, sar.num} : sar;
    }
    int rotation() const { return m_video >= 0 ? streamRotation(m_in->streams[m_video]) : 0; }
    bool quarterTurn() const { return rotation() == 90 || rotation() == 270; }
    // Picture size as shown.
    int shownWidth() const { return quarterTurn() ? m_vdec->height : m_vdec->width; }
    int shownHeight() const { return quarterTurn() ? m_vdec->width : m_vdec->height; }
    int64_t duration_us() const { return m_duration_us; }

    // Length of the range in output time (after the speed change).
    static int64_t outLength(const ParamValues &v, int64_t length_us)
    {
        const double speed = v.rate > 0 ? std::clamp(v.rate / 100.0, 0.25, 4.0) : 1.0;
        return static_cast<int64_t>(std::llround(length_us / speed));
    }

    // Builds the graph for [start, start + length) feeding the encoders of out.
    bool prepare(uint64_t start_us, uint64_t length_us, const EncodedOutput &out, const Geometry &geometry,
                 std::string &error)
    {
        m_start = static_cast<int64_t>(start_us);
        int64_t length = static_cast<int64_t>(length_us);
        if (length <= 0)
            length = std::max<int64_t>(m_duration_us - m_start, 0);
        else if (m_duration_us > 0)
            length = std::min(length, std::max<int64_t>(m_duration_us - m_start, 0));
        if (m_duration_us > 0 && m_start >= m_duration_us) {
            error = "the range starts after the end of the source";
            return false;
        }
        m_end = length_us > 0 ? m_start + static_cast<int64_t>(length_us) : 0;
        m_outLength = outLength(m_params, length);

        GraphSpec spec;
        spec.params = &m_params;
        spec.sourcePath = m_path;
        spec.subtitleStream = m_subtitle;
        spec.start_us = m_start;
        spec.end_us = m_end;
        spec.outLength_us = m_outLength;
        if (out.venc) {
            spec.video.width = m_vdec->width;
            spec.video.height = m_vdec->height;
            spec.video.format = m_vdec->pix_fmt;
            spec.video.sar = av_guess_sample_aspect_ratio(m_in.get(), m_in->streams[m_video], nullptr);
            spec.video.rotation = rotation();
            spec.geometry = geometry;
            spec.frameRate = out.venc->framerate;
            spec.outFormat = out.venc->pix_fmt;
        }
        if (out.aenc) {
            if (!m_adec && m_outLength <= 0) {
                error = "a range without sound needs a known length";
                return false;
            }
            spec.haveAudioSource = m_adec != nullptr;
            if (m_adec) {
                spec.audio.sampleRate = m_adec->sample_rate;
                spec.audio.format = m_adec->sample_fmt;
                av_channel_layout_copy(&spec.audio.layout, &m_adec->ch_layout);
                if (spec.audio.layout.order == AV_CHANNEL_ORDER_UNSPEC)
                    av_channel_layout_default(&spec.audio.layout, spec.audio.layout.nb_channels);
            }
            spec.outRate = out.aenc->sample_rate;
            spec.outSampleFormat = out.aenc->sample_fmt;
            av_channel_layout_copy(&spec.outLayout, &out.aenc->ch_layout);
            if (m_background)
                spec.background = m_background->desc();
        }
        const bool ok = m_graph.build(spec, error);
        av_channel_layout_uninit(&spec.audio.layout);
        av_channel_layout_uninit(&spec.outLayout);
        av_channel_layout_uninit(&spec.background.layout);
        if (!ok)
            return false;
        if (!m_graph.backgroundIn)
            m_background.reset();
        m_useVideo = out.venc != nullptr;
        m_useAudio = out.aenc != nullptr && m_adec != nullptr;
        return true;
    }

    int64_t outLength_us() const { return m_outLength; }

    // Decodes, filters and encodes the range into out. False on a failure
    // (error set) or a stop (error empty).
    bool run(EncodedOutput &out, CopyProgress &progress, std::string &error)
    {
        AVFormatContext *ctx = m_in.get();
        if (m_start > 0) {
            const int64_t target = m_start + m_fileStart_us;
            const int r = avformat_seek_file(ctx, -1, std::numeric_limits<int64_t>::min(), target, target, 0);
            if (r < 0 && !stopped())
                logLine(AV_LOG_WARNING, "seek to %lld failed, decoding from the start", static_cast<long long>(target));
        }
        PacketPtr pkt = makePacket();
        m_frame.reset(av_frame_alloc());
        m_filtered.reset(av_frame_alloc());
        bool videoDone = !m_useVideo, audioDone = !m_useAudio;
        while (!(videoDone && audioDone)) {
            if (stopped())
                return false;
            const int r = av_read_frame(ctx, pkt.get());
            if (r == AVERROR(EAGAIN))
                continue;
            if (r < 0) {
                if (stopped())
                    return false;
                if (r != AVERROR_EOF)
                    logLine(AV_LOG_WARNING, "read error, ending the range: %s", ffmpegError(r).c_str());
                break;
            }
            bool ok = true;
            if (m_useVideo && pkt->stream_index == m_video && !videoDone)
                ok = decode(m_vdec.get(), m_graph.videoIn, pkt.get(), m_video, videoDone, error);
            else if (m_useAudio && pkt->stream_index == m_audio && !audioDone)
                ok = decode(m_adec.get(), m_graph.audioIn, pkt.get(), m_audio, audioDone, error);
            av_packet_unref(pkt.get());
            if (!ok || !drain(out, progress, error))
                return false;
        }
        // Flush the decoders, then close the graph's inputs.
        bool ignored = false;
        if (m_useVideo && !decode(m_vdec.get(), m_graph.videoIn, nullptr, m_video, ignored, error))
            return false;
        if (m_useAudio && !decode(m_adec.get(), m_graph.audioIn, nullptr, m_audio, ignored, error))
            return false;
        for (AVFilterContext *src : {m_graph.videoIn, m_graph.audioIn}) {
            const int r = src ? av_buffersrc_add_frame(src, nullptr) : 0;
            if (r < 0 && r != AVERROR_EOF) {
                error = "the filter graph cannot end: " + ffmpegError(r);
                return false;
            }
        }
        if (m_background)
            m_background->close(m_graph.backgroundIn);
        m_flushing = true;
        return drain(out, progress, error);
    }

private:
    bool stopped() const { return m_irq.check(); }

    // Sends pkt (null = flush) to dec and pushes the frames into src.
    bool decode(AVCodecContext *dec, AVFilterContext *src, const AVPacket *pkt, int stream, bool &done,
                std::string &error)
    {
        int r = avcodec_send_packet(dec, pkt);
        if (r < 0 && r != AVERROR_EOF && r != AVERROR(EAGAIN)) {
            // A damaged packet costs its frame, not the conversion.
            logLine(AV_LOG_WARNING, "decoding error: %s", ffmpegError(r).c_str());
            return true;
        }
        const AVRational tb = m_in->streams[stream]->time_base;
        const bool isAudio = dec->codec_type == AVMEDIA_TYPE_AUDIO;
        int64_t &next = isAudio ? m_nextAudio_us : m_nextVideo_us;
        for (;;) {
            r = avcodec_receive_frame(dec, m_frame.get());
            if (r == AVERROR(EAGAIN) || r == AVERROR_EOF)
                return true;
            if (r < 0) {
                logLine(AV_LOG_WARNING, "decoding error: %s", ffmpegError(r).c_str());
                return true;
            }
            int64_t pts = m_frame->best_effort_timestamp;
            pts = pts == AV_NOPTS_VALUE ? next : av_rescale_q(pts, tb, kMicros) - m_fileStart_us;
            const int64_t duration = isAudio ? int64_t(m_frame->nb_samples) * 1000000 / std::max(1, m_frame->sample_rate)
                                             : av_rescale_q(m_frame->pkt_duration, tb, kMicros);
            next = pts + std::max<int64_t>(duration, 1);
            m_frame->pts = pts;
            m_frame->time_base = kMicros;
            if (m_end > 0 && pts >= m_end) {
                done = true;
                av_frame_unref(m_frame.get());
                continue;
            }
            if (done) {
                av_frame_unref(m_frame.get());
                continue;
            }
            r = av_buffersrc_add_frame_flags(src, m_frame.get(), AV_BUFFERSRC_FLAG_KEEP_REF);
            av_frame_unref(m_frame.get());
            if (r == AVERROR_EOF) {
                done = true;
                continue;
            }
            if (r < 0) {
                error = std::string("the filter graph refused a frame: ") + ffmpegError(r);
                return false;
            }
            if (isAudio)
                feedBackground();
        }
    }

    void feedBackground()
    {
        if (!m_background)
            return;
        const double speed = m_params.rate > 0 ? std::clamp(m_params.rate / 100.0, 0.25, 4.0) : 1.0;
        const int64_t mainOut = static_cast<int64_t>((m_nextAudio_us - m_start) / speed);
        while (!m_background->ended() && m_background->fed_us() < mainOut + kBackgroundLead_us && !stopped())
            m_background->feed(m_graph.backgroundIn);
    }

    bool drain(EncodedOutput &out, CopyProgress &progress, std::string &error)
    {
        for (;;) {
            bool any = false;
            if (m_graph.videoOut && !m_videoEnded) {
                const int r = av_buffersink_get_frame(m_graph.videoOut, m_filtered.get());
                if (r >= 0) {
                    any = true;
                    const bool ok = out.video(m_filtered.get(), av_buffersink_get_time_base(m_graph.videoOut), error);
                    av_frame_unref(m_filtered.get());
                    if (!ok)
                        return false;
                } else if (r == AVERROR_EOF) {
                    m_videoEnded = true;
                } else if (r != AVERROR(EAGAIN)) {
                    error = "the filter graph failed: " + ffmpegError(r);
                    return false;
                }
            }
            if (m_graph.audioOut && !m_audioEnded) {
                const int r = av_buffersink_get_frame(m_graph.audioOut, m_filtered.get());
                if (r >= 0) {
                    any = true;
                    const bool ok = out.audio(m_filtered.get(), error);
                    av_frame_unref(m_filtered.get());
                    if (!ok)
                        return false;
                } else if (r == AVERROR_EOF) {
                    m_audioEnded = true;
                } else if (r != AVERROR(EAGAIN)) {
                    error = "the filter graph failed: " + ffmpegError(r);
                    return false;
                }
            }
            const uint64_t written = static_cast<uint64_t>(std::max<int64_t>(out.rangeWritten_us(), 0));
            if (written > progress.position_us.load())
                progress.position_us = std::min<uint64_t>(written, progress.total_us.load());
            if (stopped())
                return false;
            if (!any) {
                // While flushing, a source without its own input (silence)
                // still has frames to give; keep pulling until every sink ends.
                if (m_flushing && ((m_graph.videoOut && !m_videoEnded) || (m_graph.audioOut && !m_audioEnded))) {
                    if (m_graph.backgroundIn && m_background)
                        m_background->close(m_graph.backgroundIn);
                    if (++m_idleRounds > 100000) {
                        error = "the filter graph did not end";
                        return false;
                    }
                    continue;
                }
                return true;
            }
            m_idleRounds = 0;
        }
    }

    InterruptCheck m_global;
    const std::atomic<bool> *m_abort;
    InterruptState m_irq;
    InputContextPtr m_in;
    std::string m_path;
    ParamValues m_params;
    int m_video = -1, m_audio = -1, m_subtitle = -1;
    CodecContextPtr m_vdec, m_adec;
    std::unique_ptr<BackgroundReader> m_background;
    FilterGraph m_graph;
    FramePtr m_frame, m_filtered;
    int64_t m_fileStart_us = 0, m_duration_us = 0;
    int64_t m_start = 0, m_end = 0, m_outLength = 0;
    int64_t m_nextVideo_us = 0, m_nextAudio_us = 0;
    bool m_useVideo = false, m_useAudio = false;
    bool m_videoEnded = false, m_audioEnded = false;
    bool m_flushing = false;
    int m_idleRounds = 0;
};

namespace {

// Opens the encoders of out for the first range of src.
bool openEncodersFor(EncodedOutput &out, RangeSource &src, const ParamValues &encoding, const ParamValues &edits,
                     Geometry &geometry, std::string &error)
{
    VideoEncoderInput video;
    if (out.videoCodec) {
        geometry = computeGeometry(edits, src.shownWidth(), src.shownHeight(), src.sampleAspect());
        video.width = geometry.frameW;
        video.height = geometry.frameH;
        video.sourceFormat = src.videoDecoder()->pix_fmt;
        video.frameRate = outputFrameRate(encoding, src.frameRate(), out.videoCodec);
    }
    const AVCodecContext *adec = src.audioDecoder();
    return out.openEncoders(encoding, video, adec ? adec->sample_rate : 0, adec ? adec->ch_layout.nb_channels : 0,
                            error);
}

// Encoder settings come from the merge's first parameter set; edits and
// stream choice from each range's own.
ParamValues withEncoding(const ParamValues &range, const ParamValues &encoding)
{
    ParamValues v = range;
    v.videoCodec = encoding.videoCodec;
    v.audioCodec = encoding.audioCodec;
    v.width = encoding.width;
    v.height = encoding.height;
    return v;
}

} // namespace

// ----------------------------------------------------------- conversion ---

TranscodeConversion::TranscodeConversion(InterruptCheck globalInterrupt)
    : m_globalInterrupt(std::move(globalInterrupt))
{
}

TranscodeConversion::~TranscodeConversion()
{
    close();
}

void TranscodeConversion::setError(const std::string &text)
{
    std::lock_guard<std::mutex> lock(m_errorMutex);
    m_error = text;
}

std::string TranscodeConversion::lastError() const
{
    std::lock_guard<std::mutex> lock(m_errorMutex);
    return m_error;
}

bool TranscodeConversion::open(const std::string &src, const std::string &dst, const std::string &format,
                               const ParamValues &params)
{
    if (m_worker.joinable()) {
        setError("a conversion is running");
        return false;
    }
    m_source.reset();
    m_output.reset();
    m_abort = false;
    const AVOutputFormat *ofmt = findOutputFormat(format, dst);
    if (!ofmt) {
        setError("unknown output container \"" + format + "\"");
        return false;
    }
    auto source = std::make_unique<RangeSource>(&m_abort, m_globalInterrupt);
    std::string error;
    if (!source->open(src, params, error)) {
        setError(error);
        return false;
    }
    auto output = std::make_unique<EncodedOutput>(&m_abort, m_globalInterrupt);
    if (!output->chooseEncoders(ofmt, params, source->hasVideo(), source->hasAudio(), error)) {
        setError(error);
        return false;
    }
    m_source = std::move(source);
    m_output = std::move(output);
    m_params = params;
    m_src = src;
    m_dst = dst;
    m_format = ofmt->name;
    m_start_us = m_length_us = 0;
    return true;
}

void TranscodeConversion::setRange(uint64_t start_us, uint64_t length_us)
{
    m_start_us = start_us;
    m_length_us = length_us;
}

bool TranscodeConversion::start()
{
    if (!m_source || !m_output || m_worker.joinable()) {
        setError(m_worker.joinable() ? "a conversion is running" : "nothing is open");
        return false;
    }
    std::string error;
    Geometry geometry;
    if (!openEncodersFor(*m_output, *m_source, m_params, m_params, geometry, error)
        || !m_source->prepare(m_start_us, m_length_us, *m_output, geometry, error) || !m_output->create(m_dst, error)) {
        m_output->discard();
        setError(error);
        logLine(AV_LOG_WARNING, "encoding could not start: %s", error.c_str());
        return false;
    }
    m_output->beginRange();
    m_abort = false;
    m_progress.position_us = 0;
    m_progress.total_us = static_cast<uint64_t>(std::max<int64_t>(m_source->outLength_us(), 0));
    m_progress.failed = false;
    m_progress.finished = false;
    m_worker = std::thread(&TranscodeConversion::run, this);
    return true;
}

void TranscodeConversion::run()
{
    std::string error;
    bool ok = m_source->run(*m_output, m_progress, error);
    if (ok)
        ok = m_output->finish(error);
    if (!ok) {
        m_output->discard();
        if (error.empty())
            error = m_abort ? "stopped" : "the conversion failed";
        setError(error);
        if (!m_abort)
            logLine(AV_LOG_WARNING, "encoding failed: %s", error.c_str());
        m_progress.failed = true;
    } else {
        m_progress.position_us = m_progress.total_us.load();
    }
    m_source.reset();
    m_progress.finished = true;
}

bool TranscodeConversion::stop()
{
    if (!m_worker.joinable())
        return true;
    m_abort = true;
    m_worker.join();
    return true;
}

void TranscodeConversion::close()
{
    stop();
    m_output.reset();
    m_source.reset();
}

// --------------------------------------------------------------- merger ---

TranscodeMerger::TranscodeMerger(InterruptCheck globalInterrupt)
    : m_globalInterrupt(std::move(globalInterrupt))
{
}

TranscodeMerger::~TranscodeMerger()
{
    abort();
}

void TranscodeMerger::setError(const std::string &text)
{
    std::lock_guard<std::mutex> lock(m_errorMutex);
    m_error = text;
}

std::string TranscodeMerger::lastError() const
{
    std::lock_guard<std::mutex> lock(m_errorMutex);
    return m_error;
}

void TranscodeMerger::join()
{
    if (m_worker.joinable())
        m_worker.join();
}

bool TranscodeMerger::open(const std::string &dst, const std::string &format, const ParamValues &params)
{
    abort();
    if (!findOutputFormat(format, dst)) {
        setError("unknown output container \"" + format + "\"");
        return false;
    }
    m_dst = dst;
    m_format = format;
    m_encoding = params;
    m_abort = false;
    m_progress.finished = false;
    m_progress.failed = false;
    return true;
}

bool TranscodeMerger::add(const std::string &src, uint64_t start_us, uint64_t length_us, const ParamValues &params)
{
    join();
    if (m_dst.empty()) {
        setError("the merger is not open");
        return false;
    }
    if (m_progress.failed) {
        setError("an earlier range failed");
        return false;
    }
    const ParamValues v = withEncoding(params, m_encoding);
    auto source = std::make_unique<RangeSource>(&m_abort, m_globalInterrupt);
    std::string error;
    if (!source->open(src, v, error)) {
        setError(error);
        return false;
    }
    Geometry geometry;
    if (!m_output) {
        auto output = std::make_unique<EncodedOutput>(&m_abort, m_globalInterrupt);
        const AVOutputFormat *ofmt = findOutputFormat(m_format, m_dst);
        if (!output->chooseEncoders(ofmt, v, source->hasVideo(), source->hasAudio(), error)
            || !openEncodersFor(*output, *source, m_encoding, v, geometry, error)
            || !source->prepare(start_us, length_us, *output, geometry, error) || !output->create(m_dst, error)) {
            output->discard();
            setError(error);
            return false;
        }
        m_output = std::move(output);
    } else {
        if (m_output->venc) {
            if (!source->hasVideo()) {
                setError("this range has no picture but the merged file has");
                return false;
            }
            geometry = computeGeometry(v, source->shownWidth(), source->shownHeight(), source->sampleAspect(),
                                       m_output->venc->width, m_output->venc->height);
        }
        if (!source->prepare(start_us, length_us, *m_output, geometry, error)) {
            setError(error);
            return false;
        }
    }
    m_output->beginRange();
    m_progress.position_us = 0;
    m_progress.total_us = static_cast<uint64_t>(std::max<int64_t>(source->outLength_us(), 0));
    m_progress.finished = false;
    m_worker = std::thread(&TranscodeMerger::run, this, std::move(source));
    return true;
}

void TranscodeMerger::run(std::unique_ptr<RangeSource> source)
{
    std::string error;
    if (source->run(*m_output, m_progress, error)) {
        m_progress.position_us = m_progress.total_us.load();
    } else {
        setError(error.empty() ? (m_abort ? "stopped" : "the range could not be added") : error);
        if (!m_abort)
            logLine(AV_LOG_WARNING, "encoding a merged range failed: %s", error.c_str());
        m_progress.failed = true;
    }
    source.reset();
    m_progress.finished = true;
}

bool TranscodeMerger::finish()
{
    join();
    if (!m_output)
        return !m_progress.failed;
    bool ok = !m_progress.failed;
    std::string error;
    if (ok && !m_output->finish(error)) {
        setError(error);
        ok = false;
    }
    if (!ok)
        m_output->discard();
    m_output.reset();
    m_dst.clear();
    return ok;
}

void TranscodeMerger::abort()
{
    m_abort = true;
    join();
    if (m_output) {
        m_output->discard();
        m_output.reset();
    }
    m_dst.clear();
}

} // namespace orl
