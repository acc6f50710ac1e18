#include "OverlayAnimation.h"

extern "C" {
#include <libavutil/imgutils.h>
#include <libswscale/swscale.h>
}

#include <sys/stat.h>

#include <algorithm>
#include <list>
#include <mutex>

namespace orl {

namespace {

// Bounds for content that claims too much: frames, side and bytes held.
constexpr size_t kMaxFrames = 600;
constexpr int kMaxSide = 4096;
constexpr int64_t kMaxBytes = 256ll * 1024 * 1024;
constexpr int64_t kDefaultFrame_us = 100000;
constexpr size_t kCacheSize = 4;

struct CacheEntry {
    std::string path;
    int64_t mtime = 0;
    int64_t size = 0;
    std::shared_ptr<const OverlayAnimation> animation;
};

std::mutex s_cacheMutex;
std::list<CacheEntry> s_cache; // guarded by s_cacheMutex; newest first

bool stamp(const std::string &path, int64_t &mtime, int64_t &size)
{
    struct stat st {};
    if (stat(path.c_str(), &st) != 0)
        return false;
    mtime = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    size = st.st_size;
    return true;
}

struct SwsDeleter {
    void operator()(SwsContext *c) const { sws_freeContext(c); }
};

} // namespace

std::shared_ptr<const OverlayAnimation> OverlayAnimation::load(const std::string &path, std::string &error)
{
    int64_t mtime = 0, size = 0;
    if (!stamp(path, mtime, size)) {
        error = "the file is missing";
        return nullptr;
    }
    {
        std::lock_guard<std::mutex> lock(s_cacheMutex);
        for (auto it = s_cache.begin(); it != s_cache.end(); ++it) {
            if (it->path == path && it->mtime == mtime && it->size == size) {
                s_cache.splice(s_cache.begin(), s_cache, it);
                return s_cache.front().animation;
            }
        }
    }
    auto animation = std::shared_ptr<OverlayAnimation>(new OverlayAnimation);
    if (!animation->read(path, error))
        return nullptr;
    std::lock_guard<std::mutex> lock(s_cacheMutex);
    s_cache.push_front(CacheEntry{path, mtime, size, animation});
    if (s_cache.size() > kCacheSize)
        s_cache.pop_back();
    return animation;
}

bool OverlayAnimation::read(const std::string &path, std::string &error)
{
    AVFormatContext *raw = nullptr;
    int r = avformat_open_input(&raw, path.c_str(), nullptr, nullptr);
    if (r < 0) {
        error = ffmpegError(r);
        return false;
    }
    InputContextPtr input(raw);
    if ((r = avformat_find_stream_info(input.get(), nullptr)) < 0) {
        error = ffmpegError(r);
        return false;
    }
    const int index = av_find_best_stream(input.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (index < 0) {
        error = "no picture in the file";
        return false;
    }
    AVStream *stream = input->streams[index];
    const AVCodec *codec = avcodec_find_decoder(stream->codecpar->codec_id);
    CodecContextPtr dec(avcodec_alloc_context3(codec));
    if (!codec || !dec || avcodec_parameters_to_context(dec.get(), stream->codecpar) < 0
        || avcodec_open2(dec.get(), codec, nullptr) < 0) {
        error = "the pictures cannot be decoded";
        return false;
    }
    PacketPtr packet = makePacket();
    FramePtr decoded(av_frame_alloc());
    std::unique_ptr<SwsContext, SwsDeleter> scaler;
    int64_t bytes = 0, lastDuration_us = 0;
    bool draining = false;
    while (m_frames.size() < kMaxFrames) {
        r = avcodec_receive_frame(dec.get(), decoded.get());
        if (r == AVERROR(EAGAIN) && !draining) {
            r = av_read_frame(input.get(), packet.get());
            if (r < 0) {
                avcodec_send_packet(dec.get(), nullptr);
                draining = true;
            } else {
                if (packet->stream_index == index)
                    avcodec_send_packet(dec.get(), packet.get());
                av_packet_unref(packet.get());
            }
            continue;
        }
        if (r < 0)
            break;
        const int w = decoded->width, h = decoded->height;
        if (w <= 0 || h <= 0 || w > kMaxSide || h > kMaxSide || (m_width && (w != m_width || h != m_height))) {
            error = "the pictures have no usable size";
            return false;
        }
        bytes += int64_t(w) * h * 4;
        if (bytes > kMaxBytes) {
            error = "the animation is too large to hold";
            return false;
        }
        m_width = w;
        m_height = h;
        scaler.reset(sws_getCachedContext(scaler.release(), w, h, static_cast<AVPixelFormat>(decoded->format), w, h,
                                          AV_PIX_FMT_RGBA, SWS_POINT, nullptr, nullptr, nullptr));
        FramePtr rgba(av_frame_alloc());
        if (!scaler || !rgba) {
            error = "out of memory";
            return false;
        }
        rgba->format = AV_PIX_FMT_RGBA;
        rgba->width = w;
        rgba->height = h;
        if (av_frame_get_buffer(rgba.get(), 0) < 0) {
            error = "out of memory";
            return false;
        }
        sws_scale(scaler.get(), decoded->data, decoded->linesize, 0, h, rgba->data, rgba->linesize);
        int64_t start = decoded->best_effort_timestamp;
        start = start == AV_NOPTS_VALUE ? -1 : av_rescale_q(start, stream->time_base, AVRational{1, 1000000});
        if (!m_frames.empty() && start <= m_frames.back().start_us)
            start = m_frames.back().start_us + (lastDuration_us > 0 ? lastDuration_us : kDefaultFrame_us);
        if (m_frames.empty())
            start = 0;
        lastDuration_us = decoded->pkt_duration > 0
            ? av_rescale_q(decoded->pkt_duration, stream->time_base, AVRational{1, 1000000})
            : 0;
        m_frames.push_back(Frame{std::move(rgba), start});
        av_frame_unref(decoded.get());
    }
    if (m_frames.empty()) {
        error = "no picture decodes";
        return false;
    }
    m_period_us = m_frames.back().start_us + (lastDuration_us > 0 ? lastDuration_us : kDefaultFrame_us);
    return true;
}

const AVFrame *OverlayAnimation::frameAt(int64_t t_us) const
{
    if (m_frames.empty())
        return nullptr;
    const int64_t at = m_period_us > 0 ? ((t_us % m_period_us) + m_period_us) % m_period_us : 0;
    auto it = std::upper_bound(m_frames.begin(), m_frames.end(), at,
                               [](int64_t t, const Frame &f) { return t < f.start_us; });
    return (it == m_frames.begin() ? it : std::prev(it))->picture.get();
}

} // namespace orl
