#include "Player.h"

#include "Engine.h"
#include "FFmpegPtr.h"
#include "SourceOpen.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include <SDL.h>

extern "C" {
#include <libavutil/display.h>
#include <libavutil/imgutils.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

namespace orl {

namespace {

// Queue bounds: enough pictures to ride over a slow frame, enough audio to
// keep the device fed; the decode thread waits when both are full.
constexpr size_t kPictureSoftLimit = 8;
constexpr size_t kPictureHardLimit = 24;
constexpr int64_t kAudioHighUs = 1000000;
constexpr int64_t kAudioLowUs = 300000;

int streamRotation(const AVStream *st)
{
    const uint8_t *matrix = av_stream_get_side_data(st, AV_PKT_DATA_DISPLAYMATRIX, nullptr);
    if (!matrix)
        return 0;
    double theta = -av_display_rotation_get(reinterpret_cast<const int32_t *>(matrix));
    if (std::isnan(theta))
        return 0;
    theta -= 360 * std::floor(theta / 360 + 0.9 / 360);
    const int r = static_cast<int>(std::lround(theta / 90.0)) * 90 % 360;
    return r < 0 ? r + 360 : r;
}

int64_t toUs(int64_t ts, AVRational tb)
{
    return av_rescale_q(ts, tb, AV_TIME_BASE_Q);
}

std::mutex g_sdlMutex;

} // namespace

Player::Player() : EngineObject(HandleKind::Player) {}

Player::~Player()
{
    close();
}

int Player::interruptCallback(void *opaque)
{
    const auto *self = static_cast<const Player *>(opaque);
    return self->m_stopRequest.load(std::memory_order_relaxed) || globalInterrupt();
}

bool Player::isOpen() const
{
    return m_opened.load();
}

bool Player::openDecoder(int streamIndex, CodecContextPtr &ctx)
{
    const AVStream *st = m_fmt->streams[streamIndex];
    const AVCodec *codec = avcodec_find_decoder(st->codecpar->codec_id);
    if (!codec)
        return false;
    CodecContextPtr c(avcodec_alloc_context3(codec));
    if (!c || avcodec_parameters_to_context(c.get(), st->codecpar) < 0)
        return false;
    c->pkt_timebase = st->time_base;
    c->thread_count = 0;
    // Frame threads hold back each picture until several more are in
    // flight, which a step or an exact seek would pay for every time.
    // Sound decodes fast enough on one thread.
    if (codec->type == AVMEDIA_TYPE_VIDEO)
        c->thread_type = FF_THREAD_SLICE;
    else
        c->thread_count = 1;
    if (avcodec_open2(c.get(), codec, nullptr) < 0)
        return false;
    ctx = std::move(c);
    return true;
}

bool Player::open(const std::string &path, int displayWidth, int displayHeight)
{
    close();
    std::lock_guard<std::mutex> command(m_commandMutex);
    m_stopRequest.store(false);
    clearError();

    std::string error;
    OpenedSource source;
    if (!openSource(path, AVIOInterruptCB{&Player::interruptCallback, this}, source, error)) {
        setError(error);
        return false;
    }
    if (source.streamInfoResult < 0)
        logLine(AV_LOG_WARNING, "player: %s: stream information incomplete: %s", path.c_str(),
                ffmpegError(source.streamInfoResult).c_str());

    std::lock_guard<std::mutex> decode(m_decodeMutex);
    m_fmt.reset();
    m_input = std::move(source.input);
    m_fmt = std::move(source.ctx);
    m_videoStream = -1;
    for (unsigned i = 0; i < m_fmt->nb_streams; ++i) {
        const AVStream *st = m_fmt->streams[i];
        if (st->codecpar->codec_type == AVMEDIA_TYPE_VIDEO
            && !(st->disposition & AV_DISPOSITION_ATTACHED_PIC)) {
            m_videoStream = static_cast<int>(i);
            break;
        }
    }
    m_audioStream = av_find_best_stream(m_fmt.get(), AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    if (m_videoStream >= 0 && !openDecoder(m_videoStream, m_video)) {
        logLine(AV_LOG_WARNING, "player: %s: no decoder for the video stream", path.c_str());
        m_videoStream = -1;
    }
    if (m_audioStream >= 0 && !openDecoder(m_audioStream, m_audio)) {
        logLine(AV_LOG_WARNING, "player: %s: no decoder for the audio stream", path.c_str());
        m_audioStream = -1;
    }
    if (m_videoStream < 0 && m_audioStream < 0) {
        setError("no playable stream");
        m_fmt.reset();
        m_input.reset();
        return false;
    }
    for (unsigned i = 0; i < m_fmt->nb_streams; ++i)
        if (static_cast<int>(i) != m_videoStream && static_cast<int>(i) != m_audioStream)
            m_fmt->streams[i]->discard = AVDISCARD_ALL;

    m_path = path;
    m_originUs = m_fmt->start_time != AV_NOPTS_VALUE ? m_fmt->start_time : 0;
    m_durationUs = m_fmt->duration != AV_NOPTS_VALUE ? std::max<int64_t>(0, m_fmt->duration) : 0;
    m_requestWidth = displayWidth > 0 && displayHeight > 0 ? displayWidth : 0;
    m_requestHeight = displayWidth > 0 && displayHeight > 0 ? displayHeight : 0;
    if (m_videoStream >= 0) {
        const AVStream *st = m_fmt->streams[m_videoStream];
        m_width = st->codecpar->width;
        m_height = st->codecpar->height;
        m_rotation = streamRotation(st);
        AVRational sar = av_guess_sample_aspect_ratio(m_fmt.get(), const_cast<AVStream *>(st), nullptr);
        m_sarNum = sar.num > 0 && sar.den > 0 ? sar.num : 1;
        m_sarDen = sar.num > 0 && sar.den > 0 ? sar.den : 1;
        AVRational rate = av_guess_frame_rate(m_fmt.get(), const_cast<AVStream *>(st), nullptr);
        m_frameDurationUs = rate.num > 0 && rate.den > 0 ? av_rescale(1000000, rate.den, rate.num) : 40000;
        if (m_durationUs == 0 && st->duration != AV_NOPTS_VALUE)
            m_durationUs = toUs(st->duration, st->time_base);
    }
    m_packet = makePacket();
    m_scratch.reset(av_frame_alloc());
    if (!m_packet || !m_scratch) {
        setError("out of memory");
        m_fmt.reset();
        return false;
    }
    if (m_audioStream >= 0)
        openAudioOutput();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_quit = false;
        m_playing = false;
        m_ended = false;
        m_frameTimeUs = -1;
        m_pausedClockUs = 0;
        m_asyncMode = false;
        m_asyncTarget = -1;
    }
    // The first picture is decoded at once so that a sink set right after
    // the open shows it without waiting for playback.
    seekExactLocked(0);
    startThreads();
    if (m_audioDevice)
        SDL_PauseAudioDevice(m_audioDevice, 0);
    m_opened.store(true);
    return true;
}

bool Player::openAudioOutput()
{
    const AVCodecContext *a = m_audio.get();
    const int channels = std::max(1, std::min(2, a->ch_layout.nb_channels));
    m_outRate = a->sample_rate > 0 ? a->sample_rate : 44100;
    m_outChannels = channels;
    m_audioFailed = false;
    {
        std::lock_guard<std::mutex> lock(g_sdlMutex);
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            logLine(AV_LOG_WARNING, "player: audio subsystem unavailable: %s", SDL_GetError());
            m_audioFailed = true;
        } else {
            SDL_AudioSpec want{};
            SDL_AudioSpec have{};
            want.freq = m_outRate;
            want.format = AUDIO_S16SYS;
            want.channels = static_cast<Uint8>(channels);
            want.samples = 1024;
            want.callback = &Player::audioCallback;
            want.userdata = this;
            m_audioDevice = SDL_OpenAudioDevice(nullptr, 0, &want, &have,
                                                SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
            if (m_audioDevice == 0) {
                logLine(AV_LOG_WARNING, "player: audio device did not open: %s", SDL_GetError());
                SDL_QuitSubSystem(SDL_INIT_AUDIO);
                m_audioFailed = true;
            } else {
                m_outRate = have.freq;
                m_deviceBufferSamples = have.samples;
            }
        }
    }
    AVChannelLayout outLayout;
    av_channel_layout_default(&outLayout, m_outChannels);
    AVChannelLayout inLayout;
    if (a->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC || a->ch_layout.nb_channels <= 0)
        av_channel_layout_default(&inLayout, std::max(1, a->ch_layout.nb_channels));
    else
        av_channel_layout_copy(&inLayout, &a->ch_layout);
    SwrContext *swr = nullptr;
    int ret = swr_alloc_set_opts2(&swr, &outLayout, AV_SAMPLE_FMT_S16, m_outRate, &inLayout,
                                  a->sample_fmt, a->sample_rate > 0 ? a->sample_rate : m_outRate, 0,
                                  nullptr);
    av_channel_layout_uninit(&inLayout);
    av_channel_layout_uninit(&outLayout);
    if (ret < 0 || swr_init(swr) < 0) {
        swr_free(&swr);
        logLine(AV_LOG_WARNING, "player: audio conversion unavailable");
        return false;
    }
    m_swr = swr;
    return true;
}

void Player::closeAudioOutput()
{
    if (m_audioDevice) {
        std::lock_guard<std::mutex> lock(g_sdlMutex);
        SDL_CloseAudioDevice(m_audioDevice);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        m_audioDevice = 0;
    }
    swr_free(&m_swr);
}

void Player::close()
{
    m_stopRequest.store(true);
    std::lock_guard<std::mutex> command(m_commandMutex);
    m_opened.store(false);
    stopThreads();
    // The device is closed before the queues go: its callback reads them.
    closeAudioOutput();
    std::lock_guard<std::mutex> decode(m_decodeMutex);
    {
        std::lock_guard<std::mutex> present(m_presentMutex);
        m_current.reset();
        m_history.clear();
        m_converted = false;
        sws_freeContext(m_sws);
        m_sws = nullptr;
        // Edits belong to the file they were made for.
        m_edits.reset();
        m_audioEdits.reset();
        m_edited.reset();
        m_editedValid = false;
        m_editedConverted = false;
        sws_freeContext(m_editedSws);
        m_editedSws = nullptr;
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    m_pictures.clear();
    m_samples.clear();
    m_sampleCount = 0;
    m_video.reset();
    m_audio.reset();
    m_fmt.reset();
    m_input.reset();
    m_videoStream = m_audioStream = -1;
    m_durationUs = 0;
    m_width = m_height = 0;
    m_rotation = 0;
    m_audioFailed = false;
    m_playing = false;
    m_ended = false;
    m_eof = false;
    m_frameTimeUs = -1;
    m_pausedClockUs = 0;
    m_levelSamples.clear();
    m_levelFresh = false;
}

void Player::startThreads()
{
    m_decodeThread = std::thread([this] { decodeLoop(); });
    m_presentThread = std::thread([this] { presentLoop(); });
}

void Player::stopThreads()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_quit = true;
        ++m_asyncGeneration; // ends an interactive seek in progress
    }
    m_cv.notify_all();
    if (m_decodeThread.joinable())
        m_decodeThread.join();
    if (m_presentThread.joinable())
        m_presentThread.join();
}

// ---------------------------------------------------------------- decoding

int64_t Player::frameTimeUs(const AVFrame *frame, const AVStream *st) const
{
    int64_t ts = frame->best_effort_timestamp;
    if (ts == AV_NOPTS_VALUE)
        ts = frame->pts;
    if (ts == AV_NOPTS_VALUE)
        return INT64_MIN;
    return toUs(ts, st->time_base) - m_originUs;
}

void Player::receiveVideo(std::deque<VideoFrame> *pictures)
{
    const AVStream *st = m_fmt->streams[m_videoStream];
    while (avcodec_receive_frame(m_video.get(), m_scratch.get()) >= 0) {
        VideoFrame v;
        v.frame.reset(av_frame_alloc());
        if (!v.frame)
            return;
        av_frame_move_ref(v.frame.get(), m_scratch.get());
        v.ptsUs = frameTimeUs(v.frame.get(), st);
        if (v.ptsUs == INT64_MIN) {
            v.ptsUs = m_lastVideoUs == INT64_MIN ? 0 : m_lastVideoUs + m_frameDurationUs;
        } else if (v.frame->pkt_duration > 0) {
            const int64_t ts = v.frame->best_effort_timestamp != AV_NOPTS_VALUE
                ? v.frame->best_effort_timestamp
                : v.frame->pts;
            v.endUs = toUs(ts + v.frame->pkt_duration, st->time_base) - m_originUs;
        }
        m_lastVideoUs = v.ptsUs;
        if (pictures) {
            pictures->push_back(std::move(v));
        } else {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_pictures.push_back(std::move(v));
            m_cv.notify_all();
        }
    }
}

void Player::receiveAudio()
{
    while (avcodec_receive_frame(m_audio.get(), m_scratch.get()) >= 0) {
        pushAudio(m_scratch.get());
        av_frame_unref(m_scratch.get());
    }
}

void Player::pushAudio(AVFrame *frame)
{
    if (!m_swr)
        return;
    const AVStream *st = m_fmt->streams[m_audioStream];
    int64_t pts = frameTimeUs(frame, st);
    if (pts == INT64_MIN)
        pts = m_nextAudioUs;
    if (m_audioEdits && m_audioEdits->active()) {
        std::string error;
        std::vector<FramePtr> edited = m_audioEdits->apply(frame, pts, error);
        if (edited.empty() && !error.empty()) {
            // Heard unedited rather than not at all.
            logLine(AV_LOG_WARNING, "player: %s", error.c_str());
            setError(error);
            m_audioEdits.reset();
            pushSamples(frame, pts);
            return;
        }
        for (FramePtr &f : edited)
            pushSamples(f.get(), f->pts != AV_NOPTS_VALUE ? f->pts : m_nextAudioUs);
        return;
    }
    pushSamples(frame, pts);
}

void Player::pushSamples(AVFrame *frame, int64_t pts)
{
    const int outMax = swr_get_out_samples(m_swr, frame->nb_samples);
    if (outMax <= 0)
        return;
    AudioChunk chunk;
    chunk.samples.resize(static_cast<size_t>(outMax) * m_outChannels);
    uint8_t *out = reinterpret_cast<uint8_t *>(chunk.samples.data());
    const int got = swr_convert(m_swr, &out, outMax, const_cast<const uint8_t **>(frame->extended_data),
                                frame->nb_samples);
    if (got <= 0)
        return;
    chunk.samples.resize(static_cast<size_t>(got) * m_outChannels);
    chunk.ptsUs = pts;
    m_nextAudioUs = pts + int64_t(got) * 1000000 / m_outRate;
    // Samples before the floor belong to pictures before the one shown.
    if (m_nextAudioUs <= m_audioFloorUs)
        return;
    if (pts < m_audioFloorUs) {
        const size_t skip = static_cast<size_t>((m_audioFloorUs - pts) * m_outRate / 1000000);
        chunk.offset = std::min(chunk.samples.size(), skip * m_outChannels);
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    m_sampleCount += chunk.samples.size() - chunk.offset;
    m_samples.push_back(std::move(chunk));
    m_cv.notify_all();
}

bool Player::decodePacket(std::deque<VideoFrame> *pictures)
{
    if (m_demuxEnded)
        return false;
    AVPacket *pkt = m_packet.get();
    const int ret = av_read_frame(m_fmt.get(), pkt);
    if (ret < 0) {
        if (ret != AVERROR_EOF && ret != AVERROR_EXIT)
            logLine(AV_LOG_WARNING, "player: read ends: %s", ffmpegError(ret).c_str());
        if (ret != AVERROR_EXIT) {
            // Drain what the decoders still hold.
            if (m_video) {
                avcodec_send_packet(m_video.get(), nullptr);
                receiveVideo(pictures);
            }
            if (m_audio) {
                avcodec_send_packet(m_audio.get(), nullptr);
                receiveAudio();
            }
        }
        m_demuxEnded = true;
        return false;
    }
    if (pkt->stream_index == m_videoStream) {
        if (m_firstVideoDts == AV_NOPTS_VALUE)
            m_firstVideoDts = pkt->dts != AV_NOPTS_VALUE ? pkt->dts : pkt->pts;
        // While seeking exactly, pictures that end before the target and
        // that nothing refers to need not be decoded.
        bool skip = false;
        if (m_skipBeforeUs != INT64_MIN && pkt->pts != AV_NOPTS_VALUE && pkt->duration > 0) {
            const AVStream *st = m_fmt->streams[m_videoStream];
            skip = toUs(pkt->pts + pkt->duration, st->time_base) - m_originUs <= m_skipBeforeUs;
        }
        m_video->skip_frame = skip ? AVDISCARD_NONREF : AVDISCARD_DEFAULT;
        int sent = avcodec_send_packet(m_video.get(), pkt);
        if (sent == AVERROR(EAGAIN)) {
            receiveVideo(pictures);
            sent = avcodec_send_packet(m_video.get(), pkt);
        }
        if (sent < 0 && sent != AVERROR(EAGAIN))
            logLine(AV_LOG_DEBUG, "player: video packet refused: %s", ffmpegError(sent).c_str());
        receiveVideo(pictures);
    } else if (pkt->stream_index == m_audioStream) {
        int sent = avcodec_send_packet(m_audio.get(), pkt);
        if (sent == AVERROR(EAGAIN)) {
            receiveAudio();
            sent = avcodec_send_packet(m_audio.get(), pkt);
        }
        receiveAudio();
    }
    av_packet_unref(pkt);
    return true;
}

bool Player::seekDemuxer(int64_t timeUs)
{
    const int stream = m_videoStream >= 0 ? m_videoStream : m_audioStream;
    const AVStream *st = m_fmt->streams[stream];
    const int64_t ts = av_rescale_q(timeUs + m_originUs, AV_TIME_BASE_Q, st->time_base);
    return seekDemuxerTs(ts);
}

bool Player::seekDemuxerTs(int64_t ts)
{
    const int stream = m_videoStream >= 0 ? m_videoStream : m_audioStream;
    int ret = av_seek_frame(m_fmt.get(), stream, ts, AVSEEK_FLAG_BACKWARD);
    if (ret < 0)
        ret = avformat_seek_file(m_fmt.get(), stream, INT64_MIN, ts, INT64_MAX, 0);
    if (ret < 0) {
        // The picture shown then is not the one asked for: say so.
        setError("seek failed: " + ffmpegError(ret));
        logLine(AV_LOG_WARNING, "player: seek failed: %s", ffmpegError(ret).c_str());
    }
    if (m_video)
        avcodec_flush_buffers(m_video.get());
    if (m_audio)
        avcodec_flush_buffers(m_audio.get());
    if (m_swr)
        swr_init(m_swr);
    m_demuxEnded = false;
    m_firstVideoDts = AV_NOPTS_VALUE;
    m_lastVideoUs = INT64_MIN;
    m_nextAudioUs = 0;
    return ret >= 0;
}

void Player::flushQueuesLocked()
{
    m_pictures.clear();
    m_samples.clear();
    m_sampleCount = 0;
    m_eof = false;
    m_ended = false;
    m_audioBehind = false;
    ++m_epoch;
}

bool Player::seekExactLocked(int64_t timeUs)
{
    timeUs = std::max<int64_t>(0, timeUs);
    if (m_durationUs > 0)
        timeUs = std::min(timeUs, m_durationUs);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        flushQueuesLocked();
    }
    m_audioFloorUs = timeUs;
    if (m_videoStream < 0) {
        if (!seekDemuxer(timeUs))
            return false;
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_playing)
            anchorClock(timeUs);
        else
            m_pausedClockUs = timeUs;
        return true;
    }
    const AVStream *st = m_fmt->streams[m_videoStream];
    std::deque<VideoFrame> local;
    VideoFrame shown;
    bool have = false;
    int64_t seekTs = av_rescale_q(timeUs + m_originUs, AV_TIME_BASE_Q, st->time_base);
    int64_t landedDts = AV_NOPTS_VALUE;
    for (int attempt = 0; attempt < 8 && !have; ++attempt) {
        local.clear();
        seekDemuxerTs(seekTs);
        m_skipBeforeUs = timeUs;
        int packets = 0;
        while (local.empty() && decodePacket(&local) && ++packets < kMaxPacketsPerPicture) {
        }
        if (local.empty())
            break;
        // A key frame whose decoding time is before the target may still
        // show after it; then the picture wanted is in the group before.
        if (local.front().ptsUs > timeUs && m_firstVideoDts != AV_NOPTS_VALUE
            && m_firstVideoDts != landedDts && m_firstVideoDts <= seekTs && attempt < 7) {
            landedDts = m_firstVideoDts;
            seekTs = m_firstVideoDts - 1;
            continue;
        }
        shown = std::move(local.front());
        local.pop_front();
        have = true;
    }
    m_skipBeforeUs = INT64_MIN;
    if (!have) {
        if (m_stopRequest.load())
            return false;
        // Nothing decodable from here: keep showing the current picture.
        setError("no picture at the seek position");
        return false;
    }
    m_skipBeforeUs = timeUs;
    bool ended = false;
    // A picture whose container duration covers the target is the one;
    // otherwise the next picture must show that it starts after the target.
    bool found = shown.spans(timeUs);
    for (int packets = 0; packets < kMaxPacketsPerPicture && !found; ++packets) {
        while (!found && !local.empty() && local.front().ptsUs <= timeUs) {
            shown = std::move(local.front());
            local.pop_front();
            found = shown.spans(timeUs);
        }
        // The end of the stream still hands over the decoder's last pictures.
        if (found || !local.empty() || ended)
            break;
        ended = !decodePacket(&local);
    }
    m_skipBeforeUs = INT64_MIN;
    uint64_t epoch;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        for (auto &v : local)
            m_pictures.push_back(std::move(v));
        dropSamplesBeforeLocked(shown.ptsUs);
        if (m_playing)
            anchorClock(shown.ptsUs);
        else
            m_pausedClockUs = std::max<int64_t>(0, shown.ptsUs);
        epoch = m_epoch;
        m_cv.notify_all();
    }
    present(std::move(shown), epoch);
    return true;
}

void Player::dropSamplesBeforeLocked(int64_t timeUs)
{
    while (!m_samples.empty()) {
        AudioChunk &c = m_samples.front();
        const size_t frames = (c.samples.size() - c.offset) / m_outChannels;
        const int64_t start = c.ptsUs + int64_t(c.offset / m_outChannels) * 1000000 / m_outRate;
        const int64_t end = start + int64_t(frames) * 1000000 / m_outRate;
        if (end <= timeUs) {
            m_sampleCount -= c.samples.size() - c.offset;
            m_samples.pop_front();
            continue;
        }
        if (start < timeUs) {
            const size_t skip = static_cast<size_t>((timeUs - start) * m_outRate / 1000000) * m_outChannels;
            const size_t n = std::min(skip, c.samples.size() - c.offset);
            c.offset += n;
            m_sampleCount -= n;
        }
        break;
    }
}

bool Player::nextPictureLocked(VideoFrame &out)
{
    for (int packets = 0; packets < kMaxPacketsPerPicture; ++packets) {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (!m_pictures.empty()) {
                out = std::move(m_pictures.front());
                m_pictures.pop_front();
                m_cv.notify_all();
                return true;
            }
        }
        if (!decodePacket(nullptr))
            break;
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_pictures.empty())
        return false;
    out = std::move(m_pictures.front());
    m_pictures.pop_front();
    return true;
}

void Player::decodeLoop()
{
    std::unique_lock<std::mutex> lk(m_mutex);
    while (!m_quit) {
        if (m_asyncTarget >= 0) {
            const int64_t target = m_asyncTarget;
            const int64_t budget = m_asyncBudgetUs;
            const uint64_t generation = m_asyncGeneration;
            m_asyncTarget = -1;
            lk.unlock();
            {
                std::lock_guard<std::mutex> decode(m_decodeMutex);
                seekKeyLocked(target, budget, generation);
            }
            lk.lock();
            continue;
        }
        const int64_t audioUs = m_audioStream >= 0
            ? int64_t(m_sampleCount / m_outChannels) * 1000000 / m_outRate
            : 0;
        bool room;
        if (m_videoStream < 0)
            room = audioUs < kAudioHighUs;
        else if (m_pictures.size() < kPictureSoftLimit)
            room = m_audioStream < 0 || audioUs < kAudioHighUs;
        else
            // Pictures are full; read on only while the audio runs short,
            // so a badly interleaved file does not starve the clock.
            room = m_pictures.size() < kPictureHardLimit && m_audioStream >= 0 && audioUs < kAudioLowUs;
        if (!m_playing || m_eof || !room) {
            m_cv.wait(lk);
            continue;
        }
        lk.unlock();
        bool more;
        uint64_t epoch;
        {
            std::lock_guard<std::mutex> decode(m_decodeMutex);
            more = decodePacket(nullptr);
            std::lock_guard<std::mutex> lock(m_mutex);
            epoch = m_epoch;
        }
        lk.lock();
        if (!more && epoch == m_epoch) {
            m_eof = true;
            m_cv.notify_all();
        }
    }
}

bool Player::seekKeyLocked(int64_t timeUs, int64_t budgetUs, uint64_t generation)
{
    if (m_videoStream < 0)
        return seekExactLocked(timeUs);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        flushQueuesLocked();
    }
    seekDemuxer(std::max<int64_t>(0, timeUs));
    m_audioFloorUs = timeUs;
    std::deque<VideoFrame> local;
    VideoFrame shown;
    bool have = false;
    bool ended = false;
    auto superseded = [&] {
        std::lock_guard<std::mutex> lock(m_mutex);
        return generation != m_asyncGeneration || m_quit;
    };
    for (int packets = 0; packets < kMaxPacketsPerPicture; ++packets) {
        while (!local.empty()) {
            if (have && local.front().ptsUs > timeUs)
                break;
            shown = std::move(local.front());
            local.pop_front();
            have = true;
        }
        // Far from the key frame the drag shows the key frame alone;
        // near it, the exact picture, unless a newer target has arrived.
        if (have && (!local.empty() || shown.ptsUs + budgetUs < timeUs || superseded()))
            break;
        if (ended)
            break;
        ended = !decodePacket(&local);
    }
    if (!have)
        return false;
    uint64_t epoch;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        dropSamplesBeforeLocked(shown.ptsUs);
        m_pausedClockUs = std::max<int64_t>(0, shown.ptsUs);
        if (m_playing)
            anchorClock(shown.ptsUs);
        for (auto &v : local)
            m_pictures.push_back(std::move(v));
        epoch = m_epoch;
        m_cv.notify_all();
    }
    present(std::move(shown), epoch);
    return true;
}

// ---------------------------------------------------------------- clock, output

int64_t Player::clockUs() const
{
    if (!m_playing)
        return m_pausedClockUs;
    const auto elapsed = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - m_anchorWall);
    return m_anchorMediaUs + elapsed.count();
}

void Player::anchorClock(int64_t mediaUs)
{
    m_anchorMediaUs = mediaUs;
    m_anchorWall = Clock::now();
}

size_t Player::consumeSamplesLocked(int16_t *out, size_t wanted, int64_t *firstUs)
{
    size_t done = 0;
    while (done < wanted && !m_samples.empty()) {
        AudioChunk &c = m_samples.front();
        if (done == 0 && firstUs)
            *firstUs = c.ptsUs + int64_t(c.offset / m_outChannels) * 1000000 / m_outRate;
        const size_t n = std::min(wanted - done, c.samples.size() - c.offset);
        const int16_t *src = c.samples.data() + c.offset;
        if (out)
            std::memcpy(out + done, src, n * sizeof(int16_t));
        if (m_delivery) {
            // Keep the latest 50 ms for the level display.
            const size_t keep = static_cast<size_t>(m_outRate / 20) * m_outChannels;
            m_levelSamples.insert(m_levelSamples.end(), src, src + n);
            if (m_levelSamples.size() > keep)
                m_levelSamples.erase(m_levelSamples.begin(),
                                     m_levelSamples.end() - static_cast<std::ptrdiff_t>(keep));
            m_levelFresh = true;
        }
        c.offset += n;
        done += n;
        m_sampleCount -= n;
        if (c.offset >= c.samples.size())
            m_samples.pop_front();
    }
    return done;
}

void Player::audioCallback(void *opaque, uint8_t *stream, int len)
{
    auto *self = static_cast<Player *>(opaque);
    auto *out = reinterpret_cast<int16_t *>(stream);
    const size_t wanted = static_cast<size_t>(len) / sizeof(int16_t);
    std::lock_guard<std::mutex> lock(self->m_mutex);
    size_t got = 0;
    if (self->m_playing && !self->m_asyncMode) {
        const int64_t latency = int64_t(self->m_deviceBufferSamples) * 1000000 / self->m_outRate;
        if (!self->m_samples.empty()) {
            // A callback served late (a busy machine) must not slow the
            // clock down: what the device would have played meanwhile is
            // skipped, as an underrun of real hardware does.
            const AudioChunk &c = self->m_samples.front();
            const int64_t queued = c.ptsUs + int64_t(c.offset / self->m_outChannels) * 1000000 / self->m_outRate;
            const int64_t expected = self->clockUs() + latency;
            if (queued < expected - 2 * latency)
                self->dropSamplesBeforeLocked(expected);
        }
        int64_t first = 0;
        got = self->consumeSamplesLocked(out, wanted, &first);
        if (got > 0) {
            // What is handed over now is heard after the buffer before it.
            self->anchorClock(first - latency);
            const int gain = self->m_volume * self->m_rendererVolume; // 10000 = unchanged
            if (gain != 10000) {
                for (size_t i = 0; i < got; ++i) {
                    const int64_t v = int64_t(out[i]) * gain / 10000;
                    out[i] = static_cast<int16_t>(std::clamp<int64_t>(v, INT16_MIN, INT16_MAX));
                }
            }
        }
        self->m_cv.notify_all();
    }
    std::memset(out + got, 0, (wanted - got) * sizeof(int16_t));
}

void Player::presentLoop()
{
    bool dropped = false; // a gap since the last picture shown
    std::unique_lock<std::mutex> lk(m_mutex);
    while (!m_quit) {
        if (!m_playing || m_asyncMode) {
            m_cv.wait(lk);
            continue;
        }
        const int64_t now = clockUs();
        if (!m_audioDevice && !m_samples.empty()) {
            // No device drains the samples: the wall clock does.
            int64_t first = 0;
            const int64_t frames = (now - (m_samples.front().ptsUs)) * m_outRate / 1000000;
            if (frames > 0)
                consumeSamplesLocked(nullptr, static_cast<size_t>(frames) * m_outChannels, &first);
        }
        if (!m_pictures.empty()) {
            if (m_pictures.front().ptsUs > now) {
                const int64_t waitUs = std::min<int64_t>(m_pictures.front().ptsUs - now, 20000);
                m_cv.wait_for(lk, std::chrono::microseconds(waitUs));
                continue;
            }
            // Late pictures are dropped while a newer one is already due.
            if (m_pictures.size() > 1 && m_pictures[1].ptsUs <= now - m_lateToleranceUs) {
                m_pictures.pop_front();
                dropped = true;
                m_cv.notify_all();
                continue;
            }
            VideoFrame v = std::move(m_pictures.front());
            m_pictures.pop_front();
            const uint64_t epoch = m_epoch;
            m_presentInFlight = true;
            m_cv.notify_all();
            lk.unlock();
            present(std::move(v), epoch, !dropped);
            dropped = false;
            lk.lock();
            m_presentInFlight = false;
            m_cv.notify_all();
            continue;
        }
        const bool audioLeft = m_audioStream >= 0 && m_sampleCount > 0;
        if (m_eof && !audioLeft) {
            m_pausedClockUs = std::clamp<int64_t>(now, 0, m_durationUs > 0 ? m_durationUs : now);
            if (m_frameTimeUs > m_pausedClockUs)
                m_pausedClockUs = m_frameTimeUs;
            m_playing = false;
            m_ended = true;
            m_cv.notify_all();
            continue;
        }
        m_cv.wait_for(lk, std::chrono::milliseconds(10));
    }
}

void Player::present(VideoFrame frame, uint64_t epoch, bool sequential)
{
    std::lock_guard<std::mutex> present(m_presentMutex);
    orl_video_sink sinks[2];
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (epoch != m_epoch)
            return; // a seek has replaced what this picture belonged to
        m_frameTimeUs = frame.ptsUs;
        sinks[0] = m_sink;
        sinks[1] = m_elementSink;
    }
    if (sequential && m_current) {
        VideoFrame previous;
        previous.frame = std::move(m_current);
        previous.ptsUs = m_currentPtsUs;
        previous.endUs = m_currentEndUs;
        m_history.push_back(std::move(previous));
        // Bounded by memory: about 64 MB of pictures.
        const int64_t bytes = std::max<int64_t>(1, int64_t(m_width) * m_height * 3 / 2);
        const size_t cap = static_cast<size_t>(std::clamp<int64_t>((64 << 20) / bytes, 2, 32));
        while (m_history.size() > cap)
            m_history.pop_front();
    } else if (!sequential) {
        m_history.clear();
    }
    m_current = std::move(frame.frame);
    m_converted = false;
    m_editedValid = false;
    m_currentPtsUs = frame.ptsUs;
    m_currentEndUs = frame.endUs;
    deliverLocked(sinks);
}

bool Player::stepBackFromHistory()
{
    std::lock_guard<std::mutex> present(m_presentMutex);
    if (m_history.empty() || !m_current)
        return false;
    VideoFrame previous = std::move(m_history.back());
    m_history.pop_back();
    VideoFrame current;
    current.frame = std::move(m_current);
    current.ptsUs = m_currentPtsUs;
    current.endUs = m_currentEndUs;
    orl_video_sink sinks[2];
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        // The picture left goes back to the head of the queue, so the
        // queue still continues the picture on screen.
        m_pictures.push_front(std::move(current));
        m_frameTimeUs = previous.ptsUs;
        m_pausedClockUs = std::max<int64_t>(0, previous.ptsUs);
        m_audioBehind = m_audioStream >= 0;
        m_ended = false;
        sinks[0] = m_sink;
        sinks[1] = m_elementSink;
    }
    m_current = std::move(previous.frame);
    m_converted = false;
    m_editedValid = false;
    m_currentPtsUs = previous.ptsUs;
    m_currentEndUs = previous.endUs;
    deliverLocked(sinks);
    return true;
}

void Player::outputSize(int &w, int &h) const
{
    w = m_width;
    h = m_height;
    if (m_sarNum != m_sarDen)
        w = static_cast<int>(av_rescale(w, m_sarNum, m_sarDen));
    if (m_rotation == 90 || m_rotation == 270)
        std::swap(w, h);
    if (m_requestWidth > 0) {
        w = m_requestWidth;
        h = m_requestHeight;
    }
}

void Player::deliverLocked(const orl_video_sink *sinks)
{
    if (!m_current || (!sinks[0].deliver && !sinks[1].deliver))
        return;
    if (!m_edits) {
        deliverSourceLocked(sinks, 2);
        return;
    }
    deliverSourceLocked(sinks + 1, 1);
    if (!sinks[0].deliver)
        return;
    const AVFrame *e = editedLocked();
    if (!e)
        return;
    if (!m_editedConverted) {
        m_editedSws = sws_getCachedContext(m_editedSws, e->width, e->height, static_cast<AVPixelFormat>(e->format),
                                           e->width, e->height, AV_PIX_FMT_BGRA, SWS_BILINEAR, nullptr, nullptr,
                                           nullptr);
        if (!m_editedSws)
            return;
        m_editedRgb.resize(size_t(e->width) * e->height * 4);
        uint8_t *dst[4] = {m_editedRgb.data(), nullptr, nullptr, nullptr};
        int dstStride[4] = {e->width * 4, 0, 0, 0};
        sws_scale(m_editedSws, e->data, e->linesize, 0, e->height, dst, dstStride);
        m_editedConverted = true;
    }
    sinks[0].deliver(sinks[0].opaque, e->width, e->height, e->width * 4, m_editedRgb.data());
}

const AVFrame *Player::editedLocked()
{
    if (!m_edits || !m_current)
        return nullptr;
    if (!m_editedValid) {
        std::string error;
        m_edited = m_edits->apply(m_current.get(), m_currentPtsUs, error);
        m_editedConverted = false;
        m_editedValid = true;
        if (!m_edited) {
            setError(error);
            logLine(AV_LOG_WARNING, "player: %s", error.c_str());
        }
    }
    return m_edited.get();
}

void Player::deliverSourceLocked(const orl_video_sink *sinks, int count)
{
    bool any = false;
    for (int i = 0; i < count; ++i)
        any = any || sinks[i].deliver;
    if (!any)
        return;
    const AVFrame *f = m_current.get();
    int outW = 0;
    int outH = 0;
    outputSize(outW, outH);
    const bool quarter = m_rotation == 90 || m_rotation == 270;
    // Scale to the size before turning.
    const int scaleW = quarter ? outH : outW;
    const int scaleH = quarter ? outW : outH;
    if (scaleW <= 0 || scaleH <= 0 || f->width <= 0 || f->height <= 0)
        return;
    // A redraw of the same picture reuses the converted pixels.
    if (m_converted) {
        for (int i = 0; i < count; ++i)
            if (sinks[i].deliver)
                sinks[i].deliver(sinks[i].opaque, outW, outH, m_convertedStride, m_convertedPixels);
        return;
    }
    m_sws = sws_getCachedContext(m_sws, f->width, f->height, static_cast<AVPixelFormat>(f->format),
                                 scaleW, scaleH, AV_PIX_FMT_BGRA, SWS_BILINEAR, nullptr, nullptr,
                                 nullptr);
    if (!m_sws)
        return;
    m_rgb.resize(size_t(scaleW) * scaleH * 4);
    uint8_t *dst[4] = {m_rgb.data(), nullptr, nullptr, nullptr};
    int dstStride[4] = {scaleW * 4, 0, 0, 0};
    sws_scale(m_sws, f->data, f->linesize, 0, f->height, dst, dstStride);
    const uint8_t *pixels = m_rgb.data();
    int stride = scaleW * 4;
    if (m_rotation != 0) {
        m_turned.resize(m_rgb.size());
        const auto *src = reinterpret_cast<const uint32_t *>(m_rgb.data());
        auto *out = reinterpret_cast<uint32_t *>(m_turned.data());
        for (int y = 0; y < scaleH; ++y) {
            for (int x = 0; x < scaleW; ++x) {
                int nx, ny;
                if (m_rotation == 90) {
                    nx = scaleH - 1 - y;
                    ny = x;
                } else if (m_rotation == 180) {
                    nx = scaleW - 1 - x;
                    ny = scaleH - 1 - y;
                } else {
                    nx = y;
                    ny = scaleW - 1 - x;
                }
                out[size_t(ny) * outW + nx] = src[size_t(y) * scaleW + x];
            }
        }
        pixels = m_turned.data();
        stride = outW * 4;
    }
    m_converted = true;
    m_convertedPixels = pixels;
    m_convertedStride = stride;
    for (int i = 0; i < count; ++i)
        if (sinks[i].deliver)
            sinks[i].deliver(sinks[i].opaque, outW, outH, stride, pixels);
}

} // namespace orl
