#pragma once
// The LIST/INFO chunk of a RIFF WAVE file.
#include "TagBlock.h"

class RiffInfoBlock final : public TagBlock {
public:
    explicit RiffInfoBlock(TagStream &stream);
    int reload() override;
    int save() override;

private:
    int parse();

    uint32_t m_riffSize = 0;
    int64_t m_listPosition = 0;
    int64_t m_listLength = 0; // with header and pad byte; 0 = no list
};
