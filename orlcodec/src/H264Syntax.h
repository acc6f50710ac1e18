#pragma once
// Just enough of the H.264 syntax to read and rewrite the reference marking
// of a slice: the few sequence and picture parameter set fields that shape
// a slice header, the header up to its end, and a writer that puts a header
// back together with other marking commands and the slice data unchanged.
#include "NalUnits.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace orl {

struct H264Sps {
    int id = -1;
    int chromaArrayType = 1;
    bool separateColourPlane = false;
    int log2MaxFrameNum = 4;
    int pocType = 0;
    int log2MaxPocLsb = 4;
    bool deltaPicOrderAlwaysZero = false;
    int maxNumRefFrames = 1;
    bool frameMbsOnly = true;
};

// How the pictures of a sequence parameter set look: what a decoder tells
// of them without decoding one (profile, sampling, aspect, colours).
struct H264SpsLook {
    int profileIdc = 0;
    int constraintFlags = 0;        // constraint_set0..5 as bits 7..2 of the byte
    int levelIdc = 0;
    int chromaFormatIdc = 1;        // 0 monochrome, 1 4:2:0, 2 4:2:2, 3 4:4:4
    int bitDepthLuma = 8;
    int bitDepthChroma = 8;
    bool frameMbsOnly = true;
    bool vui = false;               // the rest is only read when true
    bool aspectInfo = false;
    int aspectIdc = 0;
    int sarWidth = 0;               // aspectIdc 255 only
    int sarHeight = 0;
    bool videoSignalType = false;
    bool fullRange = false;
    bool colourDescription = false;
    int colourPrimaries = 2;
    int transferCharacteristics = 2;
    int matrixCoefficients = 2;
    bool chromaLocInfo = false;
    int chromaLocTop = 0;
    bool picStructPresent = false;
};

struct H264Pps {
    int id = -1;
    int spsId = -1;
    bool cabac = false;
    bool bottomFieldPicOrderPresent = false;
    int numSliceGroupsMinus1 = 0;
    int numRefIdxL0DefaultMinus1 = 0;
    int numRefIdxL1DefaultMinus1 = 0;
    bool weightedPred = false;
    int weightedBipredIdc = 0;
    bool redundantPicCntPresent = false;
    bool deblockingFilterControlPresent = false;
};

// One memory management control operation of a slice's reference marking.
struct MarkingOp {
    int op = 0;
    long a = 0; // 1, 3: difference_of_pic_nums_minus1; 2: long_term_pic_num; 4: max_long_term_frame_idx_plus1; 6: long_term_frame_idx
    long b = 0; // 3: long_term_frame_idx
};

struct H264SliceHeader {
    int nalType = 0;
    int refIdc = 0;
    int sliceType = 0; // 0 P, 1 B, 2 I, 3 SP, 4 SI
    int ppsId = -1;
    int frameNum = 0;
    bool adaptive = false;          // adaptive_ref_pic_marking_mode_flag
    std::vector<MarkingOp> ops;     // without the closing 0
    // Bit positions in the unescaped payload.
    size_t markingStart = 0;        // first bit of dec_ref_pic_marking (refIdc != 0)
    size_t markingEnd = 0;
    size_t headerEnd = 0;           // first bit after slice_qp_delta and the deblocking fields
};

// Payload without emulation prevention bytes, and back.
Bytes unescapeNal(const uint8_t *data, size_t size);
Bytes escapeNal(const Bytes &rbsp);

bool parseH264Sps(const uint8_t *nal, size_t size, H264Sps &out);
bool parseH264Pps(const uint8_t *nal, size_t size, H264Pps &out);
// False when the set cannot be read to the end of its VUI.
bool readH264SpsLook(const uint8_t *nal, size_t size, H264SpsLook &out);
// How many pictures a sequence parameter set says may wait for reordering
// (max_num_reorder_frames); -1 when it does not say.
int h264ReorderDepth(const uint8_t *nal, size_t size);
// The parameter set with that reordering depth (and a picture buffer large
// enough for it); empty when the set cannot be read.
Bytes h264WithReorderDepth(const uint8_t *nal, size_t size, int depth);
// nal is the escaped unit as stored (header byte first). False when the
// header cannot be read or uses features not handled here (field pictures,
// slice groups), so the slice is left as it is.
bool parseH264Slice(const uint8_t *nal, size_t size, const H264Sps &sps, const H264Pps &pps, H264SliceHeader &out);
// The slice with its reference marking replaced: adaptive marking with ops
// (sliding window when ops is empty and adaptive is false). The escaped
// unit, or empty when it cannot be rewritten.
Bytes rewriteH264Marking(const uint8_t *nal, size_t size, const H264SliceHeader &header, const H264Pps &pps, bool adaptive,
                         const std::vector<MarkingOp> &ops);

} // namespace orl
