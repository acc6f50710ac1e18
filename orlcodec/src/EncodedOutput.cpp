#include "EncodedOutput.h"

#include "MediaTime.h"
#include "TrackChoice.h"
#include "orlcodec_tracks.h"

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
    for (AVDictionary *&tags : m_soundTags)
        av_dict_free(&tags);
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

void EncodedOutput::takeTags(const AVFormatContext *in, const AVStream *video,
                             const std::vector<const AVStream *> &audio)
{
    av_dict_free(&m_fileTags);
    const AVDictionaryEntry *e = nullptr;
    while (in && (e = av_dict_get(in->metadata, "", e, AV_DICT_IGNORE_SUFFIX)))
        if (!staleFileTag(e->key))
            av_dict_set(&m_fileTags, e->key, e->value, 0);
    streamTags(&m_videoTags, video);
    for (AVDictionary *&tags : m_soundTags)
        av_dict_free(&tags);
    m_soundTags.assign(audio.size(), nullptr);
    for (size_t i = 0; i < audio.size(); ++i)
        streamTags(&m_soundTags[i], audio[i]);
}

void EncodedOutput::takeTrackChoices(const TrackChoice *video, const std::vector<const TrackChoice *> &audio)
{
    m_videoChoice.reset();
    if (video)
        m_videoChoice = *video;
    m_soundChoices.clear();
    bool planned = false; // the plan marks a default sound itself
    for (const TrackChoice *c : audio)
        planned = planned || (c && c->flags >= 0 && (c->flags & ORL_TRACK_DEFAULT));
    for (size_t i = 0; i < audio.size(); ++i) {
        std::optional<TrackChoice> choice;
        if (audio[i])
            choice = *audio[i];
        if (!planned && (!choice || choice->flags < 0)) {
            // The source's flags describe its own order: here the first
            // kept sound is the one players pick.
            if (!choice)
                choice = TrackChoice{};
            choice->flags = i == 0 ? ORL_TRACK_DEFAULT : 0;
        }
        m_soundChoices.push_back(std::move(choice));
    }
}

int EncodedOutput::soundTrackLimit() const
{
    if (!audioCodec)
        return 0;
    return videoCodec && holdsSeveralSoundTracks(m_format) ? kMaxEncodedSoundTracks : 1;
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

bool EncodedOutput::openEncoders(const ParamValues &v, const VideoEncoderInput &video,
                                 const std::vector<SoundInput> &sounds, std::string &error)
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
    m_sound.clear();
    const size_t tracks = !audioCodec ? 0 : std::clamp<size_t>(sounds.size(), 1, size_t(soundTrackLimit()));
    for (size_t i = 0; i < tracks; ++i) {
        Sound sound;
        const SoundInput in = i < sounds.size() ? sounds[i] : SoundInput{};
        sound.enc.reset(avcodec_alloc_context3(audioCodec));
        if (!sound.enc || !openAudioEncoder(sound.enc.get(), audioCodec, v, in.rate, in.channels, m_format, error))
            return false;
        sound.fifo.reset(av_audio_fifo_alloc(sound.enc->sample_fmt, sound.enc->ch_layout.nb_channels, 4096));
        if (!sound.fifo) {
            error = "out of memory";
            return false;
        }
        m_sound.push_back(std::move(sound));
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
    std::vector<AVCodecContext *> encoders{venc.get()};
    for (const Sound &sound : m_sound)
        encoders.push_back(sound.enc.get());
    for (size_t i = 0; i < encoders.size(); ++i) {
        AVCodecContext *enc = encoders[i];
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
            const size_t track = i - 1;
            if (track < m_soundTags.size())
                av_dict_copy(&st->metadata, m_soundTags[track], 0);
            if (track < m_soundChoices.size() && m_soundChoices[track])
                applyTrackChoice(*m_soundChoices[track], st);
            m_sound[track].st = st;
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
    for (Sound &sound : m_sound)
        sound.next = std::max(sound.next, av_rescale_q(m_offset_us, kMicros, sound.enc->time_base)
                                              - av_audio_fifo_size(sound.fifo.get()));
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

bool EncodedOutput::audio(size_t track, AVFrame *frame, std::string &error)
{
    if (track >= m_sound.size()) {
        error = "no such sound track in the output";
        return false;
    }
    Sound &sound = m_sound[track];
    if (av_audio_fifo_write(sound.fifo.get(), reinterpret_cast<void **>(frame->extended_data), frame->nb_samples)
        < frame->nb_samples) {
        error = "out of memory";
        return false;
    }
    if (!drainFifo(sound, false, error))
        return false;
    note(av_rescale_q(sound.next + av_audio_fifo_size(sound.fifo.get()), sound.enc->time_base, kMicros), false,
         track);
    return true;
}

bool EncodedOutput::finish(std::string &error)
{
    if (!m_headerWritten) {
        error = "the file was never started";
        return false;
    }
    for (Sound &sound : m_sound)
        if (!drainFifo(sound, true, error) || !encode(sound.enc.get(), sound.st, nullptr, error))
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
    for (Sound &sound : m_sound)
        sound.fifo.reset();
}

void EncodedOutput::note(int64_t end_us, bool isVideo, size_t track)
{
    m_end_us = std::max(m_end_us, end_us);
    // Sound runs ahead of the pictures the encoder still holds back: with
    // pictures, progress counts the encoded ones (see encode()).
    if (!isVideo && !venc && track == 0)
        m_rangeWritten_us = std::max(m_rangeWritten_us, end_us - m_offset_us);
}

bool EncodedOutput::drainFifo(Sound &sound, bool all, std::string &error)
{
    AVCodecContext *enc = sound.enc.get();
    AVAudioFifo *fifo = sound.fifo.get();
    if (!fifo)
        return true;
    const int frameSize = enc->frame_size > 0 ? enc->frame_size : 1024;
    while (av_audio_fifo_size(fifo) >= frameSize || (all && av_audio_fifo_size(fifo) > 0)) {
        FramePtr out(av_frame_alloc());
        out->nb_samples = std::min(frameSize, av_audio_fifo_size(fifo));
        out->format = enc->sample_fmt;
        out->sample_rate = enc->sample_rate;
        if (av_channel_layout_copy(&out->ch_layout, &enc->ch_layout) < 0 || av_frame_get_buffer(out.get(), 0) < 0) {
            error = "out of memory";
            return false;
        }
        av_audio_fifo_read(fifo, reinterpret_cast<void **>(out->extended_data), out->nb_samples);
        out->pts = sound.next;
        sound.next += out->nb_samples;
        note(av_rescale_q(sound.next, enc->time_base, kMicros), false, &sound == &m_sound.front() ? 0 : 1);
        if (!encode(enc, sound.st, out.get(), error))
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
