#include "CopyInput.h"

#include "MediaTime.h"
#include "OutputFormat.h"

extern "C" {
#include <libavutil/avstring.h>
}

namespace orl {

CopyInput::CopyInput(const std::atomic<bool> *abort, InterruptCheck global)
{
    m_irq.abort = abort;
    m_irq.global = std::move(global);
}

bool CopyInput::open(const std::string &path, Probe probe)
{
    m_path = path;
    m_probe = probe;
    std::string error;
    if (!openSource(path, AVIOInterruptCB{&interruptFlagsCallback, &m_irq}, m_source, error, probe))
        return fail(error);
    if (m_source.streamInfoResult < 0)
        return fail("cannot read the source's streams: " + ffmpegError(m_source.streamInfoResult));
    return true;
}

bool CopyInput::reopen()
{
    const unsigned streams = m_source.ctx ? m_source.ctx->nb_streams : 0;
    OpenedSource again;
    std::string error;
    if (!openSource(m_path, AVIOInterruptCB{&interruptFlagsCallback, &m_irq}, again, error, m_probe))
        return fail(error);
    if (!again.ctx || again.ctx->nb_streams != streams)
        return fail("the source changed while it was read");
    m_source = std::move(again);
    return true;
}

bool CopyInput::titleStreams(int program, std::vector<int> &out) const
{
    out.clear();
    AVFormatContext *ctx = m_source.ctx.get();
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

bool CopyInput::select(const CopyChoice &choice, const AVOutputFormat *format)
{
    m_selected.clear();
    std::vector<int> title;
    if (!titleStreams(choice.program, title))
        return fail("the source has no such title");
    AVFormatContext *ctx = m_source.ctx.get();

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

    if (!choice.tracks.empty()) {
        std::vector<const TrackChoice *> ordered;
        std::string error;
        if (!orderedTrackChoice(ctx, title, choice.tracks, format, ordered, error))
            return fail(error);
        for (const TrackChoice *c : ordered) {
            addStream(c->stream, ctx->streams[c->stream]->codecpar->codec_type, true);
            m_selected.back().plan = *c;
            m_selected.back().planned = true;
        }
    } else {
        if (!video.empty() && choice.video)
            addStream(video.front(), AVMEDIA_TYPE_VIDEO, true);
        selectByMasks(choice, audio, subtitle);
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

void CopyInput::selectByMasks(const CopyChoice &choice, const std::vector<int> &audio,
                              const std::vector<int> &subtitle)
{
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
}

bool CopyInput::fail(const std::string &text)
{
    m_error = text;
    return false;
}

std::vector<int> CopyInput::outputMap() const
{
    std::vector<int> map(m_source.ctx->nb_streams, -1);
    for (size_t i = 0; i < m_selected.size(); ++i)
        map[m_selected[i].inIndex] = static_cast<int>(i);
    return map;
}

int64_t CopyInput::startTime_us() const
{
    return m_source.ctx->start_time == kNoTime ? 0 : m_source.ctx->start_time;
}

int64_t CopyInput::duration_us() const
{
    return m_source.ctx->duration == kNoTime ? 0 : m_source.ctx->duration;
}

void CopyInput::addStream(int index, AVMediaType type, bool required)
{
    SelectedStream s;
    s.inIndex = index;
    s.type = type;
    s.required = required;
    m_selected.push_back(std::move(s));
}

} // namespace orl
