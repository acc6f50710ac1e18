#include "MediaSource.h"

#include "Engine.h"
#include "ReadableEnd.h"
#include "SourceOpen.h"

#include <algorithm>
#include <cmath>
#include <cstring>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/display.h>
#include <libavutil/frame.h>
#include <libavutil/mastering_display_metadata.h>
#include <libavutil/pixdesc.h>
}

namespace orl {

namespace {

constexpr uint32_t kClosedCaptionTag = 0x43432020; // "CC  "
// Upper bound of packets read for one picture (minutes of video even with
// long groups of pictures), so that a file whose index lies cannot make a
// grab decode for minutes.
constexpr int kMaxGrabPackets = 5000;

int kindSlot(int kind)
{
    switch (kind) {
    case ORL_STREAM_VIDEO: return 0;
    case ORL_STREAM_AUDIO: return 1;
    case ORL_STREAM_SUBTITLE: return 2;
    default: return -1;
    }
}

std::string dictValue(const AVDictionary *dict, const char *key)
{
    const AVDictionaryEntry *e = av_dict_get(dict, key, nullptr, 0);
    return e && e->value ? std::string(e->value) : std::string();
}

uint64_t toMicroseconds(int64_t value, AVRational tb)
{
    if (value == AV_NOPTS_VALUE || value <= 0 || tb.num <= 0 || tb.den <= 0)
        return 0;
    return static_cast<uint64_t>(av_rescale_q(value, tb, AV_TIME_BASE_Q));
}

// The rate the pictures are meant to come at. The average is counted from
// the stream's length and its number of pictures, so a last picture held a
// little longer makes 24 fps read as 24.002; the base rate is the exact
// fraction then. Where the two differ by more, the frame timing varies and
// the average is the better description.
AVRational nominalFrameRate(const AVStream *st)
{
    const AVRational avg = st->avg_frame_rate;
    const AVRational base = st->r_frame_rate;
    const bool avgKnown = avg.num > 0 && avg.den > 0;
    const bool baseKnown = base.num > 0 && base.den > 0;
    if (!avgKnown)
        return baseKnown ? base : AVRational{0, 1};
    if (baseKnown && std::fabs(av_q2d(avg) / av_q2d(base) - 1.0) < 0.002)
        return base;
    return avg;
}

const char *nameOrEmpty(const char *name)
{
    return name ? name : "";
}

const char *fieldOrderName(AVFieldOrder order)
{
    switch (order) {
    case AV_FIELD_PROGRESSIVE: return "progressive";
    case AV_FIELD_TT: return "tt";
    case AV_FIELD_BB: return "bb";
    case AV_FIELD_TB: return "tb";
    case AV_FIELD_BT: return "bt";
    default: return "";
    }
}

void takeMastering(const AVMasteringDisplayMetadata *m, orl_video_look *look)
{
    if (!m || (!m->has_luminance && !m->has_primaries))
        return;
    look->has_mastering_display = 1;
    if (m->has_luminance) {
        look->max_luminance = av_q2d(m->max_luminance);
        look->min_luminance = av_q2d(m->min_luminance);
    }
    if (m->has_primaries) {
        for (int c = 0; c < 3; ++c) {
            look->display_primaries[c][0] = av_q2d(m->display_primaries[c][0]);
            look->display_primaries[c][1] = av_q2d(m->display_primaries[c][1]);
        }
        look->display_primaries[3][0] = av_q2d(m->white_point[0]);
        look->display_primaries[3][1] = av_q2d(m->white_point[1]);
    }
}

void takeContentLight(const AVContentLightMetadata *c, orl_video_look *look)
{
    if (!c)
        return;
    look->has_content_light = 1;
    look->max_cll = static_cast<int>(c->MaxCLL);
    look->max_fall = static_cast<int>(c->MaxFALL);
}

} // namespace

// Clockwise display rotation from the stream's display matrix.
int streamRotation(const AVStream *st)
{
    const uint8_t *matrix = av_stream_get_side_data(st, AV_PKT_DATA_DISPLAYMATRIX, nullptr);
    if (!matrix)
        return 0;
    double theta = -av_display_rotation_get(reinterpret_cast<const int32_t *>(matrix));
    if (std::isnan(theta))
        return 0;
    theta -= 360 * std::floor(theta / 360 + 0.9 / 360);
    const int r = static_cast<int>(std::lround(theta / 90.0)) * 90 % 360;
    return r < 0 ? r + 360 : r;
}

MediaSource::MediaSource(HandleKind kind) : EngineObject(kind) {}

MediaSource::~MediaSource()
{
    close();
}

int MediaSource::interruptCallback(void *opaque)
{
    const auto *self = static_cast<const MediaSource *>(opaque);
    return self->m_stop.load(std::memory_order_relaxed) || self->m_cancelled.load(std::memory_order_relaxed)
        || globalInterrupt() || (self->m_opening.load(std::memory_order_relaxed) && abortLoading());
}

bool MediaSource::openFile(const std::string &path)
{
    close();
    clearError();
    if (abortLoading() || m_cancelled.load()) {
        setError("loading aborted");
        return false;
    }
    std::string error;
    AVIOInterruptCB cb{&MediaSource::interruptCallback, this};
    m_opening.store(true);
    std::unique_ptr<Input> input = openFileInput(path, cb, error);
    if (!input) {
        m_opening.store(false);
        setError(error);
        return false;
    }
    if (!openInput(std::move(input), path))
        return false;
    m_path = path;
    return true;
}

bool MediaSource::openMemory(std::shared_ptr<const std::vector<uint8_t>> bytes)
{
    close();
    clearError();
    std::string error;
    std::unique_ptr<Input> input = openMemoryInput(std::move(bytes), error);
    if (!input) {
        setError(error);
        return false;
    }
    m_opening.store(true);
    return openInput(std::move(input), std::string());
}

bool MediaSource::openInput(std::unique_ptr<Input> input, const std::string &probeName)
{
    struct OpeningGuard {
        std::atomic<bool> &flag;
        ~OpeningGuard() { flag.store(false); }
    } guard{m_opening};

    std::string error;
    OpenedSource source;
    if (!openSourceInput(std::move(input), probeName, AVIOInterruptCB{&MediaSource::interruptCallback, this},
                         source, error, m_headersOnly ? Probe::Headers : Probe::Full)) {
        setError(abortLoading() || m_stop ? "loading aborted" : error);
        return false;
    }
    if (source.streamInfoResult < 0)
        logLine(AV_LOG_WARNING, "%s: stream information incomplete: %s", probeName.c_str(),
                ffmpegError(source.streamInfoResult).c_str());
    m_input = std::move(source.input);
    m_fmt = std::move(source.ctx);
    readStreams();
    readTitles();
    selectTitle(0);
    return true;
}

void MediaSource::close()
{
    m_decoder.reset();
    m_decoderStream = -1;
    m_fmt.reset();
    m_input.reset();
    m_path.clear();
    m_keyFrames.clear();
    m_streams.clear();
    m_titles.clear();
    m_title = -1;
    m_selected[0] = m_selected[1] = m_selected[2] = -1;
    m_readableEnd = -1;
    m_stop.store(false);
}

void MediaSource::readStreams()
{
    m_streams.assign(m_fmt->nb_streams, StreamRecord());
    for (unsigned i = 0; i < m_fmt->nb_streams; ++i) {
        const AVStream *st = m_fmt->streams[i];
        const AVCodecParameters *par = st->codecpar;
        StreamRecord &rec = m_streams[i];
        switch (par->codec_type) {
        case AVMEDIA_TYPE_VIDEO:
            rec.kind = (st->disposition & AV_DISPOSITION_ATTACHED_PIC) ? 0 : ORL_STREAM_VIDEO;
            break;
        case AVMEDIA_TYPE_AUDIO: rec.kind = ORL_STREAM_AUDIO; break;
        case AVMEDIA_TYPE_SUBTITLE: rec.kind = ORL_STREAM_SUBTITLE; break;
        default: rec.kind = 0; break;
        }
        rec.name = dictValue(st->metadata, "title");
        rec.language = dictValue(st->metadata, "language");
        rec.codecName = avcodec_get_name(par->codec_id);
        orl_stream_info &info = rec.info;
        info.kind = rec.kind;
        info.index = static_cast<int>(i);
        info.codec_tag = par->codec_id == AV_CODEC_ID_EIA_608 ? kClosedCaptionTag : par->codec_tag;
        info.bit_rate = par->bit_rate;
        info.duration = toMicroseconds(st->duration, st->time_base);
        info.profile = par->profile;
        info.level = par->level;
        info.extradata = par->extradata;
        info.extradata_size = par->extradata ? par->extradata_size : 0;
        if (par->codec_type == AVMEDIA_TYPE_VIDEO) {
            info.width = par->width;
            info.height = par->height;
            info.rotation = streamRotation(st);
            const AVRational rate = nominalFrameRate(st);
            info.frame_rate_num = rate.num > 0 && rate.den > 0 ? rate.num : 0;
            info.frame_rate_den = rate.num > 0 && rate.den > 0 ? rate.den : 0;
            AVRational sar = av_guess_sample_aspect_ratio(m_fmt.get(), const_cast<AVStream *>(st), nullptr);
            if (sar.num <= 0 || sar.den <= 0)
                sar = AVRational{1, 1};
            if (par->width > 0 && par->height > 0) {
                int num = 0, den = 0;
                av_reduce(&num, &den, static_cast<int64_t>(par->width) * sar.num,
                          static_cast<int64_t>(par->height) * sar.den, 1 << 30);
                if (info.rotation == 90 || info.rotation == 270)
                    std::swap(num, den);
                info.aspect_num = num;
                info.aspect_den = den;
            }
        } else if (par->codec_type == AVMEDIA_TYPE_AUDIO) {
            info.channels = par->ch_layout.nb_channels;
            info.sample_rate = par->sample_rate;
            info.bits_per_sample = par->bits_per_raw_sample > 0 ? par->bits_per_raw_sample
                                                               : par->bits_per_coded_sample;
        }
    }
}

void MediaSource::readTitles()
{
    m_titles.clear();
    auto addStream = [this](Title &t, unsigned index) {
        if (index >= m_streams.size())
            return;
        const int slot = kindSlot(m_streams[index].kind);
        if (slot >= 0)
            t.streams[slot].push_back(static_cast<int>(index));
    };
    // A transport stream that carries several services shows one title per
    // service; every other file is one title.
    if (m_fmt->nb_programs > 1) {
        for (unsigned p = 0; p < m_fmt->nb_programs; ++p) {
            const AVProgram *prog = m_fmt->programs[p];
            Title t;
            t.programIndex = static_cast<int>(p);
            t.name = dictValue(prog->metadata, "service_name");
            if (t.name.empty())
                t.name = dictValue(prog->metadata, "title");
            for (unsigned k = 0; k < prog->nb_stream_indexes; ++k)
                addStream(t, prog->stream_index[k]);
            m_titles.push_back(std::move(t));
        }
    } else {
        Title t;
        t.name = dictValue(m_fmt->metadata, "title");
        for (unsigned i = 0; i < m_fmt->nb_streams; ++i)
            addStream(t, i);
        m_titles.push_back(std::move(t));
    }
}

bool MediaSource::selectTitle(int title)
{
    if (!m_fmt || title < 0 || title >= titleCount())
        return false;
    m_title = title;
    for (int slot = 0; slot < 3; ++slot)
        m_selected[slot] = m_titles[title].streams[slot].empty() ? -1 : 0;
    return true;
}

bool MediaSource::selectFirstVideoTitle()
{
    for (int t = 0; t < titleCount(); ++t)
        if (!m_titles[t].streams[0].empty())
            return selectTitle(t);
    return false;
}

const std::string *MediaSource::titleName(int title) const
{
    if (title < 0 || title >= titleCount())
        return nullptr;
    return &m_titles[title].name;
}

const std::vector<int> *MediaSource::kindList(int kind) const
{
    const int slot = kindSlot(kind);
    if (slot < 0 || m_title < 0 || m_title >= titleCount())
        return nullptr;
    return &m_titles[m_title].streams[slot];
}

int MediaSource::streamCount(int kind) const
{
    const std::vector<int> *list = kindList(kind);
    return list ? static_cast<int>(list->size()) : 0;
}

bool MediaSource::selectStream(int kind, int number)
{
    const std::vector<int> *list = kindList(kind);
    if (!list || number < 0 || number >= static_cast<int>(list->size()))
        return false;
    m_selected[kindSlot(kind)] = number;
    return true;
}

int MediaSource::selectedStream(int kind) const
{
    const int slot = kindSlot(kind);
    return slot < 0 ? -1 : m_selected[slot];
}

bool MediaSource::streamInfo(int kind, int number, orl_stream_info *info) const
{
    const std::vector<int> *list = kindList(kind);
    if (!info || !list || number < 0 || number >= static_cast<int>(list->size()))
        return false;
    const StreamRecord &rec = m_streams[(*list)[number]];
    *info = rec.info;
    info->name = rec.name.c_str();
    info->codec_name = rec.codecName.c_str();
    info->language = rec.language.c_str();
    return true;
}

bool MediaSource::videoLook(int number, orl_video_look *look)
{
    orl_stream_info info{};
    if (!m_fmt || !streamInfo(ORL_STREAM_VIDEO, number, &info)) {
        setError("no such video stream");
        return false;
    }
    const AVStream *st = m_fmt->streams[info.index];
    const AVCodecParameters *par = st->codecpar;
    AVColorPrimaries primaries = par->color_primaries;
    AVColorTransferCharacteristic transfer = par->color_trc;
    AVColorSpace matrix = par->color_space;
    AVColorRange range = par->color_range;
    AVFieldOrder fields = par->field_order;
    int format = par->format;
    *look = orl_video_look{};
    look->rotation = info.rotation;
    size_t size = 0;
    const uint8_t *data = av_stream_get_side_data(st, AV_PKT_DATA_MASTERING_DISPLAY_METADATA, &size);
    if (data && size >= sizeof(AVMasteringDisplayMetadata))
        takeMastering(reinterpret_cast<const AVMasteringDisplayMetadata *>(data), look);
    data = av_stream_get_side_data(st, AV_PKT_DATA_CONTENT_LIGHT_LEVEL, &size);
    if (data && size >= sizeof(AVContentLightMetadata))
        takeContentLight(reinterpret_cast<const AVContentLightMetadata *>(data), look);

    // Transport streams and raw streams say little in the container, and HDR
    // metadata of HEVC travels in the pictures' SEI: the first picture tells.
    FramePtr frame(av_frame_alloc());
    if (frame && prepareDecoder(info.index) && decodeAt(0, frame.get(), true)) {
        if (primaries == AVCOL_PRI_UNSPECIFIED)
            primaries = frame->color_primaries;
        if (transfer == AVCOL_TRC_UNSPECIFIED)
            transfer = frame->color_trc;
        if (matrix == AVCOL_SPC_UNSPECIFIED)
            matrix = frame->colorspace;
        if (range == AVCOL_RANGE_UNSPECIFIED)
            range = frame->color_range;
        // Containers often call interlaced pictures progressive (or say
        // nothing); the picture itself knows.
        if (frame->interlaced_frame)
            fields = frame->top_field_first ? AV_FIELD_TT : AV_FIELD_BB;
        else if (fields == AV_FIELD_UNKNOWN)
            fields = AV_FIELD_PROGRESSIVE;
        format = frame->format;
        if (!look->has_mastering_display) {
            const AVFrameSideData *sd = av_frame_get_side_data(frame.get(), AV_FRAME_DATA_MASTERING_DISPLAY_METADATA);
            if (sd)
                takeMastering(reinterpret_cast<const AVMasteringDisplayMetadata *>(sd->data), look);
        }
        if (!look->has_content_light) {
            const AVFrameSideData *sd = av_frame_get_side_data(frame.get(), AV_FRAME_DATA_CONTENT_LIGHT_LEVEL);
            if (sd)
                takeContentLight(reinterpret_cast<const AVContentLightMetadata *>(sd->data), look);
        }
    }
    look->primaries = primaries != AVCOL_PRI_UNSPECIFIED ? nameOrEmpty(av_color_primaries_name(primaries)) : "";
    look->transfer = transfer != AVCOL_TRC_UNSPECIFIED ? nameOrEmpty(av_color_transfer_name(transfer)) : "";
    look->matrix = matrix != AVCOL_SPC_UNSPECIFIED ? nameOrEmpty(av_color_space_name(matrix)) : "";
    look->range = range != AVCOL_RANGE_UNSPECIFIED ? nameOrEmpty(av_color_range_name(range)) : "";
    look->field_order = fieldOrderName(fields);
    const AVPixFmtDescriptor *desc = format >= 0 ? av_pix_fmt_desc_get(static_cast<AVPixelFormat>(format)) : nullptr;
    look->pixel_format = desc ? desc->name : "";
    look->bit_depth = desc ? desc->comp[0].depth : 0;
    look->hdr = transfer == AVCOL_TRC_SMPTE2084 ? "HDR10" : transfer == AVCOL_TRC_ARIB_STD_B67 ? "HLG" : "";
    return true;
}

const char *MediaSource::formatName() const
{
    return m_fmt && m_fmt->iformat ? m_fmt->iformat->name : nullptr;
}

const char *MediaSource::metadata(const std::string &key)
{
    if (!m_fmt || key.empty() || key == "cover_image" || key == "dvd_clip")
        return nullptr;
    if (key == "ffmpeg_format")
        return formatName();
    const AVDictionaryEntry *e = nullptr;
    if (m_title >= 0 && m_title < titleCount() && m_titles[m_title].programIndex >= 0)
        e = av_dict_get(m_fmt->programs[m_titles[m_title].programIndex]->metadata, key.c_str(),
                        nullptr, 0);
    if (!e)
        e = av_dict_get(m_fmt->metadata, key.c_str(), nullptr, 0);
    // Ogg keeps its comments on the stream, not on the container.
    if (!e && std::strcmp(m_fmt->iformat->name, "ogg") == 0) {
        const std::vector<int> *audio = kindList(ORL_STREAM_AUDIO);
        if (audio && !audio->empty())
            e = av_dict_get(m_fmt->streams[(*audio)[0]]->metadata, key.c_str(), nullptr, 0);
    }
    if (!e || !e->value)
        return nullptr;
    m_text = e->value;
    return m_text.c_str();
}

const uint8_t *MediaSource::blob(const std::string &key, int *size) const
{
    if (size)
        *size = 0;
    if (!m_fmt || key != "cover_image")
        return nullptr;
    for (unsigned i = 0; i < m_fmt->nb_streams; ++i) {
        const AVStream *st = m_fmt->streams[i];
        if ((st->disposition & AV_DISPOSITION_ATTACHED_PIC) && st->attached_pic.size > 0) {
            if (size)
                *size = st->attached_pic.size;
            return st->attached_pic.data;
        }
    }
    return nullptr;
}

uint64_t MediaSource::duration() const
{
    if (!m_fmt)
        return 0;
    const uint64_t whole = toMicroseconds(m_fmt->duration, AV_TIME_BASE_Q);
    if (m_title < 0 || m_title >= titleCount() || m_titles[m_title].programIndex < 0)
        return whole;
    uint64_t longest = 0;
    for (const auto &list : m_titles[m_title].streams)
        for (int index : list)
            longest = std::max(longest, m_streams[index].info.duration);
    return longest ? longest : whole;
}

uint64_t MediaSource::readableEnd()
{
    const uint64_t declared = duration();
    // A program of a transport stream has its length from its own packets.
    if (!m_fmt || m_path.empty() || (m_title >= 0 && m_title < titleCount() && m_titles[m_title].programIndex >= 0))
        return declared;
    if (m_readableEnd < 0)
        m_readableEnd = static_cast<int64_t>(
            orl::readableEnd(m_fmt.get(), m_path, declared, AVIOInterruptCB{&MediaSource::interruptCallback, this}));
    return std::min(declared, static_cast<uint64_t>(m_readableEnd));
}

bool MediaSource::keyFrameQuery(KeyFrameQuery &query)
{
    const AVStream *st = videoStream();
    if (!st || m_path.empty())
        return false;
    m_keyStop.store(m_cancelled.load());
    query.path = m_path;
    query.streamIndex = st->index;
    query.fileStart_us = m_fmt->start_time != AV_NOPTS_VALUE ? m_fmt->start_time : 0;
    return true;
}

const AVStream *MediaSource::videoStream() const
{
    const std::vector<int> *list = kindList(ORL_STREAM_VIDEO);
    const int n = m_selected[0];
    if (!list || n < 0 || n >= static_cast<int>(list->size()))
        return nullptr;
    return m_fmt->streams[(*list)[n]];
}

int MediaSource::width() const
{
    const AVStream *st = videoStream();
    if (!st)
        return 0;
    const orl_stream_info &info = m_streams[st->index].info;
    return (info.rotation == 90 || info.rotation == 270) ? info.height : info.width;
}

int MediaSource::height() const
{
    const AVStream *st = videoStream();
    if (!st)
        return 0;
    const orl_stream_info &info = m_streams[st->index].info;
    return (info.rotation == 90 || info.rotation == 270) ? info.width : info.height;
}

bool MediaSource::displayAspect(int *num, int *den) const
{
    const AVStream *st = videoStream();
    if (!st || !num || !den)
        return false;
    const orl_stream_info &info = m_streams[st->index].info;
    if (info.aspect_num <= 0 || info.aspect_den <= 0)
        return false;
    *num = info.aspect_num;
    *den = info.aspect_den;
    return true;
}

bool MediaSource::canSeek() const
{
    return m_fmt && m_input && m_input->seekable();
}

int MediaSource::chapterCount() const
{
    return m_fmt ? static_cast<int>(m_fmt->nb_chapters) : 0;
}

uint64_t MediaSource::chapterStart(int chapter) const
{
    if (chapter < 0 || chapter >= chapterCount())
        return 0;
    const AVChapter *ch = m_fmt->chapters[chapter];
    return toMicroseconds(ch->start, ch->time_base);
}

uint64_t MediaSource::chapterDuration(int chapter) const
{
    if (chapter < 0 || chapter >= chapterCount())
        return 0;
    const AVChapter *ch = m_fmt->chapters[chapter];
    const uint64_t start = toMicroseconds(ch->start, ch->time_base);
    const uint64_t end = toMicroseconds(ch->end, ch->time_base);
    return end > start ? end - start : 0;
}

const char *MediaSource::chapterTitle(int chapter)
{
    if (chapter < 0 || chapter >= chapterCount())
        return nullptr;
    m_text = dictValue(m_fmt->chapters[chapter]->metadata, "title");
    return m_text.c_str();
}

bool MediaSource::prepareDecoder(int streamIndex)
{
    if (m_decoder && m_decoderStream == streamIndex)
        return true;
    m_decoder.reset();
    m_decoderStream = -1;
    const AVStream *st = m_fmt->streams[streamIndex];
    const AVCodec *codec = avcodec_find_decoder(st->codecpar->codec_id);
    if (!codec) {
        setError(std::string("no decoder for ") + avcodec_get_name(st->codecpar->codec_id));
        return false;
    }
    m_decoder.reset(avcodec_alloc_context3(codec));
    if (!m_decoder) {
        setError("out of memory");
        return false;
    }
    int ret = avcodec_parameters_to_context(m_decoder.get(), st->codecpar);
    if (ret >= 0) {
        m_decoder->pkt_timebase = st->time_base;
        // One picture per seek: frame threads would only add their delay
        // (each thread holds a frame back); slice threads cost none.
        m_decoder->thread_count = 0;
        m_decoder->thread_type = FF_THREAD_SLICE;
        ret = avcodec_open2(m_decoder.get(), codec, nullptr);
    }
    if (ret < 0) {
        setError("decoder: " + ffmpegError(ret));
        m_decoder.reset();
        return false;
    }
    m_decoderStream = streamIndex;
    return true;
}

bool MediaSource::decodeAt(uint64_t timeUs, AVFrame *out, bool keyFrame)
{
    const AVStream *st = m_fmt->streams[m_decoderStream];
    const int64_t start = st->start_time != AV_NOPTS_VALUE ? st->start_time : 0;
    const int64_t target = start
        + av_rescale_q(static_cast<int64_t>(std::min<uint64_t>(timeUs, INT64_MAX / 4)),
                       AV_TIME_BASE_Q, st->time_base);
    if (canSeek()) {
        int ret = avformat_seek_file(m_fmt.get(), m_decoderStream, INT64_MIN, target, target, 0);
        if (ret < 0)
            ret = av_seek_frame(m_fmt.get(), m_decoderStream, target, AVSEEK_FLAG_BACKWARD);
        if (ret < 0) {
            logLine(AV_LOG_WARNING, "seek to %llu us failed: %s",
                    static_cast<unsigned long long>(timeUs), ffmpegError(ret).c_str());
            // A failed seek may leave the reader anywhere (even at the end).
            // Jump to the byte position the time suggests, or when the
            // duration is unknown back to the start and decode forward.
            const uint64_t total = duration();
            const int64_t size = avio_size(m_fmt->pb);
            int64_t pos = 0;
            if (total > 0 && size > 0)
                pos = av_rescale(size, static_cast<int64_t>(std::min(timeUs, total)),
                                 static_cast<int64_t>(total));
            if (av_seek_frame(m_fmt.get(), -1, pos, AVSEEK_FLAG_BYTE) < 0 && pos > 0)
                av_seek_frame(m_fmt.get(), -1, 0, AVSEEK_FLAG_BYTE);
        }
    }
    avcodec_flush_buffers(m_decoder.get());

    FramePtr frame(av_frame_alloc());
    FramePtr last(av_frame_alloc());
    PacketPtr pkt(av_packet_alloc());
    if (!frame || !last || !pkt) {
        setError("out of memory");
        return false;
    }
    bool found = false;
    auto drainFrames = [&]() {
        while (!found && avcodec_receive_frame(m_decoder.get(), frame.get()) >= 0) {
            const int64_t ts = frame->best_effort_timestamp;
            if (keyFrame || ts == AV_NOPTS_VALUE || ts >= target) {
                av_frame_move_ref(out, frame.get());
                found = true;
            } else {
                av_frame_unref(last.get());
                av_frame_move_ref(last.get(), frame.get());
            }
        }
    };
    int packets = 0;
    bool ended = false;
    // Seeking by time in a file without index (transport streams) may land
    // between key frames; pictures decoded from there are broken, so wait
    // for a key frame, unless the stream marks none.
    bool waitKey = true;
    int skipped = 0;
    while (!found && !ended) {
        if (m_stop.load() || globalInterrupt()) {
            setError("interrupted");
            return false;
        }
        const int ret = av_read_frame(m_fmt.get(), pkt.get());
        if (ret < 0) {
            if (ret == AVERROR_EXIT) {
                setError("interrupted");
                return false;
            }
            ended = true;
            avcodec_send_packet(m_decoder.get(), nullptr);
            drainFrames();
            break;
        }
        if (pkt->stream_index == m_decoderStream && waitKey) {
            if ((pkt->flags & AV_PKT_FLAG_KEY) || ++skipped > 500)
                waitKey = false;
        }
        if (pkt->stream_index == m_decoderStream && !waitKey) {
            // Frames that nothing after the target refers to need no
            // decoding: this keeps long groups of pictures cheap.
            const bool beforeTarget = pkt->pts != AV_NOPTS_VALUE && pkt->pts < target;
            m_decoder->skip_frame = beforeTarget ? AVDISCARD_NONREF : AVDISCARD_DEFAULT;
            int sent = avcodec_send_packet(m_decoder.get(), pkt.get());
            if (sent == AVERROR(EAGAIN)) {
                drainFrames();
                sent = avcodec_send_packet(m_decoder.get(), pkt.get());
            }
            drainFrames();
            // A key frame is wanted as it is: rather than decoding the
            // pictures after it until the reorder delay lets it out, drain
            // the decoder now (the next grab flushes it after its seek).
            if (keyFrame && !found && sent >= 0 && (pkt->flags & AV_PKT_FLAG_KEY)) {
                avcodec_send_packet(m_decoder.get(), nullptr);
                drainFrames();
            }
            if (++packets > kMaxGrabPackets)
                ended = true;
        }
        av_packet_unref(pkt.get());
    }
    m_decoder->skip_frame = AVDISCARD_DEFAULT;
    if (!found && last->buf[0]) {
        av_frame_move_ref(out, last.get());
        found = true;
    }
    if (!found)
        setError("no picture decoded");
    return found;
}

const orl_picture *MediaSource::grabFrame(uint64_t timeUs, int width, int height, int format)
{
    if (!m_fmt) {
        setError("not open");
        return nullptr;
    }
    const AVStream *st = videoStream();
    if (!st) {
        setError("no video stream");
        return nullptr;
    }
    if (!prepareDecoder(st->index))
        return nullptr;
    const bool keyFrame = format & ORL_PICTURE_KEY_FRAME;
    format &= ~ORL_PICTURE_KEY_FRAME;
    FramePtr frame(av_frame_alloc());
    if (!frame || !decodeAt(timeUs, frame.get(), keyFrame))
        return nullptr;

    const orl_stream_info &info = m_streams[st->index].info;
    const bool quarter = info.rotation == 90 || info.rotation == 270;
    const int shownW = quarter ? frame->height : frame->width;
    const int shownH = quarter ? frame->width : frame->height;
    int num = info.aspect_num > 0 ? info.aspect_num : shownW;
    int den = info.aspect_den > 0 ? info.aspect_den : shownH;
    if (width <= 0 && height <= 0) {
        width = shownW;
        height = shownH;
    } else if (width <= 0) {
        width = static_cast<int>(std::max<int64_t>(1, static_cast<int64_t>(height) * num / den));
    } else if (height <= 0) {
        height = static_cast<int>(std::max<int64_t>(1, static_cast<int64_t>(width) * den / num));
    }
    std::string error;
    std::unique_ptr<EncodedPicture> pic =
        encodePicture(frame.get(), info.rotation, width, height, format, error);
    if (!pic) {
        setError(error);
        return nullptr;
    }
    const orl_picture *key = &pic->pub;
    m_pictures.emplace(key, std::move(pic));
    return key;
}

void MediaSource::releaseFrame(const orl_picture *picture)
{
    m_pictures.erase(picture);
}

} // namespace orl
