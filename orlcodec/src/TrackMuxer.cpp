#include "TrackMuxer.h"

#include "OutputFormat.h"

#include "CodecTable.h"
#include "Engine.h"
#include "FFmpegPtr.h"
#include "Job.h"
#include "MediaTime.h"

#include <chrono>
#include <cstring>

namespace orl {

namespace {
constexpr size_t kMaxQueued = 2048;
} // namespace

bool TrackObject::push(TrackPacket packet, bool end, const std::atomic<bool> &abort)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    if (m_ended)
        return false;
    // A muxer that stopped taking packets must not hang the producer.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (m_queue.size() >= kMaxQueued && !abort.load()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        m_cond.wait_for(lock, std::chrono::milliseconds(10));
    }
    if (abort.load())
        return false;
    if (end) {
        m_ended = true;
        return true;
    }
    m_queue.push_back(std::move(packet));
    return true;
}

bool TrackObject::tryPop(TrackPacket &out)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_queue.empty())
        return false;
    out = std::move(m_queue.front());
    m_queue.pop_front();
    m_cond.notify_all();
    return true;
}

bool TrackObject::drained()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_ended && m_queue.empty();
}

struct TrackMuxer::Output {
    OutputContextPtr ctx;
    bool headerWritten = false;
};

TrackMuxer::TrackMuxer(std::vector<std::shared_ptr<TrackObject>> tracks, CopyProgress &progress)
    : m_tracks(std::move(tracks))
    , m_progress(progress)
{
}

TrackMuxer::~TrackMuxer()
{
    stop();
}

bool TrackMuxer::open(const std::string &dst, const std::string &format, std::string &error)
{
    const AVOutputFormat *ofmt = findOutputFormat(format, dst);
    if (!ofmt) {
        error = "unknown output container \"" + format + "\"";
        return false;
    }
    auto out = std::make_unique<Output>();
    AVFormatContext *ctx = nullptr;
    if (avformat_alloc_output_context2(&ctx, ofmt, nullptr, dst.c_str()) < 0 || !ctx) {
        error = "cannot set up the output";
        return false;
    }
    out->ctx.reset(ctx);
    setContainerOptions(ctx, dst);
    for (const auto &t : m_tracks) {
        AVStream *st = avformat_new_stream(out->ctx.get(), nullptr);
        if (!st) {
            error = "out of memory";
            return false;
        }
        const LegacyCodec *codec = findLegacyCodec(t->legacyCodec);
        AVCodecParameters *par = st->codecpar;
        par->codec_id = codec ? codec->codecId : AV_CODEC_ID_NONE;
        if (par->codec_id == AV_CODEC_ID_NONE) {
            error = "unknown codec identifier of a track";
            return false;
        }
        st->time_base = kMicros;
        if (t->kind == ORL_STREAM_VIDEO) {
            par->codec_type = AVMEDIA_TYPE_VIDEO;
            par->width = t->width;
            par->height = t->height;
            if (t->frameRate > 0 && t->frameRateScale > 0)
                st->avg_frame_rate = AVRational{t->frameRate, t->frameRateScale};
            if (t->displayWidth > 0 && t->displayHeight > 0 && t->width > 0 && t->height > 0) {
                av_reduce(&par->sample_aspect_ratio.num, &par->sample_aspect_ratio.den,
                          int64_t(t->displayWidth) * t->height, int64_t(t->displayHeight) * t->width, 1 << 30);
                st->sample_aspect_ratio = par->sample_aspect_ratio;
            }
        } else if (t->kind == ORL_STREAM_AUDIO) {
            par->codec_type = AVMEDIA_TYPE_AUDIO;
            par->sample_rate = t->audioFirst;
            av_channel_layout_default(&par->ch_layout, t->audioSecond > 0 ? t->audioSecond : 2);
            if (par->codec_id == AV_CODEC_ID_AAC)
                par->frame_size = 1024;
        } else {
            par->codec_type = AVMEDIA_TYPE_SUBTITLE;
            if (t->timingNum > 0 && t->timingDen > 0)
                st->time_base = AVRational{t->timingDen, t->timingNum};
        }
        if (!t->privateData.empty()) {
            par->extradata = static_cast<uint8_t *>(av_mallocz(t->privateData.size() + AV_INPUT_BUFFER_PADDING_SIZE));
            if (!par->extradata) {
                error = "out of memory";
                return false;
            }
            memcpy(par->extradata, t->privateData.data(), t->privateData.size());
            par->extradata_size = static_cast<int>(t->privateData.size());
        }
    }
    if (!(ofmt->flags & AVFMT_NOFILE)) {
        const int r = avio_open(&out->ctx->pb, dst.c_str(), AVIO_FLAG_WRITE);
        if (r < 0) {
            error = "cannot create the output file: " + ffmpegError(r);
            return false;
        }
    }
    const int r = avformat_write_header(out->ctx.get(), nullptr);
    if (r < 0) {
        error = "the container does not take these tracks: " + ffmpegError(r);
        return false;
    }
    out->headerWritten = true;
    m_out = std::move(out);
    return true;
}

bool TrackMuxer::start()
{
    if (!m_out || m_worker.joinable())
        return false;
    m_progress.finished = false;
    m_progress.failed = false;
    m_worker = std::thread(&TrackMuxer::run, this);
    return true;
}

void TrackMuxer::run()
{
    bool ok = true;
    PacketPtr pkt = makePacket();
    for (;;) {
        if (m_abort.load()) {
            ok = false;
            break;
        }
        bool any = false;
        bool allDrained = true;
        for (size_t i = 0; i < m_tracks.size(); ++i) {
            TrackPacket tp;
            if (!m_tracks[i]->tryPop(tp)) {
                allDrained = allDrained && m_tracks[i]->drained();
                continue;
            }
            allDrained = false;
            any = true;
            if (av_new_packet(pkt.get(), static_cast<int>(tp.data.size())) < 0) {
                ok = false;
                break;
            }
            if (!tp.data.empty())
                memcpy(pkt->data, tp.data.data(), tp.data.size());
            const AVStream *st = m_out->ctx->streams[i];
            pkt->stream_index = static_cast<int>(i);
            pkt->pts = av_rescale_q(tp.pts_us, kMicros, st->time_base);
            pkt->dts = av_rescale_q(tp.dts_us, kMicros, st->time_base);
            pkt->duration = av_rescale_q(tp.duration_us, kMicros, st->time_base);
            if (tp.key)
                pkt->flags |= AV_PKT_FLAG_KEY;
            m_tracks[i]->lastTime_us = static_cast<uint64_t>(std::max<int64_t>(tp.pts_us, 0));
            if (tp.dts_us > 0 && static_cast<uint64_t>(tp.dts_us) > m_progress.position_us.load())
                m_progress.position_us = static_cast<uint64_t>(tp.dts_us);
            if (av_interleaved_write_frame(m_out->ctx.get(), pkt.get()) < 0) {
                ok = false;
                break;
            }
        }
        if (!ok || allDrained)
            break;
        if (!any)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    if (m_out->headerWritten) {
        if (av_write_trailer(m_out->ctx.get()) < 0)
            ok = false;
        m_out->headerWritten = false;
    }
    m_out.reset();
    m_progress.failed = !ok;
    m_progress.finished = true;
    announceJobEnd();
}

void TrackMuxer::stop()
{
    m_abort = true;
    if (m_worker.joinable())
        m_worker.join();
    m_out.reset();
}

} // namespace orl
