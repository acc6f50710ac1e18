#pragma once
// The colours of an encoding: what the source's pictures are (primaries,
// transfer, matrix, range, depth and, for HDR, the mastering display and
// content light level), and what the output does with them.
//
// An HDR source (PQ or HLG transfer) encoded by an encoder that writes
// 10-bit pictures in a format that carries HDR (HEVC, VP9, AV1) keeps its
// 10 bits, its colour description and its metadata. Any other encoder gets
// the pictures tone-mapped to BT.709 SDR and tagged so. SDR sources keep
// whatever their pictures are.
#include "FFmpegPtr.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/mastering_display_metadata.h>
}

#include <string>

namespace orl {

struct InterruptFlags;

struct VideoColour {
    AVColorPrimaries primaries = AVCOL_PRI_UNSPECIFIED;
    AVColorTransferCharacteristic transfer = AVCOL_TRC_UNSPECIFIED;
    AVColorSpace matrix = AVCOL_SPC_UNSPECIFIED;
    AVColorRange range = AVCOL_RANGE_UNSPECIFIED;
    // Where the chroma samples sit against the luma samples: a picture
    // rebuilt with another siting has its colours shifted by half a pixel.
    AVChromaLocation chromaLocation = AVCHROMA_LOC_UNSPECIFIED;
    int bitDepth = 8;
    bool hasMastering = false;
    AVMasteringDisplayMetadata mastering{};
    bool hasLight = false;
    AVContentLightMetadata light{};
    // How the pictures are scanned: containers often call interlaced
    // pictures progressive, so the first picture is asked when they do.
    AVFieldOrder fieldOrder = AV_FIELD_UNKNOWN;

    bool interlaced() const { return fieldOrder != AV_FIELD_UNKNOWN && fieldOrder != AV_FIELD_PROGRESSIVE; }
    bool topFieldFirst() const { return fieldOrder == AV_FIELD_TT || fieldOrder == AV_FIELD_TB; }
    bool hdr() const { return transfer == AVCOL_TRC_SMPTE2084 || transfer == AVCOL_TRC_ARIB_STD_B67; }
};

enum class HdrHandling {
    None,  // an SDR source: nothing to do
    Keep,  // HDR in, HDR out: 10 bits, colours and metadata kept
    ToSdr, // HDR in, 8-bit SDR out: tone-mapped to BT.709
};

// Whether the encoder writes HDR: a 10-bit 4:2:0 picture of a codec whose
// formats carry the HDR description.
bool encoderKeepsHdr(const AVCodec *codec);

HdrHandling hdrHandling(const VideoColour &source, const AVCodec *encoder);

// The source stream's colours from its parameters and side data. An HDR
// stream that keeps its mastering display or light level in the pictures
// (HEVC's SEI) gets them from its first key frame, read and decoded here:
// the demuxer is left wherever that read ended.
VideoColour readSourceColour(AVFormatContext *ctx, int stream, InterruptFlags *irq);

// The colours a decoded picture carries (its flags and side data).
VideoColour colourOfFrame(const AVFrame *frame);

// Tone mapping of HDR pictures to BT.709 SDR, shared by encoding and the
// preview so both show the same: the zscale options naming the source's
// colours ("transferin=…:primariesin=…:", empty where unknown), and the
// tonemap filter's options, its peak in units of SDR white from the
// content's light level, else the mastering display's, HLG relative to a
// 1000 cd/m2 display.
std::string zscaleSourceOptions(const VideoColour &colour);
std::string toneMapOptions(const VideoColour &colour);

// Whether the encoder writes interlaced pictures field by field.
bool encoderKeepsInterlace(const AVCodec *codec);

// Adds the x265 options that write the colours and the HDR metadata into
// the stream (libx265 reads no metadata from the pictures) to params.
void appendX265Colour(std::string &params, const VideoColour &colour);

// Attaches the mastering display and light level to an output stream, for
// the containers that describe them in their headers (MP4, Matroska).
bool attachHdrSideData(AVStream *st, const VideoColour &colour);

} // namespace orl
