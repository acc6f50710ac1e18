#pragma once
// VORBIS_COMMENT and PICTURE metadata blocks of a native FLAC file.
#include "TagBlock.h"

#include <string>

class FlacBlock final : public TagBlock {
public:
    explicit FlacBlock(TagStream &stream);
    int reload() override;
    int save() override;

private:
    int parse();

    struct OldBlock {
        int64_t position; // of the 4-byte block header
        uint32_t length;  // body length
        int type;
    };
    int64_t m_flacPosition = 0;
    int64_t m_metadataLength = 0; // from "fLaC" to the end of the last block
    std::vector<OldBlock> m_blocks;
    std::string m_vendor;
};
