#include "CopyOutput.h"

#include "CopyInput.h"
#include "MediaTime.h"
#include "OutputFormat.h"

extern "C" {
#include <libavutil/avstring.h>
#include <libavutil/mem.h>
}

#include <algorithm>
#include <cstring>
#include <limits>

namespace orl {

namespace {

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

// The H.264 parameter sets (SPS, PPS) of an avcC record, each as a
// length-prefixed unit with the record's length size; empty when the record
// cannot be read.
std::vector<uint8_t> avcParameterSets(const AVCodecParameters *par)
{
    std::vector<uint8_t> out;
    const uint8_t *p = par->extradata;
    const int size = par->extradata_size;
    if (par->codec_id != AV_CODEC_ID_H264 || size < 7 || p[0] != 1)
        return out;
    const int lengthSize = (p[4] & 3) + 1;
    int pos = 5;
    for (int list = 0; list < 2; ++list) {
        if (pos >= size)
            return {};
        const int count = list == 0 ? (p[pos] & 0x1f) : p[pos];
        ++pos;
        for (int i = 0; i < count; ++i) {
            if (pos + 2 > size)
                return {};
            const int length = (p[pos] << 8) | p[pos + 1];
            pos += 2;
            if (pos + length > size)
                return {};
            for (int b = lengthSize - 1; b >= 0; --b)
                out.push_back(static_cast<uint8_t>(length >> (8 * b)));
            out.insert(out.end(), p + pos, p + pos + length);
            pos += length;
        }
    }
    return out;
}

// Whether a length-prefixed H.264 packet holds an IDR picture or its own
// parameter sets.
bool carriesIdrOrParameterSets(const AVPacket *pkt, int lengthSize)
{
    for (int pos = 0; pos + lengthSize < pkt->size;) {
        uint32_t length = 0;
        for (int b = 0; b < lengthSize; ++b)
            length = (length << 8) | pkt->data[pos + b];
        pos += lengthSize;
        if (length == 0 || pos + static_cast<int64_t>(length) > pkt->size)
            return true; // not what we think it is: leave it alone
        const int type = pkt->data[pos] & 0x1f;
        if (type == 5 || type == 7)
            return true;
        pos += static_cast<int>(length);
    }
    return false;
}

} // namespace

CopyOutput::CopyOutput(const std::atomic<bool> *abort, InterruptCheck global)
{
    m_irq.abort = abort;
    m_irq.global = std::move(global);
}

bool CopyOutput::create(const std::string &dst, const AVOutputFormat *format, bool dryRun)
{
    AVFormatContext *ctx = nullptr;
    int r = avformat_alloc_output_context2(&ctx, format, nullptr, dst.c_str());
    if (r < 0 || !ctx)
        return fail("cannot set up the output: " + ffmpegError(r));
    m_ctx.reset(ctx);
    setContainerOptions(ctx, dst);
    ctx->interrupt_callback.callback = interruptFlagsCallback;
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
        ctx->flags |= AVFMT_FLAG_CUSTOM_IO;
        return true;
    }
    r = avio_open2(&ctx->pb, dst.c_str(), AVIO_FLAG_WRITE, &ctx->interrupt_callback, nullptr);
    if (r < 0)
        return fail("cannot create the output file: " + ffmpegError(r));
    return true;
}

bool CopyOutput::addStreams(CopyInput &input)
{
    AVFormatContext *in = input.ctx();
    for (SelectedStream &s : input.selected()) {
        const AVStream *ist = in->streams[s.inIndex];
        AVStream *ost = avformat_new_stream(m_ctx.get(), nullptr);
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
        // A copy into a start-code container that begins at a recovery
        // point (an open group's key frame, not an IDR picture) gets no
        // parameter sets from the converting filter, which adds them to IDR
        // pictures only: the first picture then carries them itself.
        const bool annexB = av_match_name(m_ctx->oformat->name, "mpegts,mpeg,vob,dvd,svcd,vcd,avi,h264") != 0;
        m_paramSets.push_back(!s.transcoder && annexB && s.type == AVMEDIA_TYPE_VIDEO
                                  ? avcParameterSets(ist->codecpar)
                                  : std::vector<uint8_t>());
        m_bsf.push_back(std::move(bsf));
        ost->disposition = ist->disposition;
        ost->avg_frame_rate = ist->avg_frame_rate;
        ost->r_frame_rate = ist->r_frame_rate;
        // The container's aspect, when it has one, is what players show (a
        // user may have corrected a wrongly flagged recording that way);
        // the muxer takes one aspect and refuses two that disagree.
        if (ist->sample_aspect_ratio.num > 0 && ist->sample_aspect_ratio.den > 0 && !s.transcoder
            && ost->codecpar->codec_type == AVMEDIA_TYPE_VIDEO)
            ost->codecpar->sample_aspect_ratio = ist->sample_aspect_ratio;
        ost->sample_aspect_ratio = ist->sample_aspect_ratio;
        av_dict_copy(&ost->metadata, ist->metadata, 0);
        if (s.planned)
            applyTrackChoice(s.plan, ost);
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

bool CopyOutput::addChapters(const AVFormatContext *in, int64_t from_us, int64_t to_us, int64_t zero_us,
                             int64_t at_us)
{
    // A range without an end runs to the end of the source.
    if (to_us == std::numeric_limits<int64_t>::max() && in->duration > 0) {
        const int64_t base = in->start_time != kNoTime ? in->start_time : 0;
        to_us = base + in->duration;
    }
    if (!m_chapters.add(in, from_us, to_us, zero_us, at_us))
        return fail("out of memory");
    return true;
}

bool CopyOutput::addPartChapter(const AVFormatContext *in, int64_t to_us, int64_t zero_us, int64_t at_us,
                                const std::string &title)
{
    if (to_us == std::numeric_limits<int64_t>::max() && in->duration > 0) {
        const int64_t base = in->start_time != kNoTime ? in->start_time : 0;
        to_us = base + in->duration;
    }
    if (to_us == std::numeric_limits<int64_t>::max())
        return true; // no end known: the output's end closes it when placed
    if (!m_chapters.addTitled(at_us, at_us + (to_us - zero_us), title))
        return fail("out of memory");
    return true;
}

bool CopyOutput::init()
{
    AVDictionary *opts = nullptr;
    // Lead-in frames at negative times become an edit list.
    if (isMovFamily(m_ctx->oformat))
        av_dict_set(&opts, "use_editlist", "1", 0);
    if (!OutputChapters::placedAtTrailer(m_ctx->oformat) && !m_chapters.place(m_ctx.get(), 0)) {
        av_dict_free(&opts);
        return fail("out of memory");
    }
    const int r = avformat_init_output(m_ctx.get(), &opts);
    av_dict_free(&opts);
    if (r < 0)
        return fail("the container does not take these streams: " + ffmpegError(r));
    return true;
}

bool CopyOutput::writeHeader()
{
    const int r = avformat_write_header(m_ctx.get(), nullptr);
    if (r < 0)
        return fail("cannot write the file header: " + ffmpegError(r));
    m_headerWritten = true;
    return true;
}

bool CopyOutput::write(int outIndex, AVPacket *pkt, AVRational inTb)
{
    AVStream *ost = m_ctx->streams[outIndex];
    if (!m_paramSets[outIndex].empty()) {
        std::vector<uint8_t> sets;
        sets.swap(m_paramSets[outIndex]); // the first picture only
        const int lengthSize = (ost->codecpar->extradata[4] & 3) + 1;
        if ((pkt->flags & AV_PKT_FLAG_KEY) && !carriesIdrOrParameterSets(pkt, lengthSize)) {
            PacketPtr joined = makePacket();
            if (!joined || av_new_packet(joined.get(), static_cast<int>(sets.size()) + pkt->size) < 0
                || av_packet_copy_props(joined.get(), pkt) < 0)
                return fail("out of memory");
            memcpy(joined->data, sets.data(), sets.size());
            memcpy(joined->data + sets.size(), pkt->data, pkt->size);
            av_packet_unref(pkt);
            av_packet_move_ref(pkt, joined.get());
        }
    }
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
        const int r = av_interleaved_write_frame(m_ctx.get(), pkt);
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
        const int w = av_interleaved_write_frame(m_ctx.get(), filtered.get());
        if (w < 0)
            return fail("cannot write to the output: " + ffmpegError(w));
    }
    if (r != AVERROR(EAGAIN) && r != AVERROR_EOF)
        return fail("bitstream filter failed: " + ffmpegError(r));
    return true;
}

int64_t CopyOutput::end_us() const
{
    int64_t end = 0;
    for (int64_t e : m_end_us)
        end = std::max(end, e);
    return end;
}

bool CopyOutput::finish()
{
    if (!m_ctx)
        return false;
    bool ok = true;
    if (m_headerWritten) {
        // Chapters the muxer writes with its trailer (and those of a
        // merge's later ranges); none past what was written.
        OutputChapters::endAt(m_ctx.get(), end_us());
        if (!m_chapters.place(m_ctx.get(), end_us()))
            ok = fail("out of memory");
        const int r = av_write_trailer(m_ctx.get());
        if (r < 0)
            ok = fail("cannot complete the output file: " + ffmpegError(r));
        m_headerWritten = false;
    }
    close();
    return ok;
}

void CopyOutput::close()
{
    m_ctx.reset();
}

bool CopyOutput::fail(const std::string &text)
{
    m_error = text;
    return false;
}

int CopyOutput::discardWrite(void *opaque, uint8_t *, int size)
{
    static_cast<CopyOutput *>(opaque)->m_sinkPos += size;
    return size;
}

int64_t CopyOutput::discardSeek(void *opaque, int64_t offset, int whence)
{
    auto *self = static_cast<CopyOutput *>(opaque);
    if (whence == AVSEEK_SIZE)
        return self->m_sinkPos;
    self->m_sinkPos = offset;
    return offset;
}

} // namespace orl
