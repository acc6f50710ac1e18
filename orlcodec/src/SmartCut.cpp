#include "SmartCut.h"

#include "Engine.h"
#include "H264Syntax.h"

extern "C" {
#include <libavutil/opt.h>
#include <libavutil/pixdesc.h>
}

#include <algorithm>
#include <cstring>
#include <limits>

namespace orl {

namespace {

constexpr AVRational kMicros{1, 1000000};
constexpr int64_t kInfinite = std::numeric_limits<int64_t>::max();

// Quality of the re-encoded pictures: visually the same as a good camera
// file, well above what the verification asks for.
constexpr const char *kQuality = "16";

const char *h264ProfileName(int profile)
{
    switch (profile) {
    case FF_PROFILE_H264_BASELINE:
    case FF_PROFILE_H264_CONSTRAINED_BASELINE:
        return "baseline";
    case FF_PROFILE_H264_MAIN:
        return "main";
    case FF_PROFILE_H264_HIGH:
        return "high";
    case FF_PROFILE_H264_HIGH_10:
        return "high10";
    case FF_PROFILE_H264_HIGH_422:
        return "high422";
    case FF_PROFILE_H264_HIGH_444_PREDICTIVE:
        return "high444";
    default:
        return nullptr;
    }
}

const char *hevcProfileName(int profile)
{
    switch (profile) {
    case FF_PROFILE_HEVC_MAIN:
        return "main";
    case FF_PROFILE_HEVC_MAIN_10:
        return "main10";
    default:
        return nullptr;
    }
}

int64_t pktTime(const AVPacket *p)
{
    return p->pts != AV_NOPTS_VALUE ? p->pts : p->dts;
}

struct Interrupt {
    const std::atomic<bool> *abort;
    std::function<bool()> global;
};

int interruptCb(void *opaque)
{
    const auto *i = static_cast<const Interrupt *>(opaque);
    return ((i->abort && i->abort->load()) || (i->global && i->global())) ? 1 : 0;
}

} // namespace

// The source file opened a second time: the cut's own reader and decoder,
// so the copy's reader keeps its position.
class SmartCut::Source {
public:
    Interrupt irq;
    InputContextPtr ctx;
    AVStream *st = nullptr;
    CodecContextPtr dec;

    bool stopped() const { return interruptCb(const_cast<Interrupt *>(&irq)) != 0; }

    bool open(const std::string &path, int index, std::string &error)
    {
        AVFormatContext *raw = avformat_alloc_context();
        if (!raw) {
            error = "out of memory";
            return false;
        }
        raw->interrupt_callback = AVIOInterruptCB{&interruptCb, &irq};
        int r = avformat_open_input(&raw, path.c_str(), nullptr, nullptr);
        if (r < 0) {
            error = "cannot open the source: " + ffmpegError(r);
            return false;
        }
        ctx.reset(raw);
        r = avformat_find_stream_info(raw, nullptr);
        if (r < 0) {
            error = "cannot read the source's streams: " + ffmpegError(r);
            return false;
        }
        if (index < 0 || index >= static_cast<int>(raw->nb_streams)) {
            error = "no such video stream";
            return false;
        }
        st = raw->streams[index];
        for (unsigned i = 0; i < raw->nb_streams; ++i)
            raw->streams[i]->discard = static_cast<int>(i) == index ? AVDISCARD_DEFAULT : AVDISCARD_ALL;
        return true;
    }

    bool openDecoder(std::string &error)
    {
        const AVCodec *codec = avcodec_find_decoder(st->codecpar->codec_id);
        if (!codec) {
            error = "no decoder for the video";
            return false;
        }
        dec.reset(avcodec_alloc_context3(codec));
        if (!dec || avcodec_parameters_to_context(dec.get(), st->codecpar) < 0) {
            error = "out of memory";
            return false;
        }
        dec->pkt_timebase = st->time_base;
        dec->thread_count = 0;
        if (avcodec_open2(dec.get(), codec, nullptr) < 0) {
            error = "cannot open the video decoder";
            return false;
        }
        return true;
    }

    // Next packet of the video stream; 0 at the end, -1 on error.
    int next(AVPacket *pkt)
    {
        for (;;) {
            const int r = av_read_frame(ctx.get(), pkt);
            if (r == AVERROR_EOF || (r < 0 && ctx->pb && avio_feof(ctx->pb)))
                return 0;
            if (r < 0)
                return -1;
            if (pkt->stream_index == st->index)
                return 1;
            av_packet_unref(pkt);
        }
    }

    // Seeks so that reading goes on from a key frame at or before `time`
    // (from the start of the file when time lies before the video).
    void seekBack(int64_t time)
    {
        const int64_t streamStart = st->start_time != AV_NOPTS_VALUE ? st->start_time : 0;
        const char *name = ctx->iformat->name;
        const bool indexed = std::strstr(name, "mov") || std::strstr(name, "matroska");
        if (time <= streamStart) {
            // Files without an index cannot seek before their first
            // timestamp; their first byte is the start.
            if (!indexed && av_seek_frame(ctx.get(), -1, 0, AVSEEK_FLAG_BYTE) >= 0)
                return;
            time = streamStart;
        }
        if (av_seek_frame(ctx.get(), st->index, time, AVSEEK_FLAG_BACKWARD) < 0)
            avformat_seek_file(ctx.get(), st->index, std::numeric_limits<int64_t>::min(), time, time, 0);
    }

    bool atStart(int64_t time) const
    {
        return time <= (st->start_time != AV_NOPTS_VALUE ? st->start_time : 0);
    }

    // Positions the reader on a key frame at or before `time`; first is
    // that key frame's packet, later packets follow in order.
    bool seekAtOrBefore(int64_t time, PacketPtr &first)
    {
        int64_t back = 0;
        const int64_t second = std::max<int64_t>(1, av_rescale_q(1000000, kMicros, st->time_base));
        for (int attempt = 0; attempt < 10; ++attempt) {
            const int64_t target = time - back;
            seekBack(target);
            first = makePacket();
            bool overshot = false;
            for (;;) {
                const int r = next(first.get());
                if (r <= 0) {
                    overshot = r == 0; // landed after the last key frame
                    break;
                }
                const int64_t t = pktTime(first.get());
                if ((first->flags & AV_PKT_FLAG_KEY) && t != AV_NOPTS_VALUE) {
                    if (t <= time)
                        return true;
                    overshot = true;
                    break;
                }
                av_packet_unref(first.get());
            }
            if (stopped() || !overshot || atStart(target))
                return false;
            back = back == 0 ? second : back * 2;
        }
        return false;
    }
};

bool SmartCut::startsSequence(const AVPacket *pkt) const
{
    if (m_hevc)
        return true; // every HEVC key frame is a random access point; a CRA becomes a broken link
    std::vector<Bytes> nals;
    if (m_sourceSets.lengthPrefixed)
        splitLengthPrefixed(pkt->data, pkt->size, m_sourceSets.lengthSize, nals);
    else
        nals = splitAnnexB(pkt->data, pkt->size);
    for (const Bytes &n : nals)
        if (h264NalType(n) == kH264Idr)
            return true;
    return false;
}

bool SmartCut::restartsDecoding(const AVPacket *pkt) const
{
    std::vector<Bytes> nals;
    if (m_sourceSets.lengthPrefixed)
        splitLengthPrefixed(pkt->data, pkt->size, m_sourceSets.lengthSize, nals);
    else
        nals = splitAnnexB(pkt->data, pkt->size);
    for (const Bytes &n : nals) {
        if (!m_hevc && h264NalType(n) == kH264Idr)
            return true;
        // HEVC: IDR and broken-link pictures whose leading pictures (if
        // any) decode from them alone; a clean random access picture's
        // may refer to the group before.
        const int type = m_hevc ? hevcNalType(n) : -1;
        if (type >= kHevcBlaWRadl && type <= kHevcIdrNLp)
            return true;
    }
    return false;
}

SmartCut::SmartCut(const std::atomic<bool> *abort, std::function<bool()> global)
    : m_abort(abort)
    , m_global(std::move(global))
{
}

SmartCut::~SmartCut() = default;

bool SmartCut::fail(const std::string &why)
{
    m_reason = why;
    return false;
}

int64_t SmartCut::lightFrom() const
{
    // The first picture shown is the first one stored, and needs nothing else.
    return m_firstCopiedKey >= 0 ? 1 : -1;
}

int64_t SmartCut::lightTo() const
{
    // The last picture shown: the encoded end, which starts afresh, or else
    // the last copied group.
    if (m_tailStart >= 0 && m_tailCount > 0)
        return m_tailStart;
    return m_lastCopiedKey >= 0 ? m_lastCopiedKey : m_firstCopiedKey;
}

int64_t SmartCut::exactStart_us() const
{
    return av_rescale_q(m_exactStart, m_tb, kMicros);
}

bool SmartCut::checkStream()
{
    const AVCodecParameters *par = m_src->st->codecpar;
    const char *encoderName = nullptr;
    const char *profile = nullptr;
    if (par->codec_id == AV_CODEC_ID_H264) {
        encoderName = "libx264";
        profile = h264ProfileName(par->profile);
    } else if (par->codec_id == AV_CODEC_ID_HEVC) {
        encoderName = "libx265";
        profile = hevcProfileName(par->profile);
        m_hevc = true;
    } else {
        return fail(std::string("pictures of codec ") + avcodec_get_name(par->codec_id)
                    + " cannot be encoded to match the copied ones");
    }
    const AVCodec *encoder = avcodec_find_encoder_by_name(encoderName);
    if (!encoder)
        return fail(std::string("no ") + avcodec_get_name(par->codec_id) + " encoder is available");
    if (!profile)
        return fail("the video's profile cannot be encoded to match the copied pictures");
    if (par->field_order != AV_FIELD_PROGRESSIVE && par->field_order != AV_FIELD_UNKNOWN)
        return fail("the video is interlaced");
    bool formatOk = false;
    for (const enum AVPixelFormat *f = encoder->pix_fmts; f && *f != AV_PIX_FMT_NONE; ++f)
        formatOk = formatOk || *f == par->format;
    if (!formatOk)
        return fail(std::string("pictures in ") + (av_get_pix_fmt_name(static_cast<AVPixelFormat>(par->format))
                                                       ? av_get_pix_fmt_name(static_cast<AVPixelFormat>(par->format))
                                                       : "this format")
                    + " cannot be encoded to match the copied ones");
    if (!readParameterSets(par->extradata, par->extradata_size, m_hevc, m_sourceSets))
        return fail("the video's decoder configuration is damaged");
    if (!m_hevc) {
        // Our parameter sets take an id the source does not use.
        bool used[32] = {false};
        for (const Bytes &n : m_sourceSets.nals) {
            const int id = h264NalType(n) == kH264Sps ? h264SpsId(n) : h264PpsId(n);
            if (id >= 0 && id < 32)
                used[id] = true;
        }
        m_spsId = -1;
        for (int id = 1; id < 32 && m_spsId < 0; ++id)
            if (!used[id])
                m_spsId = id;
        if (m_spsId < 0)
            return fail("the video uses every parameter-set id");
    }
    return true;
}

bool SmartCut::readWindow(int64_t target, int keysBefore, int64_t stopAfter, std::vector<Packet> &out)
{
    const int64_t second = std::max<int64_t>(1, av_rescale_q(1000000, kMicros, m_tb));
    int64_t back = 0;
    for (int attempt = 0; attempt < 10; ++attempt) {
        out.clear();
        const int64_t seekTo = target - back;
        m_src->seekBack(seekTo);
        PacketPtr pkt = makePacket();
        int keysAfter = 0;
        for (;;) {
            if (m_src->stopped())
                return fail("stopped");
            const int r = m_src->next(pkt.get());
            if (r < 0)
                return fail("cannot read the source");
            if (r == 0)
                break;
            const bool key = pkt->flags & AV_PKT_FLAG_KEY;
            const int64_t t = pktTime(pkt.get());
            // Pictures before the first key frame cannot be decoded.
            if (t != AV_NOPTS_VALUE && (key || !out.empty()))
                out.push_back({t, pkt->dts != AV_NOPTS_VALUE ? pkt->dts : t, pkt->duration, key,
                               key && startsSequence(pkt.get())});
            av_packet_unref(pkt.get());
            if (key && t != AV_NOPTS_VALUE && t > stopAfter && ++keysAfter >= 2)
                break;
        }
        int before = 0;
        for (const Packet &p : out)
            before += p.key && p.pts <= target;
        if (before >= keysBefore || m_src->atStart(seekTo))
            return !out.empty() || fail("the range holds no pictures");
        back = back == 0 ? second : back * 2;
    }
    return fail("the key frames around the cut cannot be found");
}

bool SmartCut::plan()
{
    // Head: the key frame at or before the start and the group after it.
    std::vector<Packet> a;
    if (!readWindow(m_start, 1, m_start, a))
        return false;
    int64_t kh = AV_NOPTS_VALUE;
    for (const Packet &p : a)
        if (p.key && p.pts <= m_start)
            kh = p.pts;
    if (kh == AV_NOPTS_VALUE)
        kh = a.front().pts; // the video begins after the asked start
    int64_t exact = AV_NOPTS_VALUE, first = kInfinite;
    for (const Packet &p : a) {
        if (p.pts < kh)
            continue;
        if (p.pts <= m_start && (exact == AV_NOPTS_VALUE || p.pts > exact))
            exact = p.pts;
        first = std::min(first, p.pts);
    }
    m_exactStart = exact != AV_NOPTS_VALUE ? exact : first;
    int64_t durations = 0, counted = 0;
    for (const Packet &p : a)
        if (p.duration > 0) {
            durations += p.duration;
            ++counted;
        }
    m_frameDuration = counted ? std::max<int64_t>(1, durations / counted) : 1;
    m_k1 = kInfinite;
    bool seenK1 = false;
    bool k1Idr = false;
    for (const Packet &p : a) {
        if (!seenK1 && p.key && p.pts >= m_exactStart) {
            k1Idr = p.idr;
            m_k1 = p.pts;
            m_k1Dts = p.dts;
            seenK1 = true;
        }
    }
    if (m_exactStart >= m_end)
        return fail("the range holds no pictures");
    if (!m_hevc && seenK1 && m_k1 < m_end && !k1Idr) {
        // An H.264 key frame that is no IDR picture (an open group's
        // recovery point) goes on numbering its pictures from the group
        // before: the encoded pictures end with a reset of the reference
        // and order counts, which only a picture after the first can carry.
        // With a single picture to encode, the next group is encoded too.
        int headPictures = 0;
        for (const Packet &p : a)
            headPictures += p.pts >= m_exactStart && p.pts < m_k1;
        if (headPictures == 1) {
            seenK1 = false;
            for (const Packet &p : a)
                if (!seenK1 && p.key && p.pts > m_k1) {
                    m_k1 = p.pts;
                    m_k1Dts = p.dts;
                    k1Idr = p.idr;
                    seenK1 = true;
                }
            if (!seenK1)
                m_k1 = kInfinite;
        }
        m_k1Resets = seenK1 && m_k1 < m_end && !k1Idr && headPictures > 0;
    }

    // Tail: the last key frame at or before the end, the group before it
    // (its latest picture ends the copy) and the pictures up to the end.
    m_k2 = kInfinite;
    m_maxCopied = kInfinite;
    if (m_end != kInfinite && m_k1 < m_end) {
        std::vector<Packet> b;
        if (!readWindow(m_end, 2, m_end, b))
            return false;
        size_t k2 = b.size();
        for (size_t i = 0; i < b.size(); ++i)
            if (b[i].key && b[i].pts <= m_end)
                k2 = i;
        if (k2 < b.size() && b[k2].pts > m_k1) {
            m_k2 = b[k2].pts;
            size_t k2prev = k2;
            for (size_t i = 0; i < k2; ++i)
                if (b[i].key)
                    k2prev = i;
            if (k2prev == k2 && m_k2 != m_k1)
                return fail("the key frame before the end cannot be found");
            m_maxCopied = AV_NOPTS_VALUE;
            for (size_t i = k2prev; i < k2; ++i)
                if (b[i].pts >= m_k1)
                    m_maxCopied = std::max(m_maxCopied, b[i].pts);
            if (m_maxCopied == AV_NOPTS_VALUE)
                return fail("the copied part holds no pictures");
            for (size_t i = k2 + 1; i < b.size() && !b[i].key; ++i)
                m_k2HasLeading = m_k2HasLeading || b[i].pts < m_k2;
        }
    }
    m_allEncoded = m_k1 == kInfinite || m_k1 >= m_end || (m_end != kInfinite && m_k2 == kInfinite);
    return true;
}

bool SmartCut::prepare(const std::string &src, int videoIndex, int64_t start_us, int64_t end_us)
{
    m_reason.clear();
    m_src = std::make_unique<Source>();
    m_src->irq = Interrupt{m_abort, m_global};
    std::string error;
    if (!m_src->open(src, videoIndex, error))
        return fail(error);
    m_tb = m_src->st->time_base;
    if (!checkStream())
        return false;
    m_start = av_rescale_q(start_us, kMicros, m_tb);
    m_end = end_us == kInfinite ? kInfinite : av_rescale_q(end_us, kMicros, m_tb);
    if (!plan())
        return false;
    if (!m_src->openDecoder(error))
        return fail(error);

    const int64_t headEnd = m_allEncoded ? m_end : m_k1;
    if (m_exactStart < headEnd) {
        if (!encodeSpan(m_exactStart, m_exactStart, headEnd, &m_head, &m_first, m_allEncoded ? &m_last : nullptr,
                        m_headCount))
            return false;
        if (m_headCount == 0)
            return fail("the first pictures cannot be decoded");
        if (!spliceForms(m_head, true))
            return false;
    }
    if (!m_allEncoded && m_k2 != kInfinite && m_maxCopied + 1 < m_end) {
        // Pictures shown before the last key frame but stored after it need
        // the group before it.
        if (!encodeSpan(m_k2HasLeading ? m_maxCopied : m_k2, m_maxCopied + 1, m_end, &m_tail, nullptr, &m_last,
                        m_tailCount))
            return false;
        // The tail follows the copied pictures: its decoding times are the
        // encoder's own, never drawn back before the first copied picture.
        if (m_tailCount > 0 && !spliceForms(m_tail, false))
            return false;
    }
    if (!m_hevc && m_extradata.empty() && !m_sourceSets.nals.empty())
        m_extradata = m_sourceSets.lengthPrefixed ? m_sourceSets.record : joinAnnexB(m_sourceSets.nals);
    int64_t unused = 0;
    if (!m_first && !encodeSpan(m_exactStart, m_exactStart, m_exactStart + 1, nullptr, &m_first, nullptr, unused))
        return fail("the first picture cannot be decoded");
    if (!m_last) {
        int64_t last = m_maxCopied;
        if (m_end == kInfinite) {
            // To the end of the file: the latest picture of the last group.
            std::vector<Packet> w;
            const int64_t duration = m_src->ctx->duration != AV_NOPTS_VALUE ? m_src->ctx->duration : 0;
            const int64_t fileEnd = av_rescale_q(
                (m_src->ctx->start_time != AV_NOPTS_VALUE ? m_src->ctx->start_time : 0) + duration, kMicros, m_tb);
            if (!readWindow(fileEnd, 1, kInfinite, w))
                return false;
            last = AV_NOPTS_VALUE;
            for (const Packet &p : w)
                last = std::max(last, p.pts);
        }
        if (!encodeSpan(last, last, last + 1, nullptr, nullptr, &m_last, unused) || !m_last)
            return fail("the last picture cannot be decoded");
    }
    return true;
}

bool SmartCut::openEncoder(CodecContextPtr &enc, const AVFrame *sample)
{
    const AVCodecParameters *par = m_src->st->codecpar;
    const AVCodec *codec = avcodec_find_encoder_by_name(m_hevc ? "libx265" : "libx264");
    if (!codec)
        return fail("no encoder");
    enc.reset(avcodec_alloc_context3(codec));
    if (!enc)
        return fail("out of memory");
    enc->width = sample->width;
    enc->height = sample->height;
    enc->pix_fmt = static_cast<AVPixelFormat>(sample->format);
    enc->sample_aspect_ratio = m_src->st->sample_aspect_ratio.num ? m_src->st->sample_aspect_ratio
                                                                  : par->sample_aspect_ratio;
    enc->color_range = par->color_range;
    enc->color_primaries = par->color_primaries;
    enc->color_trc = par->color_trc;
    enc->colorspace = par->color_space;
    enc->chroma_sample_location = par->chroma_location;
    enc->field_order = AV_FIELD_PROGRESSIVE;
    enc->time_base = m_tb;
    enc->framerate = m_src->st->avg_frame_rate.num ? m_src->st->avg_frame_rate : m_src->st->r_frame_rate;
    // One closed group: an IDR picture first, no pictures stored out of
    // order (the spliced decoding times stay simple and increasing).
    enc->gop_size = 1 << 20;
    enc->max_b_frames = 0;
    enc->thread_count = 0;
    av_opt_set(enc->priv_data, "crf", kQuality, 0);
    av_opt_set(enc->priv_data, "preset", "veryfast", 0);
    if (m_hevc) {
        av_opt_set(enc->priv_data, "profile", hevcProfileName(par->profile), 0);
        av_opt_set(enc->priv_data, "x265-params",
                   "scenecut=0:open-gop=0:repeat-headers=1:info=0:log-level=error", 0);
    } else {
        av_opt_set(enc->priv_data, "profile", h264ProfileName(par->profile), 0);
        if (par->level > 0)
            enc->level = par->level;
        const std::string params = "sps-id=" + std::to_string(m_spsId) + ":scenecut=0:open-gop=0:repeat-headers=1";
        av_opt_set(enc->priv_data, "x264-params", params.c_str(), 0);
    }
    const int r = avcodec_open2(enc.get(), codec, nullptr);
    if (r < 0)
        return fail("the encoder does not take the video's parameters: " + ffmpegError(r));
    return true;
}

bool SmartCut::encodeSpan(int64_t fromTime, int64_t lo, int64_t hi, std::vector<Encoded> *out, FramePtr *first,
                          FramePtr *last, int64_t &count)
{
    count = 0;
    PacketPtr pkt;
    if (!m_src->seekAtOrBefore(fromTime, pkt))
        return fail(m_src->stopped() ? "stopped" : "the key frame before the cut cannot be found");
    AVCodecContext *dec = m_src->dec.get();
    avcodec_flush_buffers(dec);
    CodecContextPtr enc;
    FramePtr frame(av_frame_alloc());
    PacketPtr encoded = makePacket();
    if (!frame || !encoded)
        return fail("out of memory");

    auto drainEncoder = [&](bool flush) -> bool {
        if (!enc)
            return true;
        if (flush && avcodec_send_frame(enc.get(), nullptr) < 0)
            return fail("the encoder failed");
        for (;;) {
            const int r = avcodec_receive_packet(enc.get(), encoded.get());
            if (r == AVERROR(EAGAIN) || r == AVERROR_EOF)
                return true;
            if (r < 0)
                return fail("the encoder failed: " + ffmpegError(r));
            Encoded e;
            e.data.assign(encoded->data, encoded->data + encoded->size);
            e.pts = encoded->pts;
            e.dts = encoded->dts;
            e.duration = encoded->duration > 0 ? encoded->duration : m_frameDuration;
            e.key = encoded->flags & AV_PKT_FLAG_KEY;
            out->push_back(std::move(e));
            av_packet_unref(encoded.get());
        }
    };
    bool reached = false;
    auto take = [&]() -> bool {
        for (;;) {
            const int r = avcodec_receive_frame(dec, frame.get());
            if (r == AVERROR(EAGAIN) || r == AVERROR_EOF)
                return true;
            if (r < 0)
                return fail("the source's pictures cannot be decoded: " + ffmpegError(r));
            const int64_t t = frame->best_effort_timestamp;
            if (t == AV_NOPTS_VALUE || t < lo) {
                av_frame_unref(frame.get());
                continue;
            }
            if (t >= hi) {
                reached = true;
                av_frame_unref(frame.get());
                return true;
            }
            ++count;
            if (first && !*first)
                first->reset(av_frame_clone(frame.get()));
            if (last)
                last->reset(av_frame_clone(frame.get()));
            if (out) {
                if (!enc && !openEncoder(enc, frame.get()))
                    return false;
                frame->pts = t;
                frame->pict_type = AV_PICTURE_TYPE_NONE;
                if (avcodec_send_frame(enc.get(), frame.get()) < 0)
                    return fail("the encoder refused a picture");
                if (!drainEncoder(false))
                    return false;
            }
            av_frame_unref(frame.get());
        }
    };

    bool ended = false;
    while (!reached) {
        if (m_src->stopped())
            return fail("stopped");
        if (!ended) {
            if (avcodec_send_packet(dec, pkt.get()) < 0) {
                // A damaged packet costs its picture; the count check finds it.
            }
            av_packet_unref(pkt.get());
            const int r = m_src->next(pkt.get());
            if (r < 0)
                return fail("cannot read the source");
            if (r == 0) {
                ended = true;
                avcodec_send_packet(dec, nullptr);
            }
        }
        if (!take())
            return false;
        if (ended && !reached)
            break;
    }
    if (ended && !take())
        return false;
    if (out && !drainEncoder(true))
        return false;
    return true;
}

bool SmartCut::spliceForms(std::vector<Encoded> &packets, bool head)
{
    const bool prefixed = m_sourceSets.lengthPrefixed;
    std::vector<Bytes> ownSets;
    for (size_t i = 0; i < packets.size(); ++i) {
        Encoded &e = packets[i];
        std::vector<Bytes> nals = splitAnnexB(e.data.data(), e.data.size());
        if (i == 0) {
            if (head && !m_allEncoded && m_k1Resets && !announceReordering(nals))
                return fail("the encoded pictures cannot announce the copied pictures' reordering");
            for (const Bytes &n : nals) {
                const int type = m_hevc ? hevcNalType(n) : h264NalType(n);
                if (m_hevc ? (type >= kHevcVps && type <= kHevcPps) : (type == kH264Sps || type == kH264Pps))
                    ownSets.push_back(n);
            }
            if (ownSets.empty())
                return fail("the encoder wrote no parameter sets");
        }
        e.data = prefixed ? joinLengthPrefixed(nals, m_sourceSets.lengthSize) : joinAnnexB(nals);
    }
    if (head && !m_allEncoded && m_k1Resets && !resetAtEnd(packets.back(), ownSets))
        return fail("the encoded pictures cannot be joined to the copied recovery point");
    if (head && !m_allEncoded) {
        // Decoding times end just before the first copied picture's.
        const int64_t n = static_cast<int64_t>(packets.size());
        for (int64_t i = 0; i < n; ++i)
            packets[i].dts = std::min(packets[i].pts, m_k1Dts - (n - i));
    }
    if (!m_hevc && m_extradata.empty()) {
        // Both sets of parameter sets are announced up front; the ids differ.
        if (prefixed)
            m_extradata = avcRecordWith(m_sourceSets, ownSets);
        else {
            std::vector<Bytes> all = m_sourceSets.nals;
            all.insert(all.end(), ownSets.begin(), ownSets.end());
            m_extradata = joinAnnexB(all);
        }
    }
    return true;
}

// The encoded pictures are stored in order, the copied ones are not: a
// decoder that sized its reordering by the first parameter set would output
// the copied recovery point's group as soon as it decodes it, and then drop
// its reordered pictures. The encoded pictures' sequence parameter set
// announces the copied ones' reordering depth instead.
bool SmartCut::announceReordering(std::vector<Bytes> &nals) const
{
    int depth = -1;
    for (const Bytes &n : m_sourceSets.nals)
        if (h264NalType(n) == kH264Sps)
            depth = std::max(depth, h264ReorderDepth(n.data(), n.size()));
    if (depth < 0)
        depth = m_src->st->codecpar->video_delay;
    if (depth <= 0)
        return true;
    for (Bytes &n : nals) {
        if (h264NalType(n) != kH264Sps)
            continue;
        Bytes changed = h264WithReorderDepth(n.data(), n.size(), depth);
        if (changed.empty())
            return false;
        n = std::move(changed);
    }
    return true;
}

// The last encoded picture resets the reference pictures, frame numbers
// and picture order (a marking command 5): the copied recovery point then
// numbers on as it does in the source, and decoders show it and its group
// after the encoded pictures instead of dropping them as out of order.
bool SmartCut::resetAtEnd(Encoded &last, const std::vector<Bytes> &ownSets) const
{
    H264Sps sps;
    H264Pps pps;
    for (const Bytes &n : ownSets) {
        if (h264NalType(n) == kH264Sps)
            parseH264Sps(n.data(), n.size(), sps);
        else if (h264NalType(n) == kH264Pps)
            parseH264Pps(n.data(), n.size(), pps);
    }
    if (sps.id < 0 || pps.id < 0)
        return false;
    const bool prefixed = m_sourceSets.lengthPrefixed;
    std::vector<Bytes> nals;
    if (prefixed) {
        if (!splitLengthPrefixed(last.data.data(), last.data.size(), m_sourceSets.lengthSize, nals))
            return false;
    } else {
        nals = splitAnnexB(last.data.data(), last.data.size());
    }
    bool slices = false;
    for (Bytes &n : nals) {
        const int type = h264NalType(n);
        if (type != 1 && type != kH264Idr)
            continue;
        H264SliceHeader h;
        if (!parseH264Slice(n.data(), n.size(), sps, pps, h) || h.refIdc == 0 || h.nalType == kH264Idr)
            return false;
        Bytes rewritten = rewriteH264Marking(n.data(), n.size(), h, pps, true, {MarkingOp{5, 0, 0}});
        if (rewritten.empty())
            return false;
        n = std::move(rewritten);
        slices = true;
    }
    if (!slices)
        return false;
    last.data = prefixed ? joinLengthPrefixed(nals, m_sourceSets.lengthSize) : joinAnnexB(nals);
    return true;
}

PacketPtr SmartCut::makeOut(const Encoded &e) const
{
    PacketPtr pkt = makePacket();
    if (!pkt || av_new_packet(pkt.get(), static_cast<int>(e.data.size())) < 0)
        return nullptr;
    std::copy(e.data.begin(), e.data.end(), pkt->data);
    pkt->pts = e.pts;
    pkt->dts = e.dts;
    pkt->duration = e.duration;
    pkt->stream_index = m_src->st->index;
    if (e.key)
        pkt->flags |= AV_PKT_FLAG_KEY;
    return pkt;
}

bool SmartCut::describe(AVCodecParameters *out) const
{
    if (m_extradata.empty() || m_hevc)
        return true;
    av_freep(&out->extradata);
    out->extradata_size = 0;
    out->extradata = static_cast<uint8_t *>(av_mallocz(m_extradata.size() + AV_INPUT_BUFFER_PADDING_SIZE));
    if (!out->extradata)
        return false;
    std::copy(m_extradata.begin(), m_extradata.end(), out->extradata);
    out->extradata_size = static_cast<int>(m_extradata.size());
    return true;
}

void SmartCut::feed(PacketPtr pkt, std::deque<PacketPtr> &out)
{
    auto pushAll = [&](const std::vector<Encoded> &list) {
        for (const Encoded &e : list)
            if (PacketPtr p = makeOut(e)) {
                out.push_back(std::move(p));
                ++m_written;
            }
    };
    if (m_state == State::Done)
        return;
    const int64_t t = pktTime(pkt.get());
    const bool key = pkt->flags & AV_PKT_FLAG_KEY;
    if (m_allEncoded) {
        pushAll(m_head);
        m_state = State::Done;
        return;
    }
    if (m_state == State::BeforeCopy) {
        if (!key || t != m_k1)
            return;
        pushAll(m_head);
        std::vector<Bytes> nals;
        const bool prefixed = m_sourceSets.lengthPrefixed;
        if (prefixed)
            splitLengthPrefixed(pkt->data, pkt->size, m_sourceSets.lengthSize, nals);
        else
            nals = splitAnnexB(pkt->data, pkt->size);
        bool hasSps = false;
        for (const Bytes &n : nals)
            hasSps = hasSps || (!m_hevc && h264NalType(n) == kH264Sps);
        // The copied group starts a new coded sequence (HEVC), or follows
        // encoded pictures with parameter sets of their own or nothing at
        // all (H.264): its own parameter sets again, which a stream with
        // start codes may carry only in front of IDR pictures (a stream
        // with length fields has all of them in its description). An HEVC
        // group's leading pictures (dropped, they were encoded into the
        // head) are announced as absent.
        if (m_hevc || (!prefixed && !hasSps && !m_sourceSets.nals.empty())) {
            std::vector<Bytes> spliced = m_sourceSets.nals;
            for (Bytes &n : nals) {
                if (m_hevc && hevcNalType(n) == kHevcCraNut && n.size() > 1)
                    n[0] = static_cast<uint8_t>((n[0] & 0x81) | (kHevcBlaNLp << 1));
                spliced.push_back(std::move(n));
            }
            const Bytes data = prefixed ? joinLengthPrefixed(spliced, m_sourceSets.lengthSize) : joinAnnexB(spliced);
            PacketPtr copy = makePacket();
            if (copy && av_new_packet(copy.get(), static_cast<int>(data.size())) >= 0) {
                std::copy(data.begin(), data.end(), copy->data);
                av_packet_copy_props(copy.get(), pkt.get());
                copy->stream_index = pkt->stream_index;
                pkt = std::move(copy);
            }
        }
        m_firstCopiedKey = m_written;
        out.push_back(std::move(pkt));
        ++m_copied;
        ++m_written;
        m_state = State::Copying;
        return;
    }
    if (key && t == m_k2) {
        m_tailStart = m_written;
        pushAll(m_tail);
        m_state = State::Done;
        return;
    }
    if (t < m_k1 || (m_k2 != kInfinite && t > m_maxCopied))
        return; // leading pictures of the first copied key frame live in the head
    if (key) {
        m_lastCopiedKey = m_written;
        if (restartsDecoding(pkt.get())) {
            if (m_firstRestart < 0)
                m_firstRestart = m_written;
            m_lastRestart = m_written;
        }
    }
    out.push_back(std::move(pkt));
    ++m_copied;
    ++m_written;
}

void SmartCut::finish(std::deque<PacketPtr> &out)
{
    if (m_state == State::Done)
        return;
    auto pushAll = [&](const std::vector<Encoded> &list) {
        for (const Encoded &e : list)
            if (PacketPtr p = makeOut(e))
                out.push_back(std::move(p));
    };
    if (m_state == State::BeforeCopy)
        pushAll(m_head);
    else
        m_tailStart = m_written;
    pushAll(m_tail);
    m_state = State::Done;
}

std::string SmartCut::summary() const
{
    return std::to_string(m_headCount) + " pictures encoded at the start, " + std::to_string(m_copied)
        + " copied, " + std::to_string(m_tailCount) + " encoded at the end";
}

} // namespace orl
