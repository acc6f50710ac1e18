#include "StreamCopy.h"

#include "MovEditTrim.h"

extern "C" {
#include <libavcodec/bsf.h>
#include <libavutil/avstring.h>
#include <libavutil/mathematics.h>
#include <libavutil/mem.h>
}

#include <algorithm>
#include <cstring>
#include <deque>
#include <limits>

namespace orl {

namespace {

constexpr AVRational kMicros{1, 1000000};
constexpr int64_t kNoTime = AV_NOPTS_VALUE;
constexpr int64_t kSubtitleLookBack_us = 10000000;

struct InterruptState {
    const std::atomic<bool> *abort = nullptr;
    InterruptCheck global;

    bool check() const { return (abort && abort->load()) || (global && global()); }
};

int interruptCallback(void *opaque)
{
    return static_cast<const InterruptState *>(opaque)->check() ? 1 : 0;
}

bool isMovFamily(const AVOutputFormat *format)
{
    return av_match_name(format->name, "mp4,mov,ipod,3gp,3g2,psp,ismv,f4v") != 0;
}

// Containers that can hide lead-in frames behind an edit list.
bool hidesLeadIn(const AVOutputFormat *format)
{
    return (format->flags & AVFMT_TS_NEGATIVE) && isMovFamily(format);
}

const AVOutputFormat *findOutputFormat(const std::string &name, const std::string &dst)
{
    const AVOutputFormat *format = nullptr;
    if (!name.empty())
        format = av_guess_format(name.c_str(), nullptr, nullptr);
    if (!format && !dst.empty())
        format = av_guess_format(nullptr, dst.c_str(), nullptr);
    return format;
}

// 1: the container takes the codec, 0: it does not, -1: it cannot tell.
int containerTakes(const AVOutputFormat *format, AVCodecID codec)
{
    const int r = avformat_query_codec(format, codec, FF_COMPLIANCE_NORMAL);
    if (r >= 0)
        return r > 0 ? 1 : 0;
    // Raw elementary formats (.ac3, .aac, .flac, ...) write whatever they
    // are given and cannot tell; they hold their own codec only.
    if (format->flags & AVFMT_NOTIMESTAMPS) {
        const AVMediaType type = avcodec_get_type(codec);
        const AVCodecID own = type == AVMEDIA_TYPE_AUDIO ? format->audio_codec
            : type == AVMEDIA_TYPE_VIDEO                 ? format->video_codec
                                                         : format->subtitle_codec;
        return codec == own ? 1 : 0;
    }
    return -1;
}

// Bitstream filter a stream needs in a container that does not convert
// it itself (length-prefixed H.264/HEVC into AVI or MPEG program streams).
const char *neededFilter(const AVOutputFormat *format, const AVCodecParameters *par)
{
    const bool lengthPrefixed = par->extradata_size > 0 && par->extradata[0] == 1;
    if (!lengthPrefixed || !av_match_name(format->name, "avi,mpeg,vob,dvd,svcd,vcd,h264,hevc"))
        return nullptr;
    if (par->codec_id == AV_CODEC_ID_H264)
        return "h264_mp4toannexb";
    if (par->codec_id == AV_CODEC_ID_HEVC)
        return "hevc_mp4toannexb";
    return nullptr;
}

// How a stream's packets are framed: length-prefixed (MP4/Matroska style)
// or with start codes / ADTS headers (transport stream style).
int payloadForm(const AVCodecParameters *par)
{
    if (par->codec_id != AV_CODEC_ID_H264 && par->codec_id != AV_CODEC_ID_HEVC)
        return 0;
    return par->extradata_size > 0 && par->extradata[0] == 1 ? 1 : 0;
}

struct BsfDeleter {
    void operator()(AVBSFContext *ctx) const { av_bsf_free(&ctx); }
};
using BsfPtr = std::unique_ptr<AVBSFContext, BsfDeleter>;

int64_t toMicros(int64_t ts, AVRational tb)
{
    return ts == kNoTime ? kNoTime : av_rescale_q(ts, tb, kMicros);
}

// Decodes text subtitles and encodes them again for a container that
// cannot store the source's subtitle codec (SubRip into MP4, for example).
class SubtitleTranscoder {
public:
    bool open(const AVCodecParameters *in, AVCodecID target, std::string &error)
    {
        const AVCodec *decoder = avcodec_find_decoder(in->codec_id);
        const AVCodec *encoder = avcodec_find_encoder(target);
        if (!decoder || !encoder) {
            error = "no subtitle converter for this stream";
            return false;
        }
        if (avcodec_descriptor_get(in->codec_id)
            && !(avcodec_descriptor_get(in->codec_id)->props & AV_CODEC_PROP_TEXT_SUB)) {
            error = "picture subtitles cannot be stored as text";
            return false;
        }
        m_dec.reset(avcodec_alloc_context3(decoder));
        m_enc.reset(avcodec_alloc_context3(encoder));
        if (!m_dec || !m_enc || avcodec_parameters_to_context(m_dec.get(), in) < 0) {
            error = "out of memory";
            return false;
        }
        m_dec->pkt_timebase = kMicros;
        if (avcodec_open2(m_dec.get(), decoder, nullptr) < 0) {
            error = "cannot open the subtitle decoder";
            return false;
        }
        m_enc->time_base = kMicros;
        if (m_dec->subtitle_header && m_dec->subtitle_header_size > 0) {
            m_enc->subtitle_header = static_cast<uint8_t *>(av_mallocz(m_dec->subtitle_header_size + 1));
            if (!m_enc->subtitle_header) {
                error = "out of memory";
                return false;
            }
            memcpy(m_enc->subtitle_header, m_dec->subtitle_header, m_dec->subtitle_header_size);
            m_enc->subtitle_header_size = m_dec->subtitle_header_size;
        }
        if (avcodec_open2(m_enc.get(), encoder, nullptr) < 0) {
            error = "cannot open the subtitle encoder";
            return false;
        }
        return true;
    }

    // Fills the output stream parameters (codec and its private data).
    bool describe(AVCodecParameters *out) const
    {
        return avcodec_parameters_from_context(out, m_enc.get()) >= 0;
    }

    // Converts one packet in place (timestamps in µs are kept). False when
    // it holds nothing to show.
    bool convert(AVPacket *pkt)
    {
        AVSubtitle sub;
        memset(&sub, 0, sizeof sub);
        int got = 0;
        if (avcodec_decode_subtitle2(m_dec.get(), &sub, &got, pkt) < 0 || !got)
            return false;
        if (sub.num_rects == 0) {
            avsubtitle_free(&sub);
            return false;
        }
        sub.start_display_time = 0;
        const int size = avcodec_encode_subtitle(m_enc.get(), m_buffer, sizeof m_buffer, &sub);
        avsubtitle_free(&sub);
        if (size <= 0)
            return false;
        const int64_t pts = pkt->pts;
        const int64_t dts = pkt->dts;
        const int64_t duration = pkt->duration;
        av_packet_unref(pkt);
        if (av_new_packet(pkt, size) < 0)
            return false;
        memcpy(pkt->data, m_buffer, size);
        pkt->pts = pts;
        pkt->dts = dts;
        pkt->duration = duration;
        pkt->flags |= AV_PKT_FLAG_KEY;
        return true;
    }

private:
    CodecContextPtr m_dec;
    CodecContextPtr m_enc;
    uint8_t m_buffer[1 << 16];
};

} // namespace

// ---------------------------------------------------------------- input ---

struct SelectedStream {
    int inIndex = -1;
    AVMediaType type = AVMEDIA_TYPE_UNKNOWN;
    bool required = true;      // its loss fails the open
    bool attachedPicture = false;
    std::unique_ptr<SubtitleTranscoder> transcoder;
};

class CopyInput {
public:
    CopyInput(const std::atomic<bool> *abort, InterruptCheck global)
    {
        m_irq.abort = abort;
        m_irq.global = std::move(global);
    }

    bool open(const std::string &path)
    {
        AVFormatContext *ctx = avformat_alloc_context();
        if (!ctx)
            return fail("out of memory");
        ctx->interrupt_callback.callback = interruptCallback;
        ctx->interrupt_callback.opaque = &m_irq;
        int r = avformat_open_input(&ctx, path.c_str(), nullptr, nullptr);
        if (r < 0)
            return fail("cannot open the source: " + ffmpegError(r)); // ctx freed on failure
        m_ctx.reset(ctx);
        r = avformat_find_stream_info(ctx, nullptr);
        if (r < 0)
            return fail("cannot read the source's streams: " + ffmpegError(r));
        return true;
    }

    // Stream indexes of one title: a program of a multi-program transport
    // stream, otherwise the whole file.
    bool titleStreams(int program, std::vector<int> &out) const
    {
        out.clear();
        AVFormatContext *ctx = m_ctx.get();
        if (ctx->nb_programs > 1) {
            if (program < 0 || program >= static_cast<int>(ctx->nb_programs))
                return false;
            const AVProgram *p = ctx->programs[program];
            for (unsigned i = 0; i < p->nb_stream_indexes; ++i)
                out.push_back(static_cast<int>(p->stream_index[i]));
            return true;
        }
        if (program != 0)
            return false;
        for (unsigned i = 0; i < ctx->nb_streams; ++i)
            out.push_back(static_cast<int>(i));
        return true;
    }

    // Picks the streams of the choice and checks the container takes them.
    bool select(const CopyChoice &choice, const AVOutputFormat *format)
    {
        m_selected.clear();
        std::vector<int> title;
        if (!titleStreams(choice.program, title))
            return fail("the source has no such title");
        AVFormatContext *ctx = m_ctx.get();

        std::vector<int> video, audio, subtitle, extra;
        for (int index : title) {
            const AVStream *st = ctx->streams[index];
            switch (st->codecpar->codec_type) {
            case AVMEDIA_TYPE_VIDEO:
                if (st->disposition & AV_DISPOSITION_ATTACHED_PIC)
                    extra.push_back(index);
                else
                    video.push_back(index);
                break;
            case AVMEDIA_TYPE_AUDIO:
                audio.push_back(index);
                break;
            case AVMEDIA_TYPE_SUBTITLE:
                subtitle.push_back(index);
                break;
            default:
                extra.push_back(index);
                break;
            }
        }

        if (!video.empty() && choice.video)
            addStream(video.front(), AVMEDIA_TYPE_VIDEO, true);
        if (choice.audioIndex >= 0) {
            if (choice.audioMask) {
                for (size_t i = 0; i < audio.size() && i < 64; ++i)
                    if (choice.audioMask & (uint64_t(1) << i))
                        addStream(audio[i], AVMEDIA_TYPE_AUDIO, true);
            } else if (choice.audioIndex < static_cast<int>(audio.size())) {
                addStream(audio[choice.audioIndex], AVMEDIA_TYPE_AUDIO, true);
            }
        }
        if (choice.subtitleIndex >= 0) {
            if (choice.subtitleMask) {
                for (size_t i = 0; i < subtitle.size() && i < 64; ++i)
                    if (choice.subtitleMask & (uint64_t(1) << i))
                        addStream(subtitle[i], AVMEDIA_TYPE_SUBTITLE, true);
            } else if (choice.subtitleIndex < static_cast<int>(subtitle.size())) {
                addStream(subtitle[choice.subtitleIndex], AVMEDIA_TYPE_SUBTITLE, true);
            }
        }
        if (m_selected.empty())
            return fail("nothing to copy: the source has no chosen audio or video stream");

        // Covers, data and attachments ride along when the container can
        // hold them; they are never a reason to fail.
        for (int index : extra) {
            const AVStream *st = ctx->streams[index];
            const AVMediaType type = st->codecpar->codec_type;
            bool take = false;
            if (type == AVMEDIA_TYPE_VIDEO)
                take = st->attached_pic.size > 0 && containerTakes(format, st->codecpar->codec_id) == 1
                    && (isMovFamily(format) || av_match_name(format->name, "matroska,mp3") != 0);
            else if (type == AVMEDIA_TYPE_ATTACHMENT)
                take = av_match_name(format->name, "matroska") != 0;
            else if (type == AVMEDIA_TYPE_DATA)
                // A QuickTime chapter track shows up as opaque data; the
                // chapters themselves are copied and rebuilt by the muxer.
                take = containerTakes(format, st->codecpar->codec_id) == 1
                    && st->codecpar->codec_id != AV_CODEC_ID_BIN_DATA;
            if (take) {
                addStream(index, type, false);
                m_selected.back().attachedPicture = type == AVMEDIA_TYPE_VIDEO;
            }
        }

        for (SelectedStream &s : m_selected) {
            if (!s.required)
                continue;
            const AVCodecParameters *par = ctx->streams[s.inIndex]->codecpar;
            if (s.type == AVMEDIA_TYPE_SUBTITLE) {
                AVCodecID target = AV_CODEC_ID_NONE;
                if (choice.subtitleCodec > 0 && choice.subtitleCodec != par->codec_id)
                    target = static_cast<AVCodecID>(choice.subtitleCodec);
                else if (containerTakes(format, par->codec_id) == 0 && isMovFamily(format))
                    target = AV_CODEC_ID_MOV_TEXT;
                if (target != AV_CODEC_ID_NONE) {
                    if (containerTakes(format, target) == 0)
                        return fail("the container cannot store this subtitle stream");
                    s.transcoder = std::make_unique<SubtitleTranscoder>();
                    std::string error;
                    if (!s.transcoder->open(par, target, error))
                        return fail(error);
                    continue;
                }
            }
            if (containerTakes(format, par->codec_id) == 0)
                return fail(std::string("the container cannot store a ") + av_get_media_type_string(s.type)
                            + " stream of codec " + avcodec_get_name(par->codec_id));
        }
        return true;
    }

    AVFormatContext *ctx() const { return m_ctx.get(); }
    std::vector<SelectedStream> &selected() { return m_selected; }
    const std::string &error() const { return m_error; }
    bool fail(const std::string &text)
    {
        m_error = text;
        return false;
    }

    // Output position of each input stream index, -1 when not copied.
    std::vector<int> outputMap() const
    {
        std::vector<int> map(m_ctx->nb_streams, -1);
        for (size_t i = 0; i < m_selected.size(); ++i)
            map[m_selected[i].inIndex] = static_cast<int>(i);
        return map;
    }

    int64_t startTime_us() const
    {
        return m_ctx->start_time == kNoTime ? 0 : m_ctx->start_time;
    }
    int64_t duration_us() const { return m_ctx->duration == kNoTime ? 0 : m_ctx->duration; }

private:
    void addStream(int index, AVMediaType type, bool required)
    {
        SelectedStream s;
        s.inIndex = index;
        s.type = type;
        s.required = required;
        m_selected.push_back(std::move(s));
    }

    InterruptState m_irq;
    InputContextPtr m_ctx;
    std::vector<SelectedStream> m_selected;
    std::string m_error;
};

// --------------------------------------------------------------- output ---

class CopyOutput {
public:
    CopyOutput(const std::atomic<bool> *abort, InterruptCheck global)
    {
        m_irq.abort = abort;
        m_irq.global = std::move(global);
    }

    ~CopyOutput() { close(); }

    // Allocates the muxer and, unless dryRun, creates the file.
    bool create(const std::string &dst, const AVOutputFormat *format, bool dryRun)
    {
        AVFormatContext *ctx = nullptr;
        int r = avformat_alloc_output_context2(&ctx, format, nullptr, dst.c_str());
        if (r < 0 || !ctx)
            return fail("cannot set up the output: " + ffmpegError(r));
        m_ctx = ctx;
        ctx->interrupt_callback.callback = interruptCallback;
        ctx->interrupt_callback.opaque = &m_irq;
        if (format->flags & AVFMT_NOFILE)
            return true;
        if (dryRun) {
            // A sink that swallows everything: lets the muxer check its
            // streams without touching the disk.
            const int size = 4096;
            auto *buffer = static_cast<uint8_t *>(av_malloc(size));
            ctx->pb = avio_alloc_context(buffer, size, 1, this, nullptr, &CopyOutput::discardWrite,
                                         &CopyOutput::discardSeek);
            if (!ctx->pb) {
                av_free(buffer);
                return fail("out of memory");
            }
            ctx->pb->seekable = AVIO_SEEKABLE_NORMAL;
            m_customIo = true;
            return true;
        }
        r = avio_open2(&ctx->pb, dst.c_str(), AVIO_FLAG_WRITE, &ctx->interrupt_callback, nullptr);
        if (r < 0)
            return fail("cannot create the output file: " + ffmpegError(r));
        return true;
    }

    // Output streams shaped after the selected input streams.
    bool addStreams(CopyInput &input)
    {
        AVFormatContext *in = input.ctx();
        for (SelectedStream &s : input.selected()) {
            const AVStream *ist = in->streams[s.inIndex];
            AVStream *ost = avformat_new_stream(m_ctx, nullptr);
            if (!ost)
                return fail("out of memory");
            if (s.transcoder) {
                if (!s.transcoder->describe(ost->codecpar))
                    return fail("cannot describe the converted subtitles");
                ost->time_base = kMicros;
            } else {
                if (avcodec_parameters_copy(ost->codecpar, ist->codecpar) < 0)
                    return fail("out of memory");
                ost->time_base = ist->time_base;
                uint32_t tag = ist->codecpar->codec_tag;
                unsigned int known = 0;
                if (tag && m_ctx->oformat->codec_tag
                    && av_codec_get_id(m_ctx->oformat->codec_tag, tag) != ist->codecpar->codec_id
                    && av_codec_get_tag2(m_ctx->oformat->codec_tag, ist->codecpar->codec_id, &known))
                    tag = 0;
                ost->codecpar->codec_tag = tag;
            }
            BsfPtr bsf;
            if (const char *name = s.transcoder ? nullptr : neededFilter(m_ctx->oformat, ost->codecpar)) {
                AVBSFContext *ctx = nullptr;
                const AVBitStreamFilter *filter = av_bsf_get_by_name(name);
                if (!filter || av_bsf_alloc(filter, &ctx) < 0)
                    return fail(std::string("missing bitstream filter ") + name);
                bsf.reset(ctx);
                if (avcodec_parameters_copy(ctx->par_in, ost->codecpar) < 0)
                    return fail("out of memory");
                ctx->time_base_in = ist->time_base;
                if (av_bsf_init(ctx) < 0 || avcodec_parameters_copy(ost->codecpar, ctx->par_out) < 0)
                    return fail(std::string("cannot set up ") + name);
            }
            m_bsf.push_back(std::move(bsf));
            ost->disposition = ist->disposition;
            ost->avg_frame_rate = ist->avg_frame_rate;
            ost->r_frame_rate = ist->r_frame_rate;
            ost->sample_aspect_ratio = ist->sample_aspect_ratio;
            av_dict_copy(&ost->metadata, ist->metadata, 0);
            // Rotation, stereo and similar stream-wide side data.
            for (int i = 0; i < ist->nb_side_data; ++i) {
                const AVPacketSideData &sd = ist->side_data[i];
                uint8_t *dst = av_stream_new_side_data(ost, sd.type, sd.size);
                if (!dst)
                    return fail("out of memory");
                memcpy(dst, sd.data, sd.size);
            }
        }
        m_lastDts.assign(m_ctx->nb_streams, kNoTime);
        m_end_us.assign(m_ctx->nb_streams, 0);
        av_dict_copy(&m_ctx->metadata, in->metadata, 0);
        // Our muxer writes its own encoder tag; do not claim the source's.
        av_dict_set(&m_ctx->metadata, "encoder", nullptr, 0);
        return true;
    }

    // Copies the chapters that overlap [from, to) of the input timeline,
    // shifted so that `zero` becomes output time 0.
    bool addChapters(const AVFormatContext *in, int64_t from_us, int64_t to_us, int64_t zero_us)
    {
        for (unsigned i = 0; i < in->nb_chapters; ++i) {
            const AVChapter *ch = in->chapters[i];
            const int64_t start = toMicros(ch->start, ch->time_base);
            const int64_t end = toMicros(ch->end, ch->time_base);
            if (end <= from_us || start >= to_us)
                continue;
            auto *copy = static_cast<AVChapter *>(av_mallocz(sizeof(AVChapter)));
            if (!copy)
                return fail("out of memory");
            if (av_dynarray_add_nofree(&m_ctx->chapters, reinterpret_cast<int *>(&m_ctx->nb_chapters), copy) < 0) {
                av_free(copy);
                return fail("out of memory");
            }
            copy->id = ch->id;
            copy->time_base = kMicros;
            copy->start = std::max(start, from_us) - zero_us;
            copy->end = std::min(end, to_us) - zero_us;
            if (copy->start < 0)
                copy->start = 0;
            av_dict_copy(&copy->metadata, ch->metadata, 0);
        }
        return true;
    }

    bool init()
    {
        AVDictionary *opts = nullptr;
        // Lead-in frames at negative times become an edit list.
        if (isMovFamily(m_ctx->oformat))
            av_dict_set(&opts, "use_editlist", "1", 0);
        const int r = avformat_init_output(m_ctx, &opts);
        av_dict_free(&opts);
        if (r < 0)
            return fail("the container does not take these streams: " + ffmpegError(r));
        return true;
    }

    bool writeHeader()
    {
        const int r = avformat_write_header(m_ctx, nullptr);
        if (r < 0)
            return fail("cannot write the file header: " + ffmpegError(r));
        m_headerWritten = true;
        return true;
    }

    // Writes one packet whose timestamps are already in the output
    // timeline (input time base). DTS is made present and strictly
    // increasing per stream.
    bool write(int outIndex, AVPacket *pkt, AVRational inTb)
    {
        AVStream *ost = m_ctx->streams[outIndex];
        pkt->stream_index = outIndex;
        pkt->pos = -1;
        av_packet_rescale_ts(pkt, inTb, ost->time_base);
        int64_t &last = m_lastDts[outIndex];
        if (pkt->dts == kNoTime)
            pkt->dts = last == kNoTime ? (pkt->pts != kNoTime ? pkt->pts : 0) : last + 1;
        if (last != kNoTime && pkt->dts <= last)
            pkt->dts = last + 1;
        if (pkt->pts == kNoTime || pkt->pts < pkt->dts)
            pkt->pts = pkt->dts;
        last = pkt->dts;
        const int64_t end = toMicros(pkt->pts + std::max<int64_t>(pkt->duration, 0), ost->time_base);
        if (end > m_end_us[outIndex])
            m_end_us[outIndex] = end;
        AVBSFContext *bsf = m_bsf[outIndex].get();
        if (!bsf) {
            const int r = av_interleaved_write_frame(m_ctx, pkt);
            if (r < 0)
                return fail("cannot write to the output: " + ffmpegError(r));
            return true;
        }
        // The filter works in the output time base here: the packet was
        // already rescaled, and the filter only rewrites the payload.
        int r = av_bsf_send_packet(bsf, pkt);
        if (r < 0)
            return fail("bitstream filter failed: " + ffmpegError(r));
        PacketPtr filtered = makePacket();
        while ((r = av_bsf_receive_packet(bsf, filtered.get())) == 0) {
            filtered->stream_index = outIndex;
            const int w = av_interleaved_write_frame(m_ctx, filtered.get());
            if (w < 0)
                return fail("cannot write to the output: " + ffmpegError(w));
        }
        if (r != AVERROR(EAGAIN) && r != AVERROR_EOF)
            return fail("bitstream filter failed: " + ffmpegError(r));
        return true;
    }

    // End of the written timeline in µs: where a following range begins.
    int64_t end_us() const
    {
        int64_t end = 0;
        for (int64_t e : m_end_us)
            end = std::max(end, e);
        return end;
    }

    bool finish()
    {
        if (!m_ctx)
            return false;
        bool ok = true;
        if (m_headerWritten) {
            const int r = av_write_trailer(m_ctx);
            if (r < 0)
                ok = fail("cannot complete the output file: " + ffmpegError(r));
            m_headerWritten = false;
        }
        close();
        return ok;
    }

    void close()
    {
        if (!m_ctx)
            return;
        if (m_customIo) {
            if (m_ctx->pb)
                av_freep(&m_ctx->pb->buffer);
            avio_context_free(&m_ctx->pb);
        } else if (!(m_ctx->oformat->flags & AVFMT_NOFILE)) {
            avio_closep(&m_ctx->pb);
        }
        avformat_free_context(m_ctx);
        m_ctx = nullptr;
    }

    AVFormatContext *ctx() const { return m_ctx; }
    const std::string &error() const { return m_error; }
    bool fail(const std::string &text)
    {
        m_error = text;
        return false;
    }

private:
    static int discardWrite(void *opaque, uint8_t *, int size)
    {
        static_cast<CopyOutput *>(opaque)->m_sinkPos += size;
        return size;
    }
    static int64_t discardSeek(void *opaque, int64_t offset, int whence)
    {
        auto *self = static_cast<CopyOutput *>(opaque);
        if (whence == AVSEEK_SIZE)
            return self->m_sinkPos;
        self->m_sinkPos = offset;
        return offset;
    }

    InterruptState m_irq;
    AVFormatContext *m_ctx = nullptr;
    bool m_customIo = false;
    bool m_headerWritten = false;
    int64_t m_sinkPos = 0;
    std::vector<int64_t> m_lastDts;
    std::vector<int64_t> m_end_us;
    std::vector<BsfPtr> m_bsf; // per output stream, null when none is needed
    std::string m_error;
};

// --------------------------------------------------------- range reader ---

// Reads the packets of one range of the selected streams in file order,
// with the cut rules applied; timestamps stay in the input timeline.
class RangeReader {
public:
    RangeReader(CopyInput &input, int64_t start_us, int64_t length_us, bool hideLeadIn)
        : m_input(input)
        , m_map(input.outputMap())
    {
        const int64_t base = input.startTime_us();
        m_start = base + start_us;
        m_end = length_us > 0 ? m_start + length_us : std::numeric_limits<int64_t>::max();
        m_hideLeadIn = hideLeadIn;
        for (SelectedStream &s : input.selected())
            if (s.type == AVMEDIA_TYPE_VIDEO && !s.attachedPicture)
                m_video = s.inIndex;
        m_done.assign(input.ctx()->nb_streams, false);
    }

    // Finds the key frame to start from and buffers the packets up to the
    // asked start. Sets zero(): the input time that becomes output time 0.
    bool preRoll(const std::atomic<bool> &abort)
    {
        AVFormatContext *ctx = m_input.ctx();
        int64_t seekTo = m_start;
        const int64_t base = m_input.startTime_us();
        if (m_input.duration_us() > 0 && m_start >= base + m_input.duration_us())
            return m_input.fail("the range starts after the end of the source");
        // A subtitle shown at the start may have begun well before it: read
        // from further back so that it is found and shown from the cut on.
        bool subtitles = false;
        for (const SelectedStream &s : m_input.selected())
            subtitles = subtitles || s.type == AVMEDIA_TYPE_SUBTITLE;
        if (subtitles && m_start > base)
            seekTo = std::max(base, m_start - kSubtitleLookBack_us);
        for (int attempt = 0;; ++attempt) {
            m_pending.clear();
            int64_t key = kNoTime;
            if (seekTo > base || m_start > base || attempt > 0) {
                if (av_seek_frame(ctx, -1, seekTo, AVSEEK_FLAG_BACKWARD) < 0 && attempt == 0)
                    avformat_seek_file(ctx, -1, std::numeric_limits<int64_t>::min(), seekTo, seekTo, 0);
            }
            bool retry = false;
            for (;;) {
                if (abort.load())
                    return m_input.fail("stopped");
                PacketPtr pkt = makePacket();
                const int r = av_read_frame(ctx, pkt.get());
                if (r == AVERROR_EOF || (r < 0 && ctx->pb && avio_feof(ctx->pb)))
                    break;
                if (r < 0)
                    return m_input.fail("cannot read the source: " + ffmpegError(r));
                if (!wanted(pkt.get()))
                    continue;
                if (pkt->stream_index != m_video) {
                    const AVStream *st = ctx->streams[pkt->stream_index];
                    const bool reachedStart = m_video < 0
                        && toMicros(pkt->pts != kNoTime ? pkt->pts : pkt->dts, st->time_base) >= m_start;
                    m_pending.push_back(std::move(pkt));
                    if (reachedStart)
                        break; // without video the start needs no key frame
                    continue;
                }
                const AVRational tb = ctx->streams[m_video]->time_base;
                const int64_t pts = toMicros(pkt->pts != kNoTime ? pkt->pts : pkt->dts, tb);
                const int64_t dts = toMicros(pkt->dts != kNoTime ? pkt->dts : pkt->pts, tb);
                const bool isKey = pkt->flags & AV_PKT_FLAG_KEY;
                if (isKey && pts != kNoTime && pts <= m_start) {
                    dropPendingVideo();
                    key = pts;
                    m_pending.push_back(std::move(pkt));
                    continue;
                }
                if (isKey && key == kNoTime) {
                    // The seek landed after the start: look further back,
                    // or start at this key frame when there is no earlier one.
                    if (seekTo > base && attempt < 5) {
                        seekTo = std::max(base, seekTo - (int64_t(2000000) << attempt));
                        retry = true;
                        break;
                    }
                    key = pts;
                    m_pending.push_back(std::move(pkt));
                    break;
                }
                if (key == kNoTime)
                    continue; // frames before the first key frame cannot be decoded
                m_pending.push_back(std::move(pkt));
                if (isKey || (dts != kNoTime && dts > m_start))
                    break; // no key frame at or before the start can follow
            }
            if (retry)
                continue;
            if (m_video >= 0 && key == kNoTime)
                return m_input.fail("the range lies beyond the end of the video");
            m_key = m_video >= 0 ? key : m_start;
            break;
        }
        m_zero = m_hideLeadIn ? m_start : m_key;
        // Audio and subtitles start where the picture starts.
        std::deque<PacketPtr> kept;
        for (PacketPtr &pkt : m_pending) {
            if (pkt->stream_index != m_video && !keepLeadIn(pkt.get()))
                continue;
            kept.push_back(std::move(pkt));
        }
        m_pending.swap(kept);
        return true;
    }

    // Next packet of the range: 1 got one, 0 the range is complete, -1 error.
    int next(AVPacket *out, const std::atomic<bool> &abort)
    {
        AVFormatContext *ctx = m_input.ctx();
        for (;;) {
            if (abort.load()) {
                m_input.fail("stopped");
                return -1;
            }
            if (!m_ready.empty()) {
                av_packet_move_ref(out, m_ready.front().get());
                m_ready.pop_front();
                return 1;
            }
            if (allDone())
                return 0;
            PacketPtr pkt;
            if (!m_pending.empty()) {
                pkt = std::move(m_pending.front());
                m_pending.pop_front();
            } else {
                pkt = makePacket();
                const int r = av_read_frame(ctx, pkt.get());
                if (r == AVERROR_EOF || (r < 0 && ctx->pb && avio_feof(ctx->pb)))
                    return 0;
                if (r < 0) {
                    m_input.fail("cannot read the source: " + ffmpegError(r));
                    return -1;
                }
                if (!wanted(pkt.get()))
                    continue;
            }
            const int s = pkt->stream_index;
            if (m_done[s])
                continue;
            const AVStream *st = ctx->streams[s];
            const int64_t pts = toMicros(pkt->pts != kNoTime ? pkt->pts : pkt->dts, st->time_base);
            const int64_t dts = toMicros(pkt->dts != kNoTime ? pkt->dts : pkt->pts, st->time_base);
            if (s == m_video) {
                if (dts != kNoTime && dts >= m_end) {
                    // Later packets all show at or after the end: frames
                    // held back for the end are not needed either.
                    m_tail.clear();
                    m_done[s] = true;
                    continue;
                }
                if (pts != kNoTime && pts >= m_end) {
                    m_tail.push_back(std::move(pkt)); // kept only if earlier frames need it
                    continue;
                }
                for (PacketPtr &held : m_tail)
                    m_ready.push_back(std::move(held));
                m_tail.clear();
                m_ready.push_back(std::move(pkt));
                continue;
            }
            if (pts != kNoTime && pts >= m_end) {
                if (st->codecpar->codec_type != AVMEDIA_TYPE_SUBTITLE)
                    m_done[s] = true;
                continue;
            }
            if (st->codecpar->codec_type == AVMEDIA_TYPE_SUBTITLE && pkt->duration > 0 && m_end != std::numeric_limits<int64_t>::max()) {
                // A subtitle that runs past the end is cut at the end.
                const int64_t end = m_end;
                const int64_t dur_us = toMicros(pkt->duration, st->time_base);
                if (pts + dur_us > end)
                    pkt->duration = av_rescale_q(end - pts, kMicros, st->time_base);
            }
            m_ready.push_back(std::move(pkt));
        }
    }

    int64_t zero_us() const { return m_zero; }
    int64_t start_us() const { return m_start; }
    int64_t end_us() const { return m_end; }

private:
    bool wanted(const AVPacket *pkt) const
    {
        const int s = pkt->stream_index;
        if (s < 0 || s >= static_cast<int>(m_map.size()) || m_map[s] < 0)
            return false;
        // Covers are written once from the stream record, not from packets.
        return !m_input.selected()[m_map[s]].attachedPicture;
    }

    void dropPendingVideo()
    {
        std::deque<PacketPtr> kept;
        for (PacketPtr &pkt : m_pending)
            if (pkt->stream_index != m_video)
                kept.push_back(std::move(pkt));
        m_pending.swap(kept);
    }

    // Whether a buffered non-video packet reaches into the output.
    bool keepLeadIn(AVPacket *pkt) const
    {
        const AVStream *st = m_input.ctx()->streams[pkt->stream_index];
        const int64_t pts = toMicros(pkt->pts != kNoTime ? pkt->pts : pkt->dts, st->time_base);
        if (pts == kNoTime)
            return false;
        const int64_t dur = std::max<int64_t>(toMicros(pkt->duration, st->time_base), 0);
        if (st->codecpar->codec_type == AVMEDIA_TYPE_SUBTITLE) {
            if (pts + dur <= m_zero || pts >= m_end)
                return false;
            if (pts < m_zero) {
                // Shown from the cut on, for the rest of its time.
                const int64_t shift = av_rescale_q(m_zero - pts, kMicros, st->time_base);
                pkt->pts += shift;
                if (pkt->dts != kNoTime)
                    pkt->dts += shift;
                pkt->duration = std::max<int64_t>(pkt->duration - shift, 1);
            }
            return true;
        }
        // Audio: from the packet that covers the start.
        return dur > 0 ? pts + dur > m_zero : pts >= m_zero;
    }

    bool allDone() const
    {
        for (const SelectedStream &s : m_input.selected())
            if (s.type != AVMEDIA_TYPE_SUBTITLE && !s.attachedPicture && !m_done[s.inIndex])
                return false;
        return true;
    }

    CopyInput &m_input;
    std::vector<int> m_map;
    int m_video = -1;
    int64_t m_start = 0;
    int64_t m_end = 0;
    int64_t m_key = 0;
    int64_t m_zero = 0;
    bool m_hideLeadIn = false;
    std::vector<bool> m_done;
    std::deque<PacketPtr> m_pending; // read ahead during the pre-roll
    std::deque<PacketPtr> m_tail;    // video at or after the end, held back
    std::deque<PacketPtr> m_ready;
};

// Copies one range from input to output, shifting input time `zero` to
// output time `offset_us`. Reports progress; false on error or stop.
static bool copyRange(CopyInput &input, CopyOutput &output, RangeReader &reader, int64_t offset_us,
                      bool writeCovers, const std::atomic<bool> &abort, CopyProgress &progress,
                      std::string &error)
{
    AVFormatContext *in = input.ctx();
    const std::vector<int> map = input.outputMap();
    std::vector<SelectedStream> &selected = input.selected();

    if (writeCovers) {
        for (size_t i = 0; i < selected.size(); ++i) {
            if (!selected[i].attachedPicture)
                continue;
            const AVStream *st = in->streams[selected[i].inIndex];
            PacketPtr cover = makePacket();
            if (av_packet_ref(cover.get(), &st->attached_pic) < 0)
                continue;
            cover->pts = cover->dts = 0;
            if (!output.write(static_cast<int>(i), cover.get(), st->time_base)) {
                error = output.error();
                return false;
            }
        }
    }

    PacketPtr pkt = makePacket();
    for (;;) {
        const int r = reader.next(pkt.get(), abort);
        if (r < 0) {
            error = input.error();
            return false;
        }
        if (r == 0)
            return true;
        const int outIndex = map[pkt->stream_index];
        SelectedStream &s = selected[outIndex];
        const AVStream *ist = in->streams[pkt->stream_index];
        AVRational tb = ist->time_base;
        const int64_t shift = av_rescale_q(reader.zero_us() - offset_us, kMicros, tb);
        if (pkt->pts != kNoTime)
            pkt->pts -= shift;
        if (pkt->dts != kNoTime)
            pkt->dts -= shift;
        if (s.transcoder) {
            av_packet_rescale_ts(pkt.get(), tb, kMicros);
            tb = kMicros;
            if (!s.transcoder->convert(pkt.get())) {
                av_packet_unref(pkt.get());
                continue;
            }
        }
        if (s.type == AVMEDIA_TYPE_VIDEO || s.type == AVMEDIA_TYPE_AUDIO) {
            const int64_t at = toMicros(pkt->pts != kNoTime ? pkt->pts : pkt->dts, tb) - offset_us;
            if (at > 0 && static_cast<uint64_t>(at) > progress.position_us.load())
                progress.position_us.store(static_cast<uint64_t>(at));
        }
        if (!output.write(outIndex, pkt.get(), tb)) {
            error = output.error();
            return false;
        }
        av_packet_unref(pkt.get());
    }
}

// ----------------------------------------------------------- conversion ---

StreamCopyConversion::StreamCopyConversion(InterruptCheck globalInterrupt)
    : m_globalInterrupt(std::move(globalInterrupt))
{
}

StreamCopyConversion::~StreamCopyConversion()
{
    stop();
    close();
}

void StreamCopyConversion::setError(const std::string &text)
{
    m_error.set(text);
}

std::string StreamCopyConversion::lastError() const
{
    return m_error.get();
}

bool StreamCopyConversion::open(const std::string &src, const std::string &dst,
                                const std::string &format, const CopyChoice &choice)
{
    if (m_worker.joinable()) {
        setError("a conversion is running");
        return false;
    }
    m_input.reset();
    m_output.reset();
    m_abort = false;
    const AVOutputFormat *ofmt = findOutputFormat(format, dst);
    if (!ofmt) {
        setError("unknown output container \"" + format + "\"");
        return false;
    }
    auto input = std::make_unique<CopyInput>(&m_abort, m_globalInterrupt);
    if (!input->open(src) || !input->select(choice, ofmt)) {
        setError(input->error());
        return false;
    }
    // Let the muxer judge the streams now, so a container that cannot take
    // them fails the open rather than the conversion.
    CopyOutput trial(&m_abort, m_globalInterrupt);
    if (!trial.create(dst, ofmt, true) || !trial.addStreams(*input) || !trial.init()) {
        setError(trial.error());
        return false;
    }
    m_input = std::move(input);
    m_dst = dst;
    m_format = ofmt->name;
    m_choice = choice;
    m_start_us = 0;
    m_length_us = 0;
    return true;
}

void StreamCopyConversion::setRange(uint64_t start_us, uint64_t length_us)
{
    m_start_us = start_us;
    m_length_us = length_us;
}

bool StreamCopyConversion::start()
{
    if (!m_input || m_worker.joinable()) {
        setError(m_input ? "a conversion is running" : "nothing is open");
        return false;
    }
    const AVOutputFormat *ofmt = findOutputFormat(m_format, m_dst);
    auto output = std::make_unique<CopyOutput>(&m_abort, m_globalInterrupt);
    if (!output->create(m_dst, ofmt, false) || !output->addStreams(*m_input)) {
        setError(output->error());
        return false;
    }
    m_output = std::move(output);
    m_abort = false;
    m_progress.position_us = 0;
    const int64_t available = m_input->duration_us() - static_cast<int64_t>(m_start_us);
    m_progress.total_us = m_length_us > 0 ? m_length_us : static_cast<uint64_t>(std::max<int64_t>(available, 0));
    m_progress.failed = false;
    m_progress.finished = false;
    m_worker = std::thread(&StreamCopyConversion::run, this);
    return true;
}

void StreamCopyConversion::run()
{
    std::string error;
    bool ok = false;
    const bool editList = hidesLeadIn(m_output->ctx()->oformat);
    {
        AVFormatContext *oc = m_output->ctx();
        RangeReader reader(*m_input, static_cast<int64_t>(m_start_us), static_cast<int64_t>(m_length_us),
                           hidesLeadIn(oc->oformat));
        if (!reader.preRoll(m_abort)) {
            error = m_input->error();
        } else if (!m_output->addChapters(m_input->ctx(), reader.start_us(), reader.end_us(), reader.zero_us())
                   || !m_output->init() || !m_output->writeHeader()) {
            error = m_output->error();
        } else {
            ok = copyRange(*m_input, *m_output, reader, 0, true, m_abort, m_progress, error);
        }
    }
    if (!m_output->finish() && ok) {
        ok = false;
        error = m_output->error();
    }
    if (ok && editList && m_length_us > 0) {
        // Frames after the end that earlier frames depend on were copied;
        // the edit list ends the presentation at the asked end.
        std::string trimError;
        if (!trimMovPresentation(m_dst, m_length_us, trimError)) {
            ok = false;
            error = trimError;
        }
    }
    if (!ok) {
        setError(error.empty() ? "the conversion failed" : error);
        m_progress.failed = true;
    } else {
        m_progress.position_us = m_progress.total_us.load();
    }
    m_progress.finished = true;
}

bool StreamCopyConversion::stop()
{
    if (!m_worker.joinable())
        return true;
    m_abort = true;
    m_worker.join();
    return true;
}

void StreamCopyConversion::close()
{
    if (m_worker.joinable()) {
        m_abort = true;
        m_worker.join();
    }
    m_output.reset();
    m_input.reset();
}

// --------------------------------------------------------------- merger ---

StreamCopyMerger::StreamCopyMerger(InterruptCheck globalInterrupt)
    : m_globalInterrupt(std::move(globalInterrupt))
{
}

StreamCopyMerger::~StreamCopyMerger()
{
    abort();
}

void StreamCopyMerger::setError(const std::string &text)
{
    m_error.set(text);
}

std::string StreamCopyMerger::lastError() const
{
    return m_error.get();
}

void StreamCopyMerger::join()
{
    if (m_worker.joinable())
        m_worker.join();
}

bool StreamCopyMerger::open(const std::string &dst, const std::string &format)
{
    // Opening again would throw away the ranges already joined; a merge
    // that has begun can only go on or fail.
    if (m_output && m_rangesAdded > 0) {
        join();
        setError("the merged file already holds ranges");
        return false;
    }
    abort();
    if (!findOutputFormat(format, dst)) {
        setError("unknown output container \"" + format + "\"");
        return false;
    }
    m_dst = dst;
    m_format = format;
    m_abort = false;
    m_timelineEnd_us = 0;
    m_rangesAdded = 0;
    m_progress.finished = false;
    m_progress.failed = false;
    return true;
}

bool StreamCopyMerger::add(const std::string &src, uint64_t start_us, uint64_t length_us,
                           const CopyChoice &choice)
{
    join();
    if (m_dst.empty()) {
        setError("the merger is not open");
        return false;
    }
    if (m_progress.failed) {
        setError("an earlier range failed");
        return false;
    }
    const AVOutputFormat *ofmt = findOutputFormat(m_format, m_dst);
    auto input = std::make_unique<CopyInput>(&m_abort, m_globalInterrupt);
    if (!input->open(src) || !input->select(choice, ofmt)) {
        setError(input->error());
        return false;
    }
    if (!m_output) {
        auto output = std::make_unique<CopyOutput>(&m_abort, m_globalInterrupt);
        if (!output->create(m_dst, ofmt, false) || !output->addStreams(*input)) {
            setError(output->error());
            if (output->ctx())
                output->close();
            return false;
        }
        m_output = std::move(output);
        m_firstPayload.clear();
        for (const SelectedStream &sel : input->selected())
            m_firstPayload.push_back(payloadForm(input->ctx()->streams[sel.inIndex]->codecpar));
    } else {
        // Every range must bring the same streams as the first one, in the
        // same payload form (a muxer's bitstream filters are set up once).
        AVFormatContext *oc = m_output->ctx();
        auto &sel = input->selected();
        if (sel.size() != oc->nb_streams) {
            setError("this range has other streams than the merged file");
            return false;
        }
        for (size_t i = 0; i < sel.size(); ++i) {
            const AVCodecParameters *a = input->ctx()->streams[sel[i].inIndex]->codecpar;
            const AVCodecParameters *b = oc->streams[i]->codecpar;
            const bool sameCodec = sel[i].transcoder ? b->codec_type == AVMEDIA_TYPE_SUBTITLE : a->codec_id == b->codec_id;
            if (!sameCodec || a->codec_type != b->codec_type
                || (a->codec_type == AVMEDIA_TYPE_VIDEO && (a->width != b->width || a->height != b->height))
                || (i < m_firstPayload.size() && payloadForm(a) != m_firstPayload[i])) {
                setError("this range's streams do not match the merged file");
                return false;
            }
        }
    }
    m_progress.position_us = 0;
    const int64_t available = input->duration_us() - static_cast<int64_t>(start_us);
    m_progress.total_us = length_us > 0 ? length_us : static_cast<uint64_t>(std::max<int64_t>(available, 0));
    m_progress.finished = false;
    m_worker = std::thread(&StreamCopyMerger::run, this, std::move(input), start_us, length_us);
    return true;
}

void StreamCopyMerger::run(std::unique_ptr<CopyInput> input, uint64_t start_us, uint64_t length_us)
{
    std::string error;
    bool ok = false;
    const bool first = m_rangesAdded == 0;
    AVFormatContext *oc = m_output->ctx();
    // Only the first range can hide its lead-in: later ones would overlap
    // the range before them.
    RangeReader reader(*input, static_cast<int64_t>(start_us), static_cast<int64_t>(length_us),
                       first && hidesLeadIn(oc->oformat));
    if (!reader.preRoll(m_abort)) {
        error = input->error();
    } else if (first
               && (!m_output->addChapters(input->ctx(), reader.start_us(), reader.end_us(), reader.zero_us())
                   || !m_output->init() || !m_output->writeHeader())) {
        error = m_output->error();
    } else {
        ok = copyRange(*input, *m_output, reader, m_timelineEnd_us, first, m_abort, m_progress, error);
    }
    ++m_rangesAdded;
    if (ok) {
        m_editList = hidesLeadIn(oc->oformat);
        m_presentationEnd_us = reader.end_us() == std::numeric_limits<int64_t>::max()
            ? 0
            : m_timelineEnd_us + (reader.end_us() - reader.zero_us());
        m_timelineEnd_us = m_output->end_us();
        m_progress.position_us = m_progress.total_us.load();
    } else {
        setError(error.empty() ? "the range could not be added" : error);
        m_progress.failed = true;
    }
    m_progress.finished = true;
}

bool StreamCopyMerger::finish()
{
    join();
    if (!m_output)
        return !m_progress.failed;
    bool ok = m_output->finish();
    if (!ok)
        setError(m_output->error());
    m_output.reset();
    if (ok && m_editList && m_presentationEnd_us > 0 && !m_progress.failed) {
        // As for a single cut: the last range ends where it was asked to.
        std::string error;
        ok = trimMovPresentation(m_dst, static_cast<uint64_t>(m_presentationEnd_us), error);
        if (!ok)
            setError(error);
    }
    m_dst.clear();
    return ok && !m_progress.failed;
}

void StreamCopyMerger::abort()
{
    m_abort = true;
    join();
    if (m_output) {
        m_output->finish();
        m_output.reset();
    }
    m_dst.clear();
}

} // namespace orl
