#pragma once
// From a parameter set to opened encoders: which encoder a legacy codec
// identifier means, and how size, rate, bit rate and the quality preset
// become encoder options.
//
// Quality (the preset value handed over as video/audio quality): 90 is
// "High Quality", anything else the normal preset. It only matters when no
// bit rate is given; then each encoder family gets its own constant-quality
// setting:
//
//   encoder                         high (90)   normal
//   libx264 crf                     20          26
//   libx265 crf                     22          30
//   libvpx / libvpx-vp9 crf         20          32
//   libtheora, mpeg1/2/4, msmpeg4,
//   wmv1/2, flv, h263, mjpeg qscale 3           6
//   lossy audio bit rate            192 kbit/s  128 kbit/s
//
// A given bit rate always wins (average bit rate, as the profiles mean it).
#include "ParamSet.h"
#include "TranscodeColour.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <string>

namespace orl {

// The encoder of a legacy identifier for an output container; identifier 0
// means the container's own default codec. Null with error set when the
// identifier is unknown or no encoder for it is built in.
const AVCodec *findEncoder(int legacyId, AVMediaType type, const AVOutputFormat *format, std::string &error);

// What the video encoder will be fed.
struct VideoEncoderInput {
    int width = 0;
    int height = 0;
    AVRational frameRate{25, 1};
    AVPixelFormat sourceFormat = AV_PIX_FMT_YUV420P;
    // Pictures keep their own times (variable frame timing); frameRate is
    // then only the rate control's guide.
    bool ownTiming = false;
    AVRational sar{1, 1}; // shape of the pixels
    // The source's colours and what becomes of its HDR: kept, the encoder
    // writes 10 bits with the source's description and metadata; turned to
    // SDR, it is told BT.709.
    VideoColour colour;
    HdrHandling hdr = HdrHandling::None;
    // Interlaced pictures coded as fields, in the source's field order.
    bool interlaced = false;
};

// Whether an encode keeps each picture's own time rather than making the
// frame rate constant: the user chose no rate, the source's timing is
// variable (its stream rate and its average disagree), and both the
// container and the encoder carry times of any spacing.
bool keepsOwnTiming(const ParamValues &v, AVRational streamRate, AVRational averageRate, const AVCodec *codec,
                    const AVOutputFormat *format);

// Sets up and opens a video encoder context. False with error set.
bool openVideoEncoder(AVCodecContext *ctx, const AVCodec *codec, const ParamValues &v,
                      const VideoEncoderInput &in, const AVOutputFormat *format, std::string &error);

// Sets up and opens an audio encoder context; sample rate and channels are
// the parameter set's, moved to the nearest the encoder supports.
bool openAudioEncoder(AVCodecContext *ctx, const AVCodec *codec, const ParamValues &v, int sourceRate,
                      int sourceChannels, const AVOutputFormat *format, std::string &error);

// The frame rate the output uses: the parameter set's, else the source's
// (25 when neither is known), moved to a rate the encoder supports.
AVRational outputFrameRate(const ParamValues &v, AVRational source, const AVCodec *codec);

} // namespace orl
