#include "Player.h"

#include "Engine.h"

#include <algorithm>
#include <cstring>

extern "C" {
#include <libavutil/imgutils.h>
#include <libswscale/swscale.h>
}

namespace orl {

// ---------------------------------------------------------------- presentation

bool Player::pictureDueInDecoderLocked(int64_t now) const
{
    if (m_videoStream < 0 || m_frameTimeUs < 0 || m_eof || m_asyncMode || !m_pictures.empty())
        return false;
    if (now <= m_frameTimeUs + 2 * m_frameDurationUs)
        return false;
    // A picture after the one on screen that is due by now, handed to the
    // decoder and not out yet. A picture that is not due (a still of a
    // screen recording, the next one seconds later) holds nothing.
    const auto next = m_videoInDecoder.upper_bound(m_frameTimeUs);
    return next != m_videoInDecoder.end() && *next <= now;
}

void Player::holdClockLocked(int64_t now)
{
    m_heldClockUs = now;
    m_holdingClock = true;
    m_lastHold = Clock::now();
    m_cv.notify_all();
}

void Player::releaseClockLocked()
{
    if (!m_holdingClock)
        return;
    m_holdingClock = false;
    anchorClock(m_heldClockUs);
    m_cv.notify_all();
}

void Player::presentLoop()
{
    bool dropped = false; // a gap since the last picture shown
    std::unique_lock<std::mutex> lk(m_mutex);
    while (!m_quit) {
        if (!m_playing || m_asyncMode) {
            releaseClockLocked();
            m_cv.wait(lk);
            continue;
        }
        // The picture waited for has come (or will not): the clock goes on
        // from where it stood.
        if (m_holdingClock && (!m_pictures.empty() || !pictureDueInDecoderLocked(m_heldClockUs + 1)))
            releaseClockLocked();
        const int64_t now = clockUs();
        if (!m_audioDevice && !m_samples.empty()) {
            // No device drains the samples: the wall clock does.
            int64_t first = 0;
            const int64_t frames = framesFor(now - m_samples.front().ptsUs);
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
        // Decoding fell behind: the clock (and the sound) wait for the
        // picture rather than run away from it; the decoder leaves
        // pictures out meanwhile to catch up.
        if (!m_holdingClock && pictureDueInDecoderLocked(now)) {
            holdClockLocked(now);
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
        // Awake again just when the clock would pass two frame durations
        // beyond the picture on screen, so a hold starts on time.
        int64_t waitUs = 10000;
        if (m_videoStream >= 0 && m_frameTimeUs >= 0 && !m_holdingClock) {
            const int64_t holdAtUs = m_frameTimeUs + 2 * m_frameDurationUs;
            if (holdAtUs >= now)
                waitUs = std::clamp<int64_t>(holdAtUs - now + 200, 200, waitUs);
        }
        m_cv.wait_for(lk, std::chrono::microseconds(waitUs));
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

void Player::sinkSize(int &w, int &h) const
{
    outputSize(w, h);
    const uint64_t shown = m_shownSize.load();
    const int boxW = static_cast<int>(shown >> 32);
    const int boxH = static_cast<int>(shown & 0xffffffffu);
    if (boxW <= 0 || boxH <= 0 || w <= 0 || h <= 0 || (w <= boxW && h <= boxH))
        return;
    // Fitted inside, at the picture's own aspect: a picture converted at
    // the size it is shown costs a fraction of one the screen shrinks.
    if (int64_t(w) * boxH > int64_t(h) * boxW) {
        h = std::max(1, static_cast<int>(int64_t(h) * boxW / w));
        w = boxW;
    } else {
        w = std::max(1, static_cast<int>(int64_t(w) * boxH / h));
        h = boxH;
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
        m_editedRgb.resize(size_t(e->width) * e->height * 4);
        if (!m_editedScreen.convert(e, e->width, e->height, m_editedRgb.data(), e->width * 4))
            return;
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
    sinkSize(outW, outH);
    const bool quarter = m_rotation == 90 || m_rotation == 270;
    // Scale to the size before turning.
    const int scaleW = quarter ? outH : outW;
    const int scaleH = quarter ? outW : outH;
    if (scaleW <= 0 || scaleH <= 0 || f->width <= 0 || f->height <= 0)
        return;
    // A redraw of the same picture reuses the converted pixels.
    if (m_converted && m_convertedWidth == outW && m_convertedHeight == outH) {
        for (int i = 0; i < count; ++i)
            if (sinks[i].deliver)
                sinks[i].deliver(sinks[i].opaque, outW, outH, m_convertedStride, m_convertedPixels);
        return;
    }
    m_rgb.resize(size_t(scaleW) * scaleH * 4);
    if (!m_screen.convert(f, scaleW, scaleH, m_rgb.data(), scaleW * 4))
        return;
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
    m_convertedWidth = outW;
    m_convertedHeight = outH;
    m_convertedPixels = pixels;
    m_convertedStride = stride;
    for (int i = 0; i < count; ++i)
        if (sinks[i].deliver)
            sinks[i].deliver(sinks[i].opaque, outW, outH, stride, pixels);
}

} // namespace orl
