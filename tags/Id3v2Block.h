#pragma once
// The ID3v2 tag at the start of the file. Reads versions 2.2 to 2.4 and
// always writes version 2.3.
#include "TagBlock.h"

class Id3v2Block final : public TagBlock {
public:
    explicit Id3v2Block(TagStream &stream);
    int reload() override;
    int save() override;
    int64_t tagLength() const { return m_tagLength; }

    // Length of a leading ID3v2 tag (header, body and footer), 0 without
    // one; the length may reach beyond the end of a damaged file.
    static int64_t leadingTagLength(TagStream &stream);

private:
    void parseFrames(const std::vector<uint8_t> &body, int version, uint8_t flags);
    void parseFrame(const char *id, const uint8_t *p, size_t n, int version);

    int64_t m_tagLength = 0;
    // The old tag claims more bytes than the file has: replacing it would
    // destroy audio, so the block refuses to write.
    bool m_damaged = false;
};
