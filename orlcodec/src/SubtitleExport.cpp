#include "SubtitleExport.h"

#include "BackgroundReader.h"
#include "Engine.h"
#include "FFmpegPtr.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/mem.h>
}

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace orl {

namespace {

constexpr AVRational kMicroseconds{1, 1000000};
constexpr AVRational kMilliseconds{1, 1000};
// How long a text event whose end the stream does not tell is shown.
constexpr int64_t kUntoldEventUs = 2000000;

bool isText(AVCodecID id)
{
    const AVCodecDescriptor *d = avcodec_descriptor_get(id);
    return d && (d->props & AV_CODEC_PROP_TEXT_SUB);
}

bool isBitmap(AVCodecID id)
{
    const AVCodecDescriptor *d = avcodec_descriptor_get(id);
    return d && (d->props & AV_CODEC_PROP_BITMAP_SUB);
}

// An event [start, end) of the source in the output: one span for every
// range it shows in, placed where that range lands when the ranges are
// joined in order. Without ranges the output is the source's timeline.
std::vector<SubtitleRange> place(int64_t start, int64_t end, const std::vector<SubtitleRange> &ranges)
{
    std::vector<SubtitleRange> spans;
    if (ranges.empty()) {
        if (end > start && end > 0)
            spans.push_back({std::max<int64_t>(start, 0), end});
        return spans;
    }
    int64_t offset = 0;
    for (const SubtitleRange &r : ranges) {
        const int64_t a = std::max(start, r.startUs);
        const int64_t b = std::min(end, r.endUs);
        if (b > a)
            spans.push_back({offset + a - r.startUs, offset + b - r.startUs});
        offset += std::max<int64_t>(r.endUs - r.startUs, 0);
    }
    return spans;
}

// A packet kept whole (picture subtitles cannot be split): where its start
// lands, or -1 when no range holds its start.
int64_t placeStart(int64_t start, const std::vector<SubtitleRange> &ranges)
{
    if (ranges.empty())
        return start >= 0 ? start : -1;
    int64_t offset = 0;
    for (const SubtitleRange &r : ranges) {
        if (start >= r.startUs && start < r.endUs)
            return offset + start - r.startUs;
        offset += std::max<int64_t>(r.endUs - r.startUs, 0);
    }
    return -1;
}

struct Written {
    int64_t ptsUs;
    int64_t durationUs;
    std::vector<uint8_t> bytes;
    int flags;
};

class OutputFile {
public:
    explicit OutputFile(std::string path) : m_path(std::move(path)), m_part(m_path + ".part") {}
    ~OutputFile()
    {
        m_ctx.reset();
        if (!m_done)
            std::remove(m_part.c_str());
    }

    AVFormatContext *ctx() const { return m_ctx.get(); }

    bool open(const char *muxer, InterruptFlags *irq, std::string &error)
    {
        AVFormatContext *oc = nullptr;
        const int r = avformat_alloc_output_context2(&oc, nullptr, muxer, m_part.c_str());
        if (r < 0 || !oc) {
            error = std::string("cannot write ") + muxer + " files: " + ffmpegError(r);
            return false;
        }
        m_ctx.reset(oc);
        const AVIOInterruptCB cb{&interruptFlagsCallback, irq};
        const int o = avio_open2(&oc->pb, m_part.c_str(), AVIO_FLAG_WRITE, &cb, nullptr);
        if (o < 0) {
            error = "cannot create " + m_path + ": " + ffmpegError(o);
            return false;
        }
        return true;
    }

    // Writes the packets in time order and completes the file.
    bool finish(std::vector<Written> &packets, std::string &error)
    {
        AVFormatContext *oc = m_ctx.get();
        int r = avformat_write_header(oc, nullptr);
        if (r < 0) {
            error = "cannot start " + m_path + ": " + ffmpegError(r);
            return false;
        }
        std::stable_sort(packets.begin(), packets.end(),
                         [](const Written &a, const Written &b) { return a.ptsUs < b.ptsUs; });
        AVStream *st = oc->streams[0];
        PacketPtr pkt = makePacket();
        for (Written &w : packets) {
            if (av_new_packet(pkt.get(), static_cast<int>(w.bytes.size())) < 0) {
                error = "out of memory";
                return false;
            }
            std::memcpy(pkt->data, w.bytes.data(), w.bytes.size());
            pkt->pts = pkt->dts = av_rescale_q(w.ptsUs, kMicroseconds, st->time_base);
            pkt->duration = av_rescale_q(w.durationUs, kMicroseconds, st->time_base);
            pkt->stream_index = 0;
            pkt->flags = w.flags;
            r = av_interleaved_write_frame(oc, pkt.get());
            if (r < 0) {
                error = "cannot write " + m_path + ": " + ffmpegError(r);
                return false;
            }
        }
        r = av_write_trailer(oc);
        if (r < 0 || oc->pb->error < 0) {
            error = "cannot complete " + m_path + ": " + ffmpegError(r < 0 ? r : oc->pb->error);
            return false;
        }
        m_ctx.reset();
        if (std::rename(m_part.c_str(), m_path.c_str()) != 0) {
            error = "cannot name the file " + m_path + ": " + std::strerror(errno);
            return false;
        }
        m_done = true;
        return true;
    }

private:
    std::string m_path;
    std::string m_part;
    OutputContextPtr m_ctx;
    bool m_done = false;
};

bool exportText(OpenedSource &src, AVStream *st, SubtitleFile kind, const std::vector<SubtitleRange> &ranges,
                const std::string &out, InterruptFlags *irq, std::string &error)
{
    const AVCodec *decoder = avcodec_find_decoder(st->codecpar->codec_id);
    const AVCodec *encoder = avcodec_find_encoder(kind == SubtitleFile::Srt ? AV_CODEC_ID_SUBRIP : AV_CODEC_ID_ASS);
    if (!decoder || !encoder) {
        error = std::string("no ") + (decoder ? "encoder" : "decoder") + " for these subtitles";
        return false;
    }
    CodecContextPtr dec(avcodec_alloc_context3(decoder));
    if (!dec || avcodec_parameters_to_context(dec.get(), st->codecpar) < 0) {
        error = "out of memory";
        return false;
    }
    dec->pkt_timebase = st->time_base;
    int r = avcodec_open2(dec.get(), decoder, nullptr);
    if (r < 0) {
        error = "cannot read these subtitles: " + ffmpegError(r);
        return false;
    }
    CodecContextPtr enc(avcodec_alloc_context3(encoder));
    if (!enc) {
        error = "out of memory";
        return false;
    }
    enc->time_base = AV_TIME_BASE_Q;
    // The styles of the source (ASS) or the plain default ones the decoder
    // made, so an ASS output shows what the source showed.
    if (dec->subtitle_header && dec->subtitle_header_size > 0) {
        enc->subtitle_header = static_cast<uint8_t *>(av_mallocz(size_t(dec->subtitle_header_size) + 1));
        if (!enc->subtitle_header) {
            error = "out of memory";
            return false;
        }
        std::memcpy(enc->subtitle_header, dec->subtitle_header, size_t(dec->subtitle_header_size));
        enc->subtitle_header_size = dec->subtitle_header_size;
    }
    r = avcodec_open2(enc.get(), encoder, nullptr);
    if (r < 0) {
        error = "cannot write these subtitles as " + std::string(kind == SubtitleFile::Srt ? "SRT" : "ASS") + ": "
            + ffmpegError(r);
        return false;
    }
    OutputFile file(out);
    if (!file.open(kind == SubtitleFile::Srt ? "srt" : "ass", irq, error))
        return false;
    AVStream *ost = avformat_new_stream(file.ctx(), nullptr);
    if (!ost || avcodec_parameters_from_context(ost->codecpar, enc.get()) < 0) {
        error = "out of memory";
        return false;
    }
    ost->time_base = kMilliseconds;

    AVFormatContext *ctx = src.ctx.get();
    const int64_t origin = ctx->start_time != AV_NOPTS_VALUE ? ctx->start_time : 0;
    std::vector<Written> packets;
    std::vector<uint8_t> buffer(1 << 20);
    PacketPtr pkt = makePacket();
    for (;;) {
        if (irq && irq->check()) {
            error = "stopped";
            return false;
        }
        r = av_read_frame(ctx, pkt.get());
        if (r == AVERROR(EAGAIN))
            continue;
        if (r == AVERROR_EOF)
            break;
        if (r < 0) {
            error = "cannot read the source: " + ffmpegError(r);
            return false;
        }
        if (pkt->stream_index != st->index || pkt->pts == AV_NOPTS_VALUE) {
            av_packet_unref(pkt.get());
            continue;
        }
        AVSubtitle sub{};
        int got = 0;
        r = avcodec_decode_subtitle2(dec.get(), &sub, &got, pkt.get());
        av_packet_unref(pkt.get());
        if (r < 0 || !got)
            continue; // a damaged event is left out, as a player would
        if (sub.pts != AV_NOPTS_VALUE && sub.num_rects > 0) {
            const int64_t shown = sub.pts - origin + int64_t(sub.start_display_time) * 1000;
            int64_t gone = sub.pts - origin + int64_t(sub.end_display_time) * 1000;
            if (sub.end_display_time == 0 || sub.end_display_time == UINT32_MAX || gone <= shown)
                gone = shown + kUntoldEventUs;
            for (const SubtitleRange &span : place(shown, gone, ranges)) {
                AVSubtitle placed = sub;
                placed.pts = span.startUs;
                placed.start_display_time = 0;
                placed.end_display_time = static_cast<uint32_t>((span.endUs - span.startUs) / 1000);
                const int n = avcodec_encode_subtitle(enc.get(), buffer.data(), static_cast<int>(buffer.size()),
                                                      &placed);
                if (n < 0) {
                    avsubtitle_free(&sub);
                    error = "cannot write an event: " + ffmpegError(n);
                    return false;
                }
                if (n > 0)
                    packets.push_back({span.startUs, span.endUs - span.startUs,
                                       std::vector<uint8_t>(buffer.begin(), buffer.begin() + n), AV_PKT_FLAG_KEY});
            }
        }
        avsubtitle_free(&sub);
    }
    return file.finish(packets, error);
}

bool exportPictures(OpenedSource &src, AVStream *st, SubtitleFile kind, const std::vector<SubtitleRange> &ranges,
                    const std::string &out, InterruptFlags *irq, std::string &error)
{
    OutputFile file(out);
    if (!file.open(kind == SubtitleFile::Sup ? "sup" : "matroska", irq, error))
        return false;
    AVStream *ost = avformat_new_stream(file.ctx(), nullptr);
    if (!ost || avcodec_parameters_copy(ost->codecpar, st->codecpar) < 0) {
        error = "out of memory";
        return false;
    }
    ost->codecpar->codec_tag = 0;
    ost->time_base = st->time_base;
    ost->disposition = st->disposition;
    if (const AVDictionaryEntry *lang = av_dict_get(st->metadata, "language", nullptr, 0))
        av_dict_set(&ost->metadata, "language", lang->value, 0);
    if (const AVDictionaryEntry *title = av_dict_get(st->metadata, "title", nullptr, 0))
        av_dict_set(&ost->metadata, "title", title->value, 0);

    AVFormatContext *ctx = src.ctx.get();
    const int64_t origin = ctx->start_time != AV_NOPTS_VALUE ? ctx->start_time : 0;
    std::vector<Written> packets;
    PacketPtr pkt = makePacket();
    for (;;) {
        if (irq && irq->check()) {
            error = "stopped";
            return false;
        }
        const int r = av_read_frame(ctx, pkt.get());
        if (r == AVERROR(EAGAIN))
            continue;
        if (r == AVERROR_EOF)
            break;
        if (r < 0) {
            error = "cannot read the source: " + ffmpegError(r);
            return false;
        }
        if (pkt->stream_index == st->index && pkt->pts != AV_NOPTS_VALUE && pkt->size > 0) {
            const int64_t at = av_rescale_q(pkt->pts, st->time_base, kMicroseconds) - origin;
            const int64_t placed = placeStart(at, ranges);
            if (placed >= 0)
                packets.push_back({placed, std::max<int64_t>(av_rescale_q(pkt->duration, st->time_base, kMicroseconds), 0),
                                   std::vector<uint8_t>(pkt->data, pkt->data + pkt->size), pkt->flags});
        }
        av_packet_unref(pkt.get());
    }
    return file.finish(packets, error);
}

} // namespace

SubtitleFile defaultSubtitleFile(int codecId, std::string &why)
{
    const auto id = static_cast<AVCodecID>(codecId);
    if (id == AV_CODEC_ID_HDMV_PGS_SUBTITLE)
        return SubtitleFile::Sup;
    if (isBitmap(id))
        return SubtitleFile::Mks;
    if (isText(id)) {
        if (!avcodec_find_decoder(id)) {
            why = std::string("no decoder for ") + avcodec_get_name(id) + " subtitles";
            return SubtitleFile::None;
        }
        return SubtitleFile::Srt;
    }
    why = std::string(avcodec_get_name(id)) + " subtitles can be neither read as text nor kept as pictures";
    return SubtitleFile::None;
}

namespace {

// The subtitle stream of an opened source, or null with why.
AVStream *subtitleStream(OpenedSource &src, int stream, std::string &why)
{
    AVFormatContext *ctx = src.ctx.get();
    if (stream < 0 || stream >= static_cast<int>(ctx->nb_streams)) {
        why = "the source has no stream " + std::to_string(stream);
        return nullptr;
    }
    AVStream *st = ctx->streams[stream];
    if (st->codecpar->codec_type != AVMEDIA_TYPE_SUBTITLE) {
        why = "stream " + std::to_string(stream) + " is not a subtitle stream";
        return nullptr;
    }
    return st;
}

} // namespace

bool listSubtitleStreams(const std::string &source, InterruptFlags *irq, std::vector<SubtitleStreamEntry> &out,
                         std::string &error)
{
    out.clear();
    OpenedSource src;
    if (!openInput(source, irq, src, error))
        return false;
    AVFormatContext *ctx = src.ctx.get();
    for (unsigned i = 0; i < ctx->nb_streams; ++i) {
        const AVStream *st = ctx->streams[i];
        if (st->codecpar->codec_type != AVMEDIA_TYPE_SUBTITLE)
            continue;
        SubtitleStreamEntry e;
        e.index = static_cast<int>(i);
        std::string why;
        e.kind = defaultSubtitleFile(st->codecpar->codec_id, why);
        if (const AVDictionaryEntry *lang = av_dict_get(st->metadata, "language", nullptr, 0))
            e.language = lang->value;
        e.codec = avcodec_get_name(st->codecpar->codec_id);
        out.push_back(std::move(e));
    }
    return true;
}

bool exportSubtitles(const std::string &source, int stream, SubtitleFile kind,
                     const std::vector<SubtitleRange> &ranges, const std::string &out, InterruptFlags *irq,
                     std::string &error)
{
    for (const SubtitleRange &r : ranges)
        if (r.endUs <= r.startUs || r.startUs < 0) {
            error = "a range ends before it starts";
            return false;
        }
    if (out.empty()) {
        error = "no output file named";
        return false;
    }
    OpenedSource src;
    if (!openInput(source, irq, src, error))
        return false;
    AVFormatContext *ctx = src.ctx.get();
    AVStream *st = subtitleStream(src, stream, error);
    if (!st)
        return false;
    const AVCodecID id = st->codecpar->codec_id;
    std::string why;
    const SubtitleFile natural = defaultSubtitleFile(id, why);
    if (natural == SubtitleFile::None) {
        error = why;
        return false;
    }
    if (kind == SubtitleFile::None)
        kind = natural;
    const bool text = isText(id);
    if (text && kind != SubtitleFile::Srt && kind != SubtitleFile::Ass) {
        error = "text subtitles are written as SRT or ASS";
        return false;
    }
    if (!text && kind != SubtitleFile::Mks && !(kind == SubtitleFile::Sup && natural == SubtitleFile::Sup)) {
        error = std::string(kind == SubtitleFile::Sup ? "only PGS subtitles are written as SUP"
                                                      : "picture subtitles cannot be turned into text")
            + " (" + avcodec_get_name(id) + ")";
        return false;
    }
    for (unsigned i = 0; i < ctx->nb_streams; ++i)
        ctx->streams[i]->discard = static_cast<int>(i) == stream ? AVDISCARD_DEFAULT : AVDISCARD_ALL;
    return text ? exportText(src, st, kind, ranges, out, irq, error)
                : exportPictures(src, st, kind, ranges, out, irq, error);
}

} // namespace orl
