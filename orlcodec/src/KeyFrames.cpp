#include "KeyFrames.h"

#include "Engine.h"
#include "FFmpegPtr.h"
#include "Input.h"

extern "C" {
#include <libavutil/avstring.h>
}

#include <sys/stat.h>

#include <algorithm>
#include <map>
#include <mutex>

namespace orl {

namespace {

constexpr AVRational kMicros{1, 1000000};
// An index whose entries lie further apart than this is taken to list only
// some of the key frames (a muxer that writes sparse cues).
constexpr int64_t kLargestIndexGap_us = 30000000;

struct Scan {
    const std::atomic<bool> *cancel = nullptr;
    bool stopped() const { return cancel->load(std::memory_order_relaxed) || globalInterrupt(); }
};

int scanInterrupt(void *opaque)
{
    return static_cast<const Scan *>(opaque)->stopped() ? 1 : 0;
}

std::mutex g_cacheMutex;
std::map<std::string, std::shared_ptr<const std::vector<uint64_t>>> g_cache; // guarded by g_cacheMutex

std::string cacheKey(const KeyFrameQuery &q)
{
    struct stat st;
    if (stat(q.path.c_str(), &st) != 0)
        return std::string();
    return q.path + '\n' + std::to_string(st.st_size) + '\n' + std::to_string(st.st_mtim.tv_sec) + '.'
        + std::to_string(st.st_mtim.tv_nsec) + '\n' + std::to_string(q.streamIndex) + '\n'
        + std::to_string(q.fileStart_us);
}

void discardOthers(AVFormatContext *ctx, int keep)
{
    for (unsigned i = 0; i < ctx->nb_streams; ++i)
        ctx->streams[i]->discard = static_cast<int>(i) == keep ? AVDISCARD_DEFAULT : AVDISCARD_ALL;
}

bool plausibleIndex(const std::vector<int64_t> &times, int64_t duration_us)
{
    if (times.empty())
        return false;
    for (size_t i = 1; i < times.size(); ++i)
        if (times[i] - times[i - 1] > kLargestIndexGap_us)
            return false;
    return duration_us <= 0 || duration_us - times.back() <= kLargestIndexGap_us;
}

// QuickTime family: the sample table lists every key sample by decoding
// time; one packet per key sample gives its presentation time.
bool fromMovIndex(AVFormatContext *ctx, AVStream *st, const Scan &scan, std::vector<int64_t> &out)
{
    const int count = avformat_index_get_entries_count(st);
    if (count <= 0 || (st->nb_frames > 0 && count < st->nb_frames))
        return false; // fragmented: the table grows while reading
    std::vector<const AVIndexEntry *> keys;
    for (int i = 0; i < count; ++i) {
        const AVIndexEntry *e = avformat_index_get_entry(st, i);
        if (e && (e->flags & AVINDEX_KEYFRAME) && !(e->flags & AVINDEX_DISCARD_FRAME))
            keys.push_back(e);
    }
    PacketPtr pkt = makePacket();
    for (const AVIndexEntry *e : keys) {
        if (scan.stopped())
            return false;
        // The sample is known by its place in the file; the seek may land
        // a little before it.
        const int64_t pos = e->pos;
        if (av_seek_frame(ctx, st->index, e->timestamp, AVSEEK_FLAG_BACKWARD) < 0)
            return false;
        bool found = false;
        while (!found) {
            const int r = av_read_frame(ctx, pkt.get());
            if (r < 0)
                return false;
            const bool ours = pkt->stream_index == st->index;
            const int64_t pts = pkt->pts != AV_NOPTS_VALUE ? pkt->pts : pkt->dts;
            const int64_t at = pkt->pos;
            av_packet_unref(pkt.get());
            if (!ours)
                continue;
            if (at > pos)
                return false;
            if (at == pos) {
                if (pts == AV_NOPTS_VALUE)
                    return false;
                out.push_back(av_rescale_q(pts, st->time_base, kMicros));
                found = true;
            }
        }
    }
    return true;
}

// Matroska cues carry presentation times; they are read at the first seek.
bool fromCues(AVFormatContext *ctx, AVStream *st, std::vector<int64_t> &out)
{
    if (av_seek_frame(ctx, st->index, 0, AVSEEK_FLAG_BACKWARD) < 0)
        return false;
    const int count = avformat_index_get_entries_count(st);
    for (int i = 0; i < count; ++i) {
        const AVIndexEntry *e = avformat_index_get_entry(st, i);
        if (e && (e->flags & AVINDEX_KEYFRAME))
            out.push_back(av_rescale_q(e->timestamp, st->time_base, kMicros));
    }
    return plausibleIndex(out, ctx->duration);
}

// Every packet header of the stream, in file order (the parsers of
// transport streams set the key flag from the bitstream).
bool byReading(AVFormatContext *ctx, AVStream *st, const Scan &scan, std::vector<int64_t> &out,
               std::string &error)
{
    PacketPtr pkt = makePacket();
    for (;;) {
        if (scan.stopped()) {
            error = "stopped";
            return false;
        }
        const int r = av_read_frame(ctx, pkt.get());
        if (r == AVERROR_EOF || (r < 0 && ctx->pb && avio_feof(ctx->pb)))
            return true;
        if (r < 0) {
            if (scan.stopped()) {
                error = "stopped";
                return false;
            }
            // A damaged stretch ends the list where it is; what came before stays valid.
            return true;
        }
        if (pkt->stream_index == st->index && (pkt->flags & AV_PKT_FLAG_KEY)) {
            const int64_t pts = pkt->pts != AV_NOPTS_VALUE ? pkt->pts : pkt->dts;
            if (pts != AV_NOPTS_VALUE)
                out.push_back(av_rescale_q(pts, st->time_base, kMicros));
        }
        av_packet_unref(pkt.get());
    }
}

bool scanFile(const KeyFrameQuery &q, const Scan &scan, std::vector<int64_t> &found, std::string &error)
{
    AVIOInterruptCB cb{&scanInterrupt, const_cast<Scan *>(&scan)};
    std::unique_ptr<Input> input = openFileInput(q.path, cb, error);
    if (!input)
        return false;
    AVFormatContext *raw = avformat_alloc_context();
    if (!raw) {
        error = "out of memory";
        return false;
    }
    raw->pb = input->avio();
    raw->flags |= AVFMT_FLAG_CUSTOM_IO;
    raw->interrupt_callback = cb;
    AVDictionary *opts = nullptr;
    av_dict_set(&opts, "protocol_whitelist", "file", 0);
    int r = avformat_open_input(&raw, q.path.c_str(), nullptr, &opts);
    av_dict_free(&opts);
    if (r < 0) {
        error = scan.stopped() ? "stopped" : "cannot open: " + ffmpegError(r);
        return false;
    }
    InputContextPtr ctx(raw);
    if (q.streamIndex < 0 || q.streamIndex >= static_cast<int>(ctx->nb_streams)) {
        // Streams of a transport stream may appear only once packets are read.
        r = avformat_find_stream_info(ctx.get(), nullptr);
        if (q.streamIndex < 0 || q.streamIndex >= static_cast<int>(ctx->nb_streams)) {
            error = "no such video stream";
            return false;
        }
    }
    AVStream *st = ctx->streams[q.streamIndex];
    if (st->codecpar->codec_type != AVMEDIA_TYPE_VIDEO) {
        error = "not a video stream";
        return false;
    }
    discardOthers(ctx.get(), q.streamIndex);
    const char *name = ctx->iformat->name;
    bool done = false;
    if (av_match_name("mov", name) || av_match_name("mp4", name)) {
        done = fromMovIndex(ctx.get(), st, scan, found);
    } else if (av_match_name("matroska", name)) {
        done = fromCues(ctx.get(), st, found);
    }
    if (scan.stopped()) {
        error = "stopped";
        return false;
    }
    if (!done) {
        found.clear();
        if (av_seek_frame(ctx.get(), -1, ctx->start_time == AV_NOPTS_VALUE ? 0 : ctx->start_time,
                          AVSEEK_FLAG_BACKWARD)
            < 0)
            avio_seek(ctx->pb, 0, SEEK_SET);
        if (!byReading(ctx.get(), st, scan, found, error))
            return false;
    }
    return true;
}

} // namespace

bool findKeyFrames(const KeyFrameQuery &query, const std::atomic<bool> &cancel, std::vector<uint64_t> &times,
                   std::string &error)
{
    times.clear();
    const std::string key = cacheKey(query);
    if (key.empty()) {
        error = "the file cannot be found";
        return false;
    }
    {
        std::lock_guard<std::mutex> lock(g_cacheMutex);
        auto it = g_cache.find(key);
        if (it != g_cache.end()) {
            times = *it->second;
            return true;
        }
    }
    Scan scan;
    scan.cancel = &cancel;
    std::vector<int64_t> found;
    if (!scanFile(query, scan, found, error))
        return false;
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    auto list = std::make_shared<std::vector<uint64_t>>();
    list->reserve(found.size());
    for (int64_t t : found) {
        const int64_t rel = t - query.fileStart_us;
        list->push_back(rel > 0 ? static_cast<uint64_t>(rel) : 0);
    }
    times = *list;
    std::lock_guard<std::mutex> lock(g_cacheMutex);
    g_cache[key] = std::move(list);
    return true;
}

void forgetKeyFrames()
{
    std::lock_guard<std::mutex> lock(g_cacheMutex);
    g_cache.clear();
}

} // namespace orl
