#include "FlacBlock.h"

#include "Id3v2Block.h"
#include "TagIo.h"
#include "TagText.h"
#include "VorbisComment.h"

#include <cstring>

namespace {

constexpr int kStreamInfo = 0;
constexpr int kVorbisComment = 4;
constexpr int kPicture = 6;
constexpr size_t kMaxBlocks = 4096;
constexpr uint32_t kMaxBlockLength = 0xFFFFFF;

} // namespace

FlacBlock::FlacBlock(TagStream &stream) : TagBlock(stream, SlotFlac)
{
    m_valid = parse() >= 0;
}

int FlacBlock::reload()
{
    const int r = parse();
    m_valid = r >= 0;
    return r;
}

int FlacBlock::parse()
{
    m_items.clear();
    m_blocks.clear();
    m_vendor.clear();
    const int64_t fileSize = m_stream.size();
    m_flacPosition = Id3v2Block::leadingTagLength(m_stream);
    uint8_t h[4];
    if (fileSize < 0 || m_flacPosition > fileSize - 8 || !tagio::readAt(m_stream, m_flacPosition, h, 4)
        || std::memcmp(h, "fLaC", 4) != 0)
        return -1;
    bool streamInfo = false;
    int comments = 0;
    int pictures = 0;
    tagio::ReadAhead reader(m_stream);
    int64_t pos = m_flacPosition + 4;
    for (bool last = false; !last;) {
        if (m_blocks.size() >= kMaxBlocks || pos > fileSize - 4 || !reader.readAt(pos, h, 4))
            return -1;
        last = (h[0] & 0x80) != 0;
        const int type = h[0] & 0x7F;
        const uint32_t length = tagio::be24(h + 1);
        if (int64_t(length) > fileSize - pos - 4)
            return -1;
        m_blocks.push_back({pos, length, type});
        if (type == kStreamInfo && length >= 34) {
            uint8_t info[34];
            if (!reader.readAt(pos + 4, info, sizeof info))
                return -1;
            const uint32_t rate = (uint32_t(info[10]) << 12) | (uint32_t(info[11]) << 4) | (info[12] >> 4);
            if (rate >= 1 && rate <= 655350)
                streamInfo = true;
        } else if ((type == kVorbisComment && comments < 10) || (type == kPicture && pictures < 10)) {
            std::vector<uint8_t> body;
            if (!tagio::readVector(m_stream, pos + 4, length, body))
                return -1;
            if (type == kVorbisComment) {
                ++comments;
                std::string vendor;
                parseVorbisComment(
                    body.data(), body.size(), vendor,
                    [this](int kind, const std::u16string &text) { addText(kind, text); },
                    [this](const std::vector<uint8_t> &picture) { addBinary(KindCover, picture.data(), picture.size()); });
                if (m_vendor.empty())
                    m_vendor = vendor;
            } else {
                ++pictures;
                std::vector<uint8_t> picture;
                if (tagtext::unpackFlacPicture(body.data(), body.size(), picture))
                    addBinary(KindCover, picture.data(), picture.size());
            }
        }
        pos += 4 + int64_t(length);
    }
    if (!streamInfo)
        return -1;
    m_metadataLength = pos - m_flacPosition;
    return 0;
}

int FlacBlock::save()
{
    prune(kindRange(KindTitle, KindCover));
    if (!m_valid)
        return -1;
    bool hadTag = false;
    for (const OldBlock &b : m_blocks)
        hadTag = hadTag || b.type == kVorbisComment || b.type == kPicture;
    if (m_items.count() == 0 && !hadTag)
        return 1;

    tagio::ByteWriter w;
    w.ascii("fLaC");
    size_t lastHeader = 0;
    for (const OldBlock &b : m_blocks) {
        if (b.type == kVorbisComment || b.type == kPicture)
            continue;
        lastHeader = w.size();
        const size_t at = w.size();
        w.zeros(4 + b.length);
        if (!tagio::readAt(m_stream, b.position, w.bytes.data() + at, 4 + b.length))
            return -1;
        w.bytes[at] &= 0x7F;
    }
    auto addBlock = [&w, &lastHeader](int type, const std::vector<uint8_t> &body) {
        if (body.size() > kMaxBlockLength)
            return; // a block length has 24 bits
        lastHeader = w.size();
        w.u8(uint32_t(type));
        w.u8(uint32_t(body.size() >> 16));
        w.be16(uint32_t(body.size() & 0xFFFF));
        w.raw(body);
    };
    if (m_items.count() > 0) {
        std::string vendor = m_vendor;
        if (vendor.size() > 60) {
            size_t cut = 60;
            // Never leave half of a UTF-8 character behind.
            while (cut > 0 && (static_cast<unsigned char>(vendor[cut]) & 0xC0) == 0x80)
                --cut;
            vendor.resize(cut);
        }
        addBlock(kVorbisComment, buildVorbisComment(m_items, vendor, VorbisVariant::Flac));
        for (int i = 0; i < m_items.count(); ++i) {
            const TagItem &item = m_items.at(i);
            if (item.kind == KindCover)
                addBlock(kPicture, tagtext::flacPictureStructure(item.bytes(), size_t(item.length)));
        }
    }
    if (lastHeader == 0)
        return -1; // no STREAMINFO was copied: never write a stream without one
    w.bytes[lastHeader] |= 0x80;
    if (!tagio::replaceRegion(m_stream, m_flacPosition, m_metadataLength, w.bytes))
        return -1;
    return reload() < 0 ? -1 : 0;
}
