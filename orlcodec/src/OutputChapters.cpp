#include "OutputChapters.h"

#include "MediaTime.h"

extern "C" {
#include <libavutil/avstring.h>
#include <libavutil/mem.h>
}

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace orl {

namespace {
// Less than any chapter anyone would mean, more than the few packets by
// which a joined range's end differs from the asked one.
constexpr int64_t kJoinSlack_us = 250000;
} // namespace

OutputChapters::~OutputChapters()
{
    for (Chapter &c : m_pending)
        av_dict_free(&c.metadata);
}

bool OutputChapters::add(const AVFormatContext *in, int64_t from_us, int64_t to_us, int64_t zero_us, int64_t at_us,
                         double speed)
{
    if (!in || to_us <= from_us)
        return true;
    if (!(speed > 0))
        speed = 1.0;
    auto outTime = [&](int64_t t) {
        return at_us + static_cast<int64_t>(std::llround(static_cast<double>(t - zero_us) / speed));
    };
    for (unsigned i = 0; i < in->nb_chapters; ++i) {
        const AVChapter *ch = in->chapters[i];
        const int64_t start = toMicros(ch->start, ch->time_base);
        int64_t end = toMicros(ch->end, ch->time_base);
        if (start == kNoTime)
            continue;
        if (end == kNoTime || end < start)
            end = to_us;
        if (end <= from_us || start >= to_us)
            continue;
        Chapter c;
        // The range's first chapter covers everything the range shows
        // before it, lead-in pictures included.
        c.start_us = start <= from_us ? at_us : std::max(at_us, outTime(start));
        c.end_us = outTime(std::min(end, to_us));
        if (c.end_us <= c.start_us)
            continue;
        if (av_dict_copy(&c.metadata, ch->metadata, 0) < 0) {
            av_dict_free(&c.metadata);
            return false;
        }
        m_pending.push_back(c);
    }
    return true;
}

bool OutputChapters::addTitled(int64_t start_us, int64_t end_us, const std::string &title)
{
    if (end_us <= start_us)
        return true;
    Chapter c;
    c.start_us = start_us;
    c.end_us = end_us;
    if (av_dict_set(&c.metadata, "title", title.c_str(), 0) < 0) {
        av_dict_free(&c.metadata);
        return false;
    }
    m_pending.push_back(c);
    return true;
}

bool OutputChapters::place(AVFormatContext *out, int64_t end_us)
{
    std::vector<Chapter> pending;
    pending.swap(m_pending);
    bool ok = true;
    for (Chapter &c : pending) {
        if (end_us > 0) {
            // The output ended early (a source cut off): nothing points
            // past its end.
            if (c.start_us >= end_us) {
                av_dict_free(&c.metadata);
                continue;
            }
            c.end_us = std::min(c.end_us, end_us);
        }
        auto *chapter = ok ? static_cast<AVChapter *>(av_mallocz(sizeof(AVChapter))) : nullptr;
        if (!chapter
            || av_dynarray_add_nofree(&out->chapters, reinterpret_cast<int *>(&out->nb_chapters), chapter) < 0) {
            av_free(chapter);
            av_dict_free(&c.metadata);
            ok = false;
            continue;
        }
        chapter->id = m_nextId++;
        chapter->time_base = kMicros;
        chapter->start = c.start_us;
        chapter->end = c.end_us;
        chapter->metadata = c.metadata; // the muxer's now
        c.metadata = nullptr;
    }
    // Ranges join where the written one ended, a few milliseconds off the
    // end its chapter was given: chapters that nearly meet are made to
    // meet, so players never see two at once or a moment of none.
    for (unsigned i = 0; i + 1 < out->nb_chapters; ++i) {
        AVChapter *ch = out->chapters[i];
        const AVChapter *next = out->chapters[i + 1];
        const int64_t nextStart = av_rescale_q(next->start, next->time_base, ch->time_base);
        const int64_t slack = av_rescale_q(kJoinSlack_us, kMicros, ch->time_base);
        if (nextStart > ch->start && std::llabs(ch->end - nextStart) <= slack)
            ch->end = nextStart;
        else if (ch->end > nextStart && nextStart > ch->start)
            ch->end = nextStart;
    }
    return ok;
}

bool OutputChapters::placedAtTrailer(const AVOutputFormat *format)
{
    return av_match_name(format->name, "matroska,webm") != 0;
}

void OutputChapters::endAt(AVFormatContext *out, int64_t end_us)
{
    if (end_us <= 0)
        return;
    unsigned kept = 0;
    for (unsigned i = 0; i < out->nb_chapters; ++i) {
        AVChapter *ch = out->chapters[i];
        const int64_t end = av_rescale_q(end_us, kMicros, ch->time_base);
        if (ch->start >= end) {
            av_dict_free(&ch->metadata);
            av_freep(&out->chapters[i]);
            continue;
        }
        ch->end = std::min(ch->end, end);
        out->chapters[kept++] = ch;
    }
    out->nb_chapters = kept;
}

} // namespace orl
