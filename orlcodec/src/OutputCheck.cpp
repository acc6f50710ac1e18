#include "OutputCheck.h"

#include "ReadableEnd.h"

#include "FFmpegPtr.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <limits>
#include <vector>

namespace orl {

namespace {

constexpr int64_t kNone = std::numeric_limits<int64_t>::min();
// A group longer than this is not decoded to its end: the head and the
// tail stay quick on streams with very long groups (intra refresh).
constexpr int kGroupPackets = 600;

std::string seconds(int64_t us)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.3f s", double(us) / 1e6);
    return text;
}

int64_t toUs(int64_t t, AVRational tb)
{
    return t == AV_NOPTS_VALUE ? kNone : av_rescale_q(t, tb, AVRational{1, 1000000});
}

// A packet's time: its presentation time, else its decoding time (some
// containers give only that).
int64_t packetTime(const AVPacket *p, AVRational tb)
{
    return toUs(p->pts != AV_NOPTS_VALUE ? p->pts : p->dts, tb);
}

// One stream's decoder, and what decoding one group told.
struct Decoder {
    int index = -1;
    AVStream *st = nullptr;
    CodecContextPtr ctx;
    int64_t key_us = kNone;      // the group's key picture
    int64_t kept_us = kNone;     // the earliest picture of the group the container does not hide
    int64_t firstShown_us = kNone;
    int64_t lastShown_us = kNone;
    int frames = 0;
    int packets = 0;
    bool started = false;        // a key packet was sent
    bool done = false;
    std::string error;

    bool open(AVStream *stream)
    {
        st = stream;
        index = stream->index;
        const AVCodec *codec = avcodec_find_decoder(st->codecpar->codec_id);
        ctx.reset(codec ? avcodec_alloc_context3(codec) : nullptr);
        if (!ctx || avcodec_parameters_to_context(ctx.get(), st->codecpar) < 0)
            return false;
        ctx->pkt_timebase = st->time_base;
        // One thread: with frame threads a picture may be handed out before
        // the concealment of its damaged slices has marked it, so a broken
        // picture (and every picture that refers to it) would pass unseen.
        // Only a few groups are decoded, so the cost stays small.
        ctx->thread_count = 1;
        // The check asks whether pictures decode, not how they look: the
        // deblocking filter, a good part of the decoding time, is left out.
        ctx->skip_loop_filter = AVDISCARD_ALL;
        return avcodec_open2(ctx.get(), codec, nullptr) >= 0;
    }

    void restart()
    {
        avcodec_flush_buffers(ctx.get());
        key_us = kept_us = firstShown_us = lastShown_us = kNone;
        frames = packets = 0;
        started = done = false;
        error.clear();
    }

    // Takes the pictures (or sound) out. Pictures shown before the group's
    // key picture are its leading pictures, which may refer to a group the
    // file does not hold (an open group at a cut): they are let go,
    // decoded or not. Any other damage is an error.
    bool receive(AVFrame *frame)
    {
        for (;;) {
            const int r = avcodec_receive_frame(ctx.get(), frame);
            if (r == AVERROR(EAGAIN) || r == AVERROR_EOF)
                return true;
            if (r < 0) {
                error = "decoding failed: " + ffmpegError(r);
                return false;
            }
            const int64_t t = toUs(frame->best_effort_timestamp, st->time_base);
            const bool leading = st->codecpar->codec_type == AVMEDIA_TYPE_VIDEO && t != kNone && key_us != kNone
                && t < key_us;
            const bool damaged = frame->decode_error_flags || (frame->flags & AV_FRAME_FLAG_CORRUPT);
            av_frame_unref(frame);
            if (leading)
                continue;
            if (damaged) {
                error = "the picture at " + seconds(t) + " is damaged";
                return false;
            }
            ++frames;
            if (t != kNone) {
                if (firstShown_us == kNone || t < firstShown_us)
                    firstShown_us = t;
                if (lastShown_us == kNone || t > lastShown_us)
                    lastShown_us = t;
            }
        }
    }

    // Sends one packet of the stream. Video: nothing before the first key
    // packet; the group ends at the next key packet (not sent), or after
    // kGroupPackets. Sound: the first packet may lack what came before it.
    bool send(AVPacket *pkt, AVFrame *frame)
    {
        if (done)
            return true;
        const bool video = st->codecpar->codec_type == AVMEDIA_TYPE_VIDEO;
        const bool key = (pkt->flags & AV_PKT_FLAG_KEY) != 0;
        if (video && !started) {
            if (!key)
                return true;
            key_us = toUs(pkt->pts, st->time_base); // unknown without a presentation time
        } else if (video && (key || packets >= kGroupPackets)) {
            return finish(frame);
        }
        started = true;
        ++packets;
        if (video && !(pkt->flags & AV_PKT_FLAG_DISCARD) && pkt->pts != AV_NOPTS_VALUE) {
            const int64_t t = toUs(pkt->pts, st->time_base);
            if (kept_us == kNone || t < kept_us)
                kept_us = t;
        }
        const int r = avcodec_send_packet(ctx.get(), pkt);
        if (r < 0 && r != AVERROR(EAGAIN) && r != AVERROR_EOF) {
            if (!video && packets == 1)
                return true;
            error = "decoding failed at " + seconds(toUs(pkt->pts, st->time_base)) + ": " + ffmpegError(r);
            return false;
        }
        if (!receive(frame)) {
            if (!video && packets == 1 && frames == 0) {
                error.clear();
                return true;
            }
            return false;
        }
        if (!video && frames > 0)
            done = true;
        return true;
    }

    bool finish(AVFrame *frame)
    {
        if (done)
            return true;
        done = true;
        avcodec_send_packet(ctx.get(), nullptr);
        return receive(frame);
    }
};

} // namespace

int64_t rangeInSource(const std::string &src, int64_t start_us, int64_t length_us, const InterruptFlags &interrupt,
                      int64_t dataEnd_us)
{
    AVFormatContext *raw = avformat_alloc_context();
    if (!raw)
        return length_us;
    raw->interrupt_callback = AVIOInterruptCB{&interruptFlagsCallback, const_cast<InterruptFlags *>(&interrupt)};
    if (avformat_open_input(&raw, src.c_str(), nullptr, nullptr) < 0)
        return length_us;
    InputContextPtr ctx(raw);
    if (avformat_find_stream_info(raw, nullptr) < 0 || raw->duration == AV_NOPTS_VALUE)
        return length_us;
    const int64_t origin = raw->start_time != AV_NOPTS_VALUE ? raw->start_time : 0;
    // A partial download declares more than it holds: the range ends where
    // its data does.
    const int64_t readable = static_cast<int64_t>(
        readableEnd(raw, src, static_cast<uint64_t>(raw->duration), raw->interrupt_callback));
    if (readable > 0 && readable < raw->duration && start_us + length_us > readable)
        length_us = std::max<int64_t>(readable - start_us, 0);
    int64_t dataEnd = raw->duration;
    if (readable > 0 && readable < dataEnd)
        dataEnd = readable;
    if (dataEnd_us > 0 && dataEnd_us < dataEnd)
        dataEnd = dataEnd_us;
    // Two seconds leave room for any estimate of a container's duration.
    if (start_us + length_us < dataEnd - 2000000)
        return length_us;
    for (unsigned i = 0; i < raw->nb_streams; ++i) {
        const AVMediaType type = raw->streams[i]->codecpar->codec_type;
        raw->streams[i]->discard = (type == AVMEDIA_TYPE_VIDEO
                                    && !(raw->streams[i]->disposition & AV_DISPOSITION_ATTACHED_PIC))
                || type == AVMEDIA_TYPE_AUDIO
            ? AVDISCARD_DEFAULT
            : AVDISCARD_ALL;
    }
    // Near the end, or from the start for a short source or one that
    // cannot seek there.
    const int64_t target = origin + dataEnd - 3000000;
    if (target > origin && avformat_seek_file(raw, -1, INT64_MIN, target, target, 0) < 0)
        avformat_seek_file(raw, -1, INT64_MIN, INT64_MIN, 0, 0);
    PacketPtr pkt = makePacket();
    int64_t end = kNone;
    // A source with pictures ends with its last picture: its sound may run
    // on, and an output's length is judged by its pictures.
    int64_t pictureEnd = kNone;
    while (!interrupt.check() && av_read_frame(raw, pkt.get()) >= 0) {
        const AVStream *st = raw->streams[pkt->stream_index];
        if (pkt->pts != AV_NOPTS_VALUE && !(pkt->flags & AV_PKT_FLAG_DISCARD)) {
            const int64_t t = toUs(pkt->pts + std::max<int64_t>(pkt->duration, 0), st->time_base);
            end = std::max(end, t);
            if (st->codecpar->codec_type == AVMEDIA_TYPE_VIDEO)
                pictureEnd = std::max(pictureEnd, t);
        }
        av_packet_unref(pkt.get());
    }
    if (pictureEnd != kNone)
        end = pictureEnd;
    if (end == kNone) {
        // Packets without times (raw sound): the sum of their durations.
        if (avformat_seek_file(raw, -1, INT64_MIN, INT64_MIN, 0, 0) < 0)
            return length_us;
        int64_t sum = 0;
        const int first = av_find_best_stream(raw, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
        while (first >= 0 && !interrupt.check() && av_read_frame(raw, pkt.get()) >= 0) {
            if (pkt->stream_index == first && pkt->duration > 0)
                sum += toUs(pkt->duration, raw->streams[first]->time_base);
            av_packet_unref(pkt.get());
        }
        if (sum <= 0)
            return length_us;
        end = origin + sum;
    }
    return std::max<int64_t>(0, std::min(length_us, end - origin - start_us));
}

std::string checkFailureText(const std::string &why)
{
    return "output check failed: " + why;
}

bool checkOutput(const std::string &path, const OutputExpectation &expect, const InterruptFlags &interrupt,
                 OutputFacts &facts, std::string &why)
{
    const auto began = std::chrono::steady_clock::now();
    struct Timer {
        const std::chrono::steady_clock::time_point began;
        OutputFacts &facts;
        ~Timer()
        {
            facts.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
        }
    } timer{began, facts};
    facts = OutputFacts();
    auto stopped = [&] {
        if (!interrupt.check())
            return false;
        why = "stopped";
        return true;
    };

    AVFormatContext *raw = avformat_alloc_context();
    if (!raw) {
        why = "unreadable: out of memory";
        return false;
    }
    raw->interrupt_callback = AVIOInterruptCB{&interruptFlagsCallback, const_cast<InterruptFlags *>(&interrupt)};
    int r = avformat_open_input(&raw, path.c_str(), nullptr, nullptr);
    if (r < 0) {
        why = stopped() ? why : "unreadable: " + ffmpegError(r);
        return false;
    }
    InputContextPtr ctx(raw);
    if (avformat_find_stream_info(raw, nullptr) < 0) {
        why = stopped() ? why : "unreadable: its streams cannot be read";
        return false;
    }

    // The streams there, against the streams asked for.
    int videoIndex = -1;
    std::vector<int> sound;
    for (unsigned i = 0; i < raw->nb_streams; ++i) {
        const AVStream *st = raw->streams[i];
        const AVMediaType type = st->codecpar->codec_type;
        if (type == AVMEDIA_TYPE_VIDEO && !(st->disposition & AV_DISPOSITION_ATTACHED_PIC)) {
            ++facts.video;
            if (videoIndex < 0)
                videoIndex = static_cast<int>(i);
        } else if (type == AVMEDIA_TYPE_AUDIO) {
            ++facts.audio;
            sound.push_back(static_cast<int>(i));
        }
    }
    if (expect.video && facts.video == 0) {
        why = "streams: there is no video";
        return false;
    }
    if (facts.audio < expect.audio) {
        why = "streams: " + std::to_string(facts.audio) + " of " + std::to_string(expect.audio)
            + " sound streams are there";
        return false;
    }
    const int best = av_find_best_stream(raw, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    const int soundIndex = best >= 0 ? best : (sound.empty() ? -1 : sound.front());
    if (videoIndex < 0 && soundIndex < 0) {
        why = "streams: there is neither picture nor sound";
        return false;
    }
    for (unsigned i = 0; i < raw->nb_streams; ++i)
        raw->streams[i]->discard = static_cast<int>(i) == videoIndex || static_cast<int>(i) == soundIndex
            ? AVDISCARD_DEFAULT
            : AVDISCARD_ALL;

    Decoder video, audio;
    if (videoIndex >= 0 && !video.open(raw->streams[videoIndex])) {
        why = "unreadable: no decoder for its video";
        return false;
    }
    if (soundIndex >= 0 && !audio.open(raw->streams[soundIndex])) {
        why = "unreadable: no decoder for its sound";
        return false;
    }
    if (videoIndex >= 0) {
        const AVStream *st = raw->streams[videoIndex];
        const AVRational rate = st->avg_frame_rate.num > 0 ? st->avg_frame_rate : st->r_frame_rate;
        if (rate.num > 0 && rate.den > 0)
            facts.picture_us = av_rescale(1000000, rate.den, rate.num);
    }
    if (soundIndex >= 0) {
        const AVCodecParameters *par = raw->streams[soundIndex]->codecpar;
        if (par->frame_size > 0 && par->sample_rate > 0)
            facts.soundFrame_us = av_rescale(1000000, par->frame_size, par->sample_rate);
    }

    PacketPtr pkt = makePacket();
    FramePtr frame(av_frame_alloc());
    int64_t videoEnd_us = kNone, soundEnd_us = kNone, firstVideoPacket_us = kNone, lastSound_us = kNone;
    int64_t soundSum_us = 0; // the sound's packets' durations, for files whose times are estimates
    // Notes the end of what a packet shows or sounds; longest durations too.
    auto note = [&](const AVPacket *p) {
        if (p->flags & AV_PKT_FLAG_DISCARD)
            return;
        const AVStream *st = raw->streams[p->stream_index];
        const int64_t t = packetTime(p, st->time_base);
        if (t == kNone)
            return;
        int64_t d = p->duration > 0 ? toUs(p->duration, st->time_base) : 0;
        if (p->stream_index == videoIndex) {
            if (d > facts.picture_us && d < 1000000)
                facts.picture_us = d;
            if (d <= 0)
                d = facts.picture_us;
            if (firstVideoPacket_us == kNone || t < firstVideoPacket_us)
                firstVideoPacket_us = t;
            videoEnd_us = std::max(videoEnd_us, t + d);
        } else {
            // A copy cuts sound at its packets, which may hold several frames.
            if (lastSound_us != kNone && t > lastSound_us && t - lastSound_us < 1000000)
                d = std::max(d, t - lastSound_us);
            lastSound_us = t;
            if (d > facts.soundFrame_us && d < 1000000)
                facts.soundFrame_us = d;
            soundSum_us += std::max<int64_t>(p->duration > 0 ? toUs(p->duration, st->time_base) : 0, 0);
            if (d <= 0)
                d = facts.soundFrame_us;
            soundEnd_us = std::max(soundEnd_us, t + d);
        }
    };

    // The head: the first group of pictures, the first sound.
    for (int n = 0; (videoIndex >= 0 && !video.done) || (soundIndex >= 0 && !audio.done); ++n) {
        if (stopped())
            return false;
        r = av_read_frame(raw, pkt.get());
        if (r < 0) {
            if (r != AVERROR_EOF && !(raw->pb && avio_feof(raw->pb))) {
                why = "unreadable: " + ffmpegError(r);
                return false;
            }
            break;
        }
        note(pkt.get());
        bool ok = true;
        if (pkt->stream_index == videoIndex)
            ok = video.send(pkt.get(), frame.get());
        else if (pkt->stream_index == soundIndex)
            ok = audio.send(pkt.get(), frame.get());
        av_packet_unref(pkt.get());
        if (!ok) {
            why = "head: " + (video.error.empty() ? audio.error : video.error);
            return false;
        }
    }
    if (videoIndex >= 0 && (!video.finish(frame.get()) || video.frames == 0)) {
        why = "head: " + (video.error.empty() ? std::string("its first group of pictures shows no picture") : video.error);
        return false;
    }
    if (soundIndex >= 0) {
        audio.finish(frame.get());
        if (audio.frames == 0 && audio.packets > 1) {
            why = "head: its first sound does not decode";
            return false;
        }
    }
    facts.firstPicture_us = video.firstShown_us;
    facts.firstSound_us = audio.firstShown_us;
    // Where the first group begins to be shown: at its key picture, or
    // where the container's edit list begins when it hides the lead-in.
    const int64_t headVideoKey_us = video.key_us == kNone || video.kept_us == kNone
        ? video.key_us
        : std::max(video.key_us, video.kept_us);

    // Where a range from another file begins, its first group of pictures
    // is decoded too: a join a decoder cannot follow (parameter sets it was
    // not given, settings it was not opened with) fails there, not only
    // when it happens to lie at the head or the tail.
    if (videoIndex >= 0) {
        const AVStream *vst = raw->streams[videoIndex];
        const int64_t origin_us = raw->start_time != AV_NOPTS_VALUE ? raw->start_time : 0;
        for (int64_t join_us : expect.joins_us) {
            if (stopped())
                return false;
            const int64_t at_us = origin_us + join_us;
            if (av_seek_frame(raw, videoIndex, av_rescale_q(at_us, AVRational{1, 1000000}, vst->time_base),
                              AVSEEK_FLAG_BACKWARD)
                < 0)
                continue;
            video.restart();
            // The join's own key picture starts the group judged: an earlier
            // group the seek lands in is passed over.
            for (int n = 0; !video.done && n < 4 * kGroupPackets; ++n) {
                if (av_read_frame(raw, pkt.get()) < 0)
                    break;
                bool ok = true;
                if (pkt->stream_index == videoIndex) {
                    const int64_t t = toUs(packetTime(pkt.get(), vst->time_base), vst->time_base);
                    if (video.started || ((pkt->flags & AV_PKT_FLAG_KEY) && t != kNone && t >= at_us - 50000))
                        ok = video.send(pkt.get(), frame.get());
                }
                av_packet_unref(pkt.get());
                if (!ok) {
                    why = "join at " + seconds(join_us) + ": " + video.error;
                    return false;
                }
            }
            if (video.started && !video.finish(frame.get()) && !video.error.empty()) {
                why = "join at " + seconds(join_us) + ": " + video.error;
                return false;
            }
        }
    }

    // The tail: from the last key picture (found by seeking back from the
    // end, further each time no key picture follows) to the end.
    const AVStream *lead = raw->streams[videoIndex >= 0 ? videoIndex : soundIndex];
    int64_t end_us = raw->duration != AV_NOPTS_VALUE ? raw->duration : 0;
    if (raw->start_time != AV_NOPTS_VALUE)
        end_us += raw->start_time;
    bool tailRead = false;
    for (int64_t back_us = videoIndex >= 0 ? 0 : 1000000;; back_us = back_us ? back_us * 2 : 2000000) {
        if (stopped())
            return false;
        const int64_t target_us = end_us - back_us;
        // Sound alone is read through (small, and its times after a seek
        // are often only estimates from the byte position).
        const bool fromStart = back_us > 64000000 || end_us <= 0 || videoIndex < 0;
        const int64_t target = fromStart ? std::numeric_limits<int64_t>::min()
                                         : av_rescale_q(target_us, AVRational{1, 1000000}, lead->time_base);
        if (fromStart)
            r = avformat_seek_file(raw, lead->index, std::numeric_limits<int64_t>::min(), 0, 0, 0);
        else
            r = av_seek_frame(raw, lead->index, target, AVSEEK_FLAG_BACKWARD);
        if (r < 0 && !fromStart)
            continue;
        if (r < 0) {
            why = "tail: the end cannot be reached";
            return false;
        }
        if (videoIndex >= 0)
            video.restart();
        if (soundIndex >= 0)
            audio.restart();
        // Only the last group counts: a key picture met later starts over.
        bool lastKey = false;
        lastSound_us = kNone;
        soundSum_us = 0;
        for (;;) {
            if (stopped())
                return false;
            r = av_read_frame(raw, pkt.get());
            if (r < 0) {
                if (r != AVERROR_EOF && !(raw->pb && avio_feof(raw->pb))) {
                    why = "tail: " + ffmpegError(r);
                    return false;
                }
                break;
            }
            note(pkt.get());
            bool ok = true;
            if (pkt->stream_index == videoIndex) {
                if ((pkt->flags & AV_PKT_FLAG_KEY) && video.started) {
                    if (!video.finish(frame.get())) {
                        why = "tail: " + video.error;
                        return false;
                    }
                    video.restart();
                }
                if (pkt->flags & AV_PKT_FLAG_KEY)
                    lastKey = true;
                ok = video.send(pkt.get(), frame.get());
                if (video.done && !video.error.empty())
                    ok = false;
            } else if (pkt->stream_index == soundIndex && !audio.done) {
                ok = audio.send(pkt.get(), frame.get());
                // Beside pictures, a sound frame cut by the seek (a program
                // stream's sound has no frame boundaries in its packets)
                // is no fault of the file: the sound is left unjudged there.
                if (!ok && videoIndex >= 0 && !fromStart) {
                    audio.done = true;
                    ok = true;
                }
            }
            av_packet_unref(pkt.get());
            if (!ok) {
                why = "tail: " + (video.error.empty() ? audio.error : video.error);
                return false;
            }
        }
        if (videoIndex >= 0 && !lastKey) {
            if (fromStart) {
                // Read from the start and still no key picture after the
                // seek point: the tail is not judged, what was read decoded.
                tailRead = true;
                break;
            }
            continue;
        }
        tailRead = true;
        break;
    }
    if (!tailRead) {
        why = "tail: the end cannot be reached";
        return false;
    }
    // A decoding error in the last group fails; a last group that shows no
    // picture on its own (an open group reached by a seek, a container
    // whose seek lands between groups) is not taken for one.
    if (videoIndex >= 0 && !video.finish(frame.get()) && !video.error.empty()) {
        why = "tail: " + video.error;
        return false;
    }

    // Times: what is shown and heard, from its first picture or sound.
    const int64_t picture = facts.picture_us > 0 ? facts.picture_us : 40000;
    const int64_t soundFrame = facts.soundFrame_us > 0 ? facts.soundFrame_us : 0;
    if (facts.firstPicture_us == kNone && facts.firstSound_us == kNone) {
        why = "head: nothing is shown or heard";
        return false;
    }
    facts.start_us = facts.firstPicture_us == kNone ? facts.firstSound_us
        : facts.firstSound_us == kNone             ? facts.firstPicture_us
                                                   : std::min(facts.firstPicture_us, facts.firstSound_us);
    facts.end_us = std::max(videoEnd_us, soundEnd_us);
    // Pictures before the first key picture's own time are leading
    // pictures: shown when they decode, let go when they do not. The key
    // picture itself must be shown.
    // Without presentation times (decoding times only) the pictures' times
    // are guesses: the start is not judged by them.
    if (videoIndex >= 0 && headVideoKey_us != kNone && facts.firstPicture_us > headVideoKey_us + picture / 2) {
        why = "start: the first picture is shown at " + seconds(facts.firstPicture_us - headVideoKey_us)
            + " after its group begins";
        return false;
    }
    if (videoIndex >= 0 && soundIndex >= 0 && facts.firstSound_us != kNone && headVideoKey_us != kNone) {
        const int64_t apart = facts.firstPicture_us - facts.firstSound_us;
        const int64_t allowed = std::max(soundFrame, int64_t(1000)) + 1000;
        if (apart > allowed
            || -apart > allowed + (expect.longer_us > 0 ? expect.longer_us : 0) + std::max<int64_t>(expect.soundLate_us, 0)) {
            why = "sync: the first picture comes " + seconds(apart < 0 ? -apart : apart)
                + (apart > 0 ? " after" : " before") + " the first sound";
            return false;
        }
    }
    // The length: of the pictures when there are any (to one picture), of
    // the sound otherwise (to two of its frames: the codec's own delay
    // and padding come on top of the frame a cut rounds to); per range joined.
    if (expect.duration_us > 0) {
        const int pieces = std::max(expect.pieces, 1);
        // Sound alone was read through: where its times are estimates, the
        // sum of its packets' durations tells its length.
        int64_t soundLength = soundEnd_us - facts.firstSound_us;
        // Times far past the file's own length are estimates (granule
        // positions): the packets' durations tell the length then.
        if (soundSum_us > 0 && soundLength > soundSum_us + 1000000)
            soundLength = soundSum_us;
        const int64_t length = videoIndex >= 0 ? videoEnd_us - facts.firstPicture_us : soundLength;
        // Sound alone: the codec's delay, its padding and the frame a cut
        // rounds to, each up to a frame or so.
        const int64_t tolerance = pieces * ((videoIndex >= 0 ? 2 * picture : 4 * soundFrame) + 1000);
        // Too short loses what was asked for; a little too long (an encoder's
        // last picture held for its frame, a deinterlacer's last field) plays
        // right, and only a gross overrun is taken for a fault.
        const int64_t overrun = std::max<int64_t>(tolerance, 500000);
        // Sound alone is judged on the short side only: its times past the
        // end are often estimates (Ogg granules), and a longer sound loses
        // nothing that was asked for.
        const bool tooLong = videoIndex >= 0 && length > expect.duration_us + expect.longer_us + overrun;
        if (length < expect.duration_us - tolerance || tooLong) {
            why = "duration: it lasts " + seconds(length) + " instead of " + seconds(expect.duration_us);
            return false;
        }
        // Beside pictures, the sound may end early (a source whose sound
        // stops first) but never run on past the range.
        if (videoIndex >= 0 && soundIndex >= 0 && soundEnd_us != kNone && facts.firstSound_us != kNone) {
            const int64_t sound = soundEnd_us - facts.start_us;
            // Times far past the file's own length are the container's
            // estimates (granule positions), not sound that plays on.
            const bool believable = raw->duration == AV_NOPTS_VALUE || sound <= raw->duration + 1000000;
            if (believable && sound > expect.duration_us + expect.longer_us + tolerance + pieces * 2 * soundFrame) {
                why = "duration: its sound lasts " + seconds(sound) + " instead of " + seconds(expect.duration_us);
                return false;
            }
        }
    }
    return true;
}

} // namespace orl
