#include "OggVorbisBlock.h"

#include "TagIo.h"
#include "VorbisComment.h"

#include <cstring>
#include <ogg/ogg.h>

namespace {

// The header pages are held in memory; a comment beyond this is refused.
constexpr int64_t kMaxHeaderBytes = int64_t(64) << 20;
constexpr size_t kMaxLacing = 255;

// Walks the pages of a stream from a position with libogg's page
// synchronisation, which checks every page's checksum and skips garbage.
class PageWalker {
public:
    PageWalker(TagStream &s, int64_t from) : m_stream(s), m_readPosition(from), m_pagePosition(from)
    {
        ogg_sync_init(&m_sync);
    }
    ~PageWalker() { ogg_sync_clear(&m_sync); }
    PageWalker(const PageWalker &) = delete;
    PageWalker &operator=(const PageWalker &) = delete;

    // The next valid page and its position; false at the end.
    bool next(ogg_page &page, int64_t &position)
    {
        for (;;) {
            const long r = ogg_sync_pageseek(&m_sync, &page);
            if (r > 0) {
                position = m_pagePosition;
                m_pagePosition += r;
                return true;
            }
            if (r < 0) {
                m_pagePosition += -r;
                continue;
            }
            char *buffer = ogg_sync_buffer(&m_sync, 4096);
            if (!buffer || m_stream.seek(m_readPosition) != m_readPosition)
                return false;
            const int64_t got = m_stream.read(buffer, 4096);
            if (got <= 0)
                return false;
            ogg_sync_wrote(&m_sync, long(got));
            m_readPosition += got;
        }
    }

private:
    TagStream &m_stream;
    ogg_sync_state m_sync;
    int64_t m_readPosition;
    int64_t m_pagePosition;
};

struct PageLayout {
    std::vector<uint8_t> lacing;
    std::vector<uint8_t> body;
    bool continued = false;
    bool packetEnds = false;
};

// Lays packets out over pages of at most 255 lacing values; the packets of
// one call share pages, a new call starts a new page.
void layoutPackets(const std::vector<const std::vector<uint8_t> *> &packets, std::vector<PageLayout> &pages)
{
    PageLayout page;
    bool midPacket = false;
    for (const std::vector<uint8_t> *packet : packets) {
        size_t remaining = packet->size();
        size_t offset = 0;
        for (;;) {
            if (page.lacing.size() == kMaxLacing) {
                pages.push_back(std::move(page));
                page = PageLayout();
                page.continued = midPacket;
            }
            const size_t piece = remaining < 255 ? remaining : 255;
            page.lacing.push_back(uint8_t(piece));
            page.body.insert(page.body.end(), packet->begin() + long(offset), packet->begin() + long(offset + piece));
            offset += piece;
            remaining -= piece;
            midPacket = true;
            if (piece < 255) {
                midPacket = false;
                page.packetEnds = true;
                break;
            }
        }
    }
    if (!page.lacing.empty())
        pages.push_back(std::move(page));
}

std::vector<uint8_t> pageBytes(const PageLayout &layout, uint8_t flags, int64_t granule, uint32_t serial,
                               uint32_t sequence)
{
    tagio::ByteWriter w;
    w.ascii("OggS");
    w.u8(0);
    w.u8(flags);
    w.le64(uint64_t(granule));
    w.le32(serial);
    w.le32(sequence);
    w.le32(0);
    w.u8(uint32_t(layout.lacing.size()));
    w.raw(layout.lacing);
    const size_t headerLength = w.size();
    w.raw(layout.body);
    ogg_page page;
    page.header = w.bytes.data();
    page.header_len = long(headerLength);
    page.body = w.bytes.data() + headerLength;
    page.body_len = long(layout.body.size());
    ogg_page_checksum_set(&page);
    return std::move(w.bytes);
}

} // namespace

OggVorbisBlock::OggVorbisBlock(TagStream &stream) : TagBlock(stream, SlotOggVorbis)
{
    m_valid = parse() >= 0;
}

int OggVorbisBlock::reload()
{
    const int r = parse();
    m_valid = r >= 0;
    return r;
}

int OggVorbisBlock::parse()
{
    m_items.clear();
    m_packets.clear();
    m_vendor.clear();
    m_hadItems = false;
    m_headerPageCount = 0;
    uint8_t capture[4];
    if (!tagio::readAt(m_stream, 0, capture, 4) || std::memcmp(capture, "OggS", 4) != 0)
        return -1;
    PageWalker walker(m_stream, 0);
    ogg_page page;
    int64_t position = 0;
    if (!walker.next(page, position) || position != 0 || !ogg_page_bos(&page))
        return -1;
    m_serial = uint32_t(ogg_page_serialno(&page));
    ogg_stream_state stream;
    if (ogg_stream_init(&stream, int(m_serial)) != 0)
        return -1;
    struct StreamGuard {
        ogg_stream_state *s;
        ~StreamGuard() { ogg_stream_clear(s); }
    } guard{&stream};
    ogg_packet packet;
    if (ogg_stream_pagein(&stream, &page) != 0 || ogg_stream_packetout(&stream, &packet) != 1 || packet.bytes < 7
        || packet.packet[0] != 1 || std::memcmp(packet.packet + 1, "vorbis", 6) != 0)
        return -1;
    // The identification header must have its page to itself.
    if (ogg_stream_packetout(&stream, &packet) != 0 || page.header[27 + page.header[26] - 1] == 255)
        return -1;
    int64_t expected = page.header_len + page.body_len;
    m_headerPagesPosition = expected;
    bool haveSetup = false;
    while (!haveSetup) {
        if (!walker.next(page, position) || position != expected || uint32_t(ogg_page_serialno(&page)) != m_serial
            || expected - m_headerPagesPosition > kMaxHeaderBytes)
            return -1;
        if (m_headerPageCount == 0)
            m_firstSequence = uint32_t(ogg_page_pageno(&page));
        ++m_headerPageCount;
        expected += page.header_len + page.body_len;
        m_lastGranule = ogg_page_granulepos(&page);
        m_lastFlags = page.header[5];
        if (ogg_stream_pagein(&stream, &page) != 0)
            return -1;
        for (;;) {
            const int r = ogg_stream_packetout(&stream, &packet);
            if (r == 0)
                break;
            if (r < 0)
                return -1;
            m_packets.emplace_back(packet.packet, packet.packet + packet.bytes);
        }
        if (m_packets.size() >= 2) {
            haveSetup = true;
            // The pages are rebuilt from whole packets, so the last one must
            // not carry the start of a packet that goes on.
            if (page.header[26] == 0 || page.header[27 + page.header[26] - 1] == 255)
                return -1;
        }
    }
    m_headerPagesLength = expected - m_headerPagesPosition;
    const std::vector<uint8_t> &comment = m_packets[0];
    if (comment.size() < 7 || comment[0] != 3 || std::memcmp(comment.data() + 1, "vorbis", 6) != 0
        || m_packets[1].size() < 7 || m_packets[1][0] != 5)
        return -1;
    parseVorbisComment(
        comment.data() + 7, comment.size() - 7, m_vendor,
        [this](int kind, const std::u16string &text) { addText(kind, text); },
        [this](const std::vector<uint8_t> &picture) { addBinary(KindCover, picture.data(), picture.size()); });
    m_hadItems = m_items.count() > 0;
    return 0;
}

int OggVorbisBlock::save()
{
    prune(kindRange(KindTitle, KindCover));
    if (!m_valid)
        return -1;
    if (m_items.count() == 0 && !m_hadItems)
        return 1;
    std::vector<uint8_t> comment = {3, 'v', 'o', 'r', 'b', 'i', 's'};
    const std::vector<uint8_t> body = buildVorbisComment(m_items, m_vendor, VorbisVariant::Ogg);
    comment.insert(comment.end(), body.begin(), body.end());
    comment.push_back(1);

    size_t lacingNeeded = 0;
    for (size_t i = 0; i < m_packets.size(); ++i)
        lacingNeeded += (i == 0 ? comment.size() : m_packets[i].size()) / 255 + 1;
    std::vector<PageLayout> layout;
    if (lacingNeeded <= kMaxLacing) {
        std::vector<const std::vector<uint8_t> *> all = {&comment};
        for (size_t i = 1; i < m_packets.size(); ++i)
            all.push_back(&m_packets[i]);
        layoutPackets(all, layout);
    } else {
        layoutPackets({&comment}, layout);
        std::vector<const std::vector<uint8_t> *> rest;
        for (size_t i = 1; i < m_packets.size(); ++i)
            rest.push_back(&m_packets[i]);
        layoutPackets(rest, layout);
    }
    std::vector<uint8_t> pages;
    for (size_t i = 0; i < layout.size(); ++i) {
        const bool last = i + 1 == layout.size();
        uint8_t flags = layout[i].continued ? 1 : 0;
        if (last)
            flags |= m_lastFlags & 4; // end of stream
        // A page on which no packet ends carries no granule position (-1).
        const int64_t granule = last ? m_lastGranule : (layout[i].packetEnds ? 0 : -1);
        const std::vector<uint8_t> bytes =
            pageBytes(layout[i], flags, granule, m_serial, m_firstSequence + uint32_t(i));
        pages.insert(pages.end(), bytes.begin(), bytes.end());
    }
    if (!tagio::replaceRegion(m_stream, m_headerPagesPosition, m_headerPagesLength, pages))
        return -1;
    const int64_t difference = int64_t(layout.size()) - m_headerPageCount;
    if (difference != 0 && !renumberPages(m_headerPagesPosition + int64_t(pages.size()), difference))
        return -1;
    return reload() < 0 ? -1 : 0;
}

bool OggVorbisBlock::renumberPages(int64_t from, int64_t difference)
{
    PageWalker walker(m_stream, from);
    ogg_page page;
    int64_t position = 0;
    std::vector<uint8_t> header;
    while (walker.next(page, position)) {
        if (uint32_t(ogg_page_serialno(&page)) != m_serial)
            continue;
        header.assign(page.header, page.header + page.header_len);
        tagio::setLe32(header.data() + 18, uint32_t(int64_t(ogg_page_pageno(&page)) + difference));
        ogg_page changed = page;
        changed.header = header.data();
        ogg_page_checksum_set(&changed);
        if (!tagio::writeAt(m_stream, position, header.data(), header.size()))
            return false;
    }
    return true;
}
