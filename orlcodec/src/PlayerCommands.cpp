// The player's commands (play, pause, seek, step) and queries, run on the
// caller's thread; see Player.h for the threads and the lock order.
#include "Player.h"

#include <algorithm>
#include <cstring>

namespace orl {

namespace {

void putLe32(uint8_t *p, uint32_t v)
{
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
    p[2] = uint8_t(v >> 16);
    p[3] = uint8_t(v >> 24);
}

void putLe16(uint8_t *p, uint16_t v)
{
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}

} // namespace

// ---------------------------------------------------------------- commands

bool Player::play()
{
    return playCommand();
}

bool Player::playCommand()
{
    std::lock_guard<std::mutex> command(m_commandMutex);
    {
        std::lock_guard<std::mutex> decode(m_decodeMutex);
        if (!m_fmt)
            return false;
        bool ended;
        bool audioBehind;
        int64_t shown;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            ended = m_ended;
            audioBehind = m_audioBehind && !m_playing;
            shown = m_frameTimeUs;
        }
        if (ended)
            seekExactLocked(0);
        else if (audioBehind && shown >= 0)
            seekExactLocked(shown); // steps back left the sound ahead of the picture
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_playing) {
            anchorClock(m_pausedClockUs);
            m_holdingClock = false;
            m_playing = true;
            m_ended = false;
            m_cv.notify_all();
        }
    }
    setAudioPaused(false);
    return true;
}

bool Player::pause()
{
    return pauseCommand();
}

bool Player::pauseCommand()
{
    std::lock_guard<std::mutex> command(m_commandMutex);
    if (!m_opened.load())
        return false;
    pauseForCommand();
    std::lock_guard<std::mutex> decode(m_decodeMutex);
    if (m_fmt)
        restoreFullSizeLocked();
    return true;
}

void Player::pauseLocked(std::unique_lock<std::mutex> &lk)
{
    if (!m_playing)
        return;
    int64_t clock = clockUs();
    m_playing = false;
    m_cv.notify_all();
    // The picture the present thread has taken is shown first, so that
    // the paused picture, the position and the queue agree.
    while (m_presentInFlight)
        m_cv.wait(lk);
    if (m_videoStream >= 0 && m_frameTimeUs >= 0)
        clock = m_frameTimeUs;
    m_pausedClockUs = std::max<int64_t>(0, clock);
}

void Player::pauseForCommand()
{
    {
        std::unique_lock<std::mutex> lk(m_mutex);
        pauseLocked(lk);
    }
    setAudioPaused(true);
}

bool Player::stop()
{
    supersede();
    return stopCommand();
}

bool Player::stopCommand()
{
    std::lock_guard<std::mutex> command(m_commandMutex);
    std::lock_guard<std::mutex> decode(m_decodeMutex);
    if (!m_fmt)
        return false;
    pauseForCommand();
    seekExactLocked(0);
    std::lock_guard<std::mutex> lock(m_mutex);
    m_ended = false;
    return true;
}

bool Player::seek(uint64_t timeUs)
{
    supersede();
    return seekCommand(timeUs, false);
}

bool Player::seekCommand(uint64_t timeUs, bool preview)
{
    std::lock_guard<std::mutex> command(m_commandMutex);
    const int64_t t = static_cast<int64_t>(std::min<uint64_t>(timeUs, INT64_MAX / 4));
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_asyncMode) {
            // The newest target replaces one not yet started.
            m_asyncTarget = t;
            m_asyncLast = t;
            ++m_asyncGeneration;
            m_cv.notify_all();
            return true;
        }
    }
    std::lock_guard<std::mutex> decode(m_decodeMutex);
    if (!m_fmt)
        return false;
    return seekExactLocked(t, preview);
}

bool Player::beginAsyncSeek(int64_t budgetUs)
{
    return beginAsyncSeekCommand(budgetUs);
}

bool Player::beginAsyncSeekCommand(int64_t budgetUs)
{
    std::lock_guard<std::mutex> command(m_commandMutex);
    if (!m_opened.load())
        return false;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_asyncMode = true;
    m_asyncBudgetUs = std::max<int64_t>(0, budgetUs);
    m_asyncLast = -1;
    m_cv.notify_all();
    return true;
}

bool Player::endAsyncSeek()
{
    return endAsyncSeekCommand();
}

bool Player::endAsyncSeekCommand()
{
    std::lock_guard<std::mutex> command(m_commandMutex);
    int64_t target;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_asyncMode)
            return m_opened.load();
        m_asyncMode = false;
        m_asyncTarget = -1;
        ++m_asyncGeneration; // cuts short a key-frame seek in progress
        target = m_asyncLast;
        m_cv.notify_all();
    }
    std::lock_guard<std::mutex> decode(m_decodeMutex);
    if (!m_fmt)
        return false;
    if (target < 0)
        return true;
    return seekExactLocked(target);
}

bool Player::stepFrame(int direction)
{
    return stepFrameCommand(direction);
}

bool Player::stepFrameCommand(int direction)
{
    std::lock_guard<std::mutex> command(m_commandMutex);
    std::lock_guard<std::mutex> decode(m_decodeMutex);
    if (!m_fmt || m_videoStream < 0 || direction == 0)
        return false;
    pauseForCommand();
    restoreFullSizeLocked();
    if (direction < 0) {
        int64_t current;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            current = m_frameTimeUs;
        }
        if (current <= 0)
            return false; // already on the first picture
        if (stepBackFromHistory())
            return true;
        return seekExactLocked(current - 1);
    }
    VideoFrame next;
    if (!nextPictureLocked(next))
        return false; // already on the last picture
    uint64_t epoch;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_ended = false;
        dropSamplesBeforeLocked(next.ptsUs);
        m_pausedClockUs = std::max<int64_t>(0, next.ptsUs);
        epoch = m_epoch;
    }
    present(std::move(next), epoch, true);
    return true;
}

bool Player::stepKeyFrame(int direction)
{
    return stepKeyFrameCommand(direction);
}

bool Player::stepKeyFrameCommand(int direction)
{
    std::lock_guard<std::mutex> command(m_commandMutex);
    std::lock_guard<std::mutex> decode(m_decodeMutex);
    if (!m_fmt || m_videoStream < 0 || direction == 0)
        return false;
    pauseForCommand();
    int64_t current;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        current = m_frameTimeUs;
    }
    const AVStream *st = m_fmt->streams[m_videoStream];
    // Candidate key frames by their index time; the time they show at is
    // known only once decoded, so each candidate is tried in turn.
    std::vector<int64_t> candidates;
    const int entries = avformat_index_get_entries_count(m_fmt->streams[m_videoStream]);
    const int64_t curTs = av_rescale_q(current + m_originUs, AV_TIME_BASE_Q, st->time_base);
    const int64_t margin = av_rescale_q(2000000, AV_TIME_BASE_Q, st->time_base);
    for (int i = 0; i < entries; ++i) {
        const AVIndexEntry *e = avformat_index_get_entry(m_fmt->streams[m_videoStream], i);
        if (!(e->flags & AVINDEX_KEYFRAME))
            continue;
        if (direction > 0 ? e->timestamp > curTs - margin : e->timestamp < curTs + margin)
            candidates.push_back(e->timestamp);
    }
    if (direction < 0)
        std::reverse(candidates.begin(), candidates.end());
    auto landOn = [&](int64_t ts) -> int {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            flushQueuesLocked();
        }
        seekDemuxerTs(ts);
        std::deque<VideoFrame> local;
        int packets = 0;
        while (local.empty() && decodePacket(&local) && ++packets < kMaxPacketsPerPicture) {
        }
        if (local.empty())
            return -1;
        const bool fits = direction > 0 ? local.front().ptsUs > current : local.front().ptsUs < current;
        if (!fits)
            return 0;
        VideoFrame key = std::move(local.front());
        local.pop_front();
        uint64_t epoch;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            for (auto &v : local)
                m_pictures.push_back(std::move(v));
            m_audioFloorUs = key.ptsUs;
            dropSamplesBeforeLocked(key.ptsUs);
            m_pausedClockUs = std::max<int64_t>(0, key.ptsUs);
            epoch = m_epoch;
        }
        present(std::move(key), epoch);
        return 1;
    };
    for (int64_t ts : candidates) {
        const int r = landOn(ts);
        if (r == 1)
            return true;
        if (r < 0 && m_stopRequest.load())
            return false;
    }
    if (direction < 0 && entries == 0) {
        // No index: step back through seeks before the current picture.
        int64_t ts = curTs - 1;
        for (int attempt = 0; attempt < 8; ++attempt) {
            if (landOn(ts) == 1)
                return true;
            if (m_firstVideoDts == AV_NOPTS_VALUE)
                break;
            ts = std::min(ts, m_firstVideoDts) - 1;
        }
    } else if (direction > 0 && entries == 0) {
        VideoFrame v;
        seekExactLocked(current);
        for (int n = 0; n < kMaxPacketsPerPicture && nextPictureLocked(v); ++n) {
            if (v.frame->key_frame && v.ptsUs > current) {
                uint64_t epoch;
                {
                    std::lock_guard<std::mutex> lock(m_mutex);
                    m_pausedClockUs = v.ptsUs;
                    dropSamplesBeforeLocked(v.ptsUs);
                    epoch = m_epoch;
                }
                present(std::move(v), epoch);
                return true;
            }
        }
    }
    // No key frame that way: put the picture back where it was.
    seekExactLocked(current);
    return false;
}

// ---------------------------------------------------------------- posted commands

bool Player::post(Posted kind, int64_t value)
{
    if (!m_opened.load())
        return false;
    std::lock_guard<std::mutex> lock(m_postMutex);
    if (m_postQuit)
        return false;
    if (kind == Posted::Seek || kind == Posted::Stop)
        replaceWaitingLocked();
    m_posted.push_back(PostedCommand{kind, value, false});
    m_postCv.notify_all();
    return true;
}

void Player::replaceWaitingLocked()
{
    // Positions asked for before this one are moot. They stay in the queue,
    // marked, so that each post is still answered by one report.
    for (PostedCommand &c : m_posted)
        if (c.kind == Posted::Seek || c.kind == Posted::Step || c.kind == Posted::StepKey)
            c.replaced = true;
    ++m_seekGeneration;
}

void Player::supersede()
{
    std::lock_guard<std::mutex> lock(m_postMutex);
    replaceWaitingLocked();
}

bool Player::superseded(uint64_t generation) const
{
    return generation != m_seekGeneration.load() || m_stopRequest.load();
}

bool Player::waitPosted(int timeoutMs)
{
    std::unique_lock<std::mutex> lock(m_postMutex);
    const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(0, timeoutMs));
    while (!m_posted.empty() || m_postBusy) {
        if (m_postCv.wait_until(lock, deadline) == std::cv_status::timeout)
            return m_posted.empty() && !m_postBusy;
    }
    return true;
}

void Player::setNotify(orl_player_notify notify, void *opaque)
{
    std::lock_guard<std::mutex> lock(m_notifyMutex);
    m_notify = notify;
    m_notifyOpaque = opaque;
}

void Player::notifyShown(bool idle)
{
    const uint64_t shown = hasVideo() ? frameTime() : position();
    std::lock_guard<std::mutex> lock(m_notifyMutex);
    if (m_notify)
        m_notify(m_notifyOpaque, shown, idle ? 1 : 0);
}

void Player::runPosted(Posted kind, int64_t value)
{
    switch (kind) {
    case Posted::Seek:
        seekCommand(static_cast<uint64_t>(std::max<int64_t>(0, value)), true);
        break;
    case Posted::Step:
        stepFrameCommand(static_cast<int>(value));
        break;
    case Posted::StepKey:
        stepKeyFrameCommand(static_cast<int>(value));
        break;
    case Posted::Play:
        playCommand();
        break;
    case Posted::Pause:
        pauseCommand();
        break;
    case Posted::Stop:
        stopCommand();
        break;
    case Posted::BeginAsyncSeek:
        beginAsyncSeekCommand(value);
        break;
    case Posted::EndAsyncSeek:
        endAsyncSeekCommand();
        break;
    }
}

void Player::commandLoop()
{
    std::unique_lock<std::mutex> lock(m_postMutex);
    for (;;) {
        while (!m_postQuit && m_posted.empty())
            m_postCv.wait(lock);
        if (m_postQuit)
            return;
        const PostedCommand c = m_posted.front();
        m_posted.pop_front();
        m_postBusy = true;
        lock.unlock();
        if (!c.replaced)
            runPosted(c.kind, c.value);
        lock.lock();
        const bool idle = m_posted.empty();
        lock.unlock();
        // Still busy while reporting: a close waits for the report to end.
        notifyShown(idle);
        lock.lock();
        m_postBusy = false;
        m_postCv.notify_all();
    }
}

bool Player::showFrame()
{
    return refreshScreen();
}

bool Player::refreshScreen()
{
    std::lock_guard<std::mutex> present(m_presentMutex);
    orl_video_sink sinks[2];
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        sinks[0] = m_sink;
        sinks[1] = m_elementSink;
    }
    if (!m_current)
        return false;
    deliverLocked(sinks);
    return true;
}

bool Player::setEdits(const ParamValues *edits)
{
    if (!isOpen()) {
        setError("no file is open");
        return false;
    }
    PreviewSource source;
    {
        std::lock_guard<std::mutex> decode(m_decodeMutex);
        source.path = m_path;
        for (unsigned i = 0; m_fmt && i < m_fmt->nb_streams; ++i)
            if (m_fmt->streams[i]->codecpar->codec_type == AVMEDIA_TYPE_SUBTITLE)
                ++source.subtitleStreams;
    }
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        source.sar = AVRational{m_sarNum, m_sarDen};
        source.rotation = m_rotation;
    }
    std::unique_ptr<EditPreview> preview = edits ? std::make_unique<EditPreview>(*edits, source) : nullptr;
    m_editsSet = edits != nullptr;
    {
        // Samples already queued keep the old sound: at most the queue's
        // length of a second, like any change made while playing.
        std::lock_guard<std::mutex> decode(m_decodeMutex);
        m_audioEdits = edits ? std::make_unique<AudioEditPreview>(*edits, m_durationUs) : nullptr;
        const int speed = m_audioEdits ? m_audioEdits->speedPercent() : 100;
        std::lock_guard<std::mutex> lock(m_mutex);
        if (speed != m_speedPercent.load()) {
            // The clock goes on from where it is, at the new pace.
            anchorClock(clockUs());
            m_speedPercent = speed;
        }
    }
    {
        std::lock_guard<std::mutex> present(m_presentMutex);
        m_edits = std::move(preview);
        m_edited.reset();
        m_editedValid = false;
        m_editedConverted = false;
    }
    refreshScreen();
    std::lock_guard<std::mutex> present(m_presentMutex);
    // A picture the edits cannot be made on is a failure the caller sees
    // (a missing overlay picture, an unreadable subtitle file).
    return !m_edits || !m_current || editedLocked() != nullptr;
}

void Player::setVideoSink(const orl_video_sink *sink, bool element)
{
    {
        std::lock_guard<std::mutex> present(m_presentMutex);
        std::lock_guard<std::mutex> lock(m_mutex);
        orl_video_sink &target = element ? m_elementSink : m_sink;
        target = sink ? *sink : orl_video_sink{};
    }
    refreshScreen();
}

// ---------------------------------------------------------------- queries

uint64_t Player::frameTime() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_frameTimeUs > 0 ? static_cast<uint64_t>(m_frameTimeUs) : 0;
}

uint64_t Player::position() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    int64_t p = clockUs();
    if (m_durationUs > 0)
        p = std::min(p, m_durationUs);
    return p > 0 ? static_cast<uint64_t>(p) : 0;
}

uint64_t Player::duration() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return static_cast<uint64_t>(m_durationUs);
}

bool Player::limitDuration(uint64_t limitUs)
{
    // Written like the other values fixed at open: with all three locks.
    std::lock_guard<std::mutex> command(m_commandMutex);
    std::lock_guard<std::mutex> decode(m_decodeMutex);
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_opened.load() || limitUs == 0)
        return false;
    const int64_t limit = static_cast<int64_t>(std::min<uint64_t>(limitUs, INT64_MAX));
    if (m_durationUs == 0 || limit < m_durationUs)
        m_durationUs = limit;
    return true;
}

bool Player::isEnded() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_ended;
}

bool Player::isPaused() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return !m_playing;
}

bool Player::hasVideo() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_videoStream >= 0;
}

bool Player::hasAudio() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_audioStream >= 0;
}

bool Player::audioOutputFailed() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_audioFailed;
}

void Player::setSampleDelivery(bool on)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_delivery = on;
    if (!on) {
        m_levelSamples.clear();
        m_levelFresh = false;
    }
}

void Player::setVolume(int volume)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_volume = std::clamp(volume, 0, 200);
}

void Player::setRendererVolume(int volume)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_rendererVolume = std::clamp(volume, 0, 200);
}

void Player::setLateFrameTolerance(int64_t us)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_lateToleranceUs = std::max<int64_t>(0, us);
}

void Player::setShownSize(int width, int height)
{
    if (width <= 0 || height <= 0)
        width = height = 0;
    m_shownSize = (uint64_t(uint32_t(width)) << 32) | uint32_t(height);
}

int Player::width() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_width;
}

int Player::height() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_height;
}

int Player::displayWidth() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    int w, h;
    outputSize(w, h);
    return w;
}

int Player::displayHeight() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    int w, h;
    outputSize(w, h);
    return h;
}

const orl_picture *Player::grabFrame(int width, int height, int format)
{
    std::lock_guard<std::mutex> present(m_presentMutex);
    if (!m_current)
        return nullptr;
    int dw, dh;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        outputSize(dw, dh);
    }
    if (width <= 0 && height <= 0) {
        width = dw;
        height = dh;
    } else if (width <= 0) {
        width = std::max(1, int(int64_t(height) * dw / std::max(1, dh)));
    } else if (height <= 0) {
        height = std::max(1, int(int64_t(width) * dh / std::max(1, dw)));
    }
    std::string error;
    std::unique_ptr<EncodedPicture> pic;
    if (m_edits) {
        // A grab is of what the video sink shows: the edited picture.
        const AVFrame *e = editedLocked();
        if (!e)
            return nullptr;
        if (width == dw && height == dh) {
            width = e->width;
            height = e->height;
        }
        pic = encodePicture(e, 0, width, height, format, error);
    } else {
        pic = encodePicture(m_current.get(), m_rotation, width, height, format, error);
    }
    if (!pic) {
        setError(error);
        return nullptr;
    }
    const orl_picture *pub = &pic->pub;
    std::lock_guard<std::mutex> lock(m_blobMutex);
    m_grabs.emplace(pub, std::move(pic));
    return pub;
}

void Player::releaseFrame(const orl_picture *picture)
{
    std::lock_guard<std::mutex> lock(m_blobMutex);
    m_grabs.erase(picture);
}

const orl_audio_block *Player::audioSamples()
{
    auto block = std::make_unique<AudioBlock>();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_delivery || !m_levelFresh || m_levelSamples.empty())
            return nullptr;
        m_levelFresh = false;
        const size_t n = m_levelSamples.size();
        block->bytes.assign(44 + n * 2, 0);
        uint8_t *p = block->bytes.data();
        std::memcpy(p, "RIFF", 4);
        putLe32(p + 4, static_cast<uint32_t>(36 + n * 2));
        std::memcpy(p + 8, "WAVEfmt ", 8);
        putLe32(p + 16, 16);
        putLe16(p + 20, 1);
        putLe16(p + 22, static_cast<uint16_t>(m_outChannels));
        putLe32(p + 24, static_cast<uint32_t>(m_outRate));
        putLe32(p + 28, static_cast<uint32_t>(m_outRate * m_outChannels * 2));
        putLe16(p + 32, static_cast<uint16_t>(m_outChannels * 2));
        putLe16(p + 34, 16);
        std::memcpy(p + 36, "data", 4);
        putLe32(p + 40, static_cast<uint32_t>(n * 2));
        // The level display reads the values as unsigned: hand it the
        // loudness of each sample (0 silent, 65535 full scale).
        for (size_t i = 0; i < n; ++i) {
            const int v = std::abs(int(m_levelSamples[i]));
            putLe16(p + 44 + i * 2, static_cast<uint16_t>(std::min(65535, v * 2)));
        }
        block->pub.sample_rate = m_outRate;
    }
    block->pub.data = block->bytes.data();
    block->pub.size = static_cast<int>(block->bytes.size());
    const orl_audio_block *pub = &block->pub;
    std::lock_guard<std::mutex> lock(m_blobMutex);
    m_blocks.emplace(pub, std::move(block));
    return pub;
}

void Player::releaseAudioSamples(const orl_audio_block *block)
{
    std::lock_guard<std::mutex> lock(m_blobMutex);
    m_blocks.erase(block);
}

} // namespace orl
