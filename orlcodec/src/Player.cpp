#include "Player.h"

#include "Engine.h"
#include "FFmpegPtr.h"
#include "MediaSource.h"
#include "MediaTime.h"
#include "SourceOpen.h"

#include <algorithm>
#include <cmath>

#include <SDL.h>

extern "C" {
#include <libavutil/display.h>
#include <libavutil/imgutils.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

namespace orl {

Player::Player() : EngineObject(HandleKind::Player)
{
    m_commandThread = std::thread([this] { commandLoop(); });
}

Player::~Player()
{
    close();
    {
        std::lock_guard<std::mutex> lock(m_postMutex);
        m_postQuit = true;
        m_posted.clear();
    }
    m_postCv.notify_all();
    if (m_commandThread.joinable())
        m_commandThread.join();
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

bool Player::openDecoder(int streamIndex, CodecContextPtr &ctx, int lowres)
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
    // flight, which a step or an exact seek would pay for every time; up to
    // HD slice threads keep pace. Above it (4K HEVC, say, mostly one slice
    // a picture) only frame threads let the decoder keep up with playback,
    // and a step's few pictures of delay are the smaller cost.
    // Sound decodes fast enough on one thread.
    if (codec->type == AVMEDIA_TYPE_VIDEO) {
        const int64_t pixels = int64_t(st->codecpar->width) * st->codecpar->height;
        c->thread_type = pixels > int64_t(1920) * 1088 ? FF_THREAD_FRAME | FF_THREAD_SLICE : FF_THREAD_SLICE;
    } else {
        c->thread_count = 1;
    }
    c->lowres = std::min(lowres, static_cast<int>(codec->max_lowres));
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
    const int bestAudio = av_find_best_stream(m_fmt.get(), AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    m_audioStream = bestAudio;
    // The sound stream asked for, when the file has it as sound.
    const int wanted = m_preferredAudio.load();
    if (wanted >= 0 && static_cast<unsigned>(wanted) < m_fmt->nb_streams
        && m_fmt->streams[wanted]->codecpar->codec_type == AVMEDIA_TYPE_AUDIO)
        m_audioStream = wanted;
    if (m_videoStream >= 0 && !openDecoder(m_videoStream, m_video)) {
        logLine(AV_LOG_WARNING, "player: %s: no decoder for the video stream", path.c_str());
        m_videoStream = -1;
    }
    if (m_audioStream >= 0 && !openDecoder(m_audioStream, m_audio)) {
        const bool fallBack = m_audioStream != bestAudio && bestAudio >= 0 && openDecoder(bestAudio, m_audio);
        logLine(AV_LOG_WARNING, "player: %s: no decoder for audio stream %d%s", path.c_str(), m_audioStream,
                fallBack ? "; the best one plays" : "");
        m_audioStream = fallBack ? bestAudio : -1;
    }
    m_audioStreamOpen = m_audioStream;
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
            m_durationUs = toMicros(st->duration, st->time_base);
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
    // The device stays paused until playback starts: a paused player
    // wakes for nothing.
    m_opened.store(true);
    return true;
}

void Player::close()
{
    m_stopRequest.store(true);
    {
        // Posted commands are for the file being closed; one running ends
        // at its next packet (the stop request interrupts reads too).
        std::unique_lock<std::mutex> lock(m_postMutex);
        m_posted.clear();
        ++m_seekGeneration;
        while (m_postBusy)
            m_postCv.wait(lock);
    }
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
        m_screen.reset();
        // Edits belong to the file they were made for.
        m_edits.reset();
        m_editsSet = false;
        m_audioEdits.reset();
        m_edited.reset();
        m_editedValid = false;
        m_editedConverted = false;
        m_editedScreen.reset();
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    m_pictures.clear();
    m_samples.clear();
    m_sampleCount = 0;
    m_video.reset();
    m_videoReduced.reset();
    m_reducedLevel = 0;
    m_reducedActive = false;
    m_reducedPictures = false;
    m_audio.reset();
    m_fmt.reset();
    m_input.reset();
    m_videoStream = m_audioStream = -1;
    m_audioStreamOpen = -1;
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

} // namespace orl
