#pragma once
// An H.264 stream copied from a recovery point (an open group's key frame,
// not an IDR picture), or continued from spliced pictures, reaches the
// decoder without the reference pictures that came before the cut. The
// decoder stands in blank pictures for the missing frame numbers, but the
// copied slices still hold memory-management commands that name pictures
// the stand-ins do not match ("unref short failure"), or leave more
// references than allowed. This follows the reference marking a decoder
// does from the first copied picture on, and rewrites just the commands
// that would fail: they are pointed at a stand-in picture (so the number
// of references stays as the encoder meant) or left out. Slice data is
// not touched.
#include "FFmpegPtr.h"
#include "H264Syntax.h"

#include <cstdint>
#include <map>
#include <vector>

namespace orl {

class H264MarkingRepair {
public:
    // extradata: the copied stream's decoder configuration (avcC or Annex B).
    // afterSplice: the stream begins with encoded pictures (an IDR picture)
    // and the copy follows them, so an IDR start is no reason to stop.
    H264MarkingRepair(const uint8_t *extradata, int size, bool afterSplice);

    // The next video packet of the output, in decoding order; its payload
    // may be replaced. Cheap once done().
    void process(PacketPtr &pkt);
    // Nothing later can name a picture from before the cut.
    bool done() const { return m_done; }
    // Whether the stream began at a recovery point rather than an IDR picture.
    bool startedMidSequence() const { return m_midSequence; }
    int rewritten() const { return m_rewritten; }
    // Pictures that still make a decoder complain (their commands could not
    // be made to fit, or their parameter sets were unreadable).
    int unrepaired() const { return m_unrepaired; }

private:
    struct Ref {
        int frameNum = 0;
        bool standIn = false; // made up by the decoder for a missing frame number
        long longIndex = -1;
    };

    void picture(const H264SliceHeader &h, const H264Sps &sps, bool key, std::vector<MarkingOp> &ops, bool &changed);
    void slidingWindow(const H264Sps &sps);
    int findShort(int frameNum) const;
    int oldestStandIn(int maxFrameNum) const;
    bool hasStandIns() const;

    std::map<int, H264Sps> m_sps;
    std::map<int, H264Pps> m_pps;
    bool m_lengthPrefixed = false;
    int m_lengthSize = 4;

    std::vector<Ref> m_short; // newest first
    std::vector<Ref> m_long;
    int m_prevFrameNum = -1;
    int m_pictures = 0;
    int m_keysAfterRecovery = 0;
    bool m_afterSplice = false;
    bool m_midSequence = false;
    bool m_recoverySeen = false;
    bool m_done = false;
    int m_rewritten = 0;
    int m_unrepaired = 0;
};

} // namespace orl
