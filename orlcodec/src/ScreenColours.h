#pragma once
// Decoded pictures as a screen shows them: 8-bit BGRA, full range, in the
// colours the picture says it has. SDR pictures go through swscale with the
// matrix and range they are flagged with (BT.709 for HD, BT.601 for SD when
// unflagged); HDR pictures (PQ or HLG) are tone-mapped to BT.709 the way an
// encode to an 8-bit format maps them, so the preview shows what "HDR
// converted to SDR" writes instead of a washed-out picture.
#include "FFmpegPtr.h"
#include "TranscodeColour.h"

#include <cstdint>
#include <string>

struct AVFilterContext;
struct SwsContext;

namespace orl {

class ScreenColours {
public:
    ScreenColours() = default;
    ScreenColours(const ScreenColours &) = delete;
    ScreenColours &operator=(const ScreenColours &) = delete;

    // Converts frame into w x h BGRA pixels at dst (dstStride bytes a row).
    bool convert(const AVFrame *frame, int w, int h, uint8_t *dst, int dstStride);
    // Forgets the converters (a new file, or to free their memory).
    void reset();

private:
    bool convertSdr(const AVFrame *frame, int w, int h, uint8_t *dst, int dstStride);
    bool convertHdr(const AVFrame *frame, int w, int h, uint8_t *dst, int dstStride);
    bool buildGraph(const AVFrame *frame, const VideoColour &colour, int w, int h);

    SwsContextPtr m_sws;
    std::string m_swsKey; // what m_sws was made for
    FilterGraphPtr m_graph;
    AVFilterContext *m_in = nullptr;
    AVFilterContext *m_out = nullptr;
    FramePtr m_mapped;
    std::string m_graphKey;
    bool m_graphFailed = false; // no tone mapping here: shown as SDR instead
};

// The swscale coefficient set (SWS_CS_*) for a picture's matrix; pictures
// that do not say take BT.709 from 720 lines up, BT.601 below.
int swsMatrixOf(const AVFrame *frame);

// Gives an initialised YUV-to-RGB scaler the matrix (SWS_CS_*) to convert
// with, keeping its ranges.
void setSwsMatrix(SwsContext *sws, int matrix);

// Whether a picture is full range (flagged so, or one of the "J" formats).
bool fullRangeOf(const AVFrame *frame);

} // namespace orl
