#include "EncodedOutput.h"

#include "MediaTime.h"

extern "C" {
#include <libavutil/avstring.h>
#include <libavutil/channel_layout.h>
}

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace orl {

EncodedOutput::EncodedOutput(const std::atomic<bool> *abort, InterruptCheck global)
{
    m_irq.abort = abort;
    m_irq.global = std::move(global);
}

EncodedOutput::~EncodedOutput()
{
    discard();
    av_dict_free(&m_fileTags);
    av_dict_free(&m_videoTags);
    av_dict_free(&m_audioTags);
}

namespace {

// What a stream is called and in which language: all an encoded stream
// keeps of its source's tags (the rest describe the old encoding).
void streamTags(AVDictionary **to, const AVStream *st)
{
    av_dict_free(to);
    if (!st)
        return;
    for (const char *key : {"language", "title"}) {
        const AVDictionaryEntry *e = av_dict_get(st->metadata, key, nullptr, 0);
        if (e && e->value && *e->value)
            av_dict_set(to, key, e->value, 0);
    }
}

// File tags that describe the old file rather than the recording.
bool staleFileTag(const char *key)
{
    for (const char *stale : {"encoder", "major_brand", "minor_version", "compatible_brands", "duration"})
        if (av_strcasecmp(key, stale) == 0)
            return true;
    return av_strncasecmp(key, "_STATISTICS", 11) == 0;
}

} // namespace

void EncodedOutput::takeTags(const AVFormatContext *in, const AVStream *video, const AVStream *audio)
{
    av_dict_free(&m_fileTags);
    const AVDictionaryEntry *e = nullptr;
    while (in && (e = av_dict_get(in->metadata, "", e, AV_DICT_IGNORE_SUFFIX)))
        if (!staleFileTag(e->key))
            av_dict_set(&m_fileTags, e->key, e->value, 0);
    streamTags(&m_videoTags, video);
    streamTags(&m_audioTags, audio);
}

void EncodedOutput::takeTrackChoices(const TrackChoice *video, const TrackChoice *audio)
{
    m_videoChoice.reset();
    m_audioChoice.reset();
    if (video)
        m_videoChoice = *video;
    if (audio)
        m_audioChoice = *audio;
}

bool EncodedOutput::chooseEncoders(const AVOutputFormat *format, const ParamValues &v, bool sourceVideo,
                                   bool sourceAudio, std::string &error)
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

bool EncodedOutput::openEncoders(const ParamValues &v, const VideoEncoderInput &video, int sourceRate,
                                 int sourceChannels, std::string &error)
{
    if (videoCodec) {
        venc.reset(avcodec_alloc_context3(videoCodec));
        if (!venc || !openVideoEncoder(venc.get(), videoCodec, v, video, m_format, error))
            return false;
        m_ownTiming = video.ownTiming;
        m_hdr = video.hdr;
        m_colour = video.colour;
        m_interlaced = video.interlaced;
    }
    if (audioCodec) {
        aenc.reset(avcodec_alloc_context3(audioCodec));
        if (!aenc || !openAudioEncoder(aenc.get(), audioCodec, v, sourceRate, sourceChannels, m_format, error))
            return false;
        m_fifo.reset(av_audio_fifo_alloc(aenc->sample_fmt, aenc->ch_layout.nb_channels, 4096));
        if (!m_fifo) {
            error = "out of memory";
            return false;
        }
    }
    return true;
}

bool EncodedOutput::create(const std::string &dst, std::string &error)
{
    AVFormatContext *ctx = nullptr;
    int r = avformat_alloc_output_context2(&ctx, m_format, nullptr, dst.c_str());
    if (r < 0 || !ctx) {
        error = "cannot set up the output: " + ffmpegError(r);
        return false;
    }
    m_ctx.reset(ctx);
    m_dst = dst;
    ctx->interrupt_callback.callback = interruptFlagsCallback;
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
            // Pictures with their own times have no one rate to declare.
            if (!m_ownTiming)
                st->avg_frame_rate = enc->framerate;
            st->sample_aspect_ratio = enc->sample_aspect_ratio;
            if (m_hdr == HdrHandling::Keep && !attachHdrSideData(st, m_colour)) {
                error = "out of memory";
                return false;
            }
            av_dict_copy(&st->metadata, m_videoTags, 0);
            if (m_videoChoice)
                applyTrackChoice(*m_videoChoice, st);
            m_vst = st;
        } else {
            av_dict_copy(&st->metadata, m_audioTags, 0);
            if (m_audioChoice)
                applyTrackChoice(*m_audioChoice, st);
            m_ast = st;
        }
    }
    av_dict_copy(&ctx->metadata, m_fileTags, 0);
    if (!(m_format->flags & AVFMT_NOFILE)) {
        r = avio_open2(&ctx->pb, dst.c_str(), AVIO_FLAG_WRITE, &ctx->interrupt_callback, nullptr);
        if (r < 0) {
            error = "cannot create " + dst + ": " + ffmpegError(r);
            return false;
        }
        m_created = true;
    }
    if (!OutputChapters::placedAtTrailer(m_format) && !m_chapters.place(ctx, 0)) {
        error = "out of memory";
        return false;
    }
    AVDictionary *muxerOptions = nullptr;
    // QuickTime keys in reverse-domain form (a phone's place, make and
    // model) exist only in the metadata-keys form of the header.
    if (av_match_name(m_format->name, "mp4,mov,ipod")
        && av_dict_get(m_fileTags, "com.apple.quicktime.", nullptr, AV_DICT_IGNORE_SUFFIX))
        av_dict_set(&muxerOptions, "movflags", "use_metadata_tags", 0);
    r = avformat_write_header(ctx, &muxerOptions);
    av_dict_free(&muxerOptions);
    if (r < 0) {
        error = "cannot write the file header: " + ffmpegError(r);
        return false;
    }
    m_headerWritten = true;
    return true;
}

bool EncodedOutput::addChapters(const AVFormatContext *in, int64_t from_us, int64_t to_us, double speed,
                                std::string &error, const std::string *title)
{
    const bool added = title ? m_chapters.addTitled(m_end_us,
                                                    m_end_us + static_cast<int64_t>(std::llround((to_us - from_us) / speed)),
                                                    *title)
                             : m_chapters.add(in, from_us, to_us, from_us, m_end_us, speed);
    if (!added) {
        error = "out of memory";
        return false;
    }
    return true;
}

void EncodedOutput::beginRange()
{
    m_offset_us = m_end_us;
    if (venc)
        m_videoBase = av_rescale_q(m_offset_us, kMicros, venc->time_base);
    // Samples still queued for a full encoder frame belong before the
    // offset; only a gap in the sound is closed.
    if (aenc)
        m_audioNext = std::max(m_audioNext,
                               av_rescale_q(m_offset_us, kMicros, aenc->time_base) - av_audio_fifo_size(m_fifo.get()));
    m_rangeWritten_us = 0;
}

bool EncodedOutput::video(AVFrame *frame, AVRational tb, std::string &error)
{
    int64_t pts = m_videoBase + av_rescale_q(frame->pts, tb, venc->time_base);
    if (pts <= m_lastVideoPts)
        pts = m_lastVideoPts + 1;
    if (m_lastVideoPts != std::numeric_limits<int64_t>::min())
        m_videoStep = pts - m_lastVideoPts;
    m_lastVideoPts = pts;
    frame->pts = pts;
    frame->pict_type = AV_PICTURE_TYPE_NONE;
    if (m_interlaced) {
        // Repeated pictures of the constant rate carry the flags too.
        frame->interlaced_frame = 1;
        frame->top_field_first = m_colour.topFieldFirst() ? 1 : 0;
    }
    const int64_t end_us = av_rescale_q(pts + m_videoStep, venc->time_base, kMicros);
    note(end_us, true);
    return encode(venc.get(), m_vst, frame, error);
}

bool EncodedOutput::audio(AVFrame *frame, std::string &error)
{
    if (av_audio_fifo_write(m_fifo.get(), reinterpret_cast<void **>(frame->extended_data), frame->nb_samples)
        < frame->nb_samples) {
        error = "out of memory";
        return false;
    }
    if (!drainFifo(false, error))
        return false;
    note(av_rescale_q(m_audioNext + av_audio_fifo_size(m_fifo.get()), aenc->time_base, kMicros), false);
    return true;
}

bool EncodedOutput::finish(std::string &error)
{
    if (!m_headerWritten) {
        error = "the file was never started";
        return false;
    }
    if (aenc && (!drainFifo(true, error) || !encode(aenc.get(), m_ast, nullptr, error)))
        return false;
    if (venc && !encode(venc.get(), m_vst, nullptr, error))
        return false;
    // Chapters the muxer writes with its trailer (and those of a merge's
    // later ranges); none past what was written.
    OutputChapters::endAt(m_ctx.get(), m_end_us);
    if (!m_chapters.place(m_ctx.get(), m_end_us)) {
        error = "out of memory";
        return false;
    }
    int r = av_write_trailer(m_ctx.get());
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

void EncodedOutput::discard()
{
    closeFile();
    if (m_created)
        std::remove(m_dst.c_str());
    m_created = false;
    m_fifo.reset();
}

void EncodedOutput::note(int64_t end_us, bool isVideo)
{
    m_end_us = std::max(m_end_us, end_us);
    // Sound runs ahead of the pictures the encoder still holds back: with
    // pictures, progress counts the encoded ones (see encode()).
    if (!isVideo && !venc)
        m_rangeWritten_us = std::max(m_rangeWritten_us, end_us - m_offset_us);
}

bool EncodedOutput::drainFifo(bool all, std::string &error)
{
    const int frameSize = aenc->frame_size > 0 ? aenc->frame_size : 1024;
    while (av_audio_fifo_size(m_fifo.get()) >= frameSize || (all && av_audio_fifo_size(m_fifo.get()) > 0)) {
        FramePtr out(av_frame_alloc());
        out->nb_samples = std::min(frameSize, av_audio_fifo_size(m_fifo.get()));
        out->format = aenc->sample_fmt;
        out->sample_rate = aenc->sample_rate;
        if (av_channel_layout_copy(&out->ch_layout, &aenc->ch_layout) < 0 || av_frame_get_buffer(out.get(), 0) < 0) {
            error = "out of memory";
            return false;
        }
        av_audio_fifo_read(m_fifo.get(), reinterpret_cast<void **>(out->extended_data), out->nb_samples);
        out->pts = m_audioNext;
        m_audioNext += out->nb_samples;
        note(av_rescale_q(m_audioNext, aenc->time_base, kMicros), false);
        if (!encode(aenc.get(), m_ast, out.get(), error))
            return false;
    }
    return true;
}

bool EncodedOutput::encode(AVCodecContext *enc, AVStream *st, AVFrame *frame, std::string &error)
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
            pkt->duration = m_videoStep;
        if (enc->codec_type == AVMEDIA_TYPE_VIDEO) {
            const int64_t end_us = av_rescale_q(pkt->pts + pkt->duration, enc->time_base, kMicros);
            m_rangeWritten_us = std::max(m_rangeWritten_us, end_us - m_offset_us);
        }
        av_packet_rescale_ts(pkt.get(), enc->time_base, st->time_base);
        r = av_interleaved_write_frame(m_ctx.get(), pkt.get());
        if (r < 0) {
            error = "cannot write to the output: " + ffmpegError(r);
            return false;
        }
    }
}

void EncodedOutput::closeFile()
{
    m_ctx.reset();
    m_headerWritten = false;
}

} // namespace orl
