#include "Id3v2Block.h"

#include "TagIo.h"
#include "TagText.h"

#include <cstring>

namespace {

// The frames are read from at most this much tag body; a bigger tag is
// still measured (and replaced) but not parsed.
constexpr int64_t kMaxParsedBody = int64_t(64) << 20;

void removeUnsynchronisation(std::vector<uint8_t> &v)
{
    size_t out = 0;
    for (size_t i = 0; i < v.size(); ++i) {
        v[out++] = v[i];
        if (v[i] == 0xFF && i + 1 < v.size() && v[i + 1] == 0x00)
            ++i;
    }
    v.resize(out);
}

// Length in bytes of a terminated string in the given ID3 encoding,
// including the terminator (or up to n when there is none).
size_t terminatedLength(const uint8_t *p, size_t n, int encoding)
{
    if (encoding == 1 || encoding == 2) {
        for (size_t i = 0; i + 1 < n; i += 2)
            if (p[i] == 0 && p[i + 1] == 0)
                return i + 2;
        return n;
    }
    for (size_t i = 0; i < n; ++i)
        if (p[i] == 0)
            return i + 1;
    return n;
}

std::u16string decodeText(const uint8_t *p, size_t n, int encoding)
{
    switch (encoding) {
    case 0: {
        size_t len = 0;
        while (len < n && p[len])
            ++len;
        return tagtext::latin1ToUtf16(reinterpret_cast<const char *>(p), len);
    }
    case 1: {
        bool bigEndian = false;
        if (n >= 2 && p[0] == 0xFE && p[1] == 0xFF) {
            bigEndian = true;
            p += 2;
            n -= 2;
        } else if (n >= 2 && p[0] == 0xFF && p[1] == 0xFE) {
            p += 2;
            n -= 2;
        }
        return tagtext::utf16Decode(p, n, bigEndian);
    }
    case 2:
        return tagtext::utf16Decode(p, n, true);
    case 3: {
        size_t len = 0;
        while (len < n && p[len])
            ++len;
        std::u16string out;
        if (!tagtext::utf8ToUtf16(std::string(reinterpret_cast<const char *>(p), len), out))
            return tagtext::latin1ToUtf16(reinterpret_cast<const char *>(p), len);
        return out;
    }
    default:
        return {};
    }
}

struct FrameName {
    const char *v3;
    const char *v2;
    int kind;
};

const FrameName kFrames[] = {
    {"TIT2", "TT2", KindTitle},    {"TPE1", "TP1", KindArtist},   {"TALB", "TAL", KindAlbum},
    {"TCON", "TCO", KindGenre},    {"TYER", "TYE", KindYear},     {"TDRC", nullptr, KindYear},
    {"TRCK", "TRK", KindTrack},    {"COMM", "COM", KindComment},  {"TCOP", "TCR", KindCopyright},
    {"USLT", "ULT", KindLyrics},   {"APIC", "PIC", KindCover},    {"TPE2", "TP2", KindAlbumArtist},
    {"TCOM", "TCM", KindComposer}, {"TPOS", "TPA", KindDisc}};

const char *frameIdForKind(int kind)
{
    for (const FrameName &f : kFrames)
        if (f.kind == kind && std::strcmp(f.v3, "TDRC") != 0)
            return f.v3;
    return nullptr;
}

} // namespace

Id3v2Block::Id3v2Block(TagStream &stream) : TagBlock(stream, SlotId3v2)
{
    reload();
    m_valid = true;
}

int64_t Id3v2Block::leadingTagLength(TagStream &stream)
{
    uint8_t h[10];
    if (!tagio::readAt(stream, 0, h, sizeof h) || std::memcmp(h, "ID3", 3) != 0)
        return 0;
    const int64_t size = tagio::synchsafe32(h + 6);
    if (size < 0 || h[3] == 0xFF || h[4] == 0xFF)
        return 0;
    return size + 10 + ((h[5] & 0x10) ? 10 : 0);
}

int Id3v2Block::reload()
{
    m_items.clear();
    m_tagLength = 0;
    m_damaged = false;
    const int64_t fileSize = m_stream.size();
    if (fileSize < 0)
        return -1;
    m_tagLength = leadingTagLength(m_stream);
    if (m_tagLength == 0)
        return 0;
    if (m_tagLength > fileSize) {
        m_damaged = true;
        return 0;
    }
    uint8_t h[10];
    if (!tagio::readAt(m_stream, 0, h, sizeof h))
        return -1;
    const int version = h[3];
    const int64_t bodySize = tagio::synchsafe32(h + 6);
    if (version < 2 || version > 4 || bodySize > kMaxParsedBody)
        return 0;
    std::vector<uint8_t> body;
    if (!tagio::readVector(m_stream, 10, size_t(bodySize), body))
        return -1;
    parseFrames(body, version, h[5]);
    return 0;
}

void Id3v2Block::parseFrames(const std::vector<uint8_t> &rawBody, int version, uint8_t flags)
{
    std::vector<uint8_t> body = rawBody;
    // Versions 2.2 and 2.3 unsynchronise the whole tag; 2.4 does it per frame.
    if ((flags & 0x80) && version < 4)
        removeUnsynchronisation(body);
    if (version == 2 && (flags & 0x40))
        return; // compressed 2.2 tag: no scheme was ever defined
    size_t pos = 0;
    if (version >= 3 && (flags & 0x40)) {
        if (body.size() < 4)
            return;
        if (version == 3) {
            pos = size_t(tagio::be32(body.data())) + 4;
        } else {
            const int64_t ext = tagio::synchsafe32(body.data());
            if (ext < 6)
                return;
            pos = size_t(ext);
        }
        if (pos > body.size())
            return;
    }
    const size_t headerSize = version == 2 ? 6 : 10;
    while (pos + headerSize <= body.size()) {
        const uint8_t *h = body.data() + pos;
        if (h[0] == 0)
            break; // padding
        char id[5] = {};
        std::memcpy(id, h, version == 2 ? 3 : 4);
        uint64_t size;
        uint16_t frameFlags = 0;
        if (version == 2) {
            size = tagio::be24(h + 3);
        } else if (version == 3) {
            size = tagio::be32(h + 4);
            frameFlags = tagio::be16(h + 8);
        } else {
            const int64_t s = tagio::synchsafe32(h + 4);
            // Some writers put plain sizes into 2.4 tags.
            size = s < 0 ? tagio::be32(h + 4) : uint64_t(s);
            frameFlags = tagio::be16(h + 8);
        }
        pos += headerSize;
        if (size > body.size() - pos)
            break;
        const uint8_t *p = body.data() + pos;
        size_t n = size_t(size);
        pos += n;
        std::vector<uint8_t> frame;
        if (version == 3) {
            if (frameFlags & 0x00C0)
                continue; // compressed or encrypted
            if (frameFlags & 0x0020) {
                if (n < 1)
                    continue;
                ++p;
                --n;
            }
        } else if (version == 4) {
            if (frameFlags & 0x000C)
                continue;
            if (frameFlags & 0x0040) {
                if (n < 1)
                    continue;
                ++p;
                --n;
            }
            if (frameFlags & 0x0001) {
                if (n < 4)
                    continue;
                p += 4;
                n -= 4;
            }
            if ((frameFlags & 0x0002) || (flags & 0x80)) {
                frame.assign(p, p + n);
                removeUnsynchronisation(frame);
                p = frame.data();
                n = frame.size();
            }
        }
        parseFrame(id, p, n, version);
    }
}

void Id3v2Block::parseFrame(const char *id, const uint8_t *p, size_t n, int version)
{
    int kind = -1;
    for (const FrameName &f : kFrames) {
        const char *name = version == 2 ? f.v2 : f.v3;
        if (name && std::strcmp(name, id) == 0) {
            kind = f.kind;
            break;
        }
    }
    if (kind < 0 || n < 1)
        return;
    const int encoding = p[0];
    if (encoding > 3)
        return;
    if (kind == KindCover) {
        size_t pos = 1;
        if (version == 2) {
            pos += 3; // image format
        } else {
            pos += terminatedLength(p + pos, n - pos, 0); // MIME type
        }
        if (pos >= n)
            return;
        ++pos; // picture type
        if (pos > n)
            return;
        pos += terminatedLength(p + pos, n - pos, encoding);
        if (pos < n)
            addBinary(KindCover, p + pos, n - pos);
        return;
    }
    if (kind == KindComment || kind == KindLyrics) {
        if (n < 4)
            return;
        size_t pos = 4; // encoding and language
        pos += terminatedLength(p + pos, n - pos, encoding);
        if (pos < n)
            addText(kind, decodeText(p + pos, n - pos, encoding));
        return;
    }
    std::u16string text = decodeText(p + 1, n - 1, encoding);
    if (kind == KindGenre)
        text = tagtext::expandGenreReferences(text);
    addText(kind, text);
}

int Id3v2Block::save()
{
    prune(kindRange(KindTitle, KindComposer) | (1u << KindDisc));
    if (m_damaged)
        return -1;
    if (m_items.count() == 0) {
        if (m_tagLength == 0)
            return 1;
        if (!tagio::resizeRegion(m_stream, 0, m_tagLength, 0))
            return -1;
        m_tagLength = 0;
        return 0;
    }
    tagio::ByteWriter w;
    w.ascii("ID3");
    w.u8(3);
    w.u8(0);
    w.u8(0);
    w.be32(0); // synchsafe size, filled in below
    const std::string language = tagtext::localeLanguageCode();
    for (int i = 0; i < m_items.count(); ++i) {
        const TagItem &item = m_items.at(i);
        const char *id = frameIdForKind(item.kind);
        if (!id)
            continue;
        const size_t start = w.size();
        w.ascii(id);
        w.be32(0);
        w.be16(0);
        if (item.kind == KindCover) {
            const char *mime = tagtext::pictureMime(tagtext::pictureFormat(item.bytes(), size_t(item.length)));
            w.u8(1);
            w.ascii(mime);
            w.u8(0);
            w.u8(3);
            const uint8_t description[] = {0xFF, 0xFE, 0x65, 0x00, 0x00, 0x00};
            w.raw(description, sizeof description);
            w.raw(item.bytes(), size_t(item.length));
        } else if (item.kind == KindComment || item.kind == KindLyrics) {
            w.u8(1);
            w.raw(language.data(), 3);
            const uint8_t description[] = {0xFF, 0xFE, 0x00, 0x00, 0xFF, 0xFE};
            w.raw(description, sizeof description);
            w.raw(item.bytes(), size_t(item.length));
        } else {
            w.u8(1);
            w.u8(0xFF);
            w.u8(0xFE);
            w.raw(item.bytes(), size_t(item.length));
        }
        const uint64_t frameSize = w.size() - start - 10;
        if (frameSize > 0xFFFFFFFFu)
            return -1;
        w.patchBe32(start + 4, uint32_t(frameSize));
    }
    const uint64_t bodySize = w.size() - 10;
    if (bodySize > 0x0FFFFFFF)
        return -1; // beyond what a synchsafe size can say
    w.bytes[6] = uint8_t((bodySize >> 21) & 0x7F);
    w.bytes[7] = uint8_t((bodySize >> 14) & 0x7F);
    w.bytes[8] = uint8_t((bodySize >> 7) & 0x7F);
    w.bytes[9] = uint8_t(bodySize & 0x7F);
    if (!tagio::replaceRegion(m_stream, 0, m_tagLength, w.bytes))
        return -1;
    m_tagLength = int64_t(w.size());
    return 0;
}
