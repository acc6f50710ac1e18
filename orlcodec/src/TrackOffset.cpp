#include "TrackOffset.h"

#include "BackgroundReader.h"
#include "FFmpegPtr.h"
#include "SourceOpen.h"

extern "C" {
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
}

#include <algorithm>
#include <cmath>
#include <complex>

namespace orl {

namespace {

constexpr int kRate = 8000;        // the sound is looked at as mono at this rate
constexpr int kPerMs = kRate / 1000;

struct SwrDeleter {
    void operator()(SwrContext *s) const { swr_free(&s); }
};

// In-place radix-2 FFT; size is a power of two.
void fft(std::vector<std::complex<double>> &a, bool inverse)
{
    const size_t n = a.size();
    for (size_t i = 1, j = 0; i < n; ++i) {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j)
            std::swap(a[i], a[j]);
    }
    for (size_t len = 2; len <= n; len <<= 1) {
        const double angle = 2 * M_PI / static_cast<double>(len) * (inverse ? 1 : -1);
        const std::complex<double> step(std::cos(angle), std::sin(angle));
        for (size_t i = 0; i < n; i += len) {
            std::complex<double> w(1);
            for (size_t k = 0; k < len / 2; ++k) {
                const std::complex<double> u = a[i + k], v = a[i + k + len / 2] * w;
                a[i + k] = u + v;
                a[i + k + len / 2] = u - v;
                w *= step;
            }
        }
    }
    if (inverse)
        for (auto &x : a)
            x /= static_cast<double>(n);
}

// What is heard change, not how loud a recording is: the loudness less its
// average over the surrounding 200 ms, scaled to unit spread.
void toOnsets(std::vector<float> &env)
{
    const size_t n = env.size();
    if (n == 0)
        return;
    std::vector<double> sum(n + 1, 0);
    for (size_t i = 0; i < n; ++i)
        sum[i + 1] = sum[i] + env[i];
    const size_t half = 100;
    std::vector<float> out(n);
    for (size_t i = 0; i < n; ++i) {
        const size_t from = i > half ? i - half : 0, to = std::min(n, i + half + 1);
        out[i] = static_cast<float>(env[i] - (sum[to] - sum[from]) / static_cast<double>(to - from));
    }
    double mean = 0, spread = 0;
    for (float v : out)
        mean += v;
    mean /= static_cast<double>(n);
    for (float v : out)
        spread += (v - mean) * (v - mean);
    spread = std::sqrt(spread / static_cast<double>(n));
    for (float &v : out)
        v = spread > 0 ? static_cast<float>((v - mean) / spread) : 0.f;
    env.swap(out);
}

} // namespace

bool soundEnvelope(const std::string &path, int stream, int64_t max_us, const InterruptFlags &irq,
                   std::vector<float> &envelope, std::string &error)
{
    envelope.clear();
    OpenedSource source;
    InterruptFlags flags = irq;
    if (!openInput(path, &flags, source, error))
        return false;
    AVFormatContext *ctx = source.ctx.get();
    if (stream < 0 || stream >= static_cast<int>(ctx->nb_streams)) {
        error = path + " has no stream " + std::to_string(stream);
        return false;
    }
    const AVStream *st = ctx->streams[stream];
    if (st->codecpar->codec_type != AVMEDIA_TYPE_AUDIO) {
        error = "stream " + std::to_string(stream) + " of " + path + " is not sound";
        return false;
    }
    for (unsigned i = 0; i < ctx->nb_streams; ++i)
        ctx->streams[i]->discard = static_cast<int>(i) == stream ? AVDISCARD_DEFAULT : AVDISCARD_ALL;
    CodecContextPtr dec;
    if (!openDecoder(st, dec, error))
        return false;
    AVChannelLayout mono = AV_CHANNEL_LAYOUT_MONO;
    SwrContext *raw = nullptr;
    if (swr_alloc_set_opts2(&raw, &mono, AV_SAMPLE_FMT_FLT, kRate, &dec->ch_layout, dec->sample_fmt,
                            dec->sample_rate, 0, nullptr) < 0
        || swr_init(raw) < 0) {
        swr_free(&raw);
        error = "the sound of stream " + std::to_string(stream) + " cannot be converted";
        return false;
    }
    std::unique_ptr<SwrContext, SwrDeleter> swr(raw);
    const int64_t limit = max_us > 0 ? max_us : 120000000;
    const size_t wanted = static_cast<size_t>(limit / 1000 * kPerMs);
    std::vector<float> samples;
    PacketPtr pkt = makePacket();
    FramePtr frame(av_frame_alloc());
    std::vector<float> buffer;
    auto take = [&](const AVFrame *f) {
        const int room = swr_get_out_samples(swr.get(), f ? f->nb_samples : 0);
        if (room <= 0)
            return;
        buffer.resize(static_cast<size_t>(room));
        uint8_t *out = reinterpret_cast<uint8_t *>(buffer.data());
        const int got = swr_convert(swr.get(), &out, room, f ? const_cast<const uint8_t **>(f->extended_data) : nullptr,
                                    f ? f->nb_samples : 0);
        if (got > 0)
            samples.insert(samples.end(), buffer.begin(), buffer.begin() + got);
    };
    bool ended = false;
    while (!ended && samples.size() < wanted) {
        if (irq.check()) {
            error = "stopped";
            return false;
        }
        const int r = av_read_frame(ctx, pkt.get());
        if (r < 0) {
            avcodec_send_packet(dec.get(), nullptr);
            ended = true;
        } else if (pkt->stream_index == stream) {
            avcodec_send_packet(dec.get(), pkt.get()); // a damaged packet costs its frame
        }
        av_packet_unref(pkt.get());
        while (avcodec_receive_frame(dec.get(), frame.get()) == 0) {
            take(frame.get());
            av_frame_unref(frame.get());
        }
    }
    take(nullptr);
    if (irq.check()) {
        error = "stopped";
        return false;
    }
    samples.resize(std::min(samples.size(), wanted));
    envelope.reserve(samples.size() / kPerMs);
    for (size_t i = 0; i + kPerMs <= samples.size(); i += kPerMs) {
        double energy = 0;
        for (int k = 0; k < kPerMs; ++k)
            energy += double(samples[i + size_t(k)]) * samples[i + size_t(k)];
        envelope.push_back(static_cast<float>(std::sqrt(energy / kPerMs)));
    }
    if (envelope.size() < 1000) {
        error = "stream " + std::to_string(stream) + " of " + path + " holds less than a second of sound";
        return false;
    }
    return true;
}

EnvelopeMatch matchEnvelopes(const std::vector<float> &firstIn, const std::vector<float> &secondIn, int maxLag_ms)
{
    EnvelopeMatch m;
    std::vector<float> a = firstIn, b = secondIn;
    toOnsets(a);
    toOnsets(b);
    size_t n = 1;
    while (n < a.size() + b.size())
        n <<= 1;
    std::vector<std::complex<double>> fa(n), fb(n);
    for (size_t i = 0; i < a.size(); ++i)
        fa[i] = a[i];
    for (size_t i = 0; i < b.size(); ++i)
        fb[i] = b[i];
    fft(fa, false);
    fft(fb, false);
    for (size_t i = 0; i < n; ++i)
        fa[i] = std::conj(fa[i]) * fb[i];
    fft(fa, true);
    // c(lag) = sum a[t] b[t + lag], normalised by the overlap so that a
    // match with little overlap is not favoured or penalised.
    const int maxLag = std::min<int>(maxLag_ms, static_cast<int>(std::min(a.size(), b.size())) / 2);
    std::vector<double> c(static_cast<size_t>(2 * maxLag + 1));
    for (int lag = -maxLag; lag <= maxLag; ++lag) {
        const size_t at = lag >= 0 ? static_cast<size_t>(lag) : n - static_cast<size_t>(-lag);
        const int64_t from = std::max<int64_t>(0, -lag);
        const int64_t to = std::min<int64_t>(static_cast<int64_t>(a.size()), static_cast<int64_t>(b.size()) - lag);
        const double overlap = static_cast<double>(std::max<int64_t>(to - from, 1));
        c[static_cast<size_t>(lag + maxLag)] = fa[at].real() / overlap;
    }
    size_t best = 0;
    for (size_t i = 1; i < c.size(); ++i)
        if (c[i] > c[best])
            best = i;
    // The best match of any other place: away from the peak by more than
    // its own width (50 ms).
    double runnerUp = 0;
    for (size_t i = 0; i < c.size(); ++i)
        if ((i + 50 < best || i > best + 50) && c[i] > runnerUp)
            runnerUp = c[i];
    double offset = static_cast<double>(best) - maxLag;
    if (best > 0 && best + 1 < c.size()) {
        const double l = c[best - 1], p = c[best], r = c[best + 1];
        const double d = l - 2 * p + r;
        if (d < 0)
            offset += 0.5 * (l - r) / d;
    }
    m.offset_ms = offset;
    m.peak = c[best];
    m.runnerUp = runnerUp;
    // A clear match stands well above every other place and correlates
    // by itself; unrelated sounds give many peaks of about one height.
    const double sharpness = m.peak > 0 ? std::clamp(1.0 - runnerUp / m.peak, 0.0, 1.0) : 0.0;
    const double strength = std::clamp(m.peak / 0.3, 0.0, 1.0);
    m.confidence = std::clamp(2 * sharpness, 0.0, 1.0) * strength;
    return m;
}

} // namespace orl
