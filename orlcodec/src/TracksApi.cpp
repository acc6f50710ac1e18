// The exported track family: the streams of a source and the offset
// between two sound tracks. Every entry point catches everything: no
// exception crosses into C callers.
#include "BackgroundReader.h"
#include "CancelToken.h"
#include "OutputFormat.h"
#include "TrackChoice.h"
#include "TrackOffset.h"
#include "orlcodec_tracks.h"

#include <cstdio>
#include <cstring>

using namespace orl;

namespace {

void copyText(char *to, size_t size, const char *from)
{
    if (!to || size == 0)
        return;
    std::snprintf(to, size, "%s", from ? from : "");
    // Never end inside a UTF-8 sequence.
    size_t n = std::strlen(to);
    if (n + 1 == size) {
        size_t keep = n;
        while (keep > 0 && (static_cast<unsigned char>(to[keep - 1]) & 0xC0) == 0x80)
            --keep;
        if (keep > 0 && (static_cast<unsigned char>(to[keep - 1]) & 0x80))
            to[keep - 1] = '\0';
    }
}

const char *tagOf(const AVStream *st, const char *key)
{
    const AVDictionaryEntry *e = av_dict_get(st->metadata, key, nullptr, 0);
    return e ? e->value : "";
}

} // namespace

extern "C" {

int Tracks_EncodedSoundLimit(const char *format, int withPicture)
{
    try {
        const AVOutputFormat *f = format ? findOutputFormat(format, "") : nullptr;
        return withPicture && holdsSeveralSoundTracks(f) ? kMaxEncodedSoundTracks : 1;
    } catch (...) {
        return 1;
    }
}

int Tracks_ListStreams(const char *path, orl_track_stream *streams, int max, char *why, int why_size)
{
    try {
        if (!path || max < 0 || (max > 0 && !streams)) {
            copyText(why, why_size > 0 ? size_t(why_size) : 0, "invalid arguments");
            return -1;
        }
        InterruptFlags irq;
        irq.global = engineInterrupt();
        OpenedSource source;
        std::string error;
        if (!openInput(path, &irq, source, error)) {
            copyText(why, why_size > 0 ? size_t(why_size) : 0, error.c_str());
            return -1;
        }
        const AVFormatContext *ctx = source.ctx.get();
        int count = 0;
        for (unsigned i = 0; i < ctx->nb_streams; ++i) {
            const AVStream *st = ctx->streams[i];
            const AVCodecParameters *par = st->codecpar;
            int kind = 0;
            if (par->codec_type == AVMEDIA_TYPE_VIDEO && !(st->disposition & AV_DISPOSITION_ATTACHED_PIC))
                kind = ORL_STREAM_VIDEO;
            else if (par->codec_type == AVMEDIA_TYPE_AUDIO)
                kind = ORL_STREAM_AUDIO;
            else if (par->codec_type == AVMEDIA_TYPE_SUBTITLE)
                kind = ORL_STREAM_SUBTITLE;
            if (!kind)
                continue;
            if (count < max) {
                orl_track_stream &o = streams[count];
                o = orl_track_stream{};
                o.index = static_cast<int>(i);
                o.kind = kind;
                copyText(o.codec, sizeof o.codec, avcodec_get_name(par->codec_id));
                copyText(o.language, sizeof o.language, tagOf(st, "language"));
                copyText(o.title, sizeof o.title, tagOf(st, "title"));
                o.flags = ((st->disposition & AV_DISPOSITION_DEFAULT) ? ORL_TRACK_DEFAULT : 0)
                    | ((st->disposition & AV_DISPOSITION_FORCED) ? ORL_TRACK_FORCED : 0);
                o.channels = par->ch_layout.nb_channels;
                o.sample_rate = par->sample_rate;
                o.width = par->width;
                o.height = par->height;
            }
            ++count;
        }
        return count;
    } catch (...) {
        copyText(why, why_size > 0 ? size_t(why_size) : 0, "out of memory");
        return -1;
    }
}

int Tracks_FindOffset(const char *first, int firstStream, const char *second, int secondStream, uint64_t max_us,
                      ORL_HANDLE cancel, orl_offset_result *result)
{
    if (!result)
        return 0;
    *result = orl_offset_result{};
    try {
        if (!first || !second) {
            copyText(result->reason, sizeof result->reason, "invalid arguments");
            return 0;
        }
        std::shared_ptr<std::atomic<bool>> flag = cancel ? findCancelFlag(cancel) : nullptr;
        InterruptFlags irq;
        irq.cancel = flag.get();
        irq.global = engineInterrupt();
        std::vector<float> a, b;
        std::string error;
        const int64_t limit = max_us > 0 ? static_cast<int64_t>(max_us) : 120000000;
        if (!soundEnvelope(first, firstStream, limit, irq, a, error)
            || !soundEnvelope(second, secondStream, limit, irq, b, error)) {
            copyText(result->reason, sizeof result->reason, error.c_str());
            return 0;
        }
        // Offsets of up to 30 s either way (half the shorter track at most).
        const EnvelopeMatch m = matchEnvelopes(a, b, 30000);
        result->offset_us = static_cast<int64_t>(m.offset_ms * 1000.0);
        result->confidence = m.confidence;
        if (m.confidence < 0.5) {
            char text[256];
            std::snprintf(text, sizeof text,
                          "no offset lines the two tracks up clearly (confidence %.2f): they may not hold the same "
                          "sound, or it repeats itself",
                          m.confidence);
            copyText(result->reason, sizeof result->reason, text);
            return 0;
        }
        return 1;
    } catch (...) {
        copyText(result->reason, sizeof result->reason, "out of memory");
        return 0;
    }
}

} // extern "C"
