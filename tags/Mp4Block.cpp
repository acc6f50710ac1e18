#include "Mp4Block.h"

#include "TagIo.h"
#include "TagText.h"

#include <cstring>

namespace {

// moov is read into memory whole; beyond this size the file is not tagged.
constexpr int64_t kMaxMoovSize = int64_t(256) << 20;

struct Box {
    size_t position = 0; // within the buffer
    uint64_t size = 0;
    size_t header = 8;
    char type[4] = {};
    bool is(const char *t) const { return std::memcmp(type, t, 4) == 0; }
};

// The box at `position` inside [position, end) of a buffer.
bool boxAt(const uint8_t *buf, size_t position, size_t end, Box &b)
{
    if (position > end || end - position < 8)
        return false;
    const uint8_t *p = buf + position;
    uint64_t size = tagio::be32(p);
    size_t header = 8;
    if (size == 1) {
        if (end - position < 16)
            return false;
        size = tagio::be64(p + 8);
        header = 16;
    } else if (size == 0) {
        size = end - position;
    }
    if (size < header || size > end - position)
        return false;
    b.position = position;
    b.size = size;
    b.header = header;
    std::memcpy(b.type, p + 4, 4);
    return true;
}

bool findChild(const uint8_t *buf, size_t from, size_t end, const char *type, Box &out)
{
    Box b;
    for (size_t pos = from; boxAt(buf, pos, end, b); pos += size_t(b.size)) {
        if (b.is(type)) {
            out = b;
            return true;
        }
    }
    return false;
}

bool printable(const uint8_t *t)
{
    for (int i = 0; i < 4; ++i)
        if (t[i] < 0x20 || t[i] == 0x7F)
            if (t[i] != 0xA9)
                return false;
    return true;
}

struct AtomName {
    const char *name;
    int kind;
};

const AtomName kReadNames[] = {
    {"\xA9nam", KindTitle},   {"\xA9" "ART", KindArtist}, {"\xA9" "aut", KindArtist},
    {"\xA9" "alb", KindAlbum}, {"\xA9gen", KindGenre},     {"gnre", KindGenre},
    {"\xA9" "day", KindYear}, {"trkn", KindTrack},        {"\xA9" "cmt", KindComment},
    {"\xA9inf", KindComment}, {"\xA9" "des", KindComment}, {"\xA9" "cpy", KindCopyright},
    {"cprt", KindCopyright},  {"\xA9lyr", KindLyrics},    {"covr", KindCover},
    {"aART", KindAlbumArtist}, {"\xA9wrt", KindComposer},  {"\xA9grp", KindGrouping},
    {"disk", KindDisc}};

const char *const kWriteNames[KindCount] = {
    "\xA9nam", "\xA9" "ART", "\xA9" "alb", "\xA9gen", "\xA9" "day", "trkn", "\xA9" "cmt",
    "\xA9" "cpy", "\xA9lyr", "covr", "aART", "\xA9wrt", "\xA9grp", "disk"};

bool isTopLevelStart(const uint8_t *t)
{
    static const char *const first[] = {"ftyp", "moov", "mdat", "udta", "uuid", "wide",
                                        "free", "junk", "prfl", "skip", "pict", "pnot"};
    for (const char *f : first)
        if (std::memcmp(t, f, 4) == 0)
            return true;
    return false;
}

} // namespace

Mp4Block::Mp4Block(TagStream &stream) : TagBlock(stream, SlotMp4)
{
    m_valid = parse() >= 0;
}

int Mp4Block::reload()
{
    const int r = parse();
    m_valid = r >= 0;
    return r;
}

int Mp4Block::parse()
{
    m_items.clear();
    m_moovSize = 0;
    m_udtaSize = 0;
    m_fragmented = false;
    m_udtaPosition = 0;
    const int64_t fileSize = m_stream.size();
    uint8_t h[16];
    if (fileSize < 8 || !tagio::readAt(m_stream, 0, h, 8) || !isTopLevelStart(h + 4))
        return -1;
    {
        const uint32_t size32 = tagio::be32(h);
        if (size32 == 1) {
            if (fileSize < 16 || !tagio::readAt(m_stream, 8, h + 8, 8))
                return -1;
            const uint64_t size64 = tagio::be64(h + 8);
            if ((size64 >> 63) || size64 < 16 || size64 > uint64_t(fileSize))
                return -1;
        } else if (size32 < 8 || size32 > uint64_t(fileSize)) {
            return -1;
        }
    }
    tagio::ReadAhead reader(m_stream);
    for (int64_t pos = 0; pos <= fileSize - 8;) {
        if (!reader.readAt(pos, h, 8) || !printable(h + 4))
            break;
        uint64_t size = tagio::be32(h);
        int header = 8;
        if (size == 1) {
            if (pos > fileSize - 16 || !reader.readAt(pos + 8, h + 8, 8))
                break;
            size = tagio::be64(h + 8);
            header = 16;
        } else if (size == 0) {
            size = uint64_t(fileSize - pos);
        }
        if (size < uint64_t(header) || size > uint64_t(fileSize - pos))
            break;
        if (std::memcmp(h + 4, "moov", 4) == 0) {
            m_moovPosition = pos;
            m_moovSize = int64_t(size);
            m_moovHeader = header;
            m_extendedSizeLength = header == 16 ? 8 : 0;
            break;
        }
        pos += int64_t(size);
    }
    if (m_moovSize == 0 || m_moovSize > kMaxMoovSize)
        return -1;
    std::vector<uint8_t> moov;
    if (!tagio::readVector(m_stream, m_moovPosition, size_t(m_moovSize), moov))
        return -1;
    Box mvex;
    m_fragmented = findChild(moov.data(), size_t(m_moovHeader), moov.size(), "mvex", mvex);
    m_moovIsLast = m_moovPosition + m_moovSize == fileSize;
    Box udta;
    if (!findChild(moov.data(), size_t(m_moovHeader), moov.size(), "udta", udta))
        return 0;
    m_udtaPosition = m_moovPosition + int64_t(udta.position);
    m_udtaSize = int64_t(udta.size);
    const size_t udtaEnd = udta.position + size_t(udta.size);
    Box meta;
    if (!findChild(moov.data(), udta.position + udta.header, udtaEnd, "meta", meta))
        return 0;
    size_t metaChildren = meta.position + meta.header;
    const size_t metaEnd = meta.position + size_t(meta.size);
    // The iTunes meta box is a full box; the QuickTime one has no version
    // field and its first child (hdlr) follows at once.
    if (metaEnd - metaChildren >= 8 && std::memcmp(moov.data() + metaChildren + 4, "hdlr", 4) != 0)
        metaChildren += 4;
    Box ilst;
    if (!findChild(moov.data(), metaChildren, metaEnd, "ilst", ilst))
        return 0;
    parseIlst(moov.data() + ilst.position + ilst.header, size_t(ilst.size) - ilst.header);
    return 0;
}

void Mp4Block::parseIlst(const uint8_t *p, size_t n)
{
    Box atom;
    for (size_t pos = 0; boxAt(p, pos, n, atom); pos += size_t(atom.size)) {
        int kind = -1;
        bool genreIndex = false;
        for (const AtomName &a : kReadNames) {
            if (std::memcmp(atom.type, a.name, 4) == 0) {
                kind = a.kind;
                genreIndex = std::memcmp(a.name, "gnre", 4) == 0;
                break;
            }
        }
        if (kind < 0)
            continue;
        Box data;
        const size_t atomEnd = atom.position + size_t(atom.size);
        if (!findChild(p, atom.position + atom.header, atomEnd, "data", data) || data.size - data.header < 8)
            continue;
        const uint8_t *payload = p + data.position + data.header + 8;
        const size_t length = size_t(data.size) - data.header - 8;
        const uint32_t type = tagio::be32(p + data.position + data.header) & 0xFFFFFF;
        if (kind == KindCover) {
            addBinary(kind, payload, length);
        } else if (kind == KindTrack || kind == KindDisc) {
            if (length < 6)
                continue;
            const unsigned number = tagio::be16(payload + 2);
            const unsigned total = tagio::be16(payload + 4);
            std::string text = std::to_string(number);
            if (total)
                text += "/" + std::to_string(total);
            if (number || total)
                addText(kind, std::u16string(text.begin(), text.end()));
        } else if (genreIndex) {
            if (length < 2)
                continue;
            const int index = tagio::be16(payload) - 1;
            if (index >= 0 && index < tagtext::kGenreCount) {
                const char *name = tagtext::id3v1GenreNames[index];
                addText(kind, tagtext::latin1ToUtf16(name, std::strlen(name)));
            }
        } else if (type == 1) {
            std::u16string text;
            if (tagtext::utf8ToUtf16(std::string(reinterpret_cast<const char *>(payload), length), text))
                addText(kind, text);
        } else if (type == 2) {
            addText(kind, tagtext::utf16Decode(payload, length, true));
        }
    }
}

int Mp4Block::save()
{
    prune(kindRange(KindTitle, KindDisc));
    if (!m_valid)
        return -1;
    std::vector<uint8_t> udta;
    if (m_items.count() == 0) {
        if (m_udtaSize == 0)
            return 1;
    } else {
        tagio::ByteWriter w;
        w.be32(0);
        w.ascii("udta");
        w.be32(0);
        w.ascii("meta");
        w.be32(0);
        w.be32(34);
        w.ascii("hdlr");
        w.zeros(8);
        w.ascii("mdir");
        w.ascii("appl");
        w.zeros(10);
        w.be32(0);
        w.ascii("ilst");
        for (int i = 0; i < m_items.count(); ++i) {
            const TagItem &item = m_items.at(i);
            const size_t start = w.size();
            w.be32(0);
            w.raw(kWriteNames[item.kind], 4);
            w.be32(0);
            w.ascii("data");
            if (item.kind == KindTrack || item.kind == KindDisc) {
                const std::u16string text = item.text();
                const long long number = tagtext::leadingNumber(text);
                const size_t slash = text.find(u'/');
                const long long total = slash == std::u16string::npos ? 0 : tagtext::leadingNumber(text, slash + 1);
                w.be32(0);
                w.be32(0);
                w.be16(0);
                w.be16(uint32_t(number < 0 ? 0 : number));
                w.be16(uint32_t(total < 0 ? 0 : total));
                w.be16(0);
            } else if (item.kind == KindCover) {
                const tagtext::PictureFormat f = tagtext::pictureFormat(item.bytes(), size_t(item.length));
                w.be32(f == tagtext::PicturePng ? 14 : f == tagtext::PictureGif ? 15 : f == tagtext::PictureBmp ? 27 : 13);
                w.be32(0);
                w.raw(item.bytes(), size_t(item.length));
            } else {
                const std::string text = tagtext::utf16ToUtf8(item.text());
                w.be32(1);
                w.be32(0);
                w.raw(text.data(), text.size());
            }
            const size_t atomSize = w.size() - start;
            if (atomSize > 0xFFFFFFFFu)
                return -1;
            w.patchBe32(start, uint32_t(atomSize));
            w.patchBe32(start + 8, uint32_t(atomSize - 8));
        }
        if (w.size() > 0xFFFFFFFFu)
            return -1;
        w.patchBe32(0, uint32_t(w.size()));
        w.patchBe32(8, uint32_t(w.size() - 8));
        w.patchBe32(54, uint32_t(w.size() - 54));
        udta = std::move(w.bytes);
    }
    const int64_t position = m_udtaSize ? m_udtaPosition : m_moovPosition + m_moovSize;
    const int64_t delta = int64_t(udta.size()) - m_udtaSize;
    const int64_t newMoovSize = m_moovSize + delta;
    if ((m_extendedSizeLength == 0 && newMoovSize > 0xFFFFFFFFll) || (delta != 0 && m_fragmented && !m_moovIsLast))
        return -1;
    if (!tagio::replaceRegion(m_stream, position, m_udtaSize, udta))
        return -1;
    uint8_t sizeField[8];
    if (m_extendedSizeLength) {
        tagio::setBe64(sizeField, uint64_t(newMoovSize));
        if (!tagio::writeAt(m_stream, m_moovPosition + 8, sizeField, 8))
            return -1;
    } else {
        tagio::setBe32(sizeField, uint32_t(newMoovSize));
        if (!tagio::writeAt(m_stream, m_moovPosition, sizeField, 4))
            return -1;
    }
    m_moovSize = newMoovSize;
    m_udtaPosition = position;
    m_udtaSize = int64_t(udta.size());
    if (delta != 0 && !fixChunkOffsets(delta))
        return -1;
    return 0;
}

bool Mp4Block::fixChunkOffsets(int64_t delta)
{
    std::vector<uint8_t> moov;
    if (!tagio::readVector(m_stream, m_moovPosition, size_t(m_moovSize), moov))
        return false;
    const int64_t threshold = m_moovPosition + m_moovHeader;
    const size_t moovEnd = moov.size();
    Box trak;
    for (size_t pos = size_t(m_moovHeader); boxAt(moov.data(), pos, moovEnd, trak); pos += size_t(trak.size)) {
        if (!trak.is("trak"))
            continue;
        Box mdia, minf, stbl;
        if (!findChild(moov.data(), trak.position + trak.header, trak.position + size_t(trak.size), "mdia", mdia)
            || !findChild(moov.data(), mdia.position + mdia.header, mdia.position + size_t(mdia.size), "minf", minf)
            || !findChild(moov.data(), minf.position + minf.header, minf.position + size_t(minf.size), "stbl", stbl))
            continue;
        Box table;
        const size_t stblEnd = stbl.position + size_t(stbl.size);
        for (size_t t = stbl.position + stbl.header; boxAt(moov.data(), t, stblEnd, table); t += size_t(table.size)) {
            const bool wide = table.is("co64");
            if (!wide && !table.is("stco"))
                continue;
            if (table.size - table.header < 8)
                continue;
            const size_t entrySize = wide ? 8 : 4;
            const uint64_t count = tagio::be32(moov.data() + table.position + table.header + 4);
            if (count > (table.size - table.header - 8) / entrySize)
                return false;
            const int64_t entries = m_moovPosition + int64_t(table.position + table.header + 8);
            // 1,024 entries per read and write keep a large table cheap.
            std::vector<uint8_t> batch(1024 * entrySize);
            for (uint64_t done = 0; done < count;) {
                const size_t n = size_t(count - done < 1024 ? count - done : 1024);
                const int64_t at = entries + int64_t(done * entrySize);
                if (!tagio::readAt(m_stream, at, batch.data(), n * entrySize))
                    return false;
                for (size_t k = 0; k < n; ++k) {
                    uint8_t *e = batch.data() + k * entrySize;
                    const int64_t offset = wide ? int64_t(tagio::be64(e)) : int64_t(tagio::be32(e));
                    if (offset <= threshold)
                        continue;
                    const int64_t moved = offset + delta;
                    if (moved < 0 || (!wide && moved > 0xFFFFFFFFll))
                        return false;
                    if (wide)
                        tagio::setBe64(e, uint64_t(moved));
                    else
                        tagio::setBe32(e, uint32_t(moved));
                }
                if (!tagio::writeAt(m_stream, at, batch.data(), n * entrySize))
                    return false;
                done += n;
            }
        }
    }
    return true;
}
