#include "Detect.h"

#include "MediaTime.h"

extern "C" {
#include <libavfilter/avfilter.h>
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
#include <libavutil/pixdesc.h>
}

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace orl {

namespace {

// Pictures are compared at this width at most: the detection filters look at
// every pixel, and a quarter of a full-HD picture still shows a black frame,
// a cut or a still picture as clearly as the whole one.
constexpr int kCompareWidth = 480;

int64_t secondsToMicros(const char *text)
{
    return static_cast<int64_t>(std::llround(std::strtod(text, nullptr) * 1e6));
}

const char *metaValue(const AVFrame *f, const char *key)
{
    const AVDictionaryEntry *e = av_dict_get(f->metadata, key, nullptr, 0);
    return e ? e->value : nullptr;
}

std::string number(double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.6f", v);
    return buf;
}

template <class T, class Norm>
float peakOfPlane(const uint8_t *base, int from, int to, int step, int off, Norm norm)
{
    const T *p = reinterpret_cast<const T *>(base);
    float peak = 0;
    for (int i = from; i < to; ++i)
        peak = std::max(peak, norm(p[i * step + off]));
    return peak;
}

// Loudest sample of all channels in frame samples [from, to), 0..1.
float peakOf(const AVFrame *f, int from, int to)
{
    const auto fmt = static_cast<AVSampleFormat>(f->format);
    const int channels = f->ch_layout.nb_channels;
    const bool planar = av_sample_fmt_is_planar(fmt);
    const int step = planar ? 1 : channels;
    float peak = 0;
    for (int c = 0; c < channels; ++c) {
        const uint8_t *base = planar ? f->extended_data[c] : f->extended_data[0];
        const int off = planar ? 0 : c;
        float v = 0;
        switch (av_get_packed_sample_fmt(fmt)) {
        case AV_SAMPLE_FMT_FLT:
            v = peakOfPlane<float>(base, from, to, step, off, [](float x) { return std::fabs(x); });
            break;
        case AV_SAMPLE_FMT_DBL:
            v = peakOfPlane<double>(base, from, to, step, off, [](double x) { return float(std::fabs(x)); });
            break;
        case AV_SAMPLE_FMT_S16:
            v = peakOfPlane<int16_t>(base, from, to, step, off, [](int16_t x) { return std::abs(int(x)) / 32768.f; });
            break;
        case AV_SAMPLE_FMT_S32:
            v = peakOfPlane<int32_t>(base, from, to, step, off,
                                     [](int32_t x) { return float(std::llabs(int64_t(x)) / 2147483648.0); });
            break;
        case AV_SAMPLE_FMT_U8:
            v = peakOfPlane<uint8_t>(base, from, to, step, off, [](uint8_t x) { return std::abs(int(x) - 128) / 128.f; });
            break;
        default:
            break;
        }
        peak = std::max(peak, v);
    }
    return peak;
}

// Plain PCM WAV and other files that count channels without naming them
// give an unspecified layout, whose description ("2 channels") the filters'
// buffer source cannot read back. The detectors look at levels only, so the
// usual layout of that many channels serves as well.
void nameChannels(AVFrame *f)
{
    if (f->ch_layout.order != AV_CHANNEL_ORDER_UNSPEC || f->ch_layout.nb_channels <= 0)
        return;
    const int channels = f->ch_layout.nb_channels;
    av_channel_layout_uninit(&f->ch_layout);
    av_channel_layout_default(&f->ch_layout, channels);
}

} // namespace

bool Detector::fail(int failure, std::string text)
{
    // A stop wins over whatever error the stop caused on its way out.
    if (m_irq.check()) {
        m_failure = ORL_DETECT_FAILED_STOPPED;
        m_error = "stopped";
    } else {
        m_failure = failure;
        m_error = std::move(text);
    }
    return false;
}

bool Detector::open(const std::string &path, int kind, int number)
{
    std::string error;
    if (!openSource(path, AVIOInterruptCB{&interruptFlagsCallback, const_cast<InterruptFlags *>(&m_irq)},
                    m_source, error))
        return fail(ORL_DETECT_FAILED_UNREADABLE, error);
    AVFormatContext *fmt = m_source.ctx.get();
    int seen = 0;
    for (unsigned i = 0; i < fmt->nb_streams; ++i) {
        AVStream *st = fmt->streams[i];
        const AVMediaType type = st->codecpar->codec_type;
        const bool wanted = kind == ORL_STREAM_AUDIO
                                ? type == AVMEDIA_TYPE_AUDIO && seen++ == number
                                : type == AVMEDIA_TYPE_VIDEO && !(st->disposition & AV_DISPOSITION_ATTACHED_PIC);
        if (wanted && m_stream < 0)
            m_stream = int(i);
    }
    if (m_stream < 0) {
        return kind == ORL_STREAM_AUDIO ? fail(ORL_DETECT_FAILED_NO_AUDIO, "the file has no sound")
                                        : fail(ORL_DETECT_FAILED_NO_VIDEO, "the file has no pictures");
    }
    // The demuxer drops the packets of every other stream unread.
    for (unsigned i = 0; i < fmt->nb_streams; ++i)
        fmt->streams[i]->discard = int(i) == m_stream ? AVDISCARD_DEFAULT : AVDISCARD_ALL;

    AVStream *st = fmt->streams[m_stream];
    const AVCodec *codec = avcodec_find_decoder(st->codecpar->codec_id);
    if (!codec)
        return fail(ORL_DETECT_FAILED_UNREADABLE,
                    std::string("no decoder for ") + avcodec_get_name(st->codecpar->codec_id));
    m_decoder.reset(avcodec_alloc_context3(codec));
    if (!m_decoder || avcodec_parameters_to_context(m_decoder.get(), st->codecpar) < 0)
        return fail(ORL_DETECT_FAILED_UNREADABLE, "cannot set up the decoder");
    m_decoder->pkt_timebase = st->time_base;
    if (kind == ORL_STREAM_VIDEO) {
        m_decoder->thread_count = 0;
        // Deblocking smooths edges for the eye; black, cuts and still
        // pictures show the same without it, and it is a large share of the
        // decoding time.
        m_decoder->skip_loop_filter = AVDISCARD_ALL;
    }
    const int r = avcodec_open2(m_decoder.get(), codec, nullptr);
    if (r < 0)
        return fail(ORL_DETECT_FAILED_UNREADABLE, "cannot open the decoder: " + ffmpegError(r));
    const int64_t start = fmt->start_time != AV_NOPTS_VALUE ? fmt->start_time : 0;
    m_origin = av_rescale_q(start, AV_TIME_BASE_Q, st->time_base);
    m_durationUs = fmt->duration > 0 ? fmt->duration : toMicros(st->duration, st->time_base);
    if (m_durationUs == kNoTime)
        m_durationUs = 0;
    m_out.reset(av_frame_alloc());
    return true;
}

bool Detector::decodeAll(const std::function<bool(AVFrame *)> &sink)
{
    AVFormatContext *fmt = m_source.ctx.get();
    AVStream *st = fmt->streams[m_stream];
    PacketPtr pkt = makePacket();
    FramePtr frame(av_frame_alloc());
    if (!pkt || !frame)
        return fail(ORL_DETECT_FAILED_UNREADABLE, "out of memory");
    int64_t next = m_origin; // where a frame without a time goes
    int decoded = 0;
    bool ended = false;
    while (!ended) {
        if (m_irq.check())
            return fail(ORL_DETECT_FAILED_STOPPED, "stopped");
        const int r = av_read_frame(fmt, pkt.get());
        if (r == AVERROR(EAGAIN))
            continue;
        if (r < 0) {
            // End of the file, or of its readable part: what was read counts.
            if (r != AVERROR_EOF && m_irq.check())
                return fail(ORL_DETECT_FAILED_STOPPED, "stopped");
            ended = true;
            avcodec_send_packet(m_decoder.get(), nullptr);
        } else {
            if (pkt->stream_index != m_stream) {
                av_packet_unref(pkt.get());
                continue;
            }
            const int64_t ts = pkt->pts != AV_NOPTS_VALUE ? pkt->pts : pkt->dts;
            if (ts != AV_NOPTS_VALUE && m_durationUs > 0) {
                const int64_t us = toMicros(ts - m_origin, st->time_base);
                m_progress.store(int(std::clamp<int64_t>(us * 1000 / m_durationUs, 0, 999)));
            }
            // A damaged packet costs its own frames only.
            avcodec_send_packet(m_decoder.get(), pkt.get());
            av_packet_unref(pkt.get());
        }
        for (;;) {
            const int d = avcodec_receive_frame(m_decoder.get(), frame.get());
            if (d == AVERROR(EAGAIN) || d == AVERROR_EOF)
                break;
            if (d < 0)
                break;
            int64_t pts = frame->best_effort_timestamp;
            if (pts == AV_NOPTS_VALUE)
                pts = next;
            int64_t length = frame->pkt_duration;
            if (frame->nb_samples > 0 && frame->sample_rate > 0)
                length = av_rescale_q(frame->nb_samples, AVRational{1, frame->sample_rate}, st->time_base);
            else if (length <= 0 && st->avg_frame_rate.num > 0)
                length = av_rescale_q(1, av_inv_q(st->avg_frame_rate), st->time_base);
            next = pts + std::max<int64_t>(length, 0);
            frame->pts = pts - m_origin;
            m_endUs = std::max(m_endUs, toMicros(next - m_origin, st->time_base));
            ++decoded;
            const bool ok = sink(frame.get());
            av_frame_unref(frame.get());
            if (!ok)
                return false;
            if (m_irq.check())
                return fail(ORL_DETECT_FAILED_STOPPED, "stopped");
        }
    }
    if (decoded == 0)
        return fail(ORL_DETECT_FAILED_UNREADABLE, "no frame of the stream could be decoded");
    m_progress.store(1000);
    return true;
}

bool Detector::buildGraph(const AVFrame *first, const std::string &filters)
{
    AVStream *st = m_source.ctx->streams[m_stream];
    m_graph.reset(avfilter_graph_alloc());
    if (!m_graph)
        return fail(ORL_DETECT_FAILED_UNREADABLE, "out of memory");
    m_graph->nb_threads = 1;
    char args[512];
    const bool audio = first->nb_samples > 0;
    if (audio) {
        char layout[128] = "";
        av_channel_layout_describe(&first->ch_layout, layout, sizeof layout);
        std::snprintf(args, sizeof args, "time_base=%d/%d:sample_rate=%d:sample_fmt=%s:channel_layout=%s",
                      st->time_base.num, st->time_base.den, first->sample_rate,
                      av_get_sample_fmt_name(static_cast<AVSampleFormat>(first->format)), layout);
    } else {
        const AVRational sar = first->sample_aspect_ratio.num > 0 ? first->sample_aspect_ratio : AVRational{1, 1};
        std::snprintf(args, sizeof args, "video_size=%dx%d:pix_fmt=%d:time_base=%d/%d:pixel_aspect=%d/%d",
                      first->width, first->height, first->format, st->time_base.num, st->time_base.den, sar.num,
                      sar.den);
    }
    const AVFilter *srcFilter = avfilter_get_by_name(audio ? "abuffer" : "buffer");
    const AVFilter *sinkFilter = avfilter_get_by_name(audio ? "abuffersink" : "buffersink");
    if (avfilter_graph_create_filter(&m_src, srcFilter, "in", args, nullptr, m_graph.get()) < 0 ||
        avfilter_graph_create_filter(&m_sink, sinkFilter, "out", nullptr, nullptr, m_graph.get()) < 0)
        return fail(ORL_DETECT_FAILED_UNREADABLE, "cannot set up the filters");

    AVFilterInOut *outputs = avfilter_inout_alloc();
    AVFilterInOut *inputs = avfilter_inout_alloc();
    int r = AVERROR(ENOMEM);
    if (outputs && inputs) {
        outputs->name = av_strdup("in");
        outputs->filter_ctx = m_src;
        inputs->name = av_strdup("out");
        inputs->filter_ctx = m_sink;
        r = avfilter_graph_parse_ptr(m_graph.get(), filters.c_str(), &inputs, &outputs, nullptr);
    }
    avfilter_inout_free(&inputs);
    avfilter_inout_free(&outputs);
    if (r >= 0)
        r = avfilter_graph_config(m_graph.get(), nullptr);
    if (r < 0)
        return fail(ORL_DETECT_FAILED_SETTINGS, "cannot set up the filters (" + filters + "): " + ffmpegError(r));
    return true;
}

bool Detector::filter(AVFrame *frame, const std::function<void(AVFrame *)> &take)
{
    int r = av_buffersrc_add_frame_flags(m_src, frame, AV_BUFFERSRC_FLAG_KEEP_REF);
    if (r < 0)
        return fail(ORL_DETECT_FAILED_UNREADABLE, "filtering failed: " + ffmpegError(r));
    for (;;) {
        r = av_buffersink_get_frame(m_sink, m_out.get());
        if (r == AVERROR(EAGAIN) || r == AVERROR_EOF)
            return true;
        if (r < 0)
            return fail(ORL_DETECT_FAILED_UNREADABLE, "filtering failed: " + ffmpegError(r));
        take(m_out.get());
        av_frame_unref(m_out.get());
    }
}

bool Detector::detect(const orl_detect_settings &s, std::vector<orl_detect_range> &out)
{
    const double minSeconds = double(s.min_length_us) / 1e6;
    std::string filters;
    switch (s.kind) {
    case ORL_DETECT_SILENCE:
        filters = "silencedetect=noise=" + number(s.threshold) + "dB:duration=" + number(minSeconds);
        break;
    case ORL_DETECT_BLACK:
        filters = "blackdetect=black_min_duration=0:picture_black_ratio_th=" + number(s.threshold) +
                  ":pixel_black_th=" + number(s.pixel_threshold);
        break;
    case ORL_DETECT_SCENE:
        filters = "scdet=threshold=" + number(s.threshold);
        break;
    case ORL_DETECT_FREEZE:
        filters = "freezedetect=noise=" + number(s.threshold) + "dB:duration=" + number(minSeconds);
        break;
    default:
        return fail(ORL_DETECT_FAILED_SETTINGS, "unknown kind of detection");
    }
    if (s.kind != ORL_DETECT_SILENCE)
        filters = "scale=w='if(gt(iw," + std::to_string(kCompareWidth) + ")," + std::to_string(kCompareWidth) +
                  ",iw)':h=-2:flags=fast_bilinear," + filters;

    const char *startKey = nullptr;
    const char *endKey = nullptr;
    switch (s.kind) {
    case ORL_DETECT_SILENCE: startKey = "lavfi.silence_start"; endKey = "lavfi.silence_end"; break;
    case ORL_DETECT_BLACK: startKey = "lavfi.black_start"; endKey = "lavfi.black_end"; break;
    case ORL_DETECT_FREEZE:
        startKey = "lavfi.freezedetect.freeze_start";
        endKey = "lavfi.freezedetect.freeze_end";
        break;
    default: break;
    }

    out.clear();
    int64_t openStart = -1;
    auto close = [&](int64_t end) {
        // The filters measure black from picture to picture but do not hold
        // it to the shortest length; the others do, and the check is theirs.
        if (openStart >= 0 && end > openStart &&
            (s.kind != ORL_DETECT_BLACK || end - openStart >= int64_t(s.min_length_us)))
            out.push_back({uint64_t(openStart), uint64_t(end), 0});
        openStart = -1;
    };
    auto take = [&](AVFrame *f) {
        if (s.kind == ORL_DETECT_SCENE) {
            const char *t = metaValue(f, "lavfi.scd.time");
            const char *score = metaValue(f, "lavfi.scd.score");
            if (!t)
                return;
            const int64_t at = std::max<int64_t>(0, secondsToMicros(t));
            if (!out.empty() && at - int64_t(out.back().start_us) < int64_t(s.min_length_us))
                return;
            out.push_back({uint64_t(at), uint64_t(at), score ? std::strtod(score, nullptr) : 0});
            return;
        }
        const char *e = metaValue(f, endKey);
        const char *b = metaValue(f, startKey);
        const int64_t end = e ? std::max<int64_t>(0, secondsToMicros(e)) : -1;
        const int64_t begin = b ? std::max<int64_t>(0, secondsToMicros(b)) : -1;
        // One frame may carry both: a range that reached its shortest
        // length on the very picture that ends it, or the end of one range
        // and the start of the next.
        if (b && e && begin <= end && openStart < 0) {
            openStart = begin;
            close(end);
            return;
        }
        if (e)
            close(end);
        if (b && openStart < 0)
            openStart = begin;
    };

    const bool ok = decodeAll([&](AVFrame *frame) {
        if (frame->nb_samples > 0)
            nameChannels(frame);
        if (!m_graph && !buildGraph(frame, filters))
            return false;
        return filter(frame, take);
    });
    if (!ok)
        return false;
    if (!filter(nullptr, take))
        return false;
    // A range still open runs to the end of the stream.
    close(m_endUs);
    return true;
}

bool Detector::waveform(int bucketsPerSecond, std::vector<uint8_t> &peaks)
{
    peaks.clear();
    const bool ok = decodeAll([&](AVFrame *f) {
        const int rate = f->sample_rate;
        if (rate <= 0 || f->pts < 0)
            return true;
        // The frame's first sample, counted at its own rate from the start.
        const int64_t first = av_rescale_q(f->pts, m_source.ctx->streams[m_stream]->time_base, AVRational{1, rate});
        int i = 0;
        while (i < f->nb_samples) {
            const int64_t bucket = (first + i) * bucketsPerSecond / rate;
            const int64_t bucketEnd = ((bucket + 1) * rate + bucketsPerSecond - 1) / bucketsPerSecond;
            const int to = int(std::min<int64_t>(f->nb_samples, bucketEnd - first));
            if (to <= i)
                break;
            const uint8_t value = uint8_t(std::lround(std::min(1.f, peakOf(f, i, to)) * 255));
            if (size_t(bucket) >= peaks.size())
                peaks.resize(size_t(bucket) + 1, 0);
            peaks[size_t(bucket)] = std::max(peaks[size_t(bucket)], value);
            i = to;
        }
        return true;
    });
    return ok;
}

} // namespace orl
