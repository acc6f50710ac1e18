#include "ReadableEnd.h"

#include "FFmpegPtr.h"
#include "Input.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace orl {

namespace {

// Tail sizes read in turn until a packet with a time turns up; a few
// seconds of even a high-rate video fit in the larger one.
constexpr int64_t kTailWindows[] = {int64_t(1) << 20, int64_t(8) << 20};
// A demuxer that keeps producing packets from a tail window has lost its
// way; stop rather than read on.
constexpr int kMaxTailPackets = 100000;

int64_t toUs(int64_t ts, AVRational tb)
{
    return av_rescale_q(ts, tb, AV_TIME_BASE_Q);
}

bool isMediaStream(const AVStream *st)
{
    const AVMediaType type = st->codecpar->codec_type;
    return (type == AVMEDIA_TYPE_VIDEO && !(st->disposition & AV_DISPOSITION_ATTACHED_PIC))
        || type == AVMEDIA_TYPE_AUDIO;
}

// From an index read with the header (MP4/MOV sample tables, AVI idx1,
// Matroska cues ahead of the clusters): samples listed beyond the file's
// size were never written. The end is the start of the first one missing.
// An index inside the file proves nothing: demuxers also list the key
// frames they have met while reading, which stop wherever reading stopped.
bool fromIndex(const AVFormatContext *fmt, int64_t fileSize, int64_t originUs, int64_t &endUs)
{
    bool truncated = false;
    int64_t end = 0;
    for (unsigned i = 0; i < fmt->nb_streams; ++i) {
        AVStream *st = fmt->streams[i];
        if (!isMediaStream(st))
            continue;
        const int n = avformat_index_get_entries_count(st);
        auto outside = [&](int k) {
            const AVIndexEntry *e = avformat_index_get_entry(st, k);
            return e && e->pos >= 0 && e->pos + e->size > fileSize;
        };
        if (n <= 0 || !outside(n - 1))
            continue;
        // Entries are in time order and, within one stream, in file order:
        // find the first one that does not fit.
        int lo = 0, hi = n - 1;
        while (lo < hi) {
            const int mid = lo + (hi - lo) / 2;
            if (outside(mid))
                hi = mid;
            else
                lo = mid + 1;
        }
        const AVIndexEntry *missing = avformat_index_get_entry(st, lo);
        truncated = true;
        end = std::max(end, std::max<int64_t>(0, toUs(missing->timestamp, st->time_base) - originUs));
    }
    if (truncated)
        endUs = end;
    return truncated;
}

// Reads the last bytes of the file through a demuxer of the same kind and
// takes the latest packet end found there. False when nothing was found.
bool fromTail(const AVFormatContext *fmt, const std::string &path, int64_t originUs,
              const AVIOInterruptCB &interrupt, int64_t &endUs)
{
    std::string error;
    std::unique_ptr<Input> input = openFileInput(path, interrupt, error);
    if (!input)
        return false;
    AVFormatContext *raw = avformat_alloc_context();
    if (!raw)
        return false;
    raw->pb = input->avio();
    raw->flags |= AVFMT_FLAG_CUSTOM_IO;
    raw->interrupt_callback = interrupt;
    AVDictionary *opts = nullptr;
    av_dict_set(&opts, "protocol_whitelist", "file,pipe", 0);
    // The demuxer is known: no probing, and no stream analysis either, since
    // only packet times are wanted.
    const int r = avformat_open_input(&raw, path.c_str(), fmt->iformat, &opts);
    av_dict_free(&opts);
    if (r < 0)
        return false;
    InputContextPtr ctx(raw);
    const int64_t size = avio_size(ctx->pb);
    if (size <= 0)
        return false;
    PacketPtr pkt = makePacket();
    if (!pkt)
        return false;

    bool found = false;
    int64_t end = 0;
    for (const int64_t window : kTailWindows) {
        const int64_t from = std::max<int64_t>(0, size - window);
        if (av_seek_frame(ctx.get(), -1, from, AVSEEK_FLAG_BYTE | AVSEEK_FLAG_ANY) < 0)
            return false;
        for (int count = 0; count < kMaxTailPackets; ++count) {
            if (interrupt.callback && interrupt.callback(interrupt.opaque))
                return false;
            if (av_read_frame(ctx.get(), pkt.get()) < 0)
                break;
            const int index = pkt->stream_index;
            if (index >= 0 && unsigned(index) < ctx->nb_streams && isMediaStream(ctx->streams[index])) {
                const int64_t ts = pkt->pts != AV_NOPTS_VALUE ? pkt->pts : pkt->dts;
                if (ts != AV_NOPTS_VALUE) {
                    const AVRational tb = ctx->streams[index]->time_base;
                    const int64_t t = toUs(ts + std::max<int64_t>(0, pkt->duration), tb) - originUs;
                    end = found ? std::max(end, t) : t;
                    found = true;
                }
            }
            av_packet_unref(pkt.get());
        }
        if (found || from == 0)
            break;
    }
    if (!found)
        return false;
    endUs = std::max<int64_t>(0, end);
    return true;
}

} // namespace

uint64_t readableEnd(const AVFormatContext *fmt, const std::string &path, uint64_t declaredUs,
                     const AVIOInterruptCB &interrupt)
{
    if (!fmt || !fmt->pb || path.empty() || declaredUs == 0)
        return declaredUs;
    // Durations measured from the data itself (the last time stamps of a
    // transport stream, or size over bit rate) already end where the file does.
    if (fmt->duration_estimation_method != AVFMT_DURATION_FROM_STREAM)
        return declaredUs;
    const int64_t fileSize = avio_size(fmt->pb);
    if (fileSize <= 0)
        return declaredUs;
    const int64_t declared = static_cast<int64_t>(declaredUs);
    const int64_t originUs = fmt->start_time != AV_NOPTS_VALUE ? fmt->start_time : 0;

    int64_t end = declared;
    if (fromIndex(fmt, fileSize, originUs, end))
        return static_cast<uint64_t>(std::min(end, declared));
    // Otherwise the tail tells. A demuxer whose index is the complete sample
    // table (MP4/MOV) cannot seek by byte and has answered above. AVI
    // counts frames instead of storing times, so a packet far from the start
    // carries no time of its own; demuxers that cannot seek by byte (or
    // carry no times) cannot be asked either.
    const AVInputFormat *format = fmt->iformat;
    if ((format->flags & (AVFMT_NO_BYTE_SEEK | AVFMT_NOTIMESTAMPS)) || std::strcmp(format->name, "avi") == 0)
        return declaredUs;
    if (!fromTail(fmt, path, originUs, interrupt, end))
        return declaredUs;
    return static_cast<uint64_t>(std::min(end, declared));
}

} // namespace orl
