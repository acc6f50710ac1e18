#pragma once
// The 128-byte ID3v1 record at the end of the file.
#include "TagBlock.h"

class Id3v1Block final : public TagBlock {
public:
    explicit Id3v1Block(TagStream &stream);
    int reload() override;
    int save() override;
    bool hasTag() const { return m_hasTag; }

    // Cuts a legacy text to at most `field` bytes, never keeping the first
    // byte of a two-byte character as the last byte.
    static size_t cutLength(const std::string &text, size_t field);

private:
    bool m_hasTag = false;
};
