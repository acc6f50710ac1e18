#pragma once
// Shared body of the block fuzz targets: the input is a file image; the
// block parses it and, when it accepts it, writes a fixed set of items into
// the image (a copy in memory) and parses the result again.
#include "TagBlock.h"
#include "TagStream.h"
#include "TagText.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <ogg/ogg.h>
#include <string>
#include <vector>

namespace fuzzblock {

// Mutations almost always break the page checksums, and pages with a bad
// checksum are skipped by the page synchronisation: the checksums of every
// page-like run of bytes are set right first so that the mutations reach
// the packet and comment parsing.
inline void fixOggChecksums(std::vector<uint8_t> &image)
{
    size_t pos = 0;
    while (pos + 27 <= image.size()) {
        if (std::memcmp(image.data() + pos, "OggS", 4) != 0) {
            ++pos;
            continue;
        }
        const size_t segments = image[pos + 26];
        if (pos + 27 + segments > image.size())
            break;
        size_t body = 0;
        for (size_t i = 0; i < segments; ++i)
            body += image[pos + 27 + i];
        if (pos + 27 + segments + body > image.size())
            break;
        ogg_page page;
        page.header = image.data() + pos;
        page.header_len = long(27 + segments);
        page.body = image.data() + pos + 27 + segments;
        page.body_len = long(body);
        ogg_page_checksum_set(&page);
        pos += 27 + segments + body;
    }
}

inline void addItems(TagItemList &items, int slot, const uint8_t *data, size_t size)
{
    auto text = [&](int kind, const std::u16string &value) {
        const std::vector<uint8_t> bytes = tagtext::utf16leBytes(value);
        items.add(slot, kind, ValueText, int(bytes.size()), bytes.data());
    };
    text(KindTitle, u"Fuzz title \u00e9\u2603");
    text(KindArtist, u"Artist");
    text(KindGenre, u"(17)(RX)");
    text(KindTrack, u"3/12");
    text(KindComment, std::u16string(300, u'c'));
    // A cover taken from the input itself, behind a PNG signature, so that
    // odd picture headers reach the picture probing.
    std::vector<uint8_t> cover = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    cover.insert(cover.end(), data, data + (size < 512 ? size : 512));
    items.add(slot, KindCover, ValueBinary, int(cover.size()), cover.data());
}

template <typename Block>
int runImage(std::vector<uint8_t> image, const uint8_t *data, size_t size)
{
    MemoryTagStream stream(std::move(image), int64_t(size) + (4 << 20));
    Block block(stream);
    if (!block.valid())
        return 0;
    // Saving what was read must work on whatever the parser accepted.
    block.save();
    block.reload();
    block.items().clear();
    addItems(block.items(), block.slot(), data, size);
    block.save();
    block.reload();
    block.items().clear();
    block.save();
    return 0;
}

template <typename Block>
int run(const uint8_t *data, size_t size)
{
    return runImage<Block>(std::vector<uint8_t>(data, data + size), data, size);
}

} // namespace fuzzblock
