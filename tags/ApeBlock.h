#pragma once
// APEv2 tag at the end of the file (in front of an ID3v1 record).
#include "TagBlock.h"

class ApeBlock final : public TagBlock {
public:
    explicit ApeBlock(TagStream &stream);
    int reload() override;
    int save() override;
    bool hasTag() const { return m_tagLength > 0; }
    int64_t tagPosition() const { return m_tagPosition; }
    int64_t tagLength() const { return m_tagLength; }

private:
    bool parse(int64_t footerPosition);

    int64_t m_tagPosition = 0;
    int64_t m_tagLength = 0;
};
