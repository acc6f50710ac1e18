#include "RiffInfoBlock.h"

#include "TagIo.h"
#include "TagText.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint32_t kMaxSubChunk = 8u << 20;

struct InfoId {
    const char *id;
    int kind;
};

const InfoId kReadIds[] = {
    {"INAM", KindTitle}, {"TITL", KindTitle}, {"IART", KindArtist}, {"IPRD", KindAlbum},
    {"IGNR", KindGenre}, {"GENR", KindGenre}, {"ICRD", KindYear}, {"YEAR", KindYear},
    {"IPRT", KindTrack}, {"ITRK", KindTrack}, {"TRCK", KindTrack}, {"ICMT", KindComment},
    {"CMNT", KindComment}, {"COMM", KindComment}, {"ICOP", KindCopyright}};

const char *const kWriteIds[] = {"INAM", "IART", "IPRD", "IGNR", "ICRD", "IPRT", "ICMT", "ICOP"};

} // namespace

RiffInfoBlock::RiffInfoBlock(TagStream &stream) : TagBlock(stream, SlotRiffInfo)
{
    m_valid = parse() >= 0;
}

int RiffInfoBlock::reload()
{
    const int r = parse();
    m_valid = r >= 0;
    return r;
}

int RiffInfoBlock::parse()
{
    m_items.clear();
    m_listPosition = 0;
    m_listLength = 0;
    const int64_t size = m_stream.size();
    uint8_t h[12];
    if (size < 12 || !tagio::readAt(m_stream, 0, h, sizeof h) || std::memcmp(h, "RIFF", 4) != 0
        || std::memcmp(h + 8, "WAVE", 4) != 0)
        return -1;
    m_riffSize = tagio::le32(h + 4);
    const int64_t end = std::min<int64_t>(int64_t(m_riffSize) + 8, size);
    tagio::ReadAhead reader(m_stream);
    for (int64_t pos = 12; pos + 8 <= end;) {
        uint8_t c[12];
        if (!reader.readAt(pos, c, 8))
            break;
        const uint32_t chunkSize = tagio::le32(c + 4);
        const int64_t next = pos + 8 + int64_t(chunkSize) + (chunkSize & 1);
        if (std::memcmp(c, "LIST", 4) == 0 && chunkSize >= 4 && next <= size
            && reader.readAt(pos + 8, c + 8, 4) && std::memcmp(c + 8, "INFO", 4) == 0) {
            m_listPosition = pos;
            m_listLength = next - pos;
            for (int64_t sub = pos + 12; sub + 8 <= pos + 8 + int64_t(chunkSize);) {
                uint8_t s[8];
                if (!reader.readAt(sub, s, 8))
                    break;
                const uint32_t subSize = tagio::le32(s + 4);
                if (subSize > kMaxSubChunk || sub + 8 + int64_t(subSize) > pos + 8 + int64_t(chunkSize))
                    break;
                for (const InfoId &id : kReadIds) {
                    if (std::memcmp(s, id.id, 4) != 0)
                        continue;
                    std::vector<uint8_t> text;
                    if (tagio::readVector(m_stream, sub + 8, subSize, text)) {
                        const size_t len = size_t(std::find(text.begin(), text.end(), 0) - text.begin());
                        addText(id.kind, tagtext::legacyToUtf16(reinterpret_cast<const char *>(text.data()), len));
                    }
                    break;
                }
                sub += 8 + int64_t(subSize) + (subSize & 1);
            }
            break;
        }
        if (next <= pos)
            break;
        pos = next;
    }
    return 0;
}

int RiffInfoBlock::save()
{
    prune(kindRange(KindTitle, KindCopyright));
    int64_t position = m_listPosition;
    int64_t oldLength = m_listLength;
    std::vector<uint8_t> list;
    if (m_items.count() == 0) {
        if (oldLength == 0)
            return 1;
    } else {
        tagio::ByteWriter w;
        w.ascii("LIST");
        w.le32(0);
        w.ascii("INFO");
        for (int i = 0; i < m_items.count(); ++i) {
            const TagItem &item = m_items.at(i);
            const std::string text = tagtext::utf16ToLegacy(item.text());
            const size_t withTerminator = text.size() + 1;
            w.ascii(kWriteIds[item.kind]);
            w.le32(uint32_t((withTerminator + 1) & ~size_t(1)));
            w.raw(text.data(), text.size());
            w.u8(0);
            if (withTerminator & 1)
                w.u8(0);
        }
        w.patchLe32(4, uint32_t(w.size() - 8));
        list = std::move(w.bytes);
    }
    if (oldLength == 0)
        position = int64_t(m_riffSize) + 8;
    const int64_t newRiffSize = int64_t(m_riffSize) + int64_t(list.size()) - oldLength;
    if (newRiffSize < 4 || newRiffSize > 0xFFFFFFFFll)
        return -1;
    if (!tagio::replaceRegion(m_stream, position, oldLength, list))
        return -1;
    uint8_t riffSize[4];
    tagio::setLe32(riffSize, uint32_t(newRiffSize));
    if (!tagio::writeAt(m_stream, 4, riffSize, sizeof riffSize))
        return -1;
    m_riffSize = uint32_t(newRiffSize);
    m_listPosition = list.empty() ? 0 : position;
    m_listLength = int64_t(list.size());
    return 0;
}
