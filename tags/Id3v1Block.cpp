#include "Id3v1Block.h"

#include "TagIo.h"
#include "TagText.h"

#include <cstring>

namespace {

std::u16string fieldText(const uint8_t *p, size_t n)
{
    size_t len = 0;
    while (len < n && p[len])
        ++len;
    return tagtext::legacyToUtf16(reinterpret_cast<const char *>(p), len);
}

} // namespace

Id3v1Block::Id3v1Block(TagStream &stream) : TagBlock(stream, SlotId3v1)
{
    reload();
    // The record is optional: the block exists for every file it is made for.
    m_valid = true;
}

int Id3v1Block::reload()
{
    m_items.clear();
    m_hasTag = false;
    const int64_t size = m_stream.size();
    if (size < 128)
        return size < 0 ? -1 : 0;
    uint8_t r[128];
    if (!tagio::readAt(m_stream, size - 128, r, sizeof r))
        return -1;
    if (std::memcmp(r, "TAG", 3) != 0)
        return 0;
    m_hasTag = true;
    addText(KindTitle, fieldText(r + 3, 30));
    addText(KindArtist, fieldText(r + 33, 30));
    addText(KindAlbum, fieldText(r + 63, 30));
    addText(KindYear, fieldText(r + 93, 4));
    size_t commentLength = 30;
    if (r[125] == 0) {
        commentLength = 28;
        if (r[126] != 0) {
            const std::string number = std::to_string(r[126]);
            addText(KindTrack, std::u16string(number.begin(), number.end()));
        }
    }
    while (commentLength > 0 && (r[97 + commentLength - 1] == ' ' || r[97 + commentLength - 1] == 0))
        --commentLength;
    addText(KindComment, fieldText(r + 97, commentLength));
    if (r[127] < tagtext::kGenreCount) {
        const char *name = tagtext::id3v1GenreNames[r[127]];
        addText(KindGenre, tagtext::latin1ToUtf16(name, std::strlen(name)));
    }
    return 0;
}

size_t Id3v1Block::cutLength(const std::string &text, size_t field)
{
    if (text.size() <= field)
        return text.size();
    size_t i = 0;
    while (i < field && i < text.size()) {
        const size_t step = (static_cast<unsigned char>(text[i]) & 0x80) ? 2 : 1;
        if (i + step > field)
            break;
        i += step;
    }
    return i;
}

int Id3v1Block::save()
{
    prune(kindRange(KindTitle, KindComment));
    const int64_t size = m_stream.size();
    if (size < 0)
        return -1;
    if (m_items.count() == 0) {
        if (!m_hasTag)
            return 1;
        if (size < 128 || !m_stream.resize(size - 128))
            return -1;
        m_hasTag = false;
        return 0;
    }
    uint8_t r[128] = {};
    std::memcpy(r, "TAG", 3);
    r[125] = 0x20;
    r[127] = 255;
    bool trackPlaced = false;
    auto place = [&r](const std::u16string &text, size_t offset, size_t field, uint8_t pad) {
        const std::string legacy = tagtext::utf16ToLegacy(text);
        const size_t n = cutLength(legacy, field);
        std::memset(r + offset, pad, field);
        std::memcpy(r + offset, legacy.data(), n);
    };
    for (int i = 0; i < m_items.count(); ++i) {
        const TagItem &item = m_items.at(i);
        const std::u16string text = item.text();
        switch (item.kind) {
        case KindTitle: place(text, 3, 30, 0); break;
        case KindArtist: place(text, 33, 30, 0); break;
        case KindAlbum: place(text, 63, 30, 0); break;
        case KindYear: place(text, 93, 4, 0); break;
        case KindComment: place(text, 97, trackPlaced ? 28 : 30, ' '); break;
        case KindTrack: {
            const long long n = tagtext::leadingNumber(text);
            if (n >= 0 && n <= 255) {
                r[126] = uint8_t(n);
                r[125] = 0;
                trackPlaced = true;
            }
            break;
        }
        case KindGenre: {
            const int index = tagtext::genreIndex(text);
            r[127] = uint8_t(index < 0 ? 12 : index);
            break;
        }
        default: break;
        }
    }
    if (r[124] == 0 && r[126] == 0 && r[125] == 0x20)
        r[125] = 0;
    const int64_t position = m_hasTag ? size - 128 : size;
    if (!tagio::writeAt(m_stream, position, r, sizeof r))
        return -1;
    m_hasTag = true;
    return 0;
}
