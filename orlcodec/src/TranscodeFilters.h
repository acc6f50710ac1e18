#pragma once
// The one libavfilter graph of an encoding range, built from a parameter
// set. Its frames carry source times in microseconds (time base 1/1000000,
// 0 = the source's first time), so that trims, text times and subtitles are
// all in the source's timeline; the graph's end moves them to the range's
// own timeline.
//
// Video, in this order:
//   trim to the range -> deinterlacing (when the output does not keep the
//   fields) -> the source's own display rotation (so edits see
//   the picture as players show it) -> crop (or the pan-scan rectangle) -> rotation
//   (quarter turns, clockwise) -> left-right mirror -> aspect: the picture is
//   scaled to the aspect ratio (its own when none is set), an HDR picture
//   going to an SDR encoder tone-mapped to BT.709, and, with padding,
//   centred in the output frame with bars of the fill colour; without
//   padding it is stretched over the whole frame ("Full Screen", pan-scan)
//   -> brightness/contrast/saturation and hue -> overlays: effect, frame,
//   watermark, each its picture and its text in the order textOnTop asks
//   (an effect or frame of type 1 with several frames loops them from its
//   start time)
//   -> subtitles burned in -> speed -> constant frame rate (unless the
//   pictures keep their own times) -> the encoder's pixel format.
// The output frame is the parameter set's size, turned with the picture
// when the rotation is a quarter turn, or the picture's own size when no
// size is set.
//
// Audio: trim -> volume -> fades -> equaliser curve -> speed (pitch kept)
// -> background audio mixed at its weight, delayed to its start, cut at its
// end -> the encoder's rate, layout and sample format (in merges padded with
// silence to the range's length).
#include "FFmpegPtr.h"
#include "OverlayAnimation.h"
#include "ParamSet.h"
#include "TranscodeColour.h"

extern "C" {
#include <libavfilter/avfilter.h>
}

#include <memory>
#include <string>
#include <vector>

namespace orl {

struct Geometry {
    int cropX = 0, cropY = 0, cropW = 0, cropH = 0; // source pixels
    bool cropped = false;
    int frameW = 0, frameH = 0;                      // output frame
    int boxX = 0, boxY = 0, boxW = 0, boxH = 0;      // picture inside the frame
    AVRational sar{1, 1};                            // shape of the output's pixels
};

// Placement of the picture for a source shown as w x h (sample aspect
// sar, after its own display rotation). A fixed frame (merges after their
// first range) overrides the size rule.
// With keepPixels, a frame of the source's own size keeps the source's
// pixel shape (an anamorphic picture stays anamorphic instead of being
// squeezed between bars); a fixed frame keeps fixedSar.
Geometry computeGeometry(const ParamValues &v, int w, int h, AVRational sar, int fixedW = 0, int fixedH = 0,
                         bool keepPixels = false, AVRational fixedSar = AVRational{1, 1});

struct VideoSourceDesc {
    int width = 0, height = 0; // as stored
    AVPixelFormat format = AV_PIX_FMT_NONE;
    AVRational sar{1, 1};
    int rotation = 0;          // clockwise turn the source asks players to show it with
};

struct AudioSourceDesc {
    int sampleRate = 0;
    AVSampleFormat format = AV_SAMPLE_FMT_NONE;
    AVChannelLayout layout{};
};

struct GraphPlan {
    const ParamValues *params = nullptr;
    std::string sourcePath;      // for subtitles burned from the source itself
    int subtitleStream = -1;     // position among the source's subtitle streams
    int64_t start_us = 0;        // range in source time
    int64_t end_us = 0;          // 0 = open
    int64_t outLength_us = 0;    // range length in output time, 0 = unknown
    bool padSound = false;       // sound padded with silence to outLength_us (merges keep in step)
    // The track plan's shift of the sound, already in the frames' times: the
    // graph fills what it opens at the start with silence and keeps the
    // sound as long as the range.
    int64_t audioShift_us = 0;
    // A player's pictures: the edits only, without the range trim, the
    // retiming and the constant frame rate, so each picture in gives one
    // picture out with its own time (the preview shows what the encoder
    // writes for that source time).
    bool preview = false;
    // A player's sound starts wherever playing starts (source time): the
    // background is placed from there, while fades keep to the range.
    int64_t previewAt_us = 0;
    // video (absent when width is 0)
    VideoSourceDesc video;
    Geometry geometry;
    AVRational frameRate{25, 1};
    bool ownTiming = false;      // pictures keep their times: no constant rate
    AVPixelFormat outFormat = AV_PIX_FMT_YUV420P;
    // The source's colours; with toneMap its HDR pictures become BT.709 SDR
    // right after scaling, before bars, adjustments and overlays.
    VideoColour colour;
    bool toneMap = false;
    // The other way: an SDR picture going into an HDR output (a later range
    // of a merge whose first range was HDR) is put into the output's
    // colours, BT.2020 with its PQ or HLG transfer, SDR white at 203 cd/m2.
    AVColorTransferCharacteristic hdrOut = AVCOL_TRC_UNSPECIFIED;
    // Interlaced pictures the encoder gets as whole pictures: deinterlaced
    // first (one picture per frame, motion-adaptive), so no edit, scaling
    // or retiming ever mixes two fields.
    bool deinterlace = false;
    // audio (absent when outRate is 0); no source audio means silence
    bool haveAudioSource = false;
    AudioSourceDesc audio;
    int outRate = 0;
    AVSampleFormat outSampleFormat = AV_SAMPLE_FMT_FLTP;
    AVChannelLayout outLayout{};
    int outFrameSize = 0;        // samples per encoder frame, 0 = any
    // background audio (absent when its rate is 0)
    AudioSourceDesc background;
};

class FilterGraph {
public:
    FilterGraph();
    ~FilterGraph();
    FilterGraph(const FilterGraph &) = delete;
    FilterGraph &operator=(const FilterGraph &) = delete;

    bool build(const GraphPlan &plan, std::string &error);

    // Hands a picture (pts in µs of source time) to videoIn, after giving
    // every animated overlay its frame for that time. Same flags and
    // results as av_buffersrc_add_frame_flags.
    int addVideoFrame(AVFrame *frame, int flags);
    // Ends the pictures at pts: videoIn and the animated overlays' inputs.
    int closeVideo(int64_t pts, int flags);

    AVFilterContext *videoIn = nullptr;
    AVFilterContext *audioIn = nullptr;
    AVFilterContext *backgroundIn = nullptr;
    AVFilterContext *videoOut = nullptr;
    AVFilterContext *audioOut = nullptr;

private:
    struct Pad {
        AVFilterContext *ctx = nullptr;
        int pad = 0;
    };
    bool buildVideo(const GraphPlan &plan, std::string &error);
    bool buildAudio(const GraphPlan &plan, std::string &error);
    bool overlayPicture(Pad &cur, const OverlaySettings &o, int slot, const GraphPlan &plan, std::string &error);
    bool overlayText(Pad &cur, const OverlaySettings &o, const GraphPlan &plan, std::string &error);
    bool burnSubtitles(Pad &cur, const GraphPlan &plan, std::string &error);
    bool toneMapToSdr(Pad &cur, const GraphPlan &plan, std::string &error);
    bool sdrIntoHdr(Pad &cur, const GraphPlan &plan, std::string &error);

    // Appends a filter with numeric arguments to the chain at cur.
    bool chain(Pad &cur, const char *filter, const std::string &args, std::string &error);
    // Creates a filter whose string options are set one by one (no escaping).
    AVFilterContext *create(const char *filter, const std::vector<std::pair<std::string, std::string>> &options,
                            std::string &error);
    bool link(Pad &from, AVFilterContext *to, int toPad, std::string &error);

    // An overlay whose pictures move: its frames are handed in with each
    // picture, chosen by the picture's time (time since start_us).
    struct AnimatedInput {
        AVFilterContext *source = nullptr;
        std::shared_ptr<const OverlayAnimation> animation;
        int64_t start_us = 0;
    };
    std::vector<AnimatedInput> m_animated;
    FilterGraphPtr m_graph;
    int m_count = 0;
};

} // namespace orl
