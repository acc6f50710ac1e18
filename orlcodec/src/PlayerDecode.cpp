#include "Player.h"

#include "Engine.h"
#include "MediaTime.h"

#include <algorithm>

extern "C" {
#include <libswresample/swresample.h>
}

namespace orl {

namespace {

// Queue bounds: enough pictures to ride over a slow frame, enough audio to
// keep the device fed; the decode thread waits when both are full.
constexpr size_t kPictureSoftLimit = 8;
constexpr size_t kPictureHardLimit = 24;
constexpr int64_t kAudioHighUs = 1000000;
constexpr int64_t kAudioLowUs = 300000;
// An exact seek this far past its key frame shows the key frame first.
constexpr int64_t kPreviewDistanceUs = 200000;

} // namespace

// ---------------------------------------------------------------- decoding

int64_t Player::frameTimeUs(const AVFrame *frame, const AVStream *st) const
{
    int64_t ts = frame->best_effort_timestamp;
    if (ts == AV_NOPTS_VALUE)
        ts = frame->pts;
    if (ts == AV_NOPTS_VALUE)
        return INT64_MIN;
    return toMicros(ts, st->time_base) - m_originUs;
}

void Player::receiveVideo(std::deque<VideoFrame> *pictures)
{
    const AVStream *st = m_fmt->streams[m_videoStream];
    while (avcodec_receive_frame(videoDecoder(), m_scratch.get()) >= 0) {
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
            v.endUs = toMicros(ts + v.frame->pkt_duration, st->time_base) - m_originUs;
        }
        m_lastVideoUs = v.ptsUs;
        std::lock_guard<std::mutex> lock(m_mutex);
        // Pictures come out in time order; those before this one that never
        // will (left out, broken) go with it.
        m_videoInDecoder.erase(m_videoInDecoder.begin(), m_videoInDecoder.upper_bound(v.ptsUs));
        if (pictures) {
            pictures->push_back(std::move(v));
        } else {
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
    else
        pts += m_soundShiftUs.load();
    if (m_audioEdits && m_audioEdits->active()) {
        std::string error;
        std::vector<FramePtr> edited = m_audioEdits->apply(frame, pts, error);
        if (edited.empty() && !error.empty()) {
            // Heard unedited rather than not at all.
            logLine(AV_LOG_WARNING, "player: %s", error.c_str());
            setError(error);
            m_audioEdits.reset();
            {
                // Unedited sound plays at its own pace; so does the clock.
                std::lock_guard<std::mutex> lock(m_mutex);
                anchorClock(clockUs());
                m_speedPercent = 100;
            }
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
    const int outMax = swr_get_out_samples(m_swr.get(), frame->nb_samples);
    if (outMax <= 0)
        return;
    if (m_soundAfterSeek) {
        m_soundAfterSeek = false;
        const int64_t gap = std::min(pts - m_audioFloorUs, m_soundShiftUs.load());
        if (gap > 0) {
            AudioChunk silence;
            silence.samples.assign(static_cast<size_t>(framesFor(gap)) * m_outChannels, 0);
            silence.ptsUs = pts - playedUs(framesFor(gap));
            std::lock_guard<std::mutex> lock(m_mutex);
            m_sampleCount += silence.samples.size();
            m_samples.push_back(std::move(silence));
        }
    }
    AudioChunk chunk;
    chunk.samples.resize(static_cast<size_t>(outMax) * m_outChannels);
    uint8_t *out = reinterpret_cast<uint8_t *>(chunk.samples.data());
    const int got = swr_convert(m_swr.get(), &out, outMax, const_cast<const uint8_t **>(frame->extended_data),
                                frame->nb_samples);
    if (got <= 0)
        return;
    chunk.samples.resize(static_cast<size_t>(got) * m_outChannels);
    chunk.ptsUs = pts;
    m_nextAudioUs = pts + playedUs(got);
    // Samples before the floor belong to pictures before the one shown.
    if (m_nextAudioUs <= m_audioFloorUs)
        return;
    if (pts < m_audioFloorUs) {
        const size_t skip = static_cast<size_t>(framesFor(m_audioFloorUs - pts));
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
                avcodec_send_packet(videoDecoder(), nullptr);
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
            skip = toMicros(pkt->pts + pkt->duration, st->time_base) - m_originUs <= m_skipBeforeUs;
        }
        // Playing may move to the decoder at reduced size and back; only
        // at a key packet, where the other decoder can begin.
        if (!pictures && (pkt->flags & AV_PKT_FLAG_KEY))
            chooseVideoDecoder();
        AVCodecContext *dec = videoDecoder();
        const int catchUp = skip || pictures ? 0 : catchUpLevel();
        dec->skip_frame = skip || catchUp >= 2 ? AVDISCARD_NONREF : AVDISCARD_DEFAULT;
        // Pictures nothing refers to pass their blocking artefacts on to
        // no other picture: their deblocking is the cheapest thing to drop.
        dec->skip_loop_filter = catchUp >= 1 ? AVDISCARD_NONREF : AVDISCARD_DEFAULT;
        // The pictures on their way through the decoder are known, so that
        // while playing the clock can tell a late picture from one not yet
        // due.
        if (pkt->pts != AV_NOPTS_VALUE) {
            const int64_t us = toMicros(pkt->pts, m_fmt->streams[m_videoStream]->time_base) - m_originUs;
            std::lock_guard<std::mutex> lock(m_mutex);
            m_videoInDecoder.insert(us);
            // A stream whose pictures never come out keeps no list of them.
            if (m_videoInDecoder.size() > 512)
                m_videoInDecoder.erase(m_videoInDecoder.begin());
        }
        int sent = avcodec_send_packet(dec, pkt);
        if (sent == AVERROR(EAGAIN)) {
            receiveVideo(pictures);
            sent = avcodec_send_packet(dec, pkt);
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
    // A seek lands exactly, at full size; playing goes on at reduced size
    // from the next key frame.
    if (m_videoReduced)
        avcodec_flush_buffers(m_videoReduced.get());
    m_reducedActive = false;
    m_reducedPictures = false;
    if (m_audio)
        avcodec_flush_buffers(m_audio.get());
    if (m_swr)
        swr_init(m_swr.get());
    m_demuxEnded = false;
    m_firstVideoDts = AV_NOPTS_VALUE;
    m_lastVideoUs = INT64_MIN;
    m_nextAudioUs = 0;
    m_soundAfterSeek = true;
    m_catchUp = 0;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_videoInDecoder.clear();
    }
    return ret >= 0;
}

int Player::catchUpLevel()
{
    Clock::time_point lastHold;
    bool playing;
    int64_t lateUs = 0;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        playing = m_playing;
        lastHold = m_lastHold;
        if (playing && m_lastVideoUs != INT64_MIN)
            lateUs = clockUs() - m_lastVideoUs;
    }
    const Clock::time_point now = Clock::now();
    if (!playing) {
        m_catchUp = 0;
        return 0;
    }
    // While the clock keeps having to wait (or the pictures come out
    // late), the deblocking of pictures nothing refers to is left out;
    // a second later, still behind, those pictures themselves. All are
    // decoded again three seconds after the last wait. Never more: leaving
    // out a run of pictures would leave the one on screen behind the clock
    // for as long.
    const bool struggling = now - lastHold < std::chrono::milliseconds(500) || lateUs > 4 * m_frameDurationUs;
    if (struggling && (m_catchUp == 0 || (m_catchUp == 1 && now - m_catchUpSince > std::chrono::seconds(1)))) {
        ++m_catchUp;
        m_catchUpSince = now;
        logLine(AV_LOG_VERBOSE, "player: decoding behind, leaving out %s",
                m_catchUp == 1 ? "the deblocking of unreferenced pictures" : "unreferenced pictures");
    } else if (!struggling && m_catchUp > 0 && now - lastHold > std::chrono::seconds(3)
               && now - m_catchUpSince > std::chrono::seconds(3)) {
        m_catchUp = 0;
        m_catchUpSince = now;
    }
    return m_catchUp;
}

int Player::reducedLevelWanted() const
{
    if (m_reducedLevel < 0 || m_videoStream < 0 || !m_fmt)
        return 0; // no decoder at reduced size could be opened
    const AVCodec *codec = avcodec_find_decoder(m_fmt->streams[m_videoStream]->codecpar->codec_id);
    if (!codec || codec->max_lowres <= 0)
        return 0;
    int fullW = 0, fullH = 0, sinkW = 0, sinkH = 0;
    outputSize(fullW, fullH);
    sinkSize(sinkW, sinkH);
    if (sinkW <= 0 || sinkH <= 0)
        return 0;
    // Each level halves both sides; the picture must still cover what is
    // shown, so the preview is no less sharp than a full decode scaled down.
    int level = 0;
    while (level < std::min(static_cast<int>(codec->max_lowres), 3) && (fullW >> (level + 1)) >= sinkW
           && (fullH >> (level + 1)) >= sinkH)
        ++level;
    return level;
}

void Player::chooseVideoDecoder()
{
    bool playing;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        playing = m_playing;
    }
    // The editing preview shows the edits on full pictures.
    const int level = playing && !m_editsSet.load() ? reducedLevelWanted() : 0;
    const bool wanted = level > 0;
    if (wanted == m_reducedActive && (!wanted || level == m_reducedLevel))
        return;
    AVCodecContext *from = videoDecoder();
    avcodec_send_packet(from, nullptr);
    receiveVideo(nullptr);
    avcodec_flush_buffers(from);
    m_reducedActive = false;
    if (!wanted)
        return;
    if (!m_videoReduced || m_reducedLevel != level) {
        m_videoReduced.reset();
        if (!openDecoder(m_videoStream, m_videoReduced, level)) {
            logLine(AV_LOG_WARNING, "player: no decoder at reduced size; playing at full size");
            m_videoReduced.reset();
            m_reducedLevel = -1;
            return;
        }
        m_reducedLevel = level;
    }
    logLine(AV_LOG_VERBOSE, "player: playing at 1/%d size", 1 << level);
    m_reducedActive = true;
    m_reducedPictures = true;
}

void Player::restoreFullSizeLocked()
{
    if (!m_reducedPictures)
        return;
    int64_t shown;
    bool ended;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        shown = m_frameTimeUs;
        ended = m_ended;
    }
    if (shown < 0)
        return;
    seekExactLocked(shown);
    // Played to the end, it stays there: play starts over.
    std::lock_guard<std::mutex> lock(m_mutex);
    m_ended = ended;
}

void Player::flushQueuesLocked()
{
    m_videoInDecoder.clear();
    m_holdingClock = false;
    m_pictures.clear();
    m_samples.clear();
    m_sampleCount = 0;
    m_eof = false;
    m_ended = false;
    m_audioBehind = false;
    ++m_epoch;
}

bool Player::seekExactLocked(int64_t timeUs, bool preview)
{
    const uint64_t generation = m_seekGeneration.load();
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
    bool abandoned = false;
    int64_t seekTs = av_rescale_q(timeUs + m_originUs, AV_TIME_BASE_Q, st->time_base);
    int64_t landedDts = AV_NOPTS_VALUE;
    for (int attempt = 0; attempt < 8 && !have && !abandoned; ++attempt) {
        local.clear();
        seekDemuxerTs(seekTs);
        m_skipBeforeUs = timeUs;
        int packets = 0;
        while (local.empty() && !(abandoned = superseded(generation)) && decodePacket(&local)
               && ++packets < kMaxPacketsPerPicture) {
        }
        if (local.empty()) {
            // A seek near the end of a file without an index (a transport
            // stream) may land past its last key frame, with nothing to
            // decode after it: further back, up to 8 s.
            if (abandoned || m_stopRequest.load() || attempt >= 4)
                break;
            seekTs -= av_rescale_q(int64_t(500000) << attempt, AV_TIME_BASE_Q, st->time_base);
            continue;
        }
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
    if (abandoned)
        return false; // a newer seek has the decoder now
    if (!have) {
        if (m_stopRequest.load())
            return false;
        // Nothing decodable from here: keep showing the current picture.
        setError("no picture at the seek position");
        return false;
    }
    if (preview && !shown.spans(timeUs) && timeUs - shown.ptsUs > kPreviewDistanceUs) {
        // The exact picture is far from its key frame: the key frame is
        // shown meanwhile, so the picture follows the request at once.
        VideoFrame key;
        key.frame.reset(av_frame_clone(shown.frame.get()));
        key.ptsUs = shown.ptsUs;
        key.endUs = shown.endUs;
        uint64_t epoch;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            epoch = m_epoch;
        }
        if (key.frame)
            present(std::move(key), epoch);
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
        if (superseded(generation)) {
            m_skipBeforeUs = INT64_MIN;
            return false;
        }
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
        // While the clock waits for a picture the sound is not drained, so
        // it may fill further; when even that is full the picture is not
        // coming from here (a file whose video ended early): the clock goes on.
        const int64_t audioLimitUs = m_holdingClock ? 4 * kAudioHighUs : kAudioHighUs;
        bool room;
        if (m_videoStream < 0)
            room = audioUs < kAudioHighUs;
        else if (m_pictures.size() < kPictureSoftLimit)
            room = m_audioStream < 0 || audioUs < audioLimitUs;
        else
            // Pictures are full; read on only while the audio runs short,
            // so a badly interleaved file does not starve the clock.
            room = m_pictures.size() < kPictureHardLimit && m_audioStream >= 0 && audioUs < kAudioLowUs;
        if (!m_playing || m_eof || !room) {
            if (m_holdingClock)
                releaseClockLocked();
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
} // namespace orl
