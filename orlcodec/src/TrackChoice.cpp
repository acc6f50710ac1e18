#include "TrackChoice.h"

#include "OutputFormat.h"
#include "orlcodec_tracks.h"

extern "C" {
#include <libavutil/avstring.h>
}

#include <algorithm>
#include <set>

namespace orl {

namespace {

int kindRank(AVMediaType type)
{
    switch (type) {
    case AVMEDIA_TYPE_VIDEO:
        return 0;
    case AVMEDIA_TYPE_AUDIO:
        return 1;
    case AVMEDIA_TYPE_SUBTITLE:
        return 2;
    default:
        return -1;
    }
}

bool isCode(const std::string &language)
{
    return language.size() == 3
        && std::all_of(language.begin(), language.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

std::string tag(const AVStream *st, const char *key)
{
    const AVDictionaryEntry *e = av_dict_get(st->metadata, key, nullptr, 0);
    return e ? e->value : "";
}

int sourceFlags(const AVStream *st)
{
    return ((st->disposition & AV_DISPOSITION_DEFAULT) ? ORL_TRACK_DEFAULT : 0)
        | ((st->disposition & AV_DISPOSITION_FORCED) ? ORL_TRACK_FORCED : 0);
}

// What a container stores of a stream. Measured with the muxers: a
// transport stream keeps languages only, QuickTime keeps no forced flag,
// MP4 and QuickTime no stream titles, AVI titles only.
bool holdsLanguage(const AVOutputFormat *f)
{
    return av_match_name(f->name, "matroska,webm,mpegts") || isMovFamily(f);
}
bool holdsTitle(const AVOutputFormat *f)
{
    return av_match_name(f->name, "matroska,webm,avi") != 0;
}
bool holdsDefault(const AVOutputFormat *f)
{
    return av_match_name(f->name, "matroska,webm") || isMovFamily(f);
}
bool holdsForced(const AVOutputFormat *f)
{
    return av_match_name(f->name, "matroska,webm,mp4") != 0;
}

const AVStream *plannedStream(const AVFormatContext *src, const TrackChoice &c)
{
    return c.stream >= 0 && c.stream < static_cast<int>(src->nb_streams) ? src->streams[c.stream] : nullptr;
}

bool isAttachedPicture(const AVStream *st)
{
    return (st->disposition & AV_DISPOSITION_ATTACHED_PIC) != 0;
}

} // namespace

bool orderedTrackChoice(const AVFormatContext *src, const std::vector<int> &titleStreams,
                        const std::vector<TrackChoice> &plan, const AVOutputFormat *format,
                        std::vector<const TrackChoice *> &ordered, std::string &error)
{
    ordered.clear();
    std::set<int> seen;
    const std::string container = format ? format->name : "";
    for (const TrackChoice &c : plan) {
        const std::string which = "stream " + std::to_string(c.stream);
        const AVStream *st = plannedStream(src, c);
        if (!st || std::find(titleStreams.begin(), titleStreams.end(), c.stream) == titleStreams.end()) {
            error = "the source has no " + which;
            return false;
        }
        if (!seen.insert(c.stream).second) {
            error = which + " is named twice";
            return false;
        }
        const int rank = kindRank(st->codecpar->codec_type);
        if (rank < 0 || isAttachedPicture(st)) {
            error = which + " is not a picture, sound or subtitle stream";
            return false;
        }
        if (!c.language.empty() && !isCode(c.language)) {
            error = "\"" + c.language + "\" is not a language code (three letters of ISO 639-2, like eng)";
            return false;
        }
        if (c.shift_us != 0 && rank == 0) {
            error = which + " holds pictures, which cannot be shifted: shift the sound instead";
            return false;
        }
        if (!format)
            continue;
        const std::string language = tag(st, "language");
        if (!c.language.empty() && c.language != language && !(c.language == "und" && language.empty())
            && !holdsLanguage(format)) {
            error = "the " + container + " container cannot store a track's language (" + which + ")";
            return false;
        }
        if (c.setTitle && c.title != tag(st, "title") && !holdsTitle(format)) {
            error = "the " + container + " container cannot store a track's title (" + which + ")";
            return false;
        }
        if (c.flags >= 0) {
            const int changed = c.flags ^ sourceFlags(st);
            if ((changed & ORL_TRACK_DEFAULT) && !holdsDefault(format)) {
                error = "the " + container + " container cannot mark a default track (" + which + ")";
                return false;
            }
            if ((changed & ORL_TRACK_FORCED) && !holdsForced(format)) {
                error = "the " + container + " container cannot mark a forced track (" + which + ")";
                return false;
            }
        }
    }
    for (int rank = 0; rank < 3; ++rank)
        for (const TrackChoice &c : plan)
            if (kindRank(src->streams[c.stream]->codecpar->codec_type) == rank)
                ordered.push_back(&c);
    if (ordered.empty()) {
        error = "the track plan keeps no stream";
        return false;
    }
    return true;
}

void applyTrackChoice(const TrackChoice &choice, AVStream *out)
{
    if (!choice.language.empty())
        av_dict_set(&out->metadata, "language", choice.language.c_str(), 0);
    if (choice.setTitle)
        av_dict_set(&out->metadata, "title", choice.title.empty() ? nullptr : choice.title.c_str(), 0);
    if (choice.flags >= 0) {
        out->disposition &= ~(AV_DISPOSITION_DEFAULT | AV_DISPOSITION_FORCED);
        if (choice.flags & ORL_TRACK_DEFAULT)
            out->disposition |= AV_DISPOSITION_DEFAULT;
        if (choice.flags & ORL_TRACK_FORCED)
            out->disposition |= AV_DISPOSITION_FORCED;
    }
}

int firstPlannedAudio(const AVFormatContext *src, const std::vector<TrackChoice> &plan)
{
    for (const TrackChoice &c : plan)
        if (const AVStream *st = plannedStream(src, c); st && st->codecpar->codec_type == AVMEDIA_TYPE_AUDIO)
            return c.stream;
    return -1;
}

std::vector<const TrackChoice *> plannedAudio(const AVFormatContext *src, const std::vector<TrackChoice> &plan)
{
    std::vector<const TrackChoice *> sounds;
    for (const TrackChoice &c : plan)
        if (const AVStream *st = plannedStream(src, c); st && st->codecpar->codec_type == AVMEDIA_TYPE_AUDIO)
            sounds.push_back(&c);
    return sounds;
}

bool holdsSeveralSoundTracks(const AVOutputFormat *format)
{
    return format && (av_match_name(format->name, "matroska,webm,mpegts") || isMovFamily(format));
}

bool planKeepsVideo(const AVFormatContext *src, const std::vector<TrackChoice> &plan)
{
    for (const TrackChoice &c : plan)
        if (const AVStream *st = plannedStream(src, c);
            st && st->codecpar->codec_type == AVMEDIA_TYPE_VIDEO && !isAttachedPicture(st))
            return true;
    return false;
}

int64_t latestSoundShift(const AVFormatContext *src, const std::vector<TrackChoice> &plan)
{
    int64_t latest = 0;
    for (const TrackChoice &c : plan)
        if (const AVStream *st = plannedStream(src, c); st && st->codecpar->codec_type == AVMEDIA_TYPE_AUDIO)
            latest = std::max(latest, c.shift_us);
    return latest;
}

} // namespace orl
