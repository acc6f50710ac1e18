#pragma once
// The comment header of the first logical stream of an Ogg Vorbis file.
#include "TagBlock.h"

#include <string>
#include <vector>

class OggVorbisBlock final : public TagBlock {
public:
    explicit OggVorbisBlock(TagStream &stream);
    int reload() override;
    int save() override;

private:
    int parse();
    // Raises the sequence number of every page of our stream from `from` on.
    bool renumberPages(int64_t from, int64_t difference);

    std::string m_vendor;
    uint32_t m_serial = 0;
    int64_t m_headerPagesPosition = 0; // first page after the one with the identification header
    int64_t m_headerPagesLength = 0;
    int m_headerPageCount = 0;
    uint32_t m_firstSequence = 0;
    int64_t m_lastGranule = 0;
    uint8_t m_lastFlags = 0;
    bool m_hadItems = false;
    // The packets laid out in the header pages; [0] is the comment header.
    std::vector<std::vector<uint8_t>> m_packets;
};
