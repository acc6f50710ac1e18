// What a lossless cut writes into its output's headers about how the
// pictures look (aspect, colours and range, chroma siting, field order):
// judged against the ffmpeg CLI's stream copy of the same range, both
// outputs read back by the demuxer alone, so what is compared is what the
// headers say, not what a decoder finds in the pictures.
#include "CopyCut.h"
#include "TestSupport.h"
#include "orlcodec.h"

#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/pixdesc.h>
}

#include <string>

using testsupport::fixture;
using testsupport::ProcessResult;
using testsupport::runProcess;

namespace {

std::string ratio(AVRational r)
{
    if (r.num == 0 || r.den == 0)
        return "unknown";
    av_reduce(&r.num, &r.den, r.num, r.den, 1 << 30);
    return std::to_string(r.num) + ":" + std::to_string(r.den);
}

std::string name(const char *n)
{
    return n ? n : "?";
}

// The first picture stream as the file's headers describe it, one line
// per property so a difference names itself.
std::string headerLook(const QString &path)
{
    AVFormatContext *ctx = nullptr;
    if (avformat_open_input(&ctx, path.toUtf8().constData(), nullptr, nullptr) < 0)
        return "cannot open";
    std::string out = "no picture stream";
    for (unsigned i = 0; i < ctx->nb_streams; ++i) {
        const AVStream *st = ctx->streams[i];
        const AVCodecParameters *p = st->codecpar;
        if (p->codec_type != AVMEDIA_TYPE_VIDEO || (st->disposition & AV_DISPOSITION_ATTACHED_PIC))
            continue;
        out = "size " + std::to_string(p->width) + "x" + std::to_string(p->height)
            + "\npicture aspect " + ratio(p->sample_aspect_ratio)
            + "\nstream aspect " + ratio(st->sample_aspect_ratio)
            + "\nrange " + name(av_color_range_name(p->color_range))
            + "\nprimaries " + name(av_color_primaries_name(p->color_primaries))
            + "\ntransfer " + name(av_color_transfer_name(p->color_trc))
            + "\nmatrix " + name(av_color_space_name(p->color_space))
            + "\nchroma siting " + name(av_chroma_location_name(p->chroma_location))
            + "\nfield order " + std::to_string(p->field_order);
        break;
    }
    avformat_close_input(&ctx);
    return out;
}


} // namespace

TEST(CopyLook, OutputHeadersDescribeThePicturesAsTheCliCopyDoes)
{
    QTemporaryDir dir;
    struct Container {
        const char *format, *suffix;
    };
    const Container containers[] = {{"mp4", "mp4"}, {"matroska", "mkv"}, {"mov", "mov"}};
    // Sources whose parameter sets tell the look (sample aspect, colours
    // only there, full range, chroma siting, 4:2:2 10-bit, 4:4:4, no aspect
    // at all), a container aspect that overrides the parameter sets', colours
    // in the container, and ones the copy must probe in full (interlaced
    // H.264, HEVC, a cover picture beside the video).
    for (const char *source : {"look_vui.mp4", "look_full_range.mkv", "look_422_10.mkv", "look_444.mov",
                               "look_no_sar.mp4", "look_aspect_set.mp4", "look_colr.mp4", "look_interlaced.mkv",
                               "h264_aac.mp4", "long.mkv", "quicktime.mov", "gop_hevc.mp4", "chapters_cover.mp4"}) {
        const QString src = fixture(source);
        for (const Container &c : containers) {
            SCOPED_TRACE(std::string(source) + " into " + c.format);
            const QString ours = dir.filePath(QString("ours_%1.%2").arg(source).arg(c.suffix));
            const QString theirs = dir.filePath(QString("cli_%1.%2").arg(source).arg(c.suffix));
            QString report;
            ASSERT_TRUE(cutRange(src, ours, c.format, 0.2, 0.6, report));
            const ProcessResult r = runProcess("ffmpeg", {"-nostdin", "-v", "error", "-y", "-ss", "0.2", "-i", src,
                                                          "-t", "0.6", "-map", "0:V:0", "-c", "copy", "-f", c.format,
                                                          theirs});
            ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
            EXPECT_EQ(headerLook(ours), headerLook(theirs));
        }
    }
}
