#include "Player.h"

#include "Engine.h"

#include <algorithm>
#include <cstring>

#include <SDL.h>

extern "C" {
#include <libswresample/swresample.h>
}

namespace orl {

namespace {

std::mutex g_sdlMutex;

} // namespace

// ---------------------------------------------------------------- audio device, clock

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
    m_swr.reset(swr);
    return true;
}

void Player::setAudioPaused(bool paused)
{
    // The device lock is taken by the callback before m_mutex: never call
    // this with m_mutex held.
    if (m_audioDevice)
        SDL_PauseAudioDevice(m_audioDevice, paused ? 1 : 0);
}

void Player::closeAudioOutput()
{
    if (m_audioDevice) {
        std::lock_guard<std::mutex> lock(g_sdlMutex);
        SDL_CloseAudioDevice(m_audioDevice);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        m_audioDevice = 0;
    }
    m_swr.reset();
}

int64_t Player::clockUs() const
{
    if (!m_playing)
        return m_pausedClockUs;
    if (m_holdingClock)
        return m_heldClockUs;
    const auto elapsed = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - m_anchorWall);
    return m_anchorMediaUs + elapsed.count() * m_speedPercent.load() / 100;
}

int64_t Player::playedUs(int64_t frames) const
{
    return frames * 10000 * m_speedPercent.load() / m_outRate;
}

int64_t Player::framesFor(int64_t mediaUs) const
{
    return mediaUs * m_outRate / 10000 / m_speedPercent.load();
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
            *firstUs = c.ptsUs + playedUs(int64_t(c.offset / m_outChannels));
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
    // While the clock waits for a picture the sound waits too: silence,
    // nothing consumed.
    if (self->m_playing && !self->m_asyncMode && !self->m_holdingClock) {
        const int64_t latency = self->playedUs(self->m_deviceBufferSamples);
        if (!self->m_samples.empty()) {
            // A callback served late (a busy machine) must not slow the
            // clock down: what the device would have played meanwhile is
            // skipped, as an underrun of real hardware does.
            const AudioChunk &c = self->m_samples.front();
            const int64_t queued = c.ptsUs + self->playedUs(int64_t(c.offset / self->m_outChannels));
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

void Player::dropSamplesBeforeLocked(int64_t timeUs)
{
    while (!m_samples.empty()) {
        AudioChunk &c = m_samples.front();
        const size_t frames = (c.samples.size() - c.offset) / m_outChannels;
        const int64_t start = c.ptsUs + playedUs(int64_t(c.offset / m_outChannels));
        const int64_t end = start + playedUs(int64_t(frames));
        if (end <= timeUs) {
            m_sampleCount -= c.samples.size() - c.offset;
            m_samples.pop_front();
            continue;
        }
        if (start < timeUs) {
            const size_t skip = static_cast<size_t>(framesFor(timeUs - start)) * m_outChannels;
            const size_t n = std::min(skip, c.samples.size() - c.offset);
            c.offset += n;
            m_sampleCount -= n;
        }
        break;
    }
}

} // namespace orl
