#pragma once
// The iTunes-style item list of an MP4 file (moov/udta/meta/ilst).
#include "TagBlock.h"

class Mp4Block final : public TagBlock {
public:
    explicit Mp4Block(TagStream &stream);
    int reload() override;
    int save() override;

private:
    int parse();
    void parseIlst(const uint8_t *p, size_t n);
    // Moves every stco/co64 entry that points behind moov's start by delta.
    bool fixChunkOffsets(int64_t delta);

    int64_t m_moovPosition = 0;
    int64_t m_moovSize = 0;
    int m_moovHeader = 8;       // 8, or 16 with a 64-bit size
    int m_extendedSizeLength = 0; // 8 when moov has a 64-bit size
    int64_t m_udtaPosition = 0;
    int64_t m_udtaSize = 0;     // 0 = no udta
    // Fragments address their data from moof boxes, which the offset
    // fix-up does not know: such a moov may only grow when nothing follows.
    bool m_fragmented = false;
    bool m_moovIsLast = false;
};
