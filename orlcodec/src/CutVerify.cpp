#include "CutVerify.h"

#include "FFmpegPtr.h"

extern "C" {
#include <libavutil/pixdesc.h>
}

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace orl {

namespace {

struct Interrupt {
    const std::atomic<bool> *abort;
    const std::function<bool()> *global;
};

int interruptCb(void *opaque)
{
    const auto *i = static_cast<const Interrupt *>(opaque);
    return ((i->abort && i->abort->load()) || (i->global && *i->global && (*i->global)())) ? 1 : 0;
}

} // namespace

double picturePsnr(const AVFrame *a, const AVFrame *b)
{
    if (!a || !b || a->width != b->width || a->height != b->height || a->format != b->format)
        return -1;
    const AVPixFmtDescriptor *desc = av_pix_fmt_desc_get(static_cast<AVPixelFormat>(a->format));
    if (!desc || (desc->flags & (AV_PIX_FMT_FLAG_BITSTREAM | AV_PIX_FMT_FLAG_PAL | AV_PIX_FMT_FLAG_HWACCEL))
        || !(desc->flags & AV_PIX_FMT_FLAG_PLANAR))
        return -1;
    const int depth = desc->comp[0].depth;
    const bool wide = depth > 8;
    double sum = 0;
    int64_t samples = 0;
    for (int plane = 0; plane < desc->nb_components && plane < 4; ++plane) {
        const bool chroma = plane == 1 || plane == 2;
        const int w = chroma ? AV_CEIL_RSHIFT(a->width, desc->log2_chroma_w) : a->width;
        const int h = chroma ? AV_CEIL_RSHIFT(a->height, desc->log2_chroma_h) : a->height;
        for (int y = 0; y < h; ++y) {
            const uint8_t *ra = a->data[plane] + static_cast<ptrdiff_t>(y) * a->linesize[plane];
            const uint8_t *rb = b->data[plane] + static_cast<ptrdiff_t>(y) * b->linesize[plane];
            int64_t row = 0;
            if (wide) {
                const auto *pa = reinterpret_cast<const uint16_t *>(ra);
                const auto *pb = reinterpret_cast<const uint16_t *>(rb);
                for (int x = 0; x < w; ++x) {
                    const int64_t d = int64_t(pa[x]) - pb[x];
                    row += d * d;
                }
            } else {
                for (int x = 0; x < w; ++x) {
                    const int d = int(ra[x]) - rb[x];
                    row += d * d;
                }
            }
            sum += static_cast<double>(row);
        }
        samples += int64_t(w) * h;
    }
    if (samples == 0)
        return -1;
    const double mse = sum / static_cast<double>(samples);
    if (mse <= 0)
        return 100;
    const double peak = double((1 << depth) - 1);
    return 10.0 * std::log10(peak * peak / mse);
}

bool verifyCut(const std::string &path, const CutExpectation &expect, const std::atomic<bool> *abort,
               const std::function<bool()> &global, std::string &why)
{
    Interrupt irq{abort, &global};
    AVFormatContext *raw = avformat_alloc_context();
    if (!raw) {
        why = "out of memory";
        return false;
    }
    raw->interrupt_callback = AVIOInterruptCB{&interruptCb, &irq};
    int r = avformat_open_input(&raw, path.c_str(), nullptr, nullptr);
    if (r < 0) {
        why = "the written file cannot be opened: " + ffmpegError(r);
        return false;
    }
    InputContextPtr ctx(raw);
    if (avformat_find_stream_info(raw, nullptr) < 0) {
        why = "the written file's streams cannot be read";
        return false;
    }
    const int index = av_find_best_stream(raw, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (index < 0) {
        why = "the written file has no video";
        return false;
    }
    for (unsigned i = 0; i < raw->nb_streams; ++i)
        raw->streams[i]->discard = static_cast<int>(i) == index ? AVDISCARD_DEFAULT : AVDISCARD_ALL;
    AVStream *st = raw->streams[index];
    const AVCodec *codec = avcodec_find_decoder(st->codecpar->codec_id);
    CodecContextPtr dec(codec ? avcodec_alloc_context3(codec) : nullptr);
    if (!dec || avcodec_parameters_to_context(dec.get(), st->codecpar) < 0) {
        why = "no decoder for the written video";
        return false;
    }
    dec->pkt_timebase = st->time_base;
    dec->thread_count = 0;
    // Any damage in the bitstream is an error here, not something to hide.
    dec->err_recognition |= AV_EF_EXPLODE;
    if (avcodec_open2(dec.get(), codec, nullptr) < 0) {
        why = "the written video's decoder cannot be opened";
        return false;
    }

    int64_t count = 0;
    int64_t sent = 0;
    int64_t lastTime = AV_NOPTS_VALUE;
    FramePtr frame(av_frame_alloc());
    FramePtr first, last;
    PacketPtr pkt = makePacket();
    char text[160];
    auto receive = [&]() -> bool {
        for (;;) {
            r = avcodec_receive_frame(dec.get(), frame.get());
            if (r == AVERROR(EAGAIN) || r == AVERROR_EOF)
                return true;
            if (r < 0) {
                why = "decoding the written video failed: " + ffmpegError(r);
                return false;
            }
            if (frame->decode_error_flags || (frame->flags & AV_FRAME_FLAG_CORRUPT)) {
                why = "picture " + std::to_string(count + 1) + " of the written video is damaged";
                return false;
            }
            const int64_t t = frame->best_effort_timestamp;
            if (t == AV_NOPTS_VALUE || (lastTime != AV_NOPTS_VALUE && t <= lastTime)) {
                why = "the written pictures' times do not increase at picture " + std::to_string(count + 1);
                return false;
            }
            lastTime = t;
            ++count;
            if (!first)
                first.reset(av_frame_clone(frame.get()));
            last.reset(av_frame_clone(frame.get()));
            av_frame_unref(frame.get());
        }
    };
    const bool skipping = expect.skipFrom >= 0 && expect.skipTo > expect.skipFrom;
    std::vector<int64_t> skipped; // times of the pictures not decoded
    // Counts the pictures that were not decoded, once every picture decoded
    // before them is out: true when their times go on increasing.
    auto skippedIn = [&]() -> bool {
        std::sort(skipped.begin(), skipped.end());
        for (size_t i = 0; i < skipped.size(); ++i) {
            const int64_t t = skipped[i];
            if (t == AV_NOPTS_VALUE || (lastTime != AV_NOPTS_VALUE && t <= lastTime)) {
                why = "the written pictures' times do not increase at picture " + std::to_string(count + 1);
                return false;
            }
            lastTime = t;
            ++count;
        }
        skipped.clear();
        return true;
    };
    for (;;) {
        if (interruptCb(&irq)) {
            why = "stopped";
            return false;
        }
        r = av_read_frame(raw, pkt.get());
        if (r == AVERROR_EOF || (r < 0 && raw->pb && avio_feof(raw->pb)))
            break;
        if (r < 0) {
            why = "the written file cannot be read: " + ffmpegError(r);
            return false;
        }
        if (pkt->stream_index != index) {
            av_packet_unref(pkt.get());
            continue;
        }
        if (skipping && sent == expect.skipFrom) {
            avcodec_send_packet(dec.get(), nullptr);
            if (!receive())
                return false;
            avcodec_flush_buffers(dec.get());
        }
        if (skipping && sent >= expect.skipFrom && sent < expect.skipTo) {
            if (pkt->flags & AV_PKT_FLAG_CORRUPT) {
                why = "packet " + std::to_string(sent + 1) + " of the written video is damaged";
                return false;
            }
            skipped.push_back(pkt->pts);
            ++sent;
            av_packet_unref(pkt.get());
            continue;
        }
        if (skipping && sent == expect.skipTo) {
            if (!(pkt->flags & AV_PKT_FLAG_KEY)) {
                why = "the written video has no key frame where the copy has one (packet "
                    + std::to_string(sent + 1) + ")";
                return false;
            }
            if (!skippedIn())
                return false;
        }
        const bool light = sent >= expect.lightFrom && sent < expect.lightTo;
        dec->skip_loop_filter = light ? AVDISCARD_ALL : AVDISCARD_DEFAULT;
        dec->skip_idct = light ? AVDISCARD_ALL : AVDISCARD_DEFAULT;
        ++sent;
        r = avcodec_send_packet(dec.get(), pkt.get());
        av_packet_unref(pkt.get());
        if (r < 0 && r != AVERROR(EAGAIN)) {
            why = "decoding the written video failed: " + ffmpegError(r);
            return false;
        }
        if (!receive())
            return false;
    }
    avcodec_send_packet(dec.get(), nullptr);
    if (!receive() || !skippedIn())
        return false;
    if (count != expect.pictures) {
        why = "the written video has " + std::to_string(count) + " pictures instead of "
            + std::to_string(expect.pictures);
        return false;
    }
    const double a = picturePsnr(first.get(), expect.first);
    const double b = picturePsnr(last.get(), expect.last);
    if (a < expect.minPsnr || b < expect.minPsnr) {
        std::snprintf(text, sizeof text, "the written %s picture differs from the source's (%.1f dB)",
                      a < expect.minPsnr ? "first" : "last", a < expect.minPsnr ? a : b);
        why = text;
        return false;
    }
    return true;
}

} // namespace orl
