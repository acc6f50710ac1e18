#pragma once
// The description objects of an ASF (WMA) header.
#include "TagBlock.h"

class AsfBlock final : public TagBlock {
public:
    explicit AsfBlock(TagStream &stream);
    int reload() override;
    int save() override;

private:
    int parse();
    void parseContentDescription(const uint8_t *p, size_t n);
    void parseDescriptors(const uint8_t *p, size_t n);
    void parseMetadataLibrary(const uint8_t *p, size_t n);
    void addValue(const std::u16string &name, int type, const uint8_t *p, size_t n);

    int64_t m_headerSize = 0;
    uint32_t m_objectCount = 0;
    bool m_hasDescription = false;
};
