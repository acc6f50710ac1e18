#include "ApeBlock.h"

#include "TagIo.h"
#include "TagText.h"

#include <cstring>
#include <strings.h>

namespace {

constexpr uint32_t kMaxTagSize = (16u << 20) + 32;
constexpr uint32_t kFlagHasHeader = 0x80000000u;
constexpr uint32_t kFlagIsHeader = 0x20000000u;

const char *const kKeys[] = {"Title", "Artist", "Album", "Genre", "Year",
                             "Track", "Comment", "Copyright", "Lyrics", "Cover Art (front)"};

struct ApeHeader {
    uint32_t version = 0;
    uint32_t size = 0;
    uint32_t count = 0;
    uint32_t flags = 0;
};

bool readHeader(TagStream &s, int64_t position, ApeHeader &h)
{
    uint8_t b[32];
    if (!tagio::readAt(s, position, b, sizeof b) || std::memcmp(b, "APETAGEX", 8) != 0)
        return false;
    h.version = tagio::le32(b + 8);
    h.size = tagio::le32(b + 12);
    h.count = tagio::le32(b + 16);
    h.flags = tagio::le32(b + 20);
    return h.version <= 2000 && h.size >= 32 && h.size <= kMaxTagSize && h.count <= 65536;
}

} // namespace

ApeBlock::ApeBlock(TagStream &stream) : TagBlock(stream, SlotApe)
{
    reload();
    // Whether the file is one the tag belongs to is decided by the stream
    // checks of the facade; a file without a tag simply has no items.
    m_valid = true;
}

int ApeBlock::reload()
{
    m_items.clear();
    m_tagPosition = 0;
    m_tagLength = 0;
    const int64_t size = m_stream.size();
    if (size < 32)
        return size < 0 ? -1 : 0;
    if (parse(size - 32))
        return 0;
    uint8_t tag[3];
    if (size >= 160 && tagio::readAt(m_stream, size - 128, tag, 3) && std::memcmp(tag, "TAG", 3) == 0)
        parse(size - 160);
    return 0;
}

bool ApeBlock::parse(int64_t footerPosition)
{
    ApeHeader footer;
    if (!readHeader(m_stream, footerPosition, footer) || (footer.flags & kFlagIsHeader))
        return false;
    const int64_t itemsStart = footerPosition + 32 - int64_t(footer.size);
    if (itemsStart < 0)
        return false;
    int64_t tagStart = itemsStart;
    if (footer.flags & kFlagHasHeader) {
        ApeHeader header;
        tagStart -= 32;
        if (tagStart < 0 || !readHeader(m_stream, tagStart, header) || !(header.flags & kFlagIsHeader))
            return false;
    }
    std::vector<uint8_t> items;
    if (!tagio::readVector(m_stream, itemsStart, size_t(footer.size - 32), items))
        return false;
    m_tagPosition = tagStart;
    m_tagLength = footerPosition + 32 - tagStart;
    size_t pos = 0;
    for (uint32_t i = 0; i < footer.count && pos + 8 < items.size(); ++i) {
        const uint32_t valueLength = tagio::le32(items.data() + pos);
        const uint32_t flags = tagio::le32(items.data() + pos + 4);
        pos += 8;
        const size_t keyStart = pos;
        while (pos < items.size() && items[pos] != 0)
            ++pos;
        if (pos >= items.size())
            break;
        const std::string key(reinterpret_cast<const char *>(items.data() + keyStart), pos - keyStart);
        ++pos;
        if (valueLength > items.size() - pos)
            break;
        const uint8_t *value = items.data() + pos;
        pos += valueLength;
        if (strncasecmp(key.c_str(), "Cover Art", 9) == 0) {
            size_t nameEnd = 0;
            while (nameEnd < valueLength && value[nameEnd] != 0)
                ++nameEnd;
            if (nameEnd + 1 < valueLength)
                addBinary(KindCover, value + nameEnd + 1, valueLength - nameEnd - 1);
            continue;
        }
        if (((flags >> 1) & 3) != 0)
            continue; // binary or external value under a text key
        for (int kind = KindTitle; kind <= KindLyrics; ++kind) {
            if (strcasecmp(key.c_str(), kKeys[kind]) == 0) {
                std::u16string text;
                if (tagtext::utf8ToUtf16(std::string(reinterpret_cast<const char *>(value), valueLength), text))
                    addText(kind, text.substr(0, text.find(u'\0')));
                break;
            }
        }
    }
    return true;
}

int ApeBlock::save()
{
    prune(kindRange(KindTitle, KindCover));
    const int64_t size = m_stream.size();
    if (size < 0)
        return -1;
    if (m_items.count() == 0) {
        if (m_tagLength == 0)
            return 1;
        if (!tagio::resizeRegion(m_stream, m_tagPosition, m_tagLength, 0))
            return -1;
        m_tagLength = 0;
        return 0;
    }
    tagio::ByteWriter body;
    for (int i = 0; i < m_items.count(); ++i) {
        const TagItem &item = m_items.at(i);
        if (item.kind == KindCover) {
            const tagtext::PictureFormat f = tagtext::pictureFormat(item.bytes(), size_t(item.length));
            const char *name = f == tagtext::PicturePng ? "conver.png"
                : f == tagtext::PictureGif              ? "conver.gif"
                : f == tagtext::PictureBmp              ? "conver.bmp"
                                                        : "conver.jpg";
            body.le32(uint32_t(std::strlen(name) + 1 + size_t(item.length)));
            body.le32(2);
            body.ascii(kKeys[KindCover]);
            body.u8(0);
            body.ascii(name);
            body.u8(0);
            body.raw(item.bytes(), size_t(item.length));
            continue;
        }
        const std::string text = tagtext::utf16ToUtf8(item.text());
        body.le32(uint32_t(text.size()));
        body.le32(0);
        body.ascii(kKeys[item.kind]);
        body.u8(0);
        body.raw(text.data(), text.size());
    }
    if (body.size() + 32 > 0xFFFFFFFFu)
        return -1;
    auto header = [&](tagio::ByteWriter &w, uint32_t flags) {
        w.ascii("APETAGEX");
        w.le32(2000);
        w.le32(uint32_t(body.size() + 32));
        w.le32(uint32_t(m_items.count()));
        w.le32(flags);
        w.zeros(8);
    };
    tagio::ByteWriter tag;
    header(tag, 0xA0000000u);
    tag.raw(body.bytes);
    header(tag, 0x80000000u);

    int64_t position = m_tagPosition;
    int64_t oldLength = m_tagLength;
    if (oldLength == 0) {
        position = size;
        uint8_t id3[3];
        if (size >= 128 && tagio::readAt(m_stream, size - 128, id3, 3) && std::memcmp(id3, "TAG", 3) == 0)
            position = size - 128;
    }
    if (!tagio::replaceRegion(m_stream, position, oldLength, tag.bytes))
        return -1;
    m_tagPosition = position;
    m_tagLength = int64_t(tag.size());
    return 0;
}
