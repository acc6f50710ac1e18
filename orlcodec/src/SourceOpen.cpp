#include "SourceOpen.h"

#include "H264Syntax.h"
#include "NalUnits.h"

#include <algorithm>
#include <cstring>
#include <vector>

extern "C" {
#include <libavutil/pixdesc.h>
}

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
                std::string &error, Probe probe)
{
    std::unique_ptr<Input> input = openFileInput(path, interrupt, error);
    if (!input)
        return false;
    return openSourceInput(std::move(input), path, interrupt, out, error, probe);
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

// What the decoder would tell of an H.264 stream's pictures, read from its
// sequence parameter set instead. False for what is not told exactly that
// way: interlaced or picture-structure coding (the field order comes from
// the pictures), monochrome, unusual depths or RGB, several sets, no VUI.
struct PictureLook {
    AVPixelFormat format = AV_PIX_FMT_NONE;
    AVRational sar{0, 1};
    bool signalType = false;
    AVColorRange range = AVCOL_RANGE_UNSPECIFIED;
    bool colours = false;
    AVColorPrimaries primaries = AVCOL_PRI_UNSPECIFIED;
    AVColorTransferCharacteristic transfer = AVCOL_TRC_UNSPECIFIED;
    AVColorSpace matrix = AVCOL_SPC_UNSPECIFIED;
    AVChromaLocation chromaLocation = AVCHROMA_LOC_LEFT;
    int reorderDepth = 0; // pictures that may wait for reordering
};

bool h264PictureLook(const AVCodecParameters *par, PictureLook &out)
{
    if (par->codec_id != AV_CODEC_ID_H264 || !par->extradata || par->extradata_size <= 0)
        return false;
    ParameterSets sets;
    if (!readParameterSets(par->extradata, static_cast<size_t>(par->extradata_size), false, sets))
        return false;
    const Bytes *spsNal = nullptr;
    for (const Bytes &nal : sets.nals) {
        if (h264NalType(nal) != kH264Sps)
            continue;
        if (spsNal)
            return false;
        spsNal = &nal;
    }
    H264SpsLook sps;
    if (!spsNal || !readH264SpsLook(spsNal->data(), spsNal->size(), sps))
        return false;
    if (!sps.vui || !sps.frameMbsOnly || sps.picStructPresent || sps.bitDepthLuma != sps.bitDepthChroma)
        return false;
    // The reordering depth gives the decoding times of containers that store
    // presentation times only (Matroska); without it the decoder would
    // learn it from the pictures.
    out.reorderDepth = h264ReorderDepth(spsNal->data(), spsNal->size());
    if (out.reorderDepth < 0)
        return false;

    // The sample aspect ratios numbered by the standard.
    static const AVRational kAspects[17] = {{0, 1},   {1, 1},   {12, 11}, {10, 11}, {16, 11}, {40, 33},
                                            {24, 11}, {20, 11}, {32, 11}, {80, 33}, {18, 11}, {15, 11},
                                            {64, 33}, {160, 99}, {4, 3},  {3, 2},   {2, 1}};
    if (sps.aspectInfo) {
        if (sps.aspectIdc == 255) {
            if (!sps.sarWidth || !sps.sarHeight)
                return false;
            out.sar = AVRational{sps.sarWidth, sps.sarHeight};
        } else if (sps.aspectIdc < 17) {
            out.sar = kAspects[sps.aspectIdc];
        } else {
            return false;
        }
    }
    out.signalType = sps.videoSignalType;
    AVColorRange range = par->color_range;
    if (sps.videoSignalType) {
        range = sps.fullRange ? AVCOL_RANGE_JPEG : AVCOL_RANGE_MPEG;
        out.range = range;
        if (sps.colourDescription) {
            out.colours = true;
            // Values the standard reserves count as unspecified.
            out.primaries = av_color_primaries_name(AVColorPrimaries(sps.colourPrimaries))
                ? AVColorPrimaries(sps.colourPrimaries) : AVCOL_PRI_UNSPECIFIED;
            out.transfer = av_color_transfer_name(AVColorTransferCharacteristic(sps.transferCharacteristics))
                ? AVColorTransferCharacteristic(sps.transferCharacteristics) : AVCOL_TRC_UNSPECIFIED;
            out.matrix = av_color_space_name(AVColorSpace(sps.matrixCoefficients))
                ? AVColorSpace(sps.matrixCoefficients) : AVCOL_SPC_UNSPECIFIED;
        }
    }
    if (sps.chromaLocInfo) {
        if (sps.chromaLocTop > 5)
            return false;
        out.chromaLocation = AVChromaLocation(sps.chromaLocTop + 1);
    }
    const AVColorSpace matrix = out.colours ? out.matrix : par->color_space;
    const bool full = range == AVCOL_RANGE_JPEG;
    if (sps.bitDepthLuma == 8) {
        switch (sps.chromaFormatIdc) {
        case 1: out.format = full ? AV_PIX_FMT_YUVJ420P : AV_PIX_FMT_YUV420P; break;
        case 2: out.format = full ? AV_PIX_FMT_YUVJ422P : AV_PIX_FMT_YUV422P; break;
        case 3:
            if (matrix == AVCOL_SPC_RGB)
                return false;
            out.format = full ? AV_PIX_FMT_YUVJ444P : AV_PIX_FMT_YUV444P;
            break;
        default: return false;
        }
    } else if (sps.bitDepthLuma == 10) {
        switch (sps.chromaFormatIdc) {
        case 1: out.format = AV_PIX_FMT_YUV420P10; break;
        case 2: out.format = AV_PIX_FMT_YUV422P10; break;
        case 3:
            if (matrix == AVCOL_SPC_RGB)
                return false;
            out.format = AV_PIX_FMT_YUV444P10;
            break;
        default: return false;
        }
    } else {
        return false;
    }
    return true;
}

// The probe of a stream copy; false when it must be the full one.
bool probeForCopy(AVFormatContext *fmt, OpenedSource &out)
{
    if (!headersDescribeStreams(fmt))
        return false;
    std::vector<PictureLook> looks(fmt->nb_streams);
    std::vector<bool> told(fmt->nb_streams, false);
    for (unsigned i = 0; i < fmt->nb_streams; ++i) {
        const AVStream *st = fmt->streams[i];
        if (st->codecpar->codec_type != AVMEDIA_TYPE_VIDEO || (st->disposition & AV_DISPOSITION_ATTACHED_PIC))
            continue;
        if (!h264PictureLook(st->codecpar, looks[i]))
            return false;
        told[i] = true;
    }
    // With the picture format known, the probe stops once every stream has
    // shown its first packet; the pictures' slices are parsed (profile,
    // level, field order), not decoded.
    std::vector<AVDictionary *> options(fmt->nb_streams, nullptr);
    for (unsigned i = 0; i < fmt->nb_streams; ++i) {
        if (!told[i])
            continue;
        AVCodecParameters *par = fmt->streams[i]->codecpar;
        par->format = looks[i].format;
        par->video_delay = std::max(par->video_delay, looks[i].reorderDepth);
        av_dict_set(&options[i], "skip_frame", "all", 0);
    }
    out.streamInfoResult = avformat_find_stream_info(fmt, options.data());
    for (AVDictionary *&o : options)
        av_dict_free(&o);
    for (unsigned i = 0; i < fmt->nb_streams; ++i) {
        if (!told[i])
            continue;
        AVCodecParameters *par = fmt->streams[i]->codecpar;
        const PictureLook &look = looks[i];
        par->format = look.format;
        par->video_delay = std::max(par->video_delay, look.reorderDepth);
        par->sample_aspect_ratio = look.sar;
        par->chroma_location = look.chromaLocation;
        if (look.signalType)
            par->color_range = look.range;
        if (look.colours) {
            par->color_primaries = look.primaries;
            par->color_trc = look.transfer;
            par->color_space = look.matrix;
        }
    }
    out.pictureDecoded = false;
    return true;
}

} // namespace

bool openSourceInput(std::unique_ptr<Input> input, const std::string &name, const AVIOInterruptCB &interrupt,
                     OpenedSource &out, std::string &error, Probe probe)
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
    if (probe == Probe::Headers && headersDescribeStreams(fmt)) {
        // The length is the one the headers declare, as a probe would have
        // taken it from the streams; where the data really ends is measured
        // from it as after a probe.
        fmt->duration_estimation_method = AVFMT_DURATION_FROM_STREAM;
        out.streamInfoResult = 0;
        out.pictureDecoded = false;
    } else if (probe != Probe::Copy || !probeForCopy(fmt, out)) {
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
