#include "AsfBlock.h"

#include "TagIo.h"
#include "TagText.h"

#include <array>
#include <cstring>

namespace {

using Guid = std::array<uint8_t, 16>;

constexpr int64_t kMaxHeaderSize = int64_t(64) << 20;

constexpr uint8_t hexValue(char c)
{
    return uint8_t(c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10);
}

// The binary form of a GUID text: the first three fields little-endian.
constexpr Guid guid(const char (&s)[37])
{
    Guid g{};
    const int order[16] = {3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};
    const int textPos[16] = {0, 2, 4, 6, 9, 11, 14, 16, 19, 21, 24, 26, 28, 30, 32, 34};
    for (int i = 0; i < 16; ++i)
        g[size_t(i)] = uint8_t((hexValue(s[textPos[order[i]]]) << 4) | hexValue(s[textPos[order[i]] + 1]));
    return g;
}

constexpr Guid kHeader = guid("75B22630-668E-11CF-A6D9-00AA0062CE6C");
constexpr Guid kFileProperties = guid("8CABDCA1-A947-11CF-8EE4-00C00C205365");
constexpr Guid kContentDescription = guid("75B22633-668E-11CF-A6D9-00AA0062CE6C");
constexpr Guid kExtendedContentDescription = guid("D2D0A440-E307-11D2-97F0-00A0C95EA850");
constexpr Guid kHeaderExtension = guid("5FBF03B5-A92E-11CF-8EE3-00C00C205365");
constexpr Guid kMetadataLibrary = guid("44231C94-9498-49D1-A141-1D134E457054");
constexpr Guid kReserved1 = guid("ABD3D211-A9BA-11CF-8EE6-00C00C205365");

bool isGuid(const uint8_t *p, const Guid &g)
{
    return std::memcmp(p, g.data(), 16) == 0;
}

struct Name {
    const char16_t *name;
    int kind;
};

const Name kReadNames[] = {
    {u"WM/AlbumTitle", KindAlbum}, {u"WM/Genre", KindGenre}, {u"WM/GenreID", KindGenre},
    {u"WM/Year", KindYear}, {u"WM/TrackNumber", KindTrack}, {u"WM/Track", KindTrack},
    {u"WM/Lyrics", KindLyrics}, {u"WM/Picture", KindCover}, {u"WM/ProviderCopyright", KindCopyright}};

const char16_t *writeName(int kind)
{
    switch (kind) {
    case KindAlbum: return u"WM/AlbumTitle";
    case KindGenre: return u"WM/Genre";
    case KindYear: return u"WM/Year";
    case KindTrack: return u"WM/TrackNumber";
    case KindLyrics: return u"WM/Lyrics";
    case KindCover: return u"WM/Picture";
    default: return nullptr;
    }
}

// UTF-16LE bytes with a two-byte terminator, cut to at most 65,534 bytes.
std::vector<uint8_t> asfString(const std::u16string &text)
{
    std::vector<uint8_t> v = tagtext::utf16leBytes(text.size() > 32766 ? text.substr(0, 32766) : text);
    v.push_back(0);
    v.push_back(0);
    return v;
}

std::vector<uint8_t> pictureValue(const TagItem &item)
{
    const char *mime = tagtext::pictureMime(tagtext::pictureFormat(item.bytes(), size_t(item.length)));
    tagio::ByteWriter w;
    w.u8(3);
    w.le32(uint32_t(item.length));
    w.raw(asfString(std::u16string(mime, mime + std::strlen(mime))));
    w.le16(0);
    w.raw(item.bytes(), size_t(item.length));
    return std::move(w.bytes);
}

} // namespace

AsfBlock::AsfBlock(TagStream &stream) : TagBlock(stream, SlotAsf)
{
    m_valid = parse() >= 0;
}

int AsfBlock::reload()
{
    const int r = parse();
    m_valid = r >= 0;
    return r;
}

int AsfBlock::parse()
{
    m_items.clear();
    m_hasDescription = false;
    const int64_t fileSize = m_stream.size();
    uint8_t h[30];
    if (fileSize < 30 || !tagio::readAt(m_stream, 0, h, sizeof h) || !isGuid(h, kHeader))
        return -1;
    const uint64_t headerSize = tagio::le64(h + 16);
    m_objectCount = tagio::le32(h + 24);
    if (headerSize < 30 || headerSize > uint64_t(fileSize) || headerSize > uint64_t(kMaxHeaderSize)
        || m_objectCount < 1)
        return -1;
    m_headerSize = int64_t(headerSize);
    std::vector<uint8_t> header;
    if (!tagio::readVector(m_stream, 0, size_t(headerSize), header))
        return -1;
    size_t pos = 30;
    while (header.size() - pos >= 24) {
        const uint8_t *o = header.data() + pos;
        const uint64_t size = tagio::le64(o + 16);
        if (size < 24 || size > header.size() - pos)
            break;
        if (isGuid(o, kContentDescription)) {
            m_hasDescription = true;
            parseContentDescription(o + 24, size_t(size) - 24);
        } else if (isGuid(o, kExtendedContentDescription)) {
            m_hasDescription = true;
            parseDescriptors(o + 24, size_t(size) - 24);
        } else if (isGuid(o, kHeaderExtension) && size >= 46) {
            const uint64_t dataSize = tagio::le32(o + 42);
            const size_t end = size_t(dataSize < size - 46 ? dataSize : size - 46);
            const uint8_t *d = o + 46;
            for (size_t sub = 0; end - sub >= 24;) {
                const uint64_t subSize = tagio::le64(d + sub + 16);
                if (subSize < 24 || subSize > end - sub)
                    break;
                if (isGuid(d + sub, kMetadataLibrary)) {
                    const int before = m_items.count();
                    parseMetadataLibrary(d + sub + 24, size_t(subSize) - 24);
                    if (m_items.count() != before)
                        m_hasDescription = true;
                }
                sub += size_t(subSize);
            }
        }
        pos += size_t(size);
    }
    return 0;
}

void AsfBlock::parseContentDescription(const uint8_t *p, size_t n)
{
    if (n < 10)
        return;
    static const int kinds[5] = {KindTitle, KindArtist, KindCopyright, KindComment, -1};
    size_t pos = 10;
    for (int i = 0; i < 5; ++i) {
        const size_t length = tagio::le16(p + 2 * i);
        if (length > n - pos)
            return;
        if (kinds[i] >= 0)
            addText(kinds[i], tagtext::utf16Decode(p + pos, length, false));
        pos += length;
    }
}

void AsfBlock::addValue(const std::u16string &name, int type, const uint8_t *p, size_t n)
{
    int kind = -1;
    for (const Name &entry : kReadNames)
        if (name == entry.name)
            kind = entry.kind;
    if (kind < 0)
        return;
    if (kind == KindCover) {
        if (type != 1 || n < 5)
            return;
        const uint32_t length = tagio::le32(p + 1);
        size_t pos = 5;
        for (int s = 0; s < 2; ++s) { // MIME type, description
            while (pos + 1 < n && (p[pos] | p[pos + 1]))
                pos += 2;
            pos += 2;
            if (pos > n)
                return;
        }
        if (length <= n - pos)
            addBinary(KindCover, p + pos, length);
        return;
    }
    std::u16string text;
    switch (type) {
    case 0: text = tagtext::utf16Decode(p, n, false); break;
    case 3: if (n >= 4) { const std::string s = std::to_string(tagio::le32(p)); text.assign(s.begin(), s.end()); } break;
    case 4: if (n >= 8) { const std::string s = std::to_string(tagio::le64(p)); text.assign(s.begin(), s.end()); } break;
    case 5: if (n >= 2) { const std::string s = std::to_string(tagio::le16(p)); text.assign(s.begin(), s.end()); } break;
    default: return;
    }
    if (kind == KindGenre)
        text = tagtext::expandGenreReferences(text);
    addText(kind, text);
}

void AsfBlock::parseDescriptors(const uint8_t *p, size_t n)
{
    if (n < 2)
        return;
    const unsigned count = tagio::le16(p);
    size_t pos = 2;
    for (unsigned i = 0; i < count; ++i) {
        if (n - pos < 2)
            return;
        const size_t nameLength = tagio::le16(p + pos);
        pos += 2;
        if (n - pos < nameLength + 4)
            return;
        const std::u16string name = tagtext::utf16Decode(p + pos, nameLength, false);
        pos += nameLength;
        const int type = tagio::le16(p + pos);
        const size_t valueLength = tagio::le16(p + pos + 2);
        pos += 4;
        if (n - pos < valueLength)
            return;
        addValue(name, type, p + pos, valueLength);
        pos += valueLength;
    }
}

void AsfBlock::parseMetadataLibrary(const uint8_t *p, size_t n)
{
    if (n < 2)
        return;
    const unsigned count = tagio::le16(p);
    size_t pos = 2;
    for (unsigned i = 0; i < count; ++i) {
        if (n - pos < 12)
            return;
        const size_t nameLength = tagio::le16(p + pos + 4);
        const int type = tagio::le16(p + pos + 6);
        const uint64_t dataLength = tagio::le32(p + pos + 8);
        pos += 12;
        if (n - pos < nameLength || n - pos - nameLength < dataLength)
            return;
        const std::u16string name = tagtext::utf16Decode(p + pos, nameLength, false);
        pos += nameLength;
        addValue(name, type, p + pos, size_t(dataLength));
        pos += size_t(dataLength);
    }
}

int AsfBlock::save()
{
    prune(kindRange(KindTitle, KindCover));
    if (!m_valid)
        return -1;
    if (m_items.count() == 0 && !m_hasDescription)
        return 1;
    std::vector<uint8_t> old;
    if (!tagio::readVector(m_stream, 0, size_t(m_headerSize), old))
        return -1;

    const TagItem *texts[KindCount] = {};
    for (int i = 0; i < m_items.count(); ++i)
        texts[m_items.at(i).kind] = &m_items.at(i);

    tagio::ByteWriter w;
    w.raw(kHeader.data(), 16);
    w.le64(0);
    w.le32(0);
    w.u8(old[28]);
    w.u8(old[29]);
    uint32_t count = 0;
    size_t filePropertiesAt = 0;
    const uint8_t *oldExtension = nullptr;
    size_t oldExtensionSize = 0;
    for (size_t pos = 30; old.size() - pos >= 24;) {
        const uint8_t *o = old.data() + pos;
        const uint64_t size = tagio::le64(o + 16);
        if (size < 24 || size > old.size() - pos)
            break;
        if (isGuid(o, kHeaderExtension) && size >= 46 && !oldExtension) {
            oldExtension = o;
            oldExtensionSize = size_t(size);
        } else if (!isGuid(o, kContentDescription) && !isGuid(o, kExtendedContentDescription)) {
            if (isGuid(o, kFileProperties) && size >= 48)
                filePropertiesAt = w.size();
            w.raw(o, size_t(size));
            ++count;
        }
        pos += size_t(size);
    }

    // Content Description: title, author, copyright, description, rating.
    const int cdKinds[4] = {KindTitle, KindArtist, KindCopyright, KindComment};
    if (texts[KindTitle] || texts[KindArtist] || texts[KindCopyright] || texts[KindComment]) {
        std::vector<uint8_t> strings[4];
        for (int i = 0; i < 4; ++i)
            if (texts[cdKinds[i]])
                strings[i] = asfString(texts[cdKinds[i]]->text());
        const size_t start = w.size();
        w.raw(kContentDescription.data(), 16);
        w.le64(0);
        for (const auto &s : strings)
            w.le16(uint32_t(s.size()));
        w.le16(0);
        for (const auto &s : strings)
            w.raw(s);
        w.patchLe64(start + 16, w.size() - start);
        ++count;
    }

    std::vector<uint8_t> largePicture;
    {
        tagio::ByteWriter d;
        unsigned descriptors = 0;
        for (int i = 0; i < m_items.count(); ++i) {
            const TagItem &item = m_items.at(i);
            const char16_t *name = writeName(item.kind);
            if (!name)
                continue;
            std::vector<uint8_t> value;
            if (item.kind == KindCover) {
                value = pictureValue(item);
                const char *mime = tagtext::pictureMime(tagtext::pictureFormat(item.bytes(), size_t(item.length)));
                const size_t mimeBytes = 2 * (std::strlen(mime) + 1);
                if (mimeBytes + size_t(item.length) + 9 > 65535) {
                    largePicture = std::move(value);
                    continue;
                }
            } else {
                value = asfString(item.text());
            }
            const std::vector<uint8_t> nameBytes = asfString(name);
            d.le16(uint32_t(nameBytes.size()));
            d.raw(nameBytes);
            d.le16(item.kind == KindCover ? 1 : 0);
            d.le16(uint32_t(value.size()));
            d.raw(value);
            ++descriptors;
        }
        if (descriptors) {
            const size_t start = w.size();
            w.raw(kExtendedContentDescription.data(), 16);
            w.le64(0);
            w.le16(descriptors);
            w.raw(d.bytes);
            w.patchLe64(start + 16, w.size() - start);
            ++count;
        }
    }

    if (oldExtension || !largePicture.empty()) {
        const size_t start = w.size();
        w.raw(kHeaderExtension.data(), 16);
        w.le64(0);
        if (oldExtension) {
            w.raw(oldExtension + 24, 18);
        } else {
            w.raw(kReserved1.data(), 16);
            w.le16(6);
        }
        w.le32(0);
        const size_t dataStart = w.size();
        if (oldExtension) {
            const uint64_t dataSize = tagio::le32(oldExtension + 42);
            const size_t end = size_t(dataSize < oldExtensionSize - 46 ? dataSize : oldExtensionSize - 46);
            const uint8_t *d = oldExtension + 46;
            for (size_t sub = 0; end - sub >= 24;) {
                const uint64_t subSize = tagio::le64(d + sub + 16);
                if (subSize < 24 || subSize > end - sub)
                    break;
                if (!isGuid(d + sub, kMetadataLibrary))
                    w.raw(d + sub, size_t(subSize));
                sub += size_t(subSize);
            }
        }
        if (!largePicture.empty()) {
            if (largePicture.size() > 0xFFFFFFFFu)
                return -1;
            const std::vector<uint8_t> nameBytes = asfString(u"WM/Picture");
            const size_t mlStart = w.size();
            w.raw(kMetadataLibrary.data(), 16);
            w.le64(0);
            w.le16(1);
            w.le16(0);
            w.le16(0);
            w.le16(uint32_t(nameBytes.size()));
            w.le16(1);
            w.le32(uint32_t(largePicture.size()));
            w.raw(nameBytes);
            w.raw(largePicture);
            w.patchLe64(mlStart + 16, w.size() - mlStart);
        }
        if (w.size() - dataStart > 0xFFFFFFFFu)
            return -1;
        w.patchLe32(dataStart - 4, uint32_t(w.size() - dataStart));
        w.patchLe64(start + 16, w.size() - start);
        ++count;
    }

    w.patchLe64(16, w.size());
    w.patchLe32(24, count);
    const int64_t growth = int64_t(w.size()) - m_headerSize;
    if (filePropertiesAt) {
        uint8_t *fileSize = w.bytes.data() + filePropertiesAt + 40;
        // Unsigned arithmetic: a hostile size field must not overflow.
        tagio::setLe64(fileSize, tagio::le64(fileSize) + uint64_t(growth));
    }
    if (!tagio::replaceRegion(m_stream, 0, m_headerSize, w.bytes))
        return -1;
    m_headerSize = int64_t(w.size());
    m_objectCount = count;
    m_hasDescription = m_items.count() > 0;
    return 0;
}
