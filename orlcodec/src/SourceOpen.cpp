#include "SourceOpen.h"

#include <cstring>

namespace orl {

namespace {

// True when the bytes start like an MP4/MOV file (a "ftyp" box first) but no
// "moov" box, the index every sample is found through, follows among the
// top-level boxes: the writer never finished (an interrupted recording, or
// a download of a file that keeps its index at the end).
bool isMp4WithoutIndex(AVIOContext *pb)
{
    if (!pb || avio_seek(pb, 0, SEEK_SET) < 0)
        return false;
    const int64_t size = avio_size(pb);
    int64_t pos = 0;
    bool first = true;
    for (int boxes = 0; boxes < 1000 && (size < 0 || pos + 8 <= size); ++boxes) {
        if (avio_seek(pb, pos, SEEK_SET) < 0)
            break;
        int64_t boxSize = avio_rb32(pb);
        const uint32_t type = avio_rl32(pb);
        if (pb->eof_reached)
            break;
        if (first && type != MKTAG('f', 't', 'y', 'p'))
            return false;
        first = false;
        if (type == MKTAG('m', 'o', 'o', 'v'))
            return false;
        if (boxSize == 1)
            boxSize = static_cast<int64_t>(avio_rb64(pb));
        else if (boxSize == 0) // to the end of the file
            break;
        if (boxSize < 8)
            break;
        pos += boxSize;
    }
    return !first;
}

// What a failed open says to the user: the library's reason, and for the
// common case of data no demuxer recognises, what that usually means.
std::string openFailure(int averror, AVIOContext *pb)
{
    if (averror == AVERROR_INVALIDDATA) {
        if (isMp4WithoutIndex(pb))
            return "the file has no index (moov box): it was not written to the end, "
                   "an unfinished download or recording";
        return "no known media format found, or the data is damaged (" + ffmpegError(averror) + ")";
    }
    return "cannot open the source: " + ffmpegError(averror);
}

} // namespace

bool openSource(const std::string &path, const AVIOInterruptCB &interrupt, OpenedSource &out,
                std::string &error)
{
    std::unique_ptr<Input> input = openFileInput(path, interrupt, error);
    if (!input)
        return false;
    return openSourceInput(std::move(input), path, interrupt, out, error);
}

namespace {

// Whether the headers read so far name everything the program shows of
// each stream: codec, picture size and rate, sound channels and rate, and
// the length. Only containers that keep these in headers of their own.
bool headersDescribeStreams(const AVFormatContext *fmt)
{
    const char *name = fmt->iformat ? fmt->iformat->name : "";
    const bool describes = std::strncmp(name, "mov,", 4) == 0 || std::strncmp(name, "matroska", 8) == 0;
    if (!describes || fmt->nb_streams == 0 || fmt->duration <= 0)
        return false;
    for (unsigned i = 0; i < fmt->nb_streams; ++i) {
        const AVStream *st = fmt->streams[i];
        const AVCodecParameters *par = st->codecpar;
        if (par->codec_id == AV_CODEC_ID_NONE)
            return false;
        if (par->codec_type == AVMEDIA_TYPE_VIDEO && !(st->disposition & AV_DISPOSITION_ATTACHED_PIC)
            && (par->width <= 0 || par->height <= 0 || st->avg_frame_rate.num <= 0 || st->avg_frame_rate.den <= 0))
            return false;
        if (par->codec_type == AVMEDIA_TYPE_AUDIO && (par->sample_rate <= 0 || par->ch_layout.nb_channels <= 0))
            return false;
    }
    return true;
}

} // namespace

bool openSourceInput(std::unique_ptr<Input> input, const std::string &name, const AVIOInterruptCB &interrupt,
                     OpenedSource &out, std::string &error, bool headersOnly)
{
    out.reset();
    AVFormatContext *fmt = avformat_alloc_context();
    if (!fmt) {
        error = "out of memory";
        return false;
    }
    fmt->pb = input->avio();
    fmt->flags |= AVFMT_FLAG_CUSTOM_IO;
    fmt->interrupt_callback = interrupt;
    AVDictionary *opts = nullptr;
    av_dict_set(&opts, "protocol_whitelist", "file,pipe", 0);
    const int r = avformat_open_input(&fmt, name.c_str(), nullptr, &opts);
    av_dict_free(&opts);
    const bool interrupted = interrupt.callback && interrupt.callback(interrupt.opaque);
    if (r < 0) {
        // avformat_open_input has freed fmt; the byte source is still ours.
        error = interrupted ? "loading aborted" : openFailure(r, input->avio());
        return false;
    }
    out.input = std::move(input);
    out.ctx.reset(fmt);
    if (headersOnly && headersDescribeStreams(fmt)) {
        // The length is the one the headers declare, as a probe would have
        // taken it from the streams; where the data really ends is measured
        // from it as after a probe.
        fmt->duration_estimation_method = AVFMT_DURATION_FROM_STREAM;
        out.streamInfoResult = 0;
    } else {
        out.streamInfoResult = avformat_find_stream_info(fmt, nullptr);
    }
    if (interrupt.callback && interrupt.callback(interrupt.opaque)) {
        error = "loading aborted";
        out.reset();
        return false;
    }
    return true;
}

} // namespace orl
