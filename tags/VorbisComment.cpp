#include "VorbisComment.h"

#include "TagIo.h"
#include "TagText.h"

#include <cstring>
#include <strings.h>

namespace {

constexpr size_t kMaxValue = 8u << 20;

const char *const kWriteKeys[] = {"TITLE", "ARTIST", "ALBUM", "GENRE", "DATE",
                                  "TRACKNUMBER", "COMMENT", "COPYRIGHT", "LYRICIST",
                                  "METADATA_BLOCK_PICTURE"};

struct Key {
    const char *key;
    int kind;
};

const Key kReadKeys[] = {
    {"TITLE", KindTitle}, {"ARTIST", KindArtist}, {"AUTHOR", KindArtist}, {"PERFORMER", KindArtist},
    {"ALBUM", KindAlbum}, {"GENRE", KindGenre}, {"DATE", KindYear}, {"YEAR", KindYear},
    {"TRACKNUMBER", KindTrack}, {"COMMENT", KindComment}, {"DESCRIPTION", KindComment},
    {"COPYRIGHT", KindCopyright}, {"LYRICIST", KindLyrics}, {"METADATA_BLOCK_PICTURE", KindCover}};

} // namespace

std::vector<uint8_t> buildVorbisComment(const TagItemList &items, const std::string &oldVendor,
                                        VorbisVariant variant)
{
    std::string vendor = oldVendor;
    if (vendor.empty())
        vendor = variant == VorbisVariant::Ogg    ? "Xiph.Org libVorbis I 20120203 (Omnipresent)"
            : variant == VorbisVariant::Flac      ? "reference libFLAC 1.2.1 20070917"
                                                  : "libnone";
    tagio::ByteWriter w;
    w.le32(uint32_t(vendor.size()));
    w.raw(vendor.data(), vendor.size());
    w.le32(0);
    uint32_t count = 0;
    for (int i = 0; i < items.count(); ++i) {
        const TagItem &item = items.at(i);
        if (item.kind < KindTitle || item.kind > KindCover)
            continue;
        std::string value;
        if (item.kind == KindCover) {
            if (variant == VorbisVariant::Flac)
                continue;
            const std::vector<uint8_t> picture = tagtext::flacPictureStructure(item.bytes(), size_t(item.length));
            // Its base64 text must still fit a 32-bit length.
            if (picture.size() > 0xBFFFFF00u)
                continue;
            value = tagtext::base64Encode(picture.data(), picture.size());
        } else {
            value = tagtext::utf16ToUtf8(item.text());
        }
        const std::string field = std::string(kWriteKeys[item.kind]) + "=" + value;
        w.le32(uint32_t(field.size()));
        w.raw(field.data(), field.size());
        ++count;
    }
    w.patchLe32(4 + vendor.size(), count);
    return std::move(w.bytes);
}

bool parseVorbisComment(const uint8_t *p, size_t n, std::string &vendor,
                        const std::function<void(int, const std::u16string &)> &onText,
                        const std::function<void(const std::vector<uint8_t> &)> &onPicture)
{
    if (n < 8)
        return false;
    const uint32_t vendorLength = tagio::le32(p);
    if (vendorLength > n - 8)
        return false;
    vendor.assign(reinterpret_cast<const char *>(p + 4), vendorLength);
    size_t pos = 4 + size_t(vendorLength);
    const uint32_t count = tagio::le32(p + pos);
    pos += 4;
    for (uint32_t i = 0; i < count && n - pos >= 4; ++i) {
        const uint32_t length = tagio::le32(p + pos);
        pos += 4;
        if (length > n - pos)
            break;
        const char *field = reinterpret_cast<const char *>(p + pos);
        pos += length;
        const char *eq = static_cast<const char *>(std::memchr(field, '=', length));
        if (!eq)
            continue;
        const size_t keyLength = size_t(eq - field);
        const size_t valueLength = length - keyLength - 1;
        if (valueLength < 1 || valueLength > kMaxValue)
            continue;
        for (const Key &k : kReadKeys) {
            if (std::strlen(k.key) != keyLength || strncasecmp(field, k.key, keyLength) != 0)
                continue;
            if (k.kind == KindCover) {
                std::vector<uint8_t> structure, picture;
                if (tagtext::base64Decode(eq + 1, valueLength, structure)
                    && tagtext::unpackFlacPicture(structure.data(), structure.size(), picture) && !picture.empty())
                    onPicture(picture);
            } else {
                std::u16string text;
                if (tagtext::utf8ToUtf16(std::string(eq + 1, valueLength), text))
                    onText(k.kind, text);
            }
            break;
        }
    }
    return true;
}
