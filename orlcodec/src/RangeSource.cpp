#include "RangeSource.h"

#include "Engine.h"
#include "MediaSource.h"
#include "MediaTime.h"
#include "Interrupt.h"
#include "ReadableEnd.h"
#include "BackgroundReader.h"
#include "SourceOpen.h"
#include "TrackChoice.h"

extern "C" {
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
#include <libavutil/channel_layout.h>
}

#include <algorithm>
#include <limits>

namespace orl {

namespace {

constexpr int64_t kBackgroundLead_us = 1000000; // background decoded ahead of the main sound
// How far into a file its first picture is looked for, and how much later
// than the sound it may start before a range from there starts with it
// (less is the usual lead of sound over pictures in a container).
constexpr int64_t kFirstPictureSearch_us = 10000000;
constexpr int64_t kLatePicture_us = 100000;

} // namespace

RangeSource::RangeSource(const std::atomic<bool> *abort, InterruptCheck global)
    : m_global(global)
    , m_abort(abort)
{
    m_irq.abort = abort;
    m_irq.global = std::move(global);
}

bool RangeSource::open(const std::string &path, const ParamValues &v, std::string &error)
{
    m_path = path;
    m_params = v;
    if (!openInput(path, &m_irq, m_source, error))
        return false;
    AVFormatContext *ctx = m_source.ctx.get();
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
    if (!v.tracks.empty()) {
        // The plan names the streams: its picture (if any) and its sound
        // tracks are encoded, each sound moved by its shift.
        std::vector<const TrackChoice *> ordered;
        if (!orderedTrackChoice(ctx, title, v.tracks, nullptr, ordered, error))
            return false;
        m_video = -1;
        for (const TrackChoice *c : ordered)
            if (m_video < 0 && ctx->streams[c->stream]->codecpar->codec_type == AVMEDIA_TYPE_VIDEO)
                m_video = c->stream;
        const std::vector<const TrackChoice *> sounds = plannedAudio(ctx, v.tracks);
        for (size_t i = 0; i < sounds.size() && i < size_t(kMaxEncodedSoundTracks); ++i) {
            if (i == 0) {
                m_audio = sounds[i]->stream;
                m_audioShift_us = sounds[i]->shift_us;
                continue;
            }
            auto extra = std::make_unique<ExtraSound>();
            extra->stream = sounds[i]->stream;
            extra->shift_us = sounds[i]->shift_us;
            m_extra.push_back(std::move(extra));
        }
    } else if (v.audio >= 0 && !audio.empty()) {
        m_audio = audio[static_cast<size_t>(std::min<int>(v.audio, static_cast<int>(audio.size()) - 1))];
    }
    if (v.subtitle >= 0 && v.subtitle < subtitles)
        m_subtitle = v.subtitle;
    if (m_video >= 0 && !openDecoder(ctx->streams[m_video], m_vdec, error))
        return false;
    if (m_audio >= 0 && !openDecoder(ctx->streams[m_audio], m_adec, error))
        return false;
    for (const std::unique_ptr<ExtraSound> &extra : m_extra)
        if (!openDecoder(ctx->streams[extra->stream], extra->dec, error))
            return false;
    if (m_vdec && m_vdec->pix_fmt == AV_PIX_FMT_NONE) {
        error = "the source's picture format is unknown";
        return false;
    }
    m_fileStart_us = ctx->start_time == AV_NOPTS_VALUE ? 0 : ctx->start_time;
    m_duration_us = ctx->duration == AV_NOPTS_VALUE ? 0 : ctx->duration;
    // A partial download declares more than it holds: a range runs to where
    // its data ends, so a merged range's sound, made as long as its range,
    // does not go on for seconds after the last picture.
    if (m_duration_us > 0) {
        const int64_t readable = static_cast<int64_t>(readableEnd(
            ctx, path, static_cast<uint64_t>(m_duration_us), AVIOInterruptCB{&interruptFlagsCallback, &m_irq}));
        if (readable > 0 && readable < m_duration_us)
            m_duration_us = readable;
    }
    if (v.closedCaptions)
        logLine(AV_LOG_WARNING, "closed captions cannot be burned into the picture; the output has none");
    if (!v.background.path.empty() && m_audio >= 0) {
        m_background = std::make_unique<BackgroundReader>(m_abort, m_global);
        if (!m_background->open(v.background.path, v.background.repeat != 0, error))
            return false;
    }
    return true;
}

void RangeSource::keepSoundTracks(size_t count)
{
    if (m_extra.size() + 1 > count)
        m_extra.resize(count > 0 ? count - 1 : 0);
}

std::vector<EncodedOutput::SoundInput> RangeSource::soundInputs() const
{
    std::vector<EncodedOutput::SoundInput> inputs;
    if (m_adec)
        inputs.push_back({m_adec->sample_rate, m_adec->ch_layout.nb_channels});
    for (const std::unique_ptr<ExtraSound> &extra : m_extra)
        if (extra->dec)
            inputs.push_back({extra->dec->sample_rate, extra->dec->ch_layout.nb_channels});
    return inputs;
}

bool RangeSource::encodesSound(int stream) const
{
    if (!m_useAudio || stream < 0)
        return false;
    if (stream == m_audio)
        return true;
    for (const std::unique_ptr<ExtraSound> &extra : m_extra)
        if (extra->stream == stream && extra->used)
            return true;
    return false;
}

AVRational RangeSource::frameRate() const
{
    return m_video >= 0 ? av_guess_frame_rate(m_source.ctx.get(), m_source.ctx->streams[m_video], nullptr) : AVRational{0, 1};
}

AVRational RangeSource::streamRate() const
{
    return m_video >= 0 ? m_source.ctx->streams[m_video]->r_frame_rate : AVRational{0, 1};
}

AVRational RangeSource::averageRate() const
{
    return m_video >= 0 ? m_source.ctx->streams[m_video]->avg_frame_rate : AVRational{0, 1};
}

void RangeSource::copyTagsTo(EncodedOutput &out) const
{
    const AVFormatContext *ctx = m_source.ctx.get();
    std::vector<int> sounds;
    if (out.audioCodec) {
        sounds.push_back(m_audio);
        for (const std::unique_ptr<ExtraSound> &extra : m_extra)
            sounds.push_back(extra->stream);
    }
    std::vector<const AVStream *> soundStreams;
    std::vector<const TrackChoice *> soundChoices(sounds.size(), nullptr);
    for (int stream : sounds)
        soundStreams.push_back(stream >= 0 ? ctx->streams[stream] : nullptr);
    out.takeTags(ctx, m_video >= 0 && out.videoCodec ? ctx->streams[m_video] : nullptr, soundStreams);
    const TrackChoice *video = nullptr;
    for (const TrackChoice &c : m_params.tracks) {
        if (c.stream == m_video && m_video >= 0)
            video = &c;
        for (size_t i = 0; i < sounds.size(); ++i)
            if (c.stream == sounds[i] && sounds[i] >= 0)
                soundChoices[i] = &c;
    }
    out.takeTrackChoices(video, soundChoices);
}

AVRational RangeSource::sampleAspect() const
{
    if (m_video < 0)
        return AVRational{1, 1};
    const AVRational sar = av_guess_sample_aspect_ratio(m_source.ctx.get(), m_source.ctx->streams[m_video], nullptr);
    if (sar.num <= 0 || sar.den <= 0)
        return AVRational{1, 1};
    return quarterTurn() ? AVRational{sar.den, sar.num} : sar;
}

const VideoColour &RangeSource::colour()
{
    if (!m_colourRead && m_video >= 0) {
        m_colour = readSourceColour(m_source.ctx.get(), m_video, &m_irq);
        rewind(); // the colours may have been read from the first pictures
    }
    m_colourRead = true;
    return m_colour;
}

int64_t RangeSource::outLength(const ParamValues &v, int64_t length_us)
{
    const double speed = v.rate > 0 ? std::clamp(v.rate / 100.0, 0.25, 4.0) : 1.0;
    return static_cast<int64_t>(std::llround(length_us / speed));
}

bool RangeSource::addChaptersTo(EncodedOutput &out, std::string &error, const std::string *title) const
{
    const int64_t from = m_fileStart_us + m_start;
    const int64_t to = m_fileStart_us + (m_end > 0 ? m_end : m_duration_us);
    const double speed = m_params.rate > 0 ? std::clamp(m_params.rate / 100.0, 0.25, 4.0) : 1.0;
    return out.addChapters(m_source.ctx.get(), from, to, speed, error, title);
}

bool RangeSource::prepare(uint64_t start_us, uint64_t length_us, const EncodedOutput &out,
                          const Geometry &geometry, bool padSound, std::string &error)
{
    m_start = static_cast<int64_t>(start_us);
    const int64_t askedEnd = length_us > 0 ? m_start + static_cast<int64_t>(length_us) : 0;
    if (out.venc && m_video >= 0 && m_start < kFirstPictureSearch_us) {
        // A recording joined in the middle of a group has sound before
        // its first picture a decoder can show: a range starting there
        // starts with that picture, and its sound with it, rather than
        // holding the picture still while the sound runs.
        const int64_t first = firstPicture_us();
        if (first != kNoTime && first > m_start + kLatePicture_us && (askedEnd == 0 || first < askedEnd))
            m_start = first;
    }
    int64_t length = askedEnd > 0 ? askedEnd - m_start : 0;
    if (length <= 0)
        length = std::max<int64_t>(m_duration_us - m_start, 0);
    else if (m_duration_us > 0)
        length = std::min(length, std::max<int64_t>(m_duration_us - m_start, 0));
    if (m_duration_us > 0 && m_start >= m_duration_us) {
        error = "the range starts after the end of the source";
        return false;
    }
    m_end = askedEnd;
    m_outLength = outLength(m_params, length);

    GraphPlan plan;
    plan.params = &m_params;
    plan.sourcePath = m_path;
    plan.subtitleStream = m_subtitle;
    plan.start_us = m_start;
    plan.end_us = m_end;
    plan.outLength_us = m_outLength;
    plan.padSound = padSound;
    plan.audioShift_us = m_audioShift_us;
    if (out.venc) {
        plan.video.width = m_vdec->width;
        plan.video.height = m_vdec->height;
        plan.video.format = m_vdec->pix_fmt;
        plan.video.sar = av_guess_sample_aspect_ratio(m_source.ctx.get(), m_source.ctx->streams[m_video], nullptr);
        plan.video.rotation = rotation();
        plan.geometry = geometry;
        plan.frameRate = out.venc->framerate;
        plan.ownTiming = out.ownTiming();
        plan.outFormat = out.venc->pix_fmt;
        plan.colour = colour();
        plan.toneMap = plan.colour.hdr() && out.hdrHandling() != HdrHandling::Keep;
        if (!plan.colour.hdr()
            && (out.venc->color_trc == AVCOL_TRC_SMPTE2084 || out.venc->color_trc == AVCOL_TRC_ARIB_STD_B67))
            plan.hdrOut = out.venc->color_trc;
        plan.deinterlace = plan.colour.interlaced() && !out.keepsInterlace();
    }
    // A merged file keeps the sound tracks its first range gave it: a
    // range without sound gives each of them silence, one with sound must
    // keep as many.
    const size_t outSounds = out.soundTracks();
    if (outSounds > 0 && m_adec && soundTracks() != outSounds) {
        error = "this range keeps " + std::to_string(soundTracks()) + " sound track(s) but the merged file has "
            + std::to_string(outSounds);
        return false;
    }
    if (outSounds > 0 && !m_adec) {
        m_extra.clear();
        for (size_t i = 1; i < outSounds; ++i)
            m_extra.push_back(std::make_unique<ExtraSound>());
    }
    // The sound part of a graph: dec's track (silence without one) into
    // enc, moved by shift.
    const auto planSound = [&](GraphPlan &p, const AVCodecContext *dec, int64_t shift, const AVCodecContext *enc) {
        p.audioShift_us = shift;
        p.haveAudioSource = dec != nullptr;
        if (dec) {
            p.audio.sampleRate = dec->sample_rate;
            p.audio.format = dec->sample_fmt;
            av_channel_layout_copy(&p.audio.layout, &dec->ch_layout);
            if (p.audio.layout.order == AV_CHANNEL_ORDER_UNSPEC)
                av_channel_layout_default(&p.audio.layout, p.audio.layout.nb_channels);
        }
        p.outRate = enc->sample_rate;
        p.outSampleFormat = enc->sample_fmt;
        av_channel_layout_copy(&p.outLayout, &enc->ch_layout);
    };
    const auto freePlan = [](GraphPlan &p) {
        av_channel_layout_uninit(&p.audio.layout);
        av_channel_layout_uninit(&p.outLayout);
        av_channel_layout_uninit(&p.background.layout);
    };
    if (outSounds > 0) {
        if (!m_adec && m_outLength <= 0) {
            error = "a range without sound needs a known length";
            return false;
        }
        planSound(plan, m_adec.get(), m_audioShift_us, out.aenc());
        if (m_background)
            plan.background = m_background->desc();
    }
    bool ok = m_graph.build(plan, error);
    freePlan(plan);
    for (size_t i = 0; ok && i < m_extra.size() && i + 1 < outSounds; ++i) {
        // The further tracks get the same edits; the background sound
        // goes into the first only.
        ExtraSound &extra = *m_extra[i];
        GraphPlan sound;
        sound.params = &m_params;
        sound.sourcePath = m_path;
        sound.start_us = m_start;
        sound.end_us = m_end;
        sound.outLength_us = m_outLength;
        sound.padSound = padSound;
        planSound(sound, extra.dec.get(), extra.shift_us, out.soundEncoder(i + 1));
        ok = extra.graph.build(sound, error);
        freePlan(sound);
        extra.used = ok;
    }
    if (!ok)
        return false;
    if (!m_graph.backgroundIn)
        m_background.reset();
    m_useVideo = out.venc != nullptr;
    m_useAudio = outSounds > 0 && m_adec != nullptr;
    return true;
}

bool RangeSource::seekToStart(std::deque<PacketPtr> &pending)
{
    AVFormatContext *ctx = m_source.ctx.get();
    const int64_t target = m_start + m_fileStart_us;
    if (!m_useVideo) {
        // Sound starts anywhere; the trim finds the exact sample.
        const int r = avformat_seek_file(ctx, -1, std::numeric_limits<int64_t>::min(), target, target, 0);
        if (r < 0 && !stopped())
            logLine(AV_LOG_WARNING, "seek to %lld failed, decoding from the start", static_cast<long long>(target));
        return true;
    }
    // Containers without an index (transport and program streams) seek by
    // time stamps found near a byte position, and land on whatever picture
    // is there: the key frame it needs can be seconds earlier. Each miss
    // looks twice as far back, at last from the start of the file.
    int64_t back = 0;
    for (int attempt = 0; attempt < 9; ++attempt) {
        const int64_t seekTo = target - back;
        const bool fromStart = seekTo <= m_fileStart_us;
        if (fromStart) {
            rewind();
        } else if (av_seek_frame(ctx, -1, seekTo, AVSEEK_FLAG_BACKWARD) < 0
                   && avformat_seek_file(ctx, -1, std::numeric_limits<int64_t>::min(), seekTo, seekTo, 0) < 0) {
            back = back == 0 ? 1000000 : back * 2;
            continue;
        }
        pending.clear();
        int64_t key = kNoTime;
        if (!readToKeyFrame(pending, target, key))
            return false;
        if (key != kNoTime || fromStart)
            return true;
        back = back == 0 ? 1000000 : back * 2;
    }
    // No key frame found before the start: decode from the last place
    // tried; the decoder shows what it can and the trim keeps the range.
    logLine(AV_LOG_WARNING, "no key frame found before %lld", static_cast<long long>(target));
    return true;
}

void RangeSource::rewind()
{
    AVFormatContext *ctx = m_source.ctx.get();
    // A time-stamp seek to the start of a file without an index can still
    // land after its first key frame; its first byte cannot.
    const bool bytes = !(ctx->iformat->flags & AVFMT_NO_BYTE_SEEK) && (ctx->iformat->flags & AVFMT_TS_DISCONT);
    if (!bytes || av_seek_frame(ctx, -1, 0, AVSEEK_FLAG_BYTE) < 0)
        avformat_seek_file(ctx, -1, std::numeric_limits<int64_t>::min(), m_fileStart_us, m_fileStart_us, 0);
}

int64_t RangeSource::firstPicture_us()
{
    rewind();
    std::deque<PacketPtr> read;
    int64_t key = kNoTime;
    const bool done = readToKeyFrame(read, m_fileStart_us + kFirstPictureSearch_us, key);
    rewind(); // decoding of a range from the start expects to find the file there
    return done && key != kNoTime ? key - m_fileStart_us : kNoTime;
}

bool RangeSource::readToKeyFrame(std::deque<PacketPtr> &pending, int64_t target, int64_t &key)
{
    AVFormatContext *ctx = m_source.ctx.get();
    const AVRational tb = ctx->streams[m_video]->time_base;
    key = kNoTime;
    for (;;) {
        if (stopped())
            return false;
        PacketPtr pkt = makePacket();
        const int r = av_read_frame(ctx, pkt.get());
        if (r == AVERROR(EAGAIN))
            continue;
        if (r < 0)
            return true; // the end, or a read error the run itself will meet
        if (encodesSound(pkt->stream_index)) {
            pending.push_back(std::move(pkt));
            continue;
        }
        if (pkt->stream_index != m_video)
            continue;
        const int64_t dts = toMicros(pkt->dts != kNoTime ? pkt->dts : pkt->pts, tb);
        if (pkt->flags & AV_PKT_FLAG_KEY) {
            const int64_t pts = toMicros(pkt->pts != kNoTime ? pkt->pts : pkt->dts, tb);
            // A key frame without any time cannot be placed: taken as early enough.
            if (pts == kNoTime || pts <= target) {
                key = pts == kNoTime ? target : pts;
                pending.push_back(std::move(pkt));
            }
            return true;
        }
        // Pictures before the first key frame cannot be decoded; once they
        // are past the start no key frame at or before it can follow.
        if (dts != kNoTime && dts > target)
            return true;
    }
}

bool RangeSource::run(EncodedOutput &out, CopyProgress &progress, std::string &error)
{
    AVFormatContext *ctx = m_source.ctx.get();
    std::deque<PacketPtr> pending;
    if (m_start > 0 && !seekToStart(pending))
        return false;
    m_reachedStart = m_start <= 0;
    PacketPtr pkt = makePacket();
    m_frame.reset(av_frame_alloc());
    m_filtered.reset(av_frame_alloc());
    bool videoDone = !m_useVideo, audioDone = !m_useAudio;
    const auto extrasDone = [this] {
        return std::all_of(m_extra.begin(), m_extra.end(),
                           [](const std::unique_ptr<ExtraSound> &e) { return !e->used || !e->dec || e->done; });
    };
    while (!(videoDone && audioDone && extrasDone())) {
        if (stopped())
            return false;
        if (!pending.empty()) {
            pkt = std::move(pending.front());
            pending.pop_front();
        } else {
            if (!pkt)
                pkt = makePacket();
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
        }
        bool ok = true;
        if (m_useVideo && pkt->stream_index == m_video && !videoDone)
            ok = decode(m_vdec.get(), m_graph.videoIn, pkt.get(), m_video, m_nextVideo_us, 0, videoDone, error);
        else if (m_useAudio && pkt->stream_index == m_audio && !audioDone)
            ok = decode(m_adec.get(), m_graph.audioIn, pkt.get(), m_audio, m_nextAudio_us, m_audioShift_us, audioDone,
                        error);
        else if (m_useAudio)
            for (const std::unique_ptr<ExtraSound> &e : m_extra)
                if (ok && e->used && e->dec && pkt->stream_index == e->stream && !e->done)
                    ok = decode(e->dec.get(), e->graph.audioIn, pkt.get(), e->stream, e->next_us, e->shift_us,
                                e->done, error);
        av_packet_unref(pkt.get());
        if (!ok || !drain(out, progress, error))
            return false;
    }
    // Flush the decoders, then close the graph's inputs.
    bool ignored = false;
    if (m_useVideo && !decode(m_vdec.get(), m_graph.videoIn, nullptr, m_video, m_nextVideo_us, 0, ignored, error))
        return false;
    if (m_useAudio
        && !decode(m_adec.get(), m_graph.audioIn, nullptr, m_audio, m_nextAudio_us, m_audioShift_us, ignored, error))
        return false;
    for (const std::unique_ptr<ExtraSound> &e : m_extra) {
        bool flushed = false;
        if (m_useAudio && e->used && e->dec
            && !decode(e->dec.get(), e->graph.audioIn, nullptr, e->stream, e->next_us, e->shift_us, flushed, error))
            return false;
    }
    if (m_beforeStart) {
        // The range starts within the source's last picture.
        const int r = addVideo(nullptr);
        if (r < 0 && r != AVERROR_EOF) {
            error = std::string("the filter graph refused a frame: ") + ffmpegError(r);
            return false;
        }
    }
    // The inputs end where their last frame ends, not where it starts:
    // otherwise the constant-rate stage drops the last picture.
    for (AVFilterContext *src : {m_graph.videoIn, m_graph.audioIn}) {
        int64_t end = src == m_graph.videoIn ? m_nextVideo_us : m_nextAudio_us;
        if (m_end > 0)
            end = std::min(end, m_end);
        // The pictures end together with the moving overlays fed beside them.
        const int r = !src ? 0
            : src == m_graph.videoIn ? m_graph.closeVideo(end, AV_BUFFERSRC_FLAG_PUSH)
                                     : av_buffersrc_close(src, end, AV_BUFFERSRC_FLAG_PUSH);
        if (r < 0 && r != AVERROR_EOF) {
            error = "the filter graph cannot end: " + ffmpegError(r);
            return false;
        }
    }
    for (const std::unique_ptr<ExtraSound> &e : m_extra) {
        if (!e->used || !e->graph.audioIn)
            continue;
        const int64_t end = m_end > 0 ? std::min(e->next_us, m_end) : e->next_us;
        const int r = av_buffersrc_close(e->graph.audioIn, end, AV_BUFFERSRC_FLAG_PUSH);
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

bool RangeSource::decode(AVCodecContext *dec, AVFilterContext *src, const AVPacket *pkt, int stream,
                         int64_t &next, int64_t shift, bool &done, std::string &error)
{
    int r = avcodec_send_packet(dec, pkt);
    if (r < 0 && r != AVERROR_EOF && r != AVERROR(EAGAIN)) {
        // A damaged packet costs its frame, not the conversion.
        logLine(AV_LOG_WARNING, "decoding error: %s", ffmpegError(r).c_str());
        return true;
    }
    const AVRational tb = m_source.ctx->streams[stream]->time_base;
    const bool isAudio = dec->codec_type == AVMEDIA_TYPE_AUDIO;
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
        // A shifted sound track is heard that much later (or earlier): the
        // graph's trim at the range's start cuts what comes before it.
        pts += shift;
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
        r = isAudio ? av_buffersrc_add_frame_flags(src, m_frame.get(), AV_BUFFERSRC_FLAG_KEEP_REF) : addVideo(m_frame.get());
        av_frame_unref(m_frame.get());
        if (r == AVERROR_EOF) {
            done = true;
            continue;
        }
        if (r < 0) {
            error = std::string("the filter graph refused a frame: ") + ffmpegError(r);
            return false;
        }
        if (src == m_graph.audioIn)
            feedBackground();
    }
}

int RangeSource::addVideo(AVFrame *frame)
{
    if (!m_reachedStart) {
        if (frame && frame->pts < m_start) {
            if (!m_beforeStart)
                m_beforeStart.reset(av_frame_alloc());
            av_frame_unref(m_beforeStart.get());
            return av_frame_ref(m_beforeStart.get(), frame);
        }
        m_reachedStart = true;
        if (m_beforeStart && (!frame || frame->pts > m_start)) {
            m_beforeStart->pts = m_start;
            const int r = m_graph.addVideoFrame(m_beforeStart.get(), AV_BUFFERSRC_FLAG_KEEP_REF);
            m_beforeStart.reset();
            if (r < 0 || !frame)
                return r;
        }
        m_beforeStart.reset();
    }
    return frame ? m_graph.addVideoFrame(frame, AV_BUFFERSRC_FLAG_KEEP_REF) : 0;
}

void RangeSource::feedBackground()
{
    if (!m_background)
        return;
    const double speed = m_params.rate > 0 ? std::clamp(m_params.rate / 100.0, 0.25, 4.0) : 1.0;
    const int64_t mainOut = static_cast<int64_t>((m_nextAudio_us - m_start) / speed);
    while (!m_background->ended() && m_background->fed_us() < mainOut + kBackgroundLead_us && !stopped())
        m_background->feed(m_graph.backgroundIn);
}

bool RangeSource::drain(EncodedOutput &out, CopyProgress &progress, std::string &error)
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
                const bool ok = out.audio(0, m_filtered.get(), error);
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
        for (size_t i = 0; i < m_extra.size(); ++i) {
            ExtraSound &e = *m_extra[i];
            if (!e.used || !e.graph.audioOut || e.ended)
                continue;
            const int r = av_buffersink_get_frame(e.graph.audioOut, m_filtered.get());
            if (r >= 0) {
                any = true;
                const bool ok = out.audio(i + 1, m_filtered.get(), error);
                av_frame_unref(m_filtered.get());
                if (!ok)
                    return false;
            } else if (r == AVERROR_EOF) {
                e.ended = true;
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
            const bool extrasOpen = std::any_of(m_extra.begin(), m_extra.end(), [](const std::unique_ptr<ExtraSound> &e) {
                return e->used && e->graph.audioOut && !e->ended;
            });
            if (m_flushing
                && ((m_graph.videoOut && !m_videoEnded) || (m_graph.audioOut && !m_audioEnded) || extrasOpen)) {
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

int RangeSource::rotation() const
{
    return m_video >= 0 ? streamRotation(m_source.ctx->streams[m_video]) : 0;
}

RangeSource::~RangeSource() = default;

} // namespace orl
