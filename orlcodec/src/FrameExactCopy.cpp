#include "FrameExactCopy.h"

#include "CopyInput.h"
#include "CopyOutput.h"
#include "CutVerify.h"
#include "Job.h"
#include "OutputFormat.h"

#include "orlcodec.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/avstring.h>
}

#include <limits>

namespace orl {

namespace {

int videoInput(CopyInput &input)
{
    for (const SelectedStream &s : input.selected())
        if (s.type == AVMEDIA_TYPE_VIDEO && !s.attachedPicture)
            return s.inIndex;
    return -1;
}

} // namespace

int frameExactObstacle(const AVOutputFormat *format, AVCodecID codec, std::string &why)
{
    if (codec == AV_CODEC_ID_NONE) {
        why = "there is no video to cut";
        return ORL_EXACT_NO_VIDEO;
    }
    // Containers whose muxers take the spliced stream's private data as
    // given (a list of parameter sets, or sets carried in the packets).
    if (!format || (!isMovFamily(format) && !av_match_name(format->name, "matroska,mpegts"))) {
        why = std::string("the container ") + (format ? format->name : "?") + " is not written frame-exact";
        return ORL_EXACT_CONTAINER;
    }
    const char *encoder = codec == AV_CODEC_ID_H264 ? "libx264" : codec == AV_CODEC_ID_HEVC ? "libx265" : nullptr;
    if (!encoder || !avcodec_find_encoder_by_name(encoder)) {
        why = std::string("pictures of codec ") + avcodec_get_name(codec) + " cannot be encoded to match the copied ones";
        return ORL_EXACT_CODEC;
    }
    return ORL_EXACT_POSSIBLE;
}

std::unique_ptr<SmartCut> planFrameExact(CopyInput &input, const std::string &src, const AVOutputFormat *format,
                                         uint64_t start_us, uint64_t length_us, Job &job, std::string &why)
{
    const int video = videoInput(input);
    const AVCodecID codec = video < 0 ? AV_CODEC_ID_NONE : input.ctx()->streams[video]->codecpar->codec_id;
    if (frameExactObstacle(format, codec, why) != ORL_EXACT_POSSIBLE)
        return nullptr;
    const int64_t start = input.startTime_us() + static_cast<int64_t>(start_us);
    const int64_t end = length_us > 0 ? start + static_cast<int64_t>(length_us) : std::numeric_limits<int64_t>::max();
    auto cut = std::make_unique<SmartCut>(&job.abortFlag(), job.global());
    if (!cut->prepare(src, video, start, end)) {
        why = cut->reason();
        return nullptr;
    }
    return cut;
}

bool describeFrameExact(const SmartCut &cut, CopyInput &input, CopyOutput &output)
{
    const int video = videoInput(input);
    const std::vector<int> map = input.outputMap();
    if (video < 0 || map[video] < 0)
        return false;
    return cut.describe(output.ctx()->streams[map[video]]->codecpar);
}

bool checkFrameExact(const SmartCut &cut, const std::string &dst, double minPsnr, Job &job, std::string &why)
{
    CutExpectation expect;
    expect.pictures = cut.expectedPictures();
    expect.first = cut.firstPicture();
    expect.last = cut.lastPicture();
    expect.minPsnr = minPsnr;
    expect.lightFrom = cut.lightFrom();
    expect.lightTo = cut.lightTo();
    expect.skipFrom = cut.skipFrom();
    expect.skipTo = cut.skipTo();
    return verifyCut(dst, expect, &job.abortFlag(), job.global(), why);
}

} // namespace orl
