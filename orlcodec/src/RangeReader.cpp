#include "RangeReader.h"

#include "H264MarkingRepair.h"
#include "NalUnits.h"
#include "SmartCut.h"
#include "SoundFrames.h"

#include "CopyOutput.h"
#include "Engine.h"
#include "MediaTime.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace orl {

namespace {

constexpr int64_t kSubtitleLookBack_us = 10000000;
// A source whose data ends this much before its promised end was cut off.
constexpr int64_t kShortfall_us = 1000000;

} // namespace

RangeReader::RangeReader(CopyInput &input, int64_t start_us, int64_t length_us, bool hideLeadIn)
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
    m_held.resize(input.ctx()->nb_streams);
}

RangeReader::~RangeReader() = default;

int RangeReader::repairedPictures() const
{
    return m_repair ? m_repair->rewritten() : 0;
}

int RangeReader::unrepairedPictures() const
{
    return m_repair ? m_repair->unrepaired() : 0;
}

bool RangeReader::preRoll(const std::atomic<bool> &abort)
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
    // Set once seeking has failed: the source is read from its start.
    bool linear = false;
    for (int attempt = 0;; ++attempt) {
        m_pending.clear();
        int64_t key = kNoTime;
        if (!linear && (seekTo > base || m_start > base || attempt > 0)) {
            if (av_seek_frame(ctx, -1, seekTo, AVSEEK_FLAG_BACKWARD) < 0 && attempt == 0)
                avformat_seek_file(ctx, -1, std::numeric_limits<int64_t>::min(), seekTo, seekTo, 0);
        }
        bool retry = false;
        bool rescan = false;
        for (;;) {
            if (abort.load())
                return m_input.fail("stopped");
            PacketPtr pkt = makePacket();
            const int r = av_read_frame(ctx, pkt.get());
            if (r < 0 && m_input.interrupted())
                return m_input.fail("stopped");
            if (r == AVERROR_EOF || (r < 0 && ctx->pb && avio_feof(ctx->pb))) {
                // A seek near the end of a file without an index may land
                // after its last key frame: look further back.
                if (m_video >= 0 && key == kNoTime && seekTo > base && attempt < 5) {
                    seekTo = std::max(base, seekTo - (int64_t(2000000) << attempt));
                    retry = true;
                }
                break;
            }
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
                if (!linear && attempt > 0 && pts > m_start) {
                    // Even a seek to the start of the file landed past
                    // its first key frame (transport streams seek by
                    // timestamps found near a byte position): read it
                    // from its first byte instead.
                    if (!m_input.reopen())
                        return false;
                    ctx = m_input.ctx();
                    linear = true;
                    rescan = true;
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
        if ((retry && !linear) || rescan)
            continue;
        if (m_video >= 0 && key == kNoTime) {
            // A file without an index (Matroska without cues, a partial
            // download, an index-less FLV or AVI, a transport stream) may
            // not seek back once its reader has been to the end: scan it
            // from the start, which is the nearest earlier position known.
            if (linear)
                return m_input.fail("the range lies beyond the end of the video");
            if (!m_input.reopen())
                return false;
            ctx = m_input.ctx();
            linear = true;
            seekTo = base;
            continue;
        }
        m_key = m_video >= 0 ? key : m_start;
        break;
    }
    m_zero = m_smart ? m_smart->exactStart_us() : m_hideLeadIn ? m_start : m_key;
    m_firstGroup = m_video >= 0 && !m_smart;
    if (m_video >= 0) {
        const AVCodecParameters *par = ctx->streams[m_video]->codecpar;
        if (par->codec_id == AV_CODEC_ID_H264)
            m_repair = std::make_unique<H264MarkingRepair>(par->extradata, par->extradata_size, m_smart != nullptr);
    }
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

int RangeReader::next(AVPacket *out, const std::atomic<bool> &abort)
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
        if (allDone()) {
            flushHeld(false);
            if (!m_ready.empty())
                continue;
            return 0;
        }
        PacketPtr pkt;
        if (!m_pending.empty()) {
            pkt = std::move(m_pending.front());
            m_pending.pop_front();
        } else {
            pkt = makePacket();
            const int r = av_read_frame(ctx, pkt.get());
            if (r < 0 && m_input.interrupted()) {
                m_input.fail("stopped");
                return -1;
            }
            if (r == AVERROR_EOF || (r < 0 && ctx->pb && avio_feof(ctx->pb))) {
                if (m_smart && !m_smart->videoDone()) {
                    const size_t before = m_ready.size();
                    m_smart->finish(m_ready);
                    repairFrom(before);
                    continue;
                }
                flushHeld(true);
                noteEnd();
                if (!m_ready.empty())
                    continue;
                return 0;
            }
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
        if (s == m_video && m_smart) {
            const size_t before = m_ready.size();
            m_smart->feed(std::move(pkt), m_ready);
            repairFrom(before);
            m_done[s] = m_smart->videoDone();
            continue;
        }
        const AVStream *st = ctx->streams[s];
        // A packet read short (the file ends inside it) or flagged corrupt
        // would end the output with a damaged picture or a click: leave it
        // out, and leave out the pictures that depend on it up to the next
        // key frame.
        if ((pkt->flags & AV_PKT_FLAG_CORRUPT) || readShort(pkt.get(), st->codecpar)) {
            m_damaged = true;
            if (s == m_video) {
                m_skipToKey = true;
                m_tail.clear();
            }
            continue;
        }
        if (s == m_video && m_skipToKey) {
            if (!(pkt->flags & AV_PKT_FLAG_KEY))
                continue;
            m_skipToKey = false;
        }
        const int64_t pts = toMicros(pkt->pts != kNoTime ? pkt->pts : pkt->dts, st->time_base);
        const int64_t dts = toMicros(pkt->dts != kNoTime ? pkt->dts : pkt->pts, st->time_base);
        if (s == m_video && m_firstGroup) {
            // The key frame the copy starts from may be a recovery point of
            // an open group (not an IDR picture): the pictures that follow
            // it but show before it refer to the group before, which is not
            // copied. They are left out; a closed group has none.
            if ((pkt->flags & AV_PKT_FLAG_KEY) && pts != kNoTime && pts > m_key)
                m_firstGroup = false;
            else if (pts != kNoTime && pts < m_key)
                continue;
        }
        if (s == m_video) {
            // Pictures past the end that earlier ones depend on are kept;
            // a container without an edit list shows them, so the pictures
            // shown between the end and them are kept as well (the output
            // then runs on a little, instead of jumping).
            const int64_t inside = std::max(m_end, m_shownUntil);
            if (dts != kNoTime && dts >= inside) {
                // Later packets all show after that: frames held back for
                // the end are not needed either.
                m_tail.clear();
                m_done[s] = true;
                continue;
            }
            if (pts != kNoTime && pts >= inside) {
                m_tail.push_back(std::move(pkt)); // kept only if earlier frames need it
                continue;
            }
            for (PacketPtr &held : m_tail) {
                const int64_t heldPts = toMicros(held->pts != kNoTime ? held->pts : held->dts, st->time_base);
                m_shownUntil = std::max(m_shownUntil, heldPts);
                release(std::move(held));
            }
            m_tail.clear();
            if (!m_setsChecked) {
                m_setsChecked = true;
                withParameterSets(pkt, st->codecpar);
            }
            release(std::move(pkt));
            continue;
        }
        // Sound muxed late in the file (transport streams put it up to a
        // second after the pictures of its time) can arrive after the
        // pre-roll: the lead-in rule holds for it too, or it would start
        // before the first picture by as much as it was late.
        if (pts != kNoTime && pts < m_zero && !keepLeadIn(pkt.get()))
            continue;
        if (pts != kNoTime && pts >= m_end) {
            if (st->codecpar->codec_type != AVMEDIA_TYPE_SUBTITLE)
                m_done[s] = true;
            continue;
        }
        if (pts != kNoTime && pts < m_zero && !keepLeadIn(pkt.get())) {
            // Sound muxed late (transport streams carry it up to a second
            // after the pictures of its time) that ends before the start.
            continue;
        }
        if (st->codecpar->codec_type == AVMEDIA_TYPE_SUBTITLE && pkt->duration > 0 && m_end != std::numeric_limits<int64_t>::max()) {
            // A subtitle that runs past the end is cut at the end.
            const int64_t end = m_end;
            const int64_t dur_us = toMicros(pkt->duration, st->time_base);
            if (pts + dur_us > end)
                pkt->duration = av_rescale_q(end - pts, kMicros, st->time_base);
        }
        release(std::move(pkt));
    }
}

bool RangeReader::readShort(const AVPacket *pkt, const AVCodecParameters *par)
{
    // Sound stored in fixed blocks (Windows Media, PCM) comes in whole
    // blocks; a piece of one is what a cut-off file leaves.
    if (par->codec_type != AVMEDIA_TYPE_AUDIO || par->block_align <= 0)
        return false;
    const AVCodecDescriptor *desc = avcodec_descriptor_get(par->codec_id);
    const bool blocks = par->codec_id == AV_CODEC_ID_WMAV1 || par->codec_id == AV_CODEC_ID_WMAV2
        || par->codec_id == AV_CODEC_ID_WMAPRO || par->codec_id == AV_CODEC_ID_WMALOSSLESS
        || (desc && std::strncmp(desc->name, "pcm_", 4) == 0);
    return blocks && pkt->size % par->block_align != 0;
}

void RangeReader::repairFrom(size_t first)
{
    if (!m_repair)
        return;
    for (size_t i = first; i < m_ready.size() && !m_repair->done(); ++i)
        if (m_ready[i]->stream_index == m_video)
            m_repair->process(m_ready[i]);
}

void RangeReader::release(PacketPtr pkt)
{
    const int s = pkt->stream_index;
    if (s == m_video && m_repair && !m_repair->done())
        m_repair->process(pkt);
    const AVMediaType type = m_input.ctx()->streams[s]->codecpar->codec_type;
    if (type != AVMEDIA_TYPE_VIDEO && type != AVMEDIA_TYPE_AUDIO) {
        ready(std::move(pkt));
        return;
    }
    // Each sound or picture stream's newest packet waits for the next one:
    // at a cut-off end it is the one read short.
    if (m_held[s])
        ready(std::move(m_held[s]));
    m_held[s] = std::move(pkt);
}

void RangeReader::flushHeld(bool atEnd)
{
    const bool cutOff = atEnd && lastPacketsCutOff();
    for (size_t s = 0; s < m_held.size(); ++s) {
        PacketPtr &held = m_held[s];
        if (!held)
            continue;
        if (cutOff || (atEnd && isPiece(held.get())))
            m_damaged = true;
        else
            ready(std::move(held));
        held.reset();
    }
}

void RangeReader::ready(PacketPtr pkt)
{
    const AVStream *st = m_input.ctx()->streams[pkt->stream_index];
    const int64_t pts = toMicros(pkt->pts != kNoTime ? pkt->pts : pkt->dts, st->time_base);
    if (pts != kNoTime && pts < m_end && st->codecpar->codec_type != AVMEDIA_TYPE_SUBTITLE) {
        const int64_t end = pts + std::max<int64_t>(toMicros(pkt->duration, st->time_base), 0);
        if (m_readEnd == kNoTime || end > m_readEnd)
            m_readEnd = std::min(end, m_end);
    }
    m_ready.push_back(std::move(pkt));
}

bool RangeReader::isPiece(const AVPacket *last) const
{
    // A parser hands the bytes left at the end of a cut-off file on as one
    // last frame; encoders end a stream with a short frame too (a few bytes
    // of silence, or fewer samples), so size says nothing: the frame's own
    // header or checksum decides. Frames that carry neither come from
    // demuxers that read them by their stored size, and those mark a frame
    // they read short as corrupt.
    const AVStream *st = m_input.ctx()->streams[last->stream_index];
    return st->codecpar->codec_type == AVMEDIA_TYPE_AUDIO
        && soundFrameState(last, st->codecpar->codec_id) == FrameState::Piece;
}

bool RangeReader::lastPacketsCutOff() const
{
    // Transport streams cannot flag a packet read short (their last PES
    // has no length); a file that is not a whole number of transport
    // packets was cut off inside one.
    AVFormatContext *ctx = m_input.ctx();
    if (!ctx->pb || std::strcmp(ctx->iformat->name, "mpegts") != 0)
        return false;
    const int64_t size = avio_size(ctx->pb);
    return size > 0 && size % 188 != 0 && size % 192 != 0 && size % 204 != 0;
}

void RangeReader::noteEnd()
{
    if (m_readEnd == kNoTime)
        return;
    // The end the range should have reached: its own, or the end the
    // source's header promises.
    const int64_t base = m_input.startTime_us();
    int64_t promised = m_end;
    if (m_input.duration_us() > 0)
        promised = std::min(promised, base + m_input.duration_us());
    const bool shortOfPromise = promised != std::numeric_limits<int64_t>::max() && m_readEnd + kShortfall_us < promised;
    if (m_damaged || shortOfPromise)
        m_sourceEnd = std::max<int64_t>(m_readEnd - base, 1);
}

bool RangeReader::wanted(const AVPacket *pkt) const
{
    const int s = pkt->stream_index;
    if (s < 0 || s >= static_cast<int>(m_map.size()) || m_map[s] < 0)
        return false;
    // Covers are written once from the stream record, not from packets.
    return !m_input.selected()[m_map[s]].attachedPicture;
}

void RangeReader::dropPendingVideo()
{
    std::deque<PacketPtr> kept;
    for (PacketPtr &pkt : m_pending)
        if (pkt->stream_index != m_video)
            kept.push_back(std::move(pkt));
    m_pending.swap(kept);
}

bool RangeReader::keepLeadIn(AVPacket *pkt) const
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

bool RangeReader::allDone() const
{
    for (const SelectedStream &s : m_input.selected())
        if (s.type != AVMEDIA_TYPE_SUBTITLE && !s.attachedPicture && !m_done[s.inIndex])
            return false;
    return true;
}

// Moves a packet of a shifted stream by shift_us on the output timeline.
// False when it then starts before the range's start in the output (at
// offset_us): sound cut at a frame boundary, never a piece of a frame. A
// subtitle still showing at the start is kept from the start on.
static bool shiftPacket(AVPacket &pkt, AVRational tb, int64_t shift_us, int64_t offset_us, bool subtitle)
{
    const int64_t by = av_rescale_q(shift_us, kMicros, tb);
    if (pkt.pts != kNoTime)
        pkt.pts += by;
    if (pkt.dts != kNoTime)
        pkt.dts += by;
    const int64_t at = pkt.pts != kNoTime ? pkt.pts : pkt.dts;
    if (shift_us > 0 || at == kNoTime || av_rescale_q(at, tb, kMicros) >= offset_us)
        return true;
    const int64_t start = av_rescale_q(offset_us, kMicros, tb);
    if (!subtitle || pkt.duration <= 0 || at + pkt.duration <= start)
        return false;
    pkt.duration -= start - at;
    pkt.pts = pkt.dts = start;
    return true;
}

bool copyRange(CopyInput &input, CopyOutput &output, RangeReader &reader, int64_t offset_us,
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
    std::vector<int> dropped(selected.size(), 0); // subtitle packets left out, per output stream
    for (;;) {
        const int r = reader.next(pkt.get(), abort);
        if (r < 0) {
            error = input.error();
            return false;
        }
        if (r == 0) {
            for (size_t i = 0; i < dropped.size(); ++i)
                if (dropped[i] > 1)
                    logLine(AV_LOG_WARNING, "subtitle stream %d: %d packets in all were left out",
                            selected[i].inIndex, dropped[i]);
            progress.sourceEnd_us = static_cast<uint64_t>(reader.sourceEnd_us());
            return true;
        }
        const int outIndex = map[pkt->stream_index];
        SelectedStream &s = selected[outIndex];
        const AVStream *ist = in->streams[pkt->stream_index];
        AVRational tb = ist->time_base;
        const int64_t shift = av_rescale_q(reader.zero_us() - offset_us, kMicros, tb);
        if (pkt->pts != kNoTime)
            pkt->pts -= shift;
        if (pkt->dts != kNoTime)
            pkt->dts -= shift;
        if (s.planned && s.plan.shift_us != 0
            && !shiftPacket(*pkt, tb, s.plan.shift_us, offset_us, s.type == AVMEDIA_TYPE_SUBTITLE)) {
            av_packet_unref(pkt.get());
            continue;
        }
        if (s.transcoder) {
            av_packet_rescale_ts(pkt.get(), tb, kMicros);
            tb = kMicros;
            const int converted = s.transcoder->convert(pkt.get());
            if (converted <= 0) {
                if (converted < 0 && ++dropped[outIndex] == 1)
                    logLine(AV_LOG_WARNING, "subtitle stream %d: a packet could not be converted and is left out",
                            pkt->stream_index);
                av_packet_unref(pkt.get());
                continue;
            }
        }
        if (!s.keyFramePrefix.empty() && (pkt->flags & AV_PKT_FLAG_KEY)) {
            PacketPtr joined = makePacket();
            const int size = static_cast<int>(s.keyFramePrefix.size());
            if (!joined || av_new_packet(joined.get(), size + pkt->size) < 0) {
                error = "out of memory";
                return false;
            }
            memcpy(joined->data, s.keyFramePrefix.data(), s.keyFramePrefix.size());
            memcpy(joined->data + size, pkt->data, pkt->size);
            av_packet_copy_props(joined.get(), pkt.get());
            joined->stream_index = pkt->stream_index;
            av_packet_unref(pkt.get());
            av_packet_move_ref(pkt.get(), joined.get());
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

// A stream with start codes may carry its parameter sets only in front of
// IDR pictures; a range that starts at another key frame (a recovery
// point) gets them from the stream description, or nothing decodes.
void RangeReader::withParameterSets(PacketPtr &pkt, const AVCodecParameters *par)
{
    const bool hevc = par->codec_id == AV_CODEC_ID_HEVC;
    if ((par->codec_id != AV_CODEC_ID_H264 && !hevc) || par->extradata_size <= 0 || par->extradata[0] == 1)
        return;
    for (const Bytes &n : splitAnnexB(pkt->data, pkt->size))
        if (hevc ? hevcNalType(n) == kHevcSps : h264NalType(n) == kH264Sps)
            return;
    PacketPtr joined = makePacket();
    if (!joined || av_new_packet(joined.get(), par->extradata_size + pkt->size) < 0)
        return;
    memcpy(joined->data, par->extradata, par->extradata_size);
    memcpy(joined->data + par->extradata_size, pkt->data, pkt->size);
    av_packet_copy_props(joined.get(), pkt.get());
    joined->stream_index = pkt->stream_index;
    pkt = std::move(joined);
}

} // namespace orl
